#include "birth_details.h"

#include "calendar_facts.h"
#include "calendar_service.h"
#include "new_form_number.h"
#include "number_decoding.h"
#include "number_validation.h"

#include <utility>

namespace {

// The texts and values of a decoding whose date of birth was formed.
void addCalendarFacts(BirthDetails &details, const DecodedNumber &number, BirthDate birthDate,
                      std::chrono::year_month_day today, const CalendarService &calendars)
{
    // A formed date's year is the decoded year, whole.
    CalendarFacts facts = ComputeCalendarFacts(birthDate, static_cast<int>(number.BirthYear), today, calendars);
    details.DayOB = std::move(facts.DayOB);
    details.Age = std::move(facts.Age);
    details.HDateOB = std::move(facts.HDateOB);
    details.Values = BirthValues{birthDate, facts.weekday, facts.ageYears, facts.ageMonths, facts.hijri};
}

BirthDetails decodeNewForm(std::string_view text, std::chrono::year_month_day today, const CalendarService &calendars)
{
    BirthDetails details;
    const DecodedNumber number = DecodeNewFormNumber(text);
    const std::optional<BirthDate> birthDate = CheckNewFormDate(number, today);
    if (!birthDate) {
        details.Verdict = Verdict::BadDate;
        return details;
    }
    details.DateOB = number.DateText.value_or(std::string{});
    details.Sex = number.Sex;
    addCalendarFacts(details, number, *birthDate, today, calendars);
    details.Verdict = Verdict::Valid;
    return details;
}

} // namespace

BirthDetails DecodeBirthDetails(std::string_view text, std::chrono::year_month_day today,
                                const CalendarService &calendars, NumberForms forms)
{
    if (forms == NumberForms::OlderAndTwelveDigit && IsNewFormNumber(text))
        return decodeNewForm(text, today, calendars);
    BirthDetails details;
    const DecodedNumber number = DecodeNumber(text);
    const DateCheck dateCheck = CheckDate(text, number);
    if (!dateCheck.passed) {
        details.Verdict = Verdict::BadDate;
        return details;
    }

    details.DateOB = number.DateText.value_or(std::string{});
    details.Sex = number.Sex;
    if (dateCheck.birthDate)
        addCalendarFacts(details, number, *dateCheck.birthDate, today, calendars);
    details.Verdict = CheckNumber(text, number) ? Verdict::Valid : Verdict::BadNumber;
    return details;
}
