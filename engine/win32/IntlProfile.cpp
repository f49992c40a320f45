// Reads the regional time and date settings from the "intl" section of the system profile.
#include "engine/win32/IntlProfile.h"

#include <windows.h>

#include "engine/TimeDate.h"

namespace {
std::string ProfileString(const char* key, const char* fallback)
{
    char buffer[64];
    GetProfileStringA("intl", key, fallback, buffer, sizeof buffer);
    return buffer;
}

TIntlSettings ReadIntl()
{
    TIntlSettings s;
    s.iTime = static_cast<int>(GetProfileIntA("intl", "iTime", s.iTime));
    s.sTime = ProfileString("sTime", s.sTime.c_str());
    s.s1159 = ProfileString("s1159", s.s1159.c_str());
    s.s2359 = ProfileString("s2359", s.s2359.c_str());
    s.iTLZero = static_cast<int>(GetProfileIntA("intl", "iTLZero", s.iTLZero));
    s.sShortDate = ProfileString("sShortDate", s.sShortDate.c_str());
    return s;
}
}  // namespace

void InstallIntlProfile()
{
    SetIntlProvider(&ReadIntl);
}
