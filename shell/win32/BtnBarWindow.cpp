// The button bar window: lays out its items, draws them in two looks, tracks presses and shows tool tips.
#include "shell/win32/BtnBarWindow.h"

#include <cstring>

#include "base/win32/GdiTools.h"
#include "base/win32/WindowObject.h"
#include "shell/win32/VokToolTip.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kShadow = RGB(128, 128, 128);

bool ResourceTipText(UINT command, char* buffer, int size, void* context) noexcept
{
    char text[512] = {};
    if (LoadStringA(static_cast<HINSTANCE>(context), command, text, sizeof text) <= 0)
        return false;
    const char* tip = std::strchr(text, '\n');
    if (!tip || !tip[1])
        return false;
    lstrcpynA(buffer, tip + 1, size);
    return true;
}

SIZE BitmapSize(HBITMAP bitmap) noexcept
{
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

bool ApplicationInForeground() noexcept
{
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground)
        GetWindowThreadProcessId(foreground, &process);
    return process == GetCurrentProcessId();
}

}  // namespace

bool TBtnBarWindow::IsButton(int index) const noexcept
{
    const TBtnItem* item = Item(index);
    return item && (item->kind == TBtnItemKind::Push || item->kind == TBtnItemKind::Immediate);
}

void TBtnBarWindow::SetNotify(UINT message, int left, int top) noexcept
{
    commandMessage = message;
    marginLeft = left;
    marginTop = top;
    Layout();
}

void TBtnBarWindow::SetStyle(UINT newStyle, bool repaint) noexcept
{
    style = newStyle & 0xFFFF;
    LONG windowStyle = GetWindowLongA(hwnd, GWL_STYLE);
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>((windowStyle & 0xFFFF0000) | style));
    if (!(style & kBtnBarTips))
        HideTip();
    Layout();
    if (repaint)
        InvalidateRect(hwnd, nullptr, TRUE);
}

void TBtnBarWindow::Layout() noexcept
{
    int x = marginLeft;
    int buttonHeight = ButtonHeight();
    for (int i = 0; i < count; ++i) {
        TBtnItem& item = items[i];
        int width = kBtnBarSeparatorWidth;
        int height = buttonHeight;
        int top = marginTop;
        if (item.kind == TBtnItemKind::Control) {
            RECT r;
            GetWindowRect(item.control, &r);
            width = r.right - r.left;
            height = r.bottom - r.top;
            if (buttonHeight)
                top = marginTop + (buttonHeight - height) / 2;
            SetWindowPos(item.control, nullptr, x, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (item.kind != TBtnItemKind::Separator) {
            SIZE s = BitmapSize(item.bitmap);
            width = s.cx + 3 + (Is3x() ? 2 : 0);
        }
        item.rect = {x, top, x + width, top + height};
        x += width - (Is3x() ? 1 : 0);
    }
}

bool TBtnBarWindow::AddItem(TBtnItemKind kind, UINT command, HBITMAP bitmap, HWND control, UINT flags) noexcept
{
    if (count >= kBtnBarMaxItems)
        return false;
    if (kind == TBtnItemKind::Control && (!control || !IsWindow(control)))
        return false;
    if (kind != TBtnItemKind::Control && (command == 0 || !bitmap))
        kind = TBtnItemKind::Separator;
    TBtnItem& item = items[count];
    item = TBtnItem{};
    item.kind = kind;
    item.command = command;
    item.flags = flags & (kBtnDisabled | kBtnChecked | kBtnOwnsBitmap);
    item.bitmap = bitmap;
    item.control = kind == TBtnItemKind::Control ? control : nullptr;
    if (item.control && GetParent(item.control) != hwnd)
        SetParent(item.control, hwnd);
    if (kind != TBtnItemKind::Control && kind != TBtnItemKind::Separator && bitmapHeight == 0)
        bitmapHeight = BitmapSize(bitmap).cy;
    ++count;
    Layout();
    InvalidateRect(hwnd, nullptr, TRUE);
    return true;
}

int TBtnBarWindow::IndexAt(POINT client) const noexcept
{
    for (int i = 0; i < count; ++i) {
        if (PtInRect(&items[i].rect, client))
            return i;
    }
    return -1;
}

int TBtnBarWindow::IndexOf(UINT command) const noexcept
{
    if (command == 0)
        return -1;
    for (int i = 0; i < count; ++i) {
        if (items[i].command == command)
            return i;
    }
    return -1;
}

void TBtnBarWindow::SetState(UINT command, UINT state, bool on) noexcept
{
    int index = IndexOf(command);
    if (index < 0)
        return;
    UINT mask = state & (kBtnPressed | kBtnDisabled | kBtnChecked);
    UINT old = items[index].flags;
    items[index].flags = on ? (old | mask) : (old & ~mask);
    if (items[index].control && (mask & kBtnDisabled))
        EnableWindow(items[index].control, on ? FALSE : TRUE);
    if (items[index].flags != old)
        RedrawItem(index);
}

void TBtnBarWindow::SetTipSource(TTipTextFn source, void* context) noexcept
{
    tipSource = source;
    tipContext = source ? context : reinterpret_cast<void*>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
}

void TBtnBarWindow::RedrawItem(int index) noexcept
{
    if (const TBtnItem* item = Item(index))
        InvalidateRect(hwnd, &item->rect, FALSE);
}

// Sends a notification; false when the parent destroyed the bar meanwhile, so nothing more may be touched.
bool TBtnBarWindow::Notify(WORD code) noexcept
{
    HWND self = hwnd;
    HWND parent = GetParent(self);
    if (parent)
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(self), code), reinterpret_cast<LPARAM>(self));
    return IsWindow(self) != 0;
}

// Posted, not sent: a command may close the window that holds the bar.
void TBtnBarWindow::SendCommand(UINT command) noexcept
{
    if (HWND parent = GetParent(hwnd))
        PostMessageA(parent, commandMessage, command, 0);
}

void TBtnBarWindow::OnButtonDown(POINT pt) noexcept
{
    HideTip();
    int index = IndexAt(pt);
    tipSilenced = index;
    if (style & kBtnBarTips)
        StartTipTimer(kTipPollDelay);
    if (!IsButton(index) || (items[index].flags & kBtnDisabled))
        return;
    if (items[index].kind == TBtnItemKind::Immediate) {
        SendCommand(items[index].command);
        return;
    }
    SetCapture(hwnd);
    pressedItem = index + 1;
    items[index].flags |= kBtnPressed;
    RedrawItem(index);
    (void)Notify(kBtnBarPressed);
}

void TBtnBarWindow::OnMouseMove(POINT pt) noexcept
{
    if (pressedItem) {
        int index = pressedItem - 1;
        bool over = IndexAt(pt) == index;
        UINT old = items[index].flags;
        items[index].flags = over ? (old | kBtnPressed) : (old & ~kBtnPressed);
        if (items[index].flags != old)
            RedrawItem(index);
        return;
    }
    if (!Notify(kBtnBarMouseOver))
        return;
    if (!(style & kBtnBarTips))
        return;
    int index = IndexAt(pt);
    if (index != tipSilenced)
        tipSilenced = -1;
    if (tipItem < 0 && tipPending < 0 && (pt.x != tipPoint.x || pt.y != tipPoint.y)) {
        tipPoint = pt;
        if (IsButton(index) && index != tipSilenced)
            StartTipTimer(kTipRestDelay);
    }
}

void TBtnBarWindow::OnButtonUp(POINT pt) noexcept
{
    if (!pressedItem)
        return;
    int index = pressedItem - 1;
    pressedItem = 0;
    items[index].flags &= ~kBtnPressed;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    RedrawItem(index);
    UINT command = items[index].command;
    bool over = IndexAt(pt) == index;
    if (!Notify(kBtnBarReleased))
        return;
    if (over)
        SendCommand(command);
}

void TBtnBarWindow::OnCaptureLost() noexcept
{
    if (!pressedItem)
        return;
    int index = pressedItem - 1;
    pressedItem = 0;
    items[index].flags &= ~kBtnPressed;
    RedrawItem(index);
}

void TBtnBarWindow::StartTipTimer(UINT delay) noexcept
{
    SetTimer(hwnd, kBtnBarTipTimer, delay, nullptr);
    tipTimer = true;
}

void TBtnBarWindow::HideTip() noexcept
{
    if (tipItem >= 0)
        TVokToolTip::Hide();
    tipItem = -1;
    tipPending = -1;
}

void TBtnBarWindow::ShowTip(int index) noexcept
{
    char text[256] = {};
    tipItem = index;
    TTipTextFn source = tipSource ? tipSource : ResourceTipText;
    if (!source(items[index].command, text, sizeof text, tipContext) || !text[0]) {
        TVokToolTip::Hide();
        return;
    }
    RECT button = items[index].rect;
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&button), 2);
    TVokToolTip::Show(text, &button);
}

void TBtnBarWindow::OnTipTimer() noexcept
{
    POINT screen;
    GetCursorPos(&screen);
    POINT pt = screen;
    ScreenToClient(hwnd, &pt);
    if (WindowFromPoint(screen) != hwnd || !ApplicationInForeground() || !(style & kBtnBarTips)) {
        HideTip();
        tipSilenced = -1;
        KillTimer(hwnd, kBtnBarTipTimer);
        tipTimer = false;
        return;
    }
    int index = IndexAt(pt);
    if (index != tipSilenced)
        tipSilenced = -1;
    bool button = IsButton(index) && index != tipSilenced && !pressedItem;
    if (tipPending >= 0) {
        int pending = tipPending;
        tipPending = -1;
        if (index == pending && button)
            ShowTip(index);
        StartTipTimer(kTipPollDelay);
        return;
    }
    if (tipItem >= 0) {
        if (index == tipItem) {
            StartTipTimer(kTipPollDelay);
        } else if (button) {
            tipPending = index;
            StartTipTimer(kTipMoveDelay);
        } else {
            HideTip();
            StartTipTimer(kTipPollDelay);
        }
        return;
    }
    if (button && pt.x == tipPoint.x && pt.y == tipPoint.y) {
        ShowTip(index);
        StartTipTimer(kTipPollDelay);
    } else if (button) {
        tipPoint = pt;
        StartTipTimer(kTipRestDelay);
    } else {
        StartTipTimer(kTipPollDelay);
    }
}

void TBtnBarWindow::PaintItem(HDC dc, const TBtnItem& item) noexcept
{
    if (item.kind != TBtnItemKind::Push && item.kind != TBtnItemKind::Immediate)
        return;
    RECT r = item.rect;
    bool down = (item.flags & (kBtnPressed | kBtnChecked)) != 0;
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    FillSolid(dc, r, (item.flags & kBtnChecked) && !(item.flags & kBtnPressed) ? RGB(224, 224, 224) : face);
    int inset;
    if (Is3x()) {
        DrawBevel(dc, r, kBlack, kBlack);
        InflateRect(&r, -1, -1);
        if (down) {
            DrawBevel(dc, r, kShadow, face);
        } else {
            DrawBevel(dc, r, kWhite, kShadow);
            InflateRect(&r, -1, -1);
            DrawBevel(dc, r, face, kShadow);
        }
        inset = 2;
    } else {
        if (down) {
            DrawBevel(dc, r, kShadow, kWhite);
        } else {
            DrawBevel(dc, r, kWhite, kShadow);
        }
        inset = 1;
    }
    int x = item.rect.left + inset + (down ? 1 : 0);
    int y = item.rect.top + inset + (down ? 1 : 0);
    SIZE s = BitmapSize(item.bitmap);
    if (item.flags & kBtnDisabled) {
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(item.bitmap), 0, x, y, s.cx, s.cy,
                   DST_BITMAP | DSS_DISABLED);
    } else {
        TMemoryDC mem(dc);
        TSelectObject useBitmap(mem.Dc(), item.bitmap);
        BitBlt(dc, x, y, s.cx, s.cy, mem.Dc(), 0, 0, SRCCOPY);
    }
}

void TBtnBarWindow::Paint(HDC dc, const RECT& area) noexcept
{
    RECT client;
    GetClientRect(hwnd, &client);
    FillSolid(dc, area, GetSysColor(COLOR_BTNFACE));
    UINT frame = style & 0xFF;
    if (frame & 0x30)
        DrawHLine(dc, client.left, client.right, client.bottom - 1, kBlack);
    if (frame & 0x02) {
        DrawHLine(dc, client.left, client.right, client.top, kWhite);
        if (!(frame & 0x30))
            DrawHLine(dc, client.left, client.right, client.bottom - 1, kShadow);
    }
    for (int i = 0; i < count; ++i) {
        RECT overlap;
        if (IntersectRect(&overlap, &items[i].rect, &area))
            PaintItem(dc, items[i]);
    }
}

void TBtnBarWindow::OnDestroy() noexcept
{
    HideTip();
    KillTimer(hwnd, kBtnBarTipTimer);
    for (int i = 0; i < count; ++i) {
        if ((items[i].flags & kBtnOwnsBitmap) && items[i].bitmap)
            DeleteObject(items[i].bitmap);
        items[i].bitmap = nullptr;
    }
    TVokToolTip::ReleaseUser();
}

LRESULT TBtnBarWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (msg) {
    case WM_CREATE:
        style = reinterpret_cast<const CREATESTRUCTA*>(lParam)->style & 0xFFFF;
        tipContext = reinterpret_cast<void*>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
        TVokToolTip::AddUser();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(pt);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(pt);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(pt);
        return 0;
    case WM_RBUTTONDOWN:
        HideTip();
        (void)Notify(kBtnBarRightButton);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd)
            OnCaptureLost();
        return 0;
    case WM_TIMER:
        if (wParam == kBtnBarTipTimer)
            OnTipTimer();
        return 0;
    case WM_COMMAND:
        // Embedded controls talk to the bar's parent as if they were its own.
        if (HWND parent = GetParent(hwnd))
            return SendMessageA(parent, WM_COMMAND, wParam, lParam);
        return 0;
    case WM_SETCURSOR:
        if (cursor && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(cursor);
            return TRUE;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        TPaintScope paint(hwnd);
        Paint(paint.Dc(), paint.Area());
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT r;
        GetClientRect(hwnd, &r);
        Paint(reinterpret_cast<HDC>(wParam), r);
        return 0;
    }
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TBtnBarWindow* BtnBarWindowOf(HWND hwnd) noexcept
{
    return WindowObjectOf<TBtnBarWindow>(hwnd);
}

WNDPROC BtnBarWindowProc() noexcept
{
    return WindowObjectProc<TBtnBarWindow>;
}
