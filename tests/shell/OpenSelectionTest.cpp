// What the open dialog returns: multi-selections in both dialog styles, joined paths, the last directory.
#include <gtest/gtest.h>

#include <string>

#include "shell/OpenSelection.h"

namespace {

// The literal's bytes, inner NULs included, without the terminator the compiler adds.
template <std::size_t N>
std::string Raw(const char (&text)[N])
{
    return std::string(text, N - 1);
}

TOpenSelection Split(const std::string& raw, bool explorer)
{
    return SplitOpenResult(raw.data(), raw.size(), explorer);
}

TEST(SplitOpenResult, ExplorerSeveralFilesKeepTheDialogOrder)
{
    TOpenSelection s = Split(Raw("C:\\docs\0b.txt\0a.txt\0c.txt\0\0"), true);
    EXPECT_EQ(s.directory, "C:\\docs");
    EXPECT_EQ(s.names, (std::vector<std::string>{"b.txt", "a.txt", "c.txt"}));
}

TEST(SplitOpenResult, ExplorerSingleFileIsCutAtItsLastBackslash)
{
    TOpenSelection s = Split(Raw("C:\\my docs\\one file.txt\0\0"), true);
    EXPECT_EQ(s.directory, "C:\\my docs");
    EXPECT_EQ(s.names, std::vector<std::string>{"one file.txt"});
}

TEST(SplitOpenResult, ExplorerFileInDriveRootJoinsBackToItsPath)
{
    TOpenSelection s = Split(Raw("C:\\a.txt\0\0"), true);
    ASSERT_EQ(s.names.size(), 1u);
    EXPECT_EQ(JoinPath(s.directory, s.names[0]), "C:\\a.txt");
}

TEST(SplitOpenResult, OldStyleSeparatesByBlanks)
{
    TOpenSelection s = Split(Raw("C:\\DOCS A.TXT B.TXT\0"), false);
    EXPECT_EQ(s.directory, "C:\\DOCS");
    EXPECT_EQ(s.names, (std::vector<std::string>{"A.TXT", "B.TXT"}));
    TOpenSelection one = Split(Raw("C:\\DOCS\\A.TXT\0"), false);
    EXPECT_EQ(one.directory, "C:\\DOCS");
    EXPECT_EQ(one.names, std::vector<std::string>{"A.TXT"});
}

TEST(SplitOpenResult, EmptyOrUnterminatedInputIsSafe)
{
    EXPECT_TRUE(Split(Raw("\0\0"), true).names.empty());
    EXPECT_TRUE(SplitOpenResult(nullptr, 0, true).names.empty());
    // No terminating NUL inside the buffer: nothing is read past its end.
    std::string raw = "C:\\x\\y";
    TOpenSelection s = SplitOpenResult(raw.data(), raw.size(), true);
    EXPECT_EQ(s.directory, "C:\\x");
    EXPECT_EQ(s.names, std::vector<std::string>{"y"});
}

TEST(JoinPath, AddsOneBackslashAndCutsAt279)
{
    EXPECT_EQ(JoinPath("C:\\dir", "a.txt"), "C:\\dir\\a.txt");
    EXPECT_EQ(JoinPath("C:\\", "a.txt"), "C:\\a.txt");
    EXPECT_EQ(JoinPath("C:\\d", std::string(400, 'x')).size(), 279u);
}

struct DirCase {
    const char* path;
    std::size_t offset;
    const char* dir;
};

class DirectoryFromOffsetTest : public testing::TestWithParam<DirCase> {};

TEST_P(DirectoryFromOffsetTest, TakesThePartBeforeTheName)
{
    EXPECT_EQ(DirectoryFromOffset(GetParam().path, GetParam().offset), GetParam().dir);
}

INSTANTIATE_TEST_SUITE_P(Offsets, DirectoryFromOffsetTest,
                         testing::Values(DirCase{"C:\\dir\\file.txt", 7, "C:\\dir"},
                                         DirCase{"C:\\file.txt", 3, "C:\\"}, DirCase{"C:file.txt", 2, ""},
                                         DirCase{"C:\\a\\b.txt", 300, ""}, DirCase{"C:\\a", 10, ""}));

}  // namespace
