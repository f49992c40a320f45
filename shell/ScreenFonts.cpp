// The character-set screen fonts of the Font menu and the conversions between points and font heights.
#include "shell/ScreenFonts.h"

#include "resources/ozm/resource.h"

const char* ScreenFontFace(int menuId)
{
    switch (menuId) {
    case CM_FONT1250: return "VokTE_1250";
    case CM_FONT1252: return "VokTE_1252";
    case CM_FONT437: return "VokTE_437";
    case CM_FONTCROSCII: return "VokTE_CROSCII";
    // ISO 8859-1 differs from code page 1252 only in the control codes 0x80-0x9F, which have no glyphs.
    case CM_FONTISO1: return "VokTE_1252";
    case CM_FONTISO2: return "VokTE_ISO8859-2";
    case CM_FONTMACROMAN: return "VokTE_Mac_Roman";
    case CM_FONTMACCE: return "VokTE_Mac_CE";
    default: return nullptr;
    }
}

int FontHeightFromPoints(int points, int pixelsPerInch)
{
    return -(points * pixelsPerInch + 36) / 72;
}

int PointsFromFontHeight(int height, int pixelsPerInch)
{
    if (pixelsPerInch <= 0)
        return 0;
    const int pixels = height < 0 ? -height : height;
    return (pixels * 720 / pixelsPerInch + 5) / 10;
}
