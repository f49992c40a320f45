// The External Help Files dialog: the five user help files of the Help menu and the active one.
#pragma once

#include <windows.h>

#include "base/win32/Dialog.h"
#include "tools/UserHelp.h"

// TUserHlpDlg edits a copy of the entries; OK keeps the active row and all ten texts.
class TUserHlpDlg : public TDialog {
public:
    TUserHlpDlg(HINSTANCE instance, const TUserHelp& help)
        : TDialog(instance, "HELPOPTIONS"), instance_(instance), help_(help) {}
    const TUserHelp& Help() const { return help_; }

    static constexpr int RadioId(int row) { return 101 + 10 * row; }
    static constexpr int MenuTextId(int row) { return 102 + 10 * row; }
    static constexpr int FileId(int row) { return 103 + 10 * row; }
    static constexpr int BrowseId(int row) { return 104 + 10 * row; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    void Check(int active) const;

    HINSTANCE instance_ = nullptr;
    TUserHelp help_;
};

// Options > Help Options...: runs the dialog on the program's entries; true when OK was chosen.
bool EditUserHelp(HINSTANCE instance, HWND owner);
