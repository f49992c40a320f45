// Time and date texts in the user's regional format, for InsertTime/InsertDate and print headers.
#pragma once

#include <ctime>
#include <string>

// The regional values read from the "intl" section of the system profile.
struct TIntlSettings {
    int iTime = 1;                  // 1: 24-hour clock
    std::string sTime = ":";
    std::string s1159 = "A.M.";
    std::string s2359;
    int iTLZero = 0;                // 1: hours with a leading zero
    std::string sShortDate = "m/d/yy";
};

// Where the settings come from; the Windows build installs a reader of the system profile at start-up.
using TIntlProvider = TIntlSettings (*)();
void SetIntlProvider(TIntlProvider provider);
// The settings, read once on first use.
const TIntlSettings& IntlSettings();
// Forgets the cached settings so the next use reads them again (tests, a changed provider).
void ResetIntlSettings();

std::string FormatTime(const std::tm& t, const TIntlSettings& intl);
std::string FormatDate(const std::tm& t, const TIntlSettings& intl);
// The current local time.
std::tm LocalNow();
