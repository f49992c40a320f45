// libFuzzer target for the document streams: loading, saving and Read Block; not part of the CMake build.
//
// Build and run from the source root (scripts/fuzz.sh does both, see fuzz/README.md):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. fuzz/DocStreamFuzz.cpp \
//       engine/*.cpp search/*.cpp -o doc_stream_fuzz
//   ./doc_stream_fuzz -max_len=8192 fuzz/corpus/doc_stream
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/ByteStream.h"
#include "engine/Commands.h"
#include "engine/Options.h"
#include "engine/VokEditor.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// A window that draws nothing and keeps the codes the engine reports.
class TQuietEditor final : public TVokEditor {
public:
    void SetCaret(int, int) noexcept override {}
    void RepaintAll() noexcept override {}
    void RepaintLine(int32_t) noexcept override {}
    void ReportError(int code) noexcept override { errors.push_back(code); }
    using TVokEditor::WriteBlock;
    void SaveFile() noexcept override {}
    void SaveFileAs() noexcept override {}
    void WriteBlock() noexcept override {}
    void ReadBlock() noexcept override {}
    void Print() noexcept override {}

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        for (const LineRecord* l = firstLine; l; l = l->next)
            lines.emplace_back(l->text);
        return lines;
    }

    std::vector<int> errors;
};

// Serves its bytes in pieces of the given sizes, in turn, so that a line end or a pushed-back byte falls
// on every kind of refill boundary.
class TPiecewiseInStream final : public TInStream {
public:
    TPiecewiseInStream(const std::string& data, std::vector<std::size_t> pieces)
        : data_(data), pieces_(std::move(pieces))
    {
    }

protected:
    bool Fill() override
    {
        if (at_ >= data_.size())
            return false;
        std::size_t n = pieces_[turn_++ % pieces_.size()];
        if (n > data_.size() - at_)
            n = data_.size() - at_;
        SetWindow(data_.data() + at_, data_.data() + at_ + n);
        at_ += n;
        return true;
    }

private:
    const std::string& data_;
    std::vector<std::size_t> pieces_;
    std::size_t at_ = 0;
    std::size_t turn_ = 0;
};

// The loader's result worked out independently from the stream's bytes: lines end at CR LF, CR or LF,
// a line never passes the width (the byte that would is the next line's first), NUL reads as a blank,
// and the last line end met names the format.
struct TExpected {
    std::vector<std::string> lines{std::string()};
    int format = -1;
    bool cut = false;
    bool binary = false;
};

TExpected Expect(const std::string& bytes, int tabSize, int width = kLineWidthLimit)
{
    TExpected e;
    int col = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        char c = bytes[i];
        if (c == '\r' || c == '\n') {
            e.format = kFormatUnix;
            if (c == '\r') {
                e.format = kFormatMac;
                if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                    e.format = kFormatDos;
                    ++i;
                }
            }
            ++i;
            if (i < bytes.size())
                e.lines.emplace_back();
            col = 0;
            continue;
        }
        int step = c == '\t' ? tabSize - col % tabSize : 1;
        if (col + step > width) {
            e.cut = true;
            e.lines.emplace_back();
            col = 0;
            continue;
        }
        if (c == '\0') {
            c = ' ';
            e.binary = true;
        }
        e.lines.back() += c;
        col += step;
        ++i;
    }
    return e;
}

std::string Joined(const std::vector<std::string>& lines, const char* eol, bool eolAfterLast)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (eolAfterLast || i + 1 < lines.size())
            text += eol;
    }
    return text;
}

const char* Eol(int format)
{
    return format == kFormatUnix ? "\n" : format == kFormatMac ? "\r" : "\r\n";
}

void CheckLoaded(TQuietEditor& ed, const TExpected& expected, int16_t format, int16_t formatBefore)
{
    Check(ed.CheckList());
    Check(ed.Lines() == expected.lines);
    Check(ed.lastLine + 1 == static_cast<int32_t>(expected.lines.size()));
    Check(format == (expected.format < 0 ? formatBefore : expected.format));
    Check(!ed.modified && !ed.selShown && ed.curCol == 0 && ed.curLineNo == 0);
    for (const LineRecord* l = ed.firstLine; l; l = l->next)
        Check(TVokEditor::LineWidth(l->text) <= kLineWidthLimit && l->state == 0);
    std::vector<int> errors;
    if (expected.binary)
        errors.push_back(kErrBinaryFile);
    if (expected.cut)
        errors.push_back(kErrLongLinesSplit);
    Check(ed.errors == errors);
    ed.errors.clear();
}

}  // namespace

// The input's first byte picks the tab size and its second the refill pattern of the streams; the rest
// is the file. It is loaded through a memory stream, through a stream refilled in small pieces and through
// a FILE; each must give the lines an independent reading of the bytes gives. The document is then
// written in each format and read back, which must give the same lines, and inserted into an empty
// document by Read Block, which Undo must take out again.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    EngineOptions() = TEngineOptions{};
    EngineOptions().tabSize = static_cast<int16_t>(2 + data[0] % 31);  // the settings' range
    std::vector<std::size_t> pieces{1u + data[1] % 5, 1u + (data[1] >> 3) % 3, 1u + (data[1] >> 5)};
    const std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    const TExpected expected = Expect(bytes, TabSize());
    const int16_t untouched = 7;

    TQuietEditor ed;
    int16_t format = untouched;
    {
        TMemInStream in(bytes);
        Check(ed.ReadFile(in, &format));
        CheckLoaded(ed, expected, format, untouched);
    }
    {
        TQuietEditor other;
        other.modified = true;
        format = untouched;
        TPiecewiseInStream in(bytes, pieces);
        Check(other.ReadFile(in, &format));
        CheckLoaded(other, expected, format, untouched);
    }
    if (!bytes.empty()) {
        std::string copy = bytes;
        std::FILE* file = fmemopen(copy.data(), copy.size(), "rb");
        Check(file != nullptr);
        {
            TQuietEditor other;
            format = untouched;
            TFileInStream in(file, pieces[0]);
            Check(other.ReadFile(in, &format));
            Check(!in.Failed());
            CheckLoaded(other, expected, format, untouched);
        }
        std::fclose(file);
    }

    const std::vector<std::string> lines = expected.lines;
    for (int f : {kFormatDos, kFormatUnix, kFormatMac}) {
        const std::string written = Joined(lines, Eol(f), true);
        ed.modified = true;
        TMemOutStream out(static_cast<std::size_t>(-1), pieces[1]);
        Check(ed.WriteFile(out, f));
        Check(out.Text() == written && !ed.modified);

        // A disk that fills up one byte early: the writer must say so and leave the document modified.
        ed.modified = true;
        TMemOutStream full(written.size() - 1, pieces[2]);
        Check(!ed.WriteFile(full, f));
        Check(ed.modified && ed.Lines() == lines);

        TQuietEditor again;
        format = untouched;
        TMemInStream in(written);
        Check(again.ReadFile(in, &format));
        TExpected same = expected;
        same.format = f;
        same.cut = false;
        same.binary = false;
        CheckLoaded(again, same, format, untouched);

        // The whole document as a stream block is the file without its last line end.
        ed.selStartCol = 0;
        ed.selStartLine = 0;
        ed.selEndCol = static_cast<int16_t>(TVokEditor::LineWidth(lines.back().c_str()));
        ed.selEndLine = ed.lastLine;
        ed.columnMode = false;
        ed.selShown = true;
        TMemOutStream block(static_cast<std::size_t>(-1), pieces[0]);
        Check(ed.WriteBlock(block, f));
        Check(block.Text() == Joined(lines, Eol(f), false));
        ed.selShown = false;
    }

    // Read Block into an empty document: every line read arrives with its line end, as typed text that
    // loses its trailing blanks and stays below column 1024; after a last line end the document has a
    // last empty line. The inserted text is selected, and Undo leaves the empty document again.
    {
        TQuietEditor reader;
        TMemInStream in(bytes);
        Check(reader.InsertFile(in));
        Check(reader.CheckList());
        std::vector<std::string> inserted = Expect(bytes, TabSize(), kLineWidthLimit - 1).lines;
        // The cursor ends after the inserted text, trailing blanks included.
        TPosition end{static_cast<int16_t>(TVokEditor::LineWidth(inserted.back().c_str())),
                      static_cast<int32_t>(inserted.size() - 1)};
        for (std::string& line : inserted)
            line.erase(line.find_last_not_of(" \t") + 1);
        if (!bytes.empty() && (bytes.back() == '\r' || bytes.back() == '\n')) {
            inserted.emplace_back();
            end = TPosition{0, static_cast<int32_t>(inserted.size() - 1)};
        }
        Check(reader.Lines() == inserted);
        if (!bytes.empty()) {
            Check(reader.selShown && reader.SelStart() == TPosition{0, 0} && reader.SelEnd() == end);
            reader.ExecuteCommand(cmUndo, 0);
            Check(reader.CheckList());
            Check(reader.Lines() == std::vector<std::string>{std::string()});
        }
    }
    return 0;
}
