// The settings file in use, and the settings and the desktop read from it at start and written to it at exit.
#include "shell/win32/SettingsStore.h"

#include <memory>

#include "editor_window/win32/WindowsEditor.h"
#include "search/SearchState.h"
#include "shell/Desktop.h"
#include "shell/win32/SettingsWin.h"
#include "base/win32/Win32Profile.h"

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

}  // namespace

void UseSettingsFile(const std::string& path)
{
    IniSlot() = std::make_unique<TWin32Profile>(path);
}

TProfile& SettingsProfile()
{
    return Ini();
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
    ShareWindowOptions(ProgramSettings(), true);
}

void ShareWindowOptions(TSettings& s, bool toWindows)
{
    if (toWindows) {
        s.engine.backupFiles = s.backupFiles;
        s.engine.wordWrapVisible = s.wordWrapVisible;
        s.engine.rightMouseBtn = s.rightMouseBtn;
    } else {
        s.backupFiles = s.engine.backupFiles;
        s.wordWrapVisible = s.engine.wordWrapVisible;
        s.rightMouseBtn = s.engine.rightMouseBtn;
    }
}

void SaveAllSettings(HWND frame, bool full)
{
    if (frame)
        NoteFramePlacement(ProgramSettings(), frame);
    ShareWindowOptions(ProgramSettings(), false);
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
