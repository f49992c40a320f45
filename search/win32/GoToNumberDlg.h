// The base of Go To Line and Go To Column: one number field of five digits with a spin arrow.
#pragma once

#include "base/win32/Dialog.h"

// TGoToNumberDlg shows a 1-based number and hands back the one the user chose. The spin arrow steps by 1
// within 1 and the maximum; a typed number above the maximum is passed on for the engine to limit. 0, an
// empty field or anything but digits beeps, selects the field and keeps the dialog open.
class TGoToNumberDlg : public TDialog {
public:
    TGoToNumberDlg(HINSTANCE instance, const char* templateName, unsigned helpContext, int value, int maximum)
        : TDialog(instance, templateName), helpContext_(helpContext), value_(value), maximum_(maximum) {}

    int Value() const { return value_; }

    // The number a field holds: its digits read as a decimal number, or 0 when it is empty, holds
    // anything but digits or more than five of them.
    static int ParseNumber(const char* text);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    unsigned helpContext_;
    int value_;
    int maximum_;
};
