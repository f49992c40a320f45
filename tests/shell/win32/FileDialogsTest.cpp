// The file dialogs and the File Filters dialog, driven from a timer as a user would fill them in.
#include "shell/win32/FrameFixture.h"

#include <dlgs.h>

#include <functional>

#include "resource.h"
#include "shell/win32/FileDialogs.h"
#include "shell/win32/FileTypesDlg.h"

namespace {

// The actions to take once a dialog of this thread is up; they run inside the dialog's own loop.
std::function<void(HWND)> gOnDialog;
int gTicks = 0;

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM result)
{
    char name[16];
    GetClassNameA(hwnd, name, sizeof name);
    if (IsWindowVisible(hwnd) && lstrcmpA(name, "#32770") == 0) {
        *reinterpret_cast<HWND*>(result) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) noexcept
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog && ++gTicks < 100)
        return;
    KillTimer(nullptr, id);
    if (dialog && gOnDialog) {
        auto act = std::move(gOnDialog);
        gOnDialog = nullptr;
        act(dialog);
    }
}

void WhenDialogOpens(std::function<void(HWND)> act)
{
    gOnDialog = std::move(act);
    gTicks = 0;
    SetTimer(nullptr, 0, 50, Tick);
}

struct TSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND hwnd, LPARAM p)
{
    auto* s = reinterpret_cast<TSearch*>(p);
    if (GetDlgCtrlID(hwnd) == s->id) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND Descendant(HWND parent, int id)
{
    TSearch s{id, nullptr};
    EnumChildWindows(parent, MatchId, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

void SetFileName(HWND dialog, const std::string& name)
{
    for (int id : {cmb13, edt1})
        if (HWND control = Descendant(dialog, id))
            SetWindowTextA(control, name.c_str());
}

void Click(HWND dialog, int id)
{
    HWND button = Descendant(dialog, id);
    if (id == IDOK || id == IDCANCEL)
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    else if (button)
        SendMessageA(button, BM_CLICK, 0, 0);
}

bool Checked(HWND dialog, int id)
{
    HWND button = Descendant(dialog, id);
    return button && SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

class FileDialogTest : public FrameTest {};

}  // namespace

TEST_F(FileDialogTest, SaveAsReturnsTheNameFormatAndBackupChosen)
{
    std::string target = folder.File("saved.txt");
    WhenDialogOpens([&](HWND dialog) {
        SetFileName(dialog, target);
        Click(dialog, IDC_FORMATUNIX);
        Click(dialog, IDC_BACKUP);
        Click(dialog, IDOK);
    });
    char path[260] = "";
    int format = 0;
    bool backup = false;
    ASSERT_TRUE(SaveAsFileDialog(GetModuleHandleA(nullptr), hwnd, path, sizeof path, &format, &backup));
    EXPECT_EQ(lstrcmpiA(path, target.c_str()), 0) << path;
    EXPECT_EQ(format, 1);
    EXPECT_TRUE(backup);
    EXPECT_EQ(lstrcmpiA(ProgramSettings().lastDir, folder.Path().c_str()), 0) << ProgramSettings().lastDir;
    EXPECT_FALSE(SaveAsDialogOpen());
}

TEST_F(FileDialogTest, SaveAsShowsTheCurrentChoiceAndCancelChangesNothing)
{
    bool mac = false, dos = true, backupShown = false, openWhileShown = false;
    WhenDialogOpens([&](HWND dialog) {
        mac = Checked(dialog, IDC_FORMATMAC);
        dos = Checked(dialog, IDC_FORMATDOS);
        backupShown = Checked(dialog, IDC_BACKUP);
        openWhileShown = SaveAsDialogOpen();
        Click(dialog, IDCANCEL);
    });
    char path[260] = "x.txt";
    int format = 2;
    bool backup = true;
    EXPECT_FALSE(SaveAsFileDialog(GetModuleHandleA(nullptr), hwnd, path, sizeof path, &format, &backup));
    EXPECT_TRUE(mac);
    EXPECT_FALSE(dos);
    EXPECT_TRUE(backupShown);
    EXPECT_TRUE(openWhileShown);
    EXPECT_EQ(format, 2);
    EXPECT_TRUE(backup);
}

TEST_F(FileDialogTest, OpenWithSeveralNamesGivesEveryFile)
{
    std::string a = folder.Write("a.txt", "a");
    std::string b = folder.Write("b.txt", "b");
    lstrcpynA(ProgramSettings().lastDir, folder.Path().c_str(), sizeof ProgramSettings().lastDir);
    WhenDialogOpens([&](HWND dialog) {
        SetFileName(dialog, "\"b.txt\" \"a.txt\"");
        Click(dialog, IDOK);
    });
    std::vector<std::string> paths;
    ASSERT_TRUE(OpenFilesDialog(GetModuleHandleA(nullptr), hwnd, &paths));
    ASSERT_EQ(paths.size(), 2u);
    std::vector<std::string> sorted = paths;
    std::sort(sorted.begin(), sorted.end(), [](const std::string& x, const std::string& y) {
        return lstrcmpiA(x.c_str(), y.c_str()) < 0;
    });
    EXPECT_EQ(lstrcmpiA(sorted[0].c_str(), a.c_str()), 0) << sorted[0];
    EXPECT_EQ(lstrcmpiA(sorted[1].c_str(), b.c_str()), 0) << sorted[1];
}

TEST_F(FileDialogTest, OpenWithOneNameOpensExactlyThatFile)
{
    std::string a = folder.Write("only.txt", "a");
    lstrcpynA(ProgramSettings().lastDir, folder.Path().c_str(), sizeof ProgramSettings().lastDir);
    WhenDialogOpens([&](HWND dialog) {
        SetFileName(dialog, a);
        Click(dialog, IDOK);
    });
    Command(102);
    ASSERT_EQ(frame->Editors().size(), 1u);
    EXPECT_EQ(lstrcmpiA(frame->Editors()[0]->FileName().c_str(), a.c_str()), 0);
}

TEST_F(FileDialogTest, FileFiltersAreAddedMovedAndKept)
{
    SetFileFilterRows({{"Text", "*.txt"}, {"All", "*.*"}});
    WhenDialogOpens([&](HWND dialog) {
        Click(dialog, IDC_FILTERADD);
        SetWindowTextA(Descendant(dialog, IDC_FILTERDESC), "Logs");
        SetWindowTextA(Descendant(dialog, IDC_FILTERPATTERN), "*.log");
        Click(dialog, IDC_FILTERUP);
        Click(dialog, IDOK);
    });
    ASSERT_TRUE(EditFileFilters(GetModuleHandleA(nullptr), hwnd));
    std::vector<TFilterRow> rows = FileFilterRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].description, "Text");
    EXPECT_EQ(rows[1].description, "Logs");
    EXPECT_EQ(rows[1].pattern, "*.log");
    EXPECT_EQ(rows[2].description, "All");
    EXPECT_TRUE(ProgramSettings().fileTypes.Modified());
    std::string block = FileDialogFilter(512);
    EXPECT_EQ(block, std::string("Text\0*.txt\0Logs\0*.log\0All\0*.*\0\0", 31));
}

// The pattern column starts after the longest description and the list reaches to the end of the
// longest pattern, so that "*.txt;*.doc;*.ini;*.inf;*.log;*.c" is not cut off.
TEST_F(FileDialogTest, FileFiltersShowTheWholePatterns)
{
    const std::string longPattern = "*.txt;*.doc;*.ini;*.inf;*.log;*.c;*.cpp;*.h";
    SetFileFilterRows({{"All Text Files", longPattern}, {"All", "*.*"}});
    int extent = -1, needed = 0;
    bool scrolls = false;
    WhenDialogOpens([&](HWND dialog) {
        HWND list = Descendant(dialog, IDC_FILTERLIST);
        extent = static_cast<int>(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0));
        scrolls = (GetWindowLongA(list, GWL_STYLE) & WS_HSCROLL) != 0;
        HDC dc = GetDC(list);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
        SIZE a = {}, b = {};
        GetTextExtentPoint32A(dc, "All Text Files", 14, &a);
        GetTextExtentPoint32A(dc, longPattern.c_str(), static_cast<int>(longPattern.size()), &b);
        needed = a.cx + b.cx;
        SelectObject(dc, old);
        ReleaseDC(list, dc);
        Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(EditFileFilters(GetModuleHandleA(nullptr), hwnd));
    EXPECT_TRUE(scrolls);
    EXPECT_GT(extent, needed);
}

// Set Font opens on the editor font's own size, not on the smallest one offered.
TEST_F(FileDialogTest, SetFontOffersTheCurrentSize)
{
    std::string size;
    WhenDialogOpens([&](HWND dialog) {
        char text[16] = {};
        GetWindowTextA(Descendant(dialog, cmb3), text, sizeof text);
        size = text;
        Click(dialog, IDCANCEL);
    });
    Command(CM_SETFONT);
    EXPECT_EQ(size, std::to_string(ProgramSettings().fontSize));
}

TEST_F(FileDialogTest, FileFiltersCancelledKeepTheTable)
{
    SetFileFilterRows({{"Text", "*.txt"}});
    WhenDialogOpens([&](HWND dialog) {
        Click(dialog, IDC_FILTERREMOVE);
        Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(EditFileFilters(GetModuleHandleA(nullptr), hwnd));
    ASSERT_EQ(FileFilterRows().size(), 1u);
}

TEST(FilterBlock, AStringEndingInItsSeparatorBecomesNulSeparated)
{
    EXPECT_EQ(FilterBlockFromString("Help Files (*.HLP)|*.hlp|"), std::string("Help Files (*.HLP)\0*.hlp\0\0", 26));
    EXPECT_EQ(FilterBlockFromString(""), std::string("\0", 1));
}

TEST(VokMessageText, ReplacesOnlyTheTextPlaceholder)
{
    std::string seen;
    SetVokMessageHook(
        [](unsigned, const char* text, unsigned, void* out) {
            *static_cast<std::string*>(out) = text;
            return IDNO;
        },
        &seen);
    EXPECT_EQ(VokMessage(nullptr, 15004, "C:\\100%d.txt", MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(seen, "The text in the C:\\100%d.txt file has changed. Do you want to save changes?");
    VokMessage(nullptr, 15006, nullptr, MB_OK);
    EXPECT_EQ(seen, "Read Error !");
    SetVokMessageHook(nullptr, nullptr);
}
