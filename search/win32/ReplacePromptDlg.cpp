// The replace prompt ("REPLACEPROMPT"): asks Yes, No, All or Cancel for one match, beside the found text.
#include "search/win32/ReplacePromptDlg.h"

#include "SearchIds.h"
#include "controls/VokCtl.h"
#include "search/Replace.h"

TReplaceAnswer TReplacePromptDlg::Ask(HWND owner)
{
    switch (Run(owner)) {
    case IDYES: return TReplaceAnswer::Yes;
    case IDNO: return TReplaceAnswer::No;
    case IDC_SRCH_ALL: return TReplaceAnswer::All;
    default: return TReplaceAnswer::Cancel;
    }
}

int TReplacePromptDlg::PromptTop(int top, int row, int lineHeight, int dialogHeight, int screenHeight)
{
    if (row < 0 || row >= screenHeight)
        return top;
    if (row > screenHeight / 2)
        return row - lineHeight - dialogHeight - 2;
    return row + lineHeight + 2;
}

bool TReplacePromptDlg::OnInit()
{
    SetItemText(IDC_SRCH_PROMPTTEXT, text_);
    CenterDialog(Handle(), TRUE);
    RECT r;
    GetWindowRect(Handle(), &r);
    const int top = PromptTop(r.top, row_, lineHeight_, r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(Handle(), nullptr, r.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;  // Yes, the default button, takes the focus
}

bool TReplacePromptDlg::OnCommand(int id, int code)
{
    if (code != BN_CLICKED || (id != IDYES && id != IDNO && id != IDC_SRCH_ALL))
        return false;
    EndDialog(Handle(), id);
    return true;
}
