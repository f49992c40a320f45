// The process-wide printer state: the chosen printer and its settings, the page setup and the printer font.
#include "printing/win32/VokPrinter.h"

#include <commdlg.h>
#include <cderr.h>

#include "controls/VokCtl.h"
#include "printing/win32/PageSetupDlg.h"
#include "PrintIds.h"

namespace {

int DefaultMessage(HWND owner, unsigned /*stringId*/, const std::string& text, unsigned flags)
{
    return VokMessageBox(owner, text.c_str(), "Vok Text Editor", flags);
}

TPrintMessageFn gMessage = DefaultMessage;
TPrintHelpFn gShowHelp = nullptr;

// A field of a DEVNAMES block by its offset.
std::string DevNamesField(HGLOBAL names, WORD DEVNAMES::*field)
{
    if (!names)
        return {};
    auto* d = static_cast<DEVNAMES*>(GlobalLock(names));
    if (!d)
        return {};
    std::string text = reinterpret_cast<const char*>(d) + d->*field;
    GlobalUnlock(names);
    return text;
}

}  // namespace

void SetPrintMessageFn(TPrintMessageFn fn)
{
    gMessage = fn ? fn : DefaultMessage;
}

int PrintMessage(HWND owner, unsigned stringId, unsigned flags)
{
    return gMessage(owner, stringId, PrintString(stringId), flags);
}

int PrintMessageRange(HWND owner, unsigned stringId, int a, int b, unsigned flags)
{
    char text[512];
    wsprintfA(text, PrintString(stringId).c_str(), a, b);
    return gMessage(owner, stringId, text, flags);
}

void SetPrintDialogHelp(TPrintHelpFn show)
{
    gShowHelp = show;
}

bool PrintHelpInstalled()
{
    return gShowHelp != nullptr;
}

void ShowPrintHelp(HWND owner, unsigned context)
{
    if (gShowHelp)
        gShowHelp(owner, context);
}

std::string PrintString(unsigned id)
{
    char buffer[512];
    int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

TVokPrinter& Printer()
{
    static TVokPrinter printer;
    return printer;
}

TVokPrinter::~TVokPrinter()
{
    Adopt(nullptr, nullptr);
}

void TVokPrinter::Adopt(HGLOBAL devMode, HGLOBAL devNames)
{
    if (devMode_ && devMode_ != devMode)
        GlobalFree(devMode_);
    if (devNames_ && devNames_ != devNames)
        GlobalFree(devNames_);
    devMode_ = devMode;
    devNames_ = devNames;
}

void TVokPrinter::LoadTemplates()
{
    if (templatesLoaded_)
        return;
    templatesLoaded_ = true;
    setup.header = PrintString(IDS_DEFAULT_HEADER).substr(0, kTemplateLimit);
    setup.footer = PrintString(IDS_DEFAULT_FOOTER).substr(0, kTemplateLimit);
}

bool TVokPrinter::EnsurePrinter(HWND owner)
{
    if (devNames_)
        return true;
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.Flags = PD_RETURNDEFAULT;
    if (PrintDlgA(&pd)) {
        Adopt(pd.hDevMode, pd.hDevNames);
        return true;
    }
    PrintMessage(owner, IDS_NO_PRINTER, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

HDC TVokPrinter::CreatePrinterDC() const
{
    if (!devNames_)
        return nullptr;
    std::string driver = DevNamesField(devNames_, &DEVNAMES::wDriverOffset);
    std::string device = DevNamesField(devNames_, &DEVNAMES::wDeviceOffset);
    const DEVMODEA* mode = devMode_ ? static_cast<const DEVMODEA*>(GlobalLock(devMode_)) : nullptr;
    HDC dc = CreateDCA(driver.empty() ? nullptr : driver.c_str(), device.c_str(), nullptr, mode);
    if (mode)
        GlobalUnlock(devMode_);
    return dc;
}

std::string TVokPrinter::PrinterName() const
{
    return DevNamesField(devNames_, &DEVNAMES::wDeviceOffset);
}

std::string TVokPrinter::PortName() const
{
    return DevNamesField(devNames_, &DEVNAMES::wOutputOffset);
}

void TVokPrinter::PrinterSetup(HWND owner)
{
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.hDevMode = devMode_;
    pd.hDevNames = devNames_;
    pd.Flags = PD_PRINTSETUP;
    if (PrintDlgA(&pd)) {
        Adopt(pd.hDevMode, pd.hDevNames);
        return;
    }
    // The dialog may have replaced the blocks even when cancelled.
    Adopt(pd.hDevMode, pd.hDevNames);
    DWORD error = CommDlgExtendedError();
    if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES || error == PDERR_PRINTERNOTFOUND)
        PrintMessage(owner, IDS_NO_PRINTER, MB_OK | MB_ICONEXCLAMATION);
}

bool TVokPrinter::ChoosePrinterFont(HWND owner)
{
    if (!EnsurePrinter(owner))
        return false;
    HDC dc = CreatePrinterDC();
    if (!dc)
        return false;
    LOGFONTA chosen = font;
    if (!fontChosen) {
        lstrcpynA(chosen.lfFaceName, "Courier New", LF_FACESIZE);
        chosen.lfWeight = FW_NORMAL;
    }
    chosen.lfHeight = -MulDiv(fontSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.hDC = dc;
    cf.lpLogFont = &chosen;
    cf.Flags = CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT;
    bool ok = ChooseFontA(&cf) != FALSE;
    DeleteDC(dc);
    if (!ok)
        return false;
    font = chosen;
    font.lfWeight = FW_NORMAL;
    font.lfItalic = FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    fontSize = cf.iPointSize > 0 ? (cf.iPointSize + 5) / 10 : 10;
    fontChosen = true;
    return true;
}

bool TVokPrinter::PageSetup(HWND owner)
{
    LoadTemplates();
    // The page's size, when a printer is there, bounds the margins.
    int paperWidth = 0, paperHeight = 0;
    if (devNames_ || EnsurePrinterQuietly()) {
        if (HDC dc = CreatePrinterDC()) {
            TDeviceMetrics m = Metrics(dc);
            paperWidth = static_cast<int>(static_cast<int64_t>(m.paperWidth) * 254 / m.dpiX);
            paperHeight = static_cast<int>(static_cast<int64_t>(m.paperHeight) * 254 / m.dpiY);
            DeleteDC(dc);
        }
    }
    TPageSetupDlg dialog(GetModuleHandleA(nullptr), setup, paperWidth, paperHeight);
    if (dialog.Run(owner) != IDOK)
        return false;
    setup = dialog.Result();
    return true;
}

bool TVokPrinter::EnsurePrinterQuietly()
{
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT;
    if (!PrintDlgA(&pd))
        return false;
    Adopt(pd.hDevMode, pd.hDevNames);
    return true;
}

void TVokPrinter::DefaultPrinterChanged()
{
    Adopt(nullptr, nullptr);
}

std::string TVokPrinter::FontName() const
{
    return fontChosen ? std::string(font.lfFaceName) : PrintString(IDS_PRINTER_DEFAULT);
}

HFONT TVokPrinter::CreatePrinterFont(HDC dc) const
{
    LOGFONTA lf = font;
    if (!fontChosen) {
        // The printer's own fixed-pitch face at the default size: a device's stock font can be any size
        // (24 points and more on some drivers), too large for a page of program text.
        lf = LOGFONTA{};
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    }
    lf.lfHeight = -((GetDeviceCaps(dc, LOGPIXELSY) * fontSize + 32) / 72);
    lf.lfWidth = 0;
    return CreateFontIndirectA(&lf);
}

TDeviceMetrics TVokPrinter::Metrics(HDC dc)
{
    TDeviceMetrics m;
    m.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    m.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    m.printableWidth = GetDeviceCaps(dc, HORZRES);
    m.printableHeight = GetDeviceCaps(dc, VERTRES);
    m.paperWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
    m.paperHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
    m.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    m.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    // A device that knows no paper (a display, some drivers) prints on its printable area.
    if (m.paperWidth <= 0 || m.paperHeight <= 0) {
        m.paperWidth = m.printableWidth;
        m.paperHeight = m.printableHeight;
        m.offsetX = m.offsetY = 0;
    }
    if (m.dpiX <= 0)
        m.dpiX = 96;
    if (m.dpiY <= 0)
        m.dpiY = 96;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    m.lineHeight = tm.tmHeight + tm.tmExternalLeading;
    return m;
}
