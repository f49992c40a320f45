// Selection: extending in stream and column mode, hiding, modes and the select commands.
#include <gtest/gtest.h>

#include "support/EngineFixture.h"

namespace {
class SelectionTest : public TEngineTest {};

TEST_F(SelectionTest, StreamModeClampsEndsToTheLines)
{
    Doc({"abcd", "efghij"});
    ed.GotoPosition(10, 0, false);
    ed.GotoPosition(2, 1, true);
    ASSERT_TRUE(ed.selShown);
    EXPECT_EQ(ed.SelStart(), Pos(4, 0));
    EXPECT_EQ(ed.SelEnd(), Pos(2, 1));
    EXPECT_EQ(ed.Cursor(), Pos(2, 1));
}

TEST_F(SelectionTest, ColumnModeKeepsVirtualColumns)
{
    Doc({"abcd", "efghij"});
    ed.columnMode = true;
    ed.GotoPosition(10, 0, false);
    ed.GotoPosition(2, 1, true);
    ASSERT_TRUE(ed.selShown);
    EXPECT_EQ(ed.SelStart(), Pos(10, 0));
    EXPECT_EQ(ed.SelEnd(), Pos(2, 1));
}

TEST_F(SelectionTest, ExtendingBackToTheAnchorRemovesTheSelection)
{
    Doc({"abcdefgh", "ijklmnop"});
    ed.GotoPosition(3, 0, false);
    ed.CursorRight(true);
    ed.CursorRight(true);
    EXPECT_EQ(ed.SelEnd(), Pos(5, 0));
    ed.CursorLeft(true);
    ed.CursorLeft(true);
    EXPECT_FALSE(ed.selShown);
    // And from the other side, across a line.
    ed.CursorDown(true);
    EXPECT_TRUE(ed.selShown);
    ed.CursorUp(true);
    EXPECT_FALSE(ed.selShown);
}

TEST_F(SelectionTest, ExtendingMovesTheEndTheCursorHolds)
{
    Doc({"0123456789", "0123456789", "0123456789"});
    ed.GotoPosition(5, 1, false);
    ed.GotoPosition(2, 1, true);  // cursor at the start
    EXPECT_EQ(ed.SelStart(), Pos(2, 1));
    EXPECT_EQ(ed.SelEnd(), Pos(5, 1));
    ed.GotoPosition(3, 1, true);  // inside, cursor at start: the start follows
    EXPECT_EQ(ed.SelStart(), Pos(3, 1));
    EXPECT_EQ(ed.SelEnd(), Pos(5, 1));
    ed.GotoPosition(7, 2, true);  // past the end: the end moves there
    EXPECT_EQ(ed.SelStart(), Pos(3, 1));
    EXPECT_EQ(ed.SelEnd(), Pos(7, 2));
    ed.GotoPosition(1, 0, true);  // before the start: the start moves there
    EXPECT_EQ(ed.SelStart(), Pos(1, 0));
    EXPECT_EQ(ed.SelEnd(), Pos(7, 2));
}

TEST_F(SelectionTest, ColumnBlockColumnsAreOrderedOnlyByPosition)
{
    Doc({"0123456789", "0123456789"});
    ed.columnMode = true;
    ed.GotoPosition(8, 0, false);
    ed.GotoPosition(3, 1, true);
    EXPECT_EQ(ed.SelStart(), Pos(8, 0));
    EXPECT_EQ(ed.SelEnd(), Pos(3, 1));
    ed.GotoPosition(3, 0, true);  // before the start: the start moves, the block keeps both lines
    EXPECT_TRUE(ed.selShown);
    EXPECT_EQ(ed.SelStart(), Pos(3, 0));
    EXPECT_EQ(ed.SelEnd(), Pos(3, 1));
}

TEST_F(SelectionTest, PlainMovementDropsSelectionAndSelectingMode)
{
    Doc({"abc", "def"});
    ed.StartSelect();
    EXPECT_TRUE(ed.selecting);
    ed.GotoPosition(2, 0, ed.selecting);
    EXPECT_TRUE(ed.selShown);
    ed.EndSelect();
    EXPECT_FALSE(ed.selecting);
    EXPECT_TRUE(ed.selShown);
    ed.CursorDown(false);
    EXPECT_FALSE(ed.selShown);
    ed.StartSelect();
    ed.CursorDown(false);
    EXPECT_FALSE(ed.selecting);
}

TEST_F(SelectionTest, HideSelectionRepaintsWhatItCovered)
{
    std::vector<std::string> lines(40, "text");
    Doc(lines);
    ed.winLines = 10;

    SetSelection(Pos(1, 0), Pos(3, 0));
    ed.HideSelection();
    EXPECT_FALSE(ed.selShown);
    EXPECT_EQ(ed.calls, (std::vector<std::string>{"caret 0,0", "line 0", "scroll", "status"}));

    ed.ClearLog();
    SetSelection(Pos(1, 2), Pos(3, 5));
    ed.HideSelection();
    EXPECT_TRUE(ed.Called("all"));

    ed.ClearLog();
    ed.ScrollTo(0, 10);
    SetSelection(Pos(1, 2), Pos(3, 30));  // both ends outside, the middle fills the window
    ed.ClearLog();
    ed.HideSelection();
    EXPECT_TRUE(ed.Called("all"));

    ed.ClearLog();
    SetSelection(Pos(1, 20), Pos(3, 30));  // nowhere in the window
    ed.HideSelection();
    EXPECT_FALSE(ed.selShown);
    EXPECT_TRUE(ed.calls.empty());

    ed.HideSelection();  // nothing shown: nothing happens
    EXPECT_TRUE(ed.calls.empty());
}

TEST_F(SelectionTest, ChangingModeDropsTheSelection)
{
    Doc({"abc"});
    ed.SetSelMode(true);
    EXPECT_TRUE(ed.columnMode);
    EXPECT_TRUE(ed.calls.empty());
    SetSelection(Pos(0, 0), Pos(2, 0), true);
    ed.SetSelMode(false);
    EXPECT_FALSE(ed.columnMode);
    EXPECT_FALSE(ed.selShown);
    EXPECT_TRUE(ed.Called("all"));
}

TEST_F(SelectionTest, SelectWordInTrailingBlanksStaysInsideTheTrimmedLine)
{
    // The move to the word's start trims the blanks the cursor stood in; the word end is looked for in
    // what is left of the line, not past its end.
    Doc({"ab      ", "cd"});
    ed.curCol = 6;  // among the blanks, as Undo leaves it after giving them back
    Run(cmSelectWord);
    EXPECT_EQ(ed.Text(0), "ab");
    EXPECT_FALSE(ed.selShown);
    EXPECT_TRUE(ed.CheckList());
}
}  // namespace
