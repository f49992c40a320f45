// The frame's links to settings, desktop, recent files, key map, file filters and the control library.
// Settings, desktop, recent files, file filters, the key map with its file and the control library are
// connected, and so are the find histories. Stand-ins remain for what has no code yet: help topics show
// nothing and the find-files dialog is not offered.
#include "shell/win32/FrameIntegration.h"

#include <memory>

#include "base/win32/Win32Profile.h"
#include "controls/VokCtl.h"
#include "engine/win32/IntlProfile.h"
#include "macros/MacroRecorder.h"
#include "search/Search.h"
#include "editor_window/win32/WindowsEditor.h"
#include "engine/Commands.h"
#include "keys/KeyMap.h"
#include "keys/KeymapFile.h"
#include "macros/MacroTable.h"
#include "search/SearchState.h"
#include "shell/Desktop.h"
#include "shell/Settings.h"
#include "shell/win32/SettingsWin.h"
#include "shell/win32/VokMessage.h"

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

// The keymap file in use: its bare name from the settings, in the program's directory.
std::string KeymapPath()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path, n < sizeof path ? n : 0);
    std::size_t slash = dir.find_last_of('\\');
    dir = slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
    const char* name = ProgramSettings().keyMappingFile;
    return dir + (name[0] ? name : "OZM.KEY");
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

void ConnectSubsystems()
{
    InstallSearchCommands();
    InstallMacroHost();
    InstallIntlProfile();
}

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
    // The find and replace histories are read into, and later written from, the search state itself.
    TSearchState& search = SearchState();
    ProgramSettings().ConnectHistories(search.findHistory.Entries(), search.replaceHistory.Entries());
    LoadProgramSettings(ProgramSettings(), Ini(), GetModuleHandleA(nullptr));
}

void LoadKeyMapping()
{
    std::string path = KeymapPath();
    ReportKeymap(LoadKeymapFile(path, ProgramKeyMap(), Macros()), path);
}

void SaveAllSettings(HWND frame, bool full)
{
    if (frame)
        NoteFramePlacement(ProgramSettings(), frame);
    (void)ProgramSettings().Save(Ini(), full);
}

void SetSettingsFlagNow(TImmediateFlag flag, bool on)
{
    (void)ProgramSettings().SetFlagNow(Ini(), flag, on);
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

void ReleaseSharedTables()
{
    Macros().Clear();
    for (int i = 0; i < TSearchHistory::kEntries; ++i) {
        SearchState().findHistory.Set(i, "");
        SearchState().replaceHistory.Set(i, "");
    }
}
