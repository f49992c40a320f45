// The macro dialogs: Record Macro, Macro, Rename and Edit Macro, over the program's macros and key map.
#include "keys/win32/MacroDlgs.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <optional>
#include <vector>

#include "MacroIds.h"
#include "controls/VokCtl.h"
#include "engine/Commands.h"
#include "keys/KeyMap.h"
#include "keys/win32/CommandsDlg.h"
#include "macros/MacroTable.h"
#include "macros/MacroText.h"

namespace {

int DefaultMessenger(HWND owner, const std::string& text, unsigned flags)
{
    return VokMessageBox(owner, text.c_str(), "Vok Text Editor", flags);
}

TKeyDlgMessenger gMessenger = DefaultMessenger;

bool Checked(HWND box, int id)
{
    return SendDlgItemMessageA(box, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Shows a refused name and selects the field's text for retyping.
void RefuseName(HWND box, int field, TMacroNameCheck check, const std::string& name)
{
    KeyDlgMessage(box, MacroNameMessage(check, name.c_str()), MB_OK | MB_ICONEXCLAMATION);
    SetFocus(GetDlgItem(box, field));
    SendDlgItemMessageA(box, field, EM_SETSEL, 0, -1);
}

}  // namespace

void SetKeyDlgMessenger(TKeyDlgMessenger messenger)
{
    gMessenger = messenger ? messenger : DefaultMessenger;
}

int KeyDlgMessage(HWND owner, const std::string& text, unsigned flags)
{
    return gMessenger(owner, text, flags);
}

std::string BindingName(const TMacroTable& macros, unsigned command)
{
    if (command == 0)
        return "(none)";
    if (IsPrefixValue(command))
        return "(prefix key)";
    if (command >= kFirstMacroNumber && command <= kLastMacroNumber) {
        std::string name = macros.MacroName(command);
        return name.empty() ? "(none)" : name;
    }
    const TCommandElement* c = FindCommand(command);
    return c ? c->name : "(none)";
}

// ---- Record Macro. ---------------------------------------------------------------------------------------

bool TMacroRecordDlg::OnInit()
{
    char name[kMacroNameSize];
    std::snprintf(name, sizeof name, "Macro%d", macros_.NextDefaultNameNumber());
    SendDlgItemMessageA(Handle(), IDC_REC_NAME, EM_LIMITTEXT, kMacroNameSize - 1, 0);
    SendDlgItemMessageA(Handle(), IDC_REC_DESC, EM_LIMITTEXT, kMacroDescriptionSize - 1, 0);
    SetItemText(IDC_REC_NAME, name);
    CheckDlgButton(Handle(), IDC_REC_CTRL, BST_CHECKED);
    CheckDlgButton(Handle(), IDC_REC_SHIFT, BST_CHECKED);
    HWND combo = Item(IDC_REC_KEY);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
    for (int i = 0; i < KeyNameCount(); ++i)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(KeyNameAt(i)));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    ShowMapping();
    return true;
}

uint16_t TMacroRecordDlg::ChosenKey() const
{
    int index = static_cast<int>(SendDlgItemMessageA(Handle(), IDC_REC_KEY, CB_GETCURSEL, 0, 0));
    if (index <= 0 || index > KeyNameCount())
        return 0;
    return WithModifiers(KeyCodeAt(index - 1), Checked(Handle(), IDC_REC_ALT),
                         Checked(Handle(), IDC_REC_CTRL), Checked(Handle(), IDC_REC_SHIFT));
}

void TMacroRecordDlg::ShowMapping()
{
    uint16_t key = ChosenKey();
    SetItemText(IDC_REC_MAPPED, BindingName(macros_, key ? keyMap_.MainTable().CommandOf(key) : 0));
}

bool TMacroRecordDlg::OnCommand(int id, int code)
{
    if ((id == IDC_REC_KEY && code == CBN_SELCHANGE)
        || ((id == IDC_REC_ALT || id == IDC_REC_CTRL || id == IDC_REC_SHIFT) && code == BN_CLICKED)) {
        ShowMapping();
        return true;
    }
    return false;
}

bool TMacroRecordDlg::OnOK()
{
    std::string name = ItemText(IDC_REC_NAME);
    TMacroNameCheck check = CheckMacroName(macros_, name.c_str(), number_);
    if (check != TMacroNameCheck::Ok) {
        RefuseName(Handle(), IDC_REC_NAME, check, name);
        return false;
    }
    uint16_t key = ChosenKey();
    bool alt = Checked(Handle(), IDC_REC_ALT), ctrl = Checked(Handle(), IDC_REC_CTRL);
    bool shift = Checked(Handle(), IDC_REC_SHIFT);
    if (key && !keyMap_.IsMappable(KeyPart(key), alt, ctrl, shift)) {
        KeyDlgMessage(Handle(), kNotMappableText, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (key && keyMap_.MainTable().Find(key) < 0 && keyMap_.MainTable().Full()) {
        KeyDlgMessage(Handle(), kTableFullText, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    macros_.SetMacroName(number_, name.c_str());
    macros_.SetMacroDescription(number_, ItemText(IDC_REC_DESC).c_str());
    if (key && !keyMap_.MapKey(KeyPart(key), alt, ctrl, shift, static_cast<uint16_t>(number_))) {
        KeyDlgMessage(Handle(), kTableFullText, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

// ---- Rename. ---------------------------------------------------------------------------------------------

bool TMacroRenameDlg::OnInit()
{
    SendDlgItemMessageA(Handle(), IDC_RENAME_NAME, EM_LIMITTEXT, kMacroNameSize - 1, 0);
    SetItemText(IDC_RENAME_NAME, macros_.MacroName(number_));
    SendDlgItemMessageA(Handle(), IDC_RENAME_NAME, EM_SETSEL, 0, -1);
    return true;
}

bool TMacroRenameDlg::OnOK()
{
    std::string name = ItemText(IDC_RENAME_NAME);
    TMacroNameCheck check = CheckMacroName(macros_, name.c_str(), number_);
    if (check != TMacroNameCheck::Ok) {
        RefuseName(Handle(), IDC_RENAME_NAME, check, name);
        return false;
    }
    macros_.SetMacroName(number_, name.c_str());
    return true;
}

// ---- Edit Macro. -----------------------------------------------------------------------------------------

std::string MacroEditRefusal(const TMacroTable& macros, unsigned number, std::string* text)
{
    if (!macros.Find(number))
        return kMacroTooLargeToEdit;
    std::optional<std::string> shown = MacroToText(macros, number);
    if (shown) {
        if (text)
            *text = std::move(*shown);
        return std::string();
    }
    // A step the text form has no name for cannot be written so that it compiles back; saying so keeps the
    // user from shortening a macro that is not long at all.
    if (unsigned unnamed = UnnamedMacroCommand(macros, number))
        return UnnamedCommandMessage(unnamed);
    return kMacroTooLargeToEdit;
}

bool EditMacro(HINSTANCE instance, HWND owner, TMacroTable& macros, const TKeyMap& keyMap, unsigned number)
{
    std::string text;
    std::string refusal = MacroEditRefusal(macros, number, &text);
    if (!refusal.empty()) {
        KeyDlgMessage(owner, refusal, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    TMacroEditDlg dialog(instance, macros, keyMap, number, std::move(text));
    dialog.Run(owner);
    return dialog.Compiled();
}

bool TMacroEditDlg::OnInit()
{
    SetItemText(IDC_EDIT_NAME, macros_.MacroName(number_));
    SetItemText(IDC_EDIT_DESC, macros_.MacroDescription(number_));
    HWND field = Item(IDC_EDIT_TEXT);
    // A stock font: nothing to own or release.
    SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), FALSE);
    SendMessageA(field, EM_LIMITTEXT, kMaxMacroTextSize * 2, 0);
    SetWindowTextA(field, text_.c_str());
    SendMessageA(field, EM_SETMODIFY, FALSE, 0);
    text_.clear();
    // The caret at the start, nothing selected: a first key typed must not replace the whole macro.
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, 0);
    return false;
}

bool TMacroEditDlg::OnCommand(int id, int code)
{
    HWND field = Item(IDC_EDIT_TEXT);
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_EDIT_SELECTALL: SendMessageA(field, EM_SETSEL, 0, -1); break;
    case IDC_EDIT_CUT: SendMessageA(field, WM_CUT, 0, 0); break;
    case IDC_EDIT_COPY: SendMessageA(field, WM_COPY, 0, 0); break;
    case IDC_EDIT_PASTE: SendMessageA(field, WM_PASTE, 0, 0); break;
    case IDC_EDIT_CLEAR: SendMessageA(field, WM_CLEAR, 0, 0); break;
    case IDC_EDIT_UNDO: SendMessageA(field, EM_UNDO, 0, 0); break;
    case IDC_EDIT_INSERTCMD: InsertCommand(); break;
    default: return false;
    }
    SetFocus(field);
    return true;
}

void TMacroEditDlg::InsertCommand()
{
    TEditorCommandsDlg dialog(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Handle(), GWLP_HINSTANCE)),
                              keyMap_);
    if (dialog.Run(Handle()) != IDOK || !dialog.Chosen())
        return;
    const TCommandElement* c = FindCommand(dialog.Chosen());
    if (!c)
        return;
    std::string line = std::string(c->name) + "\r\n";
    SendDlgItemMessageA(Handle(), IDC_EDIT_TEXT, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(line.c_str()));
}

void TMacroEditDlg::SelectLine(const std::string& text, int line)
{
    // Lines are counted as the compiler counts them: CR, LF and CR LF each end one.
    std::size_t start = 0;
    for (int n = 1; n < line && start < text.size(); ++n) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            start = text.size();
            break;
        }
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos)
        end = text.size();
    HWND field = Item(IDC_EDIT_TEXT);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, start, end);
    SendMessageA(field, EM_SCROLLCARET, 0, 0);
}

bool TMacroEditDlg::CanClose()
{
    HWND field = Item(IDC_EDIT_TEXT);
    if (!SendMessageA(field, EM_GETMODIFY, 0, 0))
        return true;
    int answer = KeyDlgMessage(Handle(), kCompileQuestionText, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return false;
    if (answer != IDYES)
        return true;
    std::string text;
    try {
        std::vector<char> buffer(static_cast<std::size_t>(GetWindowTextLengthA(field)) + 1);
        int n = GetWindowTextA(field, buffer.data(), static_cast<int>(buffer.size()));
        text.assign(buffer.data(), n > 0 ? static_cast<std::size_t>(n) : 0);
    } catch (const std::bad_alloc&) {
        KeyDlgMessage(Handle(), kOutOfMemoryText, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    int line = 0;
    int code = CompileMacro(macros_, number_, text, &line);
    if (code == kCompileNoSuchMacro)
        return true;
    if (code != kCompileOk) {
        KeyDlgMessage(Handle(), CompileErrorMessage(code, line), MB_OK | MB_ICONEXCLAMATION);
        SelectLine(text, line);
        return false;
    }
    compiled_ = true;
    return true;
}

// ---- Macro. ----------------------------------------------------------------------------------------------

bool TMacroDlg::OnInit()
{
    SendDlgItemMessageA(Handle(), IDC_MACRO_DESC, EM_LIMITTEXT, kMacroDescriptionSize - 1, 0);
    Fill(0);
    return true;
}

void TMacroDlg::Fill(unsigned select)
{
    filling_ = true;
    HWND list = Item(IDC_MACRO_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    std::vector<std::pair<std::string, unsigned>> names;
    for (int slot = 0; slot < kMacroSlots; ++slot)
        if (const MacroRecord* r = macros_.Slot(slot))
            names.emplace_back(r->name, r->commandNumber);
    std::sort(names.begin(), names.end());
    int selectIndex = 0;
    for (const auto& [name, number] : names) {
        int i = static_cast<int>(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())));
        SendMessageA(list, LB_SETITEMDATA, i, number);
        if (number == select)
            selectIndex = i;
    }
    SendMessageA(list, LB_SETCURSEL, names.empty() ? -1 : selectIndex, 0);
    filling_ = false;
    ShowSelected();
}

unsigned TMacroDlg::Selected() const
{
    HWND list = Item(IDC_MACRO_LIST);
    int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    return index < 0 ? 0 : static_cast<unsigned>(SendMessageA(list, LB_GETITEMDATA, index, 0));
}

void TMacroDlg::ShowSelected()
{
    unsigned number = Selected();
    filling_ = true;
    SetItemText(IDC_MACRO_DESC, number ? macros_.MacroDescription(number) : std::string());
    filling_ = false;
    std::string keys;
    if (number)
        for (const std::string& key : keyMap_.KeysForCommand(static_cast<uint16_t>(number)))
            keys += (keys.empty() ? "" : ", ") + key;
    SetItemText(IDC_MACRO_KEYS, keys);
    for (int id : {IDC_MACRO_RUN, IDC_MACRO_EDIT, IDC_MACRO_DELETE, IDC_MACRO_RENAME, IDC_MACRO_DESC})
        EnableWindow(Item(id), number != 0);
}

bool TMacroDlg::OnCommand(int id, int code)
{
    unsigned number = Selected();
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Handle(), GWLP_HINSTANCE));
    switch (id) {
    case IDC_MACRO_LIST:
        if (code == LBN_SELCHANGE)
            ShowSelected();
        else if (code == LBN_DBLCLK && number)
            return OnCommand(IDC_MACRO_RUN, BN_CLICKED);
        return true;
    case IDC_MACRO_DESC:
        if (code == EN_CHANGE && !filling_ && number)
            macros_.SetMacroDescription(number, ItemText(IDC_MACRO_DESC).c_str());
        return true;
    default: break;
    }
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_MACRO_RUN:
        if (!number)
            return true;
        action_ = TAction::Run;
        chosen_ = number;
        EndDialog(Handle(), IDOK);
        return true;
    case IDC_MACRO_RECORD:
        action_ = TAction::Record;
        EndDialog(Handle(), IDOK);
        return true;
    case IDC_MACRO_EDIT:
        if (number)
            EditMacro(instance, Handle(), macros_, keyMap_, number);
        return true;
    case IDC_MACRO_DELETE:
        if (number && !macros_.DeleteMacro(number))
            MessageBeep(MB_OK);
        Fill(0);
        return true;
    case IDC_MACRO_RENAME:
        if (number) {
            TMacroRenameDlg dialog(instance, macros_, number);
            dialog.Run(Handle());
            Fill(number);
        }
        return true;
    default: return false;
    }
}
