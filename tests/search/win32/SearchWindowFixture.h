// An editor window in a tall frame with the search commands installed, for driving the search dialogs.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "SearchIds.h"
#include "base/ByteStream.h"
#include "editor_window/win32/EditorServices.h"
#include "editor_window/win32/WindowsEditor.h"
#include "engine/Commands.h"
#include "search/Search.h"
#include "search/SearchState.h"
#include "support/win32/Win32TestSupport.h"

// Records the editor's messages instead of showing them ("Search string not found." is 15101).
class TSearchTestServices : public TEditorServices {
public:
    int Message(HWND, unsigned id, const char*, unsigned) override
    {
        shown.push_back(id);
        if (onMessage)
            onMessage(id);
        return IDOK;
    }
    bool SaveAsDialog(HWND, char*, int*, bool*) override { return false; }
    bool OpenDialog(HWND, char*) override { return false; }
    bool SaveDialogOpen() override { return false; }
    bool DesktopFind(const char*, TDesktopPlace*) override { return false; }
    void DesktopStore(const char*, const TDesktopPlace&) override {}
    unsigned LookupKey(uint16_t*, TKeyMessage, unsigned, unsigned) override { return 0; }
    void OpenByName(const char*) override {}

    std::vector<unsigned> shown;
    std::function<void(unsigned)> onMessage;  // sees the window as the message box would cover it
};

inline LRESULT CALLBACK SearchTestFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND client = reinterpret_cast<HWND>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_CREATE) {
        CLIENTCREATESTRUCT ccs = {nullptr, 1000};
        client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0, 0,
                                 hwnd, nullptr, GetModuleHandleA(nullptr), &ccs);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(client));
    }
    return DefFrameProcA(hwnd, client, msg, wParam, lParam);
}

// One frame per suite, one editor window per test. The frame is tall enough that found lines can lie in
// either half of the screen.
class SearchWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        TWindowsEditor::Register(instance);
        InstallSearchCommands();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = SearchTestFrameProc;
        wc.hInstance = instance;
        wc.lpszClassName = "VokSearchTestFrame";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        RegisterClassA(&wc);
        frame = CreateWindowA("VokSearchTestFrame", "search test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              900, GetSystemMetrics(SM_CYSCREEN) - 20, nullptr, nullptr, instance, nullptr);
        client = reinterpret_cast<HWND>(GetWindowLongPtrA(frame, GWLP_USERDATA));
        RECT area;
        GetClientRect(frame, &area);
        MoveWindow(client, 0, 0, area.right, area.bottom, TRUE);
    }
    static void TearDownTestSuite()
    {
        DestroyWindow(frame);
        PumpMessages();
    }
    void SetUp() override
    {
        ASSERT_NE(frame, nullptr);
        SearchState() = TSearchState{};
        SetEditorServices(&services);
        RECT area;
        GetClientRect(client, &area);
        ed = TWindowsEditor::Create(client, "search.txt", 1, &area, false);
        ASSERT_NE(ed, nullptr);
        ed->SetEditorFont(static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT)), true);
        SetFocus(ed->Handle());
        PumpMessages();
    }
    void TearDown() override
    {
        if (ed) {
            ed->modified = false;
            SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(ed->Handle()), 0);
        }
        PumpMessages();
        SetEditorServices(nullptr);
        SearchState() = TSearchState{};
    }

    void Load(const std::string& text)
    {
        TMemInStream in(text);
        ASSERT_TRUE(ed->ReadFile(in, nullptr));
        ed->GotoPosition(0, 0, false);
    }
    std::string Line(int32_t line) { return ed->LineAt(line)->text; }

    // Runs an editor command whose dialog has the caption; step drives it as TModalDriver describes.
    void RunDialog(const char* caption, unsigned command, TModalDriver::TStep step)
    {
        TModalDriver::Run(
            caption,
            [&] {
                ed->ExecuteCommand(command, 0);
                return 0;
            },
            std::move(step));
        PumpMessages();
    }

    // Presses a button the way a click does, after the driver's tick has returned, so that whatever the
    // press opens runs its own loop outside the tick.
    static void Press(HWND box, int id)
    {
        HWND button = GetDlgItem(box, id);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }
    static void Toggle(HWND box, int id) { SendMessageA(GetDlgItem(box, id), BM_CLICK, 0, 0); }
    static bool IsChecked(HWND box, int id) { return IsDlgButtonChecked(box, id) == BST_CHECKED; }
    static std::string Field(HWND box, int id) { return WindowText(GetDlgItem(box, id)); }
    static void SetField(HWND box, int id, const char* text) { SetWindowTextA(GetDlgItem(box, id), text); }

    TSearchTestServices services;
    TWindowsEditor* ed = nullptr;
    static inline HWND frame = nullptr;
    static inline HWND client = nullptr;
};
