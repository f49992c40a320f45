// The process-wide printer state: the chosen printer and its settings, the page setup and the printer font.
#pragma once

#include <windows.h>

#include <string>

#include "printing/PrintLayout.h"

// TVokPrinter owns the printer's DEVMODE and DEVNAMES blocks, shared by Print, Print Setup, Page Setup
// and the preview, and the page setup and font the user chose. Nothing of it is stored in the settings
// file: it lasts until the program exits.
class TVokPrinter {
public:
    TVokPrinter() = default;
    TVokPrinter(const TVokPrinter&) = delete;  // owns global memory blocks
    TVokPrinter& operator=(const TVokPrinter&) = delete;
    ~TVokPrinter();

    // Fills the header and footer from the string table on first use.
    void LoadTemplates();
    // Reads the default printer when none is chosen yet; false, after telling the user, when the system
    // has no printer.
    bool EnsurePrinter(HWND owner);
    // A device context on the chosen printer, or null.
    HDC CreatePrinterDC() const;
    std::string PrinterName() const;
    std::string PortName() const;

    // The system's printer setup dialog on the shared settings.
    void PrinterSetup(HWND owner);
    // The system's font dialog limited to the printer's fonts; true when a font was chosen.
    bool ChoosePrinterFont(HWND owner);
    // The Page Setup dialog; true on OK.
    bool PageSetup(HWND owner);
    // The default printer changed in the system's settings: the next use reads it again.
    void DefaultPrinterChanged();

    // The chosen font's face name, or "Printer default".
    std::string FontName() const;
    // The printer font at the device's resolution (the printer's fixed-pitch face when none was chosen).
    HFONT CreatePrinterFont(HDC dc) const;
    // The device's page, offsets and line height with the printer font selected.
    static TDeviceMetrics Metrics(HDC dc);

    // Takes the blocks a print or setup dialog returned (freeing ours when they differ).
    void Adopt(HGLOBAL devMode, HGLOBAL devNames);
    HGLOBAL DevMode() const { return devMode_; }
    HGLOBAL DevNames() const { return devNames_; }

    TPageSetup setup;
    bool fontChosen = false;
    LOGFONTA font{};
    int fontSize = 10;  // points

private:
    // The default printer, without a message when there is none.
    bool EnsurePrinterQuietly();

    bool templatesLoaded_ = false;
    HGLOBAL devMode_ = nullptr;
    HGLOBAL devNames_ = nullptr;
};

TVokPrinter& Printer();

// How the printing code shows a message of the string table (the shell installs its own, which a test
// script can answer); the default shows the control library's message box.
// text is the string already formatted.
using TPrintMessageFn = int (*)(HWND owner, unsigned stringId, const std::string& text, unsigned flags);
void SetPrintMessageFn(TPrintMessageFn fn);
int PrintMessage(HWND owner, unsigned stringId, unsigned flags);
// The string with its two "%d" replaced by a and b.
int PrintMessageRange(HWND owner, unsigned stringId, int a, int b, unsigned flags);
// A string of the program's string table, "" when missing.
std::string PrintString(unsigned id);

// How the Help buttons of Page Setup and the print dialog show their help context; the frame installs the
// program's help at start-up. While none is installed the buttons are disabled and a click that still
// arrives shows nothing.
using TPrintHelpFn = void (*)(HWND owner, unsigned context);
void SetPrintDialogHelp(TPrintHelpFn show);
bool PrintHelpInstalled();
void ShowPrintHelp(HWND owner, unsigned context);
