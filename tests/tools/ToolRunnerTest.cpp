// Running a user tool: the save step, the initial directory, the program and the two command lines.
#include "tools/ToolRunner.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TToolEnvironment Environment(const char* programDir = "C:\\Program Files\\Vok\\")
{
    TToolEnvironment env;
    env.programDir = programDir;
    env.currentDir = "D:\\work";
    env.shortPath = [](const std::string& path) -> std::string {
        if (path == "C:\\Program Files\\Vok\\ozmcap32.exe") return "C:\\PROGRA~1\\VOK\\OZMCAP32.EXE";
        if (path == "C:\\Program Files\\Vok\\cc.exe") return "C:\\PROGRA~1\\VOK\\CC.EXE";
        if (path == "C:\\Temp Files\\ozm1A.tmp") return "C:\\TEMPFI~1\\OZM1A.TMP";
        if (path == "C:\\My Tools\\grep.exe") return "C:\\MYTOOL~1\\GREP.EXE";
        return path;
    };
    return env;
}

TUserToolElement Tool(TSaveBeforeTool save, bool prompt)
{
    TUserToolElement t;
    std::strcpy(t.menuText, "T");
    std::strcpy(t.program, "t.exe");
    t.saveFiles = save;
    t.promptBeforeSave = prompt;
    return t;
}

TEST(ToolSaveStep, EachRuleWithAndWithoutPromptAndModifiedDocument)
{
    struct {
        TSaveBeforeTool save;
        bool prompt;
        bool modified;
        unsigned question;
        int command;
    } const cases[] = {
        {TSaveBeforeTool::Nothing, false, true, 0, 0},
        {TSaveBeforeTool::Nothing, true, true, 0, 0},
        {TSaveBeforeTool::ActiveFile, false, false, 0, 0},
        {TSaveBeforeTool::ActiveFile, true, false, 0, 0},  // unchanged: nothing saved, nothing asked
        {TSaveBeforeTool::ActiveFile, false, true, 0, 94},
        {TSaveBeforeTool::ActiveFile, true, true, 15600, 94},
        {TSaveBeforeTool::AllFiles, false, false, 0, 95},
        {TSaveBeforeTool::AllFiles, true, false, 15601, 95},
        {TSaveBeforeTool::AllFiles, true, true, 15601, 95},
    };
    for (const auto& c : cases) {
        TToolSaveStep step = ToolSaveStep(Tool(c.save, c.prompt), c.modified);
        EXPECT_EQ(step.question, c.question) << static_cast<int>(c.save) << c.prompt << c.modified;
        EXPECT_EQ(step.frameCommand, c.command) << static_cast<int>(c.save) << c.prompt << c.modified;
    }
}

TEST(ToolInitialDirectory, MacrosAndPaths)
{
    TToolEnvironment env = Environment();
    TToolContext doc;
    doc.filePath = "C:\\src\\lib\\main.c";
    EXPECT_EQ(ToolInitialDirectory("$(FileDir)", doc, env), "C:\\src\\lib");
    EXPECT_EQ(ToolInitialDirectory("$(filedir)", doc, env), "C:\\src\\lib");
    EXPECT_EQ(ToolInitialDirectory("$(CurDir)", doc, env), "D:\\work");
    EXPECT_EQ(ToolInitialDirectory("$(ProgDir)", doc, env), "C:\\Program Files\\Vok\\");
    EXPECT_EQ(ToolInitialDirectory("E:\\build", doc, env), "E:\\build");
    EXPECT_EQ(ToolInitialDirectory("", doc, env), "");
    doc.filePath = "C:\\main.c";
    EXPECT_EQ(ToolInitialDirectory("$(FileDir)", doc, env), "C:\\");
    doc.filePath = "";  // untitled: no directory to go to
    EXPECT_EQ(ToolInitialDirectory("$(FileDir)", doc, env), "");
}

TEST(ToolCommandLines, ProgramAndArgumentsAreCutTo511Characters)
{
    TToolEnvironment env = Environment();
    EXPECT_EQ(ToolProgramPath("$(ProgDir)cc.exe", env), "C:\\Program Files\\Vok\\cc.exe");
    EXPECT_EQ(ToolProgramPath("$(ProgDir)cc.exe", Environment("C:\\Vok")), "C:\\Vok\\cc.exe");
    EXPECT_EQ(ToolProgramPath("cmd.exe", env), "cmd.exe");
    EXPECT_EQ(ToolCommandLine("cmd.exe", "/c dir"), "cmd.exe /c dir");
    std::string args(600, 'a');
    std::string line = ToolCommandLine("cmd.exe", args);
    EXPECT_EQ(line.size(), 511u);
    EXPECT_EQ(line.compare(0, 8, "cmd.exe "), 0);
    EXPECT_EQ(ToolCommandLine("p", std::string(509, 'x')).size(), 511u);
}

TEST(ToolCommandLines, CaptureLineNamesCaptureProgramTemporaryFileProgramAndArguments)
{
    TToolEnvironment env = Environment();
    const std::string temp = "C:\\Temp Files\\ozm1A.tmp";
    EXPECT_EQ(CaptureCommandLine("$(ProgDir)cc.exe", "-c main.c", temp, env),
              "C:\\PROGRA~1\\VOK\\OZMCAP32.EXE C:\\TEMPFI~1\\OZM1A.TMP C:\\PROGRA~1\\VOK\\CC.EXE -c main.c");
    // A program with a drive goes in short form; one found on the path as written.
    EXPECT_EQ(CaptureCommandLine("C:\\My Tools\\grep.exe", "x", temp, env),
              "C:\\PROGRA~1\\VOK\\OZMCAP32.EXE C:\\TEMPFI~1\\OZM1A.TMP C:\\MYTOOL~1\\GREP.EXE x");
    EXPECT_EQ(CaptureCommandLine("cmd", "/c echo hi", temp, env),
              "C:\\PROGRA~1\\VOK\\OZMCAP32.EXE C:\\TEMPFI~1\\OZM1A.TMP cmd /c echo hi");
    EXPECT_EQ(CaptureCommandLine("cmd", std::string(700, 'z'), temp, env).size(), 511u);
}

TEST(ToolMenuText, FromTheProgramFileName)
{
    EXPECT_EQ(ToolMenuTextFor("C:\\bin\\GREP.EXE", 1), "&Grep");
    EXPECT_EQ(ToolMenuTextFor("c:\\tools\\make.tar.exe", 2), "&Make.tar");
    EXPECT_EQ(ToolMenuTextFor("C:\\bin\\.exe", 3), "Tool&3");
    EXPECT_EQ(ToolMenuTextFor(std::string("C:\\") + std::string(60, 'Q') + ".exe", 4).size(), 39u);
}

}  // namespace
