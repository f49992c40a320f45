// What an editor line is drawn as: expansion, block runs, fills; and the view arithmetic.
#include <gtest/gtest.h>

#include "editor_window/LineLayout.h"
#include "editor_window/ViewMath.h"

namespace {
TBlockView Stream(TPosition a, TPosition b)
{
    return {true, false, a, b};
}
TBlockView Column(TPosition a, TPosition b)
{
    return {true, true, a, b};
}
}  // namespace

TEST(LineLayout, TabsExpandAndTheViewScrolls)
{
    TLinePlan plan = PlanLine("a\tb", 0, {}, 0, 8, nullptr, nullptr, nullptr);
    EXPECT_EQ(plan.display, "a       b");
    ASSERT_EQ(plan.runs.size(), 1u);
    EXPECT_EQ(plan.runs[0].count, 9);
    plan = PlanLine("a\tb", 0, {}, 3, 8, nullptr, nullptr, nullptr);
    // "b" sits at column 8, which is view column 5.
    ASSERT_EQ(plan.runs.size(), 1u);
    EXPECT_EQ(plan.runs[0].col, 0);
    EXPECT_EQ(plan.runs[0].count, 6);
    EXPECT_EQ(plan.display[3 + 5], 'b');
}

TEST(LineLayout, StreamBlockAcrossLines)
{
    TBlockView block = Stream({4, 2}, {0, 4});
    TLinePlan first = PlanLine("0123456789", 2, block, 0, 8, nullptr, nullptr, nullptr);
    ASSERT_EQ(first.runs.size(), 2u);
    EXPECT_FALSE(first.runs[0].selected);
    EXPECT_EQ(first.runs[0].count, 4);
    EXPECT_TRUE(first.runs[1].selected);
    EXPECT_EQ(first.runs[1].count, 6);
    EXPECT_TRUE(first.fillSelected);

    TLinePlan middle = PlanLine("abc", 3, block, 0, 8, nullptr, nullptr, nullptr);
    ASSERT_EQ(middle.runs.size(), 1u);
    EXPECT_TRUE(middle.runs[0].selected);
    EXPECT_TRUE(middle.fillSelected);

    TLinePlan last = PlanLine("abc", 4, block, 0, 8, nullptr, nullptr, nullptr);
    ASSERT_EQ(last.runs.size(), 1u);
    EXPECT_FALSE(last.runs[0].selected);
    EXPECT_FALSE(last.fillSelected);
}

TEST(LineLayout, ColumnBlockBeyondTheText)
{
    TLinePlan plan = PlanLine("abc", 0, Column({10, 0}, {5, 1}), 0, 8, nullptr, nullptr, nullptr);
    ASSERT_EQ(plan.runs.size(), 1u);
    EXPECT_FALSE(plan.runs[0].selected);
    EXPECT_EQ(plan.gapFrom, 3);
    EXPECT_EQ(plan.bandFrom, 5);
    EXPECT_EQ(plan.bandTo, 10);
    EXPECT_FALSE(plan.fillSelected);

    plan = PlanLine("0123456789abc", 1, Column({10, 0}, {5, 1}), 0, 8, nullptr, nullptr, nullptr);
    ASSERT_EQ(plan.runs.size(), 3u);
    EXPECT_EQ(plan.runs[1].col, 5);
    EXPECT_EQ(plan.runs[1].count, 5);
    EXPECT_TRUE(plan.runs[1].selected);
    EXPECT_EQ(plan.bandTo, plan.bandFrom);
}

TEST(LineLayout, ColourRunsWithoutABlock)
{
    const uint8_t colours[] = {0, 0, 5, 5, 5, 0};
    TLinePlan plan = PlanLine("ab/*x*", 0, {}, 0, 8, colours, nullptr, nullptr);
    ASSERT_EQ(plan.runs.size(), 3u);
    EXPECT_EQ(plan.runs[1].colour, 5);
    EXPECT_EQ(plan.runs[1].count, 3);
    EXPECT_EQ(ColourOfIndex(17), 0u);
}

// The values go to SetTextColor unchanged, which reads red from the low byte: "Red" must not draw blue.
TEST(LineLayout, ColourValuesHaveRedInTheLowByte)
{
    EXPECT_EQ(ColourOfIndex(13), 0x0000FFu);  // Red
    EXPECT_EQ(ColourOfIndex(10), 0xFF0000u);  // Blue
    EXPECT_EQ(ColourOfIndex(2), 0x800000u);   // Dark Blue
    EXPECT_EQ(ColourOfIndex(5), 0x000080u);   // Dark Red
    EXPECT_EQ(ColourOfIndex(15), 0x00FFFFu);  // Yellow
    EXPECT_EQ(ColourOfIndex(12), 0xFFFF00u);  // Cyan
    EXPECT_EQ(ColourOfIndex(7), 0x008080u);   // Dark Yellow
    EXPECT_EQ(ColourOfIndex(16), 0xFFFFFFu);
}

TEST(LineLayout, WideGlyphsAreSubstitutedAndKeepOneColumn)
{
    auto narrowOnly = [](unsigned char b, void*) { return b != 0xE8; };
    std::string display = ExpandForDisplay("a\xE8\x9A" "b", 8, narrowOnly, nullptr);
    EXPECT_EQ(display, std::string("a\0\x9A" "b", 4));
}

TEST(ViewMath, ClicksNearTheMargin)
{
    EXPECT_EQ(PointToTextPosition(9, 0, 8, 16, 5, 0).col, 5);
    EXPECT_EQ(PointToTextPosition(18, 0, 8, 16, 5, 0).col, 6);
    EXPECT_EQ(PointToTextPosition(2, 40, 8, 16, 0, 10).line, 12);
    EXPECT_EQ(PointToTextPosition(-10, 0, 8, 16, 5, 0, true).col, 2);
    EXPECT_EQ(PointToTextPosition(0, -1, 8, 16, 0, 10, true).line, 9);
}

TEST(ViewMath, ScrollScales)
{
    EXPECT_EQ(VerticalScrollScale(31999), 1);
    EXPECT_EQ(VerticalScrollScale(49999), 100);
    EXPECT_EQ(VerticalScrollScale(3200000), 10000);
    EXPECT_EQ(VerticalScrollScale(400000000), 1000000);
}

TEST(ViewMath, BackupNames)
{
    EXPECT_EQ(BackupName("report.txt"), "report.bak");
    EXPECT_EQ(BackupName("C:\\old.dir\\readme"), "C:\\old.dir\\readme.bak");
    EXPECT_EQ(BackupName("notes"), "notes.bak");
}
