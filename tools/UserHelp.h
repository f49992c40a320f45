// The user's own help files at the end of the Help menu (section UserHelp).
#pragma once

#include <string>
#include <vector>

#include "base/Profile.h"

inline constexpr int kUserHelpCount = 5;
inline constexpr int kUserHelpFirstCommand = 960;  // commands 960..964 open entries 0..4

struct TUserHelpElement {
    char menuString[20] = "";
    char helpFile[80] = "";
};

struct TUserHelpMenuItem {
    int command;
    std::string text;
};

// TUserHelp holds the five entries and which one keyword searches use. An entry is in use when it names
// a help file.
class TUserHelp {
public:
    TUserHelpElement& operator[](int i) { return entries_[i]; }
    const TUserHelpElement& operator[](int i) const { return entries_[i]; }
    void Set(int index, const char* menuString, const char* helpFile);
    bool InUse(int index) const;
    int Active() const { return active_; }
    void SetActive(int index) { active_ = index >= 0 && index < kUserHelpCount ? index : 0; }
    // Keyword Search is offered while the active entry is in use.
    bool KeywordAvailable() const { return InUse(active_); }

    // ContextHelpFile is the active entry + 1; 0 or above 5 makes the first entry active.
    void Load(const TProfile& ini, const char* section = "UserHelp");
    [[nodiscard]] bool Save(TProfile& ini, const char* section = "UserHelp") const;

    // One item per entry in use, "Extern Help %d" standing in for an empty menu string.
    std::vector<TUserHelpMenuItem> MenuItems() const;

private:
    TUserHelpElement entries_[kUserHelpCount];
    int active_ = 0;
};
