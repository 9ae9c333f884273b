#pragma once

// The one calendar the decoder needs from outside: the Hijri date of a
// Gregorian date (the program's is ICU's, in platform/). Today's date is not
// asked for here: the caller reads its clock and hands the date over, so a
// decoding is a pure function of its inputs. The day of the week is plain
// arithmetic on the Gregorian date, which the decoder does itself.
// Implementations keep no calendar switch of their own: every call is a pure
// conversion and the Gregorian calendar is the one the caller's dates are
// always in.

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

    virtual HijriDate hijri(std::chrono::year_month_day date) const = 0;
};
