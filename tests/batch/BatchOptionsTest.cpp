// ozmbatch's command line: option forms, values, and the combinations refused as bad usage.
#include "batch/BatchOptions.h"

#include <gtest/gtest.h>

namespace {

TBatchOptions Parse(std::vector<std::string> args, TParseResult* result = nullptr)
{
    TBatchOptions o;
    TParseResult r = ParseBatchOptions(args, &o);
    if (result)
        *result = r;
    else
        EXPECT_TRUE(r.ok) << r.error;
    return o;
}

TEST(BatchOptionsTest, ShortLongAndInlineValuesAreOneAndTheSame)
{
    TBatchOptions o = Parse({"-s", "ozm.ini", "--keymap=my.key", "-m", "a.mac", "-r", "Tidy", "-f", "unix",
                             "--output", "out.txt", "a.txt"});
    EXPECT_EQ(o.settingsFile, "ozm.ini");
    EXPECT_EQ(o.keymapFile, "my.key");
    EXPECT_EQ(o.macroFiles, std::vector<std::string>{"a.mac"});
    EXPECT_EQ(o.runMacro, "Tidy");
    EXPECT_EQ(o.format, TLineEndChoice::Unix);
    EXPECT_TRUE(o.hasOutput);
    EXPECT_EQ(o.output, "out.txt");
    EXPECT_EQ(o.files, std::vector<std::string>{"a.txt"});
}

TEST(BatchOptionsTest, CommandsKeepTheirOrderAndKeysSplitAtBlanks)
{
    TBatchOptions o = Parse({"-c", "CursorDown", "--command", "InsertText \"a b\"", "-K", "Ctrl+K  B",
                             "--keys", "Down", "f"});
    EXPECT_EQ(o.commands, (std::vector<std::string>{"CursorDown", "InsertText \"a b\""}));
    EXPECT_EQ(o.keys, (std::vector<std::string>{"Ctrl+K", "B", "Down"}));
}

TEST(BatchOptionsTest, MacroFilesKeepTheirOrder)
{
    TBatchOptions o = Parse({"-m", "one.mac", "--macro=two.mac", "-m", "one.mac", "f"});
    EXPECT_EQ(o.macroFiles, (std::vector<std::string>{"one.mac", "two.mac", "one.mac"}));
}

TEST(BatchOptionsTest, SearchFlagsAndAnEmptyReplacement)
{
    TBatchOptions o = Parse({"--find", "-x-", "--replace", "", "--regex", "--case", "--word", "--up", "--all",
                             "--no-prompt", "f"});
    EXPECT_TRUE(o.hasFind);
    EXPECT_EQ(o.findText, "-x-");  // a value may begin with a dash
    EXPECT_TRUE(o.hasReplace);
    EXPECT_EQ(o.replaceText, "");
    EXPECT_TRUE(o.regex && o.matchCase && o.wholeWord && o.up && o.replaceAll && o.noPrompt);
}

TEST(BatchOptionsTest, DoubleDashEndsTheOptionsAndALoneDashIsAFile)
{
    TBatchOptions o = Parse({"--report", "--", "--count", "-"});
    EXPECT_TRUE(o.report);
    EXPECT_FALSE(o.count);
    EXPECT_EQ(o.files, (std::vector<std::string>{"--count", "-"}));
}

TEST(BatchOptionsTest, ListKeysAndHelpNeedNoFile)
{
    EXPECT_TRUE(Parse({"--list-keys"}).listKeys);
    EXPECT_TRUE(Parse({"-h"}).help);
}

struct TBadUsage {
    std::vector<std::string> args;
    const char* errorPart;
};

class BatchOptionsUsageTest : public ::testing::TestWithParam<TBadUsage> {};

TEST_P(BatchOptionsUsageTest, IsRefusedWithAReason)
{
    TParseResult r;
    Parse(GetParam().args, &r);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find(GetParam().errorPart), std::string::npos) << r.error;
}

INSTANTIATE_TEST_SUITE_P(
    Table, BatchOptionsUsageTest,
    ::testing::Values(TBadUsage{{}, "no file"}, TBadUsage{{"--report"}, "no file"},
                      TBadUsage{{"--bogus", "f"}, "unknown option"}, TBadUsage{{"-x", "f"}, "unknown option"},
                      TBadUsage{{"-ks", "f"}, "unknown option"},
                      TBadUsage{{"f", "--keymap"}, "needs a value"},
                      TBadUsage{{"--format", "windows", "f"}, "keep, dos, unix or mac"},
                      TBadUsage{{"--report=1", "f"}, "takes no value"},
                      TBadUsage{{"--count", "f"}, "--count needs --find"},
                      TBadUsage{{"--count", "--find", "a", "-o", "x", "f"}, "writes nothing"},
                      TBadUsage{{"--find", "", "f"}, "needs a text"},
                      TBadUsage{{"--find", std::string(80, 'a'), "f"}, "at most 79"},
                      TBadUsage{{"--find", "a", "--replace", std::string(80, 'b'), "f"}, "at most 79"},
                      TBadUsage{{"--import", "f"}, "--import needs --output"}));

TEST(BatchOptionsTest, SeventyNineCharactersFitTheField)
{
    TBatchOptions o = Parse({"--find", std::string(79, 'a'), "f"});
    EXPECT_EQ(o.findText.size(), 79u);
}

TEST(BatchOptionsTest, TransformAnswers)
{
    TBatchOptions o = Parse({"--sort-key", "3,5", "--sort", "numeric", "--descending", "--fill", "ab",
                             "--line-style=0,*", "--convert", "CP852-CP1250", "--text-cnv", "t.cnv",
                             "--selection-only", "f"});
    EXPECT_TRUE(o.hasSortKey);
    EXPECT_EQ(o.sortColumn, 3);
    EXPECT_EQ(o.sortLength, 5);
    EXPECT_TRUE(o.sortNumeric);
    EXPECT_TRUE(o.descending);
    EXPECT_EQ(o.fillText, "ab");
    EXPECT_TRUE(o.hasLineStyle);
    EXPECT_EQ(o.lineStyle, 0);
    EXPECT_EQ(o.lineChar, '*');
    EXPECT_EQ(o.convert, "CP852-CP1250");
    EXPECT_EQ(o.textCnv, "t.cnv");
    EXPECT_TRUE(o.selectionOnly);
    o = Parse({"--sort-key", "1024", "--line-style", "6", "f"});
    EXPECT_EQ(o.sortColumn, 1024);
    EXPECT_EQ(o.sortLength, 0);  // the length the range proposes
    EXPECT_EQ(o.lineStyle, 6);
    EXPECT_EQ(o.lineChar, ' ');
}

TEST(BatchOptionsTest, TransformAnswersOutOfRangeAreBadUsage)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--sort-key", "0", "f"}, {"--sort-key", "1025", "f"}, {"--sort-key", "2,32", "f"},
          {"--sort-key", "2,", "f"}, {"--sort-key", "x", "f"}, {"--sort", "random", "f"}, {"--fill", "", "f"},
          {"--fill", std::string(33, 'x'), "f"}, {"--line-style", "7", "f"}, {"--line-style", "0,ab", "f"},
          {"--convert", "", "f"}}) {
        TParseResult r;
        Parse(args, &r);
        EXPECT_FALSE(r.ok) << args[0] << " " << args[1];
    }
}

}  // namespace

namespace {
TEST(BatchOptionsTest, SyntaxFileAndColours)
{
    TBatchOptions o = Parse({"--syntax", "my.hgl", "--colours", "a.c"});
    EXPECT_EQ(o.syntaxFile, "my.hgl");
    EXPECT_TRUE(o.colours);
    TParseResult r;
    Parse({"--syntax=", "a.c"}, &r);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(Parse({"a.c"}).colours);
}
}  // namespace
