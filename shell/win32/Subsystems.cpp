// How the shell reaches the other subsystems: connected once at start-up, the control library started and
// ended, help topics and the find-files dialog shown, and the tables they share released at exit.
#include "shell/win32/Subsystems.h"

#include "base/win32/ProgramFolder.h"
#include "controls/VokCtl.h"
#include "engine/win32/IntlProfile.h"
#include "keys/win32/MacroDlgs.h"
#include "macros/MacroRecorder.h"
#include "macros/MacroTable.h"
#include "printing/win32/VokPrinter.h"
#include "search/Search.h"
#include "search/SearchState.h"
#include "search/win32/SearchDlgSupport.h"
#include "shell/CommandRouting.h"
#include "shell/Settings.h"
#include "shell/win32/VokMessage.h"
#include "syntax/SyntaxTable.h"
#include "PrintIds.h"

// The printing dialogs name their topics by the resource ids; the help file knows them by these.
static_assert(HELP_PAGE_SETUP == kHelpPageSetupDialog && HELP_PRINT_DIALOG == kHelpPrintDialog);

namespace {
std::string gSyntaxFile;
}  // namespace

void UseSyntaxFile(const std::string& path)
{
    gSyntaxFile = path;
}

std::string SyntaxFilePath()
{
    if (!gSyntaxFile.empty())
        return gSyntaxFile;
    return ProgramFolder() + "syntax.hgl";
}

void ConnectSubsystems()
{
    InstallSearchCommands();
    InstallMacroHost();
    InstallIntlProfile();
    // The macro and key dialogs speak through the program's message box, which the test mode answers.
    SetKeyDlgMessenger(VokMessageText);
    // The search dialogs' Help buttons open the program's help.
    SetSearchDialogHelp(ShowHelpContext);
    SetPrintDialogHelp(ShowHelpContext);
    ProgramSettings().hooks.loadSyntax = [] { LoadSyntaxTable(ProgramSyntaxTable(), SyntaxFilePath().c_str()); };
}

bool StartControlLibrary(HINSTANCE instance)
{
    return InitVokCtrl(instance) != 0;
}

void EndControlLibrary(HINSTANCE instance)
{
    DeleteVokCtrl(instance);
}

void ReleaseSharedTables()
{
    Macros().Clear();
    for (int i = 0; i < TSearchHistory::kEntries; ++i) {
        SearchState().findHistory.Set(i, "");
        SearchState().replaceHistory.Set(i, "");
    }
}
