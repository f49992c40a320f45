// Bookmarks: setting and going to them, and how they follow insertions and deletions.
#include <gtest/gtest.h>

#include "support/EngineFixture.h"

namespace {
class BookmarkTest : public TEngineTest {
protected:
    void SetUp() override
    {
        TEngineTest::SetUp();
        std::vector<std::string> lines(20, "0123456789");
        Doc(lines);
    }
};

TEST_F(BookmarkTest, UnsetOrInvalidMarksDoNothing)
{
    ed.GotoPosition(4, 2, false);
    ed.ClearLog();
    ed.GotoMark(5);
    ed.GotoMark(-1);
    ed.GotoMark(10);
    ed.SetMark(10);
    ed.SetMark(-1);
    EXPECT_EQ(ed.Cursor(), Pos(4, 2));
    EXPECT_TRUE(ed.calls.empty());
}

struct TMarkCase {
    TPosition before;
    TPosition after;
};

// Places the given marks, adjusts them and returns where they ended up.
std::vector<TPosition> Adjusted(TVokEditor& ed, const std::vector<TMarkCase>& cases, bool insert,
                                TPosition from, TPosition to)
{
    std::vector<TPosition> result;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        std::size_t slot = i % 10;
        for (int j = 0; j < 10; ++j)
            ed.bookmarkSet[j] = false;
        ed.bookmarks[slot] = cases[i].before;
        ed.bookmarkSet[slot] = true;
        ed.bookmarks[(slot + 1) % 10] = Pos(99, 99);  // unset: must never move
        if (insert)
            ed.AdjustBookmarksForInsert(from, to);
        else
            ed.AdjustBookmarksForDelete(from, to);
        EXPECT_EQ(ed.bookmarks[(slot + 1) % 10], Pos(99, 99));
        result.push_back(ed.bookmarks[slot]);
    }
    return result;
}

std::vector<TPosition> Expected(const std::vector<TMarkCase>& cases)
{
    std::vector<TPosition> result;
    for (const TMarkCase& c : cases)
        result.push_back(c.after);
    return result;
}

TEST_F(BookmarkTest, InsertionAcrossLinesPushesLaterMarks)
{
    const std::vector<TMarkCase> cases = {
        {Pos(1, 1), Pos(1, 1)},  {Pos(4, 2), Pos(4, 2)},  {Pos(5, 2), Pos(3, 4)},
        {Pos(9, 2), Pos(7, 4)},  {Pos(0, 3), Pos(0, 5)},  {Pos(6, 10), Pos(6, 12)},
    };
    EXPECT_EQ(Adjusted(ed, cases, true, Pos(5, 2), Pos(3, 4)), Expected(cases));
}

TEST_F(BookmarkTest, InsertionWithinALineShiftsMarksBehindIt)
{
    const std::vector<TMarkCase> cases = {
        {Pos(1, 0), Pos(1, 0)}, {Pos(2, 0), Pos(6, 0)}, {Pos(9, 0), Pos(13, 0)}, {Pos(0, 1), Pos(0, 1)},
    };
    EXPECT_EQ(Adjusted(ed, cases, true, Pos(2, 0), Pos(6, 0)), Expected(cases));
}

TEST_F(BookmarkTest, DeletionAcrossLinesPullsMarksBack)
{
    const std::vector<TMarkCase> cases = {
        {Pos(0, 0), Pos(0, 0)},  // before the range
        {Pos(2, 1), Pos(2, 1)},  // before the range on its first line: the text there did not move
        {Pos(3, 1), Pos(3, 1)},  {Pos(7, 1), Pos(3, 1)}, {Pos(0, 2), Pos(3, 1)},
        {Pos(5, 3), Pos(3, 1)},  // at the range end
        {Pos(8, 3), Pos(6, 1)},  // behind it on its last line: keeps its distance from the end
        {Pos(2, 4), Pos(2, 2)},  {Pos(0, 9), Pos(0, 7)},
    };
    EXPECT_EQ(Adjusted(ed, cases, false, Pos(3, 1), Pos(5, 3)), Expected(cases));
}

TEST_F(BookmarkTest, DeletionWithinALine)
{
    const std::vector<TMarkCase> cases = {
        {Pos(1, 0), Pos(1, 0)}, {Pos(4, 0), Pos(2, 0)}, {Pos(8, 0), Pos(4, 0)}, {Pos(8, 1), Pos(8, 1)},
    };
    EXPECT_EQ(Adjusted(ed, cases, false, Pos(2, 0), Pos(6, 0)), Expected(cases));
}
}  // namespace
