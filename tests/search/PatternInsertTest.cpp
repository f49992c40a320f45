// The pattern menu's insertion rule: where each element goes, where the caret ends, the 80-character limit.
#include <gtest/gtest.h>

#include <string>

#include "search/PatternInsert.h"
#include "search/Regex.h"

namespace {

struct TInsertCase {
    TPatternItem item;
    const char* field;
    int caret;
    const char* expected;
    int expectedCaret;
};

class PatternInsert : public ::testing::TestWithParam<TInsertCase> {};

TEST_P(PatternInsert, PutsTheElementAtTheCaretAndStepsBack)
{
    const TInsertCase& c = GetParam();
    TPatternEdit edit;
    ASSERT_TRUE(InsertPatternElement(c.field, c.caret, c.item, &edit));
    EXPECT_EQ(edit.text, c.expected);
    EXPECT_EQ(edit.caret, c.expectedCaret);
}

INSTANTIATE_TEST_SUITE_P(
    Elements, PatternInsert,
    ::testing::Values(TInsertCase{TPatternItem::AnyChar, "ab", 1, "a.b", 2},
                      TInsertCase{TPatternItem::InRange, "ab", 1, "a[]b", 2},
                      TInsertCase{TPatternItem::NotInRange, "ab", 2, "ab[^]", 4},
                      TInsertCase{TPatternItem::Tab, "", 0, "\\t", 2},
                      TInsertCase{TPatternItem::LineStart, "x", 0, "^x", 1},
                      TInsertCase{TPatternItem::Or, "ab", 1, "a|b", 2},
                      TInsertCase{TPatternItem::ZeroOrMore, "a", 1, "a*", 2},
                      TInsertCase{TPatternItem::OneOrMore, "a", 1, "a+", 2},
                      TInsertCase{TPatternItem::Group, "c", 0, "{}c", 1},
                      TInsertCase{TPatternItem::Alnum, "", 0, "[a-zA-Z0-9]", 11},
                      TInsertCase{TPatternItem::Alpha, "", 0, "[a-zA-Z]", 8},
                      TInsertCase{TPatternItem::Digit, "", 0, "[0-9]", 5},
                      TInsertCase{TPatternItem::HexNumber, "0x", 2, "0x[0-9a-fA-F]+", 14},
                      TInsertCase{TPatternItem::Integer, "", 0, "[0-9]+", 6},
                      TInsertCase{TPatternItem::Word, "", 0, "[a-zA-Z]+", 9},
                      TInsertCase{TPatternItem::Quoted, "", 0, "\"[^\"]*\"|'[^']*'", 15},
                      // Blank Line takes the whole field, wherever the caret stood.
                      TInsertCase{TPatternItem::BlankLine, "old text", 3, "^$", 2},
                      TInsertCase{TPatternItem::NewLine, "a", 1, "a\\n", 3},
                      TInsertCase{TPatternItem::ReplaceTab, "a", 0, "\\ta", 2},
                      TInsertCase{TPatternItem::Backslash, "", 0, "\\\\", 2}));

TEST(PatternInsertRule, WithoutANotedCaretTheElementIsAppended)
{
    TPatternEdit edit;
    ASSERT_TRUE(InsertPatternElement("abc", -1, TPatternItem::InRange, &edit));
    EXPECT_EQ(edit.text, "abc[]");
    EXPECT_EQ(edit.caret, 4);
    // A caret noted before the text was shortened appends as well.
    ASSERT_TRUE(InsertPatternElement("abc", 9, TPatternItem::AnyChar, &edit));
    EXPECT_EQ(edit.text, "abc.");
}

TEST(PatternInsertRule, RefusesATextThatWouldReachEightyCharacters)
{
    const std::string field(77, 'x');
    TPatternEdit edit;
    ASSERT_TRUE(InsertPatternElement(field, 0, TPatternItem::InRange, &edit));
    EXPECT_EQ(edit.text.size(), 79u);

    TPatternEdit untouched{"kept", 1};
    EXPECT_FALSE(InsertPatternElement(field, 0, TPatternItem::NotInRange, &untouched));
    EXPECT_EQ(untouched.text, "kept");
    EXPECT_EQ(untouched.caret, 1);
    EXPECT_FALSE(InsertPatternElement(std::string(79, 'x'), -1, TPatternItem::AnyChar, &untouched));
    // Blank Line leaves two characters, however long the field was.
    EXPECT_TRUE(InsertPatternElement(std::string(79, 'x'), -1, TPatternItem::BlankLine, &edit));
    EXPECT_EQ(edit.text, "^$");
}

TEST(PatternInsertRule, EveryFindElementCompilesOnItsOwn)
{
    for (int i = 0; i <= static_cast<int>(TPatternItem::BlankLine); ++i) {
        const auto item = static_cast<TPatternItem>(i);
        // Elements that need an operand or content get one, as the user would type it.
        std::string pattern = PatternElement(item).text;
        if (item == TPatternItem::InRange || item == TPatternItem::NotInRange)
            pattern.insert(pattern.size() - 1, "a");
        if (item == TPatternItem::Group)
            pattern.insert(1, "a");
        if (item == TPatternItem::Or)
            pattern = "a" + pattern + "b";
        if (item == TPatternItem::ZeroOrMore || item == TPatternItem::OneOrMore)
            pattern = "a" + pattern;
        int error = -1;
        TRegexPtr program = RegexCompile(pattern.c_str(), &error);
        EXPECT_TRUE(program) << pattern << " gives error " << error;
    }
}

}  // namespace
