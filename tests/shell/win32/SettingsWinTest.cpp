// The Windows side of the settings: the registry record, short names and the menu tails, under Wine.
#include "shell/win32/SettingsWin.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/win32/Win32Profile.h"
#include "support/TempDir.h"
#include "tools/win32/ToolEnvironment.h"

namespace {

const char kTestKey[] = "Software\\Vok\\Vok Text Editor Tests\\Install";

class RegistryInstallRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        DWORD zero = 0;
        RegSetValueExA(key, "Start", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
        RegCloseKey(key);
    }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey); }
};

TEST_F(RegistryInstallRecord, FirstRunMarksTheRecordAndWritesBothProfiles)
{
    TTempDir dir;
    TWin32Profile vok(dir.File("vok.ini"));
    TWin32Profile ozm(dir.File("ozm.ini"));
    TRegistryInstallRecord install(kTestKey);
    uint32_t start = 7;
    ASSERT_TRUE(install.ReadStart(start));
    EXPECT_EQ(start, 0u);

    RecordFirstRun(install, vok, ozm, {"C:\\VOK\\OZM.EXE", "1.2", "1033"});
    ASSERT_TRUE(install.ReadStart(start));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(ozm.GetText("Settings", "AssociateDlgStartUp", "", 8), "1");
    EXPECT_EQ(ozm.GetText("Tip", "StartUp", "", 8), "0");
    EXPECT_EQ(vok.GetText("Vok Applications", "Text Editor", "", 128), "C:\\VOK\\OZM.EXE");
    EXPECT_EQ(vok.GetText("vokctrl.dll", "Text Editor", "", 8), "yes");

    TRegistryInstallRecord missing("Software\\Vok\\No Such Key");
    EXPECT_FALSE(missing.ReadStart(start));
}

TEST(ShortNames, PathsWithBlanksGetAShortFormWithoutBlanks)
{
    TTempDir dir;
    std::filesystem::create_directory(dir.File("My Documents"));
    const std::string file = dir.File("My Documents") + "\\long report name.txt";
    TTempDir::Write(file, "x");
    const std::string shortForm = ShortPathOf(file);
    EXPECT_EQ(shortForm.find(' '), std::string::npos) << shortForm;
    EXPECT_EQ(ShortPathOf(dir.File("missing file.txt")), dir.File("missing file.txt"));

    TToolEnvironment env = CurrentToolEnvironment(nullptr);
    EXPECT_FALSE(env.programDir.empty());
    EXPECT_EQ(env.programDir.back(), '\\');
    EXPECT_FALSE(env.currentDir.empty());
}

TEST(Placement, ChildRectangleIsInTheClientAreasCoordinates)
{
    HWND frame = CreateWindowExA(0, "STATIC", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 60, 640, 480,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(frame, nullptr);
    HWND child = CreateWindowExA(0, "STATIC", "child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, 10, 20, 300,
                                 200, frame, nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    TWindowPlacementInfo info = PlacementOfChild(child, frame);
    EXPECT_FALSE(info.minimised || info.maximised || info.frameMinimised);
    TDesktopWindow w{};
    ChooseDesktopRectangle(info, w);
    EXPECT_EQ(w.left, 10);
    EXPECT_EQ(w.top, 20);
    EXPECT_EQ(w.width, 300);
    EXPECT_EQ(w.height, 200);
    EXPECT_EQ(w.state, 1);

    TEngineOptions engine;
    TSettings settings(engine);
    NoteFramePlacement(settings, frame);
    EXPECT_EQ(settings.window, (TFramePlacement{50, 60, 640, 480, false}));
    ShowWindow(frame, SW_MAXIMIZE);
    NoteFramePlacement(settings, frame);
    EXPECT_EQ(settings.window, (TFramePlacement{50, 60, 640, 480, true}));
    DestroyWindow(frame);
}

std::vector<std::string> MenuTexts(HMENU menu)
{
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        UINT id = GetMenuItemID(menu, i);
        texts.push_back(text[0] != '\0' ? std::to_string(id) + ":" + text : "-");
    }
    return texts;
}

TEST(MenuTails, RecentFilesReplaceTheirOldItems)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 101, "&New");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, 108, "E&xit");
    TRecentFiles recent;
    for (const char* p : {"C:\\a.txt", "C:\\b.txt", "C:\\c.txt", "C:\\d\\e.txt"}) recent.Add(p);
    RebuildRecentFileMenu(menu, recent, nullptr);
    // The test program carries the program's strings: 1550 is "&0 More Files...".
    EXPECT_EQ(MenuTexts(menu),
              (std::vector<std::string>{"101:&New", "-", "108:E&xit", "-", "160:&1 e.txt", "161:&2 c.txt",
                                        "162:&3 b.txt", "163:&4 a.txt", "169:&0 More Files..."}));
    recent.Remove("C:\\c.txt");
    RebuildRecentFileMenu(menu, recent, nullptr);
    EXPECT_EQ(MenuTexts(menu),
              (std::vector<std::string>{"101:&New", "-", "108:E&xit", "-", "160:&1 e.txt", "161:&2 b.txt",
                                        "162:&3 a.txt"}));
    recent.Clear();
    RebuildRecentFileMenu(menu, recent, nullptr);
    EXPECT_EQ(MenuTexts(menu), (std::vector<std::string>{"101:&New", "-", "108:E&xit"}));
    DestroyMenu(menu);
}

TEST(MenuTails, ToolsAndHelpEntries)
{
    HMENU tools = CreatePopupMenu();
    AppendMenuA(tools, MF_STRING, 701, "&Options");
    TUserTools table;
    TUserToolElement tool;
    lstrcpyA(tool.program, "make.exe");
    ASSERT_TRUE(table.Append(tool));
    RebuildUserToolMenu(tools, table);
    RebuildUserToolMenu(tools, table);
    EXPECT_EQ(MenuTexts(tools), (std::vector<std::string>{"701:&Options", "-", "560:UserTool 1"}));
    DestroyMenu(tools);

    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, 901, "&Contents");
    TUserHelp entries;
    entries.Set(2, "", "C:\\third.hlp");
    RebuildUserHelpMenu(help, entries);
    EXPECT_EQ(MenuTexts(help), (std::vector<std::string>{"901:&Contents", "-", "962:Extern Help 3"}));
    RebuildUserHelpMenu(help, TUserHelp());
    EXPECT_EQ(MenuTexts(help), (std::vector<std::string>{"901:&Contents"}));
    DestroyMenu(help);
}

}  // namespace
