// The matcher against the plain recursive backtracker: random patterns over a few letters, random lines,
// every direction and limit, comparing found, start, end and every group. Set VOK_REGEX_ROUNDS to run
// more patterns than the suite does.
#include "search/Regex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <regex>
#include <string>

#include "support/RegexReference.h"

namespace {

using regex_reference::ReferenceSearch;
using regex_reference::TOutcome;

class TDraw {
public:
    explicit TDraw(uint32_t start) : engine_(start) {}
    uint32_t Below(uint32_t n) { return n ? engine_() % n : 0; }
    bool OneIn(uint32_t n) { return Below(n) == 0; }

private:
    std::mt19937 engine_;
};

// Patterns from the grammar, so that nearly all compile and most reach deep into the matcher: nested
// groups, loops over alternatives, single-character repetitions before literals, anchors.
class TPatternMaker {
public:
    explicit TPatternMaker(TDraw& draw) : draw_(draw) {}

    std::string Pattern()
    {
        depth_ = 0;
        return Choice();
    }

private:
    std::string Choice()
    {
        std::string text = Sequence();
        while (draw_.OneIn(3))
            text += "|" + Sequence();
        return text;
    }

    std::string Sequence()
    {
        std::string text;
        const uint32_t pieces = draw_.Below(4);
        for (uint32_t i = 0; i < pieces; ++i)
            text += Piece();
        return text;
    }

    std::string Piece()
    {
        std::string atom = Atom();
        switch (draw_.Below(6)) {
        case 0: return atom + "*";
        case 1: return atom + "+";
        case 2: return atom + "?";
        default: return atom;
        }
    }

    std::string Atom()
    {
        static const char* const kSingles[] = {"a", "b", "c", ".", "[ab]", "[^a]", "[a-c]", "\\.", "ab", "ba"};
        const uint32_t pick = draw_.Below(16);
        if (pick < 10)
            return kSingles[pick];
        if (pick == 10)
            return "^";
        if (pick == 11)
            return "$";
        if (depth_ < 3) {
            ++depth_;
            std::string group = "{" + Choice() + "}";
            --depth_;
            return group;
        }
        return "a";
    }

    TDraw& draw_;
    int depth_ = 0;
};

std::string RandomLine(TDraw& draw)
{
    static const char kLetters[] = "aaabbbc.";
    std::string line;
    const uint32_t length = draw.Below(14);
    for (uint32_t i = 0; i < length; ++i)
        line += draw.OneIn(40) ? '\n' : kLetters[draw.Below(sizeof kLetters - 1)];
    return line;
}

struct TAnswer {
    bool found = false;
    const char* start[kRegexGroups] = {};
    const char* end[kRegexGroups] = {};
};

TAnswer Read(const RegexProgram& program, bool found)
{
    TAnswer answer;
    answer.found = found;
    if (found)
        for (int g = 0; g < kRegexGroups; ++g) {
            answer.start[g] = program.groupStart[g];
            answer.end[g] = program.groupEnd[g];
        }
    return answer;
}

long Rounds()
{
    const char* text = std::getenv("VOK_REGEX_ROUNDS");
    long rounds = text ? std::atol(text) : 0;
    return rounds > 0 ? rounds : 100'000;
}

TEST(RegexDifferential, MatchesThePlainBacktrackerEverywhere)
{
    TDraw draw(14);
    TPatternMaker maker(draw);
    const long rounds = Rounds();
    long compared = 0;
    long found = 0;
    for (long round = 0; round < rounds; ++round) {
        const std::string pattern = maker.Pattern();
        TRegexPtr program = RegexCompile(pattern.c_str(), nullptr);
        if (!program)
            continue;
        const std::string line = RandomLine(draw);
        const char* text = line.c_str();
        const char* limit = text + draw.Below(static_cast<uint32_t>(line.size()) + 1);
        const bool lineStart = !draw.OneIn(4);
        const bool backwards = draw.OneIn(2);
        const char* bound = draw.OneIn(2) ? limit : nullptr;

        const TOutcome outcome = ReferenceSearch(*program, text, bound, backwards, lineStart, 200'000);
        if (outcome == TOutcome::GaveUp)
            continue;
        const TAnswer expected = Read(*program, outcome == TOutcome::Found);
        const TAnswer actual = Read(*program, RegexSearch(program.get(), text, bound, backwards, lineStart));
        ++compared;
        found += expected.found;
        const std::string where = "pattern `" + pattern + "` line `" + line + "` backwards " +
                                  std::to_string(backwards) + " limit " +
                                  (bound ? std::to_string(bound - text) : std::string("none")) + " lineStart " +
                                  std::to_string(lineStart);
        ASSERT_EQ(actual.found, expected.found) << where;
        for (int g = 0; g < kRegexGroups; ++g) {
            ASSERT_EQ(actual.start[g], expected.start[g]) << where << " group " << g;
            ASSERT_EQ(actual.end[g], expected.end[g]) << where << " group " << g;
        }
    }
    // The generator is only worth running when most patterns compile and match.
    EXPECT_GT(compared, rounds / 2);
    EXPECT_GT(found, compared / 4);
}

// The same grammar against std::regex (ECMAScript), for what translates exactly: braces become
// parentheses, the search runs forwards from a line start without a limit, and lines hold no line feed
// (where `[^a]` and `.` would differ). ECMAScript backtracks in the same order, so the first match found
// starts and ends at the same places.
TEST(RegexDifferential, AgreesWithEcmaScriptOnTheWholeMatch)
{
    TDraw draw(3101);
    TPatternMaker maker(draw);
    int compared = 0;
    for (int round = 0; round < 10'000; ++round) {
        const std::string pattern = maker.Pattern();
        TRegexPtr program = RegexCompile(pattern.c_str(), nullptr);
        if (!program)
            continue;
        std::string translated = pattern;
        for (char& c : translated)
            c = c == '{' ? '(' : c == '}' ? ')' : c;
        std::string line = RandomLine(draw);
        for (char& c : line)
            if (c == '\n')
                c = 'a';
        // ECMAScript refuses a repeated anchor (`^?`, `$*`), which the editor's syntax allows.
        std::regex reference;
        try {
            reference.assign(translated, std::regex::ECMAScript);
        } catch (const std::regex_error&) {
            continue;
        }
        std::cmatch found;
        const bool expected = std::regex_search(line.c_str(), found, reference);
        const bool actual = RegexSearch(program.get(), line.c_str(), nullptr, false, true);
        ++compared;
        ASSERT_EQ(actual, expected) << pattern << " on `" << line << "`";
        if (expected) {
            EXPECT_EQ(program->groupStart[0] - line.c_str(), found.position(0)) << pattern << " on " << line;
            EXPECT_EQ(program->groupEnd[0] - program->groupStart[0], found.length(0)) << pattern << " on " << line;
        }
    }
    EXPECT_GT(compared, 5'000);
}

// Lines long enough that the plain backtracker needs a while but still finishes: the remembered failures
// must never prune a path that would have matched.
TEST(RegexDifferential, LongerLinesOfTheSameLetters)
{
    TDraw draw(1208);
    const char* const patterns[] = {"{a|aa}*b",     "{a|aa}*c",  "{{a|aa}*b|a*c}", "{a|a}*{a|a}*b", "{a+|b}*c",
                                    "{[ab]+a}*b$", "{a|ab|b}*$", "^{a*b}*a",      "{{a}|{ab}}+{b|c}"};
    for (const char* pattern : patterns) {
        TRegexPtr program = RegexCompile(pattern, nullptr);
        ASSERT_TRUE(program) << pattern;
        for (int round = 0; round < 80; ++round) {
            std::string line;
            const uint32_t length = draw.Below(22);
            for (uint32_t i = 0; i < length; ++i)
                line += draw.OneIn(12) ? 'c' : (draw.OneIn(3) ? 'b' : 'a');
            for (bool backwards : {false, true}) {
                const TOutcome outcome = ReferenceSearch(*program, line.c_str(), nullptr, backwards, true, 1'000'000);
                if (outcome == TOutcome::GaveUp)
                    continue;
                const TAnswer expected = Read(*program, outcome == TOutcome::Found);
                const TAnswer actual =
                    Read(*program, RegexSearch(program.get(), line.c_str(), nullptr, backwards, true));
                ASSERT_EQ(actual.found, expected.found) << pattern << " on " << line;
                for (int g = 0; g < kRegexGroups; ++g) {
                    ASSERT_EQ(actual.start[g], expected.start[g]) << pattern << " on " << line << " group " << g;
                    ASSERT_EQ(actual.end[g], expected.end[g]) << pattern << " on " << line << " group " << g;
                }
            }
        }
    }
}

}  // namespace
