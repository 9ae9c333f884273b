// Prints today's date and the age of the sample number as the program works them
// out, "YYYY-MM-DD|age", for local_today_test.sh to hold against `date`.

#include "birth_details.h"
#include "icu_calendar_service.h"
#include "local_clock.h"
#include "sample_numbers.h"

#include <cstdio>

int main()
{
    const IcuCalendarService calendars;
    const std::chrono::year_month_day today = LocalToday();
    const BirthDetails details = DecodeBirthDetails(samples::man::Number, today, calendars);
    std::printf("%04d-%02u-%02u|%s\n", static_cast<int>(today.year()), static_cast<unsigned>(today.month()),
                static_cast<unsigned>(today.day()), details.Age.c_str());
}
