// The commands of the Search category: Find, Replace, Repeat Last, Find Next/Previous Word, Go To.
#include "search/Search.h"

#include <algorithm>

#include "engine/Alloc.h"
#include "engine/CommandHosts.h"
#include "engine/Commands.h"
#include "engine/VokEditor.h"
#include "search/DocumentSearch.h"
#include "search/Regex.h"
#include "search/Replace.h"
#include "search/SearchState.h"

namespace {

// The Find field opens with the word at the cursor, or else with the last search string.
void FillFindText(TVokEditor& editor, char* out)
{
    char word[kSearchTextSize];
    if (editor.WordAtCursor(word, kSearchTextSize) > 0)
        CopySearchText(out, kSearchTextSize, word);
    else
        CopySearchText(out, kSearchTextSize, SearchState().searchText);
}

// Searches once from the cursor with the stored string and options; a miss is reported.
void SearchOnce(TVokEditor& editor)
{
    const TSearchQuery query = StateQuery(editor);
    TSearchMatch match;
    if (!FindInDocument(editor, query, editor.Cursor(), &match)) {
        editor.ReportError(kErrNotFound);
        return;
    }
    SelectMatch(editor, match, query.down);
    RememberStop(editor);
}

void ReplaceFromCursor(TVokEditor& editor)
{
    // Also after a Replace All that replaced something: the message tells the user it is done.
    if (ReplaceLoop(editor, editor.Cursor()) == TReplaceResult::NotFound)
        editor.ReportError(kErrNotFound);
}

// Find Next Word and Find Previous Word: the selection's text, or else the word at the cursor, searched
// plainly in one direction, whatever the Regular Expression and direction options say.
void FindWord(TVokEditor& editor, bool down)
{
    char word[kSearchTextSize];
    TPosition start;
    if (editor.selShown && editor.selStartLine == editor.selEndLine) {
        const int32_t line = editor.selStartLine;
        const TPosition left{std::min(editor.selStartCol, editor.selEndCol), line};
        const TPosition right{std::max(editor.selStartCol, editor.selEndCol), line};
        char* text = editor.GetRangeText(left, right);
        if (!text)
            return;
        CopySearchText(word, sizeof word, text);
        VokFree(text);
        start = down ? right : left;
    } else {
        if (editor.WordAtCursor(word, kSearchTextSize) == 0)
            return;
        const bool onWord = editor.IsWordChar(editor.CharAtCursor());
        if (down) {
            if (onWord && editor.curCol >= kMaxCol)
                return;
            start = {static_cast<int16_t>(onWord ? editor.curCol + 1 : editor.curCol), editor.curLineNo};
        } else {
            // On a word character the search starts one column to its left, so that the word under the
            // cursor is not found again; off a word (just past one) that word is the nearest match.
            const int col = onWord ? editor.curCol - 1 : editor.curCol;
            if (col > 0) {
                start = {static_cast<int16_t>(col), editor.curLineNo};
            } else if (editor.curLineNo == 0) {
                editor.ReportError(kErrNotFound);
                return;
            } else {
                start = {static_cast<int16_t>(kLineWidthLimit), editor.curLineNo - 1};
            }
        }
    }

    TSearchState& state = SearchState();
    CopySearchText(state.searchText, kSearchTextSize, word);
    state.lastWasReplace = false;
    TSearchQuery query = StateQuery(editor);
    query.regex = false;
    query.down = down;
    TSearchMatch match;
    if (!FindInDocument(editor, query, start, &match)) {
        editor.ReportError(kErrNotFound);
        return;
    }
    SelectMatch(editor, match, down);
    RememberStop(editor);
}

}  // namespace

void SearchFind(TVokEditor& editor)
{
    TSearchState& state = SearchState();
    TSearchRequest request;
    FillFindText(editor, request.findText);
    request.options = state.options;
    if (!editor.FindDialog(request) || !request.findText[0])
        return;
    state.findHistory.Add(request.findText);
    CopySearchText(state.searchText, kSearchTextSize, request.findText);
    state.options.matchCase = request.options.matchCase;
    state.options.wholeWord = request.options.wholeWord;
    state.options.down = request.options.down;
    state.options.regex = request.options.regex;
    state.lastWasReplace = false;
    SearchOnce(editor);
}

void SearchReplace(TVokEditor& editor)
{
    TSearchState& state = SearchState();
    TSearchRequest request;
    FillFindText(editor, request.findText);
    ReplaceFieldText(state, request.replaceText, kSearchTextSize);
    request.options = state.options;
    if (!editor.ReplaceDialog(request) || !request.findText[0])
        return;
    state.findHistory.Add(request.findText);
    if (request.replaceText[0])
        state.replaceHistory.Add(request.replaceText);
    state.lastWasReplace = true;
    CopySearchText(state.searchText, kSearchTextSize, request.findText);
    state.options = request.options;
    CopySearchText(state.replaceTyped, kSearchTextSize, request.replaceText);
    ConvertReplacement(request.replaceText, state.options.regex, state.replacement, kSearchTextSize);
    ReplaceFromCursor(editor);
}

void SearchFindNext(TVokEditor& editor)
{
    TSearchState& state = SearchState();
    if (state.lastWasReplace) {
        if (!state.searchText[0]) {
            SearchReplace(editor);
            return;
        }
        state.options.replaceAll = false;
        ReplaceFromCursor(editor);
        return;
    }
    if (!state.searchText[0]) {
        SearchFind(editor);
        return;
    }
    SearchOnce(editor);
}

void SearchFindNextWord(TVokEditor& editor)
{
    FindWord(editor, true);
}

void SearchFindPrevWord(TVokEditor& editor)
{
    FindWord(editor, false);
}

void SearchGoToLine(TVokEditor& editor)
{
    int32_t line = editor.curLineNo + 1;
    if (!editor.GoToLine(&line) || line < 1)
        return;
    TUpdateBatch batch(editor);
    editor.GotoPosition(editor.curCol, line - 1, false);
    editor.EnsureCursorVisible();
}

void SearchGoToColumn(TVokEditor& editor)
{
    int col = editor.curCol + 1;
    if (!editor.GoToColumn(&col) || col < 1)
        return;
    TUpdateBatch batch(editor);
    editor.GotoPosition(std::min(col, kLineWidthLimit) - 1, editor.curLineNo, false);
    editor.EnsureCursorVisible();
}

void InstallSearchCommands()
{
    SetCommandHandler(cmFind, SearchFind);
    SetCommandHandler(cmReplace, SearchReplace);
    SetCommandHandler(cmFindNext, SearchFindNext);
    SetCommandHandler(cmGoToLine, SearchGoToLine);
    SetCommandHandler(cmGoToColumn, SearchGoToColumn);
    SetCommandHandler(cmFindNextWord, SearchFindNextWord);
    SetCommandHandler(cmFindPrevWord, SearchFindPrevWord);
}

int CheckSearchPattern(const char* text, bool regex)
{
    if (!regex)
        return kRegexOk;
    int error = kRegexOk;
    TRegexPtr program = RegexCompile(text, &error);
    return program ? kRegexOk : error;
}
