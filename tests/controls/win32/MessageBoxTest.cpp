// The library's message boxes, driven while modal: buttons per set, default button, Escape, icons, fallback.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/CtlRules.h"
#include "controls/VokCtl.h"
#include "resources/controls/VokCtlRes.h"
#include "support/win32/Win32TestSupport.h"

namespace {

// What the driver saw in a box before it pressed anything.
struct TBoxSeen {
    std::string className;
    std::vector<int> buttons;
    std::vector<std::string> labels;
    int defaultId = 0;
    int focusId = 0;
    int iconId = 0;
    std::string text;
    RECT textRect{};
    bool openAfterEscape = false;
};

TBoxSeen Look(HWND box)
{
    TBoxSeen seen;
    seen.className = ClassOf(box);
    for (int id = IDOK; id <= IDNO; ++id) {
        if (HWND button = GetDlgItem(box, id)) {
            seen.buttons.push_back(id);
            seen.labels.push_back(WindowText(button));
            if ((GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                seen.defaultId = id;
        }
    }
    seen.focusId = GetFocus() ? GetDlgCtrlID(GetFocus()) : 0;
    for (int id = IDI_VOKMSG_STOP; id <= IDI_VOKMSG_INFORMATION; ++id) {
        if (GetDlgItem(box, id))
            seen.iconId = id;
    }
    if (HWND text = GetDlgItem(box, IDC_VOKMSG_TEXT)) {
        seen.text = WindowText(text);
        GetWindowRect(text, &seen.textRect);
    }
    return seen;
}

// Looks at the box, presses Escape, then (if it is still open) Enter.
int ShowEscapeThenEnter(UINT flags, TBoxSeen& seen, const char* text = "Message text")
{
    return TModalDriver::Run(
        "Vok Test Box", [&] { return VokMessageBox(nullptr, text, "Vok Test Box", flags); },
        [&](HWND box, int tick) {
            if (tick == 0) {
                seen = Look(box);
                TModalDriver::PressKey(box, VK_ESCAPE);
                return false;
            }
            seen.openAfterEscape = true;
            TModalDriver::PressKey(box, VK_RETURN);
            return true;
        });
}

struct TSetCase {
    UINT buttonSet;
    std::vector<int> buttons;
    std::vector<std::string> labels;
    int escapeResult;  // 0: Escape is ignored and Enter picks the first button
};

class MessageBoxSet : public ::testing::TestWithParam<TSetCase> {};

TEST_P(MessageBoxSet, ShowsItsButtonsAndHonoursEscapeOnlyWithCancel)
{
    const TSetCase& c = GetParam();
    TBoxSeen seen;
    int result = ShowEscapeThenEnter(c.buttonSet | MB_ICONEXCLAMATION, seen);
    EXPECT_EQ(seen.className, VOKCTL_DIALOG_CLASS);
    EXPECT_EQ(seen.buttons.size(), c.buttons.size());
    std::vector<int> sortedExpected = c.buttons;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(seen.buttons, sortedExpected);
    for (size_t i = 0; i < seen.buttons.size() && i < c.labels.size(); ++i) {
        size_t at = std::find(c.buttons.begin(), c.buttons.end(), seen.buttons[i]) - c.buttons.begin();
        EXPECT_EQ(seen.labels[i], c.labels[at]);
    }
    EXPECT_EQ(seen.defaultId, c.buttons.front());
    EXPECT_EQ(seen.text, "Message text");
    if (c.escapeResult) {
        EXPECT_EQ(result, c.escapeResult);
        EXPECT_FALSE(seen.openAfterEscape);
    } else {
        EXPECT_TRUE(seen.openAfterEscape);
        EXPECT_EQ(result, c.buttons.front());
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllSets, MessageBoxSet,
    ::testing::Values(TSetCase{MB_OK, {IDOK}, {"OK"}, 0},
                      TSetCase{MB_OKCANCEL, {IDOK, IDCANCEL}, {"OK", "Cancel"}, IDCANCEL},
                      TSetCase{MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}, {"&Abort", "&Retry", "&Ignore"}, 0},
                      TSetCase{MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}, {"&Yes", "&No", "Cancel"}, IDCANCEL},
                      TSetCase{MB_YESNO, {IDYES, IDNO}, {"&Yes", "&No"}, 0},
                      TSetCase{MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, {"&Retry", "Cancel"}, IDCANCEL}));

struct TDefaultCase {
    UINT flags;
    int defaultId;
};

class MessageBoxDefault : public ::testing::TestWithParam<TDefaultCase> {};

TEST_P(MessageBoxDefault, MovesDefaultStyleAndFocusAndEnterPicksIt)
{
    const TDefaultCase& c = GetParam();
    EXPECT_EQ(MessageBoxDefaultButton(c.flags), (c.flags & MB_DEFMASK) ? c.defaultId : 0);
    TBoxSeen seen;
    int result = TModalDriver::Run(
        "Vok Default Box", [&] { return VokMessageBox(nullptr, "Which?", "Vok Default Box", c.flags); },
        [&](HWND box, int) {
            seen = Look(box);
            TModalDriver::PressKey(box, VK_RETURN);
            return true;
        });
    EXPECT_EQ(seen.defaultId, c.defaultId);
    EXPECT_EQ(seen.focusId, c.defaultId);
    EXPECT_EQ(result, c.defaultId);
}

INSTANTIATE_TEST_SUITE_P(Table, MessageBoxDefault,
                         ::testing::Values(TDefaultCase{MB_YESNO | MB_DEFBUTTON2, IDNO},
                                           TDefaultCase{MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
                                           TDefaultCase{MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
                                           TDefaultCase{MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE},
                                           TDefaultCase{MB_YESNOCANCEL | MB_DEFBUTTON2, IDNO},
                                           TDefaultCase{MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
                                           TDefaultCase{MB_RETRYCANCEL | MB_DEFBUTTON2, IDCANCEL},
                                           TDefaultCase{MB_YESNO, IDYES}));

struct TIconCase {
    UINT flags;
    int iconId;
};

class MessageBoxIcon : public ::testing::TestWithParam<TIconCase> {};

TEST_P(MessageBoxIcon, GivesTheIconControlTheIconsId)
{
    TBoxSeen seen;
    ShowEscapeThenEnter(MB_OK | GetParam().flags, seen);
    EXPECT_EQ(seen.iconId, GetParam().iconId);
}

INSTANTIATE_TEST_SUITE_P(Table, MessageBoxIcon,
                         ::testing::Values(TIconCase{MB_ICONSTOP, 901}, TIconCase{MB_ICONQUESTION, 902},
                                           TIconCase{MB_ICONEXCLAMATION, 903}, TIconCase{MB_ICONINFORMATION, 904},
                                           TIconCase{0, 903}));

TEST(VokMsgBox, ClickingAButtonReturnsItsId)
{
    int result = TModalDriver::Run(
        "Vok Click Box", [] { return VokMessageBox(nullptr, "Retry?", "Vok Click Box", MB_ABORTRETRYIGNORE); },
        [](HWND box, int) {
            HWND ignore = GetDlgItem(box, IDIGNORE);
            PostMessageA(ignore, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            PostMessageA(ignore, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
            return true;
        });
    EXPECT_EQ(result, IDIGNORE);
}

TEST(VokMsgBox, MnemonicLetterPicksItsButton)
{
    int result = TModalDriver::Run(
        "Vok Mnemonic Box", [] { return VokMessageBox(nullptr, "Save?", "Vok Mnemonic Box", MB_YESNOCANCEL); },
        [](HWND box, int) {
            HWND target = GetFocus() ? GetFocus() : box;
            PostMessageA(target, WM_SYSCHAR, 'n', 1u << 29);
            return true;
        });
    EXPECT_EQ(result, IDNO);
}

TEST(VokMsgBox, IsCentredOverItsOwner)
{
    HWND owner = CreateWindowA("Static", "Owner", WS_POPUP | WS_VISIBLE, 200, 150, 600, 400, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    RECT box{};
    TModalDriver::Run(
        "Vok Owned Box", [&] { return VokMessageBox(owner, "Centred", "Vok Owned Box", MB_OK); },
        [&](HWND dlg, int) {
            GetWindowRect(dlg, &box);
            EXPECT_EQ(GetWindow(dlg, GW_OWNER), owner);
            TModalDriver::PressKey(dlg, VK_RETURN);
            return true;
        });
    EXPECT_NEAR((box.left + box.right) / 2, 500, 1);
    EXPECT_NEAR((box.top + box.bottom) / 2, 350, 1);
    DestroyWindow(owner);
}

TEST(VokMsgBox, LongTextGrowsTheBoxInsteadOfBeingCut)
{
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "This line of the message must stay readable. ";
    TBoxSeen shortBox, longBox;
    ShowEscapeThenEnter(MB_OK, shortBox, "Short");
    ShowEscapeThenEnter(MB_OK, longBox, text.c_str());
    EXPECT_GT(longBox.textRect.bottom - longBox.textRect.top, 2 * (shortBox.textRect.bottom - shortBox.textRect.top));
    EXPECT_EQ(longBox.text, text);
}

struct TSystemCase {
    UINT flags;
};

class MessageBoxFallback : public ::testing::TestWithParam<TSystemCase> {};

TEST_P(MessageBoxFallback, GoesToTheSystemBox)
{
    EXPECT_TRUE(UsesSystemMessageBox(GetParam().flags));
    std::string className;
    int result = TModalDriver::Run(
        "Vok System Box", [&] { return VokMessageBox(nullptr, "System", "Vok System Box", GetParam().flags); },
        [&](HWND box, int) {
            className = ClassOf(box);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            if (GetDlgItem(box, IDCANCEL))
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return true;
        });
    EXPECT_NE(className, VOKCTL_DIALOG_CLASS);
    EXPECT_NE(result, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, MessageBoxFallback,
                         ::testing::Values(TSystemCase{MB_OK | MB_SYSTEMMODAL}, TSystemCase{MB_OK | MB_TASKMODAL},
                                           TSystemCase{MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL},
                                           TSystemCase{MB_CANCELTRYCONTINUE}));

TEST(VokMsgBox, PrintfFormatsWithTheWindowsFormatter)
{
    TBoxSeen seen;
    int result = TModalDriver::Run(
        "Vok Printf Box",
        [] { return _PRINTFVOKMESSAGEBOX(nullptr, "Vok Printf Box", MB_OK, "%d files in %s", 3, "C:\\TEMP"); },
        [&](HWND box, int) {
            seen = Look(box);
            TModalDriver::PressKey(box, VK_RETURN);
            return true;
        });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(seen.text, "3 files in C:\\TEMP");
}

// The formatted text has a 408-byte buffer: longer results are cut, never written past it.
TEST(VokMsgBox, PrintfCutsTextLongerThanItsBuffer)
{
    std::string longArg(900, 'x');
    TBoxSeen seen;
    TModalDriver::Run(
        "Vok Long Box", [&] { return _PRINTFVOKMESSAGEBOX(nullptr, "Vok Long Box", MB_OK, "<%s>", longArg.c_str()); },
        [&](HWND box, int) {
            seen = Look(box);
            TModalDriver::PressKey(box, VK_RETURN);
            return true;
        });
    EXPECT_EQ(seen.text.size(), 407u);
    EXPECT_EQ(seen.text.substr(0, 4), "<xxx");
}

TEST(VokMsgBox, StringFormatMissingReturnsMinusOneAndShowsNothing)
{
    EXPECT_EQ(_LSPRINTFVOKMSGBOX(GetModuleHandleA(nullptr), nullptr, 1, MB_OK, 65000, 1), -1);
}

// The library's own module has strings to load: its button labels and its version.
TEST(VokMsgBox, StringVariantsLoadTextAndCaptionFromTheGivenModule)
{
    HINSTANCE library = GetModuleHandleA("vokctl32.dll");
    ASSERT_NE(library, nullptr);
    TBoxSeen seen;
    int result = TModalDriver::Run(
        "Cancel", [&] { return LoadStrVokMessageBox(library, nullptr, IDYES, IDCANCEL, MB_OKCANCEL); },
        [&](HWND box, int) {
            seen = Look(box);
            TModalDriver::PressKey(box, VK_ESCAPE);
            return true;
        });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(seen.text, "&Yes");

    result = TModalDriver::Run(
        "&Retry", [&] { return _LSPRINTFVOKMSGBOX(library, nullptr, IDRETRY, MB_YESNO, IDS_VOK_VERSION); },
        [&](HWND box, int) {
            seen = Look(box);
            TModalDriver::PressKey(box, VK_RETURN);
            return true;
        });
    EXPECT_EQ(result, IDYES);
    EXPECT_EQ(seen.text, "1.2");
}

}  // namespace
