// The button bar window: items and layout, press/drag/release with notifications, states, tool tips.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "shell/win32/VokBtnBar.h"
#include "shell/win32/VokToolTip.h"
#include "support/win32/Win32TestSupport.h"

namespace {

constexpr int kBarId = 70;
constexpr UINT kCommandMessage = WM_USER + 77;

struct TParentLog {
    std::vector<WORD> notices;  // codes from the bar
    std::vector<UINT> commands; // commands sent with the bar's command message
};
TParentLog g_log;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (msg == WM_COMMAND && LOWORD(wParam) == kBarId)
        g_log.notices.push_back(HIWORD(wParam));
    if (msg == kCommandMessage)
        g_log.commands.push_back(static_cast<UINT>(wParam));
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK DestroyingParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (msg == WM_COMMAND && HIWORD(wParam) == kBtnBarReleased)
        DestroyWindow(reinterpret_cast<HWND>(lParam));
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HBITMAP MakeBitmap(int cx, int cy)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

bool TipText(UINT command, char* buffer, int size, void*)
{
    if (command == 103)
        return false;
    wsprintfA(buffer, "Tip %u", command);
    (void)size;
    return true;
}

class BtnBarTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        HINSTANCE self = GetModuleHandleA(nullptr);
        ASSERT_TRUE(TVokBtnBar::RegisterClass(self));
        WNDCLASSA wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = self;
        wc.lpszClassName = "VokTestBarParent";
        RegisterClassA(&wc);
    }

    void SetUp() override
    {
        HINSTANCE self = GetModuleHandleA(nullptr);
        parent = CreateWindowA("VokTestBarParent", "Bar parent", WS_POPUP | WS_VISIBLE, 50, 50, 600, 200, nullptr,
                               nullptr, self, nullptr);
        ASSERT_NE(parent, nullptr);
        ASSERT_NE(bar.Create(parent, kBarId, RECT{0, 0, 600, 30}, kBtnBarGroup95 | 0x02, self), nullptr);
        bar.SetNotify(kCommandMessage, 4, 2);
        g_log = {};
    }
    void TearDown() override { DestroyWindow(parent); }

    void AddButtons(int n, UINT firstCommand = 101)
    {
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(bar.AddItem(TBtnItemKind::Push, firstCommand + i, MakeBitmap(16, 15), nullptr, kBtnOwnsBitmap));
    }
    POINT Centre(UINT command)
    {
        RECT r{};
        bar.ItemRect(command, r);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Mouse(UINT msg, POINT pt) { SendMessageA(bar.Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y)); }

    HWND parent = nullptr;
    TVokBtnBar bar;
};

TEST_F(BtnBarTest, ThirtyThirdItemIsRefused)
{
    AddButtons(30);
    EXPECT_TRUE(bar.AddItem(TBtnItemKind::Separator, 0, nullptr, nullptr));
    EXPECT_TRUE(bar.AddItem(TBtnItemKind::Push, 200, MakeBitmap(16, 15), nullptr, kBtnOwnsBitmap));
    HBITMAP extra = MakeBitmap(16, 15);
    EXPECT_FALSE(bar.AddItem(TBtnItemKind::Push, 201, extra, nullptr, kBtnOwnsBitmap));
    EXPECT_EQ(bar.ItemCount(), kBtnBarMaxItems);
    DeleteObject(extra);  // a refused bitmap stays the caller's
}

TEST_F(BtnBarTest, ControlItemNeedsAWindowAndItemsWithoutCommandOrBitmapAreSeparators)
{
    EXPECT_FALSE(bar.AddItem(TBtnItemKind::Control, 300, nullptr, nullptr));
    HBITMAP bitmap = MakeBitmap(16, 15);
    ASSERT_TRUE(bar.AddItem(TBtnItemKind::Push, 0, bitmap, nullptr, kBtnOwnsBitmap));
    ASSERT_TRUE(bar.AddItem(TBtnItemKind::Push, 301, nullptr, nullptr));
    RECT r;
    ASSERT_TRUE(bar.ItemRectAt(1, r));
    EXPECT_EQ(r.right - r.left, kBtnBarSeparatorWidth);
    EXPECT_EQ(bar.HitTest(POINT{0, 0}), 0u);
}

struct TLayoutCase {
    UINT group;
    int buttonWidth;
    int stride;  // from one item's left to the next
};

class BtnBarLayout : public BtnBarTest, public ::testing::WithParamInterface<TLayoutCase> {};

TEST_P(BtnBarLayout, ItemsFollowEachOtherByGroup)
{
    const TLayoutCase& c = GetParam();
    bar.SetStyle(c.group, true);
    AddButtons(2);
    ASSERT_TRUE(bar.AddItem(TBtnItemKind::Separator, 0, nullptr, nullptr));
    AddButtons(1, 110);
    RECT first, second, separator, third;
    bar.ItemRectAt(0, first);
    bar.ItemRectAt(1, second);
    bar.ItemRectAt(2, separator);
    bar.ItemRectAt(3, third);
    EXPECT_EQ(first.left, 4);
    EXPECT_EQ(first.top, 2);
    EXPECT_EQ(first.right - first.left, c.buttonWidth);
    EXPECT_EQ(second.left - first.left, c.stride);
    EXPECT_EQ(separator.right - separator.left, kBtnBarSeparatorWidth);
    EXPECT_EQ(third.left - separator.left, kBtnBarSeparatorWidth - (c.stride - c.buttonWidth == 0 ? 0 : 1));
}

INSTANTIATE_TEST_SUITE_P(Groups, BtnBarLayout,
                         ::testing::Values(TLayoutCase{kBtnBarGroup3x, 16 + 5, 16 + 4},
                                           TLayoutCase{kBtnBarGroup95, 16 + 3, 16 + 3}));

TEST_F(BtnBarTest, EmbeddedControlIsCentredOnTheButtonsAndFollowsRestyle)
{
    AddButtons(1);
    HWND combo = CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 10, bar.Handle(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(bar.AddItem(TBtnItemKind::Control, 500, nullptr, combo));
    RECT r;
    GetWindowRect(combo, &r);
    MapWindowPoints(nullptr, bar.Handle(), reinterpret_cast<POINT*>(&r), 2);
    int buttonHeight = 15 + 3;
    EXPECT_EQ(r.top, 2 + (buttonHeight - 10) / 2);
    bar.SetStyle(kBtnBarGroup3x, true);
    GetWindowRect(combo, &r);
    MapWindowPoints(nullptr, bar.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, 2 + (buttonHeight + 2 - 10) / 2);
}

TEST_F(BtnBarTest, PressAndReleaseOverTheButtonSendsItsCommand)
{
    AddButtons(3);
    Mouse(WM_LBUTTONDOWN, Centre(102));
    EXPECT_EQ(GetCapture(), bar.Handle());
    EXPECT_TRUE(bar.ItemState(102) & kBtnPressed);
    Mouse(WM_LBUTTONUP, Centre(102));
    EXPECT_NE(GetCapture(), bar.Handle());
    EXPECT_FALSE(bar.ItemState(102) & kBtnPressed);
    PumpMessages();
    EXPECT_EQ(g_log.notices, (std::vector<WORD>{kBtnBarPressed, kBtnBarReleased}));
    EXPECT_EQ(g_log.commands, std::vector<UINT>{102});
}

TEST_F(BtnBarTest, DraggingOffAndReleasingSendsNoCommand)
{
    AddButtons(3);
    Mouse(WM_LBUTTONDOWN, Centre(101));
    Mouse(WM_MOUSEMOVE, Centre(103));
    EXPECT_FALSE(bar.ItemState(101) & kBtnPressed);
    Mouse(WM_MOUSEMOVE, Centre(101));
    EXPECT_TRUE(bar.ItemState(101) & kBtnPressed);
    Mouse(WM_MOUSEMOVE, Centre(103));
    Mouse(WM_LBUTTONUP, Centre(103));
    PumpMessages();
    EXPECT_EQ(g_log.notices, (std::vector<WORD>{kBtnBarPressed, kBtnBarReleased}));
    EXPECT_TRUE(g_log.commands.empty());
}

TEST_F(BtnBarTest, ImmediateButtonSendsAtOnceWithoutPressing)
{
    ASSERT_TRUE(bar.AddItem(TBtnItemKind::Immediate, 903, MakeBitmap(16, 15), nullptr, kBtnOwnsBitmap));
    Mouse(WM_LBUTTONDOWN, Centre(903));
    EXPECT_NE(GetCapture(), bar.Handle());
    PumpMessages();
    EXPECT_EQ(g_log.commands, std::vector<UINT>{903});
    EXPECT_TRUE(g_log.notices.empty());
}

TEST_F(BtnBarTest, DisabledButtonDoesNothing)
{
    AddButtons(2);
    bar.EnableItem(101, false);
    EXPECT_TRUE(bar.ItemState(101) & kBtnDisabled);
    Mouse(WM_LBUTTONDOWN, Centre(101));
    Mouse(WM_LBUTTONUP, Centre(101));
    PumpMessages();
    EXPECT_TRUE(g_log.notices.empty());
    EXPECT_TRUE(g_log.commands.empty());
    bar.EnableItem(101, true);
    EXPECT_FALSE(bar.ItemState(101) & kBtnDisabled);
}

TEST_F(BtnBarTest, RightButtonAndMouseMovesAreReported)
{
    AddButtons(1);
    SendMessageA(bar.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageA(bar.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(8, 8));
    EXPECT_EQ(g_log.notices, (std::vector<WORD>{kBtnBarRightButton, kBtnBarMouseOver}));
}

TEST_F(BtnBarTest, HitTestMapsScreenPointsToCommands)
{
    AddButtons(2);
    POINT p = Centre(102);
    ClientToScreen(bar.Handle(), &p);
    EXPECT_EQ(bar.HitTest(p), 102u);
    POINT outside{590, 10};
    ClientToScreen(bar.Handle(), &outside);
    EXPECT_EQ(bar.HitTest(outside), 0u);
}

TEST_F(BtnBarTest, CheckedStateIsKept)
{
    AddButtons(1);
    bar.SetItemState(101, kBtnChecked, true);
    EXPECT_EQ(bar.ItemState(101), kBtnChecked);
    bar.SetItemState(101, kBtnChecked, false);
    EXPECT_EQ(bar.ItemState(101), 0u);
}

// A command that destroys the bar must not leave the bar touching freed memory.
TEST_F(BtnBarTest, ParentMayDestroyTheBarOnANotification)
{
    AddButtons(1);
    HWND handle = bar.Handle();
    SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DestroyingParentProc));
    Mouse(WM_LBUTTONDOWN, Centre(101));
    Mouse(WM_LBUTTONUP, Centre(101));
    EXPECT_FALSE(IsWindow(handle));
    SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ParentProc));
}

// The pointer rests on a button: the rest timer shows its tip; moving to another button moves the tip there;
// a click hides it.
TEST_F(BtnBarTest, TipAppearsAfterRestMovesAndHidesOnClick)
{
    bar.SetStyle(kBtnBarGroup95 | kBtnBarTips, true);
    bar.SetTipSource(TipText, nullptr);
    AddButtons(3);
    SetForegroundWindow(parent);
    UpdateWindow(parent);
    POINT at = Centre(101);
    POINT screen = at;
    ClientToScreen(bar.Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    PumpMessages();
    if (WindowFromPoint(screen) != bar.Handle())
        GTEST_SKIP() << "the pointer cannot be placed on this display";
    Mouse(WM_MOUSEMOVE, at);
    SendMessageA(bar.Handle(), WM_TIMER, kBtnBarTipTimer, 0);
    ASSERT_TRUE(TVokToolTip::IsShown());
    EXPECT_EQ(WindowText(TVokToolTip::Handle()), "Tip 101");
    RECT tip, button;
    GetWindowRect(TVokToolTip::Handle(), &tip);
    bar.ItemRect(101, button);
    MapWindowPoints(bar.Handle(), nullptr, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(tip.top, button.bottom + 1);

    screen = Centre(102);
    ClientToScreen(bar.Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(bar.Handle(), WM_TIMER, kBtnBarTipTimer, 0);
    EXPECT_EQ(WindowText(TVokToolTip::Handle()), "Tip 101");  // moves only after the short delay
    SendMessageA(bar.Handle(), WM_TIMER, kBtnBarTipTimer, 0);
    EXPECT_EQ(WindowText(TVokToolTip::Handle()), "Tip 102");

    Mouse(WM_LBUTTONDOWN, Centre(102));
    EXPECT_FALSE(TVokToolTip::IsShown());
    Mouse(WM_LBUTTONUP, Centre(102));
    SendMessageA(bar.Handle(), WM_TIMER, kBtnBarTipTimer, 0);
    EXPECT_FALSE(TVokToolTip::IsShown());  // the clicked button stays silent while the pointer is on it
}

TEST_F(BtnBarTest, TipHidesWhenThePointerLeavesTheBar)
{
    bar.SetStyle(kBtnBarGroup95 | kBtnBarTips, true);
    bar.SetTipSource(TipText, nullptr);
    AddButtons(2);
    SetForegroundWindow(parent);
    POINT screen = Centre(101);
    ClientToScreen(bar.Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    PumpMessages();
    if (WindowFromPoint(screen) != bar.Handle())
        GTEST_SKIP() << "the pointer cannot be placed on this display";
    Mouse(WM_MOUSEMOVE, Centre(101));
    SendMessageA(bar.Handle(), WM_TIMER, kBtnBarTipTimer, 0);
    ASSERT_TRUE(TVokToolTip::IsShown());
    SetCursorPos(5, 1000);
    SendMessageA(bar.Handle(), WM_TIMER, kBtnBarTipTimer, 0);
    EXPECT_FALSE(TVokToolTip::IsShown());
}

TEST_F(BtnBarTest, EmptyTipTextShowsNoTip)
{
    bar.SetStyle(kBtnBarGroup95 | kBtnBarTips, true);
    bar.SetTipSource(TipText, nullptr);
    AddButtons(3);
    SetForegroundWindow(parent);
    POINT screen = Centre(103);
    ClientToScreen(bar.Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    PumpMessages();
    if (WindowFromPoint(screen) != bar.Handle())
        GTEST_SKIP() << "the pointer cannot be placed on this display";
    Mouse(WM_MOUSEMOVE, Centre(103));
    SendMessageA(bar.Handle(), WM_TIMER, kBtnBarTipTimer, 0);
    EXPECT_FALSE(TVokToolTip::IsShown());
}

struct TPlaceCase {
    bool overButton;
    POINT cursor;
    POINT expected;
};

class TipPlacement : public ::testing::TestWithParam<TPlaceCase> {};

TEST_P(TipPlacement, StaysOnTheScreen)
{
    const TPlaceCase& c = GetParam();
    RECT button{c.cursor.x - 10, c.cursor.y - 10, c.cursor.x + 10, c.cursor.y + 10};
    POINT p = ToolTipPosition(c.overButton ? &button : nullptr, c.cursor, SIZE{60, 18}, SIZE{800, 600}, 30);
    EXPECT_EQ(p.x, c.expected.x);
    EXPECT_EQ(p.y, c.expected.y);
}

INSTANTIATE_TEST_SUITE_P(Table, TipPlacement,
                         ::testing::Values(TPlaceCase{true, {100, 100}, {70, 111}},    // centred under the button
                                           TPlaceCase{false, {100, 100}, {100, 120}},  // 2/3 cursor below pointer
                                           TPlaceCase{true, {790, 100}, {740, 111}},   // pulled in at the right
                                           TPlaceCase{true, {400, 590}, {370, 571}},   // above at the bottom
                                           TPlaceCase{true, {5, 100}, {0, 111}}));     // never off the left

}  // namespace
