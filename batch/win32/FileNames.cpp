// How many names a file has, from the system's file information: the C library here always says one.
#include "batch/FileSystem.h"

#include <windows.h>

unsigned long NameCount(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 1;
    BY_HANDLE_FILE_INFORMATION info;
    unsigned long count = GetFileInformationByHandle(h, &info) && info.nNumberOfLinks ? info.nNumberOfLinks : 1;
    CloseHandle(h);
    return count;
}

std::string ProgramPath(const char* argv0)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n > 0 && n < sizeof path)
        return std::string(path, n);
    return argv0 ? argv0 : "";
}
