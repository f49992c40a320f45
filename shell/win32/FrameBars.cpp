// The frame's tool bar (TBtnBar) and status bar (TStatBar): which buttons and fields, their style and size.
#include "shell/win32/FrameBars.h"

#include <algorithm>
#include <initializer_list>

#include "base/win32/GdiTools.h"
#include "resource.h"
#include "shell/win32/VokMessage.h"

namespace {

// The buttons in bar order; a zero command is a separator.
struct TButtonElement {
    UINT command;
    const char* bitmap;
};

const TButtonElement kButtons[] = {
    {CM_FILENEW, "BB01"},      {CM_FILEOPEN, "BB02"},     {CM_FILESAVE, "BB03"},      {0, nullptr},
    {CM_PRINT, "BB04"},        {CM_PRINTPREVIEW, "BB05"}, {0, nullptr},               {CM_CUT, "BB06"},
    {CM_COPY, "BB07"},         {CM_PASTE, "BB08"},        {0, nullptr},               {CM_UNDO, "BB09"},
    {CM_REDO, "BB10"},         {0, nullptr},              {CM_FIND, "BB11"},          {CM_FINDNEXT, "BB12"},
    {0, nullptr},              {CM_INDENTBLOCK, "BB13"},  {CM_UNINDENTBLOCK, "BB14"}, {0, nullptr},
    {CM_ALIGNLEFT, "BB15"},    {CM_CENTERPARA, "BB16"},   {CM_ALIGNRIGHT, "BB17"},    {CM_JUSTIFY, "BB18"},
    {0, nullptr},              {CM_PREVWINDOW, "BB19"},   {CM_NEXTWINDOW, "BB20"},    {0, nullptr},
    {CM_WHATIS, "BB21"},
};

constexpr int kFieldGap = 6;    // between a label and its value, and inside a box
constexpr int kBoxGap = 8;      // between boxes

int TextWidth(HDC dc, const std::string& text)
{
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

bool OldWindowsLook()
{
    DWORD v = GetVersion();
    unsigned word = (LOBYTE(LOWORD(v)) << 8) | HIBYTE(LOWORD(v));
    return word < 0x35F;
}

// ---- Tool bar. -------------------------------------------------------------------------------------------

UINT TBtnBar::StyleFor(int btnBarStyle, bool oldWindows)
{
    if (btnBarStyle == 1)
        return oldWindows ? 0x1030 : 0x1002;
    if (btnBarStyle == 2)
        return oldWindows ? 0x1132 : 0x1102;
    return oldWindows ? 0x1030 : 0x1102;
}

HWND TBtnBar::Create(HWND parent, HINSTANCE instance, int btnBarStyle)
{
    if (!TVokBtnBar::RegisterClass(instance))
        return nullptr;
    RECT r = {0, 0, 0, 0};
    if (!TVokBtnBar::Create(parent, ID_TOOLBAR, r, StyleFor(btnBarStyle, OldWindowsLook()), instance))
        return nullptr;
    for (const TButtonElement& b : kButtons) {
        HBITMAP bitmap = b.bitmap ? LoadBitmapA(instance, b.bitmap) : nullptr;
        if (b.command && bitmap)
            (void)AddItem(TBtnItemKind::Push, b.command, bitmap, nullptr, kBtnOwnsBitmap);
        else
            (void)AddItem(TBtnItemKind::Separator, 0, nullptr, nullptr);
    }
    bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    SetCursor(LoadCursorA(instance, swapped ? "Hand_L" : "Hand_R"));
    return hwnd;
}

int TBtnBar::Height() const
{
    bool old = OldWindowsLook();
    int bitmap = BitmapHeight();
    if (bitmap <= 0)
        return old ? 30 : 28;
    return bitmap + (old ? 13 : 11);
}

void TBtnBar::Restyle(int btnBarStyle)
{
    UINT style = StyleFor(btnBarStyle, OldWindowsLook());
    if (style != Style())
        SetStyle(style, true);
}

// ---- Status bar. -----------------------------------------------------------------------------------------

TStatBar::~TStatBar()
{
    if (font_)
        DeleteObject(font_);
}

HWND TStatBar::Create(HWND parent, HINSTANCE instance)
{
    if (!TVokStatBar::RegisterClass(instance))
        return nullptr;
    TWindowDC screen(nullptr);
    HDC dc = screen.Dc();
    int ppi = GetDeviceCaps(dc, LOGPIXELSY);
    LOGFONTA lf = {};
    lf.lfHeight = -MulDiv(8, ppi, 72);
    lf.lfWeight = FW_NORMAL;
    lstrcpynA(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    font_ = CreateFontIndirectA(&lf);
    TSelectObject useFont(dc, font_);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    height_ = tm.tmHeight + 6;

    labelLine_ = LoadResString(IDS_STATUSLABEL + 0);
    labelColumn_ = LoadResString(IDS_STATUSLABEL + 1);
    labelLines_ = LoadResString(IDS_STATUSLABEL + 2);
    std::string modified = LoadResString(IDS_STATUSLABEL + 3);
    int modeWidth = std::max(TextWidth(dc, LoadResString(IDS_STATUSLABEL + 4)),
                             TextWidth(dc, LoadResString(IDS_STATUSLABEL + 5)));
    int formatWidth = 0;
    for (int i = 6; i <= 8; ++i)
        formatWidth = std::max(formatWidth, TextWidth(dc, LoadResString(IDS_STATUSLABEL + i)));

    RECT r = {0, 0, 0, height_};
    if (!TVokStatBar::Create(parent, ID_STATUSBAR, r, instance))
        return nullptr;
    SetFont(font_);
    SetStyle(OldWindowsLook() ? kStatBarStyleOld : kStatBarStyleNew);

    int x = 4;
    auto label = [&](const std::string& text) {
        int w = TextWidth(dc, text);
        (void)AddTextPane(text.c_str(), x, x + w);
        x += w + kFieldGap;
    };
    auto value = [&](std::string TStatusValues::*field, int width) {
        (void)AddFunctionPane([this, field] { return values_.*field; }, x, x + width);
        x += width + kFieldGap;
    };
    auto box = [&](int from) {
        (void)AddFrame(from - 3, x - kFieldGap + 3);
        x += kBoxGap;
    };
    int start = x;
    label(labelLine_);
    // Eight digits: a file of tens of millions of lines loads, and its numbers must show whole.
    value(&TStatusValues::line, TextWidth(dc, "00000000"));
    label(labelColumn_);
    value(&TStatusValues::column, TextWidth(dc, "0000"));
    value(&TStatusValues::code, TextWidth(dc, "0xAA, 0000"));
    box(start);
    start = x;
    label(labelLines_);
    value(&TStatusValues::lines, TextWidth(dc, "00000000"));
    box(start);
    start = x;
    value(&TStatusValues::modified, TextWidth(dc, modified));
    box(start);
    start = x;
    value(&TStatusValues::mode, modeWidth);
    box(start);
    start = x;
    value(&TStatusValues::format, formatWidth);
    box(start);
    return hwnd;
}

void TStatBar::Show(const TStatusValues& values)
{
    if (values == values_)
        return;
    values_ = values;
    Refresh(false);
}
