#include "xlsx_sheet.h"

#include "unicode_text.h"

#include <xlsxwriter.h>

#include <algorithm>

namespace {

constexpr const char *DateFormat = "yyyy-mm-dd";
constexpr std::size_t DateWidth = 10;
constexpr std::size_t NarrowestColumn = 8;
constexpr std::size_t WidestColumn = 50;
constexpr double WidthPadding = 2;
constexpr std::size_t MaxCellCharacters = 32767;
constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";

// The sheet's XML must be UTF-8 and the library takes C strings: a byte
// that is not UTF-8, or a NUL, becomes U+FFFD. Everything else is kept.
void appendCellText(std::string &cell, std::string_view text)
{
    while (!text.empty()) {
        const std::string_view character = unicode_text::substring(text, 1, 1);
        const bool single = character.size() == 1;
        const auto byte = static_cast<unsigned char>(character[0]);
        if (single && (byte >= 0x80 || byte == 0))
            cell += ReplacementCharacter;
        else
            cell += character;
        text.remove_prefix(character.size());
    }
}

} // namespace

XlsxSheet::XlsxSheet(const std::string &path)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    m_workbook = workbook_new_opt(path.c_str(), &options);
    if (!m_workbook) {
        m_error = "the xlsx file could not be started";
        return;
    }
    m_sheet = workbook_add_worksheet(m_workbook, nullptr);
    m_bold = workbook_add_format(m_workbook);
    format_set_bold(m_bold);
    m_dateFormat = workbook_add_format(m_workbook);
    format_set_num_format(m_dateFormat, DateFormat);
}

XlsxSheet::~XlsxSheet()
{
    if (m_workbook)
        workbook_close(m_workbook);
}

void XlsxSheet::check(int result)
{
    if (result != LXW_NO_ERROR && m_error.empty())
        m_error = std::string("row ") + std::to_string(m_row + 1)
                  + " of the xlsx sheet: " + lxw_strerror(static_cast<lxw_error>(result));
}

bool XlsxSheet::startCell()
{
    if (!m_error.empty())
        return false;
    if (m_row >= MaxRows) {
        m_error = "an xlsx sheet holds at most " + std::to_string(MaxRows)
                  + " rows, the header's included: the input has more";
        return false;
    }
    return true;
}

void XlsxSheet::fitWidth(std::size_t characters)
{
    if (m_widths.size() <= m_column)
        m_widths.resize(m_column + 1, NarrowestColumn);
    m_widths[m_column] = std::clamp(characters, m_widths[m_column], WidestColumn);
}

void XlsxSheet::headerCell(std::string_view text)
{
    if (!startCell())
        return;
    m_cell.clear();
    appendCellText(m_cell, text);
    fitWidth(unicode_text::length(m_cell));
    check(worksheet_write_string(m_sheet, static_cast<lxw_row_t>(m_row), static_cast<lxw_col_t>(m_column),
                                 m_cell.c_str(), m_bold));
    ++m_column;
}

void XlsxSheet::text(std::string_view text)
{
    if (!startCell())
        return;
    m_cell.clear();
    appendCellText(m_cell, text);
    const std::size_t characters = unicode_text::length(m_cell);
    if (characters > MaxCellCharacters && m_error.empty())
        m_error = "row " + std::to_string(m_row + 1) + ", column " + std::to_string(m_column + 1)
                  + ": a field of more than " + std::to_string(MaxCellCharacters)
                  + " characters does not fit an xlsx cell";
    fitWidth(characters);
    check(worksheet_write_string(m_sheet, static_cast<lxw_row_t>(m_row), static_cast<lxw_col_t>(m_column),
                                 m_cell.c_str(), nullptr));
    ++m_column;
}

void XlsxSheet::date(std::chrono::year_month_day date)
{
    if (!startCell())
        return;
    lxw_datetime value{};
    value.year = static_cast<int>(date.year());
    value.month = static_cast<int>(static_cast<unsigned>(date.month()));
    value.day = static_cast<int>(static_cast<unsigned>(date.day()));
    fitWidth(DateWidth);
    check(worksheet_write_datetime(m_sheet, static_cast<lxw_row_t>(m_row), static_cast<lxw_col_t>(m_column), &value,
                                   m_dateFormat));
    ++m_column;
}

void XlsxSheet::number(int value)
{
    if (!startCell())
        return;
    fitWidth(std::to_string(value).size());
    check(worksheet_write_number(m_sheet, static_cast<lxw_row_t>(m_row), static_cast<lxw_col_t>(m_column), value,
                                 nullptr));
    ++m_column;
}

void XlsxSheet::empty()
{
    ++m_column;
}

void XlsxSheet::endRow()
{
    m_columns = std::max(m_columns, m_column);
    m_column = 0;
    ++m_row;
}

std::string XlsxSheet::close()
{
    if (!m_workbook)
        return m_error;
    if (m_error.empty() && m_row > 0 && m_columns > 0) {
        const auto lastColumn = static_cast<lxw_col_t>(m_columns - 1);
        worksheet_freeze_panes(m_sheet, 1, 0);
        check(worksheet_autofilter(m_sheet, 0, 0, static_cast<lxw_row_t>(m_row - 1), lastColumn));
        for (std::size_t column = 0; column < m_widths.size(); ++column)
            check(worksheet_set_column(m_sheet, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column),
                                       static_cast<double>(m_widths[column]) + WidthPadding, nullptr));
    }
    const lxw_error closed = workbook_close(m_workbook);
    m_workbook = nullptr;
    if (closed != LXW_NO_ERROR && m_error.empty())
        m_error = std::string("the xlsx file could not be written: ") + lxw_strerror(closed);
    return m_error;
}
