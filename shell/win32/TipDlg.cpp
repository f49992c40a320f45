// Tip of the Day ("TipOfTheDay"): one tip of "OZM.TIP" at a time, at start-up and from the Help menu.
#include "shell/win32/TipDlg.h"

#include "OptionIds.h"
#include "controls/VokCtl.h"
#include "shell/win32/AssociateDlg.h"
#include "shell/win32/VokMessage.h"

TTipDlg::TTipDlg(HINSTANCE instance, const std::string& tipsPath, TProfile& settings)
    : TDialog(instance, "TipOfTheDay"), tips_(tipsPath, settings)
{
}

bool TTipDlg::OnInit()
{
    SetItemText(IDC_TIP_HEADING, LoadResString(IDS_TIP_HEADING));
    CheckDlgButton(Handle(), IDC_TIP_STARTUP, tips_.ShowAtStartUp() ? BST_CHECKED : BST_UNCHECKED);
    CenterDialog(Handle(), TRUE);
    switch (tips_.State()) {
    case TTipsFile::TState::NoFile:
        tip_ = LoadResString(IDS_TIP_NOFILE);
        SetItemText(IDC_TIP_TEXT, tip_);
        EnableWindow(Item(IDC_TIP_NEXT), FALSE);
        break;
    case TTipsFile::TState::ReadError:
        VokMessage(Handle(), IDS_TIP_READERROR, nullptr, MB_OK | MB_ICONINFORMATION);
        EnableWindow(Item(IDC_TIP_NEXT), FALSE);
        break;
    case TTipsFile::TState::Ok: ShowNext(); break;
    }
    return true;
}

void TTipDlg::ShowNext()
{
    tips_.Next(&tip_);
    SetItemText(IDC_TIP_TEXT, tip_);
}

bool TTipDlg::OnCommand(int id, int code)
{
    if (id != IDC_TIP_NEXT || code != BN_CLICKED)
        return false;
    ShowNext();
    return true;
}

bool TTipDlg::OnOK()
{
    Close();
    return true;
}

void TTipDlg::Close()
{
    tips_.SetShowAtStartUp(IsDlgButtonChecked(Handle(), IDC_TIP_STARTUP) == BST_CHECKED);
}

std::string TipsFilePath(HINSTANCE instance)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(instance, path, sizeof path);
    std::string dir(path, n < sizeof path ? n : 0);
    std::size_t slash = dir.find_last_of('\\');
    return (slash == std::string::npos ? std::string() : dir.substr(0, slash + 1)) + "OZM.TIP";
}

namespace {

bool KeySet(const TProfile& settings, const char* section, const char* key)
{
    char value[8];
    return settings.GetString(section, key, "\x01", value, sizeof value) > 0 && value[0] != '\x01';
}

}  // namespace

bool RunStartUpDialogs(HINSTANCE instance, HWND owner, TProfile& settings, bool associateStartUp, bool testRun)
{
    if (!testRun || KeySet(settings, "Tip", "StartUp")) {
        // The dialog object holds the tips file open: it goes, and writes its place, before Associate.
        TTipDlg tip(instance, TipsFilePath(instance), settings);
        if (tip.ShowAtStartUp())
            tip.Run(owner);
    }
    if (!associateStartUp || (testRun && !KeySet(settings, "Settings", "AssociateDlgStartUp")))
        return associateStartUp;
    TAssociateFilesDlg associate(instance, settings, ShortProgramPath(instance));
    associate.Run(owner);
    return associate.ShowAtStartUp();
}
