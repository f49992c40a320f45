// The first-run check and the program's record in the maker's shared profile "vok.ini".
#pragma once

#include <cstdint>
#include <string>

#include "base/Profile.h"

// The install record the setup program leaves in the registry (value Start of the current user's key
// "Software\Vok\Vok Text Editor\Install").
class TInstallRecord {
public:
    virtual ~TInstallRecord() = default;
    // False when the key or a 32-bit Start value is missing.
    virtual bool ReadStart(uint32_t& value) = 0;
    virtual void WriteStart(uint32_t value) = 0;
};

// What the program says about itself in "vok.ini".
struct TProgramIdentity {
    std::string shortPath;        // the program's full path in short (8.3) form
    std::string version = "1.2";  // string 32702
    std::string lang = "1033";    // string 32701
};

// Runs before the settings are read: on the first run after setup (Start is 0) it marks the run, clears
// the program's entry in "vok.ini" and asks for the association dialog and the tips; then it records the
// program's path, version and language in "vok.ini" when the path or the version changed.
void RecordFirstRun(TInstallRecord& install, TProfile& vokIni, TProfile& ozmIni,
                    const TProgramIdentity& program);
