#include "icu_calendar_service.h"

#if defined(NIC_WINDOWS_SYSTEM_ICU)
#include <icu.h>
#else
#include <unicode/ucal.h>
#include <unicode/utypes.h>
#endif

#include <cstring>
#include <iterator>
#include <string>

using namespace std::chrono;

namespace {

constexpr double MillisecondsPerDay = 86'400'000.0;

// The conversions run on UTC so that midnight of a date maps to that date
// whatever the user's time zone.
constexpr UChar UtcZone[] = {'E', 't', 'c', '/', 'U', 'T', 'C'};
constexpr int32_t UtcZoneLength = static_cast<int32_t>(std::size(UtcZone));

constexpr const char *IslamicType = "islamic-tbla";

// One date whose answer is known, tried once at start: 5 March 1985 was
// 13 Jumada al-Thani 1405.
constexpr year_month_day KnownDate = 1985y / March / 5;
constexpr HijriDate KnownHijri{1405, 6, 13};

struct CalendarCloser
{
    void operator()(UCalendar *calendar) const { ucal_close(calendar); }
};
using CalendarHandle = std::unique_ptr<UCalendar, CalendarCloser>;

[[noreturn]] void refuse(const std::string &what)
{
    throw CalendarDataError("The calendar data of the ICU library cannot be used: " + what
                            + ". Without it dates of birth could come out wrong. "
                              "Install or repair ICU and start the program again.");
}

UDate utcMidnight(year_month_day date)
{
    const auto days = sys_days(date).time_since_epoch().count();
    return static_cast<double>(days) * MillisecondsPerDay;
}

// ICU answers even without its data, with a calendar built from defaults;
// only the status tells, so its warnings count as failures here.
CalendarHandle openCalendar(const char *type)
{
    const std::string locale = std::string("en@calendar=") + type;
    UErrorCode status = U_ZERO_ERROR;
    CalendarHandle calendar(ucal_open(UtcZone, UtcZoneLength, locale.c_str(), UCAL_DEFAULT, &status));
    if (U_FAILURE(status) || !calendar || status == U_USING_FALLBACK_WARNING || status == U_USING_DEFAULT_WARNING)
        refuse(std::string("the calendar \"") + type + "\" did not open properly (" + u_errorName(status) + ")");

    status = U_ZERO_ERROR;
    const char *opened = ucal_getType(calendar.get(), &status);
    if (U_FAILURE(status) || !opened || std::strcmp(opened, type) != 0)
        refuse(std::string("asked for the ") + type + " calendar, got "
               + (opened && U_SUCCESS(status) ? opened : "none"));
    return calendar;
}

int field(UCalendar *calendar, UCalendarDateFields which)
{
    UErrorCode status = U_ZERO_ERROR;
    const int value = ucal_get(calendar, which, &status);
    return U_SUCCESS(status) ? value : 0;
}

void setTime(UCalendar *calendar, UDate time)
{
    UErrorCode status = U_ZERO_ERROR;
    ucal_setMillis(calendar, time, &status);
}

} // namespace

struct IcuCalendarService::Calendar
{
    CalendarHandle islamic;
};

IcuCalendarService::IcuCalendarService() : m_calendar(std::make_unique<Calendar>())
{
    m_calendar->islamic = openCalendar(IslamicType);
    const HijriDate known = hijri(KnownDate);
    if (known != KnownHijri)
        refuse("it gives 5 March 1985 as Hijri " + std::to_string(known.year) + "-" + std::to_string(known.month) + "-"
               + std::to_string(known.day) + " instead of 1405-6-13");
}

IcuCalendarService::~IcuCalendarService() = default;

HijriDate IcuCalendarService::hijri(year_month_day date) const
{
    UCalendar *islamic = m_calendar->islamic.get();
    setTime(islamic, utcMidnight(date));
    return {field(islamic, UCAL_EXTENDED_YEAR), field(islamic, UCAL_MONTH) + 1, field(islamic, UCAL_DATE)};
}
