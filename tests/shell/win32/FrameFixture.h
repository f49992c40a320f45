// A real frame window for tests: scripted message boxes and dialogs, a scratch folder, a message pump.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "editor_window/win32/EditorServices.h"
#include "editor_window/win32/WindowsEditor.h"
#include "engine/Commands.h"
#include "engine/Options.h"
#include "shell/Desktop.h"
#include "shell/Settings.h"
#include "shell/win32/FrameServices.h"
#include "shell/win32/HelpService.h"
#include "shell/win32/KeyMapping.h"
#include "shell/win32/MainWindow.h"
#include "shell/win32/SettingsStore.h"
#include "shell/win32/VokMessage.h"
#include "support/RecordingHelp.h"
#include "support/win32/Win32TestSupport.h"

// Answers every message box with answer and records the string ids shown; Save As answers saveAsPath.
// The desktop, the key map and opening files are the program's own.
class TScriptedFrameServices : public TEditorServices {
public:
    int Message(HWND, unsigned id, const char* arg, unsigned) override
    {
        shown.push_back(id);
        args.push_back(arg ? arg : "");
        if (onMessage)
            onMessage(id);
        return answer;
    }
    bool SaveAsDialog(HWND, char* path, int* format, bool*) override
    {
        if (saveAsPath.empty())
            return false;
        lstrcpynA(path, saveAsPath.c_str(), 260);
        *format = 0;
        return true;
    }
    bool OpenDialog(HWND, char*) override { return false; }
    bool SaveDialogOpen() override { return false; }
    bool DesktopFind(const char* path, TDesktopPlace* place) override { return ::DesktopFind(path, place); }
    void DesktopStore(const char* path, const TDesktopPlace& place) override { ::DesktopStore(path, place); }
    unsigned LookupKey(uint16_t* state, TKeyMessage kind, unsigned code, unsigned mods) override
    {
        return LookupKeyBinding(state, kind, code, mods);
    }
    // Files are opened by the frame's own service, so that the editor reaches the real frame.
    void OpenByName(const char* path) override { frameServices_.OpenByName(path); }
    void RunUserTool(int index, const TToolContext& context) override { frameServices_.RunUserTool(index, context); }
    void KeywordHelp(HWND owner, const char* word) override { frameServices_.KeywordHelp(owner, word); }

    std::vector<unsigned> shown;
    std::vector<std::string> args;
    std::function<void(unsigned)> onMessage;  // sees the frame as the message box would cover it
    int answer = IDCANCEL;
    std::string saveAsPath;

private:
    TFrameServices frameServices_{GetModuleHandleA(nullptr)};
};

// A folder of its own under the temporary directory, emptied and removed at the end.
class TScratchFolder {
public:
    TScratchFolder()
    {
        char base[MAX_PATH], name[MAX_PATH];
        GetTempPathA(sizeof base, base);
        GetTempFileNameA(base, "vfr", 0, name);
        DeleteFileA(name);
        CreateDirectoryA(name, nullptr);
        path_ = name;
    }
    TScratchFolder(const TScratchFolder&) = delete;  // owns the folder on disk
    TScratchFolder& operator=(const TScratchFolder&) = delete;
    ~TScratchFolder()
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((path_ + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do
                DeleteFileA((path_ + "\\" + fd.cFileName).c_str());
            while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(path_.c_str());
    }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    std::string Write(const std::string& name, const std::string& text) const
    {
        std::string file = File(name);
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << text;
        return file;
    }
    static std::string Read(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    std::string path_;
};

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EngineOptions() = TEngineOptions{};
        EngineOptions().backupFiles = false;
        // What the frame saves when it is destroyed goes to a file of this test.
        UseSettingsFile(folder.File("ozm.ini"));
        SetEditorServices(&services);
        // Help goes to a recorder; the program's own help file is there unless a test removes it.
        SetHelpEngine(&help);
        help.files.insert(MainHelpFile());
        SetVokMessageHook(
            [](unsigned id, const char* arg, unsigned, void* self) {
                auto* s = static_cast<TScriptedFrameServices*>(self);
                s->shown.push_back(id);
                s->args.push_back(arg ? arg : "");
                return s->answer;
            },
            &services);
        frame = TMainWindow::Create(GetModuleHandleA(nullptr), "");
        ASSERT_NE(frame, nullptr);
        hwnd = frame->Handle();
        // The frame stays hidden: under Wine without a window manager a shown top-level window takes two
        // seconds to destroy, and nothing here depends on its being on screen.
        PumpMessages();
    }

    void TearDown() override
    {
        if (IsWindow(hwnd)) {
            for (TWindowsEditor* editor : frame->Editors())
                editor->modified = false;
            DestroyWindow(hwnd);
        }
        PumpMessages();
        SetVokMessageHook(nullptr, nullptr);
        SetEditorServices(nullptr);
        SetHelpEngine(nullptr);
        ProgramDesktop().Clear();
        UseSettingsFile("ozm.ini");
    }

    void Command(int id, LPARAM param = 0) { SendMessageA(hwnd, WM_COMMAND, id, param); }
    void Open(const std::string& path) { Command(91, reinterpret_cast<LPARAM>(path.c_str())); }
    std::string Title(TWindowsEditor* editor)
    {
        char text[300] = {};
        GetWindowTextA(editor->Handle(), text, sizeof text);
        return text;
    }
    void Type(TWindowsEditor* editor, const char* text)
    {
        for (; *text; ++text)
            SendMessageA(editor->Handle(), WM_CHAR, static_cast<unsigned char>(*text), 1);
    }

    TScriptedFrameServices services;
    TRecordingHelp help;
    TMainWindow* frame = nullptr;
    HWND hwnd = nullptr;
    TScratchFolder folder;
};
