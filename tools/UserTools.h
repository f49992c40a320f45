// The table of user tools on the Tools menu (section UserTools) and its menu items.
#pragma once

#include <string>
#include <vector>

#include "base/Profile.h"

inline constexpr int kMaxUserTools = 9;
inline constexpr int kUserToolFirstCommand = 560;  // frame commands 560..568 run tools 0..8

// How the file-name argument macros are expanded.
enum class TShortNames { WhenSpaced = 0, Never = 1, Always = 2 };
// What is saved before a tool runs.
enum class TSaveBeforeTool { Nothing = 0, ActiveFile = 1, AllFiles = 2 };

struct TUserToolElement {
    char menuText[40] = "";
    char program[260] = "";
    char arguments[256] = "";
    char initialDir[256] = "";
    bool askArguments = false;
    bool captureOutput = false;
    TSaveBeforeTool saveFiles = TSaveBeforeTool::ActiveFile;
    bool promptBeforeSave = false;
    TShortNames shortNames = TShortNames::WhenSpaced;
};

// One item the Tools menu shows for a tool.
struct TUserToolMenuItem {
    int command;
    std::string text;
};

// TUserTools holds at most nine tools in menu order; a tenth is refused.
class TUserTools {
public:
    int Count() const { return static_cast<int>(tools_.size()); }
    TUserToolElement& operator[](int i) { return tools_[static_cast<std::size_t>(i)]; }
    const TUserToolElement& operator[](int i) const { return tools_[static_cast<std::size_t>(i)]; }
    // The tool of index, or nullptr beyond the table.
    const TUserToolElement* Tool(int index) const;
    [[nodiscard]] bool Append(const TUserToolElement& tool);
    void Remove(int index);
    void Move(int from, int to);
    void Clear() { tools_.clear(); }

    // Reads tools 1..9, stopping at the first number whose menu text or program is empty; values out
    // of range are clamped.
    void Load(const TProfile& ini, const char* section = "UserTools");
    // Writes the nine keys of every tool, then deletes the keys of the numbers after the last tool.
    [[nodiscard]] bool Save(TProfile& ini, const char* section = "UserTools") const;

    // The items to append after a separator at the end of the Tools menu; "UserTool %d" stands in for
    // an empty menu text.
    std::vector<TUserToolMenuItem> MenuItems() const;

private:
    std::vector<TUserToolElement> tools_;
};
