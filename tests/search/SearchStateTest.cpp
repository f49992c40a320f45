// The history rule of the Find and Replace lists and the conversion of replacement text.
#include "search/SearchState.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Entries(const TSearchHistory& history)
{
    std::string s;
    for (int i = 0; i < TSearchHistory::kEntries; ++i) {
        if (i)
            s += ',';
        s += history.Entry(i);
    }
    return s;
}

TEST(SearchHistory, NewestFirstAndTheOldestDropsOut)
{
    TSearchHistory history;
    for (const char* text : {"1", "2", "3", "4", "5", "6", "7", "8", "9"})
        history.Add(text);
    EXPECT_EQ(Entries(history), "9,8,7,6,5,4,3,2");
}

TEST(SearchHistory, OnlyTheNewestEntryIsComparedCaseIncluded)
{
    TSearchHistory history;
    history.Add("a");
    history.Add("a");
    EXPECT_EQ(Entries(history), "a,,,,,,,");
    history.Add("A");
    history.Add("b");
    history.Add("a");
    EXPECT_EQ(Entries(history), "a,b,A,a,,,,");
}

TEST(SearchHistory, SlotsOutsideTheListAreEmpty)
{
    TSearchHistory history;
    history.Set(8, "x");
    history.Set(-1, "x");
    EXPECT_STREQ(history.Entry(8), "");
    EXPECT_STREQ(history.Entry(-1), "");
    history.Set(7, std::string(200, 'y').c_str());
    EXPECT_EQ(std::string(history.Entry(7)), std::string(79, 'y'));
}

TEST(SearchHistory, SlotsWrittenInPlaceAreEntries)
{
    TSearchHistory history;
    TSearchHistory::TEntries& slots = history.Entries();
    std::snprintf(slots[1], sizeof slots[1], "%s", "older");
    history.Add("newer");
    EXPECT_EQ(Entries(history), "newer,,older,,,,,");
}

struct TConversion {
    const char* typed;
    bool regex;
    const char* result;
};

class ReplacementConversion : public testing::TestWithParam<TConversion> {};

TEST_P(ReplacementConversion, GivesTheTextToInsert)
{
    char out[kSearchTextSize];
    ConvertReplacement(GetParam().typed, GetParam().regex, out, sizeof out);
    EXPECT_STREQ(out, GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Escapes, ReplacementConversion, testing::Values(
    TConversion{"a\\nb", false, "a\\nb"},
    TConversion{"a\\nb", true, "a\r\nb"},
    TConversion{"a\\tb", true, "a\tb"},
    TConversion{"a\\\\b", true, "a\\b"},
    TConversion{"\\x\\{", true, "x{"},
    TConversion{"end\\", true, "end"},
    TConversion{"", true, ""}));

TEST(ReplacementConversionLimit, NeverSplitsALineBreak)
{
    char out[4];
    ConvertReplacement("ab\\n", true, out, sizeof out);
    EXPECT_STREQ(out, "ab");
    ConvertReplacement("a\\n", true, out, sizeof out);
    EXPECT_STREQ(out, "a\r\n");
}

TEST(ReplaceField, ShowsTheTypedTextUnlessItGaveAControlCharacter)
{
    TSearchState state;
    char out[kSearchTextSize];
    CopySearchText(state.replaceTyped, kSearchTextSize, "a\\\\b");
    CopySearchText(state.replacement, kSearchTextSize, "a\\b");
    ReplaceFieldText(state, out, sizeof out);
    EXPECT_STREQ(out, "a\\\\b");
    for (const char* converted : {"a\tb", "a\r\nb", "\f", "\b"}) {
        CopySearchText(state.replacement, kSearchTextSize, converted);
        ReplaceFieldText(state, out, sizeof out);
        EXPECT_STREQ(out, "") << converted;
    }
}

}  // namespace
