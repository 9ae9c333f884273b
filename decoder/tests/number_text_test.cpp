#include "number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

struct ReadCase
{
    const char *name;
    std::string text;
    double value;
    bool readsAsNumber;
};

class ReadNumberTest : public testing::TestWithParam<ReadCase>
{};

TEST_P(ReadNumberTest, ReadsTheValue)
{
    const ReadCase &c = GetParam();
    EXPECT_EQ(ReadNumber(c.text), c.value);
    EXPECT_EQ(ReadsAsNumber(c.text), c.readsAsNumber);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumberTest,
    testing::Values(ReadCase{"digits", "123", 123, true}, ReadCase{"leading_zeros", "007", 7, true},
                    ReadCase{"zeros", "000", 0, true}, ReadCase{"empty", "", 0, false},
                    ReadCase{"blanks_only", " \t\n", 0, false}, ReadCase{"blanks_anywhere", " 1\t2\n3 ", 123, true},
                    ReadCase{"carriage_return_is_not_a_blank", "1\r2", 1, false}, ReadCase{"minus", "-5", -5, true},
                    ReadCase{"plus", "+5", 5, true}, ReadCase{"sign_then_blank", "- 5", -5, true},
                    ReadCase{"two_signs", "--5", 0, false}, ReadCase{"decimal_point", "1.5", 1.5, true},
                    ReadCase{"point_first", ".5", 0.5, true}, ReadCase{"trailing_point", "31.", 31, true},
                    ReadCase{"point_alone", ".", 0, false}, ReadCase{"two_points", "1.2.3", 1.2, false},
                    ReadCase{"exponent_E", "1E2", 100, true}, ReadCase{"exponent_D", "1D2", 100, true},
                    ReadCase{"exponent_with_sign", "25e-1", 2.5, true},
                    ReadCase{"exponent_without_digits_stops_before_the_letter", "1E", 1, false},
                    ReadCase{"exponent_sign_without_digits", "1E+", 1, false},
                    ReadCase{"stops_at_a_letter", "12A", 12, false}, ReadCase{"letter_first", "A12", 0, false},
                    ReadCase{"comma", "1,5", 1, false}, ReadCase{"hexadecimal_prefix_is_not_read", "&H1F", 0, false},
                    ReadCase{"huge_exponent", "1E999", std::numeric_limits<double>::infinity(), true},
                    ReadCase{"tiny_exponent", "1E-999", 0, true}, ReadCase{"arabic_indic_digit", "\xD9\xA3", 0, false},
                    ReadCase{"full_width_digit", "\xEF\xBC\x93", 0, false},
                    ReadCase{"superscript_three", "\xC2\xB3", 0, false}),
    [](const testing::TestParamInfo<ReadCase> &row) { return std::string(row.param.name); });

struct WriteCase
{
    const char *name;
    double value;
    std::string text;
};

class WriteNumberTest : public testing::TestWithParam<WriteCase>
{};

TEST_P(WriteNumberTest, WritesPlainDecimal)
{
    EXPECT_EQ(WriteNumber(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, WriteNumberTest,
                         testing::Values(WriteCase{"zero", 0, "0"}, WriteCase{"negative_zero", -0.0, "0"},
                                         WriteCase{"whole", 2, "2"}, WriteCase{"year", 1981, "1981"},
                                         WriteCase{"half", 1.5, "1.5"}, WriteCase{"tenth", 0.1, "0.1"},
                                         WriteCase{"negative", -5, "-5"},
                                         WriteCase{"large_whole", 1e21, "1000000000000000000000"}),
                         [](const testing::TestParamInfo<WriteCase> &row) { return std::string(row.param.name); });

} // namespace
