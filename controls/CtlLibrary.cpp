// Loading and unloading the control library, and its small exports: users, version and dialog mode.
#include "controls/CtlLibrary.h"

#include <cstdlib>
#include <new>

#include "controls/CtlArrow.h"
#include "controls/CtlButton.h"
#include "controls/CtlDialog.h"
#include "controls/CtlRules.h"
#include "controls/CtlStatic.h"
#include "controls/VokCtl.h"
#include "resources/controls/VokCtlRes.h"

namespace {

TCtlLibrary g_library;

bool IsWin32s() noexcept
{
    DWORD version = GetVersion();
    return (version & 0x80000000u) && LOBYTE(LOWORD(version)) < 4;
}

bool IsOldWindows() noexcept
{
    DWORD version = GetVersion();
    unsigned word = LOBYTE(LOWORD(version)) * 256u + HIBYTE(LOWORD(version));
    return word < 0x35F;
}

bool RegisterAllClasses(HINSTANCE instance) noexcept
{
    return RegisterDialogClass(instance) && RegisterButtonClasses(instance) && RegisterArrowClass(instance) &&
           RegisterStaticClasses(instance);
}


void ClassifyScreen(TCtlLibrary& lib) noexcept
{
    int ppi;
    {
        TWindowDC screen(nullptr);
        ppi = GetDeviceCaps(screen.Dc(), LOGPIXELSY);
        lib.lightGrey = GetNearestColor(screen.Dc(), kLightGrey);
    }
    lib.lightGreyExact = lib.lightGrey == kLightGrey;
    lib.displayClass = ClassifyDisplay(ppi, lib.lightGreyExact);
    lib.dialogMode = (lib.lightGreyExact && lib.displayClass != 1) ? 0x0F : 0;
    lib.backgroundBrush = static_cast<HBRUSH>(GetStockObject(lib.lightGreyExact ? LTGRAY_BRUSH : WHITE_BRUSH));

    lib.comboArrowWidth = lib.comboArrowExtent = 0;
    if (HBITMAP combo = LoadBitmapA(nullptr, MAKEINTRESOURCEA(kSystemComboBitmap))) {
        BITMAP info{};
        GetObjectA(combo, sizeof info, &info);
        if (info.bmWidth == 7) {
            lib.comboArrowWidth = 17;
            lib.comboArrowExtent = 24;
        } else if (info.bmWidth == 9) {
            lib.comboArrowWidth = 21;
            lib.comboArrowExtent = 30;
        }
        DeleteObject(combo);
    }
}

bool LoadTemplates(TCtlLibrary& lib) noexcept
{
    for (int i = 0; i < 6; ++i) {
        HRSRC found = FindResourceA(lib.instance, MAKEINTRESOURCEA(IDD_VOKMSG_OK + i), MAKEINTRESOURCEA(5));
        HGLOBAL data = found ? LoadResource(lib.instance, found) : nullptr;
        lib.templates[i] = data ? static_cast<const DLGTEMPLATE*>(LockResource(data)) : nullptr;
        if (!lib.templates[i])
            return false;
    }
    return true;
}

bool LoadBitmaps(TCtlLibrary& lib) noexcept
{
    bool large = lib.displayClass == 4;
    if (lib.displayClass >= 3 && !lib.marks.Load(lib.instance, large ? IDB_MARKS_LARGE : IDB_MARKS_SMALL))
        return false;
    int arrows = large ? IDB_ARROW_UP_LARGE : IDB_ARROW_UP_SMALL;
    if (!lib.arrowUp.Load(lib.instance, arrows) || !lib.arrowDown.Load(lib.instance, arrows + 1) ||
        !lib.arrowGrey.Load(lib.instance, arrows + 2))
        return false;
    int icons = lib.displayClass == 1 ? IDB_ICONS_LOW : IDB_ICONS_MEDIUM;
    for (int i = 0; i < 4; ++i) {
        if (!lib.icons[i].Load(lib.instance, icons + i))
            return false;
    }
    return true;
}

}  // namespace

TCtlLibrary& CtlLibrary() noexcept
{
    return g_library;
}

bool RegisterCtlClass(WNDCLASSA& wc) noexcept
{
    TCtlLibrary& lib = g_library;
    if (lib.registeredCount >= static_cast<int>(sizeof lib.registered / sizeof lib.registered[0]))
        return false;
    wc.style |= CS_GLOBALCLASS;
    if (!RegisterClassA(&wc))
        return false;
    lib.registered[lib.registeredCount++] = wc.lpszClassName;
    return true;
}

bool LoadCtlLibrary(HINSTANCE instance) noexcept
{
    TCtlLibrary& lib = g_library;
    if (lib.loaded)
        return true;
    // Under Win32s every process shares the library's data, so a second user would corrupt the first.
    WNDCLASSA existing{};
    if (IsWin32s() && GetClassInfoA(instance, VOKCTL_DIALOG_CLASS, &existing)) {
        MessageBoxA(nullptr, "Cannot run multiple instances of a DLL under WIN32s", nullptr, MB_OK | MB_ICONSTOP);
        return false;
    }
    lib.instance = instance;
    lib.oldWindows = IsOldWindows();
    bool ok = RegisterAllClasses(instance);
    if (ok) {
        ClassifyScreen(lib);
        ok = LoadTemplates(lib) && LoadBitmaps(lib);
    }
    lib.loaded = true;
    if (!ok)
        ReleaseCtlLibrary();
    return ok;
}

void ReleaseCtlLibrary() noexcept
{
    TCtlLibrary& lib = g_library;
    if (!lib.loaded)
        return;
    while (lib.registeredCount > 0)
        UnregisterClassA(lib.registered[--lib.registeredCount], lib.instance);
    for (auto& t : lib.templates)
        t = nullptr;
    lib.marks.Release();
    lib.arrowUp.Release();
    lib.arrowDown.Release();
    lib.arrowGrey.Release();
    for (auto& icon : lib.icons)
        icon.Release();
    lib.loaded = false;
}

TWindowText::TWindowText(HWND hwnd) noexcept
{
    int length = GetWindowTextLengthA(hwnd);
    if (length <= 0)
        return;
    text = new (std::nothrow) char[length + 1];
    if (text)
        GetWindowTextA(hwnd, text, length + 1);
}

COLORREF ShadowColour() noexcept
{
    return (g_library.dialogMode & VOKDLG_3D) ? kDarkGrey : GetSysColor(COLOR_WINDOWFRAME);
}

COLORREF HighlightColour() noexcept
{
    return (g_library.dialogMode & VOKDLG_3D) ? kWhite : GetSysColor(COLOR_WINDOWFRAME);
}

const TMaskedBitmap* IconBitmap(int id) noexcept
{
    if (id < IDI_VOKMSG_STOP || id > IDI_VOKMSG_INFORMATION)
        return nullptr;
    const TMaskedBitmap& icon = g_library.icons[id - IDI_VOKMSG_STOP];
    return icon.Loaded() ? &icon : nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) noexcept
{
    if (reason == DLL_PROCESS_ATTACH)
        return LoadCtlLibrary(instance) ? TRUE : FALSE;
    // When the whole process is ending the system takes everything back, and calling into USER then is unsafe;
    // an explicit unload releases what the library set up.
    if (reason == DLL_PROCESS_DETACH && !reserved)
        ReleaseCtlLibrary();
    return TRUE;
}

extern "C" {

int VOKCTLAPI InitVokCtrl(HINSTANCE)
{
    InterlockedIncrement(&g_library.useCount);
    return 1;
}

// The classes and bitmaps stay until the library is unloaded: a window of another user may still show them.
int VOKCTLAPI DeleteVokCtrl(HINSTANCE)
{
    if (g_library.useCount > 0)
        InterlockedDecrement(&g_library.useCount);
    return 1;
}

DWORD VOKCTLAPI GetVokCtrlVersion(void)
{
    char language[16] = {};
    if (LoadStringA(g_library.instance, IDS_VOK_LANGUAGE, language, sizeof language) <= 0)
        return VOKCTL_VERSION;
    return MAKELONG(VOKCTL_VERSION, static_cast<WORD>(std::atoi(language)));
}

UINT VOKCTLAPI GetVokDlgMode(void) { return g_library.dialogMode; }

void VOKCTLAPI SetVokDlgMode(UINT mode)
{
    TCtlLibrary& lib = g_library;
    if (lib.displayClass <= 2 || mode == lib.dialogMode)
        return;
    UINT newMode = (mode & VOKDLG_GREY) ? mode : 0;
    if (newMode == lib.dialogMode)
        return;
    lib.dialogMode = newMode;
    // Setting the window colour to itself makes every window get a colour-change notice and repaint.
    int element = COLOR_WINDOW;
    COLORREF colour = GetSysColor(COLOR_WINDOW);
    SetSysColors(1, &element, &colour);
}

void VOKCTLAPI SetRWLoadResFun(void*) {}

int VOKCTLAPI WEP(int)
{
    ReleaseCtlLibrary();
    return 1;
}

}  // extern "C"
