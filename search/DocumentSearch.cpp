// One search through a document's lines, plain or by pattern, and the selection of what it found.
#include "search/DocumentSearch.h"

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "base/ByteRuns.h"
#include "engine/VokEditor.h"
#include "search/Regex.h"
#include "search/SearchState.h"

namespace {

// A found occurrence as byte offsets into its line.
struct TByteMatch {
    std::size_t start = 0;
    std::size_t end = 0;
};

// The window's lower-case rule as a byte table. Its LowerString maps each byte of an 8-bit character set on
// its own, so one call over every byte gives the whole rule, and a search then folds its lines in one pass
// without a call per line. A byte the rule would turn into NUL keeps its value, so a line never ends early.
struct TFold {
    unsigned char map[256];
};

void MakeFold(TVokEditor& editor, TFold* fold)
{
    char all[256];
    for (int b = 1; b < 256; ++b)
        all[b - 1] = static_cast<char>(b);
    all[255] = 0;
    editor.LowerString(all);
    fold->map[0] = 0;
    for (int b = 1; b < 256; ++b) {
        const auto lowered = static_cast<unsigned char>(all[b - 1]);
        fold->map[b] = lowered ? lowered : static_cast<unsigned char>(b);
    }
}

// The line as the comparison sees it: the text itself when case matters (no fold), else a copy lower-cased
// by the fold. The copy lives in one buffer reused for every line (searches run one line at a time), so a
// long search neither copies matching-case lines nor allocates per line; the view is valid until the next
// call and always ends at a NUL.
std::string_view Comparable(const TFold* fold, const char* text)
{
    if (!fold)
        return text;
    static std::string lowered;
    const std::size_t length = std::strlen(text);
    lowered.resize(length);
    char* out = lowered.data();
    for (std::size_t i = 0; i < length; ++i)
        out[i] = static_cast<char>(fold->map[static_cast<unsigned char>(text[i])]);
    return lowered;
}

bool IsWholeWord(TVokEditor& editor, const char* text, std::size_t at, std::size_t length)
{
    if (at > 0 && editor.IsWordChar(static_cast<unsigned char>(text[at - 1])))
        return false;
    return !editor.IsWordChar(static_cast<unsigned char>(text[at + length]));
}

// Where a line's search starts: anywhere on a line after the first; on the first, at the start column's
// byte, which for a column past the end of the text finds nothing going down and the whole line going up.
struct TLineStart {
    bool first = false;
    bool pastEnd = false;
    std::size_t byte = 0;
};

TLineStart FirstLineStart(const char* text, int col)
{
    if (col <= 0)
        return {true, false, 0};
    // The first byte whose column is not below col; only when there is none can col lie past the end.
    const char* at = TVokEditor::PointerAtColumn(text, col);
    const bool pastEnd = *at == 0 && col > TVokEditor::LineWidth(text);
    return {true, pastEnd, static_cast<std::size_t>(at - text)};
}

// The leftmost occurrence at or after from (down), or the last one that ends by limit (up). A whole-word
// search that meets an occurrence inside a longer word goes on to the next one in the same line.
bool FindPlain(TVokEditor& editor, const TSearchQuery& query, const TFold* fold, const std::string& needle,
               const char* text, TLineStart from, TByteMatch* found)
{
    const std::size_t n = needle.size();
    auto accept = [&](std::size_t at) {
        if (query.wholeWord && !IsWholeWord(editor, text, at, n))
            return false;
        *found = {at, at + n};
        return true;
    };
    if (query.down) {
        if (from.first && from.pastEnd)
            return false;
        // The line ends at its NUL: each place its first byte occurs is tried in turn, so the line is
        // looked at once, without its length being measured or a folded copy being made first. (The
        // folded needle never holds a NUL, so a comparison stops at the line's end.)
        const char* base = text;
        const char* rest = needle.c_str() + 1;
        const std::size_t restLength = n - 1;
        const auto lead = static_cast<unsigned char>(needle[0]);
        auto next = [&](const char* from) -> const char* {
            if (!fold) {
                if (restLength == 0)
                    return std::strchr(from, lead);
                for (const char* at = FindBytePair(from, lead, static_cast<unsigned char>(rest[0])); at;
                     at = FindBytePair(at + 1, lead, static_cast<unsigned char>(rest[0])))
                    if (std::strncmp(at + 2, rest + 1, restLength - 1) == 0)
                        return at;
                return nullptr;
            }
            const unsigned char* map = fold->map;
            for (const char* at = from; *at; ++at) {
                if (map[static_cast<unsigned char>(*at)] != lead)
                    continue;
                std::size_t k = 0;
                while (k < restLength && map[static_cast<unsigned char>(at[1 + k])] == static_cast<unsigned char>(rest[k]))
                    ++k;
                if (k == restLength)
                    return at;
            }
            return nullptr;
        };
        for (const char* at = next(base + (from.first ? from.byte : 0)); at; at = next(at + 1))
            if (accept(static_cast<std::size_t>(at - base)))
                return true;
        return false;
    }
    const std::string_view hay = Comparable(fold, text);
    std::size_t limit = from.first ? from.byte : hay.size();
    if (limit < n)
        return false;
    for (std::size_t at = hay.rfind(needle, limit - n); at != std::string::npos;
         at = at == 0 ? std::string::npos : hay.rfind(needle, at - 1))
        if (accept(at))
            return true;
    return false;
}

// The first match of the pattern in one line: from the start column on (down) or before it (up).
bool FindPattern(const TSearchQuery& query, const TFold* fold, RegexProgram& program, const char* text,
                 TLineStart from, TByteMatch* found)
{
    const std::string_view hay = Comparable(fold, text);
    const char* base = hay.data();
    auto result = [&](bool hit) {
        if (hit)
            *found = {static_cast<std::size_t>(program.groupStart[0] - base),
                      static_cast<std::size_t>(program.groupEnd[0] - base)};
        return hit;
    };
    if (!query.down) {
        // A line before the first is scanned from its very end, so `$` and `^$` are found going up.
        const bool bounded = from.first && !from.pastEnd;
        const char* limit = bounded ? base + from.byte : nullptr;
        return result(RegexSearch(&program, base, limit, true, true));
    }
    if (from.first && from.pastEnd)
        return false;
    const std::size_t origin = from.first ? from.byte : 0;
    // The piece counts as starting its line only when the search starts at column 0.
    if (!RegexSearch(&program, base + origin, nullptr, false, origin == 0))
        return false;
    const char* start = program.groupStart[0];
    bool emptyAtOrigin = start == program.groupEnd[0] && start == base + origin;
    if (!(query.skipEmptyAtStart && from.first && emptyAtOrigin))
        return result(true);
    if (origin >= hay.size())
        return false;
    return result(RegexSearch(&program, base + origin + 1, nullptr, false, false));
}

}  // namespace

struct TDocumentSearch::TCompiled {
    TSearchQuery query;
    TFold foldTable;
    const TFold* fold = nullptr;
    TRegexPtr program;
    std::string needle;
};

TDocumentSearch::TDocumentSearch(TVokEditor& editor, const TSearchQuery& query)
    : editor_(editor), compiled_(std::make_unique<TCompiled>())
{
    TCompiled& c = *compiled_;
    c.query = query;
    c.query.text = "";
    char text[kSearchTextSize];
    CopySearchText(text, sizeof text, query.text);
    if (!text[0])
        return;
    // The pattern or text is lower-cased by the same rule as the lines, so that a letter of the window's
    // character set matches its capital too.
    if (!query.matchCase) {
        MakeFold(editor, &c.foldTable);
        c.fold = &c.foldTable;
        for (char* t = text; *t; ++t)
            *t = static_cast<char>(c.foldTable.map[static_cast<unsigned char>(*t)]);
    }
    if (query.regex) {
        c.program = RegexCompile(text, nullptr);
        valid_ = c.program != nullptr;
    } else {
        c.needle = text;
        valid_ = true;
    }
}

TDocumentSearch::~TDocumentSearch() = default;

bool TDocumentSearch::Find(TPosition start, bool skipEmptyAtStart, TSearchMatch* match)
{
    if (!valid_)
        return false;
    TCompiled& c = *compiled_;
    c.query.skipEmptyAtStart = skipEmptyAtStart;
    const TSearchQuery& query = c.query;
    TVokEditor& editor = editor_;
    int32_t lineNo = start.line < 0 ? 0 : (start.line > editor.lastLine ? editor.lastLine : start.line);
    LineRecord* line = editor.LineAt(lineNo);
    for (bool first = true; line; first = false) {
        TByteMatch found;
        bool hit;
        const TLineStart where = first ? FirstLineStart(line->text, start.col) : TLineStart{};
        if (c.program) {
            hit = FindPattern(query, c.fold, *c.program, line->text, where, &found);
        } else {
            hit = FindPlain(editor, query, c.fold, c.needle, line->text, where, &found);
        }
        if (hit) {
            const char* t = line->text;
            match->line = lineNo;
            match->startCol = static_cast<int16_t>(TVokEditor::ColumnOfPointer(t, t + found.start));
            match->endCol = static_cast<int16_t>(TVokEditor::ColumnOfPointer(t, t + found.end));
            match->startByte = found.start;
            match->endByte = found.end;
            return true;
        }
        line = query.down ? line->next : line->prev;
        lineNo += query.down ? 1 : -1;
    }
    return false;
}

bool TDocumentSearch::FindInText(const char* text, std::size_t startByte, bool skipEmptyAtStart, std::size_t* start,
                                 std::size_t* end)
{
    if (!valid_)
        return false;
    TCompiled& c = *compiled_;
    c.query.skipEmptyAtStart = skipEmptyAtStart;
    TByteMatch found;
    const TLineStart from{true, false, startByte};
    const bool hit = c.program ? FindPattern(c.query, c.fold, *c.program, text, from, &found)
                               : FindPlain(editor_, c.query, c.fold, c.needle, text, from, &found);
    if (hit) {
        *start = found.start;
        *end = found.end;
    }
    return hit;
}

bool FindInDocument(TVokEditor& editor, const TSearchQuery& query, TPosition start, TSearchMatch* match)
{
    TDocumentSearch search(editor, query);
    return search.Find(start, query.skipEmptyAtStart, match);
}

TSearchQuery StateQuery(const TVokEditor& editor)
{
    const TSearchState& state = SearchState();
    TSearchQuery query;
    query.text = state.searchText;
    query.matchCase = state.options.matchCase;
    query.wholeWord = state.options.wholeWord;
    query.down = state.options.down;
    query.regex = state.options.regex;
    query.skipEmptyAtStart = state.lastStop.editor == &editor && state.lastStop.pos == editor.Cursor();
    return query;
}

void RememberStop(const TVokEditor& editor)
{
    SearchState().lastStop = {&editor, editor.Cursor()};
}

void SelectMatch(TVokEditor& editor, const TSearchMatch& match, bool down)
{
    TUpdateBatch batch(editor);
    if (down) {
        editor.GotoPosition(match.startCol, match.line, false);
        editor.GotoPosition(match.endCol, match.line, true);
    } else {
        editor.GotoPosition(match.endCol, match.line, false);
        editor.GotoPosition(match.startCol, match.line, true);
    }
    editor.EnsureCursorVisible();
    editor.RequestRedraw(kRedrawAll);
}
