// "_VokToolTip": the one tool-tip pop-up of the program, shared by every button bar, and where it goes.
#pragma once

#include <windows.h>

// Where a tip of `tip` size goes on a screen of `screen` size: centred under `button` when the pointer is over a
// button (screen coordinates), else two thirds of a cursor height below the pointer; moved left to end on the
// screen and above the pointer when it would leave the bottom.
POINT ToolTipPosition(const RECT* button, POINT cursor, SIZE tip, SIZE screen, int cursorHeight) noexcept;

// The pop-up window. Bars take a reference while they live; the window goes with the last of them.
class TVokToolTip {
public:
    static constexpr const char* kClassName = "_VokToolTip";

    [[nodiscard]] static bool RegisterClass(HINSTANCE instance) noexcept;
    static void AddUser() noexcept;
    static void ReleaseUser() noexcept;

    // Shows `text` for the bar button `button` (screen coordinates, or null when the pointer is not over one).
    static void Show(const char* text, const RECT* button) noexcept;
    static void Hide() noexcept;
    static bool IsShown() noexcept;
    static HWND Handle() noexcept;
};
