// The library's buttons, text, shade and bitmap controls and its dialog class, created and driven by messages.
#include <gtest/gtest.h>

#include <vector>

#include "controls/VokCtl.h"
#include "support/win32/Win32TestSupport.h"

namespace {

std::vector<WPARAM> g_notices;

INT_PTR CALLBACK RecordingDlgProc(HWND, UINT msg, WPARAM wParam, LPARAM) noexcept
{
    if (msg == WM_COMMAND)
        g_notices.push_back(wParam);
    return msg == WM_INITDIALOG;
}

enum : WORD { kPush = 200, kDefault, kCheck, kRadio1, kRadio2, kRadio3, kGroup, kText, kBoldText, kShade, kIcon, kEdit };

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TDlgTemplate t(WS_POPUP | WS_CAPTION | WS_VISIBLE, 20, 20, 200, 140, VOKCTL_DIALOG_CLASS, "Controls");
        t.Add(VOKCTL_BUTTON_CLASS, "Push", kPush, BS_PUSHBUTTON | WS_TABSTOP, 8, 8, 50, 14);
        t.Add(VOKCTL_BUTTON_CLASS, "Default", kDefault, BS_DEFPUSHBUTTON | WS_TABSTOP, 64, 8, 50, 14);
        t.Add(VOKCTL_CHECK_CLASS, "Check", kCheck, WS_TABSTOP, 8, 28, 80, 10);
        t.Add(VOKCTL_RADIO_CLASS, "One", kRadio1, WS_GROUP | WS_TABSTOP, 8, 42, 60, 10);
        t.Add(VOKCTL_RADIO_CLASS, "Two", kRadio2, 0, 8, 54, 60, 10);
        t.Add(VOKCTL_RADIO_CLASS, "Three", kRadio3, 0, 8, 66, 60, 10);
        t.Add(VOKCTL_BUTTON_CLASS, "Group", kGroup, BS_GROUPBOX | WS_GROUP, 4, 36, 100, 44);
        t.Add(VOKCTL_TEXT_CLASS, "Plain", kText, 0, 110, 30, 80, 10);
        t.Add(VOKCTL_TEXT_CLASS, "Bold", kBoldText, VOKTEXT_BOLD | VOKTEXT_ITALIC | VOKTEXT_UNDERLINE, 110, 42, 80, 10);
        t.Add(VOKCTL_SHADE_CLASS, "", kShade, VOKSHADE_WHITEFRAME, 110, 56, 40, 20);
        t.Add(VOKCTL_BITMAP_CLASS, "", kIcon, 0, 160, 56, 22, 22);
        t.Add("Edit", "", kEdit, WS_BORDER, 8, 90, 60, 12);
        dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), t.Get(), nullptr, RecordingDlgProc, 0);
        ASSERT_NE(dlg, nullptr);
        g_notices.clear();
    }
    void TearDown() override { DestroyWindow(dlg); }

    HWND Item(int id) { return GetDlgItem(dlg, id); }
    void ClickOn(int id)
    {
        SendMessageA(Item(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(Item(id), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    UINT Check(int id) { return static_cast<UINT>(SendMessageA(Item(id), BM_GETCHECK, 0, 0)); }

    HWND dlg = nullptr;
};

TEST_F(ControlsTest, PushButtonClickNotifiesItsParent)
{
    ClickOn(kPush);
    ASSERT_EQ(g_notices.size(), 1u);
    EXPECT_EQ(g_notices[0], MAKEWPARAM(kPush, BN_CLICKED));
}

TEST_F(ControlsTest, ReleasingOffTheButtonDoesNotClick)
{
    SendMessageA(Item(kPush), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(Item(kPush), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 500));
    EXPECT_FALSE(SendMessageA(Item(kPush), BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendMessageA(Item(kPush), WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
    EXPECT_TRUE(g_notices.empty());
}

TEST_F(ControlsTest, DialogCodesTellTheDialogManagerWhatEachButtonIs)
{
    EXPECT_EQ(SendMessageA(Item(kPush), WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(SendMessageA(Item(kDefault), WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(SendMessageA(Item(kRadio1), WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
    EXPECT_EQ(SendMessageA(Item(kCheck), WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
    SendMessageA(Item(kPush), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(SendMessageA(Item(kPush), WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
}

TEST_F(ControlsTest, EnterInTheDialogPressesTheDefaultButton)
{
    SetFocus(Item(kEdit));
    MSG msg{Item(kEdit), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    IsDialogMessageA(dlg, &msg);
    ASSERT_FALSE(g_notices.empty());
    EXPECT_EQ(LOWORD(g_notices.back()), kDefault);
}

TEST_F(ControlsTest, CheckBoxTogglesOnClickAndSpace)
{
    EXPECT_EQ(Check(kCheck), BST_UNCHECKED);
    ClickOn(kCheck);
    EXPECT_EQ(Check(kCheck), BST_CHECKED);
    SendMessageA(Item(kCheck), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(Item(kCheck), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(Check(kCheck), BST_UNCHECKED);
    EXPECT_EQ(g_notices.size(), 2u);
}

TEST_F(ControlsTest, RadioClickChecksItAndClearsItsGroup)
{
    ClickOn(kRadio1);
    ClickOn(kRadio3);
    EXPECT_EQ(Check(kRadio1), BST_UNCHECKED);
    EXPECT_EQ(Check(kRadio2), BST_UNCHECKED);
    EXPECT_EQ(Check(kRadio3), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg, kRadio3), BST_CHECKED);
}

TEST_F(ControlsTest, ArrowKeyMovesTheCheckThroughTheGroup)
{
    ClickOn(kRadio1);
    SetFocus(Item(kRadio1));
    MSG msg{Item(kRadio1), WM_KEYDOWN, VK_DOWN, 1, 0, {}};
    IsDialogMessageA(dlg, &msg);
    EXPECT_EQ(GetFocus(), Item(kRadio2));
    EXPECT_EQ(Check(kRadio2), BST_CHECKED);
    EXPECT_EQ(Check(kRadio1), BST_UNCHECKED);
}

TEST_F(ControlsTest, DisabledButtonIgnoresClicks)
{
    EnableWindow(Item(kCheck), FALSE);
    SendMessageA(Item(kCheck), BM_CLICK, 0, 0);
    EXPECT_EQ(Check(kCheck), BST_UNCHECKED);
    EXPECT_TRUE(g_notices.empty());
}

TEST_F(ControlsTest, TextColourMessagesReturnThePreviousColour)
{
    SendMessageA(Item(kText), VOKTEXT_SETTEXTCOLOR, 0, RGB(200, 0, 0));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(Item(kText), VOKTEXT_SETTEXTCOLOR, 0, RGB(0, 0, 200))),
              RGB(200, 0, 0));
    SendMessageA(Item(kText), VOKTEXT_SETBKCOLOR, 0, RGB(255, 255, 0));
    EXPECT_EQ(static_cast<COLORREF>(SendMessageA(Item(kText), VOKTEXT_SETBKCOLOR, 0, RGB(0, 0, 0))),
              RGB(255, 255, 0));
}

TEST_F(ControlsTest, TextStyleBitsShapeTheGivenFont)
{
    HFONT given = reinterpret_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
    SendMessageA(Item(kBoldText), WM_SETFONT, reinterpret_cast<WPARAM>(given), FALSE);
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Item(kBoldText), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_TRUE(lf.lfUnderline);
    SendMessageA(Item(kText), WM_SETFONT, reinterpret_cast<WPARAM>(given), FALSE);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Item(kText), WM_GETFONT, 0, 0)), given);
}

// Paints a control into a memory bitmap and reads one pixel back.
COLORREF PixelOf(HWND control, int x, int y)
{
    RECT r;
    GetClientRect(control, &r);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
    HGDIOBJ old = SelectObject(mem, bitmap);
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    COLORREF pixel = GetPixel(mem, x, y);
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixel;
}

struct TShadeCase {
    int style;
    bool horizontalProbe;  // probe the middle row, else the middle column
    COLORREF first;        // pixel just before the middle
    COLORREF second;       // pixel at the middle
};

class ShadeStyle : public ::testing::TestWithParam<TShadeCase> {};

TEST_P(ShadeStyle, DrawsItsLineOrFrame)
{
    const TShadeCase& c = GetParam();
    HWND shade = CreateWindowA(VOKCTL_SHADE_CLASS, "", WS_POPUP | c.style, 0, 0, 40, 20, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(shade, nullptr);
    if (c.horizontalProbe) {
        EXPECT_EQ(PixelOf(shade, 20, 9), c.first);
        EXPECT_EQ(PixelOf(shade, 20, 10), c.second);
    } else {
        EXPECT_EQ(PixelOf(shade, 19, 5), c.first);
        EXPECT_EQ(PixelOf(shade, 20, 5), c.second);
    }
    DestroyWindow(shade);
}

constexpr COLORREF kDark = RGB(128, 128, 128);
constexpr COLORREF kLight = RGB(255, 255, 255);
INSTANTIATE_TEST_SUITE_P(Styles, ShadeStyle,
                         ::testing::Values(TShadeCase{VOKSHADE_WHITEFRAME, true, kLight, kLight},
                                           TShadeCase{VOKSHADE_SUNKENHLINE, true, kDark, kLight},
                                           TShadeCase{VOKSHADE_SUNKENVLINE, false, kDark, kLight},
                                           TShadeCase{VOKSHADE_RAISEDHLINE, true, kLight, kDark},
                                           TShadeCase{VOKSHADE_RAISEDVLINE, false, kLight, kDark}));

TEST(ShadeFrame, SunkenFrameIsDarkTopLeftAndRaisedIsLight)
{
    for (int style : {VOKSHADE_SUNKENFRAME, VOKSHADE_RAISEDFRAME}) {
        HWND shade = CreateWindowA(VOKCTL_SHADE_CLASS, "", WS_POPUP | style, 0, 0, 40, 20, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        COLORREF topLeft = PixelOf(shade, 0, 0);
        COLORREF bottomRight = PixelOf(shade, 39, 19);
        EXPECT_EQ(topLeft, style == VOKSHADE_SUNKENFRAME ? kDark : kLight);
        EXPECT_EQ(bottomRight, style == VOKSHADE_SUNKENFRAME ? kLight : kDark);
        DestroyWindow(shade);
    }
}

TEST_F(ControlsTest, IconControlShowsTheBitmapItsIdNames)
{
    HWND icon = Item(kIcon);
    RECT r;
    GetClientRect(icon, &r);
    COLORREF plain = PixelOf(icon, r.right / 2, r.bottom / 2);
    SetWindowLongA(icon, GWL_ID, 901);
    COLORREF stop = PixelOf(icon, r.right / 2 - 8, r.bottom / 2 - 2);
    EXPECT_NE(plain, stop);
    EXPECT_GT(GetRValue(stop), 150);  // the stop icon is a red disc
    EXPECT_LT(GetGValue(stop), 60);
}

TEST_F(ControlsTest, GreyModeColoursStaticsGreyAndEditsWhite)
{
    ASSERT_TRUE(GetVokDlgMode() & VOKDLG_GREY);
    HDC dc = GetDC(dlg);
    HBRUSH staticBrush = reinterpret_cast<HBRUSH>(
        SendMessageA(dlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Item(kText))));
    EXPECT_EQ(staticBrush, GetStockObject(LTGRAY_BRUSH));
    EXPECT_EQ(GetBkColor(dc), RGB(192, 192, 192));
    HBRUSH editBrush = reinterpret_cast<HBRUSH>(
        SendMessageA(dlg, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Item(kEdit))));
    EXPECT_EQ(editBrush, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    ReleaseDC(dlg, dc);
}

TEST(CenterDialog, CentresOverTheParentOrTheScreen)
{
    HINSTANCE self = GetModuleHandleA(nullptr);
    HWND parent = CreateWindowA("Static", "", WS_POPUP, 100, 100, 400, 300, nullptr, nullptr, self, nullptr);
    HWND child = CreateWindowA("Static", "", WS_POPUP, 0, 0, 100, 50, parent, nullptr, self, nullptr);
    CenterDialog(child, TRUE);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, 250);
    EXPECT_EQ(r.top, 225);
    EXPECT_EQ(r.right - r.left, 100);

    CenterDialog(child, FALSE);
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 100) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 50) / 2);

    SetWindowPos(child, nullptr, 7, 9, 500, 50, SWP_NOZORDER);
    CenterDialog(child, TRUE);
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, 7);  // wider than its parent: left alone
    DestroyWindow(parent);
}

}  // namespace
