// The Windows side of the settings: the registry install record, resources, and the menu tails they fill.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/Profile.h"
#include "shell/Desktop.h"
#include "shell/FirstRun.h"
#include "shell/Settings.h"

// The install record in the current user's registry key (by default "Software\Vok\Vok Text Editor\Install").
class TRegistryInstallRecord : public TInstallRecord {
public:
    explicit TRegistryInstallRecord(std::string keyPath = "Software\\Vok\\Vok Text Editor\\Install");
    bool ReadStart(uint32_t& value) override;
    void WriteStart(uint32_t value) override;

private:
    std::string keyPath_;
};

// A string resource of module, or fallback when it is missing.
std::string LoadResourceText(HINSTANCE module, UINT id, const char* fallback);
// The program's short path, version (string 32702) and language (string 32701).
TProgramIdentity ThisProgramIdentity(HINSTANCE module);

// Start-up: the first-run check against the registry and "vok.ini", then every setting from ozmIni, with
// the file filter defaults of string 15000.
void LoadProgramSettings(TSettings& settings, TProfile& ozmIni, HINSTANCE module);

// Hands the frame's rectangle and state to the settings before they are saved.
void NoteFramePlacement(TSettings& settings, HWND frame);
// The state of an editor child window of the client area, for the desktop list.
TWindowPlacementInfo PlacementOfChild(HWND child, HWND client);

// One command item of a menu tail.
struct TMenuTailItem {
    int command;
    std::string text;
};
// Removes every item whose command is in [firstCommand, lastCommand] and then a trailing separator;
// appends a separator and the items when there are any.
void RebuildMenuTail(HMENU menu, int firstCommand, int lastCommand, const std::vector<TMenuTailItem>& items);
// The File menu's recent files (commands 160..163 and 169; moreFiles is string 1550).
void RebuildRecentFileMenu(HMENU fileMenu, const TRecentFiles& recent, HINSTANCE module);
void RebuildUserToolMenu(HMENU toolsMenu, const TUserTools& tools);
void RebuildUserHelpMenu(HMENU helpMenu, const TUserHelp& help);
