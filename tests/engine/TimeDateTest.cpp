// Time and date texts in regional formats.
#include <gtest/gtest.h>

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
    EXPECT_EQ(FormatTime(At(2026, 1, 1, 19, 30), intl), "19:30PM");
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
