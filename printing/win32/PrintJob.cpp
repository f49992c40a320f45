// One print job at a time: its printer device, the modeless cancel dialog and the abort procedure.
#include "printing/win32/PrintJob.h"

#include "printing/win32/VokPrinter.h"
#include "PrintIds.h"

namespace {

// The job in progress; process-wide because the abort procedure and the dialog reach it without context.
struct TJobState {
    HDC dc = nullptr;
    HWND dialog = nullptr;
    HWND owner = nullptr;
    bool aborted = false;
    bool started = false;
};

TJobState gJob;

void PumpMessages()
{
    MSG msg;
    while (!gJob.aborted && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (gJob.dialog && IsDialogMessageA(gJob.dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

BOOL CALLBACK AbortProc(HDC, int) noexcept
{
    PumpMessages();
    return !gJob.aborted;
}

INT_PTR CALLBACK AbortDialogProc(HWND hwnd, UINT msg, WPARAM, LPARAM) noexcept
{
    switch (msg) {
    case WM_INITDIALOG:
        EnableMenuItem(GetSystemMenu(hwnd, FALSE), SC_CLOSE, MF_GRAYED);
        SetFocus(GetDlgItem(hwnd, IDCANCEL));
        return FALSE;
    case WM_COMMAND:
        gJob.aborted = true;
        return TRUE;
    default: return FALSE;
    }
}

void Release()
{
    if (gJob.owner)
        EnableWindow(gJob.owner, TRUE);
    if (gJob.dialog)
        DestroyWindow(gJob.dialog);
    if (gJob.dc)
        DeleteDC(gJob.dc);
    gJob = TJobState{};
}

}  // namespace

HDC BeginPrintJob(HWND owner, const TPrintJobDescription& job)
{
    if (gJob.dc)
        return nullptr;
    HDC dc = Printer().CreatePrinterDC();
    if (!dc)
        return nullptr;
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    gJob.dc = dc;
    gJob.aborted = false;
    gJob.dialog = CreateDialogA(GetModuleHandleA(nullptr), "AbortPrint", owner, AbortDialogProc);
    if (!gJob.dialog) {
        Release();
        SetCursor(old);
        return nullptr;
    }
    SetDlgItemTextA(gJob.dialog, IDC_ABORT_TITLE, job.title.c_str());
    SetDlgItemTextA(gJob.dialog, IDC_ABORT_PRINTER, ("on the " + Printer().PrinterName()).c_str());
    SetDlgItemTextA(gJob.dialog, IDC_ABORT_PORT, ("connected to " + Printer().PortName().substr(0, 27)).c_str());
    SetAbortProc(dc, AbortProc);
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = job.documentName.c_str();
    info.lpszOutput = job.toFile ? "FILE:" : nullptr;
    if (StartDocA(dc, &info) <= 0) {
        Release();
        SetCursor(old);
        return nullptr;
    }
    gJob.started = true;
    ShowWindow(gJob.dialog, SW_SHOW);
    UpdateWindow(gJob.dialog);
    if (owner) {
        EnableWindow(owner, FALSE);
        gJob.owner = owner;
    }
    SetCursor(old);
    return dc;
}

bool PrintJobAborted()
{
    PumpMessages();
    return gJob.aborted;
}

void AbortPrintJob()
{
    gJob.aborted = true;
}

void EndPrintJob()
{
    if (gJob.dc && gJob.started) {
        if (gJob.aborted)
            AbortDoc(gJob.dc);
        else
            EndDoc(gJob.dc);
    }
    Release();
}
