// The Language setting's rules: word characters, case of the Croatian letters, and the Croatian order.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/Language.h"
#include "engine/Options.h"

namespace {
constexpr TLanguage kUs = TLanguage::UsEnglish;
constexpr TLanguage kCp1250 = TLanguage::CroatianCp1250;
constexpr TLanguage kCroscii = TLanguage::CroatianCroscii;

TEST(Language, SettingOutsideTheFourValuesReadsAsSystem)
{
    EXPECT_EQ(LanguageFromSetting(0), kUs);
    EXPECT_EQ(LanguageFromSetting(3), kCroscii);
    EXPECT_EQ(LanguageFromSetting(4), TLanguage::System);
    EXPECT_EQ(LanguageFromSetting(-1), TLanguage::System);
}

TEST(Language, CroatianLettersAreWordCharactersAndHaveCaseOnlyInTheirSet)
{
    EXPECT_TRUE(LangIsWordChar(kCp1250, 0x9A));
    EXPECT_TRUE(LangIsUpper(kCp1250, 0x8A));
    EXPECT_FALSE(LangIsWordChar(kUs, 0x9A));
    EXPECT_FALSE(LangIsUpper(kUs, 0x8A));
    EXPECT_FALSE(LangIsWordChar(TLanguage::System, 0x9A));
    // In code page 1250 the punctuation bytes stay punctuation; in CROSCII they are the letters.
    EXPECT_FALSE(LangIsWordChar(kCp1250, '['));
    EXPECT_TRUE(LangIsWordChar(kCroscii, '['));
    EXPECT_TRUE(LangIsWordChar(kCroscii, '`'));
    EXPECT_FALSE(LangIsWordChar(kCroscii, 0x9A));
    EXPECT_TRUE(LangIsWordChar(kUs, '_'));
    EXPECT_FALSE(LangIsWordChar(kUs, '-'));
}

TEST(Language, UpperAndLowerOfTheLetterPairs)
{
    const int croscii[][2] = {{0x7E, 0x5E}, {0x7D, 0x5D}, {0x7C, 0x5C}, {0x7B, 0x5B}, {0x60, 0x40}};
    const int cp1250[][2] = {{0xE8, 0xC8}, {0xE6, 0xC6}, {0xF0, 0xD0}, {0x9A, 0x8A}, {0x9E, 0x8E}};
    for (const auto& p : croscii) {
        EXPECT_EQ(LangToUpper(kCroscii, p[0]), p[1]);
        EXPECT_EQ(LangToLower(kCroscii, p[1]), p[0]);
        EXPECT_EQ(LangToUpper(kCp1250, p[0]), p[0]);
    }
    for (const auto& p : cp1250) {
        EXPECT_EQ(LangToUpper(kCp1250, p[0]), p[1]);
        EXPECT_EQ(LangToLower(kCp1250, p[1]), p[0]);
        EXPECT_EQ(LangToUpper(kUs, p[0]), p[0]);
    }
    std::string s = "\x7Buma";
    LangUpperString(kCroscii, s.data());
    EXPECT_EQ(s, "\x5BUMA");
    s = "\x8A\xC8" "Ab";
    LangLowerString(kCp1250, s.data());
    EXPECT_EQ(s, "\x9A\xE8" "ab");
}

// The words of each list in the Croatian order, under one language.
void ExpectOrder(TLanguage lang, const std::vector<std::string>& words)
{
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        EXPECT_LT(LanguageCompare(lang, words[i].c_str(), words[i + 1].c_str()), 0) << words[i] << " < " << words[i + 1];
        EXPECT_GT(LanguageCompare(lang, words[i + 1].c_str(), words[i].c_str()), 0) << words[i + 1] << " > " << words[i];
    }
}

TEST(Language, CroatianOrderInCodePage1250)
{
    ExpectOrder(kCp1250, {"Lutka", "Ljubav", "Mama"});
    ExpectOrder(kCp1250, {"No\x9E", "Njema\xE8ka", "Oko"});
    ExpectOrder(kCp1250, {"Cvijet", "\xC8" "elo", "\xC6up"});
    ExpectOrder(kCp1250, {"Dvor", "D\x9E" "ep", "\xD0" "ak"});
    ExpectOrder(kCp1250, {"lutka", "LJUBAV", "mama", "NOVI", "njiva", "\x9Akola", "TATA", "\x9E" "aba"});
    EXPECT_EQ(LanguageCompare(kCp1250, "\x8A" "ARA", "\x9A" "ara"), 0);
    // Other accented letters come after every Croatian one, in code order.
    ExpectOrder(kCp1250, {"\x9E", "\xE1", "\xE9"});
}

TEST(Language, CroatianOrderInCroscii)
{
    ExpectOrder(kCroscii, {"Lutka", "Ljubav", "Mama"});
    ExpectOrder(kCroscii, {"No`", "Njema~ka", "Oko"});
    ExpectOrder(kCroscii, {"Cvijet", "^elo", "]up"});
    ExpectOrder(kCroscii, {"Dvor", "D`ep", "\\ak"});
    EXPECT_EQ(LanguageCompare(kCroscii, "[ARA", "{ara"), 0);
    // Below 64 bytes compare as they are.
    EXPECT_LT(LanguageCompare(kCroscii, "1", "A"), 0);
    EXPECT_LT(LanguageCompare(kCroscii, "ab", "abc"), 0);
}

TEST(Language, UsEnglishComparesBytesAfterUpperCasing)
{
    EXPECT_EQ(LanguageCompare(kUs, "Hello", "hELLO"), 0);
    EXPECT_LT(LanguageCompare(kUs, "Zebra", "_under"), 0);  // 'Z' < '_' once both are upper case
    EXPECT_LT(LanguageCompare(kUs, "Njiva", "Nova"), 0);  // no J rule outside Croatian
}

TEST(Language, NumericKeysWithTheDecimalSeparator)
{
    EXPECT_DOUBLE_EQ(SortKeyValue("3,5", ','), 3.5);
    EXPECT_DOUBLE_EQ(SortKeyValue("  -2.25x", '.'), -2.25);
    EXPECT_DOUBLE_EQ(SortKeyValue("-NaN", '.'), 0);
    EXPECT_DOUBLE_EQ(SortKeyValue("+inf", '.'), 0);
    EXPECT_DOUBLE_EQ(SortKeyValue("nan", '.'), 0);
    EXPECT_DOUBLE_EQ(SortKeyValue("abc", '.'), 0);
}

TEST(Language, SortItemsAscendingDescendingNumeric)
{
    char texts[4][8] = {"b", "a", "c", "a2"};
    TSortItem items[4] = {};
    const char* keys[4] = {"10", "9", "-1", "9"};
    for (int i = 0; i < 4; ++i) {
        items[i].text = texts[i];
        std::snprintf(items[i].key, sizeof items[i].key, "%s", keys[i]);
    }
    TSortOrder order;
    order.numeric = true;
    ASSERT_TRUE(SortItems(items, 4, kUs, order));
    EXPECT_STREQ(items[0].text, "c");
    EXPECT_STREQ(items[1].text, "a");  // equal keys keep their order
    EXPECT_STREQ(items[2].text, "a2");
    EXPECT_STREQ(items[3].text, "b");
    order.descending = true;
    ASSERT_TRUE(SortItems(items, 4, kUs, order));
    EXPECT_STREQ(items[0].text, "b");
    EXPECT_STREQ(items[3].text, "c");
    order = {};
    ASSERT_TRUE(SortItems(items, 4, kUs, order));  // as text: "-1" "10" "9" "9"
    EXPECT_STREQ(items[0].text, "c");
    EXPECT_STREQ(items[1].text, "b");
}
}  // namespace
