// The Go To Line dialog ("GOTOLINE"): a 1-based line number, the spin arrow stepping within 1 to 32700.
#pragma once

#include "search/win32/GoToNumberDlg.h"
#include "search/win32/SearchDlgSupport.h"

// TGoToLineDlg asks for the line to go to; the engine stops at the last line of the document.
class TGoToLineDlg : public TGoToNumberDlg {
public:
    static constexpr int kMaxLine = 32700;
    TGoToLineDlg(HINSTANCE instance, int line)
        : TGoToNumberDlg(instance, "GOTOLINE", kHelpGoToLineDlg, line, kMaxLine) {}
};
