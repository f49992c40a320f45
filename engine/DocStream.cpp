// Reading a document from a byte stream and writing it, or its marked block, back.
#include "engine/VokEditor.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#endif

#include "base/ByteRuns.h"
#include "base/ByteStream.h"
#include "engine/Alloc.h"
#include "engine/Options.h"

namespace {
// The bytes that end a run of plain text while a line is read.
constexpr auto kStopsRun = [] {
    std::array<bool, 256> stops{};
    stops['\r'] = stops['\n'] = stops['\t'] = stops[0] = true;
    return stops;
}();
#if defined(__i386__) || defined(__x86_64__)
// Sixteen bytes at a time, stored as they are tested; a byte may stop the run when the unsigned minimum of
// it and 13 is itself. Returns how many bytes came before the first such byte, and whether one was met
// (else fewer than sixteen bytes are left to test). Compiled for SSE2 whatever the build's target, and
// called only where the processor has it: every 64-bit one, and every 32-bit one since about 2003.
__attribute__((target("sse2"))) std::size_t CopyBlocksOfSixteen(const char* from, char* to, std::size_t run,
                                                                 bool* stopped)
{
    const __m128i thirteen = _mm_set1_epi8(13);
    std::size_t plain = 0;
    while (plain + 16 <= run) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + plain));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + plain), block);
        const auto low = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(block, thirteen), block)));
        if (low) {
            *stopped = true;
            return plain + static_cast<std::size_t>(std::countr_zero(low));
        }
        plain += 16;
    }
    return plain;
}

bool HaveSse2()
{
#if defined(__x86_64__)
    return true;
#else
    static const bool have = __builtin_cpu_supports("sse2");
    return have;
#endif
}
#endif

// Copies the bytes of a run up to the first that may end it (every line end, tab and NUL is below 14),
// storing whole blocks as they are tested: the run fits the buffer, so a block with a stop in it may be
// stored whole too, its bytes from the stop on being written over or cut off by the NUL. Returns how many
// were copied; the caller steps over the rest a byte at a time.
std::size_t CopyPlainRun(const char* from, char* to, std::size_t run)
{
    std::size_t plain = 0;
    bool stopped = false;
#if defined(__i386__) || defined(__x86_64__)
    if (HaveSse2())
        plain = CopyBlocksOfSixteen(from, to, run, &stopped);
#endif
    // Eight bytes at a time while none of them is below 14.
    while (!stopped && plain + 8 <= run) {
        uint64_t word;
        std::memcpy(&word, from + plain, 8);
        std::memcpy(to + plain, &word, 8);
        const uint64_t low = (word - 0x0E0E0E0E0E0E0E0EULL) & ~word & 0x8080808080808080ULL;
        if (low) {
            // The lowest flag marks the first such byte exactly (later flags may be false).
            if constexpr (std::endian::native == std::endian::little)
                plain += static_cast<std::size_t>(std::countr_zero(low)) / 8;
            break;
        }
        plain += 8;
    }
    return plain;
}
}  // namespace

int TVokEditor::ReadTextLine(TInStream& in, char* buffer, int size, int maxWidth, int tabSize, bool appendCrLf,
                             int16_t* format, bool* binary, int* length)
{
    if (tabSize < 1)
        tabSize = 1;
    int col = 0;
    int n = 0;
    auto finish = [&](int result) {
        if (appendCrLf) {
            buffer[n++] = '\r';
            buffer[n++] = '\n';
        }
        buffer[n] = 0;
        if (length)
            *length = n;
        return result;
    };
    for (;;) {
        // A run of plain bytes is copied whole; only line ends, tabs and NULs need the rules below, and a
        // plain byte takes one column, so the run stops where the width or the buffer would be exceeded.
        const char* ahead;
        std::size_t run = in.Buffered(&ahead);
        const int room = std::min(maxWidth - col, size - 3 - n);
        run = room > 0 ? std::min(run, static_cast<std::size_t>(room)) : 0;
        char* out = buffer + n;
        std::size_t plain = CopyPlainRun(ahead, out, run);
        while (plain < run && !kStopsRun[static_cast<unsigned char>(ahead[plain])]) {
            out[plain] = ahead[plain];
            ++plain;
        }
        if (plain) {
            in.Skip(plain);
            n += static_cast<int>(plain);
            col += static_cast<int>(plain);
        }
        int c = in.Get();
        if (c == TInStream::kEof) {
            buffer[n] = 0;
            if (length)
                *length = n;
            return 0;
        }
        if (c == '\r' || c == '\n') {
            int16_t found = kFormatUnix;
            if (c == '\r') {
                int d = in.Get();
                if (d == '\n') {
                    found = kFormatDos;
                } else {
                    in.Unget(d);
                    found = kFormatMac;
                }
            }
            if (format)
                *format = found;
            return finish(0);
        }
        col += c == '\t' ? tabSize - col % tabSize : 1;
        if (col > maxWidth || n + 1 > size - 3) {
            // The overflowing byte begins the next line; a tab moves there whole.
            in.Unget(c);
            return finish(1);
        }
        if (c == 0) {
            c = ' ';
            if (binary)
                *binary = true;
        }
        buffer[n++] = static_cast<char>(c);
    }
}

bool TVokEditor::ReadFile(TInStream& in, int16_t* format)
{
    bool binary = false;
    bool cut = false;
    bool ok = true;
    {
        TUpdateBatch batch(*this);
        if (lastLine > 0)
            ClearLines();
        else if (!arena_.Owns(firstLine->text))
            arena_.Release();  // what a document cut down to one line left behind
        char buffer[kLineBufferSize];
        LineRecord* last = firstLine;
        bool firstPass = true;
        const int tab = TabSize();

        while (!in.AtEnd()) {
            LineRecord* line = last;
            if (!firstPass) {
                line = pool_.Get();
                if (!line) {
                    ok = false;
                    break;
                }
                // Linked with the shared empty text, so a failed text allocation leaves a valid empty line.
                *line = LineRecord{emptyText_, last, nullptr, 0};
                last->next = line;
                last = line;
                ++lastLine;
            }
            firstPass = false;
            // A line other than the first is read straight into the document's block; the first keeps a
            // block of its own, being the one that outlives a Release of the arena.
            char* room = line == firstLine ? nullptr : arena_.Reserve(kLineBufferSize);
            int length = 0;
            if (ReadTextLine(in, room ? room : buffer, kLineBufferSize, kLineWidthLimit, tab, false, format,
                             &binary, &length))
                cut = true;
            if (room) {
                arena_.Commit(static_cast<std::size_t>(length) + 1);
                line->text = room;
            } else if (!SetLineText(line, buffer, static_cast<std::size_t>(length))) {
                ok = false;
                break;
            }
        }

        // An empty stream still replaces what the first line held.
        if (firstPass && firstLine->text[0] && !SetLineText(firstLine, "", 0))
            ok = false;

        lastRecord_ = last;
        RecomputeStates(0, lastLine);
        pendingRedraw |= kRedrawAll;
        curLine = firstLine;
        curLineNo = 0;
        curCol = 0;
        selShown = false;
        selecting = false;
        if (ok)
            modified = false;
        EnsureCursorVisible();
    }
    if (!ok)
        return false;
    if (binary)
        ReportError(kErrBinaryFile);
    if (cut)
        ReportError(kErrLongLinesSplit);
    return true;
}

namespace {
const char* EolFor(int format)
{
    return format == kFormatUnix ? "\n" : (format == kFormatMac ? "\r" : "\r\n");
}
}  // namespace

bool TVokEditor::WriteFile(TOutStream& out, int format)
{
    const char* eol = EolFor(format);
    const std::size_t eolLen = std::strlen(eol);
    // Blanks just typed at the end of the cursor line stay in it until the cursor leaves, for the text that
    // may follow them; nothing follows them in the file, so it gets the line as the cursor's leaving would.
    const bool trimCursorLine = curCol >= LineWidth(curLine->text);
    for (LineRecord* line = firstLine; line; line = line->next) {
        std::size_t length = TextLength(line->text);
        if (line == curLine && trimCursorLine) {
            while (length > 0 && IsBlankByte(static_cast<unsigned char>(line->text[length - 1])))
                --length;
        }
        if (!out.Write(line->text, length) || !out.Write(eol, eolLen))
            break;
    }
    if (!out.Flush())
        return false;
    modified = false;
    return true;
}

bool TVokEditor::WriteBlock(TOutStream& out, int format)
{
    if (!selShown || selStartLine > lastLine || selStartLine > selEndLine)
        return false;
    const char* eol = EolFor(format);
    const int32_t endLine = std::min(selEndLine, lastLine);
    LineRecord* line = LineAt(selStartLine);

    auto span = [&out](const char* text, int fromCol, int toCol) {
        const char* a = PointerAtColumn(text, fromCol);
        const char* b = PointerAtColumn(text, toCol);
        return b <= a || out.Write(a, static_cast<std::size_t>(b - a));
    };

    if (columnMode) {
        int left = std::min(selStartCol, selEndCol);
        int right = std::max(selStartCol, selEndCol);
        for (int32_t i = selStartLine; i <= endLine && line; ++i, line = line->next)
            if (!span(line->text, left, right) || !out.Write(eol))
                break;
    } else if (selStartLine == endLine) {
        span(line->text, selStartCol, selEndCol);
    } else {
        const char* text = line->text;
        const char* from = PointerAtColumn(text, selStartCol);
        if (out.Write(from) && out.Write(eol)) {
            line = line->next;
            for (int32_t i = selStartLine + 1; i < endLine && line; ++i, line = line->next)
                if (!out.Write(line->text) || !out.Write(eol))
                    break;
            if (line && selEndCol > 0)
                span(line->text, 0, selEndCol);
        }
    }
    return out.Flush();
}
