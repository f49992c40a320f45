// The colouring scan of one line and the lighter scan that only follows comments and strings.
#include "syntax/SyntaxColour.h"

#include <cstring>
#include <vector>

#include "base/TextTools.h"

namespace {
bool IsWhite(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The text of one line with its length; a display text may hold NULs where a glyph was substituted.
struct TLine {
    const char* text;
    std::size_t length;
    char At(std::size_t i) const { return i < length ? text[i] : '\0'; }
};

bool OpensComment(const TSyntaxLanguage& l, const TLine& line, std::size_t i)
{
    if (!l.HasMultiComment() || i >= line.length || line.text[i] != l.multiOpen[0])
        return false;
    return l.multiOpen.size() < 2 || line.At(i + 1) == l.multiOpen[1];
}

// The index of the comment's last character when its closing sequence is found from index from on,
// or line.length when the line ends first. A one-character opening looks for the first closing
// character alone.
std::size_t CommentEnd(const TSyntaxLanguage& l, const TLine& line, std::size_t from)
{
    const bool pairClose = l.multiOpen.size() == 2 && l.multiClose.size() == 2;
    for (std::size_t j = from; j < line.length; ++j) {
        if (line.text[j] != l.multiClose[0])
            continue;
        if (!pairClose)
            return j;
        if (j + 1 < line.length && line.text[j + 1] == l.multiClose[1])
            return j + 1;
    }
    return line.length;
}

bool MatchesLineComment(const TSyntaxLanguage& l, const std::string& comment, const TLine& line,
                        std::size_t i)
{
    if (comment.empty() || i + comment.size() > line.length)
        return false;
    for (std::size_t k = 0; k < comment.size(); ++k) {
        const char a = line.text[i + k];
        const char b = comment[k];
        if (l.ignoreCase ? LowerAscii(a) != LowerAscii(b) : a != b)
            return false;
    }
    // "rem" starts a comment, "remark" does not.
    if (IsAsciiLetter(comment[0])) {
        const std::size_t after = i + comment.size();
        return after >= line.length || IsWhite(line.text[after]);
    }
    return true;
}

bool LineCommentAt(const TSyntaxLanguage& l, const TLine& line, std::size_t i)
{
    return MatchesLineComment(l, l.lineComment1, line, i) || MatchesLineComment(l, l.lineComment2, line, i);
}

bool StartsWord(const TSyntaxLanguage& l, char c)
{
    const uint16_t f = l.ClassOf(c);
    if (!(f & kClassWord))
        return false;
    // Digits of a language whose numbers include them start numbers; a to f of a numeric set still
    // start words. The comparison is on the signed byte, so bytes above 127 never start a word here.
    return !((f & kClassNumeric) && static_cast<signed char>(c) <= '9');
}

bool IsKeyword(const TSyntaxLanguage& l, const char* word, std::size_t n)
{
    if (n < 1 || n > kMaxKeywordLength)
        return false;
    const std::string& table = l.keywords[n];
    for (std::size_t at = 0; at + n <= table.size(); at += n) {
        const char* k = table.data() + at;
        bool same = true;
        for (std::size_t i = 0; i < n && same; ++i)
            same = l.ignoreCase ? LowerAscii(k[i]) == LowerAscii(word[i]) : k[i] == word[i];
        if (same)
            return true;
    }
    return false;
}

// Index after the string that opens at i, up to and including its closing delimiter; an escape character
// takes the character after it along.
std::size_t StringEnd(const TSyntaxLanguage& l, const TLine& line, std::size_t i)
{
    const char quote = line.text[i];
    std::size_t j = i + 1;
    while (j < line.length) {
        const char c = line.text[j];
        if ((l.ClassOf(c) & kClassEscape) && j + 1 < line.length) {
            j += 2;
            continue;
        }
        ++j;
        if (c == quote)
            break;
    }
    return j;
}

void Fill(uint8_t* colours, std::size_t from, std::size_t to, uint8_t colour)
{
    for (std::size_t k = from; k < to; ++k)
        colours[k] = colour;
}

class TLineColourer {
public:
    TLineColourer(const TSyntaxLanguage& l, TLine line, uint8_t* colours) : l_(l), line_(line), out_(colours)
    {
    }

    int Run(int state)
    {
        std::size_t i = 0;
        // A state left by rules that had a multi-line comment means nothing to rules without one.
        if (state && l_.HasMultiComment()) {
            const std::size_t end = CommentEnd(l_, line_, 0);
            if (end >= line_.length) {
                Fill(out_, 0, line_.length, Colour(kColourComment));
                return 1;
            }
            Fill(out_, 0, end + 1, Colour(kColourComment));
            return MainLoop(end + 1);
        }
        if (l_.fortranComment && line_.text[0] != ' ' && !(line_.text[0] >= '0' && line_.text[0] <= '9')) {
            Fill(out_, 0, line_.length, Colour(kColourComment));
            return 0;
        }
        while (i < line_.length && IsWhite(line_.text[i]))
            out_[i++] = 0;
        if (i >= line_.length)
            return 0;
        if (l_.preprocessor && line_.text[i] == l_.preprocessor)
            return Preprocessor(i);
        if (l_.firstComment && line_.text[i] == l_.firstComment) {
            Fill(out_, i, line_.length, Colour(kColourComment));
            return 0;
        }
        return MainLoop(i);
    }

private:
    uint8_t Colour(int cls) const { return l_.colours[static_cast<std::size_t>(cls)]; }

    // Colours the comment opening at i; answers the index after it, or line length with *open set
    // when the line ends inside it.
    std::size_t Comment(std::size_t i, bool* open)
    {
        const std::size_t end = CommentEnd(l_, line_, i);
        *open = end >= line_.length;
        const std::size_t after = *open ? line_.length : end + 1;
        Fill(out_, i, after, Colour(kColourComment));
        return after;
    }

    int Preprocessor(std::size_t i)
    {
        Fill(out_, i, line_.length, Colour(kColourPreproc));
        for (std::size_t j = i + 1; j < line_.length;) {
            const uint16_t f = l_.ClassOf(line_.text[j]);
            if (OpensComment(l_, line_, j)) {
                bool open = false;
                j = Comment(j, &open);
                if (open)
                    return 1;
                continue;
            }
            if (LineCommentAt(l_, line_, j)) {
                Fill(out_, j, line_.length, Colour(kColourComment));
                return 0;
            }
            if (f == 0)
                out_[j] = 0;
            ++j;
        }
        return 0;
    }

    int MainLoop(std::size_t i)
    {
        const std::size_t n = line_.length;
        while (i < n) {
            const char c = line_.text[i];
            const uint16_t f = l_.ClassOf(c);
            if (f == 0) {
                out_[i++] = 0;
            } else if ((f & kClassMultiComment) && OpensComment(l_, line_, i)) {
                bool open = false;
                i = Comment(i, &open);
                if (open)
                    return 1;
            } else if ((f & kClassLineComment) && LineCommentAt(l_, line_, i)) {
                Fill(out_, i, n, Colour(kColourComment));
                return 0;
            } else if (StartsWord(l_, c)) {
                std::size_t j = i + 1;
                while (j < n && (l_.ClassOf(line_.text[j]) & kClassWord))
                    ++j;
                Fill(out_, i, j, IsKeyword(l_, line_.text + i, j - i) ? Colour(kColourKeyword) : 0);
                i = j;
            } else if (f & kClassDelimiter) {
                out_[i++] = Colour(kColourDelim);
            } else if (f & kClassString) {
                const std::size_t j = StringEnd(l_, line_, i);
                Fill(out_, i, j, Colour(kColourString));
                i = j;
            } else if (f & kClassOperator) {
                out_[i++] = Colour(kColourOperator);
            } else if (f & kClassNumeric) {
                if (c == '-' && !(l_.ClassOf(line_.At(i + 1)) & kClassNumeric)) {
                    out_[i++] = Colour(kColourOperator);
                    continue;
                }
                std::size_t j = i + 1;
                if (c == '-')
                    ++j;
                while (j < n && (l_.ClassOf(line_.text[j]) & kClassNumeric))
                    ++j;
                Fill(out_, i, j, Colour(kColourNumber));
                i = j;
            } else if (f & kClassHtmlOpen) {
                std::size_t j = i + 1;
                while (j < n && !(l_.ClassOf(line_.text[j]) & kClassHtmlClose))
                    ++j;
                j = j < n ? j + 1 : n;
                Fill(out_, i, j, Colour(kColourKeyword));
                i = j;
            } else if (f & kClassHtmlClose) {
                // A tag that began on an earlier line.
                Fill(out_, 0, i + 1, Colour(kColourKeyword));
                ++i;
            } else if (f & (kClassOpenDelim | kClassCloseDelim)) {
                out_[i++] = Colour(kColourDelim);
            } else if ((f & kClassEscape) && l_.texKeywords) {
                std::size_t j = i + 1;
                if (j < n && (l_.ClassOf(line_.text[j]) & kClassWord)) {
                    while (j < n && (l_.ClassOf(line_.text[j]) & kClassWord))
                        ++j;
                } else if (j < n) {
                    ++j;
                }
                Fill(out_, i, j, Colour(kColourKeyword));
                i = j;
            } else {
                out_[i++] = 0;
            }
        }
        return 0;
    }

    const TSyntaxLanguage& l_;
    TLine line_;
    uint8_t* out_;
};
}  // namespace

int ColourLine(const TSyntaxLanguage* language, const char* text, std::size_t length, uint8_t* colours,
               int state)
{
    if (length == 0)
        return 0;
    Fill(colours, 0, length, 0);
    if (!language)
        return 0;
    return TLineColourer(*language, TLine{text, length}, colours).Run(state);
}

int LineEndState(const TSyntaxLanguage* language, const char* text, int state)
{
    if (!language || !language->HasMultiComment())
        return 0;
    const TSyntaxLanguage& l = *language;
    const TLine line{text, std::strlen(text)};
    std::size_t i = 0;
    if (state) {
        const std::size_t end = CommentEnd(l, line, 0);
        if (end >= line.length)
            return 1;
        i = end + 1;
    } else if (l.firstComment) {
        std::size_t k = 0;
        while (k < line.length && IsWhite(line.text[k]))
            ++k;
        if (k < line.length && line.text[k] == l.firstComment)
            return 0;
    }
    while (i < line.length) {
        if (OpensComment(l, line, i)) {
            const std::size_t end = CommentEnd(l, line, i);
            if (end >= line.length)
                return 1;
            i = end + 1;
        } else if (LineCommentAt(l, line, i)) {
            return 0;
        } else if (l.ClassOf(line.text[i]) & kClassString) {
            i = StringEnd(l, line, i);
        } else {
            ++i;
        }
    }
    return 0;
}

int ColourLine(const TSyntaxTable& table, int language, const char* text, std::size_t length,
               uint8_t* colours, int state)
{
    return ColourLine(table.Language(language), text, length, colours, state);
}

int LineEndState(const TSyntaxTable& table, int language, const char* text, int state)
{
    return LineEndState(table.Language(language), text, state);
}

std::string ColourDigits(const uint8_t* colours, std::size_t length)
{
    std::string digits(length, '?');
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned c = colours[i];
        if (c < 10)
            digits[i] = static_cast<char>('0' + c);
        else if (c <= kMaxColourIndex)
            digits[i] = static_cast<char>('a' + (c - 10));
    }
    return digits;
}

std::string ColourLineDigits(const TSyntaxLanguage* language, const std::string& display, int state)
{
    std::vector<uint8_t> colours(display.size());
    ColourLine(language, display.data(), display.size(), colours.data(), state);
    return ColourDigits(colours.data(), colours.size());
}

uint16_t TLanguageScheme::NextState(const char* text, uint16_t prevState) const
{
    return static_cast<uint16_t>(LineEndState(Language(), text, prevState));
}
