// Push, radio, check and group buttons drawn in the library's style; they answer the standard BM_ messages.
#include "controls/CtlButton.h"

#include "base/win32/WindowObject.h"
#include "controls/CtlLibrary.h"
#include "controls/VokCtl.h"

namespace {

// One button window. Its behaviour comes from the BS_ type in its style; a radio or check class whose
// template gives no type behaves as the automatic kind. Does not own its font.
class TCtlButton {
public:
    explicit TCtlButton(HWND hwnd) noexcept : hwnd(hwnd) {}
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

private:
    enum class Kind { Push, Check, Radio, Group };

    UINT Type() const noexcept;
    Kind GetKind() const noexcept;
    bool IsDefault() const noexcept { return Type() == BS_DEFPUSHBUTTON; }
    UINT DialogCode() const noexcept;
    void SetCheck(UINT value) noexcept;
    void SetPushed(bool value) noexcept;
    void Click() noexcept;
    void UncheckGroupSiblings() noexcept;
    void OnButtonDown() noexcept;
    void OnButtonUp() noexcept;
    void Paint(HDC dc) noexcept;
    void PaintPush(HDC dc, const RECT& r) noexcept;
    void PaintMark(HDC dc, const RECT& r, Kind kind) noexcept;
    void PaintGroup(HDC dc, const RECT& r) noexcept;
    void DrawLabel(HDC dc, RECT r, UINT format) noexcept;
    void Redraw() noexcept { InvalidateRect(hwnd, nullptr, FALSE); }

    HWND hwnd;
    HFONT font = nullptr;
    UINT check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    bool tracking = false;
};

UINT TCtlButton::Type() const noexcept
{
    UINT type = GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_PUSHBUTTON) {
        char name[16] = {};
        GetClassNameA(hwnd, name, sizeof name);
        if (lstrcmpiA(name, VOKCTL_RADIO_CLASS) == 0)
            return BS_AUTORADIOBUTTON;
        if (lstrcmpiA(name, VOKCTL_CHECK_CLASS) == 0)
            return BS_AUTOCHECKBOX;
    }
    return type;
}

TCtlButton::Kind TCtlButton::GetKind() const noexcept
{
    switch (Type()) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return Kind::Check;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return Kind::Radio;
    case BS_GROUPBOX:
        return Kind::Group;
    default:
        return Kind::Push;
    }
}

UINT TCtlButton::DialogCode() const noexcept
{
    switch (GetKind()) {
    case Kind::Push:
        return DLGC_BUTTON | (IsDefault() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case Kind::Radio:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case Kind::Group:
        return DLGC_STATIC;
    default:
        return DLGC_BUTTON;
    }
}

void TCtlButton::SetCheck(UINT value) noexcept
{
    UINT type = Type();
    UINT limit = (type == BS_3STATE || type == BS_AUTO3STATE) ? BST_INDETERMINATE : BST_CHECKED;
    if (value > limit)
        value = limit;
    if (value == check)
        return;
    check = value;
    // A checked radio button is where Tab lands in its group.
    if (GetKind() == Kind::Radio) {
        LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        SetWindowLongA(hwnd, GWL_STYLE, check ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
    Redraw();
}

void TCtlButton::SetPushed(bool value) noexcept
{
    if (pushed != value) {
        pushed = value;
        Redraw();
    }
}

void TCtlButton::UncheckGroupSiblings() noexcept
{
    HWND parent = GetParent(hwnd);
    if (!parent)
        return;
    HWND start = GetNextDlgGroupItem(parent, hwnd, FALSE);
    for (HWND other = start; other && other != hwnd; other = GetNextDlgGroupItem(parent, other, FALSE)) {
        if (SendMessageA(other, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
            SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
        if (GetNextDlgGroupItem(parent, other, FALSE) == start)
            break;
    }
}

void TCtlButton::Click() noexcept
{
    switch (Type()) {
    case BS_AUTOCHECKBOX:
        SetCheck(check ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTO3STATE:
        SetCheck((check + 1) % 3);
        break;
    case BS_AUTORADIOBUTTON:
        SetCheck(BST_CHECKED);
        UncheckGroupSiblings();
        break;
    default:
        break;
    }
    HWND parent = GetParent(hwnd);
    if (parent)
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd));
}

void TCtlButton::OnButtonDown() noexcept
{
    if (GetKind() == Kind::Group)
        return;
    SetFocus(hwnd);
    SetCapture(hwnd);
    tracking = true;
    SetPushed(true);
}

void TCtlButton::OnButtonUp() noexcept
{
    if (!tracking)
        return;
    bool wasPushed = pushed;
    tracking = false;
    SetPushed(false);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (wasPushed)
        Click();
}

void TCtlButton::DrawLabel(HDC dc, RECT r, UINT format) noexcept
{
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    TSelectObject useFont(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    if (!IsWindowEnabled(hwnd)) {
        OffsetRect(&r, 1, 1);
        SetTextColor(dc, kWhite);
        DrawTextA(dc, text, -1, &r, format);
        OffsetRect(&r, -1, -1);
        SetTextColor(dc, kDarkGrey);
    } else {
        SetTextColor(dc, kBlack);
    }
    DrawTextA(dc, text, -1, &r, format);
    if (focused && GetKind() != Kind::Push) {
        RECT box = r;
        DrawTextA(dc, text, -1, &box, format | DT_CALCRECT);
        InflateRect(&box, 1, 1);
        DrawFocusRect(dc, &box);
    }
}

void TCtlButton::PaintPush(HDC dc, const RECT& client) noexcept
{
    const TCtlLibrary& lib = CtlLibrary();
    RECT r = client;
    FillSolid(dc, r, lib.lightGrey);
    RECT border = r;
    DrawBevel(dc, border, kBlack, kBlack);
    InflateRect(&border, -1, -1);
    if (IsDefault()) {
        DrawBevel(dc, border, kBlack, kBlack);
        InflateRect(&border, -1, -1);
    }
    bool down = pushed || check == BST_CHECKED;
    if (down) {
        DrawBevel(dc, border, kDarkGrey, lib.lightGrey);
    } else {
        DrawBevel(dc, border, kWhite, kDarkGrey);
        InflateRect(&border, -1, -1);
        DrawBevel(dc, border, kWhite, kDarkGrey);
    }
    RECT label = client;
    if (down)
        OffsetRect(&label, 1, 1);
    DrawLabel(dc, label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (focused) {
        RECT focus = client;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

void TCtlButton::PaintMark(HDC dc, const RECT& r, Kind kind) noexcept
{
    const TCtlLibrary& lib = CtlLibrary();
    int cell = lib.marks.Loaded() ? lib.marks.Size().cy : 13;
    int top = r.top + (r.bottom - r.top - cell) / 2;
    int index = kind == Kind::Radio ? 3 + (check ? 1 : 0) : static_cast<int>(check);
    if (lib.marks.Loaded()) {
        lib.marks.Draw(dc, r.left, top, index * cell, 0, cell, cell);
    } else {
        // No mark bitmaps at this resolution: draw a plain box or circle with a cross or a dot.
        RECT box{r.left, top, r.left + cell, top + cell};
        TSelectObject pen(dc, GetStockObject(BLACK_PEN));
        TSelectObject brush(dc, GetStockObject(index == 2 ? LTGRAY_BRUSH : WHITE_BRUSH));
        if (kind == Kind::Radio) {
            Ellipse(dc, box.left, box.top, box.right, box.bottom);
            if (check) {
                TSelectObject dot(dc, GetStockObject(BLACK_BRUSH));
                Ellipse(dc, box.left + 3, box.top + 3, box.right - 3, box.bottom - 3);
            }
        } else {
            Rectangle(dc, box.left, box.top, box.right, box.bottom);
            if (check) {
                MoveToEx(dc, box.left + 2, box.top + 2, nullptr);
                LineTo(dc, box.right - 2, box.bottom - 2);
                MoveToEx(dc, box.right - 3, box.top + 2, nullptr);
                LineTo(dc, box.left + 1, box.bottom - 2);
            }
        }
    }
    RECT label{r.left + cell + 4, r.top, r.right, r.bottom};
    DrawLabel(dc, label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void TCtlButton::PaintGroup(HDC dc, const RECT& r) noexcept
{
    TSelectObject useFont(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    RECT frame{r.left, r.top + tm.tmHeight / 2, r.right, r.bottom};
    DrawBevel(dc, frame, ShadowColour(), HighlightColour());
    InflateRect(&frame, -1, -1);
    DrawBevel(dc, frame, HighlightColour(), ShadowColour());
    char text[256] = {};
    if (GetWindowTextA(hwnd, text, sizeof text) > 0) {
        RECT label{r.left + 8, r.top, r.right - 8, r.top + tm.tmHeight};
        RECT extent = label;
        DrawTextA(dc, text, -1, &extent, DT_SINGLELINE | DT_CALCRECT);
        extent.right += 4;
        extent.left = label.left - 2;
        HBRUSH background = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(hwnd), WM_CTLCOLORSTATIC,
            reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
        FillRect(dc, &extent, background ? background : GetSysColorBrush(COLOR_BTNFACE));
        DrawLabel(dc, label, DT_LEFT | DT_TOP | DT_SINGLELINE);
    }
}

void TCtlButton::Paint(HDC dc) noexcept
{
    RECT r;
    GetClientRect(hwnd, &r);
    Kind kind = GetKind();
    if (kind == Kind::Push) {
        PaintPush(dc, r);
        return;
    }
    HWND parent = GetParent(hwnd);
    HBRUSH background = reinterpret_cast<HBRUSH>(SendMessageA(parent, WM_CTLCOLORBTN,
        reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    if (kind != Kind::Group)
        FillRect(dc, &r, background ? background : GetSysColorBrush(COLOR_BTNFACE));
    if (kind == Kind::Group)
        PaintGroup(dc, r);
    else
        PaintMark(dc, r, kind);
}

LRESULT TCtlButton::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (msg) {
    case WM_CREATE: {
        // Spell the automatic kind out in the style: the dialog manager reads it there for arrow-key moves.
        LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        if ((style & BS_TYPEMASK) == BS_PUSHBUTTON && Type() != BS_PUSHBUTTON)
            SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style | Type()));
        return 0;
    }
    case WM_GETDLGCODE:
        return DialogCode();
    case BM_GETCHECK:
        return check;
    case BM_SETCHECK:
        SetCheck(static_cast<UINT>(wParam));
        return 0;
    case BM_GETSTATE:
        return check | (pushed ? BST_PUSHED : 0) | (focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
        SetPushed(wParam != 0);
        return 0;
    case BM_SETSTYLE: {
        LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        SetWindowLongA(hwnd, GWL_STYLE, (style & ~BS_TYPEMASK) | (static_cast<LONG>(wParam) & BS_TYPEMASK));
        if (lParam)
            Redraw();
        return 0;
    }
    case BM_CLICK:
        if (IsWindowEnabled(hwnd))
            Click();
        return 0;
    case WM_SETFONT:
        font = reinterpret_cast<HFONT>(wParam);
        if (lParam)
            Redraw();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font);
    case WM_SETTEXT:
    case WM_ENABLE: {
        LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
        Redraw();
        return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        focused = msg == WM_SETFOCUS;
        if (!focused && tracking)
            OnButtonUp();
        Redraw();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown();
        return 0;
    case WM_MOUSEMOVE:
        if (tracking) {
            RECT r;
            GetClientRect(hwnd, &r);
            POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            SetPushed(PtInRect(&r, pt) != 0);
        }
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        if (tracking && reinterpret_cast<HWND>(lParam) != hwnd) {
            tracking = false;
            SetPushed(false);
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && GetKind() != Kind::Group) {
            tracking = true;
            SetPushed(true);
            return 0;
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE && tracking)
            OnButtonUp();
        return 0;
    case WM_NCHITTEST:
        if (GetKind() == Kind::Group)
            return HTTRANSPARENT;
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        TPaintScope paint(hwnd);
        Paint(paint.Dc());
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

const char* const kClassNames[] = {VOKCTL_BUTTON_CLASS, VOKCTL_RADIO_CLASS, VOKCTL_CHECK_CLASS};

}  // namespace

bool RegisterButtonClasses(HINSTANCE instance) noexcept
{
    for (const char* name : kClassNames) {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = WindowObjectProc<TCtlButton>;
        wc.cbWndExtra = sizeof(void*);
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = name;
        if (!RegisterCtlClass(wc))
            return false;
    }
    return true;
}
