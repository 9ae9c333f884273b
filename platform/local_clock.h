#pragma once

// Today's date as the desktop's clock shows it. The age and the printed date
// stamp both read this one date.
//
// On Linux and the BSDs it is the C library's local time, which honours every
// form of the TZ variable (zone names, ":Area/City", file paths and POSIX
// strings such as "<-10>10") and the system's zone setting.
//
// On Windows it is the system's own local time, the zone set in Windows'
// settings, as the task bar's clock shows it; TZ is not read. Windows' C
// runtime understands only TZ's "tzn[+|-]hh[dzn]" form and reads anything
// else, "Asia/Colombo" included, as UTC, which could put the age a month out.

#include <chrono>

std::chrono::year_month_day LocalToday();
