// The macro text form: compile errors with their lines, escapes, generation and round trips.
#include "macros/MacroText.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/Alloc.h"
#include "engine/Commands.h"

namespace {

// Compiles text and returns the steps as (command, argument) pairs; fails the test on an error.
std::vector<std::pair<unsigned, unsigned>> Steps(const std::string& text,
                                                 const TMacroVocabulary& vocabulary = CommandVocabulary())
{
    TStepArray steps;
    int line = -1;
    int code = CompileMacroText(text, steps, &line, vocabulary);
    EXPECT_EQ(code, kCompileOk) << CompileErrorMessage(code, line);
    std::vector<std::pair<unsigned, unsigned>> out;
    for (int i = 0; i < steps.Count(); ++i)
        out.emplace_back(steps.At(i).command, steps.At(i).argument);
    return out;
}

std::vector<std::pair<unsigned, unsigned>> Chars(const std::vector<unsigned>& codes)
{
    std::vector<std::pair<unsigned, unsigned>> out;
    for (unsigned c : codes)
        out.emplace_back(cmInsertChar, c);
    return out;
}

// A vocabulary with the argument kinds the command table does not use.
class TTestVocabulary : public TMacroVocabulary {
public:
    unsigned CommandNumber(const char* name) const override
    {
        if (!std::strcmp(name, "Repeat"))
            return 500;
        if (!std::strcmp(name, "Weird"))
            return 501;
        if (!std::strcmp(name, "Quote"))
            return 502;
        return TMacroVocabulary::CommandNumber(name);
    }
    const char* CommandName(unsigned number) const override
    {
        switch (number) {
        case 500: return "Repeat";
        case 501: return "Weird";
        case 502: return "Quote";
        default: return TMacroVocabulary::CommandName(number);
        }
    }
    int ArgumentKind(unsigned number) const override
    {
        switch (number) {
        case 500: return kArgKindNumber;
        case 501: return 0;
        case 502: return kArgKindCharacter;
        default: return TMacroVocabulary::ArgumentKind(number);
        }
    }
};

class MacroTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(table_.Create(0), nullptr);
        table_.SetMacroName(1000, "MyMacro");
        table_.SetChanged(false);
    }
    void TearDown() override { SetAllocFailAt(0); }
    void SetSteps(const std::vector<std::pair<unsigned, unsigned>>& steps)
    {
        TStepArray array;
        for (auto [c, a] : steps)
            ASSERT_EQ(array.Append({static_cast<uint16_t>(c), static_cast<uint16_t>(a)}),
                      TStepArray::TAppend::Ok);
        table_.ReplaceSteps(1000, array);
        table_.SetChanged(false);
    }
    std::vector<std::pair<unsigned, unsigned>> CurrentSteps() const
    {
        std::vector<std::pair<unsigned, unsigned>> out;
        const MacroRecord* r = table_.Find(1000);
        for (int i = 0; i < r->stepCount; ++i)
            out.emplace_back(r->steps[i].command, r->steps[i].argument);
        return out;
    }

    TMacroTable table_;
};

}  // namespace

struct TCompileErrorRow {
    const char* text;
    int code;
    int line;
};

class CompileError : public ::testing::TestWithParam<TCompileErrorRow> {};

TEST_P(CompileError, ReportsCodeAndLine)
{
    TStepArray steps;
    int line = 0;
    TTestVocabulary vocabulary;
    EXPECT_EQ(CompileMacroText(GetParam().text, steps, &line, vocabulary), GetParam().code) << GetParam().text;
    EXPECT_EQ(line, GetParam().line) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CompileError,
    ::testing::Values(TCompileErrorRow{"CursorDown 3", kCompileEndOfLineExpected, 1},
                      TCompileErrorRow{"InsertText", kCompileMissingParameter, 1},
                      TCompileErrorRow{"InsertText   ", kCompileMissingParameter, 1},
                      TCompileErrorRow{"InsertText abc", kCompileQuoteExpected, 1},
                      TCompileErrorRow{"InsertText \"abc", kCompileQuoteExpected, 1},
                      TCompileErrorRow{"InsertText \"abc\r\nNewLine\"", kCompileQuoteExpected, 1},
                      TCompileErrorRow{"InsertText \"\"", kCompileMissingParameter, 1},
                      TCompileErrorRow{"InsertText \"\\x4\"", kCompileInvalidEscape, 1},
                      TCompileErrorRow{"InsertText \"\\q\"", kCompileInvalidEscape, 1},
                      TCompileErrorRow{"InsertText \"\\400\"", kCompileInvalidEscape, 1},
                      TCompileErrorRow{"InsertText \"ab\\", kCompileInvalidEscape, 1},
                      TCompileErrorRow{"NoSuchCommand", kCompileUnknownCommand, 1},
                      TCompileErrorRow{"MyMacro", kCompileUnknownCommand, 1},
                      TCompileErrorRow{"// note\r\n; note\r\n\r\n' note\r\n   \r\nBogus",
                                       kCompileUnknownCommand, 6},
                      TCompileErrorRow{"NewLine\nNewLine\rTab\r\n\n\rBogus x", kCompileUnknownCommand, 6},
                      TCompileErrorRow{"InsertText \"a\\\r\nb\"\r\nBogus", kCompileUnknownCommand, 3},
                      TCompileErrorRow{"Weird", kCompileUnknownParameter, 1},
                      TCompileErrorRow{"NewLine\r\nRepeat", kCompileMissingParameter, 2},
                      TCompileErrorRow{"Quote x", kCompileQuoteExpected, 1}));

TEST(CompileErrorText, MessagesCarryTheLine)
{
    EXPECT_EQ(CompileErrorMessage(1, 3), "Compile Error\n\nLine 3: Not enought memory.");
    EXPECT_EQ(CompileErrorMessage(2, 4001), "Compile Error\n\nLine 4001: Macro is too large.");
    EXPECT_EQ(CompileErrorMessage(3, 1), "Compile Error\n\nLine 1: Unknown command.");
    EXPECT_EQ(CompileErrorMessage(4, 1), "Compile Error\n\nLine 1: Missing parameter.");
    EXPECT_EQ(CompileErrorMessage(5, 2), "Compile Error\n\nLine 2: End of line expected.");
    EXPECT_EQ(CompileErrorMessage(6, 1), "Compile Error\n\nLine 1: Invalid escape.");
    EXPECT_EQ(CompileErrorMessage(7, 1), "Compile Error\n\nLine 1: \" expected.");
    EXPECT_EQ(CompileErrorMessage(8, 9), "Compile Error\n\nLine 9: ASSERT(Unknown parameter).");
}

struct TEscapeRow {
    const char* quoted;
    std::vector<unsigned> codes;
};

class Escapes : public ::testing::TestWithParam<TEscapeRow> {};

TEST_P(Escapes, GiveTheirCharacters)
{
    EXPECT_EQ(Steps(std::string("InsertText \"") + GetParam().quoted + "\""), Chars(GetParam().codes))
        << GetParam().quoted;
}

INSTANTIATE_TEST_SUITE_P(
    Strings, Escapes,
    ::testing::Values(TEscapeRow{"a\\tb", {97, 9, 98}}, TEscapeRow{"\\101", {65}},
                      TEscapeRow{"\\x4A\\x4a", {74, 74}},
                      TEscapeRow{"\\a\\b\\t\\n\\v\\f\\r", {7, 8, 9, 10, 11, 12, 13}},
                      TEscapeRow{"\\\"\\'\\?\\\\", {34, 39, 63, 92}}, TEscapeRow{"\\0", {0}},
                      TEscapeRow{"\\12x", {10, 'x'}}, TEscapeRow{"\\1234", {83, '4'}},
                      TEscapeRow{"\\377", {255}},
                      TEscapeRow{"a\\\nb", {97, 10, 98}}, TEscapeRow{"a\\\r\nb", {97, 10, 98}},
                      TEscapeRow{"\xe8\xe6", {0xE8, 0xE6}}, TEscapeRow{"'", {39}}));

TEST(Compile, AcceptsAnyCaseBlanksAndIgnoresTextAfterTheString)
{
    EXPECT_EQ(Steps("  \tnewline  \r\n\tinsertTEXT\t \"ab\" trailing words\r\nDELETELINE"),
              (std::vector<std::pair<unsigned, unsigned>>{
                  {cmNewLine, 0}, {2, 'a'}, {2, 'b'}, {cmDeleteLine, 0}}));
}

TEST(Compile, InsertCharByNameTakesAStringToo)
{
    EXPECT_EQ(Steps("InsertChar \"xy\""), Chars({'x', 'y'}));
}

TEST(Compile, NumberAndCharacterKinds)
{
    TTestVocabulary v;
    using P = std::vector<std::pair<unsigned, unsigned>>;
    EXPECT_EQ(Steps("Repeat 12", v), (P{{500, 12}}));
    EXPECT_EQ(Steps("Repeat abc", v), (P{{500, 0}}));
    EXPECT_EQ(Steps("Repeat 99999", v), (P{{500, 65535}}));
    EXPECT_EQ(Steps("Quote \"ab\"", v), (P{{502, 'a'}, {502, 'b'}}));
}

TEST(Compile, LongLineIsCompiledWhole)
{
    std::string chars(500, 'z');
    chars[499] = 'E';
    auto steps = Steps("InsertText \"" + chars + "\"\r\nNewLine");
    ASSERT_EQ(steps.size(), 501u);
    EXPECT_EQ(steps[499].second, static_cast<unsigned>('E'));
    EXPECT_EQ(steps[500].first, static_cast<unsigned>(cmNewLine));
}

TEST(Compile, The4001stStepIsTooLarge)
{
    std::string text;
    for (int i = 0; i < 4000; ++i)
        text += "NewLine\r\n";
    EXPECT_EQ(Steps(text).size(), 4000u);
    TStepArray steps;
    int line = 0;
    EXPECT_EQ(CompileMacroText(text + "; still fine\r\nTab", steps, &line), kCompileTooLarge);
    EXPECT_EQ(line, 4002);
    EXPECT_EQ(CompileMacroText("InsertText \"" + std::string(4001, 'a') + "\"", steps, &line), kCompileTooLarge);
    EXPECT_EQ(line, 1);
}

TEST_F(MacroTextTest, ErrorKeepsTheOldStepsAndTheFlag)
{
    SetSteps({{cmNewLine, 0}});
    int line = 0;
    EXPECT_EQ(CompileMacro(table_, 1000, "Tab\r\nBogus", &line), kCompileUnknownCommand);
    EXPECT_EQ(line, 2);
    EXPECT_EQ(CurrentSteps(), (std::vector<std::pair<unsigned, unsigned>>{{cmNewLine, 0}}));
    EXPECT_FALSE(table_.Changed());
}

TEST_F(MacroTextTest, SuccessReplacesTheStepsAndSetsTheFlag)
{
    SetSteps({{cmNewLine, 0}});
    int line = -1;
    EXPECT_EQ(CompileMacro(table_, 1000, "Tab\r\nInsertText \"q\"", &line), kCompileOk);
    EXPECT_EQ(CurrentSteps(), (std::vector<std::pair<unsigned, unsigned>>{{cmTab, 0}, {2, 'q'}}));
    EXPECT_TRUE(table_.Changed());
    EXPECT_EQ(CompileMacro(table_, 1001, "Tab", &line), kCompileNoSuchMacro);
}

TEST_F(MacroTextTest, OutOfMemoryIsErrorOne)
{
    SetSteps({{cmNewLine, 0}});
    int line = 0;
    SetAllocFailAt(2);
    EXPECT_EQ(CompileMacro(table_, 1000, "Tab\r\n\r\nTab", &line), kCompileOutOfMemory);
    SetAllocFailAt(0);
    EXPECT_EQ(line, 3);
    EXPECT_EQ(CurrentSteps(), (std::vector<std::pair<unsigned, unsigned>>{{cmNewLine, 0}}));
}

TEST_F(MacroTextTest, TypedRunBecomesOneInsertTextLine)
{
    SetSteps({{2, 'a'}, {2, 9}, {2, 'b'}});
    EXPECT_EQ(MacroToText(table_, 1000), "InsertText \"a\\tb\"\r\n");
    SetSteps({{2, 'a'}, {2, 'b'}, {2, 'c'}, {cmNewLine, 0}});
    EXPECT_EQ(MacroToText(table_, 1000), "InsertText \"abc\"\r\nNewLine\r\n");
    SetSteps({{2, 1}, {2, 0x1F}, {2, '"'}, {2, '\\'}, {2, 0xE8}, {cmTab, 0}, {2, 'x'}});
    EXPECT_EQ(MacroToText(table_, 1000), "InsertText \"\\x01\\x1f\\\"\\\\\xe8\"\r\nTab\r\nInsertText \"x\"\r\n");
}

TEST_F(MacroTextTest, LongRunIsSplitIntoShortLinesThatCompileBack)
{
    std::vector<std::pair<unsigned, unsigned>> steps;
    for (int i = 0; i < 200; ++i)
        steps.emplace_back(cmInsertChar, i % 7 == 0 ? '\t' : 'a' + i % 26);
    SetSteps(steps);
    std::optional<std::string> text = MacroToText(table_, 1000);
    ASSERT_TRUE(text);
    std::size_t lines = 0, start = 0, end;
    while ((end = text->find("\r\n", start)) != std::string::npos) {
        std::string line = text->substr(start, end - start);
        ASSERT_EQ(line.rfind("InsertText \"", 0), 0u) << line;
        EXPECT_LT(line.size() - std::strlen("InsertText \"\""), kMaxInsertTextRun) << line;
        ++lines;
        start = end + 2;
    }
    EXPECT_GE(lines, 3u);
    EXPECT_EQ(Steps(*text), steps);
}

TEST_F(MacroTextTest, EveryCharacterRoundTrips)
{
    std::vector<std::pair<unsigned, unsigned>> steps;
    for (unsigned c = 0; c < 256; ++c)
        steps.emplace_back(cmInsertChar, c);
    steps.emplace_back(cmNewLine, 0);
    SetSteps(steps);
    std::optional<std::string> text = MacroToText(table_, 1000);
    ASSERT_TRUE(text);
    EXPECT_EQ(Steps(*text), steps);
}

TEST_F(MacroTextTest, OtherKindsAreWrittenWithTheirArguments)
{
    TTestVocabulary v;
    SetSteps({{500, 12}, {502, '"'}, {cmTab, 0}});
    EXPECT_EQ(MacroToText(table_, 1000, v), "Repeat 12\r\nQuote \"\\\"\"\r\nTab\r\n");
    TStepArray round;
    int line = 0;
    ASSERT_EQ(CompileMacroText(*MacroToText(table_, 1000, v), round, &line, v), kCompileOk);
    EXPECT_EQ(round.Count(), 3);
    SetSteps({{501, 0}});
    EXPECT_FALSE(MacroToText(table_, 1000, v));
}

TEST_F(MacroTextTest, NothingForUnknownStepsMissingMacrosOrTooLargeText)
{
    SetSteps({{cmTab, 0}, {25, 0}});
    EXPECT_FALSE(MacroToText(table_, 1000));
    EXPECT_FALSE(MacroToText(table_, 1001));
    // "NewLine\r\n" is 9 bytes: 3555 lines and the terminator stay below 32000, 3556 do not.
    SetSteps(std::vector<std::pair<unsigned, unsigned>>(3555, {cmNewLine, 0}));
    EXPECT_TRUE(MacroToText(table_, 1000));
    SetSteps(std::vector<std::pair<unsigned, unsigned>>(3556, {cmNewLine, 0}));
    EXPECT_FALSE(MacroToText(table_, 1000));
}

TEST_F(MacroTextTest, EmptyMacroIsEmptyText)
{
    EXPECT_EQ(MacroToText(table_, 1000), "");
    int line = 0;
    EXPECT_EQ(CompileMacro(table_, 1000, "; nothing\r\n", &line), kCompileOk);
    EXPECT_EQ(table_.Find(1000)->stepCount, 0);
}

// A recorded command without a name (a keymap file of another version) is told apart from a text that is
// too long, so the Edit Macro dialog can say which it is.
TEST_F(MacroTextTest, UnnamedCommandIsFoundAndIsNoSizeProblem)
{
    SetSteps({{cmInsertChar, 'a'}, {cmTab, 0}, {25, 0}, {26, 0}});
    EXPECT_FALSE(MacroToText(table_, 1000));
    EXPECT_EQ(UnnamedMacroCommand(table_, 1000), 25u);
    EXPECT_NE(UnnamedCommandMessage(25).find("command 25,"), std::string::npos);
    EXPECT_EQ(UnnamedCommandMessage(25).find("too large"), std::string::npos);
    // A long macro of named commands has no unnamed step: it is refused for its size alone.
    SetSteps(std::vector<std::pair<unsigned, unsigned>>(3556, {cmNewLine, 0}));
    EXPECT_EQ(UnnamedMacroCommand(table_, 1000), 0u);
    EXPECT_EQ(UnnamedMacroCommand(table_, 1001), 0u);
    SetSteps({{cmInsertChar, 0}, {cmInsertChar, 255}});
    EXPECT_EQ(UnnamedMacroCommand(table_, 1000), 0u);
}
