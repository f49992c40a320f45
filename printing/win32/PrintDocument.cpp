// The Print command of an editor window: the print dialog, the job and the pages.
#include "printing/win32/PrintDocument.h"

#include <commdlg.h>
#include <cderr.h>
#include <dlgs.h>

#include <algorithm>
#include <new>

#include "base/win32/GdiTools.h"
#include "engine/Options.h"
#include "engine/TimeDate.h"
#include "engine/VokEditor.h"
#include "printing/win32/PrintJob.h"
#include "printing/win32/VokPrinter.h"
#include "PrintIds.h"

namespace {

constexpr int32_t kDialogLineLimit = 65500;  // the print dialog's numbers are 16-bit

// The newer dialog, with the printer list, from Windows 95 on.
const char* PrintTemplate()
{
    DWORD version = GetVersion();
    return LOBYTE(LOWORD(version)) >= 4 ? "Print95" : "Print";
}

}  // namespace

UINT_PTR CALLBACK PrintDialogHook(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) noexcept
{
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(hwnd, IDC_PRINT_FONTNAME, Printer().FontName().c_str());
        CheckDlgButton(hwnd, IDC_PRINT_SPLIT, Printer().setup.splitLongLines ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(GetDlgItem(hwnd, pshHelp), PrintHelpInstalled());
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_PRINT_FONT) {
            if (Printer().ChoosePrinterFont(hwnd))
                SetDlgItemTextA(hwnd, IDC_PRINT_FONTNAME, Printer().FontName().c_str());
            return TRUE;
        }
        // Handled here, never left to the dialog: it would send the help message to the owner, which
        // knows nothing of it.
        if (LOWORD(wParam) == pshHelp) {
            ShowPrintHelp(hwnd, HELP_PRINT_DIALOG);
            return TRUE;
        }
        if (LOWORD(wParam) == IDOK)
            Printer().setup.splitLongLines = IsDlgButtonChecked(hwnd, IDC_PRINT_SPLIT) == BST_CHECKED;
        return FALSE;
    default: return FALSE;
    }
}

void TGdiPrintDevice::Select()
{
    if (font_)
        SelectObject(dc_, font_);
    SetBkMode(dc_, TRANSPARENT);
    SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
}

int TGdiPrintDevice::TextWidth(const char* text, int length)
{
    SIZE size{};
    GetTextExtentPoint32A(dc_, text, length, &size);
    return size.cx;
}

bool TGdiPrintDevice::StartPage()
{
    if (::StartPage(dc_) <= 0)
        return false;
    Select();
    return true;
}

bool TGdiPrintDevice::EndPage()
{
    return ::EndPage(dc_) > 0;
}

void TGdiPrintDevice::DrawText(int x, int y, const char* text, int length)
{
    if (length > 0)
        TextOutA(dc_, x, y, text, length);
}

bool TGdiPrintDevice::Cancelled()
{
    return PrintJobAborted();
}

TTemplateFields CurrentFields(const std::string& fileName)
{
    TTemplateFields fields;
    std::tm now = LocalNow();
    fields.fileName = fileName;
    fields.date = FormatDate(now, IntlSettings());
    fields.time = FormatTime(now, IntlSettings());
    return fields;
}

void PrintDocument(HWND owner, TVokEditor& editor, const std::string& title)
{
    TVokPrinter& printer = Printer();
    printer.LoadTemplates();

    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.hDevMode = printer.DevMode();
    pd.hDevNames = printer.DevNames();
    pd.hInstance = GetModuleHandleA(nullptr);
    pd.lpPrintTemplateName = PrintTemplate();
    pd.lpfnPrintHook = PrintDialogHook;
    // Copies and collation go to the driver in the DEVMODE the device is made from. The Help button is
    // always there, enabled by the hook when help is installed.
    pd.Flags = PD_ENABLEPRINTTEMPLATE | PD_ENABLEPRINTHOOK | PD_USEDEVMODECOPIESANDCOLLATE | PD_SHOWHELP;
    pd.nCopies = 1;
    pd.nMinPage = 1;
    if (editor.selShown) {
        TPosition a = editor.SelStart(), b = editor.SelEnd();
        pd.nFromPage = static_cast<WORD>(std::min(std::min(a.line, b.line) + 1, kDialogLineLimit));
        pd.nToPage = static_cast<WORD>(std::min(std::max(a.line, b.line) + 1, kDialogLineLimit));
        pd.Flags |= PD_SELECTION;
    } else {
        pd.nFromPage = 1;
        pd.nToPage = static_cast<WORD>(std::min(editor.lastLine + 1, kDialogLineLimit));
        pd.Flags |= PD_NOSELECTION;
    }
    pd.nMaxPage = static_cast<WORD>(std::min(editor.lastLine + 1, kDialogLineLimit));
    if (!PrintDlgA(&pd)) {
        printer.Adopt(pd.hDevMode, pd.hDevNames);
        DWORD error = CommDlgExtendedError();
        if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES || error == PDERR_PRINTERNOTFOUND)
            PrintMessage(owner, IDS_NO_PRINTER, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    printer.Adopt(pd.hDevMode, pd.hDevNames);

    TPrintRange range = (pd.Flags & PD_SELECTION) ? TPrintRange::Selection
                        : (pd.Flags & PD_PAGENUMS) ? TPrintRange::Lines
                                                   : TPrintRange::All;
    TLineSpan span = ResolveRange(range, pd.nFromPage, pd.nToPage, editor.lastLine, editor.SelStart().line,
                                  editor.SelEnd().line);
    // Nothing in range: no empty job reaches the spooler.
    if (span.count == 0)
        return;

    TPrintJobDescription job;
    job.toFile = (pd.Flags & PD_PRINTTOFILE) != 0;
    job.title = title;
    HDC dc = BeginPrintJob(owner, job);
    if (!dc)
        return;
    {
        // The font is put back and deleted before the job releases the device.
        TGdiHandle<HFONT> font(printer.CreatePrinterFont(dc));
        TSelectObject selected(dc, font.Get());
        TDeviceMetrics metrics = TVokPrinter::Metrics(dc);
        if (MarginsOutsidePrintable(printer.setup, metrics) &&
            PrintMessage(owner, IDS_MARGINS_UNPRINTABLE, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
            AbortPrintJob();
        } else {
            TPageGeometry geometry = ComputeGeometry(printer.setup, metrics);
            TGdiPrintDevice device(dc, font.Get());
            try {
                TPrintOutcome outcome = PrintPages(device, editor.firstLine, span, printer.setup, geometry,
                                                   TabSize(), CurrentFields(title));
                if (outcome.failed)
                    AbortPrintJob();
            } catch (const std::bad_alloc&) {
                AbortPrintJob();
                PrintMessage(owner, IDS_OUT_OF_MEMORY, MB_OK | MB_ICONEXCLAMATION);
            }
        }
    }
    EndPrintJob();
}
