// The program's settings: every option of "ozm.ini" with its default and clamp, and the user tables.
#pragma once

#include <climits>
#include <functional>
#include <string>

#include "base/Profile.h"
#include "engine/Options.h"
#include "shell/FileTypes.h"
#include "shell/FindHistory.h"
#include "shell/RecentFiles.h"
#include "tools/UserHelp.h"
#include "tools/UserTools.h"

// The system's "default position" for a new top-level window (the value of CW_USEDEFAULT).
inline constexpr int kDefaultWindowPosition = INT_MIN;

// The frame's rectangle and maximised flag, the Window key.
struct TFramePlacement {
    int x = 10;
    int y = 10;
    int width = 600;
    int height = 380;
    bool maximised = false;
    bool operator==(const TFramePlacement&) const = default;
};

// The flags the menu toggles write at once.
enum class TImmediateFlag { SaveSettings, SaveDesktop, AutoLoad, AllowMultiInst };

// Loading and saving of the files other subsystems own, plugged in by them; empty hooks do nothing.
struct TSettingsHooks {
    std::function<void(const TProfile&)> loadAutoCorrect;
    std::function<bool(TProfile&)> saveAutoCorrect;
    std::function<void()> loadSyntax;
};

// TSettings is the one set of option values of the process. The editing options the engine needs live
// in its TEngineOptions (engine, normally EngineOptions()); everything else lives here. It also owns the
// user tables stored in the same file: recent files, user help, user tools and file filters. The find
// and replace histories are read into and written from two arrays, its own until the search state is
// connected with ConnectHistories.
class TSettings {
public:
    explicit TSettings(TEngineOptions& engineOptions = EngineOptions());
    TSettings(const TSettings&) = delete;  // refers to the engine's options and its own history arrays
    TSettings& operator=(const TSettings&) = delete;

    // Section Settings.
    bool saveSettings = true;
    bool saveDesktop = true;
    bool autoLoad = false;
    bool allowMultiInst = false;
    TFramePlacement window;
    bool statusBar = true;
    bool buttonBar = true;
    int btnBarStyle = -1;  // -1 default, 1 Windows 3.x, 2 Windows 95
    char fontName[32] = "Courier";
    int fontSize = 10;
    int fontWeight = 400;
    char lastDir[260] = "";
    bool associateDlgStartUp = true;

    // Section Editor, the keys the engine does not keep.
    bool backupFiles = true;
    bool wordWrapVisible = true;
    int rightMouseBtn = 0;  // 0 pop-up menu, 1 topic search
    char keyMappingFile[32] = "OZM.KEY";
    TEngineOptions& engine;

    THistoryList* findHistory;
    THistoryList* replaceHistory;

    TRecentFiles recentFiles;
    TUserHelp userHelp;
    TUserTools userTools;
    TFileTypes fileTypes;
    TSettingsHooks hooks;

    // Reads sections Settings, Editor and FindHistory key by key (missing keys take their defaults,
    // values out of range are clamped), then the recent files, user help, user tools, file filters
    // (defaults: the text of string 15000, nullptr for the built-in one), AutoCorrect and syntax files.
    void Load(const TProfile& ini, const char* defaultFileFilters = nullptr);
    // With full: the options, the window, the Editor keys and the histories. Always: LastDir, the font,
    // the recent files, user help, user tools, file filters (when changed) and the AutoCorrect file.
    [[nodiscard]] bool Save(TProfile& ini, bool full);
    // A menu toggle: sets the flag and writes it at once, except that turning SaveSettings on waits for
    // the next save.
    [[nodiscard]] bool SetFlagNow(TProfile& ini, TImmediateFlag flag, bool on);
    // The frame's state before a save: its rectangle is kept only while it is shown normally.
    void NoteFramePlacement(int x, int y, int width, int height, bool minimised, bool maximised);

    // KeyMappingFile holds a bare file name of at most 31 characters, "OZM.KEY" when empty.
    void SetKeyMappingFile(const char* path);
    [[nodiscard]] bool SaveKeyMappingFile(TProfile& ini) const;

    // Numeric and flag options by their key name ("TabSize", "WordWrapVisible"); setting clamps as
    // reading does. False for a key that is no such option.
    bool GetNumber(const char* key, int& value) const;
    bool SetNumber(const char* key, int value);

    void ConnectHistories(THistoryList& find, THistoryList& replace);

    // The Window value: "x y width height maximised". Fewer than four numbers, or a size that is not
    // positive, give the system's default position with 600 x 380.
    static TFramePlacement ParseWindow(const char* text);
    static std::string FormatWindow(const TFramePlacement& placement);

private:
    THistoryList ownFind_{};
    THistoryList ownReplace_{};
};

// The settings of this process, bound to EngineOptions().
TSettings& ProgramSettings();
