// Importing word-processor documents: the generated documents of every format against the text they
// hold, the reflow's limits, every header and group pointing outside the file, cut and damaged files,
// and the buffer's growth and allocation failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "import/ImportDocument.h"
#include "import/ReflowOutput.h"
#include "support/TempDir.h"

namespace {
const std::string kFixtures = std::string(VOK_SOURCE_DIR) + "/tests/import/fixtures/";

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A MemFile on the heap that counts its allocations, can be made to refuse the n-th, and remembers
// the largest capacity it was asked for.
class TTestMemFile final : public MemFile {
public:
    explicit TTestMemFile(int failAt = 0) : failAt_(failAt) {}
    ~TTestMemFile() override
    {
        if (char* data = Data())
            Release(data);
    }
    int allocations = 0;
    std::size_t largest = 0;
    int releases = 0;

protected:
    char* Reallocate(char* old, std::size_t newCapacity) noexcept override
    {
        if (++allocations == failAt_)
            return nullptr;
        largest = std::max(largest, newCapacity);
        return static_cast<char*>(std::realloc(old, newCapacity));
    }
    void Release(char* data) noexcept override
    {
        ++releases;
        std::free(data);
    }

private:
    int failAt_;
};

struct TResult {
    bool ok;
    std::string text;  // without the closing zero
};

TResult Import(const std::string& bytes, int wrap = 76, int tab = 8)
{
    TTestMemFile out;
    bool ok = ImportBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), {wrap, tab}, out);
    std::string text(out.Text());
    if (ok) {
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '\0') << "the text ends in a zero byte";
        text.pop_back();
    } else {
        EXPECT_TRUE(out.Failed());
        EXPECT_TRUE(text.empty()) << "no result holds no text";
    }
    return {ok, text};
}

void Put16(std::string& s, std::size_t at, unsigned v)
{
    if (s.size() < at + 2)
        s.resize(at + 2);
    s[at] = char(v & 0xFF);
    s[at + 1] = char(v >> 8 & 0xFF);
}
void Put32(std::string& s, std::size_t at, std::uint32_t v)
{
    Put16(s, at, v & 0xFFFF);
    Put16(s, at + 2, v >> 16);
}

// A Word 1/2 document holding text.
std::string Word2(const std::string& text)
{
    std::string doc(0x80, '\0');
    Put16(doc, 0, 0xA59B);
    Put16(doc, 0x18, 0x80);
    Put32(doc, 0x1C, 0x80 + std::uint32_t(text.size()));
    return doc + text;
}

// A compound file with a Word 6/7 header at h whose text length field says length.
std::string Word6At(std::size_t h, const std::string& text, std::uint32_t length, unsigned version = 0x65)
{
    std::string doc(h + 0x300, '\0');
    doc[0] = char(0xD0);
    doc[1] = char(0xCF);
    Put16(doc, h, 0xA5DC);
    Put16(doc, h + 2, version);
    Put32(doc, h + 0x34, length);
    return doc + text;
}

std::string WordPerfect(const std::string& body, unsigned encryption = 0)
{
    std::string doc("\xFFWPC", 4);
    doc.resize(16, '\0');
    Put32(doc, 4, 16);
    doc[8] = 1;
    doc[9] = 0x0A;
    Put16(doc, 12, encryption);
    return doc + body;
}

std::string WordStar(const std::string& body)
{
    std::string doc(128, '\0');
    doc[0] = 0x1D;
    doc[1] = 0x7D;
    return doc + body;
}

const char* const kFixtureNames[] = {"word2.doc", "word6.doc", "word6-scan.doc", "write.wri",
                                     "wp51.wpd",  "amipro.sam", "wordstar.ws"};
}  // namespace

class ImportFixtureTest : public testing::TestWithParam<const char*> {};

TEST_P(ImportFixtureTest, GivesTheTextTheDocumentHolds)
{
    std::string doc = ReadBytes(kFixtures + GetParam());
    std::string expected = ReadBytes(kFixtures + GetParam() + ".expected");
    ASSERT_FALSE(doc.empty());
    ASSERT_FALSE(expected.empty());
    TResult result = Import(doc);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.text, expected);
}

TEST_P(ImportFixtureTest, ImportsFromTheFileAsFromMemory)
{
    TTestMemFile out;
    ASSERT_TRUE(ImportDocument(kFixtures + GetParam(), {76, 8}, out));
    std::string expected = ReadBytes(kFixtures + GetParam() + ".expected");
    EXPECT_EQ(std::string(out.Text()), expected + '\0');
}

// Every cut of the document gives no result or a text, and reads nothing past the cut (the sanitizer
// tree sees every byte); a Word document gives its whole text or none, never a part.
TEST_P(ImportFixtureTest, ACutDocumentGivesTextOrNothingAndNeverReadsPastTheCut)
{
    std::string doc = ReadBytes(kFixtures + GetParam());
    std::string name = GetParam();
    bool whole = name.rfind("word", 0) == 0 && name != "wordstar.ws";
    std::string expected = ReadBytes(kFixtures + GetParam() + ".expected") + '\0';
    // Every cut of a small document; a large one in steps, to keep the run short.
    std::size_t step = doc.size() / 1500 + 1;
    for (std::size_t n = 0; n < doc.size(); n += step) {
        // Copied to a block of exactly n bytes, so that a read past the cut is a read past the block.
        std::vector<unsigned char> cut(doc.begin(), doc.begin() + n);
        TTestMemFile out;
        bool ok = ImportBytes(cut.data(), cut.size(), {76, 8}, out);
        if (ok && whole) {
            EXPECT_EQ(std::string(out.Text()), expected) << "cut at " << n;
        }
        if (ok) {
            EXPECT_EQ(out.Text().back(), '\0');
        }
    }
}

// Random bytes changed in the document: no result or a text, never a read outside or a hang.
TEST_P(ImportFixtureTest, ADamagedDocumentGivesTextOrNothing)
{
    std::string doc = ReadBytes(kFixtures + GetParam());
    std::mt19937 random(25);
    for (int round = 0; round < 300; ++round) {
        std::vector<unsigned char> bytes(doc.begin(), doc.end());
        int changes = 1 + int(random() % 8);
        for (int i = 0; i < changes; ++i)
            bytes[2 + random() % (bytes.size() - 2)] = static_cast<unsigned char>(random());
        TTestMemFile out;
        if (ImportBytes(bytes.data(), bytes.size(), {76, 8}, out)) {
            EXPECT_EQ(out.Text().back(), '\0');
        }
        // The text never outgrows what the bytes can make: at most two line-end bytes and one reflow
        // break per byte.
        EXPECT_LE(out.Text().size(), 4 * bytes.size() + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, ImportFixtureTest, testing::ValuesIn(kFixtureNames),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

// A Word 95 document written by LibreOffice's own export filter, when make-fixtures.py found LibreOffice.
TEST(ImportWord, ADocumentWrittenByLibreOffice)
{
    std::string doc = ReadBytes(kFixtures + "lo-word95.doc");
    if (doc.empty())
        GTEST_SKIP() << "no lo-word95.doc: LibreOffice was not installed when the documents were made";
    TResult result = Import(doc);
    ASSERT_TRUE(result.ok);
    for (const char* paragraph : {"Prvi odlomak iz LibreOfficea.", "Hrvatska slova: \xC8\xE6\x9E\x9A\xF0", "Kraj."})
        EXPECT_NE(result.text.find(paragraph), std::string::npos) << paragraph;
}

TEST(ImportFormat, IsRecognisedFromTheFirstBytes)
{
    auto format = [](const std::string& s) {
        return RecognizeFormat(reinterpret_cast<const unsigned char*>(s.data()), s.size());
    };
    EXPECT_EQ(format("\x9B\xA5"), TImportFormat::Word);
    EXPECT_EQ(format("\xDB\xA5"), TImportFormat::Word);
    EXPECT_EQ(format("\xD0\xCF\x11\xE0"), TImportFormat::Word);
    EXPECT_EQ(format("\x31\xBE"), TImportFormat::Write);
    EXPECT_EQ(format("\x32\xBE"), TImportFormat::Write);
    EXPECT_EQ(format("\xFFWPC"), TImportFormat::WordPerfect);
    EXPECT_EQ(format("\xFFWP"), TImportFormat::Unknown);
    EXPECT_EQ(format("\xFFWPX"), TImportFormat::Unknown);
    EXPECT_EQ(format("[ver]"), TImportFormat::AmiPro);
    EXPECT_EQ(format("[ver"), TImportFormat::Unknown);
    EXPECT_EQ(format("[vex]"), TImportFormat::Unknown);
    EXPECT_EQ(format("\x1D\x7D"), TImportFormat::WordStar);
    EXPECT_EQ(format("\x1D"), TImportFormat::Unknown);
    EXPECT_EQ(format(""), TImportFormat::Unknown);
    EXPECT_EQ(format("Plain text"), TImportFormat::Unknown);
    EXPECT_FALSE(Import("Plain text, not a document").ok);
}

TEST(ImportDocument, AFileThatCannotBeOpenedGivesNoResult)
{
    TTempDir dir;
    TTestMemFile out;
    EXPECT_FALSE(ImportDocument(dir.File("missing.doc"), {76, 8}, out));
    EXPECT_TRUE(out.Failed());
    TTempDir::Write(dir.File("empty.doc"), "");
    TTestMemFile empty;
    EXPECT_FALSE(ImportDocument(dir.File("empty.doc"), {76, 8}, empty));
}

TEST(ImportReflow, AWordLongerThanTheLineBreaksAtTheWrapColumnOrTheBuffer)
{
    std::string letters(200, 'a');
    EXPECT_EQ(Import(Word2(letters), 76).text,
              std::string(76, 'a') + "\r\n" + std::string(76, 'a') + "\r\n" + std::string(48, 'a'));
    EXPECT_EQ(Import(Word2(letters), 200).text, std::string(127, 'a') + "\r\n" + std::string(73, 'a'));
}

TEST(ImportReflow, BreaksAtTheLastSpaceAndCountsTabsToTheirStop)
{
    // The tab takes the line to column 8, so "bbbb" ends at 12 and the break comes before "cc".
    EXPECT_EQ(Import(Word2("a\tbbb cc dd"), 12, 8).text, "a\tbbb\r\ncc dd");
    EXPECT_EQ(Import(Word2("a\tbbb cc dd"), 12, 4).text, "a\tbbb cc\r\ndd");
    // The break comes before the character after a full line, at the last space the line holds: a word
    // that ends on the wrap column moves down, and the part kept is counted again.
    EXPECT_EQ(Import(Word2("aa bbb ccccc dd"), 6).text, "aa\r\nbbb\r\nccccc\r\ndd");
    EXPECT_EQ(Import(Word2("aa bb ccccc dd"), 6).text, "aa bb\r\nccccc\r\ndd");
    // A tab size or wrap column of 0 (a damaged settings file) neither divides by zero nor hangs.
    EXPECT_EQ(Import(Word2("a\tb"), 76, 0).text, "a\tb");
    EXPECT_EQ(Import(Word2("ab"), 0, 8).text, "a\r\nb");
}

TEST(ImportReflow, ParagraphEndsLineBreaksFieldsAndControls)
{
    EXPECT_EQ(Import(Word2("one\rtwo\nthree\r\rfour")).text, "one\r\ntwo\r\nthree\r\n\r\nfour");
    EXPECT_EQ(Import(Word2("line\x0b" "break")).text, "line-break");
    // A page number field: start, code, separator, result, end; nested fields each need their end.
    EXPECT_EQ(Import(Word2("Page \x13 PAGE \x14" "3\x15 of 5")).text, "Page  of 5");
    EXPECT_EQ(Import(Word2("a\x13 IF \x13 PAGE \x15 x\x14y\x15" "b")).text, "ab");
    EXPECT_EQ(Import(Word2("a\x13 never closed")).text, "a");
    EXPECT_EQ(Import(Word2(std::string("a\x01\x07\x1f\x00" "b", 6))).text, "ab");
    EXPECT_EQ(Import(Word2("\xC8\xE6\x9E\x8A\xF0")).text, "\xC8\xE6\x9E\x8A\xF0");
}

TEST(ImportWord, FindsTheCompoundHeaderAtEitherPlaceOrByScanning)
{
    EXPECT_EQ(Import(Word6At(0x880, "eight", 5)).text, "eight");
    EXPECT_EQ(Import(Word6At(0xA00, "a00", 3)).text, "a00");
    // Elsewhere, the signature must be followed by a version 0x65 or from 0x68 on and a zero byte.
    EXPECT_EQ(Import(Word6At(0x640, "scan", 4, 0x65)).text, "scan");
    EXPECT_EQ(Import(Word6At(0x640, "scan", 4, 0x69)).text, "scan");
    EXPECT_FALSE(Import(Word6At(0x640, "scan", 4, 0x66)).ok);
    EXPECT_FALSE(Import(Word6At(0x640, "scan", 4, 0x167)).ok);
    std::string noHeader(0x1000, '\0');
    noHeader[0] = char(0xD0);
    noHeader[1] = char(0xCF);
    EXPECT_FALSE(Import(noHeader).ok);
}

TEST(ImportWord, ATextRangeLeavingTheFileGivesNoResultAndNoHugeBuffer)
{
    EXPECT_FALSE(Import(Word6At(0xA00, "short", 6)).ok);
    TTestMemFile out;
    std::string claims = Word6At(0xA00, "text", 0xFFFFFFF0u);
    EXPECT_FALSE(ImportBytes(reinterpret_cast<const unsigned char*>(claims.data()), claims.size(), {}, out));
    EXPECT_EQ(out.largest, 0u) << "nothing allocated for a claimed length";
    // A header whose length field itself lies past the end.
    std::string cut = Word6At(0xA00, "", 0).substr(0, 0xA00 + 0x36);
    EXPECT_FALSE(Import(cut).ok);
    // Word 1/2: an end before the start, or past the end of the file.
    std::string doc = Word2("text");
    Put32(doc, 0x1C, 0x7F);
    EXPECT_FALSE(Import(doc).ok);
    Put32(doc, 0x1C, 0x85);
    EXPECT_FALSE(Import(doc).ok);
    Put32(doc, 0x1C, 0x84);
    EXPECT_EQ(Import(doc).text, "text");
}

TEST(ImportWrite, AnEndAtTheHeaderIsAnEmptyDocumentAndAnEndPastTheFileStopsThere)
{
    std::string doc(0x80, '\0');
    Put16(doc, 0, 0xBE31);
    Put32(doc, 0x0E, 0x80);
    doc += "text after the end";
    TResult empty = Import(doc);
    EXPECT_TRUE(empty.ok);
    EXPECT_EQ(empty.text, "");
    Put32(doc, 0x0E, 0x10);
    EXPECT_EQ(Import(doc).text, "");
    Put32(doc, 0x0E, 0xFFFFFFFF);
    EXPECT_EQ(Import(doc).text, "text after the end");
    Put32(doc, 0x0E, 0x84);
    EXPECT_EQ(Import(doc).text, "text");
    EXPECT_EQ(Import(doc.substr(0, 0x10)).ok, false) << "the end field itself cut off";
    // Write's CR LF paragraph end is one line end.
    std::string crlf(0x80, '\0');
    Put16(crlf, 0, 0xBE32);
    Put32(crlf, 0x0E, 0x80 + 8);
    crlf += "one\r\ntwo";
    EXPECT_EQ(Import(crlf).text, "one\r\ntwo");
}

TEST(ImportWordPerfect, MapsSetOneAndMarksOtherExtendedCharacters)
{
    EXPECT_EQ(Import(WordPerfect("\xC0\x1A\x01\xC0")).text, "\xC1") << "set 1 number 26 is A acute";
    EXPECT_EQ(Import(WordPerfect("\xC0\xE9\x01\xC0" "a")).text, "ua") << "the last of the table";
    EXPECT_EQ(Import(WordPerfect("\xC0\xEA\x01\xC0" "a")).text, "*a") << "past the table";
    EXPECT_EQ(Import(WordPerfect("\xC0\x1A\x02\xC0")).text, "*");
    EXPECT_EQ(Import(WordPerfect("x\xC0\x1A\x01")).text, "x") << "cut inside the character";
}

TEST(ImportWordPerfect, CodesAndGroups)
{
    EXPECT_EQ(Import(WordPerfect("a\x09" "b\x0a" "c\x0d" "d")).text, "a\tb\r\nc\r\nd");
    EXPECT_EQ(Import(WordPerfect("a\xA0" "b\xA9" "c\xAB" "d\x1f\x81\xBF\x80")).text, "a b-c-d\x80");
    EXPECT_EQ(Import(WordPerfect(std::string("a\x00\x05\x0b\x1e" "b", 6))).text, "ab");
    // The tab group gives a tab unless its first data byte has a top bit set.
    EXPECT_EQ(Import(WordPerfect(std::string("a\xC1\x00\x01\x02\xC1" "b", 7))).text, "a\tb");
    EXPECT_EQ(Import(WordPerfect("a\xC1\x40\x01\x02\xC1" "b")).text, "ab");
    EXPECT_EQ(Import(WordPerfect("a\xC1\x80\xC1" "b")).text, "ab");
    EXPECT_EQ(Import(WordPerfect("a\xC3\x0C\xC3" "b\xC4\x0C\xC4" "c")).text, "abc");
    // Variable-length groups: a paragraph group with subcode 0 ends the line.
    EXPECT_EQ(Import(WordPerfect(std::string("a\xD0\x04\x03\x00xyz" "b", 9))).text, "ab");
    EXPECT_EQ(Import(WordPerfect(std::string("a\xDC\x00\x01\x00z" "b", 7))).text, "a\r\nb");
    EXPECT_EQ(Import(WordPerfect(std::string("a\xDC\x01\x01\x00z" "b", 7))).text, "ab");
}

// Damage ends the walk where it is met: the text before it is kept.
TEST(ImportWordPerfect, AGroupRunningOffTheEndKeepsTheTextBeforeIt)
{
    EXPECT_EQ(Import(WordPerfect(std::string("ab\xD0\x04\xFF\xFF" "cd", 8))).text, "ab");
    EXPECT_EQ(Import(WordPerfect(std::string("ab\xD0\x04\x03", 5))).text, "ab");
    EXPECT_EQ(Import(WordPerfect("ab\xC3\x0C" "cd")).text, "ab") << "no closing code";
    EXPECT_EQ(Import(WordPerfect("ab\xC1")).text, "ab");
}

TEST(ImportWordPerfect, RefusesEncryptedAndDamagedHeaders)
{
    EXPECT_FALSE(Import(WordPerfect("secret", 0x1234)).ok);
    std::string doc = WordPerfect("text");
    Put32(doc, 4, 0x7FFFFFFF);
    EXPECT_FALSE(Import(doc).ok) << "document area past the end";
    Put32(doc, 4, std::uint32_t(doc.size()));
    TResult atEnd = Import(doc);
    EXPECT_TRUE(atEnd.ok);
    EXPECT_EQ(atEnd.text, "");
    EXPECT_FALSE(Import(std::string("\xFFWPC\x10\x00\x00\x00", 8)).ok) << "header cut short";
}

TEST(ImportAmiPro, TextFromTheDocumentSectionWithItsEscapes)
{
    EXPECT_EQ(Import("[ver]\r\n[edo[edoc]\r\na<<b").text, "\r\na<b");
    EXPECT_EQ(Import("[ver][edoc]a<;>b<+!>c<-!>d").text, "a>bcd");
    EXPECT_EQ(Import(std::string("[ver][edoc]a<;\0b<;\rc<;\td", 24)).text, "abc\td") << "no zero inside the text";
    EXPECT_EQ(Import("[ver][edoc]a@@b@Style@c").text, "a@\r\nb\r\nc");
    EXPECT_EQ(Import("[ver][edoc]a\tb\x01\nc").text, "a\tbc");
    EXPECT_FALSE(Import("[ver]\r\n[sty]\r\n[edo").ok);
    // Cut inside an escape or a style name: the text before it stays.
    EXPECT_EQ(Import("[ver][edoc]ab<;").text, "ab");
    EXPECT_EQ(Import("[ver][edoc]ab<+!").text, "ab");
    EXPECT_EQ(Import("[ver][edoc]ab@Sty").text, "ab\r\n");
}

TEST(ImportWordStar, DotCommandsEscapesCodesAndHighBits)
{
    EXPECT_EQ(Import(WordStar(".op\r\nText\r\n")).text, "Text\r\n") << "the next line keeps its first letter";
    EXPECT_EQ(Import(WordStar("a.b\r\n.pa\nc")).text, "a.b\r\nc");
    EXPECT_EQ(Import(WordStar("a\x8d\nb")).text, "a\r\nb");
    EXPECT_EQ(Import(WordStar("a\x1b" "x\x01" "b\x1b\x05\x01" "c")).text, "axbc");
    EXPECT_EQ(Import(WordStar(std::string("a\x1d\x08\x09\x00\x1d" "b\x1d\x08\x00\x1d" "c", 12))).text, "a\tbc");
    EXPECT_EQ(Import(WordStar("a\x02" "b\x13\x09" "c\x7f")).text, "abc");
    EXPECT_EQ(Import(WordStar("word\xf3\xa0next\xff")).text, "words next");
    EXPECT_EQ(Import(WordStar("ab\x1b")).text, "ab");
    EXPECT_EQ(Import(WordStar("ab\x1d\x08")).text, "ab");
    EXPECT_EQ(Import(std::string("\x1d\x7d" "short", 7)).text, "") << "shorter than its header";
}

TEST(ImportMemFile, GrowsFromItsFirstBlockAndKeepsEveryByte)
{
    TTestMemFile out;
    std::string expected;
    for (int i = 0; i < 100000; ++i) {
        char c = char('a' + i % 26);
        ASSERT_TRUE(out.Put(c));
        expected += c;
        if (i % 1000 == 0) {
            ASSERT_TRUE(out.Write("xyz", 3));
            expected += "xyz";
        }
    }
    EXPECT_EQ(std::string(out.Text()), expected);
    EXPECT_EQ(out.largest >= expected.size(), true);
    EXPECT_LT(out.allocations, 40) << "grows by a share of its size, not by a fixed step";
    TTestMemFile first;
    first.Put('a');
    EXPECT_EQ(first.largest, MemFile::kInitialSize);
}

// Every allocation of an import made to fail in turn: no result, the storage released, nothing written
// after the failure.
TEST(ImportMemFile, AFailedAllocationGivesNoResult)
{
    std::string doc = ReadBytes(kFixtures + "word6.doc");
    std::string big = Word2(std::string(5000, 'x') + " " + std::string(5000, 'y'));
    for (const std::string* d : {&doc, &big}) {
        TTestMemFile count;
        ASSERT_TRUE(ImportBytes(reinterpret_cast<const unsigned char*>(d->data()), d->size(), {}, count));
        for (int failAt = 1; failAt <= count.allocations; ++failAt) {
            TTestMemFile out(failAt);
            EXPECT_FALSE(ImportBytes(reinterpret_cast<const unsigned char*>(d->data()), d->size(), {}, out));
            EXPECT_TRUE(out.Failed());
            EXPECT_EQ(out.Size(), 0u);
            EXPECT_EQ(out.releases, failAt > 1 ? 1 : 0);
            EXPECT_FALSE(out.Put('a'));
            EXPECT_FALSE(out.Write("b", 1));
        }
    }
}
