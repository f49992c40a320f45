// Key codes, key names and the displayed texts of combinations and sequences.
#include "keys/KeyCodes.h"

#include <gtest/gtest.h>

#include <set>

struct TKeyNameRow {
    const char* name;
    uint16_t code;
};

class KeyNameTable : public ::testing::TestWithParam<TKeyNameRow> {};

TEST_P(KeyNameTable, NameAndCodeAgree)
{
    const TKeyNameRow& row = GetParam();
    ASSERT_NE(KeyName(row.code), nullptr);
    EXPECT_STREQ(KeyName(row.code), row.name);
    EXPECT_EQ(KeyCodeFromName(row.name), row.code);
    // Names are matched without regard to case, and modifiers do not change the name.
    std::string lower = row.name;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(KeyCodeFromName(lower.c_str()), row.code);
    EXPECT_STREQ(KeyName(row.code | kKeyModifiers), row.name);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyNameTable,
    ::testing::Values(TKeyNameRow{"A", 0x141}, TKeyNameRow{"Z", 0x15A}, TKeyNameRow{"0", 0x130},
                      TKeyNameRow{"9", 0x139}, TKeyNameRow{"F1", 0x170}, TKeyNameRow{"F12", 0x17B},
                      TKeyNameRow{"Ins", 0x12D}, TKeyNameRow{"Del", 0x12E}, TKeyNameRow{"Home", 0x124},
                      TKeyNameRow{"End", 0x123}, TKeyNameRow{"PageUp", 0x121}, TKeyNameRow{"PageDown", 0x122},
                      TKeyNameRow{"Up", 0x126}, TKeyNameRow{"Down", 0x128}, TKeyNameRow{"Left", 0x125},
                      TKeyNameRow{"Right", 0x127}, TKeyNameRow{"Tab", 0x109}, TKeyNameRow{"Esc", 0x11B},
                      TKeyNameRow{"Enter", 0x10D}, TKeyNameRow{"Backspace", 0x108},
                      TKeyNameRow{"NumPad0", 0x160}, TKeyNameRow{"NumPad9", 0x169},
                      TKeyNameRow{"NumPadDiv", 0x16F}, TKeyNameRow{"NumPadMul", 0x16A},
                      TKeyNameRow{"NumPadSub", 0x16D}, TKeyNameRow{"NumPadAdd", 0x16B},
                      TKeyNameRow{"NumPadDec", 0x16E}));

TEST(KeyNames, ListedInDialogOrder)
{
    ASSERT_EQ(KeyNameCount(), 26 + 10 + 12 + 14 + 10 + 5);
    EXPECT_STREQ(KeyNameAt(0), "A");
    EXPECT_STREQ(KeyNameAt(26), "0");
    EXPECT_STREQ(KeyNameAt(36), "F1");
    EXPECT_STREQ(KeyNameAt(48), "Ins");
    EXPECT_STREQ(KeyNameAt(61), "Backspace");
    EXPECT_STREQ(KeyNameAt(62), "NumPad0");
    EXPECT_STREQ(KeyNameAt(KeyNameCount() - 1), "NumPadDec");
    EXPECT_EQ(KeyNameAt(KeyNameCount()), nullptr);
    std::set<uint16_t> codes;
    for (int i = 0; i < KeyNameCount(); ++i)
        codes.insert(KeyCodeAt(i));
    EXPECT_EQ(static_cast<int>(codes.size()), KeyNameCount());
    EXPECT_NE(KeyCodeFromName("NumPad9"), KeyCodeFromName("NumPad0"));
}

TEST(KeyNames, UnknownNamesHaveNoCode)
{
    EXPECT_EQ(KeyCodeFromName("F13"), 0);
    EXPECT_EQ(KeyCodeFromName(""), 0);
    EXPECT_EQ(KeyCodeFromName(nullptr), 0);
    EXPECT_EQ(KeyName('['), nullptr);
}

struct TKeyTextRow {
    uint16_t code;
    const char* text;
};

class KeyTextTable : public ::testing::TestWithParam<TKeyTextRow> {};

TEST_P(KeyTextTable, TextAndCodeRoundTrip)
{
    EXPECT_EQ(KeyText(GetParam().code), GetParam().text);
    EXPECT_EQ(KeyCodeFromText(GetParam().text), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Combinations, KeyTextTable,
                         ::testing::Values(TKeyTextRow{0x141, "A"}, TKeyTextRow{0x541, "Ctrl+A"},
                                           TKeyTextRow{0xF70, "Alt+Ctrl+Shift+F1"},
                                           TKeyTextRow{0xB08, "Alt+Shift+Backspace"},
                                           TKeyTextRow{0x772, "Ctrl+Shift+F3"}, TKeyTextRow{0x5B, "["},
                                           TKeyTextRow{0x2B, "+"}, TKeyTextRow{0x96B, "Alt+NumPadAdd"}));

TEST(KeyTexts, SequenceIsPrefixBlankKey)
{
    EXPECT_EQ(SequenceText(0x54B, 0x142), "Ctrl+K B");
    EXPECT_EQ(SequenceText(0x551, '['), "Ctrl+Q [");
    EXPECT_EQ(SequenceText(0x551, 0x12E), "Ctrl+Q Del");
}

TEST(KeyTexts, TextsAreReadWithoutRegardToCase)
{
    EXPECT_EQ(KeyCodeFromText("ctrl+shift+f3"), 0x772);
    EXPECT_EQ(KeyCodeFromText("SHIFT+ALT+tab"), 0xB09);
    EXPECT_EQ(KeyCodeFromText("Ctrl+Nothing"), 0);
    EXPECT_EQ(KeyCodeFromText(""), 0);
}

TEST(KeyTexts, NamelessKeyStillHasAVisibleText)
{
    EXPECT_EQ(KeyText(0x5DB), "Ctrl+VKDB");
}

TEST(VirtualKeys, OnlyTheMappableKeysProduceACode)
{
    std::set<unsigned> expected = {0x08, 0x09, 0x0D, 0x1B, 0x2D, 0x2E};
    for (unsigned vk = 0x21; vk <= 0x28; ++vk)
        expected.insert(vk);
    for (unsigned vk = 0x30; vk <= 0x39; ++vk)
        expected.insert(vk);
    for (unsigned vk = 0x41; vk <= 0x5A; ++vk)
        expected.insert(vk);
    for (unsigned vk = 0x60; vk <= 0x7B; ++vk)
        if (vk != 0x6C)
            expected.insert(vk);
    for (unsigned vk = 0; vk < 256; ++vk) {
        uint16_t code = KeyCodeFromVirtualKey(vk, false, false, false);
        if (expected.count(vk))
            EXPECT_EQ(code, 0x100 + vk) << "vk " << vk;
        else
            EXPECT_EQ(code, 0) << "vk " << vk;
    }
}

TEST(VirtualKeys, ModifiersSetTheirBits)
{
    EXPECT_EQ(KeyCodeFromVirtualKey(0x41, false, true, false), 0x541);
    EXPECT_EQ(KeyCodeFromVirtualKey(0x70, true, true, true), 0xF70);
    EXPECT_EQ(KeyCodeFromVirtualKey(0x69, true, false, false), 0x369);
    EXPECT_EQ(KeyCodeFromVirtualKey(0x10, true, false, false), 0);
}
