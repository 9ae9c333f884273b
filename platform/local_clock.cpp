#include "local_clock.h"

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <ctime>
#endif

#if defined(_WIN32)

std::chrono::year_month_day LocalToday()
{
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return std::chrono::year_month_day{std::chrono::year(local.wYear), std::chrono::month(local.wMonth),
                                       std::chrono::day(local.wDay)};
}

#else

namespace {

// The reentrant local-time call need not read the zone setting by itself.
// Once per run: reading it again on every call costs the system a file check
// each time, more than the whole rest of a decoding.
void readZoneOnce()
{
    static const bool read = [] {
        tzset();
        return true;
    }();
    (void)read;
}

} // namespace

std::chrono::year_month_day LocalToday()
{
    readZoneOnce();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year_month_day{std::chrono::year(local.tm_year + 1900),
                                       std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
                                       std::chrono::day(static_cast<unsigned>(local.tm_mday))};
}

#endif
