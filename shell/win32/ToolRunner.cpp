// The user tool runner and its two small dialogs.
#include "shell/win32/ToolRunner.h"

#include "ToolIds.h"
#include "resource.h"
#include "shell/Settings.h"
#include "shell/win32/VokMessage.h"
#include "tools/ToolRunner.h"
#include "tools/win32/ToolEnvironment.h"

namespace {

constexpr UINT kStartWaiting = WM_USER + 20;

bool Ask(HWND owner, unsigned stringId, const char* arg, unsigned flags, int yes)
{
    return VokMessage(owner, stringId, arg, flags) == yes;
}

// Saves as the tool asks; false when the user cancelled.
bool SaveBeforeTool(HWND frame, const TUserToolElement& tool, const TToolContext& context)
{
    TToolSaveStep step = ToolSaveStep(tool, context.modified);
    if (step.frameCommand == 0)
        return true;
    if (step.question) {
        int answer = VokMessage(frame, step.question, nullptr, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return false;
        if (answer != IDYES)
            return true;
    }
    SendMessageA(frame, WM_COMMAND, static_cast<WPARAM>(step.frameCommand), 0);
    return true;
}

// Makes the tool's initial directory current; false when it cannot and the user does not go on.
bool EnterInitialDirectory(HWND frame, const TUserToolElement& tool, const TToolContext& context,
                           const TToolEnvironment& env)
{
    std::string dir = ToolInitialDirectory(tool.initialDir, context, env);
    if (dir.empty())
        return true;
    bool ok = true;
    if (dir.size() > 1 && dir[1] == ':') {
        char drive[4] = {dir[0], ':', '\0', '\0'};
        // Going to another drive first keeps that drive's own current directory for a relative path.
        char current[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof current, current);
        if ((current[0] | 0x20) != (dir[0] | 0x20))
            ok = SetCurrentDirectoryA(drive) != 0;
    }
    ok = ok && SetCurrentDirectoryA(dir.c_str()) != 0;
    return ok || Ask(frame, IDS_TOOLCHDIR, dir.c_str(), MB_YESNO | MB_ICONQUESTION, IDYES);
}

void RunCaptured(HWND frame, HINSTANCE instance, const TUserToolElement& tool, const std::string& arguments,
                 const TToolEnvironment& env)
{
    char tempDir[MAX_PATH], tempFile[MAX_PATH];
    DWORD n = GetTempPathA(sizeof tempDir, tempDir);
    if (n == 0 || n >= sizeof tempDir || !GetTempFileNameA(tempDir, "ozm", 0, tempFile)) {
        VokMessage(frame, IDS_TOOLINVALID, tool.program, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    std::string line = CaptureCommandLine(tool.program, arguments, tempFile, env);
    TRunningToolDlg dialog(instance, line, tool.program, arguments, tempFile);
    if (dialog.Run(frame) == IDOK) {
        HANDLE file = CreateFileA(tempFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            SendMessageA(frame, WM_COMMAND, CM_OPENOUTPUT, reinterpret_cast<LPARAM>(tempFile));
        }
        DeleteFileA(tempFile);
    }
    // Stopped waiting: the dialog deleted the file when it could, or told the user to.
}

}  // namespace

void RunUserTool(HWND frame, HINSTANCE instance, int index, const TToolContext& context)
{
    const TUserToolElement* found = ProgramSettings().userTools.Tool(index);
    if (!found)
        return;
    const TUserToolElement tool = *found;  // the table may change while dialogs run
    TToolEnvironment env = CurrentToolEnvironment(nullptr);
    std::string arguments = ExpandToolArguments(tool.arguments, tool.shortNames, context, env);
    if (tool.askArguments) {
        TAskForArgumentsDlg ask(instance, arguments);
        if (ask.Run(frame) != IDOK)
            return;
        arguments = ask.Arguments();
    }
    if (!SaveBeforeTool(frame, tool, context))
        return;
    if (!EnterInitialDirectory(frame, tool, context, env))
        return;
    if (tool.captureOutput) {
        RunCaptured(frame, instance, tool, arguments, env);
        return;
    }
    std::string line = ToolCommandLine(ToolProgramPath(tool.program, env), arguments);
    if (WinExec(line.c_str(), SW_SHOWNORMAL) < 32)
        VokMessage(frame, IDS_TOOLINVALID, tool.program, MB_OK | MB_ICONEXCLAMATION);
}

// ---- Tool Arguments. -------------------------------------------------------------------------------------

bool TAskForArgumentsDlg::OnInit()
{
    SendDlgItemMessageA(Handle(), IDC_TOOLARGS_TEXT, EM_LIMITTEXT, kToolArgumentsSize - 1, 0);
    SetItemText(IDC_TOOLARGS_TEXT, arguments_);
    return true;
}

bool TAskForArgumentsDlg::OnOK()
{
    arguments_ = ItemText(IDC_TOOLARGS_TEXT);
    return true;
}

// ---- Running Tool. ---------------------------------------------------------------------------------------

TRunningToolDlg::TRunningToolDlg(HINSTANCE instance, std::string commandLine, std::string program,
                                 std::string arguments, std::string tempFile)
    : TDialog(instance, "RunningTool"), commandLine_(std::move(commandLine)), program_(std::move(program)),
      arguments_(std::move(arguments)), tempFile_(std::move(tempFile))
{
}

TRunningToolDlg::~TRunningToolDlg()
{
    if (process_)
        CloseHandle(process_);
}

bool TRunningToolDlg::OnInit()
{
    SetItemText(IDC_RUNNING_PROGRAM, program_);
    SetItemText(IDC_RUNNING_ARGUMENTS, arguments_);
    PostMessageA(Handle(), kStartWaiting, 0, 0);
    return true;
}

bool TRunningToolDlg::CanClose()
{
    // Cancel only asks the waiting loop to put the question; the loop ends the dialog.
    if (waiting_) {
        stopAsked_ = true;
        return false;
    }
    return true;
}

bool TRunningToolDlg::OnMessage(UINT msg, WPARAM, LPARAM)
{
    if (msg != kStartWaiting)
        return false;
    Wait();
    return true;
}

bool TRunningToolDlg::AskToStop()
{
    if (!Ask(Handle(), IDS_TOOLWAITING, program_.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, IDYES))
        return false;
    if (WaitForSingleObject(process_, 0) != WAIT_TIMEOUT) {
        DeleteFileA(tempFile_.c_str());
    } else {
        std::string text = LoadResString(IDS_TOOLDELETETEMP);
        std::size_t at = text.find("%s");
        if (at != std::string::npos)
            text.replace(at, 2, tempFile_);
        at = text.find("%s", at == std::string::npos ? 0 : at + tempFile_.size());
        if (at != std::string::npos)
            text.replace(at, 2, program_);
        VokMessageText(Handle(), text, MB_OK | MB_ICONEXCLAMATION);
    }
    return true;
}

void TRunningToolDlg::Wait()
{
    // A modal dialog shows itself once its queue is first idle; the wait below must not hide it.
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi = {};
    std::string line = commandLine_;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        VokMessage(Handle(), IDS_TOOLINVALID, kCaptureProgram, MB_OK | MB_ICONEXCLAMATION);
        EndDialog(Handle(), IDCANCEL);
        return;
    }
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    waiting_ = true;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // The program is ending: leave the quit for the outer loop.
                PostQuitMessage(static_cast<int>(msg.wParam));
                waiting_ = false;
                EndDialog(Handle(), IDCANCEL);
                return;
            }
            if (!IsDialogMessageA(Handle(), &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        if (stopAsked_) {
            stopAsked_ = false;
            waiting_ = false;
            bool stop = AskToStop();
            waiting_ = true;
            if (stop) {
                waiting_ = false;
                EndDialog(Handle(), IDCANCEL);
                return;
            }
        }
        // The handle, not the exit code, tells that the tool ended: a tool may end with code 259 itself.
        if (WaitForSingleObject(process_, 0) != WAIT_TIMEOUT)
            break;
        // Sleep until the tool ends or a message comes, not in a busy loop.
        MsgWaitForMultipleObjects(1, &process_, FALSE, 100, QS_ALLINPUT);
    }
    waiting_ = false;
    EndDialog(Handle(), IDOK);
}
