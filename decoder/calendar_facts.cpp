#include "calendar_facts.h"

#include "calendar_service.h"
#include "number_text.h"

#include <array>
#include <cmath>

namespace {

constexpr std::array<std::string_view, 7> WeekdayNames{
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Sturday"};

constexpr std::array<std::string_view, 12> HijriMonthNames{
    "Muharram", "Safar", "Rabi'al Awal", "Rabi'al Thani", "Jamada al Ula", "Jamada al Thani",
    "Rajab", "Shaaban", "Ramadhan", "Shawwal", "Dhul Qa'dah", "Dhul Hajjah"};

constexpr int MonthsPerYear = 12;
constexpr std::string_view YearsText = "  Years";
constexpr std::string_view AndText = "   &   ";
constexpr std::string_view MonthText = "  Month";
constexpr std::string_view HijriSeparator = "   ";

template <std::size_t N>
std::string_view nameAt(const std::array<std::string_view, N> &names, int number)
{
    return number >= 1 && number <= static_cast<int>(N) ? names[static_cast<std::size_t>(number - 1)]
                                                       : std::string_view{};
}

std::string ageText(BirthDate birthDate, double birthYear, std::chrono::year_month_day today)
{
    const int birthMonth = static_cast<int>(static_cast<unsigned>(birthDate.month()));
    const int currentMonth = static_cast<int>(static_cast<unsigned>(today.month()));
    const int currentYear = static_cast<int>(today.year());

    // Months and years only: whether the day of the birthday has come this
    // month plays no part.
    const int monthSum = currentMonth + (MonthsPerYear - birthMonth);
    const double provisionalYears = (currentYear - 1) - birthYear;
    double years = provisionalYears;
    int months = monthSum;
    if (monthSum >= MonthsPerYear) {
        years = provisionalYears + 1;
        months = monthSum - MonthsPerYear;
    }
    std::string text = WriteNumber(years);
    text += YearsText;
    text += AndText;
    text += WriteNumber(months);
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

CalendarFacts ComputeCalendarFacts(BirthDate birthDate, double birthYear,
                                   std::chrono::year_month_day today,
                                   const CalendarService &calendars)
{
    CalendarFacts facts;
    facts.DayOB = std::string(WeekdayName(calendars.weekday(birthDate)));
    facts.Age = ageText(birthDate, birthYear, today);
    facts.HDateOB = hijriText(calendars.hijri(birthDate));
    return facts;
}
