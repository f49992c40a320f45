// The portable profile file: parsing, lookup and whole-file replacement on every write.
#include "base/IniFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "base/TextTools.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

// A NUL ends a name or a value as the system's functions see them: what follows is never read back.
std::string UpToNul(std::string text)
{
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::string Trim(const std::string& text)
{
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && IsProfileBlank(text[b])) ++b;
    while (e > b && IsProfileBlank(text[e - 1])) --e;
    return text.substr(b, e - b);
}

bool SameName(const std::string& a, const char* b)
{
    return EqualNoCase(a, Trim(b != nullptr ? b : ""));
}

int CopyOut(const std::string& text, char* buffer, int size)
{
    if (size <= 0) return 0;
    return static_cast<int>(CopyCut(buffer, static_cast<std::size_t>(size), text));
}

}  // namespace

int CopyNameList(const std::vector<std::string>& names, char* buffer, int size)
{
    if (buffer == nullptr || size <= 0) return 0;
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    int room = size - 1;  // the closing empty name always has its byte
    int pos = 0;
    for (const std::string& name : names) {
        int need = static_cast<int>(name.size()) + 1;
        if (need >= room) {
            // The last name is cut and the list closed by two NULs, as the system does.
            std::memcpy(buffer + pos, name.data(), static_cast<std::size_t>(room - 1));
            pos += room - 1;
            buffer[pos++] = '\0';
            buffer[pos] = '\0';
            return size - 2;
        }
        std::memcpy(buffer + pos, name.c_str(), static_cast<std::size_t>(need));
        pos += need;
        room -= need;
    }
    buffer[pos] = '\0';
    return pos;
}

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {}

TIniFile::TLine TIniFile::ParseLine(std::string raw)
{
    TLine line{std::move(raw), TLineKind::Other, {}, {}};
    std::string text = Trim(line.raw);
    if (text.empty() || text[0] == ';') return line;
    // Without its closing bracket a header is no header; like the system, read the line as an entry.
    std::size_t close = text[0] == '[' ? text.rfind(']') : std::string::npos;
    if (close != std::string::npos) {
        line.kind = TLineKind::Section;
        line.name = Trim(UpToNul(text.substr(1, close - 1)));
        return line;
    }
    std::size_t eq = text.find('=');
    if (eq == std::string::npos) return line;
    line.kind = TLineKind::Entry;
    line.name = Trim(UpToNul(text.substr(0, eq)));
    std::string value = Trim(text.substr(eq + 1));
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    line.value = UpToNul(std::move(value));
    return line;
}

void TIniFile::Refresh() const
{
    std::string content;
    if (std::FILE* f = std::fopen(path_.c_str(), "rb")) {
        char chunk[16384];
        for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, f)) > 0;)
            content.append(chunk, got);
        std::fclose(f);
    }
    // A missing file reads as an empty one: no lines either way.
    if (parsed_ && content == content_) return;
    lines_.clear();
    byteOrderMark_ = false;
    parsed_ = true;
    content_ = content;
    // A file saved by an editor as UTF-8 may begin with a byte-order mark; it is not part of the first line.
    // Only the first three bytes can be the mark: the same bytes after it, or at the start of a later line
    // (two files run together), are text of their line, which is then no section header.
    byteOrderMark_ = content.compare(0, 3, kByteOrderMark) == 0;
    std::size_t start = byteOrderMark_ ? 3 : 0;
    while (start < content.size()) {
        std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) end = content.size();
        lines_.push_back(ParseLine(content.substr(start, end - start)));
        if (end < content.size() && content[end] == '\r' && end + 1 < content.size() &&
            content[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

int TIniFile::FindSection(const char* name) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == TLineKind::Section && SameName(lines_[i].name, name))
            return static_cast<int>(i);
    return -1;
}

int TIniFile::SectionEnd(int header) const
{
    int i = header + 1;
    while (i < static_cast<int>(lines_.size()) &&
           lines_[static_cast<std::size_t>(i)].kind != TLineKind::Section)
        ++i;
    return i;
}

int TIniFile::FindKey(int header, const char* key) const
{
    int end = SectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const TLine& line = lines_[static_cast<std::size_t>(i)];
        if (line.kind == TLineKind::Entry && SameName(line.name, key)) return i;
    }
    return -1;
}

int TIniFile::GetString(const char* section, const char* key, const char* def, char* buffer, int size) const
{
    Refresh();
    int header = section != nullptr ? FindSection(section) : -1;
    int at = header >= 0 && key != nullptr ? FindKey(header, key) : -1;
    if (at >= 0) return CopyOut(lines_[static_cast<std::size_t>(at)].value, buffer, size);
    std::string fallback = def != nullptr ? def : "";
    while (!fallback.empty() && IsProfileBlank(fallback.back())) fallback.pop_back();
    return CopyOut(fallback, buffer, size);
}

int TIniFile::GetInt(const char* section, const char* key, int def) const
{
    char text[32];
    if (GetString(section, key, "", text, sizeof text) == 0) return def;
    int value = 0;
    return ParseProfileInt(text, value) ? value : 0;
}

int TIniFile::GetSectionNames(char* buffer, int size) const
{
    Refresh();
    std::vector<std::string> names;
    for (const TLine& line : lines_)
        if (line.kind == TLineKind::Section && !line.name.empty()) names.push_back(line.name);
    return CopyNameList(names, buffer, size);
}

int TIniFile::GetKeyNames(const char* section, char* buffer, int size) const
{
    Refresh();
    std::vector<std::string> names;
    int header = FindSection(section);
    if (header >= 0) {
        int end = SectionEnd(header);
        for (int i = header + 1; i < end; ++i) {
            const TLine& line = lines_[static_cast<std::size_t>(i)];
            if (line.kind == TLineKind::Entry) names.push_back(line.name);
        }
    }
    return CopyNameList(names, buffer, size);
}

bool TIniFile::StoreString(const char* section, const char* key, const char* text)
{
    Refresh();
    std::vector<TLine> lines = lines_;
    int header = FindSection(section);
    int at = header >= 0 ? FindKey(header, key) : -1;
    if (at >= 0) {
        // The key keeps the spelling it has in the file.
        TLine& line = lines[static_cast<std::size_t>(at)];
        line = ParseLine(line.name + "=" + text);
    } else if (header >= 0) {
        // After the last non-blank line of the section, so a blank separator line stays below it.
        int end = SectionEnd(header);
        while (end > header + 1 && Trim(lines[static_cast<std::size_t>(end - 1)].raw).empty()) --end;
        lines.insert(lines.begin() + end, ParseLine(std::string(key) + "=" + text));
    } else {
        if (!lines.empty() && !Trim(lines.back().raw).empty()) lines.push_back(ParseLine(""));
        lines.push_back(ParseLine("[" + Trim(section) + "]"));
        lines.push_back(ParseLine(Trim(key) + "=" + text));
    }
    return Commit(std::move(lines));
}

bool TIniFile::DeleteKey(const char* section, const char* key)
{
    Refresh();
    int header = FindSection(section);
    int at = header >= 0 ? FindKey(header, key) : -1;
    if (at < 0) return true;
    std::vector<TLine> lines = lines_;
    lines.erase(lines.begin() + at);
    return Commit(std::move(lines));
}

bool TIniFile::DeleteSection(const char* section)
{
    Refresh();
    int header = FindSection(section);
    if (header < 0) return true;
    std::vector<TLine> lines = lines_;
    lines.erase(lines.begin() + header, lines.begin() + SectionEnd(header));
    return Commit(std::move(lines));
}

bool TIniFile::Commit(std::vector<TLine> lines)
{
    // Without its mark, a first line that happens to begin with the same bytes would lose them on reading.
    std::string content = byteOrderMark_ ? kByteOrderMark : "";
    for (const TLine& line : lines) {
        content += line.raw;
        content += "\r\n";
    }
    const std::string temp = path_ + ".tmp";
    std::error_code ec;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (out.fail()) {
            fs::remove(temp, ec);
            return false;
        }
    }
    fs::rename(temp, path_, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    lines_ = std::move(lines);
    // The file now holds content; its lines are these unless a value broke a line in two.
    content_ = std::move(content);
    parsed_ = std::none_of(lines_.begin(), lines_.end(), [](const TLine& line) {
        return line.raw.find_first_of("\r\n") != std::string::npos;
    });
    return true;
}
