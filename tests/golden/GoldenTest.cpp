// The golden cases: each folder here is a document, a macro and the bytes ozmbatch must write for them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "batch/BatchOptions.h"
#include "batch/BatchRunner.h"
#include "engine/Options.h"
#include "engine/VokEditor.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

fs::path GoldenRoot()
{
    std::string source = VOK_SOURCE_DIR;
#ifdef _WIN32
    // The Windows build runs under Wine with the source tree's Unix path: Wine shows "/" as drive Z:,
    // whatever drive the test program was started from.
    if (!source.empty() && source[0] == '/')
        source = "Z:" + source;
#endif
    return fs::path(source) / "tests" / "golden";
}

std::string ReadAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every folder holding a cmd, sorted so that the order does not depend on the file system.
std::vector<std::string> CaseNames()
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(GoldenRoot(), ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory() && fs::exists(it->path() / "cmd"))
            names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The lines of the optional args file, one argument each; blank lines are skipped, so an empty value
// is written in the "--replace=" form.
std::vector<std::string> ExtraArguments(const fs::path& file)
{
    std::vector<std::string> args;
    std::istringstream in(ReadAll(file));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            args.push_back(line);
    }
    return args;
}

// The command line a case stands for; scripts/batch-e2e.sh builds the same one for the program itself.
std::vector<std::string> CaseArguments(const fs::path& dir, const std::string& output)
{
    std::vector<std::string> args = {"-m", (dir / "cmd").string()};
    if (fs::exists(dir / "ini")) {
        args.push_back("-s");
        args.push_back((dir / "ini").string());
    }
    if (fs::exists(dir / "args")) {
        std::vector<std::string> extra = ExtraArguments(dir / "args");
        args.insert(args.end(), extra.begin(), extra.end());
    }
    for (const char* tail : {"--report", "-o"})
        args.push_back(tail);
    args.push_back(output);
    args.push_back((dir / "in").string());
    return args;
}

// A line as the diff shows it: line ends and other control bytes spelt out, so that CR LF, a tab and
// trailing blanks can be told apart.
std::string Visible(const std::string& line)
{
    static const char kHex[] = "0123456789abcdef";
    std::string shown;
    for (unsigned char c : line) {
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else if (c == '\t')
            shown += "\\t";
        else if (c == '\\')
            shown += "\\\\";
        else if (c < 32 || c >= 127)
            shown += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
        else
            shown += static_cast<char>(c);
    }
    return shown;
}

// Splits after each line end (CR LF, LF or a lone CR), keeping it with its line.
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool end = text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
        if (end) {
            lines.push_back(text.substr(start, i + 1 - start));
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

// A line diff by longest common subsequence: "-" expected only, "+" actual only. The cases are small.
std::string Diff(const std::string& expected, const std::string& actual)
{
    const std::vector<std::string> a = SplitLines(expected), b = SplitLines(actual);
    std::vector<std::vector<int>> common(a.size() + 1, std::vector<int>(b.size() + 1, 0));
    for (std::size_t i = a.size(); i-- > 0;)
        for (std::size_t j = b.size(); j-- > 0;)
            common[i][j] = a[i] == b[j] ? common[i + 1][j + 1] + 1
                                        : std::max(common[i + 1][j], common[i][j + 1]);
    std::ostringstream out;
    std::size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && j < b.size() && a[i] == b[j]) {
            out << "  " << Visible(a[i++]) << "\n";
            ++j;
        } else if (i < a.size() && (j == b.size() || common[i + 1][j] >= common[i][j + 1])) {
            out << "- " << Visible(a[i++]) << "\n";
        } else {
            out << "+ " << Visible(b[j++]) << "\n";
        }
    }
    return out.str();
}

void ExpectSameBytes(const std::string& what, const std::string& expected, const std::string& actual)
{
    if (expected != actual)
        ADD_FAILURE() << what << " differs (- expected, + actual):\n" << Diff(expected, actual);
}

class GoldenTest : public ::testing::TestWithParam<std::string> {
protected:
    void TearDown() override { EngineOptions() = TEngineOptions{}; }
};

TEST_P(GoldenTest, WritesTheExpectedBytes)
{
    const fs::path dir = GoldenRoot() / GetParam();
    ASSERT_TRUE(fs::exists(dir / "in")) << dir << " has no in";
    ASSERT_TRUE(fs::exists(dir / "out")) << dir << " has no out";
    TTempDir temp;
    const std::string output = temp.File("out");
    TBatchOptions options;
    TParseResult parsed = ParseBatchOptions(CaseArguments(dir, output), &options);
    ASSERT_TRUE(parsed.ok) << parsed.error;

    std::ostringstream out, err;
    std::unique_ptr<TVokEditor> document;
    ASSERT_EQ(RunBatch(options, {out, err, &document}), kExitOk) << err.str();
    ASSERT_TRUE(document);
    // Whatever the commands did, the line list must still hang together.
    EXPECT_TRUE(document->CheckList());

    ExpectSameBytes("out", ReadAll(dir / "out"), TTempDir::Read(output));
    if (fs::exists(dir / "report")) {
        // The program names the document as it was given; the case names it "in", as the script does.
        std::string report = out.str();
        const std::string given = "file: " + (dir / "in").string() + "\n";
        if (report.compare(0, given.size(), given) == 0)
            report.replace(0, given.size(), "file: in\n");
        ExpectSameBytes("report", ReadAll(dir / "report"), report);
    }
}

std::string CaseTestName(const ::testing::TestParamInfo<std::string>& info)
{
    std::string name = info.param;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenTest, ::testing::ValuesIn(CaseNames()), CaseTestName);

// A build that cannot see the folders would otherwise pass without checking anything.
TEST(GoldenCases, AreFound)
{
    EXPECT_GE(CaseNames().size(), 40u) << GoldenRoot();
}

}  // namespace
