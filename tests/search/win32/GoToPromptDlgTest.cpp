// Go To Line and Column with their spin arrows, and where the replace prompt stands and what it answers.
#include "search/win32/SearchWindowFixture.h"

#include "search/Replace.h"
#include "search/win32/GoToNumberDlg.h"
#include "search/win32/ReplacePromptDlg.h"

namespace {

class GoToPromptDlg : public SearchWindowTest {
protected:
    static void Spin(HWND box, bool up, int times)
    {
        HWND arrow = GetDlgItem(box, IDC_SRCH_NUMBERARROW);
        RECT r;
        GetClientRect(arrow, &r);
        const int y = up ? 1 : r.bottom - 2;
        for (int i = 0; i < times; ++i) {
            SendMessageA(arrow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, y));
            SendMessageA(arrow, WM_LBUTTONUP, 0, MAKELPARAM(2, y));
        }
    }
    void LoadLines(int count)
    {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += "line " + std::to_string(i) + "\n";
        Load(text);
    }
    // The screen rectangle of a document line as the window shows it.
    RECT LineOnScreen(int32_t line)
    {
        const int top = (line - ed->topLine) * ed->CellHeight();
        RECT r = {0, top, 2000, top + ed->CellHeight()};
        MapWindowPoints(ed->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

}  // namespace

TEST_F(GoToPromptDlg, GoToLineShowsTheCursorLineAndSpinsToTheDocumentsEnd)
{
    LoadLines(10);
    ed->GotoPosition(3, 2, false);
    std::string shown, spun;
    RunDialog("Go To Line", cmGoToLine, [&](HWND box, int) {
        shown = Field(box, IDC_SRCH_NUMBER);
        SetField(box, IDC_SRCH_NUMBER, "9");
        Spin(box, true, 3);
        spun = Field(box, IDC_SRCH_NUMBER);
        Press(box, IDOK);
        return true;
    });
    EXPECT_EQ(shown, "3");  // 1-based
    EXPECT_EQ(spun, "12");
    // Beyond the last line the cursor stops on it.
    EXPECT_EQ(ed->curLineNo, 9);
    EXPECT_EQ(ed->curCol, 3);
}

TEST_F(GoToPromptDlg, GoToLineSpinStaysWithinItsRange)
{
    LoadLines(3);
    std::string top, bottom;
    RunDialog("Go To Line", cmGoToLine, [&](HWND box, int) {
        SetField(box, IDC_SRCH_NUMBER, "32700");
        Spin(box, true, 1);
        top = Field(box, IDC_SRCH_NUMBER);
        SetField(box, IDC_SRCH_NUMBER, "2");
        Spin(box, false, 3);
        bottom = Field(box, IDC_SRCH_NUMBER);
        Press(box, IDOK);
        return true;
    });
    EXPECT_EQ(top, "32700");
    EXPECT_EQ(bottom, "1");
    EXPECT_EQ(ed->curLineNo, 0);
}

TEST_F(GoToPromptDlg, GoToLineRefusesZeroAndTextAndSelectsTheField)
{
    LoadLines(5);
    ed->GotoPosition(0, 2, false);
    std::vector<DWORD> selections;
    std::vector<bool> open;
    RunDialog("Go To Line", cmGoToLine, [&](HWND box, int tick) {
        const char* typed[] = {"0", "4x", ""};
        if (tick > 0) {
            open.push_back(IsWindowVisible(box) != FALSE);
            const LRESULT selection = SendDlgItemMessageA(box, IDC_SRCH_NUMBER, EM_GETSEL, 0, 0);
            selections.push_back(static_cast<DWORD>(selection));
        }
        if (tick == 3) {
            Press(box, IDCANCEL);
            return true;
        }
        SetField(box, IDC_SRCH_NUMBER, typed[tick]);
        SendDlgItemMessageA(box, IDC_SRCH_NUMBER, EM_SETSEL, 0, 0);
        Press(box, IDOK);
        return false;
    });
    EXPECT_EQ(open, (std::vector<bool>{true, true, true}));
    // Each refusal selects the whole field.
    EXPECT_EQ(selections, (std::vector<DWORD>{MAKELONG(0, 1), MAKELONG(0, 2), MAKELONG(0, 0)}));
    EXPECT_EQ(ed->curLineNo, 2);
}

TEST_F(GoToPromptDlg, GoToColumnMovesWithinTheLineAndSpinsUpTo1024)
{
    Load("short\n");
    std::string spun;
    RunDialog("Go To Column", cmGoToColumn, [&](HWND box, int) {
        SetField(box, IDC_SRCH_NUMBER, "1023");
        Spin(box, true, 2);
        spun = Field(box, IDC_SRCH_NUMBER);
        SetField(box, IDC_SRCH_NUMBER, "5");
        Press(box, IDOK);
        return true;
    });
    EXPECT_EQ(spun, "1024");
    EXPECT_EQ(ed->curCol, 4);
    EXPECT_EQ(ed->curLineNo, 0);
}

TEST(NumberField, ReadsOnlyUpToFiveDigits)
{
    EXPECT_EQ(TGoToNumberDlg::ParseNumber("12"), 12);
    EXPECT_EQ(TGoToNumberDlg::ParseNumber("99999"), 99999);
    EXPECT_EQ(TGoToNumberDlg::ParseNumber("100000"), 0);
    EXPECT_EQ(TGoToNumberDlg::ParseNumber("0"), 0);
    EXPECT_EQ(TGoToNumberDlg::ParseNumber(""), 0);
    EXPECT_EQ(TGoToNumberDlg::ParseNumber("-3"), 0);
    EXPECT_EQ(TGoToNumberDlg::ParseNumber(" 3"), 0);
}

struct TPlaceCase {
    int row;
    int expectedTop;
};

class PromptPlacement : public ::testing::TestWithParam<TPlaceCase> {};

// A dialog 100 high, now at top 300, on a screen 1000 high, beside text lines 16 high.
TEST_P(PromptPlacement, KeepsTheRowClear)
{
    EXPECT_EQ(TReplacePromptDlg::PromptTop(300, GetParam().row, 16, 100, 1000), GetParam().expectedTop);
}

INSTANTIATE_TEST_SUITE_P(Rows, PromptPlacement,
                         ::testing::Values(TPlaceCase{100, 118},   // upper half: below the row
                                           TPlaceCase{500, 518},   // the middle counts as the upper half
                                           TPlaceCase{501, 383},   // lower half: above the row
                                           TPlaceCase{990, 872},
                                           TPlaceCase{-5, 300},    // off the screen: left where it is
                                           TPlaceCase{1000, 300}));

TEST_F(GoToPromptDlg, PromptNeverCoversTheFoundLine)
{
    LoadLines(200);
    const int visible = static_cast<int>(ed->winLines);
    ASSERT_GT(visible, 20);
    // A line near the top of the screen and one near the bottom, each selected as a found match.
    for (int32_t line : {int32_t{2}, int32_t{visible - 2}}) {
        ed->GotoPosition(0, line, false);
        ed->GotoPosition(4, line, true);
        RECT dialog = {}, overlap;
        TModalDriver::Run(
            "Replace", [&] { return static_cast<int>(ed->ReplacePrompt()); },
            [&](HWND box, int) {
                GetWindowRect(box, &dialog);
                Press(box, IDCANCEL);
                return true;
            });
        const RECT text = LineOnScreen(line);
        EXPECT_FALSE(IntersectRect(&overlap, &dialog, &text)) << "line " << line;
        EXPECT_GT(dialog.bottom, dialog.top);
    }
}

TEST_F(GoToPromptDlg, PromptAnswersForEachButton)
{
    LoadLines(3);
    CopySearchText(SearchState().searchText, kSearchTextSize, "line 2");
    ed->GotoPosition(0, 1, false);
    ed->GotoPosition(6, 1, true);
    const std::pair<int, TReplaceAnswer> answers[] = {{IDYES, TReplaceAnswer::Yes},
                                                      {IDNO, TReplaceAnswer::No},
                                                      {IDC_SRCH_ALL, TReplaceAnswer::All},
                                                      {IDCANCEL, TReplaceAnswer::Cancel}};
    for (auto [button, expected] : answers) {
        std::string shown;
        const int answer = TModalDriver::Run(
            "Replace", [&] { return static_cast<int>(ed->ReplacePrompt()); },
            [&](HWND box, int) {
                shown = Field(box, IDC_SRCH_PROMPTTEXT);
                Press(box, button);
                return true;
            });
        EXPECT_EQ(static_cast<TReplaceAnswer>(answer), expected) << "button " << button;
        EXPECT_EQ(shown, "line 2");
    }
}

TEST_F(GoToPromptDlg, EscapeCancelsThePrompt)
{
    LoadLines(1);
    const int answer = TModalDriver::Run(
        "Replace", [&] { return static_cast<int>(ed->ReplacePrompt()); },
        [](HWND box, int) {
            TModalDriver::PressKey(box, VK_ESCAPE);
            return true;
        });
    EXPECT_EQ(static_cast<TReplaceAnswer>(answer), TReplaceAnswer::Cancel);
}
