// Masked bitmaps of the control library: its marks, glyphs and icons drawn over any background.
#pragma once

#include <windows.h>

#include "base/win32/GdiTools.h"

// A colour bitmap with a monochrome mask of its transparent colour (magenta), drawn over any background.
class TMaskedBitmap {
public:
    static constexpr COLORREF kTransparent = RGB(255, 0, 255);

    [[nodiscard]] bool Load(HINSTANCE instance, int id) noexcept;
    void Release() noexcept;
    bool Loaded() const noexcept { return static_cast<bool>(colour); }
    SIZE Size() const noexcept { return size; }
    HBITMAP Handle() const noexcept { return colour.Get(); }
    // Draws the part (srcX, srcY, cx, cy) at (x, y).
    void Draw(HDC dc, int x, int y, int srcX, int srcY, int cx, int cy) const noexcept;
    void Draw(HDC dc, int x, int y) const noexcept { Draw(dc, x, y, 0, 0, size.cx, size.cy); }

private:
    TGdiHandle<HBITMAP> colour;  // transparent pixels turned black, ready for the mask trick
    TGdiHandle<HBITMAP> mask;    // white where transparent
    SIZE size{};
};
