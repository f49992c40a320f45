// The button bar window class "VokBtnBar" and its thin wrapper TVokBtnBar: bitmap buttons with tool tips.
#pragma once

#include <windows.h>

enum class TBtnItemKind { Separator = 0, Push = 1, Immediate = 2, Control = 3 };

// Item state flags; kBtnOwnsBitmap hands the bitmap to the bar, which deletes it when it is destroyed.
constexpr UINT kBtnPressed = 0x01;
constexpr UINT kBtnDisabled = 0x02;
constexpr UINT kBtnChecked = 0x04;
constexpr UINT kBtnOwnsBitmap = 0x100;

// Style word: drawing group, tool tips, and the frame variant in the low byte.
constexpr UINT kBtnBarGroupMask = 0x0F00;
constexpr UINT kBtnBarGroup3x = 0x0000;
constexpr UINT kBtnBarGroup95 = 0x0100;
constexpr UINT kBtnBarTips = 0x1000;

// Notification codes in the high word of the WM_COMMAND the bar sends its parent.
constexpr WORD kBtnBarPressed = 1;
constexpr WORD kBtnBarReleased = 2;
constexpr WORD kBtnBarRightButton = 3;
constexpr WORD kBtnBarMouseOver = 4;

constexpr int kBtnBarMaxItems = 32;
constexpr int kBtnBarSeparatorWidth = 8;

// Tool-tip timing, in milliseconds, and the bar's timer id.
constexpr UINT kTipRestDelay = 600;
constexpr UINT kTipPollDelay = 200;
constexpr UINT kTipMoveDelay = 50;
constexpr UINT_PTR kBtnBarTipTimer = 1;

// Where a bar finds a button's tip: copy it into `buffer` and return true, or return false for no tip.
// The default reads the command's string resource from the bar's module and takes what follows its first
// line break.
using TTipTextFn = bool (*)(UINT command, char* buffer, int size, void* context);

// A handle on one "VokBtnBar" window. The window keeps its own data; this object only addresses it, so it
// may be copied and does not destroy the window.
class TVokBtnBar {
public:
    static constexpr const char* kClassName = "VokBtnBar";

    // Registers "VokBtnBar" and "_VokToolTip".
    [[nodiscard]] static bool RegisterClass(HINSTANCE instance) noexcept;

    TVokBtnBar() noexcept = default;
    explicit TVokBtnBar(HWND hwnd) noexcept : hwnd(hwnd) {}

    // A visible child window; `style` is the style word above.
    HWND Create(HWND parent, int id, const RECT& r, UINT style, HINSTANCE instance) noexcept;
    HWND Handle() const noexcept { return hwnd; }

    // The message a released button sends its command with (WM_COMMAND unless set), and the item margins.
    void SetNotify(UINT commandMessage, int left, int top) noexcept;
    void SetStyle(UINT style, bool repaint) noexcept;
    UINT Style() const noexcept;
    // False when 32 items exist, when a control item has no window, or the bar is gone. An item with no command
    // or no bitmap becomes a separator.
    [[nodiscard]] bool AddItem(TBtnItemKind kind, UINT command, HBITMAP bitmap, HWND control,
                               UINT flags = 0) noexcept;
    int ItemCount() const noexcept;
    int BitmapHeight() const noexcept;
    void Repaint() noexcept;
    // The command of the button under a screen point, or 0.
    UINT HitTest(POINT screen) const noexcept;
    // The client rectangle of the first item with this command.
    bool ItemRect(UINT command, RECT& r) const noexcept;
    // The client rectangle of item `index` (0-based), separators included.
    bool ItemRectAt(int index, RECT& r) const noexcept;
    void EnableItem(UINT command, bool enable) noexcept;
    void SetItemState(UINT command, UINT state, bool on) noexcept;
    UINT ItemState(UINT command) const noexcept;
    void SetCursor(HCURSOR cursor) noexcept;
    void SetTipSource(TTipTextFn source, void* context) noexcept;

protected:
    HWND hwnd = nullptr;
};
