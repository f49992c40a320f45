// libFuzzer target for the portable profile file (TIniFile); not part of the CMake build.
//
// Build and run from the source root (scripts/fuzz.sh does both, see fuzz/README.md):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. fuzz/IniFileFuzz.cpp \
//       base/IniFile.cpp base/Profile.cpp -o ini_file_fuzz
//   ./ini_file_fuzz -max_len=4096 -dict=fuzz/ini_file.dict fuzz/corpus/ini_file
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "base/IniFile.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// One value as a reader sees it: section, key and the value read under them.
struct TEntry {
    std::string section;
    std::string key;
    std::string value;
    bool operator==(const TEntry&) const = default;
};

std::vector<std::string> NameList(const std::vector<char>& buffer, int answered)
{
    std::vector<std::string> names;
    for (std::size_t at = 0; at < static_cast<std::size_t>(answered) && buffer[at] != '\0';) {
        names.emplace_back(buffer.data() + at);
        at += names.back().size() + 1;
    }
    return names;
}

// Everything a reader can reach through the profile operations, in file order.
std::vector<TEntry> View(const TIniFile& ini, int room)
{
    std::vector<TEntry> view;
    std::vector<char> buffer(static_cast<std::size_t>(room) + 2, '\0');
    const std::vector<std::string> sections = NameList(buffer, ini.GetSectionNames(buffer.data(), room));
    for (const std::string& section : sections) {
        std::fill(buffer.begin(), buffer.end(), '\0');
        const std::vector<std::string> keys =
            NameList(buffer, ini.GetKeyNames(section.c_str(), buffer.data(), room));
        for (const std::string& key : keys) {
            std::fill(buffer.begin(), buffer.end(), '\x7f');
            int n = ini.GetString(section.c_str(), key.c_str(), "\x01missing", buffer.data(), room);
            // The answer counts exactly the characters before the terminator.
            Check(n >= 0 && n < room && buffer[static_cast<std::size_t>(n)] == '\0');
            Check(std::strlen(buffer.data()) == static_cast<std::size_t>(n));
            view.push_back({section, key, std::string(buffer.data(), static_cast<std::size_t>(n))});
        }
    }
    return view;
}

// Whether WriteString may take these names; the ones it refuses are left out of the writes below.
bool Writable(const TEntry& e)
{
    return TProfile::IsWritableKey(e.section.c_str()) && TProfile::IsWritableKey(e.key.c_str()) &&
           e.section.find(']') == std::string::npos;
}

// The first entry of each section and key name pair is the one lookups find.
const TEntry* Lookup(const std::vector<TEntry>& view, const TEntry& e)
{
    auto same = [](const std::string& a, const std::string& b) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
            char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 32) : b[i];
            if (x != y)
                return false;
        }
        return true;
    };
    for (const TEntry& v : view)
        if (same(v.section, e.section) && same(v.key, e.key))
            return &v;
    return nullptr;
}

std::string Read(const std::string& path)
{
    std::string text;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char chunk[4096];
        std::size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            text.append(chunk, n);
        std::fclose(f);
    }
    return text;
}

}  // namespace

// The input is a profile file; its last line, cut at a NUL, doubles as a value to write. Writing back
// every value as it was read must leave every value a reader sees unchanged; writing a new value must
// change that one value and nothing else; a value written must read back exactly.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    // Every operation reads and rewrites the file: a folder in memory keeps the executions many.
    static const std::string path =
        ((std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                    : std::filesystem::temp_directory_path()) /
         ("vok-ini-fuzz-" + std::to_string(getpid()) + ".ini"))
            .string();
    const std::string content(reinterpret_cast<const char*>(data), size);
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        Check(f != nullptr);
        Check(std::fwrite(content.data(), 1, content.size(), f) == content.size());
        Check(std::fclose(f) == 0);
    }
    const int room = static_cast<int>(size) + 16;
    TIniFile ini(path);
    const std::vector<TEntry> view = View(ini, room);

    // Parse, write, parse: each value written back as read (a few, each write rewrites the whole file).
    int writes = 0;
    for (const TEntry& e : view) {
        if (!Writable(e) || Lookup(view, e) != &e || ++writes > 8)
            continue;
        Check(ini.WriteString(e.section.c_str(), e.key.c_str(), e.value.c_str()));
    }
    if (writes > 0)
        Check(View(ini, room) == view);

    std::string value = content.substr(content.find_last_of("\r\n") == std::string::npos
                                           ? 0
                                           : content.find_last_of("\r\n") + 1);
    value = value.substr(0, value.find('\0'));
    std::vector<TEntry> expected = View(ini, room);
    const TEntry targets[] = {
        view.empty() ? TEntry{"Fuzz", "Value", value} : TEntry{view.front().section, view.front().key, value},
        {view.empty() ? "Fuzz" : view.back().section, "FuzzNew", value},
        {"FuzzSection", "Value", value},
    };
    for (const TEntry& target : targets) {
        if (!Writable(target)) {
            const std::string before = Read(path);
            Check(!ini.WriteString(target.section.c_str(), target.key.c_str(), target.value.c_str()));
            Check(Read(path) == before);
            continue;
        }
        Check(ini.WriteString(target.section.c_str(), target.key.c_str(), target.value.c_str()));
        std::vector<TEntry> after = View(ini, room);
        // The written value reads back, and every other value a reader could reach is unchanged.
        std::vector<char> buffer(target.value.size() + 2);
        int n = ini.GetString(target.section.c_str(), target.key.c_str(), "\x01missing", buffer.data(),
                              static_cast<int>(buffer.size()));
        Check(std::string(buffer.data(), static_cast<std::size_t>(n)) == target.value);
        for (const TEntry& e : expected) {
            if (Lookup(expected, e) != &e || Lookup(std::vector<TEntry>{target}, e) != nullptr)
                continue;
            const TEntry* now = Lookup(after, e);
            Check(now != nullptr && now->value == e.value);
        }
        expected = std::move(after);
    }

    // A key deleted is gone, or shows the next entry of the same name, and nothing else changes.
    if (!expected.empty() && Writable(expected.front())) {
        const TEntry gone = expected.front();
        Check(ini.DeleteKey(gone.section.c_str(), gone.key.c_str()));
        std::vector<TEntry> after = View(ini, room);
        for (const TEntry& e : expected) {
            if (Lookup(expected, e) != &e || Lookup(std::vector<TEntry>{gone}, e) != nullptr)
                continue;
            const TEntry* now = Lookup(after, e);
            Check(now != nullptr && now->value == e.value);
        }
    }
    std::remove(path.c_str());
    return 0;
}
