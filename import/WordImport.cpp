// The Word for Windows (1, 2, 6 and 7) and Windows Write importers: a text range found from the header,
// reflowed into lines.
#include "import/ImportInput.h"
#include "import/ReflowOutput.h"

namespace {
constexpr std::uint32_t kWordHeaderSignature = 0xA5DC;
// Where a Word 6/7 header sits in the compound files Word writes, tried before scanning.
constexpr std::size_t kCompoundHeaderOffsets[] = {0x880, 0xA00};
// From a Word 6/7 header: the text's start and the field holding its length.
constexpr std::size_t kCompoundTextOffset = 0x300;
constexpr std::size_t kCompoundLengthField = 0x34;
// Word 1/2: the fields holding the text's start (16 bits) and end (32 bits).
constexpr std::size_t kWordTextStartField = 0x18;
constexpr std::size_t kWordTextEndField = 0x1C;
// Write: the text starts after the 128-byte header; the field holds its end.
constexpr std::size_t kWriteTextStart = 0x80;
constexpr std::size_t kWriteTextEndField = 0x0E;

bool IsCompoundHeaderAt(const TImportInput& in, std::size_t h)
{
    std::uint32_t signature;
    return in.U16(h, signature) && signature == kWordHeaderSignature;
}

// The header found by its signature and version bytes: DC A5, a version 0x65 or from 0x68 on, 00.
bool ScanCompoundHeader(const TImportInput& in, std::size_t& h)
{
    for (std::size_t i = 0; i + 4 <= in.size; ++i) {
        const unsigned char* p = in.data + i;
        if (p[0] == 0xDC && p[1] == 0xA5 && (p[2] == 0x65 || p[2] >= 0x68) && p[3] == 0) {
            h = i;
            return true;
        }
    }
    return false;
}

// The text range of a Word document; false when the header is missing or the range leaves the file,
// which Word's own reader would meet as a read error at the end.
bool WordTextRange(const TImportInput& in, std::size_t& start, std::size_t& length)
{
    if (in.size >= 2 && in.data[0] == 0xD0 && in.data[1] == 0xCF) {
        std::size_t h = 0;
        bool found = false;
        for (std::size_t offset : kCompoundHeaderOffsets)
            if (!found && IsCompoundHeaderAt(in, offset)) {
                h = offset;
                found = true;
            }
        if (!found && !ScanCompoundHeader(in, h))
            return false;
        std::uint32_t n;
        if (!in.U32(h + kCompoundLengthField, n))
            return false;
        start = h + kCompoundTextOffset;
        length = n;
    } else {
        std::uint32_t first, end;
        if (!in.U16(kWordTextStartField, first) || !in.U32(kWordTextEndField, end) || end < first)
            return false;
        start = first;
        length = end - first;
    }
    return start <= in.size && length <= in.size - start;
}
}  // namespace

bool ImportWord(const TImportInput& in, const TImportOptions& options, MemFile& out)
{
    std::size_t start, length;
    if (!WordTextRange(in, start, length)) {
        out.Fail();
        return false;
    }
    TReflowOutput text(out, options.wrapColumn, options.tabSize);
    text.Add(in.data + start, length);
    return text.Finish();
}

bool ImportWrite(const TImportInput& in, const TImportOptions& options, MemFile& out)
{
    std::uint32_t end;
    if (!in.U32(kWriteTextEndField, end)) {
        out.Fail();
        return false;
    }
    // A text end before the header's end is an empty document; one past the file's end gives the
    // text up to the end of the file, where a reader of the stream would stop.
    std::size_t last = end < in.size ? end : in.size;
    TReflowOutput text(out, options.wrapColumn, options.tabSize);
    if (last > kWriteTextStart)
        text.Add(in.data + kWriteTextStart, last - kWriteTextStart);
    return text.Finish();
}
