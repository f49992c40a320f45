// Editor Options, Mouse Options, the two bookmark boxes, More Files and About.
#include "shell/win32/OptionsDlgs.h"

#include <cstdio>

#include "OptionIds.h"
#include "controls/VokCtl.h"
#include "engine/Commands.h"
#include "engine/VokEditor.h"
#include "resource.h"
#include "shell/TabSizeChange.h"
#include "shell/win32/VokMessage.h"

namespace {

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool on)
{
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

// A whole number of digits only; anything else (blank, sign, letters) is not a number.
bool ParseWhole(const std::string& text, int* value)
{
    if (text.empty() || text.size() > 9)
        return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    *value = v;
    return true;
}

struct TNumberField {
    int edit;
    int arrow;
    int digits;
    int low, high, def;
};

// The arrows' ranges; the word-wrap column may be typed up to the line limit but steps only to 256.
constexpr TNumberField kTabField{IDC_OPT_TABSIZE, IDC_OPT_TABARROW, 3, 2, 32, 8};
constexpr TNumberField kUndoField{IDC_OPT_UNDOLEVELS, IDC_OPT_UNDOARROW, 3, 1, 80, 20};
constexpr TNumberField kIndentField{IDC_OPT_BLOCKINDENT, IDC_OPT_BLOCKARROW, 2, 1, 16, 1};
constexpr TNumberField kWrapField{IDC_OPT_WRAPCOLUMN, IDC_OPT_WRAPARROW, 3, 0, 256, 76};

}  // namespace

// ---- Editor Options. -----------------------------------------------------------------------------------

bool TOptionsDlg::OnInit()
{
    HWND h = Handle();
    SetChecked(h, IDC_OPT_INSERT, !options_.overwriteMode);
    SetChecked(h, IDC_OPT_AUTOINDENT, options_.autoIndent);
    SetChecked(h, IDC_OPT_UNINDENT, options_.autoUnindent);
    SetChecked(h, IDC_OPT_USETAB, options_.useTabChar);
    SetChecked(h, IDC_OPT_UNDOAFTERSAVE, options_.undoAfterSave);
    SetChecked(h, IDC_OPT_MARGIN, options_.wordWrapVisible);
    SetChecked(h, IDC_OPT_WORDWRAP, options_.wordWrap);
    SetChecked(h, IDC_OPT_BACKUP, options_.backupFiles);
    SetChecked(h, IDC_OPT_DETECTFORMAT, options_.detectFileFormat);
    const int format = options_.defaultFileFormat;
    CheckRadioButton(h, IDC_OPT_DOS, IDC_OPT_MAC, format == 1 ? IDC_OPT_UNIX : format == 2 ? IDC_OPT_MAC : IDC_OPT_DOS);
    const struct {
        const TNumberField& field;
        int value;
    } numbers[] = {{kTabField, options_.tabSize},
                   {kUndoField, options_.undoLevels},
                   {kIndentField, options_.blockIndent},
                   {kWrapField, options_.wordWrapColumn}};
    for (const auto& n : numbers) {
        SendMessageA(Item(n.field.edit), EM_LIMITTEXT, n.field.digits, 0);
        SetItemText(n.field.edit, std::to_string(n.value));
        SetArrowButton(h, n.field.arrow, n.field.edit, TRUE, VOKARROW_NUMERIC, FALSE, n.field.low, n.field.high, FALSE,
                       n.field.def, 1);
    }
    CenterDialog(h, TRUE);
    return true;
}

bool TOptionsDlg::ReadNumber(int id, int low, int high, int* value)
{
    int v = 0;
    if (ParseWhole(ItemText(id), &v) && v >= low && v <= high) {
        *value = v;
        return true;
    }
    VokMessageNumbers(Handle(), IDS_WHOLENUMBER, low, high, MB_OK | MB_ICONEXCLAMATION);
    HWND field = Item(id);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    return false;
}

bool TOptionsDlg::OnOK()
{
    int wrap = 0, tab = 0, indent = 0, undo = 0;
    // The order the user reads the faults in: one message at a time, the first field first.
    if (!ReadNumber(IDC_OPT_WRAPCOLUMN, 0, 1024, &wrap) || !ReadNumber(IDC_OPT_TABSIZE, 2, 32, &tab)
        || !ReadNumber(IDC_OPT_BLOCKINDENT, 1, 16, &indent) || !ReadNumber(IDC_OPT_UNDOLEVELS, 1, 80, &undo))
        return false;
    HWND h = Handle();
    options_.wordWrapColumn = static_cast<int16_t>(wrap);
    options_.tabSize = static_cast<int16_t>(tab);
    options_.blockIndent = static_cast<int16_t>(indent);
    options_.undoLevels = undo;
    options_.overwriteMode = !Checked(h, IDC_OPT_INSERT);
    options_.autoIndent = Checked(h, IDC_OPT_AUTOINDENT);
    options_.autoUnindent = Checked(h, IDC_OPT_UNINDENT);
    options_.useTabChar = Checked(h, IDC_OPT_USETAB);
    options_.undoAfterSave = Checked(h, IDC_OPT_UNDOAFTERSAVE);
    options_.wordWrapVisible = Checked(h, IDC_OPT_MARGIN);
    options_.wordWrap = Checked(h, IDC_OPT_WORDWRAP);
    options_.backupFiles = Checked(h, IDC_OPT_BACKUP);
    options_.detectFileFormat = Checked(h, IDC_OPT_DETECTFORMAT);
    options_.defaultFileFormat = static_cast<int16_t>(Checked(h, IDC_OPT_UNIX) ? 1 : Checked(h, IDC_OPT_MAC) ? 2 : 0);
    return true;
}

bool ApplyEditorOptions(TEngineOptions& current, TEngineOptions chosen, const std::vector<TVokEditor*>& documents)
{
    const TEngineOptions before = current;
    if (chosen.tabSize != before.tabSize && !HandOverTabSize(documents, chosen.tabSize))
        chosen.tabSize = before.tabSize;
    current = chosen;
    return chosen.tabSize != before.tabSize || chosen.wordWrapVisible != before.wordWrapVisible
           || (chosen.wordWrapVisible && chosen.wordWrapColumn != before.wordWrapColumn);
}

// ---- Mouse Options. ------------------------------------------------------------------------------------

bool TMouseOptionsDlg::OnInit()
{
    CheckRadioButton(Handle(), IDC_MOUSE_POPUP, IDC_MOUSE_TOPIC, value_ == 1 ? IDC_MOUSE_TOPIC : IDC_MOUSE_POPUP);
    CenterDialog(Handle(), TRUE);
    return true;
}

bool TMouseOptionsDlg::OnOK()
{
    value_ = Checked(Handle(), IDC_MOUSE_TOPIC) ? 1 : 0;
    return true;
}

// ---- Drop and Go to Bookmark. --------------------------------------------------------------------------

TBookmarkDlg::TBookmarkDlg(HINSTANCE instance, bool drop, const bool (&set)[10])
    : TDialog(instance, drop ? "DROPBOOKMARK" : "GOTOBOOKMARK"), drop_(drop)
{
    for (int i = 0; i < 10; ++i)
        set_[i] = set[i];
}

bool TBookmarkDlg::OnInit()
{
    for (int i = 0; i < 10; ++i) {
        if (drop_)
            ShowWindow(Item(IDC_BOOKMARKSET0 + i), set_[i] ? SW_SHOW : SW_HIDE);
        else
            EnableWindow(Item(IDC_BOOKMARK0 + i), set_[i]);
    }
    CenterDialog(Handle(), TRUE);
    return true;
}

bool TBookmarkDlg::OnCommand(int id, int code)
{
    if (id < IDC_BOOKMARK0 || id > IDC_BOOKMARK0 + 9 || code != BN_CLICKED)
        return false;
    const int n = id - IDC_BOOKMARK0;
    if (!drop_ && !set_[n])
        return true;
    command_ = (drop_ ? cmSetMark0 : cmGotoMark0) + static_cast<unsigned>(n);
    EndDialog(Handle(), IDOK);
    return true;
}

// ---- More Files. ---------------------------------------------------------------------------------------

bool TMoreFilesDlg::OnInit()
{
    HWND list = Item(IDC_MOREFILES_LIST);
    int widest = 0;
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
    for (const std::string& path : paths_) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
        SIZE size;
        if (GetTextExtentPoint32A(dc, path.c_str(), static_cast<int>(path.size()), &size) && size.cx > widest)
            widest = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    // Long paths can be scrolled into view rather than cut off.
    SendMessageA(list, LB_SETHORIZONTALEXTENT, widest + 8, 0);
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    CenterDialog(Handle(), TRUE);
    return true;
}

bool TMoreFilesDlg::OnCommand(int id, int code)
{
    if (id == IDC_MOREFILES_LIST && code == LBN_DBLCLK) {
        if (OnOK())
            EndDialog(Handle(), IDOK);
        return true;
    }
    return false;
}

bool TMoreFilesDlg::OnOK()
{
    const LRESULT i = SendMessageA(Item(IDC_MOREFILES_LIST), LB_GETCURSEL, 0, 0);
    if (i == LB_ERR || i < 0 || i >= static_cast<LRESULT>(paths_.size()))
        return false;
    chosen_ = paths_[static_cast<std::size_t>(i)];
    return true;
}

// ---- About. --------------------------------------------------------------------------------------------

std::string ControlLibraryVersionText(unsigned long version)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lu.%02lu", (version >> 8) & 0xFF, version & 0xFF);
    return text;
}

bool TAboutDlg::OnInit()
{
    SetItemText(IDC_ABOUT_VERSION, "Version " + version_);
    SetItemText(IDC_ABOUT_CTLVERSION, "Control library version " + ControlLibraryVersionText(GetVokCtrlVersion()));
    CenterDialog(Handle(), TRUE);
    return true;
}
