// Undo records made by comparing lines before and after a step, merging them, and putting text back exactly.
#include "engine/UndoStep.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "engine/Alloc.h"
#include "engine/Commands.h"
#include "engine/Options.h"
#include "engine/VokEditor.h"

namespace {
// Lines are compared joined by CR, which no line can hold (reading and inserting both break lines there);
// undo text joins them by CR LF.
constexpr char kBreak = '\r';

// A step over more text than this copies nothing: its record could not be kept anyway.
constexpr std::size_t kStepCopyLimit = kUndoTextLimit + 2 * kLineBufferSize;

int Advance(int col, char c, int tab)
{
    return c == '\t' ? col + tab - col % tab : col + 1;
}

// The display column of offset `at`, counted from the start of its line in `flat`.
TPosition PositionAt(const std::string& flat, int32_t first, std::size_t at)
{
    int32_t line = first;
    std::size_t start = 0;
    for (std::size_t i = 0; i < at; ++i) {
        if (flat[i] == kBreak) {
            ++line;
            start = i + 1;
        }
    }
    const int tab = TabSize();
    int col = 0;
    for (std::size_t i = start; i < at; ++i)
        col = Advance(col, flat[i], tab);
    return {static_cast<int16_t>(col), line};
}

// The offset of the start of line `line` in `flat`, or npos when the span has no such line.
std::size_t LineStart(const std::string& flat, int32_t first, int32_t line)
{
    if (line < first)
        return std::string::npos;
    std::size_t at = 0;
    for (int32_t l = first; l < line; ++l) {
        at = flat.find(kBreak, at);
        if (at == std::string::npos)
            return at;
        ++at;
    }
    return at;
}

// The offset of the byte at a position. Exact: npos unless the column is the start of a byte or the end of
// the line. Otherwise the first byte whose column is not below it, as the line walk of the engine finds it.
std::size_t OffsetOf(const std::string& flat, int32_t first, TPosition pos, bool exact)
{
    std::size_t at = LineStart(flat, first, pos.line);
    if (at == std::string::npos)
        return at;
    const int tab = TabSize();
    int col = 0;
    while (at < flat.size() && flat[at] != kBreak && col < pos.col)
        col = Advance(col, flat[at++], tab);
    if (exact && col != pos.col)
        return std::string::npos;
    return at;
}

std::string ToFlat(const char* text)
{
    std::string out;
    for (const char* p = text; p && *p; ++p) {
        out += *p;
        if (*p == '\r' && p[1] == '\n')
            ++p;
    }
    return out;
}

std::size_t CrLfSize(const std::string& flat, std::size_t from, std::size_t to)
{
    return to - from + static_cast<std::size_t>(std::count(flat.begin() + static_cast<std::ptrdiff_t>(from),
                                                           flat.begin() + static_cast<std::ptrdiff_t>(to), kBreak));
}

// The one region in which `after` differs from `before`, both spans of whole lines from line `first`: the
// range it covers now, and the old bytes with CR LF between lines. The region starts no later than anchor.
// False when they are equal.
bool Diff(const std::string& before, const std::string& after, int32_t first, std::size_t anchor, UndoRecord* r,
          std::string* oldText)
{
    if (before == after)
        return false;
    const std::size_t most = std::min(before.size(), after.size());
    std::size_t prefix = 0;
    const std::size_t prefixLimit = std::min(most, anchor);
    while (prefix < prefixLimit && before[prefix] == after[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < most - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const TPosition start = PositionAt(after, first, prefix);
    const TPosition end = PositionAt(after, first, after.size() - suffix);
    oldText->clear();
    oldText->reserve(CrLfSize(before, prefix, before.size() - suffix));
    for (std::size_t i = prefix; i < before.size() - suffix; ++i) {
        *oldText += before[i];
        if (before[i] == kBreak)
            *oldText += '\n';
    }
    *r = UndoRecord{!(start == end), start.col, start.line, end.col, end.line, start.col, start.line, nullptr, 0};
    return true;
}

// Where a record's region begins: the range start, which is also where its text goes back.
TPosition RegionStart(const UndoRecord& r)
{
    return r.hasRange ? TPosition{r.rangeStartCol, r.rangeStartLine} : TPosition{r.textCol, r.textLine};
}

TPosition RegionEnd(const UndoRecord& r)
{
    return r.hasRange ? TPosition{r.rangeEndCol, r.rangeEndLine} : RegionStart(r);
}

// A record of one region: its text, if any, goes back where its range begins.
bool IsRegion(const UndoRecord& r)
{
    return !r.hasRange || !r.text || (r.textCol == r.rangeStartCol && r.textLine == r.rangeStartLine);
}

char* CopyToBlock(const std::string& s)
{
    auto* block = static_cast<char*>(VokAlloc(s.size() + 1));
    if (block)
        std::memcpy(block, s.c_str(), s.size() + 1);
    return block;
}
}  // namespace

std::string FlatLines(TVokEditor& editor, int32_t first, int32_t last)
{
    std::string out;
    LineRecord* line = editor.LineAt(first);
    for (int32_t i = first; i <= last && line; ++i, line = line->next) {
        if (i > first)
            out += kBreak;
        out += line->text;
    }
    return out;
}

TUndoStep::TUndoStep(TVokEditor& editor, int32_t first, int32_t last, bool record, bool toRedo)
    : editor_(editor), first_(first), last_(last), lastLineBefore_(editor.lastLine), record_(record),
      toRedo_(toRedo), outer_(editor.stepDepth_ == 0), tooLarge_(false)
{
    ++editor_.stepDepth_;
    if (!outer_)
        return;
    first_ = std::clamp(first_, 0, editor_.lastLine);
    last_ = std::clamp(last_, first_, editor_.lastLine);
    std::size_t bytes = 0;
    LineRecord* line = editor_.LineAt(first_);
    for (int32_t i = first_; i <= last_ && line; ++i, line = line->next) {
        bytes += std::strlen(line->text) + 1;
        if (bytes > kStepCopyLimit) {
            tooLarge_ = true;
            return;
        }
    }
    try {
        before_ = FlatLines(editor_, first_, last_);
    } catch (const std::bad_alloc&) {
        tooLarge_ = true;
    }
}

void TUndoStep::Anchor(TPosition at)
{
    if (outer_ && !tooLarge_ && !done_)
        anchor_ = OffsetOf(before_, first_, at, false);
}

void TUndoStep::Cancel()
{
    if (done_)
        return;
    done_ = true;
    --editor_.stepDepth_;
}

bool TUndoStep::Finish()
{
    if (done_)
        return false;
    done_ = true;
    --editor_.stepDepth_;
    if (!outer_)
        return false;
    const int32_t lastAfter = last_ + (editor_.lastLine - lastLineBefore_);
    if (tooLarge_) {
        editor_.modified = true;
        if (record_)
            editor_.DropHistory(toRedo_);
        return true;
    }
    try {
        const std::string after = FlatLines(editor_, first_, lastAfter);
        UndoRecord r{};
        std::string oldText;
        if (!Diff(before_, after, first_, anchor_, &r, &oldText))
            return false;
        editor_.modified = true;
        if (!record_)
            return true;
        if (oldText.size() >= kUndoTextLimit) {
            // Too large to keep: the user loses the history, never the edit.
            editor_.DropHistory(toRedo_);
            return true;
        }
        if (!oldText.empty()) {
            r.text = CopyToBlock(oldText);
            if (!r.text) {
                editor_.DropHistory(toRedo_);
                return true;
            }
        }
        editor_.PushRecord(r, toRedo_);
    } catch (const std::bad_alloc&) {
        editor_.modified = true;
        if (record_)
            editor_.DropHistory(toRedo_);
    }
    return true;
}

void TVokEditor::DropHistory(bool toRedo)
{
    // What cannot be recorded makes the records beyond it useless: those of the list it should have gone to,
    // and for a fresh edit also the other list.
    if (toRedo)
        ClearRedo();
    else if (curCommand == cmRedo)
        ClearUndo();
    else
        ClearBothLists();
}

bool TVokEditor::MergeUndo(const UndoRecord& r)
{
    UndoRecord* t = undo[undoCount - 1];
    if (!IsRegion(r) || !IsRegion(*t))
        return false;
    try {
        // Everything is worked out on the lines both regions touch. s2 is the text now, s1 before r's step,
        // s0 before t's; r's region and t's are compared in s1, where both are known.
        const TPosition pr = RegionStart(r);
        const TPosition qr = RegionEnd(r);
        const TPosition pt = RegionStart(*t);
        const TPosition qt = RegionEnd(*t);
        const std::string textR = ToFlat(r.text);
        const int32_t breaksR = static_cast<int32_t>(std::count(textR.begin(), textR.end(), kBreak));
        const int32_t first = std::min(pt.line, pr.line);
        const int32_t lastS1 = std::max(qt.line, pr.line + breaksR);
        const int32_t lastS2 = lastS1 + (qr.line - (pr.line + breaksR));
        if (first < 0 || lastS2 > lastLine || lastS2 < first)
            return false;
        const std::string s2 = FlatLines(*this, first, lastS2);
        const std::size_t r0 = OffsetOf(s2, first, pr, true);
        const std::size_t r2 = OffsetOf(s2, first, qr, true);
        if (r0 == std::string::npos || r2 == std::string::npos || r2 < r0)
            return false;
        const std::string s1 = s2.substr(0, r0) + textR + s2.substr(r2);
        const std::size_t r1 = r0 + textR.size();
        const std::size_t t0 = OffsetOf(s1, first, pt, true);
        const std::size_t t1 = OffsetOf(s1, first, qt, true);
        if (t0 == std::string::npos || t1 == std::string::npos || t1 < t0)
            return false;
        // Regions apart are two steps, however alike their commands.
        if (r0 > t1 || t0 > r1)
            return false;
        const std::string s0 = s1.substr(0, t0) + ToFlat(t->text) + s1.substr(t1);
        UndoRecord m{};
        std::string oldText;
        // Steps that together changed nothing (a character typed over itself) stay two records: a merged
        // one would undo nothing.
        if (!Diff(s0, s2, first, std::min(r0, t0), &m, &oldText) || oldText.size() >= kUndoTextLimit)
            return false;
        char* text = nullptr;
        if (!oldText.empty()) {
            text = CopyToBlock(oldText);
            if (!text) {
                ClearBothLists();
                VokFree(r.text);
                return true;
            }
        }
        m.kind = t->kind;
        VokFree(t->text);
        *t = m;
        t->text = text;
        VokFree(r.text);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool TVokEditor::ReplaceText(TPosition from, TPosition to, const char* text)
{
    if (from.line < 0)
        from = {0, 0};
    if (from.line > lastLine)
        from = {static_cast<int16_t>(LineWidth(LineAt(lastLine)->text)), lastLine};
    if (to.line > lastLine)
        to = {static_cast<int16_t>(LineWidth(LineAt(lastLine)->text)), lastLine};
    if (to < from)
        to = from;

    LineRecord* firstRecord = LineAt(from.line);
    LineRecord* lastRecord = LineAt(to.line);
    const char* a = PointerAtColumn(firstRecord->text, from.col);
    const char* b = PointerAtColumn(lastRecord->text, to.col);
    if (from.line == to.line && b < a)
        b = a;

    // The new lines of the span, built and allocated before the list is touched. A position beyond the end
    // of its line (its blanks were trimmed since the record was made) is reached with spaces.
    std::vector<std::string> lines(1, std::string(static_cast<const char*>(firstRecord->text), a));
    if (!*a) {
        const int width = LineWidth(firstRecord->text);
        if (from.col > width)
            lines[0].append(static_cast<std::size_t>(from.col - width), ' ');
    }
    for (const char* q = text; q && *q; ++q) {
        if (*q == '\r') {
            lines.emplace_back();
            if (q[1] == '\n')
                ++q;
        } else {
            lines.back() += *q;
        }
    }
    const std::size_t insertedEnd = lines.back().size();
    lines.back() += b;

    const int32_t oldCount = to.line - from.line + 1;
    const int32_t newCount = static_cast<int32_t>(lines.size());
    std::vector<char*> texts;
    std::vector<LineRecord*> extra;
    bool ok = true;
    for (const std::string& s : lines) {
        char* t = CopyToBlock(s);
        if (!t) {
            ok = false;
            break;
        }
        texts.push_back(t);
    }
    for (int32_t i = oldCount; ok && i < newCount; ++i) {
        LineRecord* r = pool_.Get();
        if (!r) {
            ok = false;
            break;
        }
        *r = LineRecord{nullptr, nullptr, nullptr, 0};
        extra.push_back(r);
    }
    if (!ok) {
        for (char* t : texts)
            VokFree(t);
        for (LineRecord* r : extra)
            pool_.Put(r);
        ReportError(kErrOutOfMemory);
        return false;
    }

    // The cursor moves to the span's first line, so that it never stands on a line that goes.
    curLine = firstRecord;
    curLineNo = from.line;
    const TPosition insertEnd = [&] {
        std::string& last = lines.back();
        return TPosition{static_cast<int16_t>(ColumnOfPointer(last.c_str(), last.c_str() + insertedEnd)),
                         from.line + newCount - 1};
    }();

    LineRecord* line = firstRecord;
    for (int32_t i = 0; i < newCount; ++i) {
        if (i < oldCount) {
            if (i > 0)
                line = line->next;
        } else {
            LineRecord* r = extra[static_cast<std::size_t>(i - oldCount)];
            r->prev = line;
            r->next = line->next;
            if (line->next)
                line->next->prev = r;
            line->next = r;
            if (line == lastRecord_)
                lastRecord_ = r;
            line = r;
        }
        FreeText(line->text);
        line->text = texts[static_cast<std::size_t>(i)];
    }
    for (int32_t i = newCount; i < oldCount; ++i) {
        LineRecord* gone = line->next;
        line->next = gone->next;
        if (gone->next)
            gone->next->prev = line;
        if (gone == lastRecord_)
            lastRecord_ = line;
        FreeLine(gone);
    }
    lastLine += newCount - oldCount;
    if (topLine > lastLine)
        topLine = lastLine;
    AdjustBookmarksForDelete(from, to);
    AdjustBookmarksForInsert(from, insertEnd);
    RecomputeStates(from.line, insertEnd.line);
    RequestRedraw(kRedrawAll);
    return true;
}
