// ozmcap32.exe: the editor's capture program. "ozmcap32 OUTFILE PROGRAM [ARGUMENTS]" runs PROGRAM with
// its standard output and error written to OUTFILE, waits for it and ends with its exit code.
#include <windows.h>

namespace {

// The rest of a command line after its first blank-separated (or double-quoted) word.
const char* SkipWord(const char* p)
{
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '"') {
        for (++p; *p && *p != '"'; ++p) {}
        if (*p) ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

}  // namespace

int main()
{
    const char* line = SkipWord(GetCommandLineA());
    const char* program = SkipWord(line);
    char outName[MAX_PATH];
    int n = 0;
    const char* p = line;
    if (*p == '"') ++p;
    for (; p < program && *p != '"' && *p != ' ' && *p != '\t' && n < MAX_PATH - 1; ++p) outName[n++] = *p;
    outName[n] = '\0';
    if (n == 0 || *program == '\0') return 255;

    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(outName, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return 254;
    HANDLE in = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                            nullptr);

    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    si.hStdInput = in != INVALID_HANDLE_VALUE ? in : nullptr;
    si.hStdOutput = out;
    si.hStdError = out;
    PROCESS_INFORMATION pi = {};
    char command[1024];
    lstrcpynA(command, program, sizeof command);
    DWORD code = 253;
    if (CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    } else {
        // The reader sees why there is no output.
        char text[600];
        int length = wsprintfA(text, "Cannot run: %s\r\n", command);
        DWORD written = 0;
        WriteFile(out, text, static_cast<DWORD>(length), &written, nullptr);
    }
    CloseHandle(out);
    if (in != INVALID_HANDLE_VALUE) CloseHandle(in);
    return static_cast<int>(code);
}
