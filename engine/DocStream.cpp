// Reading a document from a byte stream and writing it, or its marked block, back.
#include "engine/VokEditor.h"

#include <algorithm>
#include <cstring>

#include "base/ByteStream.h"
#include "engine/Alloc.h"
#include "engine/Options.h"

int TVokEditor::ReadTextLine(TInStream& in, char* buffer, int size, int maxWidth, int tabSize, bool appendCrLf,
                             int16_t* format, bool* binary)
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
        return result;
    };
    for (;;) {
        int c = in.Get();
        if (c == TInStream::kEof) {
            buffer[n] = 0;
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
            if (ReadTextLine(in, buffer, kLineBufferSize, kLineWidthLimit, tab, false, format, &binary))
                cut = true;
            if (!SetLineText(line, buffer, std::strlen(buffer))) {
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
        std::size_t length = std::strlen(line->text);
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
