// Small shared types of the engine: positions, error codes, repaint flags, file formats.
#pragma once

#include <cstdint>

// A display column (after tab expansion) and a line index; never a byte offset.
struct TPosition {
    int16_t col = 0;
    int32_t line = 0;

    friend bool operator==(const TPosition&, const TPosition&) = default;
    friend bool operator<(const TPosition& a, const TPosition& b)
    {
        return a.line < b.line || (a.line == b.line && a.col < b.col);
    }
};

constexpr int16_t kMaxCol = 1023;    // the last usable display column
constexpr int kLineWidthLimit = 1024;  // columns a line may hold
constexpr int kLineBufferSize = 1034;  // the stream reader's line buffer

// Readable positions in test failures and logs.
template <typename Stream>
Stream& operator<<(Stream& out, const TPosition& p)
{
    out << "(" << p.col << ", " << p.line << ")";
    return out;
}

// Codes of the ReportError hook.
enum : int {
    kErrOutOfMemory = 1,
    kErrNotFound = 2,
    kErrLongLinesSplit = 3,
    kErrLineTooLong = 4,
    kErrBinaryFile = 5,
};

// Bits of pendingRedraw.
enum : uint32_t {
    kRedrawLine = 1,    // the cursor line
    kRedrawAll = 2,     // the whole window
    kRedrawCaret = 4,   // caret, scroll bars and status only
};

// Line-end conventions of a document.
enum : int16_t {
    kFormatDos = 0,
    kFormatUnix = 1,
    kFormatMac = 2,
};

// The message of an engine error code, or null for an unknown code.
const char* EngineErrorText(int code);
