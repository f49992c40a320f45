// The character-set screen fonts of the Font menu and the conversions between points and font heights.
#pragma once

// The screen fonts are all made at this size and weight.
constexpr int kScreenFontPoints = 9;
constexpr int kScreenFontWeight = 400;

// The face a character-set command of the Font menu selects; null for any other command.
const char* ScreenFontFace(int menuId);
// A font's height in pixels (negative: the character height without internal leading) for a point size at
// pixelsPerInch, and back to points from a height of either sign.
int FontHeightFromPoints(int points, int pixelsPerInch);
int PointsFromFontHeight(int height, int pixelsPerInch);
