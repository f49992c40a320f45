// The program's help: its own compiled HTML help file beside the program, the user's help files, and the
// Windows viewers that show them (HTML Help from hhctrl.ocx, loaded when first needed, and WinHelp).
#pragma once

#include <windows.h>

#include <string>

#include "tools/HelpDesk.h"

// The viewers of the system.
class TWindowsHelp final : public THelpEngine {
public:
    bool FileExists(const std::string& path) override;
    bool Open(void* owner, const THelpRequest& request) override;
    // Closes the HTML Help windows the program opened; nothing when the viewer was never loaded.
    static void CloseAll();
};

// The engine in force: the system's unless a test installed another (nullptr restores the system's).
THelpEngine& HelpEngine();
void SetHelpEngine(THelpEngine* engine);

inline constexpr const char* kMainHelpName = "OZM.CHM";
// "OZM.CHM" beside the program, or the file tests named with UseHelpFile (empty: beside again).
std::string MainHelpFile();
void UseHelpFile(const std::string& path);

// Each shows the help asked for, or a message naming the file when it is missing or cannot be shown.
void ShowHelpContents(HWND owner);
void ShowQuickHelp(HWND owner, unsigned context);
void ShowUserHelpFile(HWND owner, const TUserHelp& help, int index);
// The active user help file at word; false (nothing shown) when no keyword help file is configured.
bool ShowKeywordHelp(HWND owner, const TUserHelp& help, const std::string& word);
