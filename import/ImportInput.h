// The importers' view of a document: bytes whose every read is checked against the document's size.
#pragma once

#include <cstddef>
#include <cstdint>

#include "import/ImportDocument.h"
#include "import/MemFile.h"

// A document's bytes as read from the file. An offset or length taken from the document is never
// trusted: the readers say false when it points outside.
struct TImportInput {
    const unsigned char* data;
    std::size_t size;

    bool U16(std::size_t offset, std::uint32_t& value) const
    {
        if (offset > size || size - offset < 2)
            return false;
        value = data[offset] | data[offset + 1] << 8;
        return true;
    }
    bool U32(std::size_t offset, std::uint32_t& value) const
    {
        if (offset > size || size - offset < 4)
            return false;
        value = std::uint32_t(data[offset]) | std::uint32_t(data[offset + 1]) << 8 |
                std::uint32_t(data[offset + 2]) << 16 | std::uint32_t(data[offset + 3]) << 24;
        return true;
    }
};

// The extractors, each false (with out failed) when the document gives no result.
bool ImportWord(const TImportInput& in, const TImportOptions& options, MemFile& out);
bool ImportWrite(const TImportInput& in, const TImportOptions& options, MemFile& out);
bool ImportWordPerfect(const TImportInput& in, MemFile& out);
bool ImportAmiPro(const TImportInput& in, MemFile& out);
bool ImportWordStar(const TImportInput& in, MemFile& out);
