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

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// A flag (0x80) in each byte of the word that is zero, and in no other: exact, unlike the borrow test
// above, so flags of two words may be combined byte by byte.
constexpr std::uint64_t ExactZeroBytes(std::uint64_t word)
{
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    return ~(((word & low7) + low7) | word | low7);
}

// The first place at or after text where the byte first is followed by the byte second (neither NUL), or
// null when the NUL ending the text comes first. A search for a text of two or more bytes tries only the
// places this finds: in prose a single byte such as "e" starts a candidate every few bytes, a pair far
// less often. Eight bytes are tested at a time with aligned reads, which may take in bytes after the NUL
// (never from another page) but never use them; hence no address sanitizer here either.
#if defined(__GNUC__)
__attribute__((no_sanitize_address))
#endif
inline const char* FindBytePairWordwise(const char* text, unsigned char first, unsigned char second)
{
    static_assert(std::endian::native == std::endian::little, "the flags are read lowest byte first");
    const std::uint64_t ones = 0x0101010101010101ULL;
    const std::uint64_t firsts = ones * first;
    const std::uint64_t seconds = ones * second;
    const auto offset = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(text) % 8);
    const char* p = text - offset;
    // The bytes before text are not the text's: their flags are cleared in the first word.
    std::uint64_t before = offset ? ~std::uint64_t{0} >> (64 - 8 * offset) : 0;
    std::uint64_t carry = 0;  // the flag of a first byte in the previous word's last place
    for (;; p += 8, before = 0) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        const std::uint64_t zeros = ExactZeroBytes(word) & ~before;
        const std::uint64_t a = ExactZeroBytes(word ^ firsts) & ~before;
        const std::uint64_t b = ExactZeroBytes(word ^ seconds);
        // A pair starting at byte i of this word has its second byte at i + 1; one starting at the last
        // byte of the previous word has it at byte 0 of this one.
        const std::uint64_t pairs = a & (b >> 8);
        const bool carried = carry && (b & 0x80);
        // Only what lies before the NUL counts.
        const std::uint64_t end = zeros ? (zeros & (~zeros + 1)) - 1 : ~std::uint64_t{0};
        if (carried)
            return p - 1;  // the carried first byte lies before any NUL of this word, and its second is here
        if (pairs & end)
            return p + std::countr_zero(pairs & end) / 8;
        if (zeros)
            return nullptr;
        carry = a >> 63;
    }
}

#if defined(__SSE2__)
// The same sixteen bytes at a time, where the processor is known to have the instructions (every 64-bit
// x86; the 32-bit Windows build is not compiled for them and uses the version above).
#if defined(__GNUC__)
__attribute__((no_sanitize_address))
#endif
inline const char* FindBytePairVector(const char* text, unsigned char first, unsigned char second)
{
    const __m128i firsts = _mm_set1_epi8(static_cast<char>(first));
    const __m128i seconds = _mm_set1_epi8(static_cast<char>(second));
    const __m128i nul = _mm_setzero_si128();
    const auto offset = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(text) % 16);
    const char* p = text - offset;
    unsigned before = (1u << offset) - 1;
    unsigned carry = 0;
    for (;; p += 16, before = 0) {
        const __m128i block = _mm_load_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned zeros = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, nul))) & ~before;
        const unsigned a = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, firsts))) & ~before;
        const unsigned b = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, seconds)));
        if (carry && (b & 1))
            return p - 1;
        const unsigned end = zeros ? (zeros & (~zeros + 1)) - 1 : 0xFFFFu;
        const unsigned pairs = a & (b >> 1) & end;
        if (pairs)
            return p + std::countr_zero(pairs);
        if (zeros)
            return nullptr;
        carry = a >> 15;
    }
}
#endif

inline const char* FindBytePair(const char* text, unsigned char first, unsigned char second)
{
#if defined(__SSE2__)
    return FindBytePairVector(text, first, second);
#else
    return FindBytePairWordwise(text, first, second);
#endif
}
