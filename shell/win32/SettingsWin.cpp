// The Windows side of the settings: registry record, resource texts, start-up loading and menu tails.
#include "shell/win32/SettingsWin.h"

#include <utility>

#include "autocorrect/win32/AutoCorrectWin.h"
#include "base/win32/Win32Profile.h"

namespace {

// Owns an open registry key.
class TRegKey {
public:
    TRegKey(HKEY root, const char* path, REGSAM access)
    {
        if (RegOpenKeyExA(root, path, 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    TRegKey(const TRegKey&) = delete;  // closes its key once
    TRegKey& operator=(const TRegKey&) = delete;
    ~TRegKey()
    {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

template <typename TItems>
std::vector<TMenuTailItem> TailItems(const TItems& items)
{
    std::vector<TMenuTailItem> out;
    for (const auto& item : items) out.push_back({item.command, item.text});
    return out;
}

}  // namespace

TRegistryInstallRecord::TRegistryInstallRecord(std::string keyPath) : keyPath_(std::move(keyPath)) {}

bool TRegistryInstallRecord::ReadStart(uint32_t& value)
{
    TRegKey key(HKEY_CURRENT_USER, keyPath_.c_str(), KEY_QUERY_VALUE);
    if (key.Get() == nullptr) return false;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExA(key.Get(), "Start", nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data)
        return false;
    value = data;
    return true;
}

void TRegistryInstallRecord::WriteStart(uint32_t value)
{
    TRegKey key(HKEY_CURRENT_USER, keyPath_.c_str(), KEY_SET_VALUE);
    if (key.Get() == nullptr) return;
    DWORD data = value;
    RegSetValueExA(key.Get(), "Start", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

std::string LoadResourceText(HINSTANCE module, UINT id, const char* fallback)
{
    char text[512];
    int n = LoadStringA(module, id, text, sizeof text);
    if (n > 0) return std::string(text, static_cast<std::size_t>(n));
    return fallback != nullptr ? fallback : "";
}

TProgramIdentity ThisProgramIdentity(HINSTANCE module)
{
    TProgramIdentity program;
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, sizeof path);
    char shortPath[MAX_PATH] = "";
    DWORD n = GetShortPathNameA(path, shortPath, sizeof shortPath);
    program.shortPath = n > 0 && n < sizeof shortPath ? shortPath : path;
    program.version = LoadResourceText(module, 32702, "1.2");
    program.lang = LoadResourceText(module, 32701, "1033");
    return program;
}

void LoadProgramSettings(TSettings& settings, TProfile& ozmIni, HINSTANCE module)
{
    TRegistryInstallRecord install;
    TWin32Profile vokIni("vok.ini");
    RecordFirstRun(install, vokIni, ozmIni, ThisProgramIdentity(module));
    const std::string filters = LoadResourceText(module, 15000, nullptr);
    // The AutoCorrect lists live in "ozm.acr" beside the program, their flags in the settings file.
    settings.hooks.loadAutoCorrect = [](const TProfile& ini) {
        const TWin32Profile lists(AutoCorrectFilePath());
        ProgramAutoCorrect().Load(lists, ini);
    };
    settings.hooks.saveAutoCorrect = [](TProfile& ini) {
        TWin32Profile lists(AutoCorrectFilePath());
        return ProgramAutoCorrect().Save(lists, ini);
    };
    settings.Load(ozmIni, filters.empty() ? nullptr : filters.c_str());
}

void NoteFramePlacement(TSettings& settings, HWND frame)
{
    RECT r{};
    GetWindowRect(frame, &r);
    settings.NoteFramePlacement(r.left, r.top, r.right - r.left, r.bottom - r.top, IsIconic(frame) != FALSE,
                                IsZoomed(frame) != FALSE);
}

TWindowPlacementInfo PlacementOfChild(HWND child, HWND client)
{
    TWindowPlacementInfo info{};
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, client, reinterpret_cast<POINT*>(&r), 2);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(child, &wp);
    info.minimised = IsIconic(child) != FALSE;
    info.maximised = IsZoomed(child) != FALSE;
    info.frameMinimised = IsIconic(GetAncestor(client, GA_ROOT)) != FALSE;
    info.left = r.left;
    info.top = r.top;
    info.width = r.right - r.left;
    info.height = r.bottom - r.top;
    // A child's restored rectangle is already in its parent's client coordinates.
    info.restoredLeft = wp.rcNormalPosition.left;
    info.restoredTop = wp.rcNormalPosition.top;
    info.restoredWidth = wp.rcNormalPosition.right - wp.rcNormalPosition.left;
    info.restoredHeight = wp.rcNormalPosition.bottom - wp.rcNormalPosition.top;
    return info;
}

void RebuildMenuTail(HMENU menu, int firstCommand, int lastCommand, const std::vector<TMenuTailItem>& items)
{
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
        int id = static_cast<int>(GetMenuItemID(menu, i));
        if (id >= firstCommand && id <= lastCommand) DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    }
    int last = GetMenuItemCount(menu) - 1;
    if (last >= 0 && (GetMenuState(menu, static_cast<UINT>(last), MF_BYPOSITION) & MF_SEPARATOR) != 0)
        DeleteMenu(menu, static_cast<UINT>(last), MF_BYPOSITION);
    if (items.empty()) return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (const TMenuTailItem& item : items)
        AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.command), item.text.c_str());
}

void RebuildRecentFileMenu(HMENU fileMenu, const TRecentFiles& recent, HINSTANCE module)
{
    const std::string more = LoadResourceText(module, 1550, "More Files...");
    RebuildMenuTail(fileMenu, kRecentFileFirstCommand, kMoreFilesCommand,
                    TailItems(recent.MenuItems(more.c_str())));
}

void RebuildUserToolMenu(HMENU toolsMenu, const TUserTools& tools)
{
    RebuildMenuTail(toolsMenu, kUserToolFirstCommand, kUserToolFirstCommand + kMaxUserTools - 1,
                    TailItems(tools.MenuItems()));
}

void RebuildUserHelpMenu(HMENU helpMenu, const TUserHelp& help)
{
    RebuildMenuTail(helpMenu, kUserHelpFirstCommand, kUserHelpFirstCommand + kUserHelpCount - 1,
                    TailItems(help.MenuItems()));
}
