// Time and date texts in regional formats.
#include <gtest/gtest.h>

#include <string>

#include "engine/TimeDate.h"

namespace {
std::tm At(int year, int month, int day, int hour, int minute)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    return t;
}
}  // namespace

TEST(TimeDate, DefaultsAreA24HourClockAndMonthDayYear)
{
    TIntlSettings intl;
    EXPECT_EQ(FormatTime(At(2026, 3, 7, 9, 5), intl), "9:05");
    EXPECT_EQ(FormatDate(At(2026, 3, 7, 9, 5), intl), "3/7/26");
}

TEST(TimeDate, LeadingZeroAndDesignators)
{
    TIntlSettings intl;
    intl.iTLZero = 1;
    intl.iTime = 0;
    intl.s1159 = "AM";
    intl.s2359 = "PM";
    EXPECT_EQ(FormatTime(At(2026, 1, 1, 7, 30), intl), "07:30AM");
    EXPECT_EQ(FormatTime(At(2026, 1, 1, 19, 30), intl), "07:30PM");
    EXPECT_EQ(FormatTime(At(2026, 1, 1, 0, 0), intl), "12:00AM");
    intl.iTime = 1;
    EXPECT_EQ(FormatTime(At(2026, 1, 1, 19, 30), intl), "19:30");
}

// Every combination of clock, leading zero and separator against the hour and minute written out by hand:
// a 24-hour clock never takes a designator (the regional values keep "AM" and "PM" for it all the same),
// a 12-hour clock shows 12 for the hours 0 and 12 and the designator of its half of the day.
TEST(TimeDate, TwelveAndTwentyFourHourClocksWithEveryRegionalValue)
{
    for (int iTime : {0, 1})
        for (int zero : {0, 1})
            for (const char* sep : {":", ".", ""})
                for (int hour = 0; hour < 24; ++hour) {
                    TIntlSettings intl;
                    intl.iTime = iTime;
                    intl.iTLZero = zero;
                    intl.sTime = sep;
                    intl.s1159 = "AM";
                    intl.s2359 = "PM";
                    int shown = iTime == 1 ? hour : (hour % 12 == 0 ? 12 : hour % 12);
                    std::string expected = std::to_string(shown);
                    if (zero == 1 && shown < 10)
                        expected = "0" + expected;
                    expected += std::string(sep) + "07";
                    if (iTime == 0)
                        expected += hour < 12 ? "AM" : "PM";
                    EXPECT_EQ(FormatTime(At(2026, 5, 1, hour, 7), intl), expected)
                        << "iTime " << iTime << " iTLZero " << zero << " sTime '" << sep << "' hour " << hour;
                }
    // Croatian regional values as Wine gives them: 24 hours with "PM" still set.
    TIntlSettings hr;
    hr.iTime = 1;
    hr.iTLZero = 0;
    hr.s1159 = "AM";
    hr.s2359 = "PM";
    EXPECT_EQ(FormatTime(At(2026, 12, 8, 14, 26), hr), "14:26");
}

TEST(TimeDate, DatePictureRunsAndCase)
{
    TIntlSettings intl;
    intl.sShortDate = "DD.MM.yyyy";
    EXPECT_EQ(FormatDate(At(2026, 3, 7, 0, 0), intl), "07.03.2026");
    intl.sShortDate = "d-m-y";
    EXPECT_EQ(FormatDate(At(2005, 11, 23, 0, 0), intl), "23-11-05");
}

TEST(TimeDate, ProviderIsReadOnceUntilReset)
{
    static int calls = 0;
    SetIntlProvider([] {
        ++calls;
        TIntlSettings s;
        s.sTime = ".";
        return s;
    });
    EXPECT_EQ(IntlSettings().sTime, ".");
    EXPECT_EQ(IntlSettings().sTime, ".");
    EXPECT_EQ(calls, 1);
    SetIntlProvider(nullptr);
    EXPECT_EQ(IntlSettings().sTime, ":");
}
