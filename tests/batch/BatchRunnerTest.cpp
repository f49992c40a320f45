// Whole runs of ozmbatch on files in a scratch folder: what is written, reported, counted and refused.
#include "batch/BatchRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <streambuf>
#include <vector>

#include "batch/BatchEditor.h"
#include "engine/Options.h"
#include "search/DocumentSearch.h"
#include "support/TempDir.h"

namespace {

class BatchRunnerTest : public ::testing::Test {
protected:
    void TearDown() override { EngineOptions() = TEngineOptions{}; }

    // Runs a command line; out and err receive what the program printed.
    int Run(const std::vector<std::string>& args) { return RunInto(args, out); }
    // The same with standard output sent to sink.
    int RunInto(const std::vector<std::string>& args, std::ostream& sink)
    {
        out.str("");
        err.str("");
        TBatchOptions options;
        TParseResult parsed = ParseBatchOptions(args, &options);
        if (!parsed.ok) {
            err << parsed.error;
            return kExitUsage;
        }
        return RunBatch(options, {sink, err});
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

// Every name in the scratch folder.
std::vector<std::string> Names(const TTempDir& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(BatchRunnerTest, BackupOfAFileNamedBakIsRefusedBeforeAnythingIsTouched)
{
    const std::string a = File("a.txt", "first\n");
    const std::string bak = File("x.bak", "precious\n");
    EXPECT_EQ(Run({"--backup", "-c", "InsertText \"-\"", a, bak}), kExitUsage);
    EXPECT_NE(err.str().find("x.bak"), std::string::npos) << err.str();
    EXPECT_EQ(TTempDir::Read(a), "first\n");
    EXPECT_EQ(TTempDir::Read(bak), "precious\n");
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"a.txt", "x.bak"}));
    // Without --backup nothing stands in the way.
    EXPECT_EQ(Run({"-c", "InsertText \"-\"", bak}), kExitOk);
    EXPECT_EQ(TTempDir::Read(bak), "-precious\n");
}

TEST_F(BatchRunnerTest, InputsSharingABackupNameAreRefusedBeforeAnythingIsTouched)
{
    const std::string c = File("a.c", "source\n");
    const std::string h = File("a.h", "header\n");
    EXPECT_EQ(Run({"--backup", "-c", "InsertText \"-\"", c, h}), kExitUsage);
    EXPECT_NE(err.str().find("a.bak"), std::string::npos) << err.str();
    EXPECT_EQ(TTempDir::Read(c), "source\n");
    EXPECT_EQ(TTempDir::Read(h), "header\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.bak")));

    // The backup of one input is another input; the same file named twice.
    const std::string b = File("a.bak", "kept\n");
    EXPECT_EQ(Run({"--backup", "-c", "InsertText \"-\"", c, b}), kExitUsage);
    EXPECT_EQ(TTempDir::Read(b), "kept\n");
    EXPECT_EQ(Run({"--backup", "-c", "InsertText \"-\"", c, dir.Path() + "/./a.c"}), kExitUsage);
    EXPECT_EQ(TTempDir::Read(c), "source\n");

    // Written elsewhere, no backup is made, and the names do not matter.
    std::filesystem::create_directory(dir.File("out"));
    EXPECT_EQ(Run({"--backup", "-c", "InsertText \"-\"", "-o", dir.File("out"), c, h}), kExitOk);
}

TEST_F(BatchRunnerTest, AReadOnlyFileIsRefusedAsTheEditorDoes)
{
    namespace fs = std::filesystem;
    const std::string a = File("a.txt", "keep\n");
    fs::permissions(a, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_EQ(Run({"-c", "InsertText \"x\"", a}), kExitFailed);
    EXPECT_NE(err.str().find("write-protected"), std::string::npos) << err.str();
    EXPECT_EQ(TTempDir::Read(a), "keep\n");
    // Reading it is still fine, and so is writing the result elsewhere.
    EXPECT_EQ(Run({"-c", "InsertText \"x\"", "-o", "-", a}), kExitOk);
    EXPECT_EQ(out.str(), "xkeep\n");
    fs::permissions(a, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(BatchRunnerTest, SplitLongLinesAreNotWrittenBackInPlace)
{
    const std::string text = std::string(1030, 'x') + "\n";
    const std::string path = File("long.txt", text);
    EXPECT_EQ(Run({"-c", "CursorDown", "-c", "InsertText \"y\"", path}), kExitFailed);
    EXPECT_NE(err.str().find("not written"), std::string::npos) << err.str();
    EXPECT_EQ(TTempDir::Read(path), text);
    // A format change alone would write it too.
    EXPECT_EQ(Run({"-f", "dos", path}), kExitFailed);
    EXPECT_EQ(TTempDir::Read(path), text);
    // Elsewhere the pieces are written as the editor saves them.
    EXPECT_EQ(Run({"-c", "CursorDown", "-c", "InsertText \"y\"", "-o", dir.File("out.txt"), path}), kExitOk);
    EXPECT_EQ(TTempDir::Read(dir.File("out.txt")), std::string(1024, 'x') + "\ny" + std::string(6, 'x') + "\n");
}

// A standard output that takes nothing, as a full disk does.
class TFullBuffer final : public std::streambuf {
protected:
    int overflow(int) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST_F(BatchRunnerTest, StandardOutputThatCannotBeWrittenFailsTheRun)
{
    const std::string a = File("a.txt", "12x\n");
    const std::vector<std::vector<std::string>> runs = {
        {"--count", "--find", "x", a}, {"--report", a}, {"--list-keys"}, {"-o", "-", a}};
    for (const auto& args : runs) {
        TFullBuffer full;
        std::ostream sink(&full);
        EXPECT_EQ(RunInto(args, sink), kExitFailed) << args[0];
        EXPECT_NE(err.str().find("standard output"), std::string::npos) << args[0] << ": " << err.str();
    }
    EXPECT_EQ(TTempDir::Read(a), "12x\n");
}

TEST_F(BatchRunnerTest, TwoMacroFilesRunInOrder)
{
    const std::string first = File("first.mac", "InsertText \"1\"\r\n");
    const std::string second = File("second.mac", "InsertText \"2\"\r\n");
    const std::string a = File("a.txt", "x\n");
    EXPECT_EQ(Run({"-m", first, "-c", "InsertText \"3\"", "-m", second, a}), kExitOk);
    EXPECT_EQ(TTempDir::Read(a), "123x\n");
}

TEST_F(BatchRunnerTest, AFolderGivenAsAFileIsRefusedAndTheOthersAreDone)
{
    const std::string a = File("a.txt", "x\n");
    std::filesystem::create_directory(dir.File("sub"));
    EXPECT_EQ(Run({"-c", "InsertText \"-\"", dir.File("sub"), a}), kExitFailed);
    EXPECT_NE(err.str().find("folder"), std::string::npos) << err.str();
    EXPECT_EQ(TTempDir::Read(a), "-x\n");
    // A macro file that is a folder is refused before any document.
    EXPECT_EQ(Run({"-m", dir.File("sub"), a}), kExitFailed);
    EXPECT_NE(err.str().find("folder"), std::string::npos) << err.str();
}

TEST(OneLineTest, LineBreaksBecomeBackslashN)
{
    EXPECT_EQ(OneLine("a\n\nb"), "a\\n\\nb");
    EXPECT_EQ(OneLine("a\r\nb"), "a\\nb");
}

}  // namespace

namespace {

// A C-like language whose classes show in the digits: comment 3, preprocessor d, string and number 6,
// keyword a, delimiters and operators 0.
const char* const kSyntax =
    "[C]\nExtensions=c h\nMultiComment=/* */\nLineComment1=//\nStringDelim=\"\nQuoteChar=\\\n"
    "Words=0-9a-zA-Z_\nNumbers=0-9\nPreprocess=#\nDelimiters=;\nOperators==\nKeyword3=int\nKeyword6=return\n"
    "ColorComment=3\nColorPreproc=13\nColorString=6\nColorNumber=6\nColorKeyword=10\n";

TEST_F(BatchRunnerTest, ColoursPrintOneDigitPerDisplayColumn)
{
    const std::string syntax = File("syntax.hgl", kSyntax);
    const std::string path = File("a.c", "#if X\n\tint x = 10; /* a\n\nb */ return \"s\";\n");
    EXPECT_EQ(Run({"--syntax", syntax, "--colours", "-f", "unix", path}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "colours 1: ddd0d\n"
                         "colours 2: 00000000aaa0000066003333\n"  // the tab fills eight columns
                         "colours 3: \n"
                         "colours 4: 33330aaaaaa06660\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(BatchRunnerTest, ColoursFollowTheCommandsAndTheFileName)
{
    const std::string syntax = File("syntax.hgl", kSyntax);
    const std::string c = File("b.c", "x\n");
    const std::string txt = File("b.txt", "int\n");
    // The commands run first: the document is coloured as they left it (and is then written).
    EXPECT_EQ(Run({"--syntax", syntax, "--colours", "-c", "InsertText \"/* \"", c, txt}), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "file: " + c + "\ncolours 1: 3333\n" "file: " + txt + "\ncolours 1: 000000\n");
    EXPECT_EQ(TTempDir::Read(c), "/* x\n");
}

TEST_F(BatchRunnerTest, AMissingSyntaxFileNamedByTheUserFailsTheRun)
{
    const std::string path = File("a.c", "int\n");
    EXPECT_EQ(Run({"--syntax", dir.File("none.hgl"), "--colours", path}), kExitFailed);
    EXPECT_NE(err.str().find("none.hgl"), std::string::npos);
    EXPECT_EQ(out.str(), "");
    // Without --syntax and without a file beside the program nothing is coloured.
    EXPECT_EQ(Run({"--colours", path}), kExitOk);
    EXPECT_EQ(out.str(), "colours 1: 000\n");
}

}  // namespace

// AutoCorrect in the batch program: off without a list file, the flags and language from the settings,
// typed keys corrected as in the window, Caps Lock on at the start with --caps-lock.
TEST_F(BatchRunnerTest, AutoCorrectCorrectsTypedKeys)
{
    const std::string acr = File("ozm.acr", "[ReplaceWithEng]\nteh=the\ni=I\n[FirstLetterExceptionsEng]\ne.g.=\n"
                                             "[ReplaceWithCro]\nvec=ve\xE6\r\n");
    const std::string doc = File("a.txt", "");
    ASSERT_EQ(Run({"-K", "t e h Space", doc}), kExitOk);
    EXPECT_EQ(TTempDir::Read(doc), "teh\r\n");
    TTempDir::Write(doc, "");
    ASSERT_EQ(Run({"--autocorrect", acr, "-K", "t e h Space ( i ) Space e . g . Space t e h . Space t e h Space", doc}),
              kExitOk);
    EXPECT_EQ(TTempDir::Read(doc), "The (I) e.g. the. The\r\n");

    const std::string ini = File("s.ini", "[AutoCorrect]\nLanguage=2\nCapitalizeSentence=0\nCorrectCapsLock=0\r\n");
    TTempDir::Write(doc, "");
    ASSERT_EQ(Run({"-s", ini, "--autocorrect", acr, "--caps-lock", "-K", "v e c Space t e h Space h E L L O Space", doc}),
              kExitOk);
    EXPECT_EQ(TTempDir::Read(doc), "ve\xE6 teh hELLO\r\n");
    TTempDir::Write(doc, "");
    ASSERT_EQ(Run({"--autocorrect", acr, "--caps-lock", "-K", "h E L L O Space h E L L O Space", doc}), kExitOk);
    EXPECT_EQ(TTempDir::Read(doc), "Hello hELLO\r\n");

    EXPECT_EQ(Run({"--autocorrect", dir.File("missing.acr"), doc}), kExitFailed);
    EXPECT_NE(err.str().find("missing.acr"), std::string::npos);
    EXPECT_EQ(Run({"--autocorrect=", doc}), kExitUsage);
}

// --import: the document's text instead of its bytes, reflowed by the settings, written to --output only.
TEST_F(BatchRunnerTest, ImportWritesTheTextOfADocumentReflowedByTheSettings)
{
    std::string text = "alpha beta gamma\rdelta";
    std::string doc(0x80, '\0');
    doc[0] = char(0x9B);
    doc[1] = char(0xA5);
    doc[0x18] = char(0x80);
    doc[0x1C] = char(0x80 + text.size());
    const std::string word = File("a.doc", doc + text);
    const std::string ini = File("ozm.ini", "[Editor]\nWordWrapColumn=11\n");
    const std::string result = dir.File("a.txt");
    EXPECT_EQ(Run({"--import", "-s", ini, "-c", "InsertText \">\"", "-o", result, word}), kExitOk) << err.str();
    EXPECT_EQ(TTempDir::Read(result), ">alpha beta\r\ngamma\r\ndelta\r\n");
    EXPECT_EQ(TTempDir::Read(word), doc + text) << "the document itself is never written";
}

TEST_F(BatchRunnerTest, ImportOfAFileWithoutAResultFailsWithTheEditorsMessage)
{
    const std::string plain = File("plain.doc", "not a document\n");
    const std::string doc = File("b.wpd", std::string("\xFFWPC\x10\0\0\0\x01\x0A\0\x01\x05\0\0\0text", 20));
    const std::string result = dir.File("out");
    std::filesystem::create_directory(result);
    EXPECT_EQ(Run({"--import", "-o", result, plain, doc}), kExitFailed);
    EXPECT_NE(err.str().find("Cannot open " + plain + " file."), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("Cannot open " + doc + " file."), std::string::npos) << "encrypted";
    EXPECT_FALSE(std::filesystem::exists(dir.File("out/plain.doc")));
    EXPECT_EQ(Run({"--import", dir.File("a.doc")}), kExitUsage);
}
