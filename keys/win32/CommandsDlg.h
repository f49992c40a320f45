// The Editor Commands dialog: pick a command without argument by category, see its description and keys.
#pragma once

#include <string>
#include <vector>

#include "base/win32/Dialog.h"

class TKeyMap;

// The categories in the order the dialog lists them; 0 stands for all commands.
extern const int kCommandCategoryOrder[12];
// The names of the commands 1..499 without argument in a category (0: all), sorted without regard to case.
std::vector<std::string> CommandsOfCategory(int category);

// TEditorCommandsDlg: a category list, the sorted command list of that category (the first one selected),
// the chosen command's description (the first line of string 1000 + its number) and its current keys. A
// double click acts as OK. Chosen() is the command's number, 0 when none was chosen.
class TEditorCommandsDlg : public TDialog {
public:
    TEditorCommandsDlg(HINSTANCE instance, const TKeyMap& keyMap)
        : TDialog(instance, "COMMANDS"), instance_(instance), keyMap_(keyMap)
    {
    }
    unsigned Chosen() const { return chosen_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    void FillCommands();
    void ShowCommand();
    unsigned Selected() const;

    HINSTANCE instance_;
    const TKeyMap& keyMap_;
    unsigned chosen_ = 0;
};
