// The editor window's hooks for the transforms' dialogs.
#include "editor_window/win32/WindowsEditor.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/win32/ProgramFolder.h"
#include "charset/CodePages.h"
#include "editor_window/win32/EditorServices.h"
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

namespace {
// TEXT.CNV beside the program.
std::string TextCnvPath()
{
    return ProgramFolder() + "TEXT.CNV";
}
}  // namespace

bool TWindowsEditor::ConvertTextDialog(unsigned char* table, bool* selectionOnly) noexcept
{
    try {
        TConvertTextDlg dialog(InstanceOf(Handle()), selShown);
        if (dialog.Run(Handle()) != IDOK)
            return false;
        *selectionOnly = dialog.SelectionOnly();
        char bytes[256];
        for (int b = 0; b < 256; ++b)
            bytes[b] = static_cast<char>(b);
        bytes[0] = 1;  // the conversions stop at a zero; byte 0 keeps itself anyway
        std::memcpy(table, bytes, 256);
        if (dialog.Choice() == 1) {
            OemToCharBuffA(bytes, reinterpret_cast<char*>(table), 256);
        } else if (dialog.Choice() == 2) {
            CharToOemBuffA(bytes, reinterpret_cast<char*>(table), 256);
        } else {
            const std::string path = TextCnvPath();
            std::vector<std::string> names;
            if (!ScanSectionNames(path, &names)) {
                if (TEditorServices* services = EditorServices())
                    services->Message(Handle(), 15007, path.c_str(), MB_OK | MB_ICONEXCLAMATION);
                return false;
            }
            if (names.empty())
                return false;
            TConvertTableDlg tables(InstanceOf(Handle()), names);
            const INT_PTR result = tables.Run(Handle());
            if (result == TConvertTableDlg::kEditTable) {
                Notify(kNotifyConversionTable);
                return false;
            }
            if (result != IDOK || !ReadConvertTable(path, tables.Chosen(), table))
                return false;
        }
        table[0] = 0;
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return true;
    } catch (...) {
        return false;
    }
}
