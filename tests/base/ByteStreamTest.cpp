// Buffered byte streams: push-back across refills, end of stream, and sinks that fill up.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "base/ByteRuns.h"
#include "base/ByteStream.h"

namespace {
std::string ReadAll(TInStream& in)
{
    std::string s;
    for (int c = in.Get(); c != TInStream::kEof; c = in.Get())
        s += static_cast<char>(c);
    return s;
}

TEST(ByteStreamTest, MemoryStreamReadsEveryByteThenEndForever)
{
    const std::string text("a\0\xff", 3);
    TMemInStream in(text);
    EXPECT_FALSE(in.AtEnd());
    EXPECT_EQ(in.Get(), 'a');
    EXPECT_EQ(in.Peek(), 0);
    EXPECT_EQ(in.Get(), 0);
    EXPECT_EQ(in.Get(), 0xff);  // bytes come back unsigned, never confused with the end
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(in.Get(), TInStream::kEof);
    EXPECT_EQ(in.Get(), TInStream::kEof);
    EXPECT_FALSE(in.Failed());
}

TEST(ByteStreamTest, PushBackReturnsTheByteOnce)
{
    const std::string text = "xyz";
    TMemInStream in(text);
    int c = in.Get();
    in.Unget(c);
    in.Unget(TInStream::kEof);  // ignored
    EXPECT_EQ(ReadAll(in), "xyz");
    in.Unget('z');  // after the end, the last byte can still go back
    EXPECT_EQ(in.Get(), 'z');
    EXPECT_EQ(in.Get(), TInStream::kEof);
}

TEST(ByteStreamTest, PushingBackADifferentByteInsertsIt)
{
    const std::string text = "abc";
    TMemInStream in(text);
    EXPECT_EQ(in.Get(), 'a');
    in.Unget('Q');
    EXPECT_EQ(ReadAll(in), "Qbc");
    TMemInStream empty("", 0);
    empty.Unget('E');
    EXPECT_EQ(ReadAll(empty), "E");
}

class FileInStreamTest : public ::testing::TestWithParam<std::size_t> {
protected:
    void SetUp() override
    {
        const std::string name = "vok_bytestream_" + std::to_string(GetParam());
        path_ = (std::filesystem::temp_directory_path() / name).string();
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(kText.data(), 1, kText.size(), f);
        std::fclose(f);
        file_ = std::fopen(path_.c_str(), "rb");
        ASSERT_NE(file_, nullptr);
    }
    void TearDown() override
    {
        if (file_)
            std::fclose(file_);
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    const std::string kText = std::string("0123456789\r\nabc\0def", 19);
    std::string path_;
    std::FILE* file_ = nullptr;
};

TEST_P(FileInStreamTest, PeekingEveryByteAcrossRefillsLosesNothing)
{
    TFileInStream in(file_, GetParam());
    std::string got;
    while (!in.AtEnd()) {
        int c = in.Get();
        in.Unget(c);
        EXPECT_EQ(in.Peek(), c);
        got += static_cast<char>(in.Get());
    }
    EXPECT_EQ(got, kText);
    EXPECT_EQ(in.Get(), TInStream::kEof);
    EXPECT_FALSE(in.Failed());
}

TEST_P(FileInStreamTest, ForeignPushBackAtABufferEdge)
{
    TFileInStream in(file_, GetParam());
    std::string got;
    for (int c = in.Get(); c != TInStream::kEof; c = in.Get()) {
        got += static_cast<char>(c);
        if (c == '9') {
            in.Unget('#');  // not the byte just read: it must come next, then the file goes on
            got += static_cast<char>(in.Get());
        }
    }
    EXPECT_EQ(got, std::string("0123456789#\r\nabc\0def", 20));
}

INSTANTIATE_TEST_SUITE_P(BufferSizes, FileInStreamTest, ::testing::Values(1, 2, 3, 10, 11, 64));

TEST(ByteStreamTest, OutputLargerThanTheBufferArrivesWhole)
{
    TMemOutStream out(static_cast<std::size_t>(-1), 4);
    EXPECT_TRUE(out.Write("hello, ", 7));
    EXPECT_TRUE(out.Put('w'));
    EXPECT_TRUE(out.Write("orld"));
    EXPECT_TRUE(out.Write("", 0));
    EXPECT_TRUE(out.Flush());
    EXPECT_EQ(out.Text(), "hello, world");
    EXPECT_TRUE(out.Flush());
}

TEST(ByteStreamTest, AFullSinkFailsAndStaysFailed)
{
    TMemOutStream out(5, 4);
    EXPECT_TRUE(out.Write("abcd", 4));  // still in the buffer
    EXPECT_FALSE(out.Write("efghij", 6));
    EXPECT_TRUE(out.Failed());
    EXPECT_FALSE(out.Put('k'));
    EXPECT_FALSE(out.Flush());
    EXPECT_EQ(out.Text(), "abcde");
}

TEST(ByteStreamTest, AShortfallIsReportedByFlush)
{
    TMemOutStream out(3, 64);
    EXPECT_TRUE(out.Write("abcd", 4));  // buffered: the sink has not been asked yet
    EXPECT_FALSE(out.Flush());
    EXPECT_TRUE(out.Failed());
    EXPECT_EQ(out.Text(), "abc");
}

TEST(ByteStreamTest, FileOutputRoundTrip)
{
    const std::string path = (std::filesystem::temp_directory_path() / "vok_bytestream_out").string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    {
        TFileOutStream out(f);
        std::string big(100000, 'z');
        big[5] = '\r';
        big[99999] = '\n';
        EXPECT_TRUE(out.Write(big.data(), big.size()));
        EXPECT_TRUE(out.Flush());
    }
    std::fclose(f);
    f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    TFileInStream in(f);
    std::string back = ReadAll(in);
    std::fclose(f);
    std::filesystem::remove(path);
    ASSERT_EQ(back.size(), 100000u);
    EXPECT_EQ(back[5], '\r');
    EXPECT_EQ(back[99999], '\n');
}

TEST(ByteStreamTest, WithoutAFileEverythingFails)
{
    TFileOutStream out(nullptr);
    out.Write("x", 1);
    EXPECT_FALSE(out.Flush());
    TFileInStream in(nullptr);
    EXPECT_TRUE(in.AtEnd());
}
}  // namespace

namespace {
// Every length from 0 to 40 at every start within a word, with high bytes and bytes just above NUL around
// the end (the word test's borrow can flag them), against the library's strlen and memcpy.
TEST(ByteRunsTest, WordwiseLengthAndCopyAgreeWithTheLibrary)
{
    alignas(8) char text[64];
    for (std::size_t start = 0; start < 8; ++start) {
        for (std::size_t length = 0; length <= 40; ++length) {
            for (std::size_t i = 0; i < sizeof text; ++i)
                text[i] = static_cast<char>(i % 3 == 0 ? 0x80 + i : (i % 3 == 1 ? 0x01 : 'a' + i % 26));
            text[start + length] = 0;
            const char* s = text + start;
            ASSERT_EQ(WordwiseLength(s), std::strlen(s)) << "start " << start << " length " << length;
            EXPECT_EQ(TextLength(s), length);
            char copy[64];
            std::memset(copy, '#', sizeof copy);
            WordwiseCopy(copy + start, s, length);
            EXPECT_EQ(std::memcmp(copy + start, s, length), 0);
            EXPECT_EQ(copy[start + length], '#') << "copied past the end";
            if (start > 0) {
                EXPECT_EQ(copy[start - 1], '#');
            }
        }
    }
}

// Random texts over three letters, NULs placed anywhere after the start, every start within a word: the
// pair finder gives the first place a naive scan gives, never a place at or past the NUL.
TEST(ByteRunsTest, FindBytePairAgreesWithANaiveScan)
{
    std::mt19937 random(20261209);
    alignas(16) char text[80];
    for (int round = 0; round < 20000; ++round) {
        for (char& c : text)
            c = "abc\x80"[random() % 4];
        const std::size_t start = random() % 16;
        const std::size_t end = start + random() % 60;
        text[end] = 0;
        const auto first = static_cast<unsigned char>("abc\x80"[random() % 4]);
        const auto second = static_cast<unsigned char>("abc\x80"[random() % 4]);
        const char* expected = nullptr;
        for (const char* p = text + start; *p; ++p)
            if (static_cast<unsigned char>(p[0]) == first && static_cast<unsigned char>(p[1]) == second) {
                expected = p;
                break;
            }
        ASSERT_EQ(FindBytePairWordwise(text + start, first, second), expected)
            << "round " << round << " start " << start << " end " << end;
        ASSERT_EQ(FindBytePair(text + start, first, second), expected) << "round " << round;
    }
}
}  // namespace

