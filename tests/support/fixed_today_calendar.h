#pragma once

// The real ICU conversions with a "today" the test chooses, so that ages do
// not depend on the day the tests run.

#include "icu_calendar_service.h"

#include <chrono>

class FixedTodayCalendar final : public CalendarService
{
public:
    explicit FixedTodayCalendar(std::chrono::year_month_day today) : m_today(today) {}

    std::chrono::year_month_day today() const override { return m_today; }
    int weekday(std::chrono::year_month_day date) const override { return m_real.weekday(date); }
    HijriDate hijri(std::chrono::year_month_day date) const override { return m_real.hijri(date); }

private:
    IcuCalendarService m_real;
    std::chrono::year_month_day m_today;
};
