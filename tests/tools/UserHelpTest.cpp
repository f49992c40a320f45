// The user help entries: the active entry, their keys and the Help menu items.
#include "tools/UserHelp.h"

#include <gtest/gtest.h>

#include <string>

#include "base/IniFile.h"
#include "support/TempDir.h"

namespace {

class UserHelpTest : public ::testing::Test {
protected:
    TTempDir dir;
    std::string path = dir.File("ozm.ini");
    TIniFile ini{path};
    TUserHelp help;
};

TEST_F(UserHelpTest, ActiveEntryOutOfRangeIsTheFirst)
{
    for (const char* stored : {"9", "0", "-1", "6"}) {
        TTempDir::Write(path, std::string("[UserHelp]\r\nContextHelpFile=") + stored + "\r\n");
        help.Load(ini);
        EXPECT_EQ(help.Active(), 0) << stored;
    }
    TTempDir::Write(path, "[UserHelp]\r\nContextHelpFile=5\r\n");
    help.Load(ini);
    EXPECT_EQ(help.Active(), 4);
}

TEST_F(UserHelpTest, EntriesSurviveASaveAndAReloadCutToTheirFields)
{
    help.Set(0, "Windows API", "C:\\HELP\\WIN32.HLP");
    help.Set(2, std::string(25, 'm').c_str(), std::string(90, 'f').c_str());
    help.SetActive(2);
    ASSERT_TRUE(help.Save(ini));
    EXPECT_EQ(ini.GetText("UserHelp", "ContextHelpFile", "", 8), "3");

    TUserHelp again;
    again.Load(ini);
    EXPECT_EQ(again.Active(), 2);
    EXPECT_STREQ(again[0].menuString, "Windows API");
    EXPECT_STREQ(again[0].helpFile, "C:\\HELP\\WIN32.HLP");
    EXPECT_EQ(std::string(again[2].menuString), std::string(19, 'm'));
    EXPECT_EQ(std::string(again[2].helpFile), std::string(79, 'f'));
    EXPECT_FALSE(again.InUse(1));
    EXPECT_TRUE(again.KeywordAvailable());
}

TEST_F(UserHelpTest, MenuListsEntriesInUseWithTheirNumbers)
{
    EXPECT_TRUE(help.MenuItems().empty());
    EXPECT_FALSE(help.KeywordAvailable());
    help.Set(2, "", "C:\\third.hlp");
    help.Set(4, "Fifth", "C:\\fifth.hlp");
    help.Set(1, "No file", "");
    auto items = help.MenuItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].command, 962);
    EXPECT_EQ(items[0].text, "Extern Help 3");
    EXPECT_EQ(items[1].command, 964);
    EXPECT_EQ(items[1].text, "Fifth");
    EXPECT_FALSE(help.KeywordAvailable()) << "the first entry is active and unused";
}

}  // namespace
