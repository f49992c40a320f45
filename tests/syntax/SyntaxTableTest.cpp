// Reading, writing and choosing language definitions of "syntax.hgl".
#include "syntax/SyntaxTable.h"

#include <gtest/gtest.h>

#include "base/IniFile.h"
#include "base/SectionScan.h"
#include "support/TempDir.h"

namespace {
class SyntaxTableTest : public ::testing::Test {
protected:
    // Loads text as "syntax.hgl" and answers the table.
    const TSyntaxTable& Load(const std::string& text)
    {
        path = dir.File("syntax.hgl");
        TTempDir::Write(path, text);
        LoadSyntaxTable(table, path.c_str());
        return table;
    }
    const TSyntaxLanguage& First(const std::string& keys)
    {
        Load("[Lang]\n" + keys);
        const TSyntaxLanguage* l = table.Language(1);
        EXPECT_NE(l, nullptr);
        return l ? *l : empty;
    }
    uint16_t Class(const TSyntaxLanguage& l, char c) { return l.ClassOf(c); }
    // The characters of a class, in byte order.
    static std::string Members(const TSyntaxLanguage& l, uint16_t flag)
    {
        std::string s;
        for (int c = 1; c < 256; ++c)
            if (l.classes[static_cast<std::size_t>(c)] & flag)
                s += static_cast<char>(c);
        return s;
    }

    TTempDir dir;
    std::string path;
    TSyntaxTable table;
    TSyntaxLanguage empty;
};

TEST_F(SyntaxTableTest, AMissingFileGivesAnEmptyTable)
{
    table.Add(CLikeTemplate("C"));
    LoadSyntaxTable(table, dir.File("none.hgl").c_str());
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(table.Language(1), nullptr);
    EXPECT_EQ(table.Language(0), nullptr);
    EXPECT_EQ(table.Language(15), nullptr);
}

TEST_F(SyntaxTableTest, AFifteenthSectionIsNotLoaded)
{
    std::string text;
    for (int i = 1; i <= 15; ++i)
        text += "[L" + std::to_string(i) + "]\nExtensions=e" + std::to_string(i) + "\n";
    Load(text);
    EXPECT_EQ(table.Count(), 14);
    EXPECT_EQ(table.Language(14)->name, "L14");
    EXPECT_EQ(FindLanguage(table, "x.e14"), 14);
    EXPECT_EQ(FindLanguage(table, "x.e15"), 0);
}

TEST_F(SyntaxTableTest, SectionNamesStopAtTheFirstThatNoLongerFits)
{
    // Each name of 60 characters takes 61 bytes; its bracketed line of 62 plus 2 must stay below the
    // space left, so four fit into 256 bytes (256 - 3 * 61 = 73 > 64) and the fifth does not.
    std::string text;
    for (char c = 'a'; c <= 'e'; ++c)
        text += " [" + std::string(60, c) + "]  \n x=1\n";
    const std::string file = dir.File("names.ini");
    TTempDir::Write(file, text);
    char names[256];
    EXPECT_EQ(ScanSectionNames(file.c_str(), names, sizeof names), 4);
    EXPECT_EQ(std::string(names), std::string(60, 'a'));
    EXPECT_EQ(std::string(names + 3 * 61), std::string(60, 'd'));
    EXPECT_EQ(names[4 * 61], '\0');
    EXPECT_EQ(ScanSectionNames(dir.File("missing").c_str(), names, sizeof names), -1);
    // A bracket inside a line, or a line that does not end with "]", names nothing.
    TTempDir::Write(file, "x=[a]\n[b\n[c]\r\n");
    EXPECT_EQ(ScanSectionNames(file.c_str(), names, sizeof names), 1);
    EXPECT_EQ(std::string(names), "c");
}

TEST_F(SyntaxTableTest, FindLanguageMatchesWholeWordsOfTheExtensionList)
{
    Load("[Text]\nExtensions=txt\n[C]\nExtensions=CPP c h\n");
    EXPECT_EQ(FindLanguage(table, "x.c"), 2);  // "c" is a word of the list though "cpp" starts with it
    EXPECT_EQ(FindLanguage(table, "x.cc"), 0);
    EXPECT_EQ(FindLanguage(table, "X.CPP"), 2);
    EXPECT_EQ(FindLanguage(table, "a.b.h"), 2);
    EXPECT_EQ(FindLanguage(table, "x.pp"), 0);
    EXPECT_EQ(FindLanguage(table, "makefile"), 0);
    EXPECT_EQ(FindLanguage(table, "x."), 0);
    EXPECT_EQ(FindLanguage(table, "c:\\src.c\\notes"), 0);  // the dot belongs to a folder name
    EXPECT_EQ(FindLanguage(table, "src.c/notes"), 0);
    EXPECT_EQ(FindLanguage(table, "notes.txt"), 1);
}

TEST_F(SyntaxTableTest, AnExtensionIsCutToSevenCharacters)
{
    Load("[Long]\nExtensions=abcdefg\n");
    EXPECT_EQ(FindLanguage(table, "x.abcdefghij"), 1);
    EXPECT_EQ(FindLanguage(table, "x.abcdef"), 0);
}

TEST_F(SyntaxTableTest, ExtensionsAreCutTo48CharactersAndLowered)
{
    const TSyntaxLanguage& l = First("Extensions=" + std::string(47, 'A') + " XY\n");
    EXPECT_EQ(l.extensions, std::string(47, 'a') + " ");
}

TEST_F(SyntaxTableTest, KeywordValuesAreAcceptedOnlyInMultiplesOfTheirLength)
{
    const TSyntaxLanguage& l = First("Keyword4=elsecasegoto\nKeyword3=forintnew\nKeyword2=elsecas\nKeyword5=x\n");
    EXPECT_EQ(l.keywords[4], "elsecasegoto");
    EXPECT_EQ(l.keywords[3], "forintnew");
    EXPECT_EQ(l.keywords[2], "");
    EXPECT_EQ(l.keywords[5], "");
    EXPECT_EQ(KeywordList(l), (std::vector<std::string>{"for", "int", "new", "else", "case", "goto"}));
    const TSyntaxLanguage& m = First("Keyword4=elsecas\n");
    EXPECT_EQ(m.keywords[4], "");
}

TEST_F(SyntaxTableTest, BooleansAndCaseSensitivity)
{
    EXPECT_FALSE(First("Extensions=c\n").ignoreCase);  // missing: case sensitive
    EXPECT_TRUE(First("CaseSensitive=no\n").ignoreCase);
    EXPECT_TRUE(First("CaseSensitive=YES\n").ignoreCase);  // only "yes" and "1" are true
    EXPECT_FALSE(First("CaseSensitive=1\n").ignoreCase);
    const TSyntaxLanguage& l = First("UnixTexKeywords=1\nFortranComment=yes\n");
    EXPECT_TRUE(l.texKeywords);
    EXPECT_TRUE(l.fortranComment);
    EXPECT_FALSE(First("FortranComment=true\n").fortranComment);
}

TEST_F(SyntaxTableTest, SingleCharacterKeysTakeTheFirstCharacter)
{
    const TSyntaxLanguage& l =
        First("StringDelim=\"x\nCharDelim='\nQuoteChar=\\\\\nPreprocess=#!\nFirstComment=;\n");
    EXPECT_EQ(l.stringDelim, '"');
    EXPECT_EQ(l.charDelim, '\'');
    EXPECT_EQ(l.escape, '\\');
    EXPECT_EQ(l.preprocessor, '#');
    EXPECT_EQ(l.firstComment, ';');
    EXPECT_EQ(Members(l, kClassString), "\"'");
    EXPECT_EQ(Members(l, kClassEscape), "\\");
}

TEST_F(SyntaxTableTest, LineCommentsOfFiveOrMoreCharactersAreIgnored)
{
    const TSyntaxLanguage& l = First("CaseSensitive=no\nLineComment1='\nLineComment2=remark\n");
    EXPECT_EQ(l.lineComment1, "'");
    EXPECT_EQ(l.lineComment2, "");
    EXPECT_EQ(Members(l, kClassLineComment), "'");
    // Without regard to case, a letter that starts a comment is marked in both its forms.
    const TSyntaxLanguage& m = First("CaseSensitive=no\nLineComment2=rem\n");
    EXPECT_EQ(Members(m, kClassLineComment), "Rr");
    const TSyntaxLanguage& n = First("LineComment2=rem\n");
    EXPECT_EQ(Members(n, kClassLineComment), "r");
}

TEST_F(SyntaxTableTest, MultiCommentNeedsBothParts)
{
    EXPECT_FALSE(First("MultiComment=/*\n").HasMultiComment());
    EXPECT_EQ(Members(First("MultiComment=/*\n"), kClassMultiComment), "");
    const TSyntaxLanguage& l = First("MultiComment=(*x   *)yz\n");
    EXPECT_EQ(l.multiOpen, "(*");
    EXPECT_EQ(l.multiClose, "*)");
    EXPECT_EQ(Members(l, kClassMultiComment), "()*");
}

TEST_F(SyntaxTableTest, OpenCloseDelimitersPairUpToTheShorterPart)
{
    const TSyntaxLanguage& l = First("OpenCloseDelim=([{ )]\n");
    EXPECT_EQ(Members(l, kClassOpenDelim), "([");
    EXPECT_EQ(Members(l, kClassCloseDelim), ")]");
    EXPECT_EQ(l.pairs['('], ')');
    EXPECT_EQ(l.pairs[']'], '[');
    EXPECT_EQ(l.pairs['{'], 0);
}

TEST_F(SyntaxTableTest, HtmlIsReadInPairs)
{
    const TSyntaxLanguage& l = First("HTML=<>[]{\n");
    EXPECT_EQ(Members(l, kClassHtmlOpen), "<[");
    EXPECT_EQ(Members(l, kClassHtmlClose), ">]");
}

TEST_F(SyntaxTableTest, CharacterSetsWithRanges)
{
    const TSyntaxLanguage& l = First("Numbers=-+0-9a-fA-F.xXUL\nWords=z-a_q-\n");
    EXPECT_EQ(Members(l, kClassNumeric), "+-.0123456789ABCDEFLUXabcdefx");
    EXPECT_EQ(Members(l, kClassWord), "_");  // a backward range and a final "q-" add nothing
    EXPECT_EQ(Members(First("Delimiters=,;\nOperators=-+\n"), kClassDelimiter), ",;");
}

TEST_F(SyntaxTableTest, ColoursOutsideTheRangeBecomeZero)
{
    const TSyntaxLanguage& l =
        First("ColorComment=16\nColorPreproc=17\nColorString=-1\nColorNumber=x\nColorKeyword=10\n");
    EXPECT_EQ(l.colours[kColourComment], 16);
    EXPECT_EQ(l.colours[kColourPreproc], 0);
    EXPECT_EQ(l.colours[kColourString], 0);
    EXPECT_EQ(l.colours[kColourNumber], 0);
    EXPECT_EQ(l.colours[kColourKeyword], 10);
}

TEST_F(SyntaxTableTest, WritingAndReadingBackGivesTheSameDefinitions)
{
    Load("[Old]\nExtensions=old\n; a comment the user wrote\n[Other]\nx=1\n");
    TSyntaxTable edited;
    TSyntaxLanguage c = CLikeTemplate("C/C++");
    c.extensions = "c cpp h";
    ASSERT_EQ(BuildKeywordTables({"if", "else", "while", "int"}, c.keywords), 0);
    ASSERT_TRUE(edited.Add(c));
    ASSERT_TRUE(edited.Add(BasicLikeTemplate("Basic")));
    TIniFile file(path);
    ASSERT_TRUE(WriteSyntaxTable(file, {"Old"}, edited));
    LoadSyntaxTable(table, path.c_str());
    // "Other" was not a language when the dialog started, so it stays, after the written ones.
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Language(1)->name, "Other");
    for (int i = 1; i <= 2; ++i) {
        const TSyntaxLanguage& read = *table.Language(i + 1);
        const TSyntaxLanguage& written = *edited.Language(i);
        EXPECT_EQ(SyntaxKeys(read), SyntaxKeys(written));
        EXPECT_EQ(read.classes, written.classes);
    }
    char value[64];
    EXPECT_EQ(file.GetString("Basic", "Keyword16", "missing", value, sizeof value), 0);  // written empty
    EXPECT_EQ(file.GetString("C/C++", "CaseSensitive", "", value, sizeof value), 3);
}

TEST_F(SyntaxTableTest, KeywordTablesFromTheDialogHold255Characters)
{
    std::array<std::string, kMaxKeywordLength + 1> tables;
    std::vector<std::string> words;
    for (int i = 0; i < 63; ++i)
        words.push_back("k" + std::string(1, static_cast<char>('0' + i / 10)) + std::string(1, static_cast<char>('0' + i % 10)) + "x");
    words.push_back(std::string(17, 'z'));  // longer than 16: not stored
    words.push_back("if");
    ASSERT_EQ(BuildKeywordTables(words, tables), 0);
    EXPECT_EQ(tables[4].size(), 252u);
    EXPECT_EQ(tables[2], "if");
    words.push_back("last");  // the 64th keyword of four characters would reach 256
    tables[2] = "untouched";
    EXPECT_EQ(BuildKeywordTables(words, tables), 4);
    EXPECT_EQ(tables[2], "untouched");
    std::vector<std::string> ones;
    for (int i = 0; i < 255; ++i)
        ones.push_back(std::string(1, static_cast<char>(i + 1)));
    EXPECT_EQ(BuildKeywordTables(ones, tables), 0);
    ones.push_back("x");
    EXPECT_EQ(BuildKeywordTables(ones, tables), 1);
    std::vector<std::string> sixteen(15, std::string(16, 'a'));
    EXPECT_EQ(BuildKeywordTables(sixteen, tables), 0);
    sixteen.push_back(std::string(16, 'b'));
    EXPECT_EQ(BuildKeywordTables(sixteen, tables), 16);
}

TEST_F(SyntaxTableTest, RemovingALanguageMovesTheLaterOnesUp)
{
    ASSERT_TRUE(table.Add(CLikeTemplate("A")));
    ASSERT_TRUE(table.Add(CLikeTemplate("B")));
    ASSERT_TRUE(table.Add(CLikeTemplate("C")));
    EXPECT_TRUE(table.Remove(2));
    EXPECT_EQ(table.Count(), 2);
    EXPECT_EQ(table.Language(2)->name, "C");
    EXPECT_FALSE(table.Remove(3));
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(table.Add(BasicLikeTemplate("x")));
    EXPECT_FALSE(table.Add(BasicLikeTemplate("y")));
}
}  // namespace
