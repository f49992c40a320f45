// The desktop list: its line format both ways, duplicates, capacity and the saved sections.
#include "shell/Desktop.h"

#include <gtest/gtest.h>

#include <string>

#include "base/IniFile.h"
#include "support/TempDir.h"

namespace {

TDesktopElement Entry(const char* path, int16_t column, int32_t line, int32_t state = 1)
{
    TDesktopElement e{};
    std::snprintf(e.path, sizeof e.path, "%s", path);
    e.column = column;
    e.line = line;
    e.left = 10;
    e.top = 20;
    e.width = 300;
    e.height = 200;
    e.state = state;
    return e;
}

TEST(DesktopLine, IsWrittenWithTheQuotedPathAndSevenNumbers)
{
    EXPECT_EQ(TDesktopList::FormatLine(Entry("C:\\My Files\\a b.txt", 3, 120, 3)),
              "\"C:\\My Files\\a b.txt\" 3 120 10 20 300 200 3");
}

struct TParseCase {
    const char* text;
    bool ok;
    const char* path;
    int32_t line;
};

class DesktopParse : public ::testing::TestWithParam<TParseCase> {};

TEST_P(DesktopParse, ReadsPathAndNumbers)
{
    const TParseCase& c = GetParam();
    TDesktopElement e;
    ASSERT_EQ(TDesktopList::ParseLine(c.text, e), c.ok) << c.text;
    if (!c.ok) return;
    EXPECT_STREQ(e.path, c.path);
    EXPECT_EQ(e.line, c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DesktopParse,
    ::testing::Values(TParseCase{"\"C:\\My Files\\a b.txt\" 3 120 10 20 300 200 1", true,
                                 "C:\\My Files\\a b.txt", 120},
                      TParseCase{"  C:\\plain.txt 0 7 1 2 3 4 2", true, "C:\\plain.txt", 7},
                      TParseCase{"\"C:\\x.txt\" -1 -2 -3 -4 5 6 3", true, "C:\\x.txt", -2},
                      TParseCase{"\"C:\\x.txt\" 1 2 3 4 5 6", false, "", 0},
                      TParseCase{"\"C:\\no closing quote 1 2 3 4 5 6 7", false, "", 0},
                      TParseCase{"\"\" 1 2 3 4 5 6 7", false, "", 0}, TParseCase{"X", false, "", 0},
                      TParseCase{"", false, "", 0}, TParseCase{"C:\\x.txt 1 2 three 4 5 6 7", false, "", 0}));

TEST(DesktopLine, LongPathIsCutTo259Characters)
{
    std::string text = "\"" + std::string(300, 'p') + "\" 1 2 3 4 5 6 1";
    TDesktopElement e;
    ASSERT_TRUE(TDesktopList::ParseLine(text.c_str(), e));
    EXPECT_EQ(std::string(e.path), std::string(259, 'p'));
}

TEST(DesktopList, SameFileTwiceLeavesOneEntryAtTheNewestPlace)
{
    TDesktopList list;
    list.Add(Entry("C:\\a.txt", 1, 1));
    list.Add(Entry("C:\\b.txt", 2, 2));
    list.Add(Entry("c:\\A.TXT", 5, 9));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_STREQ(list.Path(1), "C:\\b.txt");
    EXPECT_STREQ(list.Path(2), "c:\\A.TXT");
    EXPECT_EQ(list.Find("C:\\a.txt"), 2);
    EXPECT_EQ(list.Field(2, TDesktopField::Line), 9);
    EXPECT_EQ(list.Field(2, TDesktopField::Column), 5);
}

TEST(DesktopList, TwentyFirstFileDropsTheOldest)
{
    TDesktopList list;
    for (int i = 1; i <= 21; ++i) list.Add(Entry(("C:\\f" + std::to_string(i)).c_str(), 0, i));
    ASSERT_EQ(list.Count(), kDesktopCapacity);
    EXPECT_EQ(list.Find("C:\\f1"), 0);
    EXPECT_STREQ(list.Path(1), "C:\\f2");
    EXPECT_STREQ(list.Path(20), "C:\\f21");
    EXPECT_STREQ(list.Path(21), "");
    EXPECT_STREQ(list.Path(0), "");
}

TEST(DesktopList, FieldsOfNoEntryReadZeroWithANormalState)
{
    TDesktopList list;
    list.Add(Entry("C:\\a.txt", 4, 8, 3));
    for (int f = 0; f <= 5; ++f) EXPECT_EQ(list.Field(0, static_cast<TDesktopField>(f)), 0);
    EXPECT_EQ(list.Field(0, TDesktopField::State), 1);
    EXPECT_EQ(list.Field(1, TDesktopField::State), 3);
    EXPECT_EQ(list.Field(1, TDesktopField::Width), 300);
    EXPECT_EQ(list.Field(7, TDesktopField::State), 1);
}

class DesktopFileTest : public ::testing::Test {
protected:
    TTempDir dir;
    std::string path = dir.File("ozm.ini");
    TIniFile ini{path};
};

TEST_F(DesktopFileTest, ListSurvivesWriteAndReadWithBlanksInPaths)
{
    TDesktopList list;
    list.Add(Entry("C:\\My Documents\\letter one.txt", 12, 345, 3));
    list.Add(Entry("C:\\src\\main.c", 0, 0, 1));
    ASSERT_TRUE(list.Write(ini));
    EXPECT_EQ(ini.GetText("LastFilesInfo", "1", "?", 388),
              "\"C:\\My Documents\\letter one.txt\" 12 345 10 20 300 200 3");
    EXPECT_EQ(ini.GetText("LastFilesInfo", "3", "?", 388), "") << "keys beyond the count are emptied";
    EXPECT_EQ(ini.GetText("LastFilesInfo", "20", "?", 388), "");

    TDesktopList again;
    again.Read(ini);
    ASSERT_EQ(again.Count(), 2);
    EXPECT_STREQ(again.Path(1), "C:\\My Documents\\letter one.txt");
    EXPECT_EQ(again.Field(1, TDesktopField::Column), 12);
    EXPECT_EQ(again.Field(1, TDesktopField::Line), 345);
    EXPECT_EQ(again.Field(1, TDesktopField::State), 3);
    EXPECT_STREQ(again.Path(2), "C:\\src\\main.c");
}

TEST_F(DesktopFileTest, BrokenAndDuplicateLinesCollapseOnReading)
{
    TTempDir::Write(path,
                    "[LastFilesInfo]\r\n1=\"C:\\a.txt\" 1 1 0 0 10 10 1\r\n2=garbage\r\n"
                    "3=\"C:\\b.txt\" 1 2 3\r\n5=\"c:\\A.txt\" 2 2 0 0 10 10 2\r\n");
    TDesktopList list;
    list.Read(ini);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_STREQ(list.Path(1), "c:\\A.txt");
    EXPECT_EQ(list.Field(1, TDesktopField::State), 2);
}

TEST_F(DesktopFileTest, SavingAddsTheWindowsAndWritesTheAutoLoadList)
{
    TDesktopList list;
    list.Add(Entry("C:\\old.txt", 0, 0));
    std::vector<TDesktopWindow> windows = {{"C:\\one two.txt", 1, 2, 3, 4, 5, 6, 1},
                                           {"", 0, 0, 0, 0, 0, 0, 1},
                                           {"C:\\three.txt", 0, 9, 0, 0, 50, 60, 3}};
    ASSERT_TRUE(list.Save(ini, windows, true));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(ini.GetText("AutoLoad", "1", "?", 260), "C:\\one two.txt");
    EXPECT_EQ(ini.GetText("AutoLoad", "2", "?", 260), "C:\\three.txt");
    EXPECT_EQ(ini.GetText("AutoLoad", "3", "?", 260), "");
    EXPECT_EQ(ini.GetText("AutoLoad", "20", "?", 260), "");
    EXPECT_EQ(ReadAutoLoadList(ini), (std::vector<std::string>{"C:\\one two.txt", "C:\\three.txt"}));

    TDesktopList again;
    again.Read(ini);
    EXPECT_EQ(again.Find("C:\\THREE.TXT"), 3);
    EXPECT_EQ(again.Field(3, TDesktopField::Height), 60);
}

TEST_F(DesktopFileTest, SavingWithoutTheListFlagLeavesAutoLoadAlone)
{
    TTempDir::Write(path, "[AutoLoad]\r\n1=C:\\kept.txt\r\n");
    TDesktopList list;
    ASSERT_TRUE(list.Save(ini, {{"C:\\new.txt", 0, 0, 0, 0, 10, 10, 1}}, false));
    EXPECT_EQ(ReadAutoLoadList(ini), std::vector<std::string>{"C:\\kept.txt"});
    EXPECT_EQ(list.Find("C:\\new.txt"), 1);
}

TEST(DesktopRectangle, NormalWindowsKeepTheirRectangleOthersTheRestoredOne)
{
    TWindowPlacementInfo info{false, false, false, 1, 2, 3, 4, 10, 20, 30, 40};
    TDesktopWindow w{};
    ChooseDesktopRectangle(info, w);
    EXPECT_EQ(w.left, 1);
    EXPECT_EQ(w.state, 1);
    info.maximised = true;
    ChooseDesktopRectangle(info, w);
    EXPECT_EQ(w.left, 10);
    EXPECT_EQ(w.height, 40);
    EXPECT_EQ(w.state, 3);
    info = {true, false, false, 1, 2, 3, 4, 10, 20, 30, 40};
    ChooseDesktopRectangle(info, w);
    EXPECT_EQ(w.state, 2);
    info = {false, false, true, 1, 2, 3, 4, 10, 20, 30, 40};
    ChooseDesktopRectangle(info, w);
    EXPECT_EQ(w.left, 10);
    EXPECT_EQ(w.state, 1);
}

}  // namespace
