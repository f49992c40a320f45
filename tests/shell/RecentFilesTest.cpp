// The recent-file list: order, duplicates, capacity, its section and the File menu texts.
#include "shell/RecentFiles.h"

#include <gtest/gtest.h>

#include <string>

#include "base/IniFile.h"
#include "support/TempDir.h"

namespace {

TEST(RecentFiles, SameFileInAnotherCaseMovesToTheTop)
{
    TRecentFiles recent;
    recent.Add("C:\\a.txt");
    recent.Add("C:\\b.txt");
    recent.Add("C:\\c.txt");
    recent.Add("c:\\B.TXT");
    EXPECT_STREQ(recent.Slot(0), "c:\\B.TXT");
    EXPECT_STREQ(recent.Slot(1), "C:\\c.txt");
    EXPECT_STREQ(recent.Slot(2), "C:\\a.txt");
    EXPECT_STREQ(recent.Slot(3), "");
    EXPECT_EQ(recent.Count(), 3);
}

TEST(RecentFiles, FifthFileDropsTheOldest)
{
    TRecentFiles recent;
    for (const char* p : {"1", "2", "3", "4", "5"}) recent.Add(p);
    EXPECT_STREQ(recent.Slot(0), "5");
    EXPECT_STREQ(recent.Slot(3), "2");
    EXPECT_STREQ(recent.Slot(4), "");
    EXPECT_STREQ(recent.Slot(-1), "");
}

TEST(RecentFiles, LongPathsAreKeptWholeUpToTheSlotSize)
{
    // A path cut at a fixed length would reopen another file or none; only the slot size limits it.
    TRecentFiles recent;
    const std::string path = "C:\\" + std::string(120, 'd') + "\\file.txt";
    recent.Add(path.c_str());
    EXPECT_EQ(std::string(recent.Slot(0)), path);
    const std::string huge(300, 'x');
    recent.Add(huge.c_str());
    EXPECT_EQ(std::string(recent.Slot(0)), std::string(259, 'x'));
}

TEST(RecentFiles, RemoveClosesTheGap)
{
    TRecentFiles recent;
    for (const char* p : {"a", "b", "c"}) recent.Add(p);
    recent.Remove("B");
    EXPECT_STREQ(recent.Slot(0), "c");
    EXPECT_STREQ(recent.Slot(1), "a");
    EXPECT_STREQ(recent.Slot(2), "");
    recent.Add("");
    EXPECT_EQ(recent.Count(), 2);
}

TEST(RecentFiles, SectionRoundTripDeletesEmptyKeys)
{
    TTempDir dir;
    const std::string path = dir.File("ozm.ini");
    TTempDir::Write(path, "[LastOpened]\r\n1=C:\\x.txt\r\n2=\r\n3=C:\\y y.txt\r\n4=C:\\z.txt\r\n");
    TIniFile ini(path);
    TRecentFiles recent;
    recent.Load(ini);
    EXPECT_STREQ(recent.Slot(0), "C:\\x.txt");
    EXPECT_STREQ(recent.Slot(1), "C:\\y y.txt");
    EXPECT_STREQ(recent.Slot(2), "C:\\z.txt");
    EXPECT_STREQ(recent.Slot(3), "");
    ASSERT_TRUE(recent.Save(ini));
    EXPECT_EQ(ini.GetText("LastOpened", "3", "?", 260), "C:\\z.txt");
    EXPECT_EQ(ini.GetText("LastOpened", "4", "?", 260), "?");
}

TEST(RecentFiles, MenuTextsNumberTheFileNames)
{
    TRecentFiles recent;
    EXPECT_TRUE(recent.MenuItems(nullptr).empty());
    const std::string longName = "C:\\dir\\" + std::string(50, 'n') + ".txt";
    recent.Add(longName.c_str());
    recent.Add("C:\\R&D\\Q&A.txt");
    auto items = recent.MenuItems(nullptr);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].command, 160);
    EXPECT_EQ(items[0].text, "&1 Q&&A.txt");
    EXPECT_EQ(items[1].command, 161);
    EXPECT_EQ(items[1].text, "&2 " + std::string(42, 'n'));

    recent.Add("C:\\c.txt");
    recent.Add("C:\\d.txt");
    items = recent.MenuItems(nullptr);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[3].command, 163);
    EXPECT_EQ(items[4].command, 169);
    EXPECT_EQ(items[4].text, "More Files...");
    EXPECT_EQ(recent.MenuItems("&0 More Files...").back().text, "&0 More Files...");
}

}  // namespace
