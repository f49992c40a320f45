// The argument macros of user tools, expanded from a document context.
#include "tools/ToolArguments.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TToolEnvironment Environment()
{
    TToolEnvironment env;
    env.programDir = "C:\\Program Files\\Vok";
    env.currentDir = "D:\\work";
    env.shortPath = [](const std::string& path) -> std::string {
        if (path == "C:\\My Docs\\report.v1.txt") return "C:\\MYDOCS~1\\REPORT~1.TXT";
        if (path == "C:\\Program Files\\Vok\\") return "C:\\PROGRA~1\\VOK\\";
        if (path == "C:\\src\\main.c") return "C:\\SRC\\MAIN.C";
        return path;
    };
    return env;
}

TToolContext Context(const char* path)
{
    TToolContext c;
    c.filePath = path;
    c.line = 12;
    c.column = 5;
    c.currentText = "word";
    return c;
}

struct TExpandCase {
    const char* templ;
    const char* path;
    TShortNames shortNames;
    const char* expected;
};

class ToolArguments : public ::testing::TestWithParam<TExpandCase> {};

TEST_P(ToolArguments, Expand)
{
    const TExpandCase& c = GetParam();
    EXPECT_EQ(ExpandToolArguments(c.templ, c.shortNames, Context(c.path), Environment()), c.expected)
        << c.templ << " with " << c.path << " and short names " << static_cast<int>(c.shortNames);
}

const char kSpaced[] = "C:\\My Docs\\report.v1.txt";
const char kPlain[] = "C:\\src\\main.c";
constexpr TShortNames kWhen = TShortNames::WhenSpaced;
constexpr TShortNames kNever = TShortNames::Never;
constexpr TShortNames kAlways = TShortNames::Always;

INSTANTIATE_TEST_SUITE_P(
    Macros, ToolArguments,
    ::testing::Values(TExpandCase{"$(FilePath)", kSpaced, kWhen, "C:\\MYDOCS~1\\REPORT~1.TXT"},
                      TExpandCase{"$(FilePath)", kSpaced, kNever, "\"C:\\My Docs\\report.v1.txt\""},
                      TExpandCase{"$(FilePath)", kSpaced, kAlways, "C:\\MYDOCS~1\\REPORT~1.TXT"},
                      TExpandCase{"$(FilePath)", kPlain, kWhen, "C:\\src\\main.c"},
                      TExpandCase{"$(FilePath)", kPlain, kNever, "C:\\src\\main.c"},
                      TExpandCase{"$(FilePath)", kPlain, kAlways, "C:\\SRC\\MAIN.C"},
                      TExpandCase{"$(FileDir)", kSpaced, kNever, "C:\\My Docs\\"},
                      TExpandCase{"$(FileDir)", kSpaced, kWhen, "C:\\MYDOCS~1\\"},
                      TExpandCase{"$(FileName)", kSpaced, kNever, "report.v1.txt"},
                      TExpandCase{"$(FileName)", kSpaced, kWhen, "REPORT~1.TXT"},
                      TExpandCase{"$(FileExt)", kSpaced, kNever, "txt"},
                      TExpandCase{"$(FileExt)", "C:\\src\\Makefile", kWhen, ""},
                      TExpandCase{"$(FilePath)|$(FileDir)|$(FileName)|$(FileExt)", "", kNever, "|||"},
                      TExpandCase{"$(ProgDir)ozmcap32.exe", kPlain, kWhen, "C:\\PROGRA~1\\VOK\\ozmcap32.exe"},
                      TExpandCase{"$(ProgDir)", kPlain, kNever, "C:\\Program Files\\Vok\\"},
                      TExpandCase{"$(ProgDir)", kPlain, kAlways, "C:\\PROGRA~1\\VOK\\"},
                      TExpandCase{"-l$(CurLine) -c$(CurCol)", kPlain, kWhen, "-l12 -c5"},
                      TExpandCase{"/k $(CurText) in $(CurDir)", kPlain, kWhen, "/k word in D:\\work\\"},
                      TExpandCase{"$5 $(Unknown) $(filepath) $", kPlain, kWhen,
                                  "$5 $(Unknown) $(filepath) $"},
                      TExpandCase{"$$(CurLine)$(CurCol)$", kPlain, kWhen, "$125$"}));

TEST(ToolArgumentsLimits, InsertedValuesAreNotScannedAgain)
{
    TToolContext c = Context(kPlain);
    c.currentText = "$(CurLine)";
    EXPECT_EQ(ExpandToolArguments("$(CurText)", kWhen, c, Environment()), "$(CurLine)");
}

TEST(ToolArgumentsLimits, MacroThatWouldReach256CharactersIsOnlyRemoved)
{
    const std::string path(20, 'p');
    std::string fits = std::string(235, 'a') + "$(FilePath)";
    std::string over = std::string(236, 'a') + "$(FilePath)!";
    EXPECT_EQ(ExpandToolArguments(fits.c_str(), kNever, Context(path.c_str()), Environment()),
              std::string(235, 'a') + path);
    EXPECT_EQ(ExpandToolArguments(over.c_str(), kNever, Context(path.c_str()), Environment()),
              std::string(236, 'a') + "!");
}

TEST(ToolArgumentsLimits, TemplateIsCutTo255Characters)
{
    std::string templ(300, 't');
    EXPECT_EQ(ExpandToolArguments(templ.c_str(), kWhen, Context(kPlain), Environment()).size(), 255u);
}

TEST(ToolArgumentsLimits, WithoutShortNamesTheLongPathIsUsed)
{
    TToolEnvironment env = Environment();
    env.shortPath = nullptr;
    EXPECT_EQ(ExpandToolArguments("$(FilePath)", kAlways, Context(kSpaced), env), kSpaced);
}

}  // namespace
