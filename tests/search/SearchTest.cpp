// The word searches and the Go To moves, run through the dispatcher as keys would run them.
#include <string>

#include "search/SearchFixture.h"

namespace {

class FindWordTest : public SearchTest {};

TEST_F(FindWordTest, NextWordFromInsideAWord)
{
    Load("foo bar foo\n");
    Goto(1, 0);
    Run(cmFindNextWord);
    EXPECT_EQ(ed.Selection(), "foo");
    EXPECT_EQ(ed.Cursor(), (TPosition{11, 0}));
    EXPECT_STREQ(SearchState().searchText, "foo");
    EXPECT_FALSE(SearchState().lastWasReplace);
}

TEST_F(FindWordTest, NextWordTakesAOneLineSelection)
{
    Load("a b.c x\nb.c\n");
    ed.GotoPosition(2, 0, false);
    ed.GotoPosition(5, 0, true);
    Run(cmFindNextWord);
    EXPECT_EQ(ed.SelStart(), (TPosition{0, 1}));
    EXPECT_STREQ(SearchState().searchText, "b.c");
}

TEST_F(FindWordTest, SearchesPlainlyAndRestoresTheOptions)
{
    Load("a.c abc a.c\n");
    SearchState().options.regex = true;
    SearchState().options.down = false;
    ed.GotoPosition(0, 0, false);
    ed.GotoPosition(3, 0, true);
    Run(cmFindNextWord);
    EXPECT_EQ(ed.SelStart(), (TPosition{8, 0}));
    EXPECT_TRUE(SearchState().options.regex);
    EXPECT_FALSE(SearchState().options.down);
}

TEST_F(FindWordTest, MatchCaseAndWholeWordApply)
{
    Load("cat Cat cats cat\n");
    SearchState().options.matchCase = true;
    SearchState().options.wholeWord = true;
    Run(cmFindNextWord);
    EXPECT_EQ(ed.SelStart(), (TPosition{13, 0}));
}

TEST_F(FindWordTest, NothingWithoutAWord)
{
    Load("a    b\n");
    Goto(3, 0);
    Run(cmFindNextWord);
    Run(cmFindPrevWord);
    EXPECT_EQ(ed.Cursor(), (TPosition{3, 0}));
    EXPECT_TRUE(ed.errors.empty());
    EXPECT_STREQ(SearchState().searchText, "");
}

// The cursor just past a word searches upwards from there, so the nearest occurrence is that word itself;
// on the word, from one column to its left, so the word under the cursor is passed over.
TEST_F(FindWordTest, PrevWordFromJustPastAWordFindsThatWord)
{
    Load("foo foo bar\n");
    Goto(7, 0);
    Run(cmFindPrevWord);
    EXPECT_EQ(ed.SelStart(), (TPosition{4, 0}));
    EXPECT_EQ(ed.Cursor(), (TPosition{4, 0}));
    EXPECT_EQ(ed.Selection(), "foo");
}

TEST_F(FindWordTest, PrevWordOnAWordPassesItOver)
{
    Load("foo foo bar\n");
    Goto(5, 0);
    Run(cmFindPrevWord);
    EXPECT_EQ(ed.Cursor(), (TPosition{0, 0}));
    EXPECT_EQ(ed.Selection(), "foo");
    Load("foo\nfoo\n");
    Goto(1, 1);
    Run(cmFindPrevWord);
    EXPECT_EQ(ed.Cursor(), (TPosition{0, 0}));
}

class GoToTest : public SearchTest {};

TEST_F(GoToTest, LineIsOneBasedAndKeepsTheColumn)
{
    Load("a\nbbbb\ncccc\nd\n");
    Goto(2, 1);
    ed.number = 3;
    Run(cmGoToLine);
    EXPECT_EQ(ed.shownNumber, 2);
    EXPECT_EQ(ed.Cursor(), (TPosition{2, 2}));
}

TEST_F(GoToTest, LineBeyondTheEndGoesToTheLastLine)
{
    Load("a\nb\n");
    ed.number = 32700;
    Run(cmGoToLine);
    EXPECT_EQ(ed.curLineNo, ed.lastLine);
}

TEST_F(GoToTest, CancelOrZeroDoesNotMove)
{
    Load("a\nb\nc\n");
    Goto(0, 1);
    ed.number = 0;
    Run(cmGoToLine);
    ed.confirm = false;
    ed.number = 3;
    Run(cmGoToLine);
    Run(cmGoToColumn);
    EXPECT_EQ(ed.Cursor(), (TPosition{0, 1}));
}

TEST_F(GoToTest, ColumnIsOneBasedAndClamped)
{
    Load("abc\n");
    ed.number = 10;
    Run(cmGoToColumn);
    EXPECT_EQ(ed.shownNumber, 1);
    EXPECT_EQ(ed.Cursor(), (TPosition{9, 0}));
    ed.number = 1024;
    Run(cmGoToColumn);
    EXPECT_EQ(ed.curCol, 1023);
    ed.number = 5000;
    Run(cmGoToColumn);
    EXPECT_EQ(ed.curCol, 1023);
}

}  // namespace
