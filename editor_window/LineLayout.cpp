// Planning the text-out calls of one line: block inversion, colour runs and end-of-line fills.
#include "editor_window/LineLayout.h"

#include <algorithm>

std::string ExpandForDisplay(const char* text, int tabSize, TGlyphCheck sameWidthAsSpace, void* context)
{
    if (tabSize < 1)
        tabSize = 1;
    std::string out;
    for (const char* p = text; *p; ++p) {
        auto b = static_cast<unsigned char>(*p);
        if (b == '\t') {
            out.append(static_cast<std::size_t>(tabSize - static_cast<int>(out.size()) % tabSize), ' ');
        } else if (b < 32 || b > 127) {
            out += (sameWidthAsSpace && !sameWidthAsSpace(b, context)) ? '\0' : static_cast<char>(b);
        } else {
            out += static_cast<char>(b);
        }
    }
    return out;
}

namespace {
void AddRun(TLinePlan& plan, int col, int count, bool selected, uint8_t colour)
{
    if (count > 0)
        plan.runs.push_back({col, count, selected, colour});
}
}  // namespace

TLinePlan PlanLine(const char* text, int32_t lineIndex, const TBlockView& block, int leftCol, int tabSize,
                   const uint8_t* colours, TGlyphCheck sameWidthAsSpace, void* context)
{
    TLinePlan plan;
    plan.display = ExpandForDisplay(text, tabSize, sameWidthAsSpace, context);
    const int length = static_cast<int>(plan.display.size());
    const int n = std::max(0, length - leftCol);
    plan.visible = n;

    const bool onBlock = block.shown && lineIndex >= block.start.line && lineIndex <= block.end.line;
    if (!onBlock) {
        if (!colours) {
            AddRun(plan, 0, n, false, 0);
        } else {
            int i = 0;
            while (i < n) {
                uint8_t c = colours[leftCol + i];
                int j = i + 1;
                while (j < n && colours[leftCol + j] == c)
                    ++j;
                AddRun(plan, i, j - i, false, c);
                i = j;
            }
        }
        return plan;
    }

    if (!block.column) {
        const bool startLine = lineIndex == block.start.line;
        const bool endLine = lineIndex == block.end.line;
        int selStart = (startLine && block.start.col > leftCol) ? block.start.col - leftCol : 0;
        int before = std::min(selStart, n);
        int selected = endLine ? std::max(0, block.end.col - leftCol - selStart) : n;
        selected = std::min(selected, n - before);
        int rest = endLine ? n - before - selected : 0;
        AddRun(plan, 0, before, false, 0);
        AddRun(plan, before, selected, true, 0);
        AddRun(plan, before + selected, rest, false, 0);
        plan.fillSelected = !endLine;
        return plan;
    }

    const int left = std::min(block.start.col, block.end.col) - leftCol;
    const int right = std::max(block.start.col, block.end.col) - leftCol;
    int before = std::clamp(left, 0, n);
    int sel = std::clamp(right, 0, n) - before;
    sel = std::max(0, sel);
    int after = n - before - sel;
    AddRun(plan, 0, before, false, 0);
    AddRun(plan, before, sel, true, 0);
    AddRun(plan, before + sel, after, false, 0);
    if (after == 0 && right > n) {
        plan.gapFrom = n;
        plan.bandFrom = std::max(n, left);
        plan.bandTo = right;
    }
    return plan;
}

uint32_t ColourOfIndex(int index)
{
    // Written as the system's colour values, red in the low byte: SetTextColor takes them as they are.
    static const uint32_t bgr[17] = {0,        0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                     0x800080, 0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00,
                                     0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return index >= 1 && index <= 16 ? bgr[index] : 0;
}
