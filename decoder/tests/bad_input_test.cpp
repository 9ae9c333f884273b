// Texts nobody should type, which must still get a verdict: nothing may
// throw, read out of bounds or crash (the sanitizer build runs these too).

#include "birth_details.h"
#include "icu_calendar_service.h"
#include "number_decoding.h"
#include "unicode_text.h"

#include <gtest/gtest.h>

using namespace std::chrono;
using namespace std::string_literals;

namespace {

struct BadInputCase
{
    const char *name;
    std::string text;
    Verdict verdict;
};

class BadInputTest : public testing::TestWithParam<BadInputCase>
{};

TEST_P(BadInputTest, GetsAVerdict)
{
    const IcuCalendarService calendar;
    const BadInputCase &c = GetParam();
    BirthDetails details;
    EXPECT_NO_THROW(details = DecodeBirthDetails(c.text, 2026y / December / 7, calendar));
    EXPECT_EQ(details.Verdict, c.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BadInputTest,
    testing::Values(BadInputCase{"empty", "", Verdict::BadNumber},
                    BadInputCase{"one_megabyte_of_digits", std::string(1 << 20, '8'), Verdict::BadDate},
                    BadInputCase{"one_megabyte_after_a_valid_number", "811231234V" + std::string(1 << 20, 'x'),
                                 Verdict::BadNumber},
                    BadInputCase{"control_characters", "\x01\x02\x1b\x7f\r\n\t\x08\x0c\x0b", Verdict::BadNumber},
                    BadInputCase{"embedded_nul",
                                 "81123\0"
                                 "234V"s,
                                 Verdict::BadNumber},
                    BadInputCase{"nul_in_the_day_code_stops_the_reading",
                                 "81\0"
                                 "231234V"s,
                                 Verdict::BadDate},
                    BadInputCase{"emoji_in_the_year",
                                 "\xF0\x9F\x98\x80"
                                 "11231234V",
                                 Verdict::BadNumber},
                    BadInputCase{"emoji_as_last_character", "811231234\xF0\x9F\x98\x80", Verdict::BadNumber},
                    BadInputCase{"utf8_encoded_lone_surrogate",
                                 "\xED\xA0\x80"
                                 "11231234V",
                                 Verdict::BadNumber},
                    BadInputCase{"stray_continuation_bytes", "81123123\x80\xBF", Verdict::BadNumber},
                    BadInputCase{"truncated_sequence_at_the_end", "811231234\xE2\x82", Verdict::BadNumber},
                    BadInputCase{"overlong_encoding_of_a_digit",
                                 "\xC0\xB8"
                                 "11231234V",
                                 Verdict::BadNumber},
                    BadInputCase{"arabic_indic_digits",
                                 "\xD9\xA8\xD9\xA1\xD9\xA1\xD9\xA2\xD9\xA3\xD9\xA1\xD9\xA2\xD9\xA3"
                                 "\xD9\xA4V",
                                 Verdict::BadNumber},
                    BadInputCase{"sinhala_digits",
                                 "\xE0\xB7\xAE\xE0\xB7\xA7"
                                 "1231234V",
                                 Verdict::BadNumber},
                    BadInputCase{"full_width_digits",
                                 "\xEF\xBC\x98\xEF\xBC\x91"
                                 "1231234V",
                                 Verdict::BadNumber},
                    BadInputCase{"plus_sign_in_the_day_code", "81+231234V", Verdict::BadNumber},
                    BadInputCase{"minus_sign_in_the_day_code", "81-231234V", Verdict::BadDate},
                    BadInputCase{"blanks_in_the_day_code", "81   1234V", Verdict::BadDate},
                    BadInputCase{"tab_in_the_day_code", "81\t121234V", Verdict::BadNumber},
                    BadInputCase{"decimal_point_gives_a_fractional_day", "811.51234V", Verdict::BadDate},
                    BadInputCase{"trailing_decimal_point_reads_as_a_whole_day", "8112.1234V", Verdict::BadNumber},
                    BadInputCase{"exponent_in_the_day_code", "811E21234V", Verdict::BadNumber},
                    BadInputCase{"huge_exponent_in_the_day_code", "819E91234V", Verdict::BadDate},
                    BadInputCase{"negative_exponent_in_the_day_code", "81-E11234V", Verdict::BadDate},
                    BadInputCase{"signs_only", "+-+-+-+-+-", Verdict::BadNumber}),
    [](const testing::TestParamInfo<BadInputCase> &row) { return std::string(row.param.name); });

TEST(UnicodeText, CountsCodePointsNotBytes)
{
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\x80z";
    EXPECT_EQ(unicode_text::length(text), 6u);
    EXPECT_EQ(unicode_text::substring(text, 2, 3), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(unicode_text::substring(text, 5, 9), "\x80z");
    EXPECT_EQ(unicode_text::substring(text, 7, 1), "");
    EXPECT_EQ(unicode_text::lastCharacter(text), "z");
    EXPECT_EQ(unicode_text::lastCharacter("\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(unicode_text::lastCharacter(""), "");
}

TEST(UnicodeText, IllFormedBytesAreOneCharacterEach)
{
    // A surrogate encoded in UTF-8 and an overlong form are not well formed:
    // each of their bytes stands alone, so nothing around them is swallowed.
    EXPECT_EQ(unicode_text::length("\xED\xA0\x80"), 3u);
    EXPECT_EQ(unicode_text::length("\xC0\xB8"), 2u);
    EXPECT_EQ(unicode_text::length("\xE2\x82"
                                   "8"),
              3u);
    EXPECT_EQ(unicode_text::length("\xF4\x90\x80\x80"), 4u);
    EXPECT_TRUE(unicode_text::isAsciiDigit("8"));
    EXPECT_FALSE(unicode_text::isAsciiDigit("\xEF\xBC\x98"));
}

} // namespace
