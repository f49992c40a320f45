// The settings file in use, and the settings and the desktop read from it at start and written to it at exit.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "editor_window/win32/EditorServices.h"
#include "shell/Settings.h"

// The settings file in use: "ozm.ini" in the Windows directory unless another is chosen (tests, test runs).
void UseSettingsFile(const std::string& path);
// The settings file in use, for the parts that keep keys of their own there (AutoCorrect's flags).
TProfile& SettingsProfile();

// Start-up and exit, in the order the entry and the frame call them.
void LoadDesktopList();
void LoadAllSettings();
// The editor windows read backup files, the visible margin and the right mouse button from the editing
// options, the settings file keeps them with the settings: toWindows hands the loaded values over, else back.
void ShareWindowOptions(TSettings& settings, bool toWindows);
// With full, every option; otherwise what is always kept (last directory, font, recent files, tables).
void SaveAllSettings(HWND frame, bool full);
// A menu toggle of Options: the flag is set and written at once.
void SetSettingsFlagNow(TImmediateFlag flag, bool on);
// Remembers every editor window with a file; with list, also writes the AutoLoad list of their paths.
void SaveDesktop(HWND mdiClient, bool list);
void FreeDesktopList();
// Command 727: the files of the saved desktop, in the order they are to be opened.
std::vector<std::string> DesktopRestoreList();

// The desktop list and the recent files, as the editor windows use them.
bool DesktopFind(const char* path, TDesktopPlace* place);
void DesktopStore(const char* path, const TDesktopPlace& place);
void RecentFileAdd(const char* path);
