// The program-wide search state: options, last search and replacement, the Find and Replace histories.
#pragma once

#include <cstdint>

#include "engine/EditorTypes.h"

class TVokEditor;

// The Find and Replace fields hold at most 79 characters.
constexpr int kSearchTextSize = 80;

struct TSearchOptions {
    bool matchCase = false;
    bool wholeWord = false;  // plain search only
    bool down = true;
    bool regex = false;
    bool prompt = true;      // ask before each replacement
    bool replaceAll = false;
};

// What the Find and Replace dialogs are filled with and hand back on OK. The Replace dialog sets
// options.replaceAll to say which of its buttons closed it.
struct TSearchRequest {
    char findText[kSearchTextSize] = {};
    char replaceText[kSearchTextSize] = {};
    TSearchOptions options;
};

// The drop-down list of a Find or Replace field: 8 texts, newest first. A slot holding "" is empty.
class TSearchHistory {
public:
    static constexpr int kEntries = 8;

    // Makes a copy of text the newest entry unless the newest entry already equals it (case included);
    // the oldest entry drops out.
    void Add(const char* text);
    // Entry i, 0 the newest; "" for an empty slot or an index out of range.
    const char* Entry(int i) const;
    // Puts text into slot i as it is, for the settings file; longer text is cut to 79 characters.
    void Set(int i, const char* text);
    // The slots themselves, newest first, for the settings file to read and write in place.
    using TEntries = char[kEntries][kSearchTextSize];
    TEntries& Entries() { return entries_; }

private:
    char entries_[kEntries][kSearchTextSize] = {};
};

// Where a search or replacement last left the cursor. A Down search does not stop again on an empty
// match right there: Find Next on `$` goes to the next line end, and Replace All of `x*` moves on.
struct TSearchStop {
    const TVokEditor* editor = nullptr;  // compared, never followed
    TPosition pos;
};

// One set for the whole program, shared by every document.
struct TSearchState {
    char searchText[kSearchTextSize] = {};
    char replacement[kSearchTextSize] = {};  // as inserted, after the escape conversion
    char replaceTyped[kSearchTextSize] = {};  // as the user typed it, to fill the Replace field again
    TSearchHistory findHistory;
    TSearchHistory replaceHistory;
    TSearchOptions options;
    bool lastWasReplace = false;
    TSearchStop lastStop;
};

TSearchState& SearchState();

// Copies at most size - 1 bytes of text to buffer and terminates it; size must be positive.
void CopySearchText(char* buffer, int size, const char* text);

// The replacement to insert for the text typed in the Replace field. With regular expressions a
// backslash escapes: `\n` gives a line break (CR LF), `\t` a tab, any other character itself.
void ConvertReplacement(const char* typed, bool regex, char* out, int size);

// What the Replace field shows when the dialog opens: the text last typed, or nothing when the
// replacement it gave holds a control character (tab, line break, form feed, backspace).
void ReplaceFieldText(const TSearchState& state, char* out, int size);
