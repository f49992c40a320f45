// The option dialogs, the bookmark boxes, More Files, Tip of the Day, Insert Symbol, Associate and the
// desktop's show states, driven through the real frame and dialogs with messages.
#include "shell/win32/FrameFixture.h"

#include <algorithm>

#include "OptionIds.h"
#include "base/win32/Win32Profile.h"
#include "editor_window/win32/InsertSymbolDlg.h"
#include "resource.h"
#include "shell/CommandLine.h"
#include "shell/win32/AssociateDlg.h"
#include "shell/win32/OptionsDlgs.h"
#include "shell/win32/TipDlg.h"

namespace {

void Press(HWND box, int id)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}
void Toggle(HWND box, int id)
{
    SendMessageA(GetDlgItem(box, id), BM_CLICK, 0, 0);
}
bool IsChecked(HWND box, int id)
{
    return IsDlgButtonChecked(box, id) == BST_CHECKED;
}
std::string Field(HWND box, int id)
{
    return WindowText(GetDlgItem(box, id));
}
void SetField(HWND box, int id, const char* text)
{
    SetWindowTextA(GetDlgItem(box, id), text);
}

class OptionDialogs : public FrameTest {
protected:
    // Runs a frame command that opens the dialog titled caption, played by step.
    void Drive(int command, const char* caption, TModalDriver::TStep step)
    {
        TModalDriver::Run(
            caption,
            [&] {
                Command(command);
                return 0;
            },
            std::move(step));
        PumpMessages();
    }
    std::string Line(TWindowsEditor* editor, int32_t n) { return editor->LineAt(n) ? editor->LineAt(n)->text : ""; }
};

// ---- Editor Options. -----------------------------------------------------------------------------------

TEST_F(OptionDialogs, EditorOptionsRefusesNumbersOutOfRangeInOrderAndKeepsTheDialogOpen)
{
    TWindowsEditor* a = frame->NewDocument();
    TWindowsEditor* b = frame->NewDocument();
    ASSERT_TRUE(a && b);
    std::vector<std::string> fields;
    int ticks = 0;
    Drive(CM_EDITOROPTIONS, "Editor Options", [&](HWND box, int tick) {
        ticks = tick + 1;
        switch (tick) {
        case 0:
            for (int id : {IDC_OPT_TABSIZE, IDC_OPT_UNDOLEVELS, IDC_OPT_BLOCKINDENT, IDC_OPT_WRAPCOLUMN})
                fields.push_back(Field(box, id));
            EXPECT_TRUE(IsChecked(box, IDC_OPT_INSERT));
            EXPECT_TRUE(IsChecked(box, IDC_OPT_DOS));
            SetField(box, IDC_OPT_TABSIZE, "40");
            Press(box, IDOK);
            return false;
        case 1:
            // Both faults at once: the word-wrap column is checked first.
            SetField(box, IDC_OPT_TABSIZE, "x");
            SetField(box, IDC_OPT_WRAPCOLUMN, "2000");
            Press(box, IDOK);
            return false;
        case 2:
            SetField(box, IDC_OPT_WRAPCOLUMN, "100");
            SetField(box, IDC_OPT_TABSIZE, "4");
            SetField(box, IDC_OPT_UNDOLEVELS, "0");
            Press(box, IDOK);
            return false;
        default:
            SetField(box, IDC_OPT_UNDOLEVELS, "50");
            Toggle(box, IDC_OPT_INSERT);
            Toggle(box, IDC_OPT_UNIX);
            Press(box, IDOK);
            return true;
        }
    });
    EXPECT_EQ(fields, (std::vector<std::string>{"8", "20", "1", "76"}));
    EXPECT_EQ(ticks, 4);
    ASSERT_EQ(services.args.size(), 3u);
    EXPECT_EQ(services.shown[0], static_cast<unsigned>(IDS_WHOLENUMBER));
    EXPECT_EQ(services.args[0], "You can only specify a whole number between 2 and 32.");
    EXPECT_EQ(services.args[1], "You can only specify a whole number between 0 and 1024.");
    EXPECT_EQ(services.args[2], "You can only specify a whole number between 1 and 80.");
    EXPECT_EQ(EngineOptions().tabSize, 4);
    EXPECT_EQ(EngineOptions().wordWrapColumn, 100);
    EXPECT_EQ(EngineOptions().undoLevels, 50);
    EXPECT_TRUE(EngineOptions().overwriteMode);
    EXPECT_EQ(EngineOptions().defaultFileFormat, 1);
}

TEST_F(OptionDialogs, ANewTabSizeReachesEveryWindowUnlessOneRefusesIt)
{
    const std::string tabs = folder.Write("tabs.txt", std::string(127, '\t') + "x\r\n");
    const std::string plain = folder.Write("plain.txt", "a\tb\r\n");
    TWindowsEditor* p = frame->OpenByName(plain.c_str());
    ASSERT_NE(p, nullptr);
    auto choose = [&](const char* size) {
        Drive(CM_EDITOROPTIONS, "Editor Options", [&](HWND box, int) {
            SetField(box, IDC_OPT_TABSIZE, size);
            Press(box, IDOK);
            return true;
        });
    };
    choose("4");
    EXPECT_EQ(EngineOptions().tabSize, 4);
    EXPECT_TRUE(services.shown.empty());
    // 127 tabs and a letter are 1017 columns at 8 but 2033 at 16: that window refuses, and nothing changes.
    choose("8");
    ASSERT_NE(frame->OpenByName(tabs.c_str()), nullptr);
    choose("16");
    EXPECT_EQ(EngineOptions().tabSize, 8);
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0], static_cast<unsigned>(IDS_ENGINEERROR + 4));
    choose("2");
    EXPECT_EQ(EngineOptions().tabSize, 2);
    EXPECT_EQ(p->curCol, 0);
}

TEST_F(OptionDialogs, MouseOptionsShowsAndSetsTheRightButton)
{
    bool popup = false;
    Drive(CM_MOUSEOPTIONS, "Mouse Options", [&](HWND box, int) {
        popup = IsChecked(box, IDC_MOUSE_POPUP) && !IsChecked(box, IDC_MOUSE_TOPIC);
        Toggle(box, IDC_MOUSE_TOPIC);
        Press(box, IDOK);
        return true;
    });
    EXPECT_TRUE(popup);
    EXPECT_EQ(ProgramSettings().rightMouseBtn, 1);
    EXPECT_EQ(EngineOptions().rightMouseBtn, 1);
    bool topic = false;
    Drive(CM_MOUSEOPTIONS, "Mouse Options", [&](HWND box, int) {
        topic = IsChecked(box, IDC_MOUSE_TOPIC);
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_TRUE(topic);
    EXPECT_EQ(ProgramSettings().rightMouseBtn, 1);
    ProgramSettings().rightMouseBtn = 0;
}

// Backup files, the visible margin and the right mouse button are what the windows use, and they come
// from the settings file and go back to it.
TEST_F(OptionDialogs, BackupMarginAndMouseSettingsReachTheWindowsAndTheFile)
{
    TWin32Profile ini{folder.File("ozm.ini")};
    // As the settings file leaves them when it is read.
    ProgramSettings().backupFiles = false;
    ProgramSettings().wordWrapVisible = false;
    ProgramSettings().rightMouseBtn = 1;
    EngineOptions().backupFiles = true;
    ShareWindowOptions(ProgramSettings(), true);
    EXPECT_FALSE(EngineOptions().backupFiles);
    EXPECT_FALSE(EngineOptions().wordWrapVisible);
    EXPECT_EQ(EngineOptions().rightMouseBtn, 1);
    Drive(CM_EDITOROPTIONS, "Editor Options", [&](HWND box, int) {
        Toggle(box, IDC_OPT_BACKUP);
        Toggle(box, IDC_OPT_MARGIN);
        Press(box, IDOK);
        return true;
    });
    SaveAllSettings(nullptr, true);
    EXPECT_EQ(ini.GetText("Editor", "BackupFiles", "", 8), "1");
    EXPECT_EQ(ini.GetText("Editor", "WordWrapVisible", "", 8), "1");
    EXPECT_EQ(ini.GetText("Editor", "RightMouseBtn", "", 8), "1");
    ProgramSettings().rightMouseBtn = 0;
    ProgramSettings().backupFiles = true;
    ProgramSettings().wordWrapVisible = true;
}

// ---- Bookmarks. ----------------------------------------------------------------------------------------

TEST_F(OptionDialogs, BookmarksDroppedByTheDialogAreReachedByGoTo)
{
    TWindowsEditor* ed = frame->OpenByName(folder.Write("marks.txt", "zero\r\none\r\ntwo\r\nthree\r\n").c_str());
    ASSERT_NE(ed, nullptr);
    int enabledBefore = -1;
    Drive(CM_GOTOBOOKMARK, "Go to Bookmark", [&](HWND box, int) {
        enabledBefore = 0;
        for (int i = 0; i < 10; ++i)
            enabledBefore += IsWindowEnabled(GetDlgItem(box, IDC_BOOKMARK0 + i)) ? 1 : 0;
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_EQ(enabledBefore, 0);

    ed->GotoPosition(2, 2, false);
    int markersBefore = -1;
    Drive(CM_DROPBOOKMARK, "Drop Bookmark", [&](HWND box, int) {
        markersBefore = 0;
        for (int i = 0; i < 10; ++i)
            markersBefore += IsWindowVisible(GetDlgItem(box, IDC_BOOKMARKSET0 + i)) ? 1 : 0;
        Press(box, IDC_BOOKMARK0 + 3);
        return true;
    });
    EXPECT_EQ(markersBefore, 0);
    EXPECT_TRUE(ed->bookmarkSet[3]);

    ed->GotoPosition(0, 0, false);
    std::vector<int> markers;
    Drive(CM_DROPBOOKMARK, "Drop Bookmark", [&](HWND box, int) {
        for (int i = 0; i < 10; ++i)
            if (IsWindowVisible(GetDlgItem(box, IDC_BOOKMARKSET0 + i)))
                markers.push_back(i);
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_EQ(markers, (std::vector<int>{3}));

    std::vector<int> enabled;
    Drive(CM_GOTOBOOKMARK, "Go to Bookmark", [&](HWND box, int) {
        for (int i = 0; i < 10; ++i)
            if (IsWindowEnabled(GetDlgItem(box, IDC_BOOKMARK0 + i)))
                enabled.push_back(i);
        Press(box, IDC_BOOKMARK0 + 3);
        return true;
    });
    EXPECT_EQ(enabled, (std::vector<int>{3}));
    EXPECT_EQ(ed->curLineNo, 2);
    EXPECT_EQ(ed->curCol, 2);
}

// ---- More Files. ---------------------------------------------------------------------------------------

TEST_F(OptionDialogs, MoreFilesListsTheDesktopNewestFirstAndOpensTheChosenFile)
{
    const std::string older = folder.Write("older.txt", "older\r\n");
    const std::string newer = folder.Write("newer.txt", "newer\r\n");
    ProgramDesktop().Add(older.c_str(), 0, 0, 0, 0, 200, 100, 1);
    ProgramDesktop().Add(newer.c_str(), 0, 0, 0, 0, 200, 100, 1);
    std::vector<std::string> listed;
    Drive(CM_MOREFILES, "Open File", [&](HWND box, int) {
        HWND list = GetDlgItem(box, IDC_MOREFILES_LIST);
        const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[300] = "";
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            listed.push_back(text);
        }
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
        SendMessageA(list, LB_SETCURSEL, 1, 0);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_MOREFILES_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
        return true;
    });
    EXPECT_EQ(listed, (std::vector<std::string>{newer, older}));
    ASSERT_NE(frame->ActiveEditor(), nullptr);
    EXPECT_EQ(lstrcmpiA(frame->ActiveEditor()->FileName().c_str(), older.c_str()), 0);

    ProgramDesktop().Clear();
    bool shown = false;
    Drive(CM_MOREFILES, "Open File", [&](HWND box, int) {
        shown = true;
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_FALSE(shown);
}

// ---- Tip of the Day. -----------------------------------------------------------------------------------

class TipDialog : public OptionDialogs {
protected:
    // Shows the tips file text in a dialog, reads the tip shown at each press of Next Tip and closes it,
    // leaving the start-up box as startUp.
    std::vector<std::string> Show(int count, bool startUp)
    {
        std::vector<std::string> seen;
        TModalDriver::Run(
            "Tip of the Day",
            [&] {
                TTipDlg dialog(GetModuleHandleA(nullptr), tipsPath, settings);
                return static_cast<int>(dialog.Run(hwnd));
            },
            [&](HWND box, int) {
                seen.push_back(Field(box, IDC_TIP_TEXT));
                if (static_cast<int>(seen.size()) < count) {
                    Press(box, IDC_TIP_NEXT);
                    return false;
                }
                if (IsChecked(box, IDC_TIP_STARTUP) != startUp)
                    Toggle(box, IDC_TIP_STARTUP);
                Press(box, IDOK);
                return true;
            });
        return seen;
    }
    void Touch(int minutes)
    {
        HANDLE h = CreateFileA(tipsPath.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        FILETIME t;
        GetFileTime(h, nullptr, nullptr, &t);
        ULARGE_INTEGER v{{t.dwLowDateTime, t.dwHighDateTime}};
        v.QuadPart += static_cast<ULONGLONG>(minutes) * 60 * 10000000;
        t.dwLowDateTime = v.LowPart;
        t.dwHighDateTime = v.HighPart;
        SetFileTime(h, nullptr, nullptr, &t);
        CloseHandle(h);
    }

    std::string tipsPath = folder.File("OZM.TIP");
    TWin32Profile settings{folder.File("tips.ini")};
};

TEST_F(TipDialog, NextTipGoesRoundAndTheNextOpeningGoesOn)
{
    folder.Write("OZM.TIP", "; tips\r\nfirst\r\n\r\n comment\r\nsecond\r\nthird\r\n");
    EXPECT_EQ(Show(4, true), (std::vector<std::string>{"first", "second", "third", "first"}));
    EXPECT_EQ(Show(1, false), (std::vector<std::string>{"second"}));
    EXPECT_EQ(settings.GetText("Tip", "StartUp", "", 8), "1");
    EXPECT_FALSE(TTipsFile(tipsPath, settings).ShowAtStartUp());
    // A changed file starts again at its first tip.
    folder.Write("OZM.TIP", "alpha\r\nbeta\r\n");
    Touch(5);
    EXPECT_EQ(Show(2, true), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(settings.GetText("Tip", "StartUp", "", 8), "0");
}

TEST_F(TipDialog, ACommentOnlyFileKeepsTheDialogAliveAndAMissingOneSaysSo)
{
    folder.Write("OZM.TIP", "; nothing\r\n  but comments\r\n");
    EXPECT_EQ(Show(3, true), (std::vector<std::string>{"", "", ""}));
    tipsPath = folder.File("missing.tip");
    EXPECT_EQ(Show(1, true), (std::vector<std::string>{"Tips file does not exist in the prescribed directory"}));
}

// ---- Insert Symbol. ------------------------------------------------------------------------------------

TEST_F(OptionDialogs, InsertSymbolPutsTheClickedCodeIntoTheDocument)
{
    TWindowsEditor* ed = frame->NewDocument();
    ASSERT_NE(ed, nullptr);
    int rows = 0, firstCode = -1;
    std::string face;
    TModalDriver::Run(
        "Insert Symbol",
        [&] {
            ed->ExecuteCommand(cmInsertSymbol, 0);
            return 0;
        },
        [&](HWND box, int tick) {
            HWND panel = GetDlgItem(box, IDC_SYM_PANEL);
            if (tick == 0) {
                // OK with nothing chosen only beeps.
                EXPECT_EQ(ClassOf(panel), kCharmapPanelClass);
                Press(box, IDOK);
                return false;
            }
            RECT first = CharmapCellRect(panel, 32);
            firstCode = CharmapCodeAt(panel, first.left + 1, first.top + 1);
            RECT last = CharmapCellRect(panel, 255);
            RECT client;
            GetClientRect(panel, &client);
            rows = (last.bottom + 1) / (first.bottom - first.top + 1);
            EXPECT_LE(last.right, client.right);
            HWND fonts = GetDlgItem(box, IDC_SYM_FONT);
            EXPECT_GT(SendMessageA(fonts, CB_GETCOUNT, 0, 0), 0);
            SendMessageA(fonts, CB_SETCURSEL, 0, 0);
            SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_SYM_FONT, CBN_SELCHANGE), reinterpret_cast<LPARAM>(fonts));
            char text[LF_FACESIZE] = "";
            SendMessageA(fonts, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
            face = text;
            RECT a = CharmapCellRect(panel, 'A');
            SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.left + 2, a.top + 2));
            SendMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(a.left + 2, a.top + 2));
            Press(box, IDOK);
            return true;
        });
    EXPECT_EQ(firstCode, 32);
    EXPECT_EQ(rows, 7);
    EXPECT_EQ(Line(ed, 0), "A");
    EXPECT_EQ(RememberedSymbolFace(), face);

    // A double-click chooses at once; the face chosen last is the one offered.
    std::string offered;
    TModalDriver::Run(
        "Insert Symbol",
        [&] {
            ed->ExecuteCommand(cmInsertSymbol, 0);
            return 0;
        },
        [&](HWND box, int) {
            char text[LF_FACESIZE] = "";
            GetDlgItemTextA(box, IDC_SYM_FONT, text, sizeof text);
            offered = text;
            HWND panel = GetDlgItem(box, IDC_SYM_PANEL);
            RECT z = CharmapCellRect(panel, 0xE8);
            SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(z.left + 2, z.top + 2));
            PostMessageA(panel, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(z.left + 2, z.top + 2));
            return true;
        });
    EXPECT_EQ(offered, face);
    EXPECT_EQ(Line(ed, 0), "A\xE8");
}

// ---- Associate. ----------------------------------------------------------------------------------------

void DeleteTree(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char name[256];
    for (;;) {
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        DeleteTree(key, name);
    }
    RegCloseKey(key);
    RegDeleteKeyA(root, path.c_str());
}

class AssociateDialog : public OptionDialogs {
protected:
    void SetUp() override
    {
        OptionDialogs::SetUp();
        DeleteTree(HKEY_CURRENT_USER, kBase);
    }
    void TearDown() override
    {
        DeleteTree(HKEY_CURRENT_USER, kBase);
        OptionDialogs::TearDown();
    }
    // Runs the dialog on the test's part of the registry, plays step and closes it.
    void Run(std::function<void(HWND)> step, const std::string& base = kClasses)
    {
        TModalDriver::Run(
            "Associate",
            [&] {
                TAssociateFilesDlg dialog(GetModuleHandleA(nullptr), settings, program,
                                          TAssociationTarget{HKEY_CURRENT_USER, base});
                return static_cast<int>(dialog.Run(hwnd));
            },
            [&](HWND box, int tick) {
                if (tick == 0) {
                    step(box);
                    return false;
                }
                Press(box, IDOK);
                return true;
            });
    }
    // The default value of a key under the test's classes, "-" when the key is missing.
    static std::string Value(const std::string& key)
    {
        char text[300] = "";
        LONG size = sizeof text;
        if (RegQueryValueA(HKEY_CURRENT_USER, (std::string(kClasses) + "\\" + key).c_str(), text, &size)
            != ERROR_SUCCESS)
            return "-";
        return text;
    }
    static std::vector<std::string> Keys()
    {
        std::vector<std::string> names;
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kClasses, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return names;
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD size = sizeof name;
            if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            names.push_back(name);
        }
        RegCloseKey(key);
        std::sort(names.begin(), names.end());
        return names;
    }

    static constexpr const char* kBase = "Software\\VokTests";
    static constexpr const char* kClasses = "Software\\VokTests\\Classes";
    TWin32Profile settings{folder.File("assoc.ini")};
    std::string program = "C:\\Program Files\\Vok\\OZM.EXE";
};

TEST_F(AssociateDialog, WritesExactlyTheKeysOfTheCheckedBoxes)
{
    std::vector<int> checked;
    Run([&](HWND box) {
        for (int id = IDC_ASSOC_TXT; id <= IDC_ASSOC_INC; ++id)
            if (IsChecked(box, id))
                checked.push_back(id);
        Toggle(box, IDC_ASSOC_INI);
        Toggle(box, IDC_ASSOC_INF);
        Toggle(box, IDC_ASSOC_CPP);
        Press(box, IDC_ASSOC_DO);
    });
    EXPECT_EQ(checked, (std::vector<int>{IDC_ASSOC_TXT, IDC_ASSOC_INI, IDC_ASSOC_INF}));
    EXPECT_EQ(Keys(), (std::vector<std::string>{".cpp", ".cxx", ".txt", "ozmtxtfile", "txtfile"}));
    const std::string open = "\"C:\\Program Files\\Vok\\OZM.EXE\" \"%1\"";
    EXPECT_EQ(Value("txtfile"), "Text Document");
    EXPECT_EQ(Value("txtfile\\shell\\open\\command"), open);
    EXPECT_EQ(Value(".txt"), "txtfile");
    EXPECT_EQ(Value("ozmtxtfile"), "Text File");
    EXPECT_EQ(Value("ozmtxtfile\\shell\\open\\command"), open);
    EXPECT_EQ(Value(".cpp"), "ozmtxtfile");
    EXPECT_EQ(Value(".cxx"), "ozmtxtfile");
    EXPECT_TRUE(services.shown.empty());
}

TEST_F(AssociateDialog, NothingCheckedWritesNothing)
{
    Run([&](HWND box) {
        for (int id : {IDC_ASSOC_TXT, IDC_ASSOC_INI, IDC_ASSOC_INF})
            Toggle(box, id);
        Press(box, IDC_ASSOC_DO);
    });
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kClasses, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_TRUE(services.shown.empty());
}

// A key that may not be written is reported, not passed over in silence.
TEST_F(AssociateDialog, ARefusedWriteShowsTheMessage)
{
    // Below a volatile key only volatile keys can be made, so every write of an association fails.
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\VokTests\\Volatile", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    Run([&](HWND box) { Press(box, IDC_ASSOC_DO); }, "Software\\VokTests\\Volatile\\Classes");
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0], static_cast<unsigned>(IDS_ASSOC_FAILED));
    EXPECT_NE(services.args[0].find("(txtfile)"), std::string::npos) << services.args[0];
}

// The open command the dialog writes, run on a file whose path holds blanks, opens that one file.
TEST_F(AssociateDialog, APathWithBlanksOpensAsOneFile)
{
    Run([&](HWND box) { Press(box, IDC_ASSOC_DO); });
    std::string command = Value("txtfile\\shell\\open\\command");
    ASSERT_NE(command.find("\"%1\""), std::string::npos) << command;
    const std::string file = folder.Write("read me now.txt", "blanks\r\n");
    command.replace(command.find("%1"), 2, file);
    // What the program's entry receives: the text after its own (quoted) path.
    const std::string arguments = command.substr(command.find('"', 1) + 2);
    frame->OpenCommandLine(arguments.c_str());
    ASSERT_EQ(frame->Editors().size(), 1u);
    EXPECT_EQ(lstrcmpiA(frame->Editors()[0]->FileName().c_str(), file.c_str()), 0);
    EXPECT_EQ(Line(frame->Editors()[0], 0), "blanks");
}

// Steps for dialogs that follow one another: each runs once the dialog of its caption is up. A chain that
// stalls closes what is open, so that a fault cannot hang the run.
struct TChainStep {
    const char* caption;
    std::function<void(HWND)> act;
};
std::vector<TChainStep> gChain;
std::vector<std::string> gChainSeen;
int gChainTicks = 0;

void CALLBACK ChainTick(HWND, UINT, UINT_PTR, DWORD) noexcept
{
    if (++gChainTicks > 200) {
        for (const char* caption : {"Tip of the Day", "Associate"})
            if (HWND open = FindWindowA(nullptr, caption))
                EndDialog(open, IDCANCEL);
        return;
    }
    if (gChain.empty())
        return;
    HWND box = FindWindowA(nullptr, gChain.front().caption);
    if (!box || !IsWindowVisible(box))
        return;
    gChainSeen.push_back(gChain.front().caption);
    auto act = std::move(gChain.front().act);
    gChain.erase(gChain.begin());
    act(box);
}

TEST_F(AssociateDialog, StartUpShowsTheTipThenTheDialogUntilItIsUnchecked)
{
    (void)settings.WriteString("Tip", "StartUp", "0");
    (void)settings.WriteString("Settings", "AssociateDlgStartUp", "1");
    bool boxChecked = false;
    gChainSeen.clear();
    gChainTicks = 0;
    gChain = {{"Tip of the Day", [](HWND box) { Press(box, IDOK); }},
              {"Associate", [&](HWND box) {
                   boxChecked = IsChecked(box, IDC_ASSOC_STARTUP);
                   Toggle(box, IDC_ASSOC_STARTUP);
                   Press(box, IDOK);
               }}};
    UINT_PTR timer = SetTimer(nullptr, 0, 40, ChainTick);
    const bool again = RunStartUpDialogs(GetModuleHandleA(nullptr), hwnd, settings, true, false);
    EXPECT_EQ(gChainSeen, (std::vector<std::string>{"Tip of the Day", "Associate"}));
    EXPECT_TRUE(boxChecked);
    EXPECT_FALSE(again);
    EXPECT_EQ(settings.GetText("Settings", "AssociateDlgStartUp", "", 8), "0");

    // Unchecked, and with the tips switched off, the next start shows neither.
    (void)settings.WriteString("Tip", "StartUp", "1");
    gChainSeen.clear();
    gChainTicks = 190;
    gChain = {{"Associate", [](HWND box) { Press(box, IDOK); }}};
    EXPECT_FALSE(RunStartUpDialogs(GetModuleHandleA(nullptr), hwnd, settings, again, false));
    PumpMessages(100);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(gChainSeen.empty());
    gChain.clear();
}

// A test run of the program starts straight into its script unless its settings ask for the dialogs.
TEST_F(AssociateDialog, ATestRunShowsTheStartUpDialogsOnlyWhenItsSettingsSetThem)
{
    gChainSeen.clear();
    gChainTicks = 0;
    gChain = {{"Tip of the Day", [](HWND box) { Press(box, IDOK); }}, {"Associate", [](HWND box) { Press(box, IDOK); }}};
    UINT_PTR timer = SetTimer(nullptr, 0, 40, ChainTick);
    EXPECT_TRUE(RunStartUpDialogs(GetModuleHandleA(nullptr), hwnd, settings, true, true));
    PumpMessages(100);
    EXPECT_TRUE(gChainSeen.empty());
    (void)settings.WriteString("Settings", "AssociateDlgStartUp", "1");
    gChainTicks = 0;
    gChain = {{"Associate", [](HWND box) { Press(box, IDOK); }}};
    RunStartUpDialogs(GetModuleHandleA(nullptr), hwnd, settings, true, true);
    KillTimer(nullptr, timer);
    EXPECT_EQ(gChainSeen, (std::vector<std::string>{"Associate"}));
    gChain.clear();
}

// ---- Restore Desktop. ----------------------------------------------------------------------------------

TEST_F(OptionDialogs, RestoreDesktopReopensEachWindowInItsSavedState)
{
    const std::string minimised = folder.Write("min.txt", "m\r\n");
    const std::string normal = folder.Write("normal.txt", "n\r\n");
    const std::string maximised = folder.Write("max.txt", "x\r\n");
    ProgramDesktop().Add(minimised.c_str(), 0, 0, 10, 10, 200, 100, 2);
    ProgramDesktop().Add(normal.c_str(), 0, 0, 20, 20, 200, 100, 1);
    ProgramDesktop().Add(maximised.c_str(), 0, 0, 30, 30, 200, 100, 3);
    TWin32Profile ini{folder.File("ozm.ini")};
    (void)ini.WriteString("AutoLoad", "1", normal.c_str());
    (void)ini.WriteString("AutoLoad", "2", minimised.c_str());
    (void)ini.WriteString("AutoLoad", "3", maximised.c_str());
    Command(CM_RESTOREDESKTOPNOW);
    PumpMessages();
    auto windowOf = [&](const std::string& path) -> HWND {
        for (TWindowsEditor* e : frame->Editors())
            if (lstrcmpiA(e->FileName().c_str(), path.c_str()) == 0)
                return e->Handle();
        return nullptr;
    };
    ASSERT_EQ(frame->Editors().size(), 3u);
    EXPECT_TRUE(IsIconic(windowOf(minimised)));
    EXPECT_FALSE(IsZoomed(windowOf(normal)));
    EXPECT_FALSE(IsIconic(windowOf(normal)));
    EXPECT_TRUE(IsZoomed(windowOf(maximised)));
}

}  // namespace

namespace {

// ---- External Help Files. ------------------------------------------------------------------------------

TEST_F(OptionDialogs, HelpOptionsEditsTheFiveEntriesAndTheActiveOne)
{
    ProgramSettings().userHelp = TUserHelp{};
    ProgramSettings().userHelp.Set(0, "Win32", "C:\\REF\\WIN32.HLP");
    std::string shownMenu, shownFile;
    bool firstActive = false;
    Drive(CM_HELPOPTIONS, "External Help Files", [&](HWND box, int tick) {
        if (tick == 0) {
            shownMenu = Field(box, 102);
            shownFile = Field(box, 103);
            firstActive = IsChecked(box, 101);
            // The fields take what the settings hold: 19 and 79 characters.
            SetField(box, 122, std::string(30, 'm').c_str());
            SetField(box, 123, "C:\\REF\\API.CHM");
            Toggle(box, 121);
            Press(box, IDC_HELPBUTTON);
            return false;
        }
        EXPECT_FALSE(IsChecked(box, 101));
        Press(box, IDOK);
        return true;
    });
    EXPECT_EQ(shownMenu, "Win32");
    EXPECT_EQ(shownFile, "C:\\REF\\WIN32.HLP");
    EXPECT_TRUE(firstActive);
    const TUserHelp& stored = ProgramSettings().userHelp;
    EXPECT_EQ(stored.Active(), 2);
    EXPECT_STREQ(stored[2].helpFile, "C:\\REF\\API.CHM");
    EXPECT_EQ(std::string(stored[2].menuString), std::string(19, 'm'));
    EXPECT_STREQ(stored[0].helpFile, "C:\\REF\\WIN32.HLP");
    EXPECT_TRUE(stored.KeywordAvailable());
    // Its Help button asked for the dialog's topic.
    ASSERT_FALSE(help.asked.empty());
    EXPECT_EQ(help.asked.front().context, 10835u);
    ProgramSettings().userHelp = TUserHelp{};
}

}  // namespace
