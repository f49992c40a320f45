// The clipboard text of stream and column blocks, and the column-block record.
#include <gtest/gtest.h>

#include "editor_window/BlockText.h"
#include "support/EngineFixture.h"

class BlockTextTest : public EngineTest {};

TEST_F(BlockTextTest, ColumnBlockRowsAreExpandedAndCut)
{
    ed.Load("a\tb\nabcdefghij\nxy\n");
    ed.columnMode = true;
    ed.GotoPosition(9, 0, false);
    ed.GotoPosition(4, 2, true);
    EXPECT_EQ(BlockText(ed), "    b\r\nefghi\r\n\r\n");
    TColumnBlockSize size = ColumnBlockSize(ed);
    EXPECT_EQ(size.width, 5u);
    EXPECT_EQ(size.height, 3u);
}

TEST_F(BlockTextTest, ColumnBlockFromBottomRightToTopLeft)
{
    ed.Load("0123456789\n0123456789\n0123456789\n0123456789\n");
    ed.columnMode = true;
    ed.GotoPosition(8, 3, false);
    ed.GotoPosition(2, 1, true);
    TColumnBlockSize size = ColumnBlockSize(ed);
    EXPECT_EQ(size.width, 6u);
    EXPECT_EQ(size.height, 3u);
    EXPECT_EQ(BlockText(ed), "234567\r\n234567\r\n234567\r\n");
}

TEST_F(BlockTextTest, StreamBlockKeepsTabs)
{
    ed.Load("ab\tc\nmiddle\nend\n");
    ed.GotoPosition(1, 0, false);
    ed.GotoPosition(2, 2, true);
    EXPECT_EQ(BlockText(ed), "b\tc\r\nmiddle\r\nen");
}

TEST(ColumnRecord, RoundTripAndShortRecords)
{
    std::string record = PackColumnBlock(6, 3, "ab\r\n");
    ASSERT_EQ(record.size(), 8u + 5u);
    EXPECT_EQ(record[0], 6);
    EXPECT_EQ(record[4], 3);
    uint32_t w = 0, h = 0;
    std::string text;
    ASSERT_TRUE(UnpackColumnBlock(record.data(), record.size(), &w, &h, &text));
    EXPECT_EQ(w, 6u);
    EXPECT_EQ(h, 3u);
    EXPECT_EQ(text, "ab\r\n");
    EXPECT_FALSE(UnpackColumnBlock(record.data(), 7, &w, &h, &text));
    // No terminating zero: the text stops at the end of the block.
    ASSERT_TRUE(UnpackColumnBlock(record.data(), 10, &w, &h, &text));
    EXPECT_EQ(text, "ab");
}
