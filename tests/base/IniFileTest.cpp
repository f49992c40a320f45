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

TEST(ProfileInt, OverlongNumbersWrapInsteadOfOverflowing)
{
    int value = 0;
    ASSERT_TRUE(ParseProfileInt("4294967297", value));
    EXPECT_EQ(value, 1);
    EXPECT_FALSE(ParseProfileInt("-", value));
}

}  // namespace
