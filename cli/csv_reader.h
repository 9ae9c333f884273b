#pragma once

// Reads a CSV spreadsheet row by row through libcsv: RFC 4180 fields,
// quoted ones with commas, quotes and line ends inside, rows ended by LF,
// CR LF or CR. The fields are separated by commas, or by tabs when the
// first row holds a tab and no comma outside its quoted fields (Excel's
// "Unicode text"). Fields are handed over exactly as read: blanks around
// them are kept, and nothing is judged; a quote inside a field that does not start with one is a plain
// character, as spreadsheets read it. A quoted field still open at the end
// of the input is an error naming the line it starts on: the rows after its
// quote cannot be told apart. So is a field longer than 1 MiB, far more than
// a spreadsheet cell holds. Only the current row is held, so memory stays
// flat however many rows follow. Empty lines are no rows. The stream is
// text already: TextInput has dealt with byte-order marks and UTF-16.

#include "line_reader.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct csv_parser;

class CsvReader
{
public:
    using Row = std::vector<std::string>;
    // Takes a row; false to stop reading.
    using RowHandler = std::function<bool(const Row &)>;

    explicit CsvReader(LineReader::Source source);
    ~CsvReader();

    CsvReader(const CsvReader &) = delete;
    CsvReader &operator=(const CsvReader &) = delete;

    // Hands every row to onRow, in order. Empty when the input was read to
    // its end or onRow stopped it; else why the rest could not be read
    // ("line 7: ..."), after the rows before were handed over.
    std::string read(const RowHandler &onRow);

private:
    static void endField(void *bytes, std::size_t size, void *reader);
    static void endRow(int terminator, void *reader);
    std::string parse(std::string_view bytes);

    LineReader::Source m_source;
    std::unique_ptr<csv_parser> m_parser;
    const RowHandler *m_onRow = nullptr;
    Row m_row;
    std::size_t m_fields = 0;
    std::size_t m_line = 1;      // the line being parsed, from 1
    std::size_t m_fieldLine = 1; // the line the current field starts on
    bool m_rowBegun = false;
    bool m_stopped = false;
};
