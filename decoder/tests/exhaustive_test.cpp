// Every number of digits and "V" checked against dates worked out with
// std::chrono alone, independently of the month table under test.

#include "birth_details.h"
#include "calendar_facts.h"
#include "icu_calendar_service.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

using namespace std::chrono;

namespace {

constexpr std::array<const char *, 12> MonthNames{"January",   "February", "March",    "April",
                                                  "May",       "June",     "July",     "August",
                                                  "September", "October",  "November", "December"};

constexpr year_month_day Today = 2026y / December / 7;

// The tabular Islamic calendar with the astronomical epoch by arithmetic
// alone: the published rule the program asks ICU for ("islamic-tbla"), so
// that an ICU with other data (a system's own icu.dll) cannot pass unseen.
HijriDate tabularHijri(year_month_day date)
{
    // 1 Muharram 1 AH is Thursday 15 July 622 (Julian), 492149 days before
    // 1 January 1970.
    constexpr int DaysFromEpochTo1970 = 492149;
    constexpr int CycleYears = 30;
    constexpr int CycleDays = 10631; // 19 years of 354 days and 11 of 355
    const auto isLeap = [](int year) { return (14 + 11 * year) % 30 < 11; };
    const auto yearLength = [&](int year) { return isLeap(year) ? 355 : 354; };
    // Odd months have 30 days, even ones 29, the last 30 in a leap year.
    const auto monthLength = [&](int year, int month) {
        return month % 2 == 1 || (month == 12 && isLeap(year)) ? 30 : 29;
    };

    int days = static_cast<int>(sys_days{date}.time_since_epoch().count()) + DaysFromEpochTo1970;
    HijriDate result;
    result.year = 1 + CycleYears * (days / CycleDays);
    days %= CycleDays;
    while (days >= yearLength(result.year)) {
        days -= yearLength(result.year);
        ++result.year;
    }
    result.month = 1;
    while (days >= monthLength(result.year, result.month)) {
        days -= monthLength(result.year, result.month);
        ++result.month;
    }
    result.day = days + 1;
    return result;
}

struct Expected
{
    Verdict verdict = Verdict::BadDate;
    std::string dateText;
};

// The day code counts February as 29 days in every year, as a leap year
// does: so the month and day come from day dayNo of the leap year 2000.
Expected expectedFor(int yy, int code)
{
    int dayNo = code;
    if (code >= 501 && code <= 866)
        dayNo = code - 500;
    else if (code < 1 || code > 366)
        return {};
    const year_month_day inLeapYear{sys_days{2000y / January / 1} + days{dayNo - 1}};
    const year_month_day birth{year{1900 + yy}, inLeapYear.month(), inLeapYear.day()};
    if (!birth.ok())
        return {};
    const unsigned month = static_cast<unsigned>(birth.month());
    return {Verdict::Valid, std::to_string(1900 + yy) + "   " + MonthNames[month - 1] + "   "
                                + std::to_string(static_cast<unsigned>(birth.day()))};
}

TEST(Exhaustive, EveryYearAndDayCode)
{
    const IcuCalendarService calendar;
    int valid = 0;
    for (int yy = 0; yy <= 99; ++yy) {
        for (int code = 0; code <= 999; ++code) {
            char text[16];
            std::snprintf(text, sizeof text, "%02d%03d1234V", yy, code);
            const Expected expected = expectedFor(yy, code);
            const BirthDetails details = DecodeBirthDetails(text, Today, calendar);
            ASSERT_EQ(details.Verdict, expected.verdict) << text;
            ASSERT_EQ(details.DateOB, expected.dateText) << text;
            if (expected.verdict == Verdict::Valid) {
                ++valid;
                ASSERT_EQ(details.Sex, code > 500 ? "Female" : "Male") << text;
            }
        }
    }
    // 366 codes for each sex, less 29 February in the 76 common years of
    // 1900-1999 (1900 is one of them).
    EXPECT_EQ(valid, 100 * 2 * 366 - 76 * 2);
}

TEST(Exhaustive, WeekdayOfEveryDate1900To1999)
{
    // Counted on a day at a time from 1 January 1900, a Monday, rather than
    // asked of <chrono>, which the decoder itself uses.
    const IcuCalendarService calendar;
    int expected = 2; // Sunday = 1
    for (sys_days day = sys_days{1900y / January / 1}; day <= sys_days{1999y / December / 31}; day += days{1}) {
        const year_month_day date{day};
        const CalendarFacts facts = ComputeCalendarFacts(date, static_cast<int>(date.year()), Today, calendar);
        ASSERT_EQ(facts.weekday, expected)
            << static_cast<int>(date.year()) << "-" << static_cast<unsigned>(date.month()) << "-"
            << static_cast<unsigned>(date.day());
        ASSERT_EQ(facts.DayOB, WeekdayName(expected));
        expected = expected % 7 + 1;
    }
}

TEST(Exhaustive, HijriDaysFollowOneAnotherWithoutGaps)
{
    // Consecutive Gregorian days are consecutive Hijri days: a month of 29
    // or 30 days, twelve months a year.
    const IcuCalendarService calendar;
    HijriDate previous = calendar.hijri(1899y / December / 31);
    for (sys_days day = sys_days{1900y / January / 1}; day <= sys_days{1999y / December / 31}; day += days{1}) {
        const HijriDate current = calendar.hijri(year_month_day{day});
        const bool nextDay =
            current.year == previous.year && current.month == previous.month && current.day == previous.day + 1;
        const bool nextMonth = current.year == previous.year && current.month == previous.month + 1 && current.day == 1
                               && previous.day >= 29;
        const bool nextYear = current.year == previous.year + 1 && current.month == 1 && previous.month == 12
                              && current.day == 1 && previous.day >= 29;
        ASSERT_TRUE(nextDay || nextMonth || nextYear)
            << previous.year << "/" << previous.month << "/" << previous.day << " -> " << current.year << "/"
            << current.month << "/" << current.day;
        ASSERT_LE(current.day, 30);
        previous = current;
    }
}

TEST(Exhaustive, IcuFollowsTheTabularRule1900To1999)
{
    const IcuCalendarService icu;
    for (sys_days day = sys_days{1900y / January / 1}; day <= sys_days{1999y / December / 31}; day += days{1}) {
        const year_month_day date{day};
        const HijriDate expected = tabularHijri(date);
        const HijriDate actual = icu.hijri(date);
        ASSERT_EQ(actual, expected) << static_cast<int>(date.year()) << "-" << static_cast<unsigned>(date.month())
                                    << "-" << static_cast<unsigned>(date.day()) << ": " << actual.year << "/"
                                    << actual.month << "/" << actual.day;
    }
}

} // namespace
