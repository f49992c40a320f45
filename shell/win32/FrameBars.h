// The frame's tool bar (TBtnBar) and status bar (TStatBar): which buttons and fields, their style and size.
#pragma once

#include <windows.h>

#include <string>

#include "shell/win32/VokBtnBar.h"
#include "shell/win32/VokStatBar.h"

// Windows before 3.95 (version word major*256+minor below 0x35F) get the old bar look.
bool OldWindowsLook();

// TBtnBar is the "VokBtnBar" window of the frame with the 21 buttons BB01..BB21. The bar owns the button
// bitmaps; this object only addresses the window.
class TBtnBar : public TVokBtnBar {
public:
    // The style word for a BtnBarStyle setting (-1 default, 1 Windows 3.x, 2 Windows 95).
    static UINT StyleFor(int btnBarStyle, bool oldWindows);
    HWND Create(HWND parent, HINSTANCE instance, int btnBarStyle);
    // 30 (old) or 28 pixels without bitmaps, else the bitmap height plus 13 (old) or 11.
    int Height() const;
    void Restyle(int btnBarStyle);
};

// What the status bar shows of the active document; empty texts for none.
struct TStatusValues {
    std::string line, column, code, lines, modified, mode, format;
    bool operator==(const TStatusValues&) const = default;
};

// TStatBar is the "VokStatBar" window of the frame: labelled fields in sunken boxes, and the help line.
// It owns its 8-point font and the texts the fields show; the window must not outlive this object.
class TStatBar : public TVokStatBar {
public:
    TStatBar() = default;
    TStatBar(const TStatBar&) = delete;  // owns the font and the texts the window reads
    TStatBar& operator=(const TStatBar&) = delete;
    ~TStatBar();
    HWND Create(HWND parent, HINSTANCE instance);
    int Height() const { return height_; }
    void Show(const TStatusValues& values);
    const TStatusValues& Values() const { return values_; }

private:
    HFONT font_ = nullptr;
    int height_ = 0;
    TStatusValues values_;
    std::string labelLine_, labelColumn_, labelLines_;
};
