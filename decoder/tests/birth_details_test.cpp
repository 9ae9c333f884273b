// Whole decodings, from the typed text to the display texts and verdict.

#include "birth_details.h"
#include "icu_calendar_service.h"
#include "sample_numbers.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::chrono;

namespace {

const IcuCalendarService &calendar()
{
    static const IcuCalendarService instance;
    return instance;
}

std::string verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Valid:
        return "Valid";
    case Verdict::BadDate:
        return "BadDate";
    case Verdict::BadNumber:
        return "BadNumber";
    }
    return "?";
}

struct VerdictCase
{
    const char *name;
    std::string text;
    Verdict verdict;
    bool dateFormed; // whether the calendar facts were worked out
};

class VerdictTest : public testing::TestWithParam<VerdictCase>
{};

TEST_P(VerdictTest, GivesTheVerdict)
{
    const VerdictCase &c = GetParam();
    const BirthDetails details = DecodeBirthDetails(c.text, samples::Today, calendar());
    EXPECT_EQ(verdictName(details.Verdict), verdictName(c.verdict));
    EXPECT_EQ(details.HDateOB.has_value(), c.dateFormed);
    EXPECT_EQ(!details.DayOB.empty(), c.dateFormed);
    EXPECT_EQ(!details.Age.empty(), c.dateFormed);
    if (c.verdict == Verdict::BadDate) {
        // Nothing besides the verdict.
        EXPECT_EQ(details.DateOB, "");
        EXPECT_EQ(details.Sex, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, VerdictTest,
    testing::Values(VerdictCase{"upper_V", "811231234V", Verdict::Valid, true},
                    VerdictCase{"lower_v", "811231234v", Verdict::Valid, true},
                    VerdictCase{"lower_x", "811231234x", Verdict::Valid, true},
                    VerdictCase{"upper_X", "811231234X", Verdict::Valid, true},
                    VerdictCase{"upper_A", "811231234A", Verdict::Valid, true},
                    VerdictCase{"lower_a_is_not_accepted", "811231234a", Verdict::BadNumber, true},
                    VerdictCase{"Q_is_not_accepted", "811231234Q", Verdict::BadNumber, true},
                    VerdictCase{"29_February_1980_leap_year", "800601234V", Verdict::Valid, true},
                    VerdictCase{"29_February_1981_common_year", "810601234V", Verdict::BadDate, false},
                    VerdictCase{"29_February_1900_is_not_a_leap_year", "000601234V", Verdict::BadDate, false},
                    VerdictCase{"woman_born_29_February_1980", "805601234V", Verdict::Valid, true},
                    VerdictCase{"day_code_000", "810001234V", Verdict::BadDate, false},
                    VerdictCase{"day_code_400", "814001234V", Verdict::BadDate, false},
                    VerdictCase{"day_code_500", "815001234V", Verdict::BadDate, false},
                    VerdictCase{"day_code_999", "819991234V", Verdict::BadDate, false},
                    VerdictCase{"day_code_366", "813661234V", Verdict::Valid, true},
                    VerdictCase{"day_code_367", "813671234V", Verdict::BadDate, false},
                    VerdictCase{"day_code_501", "815011234V", Verdict::Valid, true},
                    VerdictCase{"day_code_866", "818661234V", Verdict::Valid, true},
                    VerdictCase{"day_code_867", "818671234V", Verdict::BadDate, false},
                    VerdictCase{"nine_digits_no_letter", "811231234", Verdict::BadNumber, true},
                    VerdictCase{"eleven_characters", "8112312345V", Verdict::BadNumber, true},
                    VerdictCase{"blank_in_position_9", "81123123 V", Verdict::BadNumber, true},
                    VerdictCase{"letter_in_position_6", "81123A234V", Verdict::BadNumber, true},
                    VerdictCase{"letter_first", "A11231234V", Verdict::BadNumber, false},
                    VerdictCase{"letter_second", "8A1231234V", Verdict::BadNumber, false},
                    VerdictCase{"empty_text", "", Verdict::BadNumber, false},
                    VerdictCase{"twelve_digits", "198112301234", Verdict::BadNumber, true},
                    VerdictCase{"blank_in_day_code", "81 121234V", Verdict::BadNumber, true},
                    VerdictCase{"sign_in_day_code", "81+231234V", Verdict::BadNumber, true},
                    VerdictCase{"negative_day_code", "81-121234V", Verdict::BadDate, false},
                    VerdictCase{"fractional_day_is_no_date", "811.51234V", Verdict::BadDate, false},
                    VerdictCase{"exponent_in_day_code", "811E21234V", Verdict::BadNumber, true},
                    VerdictCase{"arabic_indic_digit_starts_the_day_code",
                                "81\xD9\xA3"
                                "231234V",
                                Verdict::BadDate, false},
                    VerdictCase{"sinhala_digit_first",
                                "\xE0\xB7\xA8"
                                "11231234V",
                                Verdict::BadNumber, false},
                    VerdictCase{"full_width_digit_last_of_nine", "81123123\xEF\xBC\x94V", Verdict::BadNumber, true},
                    VerdictCase{"superscript_in_position_5",
                                "8112\xC2\xB3"
                                "1234V",
                                Verdict::BadNumber, true},
                    VerdictCase{"non_ascii_last_character", "811231234\xC3\x96", Verdict::BadNumber, true},
                    VerdictCase{"trailing_blank", "811231234V ", Verdict::BadNumber, true},
                    VerdictCase{"leading_blank", " 811231234V", Verdict::BadNumber, false}),
    [](const testing::TestParamInfo<VerdictCase> &row) { return std::string(row.param.name); });

TEST(BirthDetails, ValidNumberCarriesEveryText)
{
    const BirthDetails details = DecodeBirthDetails(samples::man::Number, samples::Today, calendar());
    EXPECT_EQ(details.DateOB, samples::man::DateOB);
    EXPECT_EQ(details.DayOB, samples::man::DayOB);
    EXPECT_EQ(details.Sex, samples::man::Sex);
    EXPECT_EQ(details.Age, samples::man::Age);
    EXPECT_EQ(details.HDateOB, samples::man::HDateOB);
}

TEST(BirthDetails, RejectedNumberKeepsTheTextsFormedBeforeTheRule)
{
    const BirthDetails details = DecodeBirthDetails("811231234Q", samples::Today, calendar());
    EXPECT_EQ(details.Verdict, Verdict::BadNumber);
    EXPECT_EQ(details.DateOB, samples::man::DateOB);
    EXPECT_EQ(details.DayOB, samples::man::DayOB);
    EXPECT_EQ(details.Sex, samples::man::Sex);
    EXPECT_EQ(details.Age, samples::man::Age);
    EXPECT_TRUE(details.HDateOB.has_value());
}

TEST(BirthDetails, NoDateFormedWhenTheYearIsNotDigits)
{
    const BirthDetails details = DecodeBirthDetails("A11231234V", samples::Today, calendar());
    EXPECT_EQ(details.Verdict, Verdict::BadNumber);
    EXPECT_EQ(details.DateOB, "19A1   May   2");
    EXPECT_EQ(details.Sex, "Male");
    EXPECT_EQ(details.DayOB, "");
    EXPECT_EQ(details.Age, "");
    EXPECT_FALSE(details.HDateOB.has_value());
}

} // namespace
