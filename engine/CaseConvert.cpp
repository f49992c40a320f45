// Case conversion, transposition and character translation of parts of lines.
#include "engine/Transforms.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "engine/Options.h"
#include "engine/UndoStep.h"
#include "engine/VokEditor.h"

namespace {
// The bytes from..to of one line that a command changes.
struct TSpan {
    int32_t line;
    std::size_t from;
    std::size_t to;
};

std::size_t ByteAt(const char* text, int col)
{
    return static_cast<std::size_t>(TVokEditor::PointerAtColumn(text, col) - text);
}

// The parts of lines the selection covers: whole bytes between the block columns of a column selection,
// from the start to the end position of a stream one.
std::vector<TSpan> SelectionSpans(TVokEditor& e)
{
    std::vector<TSpan> spans;
    const int32_t first = std::min(e.selStartLine, e.lastLine);
    const int32_t last = std::min(e.selEndLine, e.lastLine);
    const int left = std::min(e.selStartCol, e.selEndCol);
    const int right = std::max(e.selStartCol, e.selEndCol);
    LineRecord* line = e.LineAt(first);
    for (int32_t i = first; i <= last && line; ++i, line = line->next) {
        const char* text = line->text;
        TSpan s{i, 0, std::strlen(text)};
        if (e.columnMode) {
            s.from = ByteAt(text, left);
            s.to = ByteAt(text, right);
        } else {
            if (i == e.selStartLine)
                s.from = ByteAt(text, e.selStartCol);
            if (i == e.selEndLine)
                s.to = ByteAt(text, e.selEndCol);
        }
        if (s.to < s.from)
            s.to = s.from;
        spans.push_back(s);
    }
    return spans;
}

// The word at the cursor: back while the byte before is a word character, forward over word characters.
bool WordSpan(TVokEditor& e, TSpan* span)
{
    const char* text = e.curLine->text;
    std::size_t to = ByteAt(text, e.curCol);
    std::size_t from = to;
    while (from > 0 && e.IsWordChar(static_cast<unsigned char>(text[from - 1])))
        --from;
    while (text[to] && e.IsWordChar(static_cast<unsigned char>(text[to])))
        ++to;
    *span = {e.curLineNo, from, to};
    return to > from;
}

// Calls f(text, span) for every span, the text being the whole line to change in place, and writes the
// changed lines back as one step.
template <class F>
void ChangeSpans(TVokEditor& e, const std::vector<TSpan>& spans, F f)
{
    if (spans.empty())
        return;
    try {
        TUndoStep step(e, spans.front().line, spans.back().line, e.undoEnabled);
        LineRecord* line = e.LineAt(spans.front().line);
        int32_t at = spans.front().line;
        std::string text;  // one buffer for every line: a whole-document conversion allocates once
        for (const TSpan& s : spans) {
            while (at < s.line && line) {
                line = line->next;
                ++at;
            }
            if (!line)
                break;
            const std::size_t n = std::strlen(line->text);
            text.assign(line->text, n);
            f(text, s);
            const bool same = text.size() == n && std::memcmp(text.data(), line->text, n) == 0;
            if (!same && !e.SetLineText(line, text.data(), text.size())) {
                e.ReportError(kErrOutOfMemory);
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        e.ReportError(kErrOutOfMemory);
    }
    e.RecomputeStates(spans.front().line, spans.back().line);
    e.RequestRedraw(spans.size() == 1 ? kRedrawLine : kRedrawAll);
}

enum class TCase { Upper, Lower, Flip, Capitalize, Title, Sentence };

void ConvertPart(TVokEditor& e, std::string& text, const TSpan& s, TCase how)
{
    if (s.to <= s.from)
        return;
    static thread_local std::string part;
    part.assign(text, s.from, s.to - s.from);
    switch (how) {
    case TCase::Upper: e.UpperString(part.data()); break;
    case TCase::Lower: e.LowerString(part.data()); break;
    case TCase::Flip:
        for (char& c : part) {
            const int b = static_cast<unsigned char>(c);
            c = static_cast<char>(e.IsUpper(b) ? e.ToLower(b) : e.ToUpper(b));
        }
        break;
    case TCase::Capitalize:
        e.LowerString(part.data());
        part[0] = static_cast<char>(e.ToUpper(static_cast<unsigned char>(part[0])));
        break;
    default: break;
    }
    // A hook that changed a length would shift the rest of the line: such a result is not taken.
    if (part.size() == s.to - s.from && std::strlen(part.c_str()) == part.size())
        std::memcpy(text.data() + s.from, part.data(), part.size());
}

void TitleCaseSpans(TVokEditor& e, const std::vector<TSpan>& spans)
{
    ChangeSpans(e, spans, [&e](std::string& text, const TSpan& s) {
        bool afterWord = s.from > 0 && e.IsWordChar(static_cast<unsigned char>(text[s.from - 1]));
        for (std::size_t i = s.from; i < s.to; ++i) {
            const int b = static_cast<unsigned char>(text[i]);
            text[i] = static_cast<char>(afterWord ? e.ToLower(b) : e.ToUpper(b));
            afterWord = e.IsWordChar(b);
        }
    });
}

bool EndsSentence(int c)
{
    return c == '.' || c == '!' || c == '?';
}

void SentenceCaseSpans(TVokEditor& e, const std::vector<TSpan>& spans)
{
    if (spans.empty())
        return;
    // A sentence starts at the range when only white space lies between it and a full stop or the line start.
    const char* firstText = e.LineAt(spans.front().line)->text;
    std::size_t j = spans.front().from;
    while (j > 0 && IsSpaceByte(static_cast<unsigned char>(firstText[j - 1])))
        --j;
    bool capital = j == 0 || EndsSentence(static_cast<unsigned char>(firstText[j - 1]));
    ChangeSpans(e, spans, [&e, &capital](std::string& text, const TSpan& s) {
        if (text.find_first_not_of(" \t") == std::string::npos)
            capital = true;
        for (std::size_t i = s.from; i < s.to; ++i) {
            const int b = static_cast<unsigned char>(text[i]);
            text[i] = static_cast<char>(capital ? e.ToUpper(b) : e.ToLower(b));
            if (!IsSpaceByte(b))
                capital = false;
            if (EndsSentence(b))
                capital = true;
        }
    });
}

void ConvertSpans(TVokEditor& e, const std::vector<TSpan>& spans, TCase how)
{
    if (how == TCase::Title)
        TitleCaseSpans(e, spans);
    else if (how == TCase::Sentence)
        SentenceCaseSpans(e, spans);
    else
        ChangeSpans(e, spans, [&e, how](std::string& text, const TSpan& s) { ConvertPart(e, text, s, how); });
}

// UpperCase, LowerCase, FlipCase: the selection, else the byte under the cursor, which then steps right.
void CaseOfSelectionOrChar(TVokEditor& e, TCase how)
{
    if (e.selShown) {
        ConvertSpans(e, SelectionSpans(e), how);
        return;
    }
    // The step out of the byte may trim the line's blanks: one record takes both.
    TUndoStep step(e, e.curLineNo, e.curLineNo, e.undoEnabled);
    const char* text = e.curLine->text;
    const std::size_t at = ByteAt(text, e.curCol);
    if (text[at] && TVokEditor::ColumnOfPointer(text, text + at) == e.curCol)
        ConvertSpans(e, {{e.curLineNo, at, at + 1}}, how);
    e.CursorRight(false);
}

void CaseOfWord(TVokEditor& e, TCase how)
{
    TSpan span{};
    if (WordSpan(e, &span))
        ConvertSpans(e, {span}, how);
}

void CaseOfSelectionOrWord(TVokEditor& e, TCase how)
{
    if (e.selShown)
        ConvertSpans(e, SelectionSpans(e), how);
    else
        CaseOfWord(e, how);
}

void DropSelection(TVokEditor& e)
{
    if (e.selShown) {
        e.selShown = false;
        e.RequestRedraw(kRedrawAll);
    }
}

bool ReplaceLine(TVokEditor& e, LineRecord* line, const std::string& text)
{
    if (text == line->text)
        return true;
    if (e.SetLineText(line, text.data(), text.size()))
        return true;
    e.ReportError(kErrOutOfMemory);
    return false;
}
}  // namespace

void RunUpperCase(TVokEditor& e, TCommandCall)
{
    CaseOfSelectionOrChar(e, TCase::Upper);
}

void RunLowerCase(TVokEditor& e, TCommandCall)
{
    CaseOfSelectionOrChar(e, TCase::Lower);
}

void RunFlipCase(TVokEditor& e, TCommandCall)
{
    CaseOfSelectionOrChar(e, TCase::Flip);
}

void RunUpperCaseWord(TVokEditor& e, TCommandCall)
{
    CaseOfWord(e, TCase::Upper);
}

void RunLowerCaseWord(TVokEditor& e, TCommandCall)
{
    CaseOfWord(e, TCase::Lower);
}

void RunFlipCaseWord(TVokEditor& e, TCommandCall)
{
    CaseOfWord(e, TCase::Flip);
}

void RunCapitalizeWord(TVokEditor& e, TCommandCall)
{
    CaseOfWord(e, TCase::Capitalize);
}

void RunTitleCase(TVokEditor& e, TCommandCall)
{
    CaseOfSelectionOrWord(e, TCase::Title);
}

void RunSentenceCase(TVokEditor& e, TCommandCall)
{
    CaseOfSelectionOrWord(e, TCase::Sentence);
}

void RunTransposeChar(TVokEditor& e, TCommandCall)
{
    const char* text = e.curLine->text;
    const std::size_t n = std::strlen(text);
    if (n == 0)
        return;
    const std::size_t at = ByteAt(text, e.curCol);
    // Inside a tab's span there is no byte boundary to swap at.
    if (at < n && TVokEditor::ColumnOfPointer(text, text + at) != e.curCol)
        return;
    DropSelection(e);
    std::size_t a;
    if (e.curCol == 0)
        a = 0;
    else if (at >= n)
        a = n - 2;
    else
        a = at - 1;
    if (n < 2 || a + 1 >= n)
        return;
    std::string s = text;
    std::swap(s[a], s[a + 1]);
    // A tab moved one byte along reaches a different stop: the line may grow past what it can hold.
    if (TVokEditor::LineWidth(s.c_str()) > kLineWidthLimit) {
        e.ReportError(kErrLineTooLong);
        return;
    }
    TUndoStep step(e, e.curLineNo, e.curLineNo, e.undoEnabled);
    (void)ReplaceLine(e, e.curLine, s);
    step.Finish();
    e.RecomputeStates(e.curLineNo, e.curLineNo);
    e.RequestRedraw(kRedrawLine);
}

void RunTransposeWord(TVokEditor& e, TCommandCall)
{
    const std::string s = e.curLine->text;
    const std::size_t n = s.size();
    if (n == 0)
        return;
    DropSelection(e);
    const int width = TVokEditor::LineWidth(s.c_str());
    if (e.curCol > width)
        return;
    const std::size_t c = e.curCol == width ? n - 1 : ByteAt(s.c_str(), e.curCol);
    auto word = [&e, &s](std::ptrdiff_t i) { return e.IsWordChar(static_cast<unsigned char>(s[static_cast<std::size_t>(i)])); };
    // The second word: the cursor's own, or the next one when the cursor stands between words.
    std::ptrdiff_t i = static_cast<std::ptrdiff_t>(c);
    while (i >= 0 && word(i))
        --i;
    ++i;
    const std::ptrdiff_t end = static_cast<std::ptrdiff_t>(n);
    while (i < end && !word(i))
        ++i;
    if (i >= end)
        return;
    const std::ptrdiff_t s2 = i;
    std::ptrdiff_t e2 = s2;
    while (e2 < end && word(e2))
        ++e2;
    // The first word: the nearest one before it.
    std::ptrdiff_t j = s2 - 1;
    while (j >= 0 && !word(j))
        --j;
    if (j < 0)
        return;
    const std::ptrdiff_t e1 = j + 1;
    while (j > 0 && word(j - 1))
        --j;
    const std::ptrdiff_t s1 = j;
    const auto at = [](std::ptrdiff_t v) { return static_cast<std::size_t>(v); };
    const std::string swapped = s.substr(0, at(s1)) + s.substr(at(s2), at(e2 - s2)) + s.substr(at(e1), at(s2 - e1)) +
                                s.substr(at(s1), at(e1 - s1)) + s.substr(at(e2));
    // Words of different lengths move the tabs between them to other stops.
    if (TVokEditor::LineWidth(swapped.c_str()) > kLineWidthLimit) {
        e.ReportError(kErrLineTooLong);
        return;
    }
    TUndoStep step(e, e.curLineNo, e.curLineNo, e.undoEnabled);
    (void)ReplaceLine(e, e.curLine, swapped);
    step.Finish();
    e.RecomputeStates(e.curLineNo, e.curLineNo);
    e.RequestRedraw(kRedrawLine);
}

void RunTransposeLine(TVokEditor& e, TCommandCall)
{
    if (e.lastLine < 1)
        return;
    DropSelection(e);
    const int32_t upper = e.curLineNo > 0 ? e.curLineNo - 1 : 0;
    LineRecord* a = e.LineAt(upper);
    LineRecord* b = a->next;
    if (!b)
        return;
    try {
        const std::string textA = a->text;
        const std::string textB = b->text;
        TUndoStep step(e, upper, upper + 1, e.undoEnabled);
        if (ReplaceLine(e, a, textB) && !ReplaceLine(e, b, textA))
            (void)ReplaceLine(e, a, textA);
    } catch (const std::bad_alloc&) {
        e.ReportError(kErrOutOfMemory);
    }
    e.RecomputeStates(upper, upper + 1);
    e.RequestRedraw(kRedrawAll);
}

void RunConvertText(TVokEditor& e, TCommandCall)
{
    unsigned char table[256];
    for (int b = 0; b < 256; ++b)
        table[b] = static_cast<unsigned char>(b);
    bool selectionOnly = e.selShown;
    if (!e.ConvertTextDialog(table, &selectionOnly))
        return;
    // Bytes that end or break lines, and tabs, are never made nor changed.
    for (int b = 0; b < 256; ++b) {
        const int t = table[b];
        if (b == 0 || b == '\t' || b == '\n' || b == '\r' || t == 0 || t == '\t' || t == '\n' || t == '\r')
            table[b] = static_cast<unsigned char>(b);
    }
    auto convert = [&table](std::string& text, const TSpan& s) {
        for (std::size_t i = s.from; i < s.to && i < text.size(); ++i)
            text[i] = static_cast<char>(table[static_cast<unsigned char>(text[i])]);
    };
    if (selectionOnly && e.selShown) {
        ChangeSpans(e, SelectionSpans(e), convert);
        return;
    }
    try {
        TUndoStep step(e, 0, e.lastLine, e.undoEnabled);
        for (LineRecord* line = e.firstLine; line; line = line->next) {
            std::string text = line->text;
            convert(text, {0, 0, text.size()});
            if (!ReplaceLine(e, line, text))
                break;
        }
    } catch (const std::bad_alloc&) {
        e.ReportError(kErrOutOfMemory);
    }
    e.RecomputeStates(0, e.lastLine);
    e.RequestRedraw(kRedrawAll);
}
