// Saving, directories and command lines of a user tool run.
#include "tools/ToolRunner.h"

#include <cctype>
#include <cstring>

#include "base/TextTools.h"

namespace {

constexpr const char* kProgDir = "$(ProgDir)";

std::string WithBackslash(std::string dir)
{
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/') dir += '\\';
    return dir;
}

std::string Shorten(const std::string& path, const TToolEnvironment& env)
{
    if (!env.shortPath) return path;
    std::string s = env.shortPath(path);
    return s.empty() ? path : s;
}

std::string Cut(std::string text)
{
    if (text.size() > kToolCommandLineMax) text.resize(kToolCommandLineMax);
    return text;
}

}  // namespace

TToolSaveStep ToolSaveStep(const TUserToolElement& tool, bool activeModified)
{
    TToolSaveStep step;
    if (tool.saveFiles == TSaveBeforeTool::AllFiles) {
        step.frameCommand = kFrameSaveEvery;
        step.question = tool.promptBeforeSave ? kSaveAllQuestion : 0;
    } else if (tool.saveFiles == TSaveBeforeTool::ActiveFile && activeModified) {
        step.frameCommand = kFrameSaveActive;
        step.question = tool.promptBeforeSave ? kSaveActiveQuestion : 0;
    }
    return step;
}

std::string ToolInitialDirectory(const char* initialDir, const TToolContext& context, const TToolEnvironment& env)
{
    if (initialDir == nullptr || *initialDir == '\0') return {};
    if (EqualNoCase(initialDir, "$(FileDir)")) {
        const std::string& path = context.filePath;
        std::size_t slash = path.find_last_of("\\/");
        if (slash == std::string::npos) return {};
        // "C:\a.txt" runs in "C:\", not in "C:" (the current directory of drive C).
        bool root = slash == 2 && path[1] == ':';
        return path.substr(0, root ? slash + 1 : slash);
    }
    if (std::strcmp(initialDir, "$(CurDir)") == 0) return env.currentDir;
    if (std::strcmp(initialDir, kProgDir) == 0) return env.programDir;
    return initialDir;
}

std::string ToolProgramPath(const char* program, const TToolEnvironment& env)
{
    std::string text = program != nullptr ? program : "";
    std::size_t n = std::strlen(kProgDir);
    if (text.compare(0, n, kProgDir) == 0) return WithBackslash(env.programDir) + text.substr(n);
    return text;
}

std::string ToolCommandLine(const std::string& program, const std::string& arguments)
{
    return Cut(program + " " + arguments);
}

std::string CaptureCommandLine(const char* programText, const std::string& arguments,
                               const std::string& tempFile, const TToolEnvironment& env)
{
    std::string text = programText != nullptr ? programText : "";
    std::string program = ToolProgramPath(text.c_str(), env);
    bool shorten = text.compare(0, std::strlen(kProgDir), kProgDir) == 0 || (text.size() > 1 && text[1] == ':');
    if (shorten) program = Shorten(program, env);
    std::string capture = Shorten(WithBackslash(env.programDir) + kCaptureProgram, env);
    return Cut(capture + " " + Shorten(tempFile, env) + " " + program + " " + arguments);
}

std::string ToolMenuTextFor(const std::string& programPath, int number)
{
    std::size_t slash = programPath.find_last_of("\\/:");
    std::string name = programPath.substr(slash == std::string::npos ? 0 : slash + 1);
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    if (name.empty()) return "Tool&" + std::to_string(number);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    std::string text = "&" + name;
    if (text.size() > 39) text.resize(39);
    return text;
}
