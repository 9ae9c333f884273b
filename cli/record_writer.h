#pragma once

// Writes decoded numbers in one of the three output forms: CSV rows, JSON
// Lines objects, or the window's own texts, one line a number. Every value
// comes from the decoder's record; this class only chooses its form
// (verdict words, ISO dates, English weekday names) and never decodes.

#include "csv_writer.h"

#include <chrono>
#include <span>
#include <string>
#include <string_view>

struct BirthDetails;
struct BirthValues;
class OutputBuffer;

enum class OutputFormat { Csv, Json, Text };

class RecordWriter
{
public:
    // Ages are counted to today; before the date of birth they are left empty.
    RecordWriter(OutputFormat format, OutputBuffer &output, std::chrono::year_month_day today);

    // The CSV header: "number" and the decoded columns. Nothing for the other forms.
    void header();
    // The same after a spreadsheet's own header row.
    void header(std::span<const std::string> leading);

    void record(std::string_view number, const BirthDetails &details);
    // A spreadsheet's row, written whole with its decoded columns (CSV): the
    // first width fields (filled up to width when the row is shorter), the
    // decoded columns, then any fields past width, so that the decoded
    // columns stand under their names. The other forms write the number
    // alone, as record() does.
    void record(std::span<const std::string> row, std::size_t width, std::string_view number,
                const BirthDetails &details);

private:
    void decodedColumns(const BirthDetails &details);
    void jsonRecord(std::string_view number, const BirthDetails &details);
    void textRecord(std::string_view number, const BirthDetails &details);
    bool agesKnown(const BirthValues &values) const;

    OutputFormat m_format;
    std::chrono::year_month_day m_today;
    OutputBuffer &m_output;
    CsvWriter m_csv;
};

// "valid", "bad-date" or "bad-number".
std::string_view VerdictWord(const BirthDetails &details);
