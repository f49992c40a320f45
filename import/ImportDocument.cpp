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
    try {
        // Read straight into a block of the file's size where the size can be learnt; the loop also
        // takes whatever a file that grows, or has no size, still gives.
        long size = -1;
        if (std::fseek(file.Get(), 0, SEEK_END) == 0)
            size = std::ftell(file.Get());
        if (std::fseek(file.Get(), 0, SEEK_SET) != 0)
            return false;
        std::size_t used = 0;
        bytes.resize(size > 0 ? static_cast<std::size_t>(size) + 1 : 65536);
        for (;;) {
            std::size_t n = std::fread(bytes.data() + used, 1, bytes.size() - used, file.Get());
            used += n;
            if (used < bytes.size())
                break;
            bytes.resize(bytes.size() * 2);
        }
        bytes.resize(used);
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
