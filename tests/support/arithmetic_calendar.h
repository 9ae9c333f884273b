#pragma once

// Hijri dates by arithmetic alone, for builds without ICU (the Windows
// cross-check): the tabular Islamic calendar with the astronomical epoch,
// the one the program asks ICU for ("islamic-tbla"); the decoder tests built
// with ICU prove the two agree on every day of 1900-1999. It has no clock:
// today() is the caller's.

#include "calendar_service.h"

#include <chrono>

class ArithmeticCalendar
{
public:
    static HijriDate hijri(std::chrono::year_month_day date)
    {
        int days = static_cast<int>(std::chrono::sys_days{date}.time_since_epoch().count()) + DaysFromEpochTo1970;
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

private:
    // 1 Muharram 1 AH is Thursday 15 July 622 (Julian), 492149 days before
    // 1 January 1970; dates before it are not needed.
    static constexpr int DaysFromEpochTo1970 = 492149;
    static constexpr int CycleYears = 30;
    static constexpr int CycleDays = 10631; // 19 years of 354 days and 11 of 355

    static bool isLeap(int year) { return (14 + 11 * year) % 30 < 11; }
    static int yearLength(int year) { return isLeap(year) ? 355 : 354; }
    // Odd months have 30 days, even ones 29, the last 30 in a leap year.
    static int monthLength(int year, int month) { return month % 2 == 1 || (month == 12 && isLeap(year)) ? 30 : 29; }
};
