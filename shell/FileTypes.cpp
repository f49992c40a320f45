// The file type table: loading with its built-in default, saving when changed, and the dialog filter list.
#include "shell/FileTypes.h"

#include <cstring>
#include <string>

#include "base/TextTools.h"

const char kDefaultFileFilters[] = "All Text Files|*.txt;*.doc;*.ini;*.inf;*.log;*.c;*.cpp;*.h|"
                                   "Text files (*.txt)|*.txt|"
                                   "Windows Files|*.ini;*.inf|"
                                   "C/C++ Files|*.c;*.h;*.cpp;*.mak|"
                                   "Assembler Files|*.asm;*.inc|"
                                   "Pascal Files|*.pas|"
                                   "Fortran Files|*.for|"
                                   "Clipper Files|*.prg;*.ch|"
                                   "All Files (*.*)|*.*|";

namespace {

const int kKeyListSize = 384;

}  // namespace

void TFileTypes::Append(const char* description, const char* pattern)
{
    TFileTypeElement e;
    CopyCut(e.description, description);
    CopyCut(e.pattern, pattern);
    items_.push_back(e);
}

void TFileTypes::Remove(int index)
{
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
}

void TFileTypes::Move(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to) return;
    TFileTypeElement e = items_[static_cast<std::size_t>(from)];
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, e);
}

void TFileTypes::AppendPairs(const char* pairs)
{
    std::size_t length = pairs != nullptr ? std::strlen(pairs) : 0;
    if (length == 0) return;
    const char separator = pairs[length - 1];
    std::string text(pairs, length);
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) Append(parts[i].c_str(), parts[i + 1].c_str());
}

void TFileTypes::Load(const TProfile& ini, const char* section, const char* defaults)
{
    items_.clear();
    modified_ = false;
    char keys[kKeyListSize] = {};
    const int answered = ini.GetKeyNames(section, keys, sizeof keys);
    for (int at = 0; at < answered && keys[at] != '\0';) {
        const char* key = keys + at;
        at += static_cast<int>(std::strlen(key)) + 1;
        char pattern[64];
        // A list cut by its buffer ends in a cut name, which is no key of the section: leave it out
        // instead of adding a filter with a wrong name and no pattern.
        if (ini.GetString(section, key, "\x01", pattern, sizeof pattern) == 1 && pattern[0] == '\x01')
            continue;
        Append(key, pattern);
    }
    if (items_.empty()) {
        AppendPairs(defaults != nullptr ? defaults : kDefaultFileFilters);
        modified_ = true;
    }
}

bool TFileTypes::Save(TProfile& ini, const char* section)
{
    if (!modified_) return true;
    bool ok = ini.DeleteSection(section);
    for (const TFileTypeElement& e : items_) ok = ini.WriteString(section, e.description, e.pattern) && ok;
    if (ok) modified_ = false;
    return ok;
}

std::size_t TFileTypes::FilterList(char* buffer, std::size_t size) const
{
    if (buffer == nullptr || size == 0) return 0;
    std::size_t used = 0;
    for (const TFileTypeElement& e : items_) {
        std::size_t d = std::strlen(e.description) + 1;
        std::size_t p = std::strlen(e.pattern) + 1;
        // The closing empty string always keeps its byte.
        if (used + d + p + 1 > size) continue;
        std::memcpy(buffer + used, e.description, d);
        std::memcpy(buffer + used + d, e.pattern, p);
        used += d + p;
    }
    buffer[used++] = '\0';
    return used;
}
