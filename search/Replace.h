// The replace loop: search, ask, replace one match as one undo step, and go on while replacing all.
#pragma once

#include "engine/EditorTypes.h"

class TVokEditor;
struct TSearchMatch;

enum class TReplaceResult {
    NotFound,   // the search found nothing (more): the caller reports "Search string not found."
    Cancelled,  // the user cancelled a prompt
    Done,       // one occurrence handled, replace-all off
};

// Runs the replace loop from start with the last search string, the last replacement and the options of
// the program's search state. Every replacement is one undo step. Replacing all without prompts goes through
// a line at once where it can (lineAtOnce); the result is the same either way.
TReplaceResult ReplaceLoop(TVokEditor& editor, TPosition start, bool lineAtOnce = true);

// Puts replacement in place of the match as one undo step and leaves it selected, with the cursor after
// it (down) or before it (up). An empty match takes the replacement at its position.
void ReplaceMatch(TVokEditor& editor, const TSearchMatch& match, const char* replacement, bool down);
