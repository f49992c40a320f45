// Sorting lines, the word count and drawing box lines, with the process-wide values of the transforms.
#include "engine/Transforms.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "engine/Options.h"
#include "engine/UndoStep.h"
#include "engine/VokEditor.h"

TTransformOptions& TransformOptions()
{
    static TTransformOptions options;
    return options;
}

bool TVokEditor::SortLines(void* items, std::size_t count, std::size_t itemSize) noexcept
{
    if (itemSize != sizeof(TSortItem))
        return false;
    return SortItems(static_cast<TSortItem*>(items), count, CurrentLanguage(), TransformOptions().sort);
}

namespace {
int KeyLength(int length)
{
    return length < 1 ? kSortKeyDefault : length > kSortKeyMax ? kSortKeyMax : length;
}
}  // namespace

void RunSort(TVokEditor& e, TCommandCall)
{
    int32_t first = 0;
    int32_t last = e.lastLine;
    int column = 1;
    int length = kSortKeyDefault;
    if (e.selShown) {
        first = std::min(e.selStartLine, e.lastLine);
        last = std::min(e.selEndLine, e.lastLine);
        if (e.columnMode) {
            column = std::min(e.selStartCol, e.selEndCol) + 1;
            length = std::abs(e.selEndCol - e.selStartCol);
        } else {
            column = e.selStartCol + 1;
            length = e.selEndCol - e.selStartCol;
            // A selection of whole lines ends at the start of the line after them.
            if (e.selEndCol == 0 && last > first)
                --last;
        }
    }
    length = KeyLength(length);
    if (last - first > kSortMaxLines)
        return;
    if (!e.SortDialog(&column, &length))
        return;
    length = KeyLength(length);
    column = std::clamp(column, 1, static_cast<int>(kLineWidthLimit));
    if (last == first)
        return;
    try {
        const std::size_t count = static_cast<std::size_t>(last - first + 1);
        std::vector<TSortItem> items(count);
        LineRecord* line = e.LineAt(first);
        for (std::size_t i = 0; i < count && line; ++i, line = line->next) {
            char* text = line->text;
            const char* p = TVokEditor::PointerAtColumn(text, column - 1);
            const char* q = TVokEditor::PointerAtColumn(text, column - 1 + length);
            while (p < q && IsBlankByte(static_cast<unsigned char>(*p)))
                ++p;
            const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(q - p), kSortKeyMax);
            items[i].text = text;
            std::memcpy(items[i].key, p, n);
            items[i].key[n] = 0;
        }
        if (!e.SortLines(items.data(), count, sizeof(TSortItem))) {
            e.ReportError(kErrOutOfMemory);
            return;
        }
        std::vector<std::string> sorted;
        sorted.reserve(count);
        for (const TSortItem& item : items)
            sorted.emplace_back(item.text);
        if (e.selShown) {
            e.selShown = false;
            e.RequestRedraw(kRedrawAll);
        }
        TUndoStep step(e, first, last, e.undoEnabled);
        line = e.LineAt(first);
        for (std::size_t i = 0; i < count && line; ++i, line = line->next) {
            if (sorted[i] != line->text && !e.SetLineText(line, sorted[i].data(), sorted[i].size())) {
                e.ReportError(kErrOutOfMemory);
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        e.ReportError(kErrOutOfMemory);
    }
    e.RecomputeStates(first, last);
    e.RequestRedraw(kRedrawAll);
}

void RunWordCount(TVokEditor& e, TCommandCall)
{
    long nonBlank = 0;
    long paragraphs = 0;
    long words = 0;
    long chars = 0;
    bool inParagraph = false;
    for (LineRecord* line = e.firstLine; line; line = line->next) {
        bool blank = true;
        bool inWord = false;
        for (const char* p = line->text; *p; ++p) {
            const int c = static_cast<unsigned char>(*p);
            if (!IsBlankByte(c)) {
                ++chars;
                blank = false;
            }
            const bool w = e.IsWordChar(c);
            if (w && !inWord)
                ++words;
            inWord = w;
        }
        if (!blank) {
            ++nonBlank;
            if (!inParagraph)
                ++paragraphs;
        }
        inParagraph = !blank;
    }
    e.WordCount(static_cast<long>(e.lastLine) + 1, nonBlank, paragraphs, words, chars);
}

// ---- Line drawing. -----------------------------------------------------------------------------------
namespace {
enum : int {
    kLeft1 = 1, kRight1 = 2, kUp1 = 4, kDown1 = 8,
    kLeft2 = 16, kRight2 = 32, kUp2 = 64, kDown2 = 128,
};

// The arms of the code page 437 box characters 0xB3..0xDA.
constexpr unsigned char kBoxArms[0xDA - 0xB3 + 1] = {
    12,  13,  28,  193, 129, 24,  208, 192, 144, 80,  65,  20,  9,   6,   7,   11,  14,  3,   15,  44,
    194, 96,  160, 112, 176, 224, 48,  240, 52,  67,  56,  131, 66,  36,  40,  130, 195, 60,  5,   10,
};

// The kind of a neighbour's connection through the given single and double bits: 0 none, 1 single, 2 double.
int Kind(int c, int single, int dbl)
{
    const int arms = BoxConnections(c);
    return arms & dbl ? 2 : arms & single ? 1 : 0;
}
}  // namespace

int BoxConnections(int c)
{
    c &= 0xFF;
    if (c >= 0xB3 && c <= 0xDA)
        return kBoxArms[c - 0xB3];
    switch (c) {
    case '-': return kLeft1 | kRight1;
    case '+': return kLeft1 | kRight1 | kUp1 | kDown1;
    case '|':
    case 0xA6: return kUp1 | kDown1;
    default: return 0;
    }
}

int BoxCharacter(int arms)
{
    for (int c = 0xB3; c <= 0xDA; ++c)
        if (kBoxArms[c - 0xB3] == arms)
            return c;
    return 0;
}

int LineDrawCharacter(int style, int fillChar, int direction, int left, int right, int up, int down)
{
    if (direction < 1 || direction > 4)
        direction = 2;
    const bool across = direction <= 2;
    if (style == 1 || style == 2) {
        if (across)
            return Kind(up, kDown1, kDown2) || Kind(down, kUp1, kUp2) ? '+' : '-';
        if (Kind(left, kRight1, kRight2) || Kind(right, kLeft1, kLeft2))
            return '+';
        return style == 1 ? '|' : 0xA6;
    }
    if (style < 3 || style > 6) {
        fillChar &= 0xFF;
        return fillChar >= 32 ? fillChar : ' ';
    }
    const bool dbl = across ? (style == 4 || style == 5) : (style == 4 || style == 6);
    int arms = 0;
    int plain = 0;
    if (across) {
        const bool toLeft = direction == 1;
        arms |= toLeft ? (dbl ? kLeft2 : kLeft1) : (dbl ? kRight2 : kRight1);
        // The side the line comes from joins only a neighbour that reaches this cell.
        if (toLeft ? Kind(right, kLeft1, kLeft2) : Kind(left, kRight1, kRight2))
            arms |= toLeft ? (dbl ? kRight2 : kRight1) : (dbl ? kLeft2 : kLeft1);
        const int u = Kind(up, kDown1, kDown2);
        const int d = Kind(down, kUp1, kUp2);
        if (!(u && d && u != d)) {
            arms |= u == 2 ? kUp2 : u == 1 ? kUp1 : 0;
            arms |= d == 2 ? kDown2 : d == 1 ? kDown1 : 0;
        }
        plain = dbl ? 0xCD : 0xC4;
    } else {
        const bool toUp = direction == 3;
        arms |= toUp ? (dbl ? kUp2 : kUp1) : (dbl ? kDown2 : kDown1);
        if (toUp ? Kind(down, kUp1, kUp2) : Kind(up, kDown1, kDown2))
            arms |= toUp ? (dbl ? kDown2 : kDown1) : (dbl ? kUp2 : kUp1);
        const int l = Kind(left, kRight1, kRight2);
        const int r = Kind(right, kLeft1, kLeft2);
        if (!(l && r && l != r)) {
            arms |= l == 2 ? kLeft2 : l == 1 ? kLeft1 : 0;
            arms |= r == 2 ? kRight2 : r == 1 ? kRight1 : 0;
        }
        plain = dbl ? 0xBA : 0xB3;
    }
    const int c = BoxCharacter(arms);
    return c ? c : plain;
}

namespace {
// The byte that starts exactly at a column of a line, 0 when a tab spans it or the line is shorter.
int CharAtColumn(const char* text, int col)
{
    if (col < 0)
        return 0;
    const char* p = TVokEditor::PointerAtColumn(text, col);
    if (!*p || *p == '\t' || TVokEditor::ColumnOfPointer(text, p) != col)
        return 0;
    return static_cast<unsigned char>(*p);
}
}  // namespace

namespace {
void MoveAfterDrawing(TVokEditor& e, int direction, int col, int32_t lineNo)
{
    switch (direction) {
    case 1: e.GotoPosition(col > 0 ? col - 1 : 0, lineNo, false); break;
    case 2: e.GotoPosition(col < kMaxCol ? col + 1 : col, lineNo, false); break;
    case 3: e.GotoPosition(col, lineNo > 0 ? lineNo - 1 : 0, false); break;
    default: e.GotoPosition(col, lineNo < e.lastLine ? lineNo + 1 : lineNo, false); break;
    }
}
}  // namespace

void LineDrawStep(TVokEditor& e, int direction)
{
    if (direction < 1 || direction > 4)
        direction = 2;
    const int col = e.curCol;
    const int32_t lineNo = e.curLineNo;
    if (col < kMaxCol) {
        const TTransformOptions& options = TransformOptions();
        try {
            TUndoStep step(e, lineNo, lineNo, e.undoEnabled);
            LineRecord* line = e.curLine;
            // Tabs go first, so that every cell of the line is one byte.
            std::string s = ExpandTabs(line->text, TabSize());
            const int left = CharAtColumn(s.c_str(), col - 1);
            const int right = CharAtColumn(s.c_str(), col + 1);
            const int up = line->prev ? CharAtColumn(line->prev->text, col) : 0;
            const int down = line->next ? CharAtColumn(line->next->text, col) : 0;
            const int c = LineDrawCharacter(options.lineDrawStyle, static_cast<unsigned char>(options.lineDrawChar),
                                            direction, left, right, up, down);
            if (s.size() <= static_cast<std::size_t>(col))
                s.resize(static_cast<std::size_t>(col) + 1, ' ');
            s[static_cast<std::size_t>(col)] = static_cast<char>(c);
            if (s != line->text && !e.SetLineText(line, s.data(), s.size())) {
                e.ReportError(kErrOutOfMemory);
                return;
            }
            if (direction == 4 && lineNo == e.lastLine) {
                // Drawing down past the end makes the line to draw on.
                e.GotoPosition(TVokEditor::LineWidth(line->text), lineNo, false);
                if (!e.InsertText("\r\n", {TUndoRecording::Off})) {
                    e.GotoPosition(col, lineNo, false);
                    return;
                }
            }
            // Inside the step: leaving the line may trim a blank just drawn.
            MoveAfterDrawing(e, direction, col, lineNo);
        } catch (const std::bad_alloc&) {
            e.ReportError(kErrOutOfMemory);
            return;
        }
        e.RecomputeStates(lineNo, e.lastLine < lineNo + 1 ? e.lastLine : lineNo + 1);
        e.RequestRedraw(kRedrawAll);
        return;
    }
    MoveAfterDrawing(e, direction, col, lineNo);
}

void RunLineDrawStyle(TVokEditor& e, TCommandCall)
{
    TTransformOptions& options = TransformOptions();
    int style = options.lineDrawStyle;
    char fill = options.lineDrawChar;
    if (e.LineDrawStyle(&style, &fill)) {
        options.lineDrawStyle = style;
        options.lineDrawChar = fill;
    }
}
