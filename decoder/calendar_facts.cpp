#include "calendar_facts.h"

#include "calendar_service.h"
#include "number_text.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 7> WeekdayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Sturday"};

constexpr std::array<std::string_view, 12> HijriMonthNames{
    "Muharram", "Safar",   "Rabi'al Awal", "Rabi'al Thani", "Jamada al Ula", "Jamada al Thani",
    "Rajab",    "Shaaban", "Ramadhan",     "Shawwal",       "Dhul Qa'dah",   "Dhul Hajjah"};

constexpr int MonthsPerYear = 12;
constexpr std::string_view YearsText = "  Years";
constexpr std::string_view AndText = "   &   ";
constexpr std::string_view MonthText = "  Month";
constexpr std::string_view HijriSeparator = "   ";

// 1 for Sunday up to 7 for Saturday. The dates are 1900-1999, where the
// proleptic Gregorian calendar of <chrono> is the Gregorian calendar itself.
int weekdayNumber(BirthDate date)
{
    return static_cast<int>(std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding()) + 1;
}

template <std::size_t N>
std::string_view nameAt(const std::array<std::string_view, N> &names, int number)
{
    return number >= 1 && number <= static_cast<int>(N) ? names[static_cast<std::size_t>(number - 1)]
                                                        : std::string_view{};
}

struct Age
{
    int years = 0;
    int months = 0;
};

Age countAge(BirthDate birthDate, int birthYear, std::chrono::year_month_day today)
{
    const int birthMonth = static_cast<int>(static_cast<unsigned>(birthDate.month()));
    const int currentMonth = static_cast<int>(static_cast<unsigned>(today.month()));
    const int currentYear = static_cast<int>(today.year());

    // Months and years only: whether the day of the birthday has come this
    // month plays no part.
    const int monthSum = currentMonth + (MonthsPerYear - birthMonth);
    const int provisionalYears = (currentYear - 1) - birthYear;
    if (monthSum >= MonthsPerYear)
        return {provisionalYears + 1, monthSum - MonthsPerYear};
    return {provisionalYears, monthSum};
}

std::string ageText(const Age &age)
{
    std::string text = WriteNumber(age.years);
    text += YearsText;
    text += AndText;
    text += WriteNumber(age.months);
    text += MonthText;
    return text;
}

std::string hijriText(const HijriDate &date)
{
    std::string text = WriteNumber(date.year);
    text += HijriSeparator;
    text += HijriMonthName(date.month);
    text += HijriSeparator;
    text += WriteNumber(date.day);
    return text;
}

} // namespace

std::string_view WeekdayName(int weekday)
{
    return nameAt(WeekdayNames, weekday);
}

std::string_view HijriMonthName(int month)
{
    return nameAt(HijriMonthNames, month);
}

CalendarFacts ComputeCalendarFacts(BirthDate birthDate, int birthYear, std::chrono::year_month_day today,
                                   const CalendarService &calendars)
{
    CalendarFacts facts;
    facts.weekday = weekdayNumber(birthDate);
    facts.DayOB = std::string(WeekdayName(facts.weekday));
    const Age age = countAge(birthDate, birthYear, today);
    facts.Age = ageText(age);
    facts.ageYears = age.years;
    facts.ageMonths = age.months;
    facts.hijri = calendars.hijri(birthDate);
    facts.HDateOB = hijriText(facts.hijri);
    return facts;
}
