// Not a check: shows the Find dialog over an editor window for a screenshot (--gtest_also_run_disabled_tests).
#include "search/win32/SearchWindowFixture.h"

#include <cstdlib>

namespace {

class SearchShowcase : public SearchWindowTest {};

DWORD ShowMilliseconds()
{
    const char* seconds = std::getenv("VOK_SHOW_SECONDS");
    return 1000u * static_cast<DWORD>(seconds ? std::atoi(seconds) : 3);
}

DWORD gShowUntil = 0;

// Ends the dialog once it has been on the screen long enough.
void CALLBACK EndShow(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowA(nullptr, "Find");
    if (box && static_cast<LONG>(GetTickCount() - gShowUntil) >= 0)
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

TEST_F(SearchShowcase, DISABLED_FindDialog)
{
    for (const char* old : {"WM_COMMAND", "ReadFile", "[0-9]+", "TWindowsEditor", "search"})
        SearchState().findHistory.Add(old);
    SearchState().options.regex = true;
    Load("// The editor window's search hooks.\n#include \"editor_window/win32/WindowsEditor.h\"\n\n"
         "bool TWindowsEditor::FindDialog(TSearchRequest& request) noexcept\n{\n"
         "    TFindDlg dialog(InstanceOf(hwnd_), request);\n    return dialog.Run(hwnd_) == IDOK;\n}\n");
    ed->GotoPosition(12, 5, false);
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    gShowUntil = GetTickCount() + ShowMilliseconds();
    UINT_PTR timer = SetTimer(nullptr, 0, 100, EndShow);
    ed->ExecuteCommand(cmFind, 0);
    KillTimer(nullptr, timer);
}
