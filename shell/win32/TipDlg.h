// Tip of the Day ("TipOfTheDay"): one tip of "OZM.TIP" at a time, at start-up and from the Help menu.
#pragma once

#include <memory>
#include <string>

#include "base/Profile.h"
#include "base/win32/Dialog.h"
#include "shell/TipsFile.h"

// TTipDlg shows the heading beside the light bulb and one tip; Next Tip shows the next one; Close stores
// whether the tips are shown at start-up. The tips file stays open while the object lives.
class TTipDlg : public TDialog {
public:
    TTipDlg(HINSTANCE instance, const std::string& tipsPath, TProfile& settings);
    bool ShowAtStartUp() const { return tips_.ShowAtStartUp(); }
    // The tip on show.
    const std::string& Tip() const { return tip_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;
    void OnCancel() override { Close(); }

private:
    void ShowNext();
    void Close();

    TTipsFile tips_;
    std::string tip_;
};

// "OZM.TIP" beside the program.
std::string TipsFilePath(HINSTANCE instance);

// The dialogs of start-up, in their order: the tip of the day while its StartUp is 0, then Associate while
// associateStartUp is set. A test run (testRun) shows each only when its settings file sets its key
// itself, so that scripted runs start straight into their script. Answers the association dialog's start-up
// flag as it was left.
bool RunStartUpDialogs(HINSTANCE instance, HWND owner, TProfile& settings, bool associateStartUp, bool testRun);
