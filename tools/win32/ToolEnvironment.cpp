// The system's side of the tool argument macros.
#include "tools/win32/ToolEnvironment.h"

std::string ShortPathOf(const std::string& path)
{
    if (path.empty()) return path;
    char shortPath[MAX_PATH];
    DWORD n = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return n > 0 && n < sizeof shortPath ? std::string(shortPath, n) : path;
}

TToolEnvironment CurrentToolEnvironment(HINSTANCE module)
{
    TToolEnvironment env;
    char path[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(module, path, sizeof path);
    std::string program(path, n < sizeof path ? n : 0);
    std::size_t slash = program.find_last_of("\\/");
    env.programDir = slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
    char current[MAX_PATH] = "";
    DWORD c = GetCurrentDirectoryA(sizeof current, current);
    env.currentDir = c > 0 && c < sizeof current ? current : "";
    env.shortPath = ShortPathOf;
    return env;
}
