// The Replace dialog ("REPLACE"): Find and Replace fields, options, Prompt on replace, Replace All.
#pragma once

#include "search/win32/SearchFieldsDlg.h"

// TReplaceDlg adds the Replace field with its own history and pattern menu, the Prompt on replace box
// and the Replace All button, which closes the dialog like Replace but sets request.options.replaceAll.
class TReplaceDlg : public TSearchFieldsDlg {
public:
    TReplaceDlg(HINSTANCE instance, TSearchRequest& request);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;
    void StoreMore(TSearchRequest& request) override;

private:
    bool replaceAll_ = false;
};
