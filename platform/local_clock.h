#pragma once

// Today's date as the desktop's clock shows it: the C library's local time,
// which honours every form of the TZ variable (zone names, ":Area/City",
// file paths and POSIX strings such as "<-10>10") and the system's zone
// setting. The age and the printed date stamp both read this one date.

#include <chrono>

std::chrono::year_month_day LocalToday();
