// The editor's side of Find Files: the remembered criteria, its messages, and the Change Directory dialog.
#include <windows.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "FindFilesIds.h"
#include "base/win32/Dialog.h"
#include "findfiles/win32/FindFiles.h"
#include "resource.h"
#include "shell/CommandRouting.h"
#include "shell/win32/Subsystems.h"
#include "shell/win32/VokMessage.h"

namespace {

// Edit Dir...: a directory typed in; one that does not exist keeps the dialog open.
class TChangeDirDlg : public TDialog {
public:
    TChangeDirDlg(HINSTANCE instance, std::string dir) : TDialog(instance, "CHANGEDIR"), dir_(std::move(dir)) {}
    const std::string& Directory() const { return dir_; }

protected:
    bool OnInit() override
    {
        SendDlgItemMessageA(Handle(), IDC_CD_PATH, EM_LIMITTEXT, MAX_PATH - 2, 0);
        SetItemText(IDC_CD_PATH, dir_);
        return true;
    }
    bool OnOK() override
    {
        std::string dir = ItemText(IDC_CD_PATH);
        DWORD a = GetFileAttributesA(dir.c_str());
        if (dir.empty() || a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) {
            MessageBeep(MB_ICONEXCLAMATION);
            SetFocus(Item(IDC_CD_PATH));
            return false;
        }
        char full[MAX_PATH];
        DWORD n = GetFullPathNameA(dir.c_str(), sizeof full, full, nullptr);
        dir_ = n > 0 && n < sizeof full ? full : dir;
        return true;
    }

private:
    std::string dir_;
};

// The criteria carry over from one run to the next while the program runs.
TFindFilesParams& Remembered()
{
    static TFindFilesParams params;
    return params;
}

}  // namespace

bool RunFindFilesDialog(HWND owner, char* buffer, std::size_t size)
{
    TFindFilesParams& p = Remembered();
    p.owner = owner;
    p.instance = GetModuleHandleA(nullptr);
    p.initialDir[0] = '\0';
    p.result[0] = '\0';
    p.message = [](HWND o, int, const char* text) { VokMessageText(o, text, MB_OK | MB_ICONEXCLAMATION); };
    p.changeDirectory = [](HWND o, std::string* dir) {
        TChangeDirDlg dialog(GetModuleHandleA(nullptr), *dir);
        if (dialog.Run(o) != IDOK)
            return false;
        *dir = dialog.Directory();
        return true;
    };
    p.help = [](HWND o) { ShowHelpContext(o, HelpContextOf(CM_FINDFILE)); };
    if (!FindFiles(p))
        return false;
    std::size_t n = std::strlen(p.result);
    if (n + 1 > size)
        return false;
    std::memcpy(buffer, p.result, n + 1);
    return true;
}
