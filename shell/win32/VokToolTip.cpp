// The tool-tip pop-up: a borderless topmost window that shows its own title on the tip colour.
#include "shell/win32/VokToolTip.h"

#include "base/win32/GdiTools.h"

namespace {

HWND g_tip = nullptr;
int g_users = 0;
HINSTANCE g_instance = nullptr;

LRESULT CALLBACK ToolTipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (msg) {
    case WM_PAINT: {
        TPaintScope paint(hwnd);
        RECT r;
        GetClientRect(hwnd, &r);
        FillSolid(paint.Dc(), r, GetSysColor(COLOR_INFOBK));
        char text[256] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        TSelectObject font(paint.Dc(), GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(paint.Dc(), TRANSPARENT);
        SetTextColor(paint.Dc(), GetSysColor(COLOR_INFOTEXT));
        DrawTextA(paint.Dc(), text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        return 0;
    }
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCDESTROY:
        if (hwnd == g_tip)
            g_tip = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND EnsureWindow() noexcept
{
    if (!g_tip) {
        g_tip = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TVokToolTip::kClassName, "", WS_POPUP | WS_BORDER,
                                0, 0, 10, 10, nullptr, nullptr, g_instance, nullptr);
    }
    return g_tip;
}

}  // namespace

POINT ToolTipPosition(const RECT* button, POINT cursor, SIZE tip, SIZE screen, int cursorHeight) noexcept
{
    POINT p;
    if (button) {
        p.x = (button->left + button->right) / 2 - tip.cx / 2;
        p.y = button->bottom + 1;
    } else {
        p.x = cursor.x;
        p.y = cursor.y + cursorHeight * 2 / 3;
    }
    if (p.x + tip.cx > screen.cx)
        p.x = screen.cx - tip.cx;
    if (p.x < 0)
        p.x = 0;
    if (p.y + tip.cy > screen.cy)
        p.y = cursor.y - tip.cy - 1;
    return p;
}

bool TVokToolTip::RegisterClass(HINSTANCE instance) noexcept
{
    g_instance = instance;
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, kClassName, &existing))
        return true;
    WNDCLASSA wc{};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = ToolTipProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return ::RegisterClassA(&wc) != 0;
}

void TVokToolTip::AddUser() noexcept
{
    ++g_users;
}

void TVokToolTip::ReleaseUser() noexcept
{
    if (g_users > 0 && --g_users == 0 && g_tip)
        DestroyWindow(g_tip);
}

void TVokToolTip::Show(const char* text, const RECT* button) noexcept
{
    HWND tip = EnsureWindow();
    if (!tip || !text || !*text)
        return;
    SetWindowTextA(tip, text);
    SIZE extent{};
    {
        TWindowDC dc(tip);
        TSelectObject font(dc.Dc(), GetStockObject(DEFAULT_GUI_FONT));
        GetTextExtentPoint32A(dc.Dc(), text, lstrlenA(text), &extent);
    }
    SIZE size{extent.cx + 8, extent.cy + 4};
    POINT cursor{};
    GetCursorPos(&cursor);
    SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    POINT at = ToolTipPosition(button, cursor, size, screen, GetSystemMetrics(SM_CYCURSOR));
    SetWindowPos(tip, HWND_TOPMOST, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(tip, nullptr, TRUE);
}

void TVokToolTip::Hide() noexcept
{
    if (g_tip && IsWindowVisible(g_tip))
        ShowWindow(g_tip, SW_HIDE);
}

bool TVokToolTip::IsShown() noexcept
{
    return g_tip && IsWindowVisible(g_tip);
}

HWND TVokToolTip::Handle() noexcept
{
    return g_tip;
}
