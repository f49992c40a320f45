// The desktop list: adding and finding entries, and its LastFilesInfo and AutoLoad sections.
#include "shell/Desktop.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/TextTools.h"

namespace {

const char kInfoSection[] = "LastFilesInfo";
const char kAutoLoadSection[] = "AutoLoad";
const int kLineBufferSize = 388;

bool ReadNumber(const char*& p, long& value)
{
    while (*p == ' ' || *p == '\t') ++p;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(p, &end, 10);
    if (end == p) return false;
    p = end;
    if (errno == ERANGE || value < INT32_MIN || value > INT32_MAX) value = value < 0 ? INT32_MIN : INT32_MAX;
    return true;
}

}  // namespace

TDesktopList& ProgramDesktop()
{
    static TDesktopList desktop;
    return desktop;
}

void TDesktopList::Add(const char* path, int16_t column, int32_t line, int32_t left, int32_t top,
                       int32_t width, int32_t height, int32_t state)
{
    TDesktopElement entry{};
    CopyCut(entry.path, path);
    entry.column = column;
    entry.line = line;
    entry.left = left;
    entry.top = top;
    entry.width = width;
    entry.height = height;
    entry.state = state;
    Add(entry);
}

void TDesktopList::Add(const TDesktopElement& entry)
{
    if (entry.path[0] == '\0') return;
    TDesktopElement copy = entry;  // entry may be one of ours, about to move
    int found = Find(copy.path);
    int from = found > 0 ? found - 1 : (count_ == kDesktopCapacity ? 0 : count_);
    for (int i = from; i + 1 < count_; ++i) entries_[i] = entries_[i + 1];
    if (found > 0 || count_ == kDesktopCapacity) --count_;
    entries_[count_++] = copy;
}

int TDesktopList::Find(const char* path) const
{
    if (path == nullptr || *path == '\0') return 0;
    for (int i = 0; i < count_; ++i)
        if (EqualNoCase(entries_[i].path, path)) return i + 1;
    return 0;
}

int32_t TDesktopList::Field(int index, TDesktopField field) const
{
    const TDesktopElement* e = Entry(index);
    if (e == nullptr) return field == TDesktopField::State ? 1 : 0;
    switch (field) {
    case TDesktopField::Column: return e->column;
    case TDesktopField::Line: return e->line;
    case TDesktopField::Left: return e->left;
    case TDesktopField::Top: return e->top;
    case TDesktopField::Width: return e->width;
    case TDesktopField::Height: return e->height;
    case TDesktopField::State: return e->state;
    }
    return 0;
}

const TDesktopElement* TDesktopList::Entry(int n) const
{
    return n >= 1 && n <= count_ ? &entries_[n - 1] : nullptr;
}

const char* TDesktopList::Path(int n) const
{
    const TDesktopElement* e = Entry(n);
    return e != nullptr ? e->path : "";
}

std::string TDesktopList::FormatLine(const TDesktopElement& e)
{
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, " %hd %ld %d %d %d %d %d", e.column, static_cast<long>(e.line),
                  static_cast<int>(e.left), static_cast<int>(e.top), static_cast<int>(e.width),
                  static_cast<int>(e.height), static_cast<int>(e.state));
    return "\"" + std::string(e.path) + "\"" + numbers;
}

bool TDesktopList::ParseLine(const char* text, TDesktopElement& entry)
{
    entry = TDesktopElement{};
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    const char* start = p;
    const char* end;
    if (*p == '"') {
        start = ++p;
        end = std::strchr(start, '"');
        if (end == nullptr) return false;
        p = end + 1;
    } else {
        end = start;
        while (*end != '\0' && *end != ' ') ++end;
        p = end;
    }
    std::size_t length = static_cast<std::size_t>(end - start);
    if (length == 0) return false;
    if (length > sizeof entry.path - 1) length = sizeof entry.path - 1;
    std::memcpy(entry.path, start, length);
    entry.path[length] = '\0';

    long n[7];
    for (long& value : n)
        if (!ReadNumber(p, value)) return false;
    entry.column = static_cast<int16_t>(n[0] < INT16_MIN ? INT16_MIN : n[0] > INT16_MAX ? INT16_MAX : n[0]);
    entry.line = static_cast<int32_t>(n[1]);
    entry.left = static_cast<int32_t>(n[2]);
    entry.top = static_cast<int32_t>(n[3]);
    entry.width = static_cast<int32_t>(n[4]);
    entry.height = static_cast<int32_t>(n[5]);
    entry.state = static_cast<int32_t>(n[6]);
    return true;
}

void TDesktopList::Read(const TProfile& ini)
{
    Clear();
    for (int n = 1; n <= kDesktopCapacity; ++n) {
        char key[4];
        char value[kLineBufferSize];
        std::snprintf(key, sizeof key, "%d", n);
        ini.GetString(kInfoSection, key, "X", value, sizeof value);
        TDesktopElement entry;
        if (ParseLine(value, entry)) Add(entry);
    }
}

bool TDesktopList::Write(TProfile& ini) const
{
    bool ok = true;
    for (int n = 1; n <= kDesktopCapacity; ++n) {
        char key[4];
        std::snprintf(key, sizeof key, "%d", n);
        std::string value = n <= count_ ? FormatLine(entries_[n - 1]) : std::string();
        ok = ini.WriteString(kInfoSection, key, value.c_str()) && ok;
    }
    return ok;
}

bool TDesktopList::Save(TProfile& ini, const std::vector<TDesktopWindow>& windows, bool list)
{
    for (const TDesktopWindow& w : windows)
        if (!w.path.empty()) Add(w.path.c_str(), w.column, w.line, w.left, w.top, w.width, w.height, w.state);
    bool ok = Write(ini);
    if (!list) return ok;
    int n = 1;
    char key[4];
    for (const TDesktopWindow& w : windows) {
        if (w.path.empty() || n > kDesktopCapacity) continue;
        std::snprintf(key, sizeof key, "%d", n++);
        ok = ini.WriteString(kAutoLoadSection, key, w.path.c_str()) && ok;
    }
    for (; n <= kDesktopCapacity; ++n) {
        std::snprintf(key, sizeof key, "%d", n);
        ok = ini.WriteString(kAutoLoadSection, key, "") && ok;
    }
    return ok;
}

std::vector<std::string> ReadAutoLoadList(const TProfile& ini)
{
    std::vector<std::string> paths;
    for (int n = 1; n <= kDesktopCapacity; ++n) {
        char key[4];
        std::snprintf(key, sizeof key, "%d", n);
        std::string path = ini.GetText(kAutoLoadSection, key, "", 260);
        if (!path.empty()) paths.push_back(path);
    }
    return paths;
}

void ChooseDesktopRectangle(const TWindowPlacementInfo& info, TDesktopWindow& window)
{
    if (!info.minimised && !info.maximised && !info.frameMinimised) {
        window.left = info.left;
        window.top = info.top;
        window.width = info.width;
        window.height = info.height;
        window.state = 1;
        return;
    }
    window.left = info.restoredLeft;
    window.top = info.restoredTop;
    window.width = info.restoredWidth;
    window.height = info.restoredHeight;
    window.state = info.minimised ? 2 : info.maximised ? 3 : 1;
}
