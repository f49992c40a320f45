// Buffered byte streams with one byte of push-back.
#include "base/ByteStream.h"

#include <cstring>

#include "base/ByteRuns.h"

void TInStream::PushBack(int c)
{
    if (c == kEof)
        return;
    if (inPushed_) {
        pushed_ = static_cast<char>(c);
        pos_ = &pushed_;
        return;
    }
    savedPos_ = pos_;
    savedEnd_ = end_;
    pushed_ = static_cast<char>(c);
    begin_ = pos_ = &pushed_;
    end_ = &pushed_ + 1;
    inPushed_ = true;
}

int TInStream::Underflow()
{
    if (inPushed_) {
        inPushed_ = false;
        begin_ = pos_ = savedPos_;
        end_ = savedEnd_;
        if (pos_ < end_)
            return static_cast<unsigned char>(*pos_++);
    }
    if (atEof_ || !Fill()) {
        atEof_ = true;
        return kEof;
    }
    if (pos_ < end_)
        return static_cast<unsigned char>(*pos_++);
    atEof_ = true;
    return kEof;
}

TMemInStream::TMemInStream(const char* data, std::size_t size)
{
    SetWindow(data, data + size);
}

TFileInStream::TFileInStream(std::FILE* file, std::size_t bufferSize) : file_(file), buffer_(bufferSize ? bufferSize : 1)
{
    SetWindow(buffer_.data(), buffer_.data());
}

bool TFileInStream::Fill()
{
    if (!file_)
        return false;
    std::size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    if (got == 0) {
        if (std::ferror(file_))
            failed_ = true;
        return false;
    }
    SetWindow(buffer_.data(), buffer_.data() + got);
    return true;
}

TOutStream::TOutStream(std::size_t bufferSize) : buffer_(bufferSize ? bufferSize : 1) {}

bool TOutStream::FlushBuffer()
{
    if (failed_)
        return false;
    if (pos_ > 0) {
        std::size_t put = Drain(buffer_.data(), pos_);
        if (put != pos_)
            failed_ = true;
        pos_ = 0;
    }
    return !failed_;
}

bool TOutStream::Write(const char* data, std::size_t size)
{
    while (size > 0) {
        if (pos_ == buffer_.size() && !FlushBuffer())
            return false;
        std::size_t room = buffer_.size() - pos_;
        std::size_t n = size < room ? size : room;
        CopyBytes(buffer_.data() + pos_, data, n);
        pos_ += n;
        data += n;
        size -= n;
    }
    return !failed_;
}

bool TOutStream::Write(const char* text)
{
    return Write(text, TextLength(text));
}

bool TOutStream::Flush()
{
    if (!FlushBuffer())
        return false;
    if (!SyncSink())
        failed_ = true;
    return !failed_;
}

std::size_t TMemOutStream::Drain(const char* data, std::size_t size)
{
    std::size_t room = limit_ - text_.size();
    std::size_t n = size < room ? size : room;
    text_.append(data, n);
    return n;
}

std::size_t TFileOutStream::Drain(const char* data, std::size_t size)
{
    return file_ ? std::fwrite(data, 1, size, file_) : 0;
}

bool TFileOutStream::SyncSink()
{
    return file_ && std::fflush(file_) == 0 && !std::ferror(file_);
}
