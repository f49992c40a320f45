// Find and Repeat Last: every option combination, directions, whole words and what the dialog shows.
#include <string>

#include "search/DocumentSearch.h"
#include "search/SearchFixture.h"

namespace {

struct TFindCase {
    const char* name;
    const char* document;  // lines separated by LF
    int col;
    int line;  // the cursor before the search
    const char* search;
    bool matchCase;
    bool wholeWord;
    bool down;
    bool regex;
    int foundLine;  // -1: not found
    int startCol;
    int endCol;
};

void PrintTo(const TFindCase& c, std::ostream* os)
{
    *os << c.name;
}

class FindOptions : public SearchTest, public testing::WithParamInterface<TFindCase> {};

TEST_P(FindOptions, SelectsTheMatchWithTheCursorAtItsFarEnd)
{
    const TFindCase& c = GetParam();
    Load(c.document);
    Goto(c.col, c.line);
    TSearchOptions options;
    options.matchCase = c.matchCase;
    options.wholeWord = c.wholeWord;
    options.down = c.down;
    options.regex = c.regex;
    Find(c.search, options);

    if (c.foundLine < 0) {
        EXPECT_TRUE(NotFoundReported());
        EXPECT_EQ(ed.Cursor(), (TPosition{static_cast<int16_t>(c.col), c.line}));
        return;
    }
    EXPECT_TRUE(ed.errors.empty());
    EXPECT_EQ(ed.curLineNo, c.foundLine);
    EXPECT_EQ(ed.curCol, c.down ? c.endCol : c.startCol);
    if (c.startCol < c.endCol) {
        ASSERT_TRUE(ed.selShown);
        EXPECT_EQ(ed.SelStart(), (TPosition{static_cast<int16_t>(c.startCol), c.foundLine}));
        EXPECT_EQ(ed.SelEnd(), (TPosition{static_cast<int16_t>(c.endCol), c.foundLine}));
    } else {
        EXPECT_FALSE(ed.selShown);
    }
}

// name, document, cursor col/line, search, case, whole, down, regex, found line, start, end
INSTANTIATE_TEST_SUITE_P(Plain, FindOptions, testing::Values(
    TFindCase{"DownIgnoringCase", "Foo foo\nFOO", 1, 0, "foo", false, false, true, false, 0, 4, 7},
    TFindCase{"DownMatchingCase", "Foo foo\nFOO", 0, 0, "FOO", true, false, true, false, 1, 0, 3},
    TFindCase{"DownFromTheCursorItself", "abcabc", 3, 0, "abc", false, false, true, false, 0, 3, 6},
    TFindCase{"UpIgnoringCase", "Foo bar", 7, 0, "foo", false, false, false, false, 0, 0, 3},
    TFindCase{"UpMatchingCaseSkipsOtherCase", "foo Foo", 7, 0, "foo", true, false, false, false, 0, 0, 3},
    TFindCase{"UpTakesTheLastBeforeTheCursor", "ab ab ab", 7, 0, "ab", false, false, false, false, 0, 3, 5},
    TFindCase{"UpOnlyWhatEndsBeforeTheCursor", "xabc", 3, 0, "abc", false, false, false, false, -1, 0, 0},
    TFindCase{"UpIntoEarlierLines", "x1\nx2\nx3", 0, 2, "x", false, false, false, false, 1, 0, 1},
    TFindCase{"WholeWordNextLine", "concat\ncat", 0, 0, "cat", false, true, true, false, 1, 0, 3},
    TFindCase{"WholeWordLaterInTheSameLine", "concat cat", 0, 0, "cat", false, true, true, false, 0, 7, 10},
    TFindCase{"WholeWordUpEarlierInSameLine", "cat concat", 10, 0, "cat", false, true, false, false, 0, 0, 3},
    TFindCase{"WholeWordWithCase", "Cat cats cat", 0, 0, "cat", true, true, true, false, 0, 9, 12},
    TFindCase{"WholeWordNowhere", "concat cats", 0, 0, "cat", false, true, true, false, -1, 0, 0},
    TFindCase{"WholeWordSeesBeforeTheStart", "xcat", 1, 0, "cat", false, true, true, false, -1, 0, 0},
    TFindCase{"TabsCountAsColumns", "\tfoo", 0, 0, "foo", false, false, true, false, 0, 8, 11},
    TFindCase{"PastTheLineEndGoesOn", "abc\nabc", 10, 0, "abc", false, false, true, false, 1, 0, 3},
    TFindCase{"NotFound", "abc", 0, 0, "x", false, false, true, false, -1, 0, 0}));

INSTANTIATE_TEST_SUITE_P(Pattern, FindOptions, testing::Values(
    TFindCase{"LowerCasedRangeMatchesBothCases", "ab bx", 0, 0, "[A-Z]x", false, false, true, true, 0, 3, 5},
    TFindCase{"RangeWithCase", "bx Bx", 0, 0, "[A-Z]x", true, false, true, true, 0, 3, 5},
    TFindCase{"UpEndsBeyondTheCursor", "foo foo", 4, 0, "o.*", false, false, false, true, 0, 2, 7},
    TFindCase{"WholeWordDoesNotApply", "concat", 0, 0, "cat", false, true, true, true, 0, 3, 6},
    TFindCase{"BolOnlyWhenStartingAtColumnZero", "abc\ndef", 2, 0, "^", false, false, true, true, 1, 0, 0},
    TFindCase{"EolOfTheCursorLine", "abc\ndef", 0, 0, "$", false, false, true, true, 0, 3, 3},
    TFindCase{"EolUpOnAnEarlierLine", "abc\ndef", 1, 1, "$", false, false, false, true, 0, 3, 3},
    TFindCase{"BlankLineUp", "a\n\nb", 1, 2, "^$", false, false, false, true, 1, 0, 0},
    TFindCase{"TabsCountAsColumns", "a\tbc", 0, 0, "b+c", false, false, true, true, 0, 8, 10},
    TFindCase{"BadPatternFindsNothing", "a[b", 0, 0, "[b", false, false, true, true, -1, 0, 0}));

TEST_F(SearchTest, FindOpensWithTheWordAtTheCursor)
{
    Load("alpha beta\n");
    Goto(7, 0);
    ed.confirm = false;
    Run(cmFind);
    EXPECT_STREQ(ed.shown.findText, "beta");
}

TEST_F(SearchTest, FindOpensWithTheLastSearchOnBlanks)
{
    Load("alpha    beta\n");
    Find("beta");
    Goto(7, 0);
    ed.confirm = false;
    Run(cmFind);
    EXPECT_STREQ(ed.shown.findText, "beta");
}

TEST_F(SearchTest, FindOpensWithTheStoredOptions)
{
    SearchState().options.matchCase = true;
    SearchState().options.down = false;
    ed.confirm = false;
    Run(cmFind);
    EXPECT_TRUE(ed.shown.options.matchCase);
    EXPECT_FALSE(ed.shown.options.down);
}

TEST_F(SearchTest, CancelledFindChangesNothing)
{
    Load("abc\n");
    SearchState().lastWasReplace = true;
    ed.confirm = false;
    Find("b");
    EXPECT_STREQ(SearchState().searchText, "");
    EXPECT_STREQ(SearchState().findHistory.Entry(0), "");
    EXPECT_TRUE(SearchState().lastWasReplace);
    EXPECT_FALSE(ed.selShown);
}

TEST_F(SearchTest, FindStoresTextOptionsAndHistory)
{
    Load("abc\n");
    SearchState().lastWasReplace = true;
    SearchState().options.prompt = false;
    TSearchOptions options;
    options.matchCase = true;
    options.wholeWord = true;
    options.down = false;
    options.regex = true;
    options.prompt = true;  // the Find dialog has no such box: the stored value stays
    Find("b", options);
    const TSearchState& state = SearchState();
    EXPECT_STREQ(state.searchText, "b");
    EXPECT_STREQ(state.findHistory.Entry(0), "b");
    EXPECT_FALSE(state.lastWasReplace);
    EXPECT_TRUE(state.options.matchCase);
    EXPECT_TRUE(state.options.wholeWord);
    EXPECT_FALSE(state.options.down);
    EXPECT_TRUE(state.options.regex);
    EXPECT_FALSE(state.options.prompt);
}

TEST_F(SearchTest, RepeatedDownSearchMovesToTheNextOccurrence)
{
    Load("ab ab\nab\n");
    Find("ab");
    EXPECT_EQ(ed.Cursor(), (TPosition{2, 0}));
    Run(cmFindNext);
    EXPECT_EQ(ed.Cursor(), (TPosition{5, 0}));
    Run(cmFindNext);
    EXPECT_EQ(ed.Cursor(), (TPosition{2, 1}));
    Run(cmFindNext);
    EXPECT_TRUE(NotFoundReported());
    EXPECT_EQ(ed.Cursor(), (TPosition{2, 1}));
}

TEST_F(SearchTest, RepeatedUpSearchMovesBackwards)
{
    Load("ab\nab ab\n");
    Goto(5, 1);
    TSearchOptions up;
    up.down = false;
    Find("ab", up);
    EXPECT_EQ(ed.Cursor(), (TPosition{3, 1}));
    Run(cmFindNext);
    EXPECT_EQ(ed.Cursor(), (TPosition{0, 1}));
    Run(cmFindNext);
    EXPECT_EQ(ed.Cursor(), (TPosition{0, 0}));
    EXPECT_EQ(ed.Selection(), "ab");
}

TEST_F(SearchTest, RepeatedSearchForAnEmptyMatchMovesOn)
{
    Load("ab\ncd\n\n");
    TSearchOptions regex;
    regex.regex = true;
    Find("$", regex);
    EXPECT_EQ(ed.Cursor(), (TPosition{2, 0}));
    Run(cmFindNext);
    EXPECT_EQ(ed.Cursor(), (TPosition{2, 1}));
    Run(cmFindNext);
    EXPECT_EQ(ed.Cursor(), (TPosition{0, 2}));
}

TEST_F(SearchTest, RepeatLastWithoutSearchStringOpensFind)
{
    Run(cmFindNext);
    EXPECT_EQ(ed.findDialogs, 1);
    SearchState().lastWasReplace = true;
    ed.confirm = false;
    Run(cmFindNext);
    EXPECT_EQ(ed.replaceDialogs, 1);
}

TEST_F(SearchTest, PathologicalPatternOverLongLinesEnds)
{
    std::string document;
    for (int i = 0; i < 20; ++i)
        document += std::string(1000, 'a') + "\n";
    Load(document);
    TSearchOptions regex;
    regex.regex = true;
    Find("{a|aa}*b", regex);
    EXPECT_TRUE(NotFoundReported());
    EXPECT_EQ(ed.Cursor(), (TPosition{0, 0}));
}

TEST_F(SearchTest, SearchTextIsCutTo79Characters)
{
    std::string line(79, 'x');
    Load(line + "\n");
    TSearchQuery query;
    std::string longer = line + "yyy";
    query.text = longer.c_str();
    TSearchMatch match;
    ASSERT_TRUE(FindInDocument(ed, query, {0, 0}, &match));
    EXPECT_EQ(match.endCol, 79);
}

TEST_F(SearchTest, DialogCheckRejectsBadPatternsOnly)
{
    EXPECT_EQ(CheckSearchPattern("[abc", true), kRegexUnmatchedSet);
    EXPECT_EQ(CheckSearchPattern("a**", true), kRegexNestedRepeat);
    EXPECT_EQ(CheckSearchPattern("[abc", false), 0);
    EXPECT_EQ(CheckSearchPattern("{a|b}c", true), 0);
}

}  // namespace
