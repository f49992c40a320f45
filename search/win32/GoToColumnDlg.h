// The Go To Column dialog ("GOTOCOLUMN"): a 1-based column, the spin arrow stepping within 1 to 1024.
#pragma once

#include "search/win32/GoToNumberDlg.h"
#include "search/win32/SearchDlgSupport.h"

// TGoToColumnDlg asks for the column to go to within the cursor line.
class TGoToColumnDlg : public TGoToNumberDlg {
public:
    static constexpr int kMaxColumn = 1024;
    TGoToColumnDlg(HINSTANCE instance, int col)
        : TGoToNumberDlg(instance, "GOTOCOLUMN", kHelpGoToColumnDlg, col, kMaxColumn) {}
};
