// The file dialogs and the File Filters dialog, driven from a timer as a user would fill them in.
#include "shell/win32/FrameFixture.h"

#include <dlgs.h>

#include <algorithm>
#include <functional>

#include "resource.h"
#include "shell/win32/FileDialogs.h"
#include "shell/win32/FileTypesDlg.h"
#include "shell/win32/Subsystems.h"
#include "shell/win32/SyntaxDlg.h"
#include "SyntaxIds.h"

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

// ---- Syntax Highlighting. ------------------------------------------------------------------------------

namespace {

// Steps for a chain of modal dialogs: each runs once the dialog of its caption is up and enabled (an
// owner whose child dialog is open is disabled). Steps post what they click, so that a dialog a click
// opens runs from the loop that dispatched it, not from inside a step.
struct TDialogStep {
    const char* caption;
    std::function<void(HWND)> act;
};
std::vector<TDialogStep> gSteps;
int gStepTicks = 0;

void CALLBACK StepTick(HWND, UINT, UINT_PTR id, DWORD) noexcept
{
    if (gSteps.empty() || ++gStepTicks > 400) {
        KillTimer(nullptr, id);
        return;
    }
    HWND dialog = FindWindowA("#32770", gSteps.front().caption);
    if (!dialog || !IsWindowVisible(dialog) || !IsWindowEnabled(dialog))
        return;
    auto act = std::move(gSteps.front().act);
    gSteps.erase(gSteps.begin());
    act(dialog);
}

void RunSteps(std::vector<TDialogStep> steps)
{
    gSteps = std::move(steps);
    gStepTicks = 0;
    SetTimer(nullptr, 0, 30, StepTick);
}

void Post(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Descendant(dialog, id)));
}

class SyntaxDialogTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        saved = ProgramSyntaxTable();
        path = folder.Write("syntax.hgl", "[Text]\nExtensions=txt\n");
        UseSyntaxFile(path);
        LoadSyntaxTable(ProgramSyntaxTable(), path.c_str());
    }
    void TearDown() override
    {
        UseSyntaxFile("");
        ProgramSyntaxTable() = saved;
        FrameTest::TearDown();
    }
    std::string Value(const char* section, const char* key)
    {
        char value[512];
        GetPrivateProfileStringA(section, key, "(missing)", value, sizeof value, path.c_str());
        return value;
    }
    bool Shown(unsigned id) const
    {
        return std::find(services.shown.begin(), services.shown.end(), id) != services.shown.end();
    }

    TSyntaxTable saved;
    std::string path;
};

}  // namespace

TEST_F(SyntaxDialogTest, LanguagesFromBothTemplatesWithKeywordsAreWrittenOnOK)
{
    RunSteps({
        {"Syntax Highlighting", [](HWND d) { Post(d, IDC_SYN_ADD); }},
        {"Add Language",
         [](HWND d) {
             SetWindowTextA(Descendant(d, IDC_SYNADD_NAME), "Mine");
             Post(d, IDOK);
         }},
        {"Syntax Highlighting",
         [](HWND d) {
             SetWindowTextA(Descendant(d, IDC_SYN_EXTENSIONS), "MN mine");
             Post(d, IDC_SYN_EDIT);
         }},
        {"Define Language",
         [](HWND d) {
             SetWindowTextA(Descendant(d, IDC_SYNL_KEYWORD), "while");
             SendMessageA(Descendant(d, IDC_SYNL_ADDKEYWORD), BM_CLICK, 0, 0);
             SetWindowTextA(Descendant(d, IDC_SYNL_KEYWORD), "if");
             SendMessageA(Descendant(d, IDC_SYNL_ADDKEYWORD), BM_CLICK, 0, 0);
             SetWindowTextA(Descendant(d, IDC_SYNL_LINE2), "rem");
             Post(d, IDOK);
         }},
        {"Syntax Highlighting", [](HWND d) { Post(d, IDC_SYN_ADD); }},
        {"Add Language",
         [](HWND d) {
             SetWindowTextA(Descendant(d, IDC_SYNADD_NAME), "Old Basic");
             CheckRadioButton(d, IDC_SYNADD_CLIKE, IDC_SYNADD_BASIC, IDC_SYNADD_BASIC);
             Post(d, IDOK);
         }},
        {"Syntax Highlighting", [](HWND d) { Post(d, IDOK); }},
    });
    ASSERT_TRUE(EditSyntaxHighlighting(GetModuleHandleA(nullptr), hwnd, path));
    EXPECT_TRUE(gSteps.empty());
    EXPECT_EQ(Value("Mine", "Extensions"), "mn mine");
    EXPECT_EQ(Value("Mine", "CaseSensitive"), "yes");
    EXPECT_EQ(Value("Mine", "MultiComment"), "/* */");
    EXPECT_EQ(Value("Mine", "Keyword2"), "if");
    EXPECT_EQ(Value("Mine", "Keyword5"), "while");
    EXPECT_EQ(Value("Mine", "Keyword16"), "");
    EXPECT_EQ(Value("Mine", "LineComment2"), "rem");
    EXPECT_EQ(Value("Mine", "ColorKeyword"), "10");
    EXPECT_EQ(Value("Old Basic", "CaseSensitive"), "no");
    EXPECT_EQ(Value("Old Basic", "LineComment2"), "rem");
    EXPECT_EQ(Value("Old Basic", "Operators"), "-+=*/<>^");
    EXPECT_EQ(Value("Text", "Extensions"), "txt");
    // The program's table is read again from what was written.
    ASSERT_EQ(ProgramSyntaxTable().Count(), 3);
    EXPECT_EQ(FindLanguage(ProgramSyntaxTable(), "a.mine"), 2);
    EXPECT_EQ(ProgramSyntaxTable().Language(2)->keywords[5], "while");
}

TEST_F(SyntaxDialogTest, ANameTakenOrEmptyKeepsTheAddDialogOpen)
{
    RunSteps({
        {"Syntax Highlighting", [](HWND d) { Post(d, IDC_SYN_ADD); }},
        {"Add Language", [](HWND d) { Post(d, IDOK); }},  // empty: a beep, the dialog stays
        {"Add Language",
         [](HWND d) {
             SetWindowTextA(Descendant(d, IDC_SYNADD_NAME), "TEXT");
             Post(d, IDOK);
         }},
        {"Add Language", [](HWND d) { Post(d, IDCANCEL); }},
        {"Syntax Highlighting", [](HWND d) { Post(d, IDCANCEL); }},
    });
    const std::string before = TScratchFolder::Read(path);
    EXPECT_FALSE(EditSyntaxHighlighting(GetModuleHandleA(nullptr), hwnd, path));
    EXPECT_TRUE(gSteps.empty());
    EXPECT_TRUE(Shown(15431));
    EXPECT_EQ(TScratchFolder::Read(path), before);  // Cancel writes nothing
}

TEST_F(SyntaxDialogTest, TooManyKeywordsOfOneLengthKeepTheOldOnes)
{
    RunSteps({
        {"Syntax Highlighting", [](HWND d) { Post(d, IDC_SYN_EDIT); }},
        {"Define Language",
         [](HWND d) {
             // 64 keywords of four characters would take 256 characters; a table holds 255.
             HWND list = Descendant(d, IDC_SYNL_KEYWORDS);
             for (int i = 0; i < 64; ++i) {
                 char word[8];
                 wsprintfA(word, "k%03d", i);
                 SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word));
             }
             SetWindowTextA(Descendant(d, IDC_SYNL_WORDS), "a-z");
             Post(d, IDOK);
         }},
        {"Define Language", [](HWND d) { Post(d, IDCANCEL); }},
        {"Syntax Highlighting", [](HWND d) { Post(d, IDOK); }},
    });
    ASSERT_TRUE(EditSyntaxHighlighting(GetModuleHandleA(nullptr), hwnd, path));
    EXPECT_TRUE(gSteps.empty());
    EXPECT_TRUE(Shown(15430));
    EXPECT_EQ(Value("Text", "Keyword4"), "");
    EXPECT_EQ(Value("Text", "Words"), "");  // none of the dialog's changes were taken over
}

TEST_F(SyntaxDialogTest, OKRecoloursTheOpenWindows)
{
    Open(folder.Write("prog.mn", "/* a\nb */ x\n"));
    ASSERT_EQ(frame->Editors().size(), 1u);
    TWindowsEditor* editor = frame->Editors()[0];
    EXPECT_EQ(editor->Language(), 0);
    RunSteps({
        {"Syntax Highlighting", [](HWND d) { Post(d, IDC_SYN_ADD); }},
        {"Add Language",
         [](HWND d) {
             SetWindowTextA(Descendant(d, IDC_SYNADD_NAME), "Mine");
             Post(d, IDOK);
         }},
        {"Syntax Highlighting",
         [](HWND d) {
             SetWindowTextA(Descendant(d, IDC_SYN_EXTENSIONS), "mn");
             Post(d, IDOK);
         }},
    });
    Command(CM_SYNTAX);
    EXPECT_TRUE(gSteps.empty());
    EXPECT_EQ(editor->Language(), 2);
    EXPECT_EQ(editor->LineAt(0)->state, 1);
    EXPECT_EQ(Value("Mine", "Extensions"), "mn");
}

namespace {
std::string FixtureBytes(const std::string& name)
{
    std::ifstream in(std::string(VOK_SOURCE_DIR) + "/tests/import/fixtures/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

// File > Import Text: the "Import Document" dialog with the formats' filters, the text in a new unnamed
// window, unmodified, the cursor at its start.
TEST_F(FileDialogTest, ImportTextOpensTheDocumentsTextInANewUnnamedWindow)
{
    std::string doc = folder.Write("letter.doc", FixtureBytes("word6.doc"));
    std::string expected = FixtureBytes("word6.doc.expected");
    ASSERT_FALSE(expected.empty());
    std::string title;
    std::vector<std::string> filters;
    WhenDialogOpens([&](HWND dialog) {
        char text[100] = {};
        GetWindowTextA(dialog, text, sizeof text);
        title = text;
        HWND types = Descendant(dialog, cmb1);
        LRESULT count = types ? SendMessageA(types, CB_GETCOUNT, 0, 0) : 0;
        for (LRESULT i = 0; i < count && i < 20; ++i) {
            LRESULT length = SendMessageA(types, CB_GETLBTEXTLEN, i, 0);
            if (length < 0 || length > 200)
                continue;
            std::string item(static_cast<std::size_t>(length) + 1, '\0');
            SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
            item.resize(static_cast<std::size_t>(length));
            filters.push_back(item);
        }
        SetFileName(dialog, doc);
        Click(dialog, IDOK);
    });
    Command(CM_IMPORTTEXT);
    EXPECT_EQ(title, "Import Document");
    EXPECT_EQ(filters, (std::vector<std::string>{"Microsoft Word (*.doc)", "Windows Write (*.wri)",
                                                 "WordPerfect 5.x (*.wpd;*.doc)", "Ami Pro (*.sam)",
                                                 "WordStar (*.doc)"}));
    ASSERT_EQ(frame->Editors().size(), 1u);
    TWindowsEditor* editor = frame->Editors()[0];
    EXPECT_TRUE(editor->FileName().empty());
    EXPECT_FALSE(editor->modified);
    EXPECT_EQ(editor->curLineNo, 0);
    EXPECT_EQ(editor->curCol, 0);
    std::string text;
    for (int32_t i = 0; i <= editor->lastLine; ++i)
        text += std::string(i ? "\r\n" : "") + editor->LineAt(i)->text;
    EXPECT_EQ(text, expected);
    EXPECT_TRUE(services.shown.empty());
}

TEST_F(FileDialogTest, ImportTextOfEveryFormatAndFailures)
{
    for (const char* name : {"word2.doc", "word6-scan.doc", "write.wri", "wp51.wpd", "amipro.sam", "wordstar.ws"}) {
        std::string doc = folder.Write(name, FixtureBytes(name));
        TWindowsEditor* editor = frame->ImportByName(doc.c_str());
        ASSERT_NE(editor, nullptr) << name;
        std::string first = FixtureBytes(std::string(name) + ".expected");
        first = first.substr(0, first.find('\r'));
        EXPECT_STREQ(editor->LineAt(0)->text, first.c_str()) << name;
    }
    EXPECT_EQ(frame->Editors().size(), 6u);
    // A file that is no document, an encrypted WordPerfect document, a missing file: message 15005 with
    // the path, and no window.
    std::string plain = folder.Write("plain.doc", "plain text\r\n");
    std::string locked = folder.Write("locked.wpd", std::string("\xFFWPC\x10\0\0\0\x01\x0A\0\x01\x05\0\0\0x", 17));
    services.answer = IDOK;
    for (const std::string& path : {plain, locked, folder.File("missing.sam")}) {
        services.shown.clear();
        services.args.clear();
        EXPECT_EQ(frame->ImportByName(path.c_str()), nullptr);
        ASSERT_EQ(services.shown.size(), 1u);
        EXPECT_EQ(services.shown[0], 15005u);
        EXPECT_EQ(services.args[0], "Cannot open " + path + " file.\n\nMake sure a disk is in the drive you specified.");
    }
    EXPECT_EQ(frame->Editors().size(), 6u);
}
