// The External Help Files dialog.
#include "shell/win32/UserHelpDlg.h"

#include "resource.h"
#include "shell/CommandRouting.h"
#include "shell/Settings.h"
#include "shell/win32/FileDialogs.h"
#include "shell/win32/Subsystems.h"

bool TUserHlpDlg::OnInit()
{
    for (int row = 0; row < kUserHelpCount; ++row) {
        SendDlgItemMessageA(Handle(), MenuTextId(row), EM_LIMITTEXT, sizeof help_[row].menuString - 1, 0);
        SendDlgItemMessageA(Handle(), FileId(row), EM_LIMITTEXT, sizeof help_[row].helpFile - 1, 0);
        SetItemText(MenuTextId(row), help_[row].menuString);
        SetItemText(FileId(row), help_[row].helpFile);
    }
    Check(help_.Active());
    CenterOverOwner();
    return true;
}

void TUserHlpDlg::Check(int active) const
{
    // The radios sit in rows between other fields, so they are kept exclusive here rather than by group.
    for (int row = 0; row < kUserHelpCount; ++row)
        CheckDlgButton(Handle(), RadioId(row), row == active ? BST_CHECKED : BST_UNCHECKED);
}

bool TUserHlpDlg::OnCommand(int id, int code)
{
    for (int row = 0; row < kUserHelpCount; ++row) {
        if (id == RadioId(row) && code == BN_CLICKED) {
            Check(row);
            return true;
        }
        if (id == BrowseId(row)) {
            char path[MAX_PATH] = "";
            lstrcpynA(path, ItemText(FileId(row)).c_str(), sizeof path);
            if (BrowseFileDialog(instance_, Handle(), path, sizeof path, IDS_BROWSEHELP, IDS_BROWSEHELPFILTER))
                SetItemText(FileId(row), path);
            return true;
        }
    }
    if (id == IDC_HELPBUTTON) {
        ShowHelpContext(Handle(), kHelpUserHelpDialog);
        return true;
    }
    return false;
}

bool TUserHlpDlg::OnOK()
{
    int active = 0;
    for (int row = 0; row < kUserHelpCount; ++row) {
        help_.Set(row, ItemText(MenuTextId(row)).c_str(), ItemText(FileId(row)).c_str());
        if (IsDlgButtonChecked(Handle(), RadioId(row)) == BST_CHECKED)
            active = row;
    }
    help_.SetActive(active);
    return true;
}

bool EditUserHelp(HINSTANCE instance, HWND owner)
{
    TUserHlpDlg dialog(instance, ProgramSettings().userHelp);
    if (dialog.Run(owner) != IDOK)
        return false;
    ProgramSettings().userHelp = dialog.Help();
    return true;
}
