// Measuring and copying the short runs of bytes a document is made of, line by line.
//
// A 100 MB file is nearly two million lines of some fifty bytes, so loading and writing it is two million
// measures and copies of a short run. The C library of the 32-bit Windows build does each behind a call
// into code that steps a byte at a time, which made those calls half of a load and a write there. The
// word-at-a-time versions below are inline; the native build keeps its library's vector code, which is
// faster still. Both versions are always compiled, so the native tests check the ones Windows runs.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// The length of a NUL-terminated text, eight bytes at a time. The reads are aligned, so none of them
// crosses into a page the text does not touch; the bytes after the NUL that such a read takes in are
// never used, which is why the address sanitizer must not check this function.
#if defined(__GNUC__)
__attribute__((no_sanitize_address))
#endif
inline std::size_t WordwiseLength(const char* text)
{
    const char* p = text;
    for (; reinterpret_cast<std::uintptr_t>(p) % 8 != 0; ++p)
        if (*p == 0)
            return static_cast<std::size_t>(p - text);
    for (;; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        const std::uint64_t zero = (word - 0x0101010101010101ULL) & ~word & 0x8080808080808080ULL;
        if (zero) {
            // The lowest flag marks the first NUL exactly (a flag above it may be false).
            if constexpr (std::endian::native == std::endian::little)
                return static_cast<std::size_t>(p - text) + static_cast<std::size_t>(std::countr_zero(zero)) / 8;
            while (*p)
                ++p;
            return static_cast<std::size_t>(p - text);
        }
    }
}

// Copies n bytes between buffers that do not overlap, eight at a time.
inline void WordwiseCopy(char* to, const char* from, std::size_t n)
{
    for (; n >= 8; n -= 8, to += 8, from += 8)
        std::memcpy(to, from, 8);  // a fixed size: two or one moves, no call
    for (; n > 0; --n)
        *to++ = *from++;
}

inline std::size_t TextLength(const char* text)
{
#if defined(_WIN32)
    return WordwiseLength(text);
#else
    return std::strlen(text);
#endif
}

inline void CopyBytes(char* to, const char* from, std::size_t n)
{
#if defined(_WIN32)
    WordwiseCopy(to, from, n);
#else
    std::memcpy(to, from, n);
#endif
}
