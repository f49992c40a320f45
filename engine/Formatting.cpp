// Paragraph alignment and reflow, tab and space conversion, tab-size conversion and column-block fill.
#include "engine/Transforms.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "engine/Options.h"
#include "engine/UndoStep.h"
#include "engine/VokEditor.h"

namespace {
// The lines a "selection, else paragraph" command covers; false when there are none (a blank line).
bool BlockOrParagraph(TVokEditor& e, int32_t* first, int32_t* last)
{
    if (e.selShown) {
        *first = std::min(e.selStartLine, e.lastLine);
        *last = std::min(e.selEndLine, e.lastLine);
        // A stream selection that ends at the start of a line takes none of that line.
        if (!e.columnMode && e.selEndCol == 0 && *last > *first)
            --*last;
        return true;
    }
    TPosition start;
    TPosition end;
    if (!e.ParagraphBounds(&start, &end))
        return false;
    *first = start.line;
    *last = end.line;
    return true;
}

bool SetLine(TVokEditor& e, LineRecord* line, const std::string& text)
{
    if (text == line->text)
        return true;
    if (e.SetLineText(line, text.data(), text.size()))
        return true;
    e.ReportError(kErrOutOfMemory);
    return false;
}

void DropSelection(TVokEditor& e)
{
    if (e.selShown) {
        e.selShown = false;
        e.RequestRedraw(kRedrawAll);
    }
}

std::string TrimBlanks(const std::string& s)
{
    std::size_t a = 0;
    std::size_t b = s.size();
    while (a < b && IsBlankByte(static_cast<unsigned char>(s[a])))
        ++a;
    while (b > a && IsBlankByte(static_cast<unsigned char>(s[b - 1])))
        --b;
    return s.substr(a, b - a);
}

// Trimmed, tabs as spaces, and every run of spaces one space.
std::string OneSpaced(const std::string& s)
{
    std::string out;
    for (char c : TrimBlanks(s)) {
        if (c == '\t')
            c = ' ';
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out += c;
    }
    return out;
}

enum class TAlign { Left, Center, Right };

void AlignLines(TVokEditor& e, TAlign how)
{
    int32_t first = 0;
    int32_t last = 0;
    if (!BlockOrParagraph(e, &first, &last))
        return;
    const int width = EngineOptions().wordWrapColumn;
    DropSelection(e);
    try {
        TUndoStep step(e, first, last, e.undoEnabled);
        LineRecord* line = e.LineAt(first);
        for (int32_t i = first; i <= last && line; ++i, line = line->next) {
            const std::string text = line->text;
            std::string out;
            if (how == TAlign::Center) {
                out = TrimBlanks(text);
                const int pad = (width - TVokEditor::LineWidth(out.c_str())) / 2;
                // A blank line, or one with no room, stays as it is.
                if (out.empty() || pad <= 0)
                    continue;
                out.insert(0, static_cast<std::size_t>(pad), ' ');
            } else {
                out = OneSpaced(text);
                const int pad = width - TVokEditor::LineWidth(out.c_str());
                if (how == TAlign::Right && !out.empty() && pad > 0)
                    out.insert(0, static_cast<std::size_t>(pad), ' ');
            }
            if (TVokEditor::LineWidth(out.c_str()) > kMaxCol)
                continue;
            if (!SetLine(e, line, out))
                break;
        }
    } catch (const std::bad_alloc&) {
        e.ReportError(kErrOutOfMemory);
    }
    e.RecomputeStates(first, last);
    e.RequestRedraw(kRedrawAll);
}

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

// Rewrites every line through f as one step; refuses nothing.
template <class F>
void RewriteDocument(TVokEditor& e, bool record, F f)
{
    try {
        TUndoStep step(e, 0, e.lastLine, record);
        for (LineRecord* line = e.firstLine; line; line = line->next) {
            if (!SetLine(e, line, f(std::string(line->text))))
                break;
        }
    } catch (const std::bad_alloc&) {
        e.ReportError(kErrOutOfMemory);
    }
    e.RecomputeStates(0, e.lastLine);
    e.RequestRedraw(kRedrawAll);
}
}  // namespace

std::string ExpandTabs(const std::string& line, int tab)
{
    if (line.find('\t') == std::string::npos)
        return line;
    tab = std::max(tab, 1);
    std::string out;
    for (char c : line) {
        if (c == '\t')
            out.append(static_cast<std::size_t>(tab - static_cast<int>(out.size()) % tab), ' ');
        else
            out += c;
    }
    return out;
}

std::string CompressSpaces(const std::string& line, int tab)
{
    tab = std::max(tab, 1);
    if (line.size() <= static_cast<std::size_t>(tab) || line.find("   ") == std::string::npos)
        return line;
    std::string out;
    int col = 0;
    bool inString = false;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ') {
            std::size_t j = i;
            while (j < line.size() && line[j] == ' ')
                ++j;
            const std::size_t run = j - i;
            if (run > 2 && !inString) {
                const int d = tab - col % tab;
                if (static_cast<std::size_t>(d) <= run) {
                    // The rest of the run is looked at again as a run of its own.
                    out += '\t';
                    col += d;
                    i += static_cast<std::size_t>(d);
                    continue;
                }
            }
            out.append(run, ' ');
            col += static_cast<int>(run);
            i = j;
            continue;
        }
        if (c == '"' && !(i > 0 && line[i - 1] == '\\'))
            inString = !inString;
        out += c;
        col = c == '\t' ? col + tab - col % tab : col + 1;
        ++i;
    }
    return out;
}

bool JustifyText(const std::string& text, int width, std::string* result)
{
    if (text.size() > kJustifyTextLimit)
        return false;
    width = std::max(width, 1);
    std::string s;
    for (char c : text) {
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
        if (c == ' ' && (s.empty() || s.back() == ' '))
            continue;
        s += c;
    }
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    const std::size_t w = static_cast<std::size_t>(width);
    std::string out;
    std::size_t pos = 0;
    while (pos < s.size()) {
        // What fits in the width is the last line, left ragged.
        if (s.size() - pos <= w) {
            out.append(s, pos, std::string::npos);
            break;
        }
        std::size_t brk = std::string::npos;
        for (std::size_t j = pos + w; j > pos; --j) {
            if (s[j] == ' ') {
                brk = j;
                break;
            }
        }
        if (brk == std::string::npos) {
            // A word longer than the width stands on a line of its own.
            brk = s.find(' ', pos + w);
            if (brk == std::string::npos) {
                out.append(s, pos, std::string::npos);
                break;
            }
            out.append(s, pos, brk - pos);
        } else {
            const std::string line = s.substr(pos, brk - pos);
            std::vector<std::size_t> gaps;
            for (std::size_t k = 0; k < line.size(); ++k)
                if (line[k] == ' ')
                    gaps.push_back(k);
            const std::size_t extra = w - line.size();
            if (gaps.empty() || extra == 0) {
                out += line;
            } else {
                // One space at a time into the next gap, left to right and round again.
                std::size_t g = 0;
                for (std::size_t k = 0; k < line.size(); ++k) {
                    out += line[k];
                    if (g < gaps.size() && gaps[g] == k) {
                        const std::size_t more = extra / gaps.size() + (g < extra % gaps.size() ? 1 : 0);
                        out.append(more, ' ');
                        ++g;
                    }
                }
            }
        }
        out += "\r\n";
        pos = brk + 1;
        if (out.size() > kJustifyResultLimit)
            return false;
    }
    if (out.size() > kJustifyResultLimit)
        return false;
    *result = std::move(out);
    return true;
}

void RunLeftBlockPara(TVokEditor& e, TCommandCall)
{
    AlignLines(e, TAlign::Left);
}

void RunCenterBlockPara(TVokEditor& e, TCommandCall)
{
    AlignLines(e, TAlign::Center);
}

void RunRightBlockPara(TVokEditor& e, TCommandCall)
{
    AlignLines(e, TAlign::Right);
}

void RunJustifyBlockPara(TVokEditor& e, TCommandCall)
{
    int32_t first = 0;
    int32_t last = 0;
    if (!BlockOrParagraph(e, &first, &last))
        return;
    try {
        std::string text;
        std::size_t bytes = 0;
        LineRecord* line = e.LineAt(first);
        for (int32_t i = first; i <= last && line; ++i, line = line->next) {
            bytes += std::strlen(line->text) + 2;
            if (bytes > kJustifyTextLimit + 2)
                return;
            if (i > first)
                text += "\r\n";
            text += line->text;
        }
        std::string result;
        if (!JustifyText(text, EngineOptions().wordWrapColumn, &result) || result == text)
            return;
        DropSelection(e);
        const std::size_t lastBreak = result.rfind('\n');
        const int32_t lines = static_cast<int32_t>(std::count(result.begin(), result.end(), '\n'));
        const std::string tail = lastBreak == std::string::npos ? result : result.substr(lastBreak + 1);
        {
            // The cursor's line too: leaving it may trim its blanks, which the same record takes.
            TUndoStep step(e, std::min(first, e.curLineNo), std::max(last, e.curLineNo), e.undoEnabled);
            const TPosition end{static_cast<int16_t>(TVokEditor::LineWidth(e.LineAt(last)->text)), last};
            if (!e.ReplaceText({0, first}, end, result.c_str())) {
                e.ReportError(kErrOutOfMemory);
                return;
            }
            // The cursor goes to the end of the new paragraph, ready for the next one.
            e.GotoPosition(TVokEditor::LineWidth(tail.c_str()), first + lines, false);
        }
        e.RecomputeStates(first, first + lines);
        e.RequestRedraw(kRedrawAll);
    } catch (const std::bad_alloc&) {
        e.ReportError(kErrOutOfMemory);
    }
}

void RunExpandTabsToSpaces(TVokEditor& e, TCommandCall)
{
    const int tab = TabSize();
    RewriteDocument(e, e.undoEnabled, [tab](const std::string& s) { return ExpandTabs(s, tab); });
}

void RunCompressSpacesToTabs(TVokEditor& e, TCommandCall)
{
    const int tab = TabSize();
    RewriteDocument(e, e.undoEnabled, [tab](const std::string& s) { return CompressSpaces(s, tab); });
}

bool ConvertTabSize(TVokEditor& e, int from, int to)
{
    if (from == to || from < 2 || from > 32 || to < 2 || to > 32)
        return false;
    std::size_t bytes = 0;
    for (LineRecord* line = e.firstLine; line; line = line->next) {
        const char* text = line->text;
        bytes += std::strlen(text) + 2;
        if (from > TabSize()) {
            int col = 0;
            for (const char* p = text; *p; ++p)
                col = *p == '\t' ? col + from - col % from : col + 1;
            if (col > kLineWidthLimit) {
                e.ReportError(kErrLineTooLong);
                return false;
            }
        }
    }
    // Text made for other tab stops may be wider at the tab size in force than a line can be.
    for (LineRecord* line = e.firstLine; line; line = line->next) {
        const std::string converted = CompressSpaces(ExpandTabs(line->text, from), to);
        if (TVokEditor::LineWidth(converted.c_str()) > kLineWidthLimit) {
            e.ReportError(kErrLineTooLong);
            return false;
        }
    }
    // A record of a document this large could not be kept: the history goes instead.
    const bool record = e.undoEnabled && bytes < kUndoTextLimit;
    if (!record) {
        e.ClearUndo();
        e.ClearRedo();
    }
    // New tab stops are counted at the size the text is written for, so that it looks the same at it.
    RewriteDocument(e, record, [from, to](const std::string& s) { return CompressSpaces(ExpandTabs(s, from), to); });
    return true;
}

void RunTab8TextToTab3Text(TVokEditor& e, TCommandCall)
{
    (void)ConvertTabSize(e, 8, 3);
}

void RunTab3TextToTab8Text(TVokEditor& e, TCommandCall)
{
    (void)ConvertTabSize(e, 3, 8);
}

void RunTab8TextToCurTabText(TVokEditor& e, TCommandCall)
{
    (void)ConvertTabSize(e, 8, TabSize());
}

void RunCurTabTextToTab8Text(TVokEditor& e, TCommandCall)
{
    (void)ConvertTabSize(e, TabSize(), 8);
}

void RunFillBlock(TVokEditor& e, TCommandCall)
{
    if (!e.selShown || !e.columnMode)
        return;
    TTransformOptions& options = TransformOptions();
    char buffer[33];
    std::memcpy(buffer, options.fillString, sizeof buffer);
    if (!e.FillBlockDialog(buffer, sizeof buffer))
        return;
    buffer[32] = 0;
    if (!buffer[0])
        return;
    std::memcpy(options.fillString, buffer, sizeof buffer);
    const int left = Clamp(std::min(e.selStartCol, e.selEndCol), 0, kMaxCol);
    const int right = Clamp(std::max(e.selStartCol, e.selEndCol), 0, kMaxCol);
    if (right <= left)
        return;
    const std::size_t length = std::strlen(buffer);
    std::string pattern;
    for (int k = 0; k < right - left; ++k)
        pattern += buffer[static_cast<std::size_t>(k) % length];
    const int32_t first = std::min(e.selStartLine, e.lastLine);
    const int32_t last = std::min(e.selEndLine, e.lastLine);
    try {
        TUndoStep step(e, first, last, e.undoEnabled);
        LineRecord* line = e.LineAt(first);
        for (int32_t i = first; i <= last && line; ++i, line = line->next) {
            std::string s = ExpandTabs(line->text, TabSize());
            if (s.size() < static_cast<std::size_t>(right))
                s.resize(static_cast<std::size_t>(right), ' ');
            s.replace(static_cast<std::size_t>(left), pattern.size(), pattern);
            while (!s.empty() && IsBlankByte(static_cast<unsigned char>(s.back())))
                s.pop_back();
            if (!SetLine(e, line, s))
                break;
        }
    } catch (const std::bad_alloc&) {
        e.ReportError(kErrOutOfMemory);
    }
    e.RecomputeStates(first, last);
    e.RequestRedraw(kRedrawAll);
}
