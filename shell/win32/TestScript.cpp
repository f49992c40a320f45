// The test mode of the real program: "/testscript FILE" plays a script of commands once start-up is done.
#include "shell/win32/TestScript.h"

#include <windows.h>

#include <cstdio>
#include <deque>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "editor_window/win32/WindowsEditor.h"
#include "shell/win32/FrameServices.h"
#include "shell/win32/MainWindow.h"
#include "shell/win32/VokMessage.h"

namespace {

// Answers dialogs and message boxes from the script; everything else is the frame's own service.
class TScriptServices final : public TEditorServices {
public:
    explicit TScriptServices(HINSTANCE instance) : frame_(instance) {}
    int Message(HWND, unsigned stringId, const char* arg, unsigned) override
    {
        Log("message " + std::to_string(stringId) + (arg ? std::string(" ") + arg : std::string()));
        return answer;
    }
    bool SaveAsDialog(HWND, char* path, int* format, bool* backup) override
    {
        if (saveAsPath.empty())
            return false;
        lstrcpynA(path, saveAsPath.c_str(), 260);
        *format = saveAsFormat;
        *backup = saveAsBackup;
        saveAsPath.clear();
        return true;
    }
    bool OpenDialog(HWND, char*) override { return false; }
    bool SaveDialogOpen() override { return false; }
    bool DesktopFind(const char* p, TDesktopPlace* place) override { return frame_.DesktopFind(p, place); }
    void DesktopStore(const char* p, const TDesktopPlace& place) override { frame_.DesktopStore(p, place); }
    unsigned LookupKey(uint16_t* state, TKeyMessage kind, unsigned code, unsigned mods) override
    {
        return frame_.LookupKey(state, kind, code, mods);
    }
    void OpenByName(const char* path) override { frame_.OpenByName(path); }
    void RunUserTool(int index, const TToolContext& context) override { frame_.RunUserTool(index, context); }

    void Log(const std::string& line)
    {
        if (log)
            *log << line << std::endl;
    }

    int answer = IDCANCEL;
    std::string saveAsPath;
    int saveAsFormat = 0;
    bool saveAsBackup = false;
    std::ofstream* log = nullptr;

private:
    TFrameServices frame_;
};

struct TScriptRun {
    TMainWindow* frame = nullptr;
    std::vector<std::string> lines;
    std::deque<std::string> dialogSteps;  // "dialog" lines waiting for a dialog to act on
    std::ofstream log;
    std::unique_ptr<TScriptServices> services;
};

TScriptRun* gRun = nullptr;

int MessageHook(unsigned stringId, const char* text, unsigned, void*)
{
    gRun->services->Log("message " + std::to_string(stringId) + " " + text);
    return gRun->services->answer;
}

struct TKeyName {
    const char* name;
    unsigned vk;
};

const TKeyName kKeys[] = {
    {"enter", VK_RETURN}, {"back", VK_BACK},  {"delete", VK_DELETE}, {"tab", VK_TAB},
    {"left", VK_LEFT},    {"right", VK_RIGHT}, {"up", VK_UP},         {"down", VK_DOWN},
    {"home", VK_HOME},    {"end", VK_END},     {"pgup", VK_PRIOR},    {"pgdn", VK_NEXT},
    {"f2", VK_F2},        {"f3", VK_F3},       {"escape", VK_ESCAPE},
};

unsigned KeyCode(const std::string& name)
{
    for (const TKeyName& k : kKeys)
        if (name == k.name)
            return k.vk;
    if (name.size() == 1)
        return static_cast<unsigned char>(toupper(static_cast<unsigned char>(name[0])));
    return 0;
}

// Sends a key down with the given modifiers held in this thread's keyboard state, as a real key would.
void PressKey(HWND target, unsigned vk, bool ctrl, bool shift, bool alt)
{
    BYTE saved[256], state[256];
    GetKeyboardState(saved);
    std::copy(saved, saved + 256, state);
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(state);
    SendMessageA(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 1);
    SendMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, 0xC0000001);
    SetKeyboardState(saved);
}

void RunLine(const std::string& line)
{
    TScriptServices& s = *gRun->services;
    TMainWindow* frame = gRun->frame;
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    std::string rest;
    std::getline(in, rest);
    if (!rest.empty() && rest[0] == ' ')
        rest.erase(0, 1);
    TWindowsEditor* editor = frame->ActiveEditor();
    HWND fh = frame->Handle();
    if (verb.empty() || verb[0] == '#')
        return;
    s.Log("> " + line);
    if (verb == "new") {
        SendMessageA(fh, WM_COMMAND, 101, 0);
    } else if (verb == "open") {
        SendMessageA(fh, WM_COMMAND, 91, reinterpret_cast<LPARAM>(rest.c_str()));
    } else if (verb == "type" && editor) {
        for (char c : rest)
            SendMessageA(editor->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
    } else if (verb == "key" && editor) {
        std::istringstream words(rest);
        std::string name, mod;
        words >> name;
        bool ctrl = false, shift = false, alt = false;
        while (words >> mod) {
            ctrl |= mod == "ctrl";
            shift |= mod == "shift";
            alt |= mod == "alt";
        }
        unsigned vk = KeyCode(name);
        if (!vk)
            s.Log("error: unknown key " + name);
        else
            PressKey(editor->Handle(), vk, ctrl, shift, alt);
    } else if (verb == "command") {
        SendMessageA(fh, WM_COMMAND, std::stoi(rest), 0);
    } else if (verb == "send") {
        // A command to another top-level window of the program, found by its class (the print preview).
        std::istringstream words(rest);
        std::string windowClass;
        int id = 0;
        words >> windowClass >> id;
        if (HWND target = FindWindowA(windowClass.c_str(), nullptr))
            SendMessageA(target, WM_COMMAND, id, 0);
        else
            s.Log("error: no window of class " + windowClass);
    } else if (verb == "editor" && editor) {
        editor->ExecuteCommand(static_cast<unsigned>(std::stoi(rest)), 0);
    } else if (verb == "answer") {
        s.answer = rest == "yes" ? IDYES : rest == "no" ? IDNO : rest == "ok" ? IDOK : IDCANCEL;
    } else if (verb == "saveas") {
        std::istringstream words(rest);
        int backup = 0;
        words >> s.saveAsPath >> s.saveAsFormat >> backup;
        s.saveAsBackup = backup != 0;
    } else if (verb == "wait") {
        // Other programs (a second copy handing over its files) get their turn while this one waits.
        DWORD end = GetTickCount() + static_cast<DWORD>(std::stoi(rest));
        while (FrameWindow() && static_cast<int>(end - GetTickCount()) > 0) {
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&m);
                DispatchMessageA(&m);
            }
            Sleep(20);
        }
    } else if (verb == "dialog") {
        gRun->dialogSteps.push_back(rest);
    } else if (verb == "exit") {
        SendMessageA(fh, WM_CLOSE, 0, 0);
    } else {
        s.Log(std::string("error: ") + (editor ? "unknown line" : "no active editor window"));
    }
}

// The modal dialog the user would be facing: an enabled dialog of this thread (a nested one disables the
// dialog that opened it).
BOOL CALLBACK FindActiveDialog(HWND hwnd, LPARAM out) noexcept
{
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) ||
        (lstrcmpA(name, "VokDlg32") != 0 && lstrcmpA(name, "#32770") != 0))
        return TRUE;
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
}

HWND ActiveDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindActiveDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string ControlText(HWND control)
{
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    char text[4096] = {};
    if (lstrcmpiA(name, "ListBox") == 0) {
        int i = static_cast<int>(SendMessageA(control, LB_GETCURSEL, 0, 0));
        if (i >= 0 && SendMessageA(control, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text))
            SendMessageA(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        return text;
    }
    GetWindowTextA(control, text, sizeof text);
    return text;
}

// One "dialog" step on the dialog in front; false when it posted a click, after which the next step waits
// for the next tick (the click may close the dialog or open another).
bool DialogStep(HWND box, const std::string& step)
{
    TScriptServices& s = *gRun->services;
    std::istringstream in(step);
    std::string action, arg;
    int id = 0;
    in >> action;
    if (action == "answer") {
        in >> arg;
        s.answer = arg == "yes" ? IDYES : arg == "no" ? IDNO : arg == "ok" ? IDOK : IDCANCEL;
        return true;
    }
    in >> id;
    std::getline(in, arg);
    if (!arg.empty() && arg[0] == ' ')
        arg.erase(0, 1);
    HWND control = GetDlgItem(box, id);
    s.Log("dialog> " + step);
    if (!control && action != "click") {
        s.Log("error: no control " + std::to_string(id));
        return true;
    }
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    bool list = lstrcmpiA(name, "ListBox") == 0;
    if (action == "set") {
        SetWindowTextA(control, arg.c_str());
    } else if (action == "replace") {
        // Typed-in text: the field counts as modified. a backslash and "n" stand for a line break.
        std::string text;
        for (std::size_t i = 0; i < arg.size(); ++i) {
            if (arg[i] == '\\' && i + 1 < arg.size() && arg[i + 1] == 'n') {
                text += "\r\n";
                ++i;
            } else {
                text += arg[i];
            }
        }
        SendMessageA(control, EM_SETSEL, 0, -1);
        SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    } else if (action == "check") {
        SendMessageA(control, BM_SETCHECK, arg == "1" ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    } else if (action == "pick") {
        LRESULT i = SendMessageA(control, list ? LB_FINDSTRINGEXACT : CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(arg.c_str()));
        if (i < 0)
            s.Log("error: no item " + arg);
        SendMessageA(control, list ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(id, list ? LBN_SELCHANGE : CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(control));
    } else if (action == "log") {
        s.Log("dialog text " + std::to_string(id) + " = " + ControlText(control));
    } else if (action == "sel") {
        DWORD start = 0, end = 0;
        SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        s.Log("dialog sel " + std::to_string(id) + " = " + std::to_string(start) + " " + std::to_string(end));
    } else if (action == "count") {
        LRESULT n = SendMessageA(control, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
        s.Log("dialog count " + std::to_string(id) + " = " + std::to_string(n));
    } else if (action == "click") {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
        return false;
    } else {
        s.Log("error: unknown dialog step " + action);
    }
    return true;
}

// Runs queued "dialog" steps against whatever dialog is open; the modal loops of the dialogs dispatch it.
void CALLBACK DialogTick(HWND, UINT, UINT_PTR, DWORD) noexcept
{
    if (!gRun)
        return;
    try {
        while (!gRun->dialogSteps.empty()) {
            bool answer = gRun->dialogSteps.front().rfind("answer", 0) == 0;
            HWND box = answer ? nullptr : ActiveDialog();
            if (!answer && !box)
                return;
            std::string step = gRun->dialogSteps.front();
            gRun->dialogSteps.pop_front();
            if (!DialogStep(box, step))
                return;
        }
    } catch (...) {
        gRun->services->Log("error: dialog step failed");
    }
}

void CALLBACK PlayStep(HWND, UINT, UINT_PTR id, DWORD) noexcept
{
    KillTimer(nullptr, id);
    if (!gRun)
        return;
    try {
        std::vector<std::string> lines = std::move(gRun->lines);
        for (const std::string& line : lines) {
            if (!FrameWindow())
                break;  // the frame is gone: an exit line ran
            RunLine(line);
        }
        gRun->services->Log("done");
    } catch (...) {
        gRun->services->Log("error: script step failed");
    }
}

}  // namespace

std::string TakeTestScriptSwitch(std::string& commandLine)
{
    const std::string flag = "/testscript";
    std::size_t at = commandLine.find(flag);
    if (at == std::string::npos || (at > 0 && commandLine[at - 1] != ' '))
        return std::string();
    std::size_t p = at + flag.size();
    while (p < commandLine.size() && commandLine[p] == ' ')
        ++p;
    std::string file;
    std::size_t end;
    if (p < commandLine.size() && commandLine[p] == '"') {
        end = commandLine.find('"', p + 1);
        file = commandLine.substr(p + 1, end == std::string::npos ? std::string::npos : end - p - 1);
        end = end == std::string::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find(' ', p);
        if (end == std::string::npos)
            end = commandLine.size();
        file = commandLine.substr(p, end - p);
    }
    commandLine.erase(at, end - at);
    while (!commandLine.empty() && commandLine.back() == ' ')
        commandLine.pop_back();
    while (!commandLine.empty() && commandLine.front() == ' ')
        commandLine.erase(0, 1);
    return file;
}

void StartTestScript(TMainWindow* frame, const std::string& file)
{
    static TScriptRun run;
    run.frame = frame;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        run.lines.push_back(line);
    }
    run.log.open(file + ".log");
    run.services = std::make_unique<TScriptServices>(GetModuleHandleA(nullptr));
    run.services->log = &run.log;
    if (!in.eof() && run.lines.empty())
        run.services->Log("error: cannot read the script");
    gRun = &run;
    SetEditorServices(run.services.get());
    SetVokMessageHook(MessageHook, nullptr);
    // A timer fires only once the queue is empty, so the posted start-up commands have opened their files.
    SetTimer(nullptr, 0, 10, PlayStep);
    SetTimer(nullptr, 0, 50, DialogTick);
}
