// The editor font shared by every editor window: made from face, size and weight, always fixed-pitch.
#include "shell/win32/EditorFont.h"

#include "base/win32/GdiTools.h"
#include "shell/ScreenFonts.h"

bool TEditorFont::IsFixedPitch(HFONT font)
{
    TWindowDC screen(nullptr);
    TSelectObject useFont(screen.Dc(), font);
    int widths[224];
    bool fixed = GetCharWidthA(screen.Dc(), 32, 255, widths) != 0;
    for (int i = 1; fixed && i < 224; ++i)
        fixed = widths[i] == widths[0];
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
    const int ppi = GetDeviceCaps(TWindowDC(nullptr).Dc(), LOGPIXELSY);
    LOGFONTA lf = {};
    lf.lfHeight = FontHeightFromPoints(points, ppi);
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynA(lf.lfFaceName, face ? face : "", LF_FACESIZE);
    return Adopt(CreateFontIndirectA(&lf));
}
