#pragma once

// The clock and calendar the decoder needs from outside: today's local date
// and the Hijri date of a Gregorian date. The decoder only ever talks to this
// interface, so tests can hand it a fixed "today" and the program hands it
// the real clock and ICU (platform/). The day of the week is not asked for
// here: it is plain arithmetic on the Gregorian date, which the decoder does
// itself. Implementations keep no calendar switch of their own: every call
// is a pure conversion and the Gregorian calendar is the one the caller's
// dates are always in.

#include <chrono>

struct HijriDate
{
    int year = 0;
    int month = 0; // 1 = Muharram
    int day = 0;

    friend bool operator==(const HijriDate &, const HijriDate &) = default;
};

class CalendarService
{
public:
    virtual ~CalendarService() = default;

    // Today's date on the local clock, in the Gregorian calendar.
    virtual std::chrono::year_month_day today() const = 0;
    virtual HijriDate hijri(std::chrono::year_month_day date) const = 0;
};
