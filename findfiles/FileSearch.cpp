// Name patterns, the text search in blocks and the walk over directory trees.
#include "findfiles/FileSearch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

unsigned char Fold(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool Match(const char* p, const char* pe, const char* n, const char* ne)
{
    while (p < pe) {
        if (*p == '*') {
            while (p < pe && *p == '*') ++p;
            if (p == pe) return true;
            for (const char* at = n; at <= ne; ++at)
                if (Match(p, pe, at, ne)) return true;
            return false;
        }
        if (*p == '?') {
            // "?" is one character of a name part, or nothing where the part ends ("a?.txt" finds "a.txt").
            if (n != ne && *n != '.') ++n;
            ++p;
            continue;
        }
        if (n == ne) {
            // A pattern ending in "." or ".*" names files without an extension too.
            std::string_view rest(p, static_cast<std::size_t>(pe - p));
            return rest == "." || rest == ".*";
        }
        if (Fold(static_cast<unsigned char>(*p)) != Fold(static_cast<unsigned char>(*n))) return false;
        ++p;
        ++n;
    }
    return n == ne;
}

uint16_t PackDate(const std::tm& t)
{
    int year = t.tm_year + 1900 - 1980;
    if (year < 0) return (1 << 5) | 1;
    return static_cast<uint16_t>((year & 0x7F) << 9 | (t.tm_mon + 1) << 5 | t.tm_mday);
}

uint16_t PackTime(const std::tm& t)
{
    return static_cast<uint16_t>(t.tm_hour << 11 | t.tm_min << 5 | t.tm_sec / 2);
}

}  // namespace

bool MatchFilePattern(std::string_view pattern, std::string_view name)
{
    if (pattern.empty()) pattern = "*.*";
    if (pattern == "*" || pattern == "*.*") return true;
    return Match(pattern.data(), pattern.data() + pattern.size(), name.data(), name.data() + name.size());
}

void SplitFilePattern(const std::string& pattern, std::string* directory, std::string* name)
{
    std::size_t at = pattern.find_last_of("\\/:");
    if (at == std::string::npos) {
        directory->clear();
        *name = pattern;
        return;
    }
    *directory = pattern.substr(0, at + 1);
    *name = pattern.substr(at + 1);
}

// ---- The text. ------------------------------------------------------------------------------------------

TTextFinder::TTextFinder(std::string_view text, unsigned options)
    : text_(text), ignoreCase_((options & kFindIgnoreCase) != 0), anyByte_((options & kFindQuestionAny) != 0)
{
    // Horspool's rule: after a mismatch the window moves by how far the byte under its last position is
    // from the end of the text; a "?" matches every byte and so limits every shift.
    const std::size_t m = text_.size();
    std::size_t limit = m;
    for (std::size_t i = 0; i + 1 < m; ++i)
        if (anyByte_ && text_[i] == '?') limit = m - 1 - i;
    for (std::size_t& s : shift_) s = limit;
    for (std::size_t i = 0; i + 1 < m; ++i) {
        unsigned char c = static_cast<unsigned char>(text_[i]);
        if (anyByte_ && c == '?') continue;
        std::size_t s = m - 1 - i;
        if (s < shift_[c]) shift_[c] = s;
        if (ignoreCase_) {
            unsigned char other = c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A')
                                  : c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a')
                                                         : c;
            if (s < shift_[other]) shift_[other] = s;
        }
    }
}

bool TTextFinder::Same(unsigned char textByte, unsigned char fileByte) const
{
    if (anyByte_ && textByte == '?') return true;
    return ignoreCase_ ? Fold(textByte) == Fold(fileByte) : textByte == fileByte;
}

bool TTextFinder::FindIn(const unsigned char* data, std::size_t size) const
{
    const std::size_t m = text_.size();
    if (m == 0) return true;
    if (size < m) return false;
    const auto* t = reinterpret_cast<const unsigned char*>(text_.data());
    for (std::size_t at = 0; at + m <= size;) {
        std::size_t i = m;
        while (i > 0 && Same(t[i - 1], data[at + i - 1])) --i;
        if (i == 0) return true;
        at += shift_[data[at + m - 1]];
    }
    return false;
}

bool TTextFinder::FindInStream(const std::function<std::size_t(unsigned char*, std::size_t)>& read,
                               std::size_t chunkSize, const std::function<bool()>& keepGoing) const
{
    const std::size_t m = text_.size();
    if (m == 0) return true;
    if (chunkSize < m) chunkSize = m;
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[chunkSize]);
    std::size_t kept = 0;
    for (bool first = true;; first = false) {
        if (!first && keepGoing && !keepGoing()) return false;
        std::size_t got = read(buffer.get() + kept, chunkSize - kept);
        if (got == 0) return false;
        std::size_t have = kept + got;
        if (FindIn(buffer.get(), have)) return true;
        // The last length - 1 bytes start the next block: a text across the boundary is whole there.
        kept = have < m - 1 ? have : m - 1;
        std::copy(buffer.get() + have - kept, buffer.get() + have, buffer.get());
    }
}

bool TTextFinder::FindInFile(const std::string& path, std::size_t chunkSize,
                             const std::function<bool()>& keepGoing) const
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    bool found = FindInStream([file](unsigned char* to, std::size_t n) { return std::fread(to, 1, n, file); },
                              chunkSize, keepGoing);
    std::fclose(file);
    return found;
}

// ---- The walk. ------------------------------------------------------------------------------------------

char TStdDirectoryLister::Separator() const
{
    return static_cast<char>(std::filesystem::path::preferred_separator);
}

std::vector<TDirEntry> TStdDirectoryLister::List(const std::string& directory)
{
    namespace fs = std::filesystem;
    std::vector<TDirEntry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        TDirEntry e;
        e.name = it->path().filename().string();
        std::error_code sec;
        e.directory = it->is_directory(sec);
        if (!e.directory) {
            auto size = it->file_size(sec);
            e.size = sec ? 0 : static_cast<uint32_t>(size);
            auto when = it->last_write_time(sec);
            if (!sec) {
                auto sys = std::chrono::file_clock::to_sys(when);
                std::time_t tt = std::chrono::system_clock::to_time_t(
                    std::chrono::time_point_cast<std::chrono::system_clock::duration>(sys));
                if (const std::tm* local = std::localtime(&tt)) {
                    e.date = PackDate(*local);
                    e.time = PackTime(*local);
                }
            }
        }
        entries.push_back(std::move(e));
    }
    return entries;
}

TSearchEnd TFileSearch::Run(TDirectoryLister& lister, const std::vector<std::string>& roots, int depth,
                            const TProgress& progress)
{
    found_.clear();
    nameBytes_ = 0;
    stopped_ = false;
    for (const std::string& root : roots) {
        TSearchEnd end = Walk(lister, root, depth, progress);
        if (end != TSearchEnd::Done) return end;
    }
    return TSearchEnd::Done;
}

TSearchEnd TFileSearch::Walk(TDirectoryLister& lister, const std::string& dir, int depth, const TProgress& progress)
{
    if (progress && !progress(dir, std::string(), static_cast<int>(found_.size()))) return TSearchEnd::Stopped;
    std::vector<TDirEntry> entries = lister.List(dir);
    std::vector<std::string> subdirectories;
    for (const TDirEntry& e : entries) {
        if (e.directory) {
            if (depth > 0 && e.name != "." && e.name != "..") subdirectories.push_back(e.name);
            continue;
        }
        if (!MatchFilePattern(pattern_, e.name)) continue;
        std::string path = dir + e.name;
        if (progress && !progress(dir, e.name, static_cast<int>(found_.size()))) return TSearchEnd::Stopped;
        if (!finder_.Empty()) {
            auto check = [this] { return !(stopped_ = !keepGoing_()); };
            bool found = keepGoing_ ? finder_.FindInFile(path, kFindChunkSize, check) : finder_.FindInFile(path);
            if (stopped_) return TSearchEnd::Stopped;
            if (!found) continue;
        }
        if (found_.size() >= static_cast<std::size_t>(kFindMaxFiles) ||
            nameBytes_ + path.size() + 1 > kFindNameBufferSize)
            return TSearchEnd::Full;
        nameBytes_ += path.size() + 1;
        found_.push_back({path, e.size, e.date, e.time});
    }
    for (const std::string& name : subdirectories) {
        TSearchEnd end = Walk(lister, dir + name + lister.Separator(), depth - 1, progress);
        if (end != TSearchEnd::Done) return end;
    }
    return TSearchEnd::Done;
}
