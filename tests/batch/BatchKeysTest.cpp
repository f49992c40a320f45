// Key presses by their texts: what each names, and how the window's two lookups run them.
#include "batch/BatchKeys.h"

#include <gtest/gtest.h>

#include "batch/BatchEditor.h"
#include "engine/Commands.h"
#include "engine/Options.h"
#include "keys/KeyCodes.h"
#include "keys/KeyMap.h"

namespace {

struct TPressCase {
    const char* text;
    uint16_t code;
    unsigned ch;
};

class KeyPressTest : public ::testing::TestWithParam<TPressCase> {};

TEST_P(KeyPressTest, NamesItsKeyAndCharacter)
{
    TKeyPress press;
    ASSERT_TRUE(ParseKeyPress(GetParam().text, &press));
    EXPECT_EQ(press.code, GetParam().code);
    EXPECT_EQ(press.ch, GetParam().ch);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyPressTest,
    ::testing::Values(TPressCase{"Ctrl+K", WithModifiers(VirtualKey('K'), false, true, false), 0},
                      TPressCase{"B", VirtualKey('B'), 'B'},
                      TPressCase{"b", VirtualKey('B'), 'b'},
                      TPressCase{"Shift+b", WithModifiers(VirtualKey('B'), false, false, true), 'B'},
                      TPressCase{"7", VirtualKey('7'), '7'},
                      TPressCase{"Shift+End", WithModifiers(VirtualKey(kVkEnd), false, false, true), 0},
                      TPressCase{"Enter", VirtualKey(kVkEnter), 0},
                      TPressCase{"Space", 0, ' '}, TPressCase{"[", 0, '['}, TPressCase{"+", 0, '+'},
                      TPressCase{"Alt+X", WithModifiers(VirtualKey('X'), true, false, false), 0}));

TEST(KeyPressNamesTest, UnknownTextsAreRefused)
{
    TKeyPress press;
    for (const char* text : {"", "Ctrl+", "Foo", "Ctrl+Bogus", "PgDnn"})
        EXPECT_FALSE(ParseKeyPress(text, &press)) << text;
}

class RunKeyPressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EngineOptions() = TEngineOptions{};
        map.SetDefaults();
    }
    void TearDown() override { EngineOptions() = TEngineOptions{}; }

    void Press(const char* text)
    {
        TKeyPress press;
        ASSERT_TRUE(ParseKeyPress(text, &press)) << text;
        RunKeyPress(ed, map, press, prefix);
    }

    TKeyMap map;
    uint16_t prefix = 0;
    TBatchClipboard clipboard;
    TBatchAnswers answers;
    TBatchEditor ed{clipboard, answers};
};

TEST_F(RunKeyPressTest, TypedKeysInsertTheirCharacters)
{
    for (const char* key : {"H", "i", "Space", "!", "Enter", "2"})
        Press(key);
    EXPECT_STREQ(ed.LineAt(0)->text, "Hi !");
    EXPECT_STREQ(ed.LineAt(1)->text, "2");
}

TEST_F(RunKeyPressTest, APrefixWaitsForItsSecondKeyWhichTypesNothing)
{
    ed.InsertText("abc\r\ndef");
    ed.GotoPosition(0, 0, false);
    Press("Ctrl+K");
    EXPECT_NE(prefix, 0);
    Press("B");  // Ctrl+K B marks the block start
    EXPECT_EQ(prefix, 0);
    Press("Down");
    Press("Ctrl+K");
    Press("K");  // copy
    EXPECT_EQ(clipboard.text, "abc\r\n");
    EXPECT_STREQ(ed.LineAt(0)->text, "abc");
}

TEST_F(RunKeyPressTest, ASecondKeyWithoutBindingIsTypedAsTheWindowDoes)
{
    Press("Ctrl+K");
    Press("Shift+End");  // not bound after Ctrl+K: the prefix is dropped, nothing typed
    EXPECT_EQ(prefix, 0);
    Press("Ctrl+K");
    Press("Z");
    EXPECT_STREQ(ed.LineAt(0)->text, "Z");
}

TEST(KeyBindingLinesTest, ListsMainKeysAndPrefixSequences)
{
    TKeyMap map;
    map.SetDefaults();
    std::vector<std::string> lines = KeyBindingLines(map);
    auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("Enter\tNewLine"));
    EXPECT_TRUE(has("Ctrl+K B\tStartSelect"));
    EXPECT_TRUE(has("Ctrl+K K\tCopy"));
    for (const std::string& line : lines)
        EXPECT_NE(line.find('\t'), std::string::npos);
    EXPECT_EQ(CommandOrMacroName(1049), "#1049");  // a macro number without a macro
}

}  // namespace
