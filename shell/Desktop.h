// The desktop list: the files of the last run with their cursor places and window rectangles.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/Profile.h"

inline constexpr int kDesktopCapacity = 20;

// One remembered file. The rectangle is in the frame's client coordinates; state is 1 normal,
// 2 minimised, 3 maximised.
struct TDesktopElement {
    char path[260];
    int16_t column;
    int32_t line;
    int32_t left, top, width, height;
    int32_t state;
};

// Fields of an entry, in the order the desktop field operation numbers them.
enum class TDesktopField { Column = 0, Line, Left, Top, Width, Height, State };

// An open editor window as the frame hands it over when the desktop is saved.
struct TDesktopWindow {
    std::string path;
    int16_t column;
    int32_t line;
    int32_t left, top, width, height;
    int32_t state;
};

// TDesktopList holds up to 20 entries, the newest last, each path at most once (compared without regard
// to letter case). It reads and writes section LastFilesInfo and writes the AutoLoad list.
class TDesktopList {
public:
    void Clear() { count_ = 0; }
    // Removes an entry with the same path, drops the oldest when all 20 are used, appends this one.
    void Add(const char* path, int16_t column, int32_t line, int32_t left, int32_t top, int32_t width,
             int32_t height, int32_t state);
    void Add(const TDesktopElement& entry);
    // 1-based index of the entry for path, 0 when there is none.
    int Find(const char* path) const;
    // A field of entry index (1-based); index 0 reads 0 in every field except the state, which reads 1.
    int32_t Field(int index, TDesktopField field) const;
    int Count() const { return count_; }
    // The path of entry n (1-based), "" when out of range.
    const char* Path(int n) const;
    const TDesktopElement* Entry(int n) const;

    // Reads LastFilesInfo keys 1..20; lines that do not parse are left out.
    void Read(const TProfile& ini);
    // Writes every entry to LastFilesInfo and empties the keys beyond the count.
    [[nodiscard]] bool Write(TProfile& ini) const;
    // Saves the desktop: adds an entry for every window, writes LastFilesInfo, and with list set writes
    // the windows' paths in order to AutoLoad, emptying the remaining keys up to 20.
    [[nodiscard]] bool Save(TProfile& ini, const std::vector<TDesktopWindow>& windows, bool list);

    // The value of a LastFilesInfo key: "\"path\" column line left top width height state".
    static std::string FormatLine(const TDesktopElement& entry);
    // Parses such a value: a quoted path, or one without blanks, then all seven numbers.
    [[nodiscard]] static bool ParseLine(const char* text, TDesktopElement& entry);

private:
    TDesktopElement entries_[kDesktopCapacity];
    int count_ = 0;
};

// The desktop list of this process.
TDesktopList& ProgramDesktop();

// The non-empty paths of section AutoLoad, in key order.
std::vector<std::string> ReadAutoLoadList(const TProfile& ini);

// The rectangle and state to remember for a window: its current rectangle with state 1 while it is
// shown normally in a frame that is not minimised; otherwise its restored rectangle with state 2 when it
// is minimised, 3 when maximised, else 1.
struct TWindowPlacementInfo {
    bool minimised, maximised, frameMinimised;
    int32_t left, top, width, height;                                  // current
    int32_t restoredLeft, restoredTop, restoredWidth, restoredHeight;  // restored
};
void ChooseDesktopRectangle(const TWindowPlacementInfo& info, TDesktopWindow& window);
