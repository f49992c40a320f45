// Painting an editor window: whole invalid areas and single lines, with blocks, colours and the wrap guide.
#include <algorithm>
#include <string>
#include <vector>

#include "base/win32/GdiTools.h"
#include "editor_window/LineLayout.h"
#include "editor_window/win32/WindowsEditor.h"
#include "engine/Options.h"

namespace {
struct TGlyphContext {
    HDC dc;
    int spaceWidth;
};

bool SameWidthAsSpace(unsigned char byte, void* context)
{
    auto* g = static_cast<TGlyphContext*>(context);
    INT width = 0;
    if (!GetCharWidth32A(g->dc, byte, byte, &width))
        return true;
    return width == g->spaceWidth;
}

int GuideX(int topCol, int cellWidth)
{
    int wrap = std::max<int>(0, EngineOptions().wordWrapColumn);
    return (wrap - topCol) * cellWidth + kTextLeft;
}

void DrawGuide(HDC dc, int x, int top, int bottom)
{
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    if (!pen)
        return;
    {
        TSelectObject sel(dc, pen);
        MoveToEx(dc, x, top, nullptr);
        LineTo(dc, x, bottom);
    }
    DeleteObject(pen);
}
}  // namespace

void TWindowsEditor::OnPaint()
{
    TPaintScope paint(hwnd_);
    HDC dc = paint.Dc();
    const RECT inv = paint.Area();
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    {
        TSelectObject font(dc, font_ ? font_ : GetStockObject(SYSTEM_FIXED_FONT));
        const int ch = std::max(1, cellHeight_);
        int32_t first = inv.top / ch + topLine;
        int y = inv.top;
        if (first <= lastLine) {
            int count = (inv.bottom + ch - 1) / ch - inv.top / ch;
            count = static_cast<int>(std::min<int64_t>(count, static_cast<int64_t>(lastLine) - first + 1));
            y = inv.top / ch * ch;
            LineRecord* line = LineAt(first);
            for (int i = 0; i < count && line; ++i, line = line->next) {
                PaintLine(dc, kTextLeft, y, line, first + i);
                y += ch;
            }
        }
        if (y < inv.bottom) {
            RECT rest = {inv.left, y, inv.right, inv.bottom};
            FillRect(dc, &rest, GetSysColorBrush(COLOR_WINDOW));
            int gx = GuideX(topCol, cellWidth_);
            if (EngineOptions().wordWrapVisible && gx > kTextLeft && gx >= inv.left && gx < inv.right)
                DrawGuide(dc, gx, y, inv.bottom);
        }
        if (inv.left < kTextLeft) {
            RECT margin = {inv.left, inv.top, kTextLeft, inv.bottom};
            FillRect(dc, &margin, GetSysColorBrush(COLOR_WINDOW));
        }
    }
}

void TWindowsEditor::PaintLine(HDC dc, int x, int y, LineRecord* line, int32_t index)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    const int cw = cellWidth_;
    const int ch = cellHeight_;

    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    TGlyphContext glyphs{dc, 0};
    INT space = 0;
    GetCharWidth32A(dc, ' ', ' ', &space);
    glyphs.spaceWidth = space;

    TBlockView block{selShown, columnMode, SelStart(), SelEnd()};
    // The colours are those of the display text, which the plan expands again in the same way.
    std::vector<uint8_t> colours;
    if (const TSyntaxLanguage* rules = scheme_.Language()) {
        const std::string display = ExpandForDisplay(line->text, TabSize(), SameWidthAsSpace, &glyphs);
        colours.resize(display.size());
        ColourLine(rules, display.data(), display.size(), colours.data(), line->prev ? line->prev->state : 0);
    }
    TLinePlan plan = PlanLine(line->text, index, block, topCol, TabSize(), colours.empty() ? nullptr : colours.data(),
                              SameWidthAsSpace, &glyphs);
    for (char& c : plan.display)
        if (c == 0)
            c = static_cast<char>(tm.tmDefaultChar);

    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF back = GetSysColor(COLOR_WINDOW);
    int drawnTo = x;
    for (const TPaintRun& run : plan.runs) {
        RECT cell = {x + run.col * cw, y, x + (run.col + run.count) * cw, y + ch};
        if (run.selected) {
            SetTextColor(dc, back);
            SetBkColor(dc, text);
        } else if (run.colour) {
            SetTextColor(dc, ColourOfIndex(run.colour));
        }
        ExtTextOutA(dc, cell.left, y, ETO_OPAQUE, &cell, plan.display.data() + topCol + run.col,
                    static_cast<UINT>(run.count), nullptr);
        if (run.selected || run.colour) {
            SetTextColor(dc, text);
            SetBkColor(dc, back);
        }
        drawnTo = cell.right;
    }
    if (plan.bandTo > plan.bandFrom) {
        RECT gap = {x + plan.gapFrom * cw, y, std::min<LONG>(x + plan.bandFrom * cw, client.right), y + ch};
        if (gap.right > gap.left)
            FillRect(dc, &gap, GetSysColorBrush(COLOR_WINDOW));
        RECT band = {std::max<LONG>(gap.right, x + plan.bandFrom * cw), y,
                     std::min<LONG>(x + plan.bandTo * cw, client.right), y + ch};
        if (band.right > band.left)
            FillRect(dc, &band, GetSysColorBrush(COLOR_WINDOWTEXT));
        drawnTo = std::max<int>(drawnTo, band.right);
    }
    if (drawnTo < client.right) {
        RECT fill = {drawnTo, y, client.right, y + ch};
        FillRect(dc, &fill, GetSysColorBrush(plan.fillSelected ? COLOR_WINDOWTEXT : COLOR_WINDOW));
    }
    int gx = GuideX(topCol, cw) - kTextLeft + x;
    if (EngineOptions().wordWrapVisible && gx > x && gx < client.right)
        DrawGuide(dc, gx, y, y + ch);
}
