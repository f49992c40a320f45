// The services installed for editor windows.
#include "editor_window/win32/EditorServices.h"

#include "keys/KeyMap.h"

namespace {
// Until the frame installs its own: plain message boxes, no dialogs, no desktop, no frame to open files in;
// keys go through the program-wide key map all the same.
class TDefaultServices final : public TEditorServices {
public:
    int Message(HWND owner, unsigned stringId, const char* arg, unsigned flags) override
    {
        char format[512] = {};
        if (!LoadStringA(GetModuleHandleA(nullptr), stringId, format, sizeof format))
            wsprintfA(format, "Message %u", stringId);
        char text[1024];
        wsprintfA(text, format, arg ? arg : "");
        return MessageBoxA(owner, text, "Vok Text Editor", flags);
    }
    bool SaveAsDialog(HWND, char*, int*, bool*) override { return false; }
    bool OpenDialog(HWND, char*) override { return false; }
    bool SaveDialogOpen() override { return false; }
    bool DesktopFind(const char*, TDesktopPlace*) override { return false; }
    void DesktopStore(const char*, const TDesktopPlace&) override {}
    unsigned LookupKey(uint16_t* keyState, TKeyMessage kind, unsigned code, unsigned modifiers) override
    {
        return ProgramKeyMap().LookupKeyMessage(*keyState, kind, code, modifiers);
    }
    void OpenByName(const char*) override {}
};

TDefaultServices gDefault;
TEditorServices* gServices = &gDefault;
}  // namespace

void SetEditorServices(TEditorServices* services)
{
    gServices = services ? services : &gDefault;
}

TEditorServices* EditorServices()
{
    return gServices;
}
