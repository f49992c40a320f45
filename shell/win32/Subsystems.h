// How the shell reaches the other subsystems: connected once at start-up, the control library started and
// ended, help topics and the find-files dialog shown, and the tables they share released at exit.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// Connects the dispatcher to search and macros, and dates to the regional settings; once at start-up.
void ConnectSubsystems();

// "syntax.hgl" beside the program, or the file tests named with UseSyntaxFile (empty: beside again).
std::string SyntaxFilePath();
void UseSyntaxFile(const std::string& path);

// The control library's start and end.
bool StartControlLibrary(HINSTANCE instance);
void EndControlLibrary(HINSTANCE instance);

// A topic of the program's help file, or a message naming the file when it cannot be shown
// (shell/win32/HelpService.cpp).
void ShowHelpContext(HWND owner, unsigned context);
// Find Files with the criteria of the last run; true when a file was chosen, its path in buffer
// (shell/win32/FindFilesShell.cpp).
bool RunFindFilesDialog(HWND owner, char* buffer, std::size_t size);

// At exit, after the message loop: the tables every document shares (stored macros, find histories).
void ReleaseSharedTables();
