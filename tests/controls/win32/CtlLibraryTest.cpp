// The control library as a loaded module: exports by name, version, classes, dialog mode and pure rules.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "controls/CtlRules.h"
#include "controls/VokCtl.h"
#include "support/win32/Win32TestSupport.h"

namespace {

TEST(CtlLibrary, EveryExportResolvesByName)
{
    HMODULE dll = LoadLibraryA("vokctl32.dll");
    ASSERT_NE(dll, nullptr);
    for (const char* name : {"InitVokCtrl", "DeleteVokCtrl", "GetVokCtrlVersion", "GetVokDlgMode", "SetVokDlgMode",
                             "SetArrowButton", "VokMessageBox", "LoadStrVokMessageBox", "_PRINTFVOKMESSAGEBOX",
                             "_LSPRINTFVOKMSGBOX", "CenterDialog", "SetRWLoadResFun", "WEP"}) {
        EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(dll, name)), nullptr) << name;
    }
    FreeLibrary(dll);
}

TEST(CtlLibrary, VersionCarriesLanguageInHighWord)
{
    DWORD version = GetVokCtrlVersion();
    EXPECT_EQ(LOWORD(version), 0x0114);
    EXPECT_EQ(HIWORD(version), 1033);
}

TEST(CtlLibrary, RegistersItsEightClassesForEveryModule)
{
    for (const char* name : {VOKCTL_DIALOG_CLASS, VOKCTL_BUTTON_CLASS, VOKCTL_RADIO_CLASS, VOKCTL_CHECK_CLASS,
                             VOKCTL_ARROW_CLASS, VOKCTL_BITMAP_CLASS, VOKCTL_SHADE_CLASS, VOKCTL_TEXT_CLASS}) {
        WNDCLASSA info{};
        EXPECT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), name, &info)) << name;
    }
}

TEST(CtlLibrary, UsersAreOnlyCounted)
{
    HINSTANCE self = GetModuleHandleA(nullptr);
    EXPECT_EQ(InitVokCtrl(self), 1);
    EXPECT_EQ(DeleteVokCtrl(self), 1);
    // An unbalanced delete must not take the classes away from windows still using them.
    EXPECT_EQ(DeleteVokCtrl(self), 1);
    WNDCLASSA info{};
    EXPECT_TRUE(GetClassInfoA(self, VOKCTL_DIALOG_CLASS, &info));
    SetRWLoadResFun(nullptr);
}

// A second copy of the library cannot register the global classes the first one holds: its load fails and
// its clean-up must leave the first copy's classes alone.
TEST(CtlLibrary, FailedLoadOfASecondCopyLeavesTheFirstIntact)
{
    char original[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA("vokctl32.dll"), original, MAX_PATH);
    std::string copy = std::string(original, std::strrchr(original, '\\') + 1) + "vokctl32_second.dll";
    ASSERT_TRUE(CopyFileA(original, copy.c_str(), FALSE));
    HMODULE second = LoadLibraryA(copy.c_str());
    EXPECT_EQ(second, nullptr);
    if (second)
        FreeLibrary(second);
    DeleteFileA(copy.c_str());
    for (const char* name : {VOKCTL_DIALOG_CLASS, VOKCTL_BUTTON_CLASS, VOKCTL_TEXT_CLASS}) {
        WNDCLASSA info{};
        EXPECT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), name, &info)) << name;
    }
    HWND button = CreateWindowA(VOKCTL_BUTTON_CLASS, "OK", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(button, nullptr);
    DestroyWindow(button);
}

// The test screen is 24-bit at 96 pixels per inch: light grey is exact, so the full grey look is on.
TEST(CtlLibrary, DialogModeStartsFullOnExactGreyAndNeedsTheGreyBit)
{
    ASSERT_EQ(GetVokDlgMode(), 0x0Fu);
    SetVokDlgMode(VOKDLG_3D);
    EXPECT_EQ(GetVokDlgMode(), 0u);
    SetVokDlgMode(VOKDLG_GREY | VOKDLG_3D);
    EXPECT_EQ(GetVokDlgMode(), 3u);
    SetVokDlgMode(0x0F);
    EXPECT_EQ(GetVokDlgMode(), 0x0Fu);
}

int g_colourNotices = 0;

LRESULT CALLBACK ColourWatchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (msg == WM_SYSCOLORCHANGE)
        ++g_colourNotices;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Windows learn of a new dialog mode through a colour-change notice, and only when the mode really changes.
TEST(CtlLibrary, ModeChangeNotifiesEveryWindow)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ColourWatchProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VokTestColourWatch";
    RegisterClassA(&wc);
    HWND watcher = CreateWindowA("VokTestColourWatch", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    g_colourNotices = 0;
    SetVokDlgMode(VOKDLG_GREY);
    PumpMessages(50);
    EXPECT_GE(g_colourNotices, 1);
    g_colourNotices = 0;
    SetVokDlgMode(VOKDLG_GREY);
    PumpMessages(50);
    EXPECT_EQ(g_colourNotices, 0);
    SetVokDlgMode(0x0F);
    DestroyWindow(watcher);
}

struct TDisplayCase {
    int ppi;
    bool exactGrey;
    int displayClass;
};

class DisplayClass : public ::testing::TestWithParam<TDisplayCase> {};

TEST_P(DisplayClass, FollowsResolutionAndGrey)
{
    const TDisplayCase& c = GetParam();
    EXPECT_EQ(ClassifyDisplay(c.ppi, c.exactGrey), c.displayClass);
}

INSTANTIATE_TEST_SUITE_P(Table, DisplayClass,
                         ::testing::Values(TDisplayCase{72, true, 1}, TDisplayCase{89, false, 1},
                                           TDisplayCase{90, false, 2}, TDisplayCase{96, true, 3},
                                           TDisplayCase{119, true, 3}, TDisplayCase{120, false, 4},
                                           TDisplayCase{144, true, 4}));

struct TCentreCase {
    RECT window;
    RECT reference;
    bool moves;
    POINT at;
};

class CentredPosition : public ::testing::TestWithParam<TCentreCase> {};

TEST_P(CentredPosition, CentresThenKeepsOnScreen)
{
    const TCentreCase& c = GetParam();
    POINT at{-1, -1};
    ASSERT_EQ(CenteredPosition(c.window, c.reference, SIZE{1024, 768}, at), c.moves);
    if (c.moves) {
        EXPECT_EQ(at.x, c.at.x);
        EXPECT_EQ(at.y, c.at.y);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CentredPosition,
    ::testing::Values(
        TCentreCase{{0, 0, 100, 50}, {100, 100, 301, 301}, true, {150, 175}},   // odd halves round down
        TCentreCase{{0, 0, 200, 200}, {900, 600, 1200, 900}, true, {824, 568}}, // pulled back onto the screen
        TCentreCase{{0, 0, 100, 100}, {-200, -200, -50, -50}, true, {0, 0}},    // never negative
        TCentreCase{{5, 5, 405, 105}, {0, 0, 300, 300}, false, {}},             // wider than its reference
        TCentreCase{{0, 0, 100, 100}, {0, 0, 100, 100}, true, {0, 0}}));        // exactly as large

}  // namespace
