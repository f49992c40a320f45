// Buffered byte streams with one byte of push-back, over files and over memory.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

// An input byte stream. Get() is inline and touches only the buffer, so reading a 100 MB file a byte
// at a time costs a compare and an increment per byte; Fill() is called only when the buffer runs dry.
class TInStream {
public:
    static constexpr int kEof = -1;

    TInStream() = default;
    TInStream(const TInStream&) = delete;
    TInStream& operator=(const TInStream&) = delete;
    virtual ~TInStream() = default;

    int Get()
    {
        if (pos_ < end_)
            return static_cast<unsigned char>(*pos_++);
        return Underflow();
    }
    // Pushes one byte back so the next Get() returns it; kEof is ignored.
    void Unget(int c)
    {
        // The usual case: the byte just read is still in the window.
        if (c != kEof && pos_ > begin_ && static_cast<unsigned char>(pos_[-1]) == static_cast<unsigned char>(c))
            --pos_;
        else
            PushBack(c);
    }
    int Peek()
    {
        int c = Get();
        Unget(c);
        return c;
    }
    bool AtEnd() { return pos_ >= end_ && Peek() == kEof; }
    // The bytes read ahead and not yet taken, for a reader that takes a run of plain bytes at once;
    // Skip(n) takes n of them (at most the count Buffered gave).
    std::size_t Buffered(const char** bytes) const
    {
        *bytes = pos_;
        return static_cast<std::size_t>(end_ - pos_);
    }
    void Skip(std::size_t n) { pos_ += n; }
    bool Failed() const { return failed_; }

protected:
    // Refills the buffer; returns false at the end of the stream.
    virtual bool Fill() = 0;
    void SetWindow(const char* begin, const char* end)
    {
        begin_ = pos_ = begin;
        end_ = end;
    }
    bool failed_ = false;

private:
    int Underflow();
    void PushBack(int c);

    const char* begin_ = nullptr;
    const char* pos_ = nullptr;
    const char* end_ = nullptr;
    // A pushed-back byte that is not the one just read lives here while the real window waits.
    char pushed_ = 0;
    const char* savedPos_ = nullptr;
    const char* savedEnd_ = nullptr;
    bool inPushed_ = false;
    bool atEof_ = false;
};

// Reads a block of memory the caller keeps alive.
class TMemInStream final : public TInStream {
public:
    TMemInStream(const char* data, std::size_t size);
    explicit TMemInStream(const std::string& text) : TMemInStream(text.data(), text.size()) {}
    TMemInStream(std::string&&) = delete;  // would read a temporary that is already gone

protected:
    bool Fill() override { return false; }
};

// Reads an open binary FILE; the caller owns and closes it.
class TFileInStream final : public TInStream {
public:
    explicit TFileInStream(std::FILE* file, std::size_t bufferSize = 1 << 16);

protected:
    bool Fill() override;

private:
    std::FILE* file_;
    std::vector<char> buffer_;
};

// An output byte stream with a buffer; Drain() hands full buffers to the sink.
class TOutStream {
public:
    explicit TOutStream(std::size_t bufferSize = 1 << 16);
    TOutStream(const TOutStream&) = delete;
    TOutStream& operator=(const TOutStream&) = delete;
    virtual ~TOutStream() = default;

    bool Put(char c)
    {
        if (pos_ == buffer_.size() && !FlushBuffer())
            return false;
        buffer_[pos_++] = c;
        return !failed_;
    }
    bool Write(const char* data, std::size_t size);
    bool Write(const char* text);
    // Writes out the buffer; false if the sink took less than it was given, now or before.
    bool Flush();
    bool Failed() const { return failed_; }

protected:
    // Writes size bytes; returns how many the sink took.
    virtual std::size_t Drain(const char* data, std::size_t size) = 0;
    virtual bool SyncSink() { return true; }

private:
    bool FlushBuffer();

    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

// Collects the bytes in memory; a limit makes it behave like a full disk.
class TMemOutStream final : public TOutStream {
public:
    explicit TMemOutStream(std::size_t limit = static_cast<std::size_t>(-1), std::size_t bufferSize = 4096)
        : TOutStream(bufferSize), limit_(limit)
    {
    }
    const std::string& Text() const { return text_; }

protected:
    std::size_t Drain(const char* data, std::size_t size) override;

private:
    std::string text_;
    std::size_t limit_;
};

// Writes to an open binary FILE; the caller owns and closes it.
class TFileOutStream final : public TOutStream {
public:
    explicit TFileOutStream(std::FILE* file) : file_(file) {}

protected:
    std::size_t Drain(const char* data, std::size_t size) override;
    bool SyncSink() override;

private:
    std::FILE* file_;
};
