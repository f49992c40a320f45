// "VokBmp32", "VokShade32" and "VokText32": the library's bitmap, shade and text controls.
#pragma once

#include <windows.h>

[[nodiscard]] bool RegisterStaticClasses(HINSTANCE instance) noexcept;

// Draws a shade of the given style (0..7) into `r`; exposed so the drawing can be checked on a bitmap.
void PaintShade(HDC dc, const RECT& r, int style, HBRUSH background) noexcept;
