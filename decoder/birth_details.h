#pragma once

// One whole decoding of a typed number, in the order the window relies on:
// decode, date check, calendar facts, number rule. The result carries every
// display text and the verdict, so the window only writes it into its fields.

#include "birth_date.h"
#include "calendar_service.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// Valid: both checks passed. BadDate: the date check failed, before any
// calendar fact was worked out. BadNumber: the number rule failed, after the
// display texts were formed.
enum class Verdict { Valid, BadDate, BadNumber };

// The date of birth and its calendar facts as numbers, which the texts are
// written from, for callers that write them in forms of their own.
struct BirthValues
{
    BirthDate date;
    int weekday = 0; // 1 = Sunday
    int ageYears = 0;
    int ageMonths = 0;
    HijriDate hijri;
};

struct BirthDetails
{
    std::string DateOB;
    // Absent when no Hijri date was worked out; the field then keeps its text.
    std::optional<std::string> HDateOB;
    std::string DayOB;
    std::string Sex;
    std::string Age;
    // Present exactly when the calendar facts were worked out.
    std::optional<BirthValues> Values;
    ::Verdict Verdict = ::Verdict::BadNumber;
};

// Which forms of number a decoding accepts. The window takes the older form
// only, and nic-decode can be told to give the window's verdicts; otherwise
// it reads twelve ASCII digits as the 12-digit form too, whose verdict is
// Valid or BadDate (a date that does not exist, lies before 1900 or after
// today). Every other text gets the window's verdict either way.
enum class NumberForms { OlderOnly, OlderAndTwelveDigit };

// Never fails. For BadDate the record holds the verdict alone. The age is
// counted to today, the caller's date, read once for the whole decoding.
BirthDetails DecodeBirthDetails(std::string_view text, std::chrono::year_month_day today,
                                const CalendarService &calendars, NumberForms forms = NumberForms::OlderOnly);
