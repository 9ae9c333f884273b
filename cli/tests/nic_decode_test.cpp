// nic-decode's parts through its library: every sample number as the window
// tests see it too, spreadsheets read back by the same parser, the formula
// and quoting rules, the line reader on awkward bytes, and the options.

#include "command_line.h"
#include "csv_reader.h"
#include "csv_writer.h"
#include "icu_calendar_service.h"
#include "line_reader.h"
#include "number_list_decoding.h"
#include "output_buffer.h"
#include "sample_numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

using namespace std::chrono;

namespace {

const IcuCalendarService &calendar()
{
    static const IcuCalendarService instance;
    return instance;
}

// Hands the text over in pieces of at most step bytes, as a pipe may.
LineReader::Source sourceOf(std::string text, std::size_t step = 64 * 1024)
{
    return [text = std::move(text), step, offset = std::size_t{0}](char *buffer, std::size_t size) mutable {
        const std::size_t count = std::min({size, step, text.size() - offset});
        std::copy_n(text.data() + offset, count, buffer);
        offset += count;
        return count;
    };
}

struct Decoding
{
    DecodingResult result;
    std::string output;
};

Decoding decode(const DecodeOptions &options, const std::string &input = {}, year_month_day today = samples::Today)
{
    Decoding run;
    {
        OutputBuffer output([&run](std::string_view bytes) {
            run.output.append(bytes);
            return true;
        });
        run.result = DecodeNumberList(options, today, calendar(), sourceOf(input), output);
    }
    return run;
}

std::vector<CsvReader::Row> readCsv(const std::string &text)
{
    std::vector<CsvReader::Row> rows;
    CsvReader reader(sourceOf(text));
    EXPECT_TRUE(reader.read([&rows](const CsvReader::Row &row) { rows.push_back(row); }));
    return rows;
}

class SampleNumberTest : public testing::TestWithParam<samples::SampleNumber>
{};

TEST_P(SampleNumberTest, CsvColumnsAsTheTableSays)
{
    const samples::SampleNumber &sample = GetParam();
    DecodeOptions options;
    options.numbers = {std::string(sample.number)};
    const Decoding run = decode(options);
    const std::vector<CsvReader::Row> rows = readCsv(run.output);
    ASSERT_EQ(rows.size(), 2U);
    CsvReader::Row expected{std::string(sample.number), std::string(sample.verdict)};
    for (const std::string_view column : sample.columns)
        expected.emplace_back(column);
    EXPECT_EQ(rows[1], expected);
    EXPECT_EQ(run.result.status, sample.verdict == "valid" ? AllValid : SomeInvalid);
}

TEST_P(SampleNumberTest, TextFormShowsTheWindowsTexts)
{
    const samples::SampleNumber &sample = GetParam();
    DecodeOptions options;
    options.format = OutputFormat::Text;
    options.numbers = {std::string(sample.number)};
    std::string expected = std::string(sample.number) + "\t";
    if (sample.verdict == "valid") {
        for (const std::string_view text : sample.windowTexts)
            expected += std::string(text) + "\t";
        expected.back() = '\n';
    } else {
        expected += std::string(sample.verdict) + "\n";
    }
    EXPECT_EQ(decode(options).output, expected);
}

TEST_P(SampleNumberTest, JsonHasNumbersAndNulls)
{
    const samples::SampleNumber &sample = GetParam();
    DecodeOptions options;
    options.format = OutputFormat::Json;
    options.numbers = {std::string(sample.number)};
    const std::string output = decode(options).output;
    const std::string verdict = "\"verdict\":\"" + std::string(sample.verdict) + "\"";
    EXPECT_NE(output.find(verdict), std::string::npos) << output;
    if (sample.verdict == "valid") {
        const std::string age = "\"age_years\":" + std::string(sample.columns[4])
                                + ",\"age_months\":" + std::string(sample.columns[5]) + "}";
        EXPECT_NE(output.find(age), std::string::npos) << output;
    } else {
        EXPECT_NE(output.find("\"birth_date\":null"), std::string::npos) << output;
        EXPECT_NE(output.find("\"age_months\":null}"), std::string::npos) << output;
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleNumberTest, testing::ValuesIn(samples::Numbers),
                         [](const testing::TestParamInfo<samples::SampleNumber> &row) {
                             std::string name(row.param.name);
                             std::replace_if(
                                 name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
                             return name;
                         });

struct FieldCase
{
    const char *name;
    std::string field;
    std::string written;
};

class CsvFieldTest : public testing::TestWithParam<FieldCase>
{};

TEST_P(CsvFieldTest, WritesItSafely)
{
    const FieldCase &c = GetParam();
    std::string output;
    {
        OutputBuffer buffer([&output](std::string_view bytes) {
            output.append(bytes);
            return true;
        });
        CsvWriter writer(buffer);
        writer.field(c.field);
        writer.field("next");
        writer.endRow();
    }
    EXPECT_EQ(output, c.written + ",next\n");
    // A reader that follows the rules finds one row of two fields.
    const std::vector<CsvReader::Row> rows = readCsv(output);
    ASSERT_EQ(rows.size(), 1U);
    ASSERT_EQ(rows[0].size(), 2U);
    EXPECT_EQ(rows[0][0], RunsAsFormula(c.field) ? "'" + c.field : c.field);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Fields, CsvFieldTest,
    testing::Values(FieldCase{"plain", "811231234V", "811231234V"},
                    FieldCase{"comma", "a,b", "\"a,b\""},
                    FieldCase{"quote", "say \"hi\"", "\"say \"\"hi\"\"\""},
                    FieldCase{"line_feed", "two\nlines", "\"two\nlines\""},
                    FieldCase{"carriage_return_inside", "a\rb", "\"a\rb\""},
                    FieldCase{"nul_byte", std::string("a\0b", 3), std::string("\"a\0b\"", 5)},
                    FieldCase{"escape", "a\x1b[31m", "\"a\x1b[31m\""},
                    FieldCase{"equals", "=1+2", "'=1+2"},
                    FieldCase{"plus", "+1+2", "'+1+2"},
                    FieldCase{"minus", "-2+3", "'-2+3"},
                    FieldCase{"at", "@SUM(A1)", "'@SUM(A1)"},
                    FieldCase{"tab_first", "\t=1", "\"'\t=1\""},
                    FieldCase{"carriage_return_first", "\r=1", "\"'\r=1\""},
                    FieldCase{"formula_with_comma", "=HYPERLINK(\"x\",\"y\")", "\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\""},
                    FieldCase{"negative_number_is_no_formula", "-5", "-5"},
                    FieldCase{"signed_fraction_is_no_formula", "+2.5", "+2.5"},
                    FieldCase{"sign_alone_is_neutralised", "-", "'-"},
                    FieldCase{"equals_later_is_harmless", "a=1", "a=1"},
                    FieldCase{"invalid_utf8_as_it_came", "\xff\xfe", "\xff\xfe"},
                    FieldCase{"empty", "", ""}),
    [](const testing::TestParamInfo<FieldCase> &row) { return std::string(row.param.name); });
// clang-format on

struct SpreadsheetCase
{
    const char *name;
    std::string input;
    std::string column;
    std::size_t numberColumn; // from 0
};

class SpreadsheetTest : public testing::TestWithParam<SpreadsheetCase>
{};

// The output read back by the same parser: the input rows unchanged, apart
// from neutralised formulas, each with the number's own decoded columns.
TEST_P(SpreadsheetTest, RoundTripKeepsEveryRowAndAddsTheColumns)
{
    const SpreadsheetCase &c = GetParam();
    DecodeOptions options;
    const std::optional<std::size_t> index =
        std::all_of(c.column.begin(), c.column.end(), [](unsigned char d) { return std::isdigit(d) != 0; })
            ? std::optional<std::size_t>(std::stoul(c.column) - 1)
            : std::nullopt;
    options.column = ColumnChoice{c.column, index};
    const Decoding run = decode(options, c.input);
    ASSERT_EQ(run.result.error, "");

    std::vector<CsvReader::Row> in = readCsv(c.input);
    const std::vector<CsvReader::Row> out = readCsv(run.output);
    ASSERT_EQ(out.size(), in.size());
    ASSERT_FALSE(in.empty());
    const std::size_t width = in[0].size();
    bool allValid = true;
    for (std::size_t r = 0; r < in.size(); ++r) {
        CsvReader::Row expected = in[r];
        for (std::string &field : expected)
            if (RunsAsFormula(field))
                field.insert(0, "'");
        expected.resize(std::max(expected.size(), width));
        if (r == 0) {
            for (const char *name :
                 {"verdict", "birth_date", "hijri_date", "weekday", "sex", "age_years", "age_months"})
                expected.emplace_back(name);
        } else {
            const std::string number = c.numberColumn < in[r].size() ? in[r][c.numberColumn] : std::string{};
            DecodeOptions alone;
            alone.numbers = {number};
            const CsvReader::Row decoded = readCsv(decode(alone).output).at(1);
            expected.insert(expected.end(), decoded.begin() + 1, decoded.end());
            allValid = allValid && decoded[1] == "valid";
        }
        EXPECT_EQ(out[r], expected) << "row " << r;
    }
    EXPECT_EQ(run.result.status, allValid ? AllValid : SomeInvalid);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, SpreadsheetTest,
    testing::Values(
        SpreadsheetCase{"by_header", "name,NIC\nAda,811231234V\nBob,857541234V\n", "NIC", 1},
        SpreadsheetCase{"by_place", "NIC,name\n811231234V,Ada\n", "1", 0},
        SpreadsheetCase{"quoted_fields_with_commas_quotes_and_newlines",
                        "name,NIC,note\r\n\"Perera, A.\",811231234V,\"said \"\"yes\"\"\r\nthen left\"\r\n", "NIC", 1},
        SpreadsheetCase{"byte_order_mark_and_crlf", "\xEF\xBB\xBFNIC\r\n811231234V\r\n810601234V\r\n", "NIC", 0},
        SpreadsheetCase{"blanks_around_fields_are_kept", "NIC, note \n 811231234V,  x  \n", "NIC", 0},
        SpreadsheetCase{"formulas_in_any_column", "NIC,cmd\n=1+2,@SUM(A1)\n811231234V,-5\n", "NIC", 0},
        SpreadsheetCase{"short_row_is_filled_up", "a,b,NIC\n1\n2,3,811231234V\n", "NIC", 2},
        SpreadsheetCase{"long_row_kept_whole", "NIC\n811231234V,extra,more\n", "1", 0},
        SpreadsheetCase{"no_final_line_end", "NIC\n811231234V", "NIC", 0},
        SpreadsheetCase{"control_characters_in_a_field", std::string("NIC,x\n811231234V,a\0b\x1b\n", 20), "NIC", 0}),
    [](const testing::TestParamInfo<SpreadsheetCase> &row) { return std::string(row.param.name); });

TEST(Spreadsheet, UnknownColumnIsAUsageError)
{
    DecodeOptions options;
    options.column = ColumnChoice{"NIC", std::nullopt};
    const Decoding run = decode(options, "name,number\nAda,811231234V\n");
    EXPECT_EQ(run.result.status, UsageError);
    EXPECT_EQ(run.result.error, "nic-decode: --column NIC: no such column in the header");
    EXPECT_EQ(run.output, "");
}

struct LineCase
{
    const char *name;
    std::string input;
    std::vector<std::string> lines;
};

class LineReaderTest : public testing::TestWithParam<LineCase>
{};

// Whole and in pieces of one and of seven bytes, which split the mark, CR LF
// and the lines everywhere.
TEST_P(LineReaderTest, GivesEveryLineInOrder)
{
    const LineCase &c = GetParam();
    for (const std::size_t step : {std::size_t{64 * 1024}, std::size_t{1}, std::size_t{7}}) {
        LineReader reader(sourceOf(c.input, step));
        std::vector<std::string> read;
        for (std::string_view line; reader.next(line);)
            read.emplace_back(line);
        EXPECT_EQ(read, c.lines) << "pieces of " << step;
    }
}

const std::string MegabyteLine(1 << 20, '8');

INSTANTIATE_TEST_SUITE_P(
    Inputs, LineReaderTest,
    testing::Values(LineCase{"plain", "811231234V\n857541234V\n", {"811231234V", "857541234V"}},
                    LineCase{"no_final_line_end", "811231234V\n857541234V", {"811231234V", "857541234V"}},
                    LineCase{"crlf", "811231234V\r\n857541234V\r\n", {"811231234V", "857541234V"}},
                    LineCase{"byte_order_mark",
                             "\xEF\xBB\xBF"
                             "811231234V\n",
                             {"811231234V"}},
                    LineCase{"mark_only_at_the_start",
                             "a\n\xEF\xBB\xBF"
                             "b\n",
                             {"a", "\xEF\xBB\xBF"
                                   "b"}},
                    LineCase{"blank_lines_skipped", "\n\r\n  \t\n811231234V\n\n", {"811231234V"}},
                    LineCase{"blanks_inside_kept", " 811231234V \n", {" 811231234V "}},
                    LineCase{"nul_and_stray_cr_stay", std::string("a\0b\rc\n", 6), {std::string("a\0b\rc", 5)}},
                    LineCase{"invalid_utf8", "\xff\xc3\n", {"\xff\xc3"}},
                    LineCase{"megabyte_line_between_others", "a\n" + MegabyteLine + "\nb\n", {"a", MegabyteLine, "b"}},
                    LineCase{"empty_input", "", {}}),
    [](const testing::TestParamInfo<LineCase> &row) { return std::string(row.param.name); });

struct OptionCase
{
    const char *name;
    std::vector<const char *> arguments;
    int status;
    std::string error; // empty: options were read
};

class CommandLineTest : public testing::TestWithParam<OptionCase>
{};

TEST_P(CommandLineTest, ReadsOrRefuses)
{
    const OptionCase &c = GetParam();
    std::vector<const char *> argv{"nic-decode"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    const CommandLine line = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(line.status, c.status);
    EXPECT_EQ(line.error, c.error);
    EXPECT_EQ(line.options.has_value(), c.status == AllValid && line.output.empty());
    EXPECT_EQ(line.error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    testing::Values(
        OptionCase{"numbers", {"811231234V", "857541234V"}, AllValid, ""},
        OptionCase{"every_format", {"--format", "json"}, AllValid, ""},
        OptionCase{
            "unknown_format", {"--format", "xml"}, UsageError, "nic-decode: --format: xml not in {csv,json,text}"},
        OptionCase{"unknown_option",
                   {"--frobnicate"},
                   UsageError,
                   "nic-decode: The following argument was not expected: --frobnicate"},
        OptionCase{"today_last_day_of_a_year", {"--today", "2026-12-31"}, AllValid, ""},
        OptionCase{"today_leap_day", {"--today", "2024-02-29"}, AllValid, ""},
        OptionCase{"today_first_day_allowed", {"--today", "1900-01-01"}, AllValid, ""},
        OptionCase{"today_before_1900",
                   {"--today", "1899-12-31"},
                   UsageError,
                   "nic-decode: --today 1899-12-31: not a day of the form YYYY-MM-DD from 1900-01-01 on"},
        OptionCase{"today_29_February_of_a_common_year",
                   {"--today", "2026-02-29"},
                   UsageError,
                   "nic-decode: --today 2026-02-29: not a day of the form YYYY-MM-DD from 1900-01-01 on"},
        OptionCase{"today_31_April",
                   {"--today", "2026-04-31"},
                   UsageError,
                   "nic-decode: --today 2026-04-31: not a day of the form YYYY-MM-DD from 1900-01-01 on"},
        OptionCase{"today_month_13",
                   {"--today", "2026-13-01"},
                   UsageError,
                   "nic-decode: --today 2026-13-01: not a day of the form YYYY-MM-DD from 1900-01-01 on"},
        OptionCase{"today_without_zeros",
                   {"--today", "2026-1-1"},
                   UsageError,
                   "nic-decode: --today 2026-1-1: not a day of the form YYYY-MM-DD from 1900-01-01 on"},
        OptionCase{"column_by_name", {"--column", "NIC"}, AllValid, ""},
        OptionCase{"column_zero", {"--column", "0"}, UsageError, "nic-decode: --column 0: columns are counted from 1"},
        OptionCase{"column_with_numbers",
                   {"--column", "2", "811231234V"},
                   UsageError,
                   "nic-decode: --column reads a spreadsheet from standard input: give no NUMBER with it"},
        OptionCase{"help", {"--help"}, AllValid, ""}, OptionCase{"version", {"--version"}, AllValid, ""}),
    [](const testing::TestParamInfo<OptionCase> &row) { return std::string(row.param.name); });

struct TodayCase
{
    const char *name;
    const char *today;
    const char *ageYears;
    const char *ageMonths;
};

class TodayTest : public testing::TestWithParam<TodayCase>
{};

// 811231234V, born in May 1981, counted to days either side of a month's
// and a year's end.
TEST_P(TodayTest, AgeCountsToThatDay)
{
    const TodayCase &c = GetParam();
    const std::vector<const char *> argv{"nic-decode", "--today", c.today, "811231234V"};
    const CommandLine line = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
    ASSERT_TRUE(line.options);
    const CsvReader::Row row = readCsv(decode(*line.options, {}, *line.options->today).output).at(1);
    EXPECT_EQ(row[6], c.ageYears);
    EXPECT_EQ(row[7], c.ageMonths);
}

INSTANTIATE_TEST_SUITE_P(Days, TodayTest,
                         testing::Values(TodayCase{"last_day_of_April", "2026-04-30", "44", "11"},
                                         TodayCase{"first_day_of_May", "2026-05-01", "45", "0"},
                                         TodayCase{"last_day_of_the_year", "2026-12-31", "45", "7"},
                                         TodayCase{"first_day_of_the_next_year", "2027-01-01", "45", "8"},
                                         TodayCase{"before_the_birth_year", "1980-05-01", "-1", "0"}),
                         [](const testing::TestParamInfo<TodayCase> &row) { return std::string(row.param.name); });

} // namespace
