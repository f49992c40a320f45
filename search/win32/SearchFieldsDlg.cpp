// The part the Find and Replace dialogs share: pattern fields with histories and "..." menus, and options.
#include "search/win32/SearchFieldsDlg.h"

#include "SearchIds.h"
#include "base/TextTools.h"
#include "controls/VokCtl.h"
#include "search/Search.h"
#include "search/win32/SearchDlgSupport.h"

namespace {

// The pattern menu's items and the field each one writes into.
struct TPatternMenuElement {
    int menuId;
    int fieldId;
    TPatternItem item;
};

constexpr TPatternMenuElement kMenuItems[] = {
    {IDM_RX_ANYCHAR, IDC_SRCH_FINDTEXT, TPatternItem::AnyChar},
    {IDM_RX_INRANGE, IDC_SRCH_FINDTEXT, TPatternItem::InRange},
    {IDM_RX_NOTINRANGE, IDC_SRCH_FINDTEXT, TPatternItem::NotInRange},
    {IDM_RX_TAB, IDC_SRCH_FINDTEXT, TPatternItem::Tab},
    {IDM_RX_LINESTART, IDC_SRCH_FINDTEXT, TPatternItem::LineStart},
    {IDM_RX_OR, IDC_SRCH_FINDTEXT, TPatternItem::Or},
    {IDM_RX_ZEROORMORE, IDC_SRCH_FINDTEXT, TPatternItem::ZeroOrMore},
    {IDM_RX_ONEORMORE, IDC_SRCH_FINDTEXT, TPatternItem::OneOrMore},
    {IDM_RX_GROUP, IDC_SRCH_FINDTEXT, TPatternItem::Group},
    {IDM_RX_ALNUM, IDC_SRCH_FINDTEXT, TPatternItem::Alnum},
    {IDM_RX_ALPHA, IDC_SRCH_FINDTEXT, TPatternItem::Alpha},
    {IDM_RX_DIGIT, IDC_SRCH_FINDTEXT, TPatternItem::Digit},
    {IDM_RX_HEXNUMBER, IDC_SRCH_FINDTEXT, TPatternItem::HexNumber},
    {IDM_RX_INTEGER, IDC_SRCH_FINDTEXT, TPatternItem::Integer},
    {IDM_RX_WORD, IDC_SRCH_FINDTEXT, TPatternItem::Word},
    {IDM_RX_QUOTED, IDC_SRCH_FINDTEXT, TPatternItem::Quoted},
    {IDM_RX_BLANKLINE, IDC_SRCH_FINDTEXT, TPatternItem::BlankLine},
    {IDM_RX_NEWLINE, IDC_SRCH_REPLACETEXT, TPatternItem::NewLine},
    {IDM_RX_REPLACETAB, IDC_SRCH_REPLACETEXT, TPatternItem::ReplaceTab},
    {IDM_RX_BACKSLASH, IDC_SRCH_REPLACETEXT, TPatternItem::Backslash},
};

const TPatternMenuElement* MenuItem(int id)
{
    for (const TPatternMenuElement& element : kMenuItems)
        if (element.menuId == id)
            return &element;
    return nullptr;
}

// The compile check sees the pattern as the search will compile it: without Match case the search
// lower-cases A-Z first, which can turn a valid range such as [Z-a] into an invalid one.
int PatternError(std::string pattern, bool matchCase)
{
    if (!matchCase)
        for (char& c : pattern)
            c = LowerAscii(c);
    return CheckSearchPattern(pattern.c_str(), true);
}

}  // namespace

bool TSearchFieldsDlg::OnInit()
{
    FillField(IDC_SRCH_FINDTEXT, SearchState().findHistory, request_.findText);
    const TSearchOptions& options = request_.options;
    CheckDlgButton(Handle(), IDC_SRCH_WHOLEWORD, options.wholeWord ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Handle(), IDC_SRCH_MATCHCASE, options.matchCase ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Handle(), IDC_SRCH_REGEX, options.regex ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(Handle(), IDC_SRCH_UP, IDC_SRCH_DOWN, options.down ? IDC_SRCH_DOWN : IDC_SRCH_UP);
    PrepareHelpButton(Handle(), IDC_SRCH_HELP);
    CenterDialog(Handle(), TRUE);
    HWND field = Item(IDC_SRCH_FINDTEXT);
    SetFocus(field);
    SendMessageA(field, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    return false;  // the focus is set
}

void TSearchFieldsDlg::FillField(int fieldId, const TSearchHistory& history, const char* text)
{
    HWND field = Item(fieldId);
    SendMessageA(field, CB_LIMITTEXT, kSearchTextSize - 1, 0);
    for (int i = 0; i < TSearchHistory::kEntries; ++i) {
        const char* entry = history.Entry(i);
        if (entry[0])
            SendMessageA(field, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
    SetWindowTextA(field, text);
}

bool TSearchFieldsDlg::OnCommand(int id, int code)
{
    if (const TPatternMenuElement* element = MenuItem(id)) {
        if (Item(element->fieldId))
            InsertElement(element->fieldId, element->item);
        return true;
    }
    switch (id) {
    case IDC_SRCH_FINDTEXT:
    case IDC_SRCH_REPLACETEXT:
        if (code == CBN_KILLFOCUS) {
            const DWORD selection = static_cast<DWORD>(SendMessageA(Item(id), CB_GETEDITSEL, 0, 0));
            (id == IDC_SRCH_FINDTEXT ? findCaret_ : replaceCaret_) = HIWORD(selection);
        }
        return false;
    case IDC_SRCH_FINDMENU:
    case IDC_SRCH_REPLACEMENU:
        if (code == BN_CLICKED)
            ShowPatternMenu(id);
        return true;
    case IDC_SRCH_HELP:
        if (code == BN_CLICKED)
            ShowSearchHelp(Handle(), helpContext_);
        return true;
    default:
        return false;
    }
}

void TSearchFieldsDlg::ShowPatternMenu(int buttonId)
{
    TMenuPtr menu(LoadMenuA(instance_, "DLG_REGEXPR"));
    HMENU part = menu ? GetSubMenu(menu.get(), buttonId == IDC_SRCH_FINDMENU ? 0 : 1) : nullptr;
    if (!part) {
        MessageBeep(MB_OK);
        return;
    }
    POINT at;
    GetCursorPos(&at);
    // The chosen item comes back to the dialog as a WM_COMMAND once the menu has closed.
    TrackPopupMenu(part, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
}

void TSearchFieldsDlg::InsertElement(int fieldId, TPatternItem item)
{
    int& caret = fieldId == IDC_SRCH_REPLACETEXT ? replaceCaret_ : findCaret_;
    TPatternEdit edit;
    // Read more than the field may hold, so that an over-long text is refused rather than cut.
    if (!InsertPatternElement(FieldText(Handle(), fieldId, 2 * kPatternFieldLimit), caret, item, &edit)) {
        MessageBeep(MB_OK);
        return;
    }
    HWND field = Item(fieldId);
    SetWindowTextA(field, edit.text.c_str());
    CheckDlgButton(Handle(), IDC_SRCH_REGEX, BST_CHECKED);
    SetFocus(field);
    SendMessageA(field, CB_SETEDITSEL, 0, MAKELPARAM(edit.caret, edit.caret));
    caret = edit.caret;
}

bool TSearchFieldsDlg::Accept()
{
    HWND findField = Item(IDC_SRCH_FINDTEXT);
    const std::string find = FieldText(Handle(), IDC_SRCH_FINDTEXT, kSearchTextSize);
    if (find.empty()) {
        MessageBeep(MB_OK);
        SetFocus(findField);
        return false;
    }
    const bool regex = Checked(IDC_SRCH_REGEX);
    const bool matchCase = Checked(IDC_SRCH_MATCHCASE);
    if (regex) {
        if (int error = PatternError(find, matchCase)) {
            ShowRegexError(Handle(), error);
            SetFocus(findField);
            return false;
        }
    }
    CopySearchText(request_.findText, kSearchTextSize, find.c_str());
    request_.options.matchCase = matchCase;
    request_.options.wholeWord = Checked(IDC_SRCH_WHOLEWORD);
    request_.options.regex = regex;
    request_.options.down = Checked(IDC_SRCH_DOWN);
    StoreMore(request_);
    return true;
}
