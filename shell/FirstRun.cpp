// The first-run check and the shared-profile record.
#include "shell/FirstRun.h"

#include "base/TextTools.h"

namespace {

const char kEntry[] = "Text Editor";

// The settings themselves report nothing about profile writes: a record that cannot be written is
// simply written again at the next start.
void Record(TProfile& vokIni, const char* section, const char* value)
{
    (void)vokIni.WriteString(section, kEntry, value);
}

}  // namespace

void RecordFirstRun(TInstallRecord& install, TProfile& vokIni, TProfile& ozmIni,
                    const TProgramIdentity& program)
{
    uint32_t start = 1;
    if (install.ReadStart(start) && start == 0) {
        install.WriteStart(1);
        Record(vokIni, "Vok Applications", "");
        (void)ozmIni.WriteFlag("Settings", "AssociateDlgStartUp", true);
        (void)ozmIni.WriteInt("Tip", "StartUp", 0);
    }
    char recorded[128];
    vokIni.GetString("Vok Applications", kEntry, "", recorded, sizeof recorded);
    if (!EqualNoCase(recorded, program.shortPath.c_str())) {
        Record(vokIni, "Vok Applications", program.shortPath.c_str());
        Record(vokIni, "Version", program.version.c_str());
        Record(vokIni, "Lang", program.lang.c_str());
        Record(vokIni, "vokctrl.dll", "yes");
        return;
    }
    char version[64];
    vokIni.GetString("Version", kEntry, "", version, sizeof version);
    if (program.version != version) {
        Record(vokIni, "Version", program.version.c_str());
        Record(vokIni, "Lang", program.lang.c_str());
        Record(vokIni, "vokctrl.dll", "no");
    }
}
