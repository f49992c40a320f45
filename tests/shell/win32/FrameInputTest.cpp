// The frame on screen under real input: keys and the mouse through SendInput, taken by the program's own
// message loop (its accelerators and the documents' system keys), as a user at the keyboard would give them.
#include "shell/win32/FrameFixture.h"

#include <cstring>
#include <string>

#include "engine/TimeDate.h"
#include "resource.h"

namespace {

// Set when a menu's modal loop runs; the loop is then left at once, so that a test never waits in it.
bool gMenuEntered = false;
HHOOK gMenuHook = nullptr;

LRESULT CALLBACK MenuWatch(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code == MSGF_MENU) {
        gMenuEntered = true;
        EndMenu();
        // Keys meant for the document must not pick menu items meanwhile.
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (msg && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
            return TRUE;
    }
    return CallNextHookEx(gMenuHook, code, wParam, lParam);
}

void Key(WORD vk, bool up)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

void Press(WORD vk)
{
    Key(vk, false);
    Key(vk, true);
}

}  // namespace

class FrameInput : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        accel_ = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDA_MAIN));
        gMenuEntered = false;
        gMenuHook = SetWindowsHookExA(WH_MSGFILTER, MenuWatch, nullptr, GetCurrentThreadId());
    }
    void TearDown() override
    {
        // Nothing held down may reach the next test.
        for (WORD vk : {VK_MENU, VK_SHIFT, VK_CONTROL})
            if (GetAsyncKeyState(vk) & 0x8000)
                Key(vk, true);
        Pump();
        UnhookWindowsHookEx(gMenuHook);
        gMenuHook = nullptr;
        FrameTest::TearDown();
    }

    // The frame shown and in front, the active document holding the focus.
    void ShowFrame()
    {
        ShowWindow(hwnd, SW_SHOW);
        SetForegroundWindow(hwnd);
        if (TWindowsEditor* editor = frame->ActiveEditor())
            SetFocus(editor->Handle());
        Pump();
    }
    // Runs the program's message loop until the queue is empty.
    void Pump()
    {
        const DWORD began = GetTickCount();
        for (int idle = 0; idle < 3 && GetTickCount() - began < 10000;) {
            MSG m;
            if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                TMainWindow::DispatchLoopMessage(hwnd, frame->Client(), accel_, m);
                idle = 0;
            } else {
                Sleep(10);
                ++idle;
            }
        }
    }
    // Types printable characters as key presses (with Shift where the layout needs it).
    void TypeKeys(const char* text)
    {
        for (; *text; ++text) {
            SHORT code = VkKeyScanA(*text);
            bool shift = (code >> 8) & 1;
            if (shift)
                Key(VK_SHIFT, false);
            Press(static_cast<WORD>(code & 0xFF));
            if (shift)
                Key(VK_SHIFT, true);
        }
        Pump();
    }
    // Alt held around a key, released before or after that key.
    void AltKey(WORD vk, bool shift, bool altReleasedFirst)
    {
        Key(VK_MENU, false);
        if (shift)
            Key(VK_SHIFT, false);
        Key(vk, false);
        if (altReleasedFirst) {
            if (shift)
                Key(VK_SHIFT, true);
            Key(VK_MENU, true);
            Key(vk, true);
        } else {
            Key(vk, true);
            if (shift)
                Key(VK_SHIFT, true);
            Key(VK_MENU, true);
        }
        Pump();
    }

    HACCEL accel_ = nullptr;
};

// Undo on Alt+Backspace and Redo on Alt+Shift+Backspace are keys the map takes: whichever key is let go
// first, the keyboard stays with the document, and typing and Down after them act on the text.
TEST_F(FrameInput, AltKeysOfTheKeyMapLeaveTheMenuBarAlone)
{
    Command(CM_FILENEW);
    TWindowsEditor* editor = frame->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    ShowFrame();
    ASSERT_EQ(GetFocus(), editor->Handle());
    for (bool altFirst : {true, false}) {
        SCOPED_TRACE(altFirst ? "Alt let go first" : "Backspace let go first");
        editor->ExecuteCommand(cmSelectAll, 0);
        editor->ExecuteCommand(cmDeleteBlock, 0);
        editor->ClearUndo();
        TypeKeys("abc ");
        AltKey(VK_BACK, false, altFirst);
        EXPECT_STREQ(editor->LineAt(0)->text, "");
        TypeKeys("xyz");
        Press(VK_RETURN);
        Pump();
        EXPECT_FALSE(gMenuEntered);
        EXPECT_EQ(GetFocus(), editor->Handle());
        EXPECT_STREQ(editor->LineAt(0)->text, "xyz");
        EXPECT_EQ(editor->lastLine, 1);

        AltKey(VK_BACK, false, altFirst);  // undoes the line break and xyz
        AltKey(VK_BACK, true, altFirst);   // and brings them back
        TypeKeys("q");
        EXPECT_FALSE(gMenuEntered);
        EXPECT_STREQ(editor->LineAt(0)->text, "xyz");
        ASSERT_EQ(editor->lastLine, 1);
        EXPECT_STREQ(editor->LineAt(1)->text, "q");
        gMenuEntered = false;
    }
    // A lone Alt press still opens the menu bar: the default processing is left whole.
    Press(VK_MENU);
    Pump();
    EXPECT_TRUE(gMenuEntered);
}

// A Tab typed at the end of a line, through the window, stays a tab when text follows it.
TEST_F(FrameInput, ATabTypedAtTheLineEndStaysATab)
{
    Command(CM_FILENEW);
    TWindowsEditor* editor = frame->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    ShowFrame();
    TypeKeys("a");
    Press(VK_TAB);
    TypeKeys("b");
    EXPECT_STREQ(editor->LineAt(0)->text, "a\tb");
    Press(VK_TAB);
    Press(VK_TAB);
    Press(VK_LEFT);  // the cursor moves: the blanks after the text go
    Pump();
    EXPECT_STREQ(editor->LineAt(0)->text, "a\tb");
    EXPECT_FALSE(gMenuEntered);
}

namespace {
std::string FrameText(HWND window)
{
    char text[400] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Cancels the first visible dialog box of this thread as soon as it is up (a timer keeps looking).
BOOL CALLBACK CancelIfDialog(HWND window, LPARAM done)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (IsWindowVisible(window) && lstrcmpA(name, "#32770") == 0) {
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        *reinterpret_cast<bool*>(done) = true;
        return FALSE;
    }
    return TRUE;
}

bool gDialogCancelled = false;

void CALLBACK CancelDialogTick(HWND, UINT, UINT_PTR id, DWORD) noexcept
{
    if (!gDialogCancelled)
        EnumThreadWindows(GetCurrentThreadId(), CancelIfDialog, reinterpret_cast<LPARAM>(&gDialogCancelled));
    if (gDialogCancelled)
        KillTimer(nullptr, id);
}

void MovePointer(POINT screen)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}
}  // namespace

// A tool-bar button's hint leaves the status bar when the pointer has gone into the text and typing
// goes on, and when a command has run (the Open dialog cancelled with no document open).
TEST_F(FrameInput, AToolBarHintGivesWayToTheDocumentsFields)
{
    Command(CM_FILENEW);
    TWindowsEditor* editor = frame->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    ShowFrame();
    HWND bar = frame->ToolBar().Handle();
    ASSERT_NE(bar, nullptr);
    RECT r;
    GetClientRect(bar, &r);
    POINT button = {-1, -1};
    for (int x = 2; x < r.right && button.x < 0; x += 2) {
        POINT pt = {x, r.bottom / 2};
        ClientToScreen(bar, &pt);
        if (frame->ToolBar().HitTest(pt))
            button = pt;
    }
    ASSERT_GE(button.x, 0);
    auto pointAtButton = [&] {
        MovePointer({button.x + 1, button.y});
        MovePointer(button);
        Pump();
        return frame->StatusBar().HelpText();
    };
    ASSERT_NE(pointAtButton(), "");

    // Straight into the text, with no move over the rest of the bar.
    RECT text;
    GetWindowRect(editor->Handle(), &text);
    MovePointer({(text.left + text.right) / 2, (text.top + text.bottom) / 2});
    Pump();
    TypeKeys("ab");
    EXPECT_EQ(frame->StatusBar().HelpText(), "");
    EXPECT_EQ(frame->StatusBar().Values().column, "3");

    // No document: File > Open given from the bar and cancelled.
    editor->modified = false;
    Command(CM_CLOSEALL);
    Pump();
    ASSERT_EQ(frame->ActiveEditor(), nullptr);
    ASSERT_NE(pointAtButton(), "");
    gDialogCancelled = false;
    SetTimer(nullptr, 0, 50, CancelDialogTick);
    SendMessageA(hwnd, WM_COMMAND, CM_FILEOPEN, 0);
    Pump();
    EXPECT_TRUE(gDialogCancelled);
    EXPECT_EQ(frame->StatusBar().HelpText(), "");
}

// While the warning about a zero byte is up, the status bar already shows the document it is about.
TEST_F(FrameInput, TheStatusBarShowsTheDocumentUnderTheZeroByteWarning)
{
    std::string path = folder.Write("bin.dat", std::string("one\r\ntw\0o\r\nthree\r\n", 18));
    TStatusValues seen;
    services.onMessage = [&](unsigned) { seen = frame->StatusBar().Values(); };
    Open(path);
    ASSERT_EQ(services.shown.size(), 1u);
    frame->UpdateStatusBar();
    EXPECT_EQ(seen, frame->StatusBar().Values());
    EXPECT_EQ(seen.lines, "3");
}

// A maximised document stays maximised when another is opened or made: the new one comes up maximised,
// and the frame's title names the active maximised document from the first one on.
TEST_F(FrameInput, AMaximisedDocumentStaysSoAndTheTitleNamesIt)
{
    const std::string a = folder.Write("a.txt", "alpha\r\n");
    const std::string b = folder.Write("b.txt", "beta\r\n");
    Open(a);
    PumpMessages();
    TWindowsEditor* first = frame->ActiveEditor();
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(IsZoomed(first->Handle()));
    EXPECT_EQ(FrameText(hwnd), "Vok Text Editor - [" + FrameText(first->Handle()) + "]");

    Open(b);
    PumpMessages();
    TWindowsEditor* second = frame->ActiveEditor();
    ASSERT_NE(second, first);
    EXPECT_TRUE(IsZoomed(second->Handle()));
    EXPECT_EQ(FrameText(hwnd), "Vok Text Editor - [" + FrameText(second->Handle()) + "]");

    Command(CM_FILENEW);
    PumpMessages();
    TWindowsEditor* third = frame->ActiveEditor();
    EXPECT_TRUE(IsZoomed(third->Handle()));
    EXPECT_EQ(FrameText(hwnd), "Vok Text Editor - [noname01.txt]");

    // Restored by the user: the next one comes up as it is, and the title loses the name.
    SendMessageA(frame->Client(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(third->Handle()), 0);
    PumpMessages();
    EXPECT_FALSE(IsZoomed(third->Handle()));
    EXPECT_EQ(FrameText(hwnd), "Vok Text Editor");
    Command(CM_FILENEW);
    PumpMessages();
    EXPECT_FALSE(IsZoomed(frame->ActiveEditor()->Handle()));

    // Into an empty frame: maximised, and named at once.
    for (TWindowsEditor* editor : frame->Editors())
        editor->modified = false;
    Command(CM_CLOSEALL);
    PumpMessages();
    EXPECT_EQ(FrameText(hwnd), "Vok Text Editor");
    Command(CM_FILENEW);
    PumpMessages();
    EXPECT_TRUE(IsZoomed(frame->ActiveEditor()->Handle()));
    EXPECT_EQ(FrameText(hwnd), "Vok Text Editor - [noname03.txt]");
}

namespace {
void Wheel(int delta, DWORD flags = MOUSEEVENTF_WHEEL)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.mouseData = static_cast<DWORD>(delta);
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

// The system's wheel setting for the length of a test.
class TWheelLines {
public:
    explicit TWheelLines(UINT lines)
    {
        SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &old_, 0);
        SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0);
    }
    TWheelLines(const TWheelLines&) = delete;  // puts the setting back once
    TWheelLines& operator=(const TWheelLines&) = delete;
    ~TWheelLines() { SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, old_, nullptr, 0); }

private:
    UINT old_ = 3;
};
}  // namespace

// The wheel scrolls by the system's setting, whole notches made of partial turns too, a page for the page
// setting, and sideways with Shift; the cursor is carried along only when it would leave the window.
TEST_F(FrameInput, TheMouseWheelScrollsByTheSystemSetting)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += std::string(200, 'a' + i % 26) + "\r\n";
    Open(folder.Write("long.txt", text));
    TWindowsEditor* editor = frame->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    ShowFrame();
    RECT r;
    GetWindowRect(editor->Handle(), &r);
    MovePointer({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    editor->GotoPosition(0, 5, false);
    Pump();
    {
        TWheelLines three(3);
        Wheel(-WHEEL_DELTA);  // towards the user: down the text
        Pump();
        EXPECT_EQ(editor->topLine, 3);
        EXPECT_EQ(editor->curLineNo, 5);  // still in view: stays
        Wheel(-WHEEL_DELTA);
        Pump();
        EXPECT_EQ(editor->topLine, 6);
        EXPECT_EQ(editor->curLineNo, 6);  // carried along at the top
        // A high-resolution wheel: a third of a notch does nothing yet, three of them one notch.
        Wheel(-WHEEL_DELTA / 3);
        Pump();
        EXPECT_EQ(editor->topLine, 6);
        Wheel(-WHEEL_DELTA / 3);
        Wheel(-WHEEL_DELTA / 3);
        Pump();
        EXPECT_EQ(editor->topLine, 9);
        Wheel(2 * WHEEL_DELTA);  // away from the user: up
        Pump();
        EXPECT_EQ(editor->topLine, 3);
        EXPECT_EQ(editor->curLineNo, 9);
    }
    {
        TWheelLines page(WHEEL_PAGESCROLL);
        Wheel(-WHEEL_DELTA);
        Pump();
        EXPECT_EQ(editor->topLine, 3 + static_cast<int32_t>(editor->winLines));
    }
    {
        TWheelLines three(3);
        Key(VK_SHIFT, false);
        Wheel(-WHEEL_DELTA);
        Key(VK_SHIFT, true);
        Pump();
        EXPECT_EQ(editor->topCol, 3);
        EXPECT_EQ(editor->curCol, 3);
    }
    EXPECT_FALSE(gMenuEntered);
}

// When neither calculator starts, the user is told why, in the system's words.
TEST_F(FrameTest, ACalculatorThatCannotStartIsReportedWithTheSystemsReason)
{
    SetCalculatorPrograms("VOKNOCALC1.EXE", "VOKNOCALC2.EXE");
    Command(CM_CALCULATOR);
    SetCalculatorPrograms("VCALC.EXE", "CALC.EXE");
    ASSERT_EQ(services.shown, std::vector<unsigned>{IDS_CALCFAILED});
    char reason[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_FILE_NOT_FOUND, 0,
                   reason, sizeof reason, nullptr);
    std::string expected = reason;
    while (!expected.empty() && (expected.back() == '\n' || expected.back() == '\r'))
        expected.pop_back();
    ASSERT_FALSE(expected.empty());
    EXPECT_NE(services.args.back().find(expected), std::string::npos) << services.args.back();
}

namespace {
// Regional values written through the system's interface for the length of a test, and put back after.
class TIntlValues {
public:
    TIntlValues(const char* iTime, const char* iTLZero, const char* sTime, const char* s1159, const char* s2359)
    {
        const char* values[] = {iTime, iTLZero, sTime, s1159, s2359};
        for (int i = 0; i < 5; ++i) {
            char old[64] = {};
            had_[i] = GetProfileStringA("intl", kKeys[i], "\x01", old, sizeof old) > 0 && old[0] != '\x01';
            old_[i] = old;
            WriteProfileStringA("intl", kKeys[i], values[i]);
        }
        ResetIntlSettings();
    }
    TIntlValues(const TIntlValues&) = delete;  // puts the values back once
    TIntlValues& operator=(const TIntlValues&) = delete;
    ~TIntlValues()
    {
        for (int i = 0; i < 5; ++i)
            WriteProfileStringA("intl", kKeys[i], had_[i] ? old_[i].c_str() : nullptr);
        ResetIntlSettings();
    }

private:
    static constexpr const char* kKeys[5] = {"iTime", "iTLZero", "sTime", "s1159", "s2359"};
    bool had_[5] = {};
    std::string old_[5];
};
}  // namespace

// Insert Time through the window with the regional values of a 24-hour and a 12-hour clock, as the
// regional settings hold them: a 24-hour time has no designator, a 12-hour one the one of its half-day.
TEST_F(FrameInput, InsertTimeFollowsTheRegionalClock)
{
    Command(CM_FILENEW);
    TWindowsEditor* editor = frame->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    struct TCase {
        const char *iTime, *zero, *sep;
    } cases[] = {{"1", "0", ":"}, {"1", "1", "."}, {"0", "0", ":"}, {"0", "1", "."}};
    for (const TCase& c : cases) {
        TIntlValues values(c.iTime, c.zero, c.sep, "AM", "PM");
        TIntlSettings expected;
        expected.iTime = c.iTime[0] - '0';
        expected.iTLZero = c.zero[0] - '0';
        expected.sTime = c.sep;
        expected.s1159 = "AM";
        expected.s2359 = "PM";
        EXPECT_EQ(IntlSettings().iTime, expected.iTime);
        EXPECT_EQ(IntlSettings().s2359, "PM");
        editor->ExecuteCommand(cmSelectAll, 0);
        editor->ExecuteCommand(cmDeleteBlock, 0);
        const std::string before = FormatTime(LocalNow(), expected);
        editor->ExecuteCommand(cmInsertTime, 0);
        const std::string after = FormatTime(LocalNow(), expected);
        const std::string typed = editor->LineAt(0)->text;
        EXPECT_TRUE(typed == before || typed == after) << typed << " for iTime " << c.iTime;
        const bool designator = typed.find('M') != std::string::npos;
        EXPECT_EQ(designator, expected.iTime == 0) << typed;
    }
}
