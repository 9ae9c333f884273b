#pragma once

// The real clock and calendars: ICU's Gregorian calendar for the day of the
// week and its tabular Islamic calendar ("islamic-tbla": astronomical epoch,
// leap years 2, 5, 7, 10, 13, 16, 18, 21, 24, 26 and 29 of each 30-year
// cycle) for the Hijri date. The ICU calendars are built once and reused,
// because building one costs more than a whole decoding. Not thread-safe; the
// program uses it from its user-interface thread only.

#include "calendar_service.h"

#include <memory>

class IcuCalendarService final : public CalendarService
{
public:
    IcuCalendarService();
    ~IcuCalendarService() override;

    IcuCalendarService(const IcuCalendarService &) = delete;
    IcuCalendarService &operator=(const IcuCalendarService &) = delete;

    std::chrono::year_month_day today() const override;
    int weekday(std::chrono::year_month_day date) const override;
    HijriDate hijri(std::chrono::year_month_day date) const override;

private:
    struct Calendars;
    std::unique_ptr<Calendars> m_calendars;
};
