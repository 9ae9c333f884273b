#pragma once

// The two checks that decide whether a typed number is accepted. The date
// check runs before any calendar fact and forms the date of birth; the
// number rule runs last and judges the shape of the whole text. Neither ever
// fails with an error: every text gets an answer.

#include "birth_date.h"

#include <optional>
#include <string_view>

struct DecodedNumber;

struct DateCheck
{
    bool passed = false;
    std::optional<BirthDate> birthDate;
};

// Passes without a date when character 1 or 2 is not a digit (the number
// rule rejects such a text anyway); otherwise passes only for a real
// Gregorian date, which it returns.
DateCheck CheckDate(std::string_view text, const DecodedNumber &number);

// The date the decoded month and day name in that year, when it exists: a
// whole day of a month, and a day the month has. Both forms' date checks
// form their dates here.
std::optional<BirthDate> FormBirthDate(const DecodedNumber &number, int year);

bool CheckNumber(std::string_view text, const DecodedNumber &number);
