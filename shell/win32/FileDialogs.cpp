// The Open, Save As and browse dialogs: the system's file dialogs with the program's templates and hooks.
#include "shell/win32/FileDialogs.h"

#include <commdlg.h>
#include <dlgs.h>

#include <cstring>

#include "resource.h"
#include "shell/CommandRouting.h"
#include "shell/OpenSelection.h"
#include "shell/Settings.h"
#include "shell/win32/FileFilters.h"
#include "shell/win32/Subsystems.h"
#include "shell/win32/VokMessage.h"

namespace {

constexpr unsigned kHelpOpen = kHelpOpenDialog;
constexpr unsigned kHelpSaveAs = kHelpSaveAsDialog;

int gFilterIndex = 1;

void SetLastDir(const char* dir)
{
    lstrcpynA(ProgramSettings().lastDir, dir, sizeof ProgramSettings().lastDir);
}
bool gFindFileChosen = false;
int gSaveAsDepth = 0;

struct TSaveAsChoice {
    int format;
    bool backup;
};

bool Win95Style()
{
    DWORD v = GetVersion();
    unsigned word = (LOBYTE(LOWORD(v)) << 8) | HIBYTE(LOWORD(v));
    return word > 0x35E;
}

// The dialog's top window: the hook of an Explorer-style dialog sees its child template.
HWND DialogOf(HWND hook)
{
    return Win95Style() ? GetParent(hook) : hook;
}

void StartDirectory()
{
    char* dir = ProgramSettings().lastDir;
    if (!dir[0]) {
        DWORD n = GetCurrentDirectoryA(sizeof ProgramSettings().lastDir, dir);
        if (n == 0 || n >= sizeof ProgramSettings().lastDir)
            dir[0] = 0;
    }
}

void NoteResult(const OPENFILENAMEA& ofn)
{
    gFilterIndex = ofn.nFilterIndex > 0 ? static_cast<int>(ofn.nFilterIndex) : 1;
    std::string dir = DirectoryFromOffset(ofn.lpstrFile, ofn.nFileOffset);
    if (!dir.empty())
        SetLastDir(dir.c_str());
}

void BaseFlags(OPENFILENAMEA& ofn, bool win95)
{
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_SHAREAWARE | OFN_NOTESTFILECREATE | OFN_NOCHANGEDIR
                | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    ofn.Flags |= win95 ? OFN_EXPLORER : OFN_SHOWHELP;
}

UINT_PTR CALLBACK OpenFileHookProc(HWND hdlg, UINT msg, WPARAM wParam, LPARAM /*lParam*/) noexcept
{
    if (msg != WM_COMMAND)
        return 0;
    int id = LOWORD(wParam);
    if (id == pshHelp || id == IDC_HELPBUTTON) {
        ShowHelpContext(DialogOf(hdlg), kHelpOpen);
        return 1;
    }
    if (id == IDC_FINDFILE) {
        char dir[MAX_PATH] = "";
        if (!Win95Style() || SendMessageA(GetParent(hdlg), CDM_GETFOLDERPATH, sizeof dir, (LPARAM)dir) <= 0)
            GetCurrentDirectoryA(sizeof dir, dir);
        SetLastDir(dir);
        gFindFileChosen = true;
        PostMessageA(DialogOf(hdlg), WM_COMMAND, IDCANCEL, 0);
        return 1;
    }
    return 0;
}

void ShowChoice(HWND hdlg, const TSaveAsChoice& choice)
{
    int radio = choice.format == 1 ? IDC_FORMATUNIX : choice.format == 2 ? IDC_FORMATMAC : IDC_FORMATDOS;
    CheckRadioButton(hdlg, IDC_FORMATDOS, IDC_FORMATMAC, radio);
    CheckDlgButton(hdlg, IDC_BACKUP, choice.backup ? BST_CHECKED : BST_UNCHECKED);
}

void ReadChoice(HWND hdlg, TSaveAsChoice& choice)
{
    choice.format = IsDlgButtonChecked(hdlg, IDC_FORMATUNIX) == BST_CHECKED  ? 1
                    : IsDlgButtonChecked(hdlg, IDC_FORMATMAC) == BST_CHECKED ? 2
                                                                             : 0;
    choice.backup = IsDlgButtonChecked(hdlg, IDC_BACKUP) == BST_CHECKED;
}

UINT_PTR CALLBACK SaveAsHookProc(HWND hdlg, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (msg) {
    case WM_INITDIALOG: {
        auto* ofn = reinterpret_cast<OPENFILENAMEA*>(lParam);
        SetWindowLongPtrA(hdlg, DWLP_USER, ofn->lCustData);
        ShowChoice(hdlg, *reinterpret_cast<TSaveAsChoice*>(ofn->lCustData));
        return 1;
    }
    case WM_NOTIFY: {
        auto* note = reinterpret_cast<OFNOTIFYA*>(lParam);
        if (note->hdr.code == CDN_FILEOK) {
            auto* choice = reinterpret_cast<TSaveAsChoice*>(GetWindowLongPtrA(hdlg, DWLP_USER));
            if (choice)
                ReadChoice(hdlg, *choice);
        }
        return 0;
    }
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == pshHelp || id == IDC_HELPBUTTON) {
            ShowHelpContext(DialogOf(hdlg), kHelpSaveAs);
            return 1;
        }
        // The old-style dialog has no OK notification: read the choice as OK is pressed.
        if (id == IDOK && !Win95Style()) {
            auto* choice = reinterpret_cast<TSaveAsChoice*>(GetWindowLongPtrA(hdlg, DWLP_USER));
            if (choice)
                ReadChoice(hdlg, *choice);
        }
        return 0;
    }
    }
    return 0;
}

// Brings what the dialog returned into the one form: directory, names, empty string.
void NormaliseMulti(char* buffer, std::size_t size, bool explorer)
{
    TOpenSelection sel = SplitOpenResult(buffer, size, explorer);
    std::string out = sel.directory;
    out += '\0';
    for (const std::string& name : sel.names) {
        out += name;
        out += '\0';
    }
    out += '\0';
    if (out.size() > size)
        out.resize(size);
    std::memcpy(buffer, out.data(), out.size());
    if (size >= 2) {
        buffer[size - 1] = 0;
        buffer[size - 2] = 0;
    }
}

}  // namespace

int FileDialogFilterIndex()
{
    return gFilterIndex;
}

bool FileDialogsExplorerStyle()
{
    return Win95Style();
}

bool SaveAsDialogOpen()
{
    return gSaveAsDepth > 0;
}

std::string FilterBlockFromString(const std::string& text)
{
    std::string block = text;
    if (!block.empty()) {
        char separator = block.back();
        for (char& c : block)
            if (c == separator)
                c = '\0';
    }
    block += '\0';
    return block;
}

bool OpenFileDialog(HINSTANCE instance, HWND owner, char* buffer, std::size_t size, bool multi)
{
    if (!buffer || size < 2)
        return false;
    StartDirectory();
    bool win95 = Win95Style();
    std::string filter = FileDialogFilter(512);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = instance;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = gFilterIndex;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = static_cast<DWORD>(multi ? size - 1 : size);
    ofn.lpstrInitialDir = ProgramSettings().lastDir;
    BaseFlags(ofn, win95);
    ofn.Flags |= OFN_FILEMUSTEXIST;
    if (multi)
        ofn.Flags |= OFN_ALLOWMULTISELECT;
    ofn.lpTemplateName = win95 ? "Open95" : multi ? "OpenMulti" : "Open";
    ofn.lpfnHook = OpenFileHookProc;
    gFindFileChosen = false;
    bool ok = GetOpenFileNameA(&ofn) != 0;
    if (gFindFileChosen) {
        gFindFileChosen = false;
        buffer[0] = 0;
        if (!RunFindFilesDialog(owner, buffer, size))
            return false;
        if (multi) {
            // One full path becomes directory and name.
            char* slash = std::strrchr(buffer, '\\');
            std::size_t len = std::strlen(buffer);
            if (!slash || len + 2 > size)
                return false;
            *slash = 0;
            buffer[len + 1] = 0;
        }
        return true;
    }
    if (!ok)
        return false;
    NoteResult(ofn);
    if (multi)
        NormaliseMulti(buffer, size, win95);
    return true;
}

bool OpenFilesDialog(HINSTANCE instance, HWND owner, std::vector<std::string>* paths)
{
    std::vector<char> buffer(8192, 0);
    if (!OpenFileDialog(instance, owner, buffer.data(), buffer.size(), true))
        return false;
    TOpenSelection sel = SplitOpenResult(buffer.data(), buffer.size(), true);
    paths->clear();
    for (const std::string& name : sel.names)
        paths->push_back(JoinPath(sel.directory, name));
    return !paths->empty();
}

bool SaveAsFileDialog(HINSTANCE instance, HWND owner, char* buffer, std::size_t size, int* format, bool* backup)
{
    if (!buffer || size < 2)
        return false;
    StartDirectory();
    bool win95 = Win95Style();
    TSaveAsChoice choice = {format ? *format : 0, backup ? *backup : false};
    std::string filter = FileDialogFilter(256);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = instance;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = gFilterIndex;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = static_cast<DWORD>(size);
    ofn.lpstrInitialDir = ProgramSettings().lastDir;
    BaseFlags(ofn, win95);
    ofn.Flags |= OFN_OVERWRITEPROMPT;
    ofn.lpTemplateName = win95 ? "SaveAs95" : "SaveAs";
    ofn.lpfnHook = SaveAsHookProc;
    ofn.lCustData = reinterpret_cast<LPARAM>(&choice);
    ++gSaveAsDepth;
    bool ok = GetSaveFileNameA(&ofn) != 0;
    --gSaveAsDepth;
    if (!ok)
        return false;
    NoteResult(ofn);
    if (format)
        *format = choice.format;
    if (backup)
        *backup = choice.backup;
    return true;
}

bool BrowseFileDialog(HINSTANCE instance, HWND owner, char* buffer, std::size_t size, unsigned titleId,
                      unsigned filterId)
{
    if (!buffer || size < 2)
        return false;
    bool win95 = Win95Style();
    std::string title = LoadResString(titleId).substr(0, 60);
    std::string filter = FilterBlockFromString(LoadResString(filterId).substr(0, 256));
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = instance;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = static_cast<DWORD>(size);
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOTESTFILECREATE | OFN_ENABLETEMPLATE;
    ofn.Flags |= win95 ? OFN_EXPLORER : 0;
    ofn.lpTemplateName = win95 ? "BrowseFilesOnly" : "Browse";
    return GetOpenFileNameA(&ofn) != 0;
}
