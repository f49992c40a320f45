// The dialogs of the transforms: Sort, Fill Block, Line Draw Style, Word Count, Change Case and Convert
// Tab Size.
#include "editor_window/win32/TransformDlgs.h"

#include <string>

#include "TransformIds.h"
#include "engine/Commands.h"

namespace {
// The last Convert Tab Size choice of the session, 0..3.
int gTabSizeChoice = 0;

// A field's whole decimal number within lo..hi, or 0.
int NumberIn(const std::string& text, int lo, int hi)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const int value = std::stoi(text);
    return value >= lo && value <= hi ? value : 0;
}

void Refuse(HWND field)
{
    MessageBeep(MB_OK);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
}

void Check(HWND box, int id, bool on)
{
    CheckDlgButton(box, id, on ? BST_CHECKED : BST_UNCHECKED);
}

bool Checked(HWND box, int id)
{
    return IsDlgButtonChecked(box, id) == BST_CHECKED;
}
}  // namespace

bool TSortDlg::OnInit()
{
    Check(Handle(), order_.numeric ? IDC_SORT_NUMERIC : IDC_SORT_ALPHANUM, true);
    Check(Handle(), order_.descending ? IDC_SORT_DESCENDING : IDC_SORT_ASCENDING, true);
    Check(Handle(), IDC_SORT_CASE, order_.caseSensitive);
    SendMessageA(Item(IDC_SORT_COLUMN), EM_LIMITTEXT, 4, 0);
    SendMessageA(Item(IDC_SORT_LENGTH), EM_LIMITTEXT, 2, 0);
    SetItemText(IDC_SORT_COLUMN, std::to_string(column_));
    SetItemText(IDC_SORT_LENGTH, std::to_string(length_));
    CenterOverOwner();
    return true;
}

bool TSortDlg::OnOK()
{
    const int column = NumberIn(ItemText(IDC_SORT_COLUMN), 1, 1024);
    if (!column) {
        Refuse(Item(IDC_SORT_COLUMN));
        return false;
    }
    const int length = NumberIn(ItemText(IDC_SORT_LENGTH), 1, 31);
    if (!length) {
        Refuse(Item(IDC_SORT_LENGTH));
        return false;
    }
    column_ = column;
    length_ = length;
    order_.numeric = Checked(Handle(), IDC_SORT_NUMERIC);
    order_.descending = Checked(Handle(), IDC_SORT_DESCENDING);
    order_.caseSensitive = Checked(Handle(), IDC_SORT_CASE);
    return true;
}

bool TFillBlockDlg::OnInit()
{
    SendMessageA(Item(IDC_FILL_TEXT), EM_LIMITTEXT, 32, 0);
    SetItemText(IDC_FILL_TEXT, text_);
    SendMessageA(Item(IDC_FILL_TEXT), EM_SETSEL, 0, -1);
    CenterOverOwner();
    return true;
}

bool TFillBlockDlg::OnOK()
{
    text_ = ItemText(IDC_FILL_TEXT).substr(0, 32);
    return true;
}

bool TLineDrawStyleDlg::OnInit()
{
    const int id = style_ >= 1 && style_ <= 6 ? IDC_DRAW_STYLE1 + style_ - 1 : IDC_DRAW_USER;
    Check(Handle(), id, true);
    SendMessageA(Item(IDC_DRAW_CHAR), EM_LIMITTEXT, 1, 0);
    SetItemText(IDC_DRAW_CHAR, std::string(1, fill_));
    CenterOverOwner();
    return true;
}

bool TLineDrawStyleDlg::OnOK()
{
    int style = 0;
    for (int s = 1; s <= 6; ++s)
        if (Checked(Handle(), IDC_DRAW_STYLE1 + s - 1))
            style = s;
    const std::string text = ItemText(IDC_DRAW_CHAR);
    if (style == 0 && (text.size() != 1 || static_cast<unsigned char>(text[0]) < 32)) {
        Refuse(Item(IDC_DRAW_CHAR));
        return false;
    }
    style_ = style;
    if (text.size() == 1 && static_cast<unsigned char>(text[0]) >= 32)
        fill_ = text[0];
    return true;
}

bool TWordCountDlg::OnInit()
{
    const int ids[5] = {IDC_COUNT_LINES, IDC_COUNT_NONBLANK, IDC_COUNT_PARAGRAPHS, IDC_COUNT_WORDS, IDC_COUNT_CHARS};
    for (int i = 0; i < 5; ++i)
        SetItemText(ids[i], std::to_string(figures_[i]));
    CenterOverOwner();
    return true;
}

bool TChangeCaseDlg::OnInit()
{
    Check(Handle(), IDC_CASE_SENTENCE, true);
    CenterOverOwner();
    return true;
}

bool TChangeCaseDlg::OnOK()
{
    for (int i = 0; i < 5; ++i)
        if (Checked(Handle(), IDC_CASE_SENTENCE + i))
            choice_ = i + 1;
    return true;
}

unsigned TConvertTabSizeDlg::Command() const
{
    static const unsigned kCommands[4] = {cmTab8TextToTab3Text, cmTab3TextToTab8Text, cmTab8TextToCurTabText,
                                          cmCurTabTextToTab8Text};
    return kCommands[gTabSizeChoice];
}

bool TConvertTabSizeDlg::OnInit()
{
    Check(Handle(), IDC_TABS_8TO3 + gTabSizeChoice, true);
    CenterOverOwner();
    return true;
}

bool TConvertTabSizeDlg::OnOK()
{
    for (int i = 0; i < 4; ++i)
        if (Checked(Handle(), IDC_TABS_8TO3 + i))
            gTabSizeChoice = i;
    return true;
}

bool TLanguageDlg::OnInit()
{
    Check(Handle(), IDC_LANG_US + (language_ >= 0 && language_ <= 3 ? language_ : 1), true);
    CenterOverOwner();
    return true;
}

bool TLanguageDlg::OnOK()
{
    for (int i = 0; i < 4; ++i)
        if (Checked(Handle(), IDC_LANG_US + i))
            language_ = i;
    return true;
}

bool TConvertTextDlg::OnInit()
{
    Check(Handle(), IDC_CNV_USER + choice_, true);
    Check(Handle(), IDC_CNV_SELECTION, selection_);
    CenterOverOwner();
    return true;
}

bool TConvertTextDlg::OnOK()
{
    for (int i = 0; i < 3; ++i)
        if (Checked(Handle(), IDC_CNV_USER + i))
            choice_ = i;
    lastChoice_ = choice_;
    selection_ = Checked(Handle(), IDC_CNV_SELECTION);
    return true;
}

bool TConvertTableDlg::OnInit()
{
    HWND list = Item(IDC_CNV_LIST);
    for (const std::string& name : names_)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    CenterOverOwner();
    return true;
}

bool TConvertTableDlg::OnCommand(int id, int code)
{
    if (id == IDC_CNV_EDIT && code == BN_CLICKED) {
        EndDialog(Handle(), kEditTable);
        return true;
    }
    if (id == IDC_CNV_LIST && code == LBN_DBLCLK) {
        if (OnOK())
            EndDialog(Handle(), IDOK);
        return true;
    }
    return false;
}

bool TConvertTableDlg::OnOK()
{
    const LRESULT at = SendMessageA(Item(IDC_CNV_LIST), LB_GETCURSEL, 0, 0);
    if (at < 0 || static_cast<std::size_t>(at) >= names_.size()) {
        MessageBeep(MB_OK);
        return false;
    }
    chosen_ = names_[static_cast<std::size_t>(at)];
    return true;
}
