// The frame's links to settings, desktop, recent files, key map, file filters and the control library.
// Each function here is a stand-in with the plain default behaviour until its subsystem is connected:
// settings are the defaults and are not written, there is no desktop and no recent-file list, the key
// map is a small table of the basic keys, and the file filters are two built-in types. The control
// library is connected.
#include "shell/win32/FrameIntegration.h"

#include "controls/VokCtl.h"
#include "engine/Commands.h"

namespace {

std::vector<TFilterRow>& FilterRows()
{
    static std::vector<TFilterRow> rows = {{"All Files (*.*)", "*.*"}, {"Text (*.txt)", "*.txt"}};
    return rows;
}

constexpr unsigned kShift = 0x200, kCtrl = 0x400, kAlt = 0x800, kVirtual = 0x100;

struct TBasicKey {
    unsigned key;  // virtual key | kVirtual | modifiers
    unsigned command;
};

const TBasicKey kBasicKeys[] = {
    {VK_LEFT | kVirtual, cmCursorLeft},       {VK_RIGHT | kVirtual, cmCursorRight},
    {VK_UP | kVirtual, cmCursorUp},           {VK_DOWN | kVirtual, cmCursorDown},
    {VK_HOME | kVirtual, cmLineStart},        {VK_END | kVirtual, cmLineEnd},
    {VK_PRIOR | kVirtual, cmPageUp},          {VK_NEXT | kVirtual, cmPageDown},
    {VK_RETURN | kVirtual, cmNewLine},        {VK_BACK | kVirtual, cmBackspace},
    {VK_DELETE | kVirtual, cmDelete},         {VK_TAB | kVirtual, cmTab},
    {'Z' | kVirtual | kCtrl, cmUndo},         {VK_BACK | kVirtual | kAlt, cmUndo},
    {VK_BACK | kVirtual | kAlt | kShift, cmRedo},
};

}  // namespace

TFrameOptions& FrameOptions()
{
    static TFrameOptions options;
    return options;
}

void LoadDesktopList() {}
void LoadAllSettings() {}
void LoadKeyMapping() {}
void SaveAllSettings(bool /*full*/) {}
void SaveDesktop(HWND /*mdiClient*/, bool /*list*/) {}
void FreeDesktopList() {}

bool DesktopFind(const char* /*path*/, TDesktopPlace* /*place*/)
{
    return false;
}

void DesktopStore(const char* /*path*/, const TDesktopPlace& /*place*/) {}
void RecentFileAdd(const char* /*path*/) {}

unsigned LookupKeyBinding(uint16_t* keyState, int kind, unsigned code, unsigned modifiers)
{
    if (keyState)
        *keyState = 0;
    if (kind == 0)
        return code >= 32 && code <= 255 ? cmInsertChar : 0;  // a typed character types itself
    unsigned key = (code & 0xFF) | kVirtual | (modifiers & (kShift | kCtrl | kAlt));
    for (const TBasicKey& k : kBasicKeys)
        if (k.key == key)
            return k.command;
    return 0;
}

bool KeyMappingChanged()
{
    return false;
}

bool SaveKeyMapping()
{
    return true;
}

std::vector<TFilterRow> FileFilterRows()
{
    return FilterRows();
}

void SetFileFilterRows(const std::vector<TFilterRow>& rows)
{
    FilterRows() = rows;
}

std::string FileDialogFilter(std::size_t limit)
{
    std::string block;
    for (const TFilterRow& row : FilterRows()) {
        std::size_t need = row.description.size() + row.pattern.size() + 2;
        if (block.size() + need + 1 > limit)
            continue;
        block += row.description;
        block += '\0';
        block += row.pattern;
        block += '\0';
    }
    block += '\0';
    return block;
}

bool StartControlLibrary(HINSTANCE instance)
{
    return InitVokCtrl(instance) != 0;
}

void EndControlLibrary(HINSTANCE instance)
{
    DeleteVokCtrl(instance);
}

void ShowHelpContext(HWND /*owner*/, unsigned /*context*/) {}

bool RunFindFilesDialog(HWND /*owner*/, char* /*buffer*/, std::size_t /*size*/)
{
    return false;
}

std::vector<std::string> DesktopRestoreList()
{
    return {};
}

void ReleaseSharedTables() {}
