// The "VokDlg32" dialog class: dialog defaults, grey colouring, old-style frames, and dialog centring.
#include "controls/CtlDialog.h"

#include "controls/CtlLibrary.h"
#include "controls/CtlRules.h"
#include "controls/VokCtl.h"

namespace {

// Asks the dialog's own procedure first, so a dialog that colours a control itself keeps its colours.
LRESULT ColourControl(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    auto own = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(dlg, DWLP_DLGPROC));
    if (own) {
        if (INT_PTR brush = own(dlg, msg, wParam, lParam))
            return brush;
    }
    const TCtlLibrary& lib = CtlLibrary();
    if (!(lib.dialogMode & VOKDLG_GREY))
        return DefWindowProcA(dlg, msg, wParam, lParam);
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, kBlack);
    if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX) {
        SetBkColor(dc, kWhite);
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    SetBkColor(dc, lib.lightGrey);
    return reinterpret_cast<LRESULT>(lib.backgroundBrush);
}

bool WantsSunkenFrame(HWND child) noexcept
{
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    return lstrcmpiA(name, "Edit") == 0 || lstrcmpiA(name, "ListBox") == 0 || lstrcmpiA(name, "ComboBox") == 0;
}

// Old Windows draws no 3-D edges of its own: frame edit, list and combo boxes on the dialog's surface.
void DrawSunkenFrames(HWND dlg, HDC dc) noexcept
{
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child) || !WantsSunkenFrame(child))
            continue;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
        char name[16] = {};
        GetClassNameA(child, name, sizeof name);
        const TCtlLibrary& lib = CtlLibrary();
        if (lstrcmpiA(name, "ComboBox") == 0 && (GetWindowLongA(child, GWL_STYLE) & 3) != CBS_SIMPLE &&
            lib.comboArrowExtent > 0)
            r.bottom = r.top + lib.comboArrowExtent;
        InflateRect(&r, 1, 1);
        DrawBevel(dc, r, kDarkGrey, kWhite);
    }
}

// The caption drawn by the library on old Windows: centred title on the active or inactive caption colour.
void DrawOwnCaption(HWND dlg, bool active) noexcept
{
    TWindowDC whole(dlg, TWindowDC::TArea::Window);
    const HDC dc = whole.Dc();
    if (!dc)
        return;
    RECT window;
    GetWindowRect(dlg, &window);
    int frame = GetSystemMetrics(SM_CXDLGFRAME);
    RECT caption{frame, frame, window.right - window.left - frame,
                 frame + GetSystemMetrics(SM_CYCAPTION) - 1};
    FillSolid(dc, caption, GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    RECT outer{0, 0, window.right - window.left, window.bottom - window.top};
    DrawBevel(dc, outer, kWhite, kBlack);
    if (HBITMAP close = LoadBitmapA(nullptr, MAKEINTRESOURCEA(kSystemCloseBitmap))) {
        TGdiHandle<HBITMAP> owned(close);
        TMemoryDC mem(dc);
        TSelectObject useBitmap(mem.Dc(), close);
        int size = caption.bottom - caption.top;
        BitBlt(dc, caption.left, caption.top, size, size, mem.Dc(), 0, 0, SRCCOPY);
    }
    char title[128] = {};
    GetWindowTextA(dlg, title, sizeof title);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    TSelectObject useFont(dc, GetStockObject(SYSTEM_FONT));
    DrawTextA(dc, title, -1, &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT CALLBACK DialogClassProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    const TCtlLibrary& lib = CtlLibrary();
    switch (msg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return ColourControl(dlg, msg, wParam, lParam);
    case WM_PAINT:
        if (lib.oldWindows && (lib.dialogMode & VOKDLG_SUNKEN)) {
            LRESULT result = DefDlgProcA(dlg, msg, wParam, lParam);
            DrawSunkenFrames(dlg, TWindowDC(dlg).Dc());
            return result;
        }
        break;
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        if (lib.oldWindows && (lib.dialogMode & VOKDLG_OWNFRAME) && (GetWindowLongA(dlg, GWL_STYLE) & WS_CAPTION)) {
            LRESULT result = DefDlgProcA(dlg, msg, wParam, lParam);
            DrawOwnCaption(dlg, msg == WM_NCACTIVATE ? wParam != 0 : GetActiveWindow() == dlg);
            return msg == WM_NCACTIVATE ? TRUE : result;
        }
        break;
    default:
        break;
    }
    return DefDlgProcA(dlg, msg, wParam, lParam);
}

}  // namespace

bool RegisterDialogClass(HINSTANCE instance) noexcept
{
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = DialogClassProc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = VOKCTL_DIALOG_CLASS;
    return RegisterCtlClass(wc);
}

extern "C" void VOKCTLAPI CenterDialog(HWND window, BOOL overParent)
{
    if (!window || !IsWindow(window))
        return;
    HWND parent = overParent ? GetParent(window) : nullptr;
    if (!parent)
        parent = GetDesktopWindow();
    RECT windowRect, reference;
    GetWindowRect(window, &windowRect);
    GetWindowRect(parent, &reference);
    SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    POINT position;
    if (!CenteredPosition(windowRect, reference, screen, position))
        return;
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)
        ScreenToClient(GetParent(window), &position);
    SetWindowPos(window, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
