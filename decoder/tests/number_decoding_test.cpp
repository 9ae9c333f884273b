#include "number_decoding.h"
#include "sample_numbers.h"

#include <gtest/gtest.h>

namespace {

struct DecodeCase
{
    const char *name;
    std::string text;
    std::string yearText;
    double birthYear;
    std::string dayCodeText;
    double dayCode;
    std::string sex;
    double dayNo;
    std::optional<int> monthNo;
    std::optional<std::string> dateText;
};

class DecodeNumberTest : public testing::TestWithParam<DecodeCase>
{};

TEST_P(DecodeNumberTest, ReadsEveryField)
{
    const DecodeCase &c = GetParam();
    const DecodedNumber n = DecodeNumber(c.text);
    EXPECT_EQ(n.YearText, c.yearText);
    EXPECT_EQ(n.BirthYear, c.birthYear);
    EXPECT_EQ(n.DayCodeText, c.dayCodeText);
    EXPECT_EQ(n.DayCode, c.dayCode);
    EXPECT_EQ(n.Sex, c.sex);
    EXPECT_EQ(n.DayNo, c.dayNo);
    EXPECT_EQ(n.MonthNo, c.monthNo);
    EXPECT_EQ(n.DateText, c.dateText);
}

const auto none = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Numbers, DecodeNumberTest,
    testing::Values(
        DecodeCase{"man_born_2_May_1981", std::string(samples::man::Number), "1981", 1981, "123", 123,
                   std::string(samples::man::Sex), 123, 5, std::string(samples::man::DateOB)},
        DecodeCase{"woman_born_10_September_1985", "857541234V", "1985", 1985, "754", 754, "Female", 254, 9,
                   "1985   September   10"},
        DecodeCase{"code_001_is_1_January", "810011234V", "1981", 1981, "001", 1, "Male", 1, 1, "1981   January   1"},
        DecodeCase{"code_031_is_31_January", "810311234V", "1981", 1981, "031", 31, "Male", 31, 1,
                   "1981   January   31"},
        DecodeCase{"code_032_is_1_February", "810321234V", "1981", 1981, "032", 32, "Male", 32, 2,
                   "1981   February   1"},
        DecodeCase{"code_060_is_29_February_even_in_a_common_year", "810601234V", "1981", 1981, "060", 60, "Male", 60,
                   2, "1981   February   29"},
        DecodeCase{"code_061_is_1_March", "810611234V", "1981", 1981, "061", 61, "Male", 61, 3, "1981   March   1"},
        DecodeCase{"code_366_is_31_December", "813661234V", "1981", 1981, "366", 366, "Male", 366, 12,
                   "1981   December   31"},
        DecodeCase{"code_501_is_a_woman_born_1_January", "815011234V", "1981", 1981, "501", 501, "Female", 1, 1,
                   "1981   January   1"},
        DecodeCase{"code_560_is_a_woman_born_29_February", "815601234V", "1981", 1981, "560", 560, "Female", 60, 2,
                   "1981   February   29"},
        DecodeCase{"code_866_is_a_woman_born_31_December", "818661234V", "1981", 1981, "866", 866, "Female", 366, 12,
                   "1981   December   31"},
        DecodeCase{"code_000_is_no_day", "810001234V", "1981", 1981, "000", 0, "", 0, none, none},
        DecodeCase{"code_367_is_neither_sex", "813671234V", "1981", 1981, "367", 367, "", 367, none, none},
        DecodeCase{"code_500_is_neither_male_nor_female", "815001234V", "1981", 1981, "500", 500, "", 500, none, none},
        DecodeCase{"code_867_is_past_the_female_range", "818671234V", "1981", 1981, "867", 867, "", 867, none, none},
        DecodeCase{"year_05_keeps_its_zero", "051231234V", "1905", 1905, "123", 123, "Male", 123, 5, "1905   May   2"},
        DecodeCase{"empty_text", "", "19", 19, "", 0, "", 0, none, none},
        DecodeCase{"two_characters", "81", "1981", 1981, "", 0, "", 0, none, none},
        DecodeCase{"four_characters_give_a_short_day_code", "8112", "1981", 1981, "12", 12, "Male", 12, 1,
                   "1981   January   12"},
        DecodeCase{"twelve_digits_read_by_the_same_positions", "198112301234", "1919", 1919, "811", 811, "Female", 311,
                   11, "1919   November   6"},
        DecodeCase{"leading_blank_in_the_day_code_is_skipped", "81 121234V", "1981", 1981, " 12", 12, "Male", 12, 1,
                   "1981   January   12"},
        DecodeCase{"inner_blank_in_the_day_code_is_skipped", "811 21234V", "1981", 1981, "1 2", 12, "Male", 12, 1,
                   "1981   January   12"},
        DecodeCase{"fractional_day_code_gives_a_fractional_day", "811.51234V", "1981", 1981, "1.5", 1.5, "Male", 1.5, 1,
                   "1981   January   1.5"},
        DecodeCase{"trailing_point_reads_as_a_whole_day", "8131.5234V", "1981", 1981, "31.", 31, "Male", 31, 1,
                   "1981   January   31"},
        DecodeCase{"negative_day_code_has_no_row", "81-121234V", "1981", 1981, "-12", -12, "", -12, none, none},
        DecodeCase{"letters_in_the_year_are_kept_as_typed", "A11231234V", "19A1", 19, "123", 123, "Male", 123, 5,
                   "19A1   May   2"},
        DecodeCase{"non_ascii_characters_are_never_split",
                   "\xC3\xA9\xE2\x82\xAC"
                   "1231234V",
                   "19\xC3\xA9\xE2\x82\xAC", 19, "123", 123, "Male", 123, 5, "19\xC3\xA9\xE2\x82\xAC   May   2"},
        DecodeCase{"emoji_is_one_character",
                   "8\xF0\x9F\x98\x80"
                   "1231234V",
                   "198\xF0\x9F\x98\x80", 198, "123", 123, "Male", 123, 5, "198\xF0\x9F\x98\x80   May   2"}),
    [](const testing::TestParamInfo<DecodeCase> &row) { return std::string(row.param.name); });

TEST(MonthTable, CoversEveryDayNumberOnceWithoutGaps)
{
    int expectedFirst = 1;
    for (const MonthRow &row : MonthTable) {
        EXPECT_EQ(row.firstDay, expectedFirst);
        EXPECT_EQ(row.offset, row.firstDay - 1);
        EXPECT_EQ(row.monthText.substr(0, 3), "   ");
        EXPECT_EQ(row.monthText.substr(row.monthText.size() - 3), "   ");
        expectedFirst = row.lastDay + 1;
    }
    EXPECT_EQ(expectedFirst, 367);
}

} // namespace
