#pragma once

// The 12-digit form issued since 2016: the year of birth in positions 1-4,
// the day code of the older form in 5-7 (the day of the year with February
// always 29 days, plus 500 for a woman), a serial number in 8-11 and a
// check digit in 12, whose rule is not published and so is not checked.
// An older number maps to it as "19", its first five digits, "0" and its
// last four digits. Pure text and number work: the date check and the
// calendar facts are the older form's own (birth_details.h).

#include "birth_date.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

struct DecodedNumber;

// Exactly twelve ASCII digits.
bool IsNewFormNumber(std::string_view text);

// The year from positions 1-4 and the day code from 5-7, then the same steps
// as for the older form.
DecodedNumber DecodeNewFormNumber(std::string_view text);

// The date a 12-digit number names, when it exists, lies in 1900 or later
// and is no later than today; none otherwise.
std::optional<BirthDate> CheckNewFormDate(const DecodedNumber &number, std::chrono::year_month_day today);

// The 12-digit form of a valid number of either form: the one key that
// matches a person across both.
std::string NewFormOf(std::string_view validNumber);
