// Find Files under the system: a generated tree searched through the real dialogs by name and contents,
// Stop during a long search, the messages, and Find File opening its choice in the editor.
#include "findfiles/win32/FindFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "FindFilesIds.h"
#include "resource.h"
#include "shell/win32/FrameFixture.h"

namespace {

// Steps for a chain of modal dialogs, each run once the dialog of its caption is up; a chain that stalls
// cancels whatever is open so that a fault cannot hang the run.
struct TStep {
    const char* caption;
    std::function<void(HWND)> act;
};
std::vector<TStep> gSteps;
int gTicks = 0;
UINT_PTR gTimer = 0;

void CALLBACK StepTick(HWND, UINT, UINT_PTR id, DWORD) noexcept
{
    if (gSteps.empty() || ++gTicks > 1500) {
        KillTimer(nullptr, id);
        gTimer = 0;
        for (const char* caption : {"Search Results", "Performing Search", "Find Files", "Change Directory"})
            if (HWND open = FindWindowA(nullptr, caption))
                PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    HWND dialog = FindWindowA(nullptr, gSteps.front().caption);
    if (!dialog || !IsWindowVisible(dialog) || !IsWindowEnabled(dialog))
        return;
    auto act = std::move(gSteps.front().act);
    gSteps.erase(gSteps.begin());
    act(dialog);
}

void Script(std::vector<TStep> steps)
{
    gSteps = std::move(steps);
    gTicks = 0;
    if (gTimer)
        KillTimer(nullptr, gTimer);
    gTimer = SetTimer(nullptr, 0, 20, StepTick);
}

void Press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<std::string> ListItems(HWND dialog)
{
    std::vector<std::string> items;
    HWND list = GetDlgItem(dialog, IDC_FR_LIST);
    int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[300] = "";
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

void WriteFile(const std::string& path, const std::string& text)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
}

// A tree of 40 folders of 60 files each: "*.txt" and "*.log", a few with a marked text.
class FindFilesTree : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char base[MAX_PATH], name[MAX_PATH];
        GetTempPathA(sizeof base, base);
        GetTempFileNameA(base, "vff", 0, name);
        DeleteFileA(name);
        CreateDirectoryA(name, nullptr);
        root_ = name;
        for (int d = 0; d < 40; ++d) {
            std::string dir = root_ + "\\dir" + std::to_string(d);
            CreateDirectoryA(dir.c_str(), nullptr);
            for (int f = 0; f < 60; ++f)
                WriteFile(dir + "\\file" + std::to_string(f) + (f % 2 ? ".log" : ".txt"), "plain words\r\n");
            WriteFile(dir + "\\mark.txt", "the hidden text\r\n");
            // Enough to read that a search for a text keeps going for a while in every folder.
            WriteFile(dir + "\\big.dat", std::string(1 << 20, 'q'));
        }
        // Across the block boundary, and far into a file larger than the block.
        std::string across(kFindChunkSize - 4, 'x');
        WriteFile(root_ + "\\dir7\\across.txt", across + "StraddleMark" + std::string(50, 'y'));
        WriteFile(root_ + "\\dir33\\large.txt", std::string(3 * kFindChunkSize + 11, 'z') + "straddlemark");
        WriteFile(root_ + "\\dir33\\Other.TXT", "STRADDLEMARK");
    }
    static void TearDownTestSuite()
    {
        std::string command = "cmd /c rd /s /q \"" + root_ + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi;
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                           &si, &pi)) {
            WaitForSingleObject(pi.hProcess, 60000);
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
    }

    TFindFilesParams Params(const std::string& pattern, const char* text, unsigned options, int scope)
    {
        TFindFilesParams p;
        p.instance = GetModuleHandleA(nullptr);
        lstrcpynA(p.pattern, pattern.c_str(), sizeof p.pattern);
        lstrcpynA(p.initialDir, root_.c_str(), sizeof p.initialDir);
        lstrcpynA(p.text, text, sizeof p.text);
        p.options = options;
        p.scope = scope;
        p.message = [this](HWND, int code, const char*) { messages.push_back(code); };
        return p;
    }

    static std::string root_;
    std::vector<int> messages;
};
std::string FindFilesTree::root_;

TEST_F(FindFilesTree, ByNamePatternInTheSubtreeAndOpenReturnsTheChosenPath)
{
    TFindFilesParams p = Params("*.log", "", 0, 2);
    std::vector<std::string> listed;
    std::string dirLabel;
    Script({{"Find Files",
             [&](HWND d) {
                 char text[300] = "";
                 GetDlgItemTextA(d, IDC_FF_DIR, text, sizeof text);
                 dirLabel = text;
                 Press(d, IDOK);
             }},
            {"Search Results",
             [&](HWND d) {
                 listed = ListItems(d);
                 SendDlgItemMessageA(d, IDC_FR_LIST, LB_SETCURSEL, 3, 0);
                 Press(d, IDOK);
             }}});
    ASSERT_TRUE(FindFiles(p));
    EXPECT_EQ(dirLabel, root_);
    // 1200 ".log" files: the list stops when 768 are found or their paths fill the name buffer.
    std::size_t bytes = 0;
    for (const std::string& path : listed)
        bytes += path.size() + 1;
    EXPECT_LE(bytes, kFindNameBufferSize);
    EXPECT_LE(listed.size(), 768u);
    EXPECT_GT(bytes + 100, kFindNameBufferSize);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], kFindListFull);
    EXPECT_EQ(p.result, listed[3]);
}

TEST_F(FindFilesTree, ByContentsAcrossBlocksWithCaseRulesAndTheQuestionMark)
{
    auto run = [&](const std::string& pattern, const char* text, unsigned options) {
        TFindFilesParams p = Params(pattern, text, options, 2);
        std::vector<std::string> listed;
        Script({{"Find Files", [&](HWND d) { Press(d, IDOK); }},
                {"Search Results",
                 [&](HWND d) {
                     listed = ListItems(d);
                     Press(d, IDCANCEL);
                 }}});
        EXPECT_FALSE(FindFiles(p));
        gSteps.clear();
        return listed;
    };
    std::vector<std::string> exact = run("*.txt", "StraddleMark", 0);
    ASSERT_EQ(exact.size(), 1u);
    EXPECT_EQ(exact[0], root_ + "\\dir7\\across.txt");
    EXPECT_EQ(run("*.txt", "straddlemark", kFindIgnoreCase).size(), 3u);
    EXPECT_EQ(run("*.txt", "str?ddle?ark", kFindIgnoreCase | kFindQuestionAny).size(), 3u);
    EXPECT_EQ(run("*.txt", "straddlemark", 0).size(), 1u);
    EXPECT_EQ(run("*.log", "straddlemark", kFindIgnoreCase).size(), 0u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], kFindNothingFound);
}

TEST_F(FindFilesTree, PatternWithItsDirectorySearchesThatDirectory)
{
    TFindFilesParams p = Params("x", "", 0, 1);
    std::vector<std::string> listed;
    std::string dirLabel;
    Script({{"Find Files",
             [&](HWND d) {
                 SetDlgItemTextA(d, IDC_FF_PATTERN, (root_ + "\\dir33\\*.txt").c_str());
                 SetDlgItemTextA(d, IDC_FF_TEXT, "straddlemark");
                 CheckDlgButton(d, IDC_FF_IGNORECASE, BST_CHECKED);
                 Press(d, IDOK);
             }},
            {"Search Results",
             [&](HWND d) {
                 listed = ListItems(d);
                 Press(d, IDC_FR_FIND);
             }},
            // Find Files... comes back with the fields as they were left.
            {"Find Files",
             [&](HWND d) {
                 char text[300] = "";
                 GetDlgItemTextA(d, IDC_FF_PATTERN, text, sizeof text);
                 EXPECT_STREQ(text, "*.txt");
                 GetDlgItemTextA(d, IDC_FF_DIR, text, sizeof text);
                 dirLabel = text;
                 Press(d, IDCANCEL);
             }}});
    EXPECT_FALSE(FindFiles(p));
    EXPECT_EQ(dirLabel, root_ + "\\dir33");
    ASSERT_EQ(listed.size(), 2u);  // "large.txt", "Other.TXT": letter case of names does not count
    EXPECT_STREQ(p.text, "straddlemark");
    EXPECT_TRUE(messages.empty());
}

TEST_F(FindFilesTree, NothingFoundShowsItsMessageAndEndsTheRun)
{
    TFindFilesParams p = Params("*.none", "", 0, 2);
    Script({{"Find Files", [&](HWND d) { Press(d, IDOK); }}});
    EXPECT_FALSE(FindFiles(p));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], kFindNothingFound);
    EXPECT_STREQ(FindFilesMessageText(kFindNothingFound),
                 "No files have been found which meet the specified search criteria.");
}

TEST_F(FindFilesTree, StopEndsALongSearchAtOnce)
{
    // Every folder holds one file with the text and a large one without; the whole search finds 40.
    auto run = [&](bool stop) {
        TFindFilesParams p = Params("*.*", "hidden text", 0, 2);
        std::vector<std::string> listed;
        std::vector<TStep> steps = {{"Find Files", [&](HWND d) { Press(d, IDOK); }}};
        if (stop)
            steps.push_back({"Performing Search", [&](HWND d) { Press(d, IDCANCEL); }});
        steps.push_back({"Search Results", [&](HWND d) {
                             listed = ListItems(d);
                             Press(d, IDCANCEL);
                         }});
        Script(steps);
        EXPECT_FALSE(FindFiles(p));
        gSteps.clear();  // no results dialog comes when the stop found nothing
        return listed.size();
    };
    EXPECT_EQ(run(false), 40u);
    messages.clear();
    std::size_t found = run(true);
    EXPECT_LT(found, 40u);
    if (found == 0) {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], kFindNothingFound);
    }
}

TEST(FindFilesRoots, ScopesGiveTheirRootsAndDepth)
{
    int depth = -1;
    auto roots = FindFilesRoots(1, "C:\\src\\", "", &depth);
    EXPECT_EQ(depth, 0);
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(roots[0], "C:\\src\\");
    roots = FindFilesRoots(2, "C:\\src\\", "", &depth);
    EXPECT_EQ(depth, kFindMaxDepth);
    EXPECT_EQ(roots[0], "C:\\src\\");
    roots = FindFilesRoots(3, "C:\\src\\", "", &depth);
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(roots[0], "C:\\");
    roots = FindFilesRoots(4, "C:\\src\\", "C", &depth);
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(roots[0], "C:\\");
}

// Find File from the frame: the criteria typed into the dialog, the file chosen opens in the editor.
TEST_F(FrameTest, FindFileOpensTheChosenFileInTheEditor)
{
    std::string path = folder.Write("wanted.txt", "the needle is here\r\n");
    folder.Write("other.txt", "nothing\r\n");
    Script({{"Find Files",
             [&](HWND d) {
                 SetDlgItemTextA(d, IDC_FF_PATTERN, (folder.Path() + "\\*.txt").c_str());
                 SetDlgItemTextA(d, IDC_FF_TEXT, "NEEDLE");
                 CheckDlgButton(d, IDC_FF_IGNORECASE, BST_CHECKED);
                 CheckRadioButton(d, IDC_FF_SCOPE1, IDC_FF_SCOPE6, IDC_FF_SCOPE1);
                 Press(d, IDOK);
             }},
            {"Search Results", [&](HWND d) { Press(d, IDOK); }}});
    Command(CM_FINDFILE);
    TWindowsEditor* editor = frame->ActiveEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(lstrcmpiA(editor->FileName().c_str(), path.c_str()), 0) << editor->FileName();
    EXPECT_TRUE(services.shown.empty());
}

}  // namespace
