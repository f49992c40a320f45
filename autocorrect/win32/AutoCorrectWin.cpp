// The program's AutoCorrect object with the system's character services, Caps Lock key and list file.
#include "autocorrect/win32/AutoCorrectWin.h"

#include <windows.h>

#include "base/win32/ProgramFolder.h"

namespace {
class TWin32CharServices final : public TCharServices {
public:
    bool IsAlpha(unsigned char c) const override { return c != 0 && IsCharAlphaA(static_cast<char>(c)) != 0; }
    bool IsLower(unsigned char c) const override { return c != 0 && IsCharLowerA(static_cast<char>(c)) != 0; }
    bool IsUpper(unsigned char c) const override { return c != 0 && IsCharUpperA(static_cast<char>(c)) != 0; }
    unsigned char ToUpper(unsigned char c) const override
    {
        char text[1] = {static_cast<char>(c)};
        CharUpperBuffA(text, 1);
        return static_cast<unsigned char>(text[0]);
    }
    unsigned char ToLower(unsigned char c) const override
    {
        char text[1] = {static_cast<char>(c)};
        CharLowerBuffA(text, 1);
        return static_cast<unsigned char>(text[0]);
    }
    int CompareNoCase(const char* a, const char* b) const override { return lstrcmpiA(a, b); }
};

class TWin32CapsLock final : public TCapsLockState {
public:
    bool IsOn() const override { return (GetKeyState(VK_CAPITAL) & 1) != 0; }
    void SwitchOff() override
    {
        BYTE state[256] = {};
        if (!GetKeyboardState(state))
            return;
        state[VK_CAPITAL] = 0;
        SetKeyboardState(state);
    }
};
}  // namespace

const TCharServices& SystemCharServices()
{
    static const TWin32CharServices services;
    return services;
}

TCapsLockState& SystemCapsLock()
{
    static TWin32CapsLock capsLock;
    return capsLock;
}

TAutoCorrect& ProgramAutoCorrect()
{
    static TAutoCorrect autoCorrect(SystemCharServices(), &SystemCapsLock());
    return autoCorrect;
}

std::string AutoCorrectFilePath()
{
    return ProgramFolder() + "ozm.acr";
}
