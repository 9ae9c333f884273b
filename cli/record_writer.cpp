#include "record_writer.h"

#include "birth_details.h"
#include "new_form_number.h"
#include "output_buffer.h"
#include "xlsx_sheet.h"

#include <nlohmann/json.hpp>

#include <array>
#include <charconv>
#include <vector>

namespace {

constexpr std::string_view NumberColumn = "number";
constexpr std::array<std::string_view, 8> DecodedColumnNames{"verdict", "birth_date", "hijri_date", "weekday",
                                                             "sex",     "age_years",  "age_months", "new_number"};
constexpr std::string_view BirthDateCheckColumn = "birth_date_check";
constexpr std::string_view SexCheckColumn = "sex_check";

// The weekday in plain English, Sunday first; the window's texts keep
// their own spelling.
constexpr std::array<std::string_view, 7> EnglishWeekdays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                          "Thursday", "Friday", "Saturday"};

constexpr char TextSeparator = '\t';
// Stands for a control character of the number in the text form, which
// must not split or end its line.
constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";

std::string_view englishWeekday(int weekday)
{
    return weekday >= 1 && weekday <= 7 ? EnglishWeekdays[static_cast<std::size_t>(weekday - 1)] : std::string_view{};
}

// Lower case, as the columns are written.
std::string_view sexWord(std::string_view sex)
{
    if (sex == "Male")
        return "male";
    if (sex == "Female")
        return "female";
    return {};
}

void appendNumber(std::string &text, int value, int width = 0)
{
    char digits[16];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), value);
    for (auto length = result.ptr - digits; length < width; ++length)
        text += '0';
    text.append(digits, result.ptr);
}

// YYYY-MM-DD, the form both dates are written in.
std::string isoDate(int year, int month, int day)
{
    std::string text;
    text.reserve(10);
    appendNumber(text, year, 4);
    text += '-';
    appendNumber(text, month, 2);
    text += '-';
    appendNumber(text, day, 2);
    return text;
}

std::string isoDate(std::chrono::year_month_day date)
{
    return isoDate(static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                   static_cast<int>(static_cast<unsigned>(date.day())));
}

std::string hijriDate(const BirthValues &values)
{
    return isoDate(values.hijri.year, values.hijri.month, values.hijri.day);
}

const BirthValues *validValues(const BirthDetails &details)
{
    return details.Verdict == Verdict::Valid && details.Values ? &*details.Values : nullptr;
}

} // namespace

std::string_view VerdictWord(const BirthDetails &details)
{
    switch (details.Verdict) {
    case Verdict::Valid:
        return "valid";
    case Verdict::BadDate:
        return "bad-date";
    case Verdict::BadNumber:
        break;
    }
    return "bad-number";
}

RecordWriter::RecordWriter(OutputFormat format, OutputBuffer &output, std::chrono::year_month_day today,
                           CheckColumns checks, const std::string &sheetFile)
    : m_format(format)
    , m_today(today)
    , m_checks(checks)
    , m_output(output)
    , m_csv(output)
{
    if (format == OutputFormat::Xlsx)
        m_sheet = std::make_unique<XlsxSheet>(sheetFile);
}

RecordWriter::~RecordWriter() = default;

std::string_view RecordWriter::error() const
{
    return m_sheet ? std::string_view(m_sheet->error()) : std::string_view{};
}

std::string RecordWriter::finish()
{
    return m_sheet ? m_sheet->close() : std::string{};
}

bool RecordWriter::agesKnown(const BirthValues &values) const
{
    return values.date <= m_today;
}

void RecordWriter::textCell(std::string_view text)
{
    if (m_sheet)
        m_sheet->text(text);
    else
        m_csv.field(text);
}

void RecordWriter::plainCell(std::string_view text)
{
    if (m_sheet) {
        if (text.empty())
            m_sheet->empty();
        else
            m_sheet->text(text);
    } else {
        m_csv.plainField(text);
    }
}

void RecordWriter::dateCell(std::chrono::year_month_day date)
{
    if (m_sheet)
        m_sheet->date(date);
    else
        m_csv.plainField(isoDate(date));
}

void RecordWriter::countCell(int value)
{
    if (m_sheet) {
        m_sheet->number(value);
        return;
    }
    std::string text;
    appendNumber(text, value);
    m_csv.plainField(text);
}

void RecordWriter::endRow()
{
    if (m_sheet)
        m_sheet->endRow();
    else
        m_csv.endRow();
}

void RecordWriter::header()
{
    const std::string number(NumberColumn);
    header(std::span<const std::string>(&number, 1));
}

void RecordWriter::header(std::span<const std::string> leading)
{
    if (m_format != OutputFormat::Csv && m_format != OutputFormat::Xlsx)
        return;
    std::vector<std::string_view> names(leading.begin(), leading.end());
    names.insert(names.end(), DecodedColumnNames.begin(), DecodedColumnNames.end());
    if (m_checks.birthDate)
        names.push_back(BirthDateCheckColumn);
    if (m_checks.sex)
        names.push_back(SexCheckColumn);
    for (std::size_t column = 0; column < names.size(); ++column) {
        if (m_sheet)
            m_sheet->headerCell(names[column]);
        else if (column < leading.size())
            m_csv.field(names[column]);
        else
            m_csv.plainField(names[column]);
    }
    endRow();
}

void RecordWriter::record(std::string_view number, const BirthDetails &details, RowChecks checks)
{
    switch (m_format) {
    case OutputFormat::Csv:
    case OutputFormat::Xlsx:
        textCell(number);
        decodedColumns(number, details, checks);
        endRow();
        break;
    case OutputFormat::Json:
        jsonRecord(number, details, checks);
        break;
    case OutputFormat::Text:
        textRecord(number, details);
        break;
    }
}

void RecordWriter::record(std::span<const std::string> row, std::size_t width, std::string_view number,
                          const BirthDetails &details, RowChecks checks)
{
    if (m_format != OutputFormat::Csv && m_format != OutputFormat::Xlsx) {
        record(number, details, checks);
        return;
    }
    for (std::size_t column = 0; column < width; ++column)
        textCell(column < row.size() ? std::string_view(row[column]) : std::string_view{});
    decodedColumns(number, details, checks);
    for (std::size_t column = width; column < row.size(); ++column)
        textCell(row[column]);
    endRow();
}

void RecordWriter::decodedColumns(std::string_view number, const BirthDetails &details, RowChecks checks)
{
    plainCell(VerdictWord(details));
    if (const BirthValues *values = validValues(details)) {
        dateCell(values->date);
        plainCell(hijriDate(*values));
        plainCell(englishWeekday(values->weekday));
        plainCell(sexWord(details.Sex));
        if (agesKnown(*values)) {
            countCell(values->ageYears);
            countCell(values->ageMonths);
        } else {
            plainCell({});
            plainCell({});
        }
        plainCell(NewFormOf(number));
    } else {
        for (std::size_t column = 1; column < DecodedColumnNames.size(); ++column)
            plainCell({});
    }
    if (m_checks.birthDate)
        plainCell(CheckWord(checks.birthDate));
    if (m_checks.sex)
        plainCell(CheckWord(checks.sex));
}

void RecordWriter::jsonRecord(std::string_view number, const BirthDetails &details, RowChecks checks)
{
    nlohmann::ordered_json object;
    object[NumberColumn] = number;
    object[DecodedColumnNames[0]] = VerdictWord(details);
    for (std::size_t column = 1; column < DecodedColumnNames.size(); ++column)
        object[DecodedColumnNames[column]] = nullptr;
    if (const BirthValues *values = validValues(details)) {
        object[DecodedColumnNames[1]] = isoDate(values->date);
        object[DecodedColumnNames[2]] = hijriDate(*values);
        object[DecodedColumnNames[3]] = englishWeekday(values->weekday);
        object[DecodedColumnNames[4]] = sexWord(details.Sex);
        if (agesKnown(*values)) {
            object[DecodedColumnNames[5]] = values->ageYears;
            object[DecodedColumnNames[6]] = values->ageMonths;
        }
        object[DecodedColumnNames[7]] = NewFormOf(number);
    }
    const auto check = [](CheckResult result) {
        return result == CheckResult::NotMade ? nlohmann::ordered_json(nullptr)
                                              : nlohmann::ordered_json(CheckWord(result));
    };
    if (m_checks.birthDate)
        object[BirthDateCheckColumn] = check(checks.birthDate);
    if (m_checks.sex)
        object[SexCheckColumn] = check(checks.sex);
    // Invalid UTF-8 in a number becomes U+FFFD: JSON text must be UTF-8.
    m_output.append(object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    m_output.append('\n');
}

void RecordWriter::textRecord(std::string_view number, const BirthDetails &details)
{
    for (const char c : number) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            m_output.append(ReplacementCharacter);
        else
            m_output.append(c);
    }
    m_output.append(TextSeparator);
    if (details.Verdict != Verdict::Valid) {
        m_output.append(VerdictWord(details));
        m_output.append('\n');
        return;
    }
    // The window's fields from top to bottom.
    const std::string_view hijri = details.HDateOB ? std::string_view(*details.HDateOB) : std::string_view{};
    for (const std::string_view text :
         {std::string_view(details.DateOB), hijri, std::string_view(details.DayOB), std::string_view(details.Sex)}) {
        m_output.append(text);
        m_output.append(TextSeparator);
    }
    if (details.Values && agesKnown(*details.Values))
        m_output.append(details.Age);
    m_output.append('\n');
    // The 12-digit form on a line of its own, which the window does not show.
    m_output.append(NewFormOf(number));
    m_output.append('\n');
}
