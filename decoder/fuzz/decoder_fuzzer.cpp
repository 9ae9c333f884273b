// Fuzzes a whole decoding and checks what a verdict promises about the text;
// then sends the same bytes through nic-decode's line reader and CSV writer
// and reads the rows back: one row a line, in order, none broken or lost.

#include "birth_details.h"
#include "csv_reader.h"
#include "csv_writer.h"
#include "fixed_today_calendar.h"
#include "number_decoding.h"
#include "number_list_decoding.h"
#include "output_buffer.h"
#include "record_writer.h"
#include "unicode_text.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

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

void checkListToCsv(std::string_view bytes, const CalendarService &calendars)
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
        DecodeNumberList(DecodeOptions{}, calendars, source, output);
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

    // Input with a byte-order mark is text of another form: its lines are
    // read after it is turned into UTF-8, which the unit tests check.
    if (bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")
        || bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4)))
        return;
    const std::vector<std::string> lines = expectedLines(bytes);
    require(rows.size() == lines.size() + 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const CsvReader::Row &row = rows[i + 1];
        require(row.size() == 8);
        require(row[0] == (RunsAsFormula(lines[i]) ? "'" + lines[i] : lines[i]));
        require(row[1] == VerdictWord(DecodeBirthDetails(lines[i], calendars)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    using namespace std::chrono;
    static const FixedTodayCalendar calendars{2026y / December / 7};
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const BirthDetails details = DecodeBirthDetails(text, calendars);

    if (details.Verdict == Verdict::Valid) {
        // Ten characters, each one byte: nine ASCII digits and an accepted letter.
        require(size == 10 && unicode_text::length(text) == 10);
        for (std::size_t i = 0; i < 9; ++i)
            require(isAsciiDigit(text[i]));
        require(std::string_view("vxVXA").find(text[9]) != std::string_view::npos);
        const DecodedNumber number = DecodeNumber(text);
        require(number.MonthNo.has_value());
        const std::chrono::year_month_day date{std::chrono::year(1900 + (text[0] - '0') * 10 + (text[1] - '0')),
                                               std::chrono::month(static_cast<unsigned>(*number.MonthNo)),
                                               std::chrono::day(static_cast<unsigned>(number.DayOfMonth))};
        require(date.ok() && number.DayOfMonth == static_cast<unsigned>(date.day()));
        require(details.HDateOB.has_value() && !details.DayOB.empty() && !details.Age.empty());
        require(details.Sex == "Male" || details.Sex == "Female");
    }
    if (details.Verdict == Verdict::BadDate) {
        require(size >= 2 && isAsciiDigit(text[0]) && isAsciiDigit(text[1]));
        require(details.DateOB.empty() && details.Sex.empty() && !details.HDateOB);
    }
    checkListToCsv(text, calendars);
    return 0;
}
