// The short list of recently closed files at the end of the File menu (section LastOpened).
#pragma once

#include <string>
#include <vector>

#include "base/Profile.h"

inline constexpr int kRecentFileCount = 4;
inline constexpr int kRecentFileFirstCommand = 160;  // commands 160..163 open slots 0..3
inline constexpr int kMoreFilesCommand = 169;
inline constexpr int kRecentMenuNameLength = 42;

// One item the File menu shows for the recent files.
struct TRecentMenuItem {
    int command;
    std::string text;
};

// TRecentFiles holds four paths, slot 0 the newest; an empty slot has an empty string. A path is kept
// whole (up to 259 characters): a cut path would name another file, or none.
class TRecentFiles {
public:
    TRecentFiles();

    // Moves or inserts path at slot 0, dropping the oldest when all four are used. Paths that differ
    // only in the case of their letters name the same file.
    void Add(const char* path);
    // Removes path and closes the gap.
    void Remove(const char* path);
    void Clear();
    // The path in slot n, "" when the slot is empty or n is out of range.
    const char* Slot(int n) const;
    int Count() const;

    void Load(const TProfile& ini);
    [[nodiscard]] bool Save(TProfile& ini) const;

    // The items to append after a separator at the end of the File menu (none when slot 0 is empty):
    // "&1 name" .. "&4 name" with the file name cut at 42 characters, and moreFiles (command 169) when
    // all four slots are used; a null moreFiles reads as "More Files...".
    std::vector<TRecentMenuItem> MenuItems(const char* moreFiles) const;

private:
    char slots_[kRecentFileCount][260];
};
