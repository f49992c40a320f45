// The portable profile file: the shared contract, its file layout and its all-or-nothing writes.
#include "base/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/ProfileContract.h"
#include "support/TempDir.h"

std::unique_ptr<TProfile> MakeContractProfile(const std::string& path)
{
    return std::make_unique<TIniFile>(path);
}

namespace {

class IniFileTest : public ::testing::Test {
protected:
    TTempDir dir;
    std::string path = dir.File("ozm.ini");
    TIniFile ini{path};
};

TEST_F(IniFileTest, WriteChangesOnlyItsOwnLine)
{
    TTempDir::Write(path, "; kept\n[Editor]\nTabSize=8 ; old\n\n[Tip]\nStartUp=0\n");
    ASSERT_TRUE(ini.WriteString("editor", "tabsize", "4"));
    ASSERT_TRUE(ini.WriteString("Editor", "UseTabChar", "1"));
    EXPECT_EQ(TTempDir::Read(path),
              "; kept\r\n[Editor]\r\nTabSize=4\r\nUseTabChar=1\r\n\r\n[Tip]\r\nStartUp=0\r\n");
}

TEST_F(IniFileTest, NewSectionIsSetApartByABlankLine)
{
    TTempDir::Write(path, "[A]\r\nx=1\r\n");
    ASSERT_TRUE(ini.WriteString("B", "y", "2"));
    EXPECT_EQ(TTempDir::Read(path), "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
}

TEST_F(IniFileTest, ByteOrderMarkIsNoPartOfTheFirstSection)
{
    TTempDir::Write(path, "\xEF\xBB\xBF[Settings]\r\nFontName=Lucida\r\n");
    EXPECT_EQ(ini.GetText("Settings", "FontName", "", 32), "Lucida");
}

// Only the file's first three bytes can be its mark; the same bytes anywhere else are text of their
// line, and a rewrite must keep it that way. A rewrite that dropped the file's own mark turned a second
// mark into the file's mark, the line after it into a section header, and keys nobody could reach
// into values every reader sees.
TEST_F(IniFileTest, SecondByteOrderMarkStaysTextThroughRewrites)
{
    const std::string bom = "\xEF\xBB\xBF";
    TTempDir::Write(path, bom + "[Settings]\r\nFontName=Lucida\r\n");
    ASSERT_TRUE(ini.WriteString("Settings", "FontName", "Courier"));
    EXPECT_EQ(TTempDir::Read(path), bom + "[Settings]\r\nFontName=Courier\r\n");

    TTempDir::Write(path, bom + bom + "[A]\r\nk=1\r\n[B]\r\nx=1\r\n");
    EXPECT_EQ(ini.GetText("A", "k", "none", 8), "none");
    ASSERT_TRUE(ini.WriteString("B", "x", "2"));
    EXPECT_EQ(TTempDir::Read(path), bom + bom + "[A]\r\nk=1\r\n[B]\r\nx=2\r\n");
    EXPECT_EQ(ini.GetText("A", "k", "none", 8), "none");
    ASSERT_TRUE(ini.DeleteKey("B", "x"));
    ASSERT_TRUE(ini.WriteString("C", "y", "3"));
    EXPECT_EQ(TTempDir::Read(path), bom + bom + "[A]\r\nk=1\r\n[B]\r\n\r\n[C]\r\ny=3\r\n");
    EXPECT_EQ(ini.GetText("A", "k", "none", 8), "none");

    // A mark at the start of a later line (two files run together) leaves that line no header: its
    // entries stay in the section above, and go with it.
    TTempDir::Write(path, "[A]\r\nk=1\r\n" + bom + "[B]\r\nx=1\r\n[C]\r\ny=1\r\n");
    EXPECT_EQ(ini.GetText("A", "x", "none", 8), "1");
    EXPECT_EQ(ini.GetText("B", "x", "none", 8), "none");
    ASSERT_TRUE(ini.DeleteSection("A"));
    EXPECT_EQ(TTempDir::Read(path), "[C]\r\ny=1\r\n");

    // A file that holds its mark and nothing else keeps it when the first section is added.
    TTempDir::Write(path, bom);
    ASSERT_TRUE(ini.WriteString("S", "k", "v"));
    EXPECT_EQ(TTempDir::Read(path), bom + "[S]\r\nk=v\r\n");
    EXPECT_EQ(ini.GetText("S", "k", "", 8), "v");
}

TEST_F(IniFileTest, FailedWriteKeepsThePreviousFile)
{
    const std::string before = "[Settings]\r\nFontName=Courier\r\n";
    TTempDir::Write(path, before);
    // The replacement cannot be created beside the file: the write must fail and leave the old one.
    std::filesystem::create_directory(path + ".tmp");
    EXPECT_FALSE(ini.WriteString("Settings", "FontName", "Lucida"));
    EXPECT_FALSE(ini.DeleteSection("Settings"));
    EXPECT_EQ(TTempDir::Read(path), before);
    EXPECT_EQ(ini.GetText("Settings", "FontName", "", 32), "Courier");
}

TEST_F(IniFileTest, ChangesMadeByOthersAreSeen)
{
    TTempDir::Write(path, "[S]\r\nk=1\r\n");
    EXPECT_EQ(ini.GetInt("S", "k", 0), 1);
    TTempDir::Write(path, "[S]\r\nk=22\r\n");
    EXPECT_EQ(ini.GetInt("S", "k", 0), 22);
}

// A file read again is parsed again only when its bytes changed; a change of the same size made at once
// (so that its time stamp may well be the same) is still seen, and after its own write the reader sees
// what a fresh one sees.
TEST_F(IniFileTest, ChangesOfTheSameSizeAndAfterOwnWritesAreSeen)
{
    TTempDir::Write(path, "[S]\r\nk=1\r\n");
    EXPECT_EQ(ini.GetInt("S", "k", 0), 1);
    TTempDir::Write(path, "[S]\r\nk=2\r\n");
    EXPECT_EQ(ini.GetInt("S", "k", 0), 2);
    ASSERT_TRUE(ini.WriteString("S", "k", "3\r\nj=4"));
    EXPECT_EQ(ini.GetInt("S", "k", 0), 3);
    const TIniFile fresh(path);
    EXPECT_EQ(ini.GetInt("S", "j", 7), fresh.GetInt("S", "j", 7));
    std::filesystem::remove(path);
    EXPECT_EQ(ini.GetInt("S", "k", 0), 0);
    TTempDir::Write(path, "[S]\r\nk=5\r\n");
    EXPECT_EQ(ini.GetInt("S", "k", 0), 5);
}

TEST(ProfileInt, OverlongNumbersWrapInsteadOfOverflowing)
{
    int value = 0;
    ASSERT_TRUE(ParseProfileInt("4294967297", value));
    EXPECT_EQ(value, 1);
    EXPECT_FALSE(ParseProfileInt("-", value));
}

}  // namespace
