// The file type table: the built-in default, loading and saving, and the dialogs' filter lists.
#include "shell/FileTypes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/IniFile.h"
#include "support/TempDir.h"

namespace {

class FileTypesTest : public ::testing::Test {
protected:
    TTempDir dir;
    std::string path = dir.File("ozm.ini");
    TIniFile ini{path};
    TFileTypes types;
};

// The strings of a filter list up to its closing empty string.
std::vector<std::string> Strings(const char* block)
{
    std::vector<std::string> out;
    for (const char* p = block; *p != '\0'; p += out.back().size() + 1) out.emplace_back(p);
    return out;
}

TEST_F(FileTypesTest, EmptySectionGivesTheNineDefaultsAndWritesThem)
{
    types.Load(ini);
    ASSERT_EQ(types.Count(), 9);
    EXPECT_STREQ(types[0].description, "All Text Files");
    EXPECT_STREQ(types[0].pattern, "*.txt;*.doc;*.ini;*.inf;*.log;*.c;*.cpp;*.h");
    EXPECT_STREQ(types[3].description, "C/C++ Files");
    EXPECT_STREQ(types[3].pattern, "*.c;*.h;*.cpp;*.mak");
    EXPECT_STREQ(types[8].description, "All Files (*.*)");
    EXPECT_STREQ(types[8].pattern, "*.*");
    EXPECT_TRUE(types.Modified());
    ASSERT_TRUE(types.Save(ini));
    EXPECT_FALSE(types.Modified());

    TFileTypes again;
    again.Load(ini);
    ASSERT_EQ(again.Count(), 9);
    EXPECT_FALSE(again.Modified());
    for (int i = 0; i < 9; ++i) {
        EXPECT_STREQ(again[i].description, types[i].description);
        EXPECT_STREQ(again[i].pattern, types[i].pattern);
    }
}

TEST_F(FileTypesTest, DefaultsComeFromTheGivenStringWithItsOwnSeparator)
{
    types.Load(ini, "FileFilters", "Text#*.txt#All#*.*#");
    ASSERT_EQ(types.Count(), 2);
    EXPECT_STREQ(types[1].description, "All");
    EXPECT_STREQ(types[1].pattern, "*.*");
}

TEST_F(FileTypesTest, UnchangedTableIsNotWritten)
{
    TTempDir::Write(path, "[FileFilters]\r\nText=*.txt\r\n");
    types.Load(ini);
    ASSERT_EQ(types.Count(), 1);
    ASSERT_TRUE(types.Save(ini));
    EXPECT_EQ(TTempDir::Read(path), "[FileFilters]\r\nText=*.txt\r\n");
}

TEST_F(FileTypesTest, ChangedTableReplacesTheWholeSection)
{
    TTempDir::Write(path, "[FileFilters]\r\nText=*.txt\r\nOld=*.old\r\n[Other]\r\nk=v\r\n");
    types.Load(ini);
    types.Remove(1);
    types.Append("C Sources", "*.c");
    types.Move(1, 0);
    types.SetModified();
    ASSERT_TRUE(types.Save(ini));
    std::vector<char> keys(256);
    ini.GetKeyNames("FileFilters", keys.data(), 256);
    EXPECT_EQ(Strings(keys.data()), (std::vector<std::string>{"C Sources", "Text"}));
    EXPECT_EQ(ini.GetText("Other", "k", "", 8), "v");
}

TEST_F(FileTypesTest, TextsAreCutTo63Characters)
{
    types.Append(std::string(70, 'd').c_str(), std::string(70, 'p').c_str());
    EXPECT_EQ(std::string(types[0].description), std::string(63, 'd'));
    EXPECT_EQ(std::string(types[0].pattern), std::string(63, 'p'));
}

TEST_F(FileTypesTest, KeyCutByTheKeyListIsLeftOut)
{
    std::string text = "[FileFilters]\r\n";
    for (int i = 0; i < 20; ++i)
        text += "Filter number " + std::to_string(i) + " with a long name=*.f" + std::to_string(i) + "\r\n";
    TTempDir::Write(path, text);
    types.Load(ini);
    ASSERT_GT(types.Count(), 5);
    ASSERT_LT(types.Count(), 20);
    for (int i = 0; i < types.Count(); ++i) {
        EXPECT_EQ(std::string(types[i].description),
                  "Filter number " + std::to_string(i) + " with a long name");
        EXPECT_EQ(std::string(types[i].pattern), "*.f" + std::to_string(i));
    }
}

TEST_F(FileTypesTest, FilterListHoldsOnlyTheEntriesThatFit)
{
    types.Load(ini);
    char block[kOpenFilterListSize];
    std::size_t used = types.FilterList(block, sizeof block);
    auto strings = Strings(block);
    ASSERT_EQ(strings.size(), 18u);
    EXPECT_EQ(strings[0], "All Text Files");
    EXPECT_EQ(strings[17], "*.*");
    EXPECT_EQ(block[used - 1], '\0');

    types.Clear();
    for (int i = 0; i < 10; ++i) types.Append((std::string(40, 'a' + i)).c_str(), "*.x");
    char small[kSaveAsFilterListSize];
    used = types.FilterList(small, sizeof small);
    EXPECT_LE(used, kSaveAsFilterListSize);
    strings = Strings(small);
    EXPECT_EQ(strings.size(), 10u) << "five entries of 45 bytes fit in 256";
    EXPECT_EQ(strings[8], std::string(40, 'e'));
}

}  // namespace
