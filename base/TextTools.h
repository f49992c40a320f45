// Text helpers every layer uses: caseless compares of names and cut copies into fixed-size fields.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

// The letter c in lower case when it is one of A-Z; every other byte, accented letters of the code page
// included, stays as it is. Names of commands, keys, sections and files compare this way everywhere,
// so that the result never depends on the code page or the C library's locale.
constexpr char LowerAscii(char c) noexcept
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether a and b are the same text when the letters A-Z are taken without regard to case. Every other
// byte must match exactly, and the lengths must agree (a text with a NUL inside differs from its
// prefix). Win32 code that must compare the way the system does (accented letters of the code page
// too) calls lstrcmpiA instead.
constexpr bool EqualNoCase(std::string_view a, std::string_view b) noexcept
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// Copies src into a field of size bytes, cut to size - 1 bytes and always closed by a NUL (unless the
// field has no room at all). Answers the number of bytes copied.
inline std::size_t CopyCut(char* field, std::size_t size, std::string_view src)
{
    if (field == nullptr || size == 0) return 0;
    const std::size_t n = src.size() < size - 1 ? src.size() : size - 1;
    if (n > 0) std::memmove(field, src.data(), n);
    field[n] = '\0';
    return n;
}

// The same for a C string; a null src empties the field.
inline std::size_t CopyCut(char* field, std::size_t size, const char* src)
{
    return CopyCut(field, size, src != nullptr ? std::string_view(src) : std::string_view());
}

template <std::size_t N>
std::size_t CopyCut(char (&field)[N], const char* src)
{
    return CopyCut(field, N, src);
}

// The part of a path after its last backslash (or slash).
inline const char* FileNamePart(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    return name;
}
