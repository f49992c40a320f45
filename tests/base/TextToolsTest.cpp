// The shared text helpers: which bytes a caseless compare folds, and how a copy is cut to its field.
#include "base/TextTools.h"

#include <gtest/gtest.h>

#include <string>

TEST(EqualNoCase, FoldsOnlyTheLettersAToZ)
{
    EXPECT_TRUE(EqualNoCase("CursorDown", "cursordown"));
    EXPECT_TRUE(EqualNoCase("[Editor]", "[EDITOR]"));
    EXPECT_TRUE(EqualNoCase("", ""));
    EXPECT_FALSE(EqualNoCase("Cursor", "CursorDown"));
    EXPECT_FALSE(EqualNoCase("CursorDown", "Cursor"));
    // Accented letters of the code page (C-caron, c-caron in windows-1250) keep their case: the result
    // must not depend on the system's code page or the C library's locale.
    EXPECT_FALSE(EqualNoCase("\xC8"
                             "AS",
                             "\xE8"
                             "as"));
    // '@' and '`' sit just outside A-Z and a-z; a fold by bit 5 would make them equal.
    EXPECT_FALSE(EqualNoCase("@", "`"));
    EXPECT_FALSE(EqualNoCase("[", "{"));
}

TEST(EqualNoCase, ATextWithANulInsideDiffersFromItsStart)
{
    const std::string withNul("Insert\0Text", 11);
    EXPECT_FALSE(EqualNoCase(withNul, "Insert"));
    EXPECT_TRUE(EqualNoCase(withNul, std::string("INSERT\0text", 11)));
}

TEST(CopyCut, CutsToTheFieldAndAlwaysEndsWithANul)
{
    char field[6];
    EXPECT_EQ(CopyCut(field, "abc"), 3u);
    EXPECT_STREQ(field, "abc");
    EXPECT_EQ(CopyCut(field, "abcdefgh"), 5u);
    EXPECT_STREQ(field, "abcde");
    EXPECT_EQ(CopyCut(field, nullptr), 0u);
    EXPECT_STREQ(field, "");

    char one[1] = {'x'};
    EXPECT_EQ(CopyCut(one, "abc"), 0u);
    EXPECT_EQ(one[0], '\0');
    char untouched = 'x';
    EXPECT_EQ(CopyCut(&untouched, 0, "abc"), 0u);
    EXPECT_EQ(untouched, 'x');
}

TEST(CopyCut, CopiesBytesPastANulFromAText)
{
    char field[8] = {};
    EXPECT_EQ(CopyCut(field, sizeof field, std::string("a\0b", 3)), 3u);
    EXPECT_EQ(std::string(field, 4), std::string("a\0b\0", 4));
}

TEST(CopyCut, CopiesOntoItself)
{
    char field[8] = "abcdef";
    EXPECT_EQ(CopyCut(field, 4, field + 1), 3u);
    EXPECT_STREQ(field, "bcd");
}

TEST(FileNamePart, TakesWhatFollowsTheLastSeparator)
{
    EXPECT_STREQ(FileNamePart("C:\\VOK\\OZM.KEY"), "OZM.KEY");
    EXPECT_STREQ(FileNamePart("dir/sub\\name.txt"), "name.txt");
    EXPECT_STREQ(FileNamePart("plain"), "plain");
    EXPECT_STREQ(FileNamePart("C:\\VOK\\"), "");
}
