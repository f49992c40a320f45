// Bracket, comment and preprocessor matching.
#include <gtest/gtest.h>

#include "support/EngineFixture.h"

namespace {
enum class TMatch { Pair, PreprocNext, PreprocPrev };

struct TMatchCase {
    const char* name;
    TMatch command;
    TPosition from;
    TPosition to;  // equal to from when nothing may happen
};

void PrintTo(const TMatchCase& c, std::ostream* os)
{
    *os << c.name;
}

const std::vector<std::string> kBrackets = {
    "f(a, (b))",      // 0
    "x[1] = {",       // 1
    "  y[(2)]",       // 2
    "};",             // 3
    "/* c",           // 4
    "",               // 5
    " d */ e",        // 6
    "(open",          // 7
    "\t(x)",          // 8
    "/*/ shut */",    // 9
    "close]",         // 10
};

const std::vector<std::string> kPreproc = {
    "#if A",          // 0
    "x",              // 1
    "  #  ifdef B",   // 2
    "#else",          // 3
    "#endif",         // 4
    "#elif C",        // 5
    "#include <d>",   // 6
    "# endif",        // 7
    "int y;",         // 8
};

class MatchTest : public TEngineTest, public ::testing::WithParamInterface<TMatchCase> {};

TEST_P(MatchTest, MovesToTheMatchOrNowhere)
{
    const TMatchCase& c = GetParam();
    EngineOptions().tabSize = 8;
    Doc(c.command == TMatch::Pair ? kBrackets : kPreproc);
    ed.GotoPosition(c.from.col + 1, c.from.line, false);
    ed.GotoPosition(c.from.col, c.from.line, true);  // a selection, which a match drops
    ed.ClearLog();
    switch (c.command) {
    case TMatch::Pair: ed.MatchPair(); break;
    case TMatch::PreprocNext: ed.MatchPreprocNext(); break;
    case TMatch::PreprocPrev: ed.MatchPreprocPrev(); break;
    }
    EXPECT_EQ(ed.Cursor(), c.to);
    EXPECT_EQ(ed.calls.empty(), c.to == c.from) << "a move repaints, no move is silent";
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, MatchTest,
    ::testing::Values(TMatchCase{"OuterParenForward", TMatch::Pair, Pos(1, 0), Pos(8, 0)},
                      TMatchCase{"OuterParenBackward", TMatch::Pair, Pos(8, 0), Pos(1, 0)},
                      TMatchCase{"InnerParen", TMatch::Pair, Pos(5, 0), Pos(7, 0)},
                      TMatchCase{"BraceAcrossLines", TMatch::Pair, Pos(7, 1), Pos(0, 3)},
                      TMatchCase{"BraceBackAcrossLines", TMatch::Pair, Pos(0, 3), Pos(7, 1)},
                      TMatchCase{"BracketAroundParens", TMatch::Pair, Pos(3, 2), Pos(7, 2)},
                      TMatchCase{"BracketBack", TMatch::Pair, Pos(7, 2), Pos(3, 2)},
                      TMatchCase{"CommentOverEmptyLine", TMatch::Pair, Pos(0, 4), Pos(3, 6)},
                      TMatchCase{"CommentBack", TMatch::Pair, Pos(3, 6), Pos(0, 4)},
                      TMatchCase{"CommentNotClosedByItsOwnStar", TMatch::Pair, Pos(0, 9), Pos(9, 9)},
                      TMatchCase{"TabbedParen", TMatch::Pair, Pos(8, 8), Pos(10, 8)},
                      TMatchCase{"TabbedParenBack", TMatch::Pair, Pos(10, 8), Pos(8, 8)},
                      TMatchCase{"UnclosedParen", TMatch::Pair, Pos(0, 7), Pos(0, 7)},
                      TMatchCase{"UnopenedBracket", TMatch::Pair, Pos(5, 10), Pos(5, 10)},
                      TMatchCase{"PlainLetter", TMatch::Pair, Pos(2, 0), Pos(2, 0)},
                      TMatchCase{"LoneSlash", TMatch::Pair, Pos(2, 9), Pos(2, 9)},
                      TMatchCase{"PastTheText", TMatch::Pair, Pos(30, 0), Pos(30, 0)}),
    [](const ::testing::TestParamInfo<TMatchCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Preproc, MatchTest,
    ::testing::Values(TMatchCase{"IfSkipsNestedToElif", TMatch::PreprocNext, Pos(3, 0), Pos(3, 5)},
                      TMatchCase{"NestedIfToElse", TMatch::PreprocNext, Pos(0, 2), Pos(0, 3)},
                      TMatchCase{"ElifToSpacedEndif", TMatch::PreprocNext, Pos(1, 5), Pos(1, 7)},
                      TMatchCase{"EndifHasNoNext", TMatch::PreprocNext, Pos(0, 4), Pos(0, 4)},
                      TMatchCase{"PlainLineHasNoNext", TMatch::PreprocNext, Pos(0, 8), Pos(0, 8)},
                      TMatchCase{"IncludeIsNoIf", TMatch::PreprocNext, Pos(0, 6), Pos(0, 6)},
                      TMatchCase{"EndifBackToElif", TMatch::PreprocPrev, Pos(2, 7), Pos(2, 5)},
                      TMatchCase{"ElifBackSkipsNested", TMatch::PreprocPrev, Pos(0, 5), Pos(0, 0)},
                      TMatchCase{"ElseBackToIfdef", TMatch::PreprocPrev, Pos(0, 3), Pos(0, 2)},
                      TMatchCase{"IfHasNoPrevious", TMatch::PreprocPrev, Pos(0, 0), Pos(0, 0)}),
    [](const ::testing::TestParamInfo<TMatchCase>& info) { return std::string(info.param.name); });
}  // namespace
