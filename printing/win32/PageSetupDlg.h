// The Page Setup dialog: header and footer templates, the first page number and the four margins.
#pragma once

#include <windows.h>

#include "base/win32/Dialog.h"
#include "printing/PrintLayout.h"

// Edits a copy of the page setup; Result() is the edited copy after OK. The paper's size in tenths of a
// millimetre bounds the margins (0 when no printer tells it).
class TPageSetupDlg : public TDialog {
public:
    TPageSetupDlg(HINSTANCE instance, const TPageSetup& setup, int32_t paperWidth, int32_t paperHeight)
        : TDialog(instance, "PageSetup"), setup_(setup), paperWidth_(paperWidth), paperHeight_(paperHeight)
    {
    }
    const TPageSetup& Result() const { return setup_; }

protected:
    bool OnInit() override;
    bool OnOK() override;
    bool OnCommand(int id, int code) override;

private:
    // Reads a margin field; false after telling the user and focusing the field.
    bool ReadMargin(int id, int32_t* tenths);

    TPageSetup setup_;
    int32_t paperWidth_;
    int32_t paperHeight_;
};
