// The base of the program's modal dialogs: one object per dialog, its procedure forwards to small handlers.
#include "base/win32/Dialog.h"

INT_PTR TDialog::Run(HWND owner)
{
    return DialogBoxParamA(instance_, template_, owner, Proc, reinterpret_cast<LPARAM>(this));
}

std::string TDialog::ItemText(int id) const
{
    char buffer[512];
    int n = GetDlgItemTextA(hwnd_, id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

void TDialog::CenterOverOwner() const
{
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    RECT outer, self;
    if (owner)
        GetWindowRect(owner, &outer);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &outer, 0);
    GetWindowRect(hwnd_, &self);
    int w = self.right - self.left, h = self.bottom - self.top;
    int x = outer.left + (outer.right - outer.left - w) / 2;
    int y = outer.top + (outer.bottom - outer.top - h) / 2;
    SetWindowPos(hwnd_, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK TDialog::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    TDialog* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<TDialog*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
        self->CenterOverOwner();
        return self->OnInit() ? TRUE : FALSE;
    }
    self = reinterpret_cast<TDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!self)
        return FALSE;
    try {
        if (msg == WM_COMMAND) {
            int id = LOWORD(wParam), code = HIWORD(wParam);
            if (id == IDOK) {
                if (self->OnOK())
                    EndDialog(hwnd, IDOK);
                return TRUE;
            }
            if (id == IDCANCEL) {
                if (!self->CanClose())
                    return TRUE;
                self->OnCancel();
                EndDialog(hwnd, IDCANCEL);
                return TRUE;
            }
            return self->OnCommand(id, code) ? TRUE : FALSE;
        }
        if (msg == WM_NCDESTROY) {
            self->hwnd_ = nullptr;
            return FALSE;
        }
        if (self->OnMessage(msg, wParam, lParam))
            return TRUE;
    } catch (...) {
        // Nothing may cross the dialog procedure; a failed handler ends the dialog as cancelled.
        EndDialog(hwnd, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}
