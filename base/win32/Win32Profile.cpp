// The profile file of the Windows build: thin forwarding to the private profile functions.
#include "base/win32/Win32Profile.h"

#include <windows.h>

#include <utility>

TWin32Profile::TWin32Profile(std::string fileName) : fileName_(std::move(fileName)) {}

int TWin32Profile::GetString(const char* section, const char* key, const char* def, char* buffer,
                             int size) const
{
    if (buffer == nullptr || size <= 0) return 0;
    // A null section or key would turn the call into an enumeration; those have their own operations.
    if (section == nullptr || key == nullptr) {
        buffer[0] = '\0';
        return 0;
    }
    return static_cast<int>(GetPrivateProfileStringA(section, key, def != nullptr ? def : "", buffer,
                                                     static_cast<DWORD>(size), fileName_.c_str()));
}

int TWin32Profile::GetInt(const char* section, const char* key, int def) const
{
    // The system's conversion answers an unsigned number; negative values come back through the cast.
    return static_cast<int>(GetPrivateProfileIntA(section, key, def, fileName_.c_str()));
}

int TWin32Profile::GetSectionNames(char* buffer, int size) const
{
    if (buffer == nullptr || size <= 0) return 0;
    return static_cast<int>(
        GetPrivateProfileSectionNamesA(buffer, static_cast<DWORD>(size), fileName_.c_str()));
}

int TWin32Profile::GetKeyNames(const char* section, char* buffer, int size) const
{
    if (buffer == nullptr || size <= 0) return 0;
    if (section == nullptr) {
        buffer[0] = '\0';
        return 0;
    }
    return static_cast<int>(
        GetPrivateProfileStringA(section, nullptr, "", buffer, static_cast<DWORD>(size), fileName_.c_str()));
}

bool TWin32Profile::DeleteKey(const char* section, const char* key)
{
    if (section == nullptr || key == nullptr) return false;
    return WritePrivateProfileStringA(section, key, nullptr, fileName_.c_str()) != FALSE;
}

bool TWin32Profile::DeleteSection(const char* section)
{
    if (section == nullptr) return false;
    return WritePrivateProfileStringA(section, nullptr, nullptr, fileName_.c_str()) != FALSE;
}

bool TWin32Profile::StoreString(const char* section, const char* key, const char* text)
{
    return WritePrivateProfileStringA(section, key, text, fileName_.c_str()) != FALSE;
}
