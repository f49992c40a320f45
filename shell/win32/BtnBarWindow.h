// The object behind each "VokBtnBar" window: its items, their layout and drawing, presses and tool tips.
#pragma once

#include <windows.h>

#include "shell/win32/VokBtnBar.h"

struct TBtnItem {
    TBtnItemKind kind = TBtnItemKind::Separator;
    UINT flags = 0;
    UINT command = 0;
    HBITMAP bitmap = nullptr;
    HWND control = nullptr;
    RECT rect{};
};

// One bar window and its items. Owns the bitmaps handed over with kBtnOwnsBitmap; embedded controls are its
// children and go with it.
class TBtnBarWindow {
public:
    explicit TBtnBarWindow(HWND hwnd) noexcept : hwnd(hwnd) {}
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

    void SetNotify(UINT message, int left, int top) noexcept;
    void SetStyle(UINT newStyle, bool repaint) noexcept;
    UINT Style() const noexcept { return style; }
    bool AddItem(TBtnItemKind kind, UINT command, HBITMAP bitmap, HWND control, UINT flags) noexcept;
    int Count() const noexcept { return count; }
    int BitmapHeight() const noexcept { return bitmapHeight; }
    int IndexAt(POINT client) const noexcept;
    int IndexOf(UINT command) const noexcept;
    const TBtnItem* Item(int index) const noexcept { return index >= 0 && index < count ? &items[index] : nullptr; }
    void SetState(UINT command, UINT state, bool on) noexcept;
    void SetCursor(HCURSOR c) noexcept { cursor = c; }
    void SetTipSource(TTipTextFn source, void* context) noexcept;

private:
    bool Is3x() const noexcept { return (style & kBtnBarGroupMask) == kBtnBarGroup3x; }
    bool IsButton(int index) const noexcept;
    int ButtonHeight() const noexcept { return bitmapHeight ? bitmapHeight + 3 + (Is3x() ? 2 : 0) : 0; }
    void Layout() noexcept;
    void RedrawItem(int index) noexcept;
    [[nodiscard]] bool Notify(WORD code) noexcept;
    void SendCommand(UINT command) noexcept;
    void OnButtonDown(POINT pt) noexcept;
    void OnMouseMove(POINT pt) noexcept;
    void OnButtonUp(POINT pt) noexcept;
    void OnCaptureLost() noexcept;
    void OnTipTimer() noexcept;
    void StartTipTimer(UINT delay) noexcept;
    void ShowTip(int index) noexcept;
    void HideTip() noexcept;
    void Paint(HDC dc, const RECT& area) noexcept;
    void PaintItem(HDC dc, const TBtnItem& item) noexcept;
    void OnDestroy() noexcept;

    HWND hwnd;
    UINT commandMessage = WM_COMMAND;
    int marginLeft = 0;
    int marginTop = 0;
    int count = 0;
    int pressedItem = 0;  // 1-based, 0 for none
    int bitmapHeight = 0;
    UINT style = 0;
    HCURSOR cursor = nullptr;
    TBtnItem items[kBtnBarMaxItems];
    TTipTextFn tipSource = nullptr;  // null: the command strings of the bar's module
    void* tipContext = nullptr;
    // Tool-tip tracking: the item showing its tip, the one it moves to, the one a click silenced.
    int tipItem = -1;
    int tipPending = -1;
    int tipSilenced = -1;
    POINT tipPoint{-1, -1};
    bool tipTimer = false;
};

// The object of a "VokBtnBar" window, or null for any other window.
TBtnBarWindow* BtnBarWindowOf(HWND hwnd) noexcept;
// The class procedure that makes one such object per window.
WNDPROC BtnBarWindowProc() noexcept;
