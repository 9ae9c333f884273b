#include "icu_calendar_service.h"

#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <cmath>
#include <stdexcept>

namespace {

constexpr double MillisecondsPerDay = 86'400'000.0;

UDate utcMidnight(std::chrono::year_month_day date)
{
    const auto days = std::chrono::sys_days(date).time_since_epoch().count();
    return static_cast<double>(days) * MillisecondsPerDay;
}

std::unique_ptr<icu::Calendar> makeCalendar(const char *locale, const icu::TimeZone &zone)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> calendar(
        icu::Calendar::createInstance(zone, icu::Locale(locale), status));
    // Without its calendar data ICU falls back silently to another calendar;
    // a wrong Hijri date is worse than not starting.
    if (U_FAILURE(status) || status == U_USING_DEFAULT_WARNING || !calendar)
        throw std::runtime_error(std::string("ICU calendar unavailable: ") + locale);
    return calendar;
}

int field(const icu::Calendar &calendar, UCalendarDateFields which)
{
    UErrorCode status = U_ZERO_ERROR;
    const int value = calendar.get(which, status);
    return U_SUCCESS(status) ? value : 0;
}

void setTime(icu::Calendar &calendar, UDate time)
{
    UErrorCode status = U_ZERO_ERROR;
    calendar.setTime(time, status);
}

} // namespace

struct IcuCalendarService::Calendars
{
    // The conversions run on UTC so that midnight of a date maps to that date
    // whatever the user's time zone; only today() looks at the local zone.
    std::unique_ptr<icu::Calendar> local;
    std::unique_ptr<icu::Calendar> gregorian;
    std::unique_ptr<icu::Calendar> islamic;
};

IcuCalendarService::IcuCalendarService() : m_calendars(std::make_unique<Calendars>())
{
    const std::unique_ptr<icu::TimeZone> utc(icu::TimeZone::createTimeZone("Etc/UTC"));
    const std::unique_ptr<icu::TimeZone> local(icu::TimeZone::createDefault());
    m_calendars->local = makeCalendar("en@calendar=gregorian", *local);
    m_calendars->gregorian = makeCalendar("en@calendar=gregorian", *utc);
    m_calendars->islamic = makeCalendar("en@calendar=islamic-tbla", *utc);
    // A pure proleptic Gregorian calendar: no Julian days before 1582.
    if (auto *gregorian = dynamic_cast<icu::GregorianCalendar *>(m_calendars->gregorian.get())) {
        UErrorCode status = U_ZERO_ERROR;
        gregorian->setGregorianChange(-HUGE_VAL, status);
    }
}

IcuCalendarService::~IcuCalendarService() = default;

std::chrono::year_month_day IcuCalendarService::today() const
{
    setTime(*m_calendars->local, icu::Calendar::getNow());
    return {std::chrono::year(field(*m_calendars->local, UCAL_EXTENDED_YEAR)),
            std::chrono::month(static_cast<unsigned>(field(*m_calendars->local, UCAL_MONTH) + 1)),
            std::chrono::day(static_cast<unsigned>(field(*m_calendars->local, UCAL_DATE)))};
}

int IcuCalendarService::weekday(std::chrono::year_month_day date) const
{
    setTime(*m_calendars->gregorian, utcMidnight(date));
    return field(*m_calendars->gregorian, UCAL_DAY_OF_WEEK);
}

HijriDate IcuCalendarService::hijri(std::chrono::year_month_day date) const
{
    setTime(*m_calendars->islamic, utcMidnight(date));
    return {field(*m_calendars->islamic, UCAL_EXTENDED_YEAR), field(*m_calendars->islamic, UCAL_MONTH) + 1,
            field(*m_calendars->islamic, UCAL_DATE)};
}
