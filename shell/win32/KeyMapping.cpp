// The program's key map and macros as the shell uses them: the keymap file beside the program, the lookup of
// each key message, and whether there are changes to save.
#include "shell/win32/KeyMapping.h"

#include <windows.h>

#include <string>

#include "base/win32/ProgramFolder.h"
#include "keys/KeyMap.h"
#include "keys/KeymapFile.h"
#include "macros/MacroTable.h"
#include "shell/Settings.h"
#include "shell/win32/VokMessage.h"

namespace {

std::string KeymapPath()
{
    const char* name = ProgramSettings().keyMappingFile;
    return ProgramFolder() + (name[0] ? name : "OZM.KEY");
}

void ReportKeymap(TKeymapResult result, const std::string& path)
{
    std::string text = KeymapMessage(result, path);
    if (text.empty())
        return;
    unsigned icon = 0;
    switch (KeymapMessageIcon(result)) {
    case TMessageIcon::Stop: icon = MB_ICONSTOP; break;
    case TMessageIcon::Information: icon = MB_ICONINFORMATION; break;
    case TMessageIcon::Exclamation: icon = MB_ICONEXCLAMATION; break;
    case TMessageIcon::None: break;
    }
    VokMessageText(nullptr, text, MB_OK | icon);
}

}  // namespace

void LoadKeyMapping()
{
    std::string path = KeymapPath();
    ReportKeymap(LoadKeymapFile(path, ProgramKeyMap(), Macros()), path);
}

unsigned LookupKeyBinding(uint16_t* keyState, TKeyMessage kind, unsigned code, unsigned modifiers)
{
    uint16_t state = keyState ? *keyState : 0;
    unsigned command = ProgramKeyMap().LookupKeyMessage(state, kind, code, modifiers);
    if (keyState)
        *keyState = state;
    return command;
}

bool KeyMappingChanged()
{
    return ProgramKeyMap().Modified() || Macros().Changed();
}

bool SaveKeyMapping()
{
    std::string path = KeymapPath();
    TKeymapResult result = SaveKeymapFile(path, ProgramKeyMap(), Macros());
    ReportKeymap(result, path);
    return result == TKeymapResult::Ok;
}

std::string KeymapFilePath()
{
    return KeymapPath();
}

void UseKeymapFile(const std::string& path)
{
    ProgramSettings().SetKeyMappingFile(path.c_str());
}

bool LoadKeymapFrom(const std::string& path)
{
    TKeymapResult result = LoadKeymapFile(path, ProgramKeyMap(), Macros());
    ReportKeymap(result, path);
    return result == TKeymapResult::Ok;
}

bool SaveKeymapTo(const std::string& path)
{
    TKeymapResult result = SaveKeymapFile(path, ProgramKeyMap(), Macros());
    ReportKeymap(result, path);
    return result == TKeymapResult::Ok;
}

bool ResetKeyMapping()
{
    std::string path = KeymapPath();
    TKeymapResult result =
        ResetKeymapFile(ProgramFolder() + kResetKeymapFileName, path, ProgramKeyMap(), Macros());
    ReportKeymap(result, path);
    return result == TKeymapResult::Ok;
}
