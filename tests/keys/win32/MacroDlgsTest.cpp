// The macro dialogs and Editor Commands over a real editor window: recording named from the dialog, the
// Macro dialog's rename, delete and description, Edit Macro's compile question, and the command list.
#include "search/win32/SearchWindowFixture.h"

#include <algorithm>

#include "MacroIds.h"
#include "keys/KeyMap.h"
#include "keys/KeymapFile.h"
#include "keys/win32/CommandsDlg.h"
#include "keys/win32/MacroDlgs.h"
#include "macros/MacroRecorder.h"
#include "macros/MacroTable.h"
#include "macros/MacroText.h"
#include "shell/Settings.h"
#include "shell/win32/KeyMapping.h"
#include "shell/win32/KeyMappingDlg.h"
#include "shell/win32/VokMessage.h"

namespace {

std::vector<std::string> gShown;
int gAnswer = IDOK;

int RecordMessage(HWND, const std::string& text, unsigned)
{
    gShown.push_back(text);
    return gAnswer;
}

std::vector<std::string> ListItems(HWND box, int id)
{
    HWND list = GetDlgItem(box, id);
    bool combo = ClassOf(list) == "ComboBox";
    int n = static_cast<int>(SendMessageA(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    std::vector<std::string> items;
    for (int i = 0; i < n; ++i) {
        char text[256] = {};
        SendMessageA(list, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

void Pick(HWND box, int id, const char* item)
{
    HWND list = GetDlgItem(box, id);
    bool combo = ClassOf(list) == "ComboBox";
    LRESULT i = SendMessageA(list, combo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(item));
    SendMessageA(list, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(i), 0);
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

// Keys reach the window through the program's key map, as in the program.
class TKeyMapServices : public TSearchTestServices {
public:
    unsigned LookupKey(uint16_t* state, TKeyMessage kind, unsigned code, unsigned modifiers) override
    {
        return ProgramKeyMap().LookupKeyMessage(*state, kind, code, modifiers);
    }
};

class MacroDlg : public SearchWindowTest {
protected:
    void SetUp() override
    {
        SearchWindowTest::SetUp();
        SetEditorServices(&keyServices);
        InstallMacroHost();
        Macros().Clear();
        ProgramKeyMap().SetDefaults();
        gShown.clear();
        gAnswer = IDOK;
        SetKeyDlgMessenger(RecordMessage);
    }
    void TearDown() override
    {
        if (ed)
            ed->ExecuteCommand(cmMacroStopRecorder, 0);
        SetKeyDlgMessenger(nullptr);
        Macros().Clear();
        ProgramKeyMap().SetDefaults();
        SearchWindowTest::TearDown();
    }
    // Runs a dialog object modally under the driver.
    template <class Dialog>
    INT_PTR Drive(Dialog& dialog, const char* caption, TModalDriver::TStep step)
    {
        INT_PTR result = 0;
        TModalDriver::Run(
            caption,
            [&] {
                result = dialog.Run(ed->Handle());
                return 0;
            },
            std::move(step));
        PumpMessages();
        return result;
    }
    // A macro in slot 0 with the given text compiled into it.
    unsigned MakeMacro(const char* name, const char* text)
    {
        Macros().Create(0);
        Macros().SetMacroName(1000, name);
        int line = 0;
        EXPECT_EQ(CompileMacro(Macros(), 1000, text, &line), kCompileOk);
        return 1000;
    }
    std::string Text() { return MacroToText(Macros(), 1000).value_or("(none)"); }

    TKeyMapServices keyServices;
};

}  // namespace

TEST_F(MacroDlg, RecordingNamedInTheDialogRecordsTypingAndBindsTheKey)
{
    Load("x");
    std::string name, mapped;
    bool ctrl = false, shift = false, alt = true;
    std::vector<std::string> keys;
    RunDialog("Record Macro", cmRecordMacro, [&](HWND box, int) {
        name = Field(box, IDC_REC_NAME);
        ctrl = IsChecked(box, IDC_REC_CTRL);
        shift = IsChecked(box, IDC_REC_SHIFT);
        alt = IsChecked(box, IDC_REC_ALT);
        keys = ListItems(box, IDC_REC_KEY);
        Pick(box, IDC_REC_KEY, "M");
        mapped = Field(box, IDC_REC_MAPPED);
        SetField(box, IDC_REC_NAME, "Greet");
        SetField(box, IDC_REC_DESC, "Says hello");
        Press(box, IDOK);
        return true;
    });
    EXPECT_EQ(name.rfind("Macro", 0), 0u);
    EXPECT_TRUE(ctrl);
    EXPECT_TRUE(shift);
    EXPECT_FALSE(alt);
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys[0], "");
    EXPECT_EQ(mapped, "(none)");
    ASSERT_TRUE(ed->recording);
    ed->OnChar('H');
    ed->OnChar('i');
    ed->OnKeyDown(VK_RETURN, false);
    ed->ExecuteCommand(cmMacroStopRecorder, 0);
    EXPECT_FALSE(ed->recording);
    EXPECT_EQ(Macros().MacroName(1000), "Greet");
    EXPECT_EQ(Macros().MacroDescription(1000), "Says hello");
    EXPECT_EQ(Text(), "InsertText \"Hi\"\r\nNewLine\r\n");
    EXPECT_EQ(ProgramKeyMap().MainTable().CommandOf(WithModifiers(VirtualKey('M'), false, true, true)), 1000);
}

// A key bound to RecordMacro starts a recording as the menu does; the same key then records nothing of itself.
TEST_F(MacroDlg, RecordingStartsFromAKeyBoundToIt)
{
    Load("");
    ASSERT_TRUE(ProgramKeyMap().MapKey(VirtualKey(VK_F12), false, false, false, cmRecordMacro));
    TModalDriver::Run(
        "Record Macro",
        [&] {
            ed->OnKeyDown(VK_F12, false);
            return 0;
        },
        [&](HWND box, int) {
            SetField(box, IDC_REC_NAME, "ByKey");
            Press(box, IDOK);
            return true;
        });
    PumpMessages();
    ASSERT_TRUE(ed->recording);
    ed->OnChar('z');
    ed->OnKeyDown(VK_F12, false);
    ed->ExecuteCommand(cmMacroStopRecorder, 0);
    EXPECT_EQ(Macros().MacroName(1000), "ByKey");
    EXPECT_EQ(Text(), "InsertText \"z\"\r\n");
}

TEST_F(MacroDlg, RecordRefusesBadNamesAndKeysAndCancelGivesTheSlotBack)
{
    std::string mapped;
    RunDialog("Record Macro", cmRecordMacro, [&](HWND box, int tick) {
        switch (tick) {
        case 0:
            SetField(box, IDC_REC_NAME, "two words");
            Press(box, IDOK);
            return false;
        case 1:
            SetField(box, IDC_REC_NAME, "newline");
            Press(box, IDOK);
            return false;
        case 2:
            // The letter A without Ctrl or Alt is typing, never a key to bind.
            SetField(box, IDC_REC_NAME, "Fine");
            Toggle(box, IDC_REC_CTRL);
            Pick(box, IDC_REC_KEY, "A");
            Press(box, IDOK);
            return false;
        case 3:
            Toggle(box, IDC_REC_CTRL);
            mapped = Field(box, IDC_REC_MAPPED);
            Press(box, IDCANCEL);
            return true;
        default: return true;
        }
    });
    ASSERT_EQ(gShown.size(), 3u);
    EXPECT_EQ(gShown[0], "This is not valid macro name.");
    EXPECT_EQ(gShown[1], "The macro (command) 'newline' already exists.");
    EXPECT_EQ(gShown[2], kNotMappableText);
    // Ctrl+Shift+A is not bound in the default map; Ctrl+A would be SelectAll.
    EXPECT_EQ(mapped, "(none)");
    EXPECT_FALSE(ed->recording);
    EXPECT_EQ(Macros().Count(), 0);
}

TEST_F(MacroDlg, RecordShowsWhatTheCombinationRunsNow)
{
    std::string mapped;
    RunDialog("Record Macro", cmRecordMacro, [&](HWND box, int) {
        Toggle(box, IDC_REC_SHIFT);
        Pick(box, IDC_REC_KEY, "A");
        mapped = Field(box, IDC_REC_MAPPED);
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_EQ(mapped, "SelectAll");
}

TEST_F(MacroDlg, MacroDialogRenamesChangesTheDescriptionAndRuns)
{
    Load("");
    MakeMacro("Greet", "InsertText \"ok\"\n");
    ASSERT_TRUE(ProgramKeyMap().MapKey(VirtualKey('M'), false, true, true, 1000));
    std::vector<std::string> names, renamed;
    std::string keys;
    RunDialog("Macro", cmMacro, [&](HWND box, int tick) {
        if (tick == 0) {
            names = ListItems(box, IDC_MACRO_LIST);
            keys = Field(box, IDC_MACRO_KEYS);
            SetField(box, IDC_MACRO_DESC, "Types ok");
            Press(box, IDC_MACRO_RENAME);
            return false;
        }
        if (HWND rename = FindWindowA(nullptr, "Rename")) {
            SetField(rename, IDC_RENAME_NAME, "Okay");
            Press(rename, IDOK);
            return false;
        }
        renamed = ListItems(box, IDC_MACRO_LIST);
        if (renamed != std::vector<std::string>{"Okay"})
            return false;
        Press(box, IDC_MACRO_RUN);
        return true;
    });
    EXPECT_EQ(names, std::vector<std::string>{"Greet"});
    EXPECT_EQ(keys, "Ctrl+Shift+M");
    EXPECT_EQ(Macros().MacroName(1000), "Okay");
    EXPECT_EQ(Macros().MacroDescription(1000), "Types ok");
    EXPECT_EQ(Line(0), "ok");
}

TEST_F(MacroDlg, DeleteIsRefusedWhileRecordingAndOtherwiseImmediate)
{
    MakeMacro("Gone", "NewLine\n");
    Macros().SetRecording(5, true);
    TMacroDlg first(GetModuleHandleA(nullptr), Macros(), ProgramKeyMap());
    Drive(first, "Macro", [&](HWND box, int) {
        Press(box, IDC_MACRO_DELETE);
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_NE(Macros().Find(1000), nullptr);
    Macros().SetRecording(5, false);
    std::vector<std::string> left;
    TMacroDlg second(GetModuleHandleA(nullptr), Macros(), ProgramKeyMap());
    Drive(second, "Macro", [&](HWND box, int tick) {
        if (tick == 0) {
            Press(box, IDC_MACRO_DELETE);
            return false;
        }
        left = ListItems(box, IDC_MACRO_LIST);
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_EQ(Macros().Find(1000), nullptr);
    EXPECT_TRUE(left.empty());
}

TEST_F(MacroDlg, EditCompilesOnYesKeepsTheDialogOnAnErrorLineAndDiscardsOnNo)
{
    MakeMacro("Edited", "NewLine\n");
    TMacroEditDlg dialog(GetModuleHandleA(nullptr), Macros(), ProgramKeyMap(), 1000, Text());
    std::string shown;
    DWORD selStart = 0, selEnd = 0;
    bool openedAtStart = false;
    Drive(dialog, "Edit Macro", [&](HWND box, int tick) {
        HWND field = GetDlgItem(box, IDC_EDIT_TEXT);
        switch (tick) {
        case 0:
            shown = Field(box, IDC_EDIT_TEXT);
            SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
            openedAtStart = selStart == 0 && selEnd == 0;
            SendMessageA(field, EM_SETSEL, 0, -1);
            SendMessageA(field, EM_REPLACESEL, TRUE,
                         reinterpret_cast<LPARAM>("NewLine\r\n; note\r\nBogus\r\n"));
            gAnswer = IDCANCEL;
            Press(box, IDCANCEL);
            return false;
        case 1:
            gAnswer = IDYES;
            Press(box, IDCANCEL);
            return false;
        case 2:
            SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                         reinterpret_cast<LPARAM>(&selEnd));
            SendMessageA(field, EM_SETSEL, 0, -1);
            SendMessageA(field, EM_REPLACESEL, TRUE,
                         reinterpret_cast<LPARAM>("NewLine\r\nInsertText \"a\"\r\n"));
            Press(box, IDCANCEL);
            return true;
        default: return true;
        }
    });
    EXPECT_EQ(shown, "NewLine\r\n");
    // Nothing selected at first: a key typed must not replace the whole macro.
    EXPECT_TRUE(openedAtStart);
    ASSERT_EQ(gShown.size(), 4u);
    EXPECT_EQ(gShown[0], kCompileQuestionText);
    EXPECT_EQ(gShown[1], kCompileQuestionText);
    EXPECT_EQ(gShown[2], "Compile Error\n\nLine 3: Unknown command.");
    EXPECT_EQ(gShown[3], kCompileQuestionText);
    // "Bogus" is the third line: it starts after "NewLine\r\n; note\r\n".
    EXPECT_EQ(selStart, 17u);
    EXPECT_EQ(selEnd, 22u);
    EXPECT_TRUE(dialog.Compiled());
    EXPECT_EQ(Text(), "NewLine\r\nInsertText \"a\"\r\n");

    gShown.clear();
    gAnswer = IDNO;
    TMacroEditDlg again(GetModuleHandleA(nullptr), Macros(), ProgramKeyMap(), 1000, Text());
    Drive(again, "Edit Macro", [&](HWND box, int) {
        SendMessageA(GetDlgItem(box, IDC_EDIT_TEXT), EM_REPLACESEL, TRUE,
                     reinterpret_cast<LPARAM>("Tab\r\n"));
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_EQ(gShown.size(), 1u);
    EXPECT_FALSE(again.Compiled());
    EXPECT_EQ(Text(), "NewLine\r\nInsertText \"a\"\r\n");
}

TEST_F(MacroDlg, InsertCommandPutsTheChosenNameAtTheCaret)
{
    MakeMacro("Ins", "");
    TMacroEditDlg dialog(GetModuleHandleA(nullptr), Macros(), ProgramKeyMap(), 1000, Text());
    std::string text;
    Drive(dialog, "Edit Macro", [&](HWND box, int tick) {
        if (tick == 0) {
            Press(box, IDC_EDIT_INSERTCMD);
            return false;
        }
        if (HWND commands = FindWindowA(nullptr, "Editor Commands")) {
            Pick(commands, IDC_CMD_LIST, "CursorDown");
            Press(commands, IDOK);
            return false;
        }
        text = Field(box, IDC_EDIT_TEXT);
        if (text.empty())
            return false;
        gAnswer = IDYES;
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_EQ(text, "CursorDown\r\n");
    EXPECT_EQ(Text(), "CursorDown\r\n");
}

TEST_F(MacroDlg, UnnamedRecordedCommandIsNotCalledTooLarge)
{
    Macros().Create(0);
    TStepArray steps;
    ASSERT_EQ(steps.Append({25, 0}), TStepArray::TAppend::Ok);
    Macros().ReplaceSteps(1000, steps);
    EXPECT_FALSE(EditMacro(GetModuleHandleA(nullptr), ed->Handle(), Macros(), ProgramKeyMap(), 1000));
    ASSERT_EQ(gShown.size(), 1u);
    EXPECT_EQ(gShown[0], UnnamedCommandMessage(25));
    EXPECT_EQ(gShown[0].find(kMacroTooLargeToEdit), std::string::npos);
}

TEST_F(MacroDlg, CommandsListCategoriesInOrderAndRunsTheChosenCommand)
{
    Load("a\nb");
    std::vector<std::string> categories, all, search;
    std::string description, keysOfFind;
    TEditorCommandsDlg dialog(GetModuleHandleA(nullptr), ProgramKeyMap());
    INT_PTR result = Drive(dialog, "Editor Commands", [&](HWND box, int) {
        categories = ListItems(box, IDC_CMD_CATEGORY);
        all = ListItems(box, IDC_CMD_LIST);
        Pick(box, IDC_CMD_CATEGORY, "Search");
        search = ListItems(box, IDC_CMD_LIST);
        Pick(box, IDC_CMD_LIST, "Find");
        description = Field(box, IDC_CMD_DESC);
        keysOfFind = ListItems(box, IDC_CMD_KEYS).empty() ? "" : ListItems(box, IDC_CMD_KEYS)[0];
        Pick(box, IDC_CMD_CATEGORY, "Cursor Movement");
        Pick(box, IDC_CMD_LIST, "CursorDown");
        Press(box, IDOK);
        return true;
    });
    EXPECT_EQ(categories, (std::vector<std::string>{"All", "Insert and Delete", "Cursor Movement", "Select",
                                                    "Format", "Search", "Bookmarks", "Clipboard", "Options",
                                                    "Tools", "File", "Help"}));
    EXPECT_EQ(all, CommandsOfCategory(0));
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    }));
    EXPECT_EQ(std::count(all.begin(), all.end(), "InsertChar"), 0);
    EXPECT_EQ(std::count(all.begin(), all.end(), "NullCmd"), 1);
    EXPECT_NE(std::find(search.begin(), search.end(), "Find"), search.end());
    EXPECT_EQ(std::find(search.begin(), search.end(), "CursorDown"), search.end());
    EXPECT_FALSE(description.empty());
    EXPECT_EQ(description.find('\n'), std::string::npos);
    EXPECT_EQ(keysOfFind, "Ctrl+F");
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.Chosen(), static_cast<unsigned>(cmCursorDown));
}

// ---- Key Mapping and Prefix Keys. ------------------------------------------------------------------------

namespace {

int HookMessage(unsigned, const char* text, unsigned, void*)
{
    gShown.push_back(text);
    return gAnswer;
}

std::string gChosenFile;
bool ChooseTestFile(HINSTANCE, HWND, bool, std::string* path)
{
    *path = gChosenFile;
    return true;
}

class KeyMappingDlgTest : public MacroDlg {
protected:
    void SetUp() override
    {
        MacroDlg::SetUp();
        SetVokMessageHook(HookMessage, nullptr);
        SetKeymapFileChooser(ChooseTestFile);
        saved_ = ProgramSettings().keyMappingFile;
        char dir[MAX_PATH] = {};
        GetTempPathA(sizeof dir, dir);
        gChosenFile = std::string(dir) + "vokkmtest.key";
        DeleteFileA(gChosenFile.c_str());
    }
    void TearDown() override
    {
        SetVokMessageHook(nullptr, nullptr);
        SetKeymapFileChooser(nullptr);
        // Save As and Reset All made the test file the file in use beside the program.
        if (lstrcmpiA(ProgramSettings().keyMappingFile, "vokkmtest.key") == 0)
            DeleteFileA(KeymapFilePath().c_str());
        ProgramSettings().SetKeyMappingFile(saved_.c_str());
        DeleteFileA(gChosenFile.c_str());
        MacroDlg::TearDown();
    }
    INT_PTR RunKeyMapping(TModalDriver::TStep step)
    {
        TKeyMappingDlg dialog(GetModuleHandleA(nullptr), ProgramKeyMap(), Macros());
        return Drive(dialog, "Key Mapping", std::move(step));
    }
    static unsigned Main(uint16_t key) { return ProgramKeyMap().MainTable().CommandOf(key); }

    std::string saved_;
};

const uint16_t kCtrlShiftQ = WithModifiers(VirtualKey('Q'), false, true, true);

}  // namespace

TEST_F(KeyMappingDlgTest, BindsACombinationShowsItsKeysAndDeletesIt)
{
    std::string before, caption, after, notMappable;
    std::vector<std::string> keys, keysAfterDelete;
    bool addEnabled = true;
    RunKeyMapping([&](HWND box, int) {
        Toggle(box, IDC_KM_SHIFT);
        Pick(box, IDC_KM_KEY, "Q");
        Pick(box, IDC_KM_LIST, "CursorDown");
        before = Field(box, IDC_KM_MAPPED);
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_KM_ADD, BN_CLICKED), 0);
        after = Field(box, IDC_KM_MAPPED);
        caption = Field(box, IDC_KM_ADD);
        keys = ListItems(box, IDC_KM_KEYS);
        Pick(box, IDC_KM_KEYS, "Ctrl+Shift+Q");
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_KM_DELETE, BN_CLICKED), 0);
        keysAfterDelete = ListItems(box, IDC_KM_KEYS);
        // The letter alone is typing.
        Toggle(box, IDC_KM_SHIFT);
        Toggle(box, IDC_KM_CTRL);
        notMappable = Field(box, IDC_KM_MAPPED);
        addEnabled = IsWindowEnabled(GetDlgItem(box, IDC_KM_ADD));
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_EQ(before, "(none)");
    EXPECT_EQ(after, "CursorDown");
    EXPECT_EQ(caption, "Change");
    EXPECT_NE(std::find(keys.begin(), keys.end(), "Ctrl+Shift+Q"), keys.end());
    EXPECT_NE(std::find(keys.begin(), keys.end(), "Down"), keys.end());
    EXPECT_EQ(std::find(keysAfterDelete.begin(), keysAfterDelete.end(), "Ctrl+Shift+Q"),
              keysAfterDelete.end());
    EXPECT_EQ(Main(kCtrlShiftQ), 0u);
    EXPECT_EQ(notMappable, "(not mappable)");
    EXPECT_FALSE(addEnabled);
    EXPECT_TRUE(ProgramKeyMap().Modified());
}

TEST_F(KeyMappingDlgTest, ASequenceAfterAPrefixKeyTakesThePlainKey)
{
    bool ctrlEnabled = true;
    std::string mapped;
    RunKeyMapping([&](HWND box, int) {
        Pick(box, IDC_KM_PREFIX, "Ctrl+K");
        ctrlEnabled = IsWindowEnabled(GetDlgItem(box, IDC_KM_CTRL));
        Pick(box, IDC_KM_KEY, "B");
        mapped = Field(box, IDC_KM_MAPPED);
        Pick(box, IDC_KM_KEY, "Z");
        Pick(box, IDC_KM_LIST, "LineEnd");
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_KM_ADD, BN_CLICKED), 0);
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_FALSE(ctrlEnabled);
    EXPECT_EQ(mapped, "StartSelect");
    EXPECT_EQ(ProgramKeyMap().PrefixTable(1).CommandOf(VirtualKey('Z')), cmLineEnd);
}

TEST_F(KeyMappingDlgTest, PrefixKeysAreAddedAndDeletedAfterTheQuestion)
{
    std::vector<std::string> listed;
    RunKeyMapping([&](HWND box, int tick) {
        if (tick == 0) {
            Press(box, IDC_KM_CONFIGURE);
            return false;
        }
        HWND prefix = FindWindowA(nullptr, "Prefix Keys");
        if (!prefix) {
            Press(box, IDCANCEL);
            return true;
        }
        // Ctrl+Shift+P: a fourth prefix key; then deleted, first answered No, then Yes.
        Toggle(prefix, IDC_KP_SHIFT);
        Pick(prefix, IDC_KP_KEY, "P");
        SendMessageA(prefix, WM_COMMAND, MAKEWPARAM(IDC_KP_ADD, BN_CLICKED), 0);
        listed = ListItems(prefix, IDC_KP_LIST);
        Pick(prefix, IDC_KP_LIST, "Ctrl+Shift+P");
        gAnswer = IDNO;
        SendMessageA(prefix, WM_COMMAND, MAKEWPARAM(IDC_KP_DELETE, BN_CLICKED), 0);
        EXPECT_EQ(Main(WithModifiers(VirtualKey('P'), false, true, true)), 0xFF04u);
        Pick(prefix, IDC_KP_LIST, "Ctrl+Shift+P");
        gAnswer = IDYES;
        SendMessageA(prefix, WM_COMMAND, MAKEWPARAM(IDC_KP_DELETE, BN_CLICKED), 0);
        Press(prefix, IDCANCEL);
        return false;
    });
    EXPECT_EQ(listed, (std::vector<std::string>{"Ctrl+K", "Ctrl+O", "Ctrl+Q", "Ctrl+Shift+P"}));
    ASSERT_EQ(gShown.size(), 2u);
    EXPECT_EQ(gShown[0], kDeletePrefixText);
    EXPECT_EQ(Main(WithModifiers(VirtualKey('P'), false, true, true)), 0u);
}

TEST_F(KeyMappingDlgTest, SaveAsLoadAndResetAll)
{
    ASSERT_TRUE(ProgramKeyMap().MapKey(VirtualKey('Q'), false, true, true, cmCursorDown));
    RunKeyMapping([&](HWND box, int) {
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_KM_SAVEAS, BN_CLICKED), 0);
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_STREQ(ProgramSettings().keyMappingFile, "vokkmtest.key");
    EXPECT_FALSE(ProgramKeyMap().Modified());
    TKeyMap readBack;
    TMacroTable macros;
    ASSERT_EQ(LoadKeymapFile(gChosenFile, readBack, macros), TKeymapResult::Ok);
    EXPECT_EQ(readBack.MainTable().CommandOf(kCtrlShiftQ), cmCursorDown);

    // A change, then Load answered No to saving: the file's tables come back.
    ProgramKeyMap().SetDefaults();
    ProgramKeyMap().SetModified(true);
    gAnswer = IDNO;
    RunKeyMapping([&](HWND box, int) {
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_KM_LOAD, BN_CLICKED), 0);
        Press(box, IDCANCEL);
        return true;
    });
    ASSERT_EQ(gShown.size(), 1u);
    EXPECT_EQ(gShown[0], "Do you want to save the key mapping and macro changes?");
    EXPECT_EQ(Main(kCtrlShiftQ), cmCursorDown);

    // Reset All asks twice; No to the second leaves everything.
    gShown.clear();
    ProgramSettings().SetKeyMappingFile("vokkmtest.key");
    auto reset = [&](int secondAnswer) {
        RunKeyMapping([&](HWND box, int) {
            gAnswer = IDYES;
            SetVokMessageHook(
                [](unsigned, const char* text, unsigned, void* second) -> int {
                    gShown.push_back(text);
                    return gShown.size() % 2 ? IDYES : *static_cast<int*>(second);
                },
                &secondAnswer);
            SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_KM_RESET, BN_CLICKED), 0);
            SetVokMessageHook(HookMessage, nullptr);
            Press(box, IDCANCEL);
            return true;
        });
    };
    reset(IDNO);
    ASSERT_EQ(gShown.size(), 2u);
    EXPECT_EQ(
        gShown[0].rfind("Are you sure you want to reset the key assigments?\nThis action will remove all "
                        "macros in ",
                        0),
        0u);
    EXPECT_NE(gShown[0].find("vokkmtest.key."), std::string::npos);
    EXPECT_EQ(gShown[1], kResetAgainText);
    EXPECT_EQ(Main(kCtrlShiftQ), cmCursorDown);
    gShown.clear();
    reset(IDYES);
    EXPECT_EQ(gShown.size(), 2u);
    // DEFKEY.OZM holds the default map: the binding is gone, the file in use rewritten.
    EXPECT_EQ(Main(kCtrlShiftQ), 0u);
    EXPECT_EQ(Main(WithModifiers(VirtualKey('A'), false, true, false)), cmSelectAll);
}
