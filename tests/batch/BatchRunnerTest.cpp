// Whole runs of ozmbatch on files in a scratch folder: what is written, reported, counted and refused.
#include "batch/BatchRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "batch/BatchEditor.h"
#include "engine/Options.h"
#include "search/DocumentSearch.h"
#include "support/TempDir.h"

namespace {

class BatchRunnerTest : public ::testing::Test {
protected:
    void TearDown() override { EngineOptions() = TEngineOptions{}; }

    // Runs a command line; out and err receive what the program printed.
    int Run(const std::vector<std::string>& args)
    {
        out.str("");
        err.str("");
        TBatchOptions options;
        TParseResult parsed = ParseBatchOptions(args, &options);
        if (!parsed.ok) {
            err << parsed.error;
            return kExitUsage;
        }
        return RunBatch(options, {out, err});
    }
    std::string File(const std::string& name, const std::string& text)
    {
        std::string path = dir.File(name);
        TTempDir::Write(path, text);
        return path;
    }

    TTempDir dir;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(BatchRunnerTest, ReportAloneWritesNothing)
{
    // No final line end: any write would add one.
    const std::string path = File("a.txt", "one\ntwo");
    EXPECT_EQ(Run({"--report", "-c", "CursorDown", "-c", "LineEndSelect", path}), kExitOk);
    EXPECT_EQ(TTempDir::Read(path), "one\ntwo");
    EXPECT_EQ(out.str(), "file: " + path +
                             "\nlines: 2\nformat: UNIX\nmodified: 0\ncursor: 2 4\n"
                             "selection: stream 2 1 2 4\nundo: Can't &Undo\n");
}

TEST_F(BatchRunnerTest, MessagesAppearInTheReportAndOnStandardError)
{
    const std::string path = File("long.txt", std::string(1030, 'x'));
    EXPECT_EQ(Run({"--report", path}), kExitOk);
    EXPECT_NE(out.str().find("lines: 2\n"), std::string::npos);
    EXPECT_NE(out.str().find("message: Line length exceeds editor capacity.\\n\\nLong lines split.\n"),
              std::string::npos);
    EXPECT_EQ(err.str(), path + ": Line length exceeds editor capacity.\\n\\nLong lines split.\n");
}

TEST_F(BatchRunnerTest, ChangingTheFormatWritesEvenAnUnchangedDocument)
{
    const std::string same = File("same.txt", "a\r\nb");
    const std::string other = File("other.txt", "a\r\nb");
    EXPECT_EQ(Run({"-f", "dos", same}), kExitOk);
    EXPECT_EQ(TTempDir::Read(same), "a\r\nb");
    EXPECT_EQ(Run({"-f", "mac", other}), kExitOk);
    EXPECT_EQ(TTempDir::Read(other), "a\rb\r");
}

TEST_F(BatchRunnerTest, OutputToAFolderLeavesTheInputsAlone)
{
    const std::string a = File("a.txt", "x\n");
    const std::string b = File("b.txt", "y\n");
    std::filesystem::create_directory(dir.File("out"));
    EXPECT_EQ(Run({"-c", "InsertText \"-\"", "-o", dir.File("out"), a, b}), kExitOk);
    EXPECT_EQ(TTempDir::Read(a), "x\n");
    EXPECT_EQ(TTempDir::Read(dir.File("out/a.txt")), "-x\n");
    EXPECT_EQ(TTempDir::Read(dir.File("out/b.txt")), "-y\n");
}

TEST_F(BatchRunnerTest, SeveralFilesIntoOneOutputFileIsBadUsage)
{
    const std::string a = File("a.txt", "x\n");
    EXPECT_EQ(Run({"-o", dir.File("one.txt"), a, a}), kExitUsage);
    EXPECT_FALSE(std::filesystem::exists(dir.File("one.txt")));
}

TEST_F(BatchRunnerTest, StandardOutputReceivesTheDocument)
{
    const std::string a = File("a.txt", "x\r\ny\r\n");
    EXPECT_EQ(Run({"-o", "-", "-f", "unix", a}), kExitOk);
    EXPECT_EQ(out.str(), "x\ny\n");
    EXPECT_EQ(TTempDir::Read(a), "x\r\ny\r\n");
}

TEST_F(BatchRunnerTest, TheClipboardCarriesABlockIntoTheNextFile)
{
    const std::string a = File("a.txt", "first\n");
    const std::string b = File("b.txt", "second\n");
    // Paste first, then copy the rest of the line: the first file has nothing to paste yet.
    EXPECT_EQ(Run({"-K", "Ctrl+K C Ctrl+K B End Ctrl+K K", a, b}), kExitOk);
    EXPECT_EQ(TTempDir::Read(a), "first\n");
    EXPECT_EQ(TTempDir::Read(b), "firstsecond\n");
}

struct TRefusal {
    std::vector<std::string> args;
    int exitCode;
    const char* errorPart;
};

class BatchRefusalTest : public BatchRunnerTest, public ::testing::WithParamInterface<TRefusal> {};

// Every refusal comes before any document is touched.
TEST_P(BatchRefusalTest, LeavesTheFileAsItWas)
{
    const std::string path = File("a.txt", "text\n");
    std::vector<std::string> args = GetParam().args;
    args.push_back(path);
    EXPECT_EQ(Run(args), GetParam().exitCode);
    EXPECT_NE(err.str().find(GetParam().errorPart), std::string::npos) << err.str();
    EXPECT_EQ(TTempDir::Read(path), "text\n");
    EXPECT_EQ(out.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, BatchRefusalTest,
    ::testing::Values(
        TRefusal{{"-c", "InsertText \"x\"", "-c", "NoSuchCommand"}, kExitFailed, "Line 1: Unknown command."},
        TRefusal{{"-c", "InsertText \"x\"", "-K", "Ctrl+Nothing"}, kExitFailed, "unknown key \"Ctrl+"},
        TRefusal{{"-c", "InsertText \"x\"", "-r", "Tidy"}, kExitFailed, "no macro named \"Tidy\""},
        TRefusal{{"-c", "InsertText \"x\"", "-s", "/nonexistent/ozm.ini"}, kExitFailed, "Cannot open"},
        TRefusal{{"-c", "InsertText \"x\"", "-k", "/nonexistent/ozm.key"}, kExitFailed, "Cannot open"},
        TRefusal{{"-c", "InsertText \"x\"", "-m", "/nonexistent/a.mac"}, kExitFailed, "Cannot open"},
        TRefusal{{"-c", "Find", "--find", "{a", "--regex"}, kExitFailed, "Regular expression error:  "}));

TEST_F(BatchRunnerTest, ABinaryFileIsNotWrittenBackInPlace)
{
    const std::string path = File("bin.dat", std::string("a\0b\n", 4));
    EXPECT_EQ(Run({"-c", "InsertText \"x\"", path}), kExitFailed);
    EXPECT_EQ(TTempDir::Read(path), std::string("a\0b\n", 4));
    EXPECT_NE(err.str().find("not written"), std::string::npos);
}

TEST_F(BatchRunnerTest, AMissingFileFailsButTheOthersAreStillDone)
{
    const std::string a = File("a.txt", "x\n");
    EXPECT_EQ(Run({"-c", "InsertText \"-\"", dir.File("none.txt"), a}), kExitFailed);
    EXPECT_EQ(TTempDir::Read(a), "-x\n");
}

TEST_F(BatchRunnerTest, SettingsChangeTheEngineOptions)
{
    const std::string ini = File("ozm.ini", "[Editor]\nTabSize=4\nUseTabChar=0\n");
    const std::string a = File("a.txt", "x\n");
    EXPECT_EQ(Run({"-s", ini, "-c", "Tab", a}), kExitOk);
    EXPECT_EQ(TTempDir::Read(a), "    x\n");
}

TEST_F(BatchRunnerTest, ReplaceAllByPatternIsOneReplaceUndoAtTheEnd)
{
    const std::string a = File("a.txt", "a1 b22\nc333\n");
    EXPECT_EQ(Run({"--find", "[0-9]+", "--replace", "#", "--regex", "--all", "--no-prompt", "-c", "Replace",
                   "--report", a}),
              kExitOk);
    EXPECT_EQ(TTempDir::Read(a), "a# b#\nc#\n");
    EXPECT_NE(out.str().find("undo: &Undo Replace\n"), std::string::npos);
    EXPECT_NE(out.str().find("modified: 1\n"), std::string::npos);
}

TEST_F(BatchRunnerTest, CountIsRepeatedFindFromTheTop)
{
    const std::string a = File("a.txt", "12x 3x\nno\n9x and 4\n");
    EXPECT_EQ(Run({"--count", "--find", "[0-9]+x", "--regex", a}), kExitOk);
    EXPECT_EQ(out.str(), "matches: 3\nlines: 2\n");
    EXPECT_EQ(Run({"--count", "--find", "X", "--case", a}), kExitOk);
    EXPECT_EQ(out.str(), "matches: 0\nlines: 0\n");
}

TEST_F(BatchRunnerTest, CountingEmptyMatchesEnds)
{
    const std::string a = File("a.txt", "ab\n\nc\n");
    EXPECT_EQ(Run({"--count", "--find", "^", "--regex", a}), kExitOk);
    EXPECT_EQ(out.str(), "matches: 3\nlines: 3\n");
}

TEST(OneLineTest, LineBreaksBecomeBackslashN)
{
    EXPECT_EQ(OneLine("a\n\nb"), "a\\n\\nb");
    EXPECT_EQ(OneLine("a\r\nb"), "a\\nb");
}

}  // namespace
