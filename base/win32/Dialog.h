// The base of the program's modal dialogs: one object per dialog, its procedure forwards to small handlers.
#pragma once

#include <windows.h>

#include <string>

// TDialog runs a dialog template modally and routes its messages to virtual handlers. The object owns
// nothing but the window handle while the dialog runs.
class TDialog {
public:
    TDialog(HINSTANCE instance, const char* templateName) : instance_(instance), template_(templateName) {}
    TDialog(const TDialog&) = delete;  // the running dialog points back at this object
    TDialog& operator=(const TDialog&) = delete;
    virtual ~TDialog() = default;

    // Runs the dialog over owner; IDOK, IDCANCEL or -1 when the template cannot be made.
    INT_PTR Run(HWND owner);
    HWND Handle() const { return hwnd_; }

protected:
    virtual bool OnInit() { return true; }
    // Commands other than OK and Cancel; true when handled.
    virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
    // OK: return true to close the dialog with IDOK.
    virtual bool OnOK() { return true; }
    virtual void OnCancel() {}
    // Cancel, Esc and the close box: return false to keep the dialog open (a question answered Cancel).
    virtual bool CanClose() { return true; }
    // Any other message (owner drawing, for one); true when handled.
    virtual bool OnMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return false; }

    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text) const { SetDlgItemTextA(hwnd_, id, text.c_str()); }
    void CenterOverOwner() const;

private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

    HINSTANCE instance_;
    const char* template_;
    HWND hwnd_ = nullptr;
};
