// The frame's links to settings, desktop, recent files, key map, file filters and the control library.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editor_window/win32/EditorServices.h"

// The options the frame reads and writes, by their settings key names.
struct TFrameOptions {
    bool saveSettings = true;     // SaveSettings
    bool saveDesktop = true;      // SaveDesktop
    bool autoLoad = false;        // AutoLoad
    bool allowMultiInst = false;  // AllowMultiInst
    int windowX = CW_USEDEFAULT;  // Window
    int windowY = CW_USEDEFAULT;
    int windowWidth = 760;
    int windowHeight = 560;
    bool windowMaximized = false;
    bool statusBar = true;        // StatusBar
    bool buttonBar = true;        // ButtonBar
    int btnBarStyle = -1;         // BtnBarStyle
    std::string fontName = "Courier New";  // FontName
    int fontSize = 10;            // FontSize
    int fontWeight = 400;         // FontWeight
    bool detectFileFormat = true; // DetectFileFormat
    std::string lastDir;          // LastDir
};
TFrameOptions& FrameOptions();

// Start-up and exit, in the order the entry calls them.
void LoadDesktopList();
void LoadAllSettings();
void LoadKeyMapping();
void SaveAllSettings(bool full);
void SaveDesktop(HWND mdiClient, bool list);
void FreeDesktopList();

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

// Command 727: the files of the saved desktop, in the order they are to be opened.
std::vector<std::string> DesktopRestoreList();

// At exit, after the message loop: the tables every document shares (stored macros, find histories).
void ReleaseSharedTables();
