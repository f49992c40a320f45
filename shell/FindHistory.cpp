// The find and replace histories in the settings file.
#include "shell/FindHistory.h"

#include <cstdio>
#include <cstring>

namespace {

const char kSection[] = "FindHistory";

void ReadList(const TProfile& ini, const char* prefix, THistoryList& list)
{
    for (int i = 0; i < kHistoryCount; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "%s%d", prefix, i + 1);
        // One byte more than a slot holds, so that an over-long entry can be recognised and dropped.
        char value[kHistoryTextSize + 1];
        int n = ini.GetString(kSection, key, "", value, sizeof value);
        if (n >= 1 && n < kHistoryTextSize)
            std::memcpy(list[i], value, static_cast<std::size_t>(n) + 1);
        else
            list[i][0] = '\0';
    }
}

bool WriteList(TProfile& ini, const char* prefix, const THistoryList& list)
{
    bool ok = true;
    for (int i = 0; i < kHistoryCount; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "%s%d", prefix, i + 1);
        char value[kHistoryTextSize];
        std::memcpy(value, list[i], sizeof value);
        value[kHistoryTextSize - 1] = '\0';
        ok = ini.WriteString(kSection, key, value) && ok;
    }
    return ok;
}

}  // namespace

void ReadFindHistory(const TProfile& ini, THistoryList& find, THistoryList& replace)
{
    ReadList(ini, "Find", find);
    ReadList(ini, "Replace", replace);
}

bool WriteFindHistory(TProfile& ini, const THistoryList& find, const THistoryList& replace)
{
    bool ok = WriteList(ini, "Find", find);
    return WriteList(ini, "Replace", replace) && ok;
}
