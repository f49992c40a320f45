// The frame's links to settings, desktop, recent files, key map, file filters and the control library.
// Settings, desktop, recent files, file filters and the control library are connected. Stand-ins remain
// for what has no code yet: the key map is a small table of the basic keys that never changes, help
// topics show nothing, the find-files dialog is not offered, and there are no shared macro or history
// tables to release.
#include "shell/win32/FrameIntegration.h"

#include <memory>

#include "controls/VokCtl.h"
#include "editor_window/win32/WindowsEditor.h"
#include "engine/Commands.h"
#include "shell/Desktop.h"
#include "shell/Settings.h"
#include "shell/win32/SettingsWin.h"
#include "shell/win32/Win32Profile.h"

namespace {

std::unique_ptr<TWin32Profile>& IniSlot()
{
    static std::unique_ptr<TWin32Profile> ini = std::make_unique<TWin32Profile>("ozm.ini");
    return ini;
}

TWin32Profile& Ini()
{
    return *IniSlot();
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

void UseSettingsFile(const std::string& path)
{
    IniSlot() = std::make_unique<TWin32Profile>(path);
}

void LoadDesktopList()
{
    ProgramDesktop().Read(Ini());
}

void LoadAllSettings()
{
    LoadProgramSettings(ProgramSettings(), Ini(), GetModuleHandleA(nullptr));
}

void LoadKeyMapping() {}

void SaveAllSettings(HWND frame, bool full)
{
    if (frame)
        NoteFramePlacement(ProgramSettings(), frame);
    (void)ProgramSettings().Save(Ini(), full);
}

void SaveDesktop(HWND mdiClient, bool list)
{
    std::vector<TDesktopWindow> windows;
    for (HWND child = GetWindow(mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        TWindowsEditor* editor = TWindowsEditor::FromHandle(child);
        if (!editor || editor->FileName().empty())
            continue;
        TDesktopWindow w{};
        w.path = editor->FileName();
        w.column = editor->curCol;
        w.line = editor->curLineNo;
        ChooseDesktopRectangle(PlacementOfChild(child, mdiClient), w);
        windows.push_back(w);
    }
    // The list runs from the bottom window up, so restoring it leaves the top window active again.
    std::vector<TDesktopWindow> ordered(windows.rbegin(), windows.rend());
    (void)ProgramDesktop().Save(Ini(), ordered, list);
}

void FreeDesktopList()
{
    ProgramDesktop().Clear();
}

std::vector<std::string> DesktopRestoreList()
{
    return ReadAutoLoadList(Ini());
}

bool DesktopFind(const char* path, TDesktopPlace* place)
{
    const TDesktopList& desktop = ProgramDesktop();
    int i = desktop.Find(path);
    const TDesktopElement* e = i > 0 ? desktop.Entry(i) : nullptr;
    if (!e || !place)
        return false;
    place->col = e->column;
    place->line = e->line;
    place->left = e->left;
    place->top = e->top;
    place->width = e->width;
    place->height = e->height;
    place->show = e->state;
    return true;
}

void DesktopStore(const char* path, const TDesktopPlace& place)
{
    ProgramDesktop().Add(path, place.col, place.line, place.left, place.top, place.width, place.height,
                         place.show);
}

void RecentFileAdd(const char* path)
{
    ProgramSettings().recentFiles.Add(path);
}

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
    const TFileTypes& types = ProgramSettings().fileTypes;
    std::vector<TFilterRow> rows;
    for (int i = 0; i < types.Count(); ++i)
        rows.push_back({types[i].description, types[i].pattern});
    return rows;
}

void SetFileFilterRows(const std::vector<TFilterRow>& rows)
{
    TFileTypes& types = ProgramSettings().fileTypes;
    types.Clear();
    for (const TFilterRow& row : rows)
        types.Append(row.description.c_str(), row.pattern.c_str());
    types.SetModified();
}

std::string FileDialogFilter(std::size_t limit)
{
    std::vector<char> buffer(limit + 2, 0);
    std::size_t used = ProgramSettings().fileTypes.FilterList(buffer.data(), limit);
    if (used < 2)
        return std::string("All Files (*.*)\0*.*\0\0", 21);
    return std::string(buffer.data(), used);
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

void ReleaseSharedTables() {}
