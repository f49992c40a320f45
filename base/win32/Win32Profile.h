// The profile file of the Windows build: the system's own private profile functions.
#pragma once

#include <string>

#include "base/Profile.h"

// TWin32Profile forwards every operation to GetPrivateProfileString and its relatives for one file. A
// bare file name ("ozm.ini") lives in the Windows directory, as the system places it.
class TWin32Profile : public TProfile {
public:
    explicit TWin32Profile(std::string fileName);

    const std::string& FileName() const { return fileName_; }

    int GetString(const char* section, const char* key, const char* def, char* buffer,
                  int size) const override;
    int GetInt(const char* section, const char* key, int def) const override;
    int GetSectionNames(char* buffer, int size) const override;
    int GetKeyNames(const char* section, char* buffer, int size) const override;
    [[nodiscard]] bool DeleteKey(const char* section, const char* key) override;
    [[nodiscard]] bool DeleteSection(const char* section) override;

protected:
    [[nodiscard]] bool StoreString(const char* section, const char* key, const char* text) override;

private:
    std::string fileName_;
};
