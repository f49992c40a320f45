// The Print command of an editor window: the print dialog, the job and the pages.
#pragma once

#include <windows.h>

#include <string>

#include "printing/PrintLayout.h"

class TVokEditor;

// The printer as a page device: measures and draws in the printer font on the printer's DC (not owned).
class TGdiPrintDevice : public TPrintDevice {
public:
    TGdiPrintDevice(HDC dc, HFONT font) : dc_(dc), font_(font) { Select(); }
    int TextWidth(const char* text, int length) override;
    bool StartPage() override;
    bool EndPage() override;
    void DrawText(int x, int y, const char* text, int length) override;
    bool Cancelled() override;

private:
    // Some drivers reset the device's objects at every page: the font goes in again.
    void Select();

    HDC dc_;
    HFONT font_;
};

// The hook of the print dialog (templates "Print" and "Print95"): shows the printer font and the line
// splitting and keeps them on OK, runs Font..., and shows the dialog's help topic from its Help button.
UINT_PTR CALLBACK PrintDialogHook(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

// The date and time texts and file name for headers and footers.
TTemplateFields CurrentFields(const std::string& fileName);

// Prints the document of an editor window: title is the window's file name (or untitled name). The
// owner (the frame) is disabled while the job runs.
void PrintDocument(HWND owner, TVokEditor& editor, const std::string& title);
