// Tables of patterns against lines: every operator, groups, anchors, backward scans and compile errors.
#include "search/Regex.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TRegexPtr Compile(const char* pattern)
{
    int error = -1;
    TRegexPtr program = RegexCompile(pattern, &error);
    EXPECT_EQ(error, 0) << pattern;
    EXPECT_TRUE(program) << pattern;
    return program;
}

// The matched text, or "<none>".
std::string Found(RegexProgram& program, const char* text, const char* limit, bool backwards, bool lineStart)
{
    if (!RegexSearch(&program, text, limit, backwards, lineStart))
        return "<none>";
    return std::string(program.groupStart[0], program.groupEnd[0]);
}

struct TMatchCase {
    const char* pattern;
    const char* text;
    int at;  // where the match starts, -1 for no match
    const char* match;
};

void PrintTo(const TMatchCase& c, std::ostream* os)
{
    *os << "/" << c.pattern << "/ on \"" << c.text << "\"";
}

class RegexForward : public testing::TestWithParam<TMatchCase> {};

TEST_P(RegexForward, FindsLeftmostMatch)
{
    const TMatchCase& c = GetParam();
    TRegexPtr program = Compile(c.pattern);
    ASSERT_TRUE(program);
    bool found = RegexSearch(program.get(), c.text, nullptr, false, true);
    if (c.at < 0) {
        EXPECT_FALSE(found);
        return;
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(program->groupStart[0] - c.text, c.at);
    EXPECT_EQ(std::string(program->groupStart[0], program->groupEnd[0]), c.match);
}

INSTANTIATE_TEST_SUITE_P(Operators, RegexForward, testing::Values(
    TMatchCase{"abc", "xxabcx", 2, "abc"},
    TMatchCase{"abc", "ab", -1, ""},
    TMatchCase{"a.c", "abc", 0, "abc"},
    TMatchCase{"a.c", "ac", -1, ""},
    TMatchCase{".", "", -1, ""},
    TMatchCase{"ab*", "abbbc", 0, "abbb"},
    TMatchCase{"ab*", "ac", 0, "a"},
    TMatchCase{"ab+c", "abbbc", 0, "abbbc"},
    TMatchCase{"ab+c", "ac", -1, ""},
    TMatchCase{"ab?c", "ac", 0, "ac"},
    TMatchCase{"ab?c", "abc", 0, "abc"},
    TMatchCase{"ab?c", "abbc", -1, ""},
    TMatchCase{"x.*y", "x1y2y3", 0, "x1y2y"},
    TMatchCase{"x[0-9]*y", "x123y", 0, "x123y"},
    TMatchCase{"[abc]+", "xxcabz", 2, "cab"},
    TMatchCase{"[^abc]+", "abxyc", 2, "xy"},
    TMatchCase{"[abc]", "xyz", -1, ""},
    TMatchCase{"x[abc]", "x", -1, ""},
    TMatchCase{"x[^y]", "x", -1, ""},
    TMatchCase{"x[^y]", "xz", 0, "xz"},
    TMatchCase{"[]a]+", "b]a]", 1, "]a]"},
    TMatchCase{"[a-]+", "x-a-", 1, "-a-"},
    TMatchCase{"[a-a]", "ba", 1, "a"},
    TMatchCase{"[a-c-e]+", "xabcdez", 1, "abcde"},
    TMatchCase{"[\\]\\t]+", "a]\t]b", 1, "]\t]"},
    TMatchCase{"[^-a]", "-ab", 2, "b"},
    TMatchCase{"[\\t-\\r]", "a\nb", 1, "\n"},
    TMatchCase{"\\t", "a\tb", 1, "\t"},
    TMatchCase{"\\*\\+\\?\\{\\}\\^\\.\\$\\&\\\\\\[\\]\\|", "x*+?{}^.$&\\[]|", 1, "*+?{}^.$&\\[]|"},
    TMatchCase{"(a)", "f(a)", 1, "(a)"},
    TMatchCase{"a&b-c", "a&b-c", 0, "a&b-c"},
    TMatchCase{"{a|b}c", "xac", 1, "ac"},
    TMatchCase{"{a|b}c", "xbc", 1, "bc"},
    TMatchCase{"{a|b}c", "xcc", -1, ""},
    TMatchCase{"cat|dog", "hotdog", 3, "dog"},
    TMatchCase{"a|ab", "ab", 0, "a"},
    TMatchCase{"{ab}*c", "ababc", 0, "ababc"},
    TMatchCase{"{ab}+c", "xabababc", 1, "abababc"},
    TMatchCase{"{ab}+c", "xc", -1, ""},
    TMatchCase{"{ab}?c", "abc", 0, "abc"},
    TMatchCase{"{a?}?b", "b", 0, "b"},
    TMatchCase{"{{a|b}c}*d", "acbcd", 0, "acbcd"},
    TMatchCase{"^ab", "ab", 0, "ab"},
    TMatchCase{"^b", "ab", -1, ""},
    TMatchCase{"b$", "abab", 3, "b"},
    TMatchCase{"$", "abc", 3, ""},
    TMatchCase{"$", "", 0, ""},
    TMatchCase{"^$", "", 0, ""},
    TMatchCase{"^$", "a", -1, ""},
    TMatchCase{"x*", "abc", 0, ""},
    TMatchCase{"", "abc", 0, ""},
    TMatchCase{"a{}b", "ab", 0, "ab"},
    TMatchCase{"\"[^\"]*\"|'[^']*'", "say 'hi' \"x\"", 4, "'hi'"}));

// The start-position hints and the repetition shortcut must not change what matches.
INSTANTIATE_TEST_SUITE_P(Hints, RegexForward, testing::Values(
    TMatchCase{"ab", "aaab", 2, "ab"},
    TMatchCase{"a[0-9]", "a a a7", 4, "a7"},
    TMatchCase{"^a", "aa", 0, "a"},
    // Repetitions followed by a literal give back characters until that literal can follow.
    TMatchCase{"a*ab", "aaab", 0, "aaab"},
    TMatchCase{"x+xy", "xxxy", 0, "xxxy"},
    TMatchCase{"[0-9]+0", "1000", 0, "1000"},
    TMatchCase{".*b", "abcbd", 0, "abcb"},
    TMatchCase{"a+a", "a", -1, ""}));

TEST(Regex, ManyAlternativesNeedLongLinks)
{
    // 40 single letters joined by bars: 79 characters, alternatives far enough apart that links pass 255.
    std::string pattern;
    const char* letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN";
    for (int i = 0; i < 40; ++i) {
        if (i)
            pattern += '|';
        pattern += letters[i];
    }
    ASSERT_EQ(pattern.size(), 79u);
    TRegexPtr program = Compile(pattern.c_str());
    ASSERT_TRUE(program);
    EXPECT_GT(program->size, 300);
    for (int i = 0; i < 40; ++i) {
        std::string text = std::string("123") + letters[i];
        EXPECT_EQ(Found(*program, text.c_str(), nullptr, false, true), std::string(1, letters[i])) << i;
    }
    EXPECT_EQ(Found(*program, "123", nullptr, false, true), "<none>");
}

TEST(Regex, BolOnlyAtTheLineStartReference)
{
    TRegexPtr program = Compile("^b");
    const char* line = "ab";
    // The search starts in the middle of the line: its first character does not begin the line.
    EXPECT_FALSE(RegexSearch(program.get(), line + 1, nullptr, false, false));
    EXPECT_TRUE(RegexSearch(program.get(), line + 1, nullptr, false, true));
}

TEST(Regex, ForwardLimitBoundsTheStart)
{
    TRegexPtr program = Compile("b");
    const char* text = "aab";
    EXPECT_FALSE(RegexSearch(program.get(), text, text + 2, false, true));
    EXPECT_TRUE(RegexSearch(program.get(), text, text + 3, false, true));
}

// A pattern that begins with a run and a byte outside it is searched from that byte backwards: the
// leftmost run wins, a run reaching back to the text's start counts, a group keeps its bounds, and a
// start past the limit is refused although the run it belongs to begins before the limit's run.
TEST(Regex, RunThenLiteralFindsTheLeftmostRun)
{
    TRegexPtr digits = Compile("[0-9]+x");
    EXPECT_EQ(Found(*digits, "x12a345x 6x", nullptr, false, true), "345x");
    EXPECT_EQ(Found(*digits, "99x", nullptr, false, true), "99x");
    EXPECT_EQ(Found(*digits, "x x9", nullptr, false, true), "<none>");
    const char* text = "a12x";
    EXPECT_FALSE(RegexSearch(digits.get(), text, text + 1, false, true));
    EXPECT_TRUE(RegexSearch(digits.get(), text, text + 2, false, true));
    EXPECT_EQ(digits->groupStart[0], text + 1);

    TRegexPtr grouped = Compile("{[ab]+}c{d}");
    const char* line = "abcx bbacd";
    ASSERT_TRUE(RegexSearch(grouped.get(), line, nullptr, false, true));
    EXPECT_EQ(std::string(grouped->groupStart[1], grouped->groupEnd[1]), "bba");
    EXPECT_EQ(std::string(grouped->groupStart[2], grouped->groupEnd[2]), "d");

    // The byte after the run belongs to the run's set: every start is tried as before.
    TRegexPtr overlapping = Compile("a+ab");
    EXPECT_EQ(Found(*overlapping, "aaaab", nullptr, false, true), "aaaab");
}

struct TBackCase {
    const char* pattern;
    const char* text;
    int limit;  // -1: no limit
    int at;     // -1: no match
    const char* match;
};

void PrintTo(const TBackCase& c, std::ostream* os)
{
    *os << "/" << c.pattern << "/ on \"" << c.text << "\" before " << c.limit;
}

class RegexBackward : public testing::TestWithParam<TBackCase> {};

TEST_P(RegexBackward, FindsNearestMatchBeforeLimit)
{
    const TBackCase& c = GetParam();
    TRegexPtr program = Compile(c.pattern);
    ASSERT_TRUE(program);
    const char* limit = c.limit < 0 ? nullptr : c.text + c.limit;
    bool found = RegexSearch(program.get(), c.text, limit, true, true);
    if (c.at < 0) {
        EXPECT_FALSE(found);
        return;
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(program->groupStart[0] - c.text, c.at);
    EXPECT_EQ(std::string(program->groupStart[0], program->groupEnd[0]), c.match);
}

INSTANTIATE_TEST_SUITE_P(Scans, RegexBackward, testing::Values(
    TBackCase{"foo", "foo foo", 4, 0, "foo"},
    TBackCase{"foo", "foo foo", -1, 4, "foo"},
    // The start is bounded by the limit, the end is not.
    TBackCase{"o.*", "foo foo", 4, 2, "o foo"},
    TBackCase{"foo", "foo foo", 0, -1, ""},
    TBackCase{"^f", "foo foo", 7, 0, "f"},
    TBackCase{"^o", "foo", -1, -1, ""},
    TBackCase{"$", "abc", -1, 3, ""},
    TBackCase{"$", "abc", 3, -1, ""},
    TBackCase{"^$", "", -1, 0, ""},
    TBackCase{"[0-9]+", "a12b345c", 5, 4, "345"},
    TBackCase{"[0-9]+", "a12b345c", 4, 2, "2"},
    TBackCase{"x", "axbx", 3, 1, "x"}));

TEST(Regex, GroupsRecordTheirLastPass)
{
    TRegexPtr program = Compile("{a|b}*{c}");
    const char* text = "xabc";
    ASSERT_TRUE(RegexSearch(program.get(), text, nullptr, false, true));
    EXPECT_EQ(program->groupStart[0], text + 1);
    EXPECT_EQ(std::string(program->groupStart[1], program->groupEnd[1]), "b");
    EXPECT_EQ(std::string(program->groupStart[2], program->groupEnd[2]), "c");
    EXPECT_EQ(program->groupStart[3], nullptr);
}

TEST(Regex, FailedAlternativeLeavesNoGroup)
{
    TRegexPtr program = Compile("{a}x|ay");
    const char* text = "ay";
    ASSERT_TRUE(RegexSearch(program.get(), text, nullptr, false, true));
    EXPECT_EQ(program->groupStart[1], nullptr);
    EXPECT_EQ(program->groupEnd[1], nullptr);
}

TEST(Regex, HintsFromTheFirstNode)
{
    EXPECT_EQ(Compile("abc")->firstChar, 'a');
    EXPECT_FALSE(Compile("abc")->anchored);
    EXPECT_TRUE(Compile("^abc")->anchored);
    EXPECT_EQ(Compile("a|b")->firstChar, 0);
    EXPECT_EQ(Compile("a*b")->firstChar, 0);
    EXPECT_EQ(Compile("a?b")->firstChar, 0);
    EXPECT_FALSE(Compile("^a|b")->anchored);
}

struct TSizeCase {
    const char* pattern;
    int size;
};

class RegexSize : public testing::TestWithParam<TSizeCase> {};

TEST_P(RegexSize, ProgramIsExactlyMeasured)
{
    TRegexPtr program = Compile(GetParam().pattern);
    ASSERT_TRUE(program);
    EXPECT_EQ(program->size, GetParam().size);
    EXPECT_EQ(program->program[0], 156);
}

// Magic byte 1, three per node, operands with their terminators.
INSTANTIATE_TEST_SUITE_P(Sizes, RegexSize, testing::Values(
    TSizeCase{"", 1 + 3 + 3 + 3},
    TSizeCase{"abc", 1 + 3 + 3 + 4 + 3},
    TSizeCase{"a*", 1 + 3 + 3 + 3 + 2 + 3},
    TSizeCase{"[a-c]", 1 + 3 + 3 + 4 + 3},
    TSizeCase{"{a}", 1 + 3 + 3 + 3 + 3 + 2 + 3 + 3},
    TSizeCase{"{a}*", 1 + 3 + 3 + 3 + 3 + 3 + 2 + 3 + 3 + 3 + 3 + 3},
    TSizeCase{"a|b", 1 + 3 + 5 + 3 + 5 + 3}));

struct TErrorCase {
    const char* pattern;
    int code;
};

void PrintTo(const TErrorCase& c, std::ostream* os)
{
    *os << "/" << c.pattern << "/";
}

class RegexError : public testing::TestWithParam<TErrorCase> {};

TEST_P(RegexError, IsRejectedWithItsCode)
{
    int error = 0;
    TRegexPtr program = RegexCompile(GetParam().pattern, &error);
    EXPECT_FALSE(program);
    EXPECT_EQ(error, GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Codes, RegexError, testing::Values(
    TErrorCase{"{{{{{{{{{{a}}}}}}}}}}", kRegexTooManyGroups},
    TErrorCase{"{a}{b}{c}{d}{e}{f}{g}{h}{i}{j}", kRegexTooManyGroups},
    TErrorCase{"a}", kRegexUnmatchedGroup},
    TErrorCase{"{a", kRegexUnmatchedGroup},
    TErrorCase{"{a|b", kRegexUnmatchedGroup},
    TErrorCase{"{a*}*", kRegexEmptyOperand},
    TErrorCase{"^*", kRegexEmptyOperand},
    TErrorCase{"{}+", kRegexEmptyOperand},
    TErrorCase{"a**", kRegexNestedRepeat},
    TErrorCase{"a+?", kRegexNestedRepeat},
    TErrorCase{"{ab}*+", kRegexNestedRepeat},
    TErrorCase{"[z-a]", kRegexInvalidRange},
    TErrorCase{"[b-a]", kRegexInvalidRange},
    TErrorCase{"\\q", kRegexInvalidEscape},
    TErrorCase{"\\(", kRegexInvalidEscape},
    TErrorCase{"a\\", kRegexInvalidEscape},
    TErrorCase{"[\\q]", kRegexInvalidEscape},
    TErrorCase{"[abc", kRegexUnmatchedSet},
    TErrorCase{"[", kRegexUnmatchedSet},
    TErrorCase{"*a", kRegexFollowsNothing},
    TErrorCase{"a|+b", kRegexFollowsNothing},
    TErrorCase{"{?a}", kRegexFollowsNothing}));

TEST(Regex, NullPatternIsRejected)
{
    int error = 0;
    EXPECT_FALSE(RegexCompile(nullptr, &error));
    EXPECT_EQ(error, kRegexNullArgument);
}

TEST(Regex, ProgramThatCannotBeAllocatedIsReported)
{
    SetAllocFailOnce(1);
    int error = 0;
    TRegexPtr program = RegexCompile("abc", &error);
    SetAllocFailOnce(0);
    EXPECT_FALSE(program);
    EXPECT_EQ(error, kRegexOutOfMemory);
    EXPECT_TRUE(RegexCompile("abc", &error));
}

TEST(Regex, ProgramOfMaximumSizeIsRejected)
{
    // Each range holds 255 members; a long run of them passes the largest program there can be.
    std::string pattern;
    for (int i = 0; i < 130; ++i)
        pattern += "[\x01-\xff]";
    int error = 0;
    EXPECT_FALSE(RegexCompile(pattern.c_str(), &error));
    EXPECT_EQ(error, kRegexTooBig);
    pattern.resize(pattern.size() / 2);
    EXPECT_TRUE(RegexCompile(pattern.c_str(), &error));
}

TEST(Regex, EveryErrorHasItsMessage)
{
    EXPECT_STREQ(RegexErrorText(kRegexUnmatchedGroup), "umatched {}");
    EXPECT_STREQ(RegexErrorText(kRegexInvalidEscape), "invalid escape (\\) sequence");
    EXPECT_STREQ(RegexErrorText(kRegexTooBig), "regular expression to big");
    for (int code = 1; code <= 13; ++code)
        EXPECT_NE(RegexErrorText(code), nullptr) << code;
    EXPECT_EQ(RegexErrorText(0), nullptr);
    EXPECT_EQ(RegexErrorText(14), nullptr);
    EXPECT_EQ(std::string(kRegexErrorPrefix) + RegexErrorText(kRegexUnmatchedSet),
              "Regular expression error:  unmatched []");
}

TEST(Regex, SearchRefusesWhatIsNotAProgram)
{
    TRegexPtr program = Compile("a");
    EXPECT_FALSE(RegexSearch(nullptr, "a", nullptr, false, true));
    EXPECT_FALSE(RegexSearch(program.get(), nullptr, nullptr, false, true));
    program->program[0] = 0;
    EXPECT_FALSE(RegexSearch(program.get(), "a", nullptr, false, true));
}

TEST(Regex, UnknownOpcodeFailsTheAttempt)
{
    TRegexPtr program = Compile("ab");
    program->program[4] = 99;  // the EXACTLY node after the first BRANCH
    EXPECT_FALSE(RegexSearch(program.get(), "ab", nullptr, false, true));
}

TEST(Regex, PathologicalPatternsAnswerExactly)
{
    // Exponential for a plain backtracker over lines this long; every answer here must still be exact.
    const std::string as(1000, 'a');
    struct TCase {
        const char* pattern;
        std::string line;
        bool found;
        int start;
        int end;
    };
    const TCase cases[] = {
        {"{a|aa}*b", as, false, 0, 0},
        {"{a|aa}*c", as, false, 0, 0},
        {"{a|aa}*c", as + "c", true, 0, 1001},
        {"{{a|aa}*b|a*c}", as, false, 0, 0},
        {"{{a|aa}*b|a*c}", as + "c", true, 0, 1001},
        {"{a|a}*{a|a}*b", as, false, 0, 0},
        {"{a|a}*{a|a}*b", as + "b", true, 0, 1001},
        {"{a+}*b", as, false, 0, 0},
        {"{a+}*b", "x" + as + "b", true, 1, 1002},
        {"{[ab]+[a-c]*}+d", as, false, 0, 0},
        {"{{[ab]*a}+b}*c", as + "abc", true, 0, 1003},
        {"{{[ab]*a}+b}*c", as + "ac", true, 1001, 1002},
        {".*.*.*.*y", as, false, 0, 0},
        {"{a|ab|b}*c", std::string(500, 'a') + std::string(500, 'b'), false, 0, 0},
    };
    for (const TCase& c : cases) {
        TRegexPtr program = Compile(c.pattern);
        ASSERT_TRUE(program) << c.pattern;
        for (bool backwards : {false, true}) {
            ASSERT_EQ(RegexSearch(program.get(), c.line.c_str(), nullptr, backwards, true), c.found)
                << c.pattern << " backwards " << backwards;
            if (c.found && !backwards) {
                EXPECT_EQ(program->groupStart[0] - c.line.c_str(), c.start) << c.pattern;
                EXPECT_EQ(program->groupEnd[0] - c.line.c_str(), c.end) << c.pattern;
            }
        }
    }
    // An empty operand under a loop is refused when compiling, so nothing can loop without consuming.
    int error = 0;
    EXPECT_FALSE(RegexCompile("{a*}*b", &error));
    EXPECT_EQ(error, kRegexEmptyOperand);
}

TEST(Regex, AlternativeAfterAnExhaustingOneIsFound)
{
    // A matcher that gave up in the first alternative answered "not found" here.
    TRegexPtr program = Compile("{{a|aa}*b|a*c}");
    const std::string line = std::string(60, 'a') + "c";
    ASSERT_TRUE(RegexSearch(program.get(), line.c_str(), nullptr, false, true));
    EXPECT_EQ(program->groupStart[0], line.c_str());
    EXPECT_EQ(program->groupEnd[0] - line.c_str(), 61);
    EXPECT_EQ(program->groupStart[1], line.c_str());
    EXPECT_EQ(program->groupEnd[1] - line.c_str(), 61);
    ASSERT_TRUE(RegexSearch(program.get(), line.c_str(), nullptr, true, true));
    EXPECT_EQ(program->groupStart[0] - line.c_str(), 60);
}

TEST(Regex, LongTextIsSearchedWithoutExhaustingTheStack)
{
    // Far longer than any editor line: the backtracking keeps its choices on the heap.
    TRegexPtr program = Compile("{a|b}*$");
    std::string text(20000, 'a');
    ASSERT_TRUE(RegexSearch(program.get(), text.c_str(), nullptr, false, true));
    EXPECT_EQ(program->groupEnd[0] - program->groupStart[0], 20000);
    text.resize(1024);
    EXPECT_TRUE(RegexSearch(program.get(), text.c_str(), nullptr, false, true));
    TRegexPtr deep = Compile("{{a|b}{a|b}}*c");
    text.assign(20000, 'a');
    EXPECT_FALSE(RegexSearch(deep.get(), text.c_str(), nullptr, false, true));
}

TEST(Regex, LongLineOfLoopTurnsMatches)
{
    // One recursion per loop turn: a full line of them must neither overflow nor give up.
    TRegexPtr program = Compile("{ab|cd}+$");
    std::string line;
    for (int i = 0; i < 512; ++i)
        line += i % 2 ? "ab" : "cd";
    ASSERT_TRUE(RegexSearch(program.get(), line.c_str(), nullptr, false, true));
    EXPECT_EQ(program->groupEnd[0] - program->groupStart[0], 1024);
}

}  // namespace
