#include "number_list_decoding.h"

#include "birth_details.h"
#include "csv_reader.h"
#include "output_buffer.h"
#include "record_writer.h"

#include <algorithm>

namespace {

// Decodes numbers one at a time, writes each at once and remembers whether
// every one was valid.
class NumberDecoder
{
public:
    NumberDecoder(std::chrono::year_month_day today, const CalendarService &calendars, RecordWriter &writer)
        : m_today(today)
        , m_calendars(calendars)
        , m_writer(writer)
    {}

    void decode(std::string_view number)
    {
        const BirthDetails details = DecodeBirthDetails(number, m_today, m_calendars);
        m_allValid = m_allValid && details.Verdict == Verdict::Valid;
        m_writer.record(number, details);
    }

    void decode(const CsvReader::Row &row, std::string_view number)
    {
        const BirthDetails details = DecodeBirthDetails(number, m_today, m_calendars);
        m_allValid = m_allValid && details.Verdict == Verdict::Valid;
        m_writer.record(row, number, details);
    }

    int status() const { return m_allValid ? AllValid : SomeInvalid; }

private:
    std::chrono::year_month_day m_today;
    const CalendarService &m_calendars;
    RecordWriter &m_writer;
    bool m_allValid = true;
};

DecodingResult decodeSpreadsheet(const ColumnChoice &column, NumberDecoder &decoder, RecordWriter &writer,
                                 const LineReader::Source &input)
{
    DecodingResult result;
    std::optional<std::size_t> index = column.index;
    std::size_t width = 0;
    bool haveHeader = false;
    CsvReader::Row padded;
    CsvReader reader(input);
    const bool read = reader.read([&](const CsvReader::Row &row) {
        if (result.status == UsageError)
            return;
        if (!haveHeader) {
            haveHeader = true;
            width = row.size();
            if (!index) {
                const auto found = std::find(row.begin(), row.end(), column.name);
                if (found == row.end()) {
                    result = {UsageError, std::string(ProgramName) + ": --column " + column.name
                                              + ": no such column in the header"};
                    return;
                }
                index = static_cast<std::size_t>(found - row.begin());
            }
            writer.header(row);
            return;
        }
        const std::string_view number = *index < row.size() ? std::string_view(row[*index]) : std::string_view{};
        if (row.size() >= width) {
            decoder.decode(row, number);
            return;
        }
        // A short row is filled up to the header's width, so that the decoded
        // columns stand under their names.
        padded = row;
        padded.resize(width);
        decoder.decode(padded, number);
    });
    if (result.status == UsageError)
        return result;
    if (!read)
        return {UsageError,
                std::string(ProgramName) + ": the spreadsheet could not be read: a field too large for memory"};
    result.status = decoder.status();
    return result;
}

} // namespace

DecodingResult DecodeNumberList(const DecodeOptions &options, std::chrono::year_month_day today,
                                const CalendarService &calendars, const LineReader::Source &input, OutputBuffer &output)
{
    RecordWriter writer(options.format, output);
    NumberDecoder decoder(today, calendars, writer);
    if (options.column)
        return decodeSpreadsheet(*options.column, decoder, writer, input);

    writer.header();
    if (!options.numbers.empty()) {
        for (const std::string &number : options.numbers)
            decoder.decode(number);
    } else {
        LineReader lines(input);
        std::string_view line;
        while (lines.next(line))
            decoder.decode(line);
    }
    return {decoder.status(), {}};
}
