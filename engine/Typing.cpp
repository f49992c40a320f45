// The editing commands built on InsertText and DeleteRange: typing, tabs, line breaks and the delete family.
#include "engine/VokEditor.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/Alloc.h"
#include "engine/Commands.h"
#include "engine/Options.h"
#include "engine/TimeDate.h"
#include "engine/UndoStep.h"

namespace {
bool IsSentenceEnd(int c)
{
    return c == '.' || c == '?' || c == '!';
}

bool EndsWord(int c)
{
    return IsSpaceByte(c) || c == '.' || c == ',' || c == '!' || c == '?';
}

bool TriggersAutoCorrect(int c)
{
    return IsSpaceByte(c) || c == '.' || c == ',' || c == '!' || c == '?' || c == ':' || c == ';' || c == '"' ||
           c == '\'' || c == ')' || c == '>';
}

int LeadingBlankWidth(const char* text)
{
    const char* p = text;
    while (IsBlankByte(static_cast<unsigned char>(*p)))
        ++p;
    return TVokEditor::ColumnOfPointer(text, p);
}

// True when the cursor column lies strictly inside the span of a tab; *tab is then the tab's byte.
bool InsideTab(const char* text, int col, const char** tab)
{
    const char* p = TVokEditor::PointerAtColumn(text, col);
    if (p > text && p[-1] == '\t' && TVokEditor::ColumnOfPointer(text, p) > col) {
        *tab = p - 1;
        return true;
    }
    return false;
}
}  // namespace

void TVokEditor::InsertChar(int ch)
{
    ch &= 0xFF;
    // A line cannot hold a NUL byte: typing one changes nothing, rather than only deleting the selection or
    // the character it would have replaced.
    if (ch == 0)
        return;
    // Typing over a selection replaces it, as one undo step with the typed text.
    if (selShown && (Cursor() == SelStart() || Cursor() == SelEnd())) {
        prevCommand = cmNullCmd;
        DeleteRange(SelStart(), SelEnd(), {.preferSelection = true});
        prevCommand = cmInsertChar;
    }

    if (!recording && !playing && curCol > 0 && TriggersAutoCorrect(ch))
        AutoCorrectBeforeCursor();

    if (EngineOptions().overwriteMode) {
        const char* text = curLine->text;
        const char* p = PointerAtColumn(text, curCol);
        if (*p) {
            int from = ColumnOfPointer(text, p);
            int to = ColumnOfPointer(text, p + 1);
            if (static_cast<unsigned char>(*p) == ch && from == curCol) {
                // Typed over itself: nothing changes, the cursor steps over it.
                if (selShown) {
                    selShown = false;
                    RequestRedraw(kRedrawAll);
                }
                selecting = false;
                // On the last column of a full line the cursor can go no further.
                curCol = static_cast<int16_t>(std::min(to, static_cast<int>(maxCol)));
                RequestRedraw(kRedrawCaret);
                return;
            }
            // On a line too full to take the typed character in its place the typing is refused whole:
            // deleting the character and then dropping the one typed would only lose a byte.
            if (ch != '\r') {
                std::string replaced(text, p);
                replaced += static_cast<char>(ch);
                replaced += p + 1;
                if (LineWidth(replaced.c_str()) > kEditWidth)
                    return;
            }
            DeleteRange({static_cast<int16_t>(from), curLineNo}, {static_cast<int16_t>(to), curLineNo});
            prevCommand = cmInsertChar;
        }
    }

    const int wrap = std::max<int>(0, EngineOptions().wordWrapColumn);
    if (EngineOptions().wordWrap && ch != ' ' && curCol >= LineWidth(curLine->text) && curCol >= wrap && curCol > 2) {
        const TPosition home = Cursor();
        // The break, and the blanks the moves trim on the way, are a step of their own: a different
        // running command keeps it from merging with the typing before or after.
        const uint16_t running = curCommand;
        curCommand = cmNullCmd;
        TUndoStep step(*this, curLineNo, curLineNo, undoEnabled);
        for (;;) {
            GotoPosition(curCol - 1, curLineNo, false);
            const char* p = PointerAtColumn(curLine->text, curCol);
            if (curCol == 0 || !*p || IsBlankByte(static_cast<unsigned char>(*p)))
                break;
        }
        if (curCol == 0) {
            GotoPosition(home.col, home.line, false);
        } else {
            GotoPosition(curCol + 1, curLineNo, false);
            InsertText("\r\n");
            GotoPosition(LineWidthTrimmed(curLine->text), curLineNo, false);
        }
        const bool changed = step.Finish();
        curCommand = running;
        if (changed)
            prevCommand = cmNullCmd;  // the typing that follows starts a record of its own
    }

    char s[2] = {static_cast<char>(ch), 0};
    InsertText(s, {.typed = true});
}

void TVokEditor::AutoCorrectBeforeCursor()
{
    const char* text = curLine->text;
    const char* p = PointerAtColumn(text, curCol);
    if (p == text || ColumnOfPointer(text, p) != curCol || EndsWord(static_cast<unsigned char>(p[-1])))
        return;
    const char* start = p;
    while (start > text && p - start < 40 && !EndsWord(static_cast<unsigned char>(start[-1])))
        --start;
    std::string word(start, p);
    const TPosition wordStart{static_cast<int16_t>(ColumnOfPointer(text, start)), curLineNo};

    auto replaceWord = [&](const std::string& with) {
        // The deletion starts a record of its own and the insertion merges into it, so that one Undo
        // gives back the word as it was typed.
        prevCommand = cmNullCmd;
        DeleteRange(wordStart, Cursor());
        prevCommand = cmInsertChar;
        InsertText(with.c_str());
        word = with;
    };

    if (word.size() >= 2 && word.size() <= 39) {
        char buffer[40] = {};
        if (AutoCorrectWord(word.c_str(), buffer, sizeof buffer)) {
            buffer[sizeof buffer - 1] = 0;
            replaceWord(buffer);
        }
    }

    if (word.empty() || !CapitalizeSentences())
        return;
    int first = static_cast<unsigned char>(word[0]);
    if (ToUpper(first) == first || !StartsSentence(wordStart))
        return;
    std::string capital = word;
    capital[0] = static_cast<char>(ToUpper(first));
    replaceWord(capital);
}

bool TVokEditor::StartsSentence(TPosition at)
{
    LineRecord* line = LineAt(at.line);
    const char* text = line->text;
    const char* p = PointerAtColumn(text, at.col);
    // A word glued to the full stop before it ("e.g", "3.14") continues the token rather than starting
    // a sentence; without this every abbreviation with inner full stops would be capitalised inside.
    if (p > text && !IsSpaceByte(static_cast<unsigned char>(p[-1])))
        return false;
    // Back over white space, across empty lines, to the byte before the word.
    for (;;) {
        while (p > text && IsSpaceByte(static_cast<unsigned char>(p[-1])))
            --p;
        if (p > text)
            break;
        if (!line->prev)
            return true;
        line = line->prev;
        text = line->text;
        p = text + std::strlen(text);
    }
    if (!IsSentenceEnd(static_cast<unsigned char>(p[-1])))
        return false;
    const char* end = p;
    const char* q = p;
    while (q > text && end - q < 15 && !IsSpaceByte(static_cast<unsigned char>(q[-1])))
        --q;
    std::string token(q, end);
    if (token.size() == 1)
        return false;
    if (token.size() >= 2 && token[token.size() - 1] == '.' && token[token.size() - 2] == '.')
        return false;
    return !IsCapitalizeException(token.c_str());
}

void TVokEditor::TabCmd()
{
    curCommand = cmInsertChar;
    if (EngineOptions().useTabChar) {
        InsertText("\t", {.typed = true});
    } else {
        int t = TabSize();
        std::string spaces(static_cast<std::size_t>(t - curCol % t), ' ');
        InsertText(spaces.c_str(), {.typed = true});
    }
}

void TVokEditor::BackTab()
{
    int t = TabSize();
    int col = curCol / t * t;
    if (col == curCol && col > 0)
        col -= t;
    GotoPosition(col, curLineNo, false);
}

void TVokEditor::NewLine()
{
    LineRecord* ref = curLine;
    while (!ref->text[0] && ref->prev)
        ref = ref->prev;
    int indent = LeadingBlankWidth(ref->text);
    // The move into the line's own blanks trims it: part of the step.
    TUndoStep step(*this, curLineNo, curLineNo, undoEnabled);
    step.Anchor(Cursor());
    if (indent > 0) {
        int own = LeadingBlankWidth(curLine->text);
        if (curCol < own)
            GotoPosition(own, curLineNo, false);
    }
    std::string s = "\r\n";
    if (EngineOptions().autoIndent && indent > 0)
        s.append(static_cast<std::size_t>(indent), ' ');
    InsertText(s.c_str());
}

void TVokEditor::InsertLineCmd()
{
    const TPosition at = Cursor();
    TUndoStep step(*this, curLineNo, curLineNo, undoEnabled);
    step.Anchor(at);
    InsertText("\r\n");
    GotoPosition(at.col, at.line, false);
}

void TVokEditor::Backspace()
{
    const char* text = curLine->text;
    const char* p = PointerAtColumn(text, curCol);
    bool onlyBlanks = true;
    for (const char* q = text; q < p; ++q)
        if (!IsBlankByte(static_cast<unsigned char>(*q)))
            onlyBlanks = false;

    if (!EngineOptions().autoUnindent || curCol < 2 || !onlyBlanks) {
        if (curCol > LineWidth(text)) {
            GotoPosition(curCol - 1, curLineNo, false);
        } else if (curCol > 0) {
            const char* prev = p - 1;
            DeleteRange({static_cast<int16_t>(ColumnOfPointer(text, prev)), curLineNo}, Cursor());
        } else if (curLineNo > 0) {
            LineRecord* above = curLine->prev;
            DeleteRange({static_cast<int16_t>(LineWidthTrimmed(above->text)), curLineNo - 1}, {0, curLineNo});
        }
        return;
    }

    // Unindent: back to the indent of the nearest line above that is indented less than the cursor.
    int target = 0;
    for (LineRecord* l = curLine->prev; l; l = l->prev) {
        int w = LeadingBlankWidth(l->text);
        if (w > 0 && w < curCol) {
            target = w;
            break;
        }
    }
    if (target == curCol)
        return;
    if (target > LineWidth(text)) {
        GotoPosition(target, curLineNo, false);
        return;
    }
    const char* tab = nullptr;
    if (!InsideTab(text, target, &tab)) {
        DeleteRange({static_cast<int16_t>(target), curLineNo}, Cursor());
        return;
    }
    int tabCol = ColumnOfPointer(text, tab);
    int spaces = target - tabCol;
    if (spaces < 1 || spaces > 32)
        return;
    // The tab out and the spaces in are one step.
    TUndoStep step(*this, curLineNo, curLineNo, undoEnabled);
    step.Anchor({static_cast<int16_t>(tabCol), curLineNo});
    DeleteRange({static_cast<int16_t>(tabCol), curLineNo}, Cursor());
    InsertText(std::string(static_cast<std::size_t>(spaces), ' ').c_str());
}

bool TVokEditor::ConvertTabAtCursor(bool record)
{
    const char* text = curLine->text;
    const char* tab = nullptr;
    if (!InsideTab(text, curCol, &tab))
        return true;
    int tabCol = ColumnOfPointer(text, tab);
    int span = TabSize() - tabCol % TabSize();
    std::string line(text, tab);
    line.append(static_cast<std::size_t>(span), ' ');
    line += tab + 1;
    {
        // A step of its own, never merged, so that Undo gives the tab back by itself.
        TUndoStep step(*this, curLineNo, curLineNo, record);
        if (!SetLineText(curLine, line.data(), line.size())) {
            ReportError(kErrOutOfMemory);
            return false;
        }
        prevCommand = cmNullCmd;
    }
    RequestRedraw(kRedrawLine);
    return true;
}

void TVokEditor::DeleteChar()
{
    if (!ConvertTabAtCursor(undoEnabled))
        return;
    const char* text = curLine->text;
    int width = LineWidth(text);
    if (curCol >= width) {
        if (!curLine->next)
            return;
        std::string padded(text);
        padded.append(static_cast<std::size_t>(curCol - width), ' ');
        // A join that would make the line too wide is refused before anything changes.
        std::string joined = padded + curLine->next->text;
        if (LineWidth(joined.c_str()) > kEditWidth)
            return;
        // The padding and the join are one step: Undo and Redo give back the blanks the join stood on.
        TUndoStep step(*this, curLineNo, curLineNo + 1, undoEnabled);
        step.Anchor({static_cast<int16_t>(width), curLineNo});
        if (curCol > width && !SetLineText(curLine, padded.data(), padded.size())) {
            ReportError(kErrOutOfMemory);
            return;
        }
        DeleteRange(Cursor(), {0, curLineNo + 1});
        return;
    }
    const char* p = PointerAtColumn(text, curCol);
    DeleteRange(Cursor(), {static_cast<int16_t>(ColumnOfPointer(text, p + 1)), curLineNo});
}

void TVokEditor::DeleteCmd()
{
    if (!selShown) {
        curCommand = cmDeleteChar;
        DeleteChar();
    } else {
        curCommand = cmDeleteBlock;
        DeleteBlock();
    }
}

void TVokEditor::DeleteBlock()
{
    if (selShown)
        DeleteRange(SelStart(), SelEnd(), {.preferSelection = true});
}

void TVokEditor::DeleteWord()
{
    DeleteRange(Cursor(), NextWordPos(Cursor()), {.preferSelection = true});
}

void TVokEditor::DeleteWordBack()
{
    DeleteRange(PrevWordPos(Cursor()), Cursor(), {.preferSelection = true});
}

void TVokEditor::DeleteToEOL()
{
    DeleteRange(Cursor(), {static_cast<int16_t>(LineWidth(curLine->text)), curLineNo});
}

void TVokEditor::DeleteToBOL()
{
    DeleteRange({0, curLineNo}, Cursor());
}

void TVokEditor::DeleteLine()
{
    if (curLineNo < lastLine)
        DeleteRange({0, curLineNo}, {0, curLineNo + 1});
    else
        DeleteRange({0, curLineNo}, {static_cast<int16_t>(LineWidth(curLine->text)), curLineNo});
}

void TVokEditor::DupLine()
{
    const int col = curCol;
    std::string copy = curLine->text;
    copy += "\r\n";
    TUndoStep step(*this, curLineNo, curLineNo, undoEnabled);
    GotoPosition(0, curLineNo, false);
    if (InsertText(copy.c_str()))
        GotoPosition(col, curLineNo, false);
}

void TVokEditor::JoinLine()
{
    if (!curLine->next)
        return;
    const TPosition at = Cursor();
    TUndoStep step(*this, curLineNo, curLineNo + 1, undoEnabled);
    DeleteRange({static_cast<int16_t>(LineWidthTrimmed(curLine->text)), curLineNo}, {0, curLineNo + 1});
    GotoPosition(at.col, at.line, false);
}

void TVokEditor::CenterLine()
{
    const char* text = curLine->text;
    const char* a = text;
    while (IsBlankByte(static_cast<unsigned char>(*a)))
        ++a;
    const char* b = a + std::strlen(a);
    while (b > a && IsBlankByte(static_cast<unsigned char>(b[-1])))
        --b;
    std::string trimmed(a, b);
    if (trimmed.empty())
        return;
    int wrap = std::max<int>(0, EngineOptions().wordWrapColumn);
    int pad = (wrap - LineWidth(trimmed.c_str())) / 2;
    if (pad <= 0)
        return;
    std::string line(static_cast<std::size_t>(pad), ' ');
    line += trimmed;
    if (LineWidth(line.c_str()) > kEditWidth)
        return;
    redoValid = false;
    if (selShown) {
        selShown = false;
        RequestRedraw(kRedrawAll);
    }
    {
        TUndoStep step(*this, curLineNo, curLineNo, undoEnabled);
        if (!SetLineText(curLine, line.data(), line.size())) {
            ReportError(kErrOutOfMemory);
            return;
        }
    }
    RepaintChanged(curLineNo, curLineNo);
}

void TVokEditor::InsertComment(bool light)
{
    std::string s;
    if (light) {
        s = "/*" + std::string(67, '-') + "\r\n\r\n" + std::string(67, '-') + "*/\r\n";
    } else {
        s = "/" + std::string(68, '*') + "\r\n\r\n" + std::string(68, '*') + "/\r\n";
    }
    InsertText(s.c_str());
}

void TVokEditor::InsertTimeDate(bool time, bool date)
{
    std::tm now = LocalNow();
    const TIntlSettings& intl = IntlSettings();
    std::string s;
    if (time)
        s = FormatTime(now, intl);
    if (time && date)
        s += "  ";
    if (date)
        s += FormatDate(now, intl);
    InsertText(s.c_str());
}

void TVokEditor::InsertSymbolCmd()
{
    int ch = InsertSymbol() & 0xFF;
    if (ch == 0)
        return;
    if (ch == '\r' || ch == '\n') {
        InsertText("\r\n");
        return;
    }
    char s[2] = {static_cast<char>(ch), 0};
    InsertText(s, {.typed = true});
}

void TVokEditor::IndentBlock(bool indent)
{
    if (!selShown)
        return;
    redoValid = false;
    const int32_t first = selStartLine;
    const int32_t last = std::min(selEndLine, lastLine);
    int step = EngineOptions().blockIndent;
    if (step < 1 || step > 16)
        step = 1;

    // One record for the whole command, the blanks the closing moves trim included.
    TUndoStep undoStep(*this, first, last, undoEnabled);

    TPosition start = SelStart();
    TPosition end = SelEnd();
    const int left = std::min(selStartCol, selEndCol);
    for (int n = 0; n < step; ++n) {
        LineRecord* line = LineAt(first);
        for (int32_t i = first; i <= last && line; ++i, line = line->next) {
            const char* text = line->text;
            if (!*text)
                continue;
            if (indent) {
                if (LineWidth(text) >= kMaxCol)
                    continue;
                if (!ExpandLineTabs(line))
                    continue;
                std::string s = line->text;
                if (columnMode) {
                    if (s.size() <= static_cast<std::size_t>(left))
                        continue;
                    s.insert(static_cast<std::size_t>(left), 1, ' ');
                } else {
                    s.insert(0, 1, ' ');
                    if (i == last)
                        ++end.col;
                }
                (void)SetLineText(line, s.data(), s.size());
            } else {
                if (!columnMode && !IsBlankByte(static_cast<unsigned char>(text[0])))
                    continue;
                if (!ExpandLineTabs(line))
                    continue;
                std::string s = line->text;
                if (columnMode) {
                    if (s.size() <= static_cast<std::size_t>(start.col) || s[static_cast<std::size_t>(left)] != ' ')
                        continue;
                    s.erase(static_cast<std::size_t>(left), 1);
                } else {
                    s.erase(0, 1);
                    if (i == first && start.col > 0)
                        --start.col;
                    if (i == last && end.col > 0)
                        --end.col;
                }
                (void)SetLineText(line, s.data(), s.size());
            }
        }
    }

    // The selection is made again from its end back to its start, leaving the cursor at the start.
    selShown = false;
    GotoPosition(end.col, end.line, false);
    GotoPosition(start.col, start.line, true);
    RecomputeStates(first, last);
    RequestRedraw(kRedrawAll);
}
