// Cursor movement: GotoPosition's clamping and repaint requests, scrolling, words and paragraphs.
#include <gtest/gtest.h>

#include "support/EngineFixture.h"

namespace {
class CursorTest : public TEngineTest {
protected:
    void Numbered(int count)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i)
            lines.push_back("line " + std::to_string(i));
        Doc(lines);
    }
};

// One row: an optional selection with the cursor at one of its ends, a move, and what it must request.
struct TGotoCase {
    const char* name;
    TPosition selStart, selEnd;  // equal: no selection
    bool column;
    TPosition cursor, target;
    bool extend;
    uint32_t flags;
    bool shownAfter;
};

void PrintTo(const TGotoCase& c, std::ostream* os)
{
    *os << c.name;
}

TPosition P(int col, int32_t line)
{
    return Pos(col, line);
}

class GotoFlagsTest : public TEngineTest, public ::testing::WithParamInterface<TGotoCase> {};

TEST_P(GotoFlagsTest, RequestsExactlyTheRepaintNeeded)
{
    const TGotoCase& c = GetParam();
    Doc({"abcdefghij", "klmnopqrst", "uvwxyz", "", "0123456789"});
    ed.columnMode = c.column;
    ed.GotoPosition(c.cursor.col, c.cursor.line, false);
    if (!(c.selStart == c.selEnd))
        SetSelection(c.selStart, c.selEnd, c.column);
    ed.ClearLog();
    uint32_t flags = FlagsOf([&] { ed.GotoPosition(c.target.col, c.target.line, c.extend); });
    EXPECT_EQ(flags, c.flags);
    EXPECT_EQ(ed.selShown, c.shownAfter);
    EXPECT_EQ(ed.Cursor(), c.target);
    // The flush places the caret first, then repaints what was asked.
    ASSERT_FALSE(ed.calls.empty());
    const std::string caret = std::to_string(c.target.col) + "," + std::to_string(c.target.line);
    EXPECT_EQ(ed.calls.front(), "caret " + caret);
    EXPECT_EQ(ed.Called("all"), (flags & kRedrawAll) != 0);
    EXPECT_EQ(ed.Called("line " + std::to_string(c.target.line)), (flags & 3) == kRedrawLine);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GotoFlagsTest,
    ::testing::Values(
        TGotoCase{"PlainNoSelection", P(0, 0), P(0, 0), false, P(2, 0), P(5, 1), false, 4, false},
        TGotoCase{"PlainOneLineSelOnTarget", P(1, 0), P(4, 0), false, P(4, 0), P(6, 0), false, 5, false},
        TGotoCase{"PlainOneLineSelElsewhere", P(1, 0), P(4, 0), false, P(4, 0), P(6, 1), false, 6, false},
        TGotoCase{"PlainMultiLineSel", P(1, 0), P(4, 1), false, P(4, 1), P(0, 1), false, 6, false},
        TGotoCase{"ExtendNewSameLine", P(0, 0), P(0, 0), false, P(2, 0), P(5, 0), true, 5, true},
        TGotoCase{"ExtendNewInPlace", P(0, 0), P(0, 0), false, P(2, 0), P(2, 0), true, 4, false},
        TGotoCase{"ExtendNewAcrossLines", P(0, 0), P(0, 0), false, P(2, 0), P(3, 2), true, 6, true},
        TGotoCase{"ExtendNewPastEndStream", P(0, 0), P(0, 0), false, P(12, 2), P(15, 2), true, 4, false},
        TGotoCase{"ExtendNewPastEndColumn", P(0, 0), P(0, 0), true, P(12, 2), P(15, 2), true, 5, true},
        TGotoCase{"ExtendEndSameLine", P(2, 0), P(5, 0), false, P(5, 0), P(7, 0), true, 5, true},
        TGotoCase{"ExtendEndNewLine", P(2, 0), P(5, 0), false, P(5, 0), P(5, 1), true, 6, true},
        TGotoCase{"ExtendStartSameLine", P(2, 0), P(5, 0), false, P(2, 0), P(1, 0), true, 5, true},
        TGotoCase{"ColumnBlockColumnChange", P(2, 0), P(5, 2), true, P(5, 2), P(6, 2), true, 7, true},
        TGotoCase{"ColumnOneLineColumnChange", P(2, 0), P(5, 0), true, P(5, 0), P(6, 0), true, 5, true},
        TGotoCase{"StreamBlockColumnChange", P(2, 0), P(5, 2), false, P(5, 2), P(6, 2), true, 5, true},
        TGotoCase{"BackToAnchorOneLine", P(2, 0), P(5, 0), false, P(5, 0), P(2, 0), true, 5, false},
        TGotoCase{"BackToAnchorAcrossLines", P(2, 0), P(5, 1), false, P(5, 1), P(2, 0), true, 6, false}),
    [](const ::testing::TestParamInfo<TGotoCase>& info) { return std::string(info.param.name); });

TEST_F(CursorTest, PendingLineRepaintBecomesAFullOneWhenTheLineChanges)
{
    Doc({"abc", "def"});
    uint32_t flags = FlagsOf([&] {
        ed.RequestRedraw(kRedrawLine);
        ed.GotoPosition(1, 1, false);
    });
    EXPECT_TRUE(flags & kRedrawAll);
    EXPECT_TRUE(ed.Called("all"));
    flags = FlagsOf([&] {
        ed.RequestRedraw(kRedrawLine);
        ed.GotoPosition(2, 1, false);
    });
    EXPECT_EQ(flags, kRedrawLine | kRedrawCaret);
}

TEST_F(CursorTest, PositionsAreClampedToTheDocument)
{
    Doc({"abc", "def"});
    ed.GotoPosition(kMaxCol, 0, false);
    ed.CursorRight(false);
    EXPECT_EQ(ed.Cursor(), Pos(1023, 0));
    ed.GotoPosition(0, 1, false);
    ed.CursorLeft(false);
    EXPECT_EQ(ed.Cursor(), Pos(0, 1));
    ed.GotoPosition(2, 0, false);
    ed.ClearLog();
    ed.CursorUp(false);
    EXPECT_EQ(ed.Cursor(), Pos(2, 0));
    EXPECT_EQ(ed.calls, (std::vector<std::string>{"caret 2,0", "scroll", "status"}));
    ed.GotoPosition(-40, 99, false);
    EXPECT_EQ(ed.Cursor(), Pos(0, 1));
    EXPECT_STREQ(ed.curLine->text, "def");
}

TEST_F(CursorTest, CaretIsPlacedRelativeToTheScrolledWindow)
{
    Numbered(30);
    ed.winLines = 5;
    ed.winCols = 10;
    ed.ClearLog();
    {
        TUpdateBatch batch(ed);
        ed.GotoPosition(15, 12, false);
        ed.EnsureCursorVisible();
    }
    EXPECT_EQ(ed.topLine, 8);
    EXPECT_EQ(ed.topCol, 6);
    EXPECT_EQ(ed.calls, (std::vector<std::string>{"caret 9,4", "all", "scroll", "status"}));
    ed.ClearLog();
    {
        TUpdateBatch batch(ed);
        ed.GotoPosition(2, 3, false);
        ed.EnsureCursorVisible();
    }
    EXPECT_EQ(ed.topLine, 3);
    EXPECT_EQ(ed.topCol, 2);
    EXPECT_EQ(ed.calls.front(), "caret 0,0");
}

TEST_F(CursorTest, ScrollToClampsAndRepaintsOnlyOnChange)
{
    Numbered(30);
    ed.winCols = 80;
    ed.ScrollTo(5000, 5000);
    EXPECT_EQ(ed.topCol, kMaxCol - 80 + 1);
    EXPECT_EQ(ed.topLine, 29);
    EXPECT_TRUE(ed.Called("all"));
    ed.ClearLog();
    ed.ScrollTo(5000, 29);
    EXPECT_TRUE(ed.calls.empty());
    ed.ScrollTo(-5, -5);
    EXPECT_EQ(ed.topCol, 0);
    EXPECT_EQ(ed.topLine, 0);
}

TEST_F(CursorTest, TextStartAndEndKeepTheColumn)
{
    Numbered(60);
    ed.GotoPosition(7, 50, false);
    ed.TextStart(false);
    EXPECT_EQ(ed.Cursor(), Pos(7, 0));
    ed.TextEnd(false);
    EXPECT_EQ(ed.Cursor(), Pos(7, 59));
    EXPECT_STREQ(ed.curLine->text, "line 59");
}

TEST_F(CursorTest, PagesMoveCursorAndWindowTogether)
{
    Numbered(30);
    ed.winLines = 10;
    ed.GotoPosition(3, 2, false);
    ed.PageDown(false);
    EXPECT_EQ(ed.Cursor(), Pos(3, 12));
    EXPECT_EQ(ed.topLine, 10);
    ed.PageDown(false);
    ed.PageDown(false);
    EXPECT_EQ(ed.Cursor(), Pos(3, 29));
    EXPECT_LE(ed.topLine, 29);
    ed.PageUp(false);
    EXPECT_EQ(ed.Cursor(), Pos(3, 19));
    EXPECT_GE(ed.curLineNo, ed.topLine);
    ed.PageUp(false);
    ed.PageUp(false);
    EXPECT_EQ(ed.Cursor(), Pos(3, 0));
    EXPECT_EQ(ed.topLine, 0);
}

TEST_F(CursorTest, WindowTopAndBottomAndScrollingWithoutMoving)
{
    Numbered(30);
    ed.winLines = 10;
    ed.ScrollTo(0, 5);
    ed.GotoPosition(4, 7, false);
    ed.BottomOfWindow(false);
    EXPECT_EQ(ed.Cursor(), Pos(4, 14));
    ed.TopOfWindow(false);
    EXPECT_EQ(ed.Cursor(), Pos(4, 5));
    // The cursor on the top line is carried down with the view, then stays while the view goes back up.
    ed.ScrollDown();
    EXPECT_EQ(ed.topLine, 6);
    EXPECT_EQ(ed.Cursor(), Pos(4, 6));
    ed.ScrollUp();
    ed.ScrollUp();
    EXPECT_EQ(ed.topLine, 4);
    EXPECT_EQ(ed.Cursor(), Pos(4, 6));
}

TEST_F(CursorTest, ParagraphMovement)
{
    Doc({"p1a", "p1b", "", "p2a", "p2b", "  ", "p3 end"});
    ed.GotoPosition(1, 0, false);
    ed.ParaDown(false);
    EXPECT_EQ(ed.Cursor(), Pos(0, 2));
    ed.ParaDown(false);  // from a blank line: the line after it
    EXPECT_EQ(ed.Cursor(), Pos(0, 3));
    ed.ParaDown(false);
    EXPECT_EQ(ed.Cursor(), Pos(0, 5));
    ed.GotoPosition(1, 6, false);
    ed.ParaDown(false);  // the last paragraph: to its end
    EXPECT_EQ(ed.Cursor(), Pos(6, 6));

    ed.GotoPosition(2, 4, false);
    ed.ParaUp(false);
    EXPECT_EQ(ed.Cursor(), Pos(0, 3));
    ed.ParaUp(false);  // already at the start: one line up first
    EXPECT_EQ(ed.Cursor(), Pos(0, 2));
    ed.GotoPosition(2, 1, false);
    ed.ParaUp(false);
    EXPECT_EQ(ed.Cursor(), Pos(0, 0));
    ed.ParaUp(false);
    EXPECT_EQ(ed.Cursor(), Pos(0, 0));
}

TEST_F(CursorTest, ParagraphBounds)
{
    Doc({"a", "bb ", "\t", "c", "dd", "eee"});
    TPosition start, end;
    ed.GotoPosition(0, 1, false);
    EXPECT_TRUE(ed.ParagraphBounds(&start, &end));
    EXPECT_EQ(start, Pos(0, 0));
    EXPECT_EQ(end, Pos(2, 1));
    ed.GotoPosition(0, 2, false);
    EXPECT_FALSE(ed.ParagraphBounds(&start, &end));
    EXPECT_EQ(start, Pos(0, 2));
    EXPECT_EQ(end, Pos(0, 2));
    ed.GotoPosition(0, 4, false);
    EXPECT_TRUE(ed.ParagraphBounds(&start, &end));
    EXPECT_EQ(start, Pos(0, 3));
    EXPECT_EQ(end, Pos(3, 5));
}

// Word movement as a pure function of the position.
struct TWordCase {
    TPosition from;
    TPosition next;
    TPosition prev;
};

class WordPosTest : public TEngineTest, public ::testing::WithParamInterface<TWordCase> {};

TEST_P(WordPosTest, NextAndPrevious)
{
    EngineOptions().tabSize = 8;
    Doc({"int foo(bar);", "  x = y", "", "(z)", "\tw"});
    const TWordCase& c = GetParam();
    EXPECT_EQ(ed.NextWordPos(c.from), c.next);
    EXPECT_EQ(ed.PrevWordPos(c.from), c.prev);
}

INSTANTIATE_TEST_SUITE_P(Table, WordPosTest,
                         ::testing::Values(TWordCase{Pos(0, 0), Pos(4, 0), Pos(0, 0)},
                                           TWordCase{Pos(4, 0), Pos(8, 0), Pos(0, 0)},
                                           TWordCase{Pos(8, 0), Pos(13, 0), Pos(4, 0)},
                                           TWordCase{Pos(13, 0), Pos(2, 1), Pos(8, 0)},
                                           TWordCase{Pos(40, 0), Pos(2, 1), Pos(8, 0)},
                                           TWordCase{Pos(0, 1), Pos(2, 1), Pos(13, 0)},
                                           TWordCase{Pos(2, 1), Pos(6, 1), Pos(13, 0)},
                                           TWordCase{Pos(6, 1), Pos(7, 1), Pos(2, 1)},
                                           TWordCase{Pos(7, 1), Pos(0, 2), Pos(6, 1)},
                                           TWordCase{Pos(0, 2), Pos(1, 3), Pos(7, 1)},
                                           TWordCase{Pos(3, 3), Pos(8, 4), Pos(1, 3)},
                                           // Word-left never stays put or moves right: from the only
                                           // word of "(z)" it goes on to the line before.
                                           TWordCase{Pos(1, 3), Pos(3, 3), Pos(0, 2)},
                                           TWordCase{Pos(8, 4), Pos(9, 4), Pos(3, 3)},
                                           TWordCase{Pos(4, 4), Pos(9, 4), Pos(3, 3)},
                                           TWordCase{Pos(9, 4), Pos(9, 4), Pos(8, 4)}));

TEST_F(CursorTest, WordLeftAndRightWalkTheWholeText)
{
    Doc({"one, two", "(x) three"});
    std::vector<TPosition> stops;
    for (int i = 0; i < 10 && (stops.empty() || !(stops.back() == Pos(9, 1))); ++i) {
        ed.WordRight(false);
        stops.push_back(ed.Cursor());
    }
    EXPECT_EQ(stops, (std::vector<TPosition>{Pos(5, 0), Pos(8, 0), Pos(1, 1), Pos(4, 1), Pos(9, 1)}));
    stops.clear();
    for (int i = 0; i < 10 && !(ed.Cursor() == Pos(0, 0)); ++i) {
        ed.WordLeft(false);
        stops.push_back(ed.Cursor());
    }
    EXPECT_EQ(stops, (std::vector<TPosition>{Pos(4, 1), Pos(1, 1), Pos(8, 0), Pos(5, 0), Pos(0, 0)}));
}
}  // namespace
