// What the search dialogs share: the regular-expression message box, the Help buttons and field helpers.
#include "search/win32/SearchDlgSupport.h"

#include <vector>

#include "controls/VokCtl.h"
#include "search/Regex.h"

namespace {
TSearchHelpFn gShowHelp = nullptr;
}  // namespace

void SetSearchDialogHelp(TSearchHelpFn show)
{
    gShowHelp = show;
}

void PrepareHelpButton(HWND dialog, int buttonId)
{
    if (HWND button = GetDlgItem(dialog, buttonId))
        EnableWindow(button, gShowHelp != nullptr);
}

void ShowSearchHelp(HWND dialog, unsigned context)
{
    if (gShowHelp)
        gShowHelp(dialog, context);
}

void ShowRegexError(HWND owner, int code)
{
    const char* message = RegexErrorText(code);
    if (!message)
        message = RegexErrorText(kRegexUnknown);
    const std::string text = std::string(kRegexErrorPrefix) + message;
    VokMessageBox(owner, text.c_str(), kSearchMessageCaption, MB_OK | MB_ICONEXCLAMATION);
}

std::string FieldText(HWND dialog, int id, int size)
{
    if (size <= 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(size), '\0');
    const int n = GetDlgItemTextA(dialog, id, buffer.data(), size);
    return std::string(buffer.data(), n > 0 ? static_cast<std::size_t>(n) : 0);
}
