#include "local_clock.h"

#include <ctime>

namespace {

// The reentrant local-time call need not read the zone setting by itself.
// Once per run: reading it again on every call costs the system a file check
// each time, more than the whole rest of a decoding.
void readZoneOnce()
{
    static const bool read = [] {
#if defined(_WIN32)
        _tzset();
#else
        tzset();
#endif
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
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return std::chrono::year_month_day{std::chrono::year(local.tm_year + 1900),
                                       std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
                                       std::chrono::day(static_cast<unsigned>(local.tm_mday))};
}
