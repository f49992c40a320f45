// Finding files: name patterns, the text in blocks against a plain reference, and walks over a real tree.
#include "findfiles/FileSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace {

TEST(FilePattern, WildcardsCaseAndExtensions)
{
    struct {
        const char* pattern;
        const char* name;
        bool match;
    } const cases[] = {
        {"*.txt", "notes.txt", true},     {"*.txt", "NOTES.TXT", true},    {"*.txt", "notes.txt.bak", false},
        {"*.*", "README", true},          {"*", "a.b.c", true},            {"*.c", "main.cpp", false},
        {"a?c.h", "abc.h", true},         {"a?c.h", "ac.h", false},        {"ab?.h", "ab.h", true},
        {"ab?.h", "abcd.h", false},       {"ab??", "ab", true},            {"*.", "README", true},
        {"read*.*", "README", true},      {"*.*", "", true},               {"m*n.c", "main.c", true},
        {"m*n.c", "mai.c", false},        {"", "any.thing", true},         {"*a*", "banana", true},
        {"*x*", "banana", false},         {"??.?", "ab.c", true},          {"???", "abcd", false},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchFilePattern(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

TEST(FilePattern, PatternWithDriveAndDirectorySplits)
{
    std::string dir, name;
    SplitFilePattern("c:\\src\\*.c", &dir, &name);
    EXPECT_EQ(dir, "c:\\src\\");
    EXPECT_EQ(name, "*.c");
    SplitFilePattern("d:*.h", &dir, &name);
    EXPECT_EQ(dir, "d:");
    EXPECT_EQ(name, "*.h");
    SplitFilePattern("*.txt", &dir, &name);
    EXPECT_EQ(dir, "");
    EXPECT_EQ(name, "*.txt");
}

// The plain reference: every position, every byte compared.
bool Contains(const std::string& data, const std::string& text, unsigned options)
{
    auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    for (std::size_t at = 0; at + text.size() <= data.size(); ++at) {
        std::size_t i = 0;
        for (; i < text.size(); ++i) {
            unsigned char t = static_cast<unsigned char>(text[i]), d = static_cast<unsigned char>(data[at + i]);
            if ((options & kFindQuestionAny) && t == '?') continue;
            if ((options & kFindIgnoreCase) ? fold(t) != fold(d) : t != d) break;
        }
        if (i == text.size()) return true;
    }
    return text.empty();
}

// Reads data in pieces of at most step bytes, as a file of a slow device would give them.
bool FindStreamed(const TTextFinder& finder, const std::string& data, std::size_t chunk, std::size_t step)
{
    std::size_t at = 0;
    return finder.FindInStream(
        [&](unsigned char* to, std::size_t n) {
            n = std::min({n, step, data.size() - at});
            std::copy(data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + n), to);
            at += n;
            return n;
        },
        chunk);
}

TEST(TextFinder, AgreesWithThePlainReferenceInBlocksOfEverySize)
{
    std::mt19937 random(20240611u);
    const char alphabet[] = "abAB?c\x9a\x8a";
    for (int round = 0; round < 4000; ++round) {
        std::string data(random() % 80, 'a'), text(1 + random() % 6, 'a');
        for (char& c : data) c = alphabet[random() % 8];
        for (char& c : text) c = alphabet[random() % 8];
        unsigned options = random() % 4;
        TTextFinder finder(text, options);
        bool expected = Contains(data, text, options);
        auto bytes = reinterpret_cast<const unsigned char*>(data.data());
        ASSERT_EQ(finder.FindIn(bytes, data.size()), expected) << data << " / " << text << " " << options;
        std::size_t chunk = text.size() + random() % 12;
        ASSERT_EQ(FindStreamed(finder, data, chunk, 1 + random() % 9), expected)
            << data << " / " << text << " " << options << " chunk " << chunk;
    }
}

TEST(TextFinder, QuestionMarkAndCaseRules)
{
    const auto* abc = reinterpret_cast<const unsigned char*>("xxABCxx");
    EXPECT_FALSE(TTextFinder("a?c", 0).FindIn(abc, 7));
    EXPECT_FALSE(TTextFinder("a?c", kFindQuestionAny).FindIn(abc, 7));
    EXPECT_TRUE(TTextFinder("a?c", kFindQuestionAny | kFindIgnoreCase).FindIn(abc, 7));
    EXPECT_FALSE(TTextFinder("a?c", kFindIgnoreCase).FindIn(abc, 7));
    EXPECT_TRUE(TTextFinder("A?C", kFindIgnoreCase).FindIn(reinterpret_cast<const unsigned char*>("a?c"), 3));
}

class FileTree : public ::testing::Test {
protected:
    TTempDir dir;
    TStdDirectoryLister lister;
    std::string Root() const { return dir.Path() + lister.Separator(); }
    void Put(const std::string& relative, const std::string& text)
    {
        std::filesystem::path p = std::filesystem::path(dir.Path()) / relative;
        std::filesystem::create_directories(p.parent_path());
        TTempDir::Write(p.string(), text);
    }
    std::vector<std::string> Names(const TFileSearch& search)
    {
        std::vector<std::string> names;
        for (const TFoundFile& f : search.Found()) names.push_back(f.path.substr(Root().size()));
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(FileTree, TextAcrossTheBlockBoundaryAndInAFileLargerThanTheBlock)
{
    const char sep = lister.Separator();
    for (std::size_t offset : {kFindChunkSize - 5, kFindChunkSize - 1, kFindChunkSize, 3 * kFindChunkSize + 7}) {
        std::string text(offset, 'x');
        text += "NeedleText";
        text += std::string(100, 'y');
        Put("big" + std::to_string(offset) + ".txt", text);
    }
    Put("small.txt", "no needle here");
    Put(std::string("sub") + sep + "deep.txt", std::string(2 * kFindChunkSize, 'z') + "needletext");
    TFileSearch search("*.txt", "NeedleText", 0);
    EXPECT_EQ(search.Run(lister, {Root()}, kFindMaxDepth, nullptr), TSearchEnd::Done);
    std::vector<std::string> want = {"big20475.txt", "big20479.txt", "big20480.txt", "big61447.txt"};
    EXPECT_EQ(Names(search), want);
    TFileSearch caseless("*.TXT", "needleTEXT", kFindIgnoreCase);
    caseless.Run(lister, {Root()}, kFindMaxDepth, nullptr);
    EXPECT_EQ(caseless.Found().size(), 5u);
    // Only the directory itself.
    TFileSearch here("*.txt", "needletext", kFindIgnoreCase);
    here.Run(lister, {Root()}, 0, nullptr);
    EXPECT_EQ(here.Found().size(), 4u);
}

TEST_F(FileTree, NamePatternDepthAndFileInformation)
{
    const std::string sep(1, lister.Separator());
    Put("a.c", "int a;");
    Put("b.h", "int b;");
    std::string deep;
    for (int level = 1; level <= 12; ++level) {
        deep += "d" + std::to_string(level) + sep;
        Put(deep + "f" + std::to_string(level) + ".c", "x");
    }
    TFileSearch search("*.c", "", 0);
    EXPECT_EQ(search.Run(lister, {Root()}, kFindMaxDepth, nullptr), TSearchEnd::Done);
    // Ten levels below the root: f1..f10, not f11 and f12.
    EXPECT_EQ(search.Found().size(), 11u);
    for (const TFoundFile& f : search.Found()) {
        EXPECT_EQ(f.path.find("f11"), std::string::npos);
        EXPECT_NE(f.date, 0);
    }
    EXPECT_EQ(search.Found()[0].path, Root() + "a.c");
    EXPECT_EQ(search.Found()[0].size, 6u);
}

// A directory of files that exist only in the listing: names without contents to read.
class TListedFiles final : public TDirectoryLister {
public:
    TListedFiles(int count, std::size_t nameLength) : count_(count), nameLength_(nameLength) {}
    std::vector<TDirEntry> List(const std::string&) override
    {
        std::vector<TDirEntry> entries;
        for (int i = 0; i < count_; ++i) {
            TDirEntry e;
            e.name = std::to_string(i) + ".txt";
            e.name.insert(0, nameLength_ - std::min(nameLength_, e.name.size()), 'n');
            entries.push_back(e);
        }
        return entries;
    }

private:
    int count_;
    std::size_t nameLength_;
};

TEST(FileSearchCapacity, The769thFileStopsTheSearchAsFull)
{
    TFileSearch search("*.txt", "", 0);
    TListedFiles exactly(768, 8), more(769, 8);
    EXPECT_EQ(search.Run(exactly, {"/"}, 0, nullptr), TSearchEnd::Done);
    EXPECT_EQ(search.Found().size(), 768u);
    EXPECT_EQ(search.Run(more, {"/"}, 0, nullptr), TSearchEnd::Full);
    EXPECT_EQ(search.Found().size(), 768u);
}

TEST(FileSearchCapacity, PathsThatWouldOverflowTheNameBufferStopTheSearch)
{
    // Each path takes 1 + 199 bytes and its zero: 81 fit in 16384 bytes.
    TFileSearch search("*.txt", "", 0);
    TListedFiles files(100, 199);
    EXPECT_EQ(search.Run(files, {"/"}, 0, nullptr), TSearchEnd::Full);
    EXPECT_EQ(search.Found().size(), 81u);
    TListedFiles fit(81, 199);
    EXPECT_EQ(search.Run(fit, {"/"}, 0, nullptr), TSearchEnd::Done);
}

TEST_F(FileTree, StopFromProgressEndsAtOnce)
{
    for (int i = 0; i < 50; ++i) Put("f" + std::to_string(i) + ".txt", "text");
    int calls = 0;
    TFileSearch search("*.txt", "text", 0);
    TSearchEnd end = search.Run(lister, {Root()}, 0, [&](const std::string&, const std::string& file, int) {
        ++calls;
        return file.empty() || calls < 6;
    });
    EXPECT_EQ(end, TSearchEnd::Stopped);
    EXPECT_EQ(calls, 6);
    EXPECT_EQ(search.Found().size(), 4u);
}

TEST_F(FileTree, StopBetweenTheBlocksOfALargeFile)
{
    Put("large.txt", std::string(5 * kFindChunkSize, 'x') + "text");
    TFileSearch search("*.txt", "text", 0);
    int checks = 0;
    search.SetBlockCheck([&] { return ++checks < 2; });
    EXPECT_EQ(search.Run(lister, {Root()}, 0, nullptr), TSearchEnd::Stopped);
    EXPECT_EQ(checks, 2);
    EXPECT_TRUE(search.Found().empty());
    search.SetBlockCheck([&] { return true; });
    EXPECT_EQ(search.Run(lister, {Root()}, 0, nullptr), TSearchEnd::Done);
    EXPECT_EQ(search.Found().size(), 1u);
}

}  // namespace
