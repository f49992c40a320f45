// Small shared types of the engine: positions, error codes, repaint flags, undo kinds, file formats.
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

// What a batch of changes must repaint: bits of pendingRedraw.
enum TRedraw : uint32_t {
    kRedrawNone = 0,
    kRedrawLine = 1,   // the cursor line
    kRedrawAll = 2,    // the whole window
    kRedrawCaret = 4,  // caret, scroll bars and status only
};
constexpr TRedraw operator|(TRedraw a, TRedraw b)
{
    return static_cast<TRedraw>(static_cast<uint32_t>(a) | static_cast<uint32_t>(b));
}
constexpr TRedraw& operator|=(TRedraw& a, TRedraw b)
{
    return a = a | b;
}

// The kind of an undo record, which names the Undo menu item (UndoKindLabel); None: nothing to undo.
enum class TUndoKind : uint8_t {
    None = 0,
    Other = 1,
    Typing = 2,
    Deleting = 3,
    Cut = 4,
    Paste = 5,
    Replace = 6,
    Redo = 7,
    Indent = 8,
    Unindent = 9,
    InsertFile = 10,
    CenterLine = 11,
    DuplicateLine = 12,
    ChangeCase = 13,
    InsertTimeDate = 14,
    InsertSymbol = 15,
    ConvertText = 16,
    Formatting = 17,
    Transpose = 18,
};

// The answers to the replace prompt (the ReplacePrompt hook).
enum class TReplaceAnswer : uint8_t { Cancel, No, Yes, All };

// Line-end conventions of a document.
enum : int16_t {
    kFormatDos = 0,
    kFormatUnix = 1,
    kFormatMac = 2,
};

// The message of an engine error code, or null for an unknown code.
const char* EngineErrorText(int code);
