// The editor window's search hooks: the Find, Replace, replace prompt and Go To dialogs over the window.
#include "editor_window/win32/WindowsEditor.h"

#include <algorithm>

#include "search/Replace.h"
#include "search/SearchState.h"
#include "search/win32/FindDlg.h"
#include "search/win32/GoToColumnDlg.h"
#include "search/win32/GoToLineDlg.h"
#include "search/win32/ReplaceDlg.h"
#include "search/win32/ReplacePromptDlg.h"

namespace {
// The dialog templates live in the module that made the window.
HINSTANCE InstanceOf(HWND hwnd)
{
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
    return instance ? instance : GetModuleHandleA(nullptr);
}
}  // namespace

bool TWindowsEditor::GoToLine(int32_t* line) noexcept
{
    try {
        TGoToLineDlg dialog(InstanceOf(hwnd_), *line);
        if (dialog.Run(hwnd_) != IDOK)
            return false;
        *line = dialog.Value();
        return true;
    } catch (...) {
        return false;
    }
}

bool TWindowsEditor::GoToColumn(int* col) noexcept
{
    try {
        TGoToColumnDlg dialog(InstanceOf(hwnd_), *col);
        if (dialog.Run(hwnd_) != IDOK)
            return false;
        *col = dialog.Value();
        return true;
    } catch (...) {
        return false;
    }
}

bool TWindowsEditor::FindDialog(TSearchRequest& request) noexcept
{
    try {
        TFindDlg dialog(InstanceOf(hwnd_), request);
        return dialog.Run(hwnd_) == IDOK;
    } catch (...) {
        return false;
    }
}

bool TWindowsEditor::ReplaceDialog(TSearchRequest& request) noexcept
{
    try {
        TReplaceDlg dialog(InstanceOf(hwnd_), request);
        return dialog.Run(hwnd_) == IDOK;
    } catch (...) {
        return false;
    }
}

TReplaceAnswer TWindowsEditor::ReplacePrompt() noexcept
{
    try {
        // The engine asks inside its update batch: show the found text before asking about it.
        EnsureCursorVisible();
        FlushRedraw();
        RECT client;
        GetClientRect(hwnd_, &client);
        // The middle of the cursor line, or of the client area when that line is not in view.
        const int32_t rows = curLineNo - topLine;
        POINT row = {0, client.bottom / 2};
        if (rows >= 0 && rows < client.bottom / std::max(cellHeight_, 1))
            row.y = rows * cellHeight_ + cellHeight_ / 2;
        ClientToScreen(hwnd_, &row);
        TReplacePromptDlg dialog(InstanceOf(hwnd_), SearchState().searchText, row.y, cellHeight_);
        return dialog.Ask(hwnd_);
    } catch (...) {
        return TReplaceAnswer::Cancel;
    }
}
