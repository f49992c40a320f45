// The main frame under real messages: naming new documents, opening by name, closing, drops, hand-over.
#include "shell/win32/FrameFixture.h"

#include <shlobj.h>

#include <cstring>

#include "TransformIds.h"
#include "keys/KeyMap.h"
#include "resource.h"

namespace {

// A drop of the given names as the shell would hand it over.
HDROP MakeDrop(const std::vector<std::string>& names)
{
    std::size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& n : names)
        size += n.size() + 1;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(mem));
    drop->pFiles = sizeof(DROPFILES);
    char* p = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
    for (const std::string& n : names) {
        std::memcpy(p, n.c_str(), n.size() + 1);
        p += n.size() + 1;
    }
    GlobalUnlock(mem);
    return static_cast<HDROP>(mem);
}

std::string Upper(std::string s)
{
    CharUpperBuffA(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

}  // namespace

TEST_F(FrameTest, IsTheVokEditorClassWithItsTitleAndClientEdge)
{
    char text[64];
    GetClassNameA(hwnd, text, sizeof text);
    EXPECT_STREQ(text, "VokEditorClass");
    GetWindowTextA(hwnd, text, sizeof text);
    EXPECT_STREQ(text, "Vok Text Editor");
    EXPECT_TRUE(GetWindowLongA(frame->Client(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(FindWindowA("VokEditorClass", nullptr) != nullptr, true);
}

TEST_F(FrameTest, TheBarsFrameTheClientAreaAndHidingBothGivesItTheWholeFrame)
{
    SetWindowPos(hwnd, nullptr, 0, 0, 700, 500, SWP_NOZORDER);
    auto clientIn = [&] {
        RECT r;
        GetWindowRect(frame->Client(), &r);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    RECT whole;
    GetClientRect(hwnd, &whole);
    ASSERT_NE(frame->ToolBar().Handle(), nullptr);
    ASSERT_NE(frame->StatusBar().Handle(), nullptr);
    RECT withBars = clientIn();
    EXPECT_EQ(withBars.top, frame->ToolBar().Height());
    EXPECT_EQ(withBars.bottom, whole.bottom - frame->StatusBar().Height());
    EXPECT_EQ(frame->ToolBar().ItemCount(), 29);  // 21 buttons and 8 separators

    Command(720);
    Command(721);
    RECT bare = clientIn();
    EXPECT_EQ(bare.left, 0);
    EXPECT_EQ(bare.top, 0);
    EXPECT_EQ(bare.right, whole.right);
    EXPECT_EQ(bare.bottom, whole.bottom);
    Command(720);
    Command(721);
    EXPECT_EQ(clientIn().top, withBars.top);
}

TEST_F(FrameTest, TheStatusBarShowsTheActiveDocument)
{
    EXPECT_EQ(frame->StatusBar().Values(), TStatusValues{});
    Open(folder.Write("s.txt", "ab\nc\n"));
    TWindowsEditor* editor = frame->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    SendMessageA(editor->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    frame->UpdateStatusBar();
    TStatusValues v = frame->StatusBar().Values();
    EXPECT_EQ(v.line, "1");
    EXPECT_EQ(v.column, "2");
    EXPECT_EQ(v.code, "0x62, 98");
    EXPECT_EQ(v.lines, "2");
    EXPECT_EQ(v.modified, "");
    EXPECT_EQ(v.mode, "Insert");
    EXPECT_EQ(v.format, "UNIX");
    SendMessageA(editor->Handle(), WM_KEYDOWN, VK_END, 1);
    Type(editor, "x");
    frame->UpdateStatusBar();
    EXPECT_EQ(frame->StatusBar().Values().code, "EOL");
    EXPECT_EQ(frame->StatusBar().Values().modified, "Modified");
    editor->modified = false;
    SendMessageA(editor->Handle(), WM_CLOSE, 0, 0);  // as the window's own Close does
    PumpMessages();
    EXPECT_EQ(frame->StatusBar().Values(), TStatusValues{});
}

TEST(FrameBars, ToolBarStyleFollowsTheSettingAndWindowsVersion)
{
    EXPECT_EQ(TBtnBar::StyleFor(1, true), 0x1030u);
    EXPECT_EQ(TBtnBar::StyleFor(1, false), 0x1002u);
    EXPECT_EQ(TBtnBar::StyleFor(2, true), 0x1132u);
    EXPECT_EQ(TBtnBar::StyleFor(2, false), 0x1102u);
    EXPECT_EQ(TBtnBar::StyleFor(-1, true), 0x1030u);
    EXPECT_EQ(TBtnBar::StyleFor(-1, false), 0x1102u);
    EXPECT_EQ(TBtnBar::StyleFor(7, false), 0x1102u);
}

TEST_F(FrameTest, NewDocumentsSwitchNameFormAtTheHundredth)
{
    Command(101);
    TWindowsEditor* first = frame->ActiveEditor();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Title(first), "noname01.txt");
    EXPECT_TRUE(first->FileName().empty());
    frame->SetUntitledCounter(99);
    Command(101);
    EXPECT_EQ(Title(frame->ActiveEditor()), "noname99.txt");
    Command(101);
    EXPECT_EQ(Title(frame->ActiveEditor()), "nnam0100.txt");
    EXPECT_EQ(frame->UntitledCounter(), 101u);
    EXPECT_EQ(frame->Editors().size(), 3u);
}

TEST_F(FrameTest, TheFirstWindowIsMaximisedAndTheNextShownAsIs)
{
    std::string a = folder.Write("a.txt", "alpha\r\n");
    std::string b = folder.Write("b.txt", "beta\r\n");
    Open(a);
    TWindowsEditor* first = frame->ActiveEditor();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(IsZoomed(first->Handle()));
    EXPECT_EQ(first->LineAt(0) != nullptr, true);
    EXPECT_STREQ(first->LineAt(0)->text, "alpha");
    Open(b);
    EXPECT_EQ(frame->Editors().size(), 2u);
    EXPECT_NE(frame->ActiveEditor(), first);
}

TEST_F(FrameTest, OpeningAnOpenFileInOtherLetterCaseActivatesIt)
{
    std::string a = folder.Write("Mixed.txt", "one\r\n");
    std::string b = folder.Write("other.txt", "two\r\n");
    Open(a);
    TWindowsEditor* first = frame->ActiveEditor();
    Open(b);
    ASSERT_NE(frame->ActiveEditor(), first);
    Open(Upper(a));
    EXPECT_EQ(frame->Editors().size(), 2u);
    EXPECT_EQ(frame->ActiveEditor(), first);
    // The window keeps the name as the disk spells it.
    EXPECT_EQ(first->FileName().substr(first->FileName().size() - 9), "Mixed.txt");
}

TEST_F(FrameTest, ANameIsSpelledAsOnDiskAndMadeFull)
{
    std::string a = folder.Write("Spelled.TXT", "x\r\n");
    Open(Upper(a));
    TWindowsEditor* editor = frame->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->FileName().substr(editor->FileName().size() - 11), "Spelled.TXT");
    EXPECT_EQ(Title(editor), editor->FileName());
}

TEST_F(FrameTest, AFileThatCannotBeOpenedLeavesNoWindow)
{
    services.answer = IDOK;
    Open(folder.File("missing.txt"));
    EXPECT_TRUE(frame->Editors().empty());
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0], 15005u);
}

TEST_F(FrameTest, ClosingAskedToCancelKeepsEverything)
{
    std::string a = folder.Write("keep.txt", "text\r\n");
    Open(a);
    Type(frame->ActiveEditor(), "new ");
    services.answer = IDCANCEL;
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(services.shown, std::vector<unsigned>{15004});
    EXPECT_EQ(frame->Editors().size(), 1u);
    EXPECT_EQ(TScratchFolder::Read(a), "text\r\n");
}

TEST_F(FrameTest, ClosingAnsweredNoLeavesTheFileAlone)
{
    std::string a = folder.Write("no.txt", "text\r\n");
    Open(a);
    Type(frame->ActiveEditor(), "new ");
    services.answer = IDNO;
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(TScratchFolder::Read(a), "text\r\n");
}

TEST_F(FrameTest, ClosingAnsweredYesSavesFirst)
{
    std::string a = folder.Write("yes.txt", "text\r\n");
    Open(a);
    Type(frame->ActiveEditor(), "new ");
    services.answer = IDYES;
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(TScratchFolder::Read(a), "new text\r\n");
}

TEST_F(FrameTest, CloseAllStopsAtTheFirstRefusal)
{
    Open(folder.Write("c1.txt", "1\r\n"));
    Open(folder.Write("c2.txt", "2\r\n"));
    Type(frame->ActiveEditor(), "x");
    services.answer = IDCANCEL;
    Command(805);
    EXPECT_EQ(frame->Editors().size(), 2u);
    frame->ActiveEditor()->modified = false;
    Command(805);
    EXPECT_TRUE(frame->Editors().empty());
}

TEST_F(FrameTest, ADropOpensAtMostThirtyFiles)
{
    std::vector<std::string> names;
    for (int i = 0; i < 35; ++i)
        names.push_back(folder.Write("d" + std::to_string(i) + ".txt", "x\r\n"));
    SendMessageA(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(names)), 0);
    std::vector<TWindowsEditor*> editors = frame->Editors();
    EXPECT_EQ(editors.size(), 30u);
    bool sawLast = false, sawThirtyFirst = false;
    for (TWindowsEditor* e : editors) {
        sawLast |= e->FileName() == names[29];
        sawThirtyFirst |= e->FileName() == names[30];
    }
    EXPECT_TRUE(sawLast);
    EXPECT_FALSE(sawThirtyFirst);
}

TEST_F(FrameTest, AHandedOverCommandLineOpensQuotedAndPlainNames)
{
    std::string spaced = folder.Write("with blank.txt", "a\r\n");
    std::string plain = folder.Write("plain.txt", "b\r\n");
    std::string text = "\"" + spaced + "\" " + plain + " " + folder.File("absent.txt");
    ATOM atom = GlobalAddAtomA(text.c_str());
    ASSERT_NE(atom, 0);
    SendMessageA(hwnd, WM_USER + 1, atom, 0);
    GlobalDeleteAtom(atom);
    std::vector<TWindowsEditor*> editors = frame->Editors();
    ASSERT_EQ(editors.size(), 2u);
    EXPECT_TRUE(services.shown.empty());  // a name that does not exist is skipped quietly
}

// What Is mode is for the user's next click: files another copy hands over are opened all the same.
TEST_F(FrameTest, AHandOverInHelpModeStillOpensTheFiles)
{
    std::string a = folder.Write("handed.txt", "h\r\n");
    frame->EnterHelpMode();
    ATOM atom = GlobalAddAtomA(a.c_str());
    ASSERT_NE(atom, 0);
    SendMessageA(hwnd, WM_USER + 1, atom, 0);
    GlobalDeleteAtom(atom);
    ASSERT_EQ(frame->Editors().size(), 1u);
    EXPECT_EQ(frame->Editors()[0]->FileName(), a);
    EXPECT_EQ(frame->LastHelpContext(), 0u);
    frame->LeaveHelpMode();
}

TEST_F(FrameTest, ADropInHelpModeOpensEveryFile)
{
    std::vector<std::string> names = {folder.Write("h1.txt", "1\r\n"), folder.Write("h2.txt", "2\r\n")};
    frame->EnterHelpMode();
    SendMessageA(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(names)), 0);
    EXPECT_EQ(frame->Editors().size(), 2u);
    EXPECT_EQ(frame->LastHelpContext(), 0u);
    frame->LeaveHelpMode();
}

TEST_F(FrameTest, OpenFileAtCursorOpensTheNamedFileOnceInAWindowOfItsOwn)
{
    std::string header = folder.Write("beside.h", "int beside;\r\n");
    Open(folder.Write("main.c", "#include \"beside.h\"\r\n"));
    TWindowsEditor* source = frame->ActiveEditor();
    ASSERT_NE(source, nullptr);
    Command(CM_OPENSOURCEFILE);
    ASSERT_EQ(frame->Editors().size(), 2u);
    TWindowsEditor* opened = frame->ActiveEditor();
    ASSERT_NE(opened, source);
    EXPECT_EQ(opened->FileName(), header);
    EXPECT_STREQ(opened->LineAt(0)->text, "int beside;");
    // Asked again from the first window, the file's window comes to the front instead of a second copy.
    SendMessageA(frame->Client(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(source->Handle()), 0);
    ASSERT_EQ(frame->ActiveEditor(), source);
    Command(CM_OPENSOURCEFILE);
    EXPECT_EQ(frame->Editors().size(), 2u);
    EXPECT_EQ(frame->ActiveEditor(), opened);
    EXPECT_TRUE(services.shown.empty());
}

TEST_F(FrameTest, TheStartUpCommandLineIsOpenedByAPostedCommand)
{
    std::string a = folder.Write("start.txt", "s\r\n");
    TMainWindow* second = TMainWindow::Create(GetModuleHandleA(nullptr), "\"" + a + "\"");
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->Editors().empty());
    PumpMessages();
    ASSERT_EQ(second->Editors().size(), 1u);
    EXPECT_EQ(second->Editors()[0]->FileName(), a);
    second->Editors()[0]->modified = false;
    DestroyWindow(second->Handle());
}

TEST_F(FrameTest, MenuCommandsReachTheActiveDocument)
{
    Command(101);
    TWindowsEditor* editor = frame->ActiveEditor();
    Type(editor, "abc");
    Command(201);  // Undo
    EXPECT_STREQ(editor->LineAt(0)->text, "");
    Command(202);  // Redo
    EXPECT_STREQ(editor->LineAt(0)->text, "abc");
    Command(1017);  // Duplicate Line
    EXPECT_EQ(editor->lastLine, 1);
}

TEST_F(FrameTest, SaveAsWritesTheChosenNameAndRetitles)
{
    Command(101);
    TWindowsEditor* editor = frame->ActiveEditor();
    Type(editor, "saved");
    services.saveAsPath = folder.File("chosen.txt");
    Command(107);
    EXPECT_EQ(TScratchFolder::Read(services.saveAsPath), "saved\r\n");
    EXPECT_EQ(Title(editor), services.saveAsPath);
    EXPECT_FALSE(editor->modified);
}

TEST_F(FrameTest, TheEditorFontIsFixedPitch)
{
    EXPECT_TRUE(TEditorFont::IsFixedPitch(frame->EditorFont()));
    TEditorFont font;
    // A proportional face falls back to the system's fixed-pitch font.
    EXPECT_FALSE(font.Create("Arial", 10, 400) && !TEditorFont::IsFixedPitch(font.Get()));
    EXPECT_TRUE(TEditorFont::IsFixedPitch(font.Get()));
}

TEST_F(FrameTest, TheDesktopIsSavedOnExitAndRestoredByAutoLoad)
{
    std::string a = folder.Write("desk1.txt", "one\r\ntwo\r\nthree\r\n");
    std::string b = folder.Write("desk2.txt", "x\r\n");
    Open(a);
    SendMessageA(frame->ActiveEditor()->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    Open(b);
    ProgramSettings().saveDesktop = true;
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindow(hwnd));
    char value[300] = {};
    GetPrivateProfileStringA("LastFilesInfo", "1", "", value, sizeof value, folder.File("ozm.ini").c_str());
    EXPECT_NE(std::string(value).find("desk"), std::string::npos) << value;

    ProgramDesktop().Clear();
    LoadDesktopList();
    ProgramSettings().autoLoad = true;
    frame = TMainWindow::Create(GetModuleHandleA(nullptr), "");
    ASSERT_NE(frame, nullptr);
    hwnd = frame->Handle();
    PumpMessages();
    ProgramSettings().autoLoad = false;
    std::vector<TWindowsEditor*> editors = frame->Editors();
    ASSERT_EQ(editors.size(), 2u);
    for (TWindowsEditor* e : editors) {
        if (e->FileName() == a) {
            EXPECT_EQ(e->curLineNo, 1);  // the cursor comes back where it was left
        }
    }
}

TEST_F(FrameTest, ChangedKeyMappingsAreOfferedForSavingAtExit)
{
    ProgramKeyMap().SetModified(true);
    services.answer = IDCANCEL;
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(services.shown, std::vector<unsigned>{IDS_SAVEKEYMAP});
    services.answer = IDNO;
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(ProgramKeyMap().Modified());  // No closes without saving
    ProgramKeyMap().SetModified(false);
}

TEST_F(FrameTest, KeysReachTheDocumentThroughTheKeyMap)
{
    Command(101);
    TWindowsEditor* editor = frame->ActiveEditor();
    Type(editor, "ab");
    SendMessageA(editor->Handle(), WM_KEYDOWN, VK_LEFT, 1);
    Type(editor, "X");
    EXPECT_STREQ(editor->LineAt(0)->text, "aXb");
    SendMessageA(editor->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(editor->lastLine, 1);
}

// ---- The transforms' menu items through the frame: the dialog's choice reaches the active document. -----
namespace {
void Click(HWND box, int id)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

// Opens the frame's dialog by its menu command and answers it with one radio button and OK.
void AnswerMenuDialog(HWND frameWindow, int command, const char* caption, int choice)
{
    TModalDriver::Run(
        caption,
        [&] {
            SendMessageA(frameWindow, WM_COMMAND, command, 0);
            return 0;
        },
        [&](HWND box, int) {
            SendMessageA(GetDlgItem(box, choice), BM_CLICK, 0, 0);
            Click(box, IDOK);
            return true;
        });
    PumpMessages();
}

std::string Lines(TWindowsEditor* editor)
{
    std::string text;
    for (LineRecord* line = editor->LineAt(0); line; line = line->next)
        (text += line->text) += line->next ? "\n" : "";
    return text;
}
}  // namespace

TEST_F(FrameTest, ChangeCaseConvertsTheSelectionOrTheWordAtTheCursor)
{
    Open(folder.Write("case.txt", "one two\r\nthree\r\n"));
    TWindowsEditor* editor = frame->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    editor->ExecuteCommand(cmSelectAll, 0);
    AnswerMenuDialog(hwnd, CM_CHANGECASE, "Change Case", IDC_CASE_UPPER);
    EXPECT_EQ(Lines(editor), "ONE TWO\nTHREE");
    // Without a selection the same choice takes the word at the cursor alone.
    editor->ExecuteCommand(cmHideSelect, 0);
    editor->GotoPosition(5, 0, false);
    AnswerMenuDialog(hwnd, CM_CHANGECASE, "Change Case", IDC_CASE_LOWER);
    EXPECT_EQ(Lines(editor), "ONE two\nTHREE");
    editor->ExecuteCommand(cmUndo, 0);
    EXPECT_EQ(Lines(editor), "ONE TWO\nTHREE");
}

TEST_F(FrameTest, ConvertTabSizeRewritesTheDocumentAsTheCommandDoes)
{
    const std::string text = "a\tbb\tccc\r\n\t\tx    y\r\nplain\r\n";
    Open(folder.Write("menu.txt", text));
    TWindowsEditor* byMenu = frame->ActiveEditor();
    Open(folder.Write("direct.txt", text));
    TWindowsEditor* direct = frame->ActiveEditor();
    ASSERT_TRUE(byMenu && direct && byMenu != direct);
    direct->ExecuteCommand(cmTab8TextToTab3Text, 0);
    SendMessageA(frame->Client(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(byMenu->Handle()), 0);
    ASSERT_EQ(frame->ActiveEditor(), byMenu);
    AnswerMenuDialog(hwnd, CM_CONVERTTABSIZE, "Convert Tab Size", IDC_TABS_8TO3);
    EXPECT_EQ(Lines(byMenu), Lines(direct));
    EXPECT_NE(Lines(byMenu), "a\tbb\tccc\n\t\tx    y\nplain");
    byMenu->ExecuteCommand(cmUndo, 0);
    EXPECT_EQ(Lines(byMenu), "a\tbb\tccc\n\t\tx    y\nplain");
}

TEST_F(FrameTest, TheLanguageChosenDecidesHowCroatianLettersChangeCase)
{
    const int before = EngineOptions().language;
    Open(folder.Write("lang.txt", "\x7Buma\r\n"));
    TWindowsEditor* editor = frame->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    AnswerMenuDialog(hwnd, CM_LANGUAGE, "Language", IDC_LANG_CROSCII);
    EXPECT_EQ(EngineOptions().language, 3);
    editor->ExecuteCommand(cmSelectAll, 0);
    editor->ExecuteCommand(cmUpperCase, 0);
    EXPECT_EQ(Lines(editor), "\x5BUMA");
    AnswerMenuDialog(hwnd, CM_LANGUAGE, "Language", IDC_LANG_US);
    EXPECT_EQ(EngineOptions().language, 0);
    editor->ExecuteCommand(cmUndo, 0);
    editor->ExecuteCommand(cmSelectAll, 0);
    editor->ExecuteCommand(cmUpperCase, 0);
    EXPECT_EQ(Lines(editor), "\x7BUMA");
    EngineOptions().language = before;
}
