// The control library's pure rules (display class, spin steps, centring, message-box choices), header-only so
// the tests check the same code the library runs.
#pragma once

#include <windows.h>

#include <optional>

// Display class from the screen's vertical resolution and whether light grey shows exactly.
inline int ClassifyDisplay(int pixelsPerInchY, bool lightGreyExact) noexcept
{
    if (pixelsPerInchY < 90)
        return 1;
    if (pixelsPerInchY < 120)
        return lightGreyExact ? 3 : 2;
    return 4;
}

struct TArrowRange {
    int minimum = 0;
    int maximum = 0;
    int defaultValue = 0;
    int step = 1;
};

// One numeric spin step: `current` is the field's value, or nothing when it cannot be read. Returns the value
// to write back, or nothing when the field is left alone. A step that would leave the range is not taken.
inline std::optional<int> NextArrowValue(std::optional<int> current, bool up, const TArrowRange& range,
                                         bool stopWhenEmpty) noexcept
{
    if (!current && stopWhenEmpty)
        return std::nullopt;
    long long value = current ? *current : range.defaultValue;
    long long next = up ? value + range.step : value - range.step;
    if (up ? next <= range.maximum : next >= range.minimum)
        value = next;
    return static_cast<int>(value);
}

// Where CenterDialog puts `window` (screen coordinates) over `reference` on a screen of `screen` size; false
// when the window is larger than its reference and stays where it is.
inline bool CenteredPosition(const RECT& window, const RECT& reference, SIZE screen, POINT& position) noexcept
{
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    int refWidth = reference.right - reference.left;
    int refHeight = reference.bottom - reference.top;
    if (width > refWidth || height > refHeight)
        return false;
    int x = reference.left + (refWidth - width) / 2;
    int y = reference.top + (refHeight - height) / 2;
    if (x + width > screen.cx)
        x = screen.cx - width;
    if (y + height > screen.cy)
        y = screen.cy - height;
    position = {x < 0 ? 0 : x, y < 0 ? 0 : y};
    return true;
}

// The button ids a message-box button set shows, the template's default first; unused slots are 0.
struct TMsgButtons {
    int ids[3];
};

inline TMsgButtons MessageBoxButtons(UINT buttonSet) noexcept
{
    switch (buttonSet) {
    case MB_OKCANCEL:
        return {{IDOK, IDCANCEL, 0}};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, IDRETRY, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{IDYES, IDNO, IDCANCEL}};
    case MB_YESNO:
        return {{IDYES, IDNO, 0}};
    case MB_RETRYCANCEL:
        return {{IDRETRY, IDCANCEL, 0}};
    default:
        return {{IDOK, 0, 0}};
    }
}

// The button the flags make the default, or 0 when the template's first button stays the default.
inline int MessageBoxDefaultButton(UINT flags) noexcept
{
    UINT defaultBits = flags & MB_DEFMASK;
    int slot = defaultBits == MB_DEFBUTTON2 ? 1 : (defaultBits == MB_DEFBUTTON3 ? 2 : 0);
    return slot ? MessageBoxButtons(flags & MB_TYPEMASK).ids[slot] : 0;
}

// The id the icon control takes for the flags' icon; the id chooses its bitmap.
inline int MessageBoxIconId(UINT flags) noexcept
{
    switch (flags & MB_ICONMASK) {
    case MB_ICONSTOP:
        return 901;
    case MB_ICONQUESTION:
        return 902;
    case MB_ICONINFORMATION:
        return 904;
    default:
        return 903;
    }
}

// Button sets the library has no template for, and task- or system-modal boxes, go to the system box.
inline bool UsesSystemMessageBox(UINT flags) noexcept
{
    return (flags & MB_TYPEMASK) > MB_RETRYCANCEL || (flags & (MB_TASKMODAL | MB_SYSTEMMODAL)) != 0;
}
