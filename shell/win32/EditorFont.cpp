// The editor font shared by every editor window: made from face, size and weight, always fixed-pitch.
#include "shell/win32/EditorFont.h"

bool TEditorFont::IsFixedPitch(HFONT font)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    int widths[224];
    bool fixed = GetCharWidthA(dc, 32, 255, widths) != 0;
    for (int i = 1; fixed && i < 224; ++i)
        fixed = widths[i] == widths[0];
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return fixed;
}

void TEditorFont::Reset()
{
    if (font_ && owned_)
        DeleteObject(font_);
    font_ = nullptr;
    owned_ = false;
}

bool TEditorFont::Adopt(HFONT font)
{
    Reset();
    if (font && IsFixedPitch(font)) {
        font_ = font;
        owned_ = true;
        return true;
    }
    if (font)
        DeleteObject(font);
    font_ = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    return false;
}

bool TEditorFont::Create(const char* face, int points, int weight)
{
    HDC dc = GetDC(nullptr);
    int ppi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    LOGFONTA lf = {};
    lf.lfHeight = -MulDiv(points, ppi, 72);
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynA(lf.lfFaceName, face ? face : "", LF_FACESIZE);
    return Adopt(CreateFontIndirectA(&lf));
}
