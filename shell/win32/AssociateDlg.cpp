// Associate ("ASSOCIATE"): registers the editor as the program that opens files of the chosen kinds.
#include "shell/win32/AssociateDlg.h"

#include "OptionIds.h"
#include "controls/VokCtl.h"
#include "shell/win32/VokMessage.h"

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kStartUpKey = "AssociateDlgStartUp";

// The check box of each kind, in the order of TFileKind.
const int kKindBoxes[kFileKindCount] = {IDC_ASSOC_TXT, IDC_ASSOC_INI, IDC_ASSOC_INF, IDC_ASSOC_LOG,
                                        IDC_ASSOC_C,   IDC_ASSOC_CPP, IDC_ASSOC_H,   IDC_ASSOC_ASM,
                                        IDC_ASSOC_PAS, IDC_ASSOC_PRG, IDC_ASSOC_CH,  IDC_ASSOC_INC};

bool WriteDefaultValue(HKEY root, const std::string& path, const std::string& value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr)
        != ERROR_SUCCESS)
        return false;
    const LONG rc = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

}  // namespace

bool WriteAssociations(const TAssociationTarget& target, unsigned checked, const std::string& openCommand,
                       std::string* failedKey)
{
    for (const TRegistryEntry& e : AssociationEntries(checked, openCommand)) {
        const std::string path = target.base.empty() ? e.key : target.base + "\\" + e.key;
        if (!WriteDefaultValue(target.root, path, e.value)) {
            if (failedKey)
                *failedKey = e.key;
            return false;
        }
    }
    return true;
}

TAssociateFilesDlg::TAssociateFilesDlg(HINSTANCE instance, TProfile& settings, std::string programPath,
                                       TAssociationTarget target)
    : TDialog(instance, "ASSOCIATE"),
      settings_(settings),
      program_(std::move(programPath)),
      target_(std::move(target)),
      startUp_(settings.GetInt(kSection, kStartUpKey, 1) == 1)
{
}

bool TAssociateFilesDlg::OnInit()
{
    for (int id : {IDC_ASSOC_TXT, IDC_ASSOC_INI, IDC_ASSOC_INF})
        CheckDlgButton(Handle(), id, BST_CHECKED);
    CheckDlgButton(Handle(), IDC_ASSOC_STARTUP, startUp_ ? BST_CHECKED : BST_UNCHECKED);
    CenterDialog(Handle(), TRUE);
    return true;
}

bool TAssociateFilesDlg::OnCommand(int id, int code)
{
    if (id != IDC_ASSOC_DO || code != BN_CLICKED)
        return false;
    Associate();
    return true;
}

bool TAssociateFilesDlg::OnOK()
{
    Close();
    return true;
}

void TAssociateFilesDlg::Associate()
{
    unsigned checked = 0;
    for (int kind = 0; kind < kFileKindCount; ++kind)
        if (IsDlgButtonChecked(Handle(), kKindBoxes[kind]) == BST_CHECKED)
            checked |= 1u << kind;
    std::string failed;
    if (!WriteAssociations(target_, checked, OpenCommandFor(program_), &failed))
        VokMessage(Handle(), IDS_ASSOC_FAILED, failed.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void TAssociateFilesDlg::Close()
{
    startUp_ = IsDlgButtonChecked(Handle(), IDC_ASSOC_STARTUP) == BST_CHECKED;
    (void)settings_.WriteString(kSection, kStartUpKey, startUp_ ? "1" : "0");
}

std::string ShortProgramPath(HINSTANCE instance)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(instance, path, sizeof path);
    if (n == 0 || n >= sizeof path)
        return std::string();
    char shortPath[MAX_PATH];
    DWORD s = GetShortPathNameA(path, shortPath, sizeof shortPath);
    return s > 0 && s < sizeof shortPath ? std::string(shortPath) : std::string(path);
}
