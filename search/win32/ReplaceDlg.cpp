// The Replace dialog ("REPLACE"): Find and Replace fields, options, Prompt on replace, Replace All.
#include "search/win32/ReplaceDlg.h"

#include "SearchIds.h"
#include "search/win32/SearchDlgSupport.h"

TReplaceDlg::TReplaceDlg(HINSTANCE instance, TSearchRequest& request)
    : TSearchFieldsDlg(instance, "REPLACE", kHelpReplaceDlg, request)
{
}

bool TReplaceDlg::OnInit()
{
    TSearchFieldsDlg::OnInit();
    FillField(IDC_SRCH_REPLACETEXT, SearchState().replaceHistory, Request().replaceText);
    CheckDlgButton(Handle(), IDC_SRCH_PROMPT, Request().options.prompt ? BST_CHECKED : BST_UNCHECKED);
    return false;  // the Find field has the focus
}

bool TReplaceDlg::OnCommand(int id, int code)
{
    if (id != IDC_SRCH_REPLACEALL)
        return TSearchFieldsDlg::OnCommand(id, code);
    if (code == BN_CLICKED) {
        replaceAll_ = true;
        if (Accept())
            EndDialog(Handle(), IDOK);
    }
    return true;
}

bool TReplaceDlg::OnOK()
{
    replaceAll_ = false;
    return Accept();
}

void TReplaceDlg::StoreMore(TSearchRequest& request)
{
    const std::string replace = FieldText(Handle(), IDC_SRCH_REPLACETEXT, kSearchTextSize);
    CopySearchText(request.replaceText, kSearchTextSize, replace.c_str());
    request.options.prompt = Checked(IDC_SRCH_PROMPT);
    request.options.replaceAll = replaceAll_;
}
