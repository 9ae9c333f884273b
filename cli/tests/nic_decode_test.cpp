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
#include "number_trim.h"
#include "text_input.h"

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

// As nic-decode reads a spreadsheet; raw, without looking for a byte-order mark.
std::vector<CsvReader::Row> readCsv(const std::string &text, bool raw = false)
{
    std::vector<CsvReader::Row> rows;
    TextInput input(sourceOf(text));
    CsvReader reader([&input, raw, source = sourceOf(text)](char *buffer, std::size_t size) {
        return raw ? source(buffer, size) : input.read(buffer, size);
    });
    EXPECT_EQ(reader.read([&rows](const CsvReader::Row &row) {
        rows.push_back(row);
        return true;
    }),
              "");
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
        expected += std::string(sample.columns[6]) + "\n";
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
                                + ",\"age_months\":" + std::string(sample.columns[5]) + ",\"new_number\":\""
                                + std::string(sample.columns[6]) + "\"}";
        EXPECT_NE(output.find(age), std::string::npos) << output;
    } else {
        EXPECT_NE(output.find("\"birth_date\":null"), std::string::npos) << output;
        EXPECT_NE(output.find("\"new_number\":null}"), std::string::npos) << output;
    }
}

// The window's verdict for every text, the 12-digit form rejected.
TEST_P(SampleNumberTest, WindowVerdictsOptionGivesTheWindowsVerdict)
{
    const samples::SampleNumber &sample = GetParam();
    DecodeOptions options;
    options.forms = NumberForms::OlderOnly;
    options.numbers = {std::string(sample.number)};
    EXPECT_EQ(readCsv(decode(options).output).at(1).at(1), sample.windowVerdict);
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
    const std::vector<CsvReader::Row> rows = readCsv(output, true);
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
    std::string warning = {};
};

ColumnChoice columnChoice(const std::string &column)
{
    const bool number = std::all_of(column.begin(), column.end(), [](unsigned char d) { return std::isdigit(d) != 0; });
    return ColumnChoice{column, number ? std::optional<std::size_t>(std::stoul(column) - 1) : std::nullopt};
}

class SpreadsheetTest : public testing::TestWithParam<SpreadsheetCase>
{};

// The output read back by the same parser: the input rows unchanged, apart
// from neutralised formulas, each with the number's own decoded columns.
TEST_P(SpreadsheetTest, RoundTripKeepsEveryRowAndAddsTheColumns)
{
    const SpreadsheetCase &c = GetParam();
    DecodeOptions options;
    options.column = columnChoice(c.column);
    const Decoding run = decode(options, c.input);
    ASSERT_EQ(run.result.error, "");
    EXPECT_EQ(run.result.warning, c.warning);

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
        // Fields past the header's width come after the decoded columns.
        const CsvReader::Row extra(expected.begin() + static_cast<std::ptrdiff_t>(std::min(width, expected.size())),
                                   expected.end());
        expected.resize(width);
        if (r == 0) {
            for (const char *name :
                 {"verdict", "birth_date", "hijri_date", "weekday", "sex", "age_years", "age_months", "new_number"})
                expected.emplace_back(name);
        } else {
            const std::string number = c.numberColumn < in[r].size() ? in[r][c.numberColumn] : std::string{};
            DecodeOptions alone;
            alone.numbers = {number};
            const CsvReader::Row decoded = readCsv(decode(alone).output).at(1);
            expected.insert(expected.end(), decoded.begin() + 1, decoded.end());
            allValid = allValid && decoded[1] == "valid";
        }
        expected.insert(expected.end(), extra.begin(), extra.end());
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
        SpreadsheetCase{"wider_row_keeps_the_decoded_columns_under_their_names", "id,nic\n7,800601234V,extra\n", "nic",
                        1, "nic-decode: 1 row was wider than the header: its extra fields follow the decoded columns"},
        SpreadsheetCase{"wider_rows_counted", "NIC\n811231234V,extra,more\n857541234V\nx,y\n", "1", 0,
                        "nic-decode: 2 rows were wider than the header: their extra fields follow the decoded columns"},
        SpreadsheetCase{"cr_only_line_ends", "NIC,name\r811231234V,Ada\r857541234V,Bea\r", "NIC", 0},
        SpreadsheetCase{"tab_separated", "name\tNIC\nPerera, A.\t811231234V\n", "NIC", 1},
        SpreadsheetCase{"tab_separated_after_blank_lines", "\r\n\nname\tNIC\nAda\t811231234V\n", "NIC", 1},
        SpreadsheetCase{"tab_separated_with_a_comma_in_a_quoted_header", "\"name, full\"\tNIC\nAda\t811231234V\n",
                        "NIC", 1},
        SpreadsheetCase{"comma_separated_with_a_tab_and_a_line_end_in_a_quoted_header",
                        "\"name\t(full)\nas typed\",NIC\nAda,811231234V\n", "NIC", 1},
        SpreadsheetCase{"no_final_line_end", "NIC\n811231234V", "NIC", 0},
        SpreadsheetCase{"control_characters_in_a_field", std::string("NIC,x\n811231234V,a\0b\x1b\n", 20), "NIC", 0}),
    [](const testing::TestParamInfo<SpreadsheetCase> &row) { return std::string(row.param.name); });

std::string repeated(std::string_view text, std::size_t times)
{
    std::string all;
    for (std::size_t i = 0; i < times; ++i)
        all += text;
    return all;
}

struct RefusedCase
{
    const char *name;
    std::string input;
    std::string column;
    std::string error;
    std::size_t rowsWritten; // the header included
};

class RefusedSpreadsheetTest : public testing::TestWithParam<RefusedCase>
{};

// A spreadsheet that cannot be read as it is meant ends the run with a
// usage error: what came before it stands, nothing after it is guessed.
TEST_P(RefusedSpreadsheetTest, EndsWithAMessageAndGuessesNothing)
{
    const RefusedCase &c = GetParam();
    DecodeOptions options;
    options.column = columnChoice(c.column);
    const Decoding run = decode(options, c.input);
    EXPECT_EQ(run.result.status, UsageError);
    EXPECT_EQ(run.result.error, c.error);
    EXPECT_EQ(run.output.empty() ? 0 : readCsv(run.output).size(), c.rowsWritten) << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, RefusedSpreadsheetTest,
    testing::Values(
        RefusedCase{"unknown_column", "name,number\nAda,811231234V\n", "NIC",
                    "nic-decode: --column NIC: no such column in the header", 0},
        RefusedCase{"unclosed_quote", "id,nic\n1,\"811231234V\n2,993661234V\n3,800601234V\n", "nic",
                    "nic-decode: line 2: a quoted field starts here and is never closed", 1},
        RefusedCase{"unclosed_quote_after_rows_and_a_field_over_two_lines",
                    "id,nic\n\"a\nb\",811231234V\n2,\"x\n3,857541234V\n", "nic",
                    "nic-decode: line 4: a quoted field starts here and is never closed", 2},
        RefusedCase{"unclosed_quote_after_cr_line_ends", "id,nic\r1,811231234V\r\n2,\"x", "nic",
                    "nic-decode: line 3: a quoted field starts here and is never closed", 2},
        RefusedCase{"unclosed_quote_first_in_its_row_after_blank_lines",
                    "id,nic\n1,811231234V\n\n\n\"857541234V\n2,x\n", "nic",
                    "nic-decode: line 5: a quoted field starts here and is never closed", 2},
        RefusedCase{"unclosed_quote_in_a_long_input", "id,nic\n1,\"811231234V\n" + repeated("2,857541234V\n", 100'000),
                    "nic", "nic-decode: line 2: a quoted field starts here and is not closed within 1 MiB", 1},
        RefusedCase{"unquoted_field_longer_than_a_field_may_be", "id,nic\n1," + std::string(2'000'000, 'x') + "\n",
                    "nic", "nic-decode: line 2: a field starts here that is longer than 1 MiB", 1},
        RefusedCase{"column_past_the_header", "a,b,c\n1,2,3\n", "5",
                    "nic-decode: --column 5: the header has only 3 columns", 0},
        RefusedCase{"column_far_past_the_header", "a,b,c\n1,2,3\n", "99",
                    "nic-decode: --column 99: the header has only 3 columns", 0},
        RefusedCase{"column_named_twice", "nic,x,nic\n811231234V,1,2\n", "nic",
                    "nic-decode: --column nic: the header names it twice, in columns 1 and 3", 0},
        RefusedCase{"empty_input", "", "nic", "nic-decode: the spreadsheet is empty: it has no header row", 0},
        RefusedCase{"blank_lines_only", "\r\n\n", "1", "nic-decode: the spreadsheet is empty: it has no header row",
                    0}),
    [](const testing::TestParamInfo<RefusedCase> &row) { return std::string(row.param.name); });

std::string utf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

struct EncodingCase
{
    const char *name;
    std::string bytes;
    std::string utf8;
};

class TextInputTest : public testing::TestWithParam<EncodingCase>
{};

// Whole and in pieces of one and of three bytes, which split the marks and
// the UTF-16 units everywhere.
TEST_P(TextInputTest, ReadsAsItsUtf8Twin)
{
    const EncodingCase &c = GetParam();
    for (const std::size_t step : {std::size_t{64 * 1024}, std::size_t{1}, std::size_t{3}}) {
        TextInput input(sourceOf(c.bytes, step));
        std::string read;
        char buffer[5];
        while (const std::size_t count = input.read(buffer, sizeof buffer))
            read.append(buffer, count);
        EXPECT_EQ(read, c.utf8) << "pieces of " << step;
        EXPECT_EQ(input.refusal(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, TextInputTest,
    testing::Values(EncodingCase{"utf8_as_it_is", "811231234V\n\xff", "811231234V\n\xff"},
                    EncodingCase{"utf8_mark_dropped",
                                 "\xEF\xBB\xBF"
                                 "a\n",
                                 "a\n"},
                    EncodingCase{"utf8_mark_only_at_the_start", "a\n\xEF\xBB\xBF", "a\n\xEF\xBB\xBF"},
                    EncodingCase{"only_a_utf8_mark", "\xEF\xBB\xBF", ""},
                    EncodingCase{"part_of_a_mark_is_text", "\xEF\xBB", "\xEF\xBB"},
                    EncodingCase{"utf16_little_endian", utf16(u"nic\t\u0DC3\r\n811231234V", false),
                                 "nic\t\xE0\xB7\x83\r\n811231234V"},
                    EncodingCase{"utf16_big_endian", utf16(u"A\u00E9", true), "A\xC3\xA9"},
                    EncodingCase{"utf16_surrogate_pair", utf16(u"\U0001F600", false), "\xF0\x9F\x98\x80"},
                    EncodingCase{"utf16_lone_surrogate_replaced",
                                 utf16(u"a\xD800"
                                       u"b",
                                       false),
                                 "a\xEF\xBF\xBD"
                                 "b"},
                    EncodingCase{"utf16_odd_last_byte_replaced", utf16(u"a", false) + "b", "a\xEF\xBF\xBD"},
                    EncodingCase{"utf16_mark_later_is_text", utf16(u"a\uFEFF", false), "a\xEF\xBB\xBF"}),
    [](const testing::TestParamInfo<EncodingCase> &row) { return std::string(row.param.name); });

TEST(TextInput, RefusesUtf32NamingIt)
{
    for (const std::string &mark : {std::string("\xFF\xFE\0\0", 4), std::string("\0\0\xFE\xFF", 4)}) {
        DecodeOptions options;
        const Decoding run = decode(options, mark + std::string("1\0\0\0", 4));
        EXPECT_EQ(run.result.status, UsageError);
        EXPECT_EQ(run.result.error, "nic-decode: the input is UTF-32, which is not read: save it as UTF-8 or UTF-16");
    }
}

// The first row decides the separator, however the input arrives.
TEST(Spreadsheet, SeparatorDoesNotDependOnThePieces)
{
    DecodeOptions options;
    options.column = ColumnChoice{"NIC", std::nullopt};
    // The second's first row goes on past its first line end.
    for (const std::string sheet :
         {"name\tNIC\r\nPerera, A.\t811231234V\r\n", "\"name\r\nin full\"\tNIC\r\nPerera, A.\t811231234V\r\n"}) {
        const std::string whole = decode(options, sheet).output;
        ASSERT_NE(whole.find("\n\"Perera, A.\",811231234V,valid,"), std::string::npos) << whole;
        for (const std::size_t step : {std::size_t{1}, std::size_t{3}}) {
            std::string output;
            {
                OutputBuffer buffer([&output](std::string_view bytes) {
                    output.append(bytes);
                    return true;
                });
                DecodeNumberList(options, samples::Today, calendar(), sourceOf(sheet, step), buffer);
            }
            EXPECT_EQ(output, whole) << "pieces of " << step;
        }
    }
}

// Excel's "Unicode text": UTF-16 with its mark, tab-separated, CR LF.
TEST(TextInput, SpreadsheetInUtf16ReadsAsItsUtf8Twin)
{
    DecodeOptions options;
    options.column = ColumnChoice{"NIC", std::nullopt};
    const Decoding twin = decode(options, "name,NIC\nS\xC3\xA9na,811231234V\n\"Perera, A.\",857541234V\n");
    for (const bool bigEndian : {false, true}) {
        const Decoding run =
            decode(options, utf16(u"name\tNIC\r\nS\u00E9na\t811231234V\r\nPerera, A.\t857541234V\r\n", bigEndian));
        EXPECT_EQ(run.result.error, "");
        EXPECT_EQ(run.output, twin.output);
    }
    DecodeOptions list;
    EXPECT_EQ(decode(list, utf16(u"811231234V\r\n857541234V", false)).output,
              decode(list, "811231234V\n857541234V\n").output);
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
                    LineCase{"blank_lines_skipped", "\n\r\n  \t\n811231234V\n\n", {"811231234V"}},
                    LineCase{"blanks_inside_kept", " 811231234V \n", {" 811231234V "}},
                    LineCase{"nul_stays", std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
                    LineCase{"cr_only_line_ends", "811231234V\r857541234V\r", {"811231234V", "857541234V"}},
                    LineCase{"mixed_line_ends", "a\rb\r\nc\nd", {"a", "b", "c", "d"}},
                    LineCase{"blank_lines_between_crs", "a\r\r\r\nb", {"a", "b"}},
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
            "unknown_format", {"--format", "xml"}, UsageError, "nic-decode: --format: xml not in {csv,json,text,xlsx}"},
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
        OptionCase{"help", {"--help"}, AllValid, ""}, OptionCase{"version", {"--version"}, AllValid, ""},
        OptionCase{"xlsx_to_a_file", {"--format", "xlsx", "--output", "out.xlsx"}, AllValid, ""},
        OptionCase{"xlsx_without_a_file",
                   {"--format", "xlsx"},
                   UsageError,
                   "nic-decode: --format xlsx needs --output FILE: a spreadsheet file is not for a terminal or a pipe"},
        OptionCase{"output_without_a_name", {"--output", ""}, UsageError, "nic-decode: --output needs a file name"},
        OptionCase{"checks_by_name_and_place",
                   {"--column", "NIC", "--check-birth-date", "dob", "--check-sex", "3", "--date-order", "mdy"},
                   AllValid,
                   ""},
        OptionCase{
            "check_without_column",
            {"--check-sex", "sex"},
            UsageError,
            "nic-decode: --check-birth-date and --check-sex compare a spreadsheet's columns: they need --column"},
        OptionCase{"check_column_zero",
                   {"--column", "NIC", "--check-birth-date", "0"},
                   UsageError,
                   "nic-decode: --check-birth-date 0: columns are counted from 1"},
        OptionCase{"checks_in_text_form",
                   {"--column", "NIC", "--check-sex", "sex", "--format", "text"},
                   UsageError,
                   "nic-decode: --format text shows the window's texts alone: the checks need csv, json or xlsx"},
        OptionCase{"unknown_date_order",
                   {"--date-order", "ymd"},
                   UsageError,
                   "nic-decode: --date-order: ymd not in {dmy,mdy}"},
        OptionCase{"trim_and_window_verdicts", {"--trim", "--window-verdicts", "811231234V"}, AllValid, ""}),
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
                                         TodayCase{"day_before_the_birth_date", "1981-05-01", "", ""},
                                         TodayCase{"before_the_birth_year", "1980-05-01", "", ""},
                                         TodayCase{"decades_before_the_birth", "1950-01-01", "", ""},
                                         TodayCase{"the_birth_date_itself", "1981-05-02", "0", "0"}),
                         [](const testing::TestParamInfo<TodayCase> &row) { return std::string(row.param.name); });

struct FormPair
{
    const char *name;
    const char *older;
    const char *twelveDigit;
};

class FormPairTest : public testing::TestWithParam<FormPair>
{};

// Both forms of one number are one person: the same values, and the same
// 12-digit key in new_number.
TEST_P(FormPairTest, BothFormsDecodeAlikeWithOneKey)
{
    const FormPair &pair = GetParam();
    DecodeOptions options;
    options.numbers = {pair.older, pair.twelveDigit};
    const std::vector<CsvReader::Row> rows = readCsv(decode(options).output);
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(rows[1][1], "valid");
    EXPECT_EQ(std::vector(rows[1].begin() + 1, rows[1].end()), std::vector(rows[2].begin() + 1, rows[2].end()));
    EXPECT_EQ(rows[1].back(), pair.twelveDigit);
}

INSTANTIATE_TEST_SUITE_P(Pairs, FormPairTest,
                         testing::Values(FormPair{"man_1964", "641042757V", "196410402757"},
                                         FormPair{"woman_1985", "853400123V", "198534000123"},
                                         FormPair{"man_1981", "811231234V", "198112301234"},
                                         FormPair{"letter_X", "995011234X", "199950101234"},
                                         FormPair{"first_day_of_1900", "000011234V", "190000101234"}),
                         [](const testing::TestParamInfo<FormPair> &row) { return std::string(row.param.name); });

// A 12-digit number born on the day the ages are counted to is valid; a
// day later it is not born yet.
TEST(TwelveDigitForm, BornNoLaterThanToday)
{
    DecodeOptions options;
    options.numbers = {"202634200011"}; // 7 December 2026
    const CsvReader::Row onTheDay = readCsv(decode(options, {}, 2026y / December / 7).output).at(1);
    EXPECT_EQ(CsvReader::Row(onTheDay.begin(), onTheDay.begin() + 3),
              (CsvReader::Row{"202634200011", "valid", "2026-12-07"}));
    EXPECT_EQ(onTheDay.at(6), "0");
    EXPECT_EQ(onTheDay.at(7), "0");
    EXPECT_EQ(readCsv(decode(options, {}, 2026y / December / 6).output).at(1).at(1), "bad-date");
}

struct CheckCase
{
    const char *name;
    std::string row; // number,declared date,declared sex
    const char *birthDateCheck;
    const char *sexCheck;
    DateOrder order = DateOrder::DayMonthYear;
};

class CheckColumnTest : public testing::TestWithParam<CheckCase>
{};

// 811231234V: born 2 May 1981, male.
TEST_P(CheckColumnTest, ComparesWhatTheRowDeclares)
{
    const CheckCase &c = GetParam();
    DecodeOptions options;
    options.column = ColumnChoice{"nic", std::nullopt};
    options.checkBirthDate = ColumnChoice{"dob", std::nullopt};
    options.checkSex = ColumnChoice{"3", 2};
    options.dateOrder = c.order;
    const Decoding run = decode(options, "nic,dob,sex\n" + c.row + "\n");
    const std::vector<CsvReader::Row> rows = readCsv(run.output);
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(std::vector(rows[0].end() - 2, rows[0].end()), (CsvReader::Row{"birth_date_check", "sex_check"}));
    EXPECT_EQ(rows[1][rows[1].size() - 2], c.birthDateCheck);
    EXPECT_EQ(rows[1].back(), c.sexCheck);
    const bool allMatch = std::string_view(c.birthDateCheck) == "match" && std::string_view(c.sexCheck) == "match";
    EXPECT_EQ(run.result.status, allMatch ? AllValid : SomeInvalid);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CheckColumnTest,
    testing::Values(CheckCase{"iso_date_and_letter", "811231234V,1981-05-02,M", "match", "match"},
                    CheckCase{"day_month_year_with_slashes", "811231234V,2/5/1981,male", "match", "match"},
                    CheckCase{"points_and_padded_day", "811231234V,02.05.1981, MALE ", "match", "match"},
                    CheckCase{"month_day_year", "811231234V,5-2-1981,m", "match", "match", DateOrder::MonthDayYear},
                    CheckCase{"day_and_month_swapped", "811231234V,5/2/1981,F", "mismatch", "mismatch"},
                    CheckCase{"other_day", "811231234V,1981-05-03,Female", "mismatch", "mismatch"},
                    CheckCase{"12_digit_form", "198112301234,1981-05-02,M", "match", "match"},
                    CheckCase{"unreadable_values", "811231234V,May 2 1981,man", "unreadable", "unreadable"},
                    CheckCase{"day_that_does_not_exist", "811231234V,31/4/1981,", "unreadable", "unreadable"},
                    CheckCase{"mixed_separators", "811231234V,2/5-1981,M", "unreadable", "match"},
                    CheckCase{"two_digit_year", "811231234V,2/5/81,M", "unreadable", "match"},
                    CheckCase{"number_not_valid", "811231234Q,1981-05-02,M", "", ""}),
    [](const testing::TestParamInfo<CheckCase> &row) { return std::string(row.param.name); });

struct TrimCase
{
    const char *name;
    std::string text;
    std::string trimmed;
};

class TrimTest : public testing::TestWithParam<TrimCase>
{};

TEST_P(TrimTest, TakesOffOnlyTheEnds)
{
    EXPECT_EQ(TrimNumber(GetParam().text), GetParam().trimmed);
}

INSTANTIATE_TEST_SUITE_P(Texts, TrimTest,
                         testing::Values(TrimCase{"blanks", " \t811231234V \t", "811231234V"},
                                         TrimCase{"no_break_spaces",
                                                  "\xC2\xA0"
                                                  "811231234V\xE2\x80\xAF",
                                                  "811231234V"},
                                         TrimCase{"zero_width_space_and_mark",
                                                  "\xE2\x80\x8B\xEF\xBB\xBF"
                                                  "811231234V\xE2\x80\x8B",
                                                  "811231234V"},
                                         TrimCase{"direction_marks",
                                                  "\xE2\x80\x8F\xE2\x81\xA6"
                                                  "198112301234\xE2\x81\xA9\xE2\x80\x8E",
                                                  "198112301234"},
                                         TrimCase{"ideographic_space",
                                                  "\xE3\x80\x80"
                                                  "811231234V",
                                                  "811231234V"},
                                         TrimCase{"inside_untouched", " 8112 31234V ", "8112 31234V"},
                                         TrimCase{"nothing_but_blanks", " \xE2\x80\x8B ", ""},
                                         TrimCase{"invalid_utf8_kept",
                                                  "\xFF"
                                                  "811231234V",
                                                  "\xFF"
                                                  "811231234V"},
                                         TrimCase{"full_width_digits_are_no_blanks", "\xEF\xBC\x98", "\xEF\xBC\x98"}),
                         [](const testing::TestParamInfo<TrimCase> &row) { return std::string(row.param.name); });

TEST(Trim, OnlyWhenAsked)
{
    DecodeOptions options;
    options.numbers = {"\xE2\x80\x8B"
                       "811231234V "};
    EXPECT_EQ(readCsv(decode(options).output).at(1).at(1), "bad-number");
    options.trim = true;
    const CsvReader::Row row = readCsv(decode(options).output).at(1);
    EXPECT_EQ(row.at(0), "811231234V");
    EXPECT_EQ(row.at(1), "valid");
}

} // namespace
