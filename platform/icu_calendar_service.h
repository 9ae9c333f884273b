#pragma once

// The real Hijri calendar: ICU's tabular Islamic calendar ("islamic-tbla":
// astronomical epoch, leap years 2, 5, 7, 10, 13, 16, 18, 21, 24, 26 and 29
// of each 30-year cycle) for the Hijri date. Only ICU's C API is used, so on
// Windows the system's own icu.dll serves it. The ICU calendar is opened once
// and reused, because opening it costs more than a whole decoding. Not
// thread-safe; the program uses it from its user-interface thread only.

#include "calendar_service.h"

#include <memory>
#include <stdexcept>

// ICU's calendar data is missing, unreadable or only a fallback. Dates
// worked out from it could be silently wrong, so the program must not start;
// what() says what was found, in words for the user.
class CalendarDataError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class IcuCalendarService final : public CalendarService
{
public:
    // Opens the Islamic calendar and checks it on one known date; throws
    // CalendarDataError when it is not what it must be.
    IcuCalendarService();
    ~IcuCalendarService() override;

    IcuCalendarService(const IcuCalendarService &) = delete;
    IcuCalendarService &operator=(const IcuCalendarService &) = delete;

    HijriDate hijri(std::chrono::year_month_day date) const override;

private:
    struct Calendar;
    std::unique_ptr<Calendar> m_calendar;
};
