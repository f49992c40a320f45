// Not a check: shows the Find and Replace dialogs over an editor window for screenshots
// (run with --gtest_also_run_disabled_tests).
#include "search/win32/SearchWindowFixture.h"

#include <cstdlib>

namespace {

DWORD ShowMilliseconds()
{
    const char* seconds = std::getenv("VOK_SHOW_SECONDS");
    return 1000u * static_cast<DWORD>(seconds ? std::atoi(seconds) : 3);
}

const char* gCaption = "";
bool gOpenMenu = false;
bool gMenuOpened = false;
DWORD gShowUntil = 0;

// Opens the pattern menu under the Find field's "..." button when asked, and ends the dialog once it has
// been on the screen long enough.
void CALLBACK StepShow(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowA(nullptr, gCaption);
    if (!box)
        return;
    if (gOpenMenu && !gMenuOpened) {
        gMenuOpened = true;
        RECT button;
        GetWindowRect(GetDlgItem(box, IDC_SRCH_FINDMENU), &button);
        SetCursorPos(button.left + 4, button.bottom);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_SRCH_FINDMENU, BN_CLICKED), 0);
        return;
    }
    if (static_cast<LONG>(GetTickCount() - gShowUntil) < 0)
        return;
    EndMenu();
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
}

class SearchShowcase : public SearchWindowTest {
protected:
    void Show(const char* caption, unsigned command, bool menu)
    {
        for (const char* old : {"WM_COMMAND", "ReadFile", "[0-9]+", "TWindowsEditor", "search"})
            SearchState().findHistory.Add(old);
        SearchState().replaceHistory.Add("TFindDlg");
        Load("// The editor window's search hooks.\n#include \"editor_window/win32/WindowsEditor.h\"\n\n"
             "bool TWindowsEditor::FindDialog(TSearchRequest& request) noexcept\n{\n"
             "    TFindDlg dialog(InstanceOf(hwnd_), request);\n    return dialog.Run(hwnd_) == IDOK;\n}\n");
        ed->GotoPosition(12, 5, false);
        RedrawWindow(frame, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        gCaption = caption;
        gOpenMenu = menu;
        gMenuOpened = false;
        gShowUntil = GetTickCount() + ShowMilliseconds();
        UINT_PTR timer = SetTimer(nullptr, 0, 300, StepShow);
        ed->ExecuteCommand(command, 0);
        KillTimer(nullptr, timer);
    }
};

}  // namespace

TEST_F(SearchShowcase, DISABLED_FindDialog)
{
    SearchState().options.regex = true;
    Show("Find", cmFind, false);
}

TEST_F(SearchShowcase, DISABLED_ReplaceDialogWithPatternMenu)
{
    Show("Replace", cmReplace, true);
}
