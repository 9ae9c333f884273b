#pragma once

// Reads a CSV spreadsheet row by row through libcsv: RFC 4180 fields,
// quoted ones with commas, quotes and line ends inside, rows ended by LF,
// CR LF or CR, and a UTF-8 byte-order mark at the start dropped. Fields are
// handed over exactly as read: blanks around them are kept, and nothing is
// judged. Only the current row is held, so memory stays flat however many
// rows follow. Empty lines are no rows.

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

    explicit CsvReader(LineReader::Source source);
    ~CsvReader();

    CsvReader(const CsvReader &) = delete;
    CsvReader &operator=(const CsvReader &) = delete;

    // Hands every row to onRow, in order. False when the parser gave up (no
    // memory for a field); the rows before it were handed over.
    bool read(const std::function<void(const Row &)> &onRow);

private:
    static void endField(void *bytes, std::size_t size, void *reader);
    static void endRow(int terminator, void *reader);

    LineReader::Source m_source;
    std::unique_ptr<csv_parser> m_parser;
    const std::function<void(const Row &)> *m_onRow = nullptr;
    Row m_row;
    std::size_t m_fields = 0;
};
