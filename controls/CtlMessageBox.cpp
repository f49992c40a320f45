// VokMessageBox and its formatting and string-loading variants.
#include "controls/CtlMessageBox.h"

#include <cstdarg>
#include <cstring>

#include "base/win32/GdiTools.h"
#include "controls/CtlLibrary.h"
#include "controls/VokCtl.h"
#include "resources/controls/VokCtlRes.h"

namespace {

constexpr int kFormattedSize = 408;
constexpr int kTextSize = 256;
constexpr int kCaptionSize = 41;
constexpr int kFormatSize = 128;
// wvsprintf never writes more than this (plus the NUL), whatever it is asked to format.
constexpr int kFormatterLimit = 1025;

struct TMsgBoxParams {
    const char* text;
    const char* caption;
    UINT flags;
};

// The text control keeps its width; the box grows downwards until the whole text fits, at most to the screen.
void FitText(HWND dlg) noexcept
{
    HWND text = GetDlgItem(dlg, IDC_VOKMSG_TEXT);
    if (!text)
        return;
    RECT box;
    GetWindowRect(text, &box);
    TWindowText buffer(text);
    RECT need{0, 0, box.right - box.left, 0};
    {
        TWindowDC dc(text);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(text, WM_GETFONT, 0, 0));
        TSelectObject useFont(dc.Dc(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
        DrawTextA(dc.Dc(), buffer.Get(), -1, &need,
                  DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX | DT_CALCRECT);
    }
    int grow = need.bottom - (box.bottom - box.top);
    RECT window;
    GetWindowRect(dlg, &window);
    int room = GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top);
    if (grow > room)
        grow = room;
    if (grow <= 0)
        return;
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
        int id = GetDlgCtrlID(child);
        if (id >= IDOK && id <= IDNO)
            SetWindowPos(child, nullptr, r.left, r.top + grow, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        else if (id == IDC_VOKMSG_TEXT || id == IDC_VOKMSG_SHADE)
            SetWindowPos(child, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + grow, SWP_NOMOVE | SWP_NOZORDER);
    }
    SetWindowPos(dlg, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + grow,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void MakeDefault(HWND dlg, int newId) noexcept
{
    HWND newButton = GetDlgItem(dlg, newId);
    if (!newButton)
        return;
    for (int id : MessageBoxButtons(GetWindowLongA(dlg, DWLP_USER)).ids) {
        if (id && id != newId)
            SendMessageA(GetDlgItem(dlg, id), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
    SendMessageA(newButton, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    SendMessageA(dlg, DM_SETDEFID, static_cast<WPARAM>(newId), 0);
    SetFocus(newButton);
}

BOOL OnInit(HWND dlg, const TMsgBoxParams& p) noexcept
{
    UINT buttonSet = p.flags & MB_TYPEMASK;
    SetWindowLongA(dlg, DWLP_USER, static_cast<LONG>(buttonSet));
    SetDlgItemTextA(dlg, IDC_VOKMSG_TEXT, p.text ? p.text : "");
    if (p.caption)
        SetWindowTextA(dlg, p.caption);
    // Button labels come from the library's strings, so a translated library translates the boxes.
    for (int id : MessageBoxButtons(buttonSet).ids) {
        char label[32];
        if (id && LoadStringA(CtlLibrary().instance, static_cast<UINT>(id), label, sizeof label) > 0)
            SetDlgItemTextA(dlg, id, label);
    }
    if (HWND icon = GetDlgItem(dlg, IDC_VOKMSG_ICON))
        SetWindowLongA(icon, GWL_ID, MessageBoxIconId(p.flags));
    FitText(dlg);
    CenterDialog(dlg, TRUE);
    if (int id = MessageBoxDefaultButton(p.flags)) {
        MakeDefault(dlg, id);
        return FALSE;
    }
    return TRUE;
}

INT_PTR CALLBACK MessageBoxProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (msg) {
    case WM_INITDIALOG:
        return OnInit(dlg, *reinterpret_cast<const TMsgBoxParams*>(lParam));
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id < IDOK || id > IDNO || HIWORD(wParam) > BN_CLICKED)
            return FALSE;
        // Escape (and the close box) send Cancel; a box without a Cancel button ignores them, as it ignores
        // any other id it shows no button for.
        if (!GetDlgItem(dlg, id))
            return TRUE;
        EndDialog(dlg, id);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

int FormatAndShow(HWND owner, const char* caption, UINT flags, const char* format, va_list args) noexcept
{
    char formatted[kFormatterLimit] = {};
    wvsprintfA(formatted, format ? format : "", args);
    formatted[kFormattedSize - 1] = '\0';
    return VokMessageBox(owner, formatted, caption, flags);
}

}  // namespace

extern "C" {

int VOKCTLAPI VokMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags)
{
    if (UsesSystemMessageBox(flags))
        return MessageBoxA(owner, text, caption, flags);
    const DLGTEMPLATE* dialog = CtlLibrary().templates[flags & MB_TYPEMASK];
    if (!dialog)
        return 0;
    TMsgBoxParams params{text, caption, flags};
    INT_PTR result = DialogBoxIndirectParamA(CtlLibrary().instance, dialog, owner, MessageBoxProc,
                                             reinterpret_cast<LPARAM>(&params));
    return result == -1 ? 0 : static_cast<int>(result);
}

int VOKCTLAPI LoadStrVokMessageBox(HINSTANCE instance, HWND owner, UINT textId, UINT captionId, UINT flags)
{
    char text[kTextSize] = {};
    char caption[kCaptionSize] = {};
    LoadStringA(instance, textId, text, sizeof text);
    LoadStringA(instance, captionId, caption, sizeof caption);
    return VokMessageBox(owner, text, caption, flags);
}

int VOKCTLAPI _PRINTFVOKMESSAGEBOX(HWND owner, LPCSTR caption, UINT flags, LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    int result = FormatAndShow(owner, caption, flags, format, args);
    va_end(args);
    return result;
}

int VOKCTLAPI _LSPRINTFVOKMSGBOX(HINSTANCE instance, HWND owner, UINT captionId, UINT flags, UINT formatId, ...)
{
    char format[kFormatSize] = {};
    if (LoadStringA(instance, formatId, format, sizeof format) <= 0)
        return -1;
    char caption[kCaptionSize] = {};
    LoadStringA(instance, captionId, caption, sizeof caption);
    va_list args;
    va_start(args, formatId);
    int result = FormatAndShow(owner, caption, flags, format, args);
    va_end(args);
    return result;
}

}  // extern "C"
