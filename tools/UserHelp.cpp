// The user help entries: their settings keys and Help menu items.
#include "tools/UserHelp.h"

#include <cstdio>

#include "base/TextTools.h"

namespace {

std::string KeyOf(const char* name, int n)
{
    char key[32];
    std::snprintf(key, sizeof key, "%s%d", name, n);
    return key;
}

}  // namespace

void TUserHelp::Set(int index, const char* menuString, const char* helpFile)
{
    if (index < 0 || index >= kUserHelpCount) return;
    CopyCut(entries_[index].menuString, menuString);
    CopyCut(entries_[index].helpFile, helpFile);
}

bool TUserHelp::InUse(int index) const
{
    return index >= 0 && index < kUserHelpCount && entries_[index].helpFile[0] != '\0';
}

void TUserHelp::Load(const TProfile& ini, const char* section)
{
    int active = ini.GetInt(section, "ContextHelpFile", 1);
    SetActive(active >= 1 && active <= kUserHelpCount ? active - 1 : 0);
    for (int i = 0; i < kUserHelpCount; ++i) {
        TUserHelpElement& e = entries_[i];
        ini.GetString(section, KeyOf("MenuString", i + 1).c_str(), "", e.menuString, sizeof e.menuString);
        ini.GetString(section, KeyOf("HelpFile", i + 1).c_str(), "", e.helpFile, sizeof e.helpFile);
    }
}

bool TUserHelp::Save(TProfile& ini, const char* section) const
{
    bool ok = ini.WriteInt(section, "ContextHelpFile", active_ + 1);
    for (int i = 0; i < kUserHelpCount; ++i) {
        ok = ini.WriteString(section, KeyOf("MenuString", i + 1).c_str(), entries_[i].menuString) && ok;
        ok = ini.WriteString(section, KeyOf("HelpFile", i + 1).c_str(), entries_[i].helpFile) && ok;
    }
    return ok;
}

std::vector<TUserHelpMenuItem> TUserHelp::MenuItems() const
{
    std::vector<TUserHelpMenuItem> items;
    for (int i = 0; i < kUserHelpCount; ++i) {
        if (!InUse(i)) continue;
        char fallback[24];
        std::snprintf(fallback, sizeof fallback, "Extern Help %d", i + 1);
        const char* text = entries_[i].menuString;
        items.push_back({kUserHelpFirstCommand + i, text[0] != '\0' ? text : fallback});
    }
    return items;
}
