#pragma once

// The facts that need the calendars: the day of the week of birth (worked
// out here from the Gregorian date), the present age in years and months,
// and the Hijri date of birth (from the calendar service), each as the text
// the window shows. Only months and years enter the age; the day of the month
// plays no part.

#include "birth_date.h"
#include "calendar_service.h"

#include <chrono>
#include <string>
#include <string_view>

struct CalendarFacts
{
    std::string DayOB;
    std::string Age;
    std::string HDateOB;
    // The numbers the three texts are written from, for callers that write
    // them in forms of their own (the console program's ISO dates).
    int weekday = 0; // 1 = Sunday
    int ageYears = 0;
    int ageMonths = 0;
    HijriDate hijri;
};

CalendarFacts ComputeCalendarFacts(BirthDate birthDate, int birthYear, std::chrono::year_month_day today,
                                   const CalendarService &calendars);

// Day names by weekday number, Sunday first. "Sturday" is how the program
// has always spelled it.
std::string_view WeekdayName(int weekday);
std::string_view HijriMonthName(int month);
