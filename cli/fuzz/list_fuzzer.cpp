// Sends any bytes through nic-decode's line reader and CSV writer and reads
// the rows back: one row a line, in order, none broken or lost.

#include "birth_details.h"
#include "csv_reader.h"
#include "csv_writer.h"
#include "icu_calendar_service.h"
#include "number_list_decoding.h"
#include "output_buffer.h"
#include "record_writer.h"

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

// The lines as the reader must give them, by the plainest means.
std::vector<std::string> expectedLines(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string line(bytes.substr(0, end));
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") != std::string::npos)
            lines.push_back(std::move(line));
    }
    return lines;
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
    require(reader.read([&rows](const CsvReader::Row &row) { rows.push_back(row); }));

    const std::vector<std::string> lines = expectedLines(bytes);
    require(rows.size() == lines.size() + 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const CsvReader::Row &row = rows[i + 1];
        require(row.size() == 8);
        require(row[0] == (RunsAsFormula(lines[i]) ? "'" + lines[i] : lines[i]));
        require(row[1] == VerdictWord(DecodeBirthDetails(lines[i], today, calendars)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    using namespace std::chrono;
    static const IcuCalendarService calendars;
    checkListToCsv(std::string_view(reinterpret_cast<const char *>(data), size), calendars, 2026y / December / 7);
    return 0;
}
