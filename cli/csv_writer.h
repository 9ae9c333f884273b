#pragma once

// Writes CSV rows (RFC 4180 fields, a line feed after each row) that
// a spreadsheet opens safely. A field is quoted when it holds a comma, a
// quote or any control character, so no byte of it can end its row or field
// for a reader that follows the RFC. A field that a spreadsheet would run as
// a formula (one starting with "=", "+", "-", "@", a tab or a carriage
// return) gets an apostrophe in front, so it is shown as text; plain signed
// numbers such as "-5" are left as they are, since no spreadsheet runs them.
// Every other byte, invalid UTF-8 included, is written as it came.

#include <string_view>

class OutputBuffer;

class CsvWriter
{
public:
    explicit CsvWriter(OutputBuffer &output) : m_output(output) {}

    void field(std::string_view text);
    // A field known to hold nothing that needs quoting or neutralising.
    void plainField(std::string_view text);
    void endRow();

private:
    void separate();

    OutputBuffer &m_output;
    bool m_rowStarted = false;
};

// Whether a spreadsheet would take the field for a formula.
bool RunsAsFormula(std::string_view text);
