// The bitmap, shade and text controls: small static windows drawn in the library's colours.
#include "controls/CtlStatic.h"

#include "base/win32/WindowObject.h"
#include "controls/CtlLibrary.h"
#include "controls/VokCtl.h"

namespace {

HBRUSH ParentBackground(HWND hwnd, HDC dc) noexcept
{
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(hwnd), WM_CTLCOLORSTATIC,
        reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
    return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

// Shows the library bitmap its own id names (the message-box icons 901..904), centred and transparent.
class TCtlBitmap {
public:
    explicit TCtlBitmap(HWND hwnd) noexcept : hwnd(hwnd) {}
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept
    {
        switch (msg) {
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
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        }
    }

private:
    void Paint(HDC dc) noexcept
    {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(dc, &r, ParentBackground(hwnd, dc));
        if (const TMaskedBitmap* icon = IconBitmap(GetDlgCtrlID(hwnd))) {
            SIZE s = icon->Size();
            icon->Draw(dc, (r.right - s.cx) / 2, (r.bottom - s.cy) / 2);
        }
    }

    HWND hwnd;
};

// A sunken or raised line or frame; the style's low byte chooses which.
class TCtlShade {
public:
    explicit TCtlShade(HWND hwnd) noexcept : hwnd(hwnd) {}
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept
    {
        switch (msg) {
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
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_SIZE:
        case WM_MOVE:
            if (Style() == VOKSHADE_PARENTFRAME)
                InvalidateOnParent();
            break;
        default:
            break;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }

private:
    int Style() const noexcept { return GetWindowLongA(hwnd, GWL_STYLE) & 0xFF; }

    void InvalidateOnParent() noexcept
    {
        RECT r;
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
        InflateRect(&r, 1, 1);
        InvalidateRect(GetParent(hwnd), &r, TRUE);
    }

    void Paint(HDC dc) noexcept
    {
        RECT r;
        GetClientRect(hwnd, &r);
        if (Style() == VOKSHADE_PARENTFRAME) {
            // Drawn on the parent's surface around the control, so what lies under it stays visible.
            HWND parent = GetParent(hwnd);
            RECT outer;
            GetWindowRect(hwnd, &outer);
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&outer), 2);
            InflateRect(&outer, 1, 1);
            PaintShade(TWindowDC(parent).Dc(), outer, VOKSHADE_PARENTFRAME, nullptr);
            return;
        }
        PaintShade(dc, r, Style(), ParentBackground(hwnd, dc));
    }

    HWND hwnd;
};

// Static text with its own weight, slant and underline, and colours set by message. Owns the font it derives
// from the one it is given; the given font stays the caller's.
class TCtlText {
public:
    static constexpr COLORREF kParentColour = CLR_INVALID;

    explicit TCtlText(HWND hwnd) noexcept : hwnd(hwnd) {}
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept
    {
        switch (msg) {
        case WM_SETFONT:
            SetFont(reinterpret_cast<HFONT>(wParam));
            if (lParam)
                InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(ownFont ? ownFont.Get() : givenFont);
        case VOKTEXT_SETTEXTCOLOR:
            return Swap(textColour, static_cast<COLORREF>(lParam));
        case VOKTEXT_SETBKCOLOR:
            return Swap(backColour, static_cast<COLORREF>(lParam));
        case WM_SETTEXT: {
            LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return result;
        }
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
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        }
    }

private:
    LRESULT Swap(COLORREF& slot, COLORREF value) noexcept
    {
        COLORREF old = slot;
        slot = value;
        InvalidateRect(hwnd, nullptr, TRUE);
        return static_cast<LRESULT>(old);
    }

    void SetFont(HFONT font) noexcept
    {
        givenFont = font;
        ownFont.Reset();
        LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        if (!(style & (VOKTEXT_NORMAL | VOKTEXT_BOLD | VOKTEXT_ITALIC | VOKTEXT_UNDERLINE)))
            return;
        LOGFONTA lf{};
        if (!GetObjectA(font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf))
            return;
        if (style & VOKTEXT_NORMAL)
            lf.lfWeight = FW_NORMAL;
        if (style & VOKTEXT_BOLD)
            lf.lfWeight = FW_BOLD;
        if (style & VOKTEXT_ITALIC)
            lf.lfItalic = TRUE;
        if (style & VOKTEXT_UNDERLINE)
            lf.lfUnderline = TRUE;
        ownFont.Reset(CreateFontIndirectA(&lf));
    }

    void Paint(HDC dc) noexcept
    {
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH parentBrush = ParentBackground(hwnd, dc);
        if (backColour == kParentColour) {
            FillRect(dc, &r, parentBrush);
        } else {
            FillSolid(dc, r, backColour);
        }
        TWindowText text(hwnd);
        HFONT font = ownFont ? ownFont.Get() : givenFont;
        TSelectObject useFont(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, textColour == kParentColour ? kBlack : textColour);
        LONG style = GetWindowLongA(hwnd, GWL_STYLE);
        UINT align = (style & 3) == SS_CENTER ? DT_CENTER : ((style & 3) == SS_RIGHT ? DT_RIGHT : DT_LEFT);
        UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        DrawTextA(dc, text.Get(), -1, &r, align | prefix | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS);
    }

    HWND hwnd;
    HFONT givenFont = nullptr;
    TGdiHandle<HFONT> ownFont;
    COLORREF textColour = kParentColour;
    COLORREF backColour = kParentColour;
};

struct TStaticClass {
    const char* name;
    WNDPROC proc;
};

const TStaticClass kClasses[] = {
    {VOKCTL_BITMAP_CLASS, WindowObjectProc<TCtlBitmap>},
    {VOKCTL_SHADE_CLASS, WindowObjectProc<TCtlShade>},
    {VOKCTL_TEXT_CLASS, WindowObjectProc<TCtlText>},
};

}  // namespace

void PaintShade(HDC dc, const RECT& r, int style, HBRUSH background) noexcept
{
    COLORREF dark = ShadowColour();
    COLORREF light = HighlightColour();
    int midY = r.top + (r.bottom - r.top) / 2;
    int midX = r.left + (r.right - r.left) / 2;
    if (background && style != VOKSHADE_WHITEFRAME && style != VOKSHADE_PARENTFRAME)
        FillRect(dc, &r, background);
    switch (style) {
    case VOKSHADE_WHITEFRAME:
        FillSolid(dc, r, kWhite);
        DrawBevel(dc, r, dark, light);
        break;
    case VOKSHADE_SUNKENFRAME:
    case VOKSHADE_PARENTFRAME:
        DrawBevel(dc, r, dark, light);
        break;
    case VOKSHADE_SUNKENHLINE:
        DrawHLine(dc, r.left, r.right, midY - 1, dark);
        DrawHLine(dc, r.left, r.right, midY, light);
        break;
    case VOKSHADE_SUNKENVLINE:
        DrawVLine(dc, midX - 1, r.top, r.bottom, dark);
        DrawVLine(dc, midX, r.top, r.bottom, light);
        break;
    case VOKSHADE_RAISEDHLINE:
        DrawHLine(dc, r.left, r.right, midY - 1, light);
        DrawHLine(dc, r.left, r.right, midY, dark);
        break;
    case VOKSHADE_RAISEDVLINE:
        DrawVLine(dc, midX - 1, r.top, r.bottom, light);
        DrawVLine(dc, midX, r.top, r.bottom, dark);
        break;
    case VOKSHADE_RAISEDFRAME:
        DrawBevel(dc, r, light, dark);
        break;
    default:
        break;
    }
}

bool RegisterStaticClasses(HINSTANCE instance) noexcept
{
    for (const TStaticClass& c : kClasses) {
        WNDCLASSA wc{};
                wc.lpfnWndProc = c.proc;
        wc.cbWndExtra = sizeof(void*);
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = c.name;
        if (!RegisterCtlClass(wc))
            return false;
    }
    return true;
}
