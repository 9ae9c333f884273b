#pragma once

// One worksheet of an Excel file, written row by row through libxlsxwriter
// in its constant-memory mode, so that memory stays flat however many rows
// come. Text goes into text cells as it is (so nothing is ever taken for a
// number, a date or a formula), dates into date cells shown yyyy-mm-dd, and
// counts into number cells. The header row is bold and frozen, with a
// filter over every column, and each column is as wide as its widest value
// (within limits). The file is written when the sheet is closed.

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

class XlsxSheet
{
public:
    // A sheet holds this many rows, the header's included.
    static constexpr std::size_t MaxRows = 1'048'576;

    explicit XlsxSheet(const std::string &path);
    ~XlsxSheet();

    XlsxSheet(const XlsxSheet &) = delete;
    XlsxSheet &operator=(const XlsxSheet &) = delete;

    void headerCell(std::string_view text);
    void text(std::string_view text);
    void date(std::chrono::year_month_day date);
    void number(int value);
    void empty();
    void endRow();

    // Writes the file. Empty when it was written, else why not; after the
    // first failure nothing more is written.
    std::string close();
    const std::string &error() const { return m_error; }

private:
    bool startCell();
    void fitWidth(std::size_t characters);
    void check(int result);

    lxw_workbook *m_workbook = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    lxw_format *m_bold = nullptr;
    lxw_format *m_dateFormat = nullptr;
    std::size_t m_row = 0;
    std::size_t m_column = 0;
    std::size_t m_columns = 0; // the widest row's
    std::vector<std::size_t> m_widths;
    std::string m_cell; // the text of one cell, as the library wants it
    std::string m_error;
};
