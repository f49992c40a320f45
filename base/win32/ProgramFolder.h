// The folder of the running program, where the files shipped beside it live.
#pragma once

#include <windows.h>

#include <string>

// The folder with its closing backslash, so that a file name can follow it; empty when the system cannot
// say (a path too long for MAX_PATH), which leaves a name relative to the current folder.
inline std::string ProgramFolder()
{
    char path[MAX_PATH] = "";
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string file(path, n < sizeof path ? n : 0);
    const std::size_t slash = file.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}
