// One search through a document's lines, plain or by pattern, and the selection of what it found.
#pragma once

#include <cstddef>

#include <cstdint>
#include <memory>

#include "engine/EditorTypes.h"

class TVokEditor;

struct TSearchQuery {
    const char* text = "";  // at most 79 characters are used
    bool matchCase = false;
    bool wholeWord = false;  // plain search only
    bool down = true;
    bool regex = false;
    // A Down search passes over an empty match exactly at its start and looks further on.
    bool skipEmptyAtStart = false;
};

// A match never spans lines: a line and two display columns, equal for an empty match.
struct TSearchMatch {
    int32_t line = 0;
    int16_t startCol = 0;
    int16_t endCol = 0;
    std::size_t startByte = 0;  // the same two places as offsets into the line's text
    std::size_t endByte = 0;
};

// Searches from start towards the end (down) or the start of the document, one line at a time; the first
// line that holds a match ends the search. Down, the first line is searched from the start column on;
// up, only what lies before it. False when nothing is found, when the text is empty, when the pattern
// does not compile, or when a pattern backtracks without end over a line.
bool FindInDocument(TVokEditor& editor, const TSearchQuery& query, TPosition start, TSearchMatch* match);

// The same search prepared once (the text folded, the pattern compiled) for a loop that searches again and
// again, as Replace All and counting do. The document may change between calls; the query may not.
class TDocumentSearch {
public:
    TDocumentSearch(TVokEditor& editor, const TSearchQuery& query);
    TDocumentSearch(const TDocumentSearch&) = delete;
    TDocumentSearch& operator=(const TDocumentSearch&) = delete;
    ~TDocumentSearch();

    // False when the text is empty or the pattern does not compile: such a search finds nothing.
    bool Valid() const { return valid_; }
    bool Find(TPosition start, bool skipEmptyAtStart, TSearchMatch* match);
    // The match Find would find first in a line holding text, searching down from the byte startByte (at
    // most the text's length); as byte offsets into text.
    bool FindInText(const char* text, std::size_t startByte, bool skipEmptyAtStart, std::size_t* start,
                    std::size_t* end);

private:
    struct TCompiled;
    TVokEditor& editor_;
    std::unique_ptr<TCompiled> compiled_;
    bool valid_ = false;
};

// The query the program's search state describes for a search from the cursor of editor.
TSearchQuery StateQuery(const TVokEditor& editor);
// Notes that a search or a replacement has just left the cursor of editor where it is.
void RememberStop(const TVokEditor& editor);

// Selects the match with the cursor at its end (down) or its start (up), scrolls it into view and
// redraws the window.
void SelectMatch(TVokEditor& editor, const TSearchMatch& match, bool down);
