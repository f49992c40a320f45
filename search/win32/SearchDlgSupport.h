// What the search dialogs share: the regular-expression message box, the Help buttons and field helpers.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

// The caption of every message the dialogs show.
constexpr const char* kSearchMessageCaption = "Vok Text Editor";

// Help topics of the dialogs' Help buttons: the help contexts of the commands that open them.
enum : unsigned {
    kHelpFindDlg = 301,
    kHelpReplaceDlg = 302,
    kHelpGoToLineDlg = 305,
    kHelpGoToColumnDlg = 306,
};

// Shows a help topic; the frame installs the program's help at start-up. While none is installed the
// dialogs' Help buttons are disabled.
using TSearchHelpFn = void (*)(HWND owner, unsigned context);
void SetSearchDialogHelp(TSearchHelpFn show);
// Enables the Help button buttonId of dialog when help can be shown, and shows it when clicked.
void PrepareHelpButton(HWND dialog, int buttonId);
void ShowSearchHelp(HWND dialog, unsigned context);

// "Regular expression error:  " and the message of the compile error code, with the exclamation icon.
void ShowRegexError(HWND owner, int code);

// The text of a dialog field, cut to size - 1 bytes as the fixed buffers of the search state hold it.
std::string FieldText(HWND dialog, int id, int size);

// Owns a menu loaded from resources; destroys it with the object.
struct TMenuFree {
    void operator()(HMENU menu) const noexcept { DestroyMenu(menu); }
};
using TMenuPtr = std::unique_ptr<std::remove_pointer_t<HMENU>, TMenuFree>;
