#include "calendar_facts.h"
#include "icu_calendar_service.h"
#include "sample_numbers.h"

#include <gtest/gtest.h>

using namespace std::chrono;

namespace {

// Hands back chosen Hijri numbers, to test how they are written.
class ScriptedCalendar final : public CalendarService
{
public:
    HijriDate hijriDate{1405, 6, 13};

    HijriDate hijri(year_month_day) const override { return hijriDate; }
};

struct AgeCase
{
    const char *name;
    year_month_day today;
    year_month_day birth;
    std::string age;
    int years; // the same age as numbers
    int months;
};

class AgeTest : public testing::TestWithParam<AgeCase>
{};

TEST_P(AgeTest, CountsMonthsAndYearsOnly)
{
    const AgeCase &c = GetParam();
    const ScriptedCalendar calendar;
    const int birthYear = static_cast<int>(c.birth.year());
    const CalendarFacts facts = ComputeCalendarFacts(c.birth, birthYear, c.today, calendar);
    EXPECT_EQ(facts.Age, c.age);
    EXPECT_EQ(facts.ageYears, c.years);
    EXPECT_EQ(facts.ageMonths, c.months);
}

INSTANTIATE_TEST_SUITE_P(Rows, AgeTest,
                         testing::Values(AgeCase{"later_month_this_year", 2026y / December / 7, 1985y / March / 5,
                                                 "41  Years   &   9  Month", 41, 9},
                                         AgeCase{"birth_month_with_the_birthday_still_to_come", 2026y / December / 7,
                                                 1985y / December / 20, "41  Years   &   0  Month", 41, 0},
                                         AgeCase{"today_before_the_birth_month", 2026y / March / 1,
                                                 1985y / December / 20, "40  Years   &   3  Month", 40, 3},
                                         AgeCase{"January_birthday_in_January", 2026y / January / 31,
                                                 1999y / January / 1, "27  Years   &   0  Month", 27, 0},
                                         AgeCase{"birth_month_one_after_today", 2026y / June / 15, 1990y / July / 16,
                                                 "35  Years   &   11  Month", 35, 11},
                                         AgeCase{"man_of_811231234V", 2026y / December / 7, 1981y / May / 2,
                                                 std::string(samples::man::Age), 45, 7},
                                         AgeCase{"woman_of_857541234V", 2026y / December / 7, 1985y / September / 10,
                                                 "41  Years   &   3  Month", 41, 3},
                                         AgeCase{"clock_before_the_birth_year_gives_a_negative_age", 1980y / May / 1,
                                                 1985y / March / 5, "-5  Years   &   2  Month", -5, 2}),
                         [](const testing::TestParamInfo<AgeCase> &row) { return std::string(row.param.name); });

struct NameCase
{
    const char *name;
    year_month_day birth;
    int weekday; // 1 = Sunday
    HijriDate hijri;
    std::string dayOB;
    std::string hDateOB;
};

class NamesTest : public testing::TestWithParam<NameCase>
{};

TEST_P(NamesTest, WritesDayAndHijriTexts)
{
    const NameCase &c = GetParam();
    ScriptedCalendar calendar;
    calendar.hijriDate = c.hijri;
    const CalendarFacts facts =
        ComputeCalendarFacts(c.birth, static_cast<int>(c.birth.year()), 2026y / December / 7, calendar);
    EXPECT_EQ(facts.weekday, c.weekday);
    EXPECT_EQ(facts.DayOB, c.dayOB);
    EXPECT_EQ(facts.HDateOB, c.hDateOB);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, NamesTest,
    testing::Values(
        NameCase{"Sunday_first", 1985y / March / 3, 1, {1405, 6, 13}, "Sunday", "1405   Jamada al Thani   13"},
        NameCase{"Saturday_spelled_Sturday", 1985y / March / 9, 7, {1405, 1, 1}, "Sturday", "1405   Muharram   1"},
        NameCase{
            "no_leading_zero_in_the_day", 1985y / March / 5, 3, {1405, 6, 3}, "Tuesday", "1405   Jamada al Thani   3"},
        NameCase{"apostrophes_kept", 1985y / March / 6, 4, {1317, 3, 30}, "Wednesday", "1317   Rabi'al Awal   30"},
        NameCase{"last_month", 1985y / March / 8, 6, {1420, 12, 29}, "Friday", "1420   Dhul Hajjah   29"},
        NameCase{"Hijri_month_past_the_table_gives_an_empty_name",
                 1985y / March / 4,
                 2,
                 {1420, 13, 1},
                 "Monday",
                 "1420      1"},
        NameCase{"Hijri_month_zero_gives_an_empty_name", 1985y / March / 7, 5, {1420, 0, 1}, "Thursday", "1420      1"},
        NameCase{"first_day_of_the_first_year", 1900y / January / 1, 2, {1317, 8, 29}, "Monday", "1317   Shaaban   29"},
        NameCase{
            "last_day_of_the_last_year", 1999y / December / 31, 6, {1420, 9, 24}, "Friday", "1420   Ramadhan   24"}),
    [](const testing::TestParamInfo<NameCase> &row) { return std::string(row.param.name); });

struct RealDateCase
{
    const char *name;
    year_month_day date;
    std::string dayOB;
    std::string hDateOB;
};

class RealCalendarTest : public testing::TestWithParam<RealDateCase>
{};

TEST_P(RealCalendarTest, UsesTheCalendarService)
{
    const RealDateCase &c = GetParam();
    const IcuCalendarService calendar;
    const CalendarFacts facts =
        ComputeCalendarFacts(c.date, static_cast<int>(c.date.year()), 2026y / December / 7, calendar);
    EXPECT_EQ(facts.DayOB, c.dayOB);
    EXPECT_EQ(facts.HDateOB, c.hDateOB);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, RealCalendarTest,
    testing::Values(RealDateCase{"5_March_1985", 1985y / March / 5, "Tuesday", "1405   Jamada al Thani   13"},
                    RealDateCase{"29_February_1984", 1984y / February / 29, "Wednesday", "1404   Jamada al Ula   28"},
                    RealDateCase{"1_January_1900", 1900y / January / 1, "Monday", "1317   Shaaban   29"},
                    RealDateCase{"31_December_1999", 1999y / December / 31, "Friday", "1420   Ramadhan   24"}),
    [](const testing::TestParamInfo<RealDateCase> &row) { return std::string(row.param.name); });

} // namespace
