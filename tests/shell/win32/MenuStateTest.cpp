// The frame's menus under a real frame: states on opening, the shift when maximised, help text, help mode.
#include "shell/win32/FrameFixture.h"

#include <dlgs.h>

#include "engine/Undo.h"
#include "printing/win32/PrintDocument.h"
#include "PrintIds.h"
#include "resource.h"
#include "shell/CommandRouting.h"

namespace {

class MenuFrameTest : public FrameTest {
protected:
    HMENU Bar() { return GetMenu(hwnd); }
    // Opens the menu at position `pos` as the system does: the frame sets the items first.
    void OpenMenu(int pos)
    {
        SendMessageA(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(Bar()), 0);
        SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(Bar(), pos)), MAKELPARAM(pos, FALSE));
    }
    bool Grayed(int id) { return (GetMenuState(Bar(), static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) != 0; }
    bool Checked(int id) { return (GetMenuState(Bar(), static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0; }
    std::string ItemText(int id)
    {
        char text[128] = {};
        GetMenuStringA(Bar(), static_cast<UINT>(id), text, sizeof text, MF_BYCOMMAND);
        return text;
    }
    void Select(UINT item, UINT flags, HMENU menu)
    {
        SendMessageA(hwnd, WM_MENUSELECT, MAKEWPARAM(item, flags), reinterpret_cast<LPARAM>(menu));
    }
    std::string HelpLine() { return frame->StatusBar().HelpText(); }
};

TEST_F(MenuFrameTest, WithoutADocumentDocumentItemsAreGrayAndHelpModeEnablesThem)
{
    OpenMenu(1);
    EXPECT_EQ(ItemText(CM_UNDO), "Can't &Undo\tAlt+BkSp");
    for (int id : {CM_UNDO, CM_CUT, CM_PASTE, CM_SELECTALL, CM_FIND, CM_FILESAVE, CM_CASCADE, CM_DUPLINE})
        EXPECT_TRUE(Grayed(id)) << id;
    EXPECT_FALSE(Grayed(CM_FILENEW));
    EXPECT_FALSE(Grayed(CM_WHATIS));

    Command(CM_WHATIS);
    ASSERT_TRUE(frame->HelpMode());
    EXPECT_EQ(HelpLine(), "Shows help for the next item you click");
    OpenMenu(1);
    for (int id : {CM_UNDO, CM_CUT, CM_PASTE, CM_SELECTALL, CM_FIND, CM_FILESAVE, CM_CASCADE, CM_DUPLINE})
        EXPECT_FALSE(Grayed(id)) << id;
    // Help mode only picks an item to read about: what the program cannot run is offered too.
    EXPECT_FALSE(Grayed(CM_PRINT));
}

TEST_F(MenuFrameTest, TheUndoLabelNamesWhatTypingDidAndSelectionItemsFollow)
{
    Command(CM_FILENEW);
    TWindowsEditor* editor = frame->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    Type(editor, "abc");
    OpenMenu(1 + (frame->DocumentMaximised() ? 1 : 0));
    EXPECT_EQ(ItemText(CM_UNDO), "&Undo Typing\tAlt+BkSp");
    EXPECT_FALSE(Grayed(CM_UNDO));
    EXPECT_TRUE(Grayed(CM_REDO));
    EXPECT_TRUE(Grayed(CM_CUT));
    EXPECT_TRUE(Grayed(CM_CUTAPPEND));
    EXPECT_FALSE(Grayed(CM_SELECTALL));
    Command(CM_SELECTALL);
    OpenMenu(1);
    EXPECT_FALSE(Grayed(CM_CUT));
    EXPECT_FALSE(Grayed(CM_CUTAPPEND));
    EXPECT_FALSE(Checked(CM_COLUMNMODE));
    Command(CM_UNDO);
    OpenMenu(1);
    EXPECT_FALSE(Grayed(CM_REDO));
}

TEST_F(MenuFrameTest, ColumnModeIsCheckedAndGraysTheAppendItemsOfASelection)
{
    Command(CM_FILENEW);
    TWindowsEditor* editor = frame->ActiveEditor();
    Type(editor, "abc");
    Command(CM_COLUMNMODE);
    ASSERT_TRUE(editor->columnMode);
    Command(CM_SELECTALL);
    OpenMenu(1);
    EXPECT_TRUE(Checked(CM_COLUMNMODE));
    if (editor->selShown) {
        EXPECT_FALSE(Grayed(CM_CUT));
        EXPECT_TRUE(Grayed(CM_CUTAPPEND));
        EXPECT_TRUE(Grayed(CM_COPYAPPEND));
    }
    Command(CM_COLUMNMODE);
    EXPECT_FALSE(editor->columnMode);
}

TEST_F(MenuFrameTest, AMaximisedDocumentShiftsEveryMenuByOne)
{
    ProgramSettings().recentFiles.Add(folder.File("recent.txt").c_str());
    Command(CM_FILENEW);
    ASSERT_TRUE(frame->DocumentMaximised());
    // The document's system menu is in front of File (the close buttons at the far end count too).
    ASSERT_NE(GetMenuState(GetSubMenu(Bar(), 1), CM_FILENEW, MF_BYCOMMAND), static_cast<UINT>(-1));
    OpenMenu(1);
    // The recent files land at the end of the File menu, now at position 1.
    HMENU file = GetSubMenu(Bar(), 1);
    EXPECT_NE(GetMenuState(file, CM_RECENT0, MF_BYCOMMAND), static_cast<UINT>(-1));
    Select(2, MF_POPUP, Bar());
    EXPECT_EQ(HelpLine(), "Commands for editing text");
    Select(0, MF_POPUP, Bar());
    EXPECT_EQ(HelpLine(), "");
}

TEST_F(MenuFrameTest, HighlightedItemsShowTheirHelpTextUntilTheMenuCloses)
{
    HMENU file = GetSubMenu(Bar(), 0);
    Select(CM_FILESAVE, MF_STRING, file);
    EXPECT_EQ(HelpLine(), "Saves the file in the active window");
    Select(6, MF_POPUP, Bar());
    EXPECT_EQ(HelpLine(), "Commands for arranging the windows");
    Select(SC_CLOSE, MF_SYSMENU, GetSystemMenu(hwnd, FALSE));
    EXPECT_EQ(HelpLine(), "Moves, sizes or closes the window");
    Select(0, 0xFFFF, nullptr);
    EXPECT_EQ(HelpLine(), "");
}

TEST_F(MenuFrameTest, SaveChosenInHelpModeOpensItsTopicAndDoesNotSave)
{
    std::string path = folder.Write("keep.txt", "old\r\n");
    Open(path);
    TWindowsEditor* editor = frame->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    Type(editor, "new ");
    Command(CM_WHATIS);
    Command(CM_FILESAVE);
    EXPECT_FALSE(frame->HelpMode());
    EXPECT_EQ(frame->LastHelpContext(), static_cast<unsigned>(CM_FILESAVE));
    EXPECT_EQ(TScratchFolder::Read(path), "old\r\n");
    EXPECT_TRUE(editor->modified);
    EXPECT_EQ(HelpLine(), "Saves the file in the active window");
}

TEST_F(MenuFrameTest, ACommandWithoutATopicSaysSoInHelpMode)
{
    Command(CM_WHATIS);
    Command(CM_DUPLINE);
    EXPECT_FALSE(frame->HelpMode());
    ASSERT_FALSE(services.shown.empty());
    EXPECT_EQ(services.shown.back(), static_cast<unsigned>(IDS_HELPNOTAVAILABLE));
}

TEST_F(MenuFrameTest, HelpModeSwallowsTypingAndEscapeLeavesIt)
{
    Command(CM_FILENEW);
    TWindowsEditor* editor = frame->ActiveEditor();
    Command(CM_WHATIS);
    MSG typed = {editor->Handle(), WM_CHAR, 'x', 1, 0, {}};
    EXPECT_TRUE(frame->PreTranslateMessage(typed));
    MSG escape = {editor->Handle(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    EXPECT_TRUE(frame->PreTranslateMessage(escape));
    EXPECT_FALSE(frame->HelpMode());
    EXPECT_EQ(HelpLine(), "");
    EXPECT_FALSE(frame->PreTranslateMessage(typed));
}

TEST_F(MenuFrameTest, ShiftF1EntersHelpMode)
{
    HACCEL accel = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDA_MAIN));
    ASSERT_NE(accel, nullptr);
    ACCEL entries[64];
    int n = CopyAcceleratorTableA(accel, entries, 64);
    bool found = false;
    for (int i = 0; i < n; ++i)
        found |= entries[i].key == VK_F1 && (entries[i].fVirt & FSHIFT) && entries[i].cmd == CM_WHATIS;
    EXPECT_TRUE(found);
}

TEST_F(MenuFrameTest, OptionTogglesAreCheckedFromTheSettings)
{
    const bool before = ProgramSettings().autoLoad;
    Command(CM_AUTOLOAD);
    EXPECT_EQ(ProgramSettings().autoLoad, !before);
    OpenMenu(5);
    EXPECT_EQ(Checked(CM_AUTOLOAD), !before);
    Command(CM_AUTOLOAD);
    EXPECT_EQ(ProgramSettings().autoLoad, before);
}

TEST(MenuStrings, UndoLabelsAndToolTipsComeFromTheCommandStrings)
{
    for (int kind = 0; kind <= 19; ++kind)
        EXPECT_EQ(LoadResString(static_cast<unsigned>(UndoLabelStringId(static_cast<TUndoKind>(kind)))),
                  UndoKindLabel(static_cast<TUndoKind>(kind)))
            << kind;
    EXPECT_EQ(LoadResString(IDS_UNDOACCEL), kUndoAccelerator);
    EXPECT_EQ(ToolTipOf(LoadResString(CM_FILESAVE)), "Save");
    EXPECT_EQ(StatusTextOf(LoadResString(CM_DUPLINE)), "Duplicates the current line");
}

}  // namespace

namespace {

LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST_F(MenuFrameTest, CalculatorActivatesTheOneRunning)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VokCalcClass";
    RegisterClassA(&wc);
    HWND calc = CreateWindowExA(0, "VokCalcClass", "calc", WS_OVERLAPPEDWINDOW | WS_MINIMIZE, 0, 0, 100, 100,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(calc, nullptr);
    ASSERT_TRUE(IsIconic(calc));
    OpenMenu(3);
    EXPECT_FALSE(Grayed(CM_CALCULATOR));
    Command(CM_CALCULATOR);
    EXPECT_FALSE(IsIconic(calc));
    DestroyWindow(calc);
}

}  // namespace

namespace {

TEST_F(MenuFrameTest, TheEditorsContextPopUpFollowsTheSameRules)
{
    Command(CM_FILENEW);
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "EDIT_SELECT");
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, FALSE));
    // Nothing is selected in the new document.
    EXPECT_TRUE(GetMenuState(popup, CM_CUT, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(popup, CM_INDENTBLOCK, MF_BYCOMMAND) & MF_GRAYED);
    DestroyMenu(menu);
}

TEST_F(MenuFrameTest, F1InAMenuAsksForTheHighlightedItemsTopic)
{
    Select(CM_FINDNEXT, MF_STRING, GetSubMenu(Bar(), 2));
    SendMessageA(hwnd, WM_USER, MSGF_MENU, 0);
    EXPECT_EQ(frame->LastHelpContext(), static_cast<unsigned>(CM_FINDNEXT));
    // The Edit pop-up has the help file's context 12 (its status text is string 73).
    Select(1, MF_POPUP, Bar());
    SendMessageA(hwnd, WM_USER, MSGF_MENU, 0);
    EXPECT_EQ(frame->LastHelpContext(), 12u);
    Command(CM_WHATIS);
    Command(CM_RECENT0 + 2);
    EXPECT_EQ(frame->LastHelpContext(), 160u);
}

}  // namespace

namespace {

TEST_F(MenuFrameTest, AClickOnTheFramesOwnPartsInHelpModeAsksForThatArea)
{
    Command(CM_WHATIS);
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, 0);
    EXPECT_FALSE(frame->HelpMode());
    EXPECT_EQ(frame->LastHelpContext(), kScrollBarHelpContext);
    Command(CM_WHATIS);
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(frame->HelpMode());
    EXPECT_FALSE(IsIconic(hwnd));
    EXPECT_EQ(frame->LastHelpContext(), kSystemMenuHelpContext);
}

}  // namespace

namespace {

// The help viewers see what the frame's help entry points ask for.
class HelpFrameTest : public MenuFrameTest {
protected:
    void TearDown() override
    {
        ProgramSettings().userHelp = TUserHelp{};
        EngineOptions().rightMouseBtn = 0;
        MenuFrameTest::TearDown();
    }
    // The Help pop-up's position, which a maximised document shifts.
    int HelpMenu()
    {
        for (int i = 0; i < GetMenuItemCount(Bar()); ++i)
            if (HMENU sub = GetSubMenu(Bar(), i); sub && GetMenuState(sub, CM_HELPCONTENTS, MF_BYCOMMAND) != UINT(-1))
                return i;
        return 7;
    }
    bool AskedContext(unsigned context)
    {
        return !help.asked.empty() && help.Last().call == THelpCall::Context && help.Last().context == context &&
               help.Last().file == MainHelpFile();
    }
};

TEST_F(HelpFrameTest, HelpModeAndF1AskTheViewerForTheCommandsTopic)
{
    Command(CM_WHATIS);
    Command(CM_FILESAVE);
    EXPECT_TRUE(AskedContext(106));
    EXPECT_EQ(help.Last().viewer, THelpViewer::HtmlHelp);
    Select(CM_GOTOLINE, MF_STRING, GetSubMenu(Bar(), 2));
    SendMessageA(hwnd, WM_USER, MSGF_MENU, 0);
    EXPECT_TRUE(AskedContext(static_cast<unsigned>(CM_GOTOLINE)));
    Select(7, MF_POPUP, Bar());
    SendMessageA(hwnd, WM_USER, MSGF_MENU, 0);
    EXPECT_TRUE(AskedContext(19));
    // A command without a topic says so and asks the viewer nothing.
    const std::size_t before = help.asked.size();
    Command(CM_WHATIS);
    Command(CM_SAVEALL);
    EXPECT_EQ(help.asked.size(), before);
    ASSERT_FALSE(services.shown.empty());
    EXPECT_EQ(services.shown.back(), static_cast<unsigned>(IDS_HELPNOTAVAILABLE));
}

TEST_F(HelpFrameTest, ContentsAndKeyboardOpenTheProgramsHelp)
{
    OpenMenu(HelpMenu());
    EXPECT_FALSE(Grayed(CM_HELPCONTENTS));
    EXPECT_FALSE(Grayed(CM_HELPKEYBOARD));
    Command(CM_HELPCONTENTS);
    ASSERT_EQ(help.asked.size(), 1u);
    EXPECT_EQ(help.Last().call, THelpCall::Contents);
    EXPECT_EQ(help.Last().file, MainHelpFile());
    Command(CM_HELPKEYBOARD);
    EXPECT_TRUE(AskedContext(902));
    EXPECT_TRUE(services.shown.empty());
}

TEST_F(HelpFrameTest, AMissingHelpFileIsNamedInAMessage)
{
    help.files.clear();
    Command(CM_HELPCONTENTS);
    Command(CM_WHATIS);
    Command(CM_FILEOPEN);
    EXPECT_TRUE(help.asked.empty());
    ASSERT_EQ(services.shown.size(), 2u);
    EXPECT_EQ(services.shown[0], static_cast<unsigned>(IDS_HELPMISSING));
    EXPECT_EQ(services.args[0], "The help file " + MainHelpFile() + " was not found.");
    EXPECT_EQ(services.shown[1], static_cast<unsigned>(IDS_HELPMISSING));
    // A viewer that fails is reported too, never taken for success.
    help.files.insert(MainHelpFile());
    help.viewerWorks = false;
    Command(CM_HELPKEYBOARD);
    ASSERT_EQ(services.shown.size(), 3u);
    EXPECT_EQ(services.shown[2], static_cast<unsigned>(IDS_HELPFAILED));
}

TEST_F(HelpFrameTest, UserHelpItemsOpenTheirFilesWithTheRightViewer)
{
    help.files.insert("C:\\REF\\API.CHM");
    help.files.insert("C:\\REF\\WIN32.HLP");
    ProgramSettings().userHelp.Set(2, "", "C:\\REF\\WIN32.HLP");
    ProgramSettings().userHelp.Set(4, "API", "C:\\REF\\API.CHM");
    OpenMenu(HelpMenu());
    EXPECT_FALSE(Grayed(CM_USERHELP1 + 2));
    EXPECT_EQ(ItemText(CM_USERHELP1 + 2), "Extern Help 3");
    Command(CM_USERHELP1 + 2);
    ASSERT_EQ(help.asked.size(), 1u);
    EXPECT_EQ(help.Last().file, "C:\\REF\\WIN32.HLP");
    EXPECT_EQ(help.Last().viewer, THelpViewer::WinHelp);
    EXPECT_EQ(help.Last().call, THelpCall::Contents);
    Command(CM_USERHELP1 + 4);
    EXPECT_EQ(help.Last().file, "C:\\REF\\API.CHM");
    EXPECT_EQ(help.Last().viewer, THelpViewer::HtmlHelp);
    // An entry not in use does nothing.
    Command(CM_USERHELP1 + 1);
    EXPECT_EQ(help.asked.size(), 2u);
    EXPECT_TRUE(services.shown.empty());
}

TEST_F(HelpFrameTest, KeywordSearchLooksUpTheWordAtTheCursor)
{
    Open(folder.Write("words.txt", "CreateWindow here\r\n   \r\n"));
    ASSERT_NE(frame->ActiveEditor(), nullptr);
    // Without a keyword file the item is gray and nothing is asked.
    OpenMenu(HelpMenu());
    EXPECT_TRUE(Grayed(CM_KEYWORDSEARCH));
    Command(CM_KEYWORDSEARCH);
    EXPECT_TRUE(help.asked.empty());
    help.files.insert("C:\\REF\\API.CHM");
    ProgramSettings().userHelp.Set(1, "API", "C:\\REF\\API.CHM");
    ProgramSettings().userHelp.SetActive(1);
    OpenMenu(HelpMenu());
    EXPECT_FALSE(Grayed(CM_KEYWORDSEARCH));
    Command(CM_KEYWORDSEARCH);
    ASSERT_EQ(help.asked.size(), 1u);
    EXPECT_EQ(help.Last().call, THelpCall::Keyword);
    EXPECT_EQ(help.Last().keyword, "CreateWindow");
    EXPECT_EQ(help.Last().file, "C:\\REF\\API.CHM");
    // On a blank line the index opens with no word.
    frame->ActiveEditor()->ExecuteCommand(cmCursorDown, 0);
    Command(CM_KEYWORDSEARCH);
    ASSERT_EQ(help.asked.size(), 2u);
    EXPECT_EQ(help.Last().keyword, "");
}

// RightMouseBtn 1: the right button moves the cursor where it was pressed and looks up the word there in
// the active user help file.
TEST_F(HelpFrameTest, RightButtonTopicSearchLooksUpTheWordUnderTheClick)
{
    Open(folder.Write("words.txt", "CreateWindow here\r\n   \r\nfoo_1+bar\r\n"));
    TWindowsEditor* editor = frame->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    SetFocus(editor->Handle());
    ASSERT_EQ(GetFocus(), editor->Handle());
    EngineOptions().rightMouseBtn = 1;
    auto rightClick = [&](int col, int line) {
        const int x = 10 + col * editor->CellWidth() + editor->CellWidth() / 2;
        const int y = line * editor->CellHeight() + editor->CellHeight() / 2;
        SendMessageA(editor->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
        SendMessageA(editor->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(x, y));
    };
    // Without a keyword file nothing is asked (the program beeps).
    rightClick(14, 0);
    EXPECT_TRUE(help.asked.empty());
    EXPECT_EQ(editor->curCol, 14);
    help.files.insert("C:\\REF\\API.CHM");
    ProgramSettings().userHelp.Set(1, "API", "C:\\REF\\API.CHM");
    ProgramSettings().userHelp.SetActive(1);

    struct TClick {
        int col, line;
        const char* word;
    };
    // Within a word, on the character just after one (the word ending there), on a blank line (no word:
    // the file's keyword index opens), and past the end of a line (the line's last word, as Ctrl+F1 there).
    for (TClick c : {TClick{3, 0, "CreateWindow"}, TClick{14, 0, "here"}, TClick{12, 0, "CreateWindow"},
                     TClick{5, 2, "foo_1"}, TClick{2, 1, ""}, TClick{40, 2, "bar"}}) {
        const std::size_t before = help.asked.size();
        rightClick(c.col, c.line);
        EXPECT_EQ(editor->curCol, c.col) << c.word;
        EXPECT_EQ(editor->curLineNo, c.line) << c.word;
        ASSERT_EQ(help.asked.size(), before + 1) << c.word;
        EXPECT_EQ(help.Last().call, THelpCall::Keyword);
        EXPECT_EQ(help.Last().file, "C:\\REF\\API.CHM");
        EXPECT_EQ(help.Last().keyword, c.word);
    }
    // While a macro is recorded the click neither moves the cursor nor asks for help.
    const std::size_t before = help.asked.size();
    editor->recording = true;
    rightClick(3, 0);
    editor->recording = false;
    EXPECT_EQ(help.asked.size(), before);
    EXPECT_EQ(editor->curCol, 40);
    EXPECT_TRUE(services.shown.empty());
}

INT_PTR CALLBACK ForwardToPrintHook(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return static_cast<INT_PTR>(PrintDialogHook(hwnd, msg, wParam, lParam));
}

// The frame connects the printing dialogs' Help buttons to the program's help file at start-up.
TEST_F(HelpFrameTest, PrintingDialogsHelpButtonsOpenTheirTopics)
{
    bool enabled = false;
    TModalDriver::Run(
        "Page Setup",
        [&] {
            Command(CM_PAGESETUP);
            return 0;
        },
        [&](HWND box, int) {
            HWND button = GetDlgItem(box, IDC_PS_HELP);
            enabled = IsWindowEnabled(button) != FALSE;
            SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_PS_HELP, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
            return true;
        });
    EXPECT_TRUE(enabled);
    ASSERT_EQ(help.asked.size(), 1u);
    EXPECT_TRUE(AskedContext(kHelpPageSetupDialog));

    // The system's print dialog needs a printer; its Help button goes to the hook, run here on the template.
    HWND box = CreateDialogParamA(GetModuleHandleA(nullptr), "Print95", hwnd, ForwardToPrintHook, 0);
    ASSERT_NE(box, nullptr);
    HWND button = GetDlgItem(box, pshHelp);
    EXPECT_TRUE(IsWindowEnabled(button));
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(pshHelp, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    DestroyWindow(box);
    ASSERT_EQ(help.asked.size(), 2u);
    EXPECT_TRUE(AskedContext(kHelpPrintDialog));
    EXPECT_TRUE(services.shown.empty());
}

}  // namespace

namespace {

// The real viewer on the real help file the build puts beside the program: hhctrl.ocx opens it or
// refuses, but the call comes back either way and the program goes on.
TEST(WindowsHelpViewer, TheBuiltHelpFileOpensOrFailsCleanly)
{
    TWindowsHelp viewer;
    const std::string file = MainHelpFile();
    ASSERT_TRUE(viewer.FileExists(file)) << file;
    EXPECT_FALSE(viewer.FileExists(file + ".none"));
    EXPECT_FALSE(viewer.FileExists(file.substr(0, file.find_last_of('\\'))));  // a folder is no help file
    const bool shown = viewer.Open(nullptr, THelpRequest{THelpViewer::HtmlHelp, file, THelpCall::Context, 902, {}});
    std::printf("[ viewer   ] HTML Help %s the Keyboard topic\n", shown ? "opened" : "did not open");
    TWindowsHelp::CloseAll();
    PumpMessages();
}

}  // namespace
