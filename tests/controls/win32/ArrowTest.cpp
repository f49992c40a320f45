// The spin arrow in a real dialog: stepping, clamping, empty fields, character mode, repeats, notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/CtlArrow.h"
#include "controls/CtlRules.h"
#include "controls/VokCtl.h"
#include "support/win32/Win32TestSupport.h"

namespace {

constexpr int kEdit = 100;
constexpr int kArrow = 101;

std::vector<WPARAM> g_commands;

INT_PTR CALLBACK RecordingDlgProc(HWND, UINT msg, WPARAM wParam, LPARAM) noexcept
{
    if (msg == WM_COMMAND && LOWORD(wParam) == kArrow)
        g_commands.push_back(wParam);
    return msg == WM_INITDIALOG;
}

class ArrowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TDlgTemplate t(WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 120, 40, VOKCTL_DIALOG_CLASS, "Arrow");
        t.Add("Edit", "", kEdit, WS_BORDER | ES_AUTOHSCROLL, 8, 8, 40, 12);
        t.Add(VOKCTL_ARROW_CLASS, "", kArrow, 0, 60, 8, 10, 12);
        dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), t.Get(), nullptr, RecordingDlgProc, 0);
        ASSERT_NE(dlg, nullptr);
        arrow = GetDlgItem(dlg, kArrow);
        edit = GetDlgItem(dlg, kEdit);
        g_commands.clear();
    }
    void TearDown() override { DestroyWindow(dlg); }

    void Bind(int minimum, int maximum, int defaultValue, int step = 1, bool stopWhenEmpty = false,
              bool signedValues = true, UINT mode = VOKARROW_NUMERIC)
    {
        SetArrowButton(dlg, kArrow, kEdit, FALSE, mode, signedValues, minimum, maximum, stopWhenEmpty, defaultValue,
                       step);
    }
    void Click(bool up)
    {
        RECT r;
        GetClientRect(arrow, &r);
        int y = up ? 1 : r.bottom - 2;
        SendMessageA(arrow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, y));
        SendMessageA(arrow, WM_LBUTTONUP, 0, MAKELPARAM(2, y));
    }
    std::string Field() { return WindowText(edit); }
    void SetField(const char* text) { SetWindowTextA(edit, text); }

    HWND dlg = nullptr;
    HWND arrow = nullptr;
    HWND edit = nullptr;
};

TEST_F(ArrowTest, UpperHalfStepsUpLowerHalfDown)
{
    Bind(0, 10, 5);
    SetField("3");
    Click(true);
    EXPECT_EQ(Field(), "4");
    Click(false);
    Click(false);
    EXPECT_EQ(Field(), "2");
}

TEST_F(ArrowTest, StopsAtItsBounds)
{
    Bind(0, 10, 5);
    SetField("10");
    Click(true);
    EXPECT_EQ(Field(), "10");
    SetField("0");
    Click(false);
    EXPECT_EQ(Field(), "0");
}

TEST_F(ArrowTest, LargeStepThatWouldPassTheBoundIsNotTaken)
{
    Bind(0, 10, 5, 5);
    SetField("8");
    Click(true);
    EXPECT_EQ(Field(), "8");
    Click(false);
    EXPECT_EQ(Field(), "3");
}

TEST_F(ArrowTest, EmptyFieldStepsFromTheDefault)
{
    Bind(0, 10, 5);
    SetField("");
    Click(true);
    EXPECT_EQ(Field(), "6");
}

TEST_F(ArrowTest, EmptyFieldStaysEmptyWhenAskedToStop)
{
    Bind(0, 10, 5, 1, true);
    SetField("");
    Click(true);
    EXPECT_EQ(Field(), "");
    SetField("abc");
    Click(true);
    EXPECT_EQ(Field(), "abc");
}

TEST_F(ArrowTest, SignedFieldGoesNegativeUnsignedRefusesMinus)
{
    Bind(-10, 10, 0);
    SetField("-3");
    Click(false);
    EXPECT_EQ(Field(), "-4");
    Bind(0, 10, 7, 1, true, false);
    SetField("-3");
    Click(true);
    EXPECT_EQ(Field(), "-3");
}

TEST_F(ArrowTest, RangeIsClampedToSixteenBits)
{
    Bind(-40000, 40000, 99999);
    SetField("-32768");
    Click(false);
    EXPECT_EQ(Field(), "-32768");
    SetField("");
    Click(false);
    EXPECT_EQ(Field(), "32766");
}

TEST_F(ArrowTest, DisabledArrowDoesNotStep)
{
    Bind(0, 10, 5);
    SetField("3");
    EnableWindow(arrow, FALSE);
    Click(true);
    EXPECT_EQ(Field(), "3");
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(ArrowTest, NotifiesEachStepAndTheRelease)
{
    Bind(0, 10, 5);
    SetField("1");
    Click(true);
    ASSERT_EQ(g_commands.size(), 2u);
    EXPECT_EQ(HIWORD(g_commands[0]), VOKARROW_STEPPED);
    EXPECT_EQ(HIWORD(g_commands[1]), VOKARROW_RELEASED);
}

// The repeat timer steps again while the button is held; after the release it steps no more.
TEST_F(ArrowTest, HeldButtonRepeatsOnItsTimer)
{
    Bind(0, 100, 5);
    SetField("1");
    SendMessageA(arrow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 1));
    SendMessageA(arrow, WM_TIMER, kArrowRepeatTimer, 0);
    SendMessageA(arrow, WM_TIMER, kArrowRepeatTimer, 0);
    EXPECT_EQ(Field(), "4");
    SendMessageA(arrow, WM_LBUTTONUP, 0, MAKELPARAM(2, 1));
    SendMessageA(arrow, WM_TIMER, kArrowRepeatTimer, 0);
    EXPECT_EQ(Field(), "4");
}

TEST_F(ArrowTest, CharacterModeStepsOneCharacterWithinRange)
{
    Bind('a', 'c', 'b', 1, false, false, VOKARROW_CHARACTER);
    SetField("a");
    Click(true);
    EXPECT_EQ(Field(), "b");
    Click(true);
    Click(true);
    EXPECT_EQ(Field(), "c");
    SetField("");
    Click(false);
    EXPECT_EQ(Field(), "b");
}

TEST_F(ArrowTest, AttachLinesTheArrowUpBesideItsField)
{
    SetArrowButton(dlg, kArrow, kEdit, TRUE, VOKARROW_NUMERIC, FALSE, 0, 10, FALSE, 0, 1);
    RECT e, a;
    GetWindowRect(edit, &e);
    GetWindowRect(arrow, &a);
    EXPECT_EQ(a.left, e.right);
    EXPECT_EQ(a.top, e.top);
    EXPECT_EQ(a.bottom - a.top, e.bottom - e.top + 1);
}

struct TStepCase {
    std::optional<int> current;
    bool up;
    bool stopWhenEmpty;
    std::optional<int> result;
};

class ArrowRule : public ::testing::TestWithParam<TStepCase> {};

TEST_P(ArrowRule, Table)
{
    const TStepCase& c = GetParam();
    TArrowRange range{-5, 20, 7, 3};
    EXPECT_EQ(NextArrowValue(c.current, c.up, range, c.stopWhenEmpty), c.result);
}

INSTANTIATE_TEST_SUITE_P(Steps, ArrowRule,
                         ::testing::Values(TStepCase{0, true, false, 3}, TStepCase{18, true, false, 18},
                                           TStepCase{17, true, false, 20}, TStepCase{-3, false, false, -3},
                                           TStepCase{-2, false, false, -5}, TStepCase{std::nullopt, true, false, 10},
                                           TStepCase{std::nullopt, false, false, 4},
                                           TStepCase{std::nullopt, true, true, std::nullopt},
                                           TStepCase{40, false, false, 37}));

}  // namespace
