// Thousands of generated patterns and lines through compile and search: no crash, results in bounds.
#include "search/Regex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace {

// mt19937 is the same everywhere; the standard distributions are not, so the draws use plain modulo.
class TDraw {
public:
    explicit TDraw(uint32_t start) : engine_(start) {}
    uint32_t Below(uint32_t n) { return n ? engine_() % n : 0; }
    char From(const std::string& alphabet) { return alphabet[Below(static_cast<uint32_t>(alphabet.size()))]; }

private:
    std::mt19937 engine_;
};

// Mostly the syntax's own characters and a few letters, so that most patterns get past the parser.
const std::string kPatternAlphabet = "aaaabbbb..^$[]{}|*+?\\-ntq(&";
const std::string kLineAlphabet = "ab-]{}\t.^$\\ \x01\xff";

std::string RandomText(TDraw& draw, const std::string& alphabet, int maxLength)
{
    std::string text;
    int length = static_cast<int>(draw.Below(static_cast<uint32_t>(maxLength) + 1));
    for (int i = 0; i < length; ++i)
        text += draw.From(alphabet);
    return text;
}

TEST(RegexRandom, CompileAndSearchStayInBounds)
{
    TDraw draw(20261208);
    int compiled = 0;
    int matched = 0;
    for (int round = 0; round < 4000; ++round) {
        // Short patterns compile more often; long ones reach the size and nesting limits.
        std::string pattern = RandomText(draw, kPatternAlphabet, round % 4 == 0 ? kRegexMaxPattern : 12);
        int error = -1;
        TRegexPtr program = RegexCompile(pattern.c_str(), &error);
        if (!program) {
            ASSERT_GE(error, 1) << pattern;
            ASSERT_LE(error, 13) << pattern;
            continue;
        }
        ASSERT_EQ(error, 0);
        ASSERT_LT(program->size, kRegexMaxProgram);
        ++compiled;

        std::string line = RandomText(draw, kLineAlphabet, 200);
        const char* text = line.c_str();
        const char* end = text + line.size();
        const char* limit = text + draw.Below(static_cast<uint32_t>(line.size()) + 1);
        for (bool backwards : {false, true}) {
            for (const char* bound : {static_cast<const char*>(nullptr), limit}) {
                if (!RegexSearch(program.get(), text, bound, backwards, round % 2 == 0))
                    continue;
                ++matched;
                const char* start = program->groupStart[0];
                const char* stop = program->groupEnd[0];
                ASSERT_GE(start, text) << pattern;
                ASSERT_LE(start, stop) << pattern;
                ASSERT_LE(stop, end) << pattern;
                if (bound && (backwards || start != text)) {
                    ASSERT_LT(start, bound) << pattern;
                }
                for (int g = 1; g < kRegexGroups; ++g) {
                    const char* groupStart = program->groupStart[g];
                    const char* groupEnd = program->groupEnd[g];
                    ASSERT_TRUE(!groupStart || (groupStart >= text && groupStart <= end)) << pattern;
                    ASSERT_TRUE(!groupEnd || (groupEnd >= text && groupEnd <= end)) << pattern;
                }
            }
        }
    }
    // The generator is useful only when it reaches the matcher often.
    EXPECT_GT(compiled, 1000);
    EXPECT_GT(matched, 1500);
}

TEST(RegexRandom, ManyOptionalAnchorsAnswerExactly)
{
    // 2^24 paths for a plain backtracker, each failing at the x.
    TRegexPtr program = RegexCompile("^?^?^?^?^?^?^?^?^?^?^?^?^?^?^?^?^?^?^?^?^?^?^?^?x", nullptr);
    ASSERT_TRUE(program);
    EXPECT_FALSE(RegexSearch(program.get(), "abc", nullptr, false, true));
    ASSERT_TRUE(RegexSearch(program.get(), "abcx", nullptr, false, true));
    EXPECT_EQ(program->groupStart[0], program->groupEnd[0] - 1);
    ASSERT_TRUE(RegexSearch(program.get(), "abcx", nullptr, true, true));
}

}  // namespace
