// The frame's links to settings, desktop, recent files, key map, file filters and the control library.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editor_window/win32/EditorServices.h"
#include "shell/Settings.h"

// The settings file in use: "ozm.ini" in the Windows directory unless another is chosen (tests, test runs).
// Connects the dispatcher to search and macros, and dates to the regional settings; once at start-up.
void ConnectSubsystems();
void UseSettingsFile(const std::string& path);

// Start-up and exit, in the order the entry and the frame call them.
void LoadDesktopList();
void LoadAllSettings();
void LoadKeyMapping();
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

// The key map: one lookup per key message (see TEditorServices::LookupKey), and its change state.
unsigned LookupKeyBinding(uint16_t* keyState, int kind, unsigned code, unsigned modifiers);
bool KeyMappingChanged();
bool SaveKeyMapping();

// The file type table as description/pattern rows, and the filter block the file dialogs take (limit
// bytes at most, the closing empty string included).
struct TFilterRow {
    std::string description;
    std::string pattern;
};
std::vector<TFilterRow> FileFilterRows();
void SetFileFilterRows(const std::vector<TFilterRow>& rows);
std::string FileDialogFilter(std::size_t limit);

// The control library's start and end.
bool StartControlLibrary(HINSTANCE instance);
void EndControlLibrary(HINSTANCE instance);

// Help topics and the find-files dialog.
void ShowHelpContext(HWND owner, unsigned context);
bool RunFindFilesDialog(HWND owner, char* buffer, std::size_t size);

// At exit, after the message loop: the tables every document shares (stored macros, find histories).
void ReleaseSharedTables();
