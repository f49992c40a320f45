// Library-wide state of the control library: module, users, display class, dialog mode, templates, bitmaps.
#pragma once

#include <windows.h>

#include "controls/CtlPaint.h"

constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr COLORREF kDarkGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// System bitmaps, named here because <windows.h> shows their names only to OEM resource users.
constexpr int kSystemCloseBitmap = 32754;
constexpr int kSystemComboBitmap = 32738;

// Everything the library sets up when it is loaded into a process and releases when it is unloaded.
// Owns the template pointers (resources of its own module) and the bitmaps of its display class.
struct TCtlLibrary {
    HINSTANCE instance = nullptr;
    LONG useCount = 0;
    int displayClass = 0;     // 1..4
    UINT dialogMode = 0;      // VOKDLG_* bits
    COLORREF lightGrey = kLightGrey;
    bool lightGreyExact = false;
    bool oldWindows = false;  // version word below 3.95: frames and captions are drawn by the library
    HBRUSH backgroundBrush = nullptr;  // stock object, never deleted
    int comboArrowWidth = 0;
    int comboArrowExtent = 0;
    const DLGTEMPLATE* templates[6] = {};
    TMaskedBitmap marks;      // check and radio marks, five cells; not loaded for display classes 1 and 2
    TMaskedBitmap arrowUp, arrowDown, arrowGrey;
    TMaskedBitmap icons[4];   // icon ids 901..904
    const char* registered[8] = {};  // the classes this load registered, and only those go at unload
    int registeredCount = 0;
    bool loaded = false;
};

TCtlLibrary& CtlLibrary() noexcept;

// Registers one of the library's classes as a global class for every module of the process and notes it, so
// that unloading removes exactly what this load added (a global class of the same name that another module
// registered is not ours to remove).
[[nodiscard]] bool RegisterCtlClass(WNDCLASSA& wc) noexcept;

// A window's whole text in a buffer of its own; empty when the window has none or memory runs out.
class TWindowText {
public:
    explicit TWindowText(HWND hwnd) noexcept;
    TWindowText(const TWindowText&) = delete;
    TWindowText& operator=(const TWindowText&) = delete;
    ~TWindowText() { delete[] text; }
    const char* Get() const noexcept { return text ? text : ""; }

private:
    char* text = nullptr;
};

// Sets the library up for this process; on failure releases what it set up and returns false.
[[nodiscard]] bool LoadCtlLibrary(HINSTANCE instance) noexcept;
// Unregisters the classes and frees templates and bitmaps; harmless when already released.
void ReleaseCtlLibrary() noexcept;

// Colours of the shading: dark grey and white with the 3-D mode bit, else the window-frame colour for both.
COLORREF ShadowColour() noexcept;
COLORREF HighlightColour() noexcept;
// The icon bitmap for a control id 901..904, or null.
const TMaskedBitmap* IconBitmap(int id) noexcept;
