// The frame's document commands, menu state on every opening, menu help in the status bar, and help mode.
#include "shell/win32/MainWindow.h"

#include "editor_window/win32/TransformDlgs.h"
#include "editor_window/win32/WindowsEditor.h"
#include "resource.h"
#include "shell/CommandRouting.h"
#include "shell/Settings.h"
#include "shell/win32/MenuState.h"
#include "shell/win32/SettingsStore.h"
#include "shell/win32/SettingsWin.h"
#include "shell/win32/Subsystems.h"
#include "shell/win32/ToolRunner.h"
#include "shell/win32/VokMessage.h"

namespace {

const char* gCalcFirst = "VCALC.EXE";
const char* gCalcFallback = "CALC.EXE";

}  // namespace

void StartCalculator()
{
    if (HWND calc = FindWindowA("VokCalcClass", nullptr)) {
        SetForegroundWindow(calc);
        ShowWindow(calc, SW_RESTORE);
        return;
    }
    if (WinExec(gCalcFirst, SW_SHOWNORMAL) >= 32)
        return;
    char program[MAX_PATH] = {};
    GetPrivateProfileStringA("VokCalc", "ProgFileName", "", program, sizeof program, "vcalc.ini");
    if (program[0] && WinExec(program, SW_SHOWNORMAL) >= 32)
        return;
    const UINT result = WinExec(gCalcFallback, SW_SHOWNORMAL);
    if (result >= 32)
        return;
    // WinExec's codes below 32 are the system's error numbers, 0 being out of resources.
    const DWORD code = result == 0 ? ERROR_NOT_ENOUGH_MEMORY : result;
    char reason[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, reason,
                   sizeof reason, nullptr);
    for (int n = lstrlenA(reason); n > 0 && (reason[n - 1] == '\r' || reason[n - 1] == '\n'); --n)
        reason[n - 1] = 0;
    if (!reason[0])
        wsprintfA(reason, "Error %lu.", code);
    VokMessage(FrameWindow(), IDS_CALCFAILED, reason, MB_OK | MB_ICONEXCLAMATION);
}

void SetCalculatorPrograms(const char* first, const char* fallback)
{
    gCalcFirst = first;
    gCalcFallback = fallback;
}

// The editor command the Change Case or Convert Tab Size dialog chooses; 0 on Cancel.
unsigned TMainWindow::ChooseTransform(int id, bool selection)
{
    if (id == CM_CHANGECASE) {
        TChangeCaseDlg dialog(instance_);
        return dialog.Run(hwnd_) == IDOK ? ChangeCaseCommand(dialog.Choice(), selection) : 0;
    }
    TConvertTabSizeDlg dialog(instance_);
    return dialog.Run(hwnd_) == IDOK ? dialog.Command() : 0;
}

bool TMainWindow::ForwardToEditor(int id)
{
    unsigned command = ForwardedEditorCommand(id);
    if (!command)
        return false;
    if (TWindowsEditor* editor = ActiveEditor())
        editor->ExecuteCommand(command, 0);
    return true;
}

// Commands that reach the engine as another command than their own, chosen by the document's state.
bool TMainWindow::TranslateForEditor(int id)
{
    TWindowsEditor* editor = ActiveEditor();
    unsigned command = 0;
    if (id == CM_COLUMNMODE)
        command = editor ? ColumnModeCommand(editor->columnMode) : 0;
    else if (id == CM_LINEDRAW)
        command = editor ? LineDrawCommand(editor->lineDrawMode) : 0;
    else if (UserToolEditorCommand(id)) {
        // Without a document the tool runs at once, with nothing to tell about a document.
        if (!editor) {
            RunUserTool(hwnd_, instance_, id - CM_USERTOOL1, TToolContext{});
            return true;
        }
        command = UserToolEditorCommand(id);
    }
    else if (id == CM_CHANGECASE || id == CM_CONVERTTABSIZE)
        command = editor && CommandAvailable(id) ? ChooseTransform(id, editor->selShown) : 0;
    else
        return false;
    if (command && CommandAvailable(id)) {
        // A conversion of the whole document may take a while.
        HCURSOR old = id == CM_CONVERTTABSIZE ? SetCursor(LoadCursor(nullptr, IDC_WAIT)) : nullptr;
        editor->ExecuteCommand(command, 0);
        if (old)
            SetCursor(old);
    }
    return true;
}

void TMainWindow::ToggleFlag(TImmediateFlag flag)
{
    TSettings& s = ProgramSettings();
    bool on = flag == TImmediateFlag::SaveSettings ? s.saveSettings
              : flag == TImmediateFlag::SaveDesktop ? s.saveDesktop
              : flag == TImmediateFlag::AutoLoad    ? s.autoLoad
                                                    : s.allowMultiInst;
    SetSettingsFlagNow(flag, !on);
}

bool TMainWindow::DocumentMaximised() const
{
    BOOL maximised = FALSE;
    HWND active = reinterpret_cast<HWND>(SendMessageA(client_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)));
    return active && maximised;
}

void TMainWindow::UpdateMenus()
{
    if (IsIconic(hwnd_))
        return;
    ApplyMenuState(GetMenu(hwnd_), instance_, GatherMenuContext(ActiveEditor(), helpMode_), DocumentMaximised());
}

void TMainWindow::OnInitMenuPopup(HMENU popup, bool systemMenu)
{
    if (systemMenu || IsIconic(hwnd_))
        return;
    UpdateMenus();
    // The editor's context pop-ups carry the Edit menu's items and follow the same rules.
    HMENU bar = GetMenu(hwnd_);
    for (int i = GetMenuItemCount(bar) - 1; i >= 0; --i)
        if (GetSubMenu(bar, i) == popup)
            return;
    ApplyItemStates(popup, instance_, GatherMenuContext(ActiveEditor(), helpMode_));
}

void TMainWindow::OnMenuSelect(UINT item, UINT flags, HMENU menu)
{
    if (!menu) {
        pendingHelp_ = 0;
        if (flags == 0xFFFF) {
            // The menu closed: back to the document's fields, or to the help mode's own line.
            if (helpMode_)
                statusBar_.ShowHelpText(StatusTextOf(LoadResString(CM_WHATIS)).c_str());
            else
                statusBar_.LeaveHelpText();
        }
        return;
    }
    TMenuHelp help = MenuItemHelp(instance_, GetMenu(hwnd_), item, flags, menu, DocumentMaximised());
    pendingHelp_ = help.context;
    if (statusBar_.Handle())
        statusBar_.ShowHelpText(help.text.c_str());
}

void TMainWindow::EnterHelpMode()
{
    helpMode_ = true;
    statusBar_.ShowHelpText(StatusTextOf(LoadResString(CM_WHATIS)).c_str());
    SetCursor(helpCursor_ ? helpCursor_ : LoadCursorA(nullptr, IDC_HELP));
}

void TMainWindow::LeaveHelpMode()
{
    if (!helpMode_)
        return;
    helpMode_ = false;
    statusBar_.LeaveHelpText();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

bool TMainWindow::PreTranslateMessage(const MSG& msg)
{
    if (!helpMode_)
        return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        LeaveHelpMode();
        return true;
    }
    // Typing does nothing while the user is choosing something to explain.
    return msg.message == WM_CHAR;
}

void TMainWindow::OnMenuHelpKey()
{
    LeaveHelpMode();
    if (pendingHelp_)
        ShowHelpFor(pendingHelp_);
}

void TMainWindow::OnHelpClick(int hitTest)
{
    LeaveHelpMode();
    if (hitTest == HTHSCROLL || hitTest == HTVSCROLL)
        ShowHelpFor(kScrollBarHelpContext);
    else if (hitTest == HTSYSMENU)
        ShowHelpFor(kSystemMenuHelpContext);
    else
        ShowHelpFor(FrameAreaHelpContext(hitTest));
}

void TMainWindow::ShowCommandHelp(int id)
{
    unsigned context = HelpContextOf(id);
    if (!context) {
        VokMessage(hwnd_, IDS_HELPNOTAVAILABLE, nullptr, MB_OK | MB_ICONINFORMATION);
        return;
    }
    ShowHelpFor(context);
    // The command's own description goes on the status bar beside the help topic.
    std::string text = StatusTextOf(LoadResString(static_cast<UINT>(id)));
    if (!text.empty() && statusBar_.Handle())
        statusBar_.ShowHelpText(text.c_str());
}

void TMainWindow::ShowHelpFor(unsigned context)
{
    lastHelpContext_ = context;
    ShowHelpContext(hwnd_, context);
}
