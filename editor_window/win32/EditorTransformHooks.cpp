// The editor window's hooks for the transforms' dialogs.
#include "editor_window/win32/WindowsEditor.h"

#include <cstdio>

#include "editor_window/win32/TransformDlgs.h"
#include "engine/Transforms.h"

namespace {
// The dialog templates live in the module that made the window.
HINSTANCE InstanceOf(HWND hwnd)
{
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
    return instance ? instance : GetModuleHandleA(nullptr);
}
}  // namespace

bool TWindowsEditor::SortDialog(int* keyColumn, int* keyLength) noexcept
{
    try {
        TSortDlg dialog(InstanceOf(Handle()), *keyColumn, *keyLength, TransformOptions().sort);
        if (dialog.Run(Handle()) != IDOK)
            return false;
        *keyColumn = dialog.Column();
        *keyLength = dialog.Length();
        TransformOptions().sort = dialog.Order();
        return true;
    } catch (...) {
        return false;
    }
}

bool TWindowsEditor::FillBlockDialog(char* buffer, int size) noexcept
{
    try {
        TFillBlockDlg dialog(InstanceOf(Handle()), buffer);
        if (dialog.Run(Handle()) != IDOK)
            return false;
        std::snprintf(buffer, static_cast<std::size_t>(size), "%s", dialog.Text().c_str());
        return true;
    } catch (...) {
        return false;
    }
}

bool TWindowsEditor::LineDrawStyle(int* style, char* fillChar) noexcept
{
    try {
        TLineDrawStyleDlg dialog(InstanceOf(Handle()), *style, *fillChar);
        if (dialog.Run(Handle()) != IDOK)
            return false;
        *style = dialog.Style();
        *fillChar = dialog.Fill();
        return true;
    } catch (...) {
        return false;
    }
}

void TWindowsEditor::WordCount(long lines, long nonBlank, long paragraphs, long words, long chars) noexcept
{
    try {
        const long figures[5] = {lines, nonBlank, paragraphs, words, chars};
        TWordCountDlg dialog(InstanceOf(Handle()), figures);
        dialog.Run(Handle());
    } catch (...) {
    }
}
