#pragma once

// A calendar service whose today is fixed for a whole run: the day of
// --today, or the local date read once at start, so that every row of one
// report counts its age to the same day, even when the run crosses midnight.
// The conversions are the wrapped service's own.

#include "calendar_service.h"

#include <chrono>

class ChosenTodayCalendar final : public CalendarService
{
public:
    ChosenTodayCalendar(const CalendarService &calendars, std::chrono::year_month_day today)
        : m_calendars(calendars)
        , m_today(today)
    {}

    std::chrono::year_month_day today() const override { return m_today; }
    HijriDate hijri(std::chrono::year_month_day date) const override { return m_calendars.hijri(date); }

private:
    const CalendarService &m_calendars;
    std::chrono::year_month_day m_today;
};
