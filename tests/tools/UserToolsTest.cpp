// The user tool table: keys, clamps, capacity, stale keys and the Tools menu items.
#include "tools/UserTools.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/IniFile.h"
#include "support/TempDir.h"

namespace {

class UserToolsTest : public ::testing::Test {
protected:
    TTempDir dir;
    std::string path = dir.File("ozm.ini");
    TIniFile ini{path};
    TUserTools tools;

    static TUserToolElement Tool(const char* text, const char* program)
    {
        TUserToolElement t;
        std::strcpy(t.menuText, text);
        std::strcpy(t.program, program);
        return t;
    }
};

TEST_F(UserToolsTest, EveryFieldSurvivesASaveAndAReload)
{
    TUserToolElement t = Tool("&Compile", "$(ProgDir)cc.exe");
    std::strcpy(t.arguments, "\"$(FilePath)\" -l$(CurLine)");
    std::strcpy(t.initialDir, "$(FileDir)");
    t.askArguments = true;
    t.captureOutput = true;
    t.saveFiles = TSaveBeforeTool::AllFiles;
    t.promptBeforeSave = true;
    t.shortNames = TShortNames::Never;
    ASSERT_TRUE(tools.Append(t));
    ASSERT_TRUE(tools.Append(Tool("Grep", "C:\\bin\\grep.exe")));
    ASSERT_TRUE(tools.Save(ini));
    EXPECT_EQ(ini.GetText("UserTools", "SaveFile1", "", 8), "2");
    EXPECT_EQ(ini.GetText("UserTools", "AskArguments1", "", 8), "1");

    TUserTools again;
    again.Load(ini);
    ASSERT_EQ(again.Count(), 2);
    const TUserToolElement& r = again[0];
    EXPECT_STREQ(r.menuText, "&Compile");
    EXPECT_STREQ(r.program, "$(ProgDir)cc.exe");
    EXPECT_STREQ(r.arguments, "\"$(FilePath)\" -l$(CurLine)");
    EXPECT_STREQ(r.initialDir, "$(FileDir)");
    EXPECT_TRUE(r.askArguments);
    EXPECT_TRUE(r.captureOutput);
    EXPECT_EQ(r.saveFiles, TSaveBeforeTool::AllFiles);
    EXPECT_TRUE(r.promptBeforeSave);
    EXPECT_EQ(r.shortNames, TShortNames::Never);
    EXPECT_EQ(again[1].saveFiles, TSaveBeforeTool::ActiveFile);
    EXPECT_EQ(again[1].shortNames, TShortNames::WhenSpaced);
}

TEST_F(UserToolsTest, ArgumentsInQuotesKeepTheirQuotes)
{
    TUserToolElement t = Tool("Viewer", "view.exe");
    std::strcpy(t.arguments, "\"$(FilePath)\"");
    ASSERT_TRUE(tools.Append(t));
    ASSERT_TRUE(tools.Save(ini));
    TUserTools again;
    again.Load(ini);
    EXPECT_STREQ(again[0].arguments, "\"$(FilePath)\"");
}

TEST_F(UserToolsTest, OutOfRangeValuesAreClamped)
{
    TTempDir::Write(
        path,
        "[UserTools]\r\nMenuText1=A\r\nPathName1=a.exe\r\nSaveFile1=3\r\nSendArgAsShortFileName1=5\r\n"
        "AskArguments1=2\r\nCaptureOutput1=7\r\n"
        "MenuText2=B\r\nPathName2=b.exe\r\nSaveFile2=-1\r\nSendArgAsShortFileName2=-2\r\n"
        "MenuText3=C\r\nPathName3=c.exe\r\nSaveFile3=0\r\nSendArgAsShortFileName3=2\r\n");
    tools.Load(ini);
    ASSERT_EQ(tools.Count(), 3);
    EXPECT_EQ(tools[0].saveFiles, TSaveBeforeTool::ActiveFile);
    EXPECT_EQ(tools[0].shortNames, TShortNames::WhenSpaced);
    EXPECT_FALSE(tools[0].askArguments);
    EXPECT_TRUE(tools[0].captureOutput);
    EXPECT_EQ(tools[1].saveFiles, TSaveBeforeTool::ActiveFile);
    EXPECT_EQ(tools[1].shortNames, TShortNames::WhenSpaced);
    EXPECT_EQ(tools[2].saveFiles, TSaveBeforeTool::Nothing);
    EXPECT_EQ(tools[2].shortNames, TShortNames::Always);
}

TEST_F(UserToolsTest, LoadingStopsAtTheFirstToolWithoutMenuTextOrProgram)
{
    // A file written with a gap: only the tools before the gap come back.
    TTempDir::Write(path,
                    "[UserTools]\r\nMenuText1=A\r\nPathName1=a.exe\r\nMenuText2=B\r\nPathName2=b.exe\r\n"
                    "MenuText3=\r\nPathName3=c.exe\r\nMenuText4=D\r\nPathName4=d.exe\r\n");
    tools.Load(ini);
    ASSERT_EQ(tools.Count(), 2);
    EXPECT_STREQ(tools[1].program, "b.exe");
    auto items = tools.MenuItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].command, 560);
    EXPECT_EQ(items[1].command, 561);
    EXPECT_EQ(items[1].text, "B");

    TTempDir::Write(path, "[UserTools]\r\nMenuText1=A\r\nPathName1=\r\nMenuText2=B\r\nPathName2=b.exe\r\n");
    tools.Load(ini);
    EXPECT_EQ(tools.Count(), 0);
    TTempDir::Write(path, "[UserTools]\r\nMenuText2=B\r\nPathName2=b.exe\r\n");
    tools.Load(ini);
    EXPECT_EQ(tools.Count(), 0);
}

TEST_F(UserToolsTest, ToolWithoutMenuTextIsNamedByItsNumberInTheMenu)
{
    ASSERT_TRUE(tools.Append(Tool("A", "a.exe")));
    ASSERT_TRUE(tools.Append(Tool("", "b.exe")));
    auto items = tools.MenuItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].command, 561);
    EXPECT_EQ(items[1].text, "UserTool 2");
}

TEST_F(UserToolsTest, TenthToolIsRefused)
{
    for (int i = 0; i < kMaxUserTools; ++i) ASSERT_TRUE(tools.Append(Tool("t", "t.exe")));
    EXPECT_FALSE(tools.Append(Tool("ten", "ten.exe")));
    EXPECT_EQ(tools.Count(), 9);
    EXPECT_EQ(tools.Tool(9), nullptr);
}

TEST_F(UserToolsTest, RemovedToolsLeaveNoKeysBehind)
{
    for (const char* name : {"A", "B", "C"}) ASSERT_TRUE(tools.Append(Tool(name, "x.exe")));
    ASSERT_TRUE(tools.Save(ini));
    tools.Remove(0);
    tools.Move(1, 0);
    ASSERT_TRUE(tools.Save(ini));
    std::vector<char> keys(1024);
    int n = ini.GetKeyNames("UserTools", keys.data(), 1024);
    int count = 0;
    for (int at = 0; at < n && keys[at] != '\0'; at += static_cast<int>(std::strlen(&keys[at])) + 1) ++count;
    EXPECT_EQ(count, 18);
    EXPECT_EQ(ini.GetText("UserTools", "MenuText3", "<none>", 40), "<none>");
    TUserTools again;
    again.Load(ini);
    ASSERT_EQ(again.Count(), 2);
    EXPECT_STREQ(again[0].menuText, "C");
    EXPECT_STREQ(again[1].menuText, "B");
}

}  // namespace
