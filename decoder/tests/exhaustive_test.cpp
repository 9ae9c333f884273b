// Every number of digits and "V" checked against dates worked out with
// std::chrono alone, independently of the month table under test.

#include "birth_details.h"
#include "calendar_facts.h"
#include "arithmetic_calendar.h"
#include "fixed_today_calendar.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

using namespace std::chrono;

namespace {

constexpr std::array<const char *, 12> MonthNames{"January",   "February", "March",    "April",
                                                  "May",       "June",     "July",     "August",
                                                  "September", "October",  "November", "December"};

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
    const FixedTodayCalendar calendar{2026y / December / 7};
    int valid = 0;
    for (int yy = 0; yy <= 99; ++yy) {
        for (int code = 0; code <= 999; ++code) {
            char text[16];
            std::snprintf(text, sizeof text, "%02d%03d1234V", yy, code);
            const Expected expected = expectedFor(yy, code);
            const BirthDetails details = DecodeBirthDetails(text, calendar);
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
    const FixedTodayCalendar calendar{2026y / December / 7};
    int expected = 2; // Sunday = 1
    for (sys_days day = sys_days{1900y / January / 1}; day <= sys_days{1999y / December / 31}; day += days{1}) {
        const year_month_day date{day};
        const CalendarFacts facts =
            ComputeCalendarFacts(date, static_cast<int>(date.year()), calendar.today(), calendar);
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
    const FixedTodayCalendar calendar{2026y / December / 7};
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

#ifndef NIC_ARITHMETIC_CALENDAR
TEST(Exhaustive, ArithmeticCalendarAgreesWithIcu1900To1999)
{
    // The Windows cross-check runs these tests on the arithmetic calendar;
    // they prove nothing there unless it gives what ICU gives here.
    const FixedTodayCalendar icu{2026y / December / 7};
    for (sys_days day = sys_days{1900y / January / 1}; day <= sys_days{1999y / December / 31}; day += days{1}) {
        const year_month_day date{day};
        const HijriDate expected = icu.hijri(date);
        const HijriDate actual = ArithmeticCalendar::hijri(date);
        ASSERT_EQ(actual, expected) << static_cast<int>(date.year()) << "-" << static_cast<unsigned>(date.month())
                                    << "-" << static_cast<unsigned>(date.day()) << ": " << actual.year << "/"
                                    << actual.month << "/" << actual.day;
    }
}
#endif

} // namespace
