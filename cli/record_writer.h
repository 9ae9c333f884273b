#pragma once

// Writes decoded numbers in one of the four output forms: CSV rows, JSON
// Lines objects, the window's own texts (one line a number and a line for
// its 12-digit form), or the rows of an xlsx sheet. Every value comes from
// the decoder's record; this class only chooses its form (verdict words,
// ISO dates or date cells, English weekday names) and never decodes.

#include "csv_writer.h"
#include "declared_details.h"

#include <chrono>
#include <memory>
#include <span>
#include <string>
#include <string_view>

struct BirthDetails;
struct BirthValues;
class OutputBuffer;
class XlsxSheet;

enum class OutputFormat { Csv, Json, Text, Xlsx };

// The check columns a run writes, after the decoded ones.
struct CheckColumns
{
    bool birthDate = false;
    bool sex = false;
};

// What one row's checks came to.
struct RowChecks
{
    CheckResult birthDate = CheckResult::NotMade;
    CheckResult sex = CheckResult::NotMade;
};

class RecordWriter
{
public:
    // Ages are counted to today; before the date of birth they are left
    // empty. An xlsx sheet is written to sheetFile, the other forms to output.
    RecordWriter(OutputFormat format, OutputBuffer &output, std::chrono::year_month_day today, CheckColumns checks = {},
                 const std::string &sheetFile = {});
    ~RecordWriter();

    // The header: "number" and the decoded columns. Nothing for JSON and text.
    void header();
    // The same after a spreadsheet's own header row.
    void header(std::span<const std::string> leading);

    void record(std::string_view number, const BirthDetails &details, RowChecks checks = {});
    // A spreadsheet's row, written whole with its decoded columns (CSV and
    // xlsx): the first width fields (filled up to width when the row is
    // shorter), the decoded columns, then any fields past width, so that the
    // decoded columns stand under their names. JSON and text write the
    // number alone, as record() does.
    void record(std::span<const std::string> row, std::size_t width, std::string_view number,
                const BirthDetails &details, RowChecks checks = {});

    // Why no more rows can be written (a full xlsx sheet), else empty.
    std::string_view error() const;
    // Writes the xlsx file; empty, or why it failed.
    std::string finish();

private:
    void decodedColumns(std::string_view number, const BirthDetails &details, RowChecks checks);
    void jsonRecord(std::string_view number, const BirthDetails &details, RowChecks checks);
    void textRecord(std::string_view number, const BirthDetails &details);
    bool agesKnown(const BirthValues &values) const;

    // One cell of a CSV row or an xlsx sheet.
    void textCell(std::string_view text);
    void plainCell(std::string_view text); // known to need no quotes or neutralising
    void dateCell(std::chrono::year_month_day date);
    void countCell(int value);
    void endRow();

    OutputFormat m_format;
    std::chrono::year_month_day m_today;
    CheckColumns m_checks;
    OutputBuffer &m_output;
    CsvWriter m_csv;
    std::unique_ptr<XlsxSheet> m_sheet;
};

// "valid", "bad-date" or "bad-number".
std::string_view VerdictWord(const BirthDetails &details);
