// The Tools dialog.
#include "shell/win32/UserToolsDlg.h"

#include "ToolIds.h"
#include "base/TextTools.h"
#include "resource.h"
#include "shell/CommandRouting.h"
#include "shell/Settings.h"
#include "shell/win32/FileDialogs.h"
#include "shell/win32/HelpService.h"
#include "shell/win32/Subsystems.h"
#include "tools/ToolRunner.h"

namespace {

constexpr unsigned kToolsHelpTopic = kHelpToolsDialog;
constexpr unsigned kToolMacrosHelpTopic = kHelpToolMacros;

}  // namespace

bool TUserToolsDlg::OnInit()
{
    SendDlgItemMessageA(Handle(), IDC_TOOL_MENUTEXT, EM_LIMITTEXT, 39, 0);
    SendDlgItemMessageA(Handle(), IDC_TOOL_COMMAND, EM_LIMITTEXT, 259, 0);
    SendDlgItemMessageA(Handle(), IDC_TOOL_ARGUMENTS, EM_LIMITTEXT, 255, 0);
    SendDlgItemMessageA(Handle(), IDC_TOOL_INITIALDIR, EM_LIMITTEXT, 255, 0);
    FillList(tools_.Count() > 0 ? 0 : -1);
    return true;
}

void TUserToolsDlg::FillList(int select)
{
    filling_ = true;
    HWND list = Item(IDC_TOOL_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    auto items = tools_.MenuItems();
    for (const auto& item : items)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
    current_ = select >= 0 && select < tools_.Count() ? select : -1;
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(current_), 0);
    ShowTool();
    filling_ = false;
    UpdateButtons();
}

void TUserToolsDlg::ShowTool()
{
    const bool any = current_ >= 0;
    TUserToolElement none;
    const TUserToolElement& t = any ? tools_[current_] : none;
    bool was = filling_;
    filling_ = true;
    SetItemText(IDC_TOOL_MENUTEXT, t.menuText);
    SetItemText(IDC_TOOL_COMMAND, t.program);
    SetItemText(IDC_TOOL_ARGUMENTS, t.arguments);
    SetItemText(IDC_TOOL_INITIALDIR, t.initialDir);
    CheckDlgButton(Handle(), IDC_TOOL_ASKARGS, t.askArguments ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Handle(), IDC_TOOL_CAPTURE, t.captureOutput ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Handle(), IDC_TOOL_PROMPTSAVE, t.promptBeforeSave ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(Handle(), IDC_TOOL_SAVENONE, IDC_TOOL_SAVEALL, IDC_TOOL_SAVENONE + static_cast<int>(t.saveFiles));
    int shortButton = t.shortNames == TShortNames::Always ? IDC_TOOL_SHORTALWAYS
                      : t.shortNames == TShortNames::Never ? IDC_TOOL_SHORTNEVER
                                                           : IDC_TOOL_SHORTSPACED;
    CheckRadioButton(Handle(), IDC_TOOL_SHORTALWAYS, IDC_TOOL_SHORTNEVER, shortButton);
    for (int id : {IDC_TOOL_MENUTEXT, IDC_TOOL_COMMAND, IDC_TOOL_ARGUMENTS, IDC_TOOL_INITIALDIR, IDC_TOOL_ASKARGS,
                   IDC_TOOL_CAPTURE, IDC_TOOL_SAVENONE, IDC_TOOL_SAVEACTIVE, IDC_TOOL_SAVEALL, IDC_TOOL_PROMPTSAVE,
                   IDC_TOOL_SHORTALWAYS, IDC_TOOL_SHORTSPACED, IDC_TOOL_SHORTNEVER})
        EnableWindow(Item(id), any);
    filling_ = was;
}

void TUserToolsDlg::StoreTool()
{
    if (current_ < 0 || filling_)
        return;
    TUserToolElement& t = tools_[current_];
    CopyCut(t.menuText, ItemText(IDC_TOOL_MENUTEXT).c_str());
    CopyCut(t.program, ItemText(IDC_TOOL_COMMAND).c_str());
    CopyCut(t.arguments, ItemText(IDC_TOOL_ARGUMENTS).c_str());
    CopyCut(t.initialDir, ItemText(IDC_TOOL_INITIALDIR).c_str());
    t.askArguments = IsDlgButtonChecked(Handle(), IDC_TOOL_ASKARGS) == BST_CHECKED;
    t.captureOutput = IsDlgButtonChecked(Handle(), IDC_TOOL_CAPTURE) == BST_CHECKED;
    t.promptBeforeSave = IsDlgButtonChecked(Handle(), IDC_TOOL_PROMPTSAVE) == BST_CHECKED;
    t.saveFiles = IsDlgButtonChecked(Handle(), IDC_TOOL_SAVEALL) == BST_CHECKED      ? TSaveBeforeTool::AllFiles
                  : IsDlgButtonChecked(Handle(), IDC_TOOL_SAVEACTIVE) == BST_CHECKED ? TSaveBeforeTool::ActiveFile
                                                                                     : TSaveBeforeTool::Nothing;
    t.shortNames = IsDlgButtonChecked(Handle(), IDC_TOOL_SHORTALWAYS) == BST_CHECKED  ? TShortNames::Always
                   : IsDlgButtonChecked(Handle(), IDC_TOOL_SHORTNEVER) == BST_CHECKED ? TShortNames::Never
                                                                                      : TShortNames::WhenSpaced;
}

void TUserToolsDlg::UpdateButtons()
{
    EnableWindow(Item(IDC_TOOL_ADD), tools_.Count() < kMaxUserTools);
    EnableWindow(Item(IDC_TOOL_REMOVE), current_ >= 0);
    EnableWindow(Item(IDC_TOOL_UP), current_ > 0);
    EnableWindow(Item(IDC_TOOL_DOWN), current_ >= 0 && current_ + 1 < tools_.Count());
}

bool TUserToolsDlg::AddProgram(const char* program)
{
    TUserToolElement t;
    CopyCut(t.menuText, ToolMenuTextFor(program, tools_.Count() + 1).c_str());
    CopyCut(t.program, program);
    if (!tools_.Append(t))
        return false;
    FillList(tools_.Count() - 1);
    return true;
}

bool TUserToolsDlg::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_TOOL_LIST:
        if (code == LBN_SELCHANGE) {
            current_ = static_cast<int>(SendMessageA(Item(IDC_TOOL_LIST), LB_GETCURSEL, 0, 0));
            ShowTool();
            UpdateButtons();
        }
        return true;
    case IDC_TOOL_MENUTEXT:
        if (code == EN_CHANGE && !filling_ && current_ >= 0) {
            StoreTool();
            // The list shows the text as it is typed.
            auto items = tools_.MenuItems();
            HWND list = Item(IDC_TOOL_LIST);
            SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(current_), 0);
            SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(current_),
                         reinterpret_cast<LPARAM>(items[static_cast<std::size_t>(current_)].text.c_str()));
            SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(current_), 0);
        }
        return true;
    case IDC_TOOL_COMMAND:
    case IDC_TOOL_ARGUMENTS:
    case IDC_TOOL_INITIALDIR:
        if (code == EN_CHANGE)
            StoreTool();
        return true;
    case IDC_TOOL_ASKARGS:
    case IDC_TOOL_CAPTURE:
    case IDC_TOOL_PROMPTSAVE:
    case IDC_TOOL_SAVENONE:
    case IDC_TOOL_SAVEACTIVE:
    case IDC_TOOL_SAVEALL:
    case IDC_TOOL_SHORTALWAYS:
    case IDC_TOOL_SHORTSPACED:
    case IDC_TOOL_SHORTNEVER: StoreTool(); return true;
    case IDC_TOOL_ADD: {
        if (tools_.Count() >= kMaxUserTools)
            return true;
        char path[MAX_PATH] = "";
        if (BrowseFileDialog(instance_, Handle(), path, sizeof path,
                             IDS_BROWSEPROGRAMS, IDS_BROWSEPROGRAMSFILTER))
            AddProgram(path);
        return true;
    }
    case IDC_TOOL_REMOVE:
        if (current_ >= 0) {
            tools_.Remove(current_);
            FillList(current_ < tools_.Count() ? current_ : tools_.Count() - 1);
        }
        return true;
    case IDC_TOOL_UP:
    case IDC_TOOL_DOWN: {
        int to = id == IDC_TOOL_UP ? current_ - 1 : current_ + 1;
        if (current_ >= 0 && to >= 0 && to < tools_.Count()) {
            tools_.Move(current_, to);
            FillList(to);
        }
        return true;
    }
    case IDC_TOOL_MACROS: ShowQuickHelp(Handle(), kToolMacrosHelpTopic); return true;
    case IDC_TOOL_HELP: ShowHelpContext(Handle(), kToolsHelpTopic); return true;
    default: return false;
    }
}

bool TUserToolsDlg::OnOK()
{
    StoreTool();
    // The settings file keeps tools numbered without gaps: a tool needs its text and its program.
    for (int i = 0; i < tools_.Count(); ++i) {
        if (tools_[i].program[0] == '\0') {
            FillList(i);
            SetFocus(Item(IDC_TOOL_COMMAND));
            MessageBeep(MB_ICONEXCLAMATION);
            return false;
        }
        if (tools_[i].menuText[0] == '\0')
            CopyCut(tools_[i].menuText, ("Tool&" + std::to_string(i + 1)).c_str());
    }
    return true;
}

bool EditUserTools(HINSTANCE instance, HWND owner)
{
    TUserToolsDlg dialog(instance, ProgramSettings().userTools);
    if (dialog.Run(owner) != IDOK)
        return false;
    ProgramSettings().userTools = dialog.Tools();
    return true;
}
