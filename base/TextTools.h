// Helpers for the fixed-size text fields of the settings tables: cutting copies and caseless compares.
#pragma once

#include <cstddef>
#include <cstring>

// Copies src into a field of size bytes, cut to size - 1 characters; a null src empties the field.
inline void CopyCut(char* field, std::size_t size, const char* src)
{
    if (size == 0) return;
    std::size_t n = src != nullptr ? std::strlen(src) : 0;
    if (n > size - 1) n = size - 1;
    if (n > 0) std::memmove(field, src, n);
    field[n] = '\0';
}

template <std::size_t N>
void CopyCut(char (&field)[N], const char* src)
{
    CopyCut(field, N, src);
}

// Compares two texts without regard to the case of the letters A-Z, as file names are compared.
inline bool EqualNoCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        char x = (*a >= 'a' && *a <= 'z') ? static_cast<char>(*a - 'a' + 'A') : *a;
        char y = (*b >= 'a' && *b <= 'z') ? static_cast<char>(*b - 'a' + 'A') : *b;
        if (x != y) return false;
        if (x == '\0') return true;
    }
}

// The part of a path after its last backslash (or slash).
inline const char* FileNamePart(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    return name;
}
