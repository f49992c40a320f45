// The status bar window: panes of three kinds, redraws only of changed panes, help-text mode, capacities.
#include <gtest/gtest.h>

#include <string>

#include "shell/win32/VokStatBar.h"
#include "support/win32/Win32TestSupport.h"

namespace {

// Counts the paints of the bar and remembers the area each one covered.
struct TPaintLog {
    int paints = 0;
    RECT last{};
};
TPaintLog g_paints;
WNDPROC g_barProc = nullptr;

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (msg == WM_PAINT) {
        ++g_paints.paints;
        GetUpdateRect(hwnd, &g_paints.last, FALSE);
    }
    return CallWindowProcA(g_barProc, hwnd, msg, wParam, lParam);
}

class StatBarTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(TVokStatBar::RegisterClass(GetModuleHandleA(nullptr))); }

    void SetUp() override
    {
        HINSTANCE self = GetModuleHandleA(nullptr);
        parent = CreateWindowA("Static", "Status parent", WS_POPUP | WS_VISIBLE, 40, 300, 500, 40, nullptr, nullptr,
                               self, nullptr);
        ASSERT_NE(bar.Create(parent, 71, RECT{0, 0, 500, 22}, self), nullptr);
        ASSERT_TRUE(bar.AddNumberPane(&line, 10, 60));
        ASSERT_TRUE(bar.AddTextPane(mode, 70, 150));
        ASSERT_TRUE(bar.AddFunctionPane([this] { return std::string(modified ? "Modified" : ""); }, 160, 240));
        ASSERT_TRUE(bar.AddFrame(5, 65));
        g_barProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(bar.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
        bar.Refresh(true);
        UpdateWindow(bar.Handle());
        g_paints = {};
    }
    void TearDown() override { DestroyWindow(parent); }

    bool Pending(RECT& r) { return GetUpdateRect(bar.Handle(), &r, FALSE) != 0; }

    HWND parent = nullptr;
    TVokStatBar bar;
    int line = 1;
    char mode[16] = "Insert";
    bool modified = false;
};

TEST_F(StatBarTest, PanesShowNumberTextAndFunction)
{
    line = 42;
    modified = true;
    bar.Refresh();
    EXPECT_EQ(bar.PaneText(0), "42");
    EXPECT_EQ(bar.PaneText(1), "Insert");
    EXPECT_EQ(bar.PaneText(2), "Modified");
}

TEST_F(StatBarTest, UnchangedRefreshDrawsNothing)
{
    bar.Refresh();
    RECT r;
    EXPECT_FALSE(Pending(r));
    UpdateWindow(bar.Handle());
    EXPECT_EQ(g_paints.paints, 0);
}

TEST_F(StatBarTest, OnlyTheChangedPaneIsRedrawn)
{
    lstrcpyA(mode, "Overwrite");
    bar.Refresh();
    RECT pending, pane;
    ASSERT_TRUE(Pending(pending));
    ASSERT_TRUE(bar.PaneRect(1, pane));
    EXPECT_TRUE(EqualRect(&pending, &pane));
    UpdateWindow(bar.Handle());
    EXPECT_EQ(g_paints.paints, 1);
    EXPECT_TRUE(EqualRect(&g_paints.last, &pane));
}

TEST_F(StatBarTest, FullRefreshRedrawsEverything)
{
    bar.Refresh(true);
    RECT pending, client;
    ASSERT_TRUE(Pending(pending));
    GetClientRect(bar.Handle(), &client);
    EXPECT_TRUE(EqualRect(&pending, &client));
}

TEST_F(StatBarTest, HelpTextCoversThePanesAndLeavingRestoresThem)
{
    bar.ShowHelpText("Saves the file in the active window");
    EXPECT_TRUE(bar.IsHelpMode());
    UpdateWindow(bar.Handle());
    line = 7;
    bar.Refresh();
    RECT pending;
    EXPECT_FALSE(Pending(pending));  // the help line stays while panes change underneath
    bar.LeaveHelpText();
    EXPECT_FALSE(bar.IsHelpMode());
    ASSERT_TRUE(Pending(pending));
    RECT client;
    GetClientRect(bar.Handle(), &client);
    EXPECT_TRUE(EqualRect(&pending, &client));
    EXPECT_EQ(bar.PaneText(0), "7");
}

TEST_F(StatBarTest, CapacitiesAreRefused)
{
    for (int i = 3; i < kStatBarMaxPanes; ++i)
        ASSERT_TRUE(bar.AddTextPane(mode, 300, 310));
    EXPECT_FALSE(bar.AddTextPane(mode, 300, 310));
    for (int i = 1; i < kStatBarMaxFrames; ++i)
        ASSERT_TRUE(bar.AddFrame(300, 310));
    EXPECT_FALSE(bar.AddFrame(300, 310));
}

TEST(StatBarWrapper, OperationsOnAMissingWindowAreHarmless)
{
    TVokStatBar none;
    int value = 0;
    EXPECT_FALSE(none.AddNumberPane(&value, 0, 10));
    none.Refresh(true);
    none.ShowHelpText("x");
    EXPECT_FALSE(none.IsHelpMode());
}

}  // namespace
