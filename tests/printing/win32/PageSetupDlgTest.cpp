// The Page Setup dialog from its real template: the values it shows and hands back, and what it refuses;
// the Help buttons of Page Setup and of the print dialog.
#include <gtest/gtest.h>

#include <dlgs.h>

#include <string>
#include <vector>

#include "PrintIds.h"
#include "printing/win32/PageSetupDlg.h"
#include "printing/win32/PrintDocument.h"
#include "printing/win32/VokPrinter.h"
#include "support/win32/Win32TestSupport.h"

namespace {

struct TShownMessage {
    unsigned id;
    std::string text;
};

std::vector<TShownMessage> gMessages;

int RecordMessage(HWND, unsigned id, const std::string& text, unsigned)
{
    gMessages.push_back({id, text});
    return IDOK;
}

class PageSetupDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gMessages.clear();
        SetPrintMessageFn(RecordMessage);
    }
    void TearDown() override { SetPrintMessageFn(nullptr); }

    static std::string Field(HWND box, int id) { return WindowText(GetDlgItem(box, id)); }
    static void SetField(HWND box, int id, const char* text) { SetWindowTextA(GetDlgItem(box, id), text); }
    static void Press(HWND box, int id)
    {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
    }
};

}  // namespace

TEST_F(PageSetupDlgTest, ShowsTheValuesAndHandsBackTheEditedOnes)
{
    TPageSetup setup;
    TPageSetupDlg dialog(GetModuleHandleA(nullptr), setup, 2100, 2970);
    std::vector<std::string> shown;
    INT_PTR result = TModalDriver::Run(
        "Page Setup", [&] { return static_cast<int>(dialog.Run(nullptr)); },
        [&](HWND box, int) {
            for (int id : {IDC_PS_HEADER, IDC_PS_FOOTER, IDC_PS_FIRSTPAGE, IDC_PS_LEFT, IDC_PS_RIGHT, IDC_PS_TOP,
                           IDC_PS_BOTTOM})
                shown.push_back(Field(box, id));
            SetField(box, IDC_PS_HEADER, "&lLeft&rRight");
            SetField(box, IDC_PS_FOOTER, "");
            SetField(box, IDC_PS_FIRSTPAGE, "5");
            SetField(box, IDC_PS_LEFT, "10");
            SetField(box, IDC_PS_RIGHT, "12.5");
            SetField(box, IDC_PS_TOP, "0");
            SetField(box, IDC_PS_BOTTOM, "30,2");
            Press(box, IDOK);
            return true;
        });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shown, (std::vector<std::string>{"&f", "Page &p", "1", "19.1", "19.1", "25.4", "25.4"}));
    const TPageSetup& r = dialog.Result();
    EXPECT_EQ(r.header, "&lLeft&rRight");
    EXPECT_EQ(r.footer, "");
    EXPECT_EQ(r.firstPage, 5);
    EXPECT_EQ(r.leftMargin, 100);
    EXPECT_EQ(r.rightMargin, 125);
    EXPECT_EQ(r.topMargin, 0);
    EXPECT_EQ(r.bottomMargin, 302);
    EXPECT_TRUE(gMessages.empty());
}

TEST_F(PageSetupDlgTest, RefusesBadNumbersAndMarginsWiderThanThePage)
{
    TPageSetup setup;
    TPageSetupDlg dialog(GetModuleHandleA(nullptr), setup, 2100, 2970);
    std::vector<bool> open;
    INT_PTR result = TModalDriver::Run(
        "Page Setup", [&] { return static_cast<int>(dialog.Run(nullptr)); },
        [&](HWND box, int tick) {
            if (tick > 0)
                open.push_back(IsWindowVisible(box) != FALSE);
            switch (tick) {
            case 0: SetField(box, IDC_PS_FIRSTPAGE, "0"); break;
            case 1:
                SetField(box, IDC_PS_FIRSTPAGE, "32767");
                SetField(box, IDC_PS_TOP, "2x");
                break;
            case 2:
                SetField(box, IDC_PS_TOP, "20");
                SetField(box, IDC_PS_LEFT, "110");
                SetField(box, IDC_PS_RIGHT, "100");  // 210 mm: the whole width of the page
                break;
            default: Press(box, IDCANCEL); return true;
            }
            Press(box, IDOK);
            return false;
        });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(open, (std::vector<bool>{true, true, true}));
    ASSERT_EQ(gMessages.size(), 3u);
    EXPECT_EQ(gMessages[0].id, static_cast<unsigned>(IDS_NUMBER_RANGE));
    EXPECT_EQ(gMessages[0].text, "You can only specify a whole number between 1 and 32767.");
    EXPECT_EQ(gMessages[1].id, static_cast<unsigned>(IDS_MARGIN_NUMBERS));
    EXPECT_EQ(gMessages[2].id, static_cast<unsigned>(IDS_MARGIN_PAGE));
    // Cancel keeps the old values.
    EXPECT_EQ(dialog.Result().firstPage, 1);
    EXPECT_EQ(dialog.Result().leftMargin, 191);
}

namespace {

std::vector<unsigned> gHelpAsked;

void RecordHelp(HWND, unsigned context)
{
    gHelpAsked.push_back(context);
}

TEST_F(PageSetupDlgTest, HelpButtonAsksForTheDialogsTopicOnceHelpIsInstalled)
{
    gHelpAsked.clear();
    for (TPrintHelpFn installed : {static_cast<TPrintHelpFn>(nullptr), &RecordHelp}) {
        SetPrintDialogHelp(installed);
        TPageSetup setup;
        TPageSetupDlg dialog(GetModuleHandleA(nullptr), setup, 2100, 2970);
        bool enabled = !installed;
        bool openAfterHelp = false;
        INT_PTR result = TModalDriver::Run(
            "Page Setup", [&] { return static_cast<int>(dialog.Run(nullptr)); },
            [&](HWND box, int tick) {
                if (tick == 0) {
                    enabled = IsWindowEnabled(GetDlgItem(box, IDC_PS_HELP)) != FALSE;
                    // A click that arrives while the button is off shows nothing and closes nothing.
                    Press(box, IDC_PS_HELP);
                    return false;
                }
                openAfterHelp = IsWindowVisible(box) != FALSE;
                Press(box, IDCANCEL);
                return true;
            });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(enabled, installed != nullptr);
        EXPECT_TRUE(openAfterHelp);
    }
    SetPrintDialogHelp(nullptr);
    EXPECT_EQ(gHelpAsked, (std::vector<unsigned>{HELP_PAGE_SETUP}));
    EXPECT_EQ(HELP_PAGE_SETUP, 10150);
    EXPECT_TRUE(gMessages.empty());
}

INT_PTR CALLBACK ForwardToPrintHook(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return static_cast<INT_PTR>(PrintDialogHook(hwnd, msg, wParam, lParam));
}

// The print dialog is the system's, which needs a printer to open; its Help button is ours to answer, so the
// hook is run on a dialog made from the same templates. Every message of the button must stay in the hook:
// left to the system, it would go to the owner as the help message the frame does not know.
TEST(PrintDialogHook, HelpButtonAsksForThePrintTopicAndIsOffWithoutHelp)
{
    gHelpAsked.clear();
    for (const char* name : {"Print95", "Print"}) {
        for (TPrintHelpFn installed : {static_cast<TPrintHelpFn>(nullptr), &RecordHelp}) {
            SetPrintDialogHelp(installed);
            HWND box = CreateDialogParamA(GetModuleHandleA(nullptr), name, nullptr, ForwardToPrintHook, 0);
            ASSERT_NE(box, nullptr) << name;
            HWND help = GetDlgItem(box, pshHelp);
            ASSERT_NE(help, nullptr) << name;
            EXPECT_EQ(IsWindowEnabled(help) != FALSE, installed != nullptr) << name;
            const std::size_t before = gHelpAsked.size();
            const LPARAM from = reinterpret_cast<LPARAM>(help);
            EXPECT_EQ(PrintDialogHook(box, WM_COMMAND, MAKEWPARAM(pshHelp, BN_CLICKED), from), UINT_PTR{TRUE})
                << name;
            EXPECT_EQ(gHelpAsked.size(), before + (installed ? 1 : 0)) << name;
            EXPECT_TRUE(IsWindow(box)) << name;
            DestroyWindow(box);
        }
    }
    SetPrintDialogHelp(nullptr);
    EXPECT_EQ(gHelpAsked, (std::vector<unsigned>{HELP_PRINT_DIALOG, HELP_PRINT_DIALOG}));
    EXPECT_EQ(HELP_PRINT_DIALOG, 10130);
}

}  // namespace
