#pragma once

// The real ICU conversions with a "today" the test chooses, so that ages do
// not depend on the day the tests run. Without ICU (the Windows cross-check)
// the same conversions come from arithmetic.

#ifdef NIC_ARITHMETIC_CALENDAR
#include "arithmetic_calendar.h"
#else
#include "icu_calendar_service.h"
#endif

#include <chrono>

class FixedTodayCalendar final : public CalendarService
{
public:
    explicit FixedTodayCalendar(std::chrono::year_month_day today) : m_today(today) {}

    std::chrono::year_month_day today() const override { return m_today; }
    HijriDate hijri(std::chrono::year_month_day date) const override { return m_real.hijri(date); }

private:
#ifdef NIC_ARITHMETIC_CALENDAR
    ArithmeticCalendar m_real;
#else
    IcuCalendarService m_real;
#endif
    std::chrono::year_month_day m_today;
};
