// Splitting command lines into file names and naming new documents.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/CommandLine.h"

namespace {

struct SplitCase {
    const char* text;
    std::vector<std::string> names;
};

class SplitCommandLineTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, GivesTheNamesInOrder)
{
    EXPECT_EQ(SplitCommandLine(GetParam().text), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, SplitCommandLineTest,
    testing::Values(SplitCase{"", {}}, SplitCase{"   ", {}}, SplitCase{"a.txt", {"a.txt"}},
                    SplitCase{"  a.txt   b.c  ", {"a.txt", "b.c"}},
                    // A quoted name with a blank, then an unquoted one: two files.
                    SplitCase{"\"C:\\My Files\\a b.txt\" other.txt", {"C:\\My Files\\a b.txt", "other.txt"}},
                    // An unmatched opening quote takes the rest of the line as one name.
                    SplitCase{"x.txt \"C:\\dir name\\rest of line", {"x.txt", "C:\\dir name\\rest of line"}},
                    SplitCase{"\"\" a", {"a"}}, SplitCase{"a\tb", {"a", "b"}},
                    SplitCase{"\"q\"next", {"q", "next"}}));

TEST(SplitCommandLine, CutsATokenAt259Characters)
{
    std::string longName(300, 'n');
    std::vector<std::string> names = SplitCommandLine(("\"" + longName + "\" b").c_str());
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], std::string(259, 'n'));
    EXPECT_EQ(names[1], "b");
}

TEST(SplitCommandLine, NullTextGivesNothing)
{
    EXPECT_TRUE(SplitCommandLine(nullptr).empty());
}

struct NameCase {
    unsigned counter;
    const char* name;
};

class UntitledNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(UntitledNameTest, SwitchesFormAtOneHundred)
{
    EXPECT_EQ(UntitledName(GetParam().counter), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, UntitledNameTest,
                         testing::Values(NameCase{1, "noname01.txt"}, NameCase{9, "noname09.txt"},
                                         NameCase{99, "noname99.txt"}, NameCase{100, "nnam0100.txt"},
                                         NameCase{9999, "nnam9999.txt"}, NameCase{65535, "nnam65535.txt"},
                                         NameCase{65536, "noname00.txt"}));

}  // namespace
