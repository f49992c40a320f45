// Insert Symbol ("INSERTSYMBOL"): a character map of any installed font, for the InsertSymbol command.
#include "editor_window/win32/InsertSymbolDlg.h"

#include <cstdio>
#include <new>

#include "OptionIds.h"
#include "controls/VokCtl.h"
#include "editor_window/win32/WindowsEditor.h"

namespace {

constexpr int kColumns = 32;

std::string& FaceSlot()
{
    static std::string face;
    return face;
}

// What one panel keeps: its face's font and the selected code. Freed when the window goes.
struct TCharmapState {
    HFONT font = nullptr;
    int selected = -1;
};

TCharmapState* StateOf(HWND panel)
{
    return reinterpret_cast<TCharmapState*>(GetWindowLongPtrA(panel, GWLP_USERDATA));
}

int FirstCode(HWND panel)
{
    return (GetWindowLongA(panel, GWL_STYLE) & kCharmapControls) ? 0 : 32;
}

int Rows(HWND panel)
{
    return FirstCode(panel) == 0 ? 8 : 7;
}

void CellSize(HWND panel, int* w, int* h)
{
    RECT rc;
    GetClientRect(panel, &rc);
    *w = (rc.right - rc.left) / kColumns;
    *h = (rc.bottom - rc.top) / Rows(panel);
    if (*w < 1)
        *w = 1;
    if (*h < 1)
        *h = 1;
}

void SetFace(HWND panel, const char* face)
{
    TCharmapState* s = StateOf(panel);
    if (!s)
        return;
    if (s->font)
        DeleteObject(s->font);
    int w, h;
    CellSize(panel, &w, &h);
    // The font fills its cell but one pixel; 17 pixels, an odd height that draws badly in many faces, is 16.
    int height = h - 1;
    if (height == 17)
        height = 16;
    LOGFONTA lf = {};
    lf.lfHeight = -height;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, face ? face : "", LF_FACESIZE);
    s->font = CreateFontIndirectA(&lf);
    InvalidateRect(panel, nullptr, TRUE);
}

void Notify(HWND panel, WORD code)
{
    SendMessageA(GetParent(panel), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(panel), code), reinterpret_cast<LPARAM>(panel));
}

void Select(HWND panel, int code)
{
    TCharmapState* s = StateOf(panel);
    if (!s || code == s->selected)
        return;
    if (s->selected >= 0) {
        RECT old = CharmapCellRect(panel, s->selected);
        InvalidateRect(panel, &old, TRUE);
    }
    s->selected = code;
    if (code >= 0) {
        RECT now = CharmapCellRect(panel, code);
        InvalidateRect(panel, &now, TRUE);
    }
    Notify(panel, kCharmapSelChange);
}

void Paint(HWND panel)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(panel, &ps);
    TCharmapState* s = StateOf(panel);
    HGDIOBJ oldFont = s && s->font ? SelectObject(dc, s->font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    const int first = FirstCode(panel);
    HPEN grid = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldPen = SelectObject(dc, grid);
    for (int code = first; code < 256; ++code) {
        RECT cell = CharmapCellRect(panel, code);
        const bool selected = s && s->selected == code;
        FillRect(dc, &cell, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        MoveToEx(dc, cell.right, cell.top, nullptr);
        LineTo(dc, cell.right, cell.bottom);
        LineTo(dc, cell.left - 1, cell.bottom);
        const char ch = static_cast<char>(code);
        DrawTextA(dc, &ch, 1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectObject(dc, oldPen);
    DeleteObject(grid);
    if (oldFont)
        SelectObject(dc, oldFont);
    EndPaint(panel, &ps);
}

void Step(HWND panel, int by)
{
    TCharmapState* s = StateOf(panel);
    if (!s)
        return;
    const int first = FirstCode(panel);
    int code = s->selected < 0 ? first : s->selected + by;
    if (code >= first && code <= 255)
        Select(panel, code);
}

LRESULT CALLBACK PanelProc(HWND panel, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrA(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new (std::nothrow) TCharmapState));
        break;
    case WM_NCDESTROY:
        if (TCharmapState* s = StateOf(panel)) {
            if (s->font)
                DeleteObject(s->font);
            delete s;
            SetWindowLongPtrA(panel, GWLP_USERDATA, 0);
        }
        break;
    case WM_PAINT: Paint(panel); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case kCharmapSetFace: SetFace(panel, reinterpret_cast<const char*>(lParam)); return 0;
    case kCharmapGetSel: return StateOf(panel) ? StateOf(panel)->selected : -1;
    case kCharmapSetSel: Select(panel, static_cast<int>(wParam)); return 0;
    case WM_LBUTTONDOWN: {
        SetFocus(panel);
        const int code = CharmapCodeAt(panel, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        if (code >= 0)
            Select(panel, code);
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        if (CharmapCodeAt(panel, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))) >= 0)
            Notify(panel, kCharmapDblClk);
        return 0;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_LEFT: Step(panel, -1); return 0;
        case VK_RIGHT: Step(panel, 1); return 0;
        case VK_UP: Step(panel, -kColumns); return 0;
        case VK_DOWN: Step(panel, kColumns); return 0;
        default: break;
        }
        break;
    default: break;
    }
    return DefWindowProcA(panel, msg, wParam, lParam);
}

int CALLBACK AddFamily(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM combo)
{
    // Vertical faces ("@...") draw sideways; they are no use in a map of characters.
    if (lf->lfFaceName[0] == '@')
        return 1;
    HWND list = reinterpret_cast<HWND>(combo);
    if (SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(lf->lfFaceName))
        == CB_ERR)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lf->lfFaceName));
    return 1;
}

std::string ChosenFace(HWND dialog)
{
    char face[LF_FACESIZE] = "";
    HWND combo = GetDlgItem(dialog, IDC_SYM_FONT);
    const LRESULT i = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (i != CB_ERR && SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) < LF_FACESIZE)
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(face));
    return face;
}

void ShowCode(HWND dialog)
{
    const int code = static_cast<int>(SendDlgItemMessageA(dialog, IDC_SYM_PANEL, kCharmapGetSel, 0, 0));
    char text[32] = "";
    if (code >= 0)
        std::snprintf(text, sizeof text, "Code: %d (0x%02X)", code, code);
    SetDlgItemTextA(dialog, IDC_SYM_CODE, text);
}

void Choose(HWND dialog)
{
    const int code = static_cast<int>(SendDlgItemMessageA(dialog, IDC_SYM_PANEL, kCharmapGetSel, 0, 0));
    if (code <= 0) {
        MessageBeep(MB_OK);
        return;
    }
    FaceSlot() = ChosenFace(dialog);
    EndDialog(dialog, code);
}

}  // namespace

bool RegisterCharmapPanel(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    if (GetClassInfoA(instance, kCharmapPanelClass, &wc))
        return true;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = PanelProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kCharmapPanelClass;
    return RegisterClassA(&wc) != 0;
}

RECT CharmapCellRect(HWND panel, int code)
{
    int w, h;
    CellSize(panel, &w, &h);
    const int index = code - FirstCode(panel);
    RECT rc = {};
    if (index < 0 || code > 255)
        return rc;
    rc.left = (index % kColumns) * w;
    rc.top = (index / kColumns) * h;
    rc.right = rc.left + w - 1;
    rc.bottom = rc.top + h - 1;
    return rc;
}

int CharmapCodeAt(HWND panel, int x, int y)
{
    int w, h;
    CellSize(panel, &w, &h);
    if (x < 0 || y < 0 || x >= w * kColumns || y >= h * Rows(panel))
        return -1;
    return FirstCode(panel) + (y / h) * kColumns + x / w;
}

INT_PTR CALLBACK InsertSymbolDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (msg) {
    case WM_INITDIALOG: {
        HWND combo = GetDlgItem(dialog, IDC_SYM_FONT);
        HDC dc = GetDC(dialog);
        LOGFONTA lf = {};
        lf.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExA(dc, &lf, AddFamily, reinterpret_cast<LPARAM>(combo), 0);
        ReleaseDC(dialog, dc);
        const char* face = reinterpret_cast<const char*>(lParam);
        LRESULT i = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face));
        SendMessageA(combo, CB_SETCURSEL, i == CB_ERR ? 0 : i, 0);
        const std::string chosen = ChosenFace(dialog);
        SendDlgItemMessageA(dialog, IDC_SYM_PANEL, kCharmapSetFace, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
        CenterDialog(dialog, TRUE);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: Choose(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case IDC_SYM_FONT:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                const std::string face = ChosenFace(dialog);
                SendDlgItemMessageA(dialog, IDC_SYM_PANEL, kCharmapSetFace, 0, reinterpret_cast<LPARAM>(face.c_str()));
            }
            return TRUE;
        case IDC_SYM_PANEL:
            if (HIWORD(wParam) == kCharmapSelChange)
                ShowCode(dialog);
            else if (HIWORD(wParam) == kCharmapDblClk)
                Choose(dialog);
            return TRUE;
        default: break;
        }
        break;
    default: break;
    }
    return FALSE;
}

int RunInsertSymbol(HINSTANCE instance, HWND owner, const std::string& initialFace)
{
    if (!RegisterCharmapPanel(instance))
        return 0;
    const std::string face = FaceSlot().empty() ? initialFace : FaceSlot();
    const INT_PTR code = DialogBoxParamA(instance, "INSERTSYMBOL", owner, InsertSymbolDlgProc,
                                         reinterpret_cast<LPARAM>(face.c_str()));
    return code > 0 && code <= 255 ? static_cast<int>(code) : 0;
}

const std::string& RememberedSymbolFace()
{
    return FaceSlot();
}

// The engine's InsertSymbol hook: the dialog over the window, opening on the editor font's face.
int TWindowsEditor::InsertSymbol() noexcept
{
    try {
        LOGFONTA lf = {};
        if (font_)
            GetObjectA(font_, sizeof lf, &lf);
        auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE));
        return RunInsertSymbol(instance ? instance : GetModuleHandleA(nullptr), hwnd_, lf.lfFaceName);
    } catch (...) {
        return 0;
    }
}
