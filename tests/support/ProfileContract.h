// The behaviour every profile file must share, run against the portable file and the system's functions.
// Include it in exactly one source file of a test program and define MakeContractProfile there.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/Profile.h"
#include "support/TempDir.h"

// The profile implementation under test, opened on the file at path.
std::unique_ptr<TProfile> MakeContractProfile(const std::string& path);

class ProfileContract : public ::testing::Test {
protected:
    TTempDir dir;
    std::string path = dir.File("contract.ini");
    std::unique_ptr<TProfile> ini = MakeContractProfile(path);

    void Raw(const std::string& text) { TTempDir::Write(path, text); }

    std::string Get(const char* section, const char* key, const char* def = "?", int size = 256)
    {
        std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '\0');
        int n = ini->GetString(section, key, def, buffer.data(), size);
        EXPECT_EQ(n, static_cast<int>(std::strlen(buffer.data())));
        return buffer.data();
    }

    // Splits a name list; the answer's length is checked against what the buffer holds.
    static std::vector<std::string> Split(const std::vector<char>& buffer, int answered)
    {
        std::vector<std::string> names;
        for (std::size_t at = 0; at < static_cast<std::size_t>(answered) && buffer[at] != '\0';) {
            names.emplace_back(buffer.data() + at);
            at += names.back().size() + 1;
        }
        return names;
    }
    std::vector<std::string> Sections(int size = 512, int* answered = nullptr)
    {
        std::vector<char> buffer(static_cast<std::size_t>(size) + 2, '\0');
        int n = ini->GetSectionNames(buffer.data(), size);
        if (answered != nullptr) *answered = n;
        return Split(buffer, n);
    }
    std::vector<std::string> Keys(const char* section, int size = 512, int* answered = nullptr)
    {
        std::vector<char> buffer(static_cast<std::size_t>(size) + 2, '\0');
        int n = ini->GetKeyNames(section, buffer.data(), size);
        if (answered != nullptr) *answered = n;
        return Split(buffer, n);
    }
    using Names = std::vector<std::string>;
};

TEST_F(ProfileContract, MissingFileReadsDefaults)
{
    EXPECT_EQ(Get("Settings", "FontName", "Courier"), "Courier");
    EXPECT_EQ(Get("Settings", "FontName", "padded   "), "padded");
    EXPECT_EQ(Get("Settings", "FontName", nullptr), "");
    EXPECT_EQ(ini->GetInt("Editor", "TabSize", 8), 8);
    EXPECT_EQ(Sections(), Names{});
    EXPECT_EQ(Keys("Editor"), Names{});
}

TEST_F(ProfileContract, NamesIgnoreLetterCaseAndBlanks)
{
    Raw("[Editor]\r\n  TabSize =  4 \r\n[ Tip ]\r\nStartUp=1\r\n");
    EXPECT_EQ(Get("EDITOR", "tabsize"), "4");
    EXPECT_EQ(ini->GetInt("editor", "TABSIZE", 8), 4);
    EXPECT_EQ(Get("tip", "STARTUP"), "1");
    EXPECT_EQ(Get("Editor", "StartUp"), "?");
}

TEST_F(ProfileContract, ValuesLoseBlanksAndOnePairOfQuotes)
{
    Raw("[S]\r\na=  x y  \r\nb=\"quoted\"\r\nc='single'\r\nd=\"open\r\ne=\"\"\r\nf=\r\ng=\"\"inner\"\"\r\n");
    EXPECT_EQ(Get("S", "a"), "x y");
    EXPECT_EQ(Get("S", "b"), "quoted");
    EXPECT_EQ(Get("S", "c"), "single");
    EXPECT_EQ(Get("S", "d"), "\"open");
    EXPECT_EQ(Get("S", "e"), "");
    EXPECT_EQ(Get("S", "f"), "") << "a present empty value is not the default";
    EXPECT_EQ(Get("S", "g"), "\"inner\"");
}

TEST_F(ProfileContract, NulEndsNamesAndValues)
{
    Raw(std::string("[S]\r\nk=a\0b\r\nn\0m=1\r\n[T\0U]\r\nx=2\r\n", 31));
    EXPECT_EQ(Get("S", "k"), "a");
    EXPECT_EQ(Get("S", "n"), "1");
    EXPECT_EQ(Keys("S"), (Names{"k", "n"}));
    EXPECT_EQ(Sections(), (Names{"S", "T"}));
    EXPECT_EQ(Get("T", "x"), "2");
}

TEST_F(ProfileContract, SectionHeaderNeedsItsClosingBracket)
{
    Raw("[S]\r\na=1\r\n[Broken\r\nb=2\r\n[C]\r\nc=3\r\n");
    EXPECT_EQ(Sections(), (Names{"S", "C"}));
    EXPECT_EQ(Get("S", "b"), "2");
    EXPECT_EQ(Get("C", "c"), "3");
}

TEST_F(ProfileContract, StringsAreCutToTheBuffer)
{
    Raw("[S]\r\nk=abcdefgh\r\n");
    EXPECT_EQ(Get("S", "k", "", 5), "abcd");
    EXPECT_EQ(Get("S", "k", "", 9), "abcdefgh");
    EXPECT_EQ(Get("S", "missing", "defaulted", 4), "def");
}

TEST_F(ProfileContract, NumbersParseLikeTheSystem)
{
    Raw("[N]\r\nneg=-5\r\nplus=+7\r\nlead=  12abc\r\ntext=abc\r\nempty=\r\n");
    EXPECT_EQ(ini->GetInt("N", "neg", 99), -5);
    EXPECT_EQ(ini->GetInt("N", "plus", 99), 7);
    EXPECT_EQ(ini->GetInt("N", "lead", 99), 12);
    EXPECT_EQ(ini->GetInt("N", "text", 99), 0);
    EXPECT_EQ(ini->GetInt("N", "empty", 99), 99);
    EXPECT_EQ(ini->GetInt("N", "missing", -3), -3);
}

TEST_F(ProfileContract, NumbersSkipEveryLeadingControlCharacter)
{
    Raw("[N]\r\nctl=\x01\x02 7\r\nquoted=\"\x1a\x1f-7\"\r\nhigh=\xA0" "12\r\n");
    EXPECT_EQ(ini->GetInt("N", "ctl", 99), 7);
    EXPECT_EQ(ini->GetInt("N", "quoted", 99), -7);
    EXPECT_EQ(ini->GetInt("N", "high", 99), 0) << "only bytes up to the blank are skipped";
}

TEST_F(ProfileContract, WritingKeepsOtherSectionsAndKeysInPlace)
{
    Raw("; user's note\r\n[A]\r\nx=1\r\n\r\n[B]\r\none=1\r\ntwo=2\r\nthree=3\r\n\r\n[C]\r\nz=9\r\n");
    ASSERT_TRUE(ini->WriteString("b", "TWO", "22"));
    ASSERT_TRUE(ini->WriteString("B", "four", "4"));
    ASSERT_TRUE(ini->WriteString("D", "new", "n"));
    EXPECT_EQ(Sections(), (Names{"A", "B", "C", "D"}));
    EXPECT_EQ(Keys("B"), (Names{"one", "two", "three", "four"}));
    EXPECT_EQ(Get("B", "two"), "22");
    EXPECT_EQ(Get("A", "x"), "1");
    EXPECT_EQ(Get("C", "z"), "9");
    EXPECT_EQ(Get("D", "new"), "n");
    // Another reader of the same file sees the writes.
    auto other = MakeContractProfile(path);
    char buffer[16] = {};
    other->GetString("B", "four", "", buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "4");
}

TEST_F(ProfileContract, WrittenValuesReadBackUnchanged)
{
    const char* values[] = {"\"$(FilePath)\"", " -x", "trailing ", "'single'", "plain text", "\"", ""};
    for (const char* value : values) {
        ASSERT_TRUE(ini->WriteString("Tools", "Arguments1", value));
        EXPECT_EQ(Get("Tools", "Arguments1"), value);
    }
    ASSERT_TRUE(ini->WriteString("Tools", "Arguments1", "first\r\nsecond=2"));
    EXPECT_EQ(Get("Tools", "Arguments1"), "first");
    EXPECT_EQ(Keys("Tools"), Names{"Arguments1"});
}

// Ctrl-Z is trimmed by the reader like a blank, so a value that begins or ends with it must be quoted.
TEST_F(ProfileContract, ValueEndingInCtrlZReadsBack)
{
    const char* values[] = {"x\x1a", "\x1ax", "\x1a", "\x1a\x1a", " \x1a\"q\"\x1a "};
    for (const char* value : values) {
        ASSERT_TRUE(ini->WriteString("Tools", "Arguments1", value));
        EXPECT_EQ(Get("Tools", "Arguments1"), value);
    }
}

// Any value without NUL and line breaks reads back as written: blanks, Ctrl-Z and quotes at either end
// are drawn far more often than by chance so that every combination of ends is reached.
TEST_F(ProfileContract, RandomValuesReadBackUnchanged)
{
    static const char kEnds[] = {' ', '\t', '\v', '\f', '\x1a', '"', '\'', '=', ';', '['};
    std::mt19937 random(13);
    auto draw = [&random](unsigned n) { return static_cast<unsigned>(random() % n); };
    auto anyByte = [&draw]() {
        char c;
        do
            c = static_cast<char>(1 + draw(255));
        while (c == '\r' || c == '\n');
        return c;
    };
    auto end = [&]() { return draw(3) == 0 ? anyByte() : kEnds[draw(sizeof kEnds)]; };
    for (int round = 0; round < 300; ++round) {
        std::string value;
        for (unsigned i = draw(3); i > 0; --i) value += end();
        for (unsigned i = draw(8); i > 0; --i) value += anyByte();
        for (unsigned i = draw(3); i > 0; --i) value += end();
        if (draw(4) == 0 && !value.empty()) value.back() = value.front();  // an enclosing pair
        ASSERT_TRUE(ini->WriteString("Tools", "Arguments1", value.c_str()));
        ASSERT_EQ(Get("Tools", "Arguments1", "?", 64), value) << "round " << round;
        ASSERT_EQ(Keys("Tools"), Names{"Arguments1"}) << "round " << round;
    }
}

TEST_F(ProfileContract, KeysThatCannotBeReadBackAreRefused)
{
    EXPECT_FALSE(ini->WriteString("S", "a=b", "1"));
    EXPECT_FALSE(ini->WriteString("S", "", "1"));
    EXPECT_FALSE(ini->WriteString("S", ";comment", "1"));
    EXPECT_FALSE(ini->WriteString("S]x", "k", "1"));
    EXPECT_FALSE(ini->WriteString("S", nullptr, "1"));
    EXPECT_FALSE(ini->WriteString("S", "\x1a;comment", "1"));
    EXPECT_FALSE(ini->WriteString("\x1a", "k", "1"));
    EXPECT_EQ(Sections(), Names{});
}

TEST_F(ProfileContract, DeletingKeysAndSections)
{
    Raw("[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n[C]\r\nw=4\r\n");
    ASSERT_TRUE(ini->DeleteKey("a", "X"));
    EXPECT_EQ(Get("A", "x"), "?");
    EXPECT_EQ(Keys("A"), Names{"y"});
    ASSERT_TRUE(ini->DeleteSection("b"));
    EXPECT_EQ(Sections(), (Names{"A", "C"}));
    EXPECT_EQ(Get("C", "w"), "4");
    EXPECT_TRUE(ini->DeleteKey("A", "never-there"));
}

TEST_F(ProfileContract, WritingIntoAMissingDirectoryFails)
{
    auto nowhere = MakeContractProfile(dir.File("no-such-dir") + "/ozm.ini");
    EXPECT_FALSE(nowhere->WriteString("Settings", "FontName", "Lucida"));
    char buffer[16] = {};
    nowhere->GetString("Settings", "FontName", "Courier", buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "Courier");
}

TEST_F(ProfileContract, NameListsAreCutAndClosed)
{
    Raw("[Alpha]\r\nAlpha=1\r\nBeta=2\r\nGamma=3\r\n[Beta]\r\n[Gamma]\r\n");
    int answered = 0;
    EXPECT_EQ(Sections(512, &answered), (Names{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(answered, 17);
    EXPECT_EQ(Sections(10, &answered), (Names{"Alpha", "Be"}));
    EXPECT_EQ(answered, 8);
    EXPECT_EQ(Keys("ALPHA", 512, &answered), (Names{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(answered, 17);
    EXPECT_EQ(Keys("Alpha", 10, &answered), (Names{"Alpha", "Be"}));
    EXPECT_EQ(answered, 8);
}
