#include "number_list_decoding.h"

#include "birth_details.h"
#include "csv_reader.h"
#include "output_buffer.h"
#include "record_writer.h"
#include "text_input.h"

#include <algorithm>
#include <string>
#include <variant>

namespace {

// Decodes numbers one at a time, writes each at once and remembers whether
// every one was valid.
class NumberDecoder
{
public:
    NumberDecoder(const CalendarService &calendars, RecordWriter &writer) : m_calendars(calendars), m_writer(writer) {}

    void decode(std::string_view number)
    {
        const BirthDetails details = DecodeBirthDetails(number, m_calendars);
        m_allValid = m_allValid && details.Verdict == Verdict::Valid;
        m_writer.record(number, details);
    }

    void decode(const CsvReader::Row &row, std::size_t width, std::string_view number)
    {
        const BirthDetails details = DecodeBirthDetails(number, m_calendars);
        m_allValid = m_allValid && details.Verdict == Verdict::Valid;
        m_writer.record(row, width, number, details);
    }

    int status() const { return m_allValid ? AllValid : SomeInvalid; }

private:
    const CalendarService &m_calendars;
    RecordWriter &m_writer;
    bool m_allValid = true;
};

DecodingResult usageError(const std::string &message)
{
    return {UsageError, std::string(ProgramName) + ": " + message};
}

// The place of the chosen column in the header, or why there is none.
std::variant<std::size_t, std::string> findColumn(const ColumnChoice &column, const CsvReader::Row &header)
{
    if (column.index) {
        if (*column.index < header.size())
            return *column.index;
        return "--column " + column.name + ": the header has only " + std::to_string(header.size()) + " columns";
    }
    const auto found = std::find(header.begin(), header.end(), column.name);
    if (found == header.end())
        return "--column " + column.name + ": no such column in the header";
    const auto again = std::find(found + 1, header.end(), column.name);
    if (again != header.end())
        return "--column " + column.name + ": the header names it twice, in columns "
               + std::to_string(found - header.begin() + 1) + " and " + std::to_string(again - header.begin() + 1);
    return static_cast<std::size_t>(found - header.begin());
}

std::string widerRowsWarning(std::size_t rows)
{
    const bool one = rows == 1;
    return std::string(ProgramName) + ": " + std::to_string(rows) + (one ? " row was" : " rows were")
           + " wider than the header: " + (one ? "its" : "their") + " extra fields follow the decoded columns";
}

DecodingResult decodeSpreadsheet(const ColumnChoice &column, NumberDecoder &decoder, RecordWriter &writer,
                                 TextInput &input)
{
    std::optional<std::size_t> index;
    std::size_t width = 0;
    std::size_t widerRows = 0;
    std::string headerError;
    bool haveHeader = false;
    CsvReader reader([&input](char *buffer, std::size_t size) { return input.read(buffer, size); });
    const std::string readError = reader.read([&](const CsvReader::Row &row) {
        if (!haveHeader) {
            haveHeader = true;
            width = row.size();
            auto found = findColumn(column, row);
            if (std::string *error = std::get_if<std::string>(&found)) {
                headerError = std::move(*error);
                return false;
            }
            index = std::get<std::size_t>(found);
            writer.header(row);
            return true;
        }
        const std::string_view number = *index < row.size() ? std::string_view(row[*index]) : std::string_view{};
        widerRows += row.size() > width ? 1 : 0;
        decoder.decode(row, width, number);
        return true;
    });
    if (!input.refusal().empty())
        return usageError(input.refusal());
    if (!headerError.empty())
        return usageError(headerError);
    if (!readError.empty())
        return usageError(readError);
    if (!haveHeader)
        return usageError("the spreadsheet is empty: it has no header row");
    DecodingResult result{decoder.status()};
    if (widerRows > 0)
        result.warning = widerRowsWarning(widerRows);
    return result;
}

} // namespace

DecodingResult DecodeNumberList(const DecodeOptions &options, const CalendarService &calendars,
                                const LineReader::Source &input, OutputBuffer &output)
{
    RecordWriter writer(options.format, output, calendars.today());
    NumberDecoder decoder(calendars, writer);
    TextInput text(input);
    if (options.column)
        return decodeSpreadsheet(*options.column, decoder, writer, text);

    writer.header();
    if (!options.numbers.empty()) {
        for (const std::string &number : options.numbers)
            decoder.decode(number);
    } else {
        LineReader lines([&text](char *buffer, std::size_t size) { return text.read(buffer, size); });
        std::string_view line;
        while (lines.next(line))
            decoder.decode(line);
        if (!text.refusal().empty())
            return usageError(text.refusal());
    }
    return {decoder.status()};
}
