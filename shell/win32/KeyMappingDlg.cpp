// The Key Mapping and Prefix Keys dialogs: binding keys and two-stroke sequences to commands and macros,
// and saving, loading and resetting the keymap file.
#include "shell/win32/KeyMappingDlg.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "MacroIds.h"
#include "base/TextTools.h"
#include "engine/Commands.h"
#include "keys/KeyMap.h"
#include "keys/win32/MacroDlgs.h"
#include "macros/MacroTable.h"
#include "resource.h"
#include "shell/win32/FileDialogs.h"
#include "shell/win32/KeyMapping.h"
#include "shell/win32/VokMessage.h"

namespace {

bool SystemChooser(HINSTANCE instance, HWND owner, bool save, std::string* path)
{
    char buffer[MAX_PATH] = {};
    if (!save)
        return BrowseFileDialog(instance, owner, buffer, sizeof buffer, IDS_BROWSEKEYMAP,
                                IDS_BROWSEKEYMAPFILTER)
               && (*path = buffer, true);
    std::string folder = *path;
    std::size_t slash = folder.find_last_of('\\');
    folder = slash == std::string::npos ? std::string() : folder.substr(0, slash);
    std::string title = LoadResString(IDS_BROWSEKEYMAP);
    std::string filter = FilterBlockFromString(LoadResString(IDS_BROWSEKEYMAPFILTER));
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = sizeof buffer;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = "key";
    ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    if (!GetSaveFileNameA(&ofn))
        return false;
    *path = buffer;
    return true;
}

TKeymapFileChooser gChooser = SystemChooser;

bool Checked(HWND box, int id)
{
    return SendDlgItemMessageA(box, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void FillKeyNames(HWND combo)
{
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < KeyNameCount(); ++i)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(KeyNameAt(i)));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

uint16_t ComboKey(HWND combo)
{
    int index = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    return index >= 0 && index < KeyNameCount() ? KeyCodeAt(index) : 0;
}

std::string ListText(HWND list, int index)
{
    char text[128] = {};
    if (index < 0 || SendMessageA(list, LB_GETTEXTLEN, index, 0) >= static_cast<LRESULT>(sizeof text))
        return std::string();
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

bool LessNoCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
}

}  // namespace

void SetKeymapFileChooser(TKeymapFileChooser chooser)
{
    gChooser = chooser ? chooser : SystemChooser;
}

// ---- Prefix Keys. ----------------------------------------------------------------------------------------

bool TKeyMappingPrefixDlg::OnInit()
{
    FillKeyNames(Item(IDC_KP_KEY));
    CheckDlgButton(Handle(), IDC_KP_CTRL, BST_CHECKED);
    FillList();
    ShowMapping();
    return true;
}

void TKeyMappingPrefixDlg::FillList()
{
    HWND list = Item(IDC_KP_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (uint16_t key : keyMap_.PrefixKeys())
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(KeyText(key).c_str()));
    EnableWindow(Item(IDC_KP_DELETE), SendMessageA(list, LB_GETCURSEL, 0, 0) >= 0);
}

void TKeyMappingPrefixDlg::ShowMapping()
{
    bool alt = Checked(Handle(), IDC_KP_ALT), ctrl = Checked(Handle(), IDC_KP_CTRL);
    bool shift = Checked(Handle(), IDC_KP_SHIFT);
    uint16_t key = ComboKey(Item(IDC_KP_KEY));
    bool mappable = key && keyMap_.IsMappable(key, alt, ctrl, shift);
    unsigned bound = keyMap_.MainTable().CommandOf(WithModifiers(key, alt, ctrl, shift));
    SetItemText(IDC_KP_MAPPED, mappable ? BindingName(macros_, bound) : "(not mappable)");
    SetItemText(IDC_KP_ADD, bound ? "Change" : "Add");
    EnableWindow(Item(IDC_KP_ADD), mappable);
}

bool TKeyMappingPrefixDlg::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_KP_ALT:
    case IDC_KP_CTRL:
    case IDC_KP_SHIFT:
    case IDC_KP_KEY: ShowMapping(); return true;
    case IDC_KP_LIST:
        EnableWindow(Item(IDC_KP_DELETE), SendMessageA(Item(IDC_KP_LIST), LB_GETCURSEL, 0, 0) >= 0);
        return true;
    case IDC_KP_ADD:
        if (code == BN_CLICKED) {
            if (!keyMap_.AddPrefixKey(ComboKey(Item(IDC_KP_KEY)), Checked(Handle(), IDC_KP_ALT),
                                      Checked(Handle(), IDC_KP_CTRL), Checked(Handle(), IDC_KP_SHIFT)))
                VokMessageText(Handle(), kTableFullText, MB_OK | MB_ICONEXCLAMATION);
            FillList();
            ShowMapping();
        }
        return true;
    case IDC_KP_DELETE:
        if (code == BN_CLICKED) {
            HWND list = Item(IDC_KP_LIST);
            std::string text = ListText(list, static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)));
            if (!text.empty()
                && VokMessageText(Handle(), kDeletePrefixText, MB_YESNO | MB_ICONQUESTION) == IDYES)
                keyMap_.UnmapKeyText(text.c_str());
            FillList();
            ShowMapping();
        }
        return true;
    default: return false;
    }
}

// ---- Key Mapping. ----------------------------------------------------------------------------------------

bool TKeyMappingDlg::OnInit()
{
    FillKeyNames(Item(IDC_KM_KEY));
    CheckDlgButton(Handle(), IDC_KM_CTRL, BST_CHECKED);
    CheckRadioButton(Handle(), IDC_KM_SHOWCMDS, IDC_KM_SHOWMACROS, IDC_KM_SHOWCMDS);
    FillPrefixes();
    FillList();
    return true;
}

void TKeyMappingDlg::FillPrefixes()
{
    HWND combo = Item(IDC_KM_PREFIX);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("(none)"));
    for (uint16_t key : keyMap_.PrefixKeys()) {
        int i = static_cast<int>(
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(KeyText(key).c_str())));
        SendMessageA(combo, CB_SETITEMDATA, i, keyMap_.MainTable().CommandOf(key));
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    ShowMapping();
}

void TKeyMappingDlg::FillList()
{
    HWND list = Item(IDC_KM_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    std::vector<std::pair<std::string, unsigned>> items;
    if (Checked(Handle(), IDC_KM_SHOWMACROS)) {
        for (int slot = 0; slot < kMacroSlots; ++slot)
            if (const MacroRecord* r = macros_.Slot(slot))
                items.emplace_back(r->name, r->commandNumber);
    } else {
        for (unsigned n = 1; n <= kLastCommandNumber; ++n)
            if (const TCommandElement* c = FindCommand(n); c && n != cmInsertChar)
                items.emplace_back(c->name, n);
    }
    std::sort(items.begin(), items.end(),
              [](const auto& a, const auto& b) { return LessNoCase(a.first, b.first); });
    for (const auto& [name, number] : items) {
        int i = static_cast<int>(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())));
        SendMessageA(list, LB_SETITEMDATA, i, number);
    }
    SendMessageA(list, LB_SETCURSEL, items.empty() ? -1 : 0, 0);
    ShowCommand();
}

uint16_t TKeyMappingDlg::ChosenPrefix() const
{
    HWND combo = Item(IDC_KM_PREFIX);
    int index = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    return index > 0 ? static_cast<uint16_t>(SendMessageA(combo, CB_GETITEMDATA, index, 0)) : 0;
}

uint16_t TKeyMappingDlg::ChosenKey() const
{
    uint16_t key = ComboKey(Item(IDC_KM_KEY));
    if (ChosenPrefix())
        return key;
    return WithModifiers(key, Checked(Handle(), IDC_KM_ALT), Checked(Handle(), IDC_KM_CTRL),
                         Checked(Handle(), IDC_KM_SHIFT));
}

unsigned TKeyMappingDlg::ChosenCommand() const
{
    HWND list = Item(IDC_KM_LIST);
    int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    return index < 0 ? 0 : static_cast<unsigned>(SendMessageA(list, LB_GETITEMDATA, index, 0));
}

void TKeyMappingDlg::ShowMapping()
{
    uint16_t prefix = ChosenPrefix();
    for (int id : {IDC_KM_ALT, IDC_KM_CTRL, IDC_KM_SHIFT})
        EnableWindow(Item(id), prefix == 0);
    uint16_t key = ChosenKey();
    bool mappable =
        key
        && (prefix
            || keyMap_.IsMappable(KeyPart(key), Checked(Handle(), IDC_KM_ALT), Checked(Handle(), IDC_KM_CTRL),
                                  Checked(Handle(), IDC_KM_SHIFT)));
    const TKeyTable& table = prefix ? keyMap_.PrefixTable(prefix - kPrefix1 + 1) : keyMap_.MainTable();
    unsigned bound = key ? table.CommandOf(key) : 0;
    SetItemText(IDC_KM_MAPPED, mappable ? BindingName(macros_, bound) : "(not mappable)");
    SetItemText(IDC_KM_ADD, bound ? "Change" : "Add");
    EnableWindow(Item(IDC_KM_ADD), mappable && ChosenCommand() != 0);
}

void TKeyMappingDlg::ShowCommand()
{
    unsigned command = ChosenCommand();
    HWND keys = Item(IDC_KM_KEYS);
    SendMessageA(keys, LB_RESETCONTENT, 0, 0);
    std::string description;
    if (command) {
        for (const std::string& key : keyMap_.KeysForCommand(static_cast<uint16_t>(command)))
            SendMessageA(keys, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(key.c_str()));
        if (command >= kFirstMacroNumber) {
            description = macros_.MacroDescription(command);
        } else {
            description = LoadResString(1000 + command);
            std::size_t end = description.find('\n');
            if (end != std::string::npos)
                description.resize(end);
        }
    }
    SetItemText(IDC_KM_DESC, description);
    EnableWindow(Item(IDC_KM_DELETE), FALSE);
    ShowMapping();
}

void TKeyMappingDlg::AddOrChange()
{
    unsigned command = ChosenCommand();
    uint16_t key = ChosenKey();
    if (!command || !key)
        return;
    uint16_t prefix = ChosenPrefix();
    bool done =
        prefix ? keyMap_.MapPrefixedKey(prefix, key, static_cast<uint16_t>(command))
               : keyMap_.MapKey(KeyPart(key), Checked(Handle(), IDC_KM_ALT), Checked(Handle(), IDC_KM_CTRL),
                                Checked(Handle(), IDC_KM_SHIFT), static_cast<uint16_t>(command));
    if (!done)
        VokMessageText(Handle(), kTableFullText, MB_OK | MB_ICONEXCLAMATION);
    // Binding over a prefix key takes its sequences away: the combo must not offer it any longer.
    uint16_t keepPrefix = prefix;
    int keepIndex = static_cast<int>(SendDlgItemMessageA(Handle(), IDC_KM_PREFIX, CB_GETCURSEL, 0, 0));
    FillPrefixes();
    if (keepPrefix && keepIndex > 0)
        SendDlgItemMessageA(Handle(), IDC_KM_PREFIX, CB_SETCURSEL, keepIndex, 0);
    ShowCommand();
}

void TKeyMappingDlg::DeleteBinding()
{
    HWND keys = Item(IDC_KM_KEYS);
    std::string text = ListText(keys, static_cast<int>(SendMessageA(keys, LB_GETCURSEL, 0, 0)));
    if (text.empty())
        return;
    keyMap_.UnmapKeyText(text.c_str());
    FillPrefixes();
    ShowCommand();
}

void TKeyMappingDlg::SaveAs()
{
    std::string path = KeymapFilePath();
    if (!gChooser(instance_, Handle(), true, &path))
        return;
    UseKeymapFile(path);
    SaveKeymapTo(path);
}

void TKeyMappingDlg::Load()
{
    if (KeyMappingChanged()) {
        int answer = VokMessage(Handle(), IDS_SAVEKEYMAP, nullptr, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return;
        if (answer == IDYES)
            SaveKeyMapping();
    }
    std::string path = KeymapFilePath();
    if (!gChooser(instance_, Handle(), false, &path))
        return;
    UseKeymapFile(path);
    LoadKeymapFrom(path);
    FillPrefixes();
    FillList();
}

void TKeyMappingDlg::ResetAll()
{
    std::string question = kResetQuestionText;
    std::string path = KeymapFilePath();
    question.replace(question.find("%s"), 2, path);
    if (VokMessageText(Handle(), question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (VokMessageText(Handle(), kResetAgainText, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    ResetKeyMapping();
    FillPrefixes();
    FillList();
}

bool TKeyMappingDlg::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_KM_PREFIX:
        if (code == CBN_SELCHANGE)
            ShowMapping();
        return true;
    case IDC_KM_ALT:
    case IDC_KM_CTRL:
    case IDC_KM_SHIFT:
    case IDC_KM_KEY: ShowMapping(); return true;
    case IDC_KM_SHOWCMDS:
    case IDC_KM_SHOWMACROS:
        if (code == BN_CLICKED)
            FillList();
        return true;
    case IDC_KM_LIST:
        if (code == LBN_SELCHANGE)
            ShowCommand();
        return true;
    case IDC_KM_KEYS:
        if (code == LBN_SELCHANGE)
            EnableWindow(Item(IDC_KM_DELETE), SendMessageA(Item(IDC_KM_KEYS), LB_GETCURSEL, 0, 0) >= 0);
        return true;
    default: break;
    }
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_KM_CONFIGURE: {
        TKeyMappingPrefixDlg dialog(instance_, keyMap_, macros_);
        dialog.Run(Handle());
        FillPrefixes();
        ShowCommand();
        return true;
    }
    case IDC_KM_ADD: AddOrChange(); return true;
    case IDC_KM_DELETE: DeleteBinding(); return true;
    case IDC_KM_SAVE: SaveKeyMapping(); return true;
    case IDC_KM_SAVEAS: SaveAs(); return true;
    case IDC_KM_LOAD: Load(); return true;
    case IDC_KM_RESET: ResetAll(); return true;
    default: return false;
    }
}
