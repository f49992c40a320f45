// TVokBtnBar: registration and creation of "VokBtnBar" windows, and the operations on them by handle.
#include "shell/win32/VokBtnBar.h"

#include "shell/win32/BtnBarWindow.h"
#include "shell/win32/VokToolTip.h"

namespace {

TBtnBarWindow* Bar(HWND hwnd) noexcept
{
    return BtnBarWindowOf(hwnd);
}

}  // namespace

bool TVokBtnBar::RegisterClass(HINSTANCE instance) noexcept
{
    if (!TVokToolTip::RegisterClass(instance))
        return false;
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, kClassName, &existing))
        return true;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = BtnBarWindowProc();
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return ::RegisterClassA(&wc) != 0;
}

HWND TVokBtnBar::Create(HWND parent, int id, const RECT& r, UINT style, HINSTANCE instance) noexcept
{
    hwnd = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | (style & 0xFFFF), r.left,
                           r.top, r.right - r.left, r.bottom - r.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    return hwnd;
}

void TVokBtnBar::SetNotify(UINT commandMessage, int left, int top) noexcept
{
    if (TBtnBarWindow* bar = Bar(hwnd))
        bar->SetNotify(commandMessage, left, top);
}

void TVokBtnBar::SetStyle(UINT style, bool repaint) noexcept
{
    if (TBtnBarWindow* bar = Bar(hwnd))
        bar->SetStyle(style, repaint);
}

UINT TVokBtnBar::Style() const noexcept
{
    TBtnBarWindow* bar = Bar(hwnd);
    return bar ? bar->Style() : 0;
}

bool TVokBtnBar::AddItem(TBtnItemKind kind, UINT command, HBITMAP bitmap, HWND control, UINT flags) noexcept
{
    TBtnBarWindow* bar = Bar(hwnd);
    return bar && bar->AddItem(kind, command, bitmap, control, flags);
}

int TVokBtnBar::ItemCount() const noexcept
{
    TBtnBarWindow* bar = Bar(hwnd);
    return bar ? bar->Count() : 0;
}

int TVokBtnBar::BitmapHeight() const noexcept
{
    TBtnBarWindow* bar = Bar(hwnd);
    return bar ? bar->BitmapHeight() : 0;
}

void TVokBtnBar::Repaint() noexcept
{
    if (hwnd)
        InvalidateRect(hwnd, nullptr, TRUE);
}

UINT TVokBtnBar::HitTest(POINT screen) const noexcept
{
    TBtnBarWindow* bar = Bar(hwnd);
    if (!bar)
        return 0;
    ScreenToClient(hwnd, &screen);
    const TBtnItem* item = bar->Item(bar->IndexAt(screen));
    if (!item || item->kind == TBtnItemKind::Separator)
        return 0;
    return item->command;
}

bool TVokBtnBar::ItemRect(UINT command, RECT& r) const noexcept
{
    TBtnBarWindow* bar = Bar(hwnd);
    return bar && ItemRectAt(bar->IndexOf(command), r);
}

bool TVokBtnBar::ItemRectAt(int index, RECT& r) const noexcept
{
    TBtnBarWindow* bar = Bar(hwnd);
    const TBtnItem* item = bar ? bar->Item(index) : nullptr;
    if (!item)
        return false;
    r = item->rect;
    return true;
}

void TVokBtnBar::EnableItem(UINT command, bool enable) noexcept
{
    if (TBtnBarWindow* bar = Bar(hwnd))
        bar->SetState(command, kBtnDisabled, !enable);
}

void TVokBtnBar::SetItemState(UINT command, UINT state, bool on) noexcept
{
    if (TBtnBarWindow* bar = Bar(hwnd))
        bar->SetState(command, state, on);
}

UINT TVokBtnBar::ItemState(UINT command) const noexcept
{
    TBtnBarWindow* bar = Bar(hwnd);
    const TBtnItem* item = bar ? bar->Item(bar->IndexOf(command)) : nullptr;
    return item ? (item->flags & (kBtnPressed | kBtnDisabled | kBtnChecked)) : 0;
}

void TVokBtnBar::SetCursor(HCURSOR cursor) noexcept
{
    if (TBtnBarWindow* bar = Bar(hwnd))
        bar->SetCursor(cursor);
}

void TVokBtnBar::SetTipSource(TTipTextFn source, void* context) noexcept
{
    if (TBtnBarWindow* bar = Bar(hwnd))
        bar->SetTipSource(source, context);
}
