#include "icu_calendar_service.h"
#include "local_clock.h"

#include <gtest/gtest.h>

#if defined(NIC_WINDOWS_SYSTEM_ICU)
#include <icu.h>
#else
#include <unicode/ucal.h>
#endif

#include <ctime>
#include <iterator>
#include <vector>

using namespace std::chrono;

namespace {

struct HijriCase
{
    const char *name;
    year_month_day gregorian;
    HijriDate hijri;
};

class HijriTest : public testing::TestWithParam<HijriCase>
{};

TEST_P(HijriTest, IsTheTabularCalendarWithTheAstronomicalEpoch)
{
    const IcuCalendarService calendars;
    EXPECT_EQ(calendars.hijri(GetParam().gregorian), GetParam().hijri);
}

INSTANTIATE_TEST_SUITE_P(Dates, HijriTest,
                         testing::Values(
                             // 1 Muharram 1 is Thursday 15 July 622 in the Julian calendar.
                             HijriCase{"epoch", 622y / July / 18, {1, 1, 1}},
                             HijriCase{"day_of_the_civil_epoch", 622y / July / 19, {1, 1, 2}},
                             HijriCase{"5_March_1985", 1985y / March / 5, {1405, 6, 13}},
                             HijriCase{"1_January_1900", 1900y / January / 1, {1317, 8, 29}},
                             HijriCase{"31_December_1999", 1999y / December / 31, {1420, 9, 24}},
                             HijriCase{"2_May_1981", 1981y / May / 2, {1401, 6, 28}},
                             // Year 1420 is year 10 of its cycle, a leap year: Dhul Hajjah has 30 days.
                             HijriCase{"last_day_of_a_leap_year", 2000y / April / 4, {1420, 12, 30}},
                             HijriCase{"first_day_after_it", 2000y / April / 5, {1421, 1, 1}}),
                         [](const testing::TestParamInfo<HijriCase> &row) { return std::string(row.param.name); });

// The C runtime's own reading of the local date, for comparison. On Windows,
// with TZ unset, the runtime takes the zone from Windows' settings, which is
// where the program's clock reads it too.
std::tm localDate(std::time_t when)
{
    std::tm local{};
#if defined(_WIN32)
    _putenv_s("TZ", "");
    _tzset();
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    return local;
}

TEST(LocalToday, IsTheLocalDate)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::time_t before = std::time(nullptr);
        const year_month_day today = LocalToday();
        const std::time_t after = std::time(nullptr);
        const std::tm local = localDate(before);
        if (localDate(after).tm_mday != local.tm_mday)
            continue; // midnight passed while reading; try again
        EXPECT_EQ(static_cast<int>(today.year()), local.tm_year + 1900);
        EXPECT_EQ(static_cast<unsigned>(today.month()), static_cast<unsigned>(local.tm_mon + 1));
        EXPECT_EQ(static_cast<unsigned>(today.day()), static_cast<unsigned>(local.tm_mday));
        return;
    }
}

TEST(IcuCalendarService, ConversionsDoNotDependOnTheLocalZone)
{
    // In a zone far from UTC, midnight of a date must not slip to its
    // neighbour.
    UErrorCode status = U_ZERO_ERROR;
    UChar saved[128] = {};
    ucal_getDefaultTimeZone(saved, static_cast<int32_t>(std::size(saved)), &status);
    const char name[] = "Pacific/Kiritimati";
    const std::vector<UChar> kiritimati(std::begin(name), std::end(name));
    ucal_setDefaultTimeZone(kiritimati.data(), &status);
    ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);
    {
        const IcuCalendarService calendars;
        EXPECT_EQ(calendars.hijri(1985y / March / 5), (HijriDate{1405, 6, 13}));
    }
    ucal_setDefaultTimeZone(saved, &status);
}

} // namespace
