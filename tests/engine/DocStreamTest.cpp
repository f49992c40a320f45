// Reading documents from byte streams and writing them, or their marked block, back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "support/EngineFixture.h"

namespace {
class DocStreamTest : public TEngineTest {
protected:
    std::vector<std::string> Lines()
    {
        std::vector<std::string> lines;
        for (LineRecord* l = ed.firstLine; l; l = l->next)
            lines.push_back(l->text);
        return lines;
    }
};

using TLines = std::vector<std::string>;

const char* EolOf(int format)
{
    return format == kFormatUnix ? "\n" : (format == kFormatMac ? "\r" : "\r\n");
}

// ---- One line at a time. -----------------------------------------------------------------------------

TEST_F(DocStreamTest, ReadTextLineReportsEachLineEndAndLeavesTheRest)
{
    const std::string text = std::string("dos\r\nunix\nmac\rlast", 18);
    TMemInStream in(text);
    char buf[kLineBufferSize];
    int16_t format = -1;
    bool binary = false;
    struct TWant {
        const char* line;
        int16_t format;
    };
    for (TWant want : {TWant{"dos", kFormatDos}, TWant{"unix", kFormatUnix}, TWant{"mac", kFormatMac}}) {
        EXPECT_EQ(TVokEditor::ReadTextLine(in, buf, sizeof buf, kLineWidthLimit, 8, false, &format, &binary),
                  0);
        EXPECT_STREQ(buf, want.line);
        EXPECT_EQ(format, want.format);
    }
    format = 42;
    EXPECT_EQ(TVokEditor::ReadTextLine(in, buf, sizeof buf, kLineWidthLimit, 8, false, &format, &binary), 0);
    EXPECT_STREQ(buf, "last");
    EXPECT_EQ(format, 42);  // the end of the stream is no line end
    EXPECT_FALSE(binary);
    EXPECT_TRUE(in.AtEnd());
}

TEST_F(DocStreamTest, ReadTextLineAppendsCrLfWhenAsked)
{
    const std::string text = "ab\ncd";
    TMemInStream in(text);
    char buf[kLineBufferSize];
    TVokEditor::ReadTextLine(in, buf, sizeof buf, kLineWidthLimit, 8, true, nullptr, nullptr);
    EXPECT_STREQ(buf, "ab\r\n");
    TVokEditor::ReadTextLine(in, buf, sizeof buf, kLineWidthLimit, 8, true, nullptr, nullptr);
    EXPECT_STREQ(buf, "cd");  // the end of the stream appends nothing
}

TEST_F(DocStreamTest, ReadTextLineCutsAtTheWidthAndKeepsTheOverflowingByte)
{
    std::string text(1030, 'x');
    text[1024] = 'Y';
    TMemInStream in(text);
    char buf[kLineBufferSize];
    EXPECT_EQ(TVokEditor::ReadTextLine(in, buf, sizeof buf, kLineWidthLimit, 8, true, nullptr, nullptr), 1);
    EXPECT_EQ(std::strlen(buf), 1026u);
    EXPECT_EQ(std::string(buf + 1022), "xx\r\n");
    EXPECT_EQ(in.Get(), 'Y');
}

TEST_F(DocStreamTest, ReadTextLineNeverOverrunsASmallBuffer)
{
    const std::string text = "abcdefghijkl\n";
    TMemInStream in(text);
    char buf[12];
    std::memset(buf, '#', sizeof buf);
    EXPECT_EQ(TVokEditor::ReadTextLine(in, buf, 10, kLineWidthLimit, 8, true, nullptr, nullptr), 1);
    EXPECT_STREQ(buf, "abcdefg\r\n");  // room for the line end and the zero
    EXPECT_EQ(buf[10], '#');
    EXPECT_EQ(TVokEditor::ReadTextLine(in, buf, 10, kLineWidthLimit, 8, false, nullptr, nullptr), 0);
    EXPECT_STREQ(buf, "hijkl");
}

// A stream that hands out its bytes a few at a time, so that runs of plain bytes end at every possible
// window edge and push-backs fall outside the window.
class TTrickleInStream final : public TInStream {
public:
    TTrickleInStream(std::string data, unsigned state) : data_(std::move(data)), state_(state) {}

protected:
    bool Fill() override
    {
        if (at_ >= data_.size())
            return false;
        state_ = state_ * 1103515245u + 12345u;
        std::size_t take = std::min<std::size_t>(1 + (state_ >> 16) % 11, data_.size() - at_);
        SetWindow(data_.data() + at_, data_.data() + at_ + take);
        at_ += take;
        return true;
    }

private:
    std::string data_;
    std::size_t at_ = 0;
    unsigned state_;
};

// The line reader's rules one byte at a time, as plainly as they can be written: the reference for the
// reader's faster path.
int ReferenceReadLine(const std::string& data, std::size_t* at, char* buffer, int size, int maxWidth, int tabSize,
                      bool appendCrLf, int16_t* format, bool* binary)
{
    int col = 0;
    int n = 0;
    for (;;) {
        if (*at >= data.size()) {
            buffer[n] = 0;
            return 0;
        }
        int c = static_cast<unsigned char>(data[(*at)++]);
        if (c == '\r' || c == '\n') {
            *format = kFormatUnix;
            if (c == '\r') {
                *format = kFormatMac;
                if (*at < data.size() && data[*at] == '\n') {
                    ++*at;
                    *format = kFormatDos;
                }
            }
            break;
        }
        col += c == '\t' ? tabSize - col % tabSize : 1;
        if (col > maxWidth || n + 1 > size - 3) {
            --*at;
            if (appendCrLf) {
                buffer[n++] = '\r';
                buffer[n++] = '\n';
            }
            buffer[n] = 0;
            return 1;
        }
        if (c == 0) {
            c = ' ';
            *binary = true;
        }
        buffer[n++] = static_cast<char>(c);
    }
    if (appendCrLf) {
        buffer[n++] = '\r';
        buffer[n++] = '\n';
    }
    buffer[n] = 0;
    return 0;
}

TEST_F(DocStreamTest, ReadTextLineAgreesWithTheBytewiseRulesOverRandomStreams)
{
    const char alphabet[] = {'a', 'b', ' ', '\t', '\r', '\n', '\0', '\x01', '\x0D', '\x0E', '\xE8', '\xFF'};
    unsigned state = 7;
    auto next = [&state](unsigned bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string data;
        const unsigned length = next(5) == 0 ? next(3000) : next(60);
        const bool plainHeavy = next(2) == 0;
        for (unsigned i = 0; i < length; ++i)
            data += plainHeavy && next(8) ? static_cast<char>('a' + next(26)) : alphabet[next(sizeof alphabet)];
        const int size = next(3) == 0 ? 4 + static_cast<int>(next(40)) : kLineBufferSize;
        const int tabSize = 1 + static_cast<int>(next(9));
        // At least one tab wide: a tab wider than a whole line could never be read.
        const int maxWidth = next(3) == 0 ? tabSize + static_cast<int>(next(30)) : kLineWidthLimit;
        const bool crlf = next(2) == 0;
        SCOPED_TRACE("round " + std::to_string(round));

        TTrickleInStream trickle(data, round);
        TMemInStream whole(data);
        std::size_t at = 0;
        for (int line = 0; line < 10000; ++line) {
            std::vector<char> want(static_cast<std::size_t>(size), '#');
            int16_t wantFormat = 0;
            bool wantBinary = false;
            const int wantResult =
                ReferenceReadLine(data, &at, want.data(), size, maxWidth, tabSize, crlf, &wantFormat, &wantBinary);
            for (TInStream* in : {static_cast<TInStream*>(&trickle), static_cast<TInStream*>(&whole)}) {
                std::vector<char> got(static_cast<std::size_t>(size) + 1, '#');
                int16_t gotFormat = 0;
                bool gotBinary = false;
                int gotLength = -1;
                ASSERT_EQ(TVokEditor::ReadTextLine(*in, got.data(), size, maxWidth, tabSize, crlf, &gotFormat,
                                                   &gotBinary, &gotLength),
                          wantResult);
                ASSERT_STREQ(got.data(), want.data());
                ASSERT_EQ(gotLength, static_cast<int>(std::strlen(want.data())));
                ASSERT_EQ(gotFormat, wantFormat);
                ASSERT_EQ(gotBinary, wantBinary);
                ASSERT_EQ(got[static_cast<std::size_t>(size)], '#');
            }
            if (at >= data.size())
                break;
        }
        EXPECT_EQ(trickle.Get(), TInStream::kEof);
        EXPECT_EQ(whole.Get(), TInStream::kEof);
    }
}

// ---- Whole documents in each line-end form. ----------------------------------------------------------

struct TRoundTrip {
    const char* name;
    TLines lines;
};

void PrintTo(const TRoundTrip& c, std::ostream* os)
{
    *os << c.name;
}

using TRoundTripParam = std::tuple<int, TRoundTrip>;

std::string RoundTripName(const ::testing::TestParamInfo<TRoundTripParam>& info)
{
    static const char* const names[] = {"Dos", "Unix", "Mac"};
    return std::string(names[std::get<0>(info.param)]) + std::get<1>(info.param).name;
}

class RoundTripTest : public DocStreamTest,
                      public ::testing::WithParamInterface<TRoundTripParam> {};

TEST_P(RoundTripTest, LoadsAndWritesTheSameBytes)
{
    const int format = std::get<0>(GetParam());
    const TLines& lines = std::get<1>(GetParam()).lines;
    std::string bytes;
    for (const std::string& l : lines)
        bytes += l + EolOf(format);
    int16_t found = -1;
    ed.modified = true;
    ASSERT_TRUE(ed.Load(bytes, &found));
    EXPECT_EQ(found, format);
    EXPECT_EQ(Lines(), lines);
    EXPECT_EQ(ed.lastLine, static_cast<int32_t>(lines.size()) - 1);
    EXPECT_FALSE(ed.modified);
    EXPECT_TRUE(ed.errors.empty());
    EXPECT_EQ(ed.Save(format), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, RoundTripTest,
    ::testing::Combine(::testing::Values(kFormatDos, kFormatUnix, kFormatMac),
                       ::testing::Values(TRoundTrip{"ThreeLines", {"alpha", "beta", "gamma"}},
                                         TRoundTrip{"OneEmptyLine", {""}},
                                         TRoundTrip{"EmptyLinesOnly", {"", "", ""}},
                                         TRoundTrip{"EndsInEmptyLine", {"a", ""}},
                                         TRoundTrip{"TabsAndBlanks", {"\tx\ty", "  lead", "trail  ", "\t"}},
                                         TRoundTrip{"HighBytes", {"\xe8\x9a\xf0\xb9", "\x7f\x01"}},
                                         TRoundTrip{"ExactlyFullWidth", {std::string(1024, 'w'), "z"}})),
    RoundTripName);

struct TLoadCase {
    const char* name;
    std::string bytes;
    TLines lines;
    int16_t format;  // 99: the variable is left alone
    std::vector<int> errors;
};

void PrintTo(const TLoadCase& c, std::ostream* os)
{
    *os << c.name;
}

class LoadTest : public DocStreamTest, public ::testing::WithParamInterface<TLoadCase> {};

TEST_P(LoadTest, SplitsLinesAndDetectsTheFormat)
{
    const TLoadCase& c = GetParam();
    int16_t format = 99;
    ASSERT_TRUE(ed.Load(c.bytes, &format));
    EXPECT_EQ(Lines(), c.lines);
    EXPECT_EQ(format, c.format);
    EXPECT_EQ(ed.errors, c.errors);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoadTest,
    ::testing::Values(
        TLoadCase{"Empty", "", {""}, 99, {}}, TLoadCase{"OneByte", "x", {"x"}, 99, {}},
        TLoadCase{"OnlyLf", "\n", {""}, kFormatUnix, {}}, TLoadCase{"OnlyCr", "\r", {""}, kFormatMac, {}},
        TLoadCase{"OnlyCrLf", "\r\n", {""}, kFormatDos, {}},
        TLoadCase{"OnlyNul", std::string(1, '\0'), {" "}, 99, {kErrBinaryFile}},
        TLoadCase{"NoFinalLineEnd", "abc", {"abc"}, 99, {}},
        TLoadCase{"FinalLfMakesNoExtraLine", "abc\n", {"abc"}, kFormatUnix, {}},
        TLoadCase{"DoubleLfKeepsTheEmptyLine", "a\n\n", {"a", ""}, kFormatUnix, {}},
        TLoadCase{"MixedLastWins", "a\r\nb\nc\r", {"a", "b", "c"}, kFormatMac, {}},
        TLoadCase{"FinalCrIsMac", "a\nb\r", {"a", "b"}, kFormatMac, {}},
        TLoadCase{"CrThenCrLf", "a\r\r\nb", {"a", "", "b"}, kFormatDos, {}},
        TLoadCase{"LfCrIsTwoLineEnds", "a\n\rb", {"a", "", "b"}, kFormatMac, {}},
        TLoadCase{"NulsReportedOnce", std::string("a\0b\0\nc\0", 7), {"a b ", "c "}, kFormatUnix,
                  {kErrBinaryFile}},
        TLoadCase{"NulAndLongLineInOrder", std::string("\0", 1) + std::string(1100, 'q'),
                  {" " + std::string(1023, 'q'), std::string(77, 'q')}, 99,
                  {kErrBinaryFile, kErrLongLinesSplit}}),
    [](const ::testing::TestParamInfo<TLoadCase>& info) { return std::string(info.param.name); });

// ---- Lines longer than the editor holds. -------------------------------------------------------------

struct TLongCase {
    const char* name;
    int tab;
    std::string bytes;
    TLines lines;
    bool split;
};

void PrintTo(const TLongCase& c, std::ostream* os)
{
    *os << c.name;
}

class LongLineTest : public DocStreamTest, public ::testing::WithParamInterface<TLongCase> {};

TEST_P(LongLineTest, SplitsAtColumn1024)
{
    const TLongCase& c = GetParam();
    EngineOptions().tabSize = static_cast<int16_t>(c.tab);
    ASSERT_TRUE(ed.Load(c.bytes));
    EXPECT_EQ(Lines(), c.lines);
    EXPECT_EQ(ed.errors, c.split ? std::vector<int>{kErrLongLinesSplit} : std::vector<int>{});
    for (LineRecord* l = ed.firstLine; l; l = l->next)
        EXPECT_LE(TVokEditor::LineWidth(l->text), kLineWidthLimit);
}

const std::string X1016(1016, 'x');
const std::string X1023(1023, 'x');
const std::string X1024(1024, 'x');

INSTANTIATE_TEST_SUITE_P(
    Table, LongLineTest,
    ::testing::Values(
        TLongCase{"Exactly1024", 8, X1024, {X1024}, false},
        TLongCase{"Exactly1024ThenCrLf", 8, X1024 + "\r\nb", {X1024, "b"}, false},
        TLongCase{"OneOver", 8, X1024 + "y", {X1024, "y"}, true},
        TLongCase{"OneOverThenLineEnd", 8, X1024 + "y\r\nz", {X1024, "y", "z"}, true},
        TLongCase{"TwoThousand", 8, std::string(2000, 'x'), {X1024, std::string(976, 'x')}, true},
        TLongCase{"ThreePieces", 8, std::string(3000, 'x'), {X1024, X1024, std::string(952, 'x')}, true},
        TLongCase{"Tab3MovesWhole", 3, X1023 + "\ty", {X1023, "\ty"}, true},
        TLongCase{"Tab8EndsExactlyAt1024", 8, X1023 + "\t", {X1023 + "\t"}, false},
        TLongCase{"Tab8ThenByte", 8, X1016 + "\ty", {X1016 + "\t", "y"}, true},
        TLongCase{"Tab3MidLine", 3, std::string(340, '\t') + "abcd\tz",
                  {std::string(340, '\t') + "abcd", "\tz"}, true}),
    [](const ::testing::TestParamInfo<TLongCase>& info) { return std::string(info.param.name); });

TEST_F(DocStreamTest, SplitLinesAreWrittenAsSeparateLines)
{
    ASSERT_TRUE(ed.Load(std::string(2000, 'x')));
    EXPECT_EQ(ed.Save(kFormatDos), X1024 + "\r\n" + std::string(976, 'x') + "\r\n");
}

// ---- Loading into a document and what the window sees. -----------------------------------------------

TEST_F(DocStreamTest, LoadingReplacesWhateverTheDocumentHeld)
{
    Doc({"one", "two", "three"});
    ed.GotoPosition(2, 2, false);
    ed.GotoPosition(0, 1, true);
    ed.modified = true;
    ed.winLines = 1;
    ed.ScrollTo(0, 2);
    ed.ClearLog();
    ASSERT_TRUE(ed.Load("x\ny"));
    EXPECT_EQ(Lines(), (TLines{"x", "y"}));
    EXPECT_EQ(ed.Cursor(), Pos(0, 0));
    EXPECT_EQ(ed.curLine, ed.firstLine);
    EXPECT_FALSE(ed.selShown);
    EXPECT_FALSE(ed.modified);
    EXPECT_EQ(ed.topLine, 0);
    EXPECT_EQ(ed.calls, (std::vector<std::string>{"caret 0,0", "all", "scroll", "status"}));
}

TEST_F(DocStreamTest, LoadingNothingLeavesOneEmptyLine)
{
    Doc({"held text"});
    ASSERT_TRUE(ed.Load(""));
    EXPECT_EQ(Lines(), (TLines{""}));
    EXPECT_EQ(ed.Save(kFormatUnix), "\n");
}

// ---- Running out of memory while loading. -----------------------------------------------------------

// The document's structure must hold whatever happened: links both ways, lastLine, the cursor's cache.
void ExpectConsistent(TVokEditor& ed)
{
    int32_t count = 0;
    LineRecord* prev = nullptr;
    for (LineRecord* l = ed.firstLine; l; prev = l, l = l->next, ++count) {
        ASSERT_EQ(l->prev, prev);
        ASSERT_NE(l->text, nullptr);
        ASSERT_LE(std::strlen(l->text), 1031u);
    }
    EXPECT_EQ(ed.lastLine, count - 1);
    EXPECT_EQ(ed.curLine, ed.LineAt(ed.curLineNo));
    EXPECT_LE(ed.curLineNo, ed.lastLine);
    EXPECT_TRUE(ed.CheckList());
}

class LoadOutOfMemoryTest : public DocStreamTest, public ::testing::WithParamInterface<bool> {};

TEST_P(LoadOutOfMemoryTest, KeepsTheLinesReadSoFar)
{
    const bool once = GetParam();
    const int kLines = 12;
    std::string text;
    for (int i = 0; i < kLines; ++i)
        text += "line " + std::to_string(i) + (i % 3 ? "\r\n" : "\n");
    bool sawSuccess = false;
    for (long n = 1; n < 4 * kLines && !sawSuccess; ++n) {
        auto* doc = new TRecordingEditor;
        doc->GotoPosition(0, 0, false);
        once ? SetAllocFailOnce(n) : SetAllocFailAt(n);
        bool ok = doc->Load(text);
        SetAllocFailAt(0);
        if (ok) {
            sawSuccess = true;
            EXPECT_EQ(doc->lastLine, kLines - 1);
            EXPECT_FALSE(doc->modified);
        } else {
            EXPECT_TRUE(doc->errors.empty()) << "the window reports running out of memory, not the loader";
            ExpectConsistent(*doc);
            // Every complete line is the file's; only the last may have lost its text.
            int32_t i = 0;
            for (LineRecord* l = doc->firstLine; l; l = l->next, ++i) {
                std::string want = "line " + std::to_string(i);
                if (l->next)
                    EXPECT_EQ(l->text, want) << "allocation " << n;
                else
                    EXPECT_TRUE(l->text == want || l->text[0] == 0) << "allocation " << n;
            }
            // Still a working document.
            doc->GotoPosition(3, doc->lastLine, false);
            doc->SelectAll();
            TMemOutStream out;
            EXPECT_TRUE(doc->WriteFile(out, kFormatUnix));
        }
        delete doc;
    }
    EXPECT_TRUE(sawSuccess);
}

INSTANTIATE_TEST_SUITE_P(Faults, LoadOutOfMemoryTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "FailOnce" : "FailFromThenOn");
                         });

TEST_F(DocStreamTest, ReloadingAfterAFailedLoadWorks)
{
    SetAllocFailAt(2);  // the texts come from one block: the second allocation is theirs
    EXPECT_FALSE(ed.Load("a\nb\nc\nd\ne\n"));
    SetAllocFailAt(0);
    ASSERT_TRUE(ed.Load("p\nq\n"));
    EXPECT_EQ(Lines(), (TLines{"p", "q"}));
}

// ---- Writing the document. ---------------------------------------------------------------------------

TEST_F(DocStreamTest, AFullDiskFailsTheWriteAndKeepsModified)
{
    Doc({"first line", "", "third"});
    const std::string whole = "first line\r\n\r\nthird\r\n";
    for (std::size_t buffer : {std::size_t{3}, std::size_t{4096}}) {
        for (std::size_t limit : {std::size_t{0}, std::size_t{1}, std::size_t{12}, whole.size() - 1}) {
            ed.modified = true;
            TMemOutStream out(limit, buffer);
            EXPECT_FALSE(ed.WriteFile(out, kFormatDos)) << limit;
            EXPECT_TRUE(ed.modified);
            EXPECT_EQ(out.Text(), whole.substr(0, limit));
        }
        TMemOutStream exact(whole.size(), buffer);
        EXPECT_TRUE(ed.WriteFile(exact, kFormatDos));
        EXPECT_FALSE(ed.modified);
        EXPECT_EQ(exact.Text(), whole);
    }
    EXPECT_EQ(Lines(), (TLines{"first line", "", "third"}));
}

// ---- Writing the marked block. -----------------------------------------------------------------------

class WriteBlockTest : public DocStreamTest {
protected:
    void SetUp() override
    {
        DocStreamTest::SetUp();
        EngineOptions().tabSize = 8;
        Doc({"line zero", "line one", "0123456789", "abcdefghij", "ab", "\tTABBED", "klmnopqrst"});
    }
    // Writes the block in the given format; the bytes, or "<fail>".
    std::string Block(int format, std::size_t limit = static_cast<std::size_t>(-1))
    {
        TMemOutStream out(limit, 4);
        bool ok = ed.WriteBlock(out, format);
        return ok ? out.Text() : "<fail>";
    }
};

TEST_F(WriteBlockTest, NothingMarkedFails)
{
    EXPECT_EQ(Block(kFormatDos), "<fail>");
    SetSelection(Pos(0, 9), Pos(2, 10));  // starts past the last line
    EXPECT_EQ(Block(kFormatDos), "<fail>");
    SetSelection(Pos(0, 3), Pos(2, 2));  // start after end
    EXPECT_EQ(Block(kFormatDos), "<fail>");
}

TEST_F(WriteBlockTest, ColumnBlockTakesTheSameColumnsFromEveryLine)
{
    SetSelection(Pos(6, 3), Pos(2, 5), true);
    // "ab" ends before the left edge; "\tTABBED" has only its tab there.
    EXPECT_EQ(Block(kFormatDos), "cdef\r\n\r\n\r\n");
    SetSelection(Pos(2, 2), Pos(10, 5), true);
    EXPECT_EQ(Block(kFormatUnix), "23456789\ncdefghij\n\nTA\n");  // a tab across the left edge stays out
}

TEST_F(WriteBlockTest, StreamBlockOnOneLineHasNoLineEnd)
{
    SetSelection(Pos(2, 2), Pos(7, 2));
    EXPECT_EQ(Block(kFormatDos), "23456");
    SetSelection(Pos(3, 5), Pos(10, 5));  // columns inside the tab start after it
    EXPECT_EQ(Block(kFormatDos), "TA");
}

TEST_F(WriteBlockTest, StreamBlockOverLines)
{
    SetSelection(Pos(5, 0), Pos(3, 3));
    EXPECT_EQ(Block(kFormatDos), "zero\r\nline one\r\n0123456789\r\nabc");
    EXPECT_EQ(Block(kFormatMac), "zero\rline one\r0123456789\rabc");
    SetSelection(Pos(5, 0), Pos(0, 2));
    EXPECT_EQ(Block(kFormatUnix), "zero\nline one\n");
    SetSelection(Pos(8, 1), Pos(2, 2));  // starting at the end of its line
    EXPECT_EQ(Block(kFormatUnix), "\n01");
}

TEST_F(WriteBlockTest, AnEndPastTheLastLineIsCut)
{
    SetSelection(Pos(3, 5), Pos(2, 90));
    EXPECT_EQ(Block(kFormatUnix), "TABBED\nkl");
    SetSelection(Pos(0, 5), Pos(1, 90), true);
    EXPECT_EQ(Block(kFormatUnix), "\t\nk\n");
}

TEST_F(WriteBlockTest, AFullDiskFailsAndModifiedIsUntouched)
{
    SetSelection(Pos(5, 0), Pos(3, 3));
    for (bool modified : {false, true}) {
        ed.modified = modified;
        for (std::size_t limit : {std::size_t{0}, std::size_t{5}, std::size_t{20}})
            EXPECT_EQ(Block(kFormatDos, limit), "<fail>") << limit;
        EXPECT_EQ(ed.modified, modified);
    }
    ed.modified = true;
    EXPECT_NE(Block(kFormatDos), "<fail>");
    EXPECT_TRUE(ed.modified);
}

// ---- Real files, through buffers of every awkward size. ----------------------------------------------

class FileStreamTest : public DocStreamTest, public ::testing::WithParamInterface<std::size_t> {
protected:
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
        DocStreamTest::TearDown();
    }
    std::string path_ = (std::filesystem::temp_directory_path() /
                         ("vok_docstream_" + std::to_string(GetParam()) + ".txt"))
                            .string();
};

TEST_P(FileStreamTest, CrLfSplitAcrossBufferRefillsStillReadsAsDos)
{
    const std::string bytes = "a\r\nbc\r\n\r\nd\rlast\r\n";
    {
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    std::FILE* f = std::fopen(path_.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    TFileInStream in(f, GetParam());
    int16_t format = 99;
    bool ok = ed.ReadFile(in, &format);
    std::fclose(f);
    ASSERT_TRUE(ok);
    EXPECT_EQ(Lines(), (TLines{"a", "bc", "", "d", "last"}));
    EXPECT_EQ(format, kFormatDos);

    f = std::fopen(path_.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    TFileOutStream out(f);
    ok = ed.WriteFile(out, kFormatUnix);
    std::fclose(f);
    EXPECT_TRUE(ok);
    f = std::fopen(path_.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char back[64] = {};
    std::size_t got = std::fread(back, 1, sizeof back, f);
    std::fclose(f);
    EXPECT_EQ(std::string(back, got), "a\nbc\n\nd\nlast\n");
}

INSTANTIATE_TEST_SUITE_P(BufferSizes, FileStreamTest, ::testing::Values(1, 2, 3, 4, 5, 7, 4096));

TEST_F(DocStreamTest, AStreamThatCannotBeWrittenFails)
{
    const std::string path = (std::filesystem::temp_directory_path() / "vok_docstream_readonly.txt").string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    f = std::fopen(path.c_str(), "rb");  // open for reading only: every write falls short
    ASSERT_NE(f, nullptr);
    Doc({"some", "text"});
    ed.modified = true;
    {
        TFileOutStream out(f);
        EXPECT_FALSE(ed.WriteFile(out, kFormatDos));
    }
    std::fclose(f);
    std::filesystem::remove(path);
    EXPECT_TRUE(ed.modified);
}
}  // namespace
