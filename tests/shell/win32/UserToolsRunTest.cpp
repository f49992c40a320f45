// User tools run from the frame: captured output in Output windows, the launcher's failure, the save rules,
// the initial directory and file names with blanks; the Tools dialog on the program's table.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>

#include "FrameFixture.h"
#include "ToolIds.h"
#include "resource.h"
#include "shell/win32/ToolRunner.h"
#include "shell/win32/UserToolsDlg.h"

namespace {

std::string DocumentText(TWindowsEditor* editor)
{
    std::string text;
    for (LineRecord* line = editor->firstLine; line; line = line->next) {
        text += line->text;
        if (line->next)
            text += '\n';
    }
    return text;
}

std::string FirstLine(TWindowsEditor* editor)
{
    std::string text = editor->firstLine ? editor->firstLine->text : "";
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// The capture files in the temporary directory.
int TemporaryOutputs()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((std::string(temp) + "ozm*.tmp").c_str(), &fd);
    int count = 0;
    if (h != INVALID_HANDLE_VALUE) {
        do
            ++count;
        while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return count;
}

class UserToolRunTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        saved_ = ProgramSettings().userTools;
        ProgramSettings().userTools.Clear();
        char dir[MAX_PATH];
        GetCurrentDirectoryA(sizeof dir, dir);
        currentDir_ = dir;
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(currentDir_.c_str());
        ProgramSettings().userTools = saved_;
        FrameTest::TearDown();
    }

    // A captured "cmd /c ..." tool that saves nothing unless told.
    static TUserToolElement Tool(const char* arguments, bool capture = true)
    {
        TUserToolElement t;
        std::strcpy(t.menuText, "&Echo");
        std::strcpy(t.program, "cmd");
        std::strcpy(t.arguments, arguments);
        t.captureOutput = capture;
        t.saveFiles = TSaveBeforeTool::Nothing;
        return t;
    }
    void UseTool(const TUserToolElement& t)
    {
        ProgramSettings().userTools.Clear();
        ASSERT_TRUE(ProgramSettings().userTools.Append(t));
    }
    // The tool runs from the Tools menu item and what it printed is in the new active window.
    std::string RunCaptured()
    {
        Command(CM_USERTOOL1);
        PumpMessages();
        TWindowsEditor* out = frame->ActiveEditor();
        return out ? DocumentText(out) : std::string("<no window>");
    }

    TUserTools saved_;
    std::string currentDir_;
};

TEST_F(UserToolRunTest, CapturedOutputOfTheActiveDocumentsToolOpensOutput1ThenOutput2)
{
    std::string path = folder.Write("notes.txt", "first\r\nsecond word\r\n");
    Open(path);
    TWindowsEditor* doc = frame->ActiveEditor();
    ASSERT_NE(doc, nullptr);
    doc->GotoPosition(7, 1, false);
    const int before = TemporaryOutputs();
    UseTool(Tool("/c echo [$(FileName)] [$(FileExt)] $(CurLine):$(CurCol) {$(CurText)}"));

    Command(CM_USERTOOL1);
    PumpMessages();
    TWindowsEditor* first = frame->ActiveEditor();
    ASSERT_NE(first, doc);
    EXPECT_EQ(Title(first), "Output1");
    EXPECT_EQ(FirstLine(first), "[notes.txt] [txt] 2:8 {word}");
    // The output is an untitled document: the temporary file is gone and is not its name.
    EXPECT_TRUE(first->FileName().empty());
    EXPECT_FALSE(first->modified);

    // The second run starts from the output window, which has no file.
    Command(CM_USERTOOL1);
    PumpMessages();
    TWindowsEditor* second = frame->ActiveEditor();
    ASSERT_NE(second, first);
    EXPECT_EQ(Title(second), "Output2");
    EXPECT_EQ(FirstLine(second), "[] [] 1:1 {}");
    EXPECT_EQ(frame->Editors().size(), 3u);
    EXPECT_TRUE(services.shown.empty());

    // No temporary "ozm" file is left behind.
    EXPECT_EQ(TemporaryOutputs(), before);
}

TEST_F(UserToolRunTest, StandardErrorAndTheToolsOwnExitAreCaptured)
{
    UseTool(Tool("/c echo out& echo err 1>&2& exit 3"));
    std::string text = RunCaptured();
    EXPECT_NE(text.find("out"), std::string::npos) << text;
    EXPECT_NE(text.find("err"), std::string::npos) << text;
}

TEST_F(UserToolRunTest, ToolThatDoesNotExistShowsInvalidPath)
{
    TUserToolElement t = Tool("x", false);
    std::strcpy(t.program, "C:\\no such dir\\nothing-here.exe");
    UseTool(t);
    Command(CM_USERTOOL1);
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0], static_cast<unsigned>(IDS_TOOLINVALID));
    EXPECT_EQ(services.args[0], "The path 'C:\\no such dir\\nothing-here.exe' is invalid. The tool cannot be run.");
    EXPECT_EQ(frame->ActiveEditor(), nullptr);
}

TEST_F(UserToolRunTest, SaveRulesWithAndWithoutPrompts)
{
    std::string a = folder.Write("a.txt", "a\r\n");
    std::string b = folder.Write("b.txt", "b\r\n");
    Open(a);
    TWindowsEditor* docA = frame->ActiveEditor();
    Open(b);
    TWindowsEditor* docB = frame->ActiveEditor();
    ASSERT_NE(docA, docB);
    auto change = [&] {
        Type(docA, "x");
        Type(docB, "y");
        SendMessageA(frame->Client(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(docB->Handle()), 0);
    };
    TUserToolElement t = Tool("/c rem", false);

    // 0: nothing is saved, nothing asked.
    change();
    t.saveFiles = TSaveBeforeTool::Nothing;
    UseTool(t);
    Command(CM_USERTOOL1);
    EXPECT_TRUE(docA->modified && docB->modified);
    EXPECT_TRUE(services.shown.empty());

    // 1 with a prompt answered Cancel: the tool does not run and nothing is saved; Yes saves the active one.
    t.saveFiles = TSaveBeforeTool::ActiveFile;
    t.promptBeforeSave = true;
    UseTool(t);
    services.answer = IDCANCEL;
    Command(CM_USERTOOL1);
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0], static_cast<unsigned>(IDS_TOOLSAVEACTIVE));
    EXPECT_TRUE(docB->modified);
    services.answer = IDNO;
    Command(CM_USERTOOL1);
    EXPECT_TRUE(docB->modified);
    services.answer = IDYES;
    Command(CM_USERTOOL1);
    EXPECT_FALSE(docB->modified);
    EXPECT_TRUE(docA->modified);
    EXPECT_EQ(UserToolRunTest::folder.Read(b), "yb\r\n");
    // 1 without changes: no question.
    services.shown.clear();
    Command(CM_USERTOOL1);
    EXPECT_TRUE(services.shown.empty());

    // 2 without a prompt saves every document.
    change();
    t.saveFiles = TSaveBeforeTool::AllFiles;
    t.promptBeforeSave = false;
    UseTool(t);
    Command(CM_USERTOOL1);
    EXPECT_FALSE(docA->modified);
    EXPECT_FALSE(docB->modified);
    EXPECT_TRUE(services.shown.empty());
    // 2 with a prompt asks even with nothing changed.
    t.promptBeforeSave = true;
    UseTool(t);
    services.answer = IDNO;
    Command(CM_USERTOOL1);
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0], static_cast<unsigned>(IDS_TOOLSAVEALL));
}

TEST_F(UserToolRunTest, InitialDirectoryMacrosAndAFailedChange)
{
    CreateDirectoryA(folder.File("sub").c_str(), nullptr);
    std::string path = folder.Write("sub\\c.txt", "c\r\n");
    Open(path);
    TUserToolElement t = Tool("/c cd");
    std::strcpy(t.initialDir, "$(FileDir)");
    UseTool(t);
    std::string text = RunCaptured();
    EXPECT_EQ(lstrcmpiA(text.substr(0, text.find_first_of("\r\n")).c_str(), folder.File("sub").c_str()), 0) << text;

    std::strcpy(t.initialDir, "$(ProgDir)");
    UseTool(t);
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string progDir(module, std::strrchr(module, '\\') - module);
    text = RunCaptured();
    EXPECT_EQ(lstrcmpiA(text.substr(0, text.find_first_of("\r\n")).c_str(), progDir.c_str()), 0) << text;

    std::strcpy(t.initialDir, folder.File("missing").c_str());
    UseTool(t);
    services.answer = IDNO;
    size_t windows = frame->Editors().size();
    Command(CM_USERTOOL1);
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0], static_cast<unsigned>(IDS_TOOLCHDIR));
    EXPECT_EQ(frame->Editors().size(), windows);
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.File("sub").c_str());
}

TEST_F(UserToolRunTest, FileNameWithBlanksUnderEachShortNameRule)
{
    std::string path = folder.Write("my notes.txt", "n\r\n");
    Open(path);
    TWindowsEditor* doc = frame->ActiveEditor();
    ASSERT_NE(doc, nullptr);
    char shortPath[MAX_PATH] = "";
    GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    TUserToolElement t = Tool("/c echo $(FilePath)");
    t.shortNames = TShortNames::Never;
    UseTool(t);
    std::string text = RunCaptured();
    EXPECT_EQ(text.substr(0, path.size() + 2), "\"" + path + "\"");
    for (TShortNames rule : {TShortNames::WhenSpaced, TShortNames::Always}) {
        t.shortNames = rule;
        UseTool(t);
        SendMessageA(frame->Client(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(doc->Handle()), 0);
        text = RunCaptured();
        EXPECT_EQ(text.substr(0, std::strlen(shortPath)), shortPath) << static_cast<int>(rule);
    }
}

// Acts once on the dialog of a caption when it is up; a dialog that never comes is left to the stall guard.
std::function<void(HWND)> gAct;
const char* gCaption = nullptr;
int gTicks = 0;

void CALLBACK ActTick(HWND, UINT, UINT_PTR id, DWORD) noexcept
{
    HWND dialog = FindWindowA(nullptr, gCaption);
    if (++gTicks > 300) {
        KillTimer(nullptr, id);
        if (dialog)
            EndDialog(dialog, IDCANCEL);
        return;
    }
    if (!dialog || !IsWindowVisible(dialog) || !gAct)
        return;
    KillTimer(nullptr, id);
    auto act = std::move(gAct);
    gAct = nullptr;
    act(dialog);
}

void WhenUp(const char* caption, std::function<void(HWND)> act)
{
    gCaption = caption;
    gAct = std::move(act);
    gTicks = 0;
    SetTimer(nullptr, 0, 20, ActTick);
}

TEST(UserToolsDlg, AddsToolsNamedAfterTheProgramEditsThemAndRefusesATenth)
{
    TUserTools tools;
    TUserToolElement first;
    std::strcpy(first.menuText, "&Make");
    std::strcpy(first.program, "make.exe");
    ASSERT_TRUE(tools.Append(first));
    TUserToolsDlg dialog(GetModuleHandleA(nullptr), tools);
    int listed = 0;
    bool tenth = true;
    bool addEnabled = true;
    WhenUp("Tools", [&](HWND hwnd) {
        for (int i = 1; i < 9; ++i)
            EXPECT_TRUE(dialog.AddProgram("C:\\bin\\GREP.EXE"));
        tenth = dialog.AddProgram("C:\\bin\\ten.exe");
        listed = static_cast<int>(SendDlgItemMessageA(hwnd, IDC_TOOL_LIST, LB_GETCOUNT, 0, 0));
        addEnabled = IsWindowEnabled(GetDlgItem(hwnd, IDC_TOOL_ADD)) != 0;
        // The last one added is selected: change its fields through the controls.
        SetDlgItemTextA(hwnd, IDC_TOOL_ARGUMENTS, "-n $(CurText) $(FilePath)");
        SendMessageA(GetDlgItem(hwnd, IDC_TOOL_CAPTURE), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(hwnd, IDC_TOOL_SAVEALL), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(hwnd, IDC_TOOL_SHORTNEVER), BM_CLICK, 0, 0);
        PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(dialog.Run(nullptr), IDOK);
    EXPECT_FALSE(tenth);
    EXPECT_EQ(listed, 9);
    EXPECT_FALSE(addEnabled);
    const TUserTools& out = dialog.Tools();
    ASSERT_EQ(out.Count(), 9);
    EXPECT_STREQ(out[0].menuText, "&Make");
    EXPECT_STREQ(out[8].menuText, "&Grep");
    EXPECT_STREQ(out[8].program, "C:\\bin\\GREP.EXE");
    EXPECT_STREQ(out[8].arguments, "-n $(CurText) $(FilePath)");
    EXPECT_TRUE(out[8].captureOutput);
    EXPECT_EQ(out[8].saveFiles, TSaveBeforeTool::AllFiles);
    EXPECT_EQ(out[8].shortNames, TShortNames::Never);
    EXPECT_FALSE(out[7].captureOutput);
}

TEST(UserToolsDlg, AToolWithoutProgramKeepsTheDialogOpen)
{
    TUserTools tools;
    TUserToolsDlg dialog(GetModuleHandleA(nullptr), tools);
    bool stayed = false;
    WhenUp("Tools", [&](HWND hwnd) {
        ASSERT_TRUE(dialog.AddProgram("C:\\bin\\cc.exe"));
        SetDlgItemTextA(hwnd, IDC_TOOL_COMMAND, "");
        SendMessageA(hwnd, WM_COMMAND, IDOK, 0);
        stayed = IsWindow(hwnd) && IsWindowVisible(hwnd);
        SetDlgItemTextA(hwnd, IDC_TOOL_COMMAND, "cc2.exe");
        SetDlgItemTextA(hwnd, IDC_TOOL_MENUTEXT, "");
        PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(dialog.Run(nullptr), IDOK);
    EXPECT_TRUE(stayed);
    ASSERT_EQ(dialog.Tools().Count(), 1);
    // An emptied menu text is named by the number, so that the settings file has no gap.
    EXPECT_STREQ(dialog.Tools()[0].menuText, "Tool&1");
    EXPECT_STREQ(dialog.Tools()[0].program, "cc2.exe");
}

}  // namespace
