// The Ami Pro and WordStar importers: text files with markup, walked byte by byte.
#include <cstring>

#include "import/ImportInput.h"

namespace {
constexpr unsigned char kTab = 9, kLf = 10, kCr = 13, kEsc = 27;
constexpr unsigned char kWordStarSoftCr = 0x8D;
constexpr unsigned char kWordStarCode = 0x1D;
constexpr unsigned char kWordStarFlaggedSpace = 0xA0;
constexpr std::size_t kWordStarHeaderSize = 128;

// The position after the next byte equal to code from `from` on, or the end when there is none.
std::size_t SkipPast(const TImportInput& in, std::size_t from, unsigned char code)
{
    while (from < in.size && in.data[from] != code)
        ++from;
    return from < in.size ? from + 1 : in.size;
}

// The position after "[edoc]", where an Ami Pro document's text begins; false when there is none.
bool FindAmiProText(const TImportInput& in, std::size_t& start)
{
    static const char kMarker[] = "[edoc]";
    constexpr std::size_t kLength = sizeof kMarker - 1;
    for (std::size_t i = 0; i < in.size && in.size - i >= kLength; ++i)
        if (in.data[i] == '[' && std::memcmp(in.data + i, kMarker, kLength) == 0) {
            start = i + kLength;
            return true;
        }
    return false;
}
}  // namespace

bool ImportAmiPro(const TImportInput& in, MemFile& out)
{
    std::size_t i;
    if (!FindAmiProText(in, i)) {
        out.Fail();
        return false;
    }
    while (i < in.size) {
        unsigned char c = in.data[i++];
        if (c == kTab)
            out.Put('\t');
        else if (c == kCr)
            out.Write("\r\n", 2);
        else if (c == '<') {
            if (i < in.size && in.data[i] == '<') {
                out.Put('<');
                ++i;
            } else if (i < in.size && in.data[i] == ';') {
                // The escaped character is text like any other: a control byte stays out of it.
                if (i + 1 < in.size && (in.data[i + 1] >= 32 || in.data[i + 1] == kTab))
                    out.Put(char(in.data[i + 1]));
                i += 2;
            } else
                i = SkipPast(in, i, '>');
        } else if (c == '@') {
            if (i < in.size && in.data[i] == '@') {
                out.Put('@');
                ++i;
                out.Write("\r\n", 2);
            } else {
                i = SkipPast(in, i, '@');
                out.Write("\r\n", 2);
            }
        } else if (c >= 32)
            out.Put(char(c));
    }
    out.Put('\0');
    return !out.Failed();
}

bool ImportWordStar(const TImportInput& in, MemFile& out)
{
    std::size_t i = 0;
    if (in.size >= 2 && in.data[0] == 0x1D && in.data[1] == 0x7D)
        i = in.size < kWordStarHeaderSize ? in.size : kWordStarHeaderSize;
    bool lineStart = true;
    while (i < in.size) {
        if (lineStart && in.data[i] == '.') {
            i = SkipPast(in, i, kLf);
            continue;
        }
        lineStart = false;
        unsigned char c = in.data[i++];
        if (c == kCr || c == kWordStarSoftCr)
            out.Write("\r\n", 2);
        else if (c == kLf)
            lineStart = true;
        else if (c == kEsc) {
            if (i < in.size && in.data[i] > 32)
                out.Put(char(in.data[i]));
            i = in.size - i < 2 ? in.size : i + 2;
        } else if (c == kWordStarCode) {
            i = in.size - i < 1 ? in.size : i + 1;
            if (i < in.size && in.data[i] == kTab) {
                out.Put('\t');
                ++i;
            }
            i = SkipPast(in, i, kWordStarCode);
        } else if (c >= 32 && c <= 126)
            out.Put(char(c));
        else if (c >= kWordStarFlaggedSpace && c < 0xFF)
            // WordStar sets bit 7 on soft spaces and on the last letter of a word it has wrapped or
            // justified: the character is the low seven bits, not a byte to drop.
            out.Put(char(c & 0x7F));
    }
    out.Put('\0');
    return !out.Failed();
}
