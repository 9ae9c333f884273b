#include "csv_reader.h"

#include <csv.h>

#include <string_view>
#include <utility>

namespace {

constexpr std::size_t BlockSize = 64 * 1024;
constexpr std::string_view LineEnds = "\r\n";
// A spreadsheet cell holds at most 32,767 characters: a field far longer is
// a quote never closed, or no spreadsheet at all, and reading on would hold
// the rest of the input in memory.
constexpr std::size_t MaxFieldMiB = 1;
constexpr std::size_t MaxFieldBytes = MaxFieldMiB * 1024 * 1024;

// libcsv trims spaces and tabs around unquoted fields unless told that
// nothing is a space; the rows must come back exactly as they were.
int noSpace(unsigned char)
{
    return 0;
}

std::string atLine(std::size_t line, std::string_view what)
{
    return "line " + std::to_string(line) + ": " + std::string(what);
}

// The separators of the first row outside its quoted fields, read piece by
// piece: a quote opens a field only at its start, and inside one a lone
// quote closes it ("" is a quote). The row ends at a line end outside them;
// blank lines before it are no row.
class FirstRow
{
public:
    void read(std::string_view piece)
    {
        for (const char c : piece) {
            if (m_ended)
                return;
            if (m_quoteInside) {
                m_quoteInside = false;
                if (c == '"')
                    continue;
                m_quoted = false;
            }
            if (m_quoted) {
                m_quoteInside = c == '"';
                continue;
            }
            const bool lineEnd = LineEnds.find(c) != std::string_view::npos;
            if (lineEnd && !m_begun)
                continue;
            m_begun = true;
            if (c == '"' && m_fieldStart) {
                m_quoted = true;
                continue;
            }
            m_ended = lineEnd;
            m_tab = m_tab || c == '\t';
            m_comma = m_comma || c == ',';
            m_fieldStart = c == '\t' || c == ',';
        }
    }
    bool ended() const { return m_ended; }
    // Excel's "Unicode text".
    bool tabSeparated() const { return m_tab && !m_comma; }

private:
    bool m_quoted = false;
    bool m_quoteInside = false;
    bool m_fieldStart = true;
    bool m_begun = false;
    bool m_ended = false;
    bool m_tab = false;
    bool m_comma = false;
};

} // namespace

CsvReader::CsvReader(LineReader::Source source) : m_source(std::move(source)), m_parser(std::make_unique<csv_parser>())
{
    csv_init(m_parser.get(), 0);
    csv_set_space_func(m_parser.get(), noSpace);
}

CsvReader::~CsvReader()
{
    csv_free(m_parser.get());
}

void CsvReader::endField(void *bytes, std::size_t size, void *data)
{
    auto &reader = *static_cast<CsvReader *>(data);
    if (reader.m_fields == reader.m_row.size())
        reader.m_row.emplace_back();
    // The strings of earlier rows are reused, so a row costs no allocation.
    std::string &field = reader.m_row[reader.m_fields++];
    if (bytes)
        field.assign(static_cast<const char *>(bytes), size);
    else
        field.clear();
    reader.m_fieldLine = reader.m_line;
}

void CsvReader::endRow(int, void *data)
{
    auto &reader = *static_cast<CsvReader *>(data);
    reader.m_row.resize(reader.m_fields);
    reader.m_fields = 0;
    reader.m_rowBegun = false;
    if (!reader.m_stopped)
        reader.m_stopped = !(*reader.m_onRow)(reader.m_row);
}

// One line at a time, so that every field and row ends while the line it
// ends on is known. Empty, or why the field being read cannot be.
std::string CsvReader::parse(std::string_view bytes)
{
    while (!bytes.empty() && !m_stopped) {
        std::size_t end = bytes.find_first_of(LineEnds);
        const bool lineEnds = end != std::string_view::npos;
        end = lineEnds ? end + 1 : bytes.size();
        // CR LF is one line end.
        if (lineEnds && bytes[end - 1] == '\r' && end < bytes.size() && bytes[end] == '\n')
            ++end;
        const std::string_view line = bytes.substr(0, end);
        // Every character but a line end begins a row: nothing is a space.
        if (!m_rowBegun) {
            m_fieldLine = m_line;
            m_rowBegun = LineEnds.find(line.front()) == std::string_view::npos;
        }
        if (csv_parse(m_parser.get(), line.data(), line.size(), endField, endRow, this) != line.size())
            return atLine(m_fieldLine, "a field too large for memory");
        // The field still open, grown by at most one block since the last look.
        if (m_parser->entry_pos > MaxFieldBytes) {
            const std::string_view what = m_parser->quoted ? "a quoted field starts here and is not closed within "
                                                           : "a field starts here that is longer than ";
            return atLine(m_fieldLine, std::string(what) + std::to_string(MaxFieldMiB) + " MiB");
        }
        if (lineEnds)
            ++m_line;
        bytes.remove_prefix(end);
    }
    return {};
}

std::string CsvReader::read(const RowHandler &onRow)
{
    m_onRow = &onRow;
    std::string block(BlockSize, '\0');
    bool first = true;
    bool afterCarriageReturn = false;
    for (;;) {
        std::size_t count = m_source(block.data(), block.size());
        if (first) {
            // The separator is chosen from the whole first row (or the
            // first block of it), however the input arrives in pieces.
            FirstRow firstRow;
            firstRow.read(std::string_view(block.data(), count));
            while (count > 0 && count < block.size() && !firstRow.ended()) {
                const std::size_t more = m_source(block.data() + count, block.size() - count);
                if (more == 0)
                    break;
                firstRow.read(std::string_view(block.data() + count, more));
                count += more;
            }
            if (firstRow.tabSeparated())
                csv_set_delim(m_parser.get(), static_cast<unsigned char>(CSV_TAB));
            first = false;
        }
        if (count == 0)
            break;
        std::string_view bytes(block.data(), count);
        if (afterCarriageReturn && bytes.front() == '\n') {
            // The LF of a CR LF split between two blocks: no line of its own.
            if (csv_parse(m_parser.get(), bytes.data(), 1, endField, endRow, this) != 1)
                return atLine(m_fieldLine, "a field too large for memory");
            bytes.remove_prefix(1);
        }
        if (std::string error = parse(bytes); !error.empty())
            return error;
        if (m_stopped)
            return {};
        afterCarriageReturn = bytes.ends_with('\r');
    }
    // Strict only for the end: a quote inside an unquoted field stays a
    // plain character, but a quoted field must be closed.
    csv_set_opts(m_parser.get(), static_cast<unsigned char>(CSV_STRICT | CSV_STRICT_FINI));
    if (csv_fini(m_parser.get(), endField, endRow, this) != 0)
        return atLine(m_fieldLine, "a quoted field starts here and is never closed");
    return {};
}
