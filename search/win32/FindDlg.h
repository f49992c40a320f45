// The Find dialog ("FIND"): the Find field with its history and pattern menu, the options and direction.
#pragma once

#include "search/win32/SearchDlgSupport.h"
#include "search/win32/SearchFieldsDlg.h"

// TFindDlg adds nothing to the shared fields: on Find it hands back the text and the four options.
class TFindDlg : public TSearchFieldsDlg {
public:
    TFindDlg(HINSTANCE instance, TSearchRequest& request)
        : TSearchFieldsDlg(instance, "FIND", kHelpFindDlg, request) {}
};
