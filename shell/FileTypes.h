// The table of file types the Open and Save As dialogs offer (section FileFilters).
#pragma once

#include <cstddef>
#include <vector>

#include "base/Profile.h"

// The built-in table, the text of string 15000: description and pattern pairs, each followed by the
// separator, which is the text's last character.
extern const char kDefaultFileFilters[];

inline constexpr std::size_t kOpenFilterListSize = 512;
inline constexpr std::size_t kSaveAsFilterListSize = 256;

struct TFileTypeElement {
    char description[64];
    char pattern[64];
};

// TFileTypes is the growable table of filters with a modified flag; it is written back only when it
// was changed (or filled from the built-in table), and then replaces the whole section.
class TFileTypes {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const TFileTypeElement& operator[](int i) const { return items_[static_cast<std::size_t>(i)]; }
    void Clear() { items_.clear(); }
    // Appends an entry, both texts cut to 63 characters.
    void Append(const char* description, const char* pattern);
    void Remove(int index);
    void Move(int from, int to);
    bool Modified() const { return modified_; }
    void SetModified(bool modified = true) { modified_ = modified; }

    // Loads the keys of section in order; with none, splits defaults (string 15000; nullptr reads as the
    // built-in table) and marks the table modified so that it is written at the next save.
    void Load(const TProfile& ini, const char* section = "FileFilters", const char* defaults = nullptr);
    // When modified: deletes every key of section and writes one key per entry.
    [[nodiscard]] bool Save(TProfile& ini, const char* section = "FileFilters");
    // Splits a separator-ended string of description/pattern pairs into the table.
    void AppendPairs(const char* pairs);

    // Fills buffer with "description\0pattern\0" for every entry that fits, closed by an empty string, in
    // at most size bytes; answers the number of bytes used, the closing NUL included.
    std::size_t FilterList(char* buffer, std::size_t size) const;

private:
    std::vector<TFileTypeElement> items_;
    bool modified_ = false;
};
