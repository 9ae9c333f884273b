#include "number_list_decoding.h"

#include "birth_details.h"
#include "csv_reader.h"
#include "output_buffer.h"
#include "record_writer.h"
#include "number_trim.h"
#include "text_input.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <variant>

namespace {

// Decodes numbers one at a time, writes each at once and remembers whether
// every one was valid and every check matched.
class NumberDecoder
{
public:
    NumberDecoder(const DecodeOptions &options, std::chrono::year_month_day today, const CalendarService &calendars,
                  RecordWriter &writer)
        : m_options(options)
        , m_today(today)
        , m_calendars(calendars)
        , m_writer(writer)
    {}

    void decode(std::string_view number)
    {
        const std::string_view decoded = m_options.trim ? TrimNumber(number) : number;
        m_writer.record(decoded, details(decoded));
    }

    // The declared details stand in the columns of the checks, when given.
    void decode(const CsvReader::Row &row, std::size_t width, std::string_view number,
                std::optional<std::size_t> birthDateColumn, std::optional<std::size_t> sexColumn)
    {
        const std::string_view decoded = m_options.trim ? TrimNumber(number) : number;
        const BirthDetails birth = details(decoded);
        RowChecks checks;
        const BirthValues *values = birth.Verdict == Verdict::Valid && birth.Values ? &*birth.Values : nullptr;
        if (values && birthDateColumn) {
            const auto declared = ReadDeclaredDate(field(row, *birthDateColumn), m_options.dateOrder);
            checks.birthDate = !declared                   ? CheckResult::Unreadable
                               : *declared == values->date ? CheckResult::Match
                                                           : CheckResult::Mismatch;
        }
        if (values && sexColumn) {
            const auto declared = ReadDeclaredSex(field(row, *sexColumn));
            checks.sex = !declared                ? CheckResult::Unreadable
                         : *declared == birth.Sex ? CheckResult::Match
                                                  : CheckResult::Mismatch;
        }
        m_allPassed = m_allPassed && isMatchWhereMade(checks.birthDate) && isMatchWhereMade(checks.sex);
        m_writer.record(row, width, decoded, birth, checks);
    }

    int status() const { return m_allPassed ? AllValid : SomeInvalid; }

private:
    static std::string_view field(const CsvReader::Row &row, std::size_t column)
    {
        return column < row.size() ? std::string_view(row[column]) : std::string_view{};
    }

    static bool isMatchWhereMade(CheckResult result)
    {
        return result == CheckResult::NotMade || result == CheckResult::Match;
    }

    BirthDetails details(std::string_view number)
    {
        BirthDetails birth = DecodeBirthDetails(number, m_today, m_calendars, m_options.forms);
        m_allPassed = m_allPassed && birth.Verdict == Verdict::Valid;
        return birth;
    }

    const DecodeOptions &m_options;
    std::chrono::year_month_day m_today;
    const CalendarService &m_calendars;
    RecordWriter &m_writer;
    bool m_allPassed = true;
};

DecodingResult usageError(const std::string &message)
{
    return {UsageError, std::string(ProgramName) + ": " + message};
}

// The place of the chosen column in the header, or why there is none.
std::variant<std::size_t, std::string> findColumn(std::string_view option, const ColumnChoice &column,
                                                  const CsvReader::Row &header)
{
    const std::string named = std::string(option) + " " + column.name;
    if (column.index) {
        if (*column.index < header.size())
            return *column.index;
        return named + ": the header has only " + std::to_string(header.size()) + " columns";
    }
    const auto found = std::find(header.begin(), header.end(), column.name);
    if (found == header.end())
        return named + ": no such column in the header";
    const auto again = std::find(found + 1, header.end(), column.name);
    if (again != header.end())
        return named + ": the header names it twice, in columns " + std::to_string(found - header.begin() + 1) + " and "
               + std::to_string(again - header.begin() + 1);
    return static_cast<std::size_t>(found - header.begin());
}

std::string widerRowsWarning(std::size_t rows)
{
    const bool one = rows == 1;
    return std::string(ProgramName) + ": " + std::to_string(rows) + (one ? " row was" : " rows were")
           + " wider than the header: " + (one ? "its" : "their") + " extra fields follow the decoded columns";
}

DecodingResult decodeSpreadsheet(const DecodeOptions &options, NumberDecoder &decoder, RecordWriter &writer,
                                 TextInput &input)
{
    std::optional<std::size_t> index;
    std::optional<std::size_t> birthDateColumn;
    std::optional<std::size_t> sexColumn;
    std::size_t width = 0;
    std::size_t widerRows = 0;
    std::string headerError;
    bool haveHeader = false;
    CsvReader reader([&input](char *buffer, std::size_t size) { return input.read(buffer, size); });
    const std::string readError = reader.read([&](const CsvReader::Row &row) {
        if (!haveHeader) {
            haveHeader = true;
            width = row.size();
            for (const auto &[option, choice, place] :
                 {std::tuple{"--column", &options.column, &index},
                  std::tuple{"--check-birth-date", &options.checkBirthDate, &birthDateColumn},
                  std::tuple{"--check-sex", &options.checkSex, &sexColumn}}) {
                if (!*choice)
                    continue;
                auto found = findColumn(option, **choice, row);
                if (std::string *error = std::get_if<std::string>(&found)) {
                    headerError = std::move(*error);
                    return false;
                }
                *place = std::get<std::size_t>(found);
            }
            writer.header(row);
            return writer.error().empty();
        }
        const std::string_view number = *index < row.size() ? std::string_view(row[*index]) : std::string_view{};
        widerRows += row.size() > width ? 1 : 0;
        decoder.decode(row, width, number, birthDateColumn, sexColumn);
        return writer.error().empty();
    });
    if (!input.refusal().empty())
        return usageError(input.refusal());
    if (!headerError.empty())
        return usageError(headerError);
    if (!writer.error().empty())
        return usageError(std::string(writer.error()));
    if (!readError.empty())
        return usageError(readError);
    if (!haveHeader)
        return usageError("the spreadsheet is empty: it has no header row");
    DecodingResult result{decoder.status()};
    // JSON and text write the numbers alone, which no wider row moves.
    if (widerRows > 0 && (options.format == OutputFormat::Csv || options.format == OutputFormat::Xlsx))
        result.warning = widerRowsWarning(widerRows);
    return result;
}

} // namespace

DecodingResult DecodeNumberList(const DecodeOptions &options, std::chrono::year_month_day today,
                                const CalendarService &calendars, const LineReader::Source &input, OutputBuffer &output,
                                const std::string &sheetFile)
{
    const CheckColumns checks{options.checkBirthDate.has_value(), options.checkSex.has_value()};
    RecordWriter writer(options.format, output, today, checks, sheetFile);
    NumberDecoder decoder(options, today, calendars, writer);
    TextInput text(input);
    DecodingResult result;
    if (options.column) {
        result = decodeSpreadsheet(options, decoder, writer, text);
    } else {
        writer.header();
        if (!options.numbers.empty()) {
            for (const std::string &number : options.numbers)
                if (writer.error().empty())
                    decoder.decode(number);
        } else {
            LineReader lines([&text](char *buffer, std::size_t size) { return text.read(buffer, size); });
            std::string_view line;
            while (writer.error().empty() && lines.next(line))
                decoder.decode(line);
        }
        if (!writer.error().empty())
            result = usageError(std::string(writer.error()));
        else if (!text.refusal().empty())
            result = usageError(text.refusal());
        else
            result.status = decoder.status();
    }
    // The sheet is written even after a failure, so that the library lets
    // go of its temporary files; the caller then throws the file away.
    const std::string finished = writer.finish();
    if (result.status != UsageError && !finished.empty())
        return usageError(finished);
    return result;
}
