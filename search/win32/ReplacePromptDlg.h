// The replace prompt ("REPLACEPROMPT"): asks Yes, No, All or Cancel for one match, beside the found text.
#pragma once

#include <string>

#include "base/win32/Dialog.h"
#include "engine/EditorTypes.h"

// TReplacePromptDlg shows the search string and moves itself vertically off the found text's row before
// it shows. It owns nothing beyond the dialog.
class TReplacePromptDlg : public TDialog {
public:
    // row: the screen y of the found text's line (its middle); lineHeight: the height of a text line.
    TReplacePromptDlg(HINSTANCE instance, std::string searchText, int row, int lineHeight)
        : TDialog(instance, "REPLACEPROMPT"), text_(std::move(searchText)), row_(row), lineHeight_(lineHeight)
    {
    }

    // Runs the prompt over owner: the button pressed, Cancel also when the dialog cannot be made.
    TReplaceAnswer Ask(HWND owner);

    // The top at which a dialog of dialogHeight, now at top, leaves the row clear: above the row when it
    // lies in the lower half of a screen screenHeight high, below it otherwise; top itself when the row is
    // not on the screen.
    static int PromptTop(int top, int row, int lineHeight, int dialogHeight, int screenHeight);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;

private:
    std::string text_;
    int row_;
    int lineHeight_;
};
