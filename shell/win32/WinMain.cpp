// The program's entry: settings, the single-instance rule, the frame and the message loop.
#include <windows.h>

#include <string>

#include "editor_window/win32/Clipboard.h"
#include "editor_window/win32/EditorServices.h"
#include "resource.h"
#include "shell/CommandLine.h"
#include "shell/Settings.h"
#include "shell/win32/FrameServices.h"
#include "shell/win32/KeyMapping.h"
#include "shell/win32/MainWindow.h"
#include "shell/win32/SettingsStore.h"
#include "shell/win32/Subsystems.h"
#include "shell/win32/TestScript.h"
#include "shell/win32/TipDlg.h"
#include "shell/win32/VokMessage.h"

namespace {

constexpr UINT kMsgHandOver = WM_USER + 1;
constexpr std::size_t kAtomChars = 255;

bool KeyHeld(int vk)
{
    return (GetAsyncKeyState(vk) & 0x8000) != 0 || GetKeyState(vk) < 0;
}

// The names of the command line as full paths, so that the running copy, whose current directory may be
// another, opens the files the user meant.
std::string AbsoluteCommandLine(const std::string& commandLine)
{
    std::string text;
    for (const std::string& token : SplitCommandLine(commandLine.c_str())) {
        char full[MAX_PATH];
        DWORD n = GetFullPathNameA(token.c_str(), sizeof full, full, nullptr);
        std::string name = n > 0 && n < sizeof full ? std::string(full) : token;
        if (!text.empty())
            text += ' ';
        text += name.find(' ') == std::string::npos ? name : '"' + name + '"';
    }
    return text;
}

// True when a running copy took over (the program then ends with exit code 1).
bool HandedToRunningCopy(const std::string& commandLine)
{
    bool look = (!ProgramSettings().allowMultiInst && !KeyHeld(VK_CONTROL)) || KeyHeld(VK_SHIFT);
    if (!look)
        return false;
    HWND running = FindWindowA(TMainWindow::kClassName, nullptr);
    if (!running)
        return false;
    SetForegroundWindow(running);
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    GetWindowPlacement(running, &wp);
    if (wp.showCmd == SW_SHOWMINIMIZED || wp.showCmd == SW_MINIMIZE)
        ShowWindow(running, (wp.flags & WPF_RESTORETOMAXIMIZED) ? SW_SHOWMAXIMIZED : SW_RESTORE);
    else if (wp.showCmd == SW_SHOWMAXIMIZED)
        ShowWindow(running, SW_SHOWMAXIMIZED);
    else
        ShowWindow(running, SW_RESTORE);
    if (commandLine.empty())
        return true;
    std::string text = AbsoluteCommandLine(commandLine).substr(0, kAtomChars);
    ATOM atom = GlobalAddAtomA(text.c_str());
    if (!atom)
        return false;
    SendMessageA(running, kMsgHandOver, atom, 0);
    GlobalDeleteAtom(atom);
    return true;
}

int StartUpError(const char* what)
{
    std::string text = std::string("Vok Text Editor cannot start: ") + what;
    MessageBoxA(nullptr, text.c_str(), kProductName, MB_OK | MB_ICONSTOP);
    return 1;
}

int RunApplication(HINSTANCE instance, const std::string& commandLine, int show, const std::string& script)
{
    HACCEL accel = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_MAIN));
    if (!accel)
        return StartUpError("the accelerator table is missing.");
    if (!StartControlLibrary(instance))
        return StartUpError("the control library could not be initialised.");
    ProgramSettings().associateDlgStartUp =
        RunStartUpDialogs(instance, nullptr, SettingsProfile(), ProgramSettings().associateDlgStartUp, !script.empty());

    TFrameServices services(instance);
    SetEditorServices(&services);
    TMainWindow* frame = TMainWindow::Create(instance, commandLine);
    if (!frame) {
        SetEditorServices(nullptr);
        EndControlLibrary(instance);
        return StartUpError("the main window could not be created.");
    }
    frame->SetQuitOnDestroy(true);
    HWND frameHwnd = frame->Handle();
    HWND client = frame->Client();
    ShowWindow(frameHwnd, show);
    UpdateWindow(frameHwnd);
    if (!script.empty())
        StartTestScript(frame, script);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        TMainWindow::DispatchLoopMessage(frameHwnd, client, accel, msg);
    SetEditorServices(nullptr);
    EndControlLibrary(instance);
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int show)
{
    std::string commandLine = cmdLine ? cmdLine : "";
    std::string script = TakeTestScriptSwitch(commandLine);
    // A test run keeps its settings beside its script, away from the user's.
    if (!script.empty())
        UseSettingsFile(script + ".ini");
    LoadDesktopList();
    ConnectSubsystems();
    LoadAllSettings();
    LoadKeyMapping();
    if (script.empty() && HandedToRunningCopy(commandLine))
        return 1;

    RegisterColumnBlockFormat();
    if (ProgramSettings().window.maximised && (show & 9))
        show = SW_SHOWMAXIMIZED;
    int code = RunApplication(instance, commandLine, show, script);
    ReleaseSharedTables();
    return code;
}
