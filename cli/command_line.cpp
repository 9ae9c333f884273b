#include "command_line.h"

#include "unicode_text.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <map>
#include <tuple>
#include <variant>

namespace {

constexpr int FirstYear = 1900;

constexpr const char *Description =
    "Decodes Sri Lankan identity card numbers, of the older form (nine digits and a letter) and of the 12-digit "
    "form, into date of birth, Hijri date, weekday, sex and age, with the same decoder as the window program. "
    "Each NUMBER is decoded; without any, the numbers are read from standard input, one a line.";
constexpr const char *Footer =
    "Exit status: 0 when every number is valid, 1 when any is not, 2 for a usage error or input or "
    "output that fails, 3 when the calendar data is unusable.";

std::optional<std::size_t> columnIndex(std::string_view text)
{
    std::size_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

// A column by its header name, or by its place from 1; empty or 0 is no column.
std::variant<ColumnChoice, std::string> readColumn(std::string_view option, const std::string &text)
{
    ColumnChoice choice{text, std::nullopt};
    if (const std::optional<std::size_t> number = columnIndex(text)) {
        if (*number == 0)
            return std::string(option) + " 0: columns are counted from 1";
        choice.index = *number - 1;
    } else if (text.empty()) {
        return std::string(option) + " needs a column name or number";
    }
    return choice;
}

CommandLine usageError(std::string message)
{
    CommandLine result;
    result.status = UsageError;
    result.error = std::string(ProgramName) + ": " + std::move(message);
    return result;
}

} // namespace

std::optional<std::chrono::year_month_day> ParseToday(std::string_view text)
{
    using namespace std::chrono;
    const auto digits = [&](std::size_t first, std::size_t count) -> std::optional<int> {
        int value = 0;
        for (std::size_t i = first; i < first + count; ++i) {
            if (!unicode_text::isAsciiDigit(text[i]))
                return std::nullopt;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const std::optional<int> y = digits(0, 4);
    const std::optional<int> m = digits(5, 2);
    const std::optional<int> d = digits(8, 2);
    if (!y || !m || !d || *y < FirstYear)
        return std::nullopt;
    const year_month_day date{year(*y), month(static_cast<unsigned>(*m)), day(static_cast<unsigned>(*d))};
    if (!date.ok())
        return std::nullopt;
    return date;
}

CommandLine ParseCommandLine(int argc, const char *const *argv)
{
    CLI::App app(Description, std::string(ProgramName));
    app.footer(Footer);
    app.set_version_flag("--version", std::string(ProgramName) + " " + NIC_VERSION);

    const std::map<std::string, OutputFormat> formats{{"csv", OutputFormat::Csv},
                                                      {"json", OutputFormat::Json},
                                                      {"text", OutputFormat::Text},
                                                      {"xlsx", OutputFormat::Xlsx}};
    const std::map<std::string, DateOrder> dateOrders{{"dmy", DateOrder::DayMonthYear},
                                                      {"mdy", DateOrder::MonthDayYear}};
    DecodeOptions options;
    std::string format = "csv";
    std::string today;
    std::string column;
    std::string output;
    std::string checkBirthDate;
    std::string checkSex;
    std::string dateOrder = "dmy";
    bool windowVerdicts = false;
    app.add_option("--format", format,
                   "csv (the default): a header and one row a number; json: JSON Lines, one object a number; "
                   "text: the window's own texts, tab-separated; xlsx: an Excel sheet (needs --output)")
        ->check(CLI::IsMember(formats))
        ->option_text("csv|json|text|xlsx");
    app.add_option("--output", output,
                   "write to FILE instead of standard output; it appears only when the run succeeds")
        ->option_text("FILE");
    app.add_option("--today", today, "count the ages as on this day instead of today")->option_text("YYYY-MM-DD");
    app.add_option("--column", column,
                   "read a CSV spreadsheet from standard input whose column NAME (by its header) or N "
                   "(from 1) holds the numbers, and write each row whole with the decoded columns after it")
        ->option_text("NAME|N");
    app.add_option("--check-birth-date", checkBirthDate,
                   "with --column: compare the date of birth a row declares in this column with its number's")
        ->option_text("NAME|N");
    app.add_option("--check-sex", checkSex,
                   "with --column: compare the sex a row declares in this column with its number's")
        ->option_text("NAME|N");
    app.add_option("--date-order", dateOrder,
                   "how declared dates with / . or - order day and month: dmy (the default) or mdy; "
                   "YYYY-MM-DD is always read")
        ->check(CLI::IsMember(dateOrders))
        ->option_text("dmy|mdy");
    app.add_flag("--trim", options.trim,
                 "take blanks and invisible characters (zero-width spaces, direction marks, a byte-order "
                 "mark) off both ends of each number before decoding it");
    app.add_flag("--window-verdicts", windowVerdicts,
                 "give every text exactly the window program's verdict: the 12-digit form is then rejected");
    app.add_option("NUMBER", options.numbers, "a number to decode");

    CommandLine result;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp &) {
        result.output = app.help();
        return result;
    } catch (const CLI::CallForVersion &version) {
        result.output = std::string(version.what()) + "\n";
        return result;
    } catch (const CLI::ParseError &error) {
        return usageError(error.what());
    }

    options.format = formats.at(format);
    options.dateOrder = dateOrders.at(dateOrder);
    options.forms = windowVerdicts ? NumberForms::OlderOnly : NumberForms::OlderAndTwelveDigit;
    if (app.count("--output") > 0) {
        if (output.empty())
            return usageError("--output needs a file name");
        options.output = output;
    }
    if (options.format == OutputFormat::Xlsx && !options.output)
        return usageError("--format xlsx needs --output FILE: a spreadsheet file is not for a terminal or a pipe");
    if (app.count("--today") > 0) {
        options.today = ParseToday(today);
        if (!options.today)
            return usageError("--today " + today + ": not a day of the form YYYY-MM-DD from 1900-01-01 on");
    }
    for (const auto &[option, text, choice] :
         {std::tuple{"--column", &column, &options.column},
          std::tuple{"--check-birth-date", &checkBirthDate, &options.checkBirthDate},
          std::tuple{"--check-sex", &checkSex, &options.checkSex}}) {
        if (app.count(option) == 0)
            continue;
        auto read = readColumn(option, *text);
        if (const std::string *error = std::get_if<std::string>(&read))
            return usageError(*error);
        *choice = std::get<ColumnChoice>(std::move(read));
    }
    if (options.column && !options.numbers.empty())
        return usageError("--column reads a spreadsheet from standard input: give no NUMBER with it");
    if ((options.checkBirthDate || options.checkSex) && !options.column)
        return usageError("--check-birth-date and --check-sex compare a spreadsheet's columns: they need --column");
    if ((options.checkBirthDate || options.checkSex) && options.format == OutputFormat::Text)
        return usageError("--format text shows the window's texts alone: the checks need csv, json or xlsx");
    result.options = std::move(options);
    return result;
}
