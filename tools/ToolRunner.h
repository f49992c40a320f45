// The decisions of running a user tool that need no system: what to save first, where to run, and the
// command lines of a tool run directly and of one run through the capture program.
#pragma once

#include <string>

#include "tools/ToolArguments.h"
#include "tools/UserTools.h"

inline constexpr std::size_t kToolCommandLineMax = 511;  // longer command lines are cut
inline constexpr const char* kCaptureProgram = "ozmcap32.exe";

// What happens before a tool runs. question is 0 when nothing is asked, else the string of the
// Yes/No/Cancel question; frameCommand is the frame's save command (94 active, 95 every document) or 0.
struct TToolSaveStep {
    unsigned question = 0;
    int frameCommand = 0;
};
inline constexpr unsigned kSaveActiveQuestion = 15600;
inline constexpr unsigned kSaveAllQuestion = 15601;
inline constexpr int kFrameSaveActive = 94;
inline constexpr int kFrameSaveEvery = 95;

// Rule 1 saves the active document only when it is modified; rule 2 saves every document, asking first
// when the tool says so.
TToolSaveStep ToolSaveStep(const TUserToolElement& tool, bool activeModified);

// The directory to make current before the tool runs, empty for none. "$(FileDir)" (any case) is the
// document's directory (a drive root keeps its backslash), "$(CurDir)" and "$(ProgDir)" the current and
// the editor's directory; any other text is a path.
std::string ToolInitialDirectory(const char* initialDir, const TToolContext& context, const TToolEnvironment& env);

// The program text with a leading "$(ProgDir)" replaced by the editor's directory.
std::string ToolProgramPath(const char* program, const TToolEnvironment& env);

// Program, a blank and the arguments, cut to 511 characters.
std::string ToolCommandLine(const std::string& program, const std::string& arguments);

// The capture program's command line: its own short path, the temporary file's short path, the program
// (in short form when its text began with "$(ProgDir)" or names a drive) and the arguments, blank
// separated and cut to 511 characters.
std::string CaptureCommandLine(const char* programText, const std::string& arguments,
                               const std::string& tempFile, const TToolEnvironment& env);

// The menu text a tool added from a program file gets: "&" and the file name without directory and
// extension, lower case with a capital first letter, cut to 39 characters; "Tool&N" when that is empty.
std::string ToolMenuTextFor(const std::string& programPath, int number);
