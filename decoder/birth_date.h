#pragma once

// The Gregorian date of birth. Only the date check forms one, and only for a
// date that exists; the calendar facts are worked out from it.

#include <chrono>

using BirthDate = std::chrono::year_month_day;
