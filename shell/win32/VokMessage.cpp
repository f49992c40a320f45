// The program's message box: a string resource, optionally formatted with one text, under the product name.
#include "shell/win32/VokMessage.h"

#include <cstdio>

#include "controls/VokCtl.h"

namespace {

TVokMessageHook gHook = nullptr;
void* gHookContext = nullptr;

// Replaces the first "%s" with arg; any other '%' stays as it stands, so a path holding "%d" cannot reach
// a printf format.
std::string Format(const std::string& pattern, const char* arg)
{
    if (!arg)
        return pattern;
    std::size_t at = pattern.find("%s");
    if (at == std::string::npos)
        return pattern;
    return pattern.substr(0, at) + arg + pattern.substr(at + 2);
}

}  // namespace

std::string LoadResString(unsigned id)
{
    char buffer[1024];
    int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, n) : std::string();
}

int VokMessage(HWND owner, unsigned stringId, const char* arg, unsigned flags)
{
    std::string text = Format(LoadResString(stringId), arg);
    if (gHook)
        return gHook(stringId, text.c_str(), flags, gHookContext);
    return VokMessageBox(owner, text.c_str(), kProductName, flags);
}

int VokMessageNumber(HWND owner, unsigned stringId, int number, unsigned flags)
{
    std::string text = LoadResString(stringId);
    std::size_t at = text.find("%d");
    if (at != std::string::npos)
        text = text.substr(0, at) + std::to_string(number) + text.substr(at + 2);
    if (gHook)
        return gHook(stringId, text.c_str(), flags, gHookContext);
    return VokMessageBox(owner, text.c_str(), kProductName, flags);
}

int VokMessageNumbers(HWND owner, unsigned stringId, int first, int second, unsigned flags)
{
    std::string text = LoadResString(stringId);
    for (int number : {first, second}) {
        std::size_t at = text.find("%d");
        if (at != std::string::npos)
            text = text.substr(0, at) + std::to_string(number) + text.substr(at + 2);
    }
    if (gHook)
        return gHook(stringId, text.c_str(), flags, gHookContext);
    return VokMessageBox(owner, text.c_str(), kProductName, flags);
}

int VokMessageText(HWND owner, const std::string& text, unsigned flags)
{
    if (gHook)
        return gHook(0, text.c_str(), flags, gHookContext);
    return VokMessageBox(owner, text.c_str(), kProductName, flags);
}

void SetVokMessageHook(TVokMessageHook hook, void* context)
{
    gHook = hook;
    gHookContext = context;
}
