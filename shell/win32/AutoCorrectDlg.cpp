// The AutoCorrect dialogs: the replacement list with the flags, the exceptions and the list's language.
#include "shell/win32/AutoCorrectDlg.h"

#include <string>

#include "AutoCorrectIds.h"
#include "autocorrect/win32/AutoCorrectWin.h"
#include "base/win32/Win32Profile.h"
#include "shell/win32/SettingsStore.h"
#include "shell/win32/VokMessage.h"

namespace {

// The language number "Other" stands for when it is chosen (every number but 1 and 2 reads as Other).
constexpr int kOtherLanguage = 3;
// Where the with text begins in a list line, in dialog template units: just past the Replace field.
constexpr int kListTabStop = 108;
constexpr unsigned kCannotWrite = 15007;

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool on)
{
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace

// ---- Auto Correct. -------------------------------------------------------------------------------------

bool TAutoCorrectDlg::OnInit()
{
    SetChecked(Handle(), IDC_AC_TWOCAPS, ac_.correctTwoInitCaps);
    SetChecked(Handle(), IDC_AC_SENTENCE, ac_.capitalizeSentence);
    SetChecked(Handle(), IDC_AC_CAPSLOCK, ac_.correctCapsLock);
    SetChecked(Handle(), IDC_AC_REPLACETEXT, ac_.replaceText);
    SendMessageA(Item(IDC_AC_REPLACE), EM_LIMITTEXT, TAutoCorrect::kMaxReplace, 0);
    SendMessageA(Item(IDC_AC_WITH), EM_LIMITTEXT, TAutoCorrect::kMaxReplace, 0);
    int tab = kListTabStop;
    SendMessageA(Item(IDC_AC_LIST), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tab));
    Fill(-1);
    return true;
}

void TAutoCorrectDlg::Fill(int select)
{
    HWND list = Item(IDC_AC_LIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const TAutoCorrectReplaceElement& e : ac_.Replacements()) {
        const std::string line = std::string(e.replace) + "\t" + e.with;
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    SendMessageA(list, LB_SETCURSEL, select, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    EnableButtons();
}

int TAutoCorrectDlg::Selected() const
{
    const LRESULT i = SendMessageA(Item(IDC_AC_LIST), LB_GETCURSEL, 0, 0);
    return i == LB_ERR || i >= static_cast<LRESULT>(ac_.Replacements().size()) ? -1 : static_cast<int>(i);
}

// Picking a pair puts it into the fields, ready to be changed.
void TAutoCorrectDlg::ShowSelected()
{
    const int i = Selected();
    if (i >= 0) {
        SetItemText(IDC_AC_REPLACE, ac_.Replacements()[static_cast<std::size_t>(i)].replace);
        SetItemText(IDC_AC_WITH, ac_.Replacements()[static_cast<std::size_t>(i)].with);
    }
    EnableButtons();
}

// Replace and Delete work on the selected pair; with none they are gray.
void TAutoCorrectDlg::EnableButtons() const
{
    const bool selected = Selected() >= 0;
    EnableWindow(Item(IDC_AC_CHANGE), selected);
    EnableWindow(Item(IDC_AC_DELETE), selected);
}

void TAutoCorrectDlg::Add()
{
    const std::string replace = ItemText(IDC_AC_REPLACE), with = ItemText(IDC_AC_WITH);
    if (replace.empty() || with.empty()) {
        MessageBeep(MB_OK);
        return;
    }
    if (!ac_.AddReplacement(replace.c_str(), with.c_str())) {
        VokMessageNumber(Handle(), IDS_AC_LISTFULL, TAutoCorrect::kMaxElements, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Fill(ac_.FindReplacement(replace.c_str()));
}

// The selected pair becomes the one in the fields; when its replace text is another pair's, that pair
// takes the new with text and the selected one goes.
void TAutoCorrectDlg::Change()
{
    const int i = Selected();
    const std::string replace = ItemText(IDC_AC_REPLACE), with = ItemText(IDC_AC_WITH);
    if (i < 0 || replace.empty() || with.empty()) {
        MessageBeep(MB_OK);
        return;
    }
    const std::string old = ac_.Replacements()[static_cast<std::size_t>(i)].replace;
    // Removed first, so that a full list still takes the changed pair.
    (void)ac_.RemoveReplacement(old.c_str());
    if (!ac_.AddReplacement(replace.c_str(), with.c_str()))
        (void)ac_.AddReplacement(old.c_str(), with.c_str());
    Fill(ac_.FindReplacement(replace.c_str()));
}

// The fields keep the deleted pair, so that Add brings it back.
void TAutoCorrectDlg::Delete()
{
    const int i = Selected();
    if (i < 0) {
        MessageBeep(MB_OK);
        return;
    }
    const std::string old = ac_.Replacements()[static_cast<std::size_t>(i)].replace;
    (void)ac_.RemoveReplacement(old.c_str());
    Fill(-1);
}

void TAutoCorrectDlg::ChooseLanguage()
{
    TAutoCorrectLangDlg dialog(instance_, ac_.language);
    if (dialog.Run(Handle()) != IDOK || dialog.Language() == ac_.language)
        return;
    if (!ac_.SetLanguage(dialog.Language(), lists_, settings_))
        VokMessage(Handle(), kCannotWrite, AutoCorrectFilePath().c_str(), MB_OK | MB_ICONEXCLAMATION);
    SetItemText(IDC_AC_REPLACE, "");
    SetItemText(IDC_AC_WITH, "");
    Fill(-1);
}

bool TAutoCorrectDlg::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_AC_LIST:
        if (code == LBN_SELCHANGE)
            ShowSelected();
        return true;
    case IDC_AC_ADD: Add(); return true;
    case IDC_AC_CHANGE: Change(); return true;
    case IDC_AC_DELETE: Delete(); return true;
    case IDC_AC_LANGUAGE: ChooseLanguage(); return true;
    case IDC_AC_EXCEPTIONS: {
        TAutoCorrectExceptionsDlg dialog(instance_, ac_);
        dialog.Run(Handle());
        return true;
    }
    default: return false;
    }
}

// Enter in the Replace or With field adds the pair, as the user has just typed it; elsewhere it closes.
bool TAutoCorrectDlg::OnOK()
{
    const HWND focus = GetFocus();
    if (focus && (focus == Item(IDC_AC_REPLACE) || focus == Item(IDC_AC_WITH))) {
        Add();
        return false;
    }
    Close();
    return true;
}

void TAutoCorrectDlg::Close()
{
    ac_.correctTwoInitCaps = Checked(Handle(), IDC_AC_TWOCAPS);
    ac_.capitalizeSentence = Checked(Handle(), IDC_AC_SENTENCE);
    ac_.correctCapsLock = Checked(Handle(), IDC_AC_CAPSLOCK);
    ac_.replaceText = Checked(Handle(), IDC_AC_REPLACETEXT);
    if (ac_.listsChanged && lists_ && settings_) {
        saved_ = ac_.Save(*lists_, *settings_);
        if (saved_)
            ac_.listsChanged = false;
    }
}

// ---- Auto Correct Exceptions. --------------------------------------------------------------------------

bool TAutoCorrectExceptionsDlg::OnInit()
{
    SendMessageA(Item(IDC_ACX_TEXT), CB_LIMITTEXT, TAutoCorrect::kMaxException, 0);
    SetChecked(Handle(), IDC_ACX_NUMBERS, ac_.dontCapAfterNumber);
    Fill(-1);
    return true;
}

void TAutoCorrectExceptionsDlg::Fill(int select)
{
    HWND box = Item(IDC_ACX_TEXT);
    const std::string typed = ItemText(IDC_ACX_TEXT);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (const TAutoCorrectExceptionElement& e : ac_.Exceptions())
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.text));
    if (select >= 0)
        SendMessageA(box, CB_SETCURSEL, select, 0);
    else
        SetItemText(IDC_ACX_TEXT, typed);
}

// A text already in the list is not added twice: it is shown selected.
void TAutoCorrectExceptionsDlg::Add()
{
    const std::string text = ItemText(IDC_ACX_TEXT);
    if (text.empty()) {
        MessageBeep(MB_OK);
        return;
    }
    const int known = ac_.FindException(text.c_str());
    if (known < 0 && !ac_.AddException(text.c_str())) {
        VokMessageNumber(Handle(), IDS_AC_LISTFULL, TAutoCorrect::kMaxElements, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Fill(ac_.FindException(text.c_str()));
}

// Deletes the exception the field names (picked from the list or typed); one not in the list beeps.
void TAutoCorrectExceptionsDlg::Delete()
{
    const std::string text = ItemText(IDC_ACX_TEXT);
    if (text.empty() || !ac_.RemoveException(text.c_str())) {
        MessageBeep(MB_OK);
        return;
    }
    SetItemText(IDC_ACX_TEXT, "");
    Fill(-1);
}

bool TAutoCorrectExceptionsDlg::OnCommand(int id, int)
{
    switch (id) {
    case IDC_ACX_ADD: Add(); return true;
    case IDC_ACX_DELETE: Delete(); return true;
    default: return false;
    }
}

// Enter in the field adds what was typed; elsewhere it closes.
bool TAutoCorrectExceptionsDlg::OnOK()
{
    const HWND focus = GetFocus();
    if (focus && (focus == Item(IDC_ACX_TEXT) || IsChild(Item(IDC_ACX_TEXT), focus))) {
        Add();
        return false;
    }
    Close();
    return true;
}

void TAutoCorrectExceptionsDlg::Close()
{
    ac_.dontCapAfterNumber = Checked(Handle(), IDC_ACX_NUMBERS);
}

// ---- Auto Correct Language. ----------------------------------------------------------------------------

bool TAutoCorrectLangDlg::OnInit()
{
    const int id = language_ == 1 ? IDC_ACL_ENGLISH : language_ == 2 ? IDC_ACL_CROATIAN : IDC_ACL_OTHER;
    CheckRadioButton(Handle(), IDC_ACL_ENGLISH, IDC_ACL_OTHER, id);
    return true;
}

// Other keeps a number of its own that already means Other.
bool TAutoCorrectLangDlg::OnOK()
{
    if (Checked(Handle(), IDC_ACL_ENGLISH))
        language_ = 1;
    else if (Checked(Handle(), IDC_ACL_CROATIAN))
        language_ = 2;
    else if (language_ == 1 || language_ == 2)
        language_ = kOtherLanguage;
    return true;
}

// ---- The command. --------------------------------------------------------------------------------------

void EditAutoCorrect(HINSTANCE instance, HWND owner)
{
    TWin32Profile lists(AutoCorrectFilePath());
    TAutoCorrectDlg dialog(instance, ProgramAutoCorrect(), &lists, &SettingsProfile());
    dialog.Run(owner);
    if (!dialog.Saved())
        VokMessage(owner, kCannotWrite, AutoCorrectFilePath().c_str(), MB_OK | MB_ICONEXCLAMATION);
}
