#pragma once

// What a spreadsheet row declares about its holder, read for the checks
// against the number: a date of birth and a sex, as people type them in
// forms. Reading never guesses: a text that is not one of the forms below
// is unreadable, and the check says so.

#include <chrono>
#include <optional>
#include <string_view>

// How a date with slashes, points or dashes orders its day and month.
enum class DateOrder { DayMonthYear, MonthDayYear };

// YYYY-MM-DD always; D/M/YYYY, D.M.YYYY and D-M-YYYY (one or two digits
// for the day and the month) in the given order. Blanks around are ignored.
// Only days that exist.
std::optional<std::chrono::year_month_day> ReadDeclaredDate(std::string_view text, DateOrder order);

// "Male" or "Female" for M, F, Male or Female in any case, blanks around ignored.
std::optional<std::string_view> ReadDeclaredSex(std::string_view text);

enum class CheckResult { NotMade, Match, Mismatch, Unreadable };

// "match", "mismatch", "unreadable", or empty when no check was made.
std::string_view CheckWord(CheckResult result);
