// Recognising a document's format and importing it from memory or from a file.
#include "import/ImportDocument.h"

#include <cstdio>
#include <new>
#include <stdexcept>
#include <vector>

#include "base/CFile.h"
#include "import/ImportInput.h"

TImportFormat RecognizeFormat(const unsigned char* b, std::size_t size)
{
    if (size < 2)
        return TImportFormat::Unknown;
    unsigned value = b[0] | b[1] << 8;
    switch (value) {
    case 0xA59B:
    case 0xA5DB:
    case 0xCFD0:
        return TImportFormat::Word;
    case 0xBE31:
    case 0xBE32:
        return TImportFormat::Write;
    case 0x57FF:
        return size >= 4 && b[2] == 'P' && b[3] == 'C' ? TImportFormat::WordPerfect : TImportFormat::Unknown;
    case 0x765B:
        return size >= 5 && b[2] == 'e' && b[3] == 'r' && b[4] == ']' ? TImportFormat::AmiPro
                                                                        : TImportFormat::Unknown;
    case 0x7D1D:
        return TImportFormat::WordStar;
    default:
        return TImportFormat::Unknown;
    }
}

bool ImportBytes(const unsigned char* data, std::size_t size, const TImportOptions& options, MemFile& out)
{
    TImportInput in{data, size};
    switch (RecognizeFormat(data, size)) {
    case TImportFormat::Word:
        return ImportWord(in, options, out);
    case TImportFormat::Write:
        return ImportWrite(in, options, out);
    case TImportFormat::WordPerfect:
        return ImportWordPerfect(in, out);
    case TImportFormat::AmiPro:
        return ImportAmiPro(in, out);
    case TImportFormat::WordStar:
        return ImportWordStar(in, out);
    case TImportFormat::Unknown:
        break;
    }
    out.Fail();
    return false;
}

namespace {
// The whole file, or false when it cannot be opened, read or held in memory.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes)
{
    TCFile file(path, "rb");
    if (!file.Get())
        return false;
    std::setvbuf(file.Get(), nullptr, _IOFBF, 32000);
    try {
        unsigned char chunk[32768];
        std::size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, file.Get())) > 0)
            bytes.insert(bytes.end(), chunk, chunk + n);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return !std::ferror(file.Get());
}
}  // namespace

bool ImportDocument(const std::string& path, const TImportOptions& options, MemFile& out)
{
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(path, bytes)) {
        out.Fail();
        return false;
    }
    return ImportBytes(bytes.data(), bytes.size(), options, out);
}
