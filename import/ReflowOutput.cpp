// The paragraph reflow of the Word and Write importers.
#include "import/ReflowOutput.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr unsigned char kTab = 9, kLf = 10, kLineBreak = 11, kCr = 13;
constexpr unsigned char kFieldStart = 19, kFieldEnd = 21;
// The widest line the editor holds; a larger wrap column cannot be reached anyway.
constexpr int kMaxColumn = 1024;
}  // namespace

TReflowOutput::TReflowOutput(MemFile& out, int wrapColumn, int tabSize)
    : out_(out), wrapColumn_(std::clamp(wrapColumn, 1, kMaxColumn)), tabSize_(std::clamp(tabSize, 1, 64))
{
}

int TReflowOutput::ColumnAfter(int column, unsigned char c) const
{
    return c == kTab ? (column / tabSize_ + 1) * tabSize_ : column + 1;
}

void TReflowOutput::WriteLine(int count)
{
    out_.Write(reinterpret_cast<const char*>(line_), count);
    out_.Write("\r\n", 2);
}

void TReflowOutput::Break()
{
    int space = count_ - 1;
    while (space >= 0 && line_[space] != ' ')
        --space;
    if (space < 0) {
        WriteLine(count_);
        count_ = column_ = 0;
        return;
    }
    WriteLine(space);
    int rest = count_ - space - 1;
    std::memmove(line_, line_ + space + 1, rest);
    count_ = rest;
    column_ = 0;
    for (int i = 0; i < count_; ++i)
        column_ = ColumnAfter(column_, line_[i]);
}

void TReflowOutput::Add(unsigned char c)
{
    bool afterCr = afterCr_;
    afterCr_ = false;
    if (fieldDepth_ > 0 || c == kFieldStart) {
        if (c == kFieldStart)
            ++fieldDepth_;
        else if (c == kFieldEnd)
            --fieldDepth_;
        return;
    }
    if (c == kCr || c == kLf) {
        // Write ends its paragraphs with CR LF: the pair is one paragraph end, not an empty line.
        if (c == kLf && afterCr)
            return;
        WriteLine(count_);
        count_ = column_ = 0;
        afterCr_ = c == kCr;
        return;
    }
    if (c == kLineBreak)
        c = '-';
    else if (c < 32 && c != kTab)
        return;
    if (column_ >= wrapColumn_ || count_ > kBufferSize - 1)
        Break();
    line_[count_++] = c;
    column_ = ColumnAfter(column_, c);
}

void TReflowOutput::Add(const unsigned char* bytes, std::size_t n)
{
    std::size_t i = 0;
    while (i < n) {
        // Text bytes that fit before the next break check can fire go in one copy; each moves the
        // column by one, so the check cannot fire before min(wrap - column, buffer room) of them.
        if (fieldDepth_ == 0 && bytes[i] >= 32 && column_ < wrapColumn_ && count_ < kBufferSize) {
            std::size_t room = std::min(wrapColumn_ - column_, kBufferSize - count_);
            std::size_t k = 0;
            while (k < room && i + k < n && bytes[i + k] >= 32)
                ++k;
            std::memcpy(line_ + count_, bytes + i, k);
            count_ += static_cast<int>(k);
            column_ += static_cast<int>(k);
            afterCr_ = false;
            i += k;
            continue;
        }
        Add(bytes[i++]);
    }
}

bool TReflowOutput::Finish()
{
    out_.Write(reinterpret_cast<const char*>(line_), count_);
    count_ = column_ = 0;
    out_.Put('\0');
    return !out_.Failed();
}
