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

#include "support/RecordingHelp.h"

namespace {

TEST(HelpDesk, TheViewerFollowsTheFileType)
{
    EXPECT_EQ(ViewerFor("C:\\HELP\\API.CHM"), THelpViewer::HtmlHelp);
    EXPECT_EQ(ViewerFor("ref.chm"), THelpViewer::HtmlHelp);
    EXPECT_EQ(ViewerFor("C:\\HELP\\WIN32.HLP"), THelpViewer::WinHelp);
    EXPECT_EQ(ViewerFor("C:\\help.chm\\notes"), THelpViewer::WinHelp);
    EXPECT_EQ(ViewerFor("C:\\HELP\\NOEXT"), THelpViewer::WinHelp);
    EXPECT_EQ(ViewerFor("x.chmx"), THelpViewer::WinHelp);
}

TEST(HelpDesk, OwnHelpAsksForContentsTopicsAndTheQuickWindow)
{
    TRecordingHelp engine;
    const std::string main = "C:\\VOK\\OZM.CHM";
    engine.files.insert(main);
    THelpDesk desk(main);
    EXPECT_EQ(desk.Contents(engine, nullptr), THelpResult::Shown);
    EXPECT_EQ(engine.Last().call, THelpCall::Contents);
    EXPECT_EQ(engine.Last().file, main);
    EXPECT_EQ(engine.Last().viewer, THelpViewer::HtmlHelp);
    EXPECT_EQ(desk.Context(engine, nullptr, 902), THelpResult::Shown);
    EXPECT_EQ(engine.Last().call, THelpCall::Context);
    EXPECT_EQ(engine.Last().context, 902u);
    EXPECT_EQ(desk.Quick(engine, nullptr, 10841), THelpResult::Shown);
    EXPECT_EQ(engine.Last().file, main + ">QuickHlp");
    EXPECT_EQ(engine.Last().context, 10841u);
    EXPECT_EQ(engine.asked.size(), 3u);
}

TEST(HelpDesk, AMissingHelpFileIsReportedAndTheViewerNeverCalled)
{
    TRecordingHelp engine;
    THelpDesk desk("C:\\VOK\\OZM.CHM");
    EXPECT_EQ(desk.Contents(engine, nullptr), THelpResult::Missing);
    EXPECT_EQ(desk.Context(engine, nullptr, 106), THelpResult::Missing);
    EXPECT_EQ(desk.Quick(engine, nullptr, 10841), THelpResult::Missing);
    EXPECT_TRUE(engine.asked.empty());
    // A viewer that refuses the file is a failure, not success.
    engine.files.insert("C:\\VOK\\OZM.CHM");
    engine.viewerWorks = false;
    EXPECT_EQ(desk.Context(engine, nullptr, 106), THelpResult::Failed);
}

TEST(HelpDesk, UserFilesOpenWithTheirOwnViewer)
{
    TRecordingHelp engine;
    engine.files = {"C:\\HELP\\WIN32.HLP", "C:\\HELP\\API.CHM"};
    THelpDesk desk("OZM.CHM");
    TUserHelp help;
    // Only the third entry in use: its item opens the third file, the others nothing.
    help.Set(2, "", "C:\\HELP\\WIN32.HLP");
    EXPECT_EQ(desk.UserFile(engine, nullptr, help, 0), THelpResult::NotConfigured);
    EXPECT_EQ(desk.UserFile(engine, nullptr, help, 2), THelpResult::Shown);
    EXPECT_EQ(engine.Last().file, "C:\\HELP\\WIN32.HLP");
    EXPECT_EQ(engine.Last().viewer, THelpViewer::WinHelp);
    EXPECT_EQ(engine.Last().call, THelpCall::Contents);
    help.Set(4, "API", "C:\\HELP\\API.CHM");
    EXPECT_EQ(desk.UserFile(engine, nullptr, help, 4), THelpResult::Shown);
    EXPECT_EQ(engine.Last().viewer, THelpViewer::HtmlHelp);
    EXPECT_EQ(desk.UserFile(engine, nullptr, help, 5), THelpResult::NotConfigured);
    EXPECT_EQ(desk.UserFile(engine, nullptr, help, -1), THelpResult::NotConfigured);
    help.Set(1, "Gone", "C:\\HELP\\GONE.HLP");
    EXPECT_EQ(desk.UserFile(engine, nullptr, help, 1), THelpResult::Missing);
    EXPECT_EQ(engine.asked.size(), 2u);
}

TEST(HelpDesk, KeywordSearchUsesTheActiveEntryOnly)
{
    TRecordingHelp engine;
    engine.files = {"C:\\HELP\\WIN32.HLP", "C:\\HELP\\API.CHM"};
    THelpDesk desk("OZM.CHM");
    TUserHelp help;
    EXPECT_EQ(desk.Keyword(engine, nullptr, help, "printf"), THelpResult::NotConfigured);
    help.Set(1, "Win32", "C:\\HELP\\WIN32.HLP");
    // The active entry (the first) is empty although another is in use.
    EXPECT_EQ(desk.Keyword(engine, nullptr, help, "printf"), THelpResult::NotConfigured);
    EXPECT_TRUE(engine.asked.empty());
    help.SetActive(1);
    EXPECT_EQ(desk.Keyword(engine, nullptr, help, "CreateWindow"), THelpResult::Shown);
    EXPECT_EQ(engine.Last().call, THelpCall::Keyword);
    EXPECT_EQ(engine.Last().keyword, "CreateWindow");
    EXPECT_EQ(engine.Last().viewer, THelpViewer::WinHelp);
    help.Set(3, "API", "C:\\HELP\\API.CHM");
    help.SetActive(3);
    EXPECT_EQ(desk.Keyword(engine, nullptr, help, ""), THelpResult::Shown);
    EXPECT_EQ(engine.Last().viewer, THelpViewer::HtmlHelp);
    EXPECT_EQ(engine.Last().keyword, "");
}

}  // namespace

namespace {

TEST(HelpDesk, TopicPagesAreNamedByTheirContext)
{
    EXPECT_EQ(HelpTopicPage(106), "t106.htm");
    EXPECT_EQ(HelpTopicPage(10841), "t10841.htm");
}

}  // namespace
