// The editor window under real messages: keys, mouse, scroll bars, caret, files and the close prompt.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "autocorrect/win32/AutoCorrectWin.h"
#include "editor_window/win32/EditorServices.h"
#include "editor_window/win32/WindowsEditor.h"
#include "engine/Alloc.h"
#include "engine/Commands.h"
#include "engine/Options.h"

namespace {
// Scripted answers for message boxes and dialogs, and a record of what was shown and asked to be opened.
class TScriptedServices : public TEditorServices {
public:
    int Message(HWND, unsigned id, const char*, unsigned) override
    {
        shown.push_back(id);
        return answer;
    }
    bool SaveAsDialog(HWND, char* path, int* format, bool* backup) override
    {
        if (saveAsPath.empty())
            return false;
        lstrcpynA(path, saveAsPath.c_str(), 260);
        *format = saveAsFormat;
        *backup = saveAsBackup;
        return true;
    }
    bool OpenDialog(HWND, char*) override { return false; }
    bool SaveDialogOpen() override { return false; }
    bool DesktopFind(const char*, TDesktopPlace*) override { return false; }
    void DesktopStore(const char* path, const TDesktopPlace& place) override
    {
        storedPath = path;
        stored = place;
    }
    unsigned LookupKey(uint16_t* state, TKeyMessage kind, unsigned code, unsigned mods) override
    {
        if (kind == TKeyMessage::Char)
            return code >= 32 && code <= 255 ? cmInsertChar : 0;
        if (*state == 1) {  // after Ctrl+K
            *state = 0;
            return code == 'Y' ? cmDeleteBlock : 0;
        }
        if (code == 'K' && mods == 0x400) {
            *state = 1;
            return 0;
        }
        switch (code) {
        case VK_LEFT: return cmCursorLeft;
        case VK_RIGHT: return cmCursorRight;
        case VK_DOWN: return mods & 0x200 ? cmDownSelect : cmCursorDown;
        case VK_RETURN: return cmNewLine;
        case VK_BACK: return cmBackspace;
        default: return 0;
        }
    }
    void OpenByName(const char* path) override { opened.push_back(path); }

    std::vector<unsigned> shown;
    std::vector<std::string> opened;
    int answer = IDOK;
    std::string saveAsPath;
    int saveAsFormat = 0;
    bool saveAsBackup = true;
    std::string storedPath;
    TDesktopPlace stored;
};

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    static HWND client = nullptr;
    if (msg == WM_CREATE) {
        CLIENTCREATESTRUCT ccs = {nullptr, 1000};
        client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0, 0,
                                 hwnd, nullptr, GetModuleHandleA(nullptr), &ccs);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(client));
    }
    return DefFrameProcA(hwnd, client, msg, wParam, lParam);
}

void Pump()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

std::string TempPath(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + name;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}
}  // namespace

class EditorWindow : public ::testing::Test {
protected:
    // One frame for the whole suite: creating top-level windows is slow under Wine.
    static void SetUpTestSuite()
    {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        TWindowsEditor::Register(instance);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = FrameProc;
        wc.hInstance = instance;
        wc.lpszClassName = "VokTestFrame";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        RegisterClassA(&wc);
        frame = CreateWindowA("VokTestFrame", "test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                              nullptr, instance, nullptr);
        client = reinterpret_cast<HWND>(GetWindowLongPtrA(frame, GWLP_USERDATA));
    }
    static void TearDownTestSuite()
    {
        DestroyWindow(frame);
        Pump();
    }
    void SetUp() override
    {
        EngineOptions() = TEngineOptions{};
        ASSERT_NE(frame, nullptr);
        SetEditorServices(&services);
        RECT r = {0, 0, 600, 400};
        ed = TWindowsEditor::Create(client, "noname01.txt", 1, &r, false);
        ASSERT_NE(ed, nullptr);
        ed->SetEditorFont(static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT)), true);
        SetFocus(ed->Handle());
        Pump();
    }
    void TearDown() override
    {
        if (ed) {
            ed->modified = false;
            SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(ed->Handle()), 0);
        }
        Pump();
        SetEditorServices(nullptr);
        EngineOptions() = TEngineOptions{};
    }
    void Send(UINT msg, WPARAM w, LPARAM l) { SendMessageA(ed->Handle(), msg, w, l); }
    void Click(int x, int y, WPARAM keys = MK_LBUTTON)
    {
        Send(WM_LBUTTONDOWN, keys, MAKELPARAM(x, y));
        Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void LoadText(const std::string& text)
    {
        std::string path = TempPath("vok_load.txt");
        WriteAll(path, text);
        ASSERT_TRUE(ed->LoadFile(path.c_str(), true));
    }

    TScriptedServices services;
    static HWND frame;
    static HWND client;
    TWindowsEditor* ed = nullptr;
};

HWND EditorWindow::frame = nullptr;
HWND EditorWindow::client = nullptr;

TEST_F(EditorWindow, TypedCharactersAndKeysRunThroughTheKeyMap)
{
    Send(WM_CHAR, 'h', 0);
    Send(WM_CHAR, 'i', 0);
    Send(WM_KEYDOWN, VK_RETURN, 0);
    Send(WM_CHAR, 'x', 0);
    EXPECT_EQ(std::string(ed->LineAt(0)->text), "hi");
    EXPECT_EQ(std::string(ed->LineAt(1)->text), "x");
    EXPECT_TRUE(ed->modified);
    POINT caret;
    GetCaretPos(&caret);
    EXPECT_EQ(caret.x, 1 * ed->CellWidth() + 10);
    EXPECT_EQ(caret.y, 1 * ed->CellHeight());
}

TEST_F(EditorWindow, PrefixSequencesKeepTheirStateBetweenKeys)
{
    LoadText("abc\ndef\n");
    Send(WM_KEYDOWN, VK_DOWN, 0);  // plain move
    ed->GotoPosition(0, 0, false);
    ed->GotoPosition(3, 0, true);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Send(WM_KEYDOWN, 'K', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(ed->KeyState(), 1);
    Send(WM_KEYDOWN, 'Y', 0);
    EXPECT_EQ(ed->KeyState(), 0);
    EXPECT_EQ(std::string(ed->LineAt(0)->text), "");
}

TEST_F(EditorWindow, ClicksAtTheMarginBoundary)
{
    LoadText("first line\nsecond line\n");
    ed->topCol = 0;
    Click(9, 1 * ed->CellHeight() + 1);
    EXPECT_EQ(ed->Cursor(), (TPosition{0, 1}));
    EXPECT_FALSE(ed->selShown);
    Click(7, 0);
    // A margin click selects the whole line and leaves the cursor at its start.
    EXPECT_TRUE(ed->selShown);
    EXPECT_EQ(ed->SelStart(), (TPosition{0, 0}));
    EXPECT_EQ(ed->SelEnd(), (TPosition{10, 0}));
    EXPECT_EQ(ed->Cursor(), (TPosition{0, 0}));
}

TEST_F(EditorWindow, DoubleClickSelectsAWord)
{
    LoadText("call foo_bar(x);\n");
    int x = 10 + 6 * ed->CellWidth() + 1;
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, 2));
    EXPECT_TRUE(ed->selShown);
    EXPECT_EQ(ed->SelStart(), (TPosition{5, 0}));
    EXPECT_EQ(ed->SelEnd(), (TPosition{12, 0}));
}

TEST_F(EditorWindow, DragBelowTheWindowExtendsTheSelection)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line " + std::to_string(i) + "\n";
    LoadText(text);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 2));
    RECT rc;
    GetClientRect(ed->Handle(), &rc);
    Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, rc.bottom + 5));
    int32_t first = ed->curLineNo;
    EXPECT_GE(first, static_cast<int32_t>(ed->winLines));
    EXPECT_TRUE(ed->selShown);
    Sleep(170);
    Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, rc.bottom + 5));
    EXPECT_GT(ed->topLine, 0);
    Send(WM_LBUTTONUP, 0, 0);
}

TEST_F(EditorWindow, VerticalScrollOfAFiftyThousandLineDocument)
{
    std::string text;
    text.reserve(50000 * 8);
    for (int i = 0; i < 50000; ++i)
        text += "row\n";
    LoadText(text);
    ed->UpdateScrollBars();
    int lo = 0, hi = 0;
    GetScrollRange(ed->Handle(), SB_VERT, &lo, &hi);
    EXPECT_EQ(hi, 499);
    Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 250), 0);
    EXPECT_EQ(ed->topLine, 25000);
    EXPECT_EQ(ed->curLineNo, 0);  // scrolling leaves the cursor where it was
    Send(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    EXPECT_EQ(ed->topLine, 49999);
    Send(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(ed->topLine, 49999);
    Send(WM_HSCROLL, MAKEWPARAM(SB_PAGERIGHT, 0), 0);
    EXPECT_EQ(ed->topCol, 8);
}

TEST_F(EditorWindow, SaveMakesABackupAndWritesTheFormat)
{
    std::string path = TempPath("vok_save.txt");
    std::string bak = TempPath("vok_save.bak");
    DeleteFileA(bak.c_str());
    WriteAll(path, "old\n");
    ASSERT_TRUE(ed->LoadFile(path.c_str(), true));
    EXPECT_EQ(ed->FileFormat(), kFormatUnix);
    ed->GotoPosition(3, 0, false);
    Send(WM_CHAR, '!', 0);
    ASSERT_TRUE(ed->Save());
    EXPECT_EQ(ReadAll(path), "old!\n");
    EXPECT_EQ(ReadAll(bak), "old\n");
    EXPECT_FALSE(ed->modified);
}

// A file larger than memory allows: the load fails and says "Out of memory." rather than leaving the
// window to vanish without a word.
TEST_F(EditorWindow, AFileThatDoesNotFitInMemorySaysSo)
{
    std::string path = TempPath("vok_huge.txt");
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line of the file\n";
    WriteAll(path, text);
    SetAllocFailAt(1);
    const bool loaded = ed->LoadFile(path.c_str(), true);
    SetAllocFailAt(0);
    EXPECT_FALSE(loaded);
    ASSERT_FALSE(services.shown.empty());
    EXPECT_EQ(services.shown.back(), 15100u);
    EXPECT_TRUE(ed->CheckList());
}

TEST_F(EditorWindow, AFailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    std::string path = TempPath("vok_readonly.txt");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteAll(path, "keep me\n");
    ASSERT_TRUE(ed->LoadFile(path.c_str(), true));
    Send(WM_CHAR, 'x', 0);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(ed->Save());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadAll(path), "keep me\n");
    EXPECT_TRUE(ed->modified);
    ASSERT_FALSE(services.shown.empty());
    EXPECT_EQ(services.shown.back(), 15007u);

    // A folder standing where the file should go.
    std::string folder = TempPath("vok_folder.txt");
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_FALSE(ed->WriteToFile(folder.c_str(), 0, true, false));
    EXPECT_TRUE(ed->modified);
    RemoveDirectoryA(folder.c_str());
}

TEST_F(EditorWindow, SavingAHardLinkedFileKeepsEveryNameOnTheNewText)
{
    std::string path = TempPath("vok_linked.txt");
    std::string other = TempPath("vok_linked_other.txt");
    std::string bak = TempPath("vok_linked.bak");
    DeleteFileA(other.c_str());
    DeleteFileA(bak.c_str());
    WriteAll(path, "old\n");
    if (!CreateHardLinkA(other.c_str(), path.c_str(), nullptr))
        GTEST_SKIP() << "this file system keeps one name per file";
    ASSERT_TRUE(ed->LoadFile(path.c_str(), true));
    Send(WM_CHAR, '!', 0);
    EngineOptions().backupFiles = true;
    ASSERT_TRUE(ed->Save());
    EXPECT_EQ(ReadAll(path), "!old\n");
    EXPECT_EQ(ReadAll(other), "!old\n");
    // The backup is a copy of its own, not one more name of the file.
    EXPECT_EQ(ReadAll(bak), "old\n");
    Send(WM_CHAR, '?', 0);
    ASSERT_TRUE(ed->Save());
    EXPECT_EQ(ReadAll(other), "!?old\n");
    EXPECT_EQ(ReadAll(bak), "!old\n");
    EXPECT_FALSE(ed->modified);
    DeleteFileA(other.c_str());
    DeleteFileA(bak.c_str());
}

TEST_F(EditorWindow, AFileNamedLikeItsBackupIsSavedWithoutOne)
{
    std::string path = TempPath("vok_own.bak");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteAll(path, "old\n");
    ASSERT_TRUE(ed->LoadFile(path.c_str(), true));
    Send(WM_CHAR, '!', 0);
    EngineOptions().backupFiles = true;
    ASSERT_TRUE(ed->Save());
    EXPECT_EQ(ReadAll(path), "!old\n");
    EXPECT_FALSE(ed->modified);
    DeleteFileA(path.c_str());
}

TEST_F(EditorWindow, OpeningAMissingFileFailsWithItsMessage)
{
    EXPECT_FALSE(ed->LoadFile(TempPath("no_such_file_here.txt").c_str(), true));
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0], 15005u);
}

TEST_F(EditorWindow, CloseAsksAboutChangesAndStoresTheDesktopPlace)
{
    std::string path = TempPath("vok_close.txt");
    WriteAll(path, "a\nb\n");
    ASSERT_TRUE(ed->LoadFile(path.c_str(), true));
    ed->GotoPosition(1, 1, false);
    Send(WM_CHAR, 'z', 0);
    services.answer = IDCANCEL;
    EXPECT_FALSE(ed->CanClose());
    services.answer = IDNO;
    EXPECT_TRUE(ed->CanClose());
    EXPECT_EQ(services.storedPath, path);
    EXPECT_EQ(services.stored.line, 1);
    EXPECT_EQ(services.stored.col, 2);
    services.answer = IDYES;
    EXPECT_TRUE(ed->CanClose());
    EXPECT_EQ(ReadAll(path), "a\nbz\n");
}

TEST_F(EditorWindow, SaveAsRenamesTheWindowAndCancelForgetsTheName)
{
    std::string path = TempPath("vok_saveas.txt");
    DeleteFileA(path.c_str());
    Send(WM_CHAR, 'q', 0);
    services.saveAsPath = path;
    services.saveAsFormat = kFormatMac;
    ASSERT_TRUE(ed->SaveAs());
    EXPECT_EQ(ReadAll(path), "q\r");
    char title[260];
    GetWindowTextA(ed->Handle(), title, sizeof title);
    EXPECT_EQ(std::string(title), path);
    services.saveAsPath.clear();
    EXPECT_FALSE(ed->SaveAs());
    EXPECT_TRUE(ed->FileName().empty());
}

TEST_F(EditorWindow, PaintingDoesNotDisturbTheDocument)
{
    LoadText("\tindented\nplain\n");
    ed->GotoPosition(2, 0, false);
    ed->GotoPosition(4, 1, true);
    InvalidateRect(ed->Handle(), nullptr, FALSE);
    UpdateWindow(ed->Handle());
    ed->RepaintLine(0);
    EXPECT_EQ(std::string(ed->LineAt(0)->text), "\tindented");
}

namespace {
std::string ClipboardText()
{
    std::string out;
    if (!OpenClipboard(nullptr))
        return out;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        out = static_cast<const char*>(GlobalLock(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return out;
}
}  // namespace

TEST_F(EditorWindow, ColumnBlocksTravelThroughTheClipboard)
{
    LoadText("abcdef\nghijkl\n");
    ed->SetSelMode(true);
    ed->GotoPosition(1, 0, false);
    ed->GotoPosition(3, 1, true);
    ed->ExecuteCommand(cmCopy, 0);
    EXPECT_EQ(ClipboardText(), "bc\r\nhi\r\n");
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(RegisterClipboardFormatA("OZMColumnBlock"));
    ASSERT_NE(h, nullptr);
    auto* p = static_cast<const unsigned char*>(GlobalLock(h));
    EXPECT_EQ(p[0], 2);
    EXPECT_EQ(p[4], 2);
    GlobalUnlock(h);
    CloseClipboard();
    ed->GotoPosition(6, 0, false);
    ed->ExecuteCommand(cmPaste, 0);
    EXPECT_EQ(std::string(ed->LineAt(0)->text), "abcdefbc");
    EXPECT_EQ(std::string(ed->LineAt(1)->text), "ghijklhi");
}

TEST_F(EditorWindow, CopyAndAppendJoinsStreamTexts)
{
    LoadText("one two\n");
    ed->GotoPosition(0, 0, false);
    ed->GotoPosition(3, 0, true);
    ed->ExecuteCommand(cmCopy, 0);
    ed->GotoPosition(4, 0, false);
    ed->GotoPosition(7, 0, true);
    ed->ExecuteCommand(cmCutAndAppend, 0);
    EXPECT_EQ(ClipboardText(), "onetwo");
    EXPECT_EQ(std::string(ed->LineAt(0)->text), "one");
    ed->ExecuteCommand(cmUndo, 0);
    EXPECT_EQ(std::string(ed->LineAt(0)->text), "one two");
    ed->GotoPosition(8, 0, false);
    ed->ExecuteCommand(cmPaste, 0);
    EXPECT_EQ(std::string(ed->LineAt(0)->text), "one two onetwo");
    EXPECT_EQ(ed->UndoKind(), TUndoKind::Paste);
}

TEST_F(EditorWindow, OpenFileAtCursorSearchesTheIncludeFolders)
{
    std::string base = TempPath("vok_inc");
    CreateDirectoryA(base.c_str(), nullptr);
    CreateDirectoryA((base + "\\sys").c_str(), nullptr);
    WriteAll(base + "\\sys\\stat.h", "/* stat */\n");
    SetEnvironmentVariableA("INCLUDE", ("C:\\nowhere;" + base).c_str());
    LoadText("#include <sys/stat.h>\n");
    services.opened.clear();
    ed->ExecuteCommand(cmOpenFileAtCursor, 0);
    ASSERT_EQ(services.opened.size(), 1u);
    EXPECT_EQ(services.opened.back(), base + "\\sys\\stat.h");

    // A BIN folder on the PATH adds the INCLUDE folder beside it.
    std::string dev = TempPath("vok_dev");
    CreateDirectoryA(dev.c_str(), nullptr);
    CreateDirectoryA((dev + "\\INCLUDE").c_str(), nullptr);
    WriteAll(dev + "\\INCLUDE\\only_here.h", "x\n");
    SetEnvironmentVariableA("INCLUDE", nullptr);
    char path[4096];
    GetEnvironmentVariableA("PATH", path, sizeof path);
    SetEnvironmentVariableA("PATH", (std::string(path) + ";" + dev + "\\bin").c_str());
    ed->GotoPosition(0, 0, false);
    ed->SelectAll();
    ed->DeleteBlock();
    ed->InsertText("#include \"only_here.h\"");
    ed->ExecuteCommand(cmOpenFileAtCursor, 0);
    SetEnvironmentVariableA("PATH", path);
    ASSERT_EQ(services.opened.size(), 2u);
    EXPECT_EQ(services.opened.back(), dev + "\\INCLUDE\\only_here.h");
}

namespace {
// Whether some pixel of the character cell at column col of the first text row has colour c.
bool CellHas(HDC dc, int col, int cellWidth, int cellHeight, COLORREF c)
{
    for (int y = 0; y < cellHeight; ++y)
        for (int x = 0; x < cellWidth; ++x)
            if (GetPixel(dc, kTextLeft + col * cellWidth + x, y) == c)
                return true;
    return false;
}
}  // namespace

TEST_F(EditorWindow, TheTitleChoosesTheLanguageAndThePainterDrawsItsColours)
{
    TSyntaxTable& table = ProgramSyntaxTable();
    const TSyntaxTable saved = table;
    table.Clear();
    TSyntaxLanguage c = CLikeTemplate("C");
    c.extensions = "c";
    c.colours = {13, 0, 0, 0, 0, 0, 10};  // comments Red, keywords Blue
    ASSERT_EQ(BuildKeywordTables({"int"}, c.keywords), 0);
    c.BuildClasses();
    ASSERT_TRUE(table.Add(c));

    LoadText("/* a\nb */ int\n");
    EXPECT_EQ(ed->Language(), 0);  // "noname01.txt"
    SetWindowTextA(ed->Handle(), "C:\\src\\prog.c");
    ed->TitleChanged();
    EXPECT_EQ(ed->Language(), 1);
    EXPECT_EQ(ed->LineAt(0)->state, 1);  // a change of language computes every state

    HDC screen = GetDC(ed->Handle());
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 400, 40);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    const int cw = ed->CellWidth(), ch = ed->CellHeight();
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    // Line 2 starts inside the comment: "b */" is red, "int" blue; red must never come out blue.
    ed->PaintLine(dc, kTextLeft, 0, ed->LineAt(1), 1);
    EXPECT_TRUE(CellHas(dc, 0, cw, ch, red));
    EXPECT_FALSE(CellHas(dc, 0, cw, ch, blue));
    EXPECT_TRUE(CellHas(dc, 5, cw, ch, blue));
    EXPECT_FALSE(CellHas(dc, 5, cw, ch, red));

    // Another title without a language: the same line is drawn in the window's text colour alone.
    SetWindowTextA(ed->Handle(), "C:\\src.c\\notes");
    ed->TitleChanged();
    EXPECT_EQ(ed->Language(), 0);
    ed->PaintLine(dc, kTextLeft, 0, ed->LineAt(1), 1);
    EXPECT_FALSE(CellHas(dc, 0, cw, ch, red));
    EXPECT_FALSE(CellHas(dc, 5, cw, ch, blue));

    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(ed->Handle(), screen);
    table = saved;
}

// ---- AutoCorrect through the program's object. ----------------------------------------------------------

namespace {
// The program's AutoCorrect object with its default flags and a pair for one test; the flags and the
// thread's keyboard state are put back after.
class TProgramAutoCorrectScope {
public:
    TProgramAutoCorrectScope()
    {
        GetKeyboardState(keyboard_);
        TAutoCorrect& ac = ProgramAutoCorrect();
        flags_[0] = ac.correctTwoInitCaps;
        flags_[1] = ac.capitalizeSentence;
        flags_[2] = ac.correctCapsLock;
        flags_[3] = ac.replaceText;
        ac.correctTwoInitCaps = ac.capitalizeSentence = ac.correctCapsLock = ac.replaceText = true;
        (void)ac.AddReplacement("teh", "the");
    }
    TProgramAutoCorrectScope(const TProgramAutoCorrectScope&) = delete;  // undoes its changes once
    TProgramAutoCorrectScope& operator=(const TProgramAutoCorrectScope&) = delete;
    ~TProgramAutoCorrectScope()
    {
        TAutoCorrect& ac = ProgramAutoCorrect();
        (void)ac.RemoveReplacement("teh");
        ac.listsChanged = false;
        ac.correctTwoInitCaps = flags_[0];
        ac.capitalizeSentence = flags_[1];
        ac.correctCapsLock = flags_[2];
        ac.replaceText = flags_[3];
        SetKeyboardState(keyboard_);
    }
    static void SetCapsLock(bool on)
    {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CAPITAL] = on ? 0x01 : 0x00;
        SetKeyboardState(state);
    }

private:
    BYTE keyboard_[256];
    bool flags_[4];
};
}  // namespace

TEST_F(EditorWindow, TypedWordsAreCorrectedAndSentencesCapitalised)
{
    TProgramAutoCorrectScope scope;
    for (char c : std::string("teh cat. teh dog "))
        Send(WM_CHAR, static_cast<unsigned char>(c), 0);
    EXPECT_STREQ(ed->LineAt(0)->text, "The cat. The dog ");
}

// Typed with Caps Lock on by accident: the word is repaired and Caps Lock goes off in the keyboard state,
// so the next word is taken as typed.
TEST_F(EditorWindow, CapsLockTypingIsRepairedAndCapsLockSwitchedOff)
{
    TProgramAutoCorrectScope scope;
    TProgramAutoCorrectScope::SetCapsLock(true);
    for (char c : std::string("hELLO wORLD "))
        Send(WM_CHAR, static_cast<unsigned char>(c), 0);
    EXPECT_STREQ(ed->LineAt(0)->text, "Hello wORLD ");
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 0x81, 0);
}
