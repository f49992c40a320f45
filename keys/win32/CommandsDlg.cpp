// The Editor Commands dialog: pick a command without argument by category, see its description and keys.
#include "keys/win32/CommandsDlg.h"

#include <algorithm>
#include <cstring>

#include "MacroIds.h"
#include "base/TextTools.h"
#include "engine/Commands.h"
#include "keys/KeyMap.h"

// The strings of the categories are 15180 + category code; the list shows them in this order.
const int kCommandCategoryOrder[12] = {0,           kCatInsertDelete, kCatCursor,    kCatSelect,
                                       kCatFormat,  kCatSearch,       kCatBookmarks, kCatClipboard,
                                       kCatOptions, kCatTools,        kCatFile,      kCatHelp};

namespace {
constexpr unsigned kCategoryStrings = 15180;
constexpr unsigned kDescriptionStrings = 1000;
constexpr unsigned kLastListedCommand = 499;
}  // namespace

std::vector<std::string> CommandsOfCategory(int category)
{
    std::vector<std::string> names;
    for (unsigned n = 1; n <= kLastListedCommand; ++n) {
        const TCommandElement* c = FindCommand(n);
        if (!c || c->argumentKind != kArgNone || (category != 0 && c->category != category))
            continue;
        names.emplace_back(c->name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
    });
    return names;
}

bool TEditorCommandsDlg::OnInit()
{
    HWND combo = Item(IDC_CMD_CATEGORY);
    for (int category : kCommandCategoryOrder) {
        char text[128];
        int n = LoadStringA(instance_, kCategoryStrings + static_cast<unsigned>(category), text, sizeof text);
        const char* label = n > 0 ? text : CommandCategoryLabel(category);
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    FillCommands();
    return true;
}

void TEditorCommandsDlg::FillCommands()
{
    HWND list = Item(IDC_CMD_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    int index = static_cast<int>(SendMessageA(Item(IDC_CMD_CATEGORY), CB_GETCURSEL, 0, 0));
    int category = index >= 0 && index < 12 ? kCommandCategoryOrder[index] : 0;
    for (const std::string& name : CommandsOfCategory(category))
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    ShowCommand();
}

unsigned TEditorCommandsDlg::Selected() const
{
    HWND list = Item(IDC_CMD_LIST);
    int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (index < 0)
        return 0;
    char name[64] = {};
    if (SendMessageA(list, LB_GETTEXTLEN, index, 0) >= static_cast<LRESULT>(sizeof name))
        return 0;
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name));
    return FindCommandByName(name);
}

void TEditorCommandsDlg::ShowCommand()
{
    unsigned command = Selected();
    std::string description;
    if (command) {
        char text[512];
        int n = LoadStringA(instance_, kDescriptionStrings + command, text, sizeof text);
        description.assign(text, n > 0 ? n : 0);
        std::size_t end = description.find('\n');
        if (end != std::string::npos)
            description.resize(end);
    }
    SetItemText(IDC_CMD_DESC, description);
    HWND keys = Item(IDC_CMD_KEYS);
    SendMessageA(keys, LB_RESETCONTENT, 0, 0);
    if (command)
        for (const std::string& key : keyMap_.KeysForCommand(static_cast<uint16_t>(command)))
            SendMessageA(keys, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(key.c_str()));
    EnableWindow(Item(IDOK), command != 0);
}

bool TEditorCommandsDlg::OnCommand(int id, int code)
{
    if (id == IDC_CMD_CATEGORY && code == CBN_SELCHANGE) {
        FillCommands();
        return true;
    }
    if (id == IDC_CMD_LIST && code == LBN_SELCHANGE) {
        ShowCommand();
        return true;
    }
    if (id == IDC_CMD_LIST && code == LBN_DBLCLK) {
        if (OnOK())
            EndDialog(Handle(), IDOK);
        return true;
    }
    return false;
}

bool TEditorCommandsDlg::OnOK()
{
    chosen_ = Selected();
    return chosen_ != 0;
}
