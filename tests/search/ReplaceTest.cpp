// Replace: the loop with scripted prompt answers, Replace All, empty matches, undo steps, Repeat Last.
#include <string>

#include "engine/Undo.h"
#include "search/SearchFixture.h"

namespace {

class ReplaceTest : public SearchTest {
protected:
    static TSearchOptions Prompted(bool all)
    {
        TSearchOptions options;
        options.prompt = true;
        options.replaceAll = all;
        return options;
    }
    // Without prompting unless the options passed in ask for it.
    static TSearchOptions Regex(TSearchOptions options = NoPrompt())
    {
        options.regex = true;
        return options;
    }
    static TSearchOptions NoPrompt()
    {
        TSearchOptions options;
        options.prompt = false;
        return options;
    }
};

TEST_F(ReplaceTest, ReplaceOneByOneReplacesOnlyTheFirst)
{
    Load("cat cat\n");
    ed.prompts = {TReplaceAnswer::Yes, TReplaceAnswer::Yes};
    Replace("cat", "dog", Prompted(false));
    EXPECT_EQ(ed.Joined(), "dog cat");
    EXPECT_EQ(ed.prompted, (std::vector<std::string>{"cat"}));
    EXPECT_TRUE(ed.errors.empty());
    // The replacement stays selected with the cursor after it.
    EXPECT_EQ(ed.Selection(), "dog");
    EXPECT_EQ(ed.Cursor(), (TPosition{3, 0}));
}

TEST_F(ReplaceTest, NoWithoutReplaceAllEndsTheLoop)
{
    Load("cat cat\n");
    ed.prompts = {TReplaceAnswer::No, TReplaceAnswer::Yes};
    Replace("cat", "dog", Prompted(false));
    EXPECT_EQ(ed.Joined(), "cat cat");
    EXPECT_EQ(ed.prompted, (std::vector<std::string>{"cat"}));
}

TEST_F(ReplaceTest, NoWithReplaceAllGoesOnToTheNext)
{
    Load("cat cat\n");
    ed.prompts = {TReplaceAnswer::No, TReplaceAnswer::Yes};
    Replace("cat", "dog", Prompted(true));
    EXPECT_EQ(ed.Joined(), "cat dog");
    EXPECT_EQ(ed.prompted.size(), 2u);
    EXPECT_TRUE(NotFoundReported());
}

TEST_F(ReplaceTest, CancelEndsWithoutMessage)
{
    Load("cat cat\n");
    ed.prompts = {TReplaceAnswer::Yes, TReplaceAnswer::Cancel};
    Replace("cat", "dog", Prompted(true));
    EXPECT_EQ(ed.Joined(), "dog cat");
    EXPECT_TRUE(ed.errors.empty());
}

TEST_F(ReplaceTest, AllStopsAskingAndReplacesTheRest)
{
    Load("cat cat\ncat\n");
    ed.prompts = {TReplaceAnswer::All};
    Replace("cat", "dog", Prompted(false));
    EXPECT_EQ(ed.Joined(), "dog dog\ndog");
    EXPECT_EQ(ed.prompted.size(), 1u);
    // All does not change the stored options.
    EXPECT_TRUE(SearchState().options.prompt);
}

TEST_F(ReplaceTest, EachReplacementIsOneUndoStep)
{
    Load("cat cat\n");
    Replace("cat", "dog", All());
    ASSERT_EQ(ed.Joined(), "dog dog");
    EXPECT_EQ(ed.undoCount, 2);
    EXPECT_STREQ(UndoKindLabel(ed.UndoKind()), "&Undo Replace");
    ed.ExecuteCommand(cmUndo, 0);
    EXPECT_EQ(ed.Joined(), "dog cat");
    ed.ExecuteCommand(cmUndo, 0);
    EXPECT_EQ(ed.Joined(), "cat cat");
    ed.ExecuteCommand(cmRedo, 0);
    EXPECT_EQ(ed.Joined(), "dog cat");
}

TEST_F(ReplaceTest, RepeatLastAfterReplaceAllReplacesOnce)
{
    Load("cat\ncat cat cat\n");
    ed.prompts = {TReplaceAnswer::No, TReplaceAnswer::Cancel};
    Replace("cat", "dog", Prompted(true));
    ASSERT_EQ(ed.Joined(), "cat\ncat cat cat");
    ed.ClearLog();
    Goto(0, 1);
    SearchState().options.prompt = false;
    Run(cmFindNext);
    EXPECT_EQ(ed.Joined(), "cat\ndog cat cat");
    EXPECT_TRUE(ed.errors.empty());
    EXPECT_FALSE(SearchState().options.replaceAll);
}

TEST_F(ReplaceTest, ReplaceStoresHistoriesAndTheConvertedText)
{
    Load("a\n");
    Replace("a", "x\\ty", Regex());
    const TSearchState& state = SearchState();
    EXPECT_TRUE(state.lastWasReplace);
    EXPECT_STREQ(state.findHistory.Entry(0), "a");
    EXPECT_STREQ(state.replaceHistory.Entry(0), "x\\ty");
    EXPECT_STREQ(state.replacement, "x\ty");
    EXPECT_EQ(ed.Joined(), "x\ty");
}

TEST_F(ReplaceTest, EmptyReplaceFieldStaysOutOfTheHistory)
{
    Load("a\n");
    Replace("a", "");
    EXPECT_STREQ(SearchState().findHistory.Entry(0), "a");
    EXPECT_STREQ(SearchState().replaceHistory.Entry(0), "");
}

TEST_F(ReplaceTest, ReplaceFieldReopensEmptyAfterATab)
{
    Load("a\n");
    Replace("a", "\\t", Regex());
    ed.confirm = false;
    Run(cmReplace);
    EXPECT_STREQ(ed.shown.replaceText, "");
}

TEST_F(ReplaceTest, ReplaceFieldReopensWithWhatWasTyped)
{
    // Shown converted, a doubled backslash would lose one backslash at every round trip.
    Load("a\n");
    Replace("a", "b\\\\c", Regex());
    EXPECT_EQ(ed.Joined(), "b\\c");
    ed.confirm = false;
    Run(cmReplace);
    EXPECT_STREQ(ed.shown.replaceText, "b\\\\c");
}

TEST_F(ReplaceTest, CancelledReplaceDialogChangesNothing)
{
    Load("a\n");
    ed.confirm = false;
    Replace("a", "b", All());
    EXPECT_EQ(ed.Joined(), "a");
    EXPECT_FALSE(SearchState().lastWasReplace);
    EXPECT_STREQ(SearchState().replaceHistory.Entry(0), "");
}

}  // namespace
