#include "birth_details.h"

#include "calendar_facts.h"
#include "calendar_service.h"
#include "number_decoding.h"
#include "number_validation.h"

#include <utility>

BirthDetails DecodeBirthDetails(std::string_view text, std::chrono::year_month_day today,
                                const CalendarService &calendars)
{
    BirthDetails details;
    const DecodedNumber number = DecodeNumber(text);
    const DateCheck dateCheck = CheckDate(text, number);
    if (!dateCheck.passed) {
        details.Verdict = Verdict::BadDate;
        return details;
    }

    details.DateOB = number.DateText.value_or(std::string{});
    details.Sex = number.Sex;
    if (dateCheck.birthDate) {
        // A formed date's year is the decoded year, whole (1900-1999).
        CalendarFacts facts =
            ComputeCalendarFacts(*dateCheck.birthDate, static_cast<int>(number.BirthYear), today, calendars);
        details.DayOB = std::move(facts.DayOB);
        details.Age = std::move(facts.Age);
        details.HDateOB = std::move(facts.HDateOB);
        details.Values = BirthValues{*dateCheck.birthDate, facts.weekday, facts.ageYears, facts.ageMonths, facts.hijri};
    }
    details.Verdict = CheckNumber(text, number) ? Verdict::Valid : Verdict::BadNumber;
    return details;
}
