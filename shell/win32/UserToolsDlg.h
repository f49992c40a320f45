// The Tools dialog: the nine user tools of the Tools menu, edited in place.
#pragma once

#include <windows.h>

#include "base/win32/Dialog.h"
#include "tools/UserTools.h"

// TUserToolsDlg edits a copy of the table; the fields below the list show and change the selected tool.
class TUserToolsDlg : public TDialog {
public:
    TUserToolsDlg(HINSTANCE instance, const TUserTools& tools) : TDialog(instance, "TOOLS"), instance_(instance), tools_(tools) {}
    const TUserTools& Tools() const { return tools_; }
    // Appends a tool for program (as Add... does after its file dialog); false when nine exist.
    bool AddProgram(const char* program);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    void FillList(int select);
    void ShowTool();
    void StoreTool();
    void UpdateButtons();

    HINSTANCE instance_ = nullptr;
    TUserTools tools_;
    int current_ = -1;
    bool filling_ = false;
};

// Options > Tools...: runs the dialog on the program's table; true when it was changed.
bool EditUserTools(HINSTANCE instance, HWND owner);
