// The settings: defaults, clamps, round trips, the full and partial saves and the immediate flags.
#include "shell/Settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "base/IniFile.h"
#include "support/TempDir.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    TTempDir dir;
    std::string path = dir.File("ozm.ini");
    TIniFile ini{path};
    TEngineOptions engine;
    TSettings settings{engine};

    void Raw(const std::string& text) { TTempDir::Write(path, text); }
    std::string Value(const char* section, const char* key)
    {
        return ini.GetText(section, key, "<none>", 512);
    }
};

TEST_F(SettingsTest, MissingFileGivesEveryDefault)
{
    engine.tabSize = 3;  // whatever was there before is replaced by the defaults
    settings.Load(ini);
    EXPECT_TRUE(settings.saveSettings);
    EXPECT_TRUE(settings.saveDesktop);
    EXPECT_FALSE(settings.autoLoad);
    EXPECT_FALSE(settings.allowMultiInst);
    EXPECT_EQ(settings.window, (TFramePlacement{10, 10, 600, 380, false}));
    EXPECT_TRUE(settings.statusBar);
    EXPECT_TRUE(settings.buttonBar);
    EXPECT_EQ(settings.btnBarStyle, -1);
    EXPECT_STREQ(settings.fontName, "Courier");
    EXPECT_EQ(settings.fontSize, 10);
    EXPECT_EQ(settings.fontWeight, 400);
    EXPECT_STREQ(settings.lastDir, "");
    EXPECT_TRUE(settings.associateDlgStartUp);
    EXPECT_TRUE(settings.backupFiles);
    EXPECT_TRUE(settings.wordWrapVisible);
    EXPECT_EQ(settings.rightMouseBtn, 0);
    EXPECT_STREQ(settings.keyMappingFile, "OZM.KEY");

    TEngineOptions defaults;
    EXPECT_EQ(engine.tabSize, defaults.tabSize);
    EXPECT_EQ(engine.tabSize, 8);
    EXPECT_EQ(engine.undoLevels, 20);
    EXPECT_EQ(engine.wordWrapColumn, 76);
    EXPECT_EQ(engine.language, 1);
    EXPECT_TRUE(engine.autoIndent && engine.autoUnindent && engine.useTabChar && engine.detectFileFormat);
    EXPECT_FALSE(engine.overwriteMode || engine.wordWrap || engine.undoAfterSave);

    EXPECT_EQ(settings.recentFiles.Count(), 0);
    EXPECT_EQ(settings.userTools.Count(), 0);
    EXPECT_FALSE(settings.userHelp.KeywordAvailable());
    EXPECT_EQ(settings.fileTypes.Count(), 9);
    EXPECT_TRUE(settings.fileTypes.Modified());
    EXPECT_STREQ((*settings.findHistory)[0], "");
}

TEST_F(SettingsTest, EmptyFileGivesTheDefaultsToo)
{
    Raw("");
    engine.undoLevels = 3;
    settings.Load(ini);
    EXPECT_EQ(engine.undoLevels, 20);
    EXPECT_EQ(settings.window, (TFramePlacement{10, 10, 600, 380, false}));
    EXPECT_EQ(settings.fileTypes.Count(), 9);
    EXPECT_TRUE(settings.fileTypes.Modified());
}

struct TClampCase {
    const char* section;
    const char* key;
    const char* stored;
    int expected;
};

class SettingsClamp : public SettingsTest, public ::testing::WithParamInterface<TClampCase> {};

TEST_P(SettingsClamp, ReadsAsTheTableSays)
{
    const TClampCase& c = GetParam();
    Raw(std::string("[") + c.section + "]\r\n" + c.key + "=" + c.stored + "\r\n");
    settings.Load(ini);
    int value = 0;
    ASSERT_TRUE(settings.GetNumber(c.key, value));
    EXPECT_EQ(value, c.expected) << c.key << "=" << c.stored;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SettingsClamp,
    ::testing::Values(
        TClampCase{"Editor", "UndoLevels", "0", 80}, TClampCase{"Editor", "UndoLevels", "81", 80},
        TClampCase{"Editor", "UndoLevels", "1", 1}, TClampCase{"Editor", "UndoLevels", "80", 80},
        TClampCase{"Editor", "TabSize", "1", 2}, TClampCase{"Editor", "TabSize", "33", 2},
        TClampCase{"Editor", "TabSize", "32", 32}, TClampCase{"Editor", "BlockIndent", "17", 1},
        TClampCase{"Editor", "BlockIndent", "0", 1}, TClampCase{"Editor", "BlockIndent", "16", 16},
        TClampCase{"Settings", "BtnBarStyle", "0", -1}, TClampCase{"Settings", "BtnBarStyle", "2", 2},
        TClampCase{"Settings", "BtnBarStyle", "3", -1}, TClampCase{"Editor", "DefaultFileFormat", "3", 0},
        TClampCase{"Editor", "DefaultFileFormat", "-1", 0}, TClampCase{"Editor", "DefaultFileFormat", "2", 2},
        TClampCase{"Editor", "Language", "4", 1}, TClampCase{"Editor", "Language", "0", 0},
        TClampCase{"Editor", "RightMouseBtn", "2", 0}, TClampCase{"Editor", "RightMouseBtn", "1", 1},
        TClampCase{"Editor", "WordWrapColumn", "-5", 0},
        TClampCase{"Editor", "WordWrapColumn", "99999", 32767}, TClampCase{"Settings", "StatusBar", "2", 0},
        TClampCase{"Settings", "StatusBar", "3", 1}, TClampCase{"Editor", "AutoIndent", "0", 0},
        TClampCase{"Settings", "FontSize", "-3", -3}));

struct TWindowCase {
    const char* text;
    TFramePlacement expected;
};

class WindowValue : public ::testing::TestWithParam<TWindowCase> {};

TEST_P(WindowValue, Parses)
{
    EXPECT_EQ(TSettings::ParseWindow(GetParam().text), GetParam().expected) << GetParam().text;
}

const int kDef = kDefaultWindowPosition;
INSTANTIATE_TEST_SUITE_P(Texts, WindowValue,
                         ::testing::Values(TWindowCase{"10 20 300 200 1", {10, 20, 300, 200, true}},
                                           TWindowCase{"-4 -4 1288 1000 0", {-4, -4, 1288, 1000, false}},
                                           TWindowCase{"1 2 3 4", {1, 2, 3, 4, false}},
                                           TWindowCase{"5 6", {kDef, kDef, 600, 380, false}},
                                           TWindowCase{"", {kDef, kDef, 600, 380, false}},
                                           TWindowCase{"0 0 0 0 1", {kDef, kDef, 600, 380, false}},
                                           TWindowCase{"1 2 99999999999 4", {1, 2, 2147483647, 4, false}}));

TEST_F(SettingsTest, EverySectionSurvivesASaveAndAReload)
{
    settings.Load(ini);
    settings.saveDesktop = false;
    settings.autoLoad = true;
    settings.allowMultiInst = true;
    settings.window = {15, 25, 700, 500, true};
    settings.statusBar = false;
    settings.buttonBar = false;
    settings.btnBarStyle = 2;
    std::strcpy(settings.fontName, "Fixedsys");
    settings.fontSize = 12;
    settings.fontWeight = 700;
    std::strcpy(settings.lastDir, "C:\\Program Files\\Work");
    settings.backupFiles = false;
    settings.wordWrapVisible = false;
    settings.rightMouseBtn = 1;
    engine.detectFileFormat = false;
    engine.defaultFileFormat = 2;
    engine.autoIndent = false;
    engine.autoUnindent = false;
    engine.overwriteMode = true;
    engine.undoLevels = 55;
    engine.undoAfterSave = true;
    engine.tabSize = 4;
    engine.blockIndent = 3;
    engine.useTabChar = false;
    engine.wordWrap = true;
    engine.wordWrapColumn = 72;
    engine.language = 2;
    std::strcpy((*settings.findHistory)[0], "needle");
    std::strcpy((*settings.replaceHistory)[2], "thread");
    settings.recentFiles.Add("C:\\a.txt");
    settings.userHelp.Set(2, "API", "C:\\HELP\\API.HLP");
    settings.userHelp.SetActive(2);
    TUserToolElement tool;
    std::strcpy(tool.menuText, "&Make");
    std::strcpy(tool.program, "make.exe");
    ASSERT_TRUE(settings.userTools.Append(tool));
    settings.fileTypes.Append("Scripts", "*.sh");
    ASSERT_TRUE(settings.Save(ini, true));

    TEngineOptions engine2;
    TSettings again(engine2);
    again.Load(ini);
    EXPECT_FALSE(again.saveDesktop);
    EXPECT_TRUE(again.autoLoad);
    EXPECT_TRUE(again.allowMultiInst);
    EXPECT_EQ(again.window, (TFramePlacement{15, 25, 700, 500, true}));
    EXPECT_FALSE(again.statusBar);
    EXPECT_FALSE(again.buttonBar);
    EXPECT_EQ(again.btnBarStyle, 2);
    EXPECT_STREQ(again.fontName, "Fixedsys");
    EXPECT_EQ(again.fontSize, 12);
    EXPECT_EQ(again.fontWeight, 700);
    EXPECT_STREQ(again.lastDir, "C:\\Program Files\\Work");
    EXPECT_FALSE(again.backupFiles);
    EXPECT_FALSE(again.wordWrapVisible);
    EXPECT_EQ(again.rightMouseBtn, 1);
    EXPECT_FALSE(engine2.detectFileFormat);
    EXPECT_EQ(engine2.defaultFileFormat, 2);
    EXPECT_FALSE(engine2.autoIndent);
    EXPECT_FALSE(engine2.autoUnindent);
    EXPECT_TRUE(engine2.overwriteMode);
    EXPECT_EQ(engine2.undoLevels, 55);
    EXPECT_TRUE(engine2.undoAfterSave);
    EXPECT_EQ(engine2.tabSize, 4);
    EXPECT_EQ(engine2.blockIndent, 3);
    EXPECT_FALSE(engine2.useTabChar);
    EXPECT_TRUE(engine2.wordWrap);
    EXPECT_EQ(engine2.wordWrapColumn, 72);
    EXPECT_EQ(engine2.language, 2);
    EXPECT_STREQ((*again.findHistory)[0], "needle");
    EXPECT_STREQ((*again.replaceHistory)[2], "thread");
    EXPECT_STREQ(again.recentFiles.Slot(0), "C:\\a.txt");
    EXPECT_EQ(again.userHelp.Active(), 2);
    EXPECT_STREQ(again.userHelp[2].helpFile, "C:\\HELP\\API.HLP");
    ASSERT_EQ(again.userTools.Count(), 1);
    EXPECT_STREQ(again.userTools[0].program, "make.exe");
    ASSERT_EQ(again.fileTypes.Count(), 10);
    EXPECT_STREQ(again.fileTypes[9].pattern, "*.sh");
    EXPECT_FALSE(again.fileTypes.Modified());
}

TEST_F(SettingsTest, WithoutSaveSettingsOnlyTheAlwaysKeysAreWritten)
{
    settings.Load(ini);
    std::strcpy(settings.lastDir, "D:\\src");
    std::strcpy(settings.fontName, "Terminal");
    settings.recentFiles.Add("D:\\src\\main.c");
    engine.tabSize = 4;
    settings.window = {1, 2, 300, 200, false};
    std::strcpy((*settings.findHistory)[0], "needle");
    ASSERT_TRUE(settings.Save(ini, false));

    EXPECT_EQ(Value("Settings", "LastDir"), "D:\\src");
    EXPECT_EQ(Value("Settings", "FontName"), "Terminal");
    EXPECT_EQ(Value("Settings", "FontSize"), "10");
    EXPECT_EQ(Value("Settings", "FontWeight"), "400");
    EXPECT_EQ(Value("LastOpened", "1"), "D:\\src\\main.c");
    EXPECT_EQ(Value("UserHelp", "ContextHelpFile"), "1");
    EXPECT_EQ(Value("FileFilters", "Pascal Files"), "*.pas") << "the default table is written once";
    EXPECT_EQ(Value("Editor", "TabSize"), "<none>");
    EXPECT_EQ(Value("Settings", "Window"), "<none>");
    EXPECT_EQ(Value("Settings", "SaveSettings"), "<none>");
    EXPECT_EQ(Value("FindHistory", "Find1"), "<none>");
    EXPECT_EQ(Value("Settings", "AssociateDlgStartUp"), "<none>");
    EXPECT_EQ(Value("Editor", "KeyMappingFile"), "<none>");
}

TEST_F(SettingsTest, FullSaveWritesTheKeysOfTheTables)
{
    settings.Load(ini);
    ASSERT_TRUE(settings.Save(ini, true));
    EXPECT_EQ(Value("Settings", "Window"), "10 10 600 380 0");
    EXPECT_EQ(Value("Settings", "BtnBarStyle"), "-1");
    EXPECT_EQ(Value("Editor", "UndoLevels"), "20");
    EXPECT_EQ(Value("Editor", "WordWrapVisible"), "1");
    EXPECT_EQ(Value("FindHistory", "Replace8"), "");
    EXPECT_EQ(Value("Editor", "KeyMappingFile"), "<none>");
}

TEST_F(SettingsTest, FailedSaveIsReportedAndKeepsTheOldFile)
{
    Raw("[Editor]\r\nTabSize=4\r\n");
    settings.Load(ini);
    engine.tabSize = 6;
    std::filesystem::create_directory(path + ".tmp");
    EXPECT_FALSE(settings.Save(ini, true));
    EXPECT_EQ(TTempDir::Read(path), "[Editor]\r\nTabSize=4\r\n");
}

TEST_F(SettingsTest, MenuTogglesWriteAtOnce)
{
    settings.Load(ini);
    ASSERT_TRUE(settings.SetFlagNow(ini, TImmediateFlag::AutoLoad, true));
    ASSERT_TRUE(settings.SetFlagNow(ini, TImmediateFlag::AllowMultiInst, true));
    ASSERT_TRUE(settings.SetFlagNow(ini, TImmediateFlag::SaveDesktop, false));
    EXPECT_EQ(Value("Settings", "AutoLoad"), "1");
    EXPECT_EQ(Value("Settings", "AllowMultiInst"), "1");
    EXPECT_EQ(Value("Settings", "SaveDesktop"), "0");

    ASSERT_TRUE(settings.SetFlagNow(ini, TImmediateFlag::SaveSettings, true));
    EXPECT_EQ(Value("Settings", "SaveSettings"), "<none>") << "turning it on waits for the next save";
    ASSERT_TRUE(settings.SetFlagNow(ini, TImmediateFlag::SaveSettings, false));
    EXPECT_EQ(Value("Settings", "SaveSettings"), "0");
    EXPECT_FALSE(settings.saveSettings);
}

TEST_F(SettingsTest, WindowKeepsTheNormalRectangleWhileMaximisedOrMinimised)
{
    settings.window = {10, 10, 600, 380, false};
    settings.NoteFramePlacement(0, 0, 1280, 1000, false, true);
    EXPECT_EQ(settings.window, (TFramePlacement{10, 10, 600, 380, true}));
    settings.NoteFramePlacement(0, 0, 160, 30, true, false);
    EXPECT_EQ(settings.window, (TFramePlacement{10, 10, 600, 380, false}));
    settings.NoteFramePlacement(40, 50, 640, 480, false, false);
    EXPECT_EQ(settings.window, (TFramePlacement{40, 50, 640, 480, false}));
}

TEST_F(SettingsTest, KeyMappingFileIsABareShortName)
{
    Raw("[Editor]\r\nKeyMappingFile=C:\\Vok\\keys\\mine.key\r\n");
    settings.Load(ini);
    EXPECT_STREQ(settings.keyMappingFile, "mine.key");
    settings.SetKeyMappingFile("C:\\dir\\");
    EXPECT_STREQ(settings.keyMappingFile, "OZM.KEY");
    settings.SetKeyMappingFile("a-very-long-key-mapping-file-name.key");
    EXPECT_STREQ(settings.keyMappingFile, "a-very-long-key-mapping-file-na");
    ASSERT_TRUE(settings.SaveKeyMappingFile(ini));
    EXPECT_EQ(Value("Editor", "KeyMappingFile"), "a-very-long-key-mapping-file-na");
}

TEST_F(SettingsTest, OptionsByKeyName)
{
    int value = 0;
    EXPECT_TRUE(settings.SetNumber("tabsize", 40));
    EXPECT_EQ(engine.tabSize, 2);
    EXPECT_TRUE(settings.SetNumber("WordWrapVisible", 2));
    EXPECT_FALSE(settings.wordWrapVisible);
    EXPECT_TRUE(settings.GetNumber("UndoLevels", value));
    EXPECT_EQ(value, 20);
    EXPECT_FALSE(settings.GetNumber("FontName", value));
    EXPECT_FALSE(settings.SetNumber("NoSuchKey", 1));
}

TEST_F(SettingsTest, FindHistoryKeepsOnlyEntriesOfOneTo79Characters)
{
    const std::string longest(79, 'a');
    Raw("[FindHistory]\r\nFind1=" + longest + "\r\nFind2=" + std::string(80, 'b') +
        "\r\nFind3=x\r\nReplace1=\r\n" + "Replace8=last\r\n");
    THistoryList find, replace;
    settings.ConnectHistories(find, replace);
    settings.Load(ini);
    EXPECT_EQ(std::string(find[0]), longest);
    EXPECT_STREQ(find[1], "");
    EXPECT_STREQ(find[2], "x");
    EXPECT_STREQ(replace[0], "");
    EXPECT_STREQ(replace[7], "last");
    ASSERT_TRUE(settings.Save(ini, true));
    EXPECT_EQ(Value("FindHistory", "Find2"), "");
    EXPECT_EQ(Value("FindHistory", "Replace8"), "last");
}

TEST_F(SettingsTest, OtherSubsystemsFilesLoadAndSaveThroughTheirHooks)
{
    std::string calls;
    settings.hooks.loadAutoCorrect = [&](const TProfile&) { calls += "acr-load "; };
    settings.hooks.loadSyntax = [&] { calls += "syntax-load "; };
    settings.hooks.saveAutoCorrect = [&](TProfile&) {
        calls += "acr-save ";
        return true;
    };
    settings.Load(ini);
    ASSERT_TRUE(settings.Save(ini, false));
    EXPECT_EQ(calls, "acr-load syntax-load acr-save ");
}

}  // namespace
