// The shared part of every profile file: protected writes and the flag and number conventions.
#include "base/Profile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

bool IsProfileBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

bool ParseProfileInt(const char* text, int& value)
{
    const char* p = text;
    // The system's conversion steps over every control character before the number, not only blanks.
    while (*p != '\0' && static_cast<unsigned char>(*p) <= ' ') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    if (*p < '0' || *p > '9') return false;
    // Unsigned arithmetic: an over-long number wraps like the system's conversion instead of overflowing.
    uint32_t n = 0;
    while (*p >= '0' && *p <= '9') n = n * 10u + static_cast<uint32_t>(*p++ - '0');
    if (negative) n = 0u - n;
    value = static_cast<int>(n);
    return true;
}

bool TProfile::IsWritableKey(const char* key)
{
    if (key == nullptr) return false;
    const char* p = key;
    while (IsProfileBlank(*p)) ++p;
    if (*p == '\0' || *p == '[' || *p == ';') return false;
    return std::strpbrk(key, "=\r\n") == nullptr;
}

std::string TProfile::ProtectValue(const char* value)
{
    std::string text = value != nullptr ? value : "";
    // A line break would end the entry in the file and start a stray line.
    std::size_t cut = text.find_first_of("\r\n");
    if (cut != std::string::npos) text.resize(cut);
    if (text.empty()) return text;
    const char first = text.front();
    const char last = text.back();
    const bool quoted = text.size() >= 2 && (first == '"' || first == '\'') && last == first;
    if (quoted || IsProfileBlank(first) || IsProfileBlank(last)) return '"' + text + '"';
    return text;
}

bool TProfile::WriteString(const char* section, const char* key, const char* value)
{
    if (!IsWritableKey(section) || !IsWritableKey(key) || std::strchr(section, ']') != nullptr) return false;
    return StoreString(section, key, ProtectValue(value).c_str());
}

bool TProfile::GetFlag(const char* section, const char* key, bool def) const
{
    return (GetInt(section, key, def ? 1 : 0) & 1) != 0;
}

bool TProfile::WriteInt(const char* section, const char* key, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return WriteString(section, key, text);
}

bool TProfile::WriteFlag(const char* section, const char* key, bool value)
{
    return WriteString(section, key, value ? "1" : "0");
}

std::string TProfile::GetText(const char* section, const char* key, const char* def, int size) const
{
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 1));
    int n = GetString(section, key, def, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}
