// A document whose Find, Replace, prompt and Go To dialogs answer from a script, and a fixture around it.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "engine/Commands.h"
#include "engine/Options.h"
#include "search/Regex.h"
#include "search/Replace.h"
#include "search/Search.h"
#include "search/SearchState.h"
#include "support/RecordingEditor.h"

// The dialogs record what they were filled with and hand back what the test scripted as the user's input.
class TScriptedEditor : public TRecordingEditor {
public:
    bool FindDialog(TSearchRequest& request) noexcept override
    {
        ++findDialogs;
        shown = request;
        if (!confirm)
            return false;
        request = answer;
        return true;
    }
    bool ReplaceDialog(TSearchRequest& request) noexcept override
    {
        ++replaceDialogs;
        shown = request;
        if (!confirm)
            return false;
        request = answer;
        return true;
    }
    TReplaceAnswer ReplacePrompt() noexcept override
    {
        prompted.push_back(Selection());
        if (prompts.empty())
            return TReplaceAnswer::Cancel;
        TReplaceAnswer a = prompts.front();
        prompts.pop_front();
        return a;
    }
    bool GoToLine(int32_t* line) noexcept override
    {
        shownNumber = *line;
        if (confirm)
            *line = number;
        return confirm;
    }
    bool GoToColumn(int* col) noexcept override
    {
        shownNumber = *col;
        if (confirm)
            *col = number;
        return confirm;
    }

    // The selected text of a one-line selection, "" without one.
    std::string Selection()
    {
        if (!selShown || selStartLine != selEndLine)
            return "";
        const char* text = LineAt(selStartLine)->text;
        const char* a = PointerAtColumn(text, selStartCol);
        const char* b = PointerAtColumn(text, selEndCol);
        return std::string(a, b);
    }

    bool confirm = true;   // OK rather than Cancel
    TSearchRequest answer;  // what the user leaves in the dialog
    TSearchRequest shown;   // what the dialog was opened with
    int findDialogs = 0;
    int replaceDialogs = 0;
    std::deque<TReplaceAnswer> prompts;  // answers to the replace prompt, then Cancel
    std::vector<std::string> prompted;  // the selection at each prompt
    int number = 0;                     // typed into Go To Line / Go To Column
    int shownNumber = 0;
};

class SearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EngineOptions() = TEngineOptions{};
        SearchState() = TSearchState{};
        InstallSearchCommands();
    }
    void TearDown() override
    {
        EngineOptions() = TEngineOptions{};
        SearchState() = TSearchState{};
    }

    void Run(unsigned command) { ed.ExecuteCommand(command, 0); }
    void Load(const std::string& text)
    {
        ASSERT_TRUE(ed.Load(text));
        ed.GotoPosition(0, 0, false);
    }
    void Goto(int col, int32_t line) { ed.GotoPosition(col, line, false); }

    // The user fills the Find dialog with text and options and presses Find.
    void Find(const char* text, TSearchOptions options = {})
    {
        ed.answer = TSearchRequest{};
        CopySearchText(ed.answer.findText, kSearchTextSize, text);
        ed.answer.options = options;
        Run(cmFind);
    }
    // The user fills the Replace dialog and presses Replace (or Replace All with options.replaceAll).
    void Replace(const char* text, const char* replacement, TSearchOptions options = {})
    {
        ed.answer = TSearchRequest{};
        CopySearchText(ed.answer.findText, kSearchTextSize, text);
        CopySearchText(ed.answer.replaceText, kSearchTextSize, replacement);
        ed.answer.options = options;
        Run(cmReplace);
    }
    static TSearchOptions All(TSearchOptions options = {})
    {
        options.replaceAll = true;
        options.prompt = false;
        return options;
    }
    bool NotFoundReported() const
    {
        for (int e : ed.errors)
            if (e == kErrNotFound)
                return true;
        return false;
    }

    TScriptedEditor ed;
};
