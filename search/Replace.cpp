// The replace loop: search, ask, replace one match as one undo step, and go on while replacing all.
#include "search/Replace.h"

#include "engine/VokEditor.h"
#include "search/DocumentSearch.h"
#include "search/SearchState.h"

void ReplaceMatch(TVokEditor& editor, const TSearchMatch& match, const char* replacement, bool down)
{
    TUpdateBatch batch(editor);
    const TPosition from{match.startCol, match.line};
    const TPosition to{match.endCol, match.line};
    const bool record = editor.undoEnabled;

    // The removed text and the inserted range go into one record, so one Undo restores the match. When
    // the removed text cannot be copied, the two edits record themselves: two steps, nothing lost.
    char* removed = record && from < to ? editor.GetRangeText(from, to) : nullptr;
    const bool combined = record && (removed || !(from < to));

    if (from < to)
        editor.DeleteRange(from, to, record && !combined);
    else
        editor.GotoPosition(from.col, from.line, false);

    TPosition end = from;
    if (replacement && *replacement && editor.InsertText(replacement, record && !combined, false, true) &&
        editor.selShown)
        end = editor.SelEnd();

    if (combined && (from < end || removed)) {
        UndoRecord undo{from < end, from.col, from.line, end.col, end.line, from.col, from.line, removed, 0};
        editor.PushUndo(undo);
    }

    // The inserted text stays selected; the cursor goes to the end the search goes on from.
    const TPosition cursor = down ? end : from;
    editor.curLine = editor.LineAt(cursor.line);
    editor.curLineNo = cursor.line;
    editor.curCol = cursor.col;
    editor.EnsureCursorVisible();
    editor.RequestRedraw(kRedrawAll);
}

TReplaceResult ReplaceLoop(TVokEditor& editor, TPosition start)
{
    const TSearchState& state = SearchState();
    if (!(start == editor.Cursor()))
        editor.GotoPosition(start.col, start.line, false);

    bool prompt = state.options.prompt;
    bool all = state.options.replaceAll;
    for (;;) {
        // An empty match where the last replacement ended is passed over, so Replace All of a pattern
        // that matches the empty string moves on through the text and ends.
        const TSearchQuery query = StateQuery(editor);
        TSearchMatch match;
        if (!FindInDocument(editor, query, editor.Cursor(), &match))
            return TReplaceResult::NotFound;
        SelectMatch(editor, match, query.down);
        RememberStop(editor);

        bool replace = true;
        if (prompt) {
            switch (editor.ReplacePrompt()) {
            case kReplaceYes: break;
            case kReplaceNo: replace = false; break;
            case kReplaceAll:
                prompt = false;
                all = true;
                break;
            default: return TReplaceResult::Cancelled;
            }
        }
        if (replace) {
            ReplaceMatch(editor, match, state.replacement, query.down);
            RememberStop(editor);
        }
        if (!all)
            return TReplaceResult::Done;
    }
}
