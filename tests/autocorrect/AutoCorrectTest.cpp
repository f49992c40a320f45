// AutoCorrect: corrections of typed words through the engine, the lists' limits, and their files.
#include "autocorrect/AutoCorrect.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <string>

#include "base/IniFile.h"
#include "engine/Commands.h"
#include "engine/Options.h"
#include "support/RecordingEditor.h"
#include "support/TempDir.h"

namespace {
// A window whose typing hooks answer from an AutoCorrect object, as the editor window's do.
class TCorrectingEditor : public TRecordingEditor {
public:
    explicit TCorrectingEditor(TAutoCorrect& ac) : ac_(ac) {}
    bool AutoCorrectWord(const char* word, char* buffer, int size) noexcept override
    {
        ++asked;
        lastWord = word;
        return ac_.Correct(word, buffer, size);
    }
    bool CapitalizeSentences() noexcept override { return ac_.capitalizeSentence; }
    bool IsCapitalizeException(const char* token) noexcept override { return ac_.IsException(token); }
    int asked = 0;
    std::string lastWord;

private:
    TAutoCorrect& ac_;
};

class AutoCorrect : public ::testing::Test {
protected:
    void SetUp() override
    {
        EngineOptions() = TEngineOptions{};
        ac.capitalizeSentence = false;
    }
    void TearDown() override
    {
        EXPECT_TRUE(ed.CheckList());
        EngineOptions() = TEngineOptions{};
    }
    void Type(const std::string& text)
    {
        for (unsigned char c : text)
            ed.ExecuteCommand(cmInsertChar, c);
    }
    // Types text into an empty document and answers what stands there.
    std::string Typed(const std::string& text)
    {
        EXPECT_TRUE(ed.Load(""));
        Type(text);
        return ed.Joined();
    }

    TMemoryCapsLock capsLock;
    TAutoCorrect ac{Cp1250CharServices(), &capsLock};
    TCorrectingEditor ed{ac};
};
}  // namespace

TEST_F(AutoCorrect, TwoInitialCapitals)
{
    EXPECT_EQ(Typed("THe "), "The ");
    EXPECT_EQ(Typed("THE "), "THE ");
    EXPECT_EQ(Typed("TH "), "TH ");
    EXPECT_EQ(Typed("(THis) "), "(This) ");
    ac.correctTwoInitCaps = false;
    EXPECT_EQ(Typed("THe "), "THe ");
}

TEST_F(AutoCorrect, CapsLockRepairSwitchesItOff)
{
    capsLock.Set(true);
    EXPECT_EQ(Typed("hELLO "), "Hello ");
    EXPECT_FALSE(capsLock.IsOn());
    // Once it is off the next such word is left alone.
    EXPECT_EQ(Typed("hELLO "), "hELLO ");
    capsLock.Set(true);
    ac.correctCapsLock = false;
    EXPECT_EQ(Typed("hELLO "), "hELLO ");
    EXPECT_TRUE(capsLock.IsOn());
}

TEST_F(AutoCorrect, ReplacementFollowsTheCaseTyped)
{
    ASSERT_TRUE(ac.AddReplacement("teh", "the"));
    EXPECT_EQ(Typed("teh "), "the ");
    EXPECT_EQ(Typed("Teh "), "The ");
    EXPECT_EQ(Typed("TEH "), "THE ");
    EXPECT_EQ(Typed("tEh "), "tEh ");
    EXPECT_EQ(Typed("(teh) "), "(the) ");
    EXPECT_EQ(Typed("teh, teh; teh!"), "the, the; the!");
    ac.replaceText = false;
    EXPECT_EQ(Typed("teh "), "teh ");
}

TEST_F(AutoCorrect, CaseRulesOfTheReplaceText)
{
    // Mixed case in the replace text: only the same text, or both capitalised.
    ASSERT_TRUE(ac.AddReplacement("Mr", "Mister"));
    EXPECT_EQ(Typed("Mr "), "Mister ");
    EXPECT_EQ(Typed("mr "), "mr ");
    EXPECT_EQ(Typed("MR "), "MR ");
    ASSERT_TRUE(ac.AddReplacement("iPod", "iPOD"));
    EXPECT_EQ(Typed("iPod "), "iPOD ");
    EXPECT_EQ(Typed("Ipod "), "Ipod ");
    // All capitals: any typed form without lower case.
    ASSERT_TRUE(ac.AddReplacement("NASA", "Nasa"));
    EXPECT_EQ(Typed("NASA "), "Nasa ");
    EXPECT_EQ(Typed("nasa "), "nasa ");
    // A with text holding capitals is used as it stands.
    ASSERT_TRUE(ac.AddReplacement("monday", "Monday"));
    EXPECT_EQ(Typed("monday "), "Monday ");
    EXPECT_EQ(Typed("MONDAY "), "Monday ");
}

TEST_F(AutoCorrect, WholeTokenAndSingleLetter)
{
    ASSERT_TRUE(ac.AddReplacement("i", "I"));
    ASSERT_TRUE(ac.AddReplacement("(c)", "\xA9"));
    EXPECT_EQ(Typed("(i) "), "(I) ");
    // A single letter alone never reaches AutoCorrect.
    EXPECT_EQ(Typed("i "), "i ");
    EXPECT_EQ(Typed("(c) "), "\xA9 ");
    // The whole token must match exactly, case included; otherwise the word inside is looked up.
    EXPECT_EQ(Typed("(C) "), "(C) ");
}

TEST_F(AutoCorrect, SentenceCapitalsAndExceptions)
{
    ac.capitalizeSentence = true;
    ASSERT_TRUE(ac.AddException("e.g."));
    EXPECT_EQ(Typed("one. two e.g. three "), "One. Two e.g. three ");
    EXPECT_EQ(Typed("see 1. item "), "See 1. item ");
    EXPECT_EQ(Typed("see 12.3. item "), "See 12.3. item ");
    ac.dontCapAfterNumber = false;
    EXPECT_EQ(Typed("see 12. item "), "See 12. Item ");
    EXPECT_TRUE(ac.IsException("E.G."));
    EXPECT_FALSE(ac.IsException("etc."));
    // Tokens of 16 characters or more are never exceptions.
    ASSERT_TRUE(ac.AddException("abcdefghijklmnop"));
    EXPECT_TRUE(ac.IsException("abcdefghijklmno"));
    EXPECT_FALSE(ac.IsException("abcdefghijklmnop"));
}

TEST_F(AutoCorrect, CroatianLettersAreLetters)
{
    // šta -> što, ŠTA -> ŠTO: the case of the Croatian letters follows code page 1250.
    ASSERT_TRUE(ac.AddReplacement("\x9A" "ta", "\x9A" "to"));
    EXPECT_EQ(Typed("\x9A" "ta "), "\x9A" "to ");
    EXPECT_EQ(Typed("\x8A" "ta "), "\x8A" "to ");
    EXPECT_EQ(Typed("\x8A" "TA "), "\x8A" "TO ");
    EXPECT_EQ(Typed("\xC8\xC6" "ao "), "\xC8\xE6" "ao ");
}

TEST_F(AutoCorrect, ListLimits)
{
    for (int i = 0; i < TAutoCorrect::kMaxElements; ++i)
        ASSERT_TRUE(ac.AddReplacement(("w" + std::to_string(i)).c_str(), "x"));
    EXPECT_FALSE(ac.AddReplacement("w500", "x"));
    EXPECT_EQ(ac.Replacements().size(), 500u);
    // A known replace text still changes its with text in a full list.
    EXPECT_TRUE(ac.AddReplacement("W7", "y"));
    EXPECT_STREQ(ac.Replacements()[static_cast<std::size_t>(ac.FindReplacement("w7"))].with, "y");
    EXPECT_FALSE(ac.AddReplacement("", "x"));
    EXPECT_FALSE(ac.AddReplacement("x", ""));
    for (int i = 0; i < TAutoCorrect::kMaxElements; ++i)
        ASSERT_TRUE(ac.AddException(("a" + std::to_string(i) + ".").c_str()));
    EXPECT_FALSE(ac.AddException("b."));
    // Texts are cut to 31 and 15 characters.
    TAutoCorrect other;
    ASSERT_TRUE(other.AddReplacement(std::string(40, 'a').c_str(), std::string(40, 'b').c_str()));
    EXPECT_EQ(std::strlen(other.Replacements()[0].replace), 31u);
    EXPECT_EQ(std::strlen(other.Replacements()[0].with), 31u);
    ASSERT_TRUE(other.AddException(std::string(20, 'c').c_str()));
    EXPECT_EQ(std::strlen(other.Exceptions()[0].text), 15u);
    // A cut that ends in blanks drops them, as the list file would: found by the fuzz target, where
    // such an element came back from the file under another text.
    ASSERT_TRUE(other.AddReplacement(("th" + std::string(29, '\x1a') + "x").c_str(), "that's"));
    EXPECT_GE(other.FindReplacement("th"), 0);
    EXPECT_FALSE(other.AddException("   "));
}

TEST_F(AutoCorrect, WordLengthLimitsAndBuffer)
{
    // 31 characters still reach the list; 32 are returned unchanged.
    const std::string w31(31, 'q');
    ASSERT_TRUE(ac.AddReplacement(w31.c_str(), "done"));
    EXPECT_EQ(Typed(w31 + " "), "done ");
    EXPECT_EQ(Typed("(" + w31 + " "), "(" + w31 + " ");
    // The engine passes at most 39 bytes: a 39-byte word is asked about, a longer one not at all.
    const std::string w39 = "TH" + std::string(37, 'x');
    ed.asked = 0;
    Typed(w39 + " ");
    EXPECT_EQ(ed.asked, 1);
    ed.asked = 0;
    Typed(w39 + "x ");
    EXPECT_EQ(ed.asked, 0);
    // A correction that does not fit the buffer is not made.
    ASSERT_TRUE(ac.AddReplacement("ab", std::string(31, 'z').c_str()));
    char small[8] = "keep";
    EXPECT_FALSE(ac.Correct("ab", small, sizeof small));
    EXPECT_STREQ(small, "keep");
    char enough[32];
    EXPECT_TRUE(ac.Correct("ab", enough, sizeof enough));
    EXPECT_EQ(std::string(enough), std::string(31, 'z'));
    ASSERT_TRUE(ac.AddReplacement("ac", std::string(31, 'y').c_str()));
    EXPECT_FALSE(ac.Correct("(((ac)))", enough, sizeof enough));
}

TEST_F(AutoCorrect, UndoAfterACorrection)
{
    ASSERT_TRUE(ac.AddReplacement("teh", "the"));
    ASSERT_TRUE(ed.Load(""));
    Type("teh ");
    ASSERT_EQ(ed.Joined(), "the ");
    // The replacement and the blank after it are one step: the first Undo leaves the word as typed.
    ed.ExecuteCommand(cmUndo, 0);
    EXPECT_EQ(ed.Joined(), "teh");
    ed.ExecuteCommand(cmUndo, 0);
    EXPECT_EQ(ed.Joined(), "");
    // A replacement followed by a sentence capital: each Undo takes back one of them.
    ac.capitalizeSentence = true;
    ASSERT_TRUE(ed.Load("x."));
    ed.ExecuteCommand(cmLineEnd, 0);
    Type(" teh ");
    ASSERT_EQ(ed.Joined(), "x. The ");
    // The capital is a change of one letter; the blank after it is a step apart.
    ed.ExecuteCommand(cmUndo, 0);
    EXPECT_EQ(ed.Joined(), "x. The");
    ed.ExecuteCommand(cmUndo, 0);
    EXPECT_EQ(ed.Joined(), "x. the");
    ed.ExecuteCommand(cmUndo, 0);
    EXPECT_EQ(ed.Joined(), "x. teh");
}

TEST_F(AutoCorrect, OverwriteModeCorrectsToo)
{
    ASSERT_TRUE(ac.AddReplacement("teh", "the"));
    EngineOptions().overwriteMode = true;
    ASSERT_TRUE(ed.Load("xxxxxxxx"));
    Type("teh ");
    EXPECT_EQ(ed.Joined(), "the xxxx");
}

TEST_F(AutoCorrect, MacrosAreNotCorrected)
{
    ASSERT_TRUE(ac.AddReplacement("teh", "the"));
    ASSERT_TRUE(ed.Load(""));
    ed.recording = true;
    Type("teh ");
    ed.recording = false;
    EXPECT_EQ(ed.Joined(), "teh ");
}

TEST_F(AutoCorrect, ListsLoadAndSaveByLanguage)
{
    TTempDir dir;
    const std::string acr = dir.File("ozm.acr");
    const std::string ini = dir.File("ozm.ini");
    TTempDir::Write(acr, "[ReplaceWithEng]\nteh=the\nadn=and\nalone=\n[FirstLetterExceptionsEng]\ne.g.=\n"
                         "[ReplaceWithCro]\nsta=\x9Ato\n[FirstLetterExceptionsCro]\nnpr.=\n");
    TTempDir::Write(ini, "[AutoCorrect]\nReplaceText=0\nLanguage=1\n");
    TIniFile lists(acr);
    TIniFile settings(ini);
    ac.Load(lists, settings);
    EXPECT_FALSE(ac.replaceText);
    EXPECT_TRUE(ac.correctCapsLock);
    ASSERT_EQ(ac.Replacements().size(), 3u);
    EXPECT_STREQ(ac.Replacements()[0].replace, "adn");
    // An empty with text is kept but never replaces.
    EXPECT_STREQ(ac.Replacements()[1].with, "");
    char out[40];
    ac.replaceText = true;
    EXPECT_FALSE(ac.Correct("alone", out, sizeof out));
    ac.replaceText = false;
    EXPECT_TRUE(ac.IsException("e.g."));

    // Edit the English lists, switch to Croatian: the English ones are saved under their sections.
    ASSERT_TRUE(ac.AddReplacement("recieve", "receive"));
    ASSERT_TRUE(ac.RemoveReplacement("adn"));
    ASSERT_TRUE(ac.SetLanguage(2, &lists, &settings));
    EXPECT_EQ(ac.language, 2);
    ASSERT_EQ(ac.Replacements().size(), 1u);
    EXPECT_STREQ(ac.Replacements()[0].with, "\x9Ato");
    EXPECT_TRUE(ac.IsException("npr."));
    EXPECT_FALSE(ac.IsException("e.g."));
    EXPECT_EQ(settings.GetInt("AutoCorrect", "Language", 0), 2);
    EXPECT_EQ(lists.GetText("ReplaceWithEng", "recieve", "", 64), "receive");
    EXPECT_EQ(lists.GetText("ReplaceWithEng", "adn", "gone", 64), "gone");

    ASSERT_TRUE(ac.SetLanguage(1, &lists, &settings));
    EXPECT_GE(ac.FindReplacement("recieve"), 0);
    EXPECT_LT(ac.FindReplacement("adn"), 0);
    EXPECT_FALSE(ac.replaceText);
    // Unchanged lists are not written back: a key added by hand to the file survives a save.
    ASSERT_TRUE(lists.WriteString("ReplaceWithEng", "hte", "the"));
    ASSERT_TRUE(ac.Save(lists, settings));
    EXPECT_EQ(lists.GetText("ReplaceWithEng", "hte", "", 64), "the");
    EXPECT_EQ(settings.GetText("AutoCorrect", "ReplaceText", "", 8), "0");
}

TEST_F(AutoCorrect, LoadStopsAt500)
{
    TTempDir dir;
    std::string text = "[ReplaceWithEng]\n";
    for (int i = 0; i < 520; ++i)
        text += "k" + std::to_string(1000 + i) + "=v\n";
    TTempDir::Write(dir.File("a.acr"), text);
    TIniFile lists(dir.File("a.acr"));
    TIniFile settings(dir.File("none.ini"));
    ac.Load(lists, settings);
    EXPECT_EQ(ac.Replacements().size(), 500u);
    EXPECT_GE(ac.FindReplacement("k1499"), 0);
    EXPECT_LT(ac.FindReplacement("k1500"), 0);
}

// The lists against a plain model under random edits: always sorted, unique, at most 500, and found.
TEST_F(AutoCorrect, RandomEditsKeepTheListsSorted)
{
    std::mt19937 random(19);
    std::map<std::string, std::string> model;  // keys lowered
    auto lowered = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(Cp1250CharServices().ToLower(static_cast<unsigned char>(c)));
        return s;
    };
    for (int step = 0; step < 3000; ++step) {
        std::string key;
        const int length = 1 + static_cast<int>(random() % 3);
        for (int i = 0; i < length; ++i)
            key += "aAbB\x9A\x8A"[random() % 6];
        key += std::to_string(random() % 200);
        if (random() % 3 == 0) {
            EXPECT_EQ(ac.RemoveReplacement(key.c_str()), model.erase(lowered(key)) == 1);
        } else {
            const bool known = model.count(lowered(key)) == 1;
            const bool ok = ac.AddReplacement(key.c_str(), "w");
            EXPECT_EQ(ok, known || model.size() < 500);
            if (ok)
                model[lowered(key)] = "w";
        }
        const auto& list = ac.Replacements();
        ASSERT_EQ(list.size(), model.size());
        for (std::size_t i = 1; i < list.size(); ++i)
            ASSERT_LT(Cp1250CharServices().CompareNoCase(list[i - 1].replace, list[i].replace), 0);
    }
    for (const auto& entry : model)
        EXPECT_GE(ac.FindReplacement(entry.first.c_str()), 0);
}

TEST(Cp1250Chars, CaseIsItsOwnInverse)
{
    const TCharServices& c = Cp1250CharServices();
    for (int b = 0; b < 256; ++b) {
        const auto ch = static_cast<unsigned char>(b);
        if (c.IsUpper(ch)) {
            EXPECT_TRUE(c.IsAlpha(ch));
            EXPECT_TRUE(c.IsLower(c.ToLower(ch))) << b;
            EXPECT_EQ(c.ToUpper(c.ToLower(ch)), ch) << b;
        }
        if (!c.IsAlpha(ch)) {
            EXPECT_EQ(c.ToUpper(ch), ch) << b;
        }
        EXPECT_FALSE(c.IsUpper(ch) && c.IsLower(ch)) << b;
    }
    for (const char* croatian : {"\x8A\x9A", "\x8E\x9E", "\xC8\xE8", "\xC6\xE6", "\xD0\xF0"}) {
        EXPECT_EQ(c.ToLower(static_cast<unsigned char>(croatian[0])), static_cast<unsigned char>(croatian[1]));
        EXPECT_TRUE(c.IsAlpha(static_cast<unsigned char>(croatian[1])));
    }
    EXPECT_FALSE(c.IsAlpha('1'));
    EXPECT_FALSE(c.IsAlpha('_'));
    EXPECT_FALSE(c.IsAlpha(0xD7));
}

// The lists shipped beside the program: big enough, and every pair corrects the slip it names.
TEST_F(AutoCorrect, ShippedListsCorrectTheirEntries)
{
    TTempDir dir;
    TTempDir::Write(dir.File("ozm.acr"), TTempDir::Read(std::string(VOK_SOURCE_DIR) + "/data/ozm.acr"));
    TIniFile lists(dir.File("ozm.acr"));
    TIniFile settings(dir.File("ozm.ini"));
    ac.Load(lists, settings);
    auto checkAll = [&](std::size_t atLeast, std::size_t exceptionsAtLeast) {
        EXPECT_GE(ac.Replacements().size(), atLeast);
        EXPECT_GE(ac.Exceptions().size(), exceptionsAtLeast);
        for (const TAutoCorrectReplaceElement& e : ac.Replacements()) {
            char out[40];
            ASSERT_TRUE(ac.Correct(e.replace, out, sizeof out)) << e.replace;
            EXPECT_STREQ(out, e.with) << e.replace;
        }
    };
    checkAll(150, 20);
    ac.capitalizeSentence = false;
    EXPECT_EQ(Typed("teh freind adn i'm (recieve), "), "the friend and I'm (receive), ");
    EXPECT_EQ(Typed("Teh THIER "), "The THEIR ");
    ac.capitalizeSentence = true;
    EXPECT_EQ(Typed("see e.g. this, i.e. that etc. and dr. who. ok "), "See e.g. this, i.e. that etc. and dr. who. Ok ");

    ASSERT_TRUE(ac.SetLanguage(2, &lists, &settings));
    checkAll(80, 20);
    ac.capitalizeSentence = false;
    EXPECT_EQ(Typed("Zasto nesto jos vec "), "Za\x9Ato ne\x9Ato jo\x9A ve\xE6 ");
    ac.capitalizeSentence = true;
    EXPECT_EQ(Typed("npr. ovo, tj. ono itd. kraj. pocetak "), "Npr. ovo, tj. ono itd. kraj. Po\xE8" "etak ");
    // Nothing was edited, so the shipped file is left as it was.
    EXPECT_EQ(TTempDir::Read(dir.File("ozm.acr")), TTempDir::Read(std::string(VOK_SOURCE_DIR) + "/data/ozm.acr"));
}
