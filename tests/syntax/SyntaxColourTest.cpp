// Colouring lines by a language's rules, and the comment states the engine keeps through edits.
#include "syntax/SyntaxColour.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <random>

#include "engine/Commands.h"
#include "support/EngineFixture.h"
#include "support/RecordingEditor.h"

namespace {
// Comment 1, preprocessor 2, string 3, number 4, delimiter 5, operator 6, keyword 7: every class tells.
TSyntaxLanguage TestC()
{
    TSyntaxLanguage l = CLikeTemplate("C");
    l.colours = {1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(BuildKeywordTables({"if", "int", "else", "while", "return", "abcdefghijklmnop"}, l.keywords), 0);
    l.BuildClasses();
    return l;
}

TSyntaxLanguage TestBasic()
{
    TSyntaxLanguage l = BasicLikeTemplate("Basic");
    l.colours = {1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(BuildKeywordTables({"print", "goto", "if"}, l.keywords), 0);
    l.BuildClasses();
    return l;
}

std::string Colours(const TSyntaxLanguage& l, const std::string& line, int state = 0)
{
    return ColourLineDigits(&l, line, state);
}

// The states of lines coloured one after the other from the top.
std::vector<int> States(const TSyntaxLanguage& l, const std::vector<std::string>& lines)
{
    std::vector<int> states;
    int state = 0;
    for (const std::string& line : lines)
        states.push_back(state = LineEndState(&l, line.c_str(), state));
    return states;
}

TEST(SyntaxColourTest, OperatorsComeBeforeNumbersAndWordsBeforeNumbers)
{
    const TSyntaxLanguage c = TestC();
    EXPECT_EQ(Colours(c, "x = a - 5;"), "0060006045");
    EXPECT_EQ(Colours(c, "0x1F"), "4444");
    EXPECT_EQ(Colours(c, "ULONG"), "00000");  // letters of the numeric set still start words
    EXPECT_EQ(Colours(c, "3.14"), "4444");    // one number although "." is a delimiter
    EXPECT_EQ(Colours(c, "a.b"), "050");
    EXPECT_EQ(Colours(c, "x1+2"), "0064");
}

TEST(SyntaxColourTest, MinusStartsANumberOnlyBeforeANumericCharacter)
{
    TSyntaxLanguage c = TestC();
    c.operators = "+";  // now "-" reaches the numeric test
    c.BuildClasses();
    EXPECT_EQ(Colours(c, "-5 -y"), "44060");
    EXPECT_EQ(Colours(c, "--5"), "444");  // the "-" takes the next character along
}

TEST(SyntaxColourTest, StringsEndAtTheirDelimiterOrTheLine)
{
    const TSyntaxLanguage c = TestC();
    EXPECT_EQ(Colours(c, "\"a\\\"b\" x"), "33333300");  // the escaped quote does not end the string
    EXPECT_EQ(Colours(c, "x = \"abc"), "00603333");
    EXPECT_EQ(States(c, {"x = \"abc", "y"}), (std::vector<int>{0, 0}));  // the next line starts outside
    EXPECT_EQ(Colours(c, "'/*' x"), "333300");
    EXPECT_EQ(States(c, {"s = \"/*\";", "t"}), (std::vector<int>{0, 0}));
    EXPECT_EQ(Colours(c, "\"a\\"), "333");
}

TEST(SyntaxColourTest, MultiLineCommentsSpanLines)
{
    const TSyntaxLanguage c = TestC();
    const std::vector<std::string> lines{"x /* start", "middle", "", "end */ if", "y"};
    EXPECT_EQ(States(c, lines), (std::vector<int>{1, 1, 1, 0, 0}));
    EXPECT_EQ(Colours(c, lines[0], 0), "0011111111");
    EXPECT_EQ(Colours(c, lines[1], 1), "111111");
    EXPECT_EQ(Colours(c, lines[3], 1), "111111077");
    EXPECT_EQ(Colours(c, "/*/ x", 0), "11100");  // the closing search starts at the opening's first character
    EXPECT_EQ(Colours(c, "a /**/ b", 0), "00111100");
    EXPECT_EQ(Colours(c, "*/", 0), "66");
    EXPECT_EQ(States(c, {"/*/"}), (std::vector<int>{0}));
    EXPECT_EQ(States(c, {"// /*", "x"}), (std::vector<int>{0, 0}));
}

TEST(SyntaxColourTest, APreprocessorLineKeepsItsColourUpToAComment)
{
    const TSyntaxLanguage c = TestC();
    EXPECT_EQ(Colours(c, "#define X 1 /* c */"), "2222222020201111111");
    EXPECT_EQ(Colours(c, "  #if x // y"), "002220201111");
    EXPECT_EQ(Colours(c, "#x /* open"), "2201111111");
    EXPECT_EQ(States(c, {"#x /* open", "y */"}), (std::vector<int>{1, 0}));
}

TEST(SyntaxColourTest, FortranCommentsByTheFirstColumn)
{
    TSyntaxLanguage f = TestBasic();
    f.fortranComment = true;
    f.lineComment1 = "!";
    f.lineComment2.clear();
    f.BuildClasses();
    EXPECT_EQ(Colours(f, "C comment"), "111111111");
    EXPECT_EQ(Colours(f, "* star"), "111111");
    EXPECT_EQ(Colours(f, "x = 1"), "11111");
    EXPECT_EQ(Colours(f, "5 goto 1"), "40777704");
    EXPECT_EQ(Colours(f, " goto 1"), "0777704");
    // A leading tab arrives at the colouring as blanks.
    EXPECT_EQ(Colours(f, "    goto"), "00007777");
}

TEST(SyntaxColourTest, LetterCommentsNeedABlankAfterThem)
{
    const TSyntaxLanguage b = TestBasic();
    EXPECT_EQ(Colours(b, "REM x"), "11111");
    EXPECT_EQ(Colours(b, "rem"), "111");
    EXPECT_EQ(Colours(b, "remark"), "000000");
    EXPECT_EQ(Colours(b, "PRINT 1 ' c"), "77777040111");
    EXPECT_EQ(Colours(b, "Goto 10"), "7777044");
}

TEST(SyntaxColourTest, KeywordsOfExactlyTheirLength)
{
    const TSyntaxLanguage c = TestC();
    EXPECT_EQ(Colours(c, "abcdefghijklmnop"), std::string(16, '7'));
    EXPECT_EQ(Colours(c, "abcdefghijklmnopq"), std::string(17, '0'));  // 17 characters: never a keyword
    EXPECT_EQ(Colours(c, "If if ifx"), "000770000");
    EXPECT_EQ(Colours(c, "int_x int"), "000000777");
}

TEST(SyntaxColourTest, FirstCommentCharacterMakesTheLineAComment)
{
    TSyntaxLanguage ini = TestC();
    ini.firstComment = ';';
    ini.preprocessor = 0;
    ini.BuildClasses();
    EXPECT_EQ(Colours(ini, "  ; x /*"), "00111111");
    EXPECT_EQ(States(ini, {"  ; x /*", "y"}), (std::vector<int>{0, 0}));
    EXPECT_EQ(Colours(ini, "x ; y"), "00500");  // not first: only a delimiter
}

TEST(SyntaxColourTest, HtmlTagsAndTexKeywords)
{
    TSyntaxLanguage h;
    h.words = "a-z";
    h.html = "<>";
    h.multiOpen = "<!";
    h.multiClose = "->";
    h.colours = {1, 2, 3, 4, 5, 6, 7};
    h.BuildClasses();
    EXPECT_EQ(Colours(h, "<b>x</b>"), "77707777");
    EXPECT_EQ(Colours(h, "a=1 x>y"), "7777770");  // a tag begun on an earlier line
    EXPECT_EQ(Colours(h, "<a href"), "7777777");
    EXPECT_EQ(Colours(h, "<!-- c --> d"), "111111111100");

    TSyntaxLanguage t;
    t.words = "a-zA-Z";
    t.escape = '\\';
    t.texKeywords = true;
    t.lineComment1 = "%";
    t.openDelims = "{";
    t.closeDelims = "}";
    t.colours = {1, 2, 3, 4, 5, 6, 7};
    t.BuildClasses();
    EXPECT_EQ(Colours(t, "\\section{A} \\\\ x % c"), "77777777505077000111");
    EXPECT_EQ(Colours(t, "\\"), "7");
}

TEST(SyntaxColourTest, NoLanguageColoursNothing)
{
    TSyntaxTable table;
    std::vector<uint8_t> colours(3, 9);
    EXPECT_EQ(ColourLine(table, 1, "a/*", 3, colours.data(), 0), 0);
    EXPECT_EQ(colours, (std::vector<uint8_t>{0, 0, 0}));
    EXPECT_EQ(LineEndState(table, 0, "/*", 0), 0);
    EXPECT_EQ(LineEndState(table, 1, "/*", 1), 0);
    // A language without a multi-line comment never carries a state.
    const TSyntaxLanguage b = TestBasic();
    EXPECT_EQ(LineEndState(&b, "/*", 1), 0);
}

// ---- The states the engine keeps. ---------------------------------------------------------------------

class TColouredEditor : public TRecordingEditor {
public:
    TColouredEditor() { table.Add(TestC()); }
    const TSyntaxScheme* SyntaxScheme() noexcept override { return scheme.Language() ? &scheme : nullptr; }
    TSyntaxTable table;
    TLanguageScheme scheme{&table, 1};
};

// Every line's stored state against the states computed from the top; the first line that differs.
int FirstWrongState(TColouredEditor& ed)
{
    int state = 0;
    int index = 0;
    for (LineRecord* l = ed.firstLine; l; l = l->next, ++index) {
        state = LineEndState(ed.table.Language(1), l->text, state);
        if (l->state != state)
            return index;
    }
    return -1;
}

TEST(SyntaxStateTest, LoadingComputesEveryState)
{
    TColouredEditor ed;
    ASSERT_TRUE(ed.Load("a\n/* b\nc\nd */ e\nf"));
    EXPECT_EQ(FirstWrongState(ed), -1);
    EXPECT_EQ(ed.LineAt(2)->state, 1);
}

TEST(SyntaxStateTest, TypingAnOpeningRepaintsTheViewAndAPlainCharacterOnlyItsLine)
{
    TColouredEditor ed;
    ASSERT_TRUE(ed.Load("a\nb\nc"));
    ed.GotoPosition(1, 0, false);
    ed.ClearLog();
    ed.ExecuteCommand(cmInsertChar, 'x');
    EXPECT_TRUE(ed.Called("line 0"));
    EXPECT_FALSE(ed.Called("all"));
    ed.ExecuteCommand(cmInsertChar, '/');
    ed.ClearLog();
    ed.ExecuteCommand(cmInsertChar, '*');
    EXPECT_TRUE(ed.Called("all"));
    EXPECT_EQ(ed.LineAt(2)->state, 1);
    EXPECT_EQ(FirstWrongState(ed), -1);
}

TEST(SyntaxStateTest, RandomEditsKeepEveryStateAsComputedFromTheTop)
{
    static const char* const kPieces[] = {"/*", "*/", "\"", "'", "x", "//", "\\", " ", "*", "/"};
    static const unsigned kCommands[] = {cmNewLine, cmBackspace, cmDeleteChar, cmUndo, cmRedo,
                                         cmDeleteLine, cmJoinLine, cmDupLine};
    for (unsigned start = 1; start <= 4; ++start) {
        EngineOptions() = TEngineOptions{};
        TColouredEditor ed;
        ASSERT_TRUE(ed.Load("int a;\n/* one\ntwo */\n\"s /* t\"\nx // y\nz"));
        std::mt19937 random(start);
        for (int step = 0; step < 1500; ++step) {
            const int32_t line = static_cast<int32_t>(random() % static_cast<unsigned>(ed.lastLine + 1));
            const int col = static_cast<int>(random() % (std::strlen(ed.LineAt(line)->text) + 2));
            ed.GotoPosition(col, line, false);
            const unsigned pick = random() % 20;
            std::string what;
            if (pick < 12) {
                what = kPieces[random() % std::size(kPieces)];
                for (unsigned char ch : what)
                    ed.ExecuteCommand(cmInsertChar, ch);
            } else {
                const unsigned command = kCommands[random() % std::size(kCommands)];
                what = "command " + std::to_string(command);
                ed.ExecuteCommand(command, 0);
            }
            const int wrong = FirstWrongState(ed);
            ASSERT_EQ(wrong, -1) << "start value " << start << ", step " << step << " (" << what
                                 << " at line " << line << "), document:\n" << ed.Joined();
            if (ed.lastLine > 60) {
                ed.GotoPosition(0, 0, false);
                ed.ExecuteCommand(cmDeleteLine, 0);
            }
        }
    }
    EngineOptions() = TEngineOptions{};
}
}  // namespace

// ---- The definitions shipped in data/syntax.hgl. -------------------------------------------------------

namespace {
// One sample file: its name chooses the language; each line with its colours written by hand (comment 3,
// preprocessor d, string and number 6, keyword a, everything else 0).
struct TSample {
    const char* file;
    std::vector<std::pair<std::string, std::string>> lines;
};

class ShippedSyntaxTest : public ::testing::TestWithParam<TSample> {
protected:
    static void SetUpTestSuite() { LoadSyntaxTable(table, VOK_SOURCE_DIR "/data/syntax.hgl"); }
    static TSyntaxTable table;
};
TSyntaxTable ShippedSyntaxTest::table;

TEST_P(ShippedSyntaxTest, ColoursTheSample)
{
    const TSample& sample = GetParam();
    const int number = FindLanguage(table, sample.file);
    ASSERT_NE(number, 0) << sample.file;
    const TSyntaxLanguage* language = table.Language(number);
    int state = 0;
    for (const auto& [line, colours] : sample.lines) {
        EXPECT_EQ(ColourLineDigits(language, line, state), colours) << sample.file << ": " << line;
        state = LineEndState(language, line.c_str(), state);
    }
}

const TSample kSamples[] = {
    {"hello.c",
     {{"#include <stdio.h>", "dddddddd" "0" "ddddddddd"},
      {"int main(void) { /* go", "aaa" "0" "0000" "0" "aaaa" "0" "0" "0" "0" "33333"},
      {"  on */ return printf(\"%d\\n\", 0x1F);",
       "3333333" "0" "aaaaaa" "0" "000000" "0" "666666" "0" "0" "6666" "0" "0"}}},
    {"Program.CS",
     {{"using System; // x", "aaaaa" "0" "000000" "0" "0" "3333"},
      {"#region Main", "ddddddd" "0" "dddd"},
      {"var s = @\"a\";", "aaa" "0" "0" "0" "0" "0" "0" "666" "0"}}},
    {"Main.java",
     {{"@Override", "ddddddddd"},
      {"public static final int N = 10;", "aaaaaa" "0" "aaaaaa" "0" "aaaaa" "0" "aaa" "0" "0" "0" "0" "0" "66" "0"},
      {"char c = '\\'';", "aaaa" "0" "0" "0" "0" "0" "6666" "0"}}},
    {"app.js",
     {{"const s = 'it' + \"x\"; // end", "aaaaa" "0" "0" "0" "0" "0" "6666" "0" "0" "0" "666" "0" "0" "333333"},
      {"if (x === null) return -1;", "aa" "0" "0" "0" "0" "000" "0" "aaaa" "0" "0" "aaaaaa" "0" "0" "6" "0"},
      {"/* a", "3333"},
      {"b */ x", "3333" "0" "0"}}},
    {"hello.pas",
     {{"program Hello; { a", "aaaaaaa" "0" "00000" "0" "0" "333"},
      {"b } BEGIN WriteLn('Hi'); END.", "333" "0" "aaaaa" "0" "aaaaaaa" "0" "6666" "0" "0" "0" "aaa" "0"},
      {"x := $FF + 3.5; // c", "0" "0" "0" "0" "0" "666" "0" "0" "0" "666" "0" "0" "3333"}}},
    {"GAME.BAS",
     {{"10 PRINT \"Hi\"; X%", "66" "0" "aaaaa" "0" "6666" "0" "0" "0" "0"},
      {"REM comment", "33333333333"},
      {"remark = 1", "000000" "0" "0" "0" "6"},
      {"GOTO 10 ' back", "aaaa" "0" "66" "0" "333333"}}},
    {"tool.py",
     {{"@property", "ddddddddd"},
      {"def f(x): # c", "aaa" "0" "0" "0" "0" "0" "0" "0" "333"},
      {"    return 'a' + \"b\\\"\"", "0000" "aaaaaa" "0" "666" "0" "0" "0" "66666"},
      {"x = 0o17 if None else 1.5", "0" "0" "0" "0" "6666" "0" "aa" "0" "aaaa" "0" "aaaa" "0" "666"}}},
    {"schema.sql",
     {{"SELECT name FROM t WHERE id = 5; -- c",
       "aaaaaa" "0" "0000" "0" "aaaa" "0" "0" "0" "aaaaa" "0" "00" "0" "0" "0" "6" "0" "0" "3333"},
      {"insert into t values ('it''s');", "aaaaaa" "0" "aaaa" "0" "0" "0" "aaaaaa" "0" "0" "6666666" "0" "0"},
      {"/* x", "3333"},
      {"*/ drop", "33" "0" "aaaa"}}},
    {"index.html",
     {{"<!DOCTYPE html>", "333333333333333"},
      {"<p class=\"x\">Hi &amp; bye</p>", "aaaaaaaaaaaaa" "00" "0" "0" "000" "0" "0" "000" "aaaa"},
      {"<!-- note", "333333333"},
      {"end --> <b>", "3333333" "0" "aaa"}}},
    {"boot.asm",
     {{"start:  mov eax, 10h ; load", "00000" "0" "00" "aaa" "0" "aaa" "0" "0" "666" "0" "333333"},
      {"%define N 4", "ddddddd" "0" "d" "0" "d"},
      {"msg db 'Hi',0", "000" "0" "aa" "0" "6666" "0" "6"}}},
    {"solve.f",
     {{"C     comment", "3333333333333"},
      {"      PROGRAM MAIN", "000000" "aaaaaaa" "0" "0000"},
      {"   10 CONTINUE", "000" "66" "0" "aaaaaaaa"},
      {"      X = 'ab' ! c", "000000" "0" "0" "0" "0" "6666" "0" "333"},
      {"*     star", "3333333333"}}},
    {"paper.tex",
     {{"\\section{Intro} % c", "aaaaaaaa" "0" "00000" "0" "0" "333"},
      {"$x^2$ \\\\ next", "0" "0" "0" "6" "0" "0" "aa" "0" "0000"}}},
    {"build.bat",
     {{"@echo off", "0" "aaaa" "0" "aaa"},
      {"rem a note", "3333333333"},
      {":: label note", "3333333333333"},
      {"if exist \"%1\" goto end", "aa" "0" "aaaaa" "0" "6666" "0" "aaaa" "0" "000"}}},
    {"ozm.ini",
     {{"[Section]", "aaaaaaaaa"},
      {"; comment", "333333333"},
      {"Key=Value 12", "000" "0" "00000" "0" "66"},
      {"  [Other]", "00" "aaaaaaa"}}},
};

INSTANTIATE_TEST_SUITE_P(Languages, ShippedSyntaxTest, ::testing::ValuesIn(kSamples),
                         [](const ::testing::TestParamInfo<TSample>& info) {
                             std::string name;
                             for (const char* p = info.param.file; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(ShippedSyntax, FourteenLanguagesThatTheDialogCanHold)
{
    TSyntaxTable table;
    LoadSyntaxTable(table, VOK_SOURCE_DIR "/data/syntax.hgl");
    EXPECT_EQ(table.Count(), kSyntaxSlots);
    for (int number = 1; number <= kSyntaxSlots; ++number) {
        const TSyntaxLanguage& l = *table.Language(number);
        // Taken through the Define Language dialog and back, the keywords must fit its tables unchanged.
        std::array<std::string, kMaxKeywordLength + 1> tables;
        EXPECT_EQ(BuildKeywordTables(KeywordList(l), tables), 0) << l.name;
        EXPECT_EQ(tables, l.keywords) << l.name;
        // Each extension chooses its own language, not an earlier one.
        std::string list = l.extensions + " ";
        for (std::size_t at = 0, end; (end = list.find(' ', at)) != std::string::npos; at = end + 1) {
            if (end > at) {
                EXPECT_EQ(FindLanguage(table, ("x." + list.substr(at, end - at)).c_str()), number) << l.name;
            }
        }
    }
}
}  // namespace
