// The two primitives that change text, InsertText and DeleteRange, and the column-block and range helpers.
#include "engine/VokEditor.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/ByteStream.h"
#include "engine/Alloc.h"
#include "engine/Commands.h"
#include "engine/Options.h"
#include "engine/UndoStep.h"

namespace {
int WidthOf(const std::string& s)
{
    return TVokEditor::LineWidth(s.c_str());
}

void TrimRight(std::string& s)
{
    while (!s.empty() && IsBlankByte(static_cast<unsigned char>(s.back())))
        s.pop_back();
}

// Tabs of a line expanded to the spaces they cover.
std::string Expanded(const char* text)
{
    std::string out;
    int tab = TabSize();
    for (; *text; ++text) {
        if (*text == '\t')
            out.append(static_cast<std::size_t>(tab - static_cast<int>(out.size()) % tab), ' ');
        else
            out += *text;
    }
    return out;
}

char* CopyText(const std::string& s)
{
    auto* block = static_cast<char*>(VokAlloc(s.size() + 1));
    if (block)
        std::memcpy(block, s.c_str(), s.size() + 1);
    return block;
}

// The cursor line cut at the cursor: the text before it (padded with blanks to the cursor when the
// cursor stands past the end and the insertion does not start with a line break) and the text after it.
struct TCutLine {
    std::string head;
    std::string tail;
};

TCutLine CutAtColumn(const char* text, int col, bool pad)
{
    TCutLine cut{text, {}};
    const int width = TVokEditor::LineWidth(text);
    if (col > width) {
        if (pad)
            cut.head.append(static_cast<std::size_t>(col - width), ' ');
    } else {
        const std::size_t at = static_cast<std::size_t>(TVokEditor::PointerAtColumn(text, col) - text);
        cut.tail = cut.head.substr(at);
        cut.head.resize(at);
    }
    return cut;
}

// The head followed by the inserted text, split at its line breaks (CR or CR LF). Bytes that would reach
// past maxWidth are dropped; every line but the last loses its trailing blanks.
std::vector<std::string> BreakIntoLines(std::string head, const char* text, int maxWidth)
{
    const int tab = TabSize();
    std::vector<std::string> lines;
    lines.push_back(std::move(head));
    int col = WidthOf(lines.back());
    for (const char* q = text; *q; ++q) {
        if (*q == '\r') {
            TrimRight(lines.back());
            lines.emplace_back();
            col = 0;
            if (q[1] == '\n')
                ++q;
            continue;
        }
        col += *q == '\t' ? tab - col % tab : 1;
        if (col <= maxWidth)
            lines.back() += *q;
    }
    return lines;
}

// Joins the tail to the last line. What the line held before stays whole (the tail, and its first
// ownHead bytes); inserted bytes are dropped from the end until the joined line fits, measured where its
// tabs land. Returns the column where the inserted text ends: after it even when that was blanks that
// trimming removes. Typed blanks at the end of the line are left for the next cursor move to trim.
int JoinTail(std::string& last, const std::string& tail, std::size_t ownHead, int maxWidth, bool typed)
{
    int endCol = WidthOf(last);
    if (tail.empty() && !typed)
        TrimRight(last);
    const std::size_t keepAtLeast = std::min(ownHead, last.size());
    auto fits = [&](std::size_t keep) {
        std::string joined = last.substr(0, keep) + tail;
        return TVokEditor::LineWidth(joined.c_str()) <= maxWidth;
    };
    if (!fits(last.size())) {
        std::size_t lo = keepAtLeast;  // the most that fits, or keepAtLeast when nothing inserted does
        std::size_t hi = last.size();  // does not fit
        while (hi - lo > 1) {
            std::size_t mid = lo + (hi - lo) / 2;
            if (fits(mid))
                lo = mid;
            else
                hi = mid;
        }
        last.resize(lo);
        endCol = std::min(endCol, WidthOf(last));
    }
    last += tail;
    return endCol;
}

// The text blocks and records of an insertion, allocated before the list is touched. Unless Release()
// hands them over to the list, they are freed again.
class TNewLines {
public:
    explicit TNewLines(TLinePool& pool) : pool_(pool) {}
    TNewLines(const TNewLines&) = delete;  // owns what it allocated until released
    TNewLines& operator=(const TNewLines&) = delete;
    ~TNewLines() { Free(); }

    // A copy of the first line's text and a record for each further line; false when memory runs out.
    bool Allocate(const std::vector<std::string>& lines)
    {
        firstText = CopyText(lines[0]);
        if (!firstText)
            return false;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            auto* r = pool_.Get();
            char* t = r ? CopyText(lines[i]) : nullptr;
            if (!t) {
                if (r)
                    pool_.Put(r);
                return false;
            }
            *r = LineRecord{t, nullptr, nullptr, 0};
            records.push_back(r);
        }
        return true;
    }
    // Gives back what was allocated.
    void Free()
    {
        VokFree(firstText);
        for (LineRecord* r : records) {
            VokFree(r->text);
            pool_.Put(r);
        }
        Release();
    }
    // The list holds the texts and records now.
    void Release()
    {
        firstText = nullptr;
        records.clear();
    }

    char* firstText = nullptr;
    std::vector<LineRecord*> records;

private:
    TLinePool& pool_;
};

// Links records after line, in order; returns the last line of the run.
LineRecord* LinkAfter(LineRecord* line, const std::vector<LineRecord*>& records)
{
    for (LineRecord* r : records) {
        r->prev = line;
        r->next = line->next;
        if (line->next)
            line->next->prev = r;
        line->next = r;
        line = r;
    }
    return line;
}
}  // namespace

void TVokEditor::RepaintChanged(int32_t first, int32_t last)
{
    bool stateChanged = false;
    if (SyntaxScheme()) {
        LineRecord* lastRecord = LineAt(last);
        uint16_t before = lastRecord->state;
        RecomputeStates(first, last);
        stateChanged = lastRecord->state != before;
    }
    RequestRedraw(first == last && !stateChanged ? kRedrawLine : kRedrawAll);
}

bool TVokEditor::ExpandLineTabs(LineRecord* record)
{
    if (!std::strchr(record->text, '\t'))
        return true;
    std::string expanded = Expanded(record->text);
    return SetLineText(record, expanded.data(), expanded.size());
}

bool TVokEditor::Records(TEditOptions options) const
{
    return options.undo == TUndoRecording::WhenEnabled && undoEnabled;
}

bool TVokEditor::InsertText(const char* s, TEditOptions options)
{
    const bool record = Records(options);
    if (selShown) {
        if (!(selStartLine == selEndLine && selStartLine == curLineNo))
            RequestRedraw(kRedrawAll);
        selShown = false;
    }
    redoValid = false;
    selecting = false;

    // Typing inside the span of a tab: the tab becomes the spaces it covered, so the text keeps its place.
    if (!ConvertTabAtCursor(record))
        return false;

    const TPosition start = Cursor();
    TUndoStep step(*this, start.line, start.line, record);
    step.Anchor(start);

    TCutLine cut = CutAtColumn(curLine->text, curCol, s[0] != '\r');
    const std::size_t ownHead = std::min(cut.head.size(), std::strlen(curLine->text));
    std::vector<std::string> lines = BreakIntoLines(std::move(cut.head), s, kEditWidth);
    const bool typed = options.typed && lines.size() == 1;
    const int endCol = JoinTail(lines.back(), cut.tail, lines.size() == 1 ? ownHead : 0, kEditWidth, typed);

    // Allocate everything before touching the list, so running out of memory changes nothing.
    TNewLines added(pool_);
    if (!added.Allocate(lines)) {
        added.Free();
        RequestRedraw(kRedrawAll);
        ReportError(kErrOutOfMemory);
        return false;
    }
    FreeText(curLine->text);
    curLine->text = added.firstText;
    LineRecord* endRecord = LinkAfter(curLine, added.records);
    added.Release();
    if (!endRecord->next)
        lastRecord_ = endRecord;

    const auto breaks = static_cast<int32_t>(lines.size() - 1);
    const TPosition end{static_cast<int16_t>(endCol), start.line + breaks};
    lastLine += breaks;
    if (topLine > lastLine)
        topLine = lastLine;
    if (options.selectInserted) {
        selStartCol = start.col;
        selStartLine = start.line;
        selEndCol = end.col;
        selEndLine = end.line;
        selShown = start < end;
    } else {
        curLine = endRecord;
        curLineNo = end.line;
        curCol = end.col;
    }
    RepaintChanged(start.line, end.line);
    AdjustBookmarksForInsert(start, end);
    return true;
}

bool TVokEditor::DeleteWithinLine(LineRecord* line, int fromCol, int toCol)
{
    const char* text = line->text;
    const char* a = PointerAtColumn(text, fromCol);
    const char* b = PointerAtColumn(text, toCol);
    if (b <= a)
        return true;
    std::string rest(text, a);
    rest += b;
    if (!SetLineText(line, rest.data(), rest.size())) {
        ReportError(kErrOutOfMemory);
        return false;
    }
    return true;
}

bool TVokEditor::DeleteAcrossLines(LineRecord* first, TPosition from, TPosition to, int32_t* removed)
{
    LineRecord* lastRecord = LineAt(to.line);
    const char* a = PointerAtColumn(first->text, from.col);
    const char* b = PointerAtColumn(lastRecord->text, to.col);
    std::string head(static_cast<const char*>(first->text), a);
    std::string rest(b);
    // Measured joined, where the tabs of the rest land, not as two widths added.
    std::string joined = head + rest;
    bool join = LineWidth(joined.c_str()) <= kEditWidth;
    // Build the surviving texts first, so running out of memory leaves the document as it was.
    char* headText = CopyText(join ? joined : head);
    char* restText = join ? nullptr : CopyText(rest);
    if (!headText || (!join && !restText)) {
        VokFree(headText);
        VokFree(restText);
        ReportError(kErrOutOfMemory);
        return false;
    }
    if (curLineNo > from.line) {
        curLine = first;
        curLineNo = from.line;
    }
    LineRecord* stop = join ? lastRecord->next : lastRecord;
    for (LineRecord* l = first->next; l != stop;) {
        LineRecord* next = l->next;
        FreeLine(l);
        l = next;
        ++*removed;
    }
    first->next = stop;
    if (stop)
        stop->prev = first;
    else
        lastRecord_ = first;
    FreeText(first->text);
    first->text = headText;
    if (!join) {
        FreeText(lastRecord->text);
        lastRecord->text = restText;
    }
    return true;
}

void TVokEditor::DeleteRange(TPosition from, TPosition to, TEditOptions options)
{
    redoValid = false;
    if (options.preferSelection && selShown) {
        if (columnMode) {
            DeleteColumnBlock(options);
            return;
        }
        from = SelStart();
        to = SelEnd();
    } else if (!options.preferSelection && selShown
               && !(selStartLine == selEndLine && selStartLine == curLineNo)) {
        selShown = false;
        RequestRedraw(kRedrawAll);
    }
    if (from.line > lastLine || from.line > to.line)
        return;
    if (to.line > lastLine)
        to.line = lastLine;
    if (from.line == to.line && to.col < from.col)
        return;

    // The step sees the blanks that trimming takes off the first line too, so they come back with Undo.
    TUndoStep step(*this, from.line, to.line, Records(options));
    step.Anchor(from);
    LineRecord* first = LineAt(from.line);
    int32_t removed = 0;
    const bool ok = from.line == to.line ? DeleteWithinLine(first, from.col, to.col)
                                         : DeleteAcrossLines(first, from, to, &removed);
    if (!ok)
        return;

    lastLine -= removed;
    // The cursor moves from the first line, so the move trims that line and no other.
    curLine = first;
    curLineNo = from.line;
    GotoPosition(from.col, from.line, false);
    if (topLine > lastLine)
        topLine = lastLine;

    AdjustBookmarksForDelete(from, to);
    if (removed == 0 && from.line == to.line)
        RepaintChanged(from.line, from.line);
    else {
        RecomputeStates(from.line, from.line);
        RequestRedraw(kRedrawAll);
    }
}

void TVokEditor::DeleteColumnBlock(TEditOptions options)
{
    if (!selShown)
        return;
    const int left = std::min(selStartCol, selEndCol);
    const int right = std::max(selStartCol, selEndCol);
    if (left == right)
        return;
    redoValid = false;
    const int32_t first = selStartLine;
    const int32_t last = std::min(selEndLine, lastLine);
    TUndoStep step(*this, first, last, Records(options));

    const int tab = TabSize();
    LineRecord* line = LineAt(first);
    for (int32_t i = first; i <= last && line; ++i, line = line->next) {
        const char* text = line->text;
        const char* p = PointerAtColumn(text, left);
        if (!*p)
            continue;  // shorter than the left edge
        // A tab straddling the left edge counts as inside the block.
        if (p > text && p[-1] == '\t' && ColumnOfPointer(text, p) > left)
            --p;
        // From there on tabs become spaces, so the block's columns are plain bytes.
        std::string rebuilt(text, p);
        int col = ColumnOfPointer(text, p);
        const int startCol = col;
        for (const char* q = p; *q; ++q) {
            if (*q == '\t') {
                int span = tab - col % tab;
                rebuilt.append(static_cast<std::size_t>(span), ' ');
                col += span;
            } else {
                rebuilt += *q;
                ++col;
            }
        }
        std::size_t at = static_cast<std::size_t>(p - text) + static_cast<std::size_t>(left - startCol);
        if (at < rebuilt.size())
            rebuilt.erase(at, static_cast<std::size_t>(right - left));
        TrimRight(rebuilt);
        if (!SetLineText(line, rebuilt.data(), rebuilt.size()))
            continue;  // out of memory: this line keeps its text
        for (int b = 0; b < 10; ++b) {
            if (!bookmarkSet[b] || bookmarks[b].line != i || bookmarks[b].col <= left)
                continue;
            int moved = std::max(left, bookmarks[b].col - (right - left));
            bookmarks[b].col = static_cast<int16_t>(std::min(moved, LineWidth(line->text)));
        }
    }
    selShown = false;
    // The move trims one of the block's lines: the cursor stands at one of its ends.
    GotoPosition(left, first, false);
    RecomputeStates(first, last);
    RequestRedraw(kRedrawAll);
}

bool TVokEditor::InsertColumnBlock(const char* rows, int width, int height, TEditOptions options)
{
    const int c = curCol;
    if (c + width > kLineWidthLimit)
        width = kLineWidthLimit - c;
    if (width <= 0 || height <= 0)
        return true;
    redoValid = false;
    const int32_t first = curLineNo;
    const int32_t lastBlock = first + height - 1;
    const int32_t lastExisting = std::min(lastBlock, lastLine);

    TUndoStep step(*this, first, lastExisting, Records(options));
    selShown = false;

    bool ok = true;
    LineRecord* line = curLine;
    const char* r = rows;
    int32_t done = 0;
    for (int32_t i = 0; i < height; ++i) {
        if (i > 0) {
            if (!line->next) {
                LineRecord* added = InsertLineAfter(line);
                if (!added) {
                    ok = false;
                    break;
                }
                ++lastLine;
            }
            line = line->next;
        }
        // The row up to its line end, tabs as spaces, cut or padded to exactly the block width.
        std::string row;
        for (; *r && *r != '\r' && *r != '\n'; ++r)
            row += *r;
        if (*r == '\r')
            ++r;
        if (*r == '\n')
            ++r;
        row = Expanded(row.c_str());
        row.resize(static_cast<std::size_t>(width), ' ');
        std::string text = Expanded(line->text);
        if (static_cast<int>(text.size()) < c)
            text.resize(static_cast<std::size_t>(c), ' ');
        text.insert(static_cast<std::size_t>(c), row);
        if (text.size() > static_cast<std::size_t>(kLineWidthLimit))
            text.resize(static_cast<std::size_t>(kLineWidthLimit));
        TrimRight(text);
        if (!SetLineText(line, text.data(), text.size())) {
            ok = false;
            break;
        }
        for (int b = 0; b < 10; ++b) {
            if (!bookmarkSet[b] || bookmarks[b].line != first + i)
                continue;
            int col = bookmarks[b].col < c ? bookmarks[b].col : bookmarks[b].col + width;
            bookmarks[b].col = static_cast<int16_t>(std::min(col, LineWidth(line->text)));
        }
        ++done;
    }

    const int32_t lastDone = first + std::max(done, 1) - 1;
    RecomputeStates(first, lastDone);
    if (options.selectInserted) {
        GotoPosition(c, first, false);
        selStartCol = static_cast<int16_t>(c);
        selStartLine = first;
        selEndCol = static_cast<int16_t>(c + width);
        selEndLine = lastDone;
        selShown = true;
    } else {
        GotoPosition(c, std::min(lastDone + 1, lastLine), false);
    }
    RequestRedraw(kRedrawAll);
    if (!ok) {
        ReportError(kErrOutOfMemory);
        return false;
    }
    return true;
}

char* TVokEditor::GetRangeText(TPosition from, TPosition to)
{
    if (from.line > lastLine || !(from < to))
        return nullptr;
    if (to.line > lastLine)
        to = {static_cast<int16_t>(LineWidth(LineAt(lastLine)->text)), lastLine};
    std::string out;
    LineRecord* line = LineAt(from.line);
    if (from.line == to.line) {
        const char* a = PointerAtColumn(line->text, from.col);
        const char* b = PointerAtColumn(line->text, to.col);
        if (b > a)
            out.assign(a, b);
    } else {
        out = PointerAtColumn(line->text, from.col);
        out += "\r\n";
        line = line->next;
        for (int32_t i = from.line + 1; line && i < to.line; ++i, line = line->next) {
            out += line->text;
            out += "\r\n";
            if (out.size() >= kUndoTextLimit)
                return nullptr;
        }
        if (line)
            out.append(static_cast<const char*>(line->text), PointerAtColumn(line->text, to.col));
    }
    if (out.empty() || out.size() >= kUndoTextLimit)
        return nullptr;
    return CopyText(out);
}

char* TVokEditor::GetSelectionText()
{
    if (!selShown)
        return nullptr;
    if (!columnMode)
        return GetRangeText(SelStart(), SelEnd());
    // A column selection as rows of the block, each ended by CR LF.
    const int left = std::min(selStartCol, selEndCol);
    const int right = std::max(selStartCol, selEndCol);
    std::string out;
    LineRecord* line = LineAt(selStartLine);
    for (int32_t i = selStartLine; i <= std::min(selEndLine, lastLine) && line; ++i, line = line->next) {
        out.append(PointerAtColumn(line->text, left), PointerAtColumn(line->text, right));
        out += "\r\n";
        if (out.size() >= kUndoTextLimit)
            return nullptr;
    }
    return out.empty() ? nullptr : CopyText(out);
}

bool TVokEditor::InsertFile(TInStream& in)
{
    bool binary = false;
    bool cut = false;
    {
        TUpdateBatch batch(*this);
        if (!InsertStream(in, &binary, &cut))
            return false;
    }
    if (binary)
        ReportError(kErrBinaryFile);
    if (cut)
        ReportError(kErrLongLinesSplit);
    return true;
}

bool TVokEditor::InsertStream(TInStream& in, bool* binary, bool* cut)
{
    const bool savedOverwrite = EngineOptions().overwriteMode;
    EngineOptions().overwriteMode = false;
    const TPosition start = Cursor();
    // The pieces go in unrecorded; the step records the whole insertion as one.
    TUndoStep step(*this, start.line, start.line, undoEnabled);
    step.Anchor(start);
    char buffer[kLineBufferSize];
    bool ok = true;
    // InsertText keeps a line below column 1024, one column short of what loading allows: pieces cut to
    // fit it are split, where a full-width piece would lose its last byte.
    while (!in.AtEnd()) {
        if (ReadTextLine(in, buffer, kLineBufferSize, kLineWidthLimit - 1, TabSize(), true, nullptr, binary))
            *cut = true;
        if (!InsertText(buffer, {.undo = TUndoRecording::Off})) {
            ok = false;
            break;
        }
    }
    if (!ok) {
        DeleteRange(start, Cursor(), {.undo = TUndoRecording::Off});
        EngineOptions().overwriteMode = savedOverwrite;
        RequestRedraw(kRedrawAll);
        return false;
    }
    EngineOptions().overwriteMode = savedOverwrite;
    const TPosition end = Cursor();
    step.Finish();
    if (start < end) {
        selStartCol = start.col;
        selStartLine = start.line;
        selEndCol = end.col;
        selEndLine = end.line;
        selShown = true;
    }
    RequestRedraw(kRedrawAll);
    EnsureCursorVisible();
    return true;
}
