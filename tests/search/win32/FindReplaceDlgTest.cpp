// The Find and Replace dialogs over a real editor window: fields, options, histories, the pattern menu.
#include "search/win32/SearchWindowFixture.h"

#include "controls/VokCtl.h"
#include "search/Regex.h"
#include "search/win32/SearchDlgSupport.h"

#include <utility>
#include <vector>

namespace {

class FindReplaceDlg : public SearchWindowTest {};

// The regular-expression message box, when one is open.
HWND RegexBox()
{
    HWND box = FindWindowA(VOKCTL_DIALOG_CLASS, "Vok Text Editor");
    return box && IsWindowVisible(box) ? box : nullptr;
}

std::string ListItem(HWND combo, int i)
{
    char text[128] = {};
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

TEST_F(FindReplaceDlg, FindHandsBackTextAndOptionsAndRemembersTheText)
{
    Load("alpha\nBeta beta\n");
    std::string offered;
    bool downAtOpen = false;
    RunDialog("Find", cmFind, [&](HWND box, int) {
        offered = Field(box, IDC_SRCH_FINDTEXT);
        downAtOpen = IsChecked(box, IDC_SRCH_DOWN);
        SetField(box, IDC_SRCH_FINDTEXT, "beta");
        Toggle(box, IDC_SRCH_MATCHCASE);
        Toggle(box, IDC_SRCH_WHOLEWORD);
        Press(box, IDOK);
        return true;
    });
    EXPECT_EQ(offered, "alpha");  // the word at the cursor
    EXPECT_TRUE(downAtOpen);
    const TSearchState& state = SearchState();
    EXPECT_STREQ(state.searchText, "beta");
    EXPECT_STREQ(state.findHistory.Entry(0), "beta");
    EXPECT_TRUE(state.options.matchCase);
    EXPECT_TRUE(state.options.wholeWord);
    EXPECT_FALSE(state.options.regex);
    // Match case passes over "Beta" to the second word.
    EXPECT_TRUE(ed->selShown);
    EXPECT_EQ(ed->Cursor(), (TPosition{9, 1}));
    EXPECT_TRUE(services.shown.empty());
}

TEST_F(FindReplaceDlg, FindUpwardsAndCancelLeaveTheirMarks)
{
    Load("one two\ntwo one\n");
    ed->GotoPosition(7, 1, false);
    RunDialog("Find", cmFind, [&](HWND box, int) {
        SetField(box, IDC_SRCH_FINDTEXT, "two");
        Toggle(box, IDC_SRCH_UP);
        Press(box, IDOK);
        return true;
    });
    EXPECT_FALSE(SearchState().options.down);
    EXPECT_EQ(ed->Cursor(), (TPosition{0, 1}));  // up leaves the cursor at the match's start

    RunDialog("Find", cmFind, [&](HWND box, int) {
        SetField(box, IDC_SRCH_FINDTEXT, "other");
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_STREQ(SearchState().searchText, "two");
    EXPECT_STREQ(SearchState().findHistory.Entry(1), "");
}

TEST_F(FindReplaceDlg, HistoryListsTheEightNewestEntriesNewestFirst)
{
    for (int i = 1; i <= 10; ++i)
        SearchState().findHistory.Add(("item " + std::to_string(i)).c_str());
    Load("\n");
    std::vector<std::string> listed;
    RunDialog("Find", cmFind, [&](HWND box, int) {
        HWND combo = GetDlgItem(box, IDC_SRCH_FINDTEXT);
        const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
            listed.push_back(ListItem(combo, i));
        Press(box, IDCANCEL);
        return true;
    });
    const std::vector<std::string> expected = {"item 10", "item 9", "item 8", "item 7",
                                               "item 6",  "item 5", "item 4", "item 3"};
    EXPECT_EQ(listed, expected);
}

TEST_F(FindReplaceDlg, EmptyHistorySlotsAreLeftOutAndTheFieldTakesAtMost79Characters)
{
    SearchState().findHistory.Add("first");
    SearchState().findHistory.Add("second");
    SearchState().replaceHistory.Add("with");
    Load("\n");
    int findCount = -1, replaceCount = -1;
    std::string typed;
    RunDialog("Replace", cmReplace, [&](HWND box, int) {
        findCount = static_cast<int>(SendDlgItemMessageA(box, IDC_SRCH_FINDTEXT, CB_GETCOUNT, 0, 0));
        replaceCount = static_cast<int>(SendDlgItemMessageA(box, IDC_SRCH_REPLACETEXT, CB_GETCOUNT, 0, 0));
        // Typing stops at the field's limit.
        HWND combo = GetDlgItem(box, IDC_SRCH_FINDTEXT);
        SetField(box, IDC_SRCH_FINDTEXT, "");
        for (int i = 0; i < 85; ++i)
            SendMessageA(GetWindow(combo, GW_CHILD), WM_CHAR, 'x', 1);
        typed = Field(box, IDC_SRCH_FINDTEXT);
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_EQ(findCount, 2);
    EXPECT_EQ(replaceCount, 1);
    EXPECT_EQ(typed, std::string(79, 'x'));
}

TEST_F(FindReplaceDlg, EmptyFindFieldKeepsTheDialogOpen)
{
    Load("text\n");
    bool stayed = false;
    RunDialog("Find", cmFind, [&](HWND box, int tick) {
        if (tick == 0) {
            SetField(box, IDC_SRCH_FINDTEXT, "");
            Press(box, IDOK);
            return false;
        }
        HWND fieldEdit = GetWindow(GetDlgItem(box, IDC_SRCH_FINDTEXT), GW_CHILD);
        stayed = IsWindowVisible(box) && GetFocus() == fieldEdit;
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_TRUE(stayed);
    EXPECT_STREQ(SearchState().searchText, "");
}

TEST_F(FindReplaceDlg, MalformedPatternShowsTheRegexBoxAndKeepsTheDialogOpen)
{
    Load("aaa\n");
    std::string message;
    std::string fieldAfter;
    bool regexBoxOwnedByDialog = false;
    RunDialog("Find", cmFind, [&](HWND box, int tick) {
        if (tick == 0) {
            SetField(box, IDC_SRCH_FINDTEXT, "a**");
            Toggle(box, IDC_SRCH_REGEX);
            Press(box, IDOK);
            return false;
        }
        if (HWND error = RegexBox()) {
            message = WindowText(GetDlgItem(error, 110));
            regexBoxOwnedByDialog = GetWindow(error, GW_OWNER) == box;
            PostMessageA(error, WM_COMMAND, IDOK, 0);
            return false;
        }
        if (message.empty())
            return false;
        fieldAfter = Field(box, IDC_SRCH_FINDTEXT);
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_EQ(message, "Regular expression error:  nested *?+");
    EXPECT_TRUE(regexBoxOwnedByDialog);
    EXPECT_EQ(fieldAfter, "a**");
    EXPECT_STREQ(SearchState().searchText, "");  // nothing was searched
    EXPECT_EQ(ed->Cursor(), (TPosition{0, 0}));
}

TEST_F(FindReplaceDlg, PatternIsCheckedAsTheSearchWillCompileIt)
{
    // Without Match case the search lower-cases the pattern: [Z-a] becomes the backward range [z-a].
    Load("Zebra\n");
    std::string message;
    RunDialog("Find", cmFind, [&](HWND box, int tick) {
        if (tick == 0) {
            SetField(box, IDC_SRCH_FINDTEXT, "[Z-a]");
            Toggle(box, IDC_SRCH_REGEX);
            Press(box, IDOK);
            return false;
        }
        if (HWND error = RegexBox()) {
            message = WindowText(GetDlgItem(error, 110));
            PostMessageA(error, WM_COMMAND, IDOK, 0);
            return false;
        }
        if (message.empty())
            return false;
        Toggle(box, IDC_SRCH_MATCHCASE);  // as typed, the range is valid
        Press(box, IDOK);
        return true;
    });
    EXPECT_EQ(message, "Regular expression error:  invalid [] range");
    EXPECT_STREQ(SearchState().searchText, "[Z-a]");
    EXPECT_TRUE(SearchState().options.regex);
    EXPECT_EQ(ed->Cursor(), (TPosition{1, 0}));
}

TEST_F(FindReplaceDlg, PatternMenuItemsInsertAtTheNotedCaretAndTickRegularExpression)
{
    Load("\n");
    std::vector<std::string> fields;
    std::vector<int> carets;
    bool regexTicked = false;
    RunDialog("Find", cmFind, [&](HWND box, int) {
        HWND combo = GetDlgItem(box, IDC_SRCH_FINDTEXT);
        auto note = [&] {
            fields.push_back(Field(box, IDC_SRCH_FINDTEXT));
            carets.push_back(HIWORD(SendMessageA(combo, CB_GETEDITSEL, 0, 0)));
        };
        SetField(box, IDC_SRCH_FINDTEXT, "ab");
        // No caret noted yet: appended.
        SendMessageA(box, WM_COMMAND, IDM_RX_ANYCHAR, 0);
        note();
        // The caret is noted when the field loses the focus to the "..." button.
        SetFocus(combo);
        SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(1, 1));
        SetFocus(GetDlgItem(box, IDC_SRCH_FINDMENU));
        SendMessageA(box, WM_COMMAND, IDM_RX_INRANGE, 0);
        note();
        SetFocus(GetDlgItem(box, IDC_SRCH_FINDMENU));
        SendMessageA(box, WM_COMMAND, IDM_RX_DIGIT, 0);
        note();
        SendMessageA(box, WM_COMMAND, IDM_RX_BLANKLINE, 0);
        note();
        regexTicked = IsChecked(box, IDC_SRCH_REGEX);
        Press(box, IDCANCEL);
        return true;
    });
    const std::vector<std::string> expected = {"ab.", "a[]b.", "a[[0-9]]b.", "^$"};
    EXPECT_EQ(fields, expected);
    EXPECT_EQ(carets, (std::vector<int>{3, 2, 7, 2}));
    EXPECT_TRUE(regexTicked);
}

TEST_F(FindReplaceDlg, PatternMenuRefusesToFillTheFieldTo80Characters)
{
    Load("\n");
    std::string accepted, refused;
    RunDialog("Find", cmFind, [&](HWND box, int) {
        SetField(box, IDC_SRCH_FINDTEXT, std::string(77, 'x').c_str());
        SendMessageA(box, WM_COMMAND, IDM_RX_INRANGE, 0);  // 79 characters: still fits
        accepted = Field(box, IDC_SRCH_FINDTEXT);
        SendMessageA(box, WM_COMMAND, IDM_RX_ANYCHAR, 0);  // would make 80
        refused = Field(box, IDC_SRCH_FINDTEXT);
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_EQ(accepted, std::string(77, 'x') + "[]");
    EXPECT_EQ(refused, accepted);
}

TEST_F(FindReplaceDlg, DotsButtonOpensThePatternMenuAtTheMouse)
{
    Load("\n");
    std::string field;
    bool menuSeen = false;
    RunDialog("Find", cmFind, [&](HWND box, int tick) {
        if (tick == 0) {
            SetField(box, IDC_SRCH_FINDTEXT, "x");
            Press(box, IDC_SRCH_FINDMENU);
            return false;
        }
        HWND menu = FindWindowA("#32768", nullptr);
        if (menu && IsWindowVisible(menu) && !menuSeen) {
            menuSeen = true;
            // The first item, Any Character, chosen from the keyboard.
            PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 1);
            PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 1);
            return false;
        }
        if (!menuSeen || Field(box, IDC_SRCH_FINDTEXT) == "x")
            return tick > 40 ? (Press(box, IDCANCEL), true) : false;
        field = Field(box, IDC_SRCH_FINDTEXT);
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_TRUE(menuSeen);
    EXPECT_EQ(field, "x.");
}

TEST_F(FindReplaceDlg, ReplaceMenuPartWritesIntoTheReplaceField)
{
    Load("\n");
    std::string find, replace;
    RunDialog("Replace", cmReplace, [&](HWND box, int) {
        SetField(box, IDC_SRCH_FINDTEXT, "a");
        SetField(box, IDC_SRCH_REPLACETEXT, "b");
        SendMessageA(box, WM_COMMAND, IDM_RX_NEWLINE, 0);
        SendMessageA(box, WM_COMMAND, IDM_RX_BACKSLASH, 0);
        find = Field(box, IDC_SRCH_FINDTEXT);
        replace = Field(box, IDC_SRCH_REPLACETEXT);
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_EQ(find, "a");
    EXPECT_EQ(replace, "b\\n\\\\");
}

TEST_F(FindReplaceDlg, ReplaceDialogAnswersWhetherReplaceAllWasChosen)
{
    for (int button : {IDOK, IDC_SRCH_REPLACEALL}) {
        TSearchRequest request;
        CopySearchText(request.findText, kSearchTextSize, "cat");
        CopySearchText(request.replaceText, kSearchTextSize, "dog");
        request.options.replaceAll = button == IDOK;  // the dialog must set it either way
        bool ok = false;
        TModalDriver::Run(
            "Replace", [&] { return (ok = ed->ReplaceDialog(request)) ? 1 : 0; },
            [&](HWND box, int) {
                Toggle(box, IDC_SRCH_PROMPT);
                Press(box, button);
                return true;
            });
        EXPECT_TRUE(ok);
        EXPECT_STREQ(request.findText, "cat");
        EXPECT_STREQ(request.replaceText, "dog");
        EXPECT_EQ(request.options.replaceAll, button == IDC_SRCH_REPLACEALL);
        EXPECT_FALSE(request.options.prompt);
    }
}

TEST_F(FindReplaceDlg, ReplaceAllWithoutPromptReplacesEveryOccurrence)
{
    Load("cat cat\ncat\n");
    RunDialog("Replace", cmReplace, [&](HWND box, int) {
        SetField(box, IDC_SRCH_FINDTEXT, "cat");
        SetField(box, IDC_SRCH_REPLACETEXT, "dog");
        Toggle(box, IDC_SRCH_PROMPT);
        Press(box, IDC_SRCH_REPLACEALL);
        return true;
    });
    EXPECT_EQ(Line(0), "dog dog");
    EXPECT_EQ(Line(1), "dog");
    EXPECT_STREQ(SearchState().replaceHistory.Entry(0), "dog");
    // The loop ends when nothing more is found, which the user is told.
    EXPECT_EQ(services.shown, (std::vector<unsigned>{15101}));
}

// The message that ends a Replace All comes up over the replaced text, in view and painted, not over the
// text as it was with the first match still selected.
TEST_F(FindReplaceDlg, ReplaceAllPaintsTheResultBeforeItsMessage)
{
    std::string text = "cat\n";
    for (int i = 0; i < 200; ++i)
        text += "line\n";
    Load(text + "cat\n");
    bool painted = false, pending = true, inView = false;
    services.onMessage = [&](unsigned) {
        RECT dirty;
        painted = !GetUpdateRect(ed->Handle(), &dirty, FALSE);
        pending = ed->pendingRedraw != kRedrawNone;
        inView = ed->curLineNo >= ed->topLine && ed->curLineNo < ed->topLine + static_cast<int32_t>(ed->winLines);
    };
    RunDialog("Replace", cmReplace, [&](HWND box, int) {
        SetField(box, IDC_SRCH_FINDTEXT, "cat");
        SetField(box, IDC_SRCH_REPLACETEXT, "dog");
        Toggle(box, IDC_SRCH_PROMPT);
        Press(box, IDC_SRCH_REPLACEALL);
        return true;
    });
    EXPECT_EQ(Line(201), "dog");
    ASSERT_EQ(services.shown, (std::vector<unsigned>{15101}));
    EXPECT_FALSE(pending);
    EXPECT_TRUE(painted);
    EXPECT_TRUE(inView);
}

TEST_F(FindReplaceDlg, PromptAnsweredNoYesAndAll)
{
    Load("x x x x\n");
    std::vector<std::string> asked;
    int prompt = 0;
    RunDialog("Replace", cmReplace, [&](HWND box, int) {
        if (!GetDlgItem(box, IDC_SRCH_PROMPTTEXT)) {
            SetField(box, IDC_SRCH_FINDTEXT, "x");
            SetField(box, IDC_SRCH_REPLACETEXT, "y");
            Press(box, IDC_SRCH_REPLACEALL);
            return false;
        }
        asked.push_back(Field(box, IDC_SRCH_PROMPTTEXT));
        const int answer[] = {IDNO, IDYES, IDC_SRCH_ALL};
        Press(box, answer[prompt]);
        return ++prompt == 3;
    });
    EXPECT_EQ(asked, (std::vector<std::string>{"x", "x", "x"}));
    EXPECT_EQ(Line(0), "x y y y");
}

TEST_F(FindReplaceDlg, ReplaceFieldOpensEmptyAfterAReplacementHoldingATab)
{
    Load("a1\n");
    std::string second;
    RunDialog("Replace", cmReplace, [&](HWND box, int) {
        SetField(box, IDC_SRCH_FINDTEXT, "a");
        SetField(box, IDC_SRCH_REPLACETEXT, "\\t");
        Toggle(box, IDC_SRCH_REGEX);
        Toggle(box, IDC_SRCH_PROMPT);
        Press(box, IDOK);
        return true;
    });
    EXPECT_EQ(Line(0), "\t1");
    RunDialog("Replace", cmReplace, [&](HWND box, int) {
        second = Field(box, IDC_SRCH_REPLACETEXT);
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_EQ(second, "");
}

namespace {

std::vector<unsigned> gHelpAsked;

TEST_F(FindReplaceDlg, HelpButtonsAskForTheirDialogsTopicOnceHelpIsInstalled)
{
    Load("alpha\n");
    // The program installs its help at start-up; without it the buttons are off.
    SetSearchDialogHelp(nullptr);
    bool enabledWithout = true;
    RunDialog("Find", cmFind, [&](HWND box, int) {
        enabledWithout = IsWindowEnabled(GetDlgItem(box, IDC_SRCH_HELP)) != FALSE;
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_FALSE(enabledWithout);
    gHelpAsked.clear();
    SetSearchDialogHelp([](HWND, unsigned context) { gHelpAsked.push_back(context); });
    for (auto [title, command] : {std::pair<const char*, unsigned>{"Find", cmFind}, {"Replace", cmReplace},
                                  {"Go To Line", cmGoToLine}, {"Go To Column", cmGoToColumn}}) {
        bool enabled = false;
        RunDialog(title, command, [&](HWND box, int) {
            enabled = IsWindowEnabled(GetDlgItem(box, IDC_SRCH_HELP)) != FALSE;
            Press(box, IDC_SRCH_HELP);
            Press(box, IDCANCEL);
            return true;
        });
        EXPECT_TRUE(enabled) << title;
    }
    SetSearchDialogHelp(nullptr);
    EXPECT_EQ(gHelpAsked, (std::vector<unsigned>{301, 302, 305, 306}));
}

}  // namespace
