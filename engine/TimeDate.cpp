// Time and date texts in the user's regional format.
#include "engine/TimeDate.h"

#include <cctype>
#include <cstdio>
#include <optional>

namespace {
TIntlProvider gProvider = nullptr;
std::optional<TIntlSettings> gSettings;
}  // namespace

void SetIntlProvider(TIntlProvider provider)
{
    gProvider = provider;
    gSettings.reset();
}

const TIntlSettings& IntlSettings()
{
    if (!gSettings) {
        TIntlSettings s = gProvider ? gProvider() : TIntlSettings{};
        if (s.sShortDate.size() > 11)
            s.sShortDate.resize(11);
        gSettings = s;
    }
    return *gSettings;
}

void ResetIntlSettings()
{
    gSettings.reset();
}

std::string FormatTime(const std::tm& t, const TIntlSettings& intl)
{
    unsigned hour = static_cast<unsigned>(t.tm_hour);
    // A 12-hour clock shows 1..12 with the designator, as the user's clock does.
    if (intl.iTime != 1) {
        hour %= 12;
        if (hour == 0)
            hour = 12;
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, intl.iTLZero == 1 ? "%02u" : "%u", hour);
    std::string out = buffer;
    out += intl.sTime;
    std::snprintf(buffer, sizeof buffer, "%02u", static_cast<unsigned>(t.tm_min));
    out += buffer;
    // The designators say which half of the day a 12-hour clock shows; a 24-hour time needs neither, and
    // the regional values keep them ("PM") even when the clock is set to 24 hours.
    if (intl.iTime != 1)
        out += t.tm_hour >= 12 ? intl.s2359 : intl.s1159;
    if (out.size() > 15)
        out.resize(15);
    return out;
}

std::string FormatDate(const std::tm& t, const TIntlSettings& intl)
{
    std::string out;
    const std::string& pic = intl.sShortDate;
    char buffer[16];
    for (std::size_t i = 0; i < pic.size();) {
        char c = static_cast<char>(std::tolower(static_cast<unsigned char>(pic[i])));
        if (c != 'd' && c != 'm' && c != 'y') {
            out += pic[i++];
            continue;
        }
        std::size_t run = 0;
        while (i + run < pic.size() && std::tolower(static_cast<unsigned char>(pic[i + run])) == c)
            ++run;
        i += run;
        if (c == 'y') {
            int year = t.tm_year + 1900;
            if (run >= 3)
                std::snprintf(buffer, sizeof buffer, "%d", year);
            else
                std::snprintf(buffer, sizeof buffer, "%02d", year % 100);
        } else {
            int value = c == 'd' ? t.tm_mday : t.tm_mon + 1;
            std::snprintf(buffer, sizeof buffer, run >= 2 ? "%02d" : "%d", value);
        }
        out += buffer;
    }
    if (out.size() > 39)
        out.resize(39);
    return out;
}

std::tm LocalNow()
{
    std::time_t now = std::time(nullptr);
    std::tm result{};
#ifdef _WIN32
    if (std::tm* local = std::localtime(&now))
        result = *local;
#else
    localtime_r(&now, &result);
#endif
    return result;
}
