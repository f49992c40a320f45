// The paragraph reflow of the Word and Write importers: lines broken at the wrap column or the
// line buffer's size, fields dropped.
#pragma once

#include <cstddef>

#include "import/MemFile.h"

// TReflowOutput collects a paragraph's text in a buffer of 127 characters while counting its display
// column, and writes it to the MemFile in CR LF lines broken at the last space before the wrap column
// (or the buffer's end). Byte 11 (a line break inside a paragraph) becomes "-", a field (19 ... 21,
// nesting) disappears, other control bytes are dropped.
class TReflowOutput {
public:
    static constexpr int kBufferSize = 127;

    TReflowOutput(MemFile& out, int wrapColumn, int tabSize);
    TReflowOutput(const TReflowOutput&) = delete;  // writes to one buffer; a copy would interleave
    TReflowOutput& operator=(const TReflowOutput&) = delete;

    void Add(unsigned char c);
    void Add(const unsigned char* bytes, std::size_t n);
    // Writes the last line (without a line end) and the closing zero; false when memory ran out.
    bool Finish();

private:
    void Break();
    void WriteLine(int count);
    int ColumnAfter(int column, unsigned char c) const;

    MemFile& out_;
    int wrapColumn_;
    int tabSize_;
    unsigned char line_[kBufferSize + 1];
    int count_ = 0;
    int column_ = 0;
    std::size_t fieldDepth_ = 0;
    bool afterCr_ = false;
};
