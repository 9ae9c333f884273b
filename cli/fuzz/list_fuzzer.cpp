// Sends any bytes through nic-decode's line reader and CSV writer and reads
// the rows back: one row a line, in order, none broken or lost. The same
// bytes as a spreadsheet: every row the reader finds comes out, and text
// turned from UTF-16 is well-formed UTF-8.

#include "birth_details.h"
#include "csv_reader.h"
#include "csv_writer.h"
#include "icu_calendar_service.h"
#include "number_list_decoding.h"
#include "output_buffer.h"
#include "record_writer.h"
#include "text_input.h"
#include "unicode_text.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The lines as the reader must give them, by the plainest means: LF, CR LF
// and CR each end a line.
std::vector<std::string> expectedLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        std::string line(bytes.substr(0, end));
        const bool crlf = bytes.substr(end).starts_with("\r\n");
        bytes.remove_prefix(std::min(end + (crlf ? 2 : 1), bytes.size()));
        if (line.find_first_not_of(" \t") != std::string::npos)
            lines.push_back(std::move(line));
    }
    return lines;
}

// Input with a byte-order mark is text of another form, read once it is
// UTF-8: the unit tests check that turn.
bool hasMark(std::string_view bytes)
{
    return bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")
           || bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4));
}

LineReader::Source piecesOf(std::string_view bytes, std::size_t step, std::size_t &offset)
{
    return [bytes, step, &offset](char *buffer, std::size_t size) {
        const std::size_t count = std::min({size, step, bytes.size() - offset});
        std::copy_n(bytes.data() + offset, count, buffer);
        offset += count;
        return count;
    };
}

std::vector<CsvReader::Row> readBack(const std::string &csv)
{
    std::vector<CsvReader::Row> rows;
    std::size_t offset = 0;
    CsvReader reader(piecesOf(csv, csv.size() + 1, offset));
    require(reader
                .read([&rows](const CsvReader::Row &row) {
                    rows.push_back(row);
                    return true;
                })
                .empty());
    return rows;
}

void checkSpreadsheet(std::string_view bytes, const CalendarService &calendars, std::chrono::year_month_day today,
                      std::size_t step)
{
    std::size_t offset = 0;
    TextInput text(piecesOf(bytes, step, offset));
    std::string utf8;
    char buffer[97];
    while (const std::size_t count = text.read(buffer, sizeof buffer))
        utf8.append(buffer, count);
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        for (std::string_view rest = utf8; !rest.empty();) {
            const std::string_view character = unicode_text::substring(rest, 1, 1);
            require(character.size() > 1 || static_cast<unsigned char>(character[0]) < 0x80);
            rest.remove_prefix(character.size());
        }
    }

    std::vector<CsvReader::Row> in;
    std::size_t utf8Offset = 0;
    CsvReader reader(piecesOf(utf8, step, utf8Offset));
    const bool whole = reader
                           .read([&in](const CsvReader::Row &row) {
                               in.push_back(row);
                               return true;
                           })
                           .empty();

    DecodeOptions options;
    options.column = ColumnChoice{"1", 0};
    std::string csv;
    DecodingResult result;
    {
        OutputBuffer output([&csv](std::string_view written) {
            csv.append(written);
            return true;
        });
        offset = 0;
        result = DecodeNumberList(options, today, calendars, piecesOf(bytes, step, offset), output);
    }
    require((result.status == UsageError) == (!whole || in.empty() || !text.refusal().empty()));
    if (result.status == UsageError)
        return;
    const std::vector<CsvReader::Row> out = readBack(csv);
    require(out.size() == in.size());
    for (std::size_t i = 0; i < in.size(); ++i)
        require(out[i].size() == std::max(in[i].size(), in[0].size()) + 8);
}

void checkListToCsv(std::string_view bytes, const CalendarService &calendars, std::chrono::year_month_day today)
{
    // The input comes in pieces of a size the first byte chooses, so that
    // lines, CR LF and the byte-order mark are split everywhere.
    const std::size_t step = bytes.empty() ? 1 : static_cast<unsigned char>(bytes[0]) % 17 + 1;
    std::size_t offset = 0;
    const auto source = [&](char *buffer, std::size_t size) {
        const std::size_t count = std::min({size, step, bytes.size() - offset});
        std::copy_n(bytes.data() + offset, count, buffer);
        offset += count;
        return count;
    };
    std::string csv;
    {
        OutputBuffer output([&csv](std::string_view written) {
            csv.append(written);
            return true;
        });
        DecodeNumberList(DecodeOptions{}, today, calendars, source, output);
    }

    std::vector<CsvReader::Row> rows;
    std::size_t readOffset = 0;
    CsvReader reader([&](char *buffer, std::size_t size) {
        const std::size_t count = std::min(size, csv.size() - readOffset);
        std::copy_n(csv.data() + readOffset, count, buffer);
        readOffset += count;
        return count;
    });
    require(reader
                .read([&rows](const CsvReader::Row &row) {
                    rows.push_back(row);
                    return true;
                })
                .empty());

    if (hasMark(bytes))
        return;
    const std::vector<std::string> lines = expectedLines(bytes);
    require(rows.size() == lines.size() + 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const CsvReader::Row &row = rows[i + 1];
        require(row.size() == 9);
        require(row[0] == (RunsAsFormula(lines[i]) ? "'" + lines[i] : lines[i]));
        require(row[1]
                == VerdictWord(DecodeBirthDetails(lines[i], today, calendars, NumberForms::OlderAndTwelveDigit)));
    }
    checkSpreadsheet(bytes, calendars, today, step);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    using namespace std::chrono;
    static const IcuCalendarService calendars;
    checkListToCsv(std::string_view(reinterpret_cast<const char *>(data), size), calendars, 2026y / December / 7);
    return 0;
}
