// The program's message box: a string resource, optionally formatted with one text, under the product name.
#pragma once

#include <windows.h>

#include <string>

constexpr const char* kProductName = "Vok Text Editor";

// Shows string stringId (its %s replaced by arg when arg is given) with the product name as caption and
// returns the button chosen. flags are the message-box flags (buttons and icon).
int VokMessage(HWND owner, unsigned stringId, const char* arg, unsigned flags);

// The same with the first "%d" of the string replaced by number.
int VokMessageNumber(HWND owner, unsigned stringId, int number, unsigned flags);

// The same with the first two "%d" replaced by first and second (a range's bounds).
int VokMessageNumbers(HWND owner, unsigned stringId, int first, int second, unsigned flags);

// Shows a text that is already made (messages of other parts that name a file) under the product name.
int VokMessageText(HWND owner, const std::string& text, unsigned flags);

// The text of string resource id of this program, or "" when it is missing.
std::string LoadResString(unsigned id);

// Tests replace the box with a script: the hook sees the formatted text and returns the button to take.
using TVokMessageHook = int (*)(unsigned stringId, const char* text, unsigned flags, void* context);
void SetVokMessageHook(TVokMessageHook hook, void* context);
