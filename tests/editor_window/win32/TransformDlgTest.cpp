// The transforms' dialogs over a real editor window: each opens pre-filled and hands back what was typed.
#include "search/win32/SearchWindowFixture.h"

#include "TransformIds.h"
#include "editor_window/win32/TransformDlgs.h"
#include "engine/Transforms.h"

namespace {

class TransformDlg : public SearchWindowTest {
protected:
    void SetUp() override
    {
        SearchWindowTest::SetUp();
        TransformOptions() = TTransformOptions{};
    }
    void TearDown() override
    {
        TransformOptions() = TTransformOptions{};
        SearchWindowTest::TearDown();
    }
};

}  // namespace

TEST_F(TransformDlg, SortShowsTheProposedKeyAndSortsByTheTypedOne)
{
    Load("b 2\na 3\nc 1");
    std::string column, length;
    bool alphanum = false, ascending = false;
    RunDialog("Sort", cmSort, [&](HWND box, int) {
        column = Field(box, IDC_SORT_COLUMN);
        length = Field(box, IDC_SORT_LENGTH);
        alphanum = IsChecked(box, IDC_SORT_ALPHANUM);
        ascending = IsChecked(box, IDC_SORT_ASCENDING);
        SetField(box, IDC_SORT_COLUMN, "3");
        SetField(box, IDC_SORT_LENGTH, "1");
        Toggle(box, IDC_SORT_DESCENDING);
        Press(box, IDOK);
        return true;
    });
    EXPECT_EQ(column, "1");
    EXPECT_EQ(length, "20");
    EXPECT_TRUE(alphanum);
    EXPECT_TRUE(ascending);
    EXPECT_EQ(Line(0), "a 3");
    EXPECT_EQ(Line(1), "b 2");
    EXPECT_EQ(Line(2), "c 1");
    EXPECT_TRUE(TransformOptions().sort.descending);
}

TEST_F(TransformDlg, SortRefusesAKeyLengthOutOfRange)
{
    Load("b\na");
    RunDialog("Sort", cmSort, [&](HWND box, int tick) {
        if (tick == 0) {
            SetField(box, IDC_SORT_LENGTH, "32");
            Press(box, IDOK);
            return false;
        }
        // Still open: the length is refused.
        Press(box, IDCANCEL);
        return true;
    });
    EXPECT_EQ(Line(0), "b");
}

TEST_F(TransformDlg, FillBlockOpensOnTheLastStringAndFillsWithTheTypedOne)
{
    std::snprintf(TransformOptions().fillString, sizeof TransformOptions().fillString, "%s", "xy");
    Load("abcdef\nabcdef");
    ed->SetSelMode(true);
    ed->GotoPosition(1, 0, false);
    ed->GotoPosition(4, 1, true);
    std::string shown;
    RunDialog("Fill Column Block", cmFillBlock, [&](HWND box, int) {
        shown = Field(box, IDC_FILL_TEXT);
        SetField(box, IDC_FILL_TEXT, "Q");
        Press(box, IDOK);
        return true;
    });
    EXPECT_EQ(shown, "xy");
    EXPECT_EQ(Line(0), "aQQQef");
    EXPECT_EQ(Line(1), "aQQQef");
    EXPECT_STREQ(TransformOptions().fillString, "Q");
}

TEST_F(TransformDlg, LineDrawStyleShowsTheStyleAndTakesTheUsersCharacter)
{
    TransformOptions().lineDrawStyle = 3;
    bool single = false;
    RunDialog("Line Draw Style", cmLineDrawStyle, [&](HWND box, int) {
        single = IsChecked(box, IDC_DRAW_STYLE3);
        Toggle(box, IDC_DRAW_USER);
        SetField(box, IDC_DRAW_CHAR, "#");
        Press(box, IDOK);
        return true;
    });
    EXPECT_TRUE(single);
    EXPECT_EQ(TransformOptions().lineDrawStyle, 0);
    EXPECT_EQ(TransformOptions().lineDrawChar, '#');
}

TEST_F(TransformDlg, WordCountShowsTheFiveFigures)
{
    Load("two words\n\nthree more_words");
    std::vector<std::string> figures;
    RunDialog("Word Count", cmWordCount, [&](HWND box, int) {
        for (int id : {IDC_COUNT_LINES, IDC_COUNT_NONBLANK, IDC_COUNT_PARAGRAPHS, IDC_COUNT_WORDS, IDC_COUNT_CHARS})
            figures.push_back(Field(box, id));
        Press(box, IDOK);
        return true;
    });
    EXPECT_EQ(figures, (std::vector<std::string>{"3", "2", "2", "4", "23"}));
}

TEST_F(TransformDlg, ChangeCaseOpensOnSentenceCaseAndAnswersTheChoice)
{
    bool first = false;
    int choice = 0;
    TModalDriver::Run(
        "Change Case",
        [&] {
            TChangeCaseDlg dialog(GetModuleHandleA(nullptr));
            dialog.Run(frame);
            choice = dialog.Choice();
            return 0;
        },
        [&](HWND box, int) {
            first = IsChecked(box, IDC_CASE_SENTENCE);
            Toggle(box, IDC_CASE_TITLE);
            Press(box, IDOK);
            return true;
        });
    EXPECT_TRUE(first);
    EXPECT_EQ(choice, 4);
}

TEST_F(TransformDlg, ConvertTabSizeKeepsTheLastChoice)
{
    unsigned command = 0;
    bool kept = false;
    for (int round = 0; round < 2; ++round) {
        TModalDriver::Run(
            "Convert Tab Size",
            [&] {
                TConvertTabSizeDlg dialog(GetModuleHandleA(nullptr));
                if (dialog.Run(frame) == IDOK)
                    command = dialog.Command();
                return 0;
            },
            [&](HWND box, int) {
                if (round == 0)
                    Toggle(box, IDC_TABS_CURTO8);
                else
                    kept = IsChecked(box, IDC_TABS_CURTO8);
                Press(box, IDOK);
                return true;
            });
    }
    EXPECT_EQ(command, static_cast<unsigned>(cmCurTabTextToTab8Text));
    EXPECT_TRUE(kept);
}

TEST_F(TransformDlg, LanguageShowsTheSettingAndAnswersTheChoice)
{
    bool shown = false;
    std::string text;
    int language = -1;
    TModalDriver::Run(
        "Language",
        [&] {
            TLanguageDlg dialog(GetModuleHandleA(nullptr), 2);
            if (dialog.Run(frame) == IDOK)
                language = dialog.Language();
            return 0;
        },
        [&](HWND box, int) {
            shown = IsChecked(box, IDC_LANG_CP1250);
            text = Field(box, IDC_LANG_CROSCII);
            Toggle(box, IDC_LANG_CROSCII);
            Press(box, IDOK);
            return true;
        });
    EXPECT_TRUE(shown);
    EXPECT_EQ(text, "Croatian CROSCII (sortira NJ, LJ i DZ)");
    EXPECT_EQ(language, 3);
}

TEST_F(TransformDlg, ConvertTextShowsTheSelectionFlagAndKeepsTheChoice)
{
    bool selection = false, oemFirst = false;
    int choice = -1;
    bool selectionOnly = true;
    TModalDriver::Run(
        "Convert Text",
        [&] {
            TConvertTextDlg dialog(GetModuleHandleA(nullptr), true);
            if (dialog.Run(frame) == IDOK) {
                choice = dialog.Choice();
                selectionOnly = dialog.SelectionOnly();
            }
            return 0;
        },
        [&](HWND box, int) {
            selection = IsChecked(box, IDC_CNV_SELECTION);
            oemFirst = IsChecked(box, IDC_CNV_OEM2ANSI);
            Toggle(box, IDC_CNV_ANSI2OEM);
            Toggle(box, IDC_CNV_SELECTION);
            Press(box, IDOK);
            return true;
        });
    EXPECT_TRUE(selection);
    EXPECT_TRUE(oemFirst);
    EXPECT_EQ(choice, 2);
    EXPECT_FALSE(selectionOnly);
    bool kept = false;
    TModalDriver::Run(
        "Convert Text",
        [&] {
            TConvertTextDlg dialog(GetModuleHandleA(nullptr), false);
            dialog.Run(frame);
            return 0;
        },
        [&](HWND box, int) {
            kept = IsChecked(box, IDC_CNV_ANSI2OEM);
            Press(box, IDCANCEL);
            return true;
        });
    EXPECT_TRUE(kept);
}

TEST_F(TransformDlg, ConvertTableListsTheTablesAndEditEndsIt)
{
    std::string chosen;
    int count = 0;
    TModalDriver::Run(
        "Convert Table",
        [&] {
            TConvertTableDlg dialog(GetModuleHandleA(nullptr), {"CROSCII-CP1250", "CP852-CP1250"});
            if (dialog.Run(frame) == IDOK)
                chosen = dialog.Chosen();
            return 0;
        },
        [&](HWND box, int) {
            count = static_cast<int>(SendDlgItemMessageA(box, IDC_CNV_LIST, LB_GETCOUNT, 0, 0));
            SendDlgItemMessageA(box, IDC_CNV_LIST, LB_SETCURSEL, 1, 0);
            Press(box, IDOK);
            return true;
        });
    EXPECT_EQ(count, 2);
    EXPECT_EQ(chosen, "CP852-CP1250");
    INT_PTR result = 0;
    TModalDriver::Run(
        "Convert Table",
        [&] {
            TConvertTableDlg dialog(GetModuleHandleA(nullptr), {"T"});
            result = dialog.Run(frame);
            return 0;
        },
        [&](HWND box, int) {
            Press(box, IDC_CNV_EDIT);
            return true;
        });
    EXPECT_EQ(result, TConvertTableDlg::kEditTable);
}
