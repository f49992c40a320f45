// Cursor movement, scrolling, selection, bookmarks and bracket matching.
#include "engine/VokEditor.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {
int ClampInt(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

bool IsBlankLine(const char* text)
{
    for (; *text; ++text)
        if (!IsSpaceByte(static_cast<unsigned char>(*text)))
            return false;
    return true;
}
}  // namespace

void TVokEditor::GotoPosition(int c, int32_t l, bool extend)
{
    if (!keepBlanks_)
        TrimLine(curLine);
    c = ClampInt(c, 0, maxCol);
    l = l < 0 ? 0 : (l > lastLine ? lastLine : l);
    TRedraw flags = kRedrawCaret;
    const TPosition target{static_cast<int16_t>(c), l};

    if (!extend) {
        if (selShown) {
            bool oneLine = selStartLine == selEndLine && selStartLine == l;
            flags = kRedrawCaret | (oneLine ? kRedrawLine : kRedrawAll);
        }
        selShown = false;
        selecting = false;
    } else if (!selShown) {
        TPosition a = Cursor();
        TPosition start = std::min(a, target);
        TPosition end = std::max(a, target);
        if (!columnMode) {
            start.col = static_cast<int16_t>(std::min<int>(start.col, LineWidth(LineAt(start.line)->text)));
            end.col = static_cast<int16_t>(std::min<int>(end.col, LineWidth(LineAt(end.line)->text)));
        }
        selStartCol = start.col;
        selStartLine = start.line;
        selEndCol = end.col;
        selEndLine = end.line;
        if (start.line == end.line) {
            selShown = columnMode ? start.col != end.col : start.col < end.col;
            if (selShown)
                flags = kRedrawCaret | kRedrawLine;
        } else {
            selShown = true;
            flags = kRedrawCaret | kRedrawAll;
        }
    } else {
        const TPosition oldStart = SelStart();
        const TPosition oldEnd = SelEnd();
        TPosition start = oldStart;
        TPosition end = oldEnd;
        if (end < target)
            end = target;
        else if (target < start)
            start = target;
        else if (Cursor() == start)
            start = target;
        else
            end = target;
        if (!columnMode) {
            start.col = static_cast<int16_t>(std::min<int>(start.col, LineWidth(LineAt(start.line)->text)));
            end.col = static_cast<int16_t>(std::min<int>(end.col, LineWidth(LineAt(end.line)->text)));
        }
        if (start < end) {
            selStartCol = start.col;
            selStartLine = start.line;
            selEndCol = end.col;
            selEndLine = end.line;
            bool linesKept = start.line == oldStart.line && end.line == oldEnd.line;
            bool colChanged = start.col != oldStart.col || end.col != oldEnd.col;
            if (!linesKept)
                flags = kRedrawCaret | kRedrawAll;
            else if (columnMode && start.line != end.line && colChanged)
                flags = kRedrawCaret | kRedrawAll | kRedrawLine;
            else
                flags = kRedrawCaret | kRedrawLine;
        } else {
            selShown = false;
            bool oneLine = oldStart.line == oldEnd.line && oldStart.line == l;
            flags = kRedrawCaret | (oneLine ? kRedrawLine : kRedrawAll);
        }
    }

    // A pending repaint of the old cursor line would miss the new one.
    if ((pendingRedraw & kRedrawLine) && l != curLineNo)
        flags |= kRedrawAll;

    curLine = LineAt(l);
    curCol = static_cast<int16_t>(c);
    curLineNo = l;
    RequestRedraw(flags);
}

void TVokEditor::EnsureCursorVisible()
{
    int32_t top = topLine;
    if (curLineNo < topLine)
        top = curLineNo;
    else if (winLines > 0 && curLineNo >= topLine + static_cast<int32_t>(winLines))
        top = curLineNo - static_cast<int32_t>(winLines) + 1;
    int left = topCol;
    if (curCol < topCol)
        left = curCol;
    else if (winCols > 0 && curCol >= topCol + winCols)
        left = curCol - winCols + 1;
    ScrollTo(left, top);
}

void TVokEditor::ScrollTo(int c, int32_t l)
{
    int maxLeft = std::max(0, maxCol - winCols + 1);
    c = ClampInt(c, 0, maxLeft);
    l = l < 0 ? 0 : (l > lastLine ? lastLine : l);
    if (c != topCol || l != topLine) {
        topCol = static_cast<int16_t>(c);
        topLine = l;
        RequestRedraw(kRedrawAll);
    }
}

void TVokEditor::HideSelection()
{
    if (!selShown)
        return;
    selShown = false;
    // Any visible part of the selection must be repainted, also when both its ends lie outside the window.
    int32_t bottom = topLine + static_cast<int32_t>(winLines);
    if (selStartLine < bottom && selEndLine >= topLine) {
        bool onCursorLine = selStartLine == selEndLine && selStartLine == curLineNo;
        RequestRedraw(onCursorLine ? kRedrawLine : kRedrawAll);
    }
}

namespace {
struct TParagraph {
    TPosition start;
    TPosition end;
    bool found;
};

TParagraph ParagraphAround(TVokEditor& ed, int32_t lineNo)
{
    LineRecord* line = ed.LineAt(lineNo);
    if (IsBlankLine(line->text))
        return {{0, lineNo}, {0, lineNo}, false};
    int32_t first = lineNo;
    LineRecord* p = line;
    while (p->prev && !IsBlankLine(p->prev->text)) {
        p = p->prev;
        --first;
    }
    int32_t last = lineNo;
    LineRecord* q = line;
    while (q->next && !IsBlankLine(q->next->text)) {
        q = q->next;
        ++last;
    }
    return {{0, first}, {static_cast<int16_t>(TVokEditor::LineWidthTrimmed(q->text)), last}, true};
}
}  // namespace

bool TVokEditor::ParagraphBounds(TPosition* start, TPosition* end)
{
    TParagraph para = ParagraphAround(*this, curLineNo);
    *start = para.start;
    *end = para.end;
    return para.found;
}

TPosition TVokEditor::NextWordPos(TPosition pos)
{
    LineRecord* line = LineAt(pos.line);
    const char* text = line->text;
    int width = LineWidthTrimmed(text);
    if (pos.col >= width) {
        if (pos.line >= lastLine || !line->next)
            return {static_cast<int16_t>(width), pos.line};
        const char* next = line->next->text;
        const char* p = next;
        while (*p && !IsWordChar(static_cast<unsigned char>(*p)))
            ++p;
        return {static_cast<int16_t>(ColumnOfPointer(next, p)), pos.line + 1};
    }
    const char* p = PointerAtColumn(text, pos.col);
    while (*p && IsWordChar(static_cast<unsigned char>(*p)))
        ++p;
    while (*p && !IsWordChar(static_cast<unsigned char>(*p)))
        ++p;
    return {static_cast<int16_t>(ColumnOfPointer(text, p)), pos.line};
}

TPosition TVokEditor::PrevWordPos(TPosition pos)
{
    LineRecord* line = LineAt(pos.line);
    if (pos.col == 0) {
        if (pos.line > 0 && line->prev)
            return {static_cast<int16_t>(LineWidthTrimmed(line->prev->text)), pos.line - 1};
        return pos;
    }
    const char* text = line->text;
    const char* p = PointerAtColumn(text, pos.col);
    auto word = [this](const char* q) { return *q && IsWordChar(static_cast<unsigned char>(*q)); };
    if (word(p) && p > text)
        --p;
    while (p > text && !word(p))
        --p;
    while (p > text && word(p))
        --p;
    if (*p && !word(p) && word(p + 1))
        ++p;
    int col = ColumnOfPointer(text, p);
    // The only word before the cursor may begin right after a lone non-word first byte at or behind the
    // cursor ("(|x", or inside a leading tab): stepping there would stay put or go right, so go to the line
    // start instead and let the rule below carry on to the previous line.
    if (col >= pos.col)
        col = 0;
    if (col == 0 && pos.line > 0 && line->prev && !word(text))
        return {static_cast<int16_t>(LineWidthTrimmed(line->prev->text)), pos.line - 1};
    return {static_cast<int16_t>(col), pos.line};
}

void TVokEditor::PageUp(bool extend)
{
    EnsureCursorVisible();
    int32_t page = static_cast<int32_t>(winLines);
    GotoPosition(curCol, curLineNo - page, extend);
    ScrollTo(topCol, topLine - page);
}

void TVokEditor::PageDown(bool extend)
{
    EnsureCursorVisible();
    int32_t page = static_cast<int32_t>(winLines);
    GotoPosition(curCol, curLineNo + page, extend);
    ScrollTo(topCol, topLine + page);
}

// The view moves by a line and the cursor stays put, unless it would leave the window: then it is carried
// along, since every command ends by scrolling the cursor back into view and would undo the scroll.
void TVokEditor::ScrollUp()
{
    ScrollTo(topCol, topLine - 1);
    int32_t bottom = topLine + static_cast<int32_t>(winLines) - 1;
    if (winLines > 0 && curLineNo > bottom)
        GotoPosition(curCol, bottom, selecting);
}

void TVokEditor::ScrollDown()
{
    ScrollTo(topCol, topLine + 1);
    if (curLineNo < topLine)
        GotoPosition(curCol, topLine, selecting);
}

void TVokEditor::LineEnd(bool extend)
{
    GotoPosition(LineWidthTrimmed(curLine->text), curLineNo, extend);
}

void TVokEditor::WordLeft(bool extend)
{
    TPosition p = PrevWordPos(Cursor());
    GotoPosition(p.col, p.line, extend);
}

void TVokEditor::WordRight(bool extend)
{
    TPosition p = NextWordPos(Cursor());
    GotoPosition(p.col, p.line, extend);
}

void TVokEditor::BottomOfWindow(bool extend)
{
    GotoPosition(curCol, topLine + static_cast<int32_t>(winLines) - 1, extend);
}

void TVokEditor::ParaUp(bool extend)
{
    TParagraph para = ParagraphAround(*this, curLineNo);
    if (curCol == 0 && curLineNo == para.start.line && curLineNo > 0)
        para = ParagraphAround(*this, curLineNo - 1);
    GotoPosition(para.start.col, para.start.line, extend);
}

void TVokEditor::ParaDown(bool extend)
{
    TParagraph para = ParagraphAround(*this, curLineNo);
    if (para.end.line >= lastLine)
        GotoPosition(para.end.col, para.end.line, extend);
    else
        GotoPosition(0, para.end.line + 1, extend);
}

void TVokEditor::FirstNonBlank()
{
    GotoPosition(0, curLineNo, false);
    const char* text = curLine->text;
    const char* p = text;
    while (*p && IsSpaceByte(static_cast<unsigned char>(*p)))
        ++p;
    GotoPosition(ColumnOfPointer(text, p), curLineNo, false);
}

void TVokEditor::StartSelect()
{
    HideSelection();
    selecting = true;
}

void TVokEditor::SelectWord()
{
    const char* text = curLine->text;
    const char* p = PointerAtColumn(text, curCol);
    while (p > text && IsWordChar(static_cast<unsigned char>(p[-1])))
        --p;
    // The move trims the line and may move its block: keep the word's start as an offset, not a pointer.
    // Trimming may also take the blanks the cursor stood in, and the offset with them.
    const std::size_t start = static_cast<std::size_t>(p - text);
    GotoPosition(ColumnOfPointer(text, p), curLineNo, false);
    text = curLine->text;
    p = text + std::min(start, std::strlen(text));
    while (*p && IsWordChar(static_cast<unsigned char>(*p)))
        ++p;
    GotoPosition(ColumnOfPointer(text, p), curLineNo, true);
}

void TVokEditor::SelectLine()
{
    GotoPosition(0, curLineNo, false);
    GotoPosition(LineWidth(curLine->text), curLineNo, true);
}

void TVokEditor::SelectPara()
{
    TPosition start, end;
    ParagraphBounds(&start, &end);
    GotoPosition(start.col, start.line, false);
    GotoPosition(end.col, end.line, true);
}

void TVokEditor::SelectAll()
{
    GotoPosition(0, 0, false);
    GotoPosition(0, lastLine, true);
    GotoPosition(LineWidth(LineAt(lastLine)->text), lastLine, true);
}

void TVokEditor::SetSelMode(bool column)
{
    columnMode = column;
    if (selShown) {
        selShown = false;
        RequestRedraw(kRedrawAll);
    }
}

void TVokEditor::SetMark(int n)
{
    if (n < 0 || n > 9)
        return;
    bookmarks[n] = Cursor();
    bookmarkSet[n] = true;
}

void TVokEditor::GotoMark(int n)
{
    if (n < 0 || n > 9 || !bookmarkSet[n])
        return;
    GotoPosition(bookmarks[n].col, bookmarks[n].line, false);
}

namespace {
// A byte position while walking the document: the line, its index and the byte offset in it.
struct TWalk {
    LineRecord* line;
    int32_t index;
    long offset;
};

bool StepForward(TWalk& w)
{
    if (w.line->text[w.offset] && w.line->text[w.offset + 1]) {
        ++w.offset;
        return true;
    }
    // Skip to the first byte of the next non-empty line.
    for (LineRecord* l = w.line->next; l; l = l->next) {
        ++w.index;
        if (l->text[0]) {
            w.line = l;
            w.offset = 0;
            return true;
        }
    }
    return false;
}

bool StepBackward(TWalk& w)
{
    if (w.offset > 0) {
        --w.offset;
        return true;
    }
    for (LineRecord* l = w.line->prev; l; l = l->prev) {
        --w.index;
        long len = static_cast<long>(std::strlen(l->text));
        if (len > 0) {
            w.line = l;
            w.offset = len - 1;
            return true;
        }
    }
    return false;
}

char ByteAt(const TWalk& w)
{
    return w.line->text[w.offset];
}
char ByteAfter(const TWalk& w)
{
    return w.line->text[w.offset] ? w.line->text[w.offset + 1] : 0;
}
}  // namespace

void TVokEditor::MatchPair()
{
    const char* text = curLine->text;
    const char* p = PointerAtColumn(text, curCol);
    char under = *p;
    char after = under ? p[1] : 0;
    TWalk w{curLine, curLineNo, static_cast<long>(p - text)};
    bool found = false;

    auto brackets = [&](char open, char close, bool forward) {
        int depth = 0;
        while (forward ? StepForward(w) : StepBackward(w)) {
            char b = ByteAt(w);
            if (b == open) {
                ++depth;
            } else if (b == close) {
                if (depth == 0)
                    return true;
                --depth;
            }
        }
        return false;
    };

    switch (under) {
    case '(': found = brackets('(', ')', true); break;
    case ')': found = brackets(')', '(', false); break;
    case '[': found = brackets('[', ']', true); break;
    case ']': found = brackets(']', '[', false); break;
    case '{': found = brackets('{', '}', true); break;
    case '}': found = brackets('}', '{', false); break;
    case '/':
        if (after == '*') {
            StepForward(w);  // past the opening star, so "/*/" is not its own close
            while (StepForward(w))
                if (ByteAt(w) == '*' && ByteAfter(w) == '/') {
                    found = true;
                    break;
                }
        }
        break;
    case '*':
        if (after == '/') {
            while (StepBackward(w))
                if (ByteAt(w) == '/' && ByteAfter(w) == '*' && !(w.line == curLine && w.offset + 1 >= p - text)) {
                    found = true;
                    break;
                }
        }
        break;
    default: break;
    }
    if (found)
        GotoPosition(ColumnOfPointer(w.line->text, w.line->text + w.offset), w.index, false);
}

namespace {
enum class TPreproc { None, If, Else, Elif, Endif, Other };

TPreproc PreprocKind(const char* text)
{
    while (IsSpaceByte(static_cast<unsigned char>(*text)))
        ++text;
    if (*text != '#')
        return TPreproc::None;
    ++text;
    while (IsSpaceByte(static_cast<unsigned char>(*text)))
        ++text;
    if (std::strncmp(text, "if", 2) == 0)
        return TPreproc::If;
    if (std::strncmp(text, "else", 4) == 0)
        return TPreproc::Else;
    if (std::strncmp(text, "elif", 4) == 0)
        return TPreproc::Elif;
    if (std::strncmp(text, "endif", 5) == 0)
        return TPreproc::Endif;
    return TPreproc::Other;
}
}  // namespace

void TVokEditor::MatchPreprocNext()
{
    TPreproc here = PreprocKind(curLine->text);
    if (here != TPreproc::If && here != TPreproc::Else && here != TPreproc::Elif)
        return;
    int depth = 0;
    int32_t index = curLineNo;
    for (LineRecord* l = curLine->next; l; l = l->next) {
        ++index;
        TPreproc kind = PreprocKind(l->text);
        if (kind == TPreproc::If) {
            ++depth;
        } else if (depth == 0 && (kind == TPreproc::Else || kind == TPreproc::Elif || kind == TPreproc::Endif)) {
            GotoPosition(curCol, index, false);
            return;
        } else if (depth > 0 && kind == TPreproc::Endif) {
            --depth;
        }
    }
}

void TVokEditor::MatchPreprocPrev()
{
    TPreproc here = PreprocKind(curLine->text);
    if (here != TPreproc::Endif && here != TPreproc::Else && here != TPreproc::Elif)
        return;
    int depth = 0;
    int32_t index = curLineNo;
    for (LineRecord* l = curLine->prev; l; l = l->prev) {
        --index;
        TPreproc kind = PreprocKind(l->text);
        if (kind == TPreproc::Endif) {
            ++depth;
        } else if (depth == 0 && (kind == TPreproc::Else || kind == TPreproc::Elif || kind == TPreproc::If)) {
            GotoPosition(curCol, index, false);
            return;
        } else if (depth > 0 && kind == TPreproc::If) {
            --depth;
        }
    }
}

void TVokEditor::AdjustBookmarksForInsert(TPosition from, TPosition to)
{
    for (int i = 0; i < 10; ++i) {
        if (!bookmarkSet[i])
            continue;
        TPosition& b = bookmarks[i];
        if (b.line > from.line) {
            b.line += to.line - from.line;
        } else if (b.line == from.line && b.col >= from.col) {
            b.line = to.line;
            b.col = static_cast<int16_t>(ClampInt(b.col - from.col + to.col, 0, kMaxCol));
        }
    }
}

void TVokEditor::AdjustBookmarksForDelete(TPosition from, TPosition to)
{
    for (int i = 0; i < 10; ++i) {
        if (!bookmarkSet[i])
            continue;
        TPosition& b = bookmarks[i];
        if (b.line > to.line) {
            b.line -= to.line - from.line;
        } else if (b.line == to.line && b.col > to.col) {
            b.line = from.line;
            b.col = static_cast<int16_t>(ClampInt(b.col - to.col + from.col, 0, kMaxCol));
        } else if (b.line >= from.line && b.line <= to.line && !(b.line == from.line && b.col < from.col)) {
            // Inside the deleted text; a mark before the range on its first line stays where it is.
            b = from;
        }
    }
}
