// libFuzzer target for document import: every format through ImportDocument; not part of the CMake build.
//
// Build and run from the source root (scripts/fuzz.sh does both, see fuzz/README.md):
//   make -f fuzz/Makefile -j2 && build/fuzz/ImportFuzz -max_len=16384 fuzz/corpus/Import
// Input: a wrap-column byte, a tab-size byte, then the document.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "import/ImportDocument.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// A heap MemFile that remembers the largest block it was asked for.
class TCountingMemFile final : public MemFile {
public:
    ~TCountingMemFile() override
    {
        if (char* data = Data())
            Release(data);
    }
    std::size_t largest = 0;

protected:
    char* Reallocate(char* old, std::size_t newCapacity) noexcept override
    {
        largest = newCapacity > largest ? newCapacity : largest;
        return static_cast<char*>(std::realloc(old, newCapacity));
    }
    void Release(char* data) noexcept override { std::free(data); }
};

std::uint32_t U32(const std::uint8_t* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24;
}

// The text of a Word 1/2 or Write range as the reflow must keep it, its spaces and line ends left
// out (the reflow may turn a space into a line end): fields removed, byte 11 as "-", controls dropped.
std::string KeptCharacters(const std::uint8_t* p, std::size_t n)
{
    std::string kept;
    std::size_t depth = 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t c = p[i];
        if (c == 19)
            ++depth;
        else if (depth > 0) {
            if (c == 21)
                --depth;
        } else if (c == 11)
            kept += '-';
        else if (c == 9 || (c > 32))
            kept += char(c);
    }
    return kept;
}

std::string WithoutSpacesAndLineEnds(std::string_view text)
{
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\r' && c != '\n')
            s += c;
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    TImportOptions options{int(data[0]) - 8, int(data[1] % 20) - 2};
    const std::uint8_t* doc = data + 2;
    std::size_t n = size - 2;
    TImportFormat format = RecognizeFormat(doc, n);

    TCountingMemFile out;
    bool ok = ImportBytes(doc, n, options, out);
    std::string_view text = out.Text();
    Check(ok == !out.Failed());
    Check(!ok || format != TImportFormat::Unknown);
    if (!ok) {
        Check(text.empty());
        return 0;
    }
    // One zero byte, at the end; lines end in CR LF and nothing else.
    Check(!text.empty() && text.back() == '\0');
    Check(text.find('\0') == text.size() - 1);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '\r')
            Check(text[i + 1] == '\n');
        if (text[i] == '\n')
            Check(i > 0 && text[i - 1] == '\r');
    }
    // Nothing near a size claimed by the document: the buffer grows with the text it holds.
    Check(out.largest <= 4 * n + 2 * MemFile::kInitialSize);

    if (format == TImportFormat::Word || format == TImportFormat::Write) {
        // Lines fit the 127-character buffer.
        std::size_t line = 0;
        for (char c : text.substr(0, text.size() - 1)) {
            line = c == '\n' ? 0 : line + 1;
            Check(line <= 128);
        }
        // Word 1/2 and Write: the reflow keeps every character of the range but spaces at its breaks.
        std::size_t start = 0, end = 0;
        bool known = false;
        if (doc[0] == 0xD0) {
        } else if (format == TImportFormat::Word && n >= 0x20) {
            start = doc[0x18] | doc[0x19] << 8;
            end = U32(doc + 0x1C);
            known = true;
        } else if (format == TImportFormat::Write && n >= 0x12) {
            start = 0x80;
            end = U32(doc + 0x0E);
            // An end before the text's start or past the file: the text up to the end of the file.
            end = end < n ? end : n;
            if (end < start)
                start = end = 0;
            known = true;
        }
        if (known) {
            Check(start <= end && end <= n);
            Check(WithoutSpacesAndLineEnds(text.substr(0, text.size() - 1)) ==
                  WithoutSpacesAndLineEnds(KeptCharacters(doc + start, end - start)));
        }
    }

    // The same document read from a file gives the same text.
    char path[] = "/tmp/vok-import-fuzz-XXXXXX";
    int fd = mkstemp(path);
    if (fd >= 0) {
        std::FILE* file = fdopen(fd, "wb");
        bool written = file && std::fwrite(doc, 1, n, file) == n;
        if (file)
            std::fclose(file);
        if (written) {
            TCountingMemFile again;
            Check(ImportDocument(path, options, again));
            Check(again.Text() == text);
        }
        std::remove(path);
    }
    return 0;
}
