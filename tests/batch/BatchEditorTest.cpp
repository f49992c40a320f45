// The batch document's hooks: the run's clipboard across documents and the answers of the search dialogs.
#include "batch/BatchEditor.h"

#include <gtest/gtest.h>

#include "engine/Commands.h"
#include "engine/Options.h"
#include "search/SearchState.h"

namespace {

class BatchEditorTest : public ::testing::Test {
protected:
    void SetUp() override { EngineOptions() = TEngineOptions{}; }
    void TearDown() override { EngineOptions() = TEngineOptions{}; }

    static std::string Text(TVokEditor& ed)
    {
        std::string all;
        for (int32_t i = 0; i <= ed.lastLine; ++i)
            all += std::string(ed.LineAt(i)->text) + "|";
        return all;
    }
    void Select(TVokEditor& ed, int col1, int line1, int col2, int line2)
    {
        ed.GotoPosition(col1, line1, false);
        ed.GotoPosition(col2, line2, true);
    }

    TBatchClipboard clipboard;
    TBatchAnswers answers;
    TBatchEditor first{clipboard, answers};
    TBatchEditor second{clipboard, answers};
};

TEST_F(BatchEditorTest, AStreamBlockCopiedInOneDocumentIsPastedInTheNext)
{
    first.InsertText("one\r\ntwo\r\n");
    Select(first, 1, 0, 2, 1);
    first.ExecuteCommand(cmCopy, 0);
    EXPECT_EQ(clipboard.text, "ne\r\ntw");
    EXPECT_FALSE(clipboard.column);
    second.ExecuteCommand(cmPaste, 0);
    EXPECT_EQ(Text(second), "ne|tw|");
}

TEST_F(BatchEditorTest, AColumnBlockTravelsAsARectangle)
{
    first.InsertText("abcd\r\nefgh\r\nijkl");
    first.ExecuteCommand(cmSetColumnSelMode, 0);
    Select(first, 3, 2, 1, 0);
    first.ExecuteCommand(cmCopy, 0);
    EXPECT_TRUE(clipboard.column);
    EXPECT_EQ(clipboard.width, 2u);
    EXPECT_EQ(clipboard.height, 3u);
    EXPECT_EQ(clipboard.text, "bc\r\nfg\r\njk\r\n");
    second.InsertText("XY\r\nXY\r\nXY");
    second.GotoPosition(1, 0, false);
    second.ExecuteCommand(cmPaste, 0);
    EXPECT_EQ(Text(second), "XbcY|XfgY|XjkY|");
}

TEST_F(BatchEditorTest, CopyAndAppendJoinsWithoutSeparator)
{
    first.InsertText("one two");
    Select(first, 0, 0, 3, 0);
    first.ExecuteCommand(cmCopy, 0);
    Select(first, 4, 0, 7, 0);
    first.ExecuteCommand(cmCopyAndAppend, 0);
    EXPECT_EQ(clipboard.text, "onetwo");
}

TEST_F(BatchEditorTest, CutRemovesTheBlockOnlyOnceItIsOnTheClipboard)
{
    first.InsertText("keep cut");
    Select(first, 4, 0, 8, 0);
    first.ExecuteCommand(cmCut, 0);
    EXPECT_EQ(clipboard.text, " cut");
    EXPECT_EQ(Text(first), "keep|");
    first.ExecuteCommand(cmCut, 0);  // nothing marked: the clipboard stays
    EXPECT_EQ(clipboard.text, " cut");
}

TEST_F(BatchEditorTest, PasteWithAnEmptyClipboardDoesNothing)
{
    first.ExecuteCommand(cmPaste, 0);
    EXPECT_EQ(Text(first), "|");
    EXPECT_FALSE(first.modified);
}

TEST_F(BatchEditorTest, DialogsWithNothingToAnswerAreCancelled)
{
    TSearchRequest request;
    EXPECT_FALSE(first.FindDialog(request));
    answers.hasFind = true;
    answers.findText = "x";
    EXPECT_TRUE(first.FindDialog(request));
    // Replace needs its own text: otherwise matches would be deleted unasked.
    EXPECT_FALSE(first.ReplaceDialog(request));
}

TEST_F(BatchEditorTest, ReplaceDialogAnswersWithEveryOption)
{
    answers = {true, "a.c", true, "X", true, true, true, true, true, false};
    TSearchRequest request;
    ASSERT_TRUE(first.ReplaceDialog(request));
    EXPECT_STREQ(request.findText, "a.c");
    EXPECT_STREQ(request.replaceText, "X");
    EXPECT_TRUE(request.options.regex && request.options.matchCase && request.options.wholeWord);
    EXPECT_FALSE(request.options.down);
    EXPECT_TRUE(request.options.replaceAll);
    EXPECT_FALSE(request.options.prompt);
    EXPECT_EQ(first.ReplacePrompt(), TReplaceAnswer::Yes);
}

TEST_F(BatchEditorTest, MessagesAreKeptInOrderAndPassedOn)
{
    std::vector<std::string> seen;
    TBatchEditor ed(clipboard, answers, [&seen](const std::string& m) { seen.push_back(m); });
    ed.ReportError(5);
    ed.ReportError(3);
    ASSERT_EQ(ed.Messages().size(), 2u);
    EXPECT_EQ(ed.Messages()[1], "Line length exceeds editor capacity.\n\nLong lines split.");
    EXPECT_EQ(seen, ed.Messages());
}

}  // namespace
