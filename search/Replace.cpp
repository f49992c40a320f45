// The replace loop: search, ask, replace one match as one undo step, and go on while replacing all.
#include "search/Replace.h"

#include "engine/LineReplace.h"
#include "engine/UndoStep.h"
#include "engine/VokEditor.h"
#include "search/DocumentSearch.h"
#include "search/SearchState.h"

void ReplaceMatch(TVokEditor& editor, const TSearchMatch& match, const char* replacement, bool down)
{
    TUpdateBatch batch(editor);
    const TPosition from{match.startCol, match.line};
    const TPosition to{match.endCol, match.line};
    TPosition end = from;
    {
        // The removed text and the inserted one are one step, so one Undo restores the match exactly.
        TUndoStep step(editor, match.line, match.line, editor.undoEnabled);
        step.Anchor(from);
        if (from < to)
            editor.DeleteRange(from, to, {.undo = TUndoRecording::Off});
        else
            editor.GotoPosition(from.col, from.line, false);
        if (replacement && *replacement
            && editor.InsertText(replacement, {.undo = TUndoRecording::Off, .selectInserted = true})
            && editor.selShown)
            end = editor.SelEnd();
    }

    // The inserted text stays selected; the cursor goes to the end the search goes on from.
    const TPosition cursor = down ? end : from;
    editor.curLine = editor.LineAt(cursor.line);
    editor.curLineNo = cursor.line;
    editor.curCol = cursor.col;
    editor.EnsureCursorVisible();
    editor.RequestRedraw(kRedrawAll);
}

TReplaceResult ReplaceLoop(TVokEditor& editor, TPosition start, bool lineAtOnce)
{
    const TSearchState& state = SearchState();
    if (!(start == editor.Cursor()))
        editor.GotoPosition(start.col, start.line, false);

    bool prompt = state.options.prompt;
    bool all = state.options.replaceAll;
    const TSearchQuery firstQuery = StateQuery(editor);
    TDocumentSearch search(editor, firstQuery);
    // Pushes the records it holds when the loop ends, however it ends.
    TLineReplacer lines(editor, state.replacement);
    // The first replacement goes the ordinary way, which trims the line the cursor leaves; a match the
    // line-at-once route could not take is met again by the next search and goes that way too.
    bool replacedOne = false;
    bool ordinaryNext = false;
    for (;;) {
        // An empty match where the last replacement ended is passed over, so Replace All of a pattern
        // that matches the empty string moves on through the text and ends.
        const TSearchQuery query = StateQuery(editor);
        TSearchMatch match;
        if (!search.Find(editor.Cursor(), query.skipEmptyAtStart, &match))
            return TReplaceResult::NotFound;
        if (lineAtOnce && all && !prompt && query.down && replacedOne && !ordinaryNext && lines.Begin(match.line)) {
            // The window is told once the line is stored, not while its text lags behind the cursor.
            TUpdateBatch batch(editor);
            std::size_t from = match.startByte;
            std::size_t to = match.endByte;
            for (;;) {
                if (!lines.Replace(from, to)) {
                    ordinaryNext = true;
                    break;
                }
                // The search goes on from the cursor after the replacement; an empty match there is passed over.
                if (!search.FindInText(lines.Text().c_str(), from + lines.ReplacementLength(), true, &from, &to))
                    break;
            }
            if (!lines.End())
                return TReplaceResult::Cancelled;
            RememberStop(editor);
            continue;
        }
        lines.Flush();
        ordinaryNext = false;
        SelectMatch(editor, match, query.down);
        RememberStop(editor);

        bool replace = true;
        if (prompt) {
            switch (editor.ReplacePrompt()) {
            case TReplaceAnswer::Yes: break;
            case TReplaceAnswer::No: replace = false; break;
            case TReplaceAnswer::All:
                prompt = false;
                all = true;
                break;
            default: return TReplaceResult::Cancelled;
            }
        }
        if (replace) {
            ReplaceMatch(editor, match, state.replacement, query.down);
            RememberStop(editor);
            replacedOne = true;
        }
        if (!all)
            return TReplaceResult::Done;
    }
}
