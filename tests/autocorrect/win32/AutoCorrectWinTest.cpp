// AutoCorrect on the system: its character services against the portable code page 1250 ones, byte by
// byte, and the Caps Lock repair through the thread's keyboard state.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "autocorrect/AutoCorrect.h"
#include "autocorrect/win32/AutoCorrectWin.h"

namespace {

// The character a byte stands for in a code page, or 0 when the code page leaves it undefined.
wchar_t CharOf(unsigned codePage, unsigned char byte)
{
    const char in = static_cast<char>(byte);
    wchar_t out = 0;
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &in, 1, &out, 1) != 1)
        return 0;
    return out;
}

std::string Hex(unsigned char byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

// Bytes whose answers need not agree are those the system's ANSI code page gives another character than
// code page 1250 does: the answers then are about different characters. Under a Croatian Windows, and under
// Wine with LC_CTYPE=hr_HR.UTF-8, there is none; under Wine's default code page 1252 they are 56 bytes of
// the upper half (0xC8 is È there and Č here).
bool SameCharacter(unsigned char byte)
{
    if (byte == 0)
        return true;  // the end of a text, no character
    const wchar_t own = CharOf(1250, byte);
    return own != 0 && CharOf(GetACP(), byte) == own;
}

class TKeyboardCapsLock {
public:
    explicit TKeyboardCapsLock(bool on)
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::memcpy(state, saved_, sizeof state);
        state[VK_CAPITAL] = on ? 0x01 : 0x00;
        SetKeyboardState(state);
    }
    TKeyboardCapsLock(const TKeyboardCapsLock&) = delete;  // puts the keyboard state back once
    TKeyboardCapsLock& operator=(const TKeyboardCapsLock&) = delete;
    ~TKeyboardCapsLock() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

// The window tests type text to check editing, not corrections: in this test program the program's
// AutoCorrect object starts with its flags off, and the tests of corrections in a window turn them on.
class TTypedAsTypedEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        TAutoCorrect& ac = ProgramAutoCorrect();
        ac.correctTwoInitCaps = ac.capitalizeSentence = ac.correctCapsLock = ac.replaceText = false;
    }
};
[[maybe_unused]] ::testing::Environment* const gTypedAsTyped =
    ::testing::AddGlobalTestEnvironment(new TTypedAsTypedEnvironment);

}  // namespace

// IsCharAlphaA, IsCharLowerA, IsCharUpperA, CharUpperBuffA and CharLowerBuffA agree with the portable
// code page 1250 services for every byte that means the same character in both code pages.
TEST(AutoCorrectWin, CharacterTestsAgreeWithCodePage1250ByteByByte)
{
    const TCharServices& system = SystemCharServices();
    const TCharServices& own = Cp1250CharServices();
    std::string otherCharacters;
    int compared = 0;
    for (int b = 0; b < 256; ++b) {
        const auto c = static_cast<unsigned char>(b);
        if (!SameCharacter(c)) {
            otherCharacters += Hex(c) + " ";
            continue;
        }
        ++compared;
        // 0xA1, the caron, is a modifier letter without case (U+02C7): the system may count it as a letter,
        // the portable services count cased letters only. Alone before or after a word it changes nothing
        // a user sees, so both answers are taken.
        if (c != 0xA1 || GetACP() != 1250) {
            EXPECT_EQ(system.IsAlpha(c), own.IsAlpha(c)) << "IsCharAlphaA " << Hex(c);
        }
        EXPECT_EQ(system.IsLower(c), own.IsLower(c)) << "IsCharLowerA " << Hex(c);
        EXPECT_EQ(system.IsUpper(c), own.IsUpper(c)) << "IsCharUpperA " << Hex(c);
        // A case pair counts only when both halves are the same characters in both code pages.
        const unsigned char upper = own.ToUpper(c), lower = own.ToLower(c);
        if (SameCharacter(upper)) {
            EXPECT_EQ(system.ToUpper(c), upper) << "CharUpperBuffA " << Hex(c);
        }
        if (SameCharacter(lower)) {
            EXPECT_EQ(system.ToLower(c), lower) << "CharLowerBuffA " << Hex(c);
        }
    }
    // Under code page 1250 every byte is compared (the system gives its five undefined bytes the control
    // characters of the same number, and so does the portable code); any other code page at least keeps
    // the ASCII half, and the output names the bytes it could not compare.
    if (GetACP() == 1250)
        EXPECT_EQ(compared, 256) << otherCharacters;
    else
        EXPECT_GE(compared, 128) << otherCharacters;
    std::printf(
        "ANSI code page %u: %d bytes compared; another character than in code page 1250, or none, at: "
        "%s\n",
        GetACP(), compared, otherCharacters.c_str());
}

// lstrcmpiA and the portable comparison find the same texts equal, which is all the sorted lists' lookups
// depend on: every pair of one-byte texts, and the letters inside words.
TEST(AutoCorrectWin, CaselessComparisonFindsTheSameTextsEqual)
{
    const TCharServices& system = SystemCharServices();
    const TCharServices& own = Cp1250CharServices();
    int differing = 0;
    for (int a = 1; a < 256; ++a) {
        if (!SameCharacter(static_cast<unsigned char>(a)))
            continue;
        for (int b = 1; b < 256; ++b) {
            if (!SameCharacter(static_cast<unsigned char>(b)))
                continue;
            const char s[2] = {static_cast<char>(a), 0}, t[2] = {static_cast<char>(b), 0};
            const bool systemEqual = system.CompareNoCase(s, t) == 0;
            const bool ownEqual = own.CompareNoCase(s, t) == 0;
            // The system compares by the characters' sorting weights, in which a few marks weigh nothing
            // and so equal each other; a letter never equals anything but itself and its other case.
            if (systemEqual != ownEqual && (own.IsAlpha(s[0]) || own.IsAlpha(t[0]))) {
                ADD_FAILURE() << Hex(a) << " and " << Hex(b) << ": system " << systemEqual << ", own "
                              << ownEqual;
                if (++differing > 20)
                    return;
            }
        }
    }
    EXPECT_EQ(system.CompareNoCase("Teh", "tEH"), 0);
    EXPECT_NE(system.CompareNoCase("teh", "tehy"), 0);
    EXPECT_LT(system.CompareNoCase("adn", "teh"), 0);
    EXPECT_GT(system.CompareNoCase("teh", "ADN"), 0);
}

// The system's services sort the lists as the portable ones do for the words of the shipped lists: a list
// sorted by one is found by the other's binary search.
TEST(AutoCorrectWin, ListSortedBySystemServicesFindsEveryWord)
{
    TAutoCorrect ac(SystemCharServices());
    const char* words[] = {"teh", "adn", "i", "THe", "zasto", "Recieve", "o'clock", "(c)", "1st", "a-b"};
    for (const char* word : words)
        ASSERT_TRUE(ac.AddReplacement(word, "x"));
    for (const char* word : words)
        EXPECT_GE(ac.FindReplacement(word), 0) << word;
}

// With the toggle of Caps Lock set in the thread's keyboard state, "hELLO" is repaired and the toggle
// and pressed bits are cleared; without it the word stays.
TEST(AutoCorrectWin, CapsLockRepairClearsTheKeyboardState)
{
    TCapsLockState& capsLock = SystemCapsLock();
    {
        TKeyboardCapsLock keyboard(true);
        ASSERT_TRUE(capsLock.IsOn());
        TAutoCorrect ac(SystemCharServices(), &capsLock);
        char out[40];
        ASSERT_TRUE(ac.Correct("hELLO", out, sizeof out));
        EXPECT_STREQ(out, "Hello");
        EXPECT_FALSE(capsLock.IsOn());
        EXPECT_EQ(GetKeyState(VK_CAPITAL) & 0x81, 0);
        // Once off, the next such word is taken as typed.
        EXPECT_FALSE(ac.Correct("wORLD", out, sizeof out));
    }
    {
        TKeyboardCapsLock keyboard(false);
        TAutoCorrect ac(SystemCharServices(), &capsLock);
        char out[40];
        EXPECT_FALSE(ac.Correct("hELLO", out, sizeof out));
    }
}
