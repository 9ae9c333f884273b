#include "csv_writer.h"

#include "output_buffer.h"
#include "unicode_text.h"

#include <csv.h>

#include <string>

namespace {

constexpr std::string_view FormulaLeads = "=+-@\t\r";
constexpr char Neutraliser = '\'';

bool needsQuotes(std::string_view text)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == ',' || c == '"')
            return true;
    }
    return false;
}

// An optional sign, digits, and optionally a point and more digits.
bool isPlainNumber(std::string_view text)
{
    std::size_t i = text.starts_with('+') || text.starts_with('-') ? 1 : 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && unicode_text::isAsciiDigit(text[i]))
            ++i;
        return i > start;
    };
    if (!digits())
        return false;
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (!digits())
            return false;
    }
    return i == text.size();
}

} // namespace

bool RunsAsFormula(std::string_view text)
{
    return !text.empty() && FormulaLeads.find(text.front()) != std::string_view::npos && !isPlainNumber(text);
}

void CsvWriter::separate()
{
    if (m_rowStarted)
        m_output.append(',');
    m_rowStarted = true;
}

void CsvWriter::plainField(std::string_view text)
{
    separate();
    m_output.append(text);
}

void CsvWriter::field(std::string_view text)
{
    separate();
    const bool formula = RunsAsFormula(text);
    if (!formula && !needsQuotes(text)) {
        m_output.append(text);
        return;
    }
    std::string raw;
    if (formula) {
        raw.reserve(text.size() + 1);
        raw += Neutraliser;
        raw += text;
        text = raw;
    }
    if (!needsQuotes(text)) {
        m_output.append(text);
        return;
    }
    // libcsv doubles the quotes and adds the outer ones.
    std::string quoted(csv_write(nullptr, 0, text.data(), text.size()), '\0');
    csv_write(quoted.data(), quoted.size(), text.data(), text.size());
    m_output.append(quoted);
}

void CsvWriter::endRow()
{
    m_output.append('\n');
    m_rowStarted = false;
}
