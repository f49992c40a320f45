// The base of Go To Line and Go To Column: one number field of five digits with a spin arrow.
#include "search/win32/GoToNumberDlg.h"

#include <string>

#include "SearchIds.h"
#include "controls/VokCtl.h"
#include "search/win32/SearchDlgSupport.h"

namespace {
constexpr int kDigits = 5;
}  // namespace

int TGoToNumberDlg::ParseNumber(const char* text)
{
    int value = 0;
    int digits = 0;
    for (const char* p = text; p && *p; ++p) {
        if (*p < '0' || *p > '9' || ++digits > kDigits)
            return 0;
        value = value * 10 + (*p - '0');
    }
    return value;
}

bool TGoToNumberDlg::OnInit()
{
    HWND field = Item(IDC_SRCH_NUMBER);
    SendMessageA(field, EM_LIMITTEXT, kDigits, 0);
    const int shown = value_ < 1 ? 1 : value_;
    SetItemText(IDC_SRCH_NUMBER, std::to_string(shown));
    const int start = shown > maximum_ ? maximum_ : shown;
    SetArrowButton(Handle(), IDC_SRCH_NUMBERARROW, IDC_SRCH_NUMBER, TRUE, VOKARROW_NUMERIC, FALSE, 1,
                   maximum_, FALSE, start, 1);
    PrepareHelpButton(Handle(), IDC_SRCH_HELP);
    CenterDialog(Handle(), TRUE);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    return false;  // the focus is set
}

bool TGoToNumberDlg::OnCommand(int id, int code)
{
    if (id != IDC_SRCH_HELP)
        return false;
    if (code == BN_CLICKED)
        ShowSearchHelp(Handle(), helpContext_);
    return true;
}

bool TGoToNumberDlg::OnOK()
{
    const int value = ParseNumber(ItemText(IDC_SRCH_NUMBER).c_str());
    if (value < 1) {
        MessageBeep(MB_OK);
        HWND field = Item(IDC_SRCH_NUMBER);
        SetFocus(field);
        SendMessageA(field, EM_SETSEL, 0, -1);
        return false;
    }
    value_ = value;
    return true;
}
