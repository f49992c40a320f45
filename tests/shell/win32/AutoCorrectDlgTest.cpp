// The AutoCorrect dialogs driven with messages: adding, replacing and deleting pairs, the full list, the
// exceptions, switching the lists' language, and what reaches the list and settings files.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "AutoCorrectIds.h"
#include "autocorrect/AutoCorrect.h"
#include "base/win32/Win32Profile.h"
#include "shell/win32/AutoCorrectDlg.h"
#include "shell/win32/VokMessage.h"

namespace {

// Steps for a chain of modal dialogs: each runs once the dialog of its caption is up and enabled (one whose
// child dialog is open is disabled). Clicks are posted, so that a dialog a click opens runs from the loop
// that dispatched it, not from inside a step.
struct TStep {
    const char* caption;
    std::function<void(HWND)> act;
};
std::vector<TStep> gSteps;
int gTicks = 0;

void CALLBACK StepTick(HWND, UINT, UINT_PTR id, DWORD) noexcept
{
    if (gSteps.empty() || ++gTicks > 400) {
        KillTimer(nullptr, id);
        // A chain that stalls closes whatever is open, so that a fault cannot hang the run.
        for (const char* caption : {"Auto Correct Language", "Auto Correct Exceptions", "Auto Correct"})
            if (HWND open = FindWindowA("#32770", caption))
                EndDialog(open, IDCANCEL);
        return;
    }
    HWND dialog = FindWindowA("#32770", gSteps.front().caption);
    if (!dialog || !IsWindowVisible(dialog) || !IsWindowEnabled(dialog))
        return;
    auto act = std::move(gSteps.front().act);
    gSteps.erase(gSteps.begin());
    act(dialog);
}

// A click: the button takes the focus, then its command comes.
void Click(HWND dialog, int id)
{
    SetFocus(GetDlgItem(dialog, id));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SetText(HWND dialog, int id, const char* text)
{
    SetDlgItemTextA(dialog, id, text);
}

std::string Text(HWND dialog, int id)
{
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Selects a line of the pair list as a click would, with the notification.
void SelectPair(HWND dialog, int index)
{
    HWND list = GetDlgItem(dialog, IDC_AC_LIST);
    SendMessageA(list, LB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_AC_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

std::vector<std::string> ListLines(HWND dialog, int id, UINT count, UINT get)
{
    std::vector<std::string> lines;
    HWND list = GetDlgItem(dialog, id);
    const LRESULT n = SendMessageA(list, count, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char line[128] = "";
        SendMessageA(list, get, i, reinterpret_cast<LPARAM>(line));
        lines.emplace_back(line);
    }
    return lines;
}

std::vector<std::string> Pairs(HWND dialog)
{
    return ListLines(dialog, IDC_AC_LIST, LB_GETCOUNT, LB_GETTEXT);
}

std::vector<std::string> Lines(std::initializer_list<const char*> lines)
{
    return std::vector<std::string>(lines.begin(), lines.end());
}

int RecordMessage(unsigned id, const char*, unsigned, void* context)
{
    static_cast<std::vector<unsigned>*>(context)->push_back(id);
    return IDOK;
}

class AutoCorrectDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH], name[MAX_PATH];
        GetTempPathA(sizeof dir, dir);
        GetTempFileNameA(dir, "vac", 0, name);
        listsPath = name;
        GetTempFileNameA(dir, "vas", 0, name);
        settingsPath = name;
        Write(listsPath,
              "[ReplaceWithEng]\r\nteh=the\r\nadn=and\r\n"
              "[FirstLetterExceptionsEng]\r\ne.g.=\r\n"
              "[ReplaceWithCro]\r\nzasto=za\x9Ato\r\n");
        Write(settingsPath, "");
        SetVokMessageHook(RecordMessage, &shown);
        ac.Load(TWin32Profile(listsPath), TWin32Profile(settingsPath));
    }
    void TearDown() override
    {
        SetVokMessageHook(nullptr, nullptr);
        gSteps.clear();
        DeleteFileA(listsPath.c_str());
        DeleteFileA(settingsPath.c_str());
    }
    static void Write(const std::string& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string Value(const std::string& path, const char* section, const char* key)
    {
        char value[256];
        GetPrivateProfileStringA(section, key, "(missing)", value, sizeof value, path.c_str());
        return value;
    }
    // Runs the AutoCorrect dialog through the steps; each must have run.
    void Run(std::vector<TStep> steps)
    {
        gSteps = std::move(steps);
        gTicks = 0;
        SetTimer(nullptr, 0, 30, StepTick);
        TWin32Profile lists(listsPath), settings(settingsPath);
        TAutoCorrectDlg dialog(GetModuleHandleA(nullptr), ac, &lists, &settings);
        dialog.Run(nullptr);
        saved = dialog.Saved();
        EXPECT_TRUE(gSteps.empty()) << gSteps.size() << " steps did not run, the next in \""
                                    << gSteps.front().caption << "\"";
    }

    std::string listsPath, settingsPath;
    TAutoCorrect ac;
    std::vector<unsigned> shown;
    bool saved = false;
};

}  // namespace

TEST_F(AutoCorrectDlgTest, AddPutsThePairInOrderAndAKnownReplaceTextTakesTheNewWith)
{
    std::vector<std::string> afterAdd, afterChange;
    Run({
        {"Auto Correct",
         [&](HWND d) {
             EXPECT_EQ(Pairs(d), Lines({"adn\tand", "teh\tthe"}));
             SetText(d, IDC_AC_REPLACE, "recieve");
             SetText(d, IDC_AC_WITH, "receive");
             Click(d, IDC_AC_ADD);
         }},
        {"Auto Correct",
         [&](HWND d) {
             afterAdd = Pairs(d);
             SetText(d, IDC_AC_REPLACE, "TEH");
             SetText(d, IDC_AC_WITH, "THE");
             Click(d, IDC_AC_ADD);
         }},
        {"Auto Correct",
         [&](HWND d) {
             afterChange = Pairs(d);
             Click(d, IDOK);
         }},
    });
    EXPECT_EQ(afterAdd, Lines({"adn\tand", "recieve\treceive", "teh\tthe"}));
    EXPECT_EQ(afterChange, Lines({"adn\tand", "recieve\treceive", "TEH\tTHE"}));
    EXPECT_TRUE(saved);
    EXPECT_FALSE(ac.listsChanged);
    EXPECT_EQ(Value(listsPath, "ReplaceWithEng", "recieve"), "receive");
    EXPECT_EQ(Value(listsPath, "ReplaceWithEng", "TEH"), "THE");
    // The other language's list is left as it was.
    EXPECT_EQ(Value(listsPath, "ReplaceWithCro", "zasto"), "za\x9Ato");
}

// Enter in a field adds the pair typed there and keeps the dialog open; Enter elsewhere closes it.
TEST_F(AutoCorrectDlgTest, EnterInTheFieldsAddsThePair)
{
    Run({
        {"Auto Correct",
         [&](HWND d) {
             SetText(d, IDC_AC_REPLACE, "hte");
             SetText(d, IDC_AC_WITH, "the");
             SetFocus(GetDlgItem(d, IDC_AC_WITH));
             PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
         }},
        {"Auto Correct",
         [&](HWND d) {
             EXPECT_EQ(Pairs(d), Lines({"adn\tand", "hte\tthe", "teh\tthe"}));
             SetFocus(GetDlgItem(d, IDC_AC_LIST));
             PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
         }},
    });
    EXPECT_EQ(Value(listsPath, "ReplaceWithEng", "hte"), "the");
}

TEST_F(AutoCorrectDlgTest, AnEmptyFieldAddsNothing)
{
    const std::string before = Read(listsPath);
    Run({
        {"Auto Correct",
         [&](HWND d) {
             SetText(d, IDC_AC_REPLACE, "hte");
             Click(d, IDC_AC_ADD);
         }},
        {"Auto Correct",
         [&](HWND d) {
             SetText(d, IDC_AC_REPLACE, "");
             SetText(d, IDC_AC_WITH, "the");
             Click(d, IDC_AC_ADD);
         }},
        {"Auto Correct",
         [&](HWND d) {
             EXPECT_EQ(Pairs(d).size(), 2u);
             Click(d, IDOK);
         }},
    });
    EXPECT_EQ(ac.Replacements().size(), 2u);
    EXPECT_EQ(Read(listsPath), before);  // unchanged lists are not written
}

TEST_F(AutoCorrectDlgTest, PickingAPairFillsTheFieldsAndReplaceChangesIt)
{
    std::string replace, with;
    bool grayBefore = false, enabledAfter = false;
    Run({
        {"Auto Correct",
         [&](HWND d) {
             grayBefore = !IsWindowEnabled(GetDlgItem(d, IDC_AC_CHANGE))
                          && !IsWindowEnabled(GetDlgItem(d, IDC_AC_DELETE));
             SelectPair(d, 1);
             replace = Text(d, IDC_AC_REPLACE);
             with = Text(d, IDC_AC_WITH);
             enabledAfter = IsWindowEnabled(GetDlgItem(d, IDC_AC_CHANGE))
                            && IsWindowEnabled(GetDlgItem(d, IDC_AC_DELETE));
             SetText(d, IDC_AC_REPLACE, "hte");
             Click(d, IDC_AC_CHANGE);
         }},
        {"Auto Correct",
         [&](HWND d) {
             EXPECT_EQ(Pairs(d), Lines({"adn\tand", "hte\tthe"}));
             EXPECT_EQ(SendMessageA(GetDlgItem(d, IDC_AC_LIST), LB_GETCURSEL, 0, 0), 1);
             // The with text of the selected pair changes alone when the replace text stays.
             SetText(d, IDC_AC_WITH, "THE");
             Click(d, IDC_AC_CHANGE);
         }},
        {"Auto Correct", [&](HWND d) { Click(d, IDOK); }},
    });
    EXPECT_TRUE(grayBefore);
    EXPECT_TRUE(enabledAfter);
    EXPECT_EQ(replace, "teh");
    EXPECT_EQ(with, "the");
    EXPECT_EQ(Value(listsPath, "ReplaceWithEng", "teh"), "(missing)");
    EXPECT_EQ(Value(listsPath, "ReplaceWithEng", "hte"), "THE");
    EXPECT_EQ(Value(listsPath, "ReplaceWithEng", "adn"), "and");
}

TEST_F(AutoCorrectDlgTest, DeleteRemovesTheSelectedPairAndKeepsItInTheFields)
{
    Run({
        {"Auto Correct",
         [&](HWND d) {
             // Nothing selected: Delete does nothing.
             Click(d, IDC_AC_DELETE);
         }},
        {"Auto Correct",
         [&](HWND d) {
             EXPECT_EQ(Pairs(d).size(), 2u);
             SelectPair(d, 0);
             Click(d, IDC_AC_DELETE);
         }},
        {"Auto Correct",
         [&](HWND d) {
             EXPECT_EQ(Pairs(d), Lines({"teh\tthe"}));
             EXPECT_EQ(Text(d, IDC_AC_REPLACE), "adn");
             EXPECT_EQ(Text(d, IDC_AC_WITH), "and");
             EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_AC_DELETE)));
             Click(d, IDOK);
         }},
    });
    EXPECT_EQ(Value(listsPath, "ReplaceWithEng", "adn"), "(missing)");
    EXPECT_EQ(Value(listsPath, "ReplaceWithEng", "teh"), "the");
}

// A 501st pair is refused with a message; a known replace text still takes a new with text, and a
// selected pair can still be changed.
TEST_F(AutoCorrectDlgTest, AFullListRefusesANewPairWithAMessage)
{
    for (int i = ac.Replacements().size(); i < TAutoCorrect::kMaxElements; ++i) {
        char replace[16];
        std::snprintf(replace, sizeof replace, "w%03d", i);
        ASSERT_TRUE(ac.AddReplacement(replace, "x"));
    }
    ASSERT_EQ(ac.Replacements().size(), 500u);
    Run({
        {"Auto Correct",
         [&](HWND d) {
             SetText(d, IDC_AC_REPLACE, "zzz");
             SetText(d, IDC_AC_WITH, "z");
             Click(d, IDC_AC_ADD);
         }},
        {"Auto Correct",
         [&](HWND d) {
             EXPECT_EQ(Pairs(d).size(), 500u);
             SetText(d, IDC_AC_REPLACE, "teh");
             SetText(d, IDC_AC_WITH, "THE");
             Click(d, IDC_AC_ADD);
         }},
        {"Auto Correct",
         [&](HWND d) {
             SelectPair(d, 0);
             SetText(d, IDC_AC_REPLACE, "nad");
             Click(d, IDC_AC_CHANGE);
         }},
        {"Auto Correct", [&](HWND d) { Click(d, IDOK); }},
    });
    EXPECT_EQ(shown, std::vector<unsigned>{IDS_AC_LISTFULL});
    EXPECT_EQ(ac.Replacements().size(), 500u);
    EXPECT_LT(ac.FindReplacement("zzz"), 0);
    EXPECT_EQ(Value(listsPath, "ReplaceWithEng", "teh"), "THE");
    EXPECT_EQ(Value(listsPath, "ReplaceWithEng", "nad"), "and");
    EXPECT_EQ(Value(listsPath, "ReplaceWithEng", "adn"), "(missing)");
    EXPECT_EQ(Value(listsPath, "ReplaceWithEng", "w499"), "x");
}

// The check boxes reach the object on Close (and Esc), and the settings file only with the lists.
TEST_F(AutoCorrectDlgTest, CheckBoxesAreStoredWhenTheDialogCloses)
{
    bool shownOn = false;
    Run({
        {"Auto Correct",
         [&](HWND d) {
             shownOn = IsDlgButtonChecked(d, IDC_AC_TWOCAPS) && IsDlgButtonChecked(d, IDC_AC_SENTENCE)
                       && IsDlgButtonChecked(d, IDC_AC_CAPSLOCK) && IsDlgButtonChecked(d, IDC_AC_REPLACETEXT);
             CheckDlgButton(d, IDC_AC_SENTENCE, BST_UNCHECKED);
             CheckDlgButton(d, IDC_AC_CAPSLOCK, BST_UNCHECKED);
             Click(d, IDCANCEL);
         }},
    });
    EXPECT_TRUE(shownOn);
    EXPECT_TRUE(ac.correctTwoInitCaps);
    EXPECT_FALSE(ac.capitalizeSentence);
    EXPECT_FALSE(ac.correctCapsLock);
    EXPECT_TRUE(ac.replaceText);
    EXPECT_EQ(Read(settingsPath), "");
}

// Choosing Croatian saves the English lists under their sections, writes the language to the settings and
// shows the Croatian list; Cancel in the language dialog changes nothing.
TEST_F(AutoCorrectDlgTest, SwitchingLanguageSavesTheListsAndShowsTheOthers)
{
    std::vector<std::string> croatian;
    int shownLanguage = 0;
    Run({
        {"Auto Correct",
         [&](HWND d) {
             SetText(d, IDC_AC_REPLACE, "hte");
             SetText(d, IDC_AC_WITH, "the");
             Click(d, IDC_AC_ADD);
         }},
        {"Auto Correct", [&](HWND d) { Click(d, IDC_AC_LANGUAGE); }},
        {"Auto Correct Language",
         [&](HWND d) {
             CheckRadioButton(d, IDC_ACL_ENGLISH, IDC_ACL_OTHER, IDC_ACL_CROATIAN);
             Click(d, IDCANCEL);
         }},
        {"Auto Correct",
         [&](HWND d) {
             EXPECT_EQ(Pairs(d).size(), 3u);
             Click(d, IDC_AC_LANGUAGE);
         }},
        {"Auto Correct Language",
         [&](HWND d) {
             shownLanguage = IsDlgButtonChecked(d, IDC_ACL_ENGLISH) ? 1 : 0;
             CheckRadioButton(d, IDC_ACL_ENGLISH, IDC_ACL_OTHER, IDC_ACL_CROATIAN);
             Click(d, IDOK);
         }},
        {"Auto Correct",
         [&](HWND d) {
             croatian = Pairs(d);
             Click(d, IDOK);
         }},
    });
    EXPECT_EQ(shownLanguage, 1);
    EXPECT_EQ(croatian, Lines({"zasto\tza\x9Ato"}));
    EXPECT_EQ(ac.language, 2);
    EXPECT_EQ(Value(settingsPath, "AutoCorrect", "Language"), "2");
    EXPECT_EQ(Value(listsPath, "ReplaceWithEng", "hte"), "the");
    EXPECT_EQ(Value(listsPath, "ReplaceWithEng", "teh"), "the");
    EXPECT_EQ(Value(listsPath, "ReplaceWithCro", "zasto"), "za\x9Ato");
}

// Exceptions: Add puts a text in once however it is cased, Delete takes the one in the field, a text not
// in the list beeps, and the numbers check box is stored on Close.
TEST_F(AutoCorrectDlgTest, ExceptionsAreAddedOnceDeletedAndSaved)
{
    std::vector<std::string> afterAdds;
    Run({
        {"Auto Correct", [&](HWND d) { Click(d, IDC_AC_EXCEPTIONS); }},
        {"Auto Correct Exceptions",
         [&](HWND d) {
             EXPECT_EQ(ListLines(d, IDC_ACX_TEXT, CB_GETCOUNT, CB_GETLBTEXT), Lines({"e.g."}));
             EXPECT_TRUE(IsDlgButtonChecked(d, IDC_ACX_NUMBERS));
             SetText(d, IDC_ACX_TEXT, "npr.");
             Click(d, IDC_ACX_ADD);
         }},
        {"Auto Correct Exceptions",
         [&](HWND d) {
             SetText(d, IDC_ACX_TEXT, "E.G.");
             Click(d, IDC_ACX_ADD);
         }},
        {"Auto Correct Exceptions",
         [&](HWND d) {
             afterAdds = ListLines(d, IDC_ACX_TEXT, CB_GETCOUNT, CB_GETLBTEXT);
             SetText(d, IDC_ACX_TEXT, "etc.");
             Click(d, IDC_ACX_DELETE);
         }},
        {"Auto Correct Exceptions",
         [&](HWND d) {
             EXPECT_EQ(ListLines(d, IDC_ACX_TEXT, CB_GETCOUNT, CB_GETLBTEXT).size(), 2u);
             SendMessageA(GetDlgItem(d, IDC_ACX_TEXT), CB_SETCURSEL, 0, 0);
             Click(d, IDC_ACX_DELETE);
         }},
        {"Auto Correct Exceptions",
         [&](HWND d) {
             CheckDlgButton(d, IDC_ACX_NUMBERS, BST_UNCHECKED);
             Click(d, IDOK);
         }},
        {"Auto Correct", [&](HWND d) { Click(d, IDOK); }},
    });
    EXPECT_EQ(afterAdds, Lines({"e.g.", "npr."}));
    ASSERT_EQ(ac.Exceptions().size(), 1u);
    EXPECT_STREQ(ac.Exceptions()[0].text, "npr.");
    EXPECT_FALSE(ac.dontCapAfterNumber);
    EXPECT_EQ(Value(listsPath, "FirstLetterExceptionsEng", "npr."), "");
    EXPECT_EQ(Value(listsPath, "FirstLetterExceptionsEng", "e.g."), "(missing)");
    EXPECT_EQ(Value(settingsPath, "AutoCorrect", "DontCapAfterNumber"), "0");
}
