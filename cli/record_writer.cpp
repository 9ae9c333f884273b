#include "record_writer.h"

#include "birth_details.h"
#include "output_buffer.h"

#include <nlohmann/json.hpp>

#include <array>
#include <charconv>

namespace {

constexpr std::string_view NumberColumn = "number";
constexpr std::array<std::string_view, 7> DecodedColumnNames{"verdict", "birth_date", "hijri_date", "weekday",
                                                             "sex",     "age_years",  "age_months"};

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

std::string birthDate(const BirthValues &values)
{
    return isoDate(static_cast<int>(values.date.year()), static_cast<int>(static_cast<unsigned>(values.date.month())),
                   static_cast<int>(static_cast<unsigned>(values.date.day())));
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

RecordWriter::RecordWriter(OutputFormat format, OutputBuffer &output, std::chrono::year_month_day today)
    : m_format(format)
    , m_today(today)
    , m_output(output)
    , m_csv(output)
{}

void RecordWriter::header()
{
    const std::string number(NumberColumn);
    header(std::span<const std::string>(&number, 1));
}

void RecordWriter::header(std::span<const std::string> leading)
{
    if (m_format != OutputFormat::Csv)
        return;
    for (const std::string &name : leading)
        m_csv.field(name);
    for (const std::string_view name : DecodedColumnNames)
        m_csv.plainField(name);
    m_csv.endRow();
}

void RecordWriter::record(std::string_view number, const BirthDetails &details)
{
    switch (m_format) {
    case OutputFormat::Csv:
        m_csv.field(number);
        decodedColumns(details);
        m_csv.endRow();
        break;
    case OutputFormat::Json:
        jsonRecord(number, details);
        break;
    case OutputFormat::Text:
        textRecord(number, details);
        break;
    }
}

void RecordWriter::record(std::span<const std::string> row, std::size_t width, std::string_view number,
                          const BirthDetails &details)
{
    if (m_format != OutputFormat::Csv) {
        record(number, details);
        return;
    }
    for (std::size_t column = 0; column < width; ++column)
        m_csv.field(column < row.size() ? std::string_view(row[column]) : std::string_view{});
    decodedColumns(details);
    for (std::size_t column = width; column < row.size(); ++column)
        m_csv.field(row[column]);
    m_csv.endRow();
}

bool RecordWriter::agesKnown(const BirthValues &values) const
{
    return values.date <= m_today;
}

void RecordWriter::decodedColumns(const BirthDetails &details)
{
    m_csv.plainField(VerdictWord(details));
    const BirthValues *values = validValues(details);
    if (!values) {
        for (std::size_t column = 1; column < DecodedColumnNames.size(); ++column)
            m_csv.plainField({});
        return;
    }
    m_csv.plainField(birthDate(*values));
    m_csv.plainField(hijriDate(*values));
    m_csv.plainField(englishWeekday(values->weekday));
    m_csv.plainField(sexWord(details.Sex));
    if (!agesKnown(*values)) {
        m_csv.plainField({});
        m_csv.plainField({});
        return;
    }
    std::string age;
    appendNumber(age, values->ageYears);
    m_csv.plainField(age);
    age.clear();
    appendNumber(age, values->ageMonths);
    m_csv.plainField(age);
}

void RecordWriter::jsonRecord(std::string_view number, const BirthDetails &details)
{
    nlohmann::ordered_json object;
    object[NumberColumn] = number;
    object[DecodedColumnNames[0]] = VerdictWord(details);
    if (const BirthValues *values = validValues(details)) {
        object[DecodedColumnNames[1]] = birthDate(*values);
        object[DecodedColumnNames[2]] = hijriDate(*values);
        object[DecodedColumnNames[3]] = englishWeekday(values->weekday);
        object[DecodedColumnNames[4]] = sexWord(details.Sex);
        if (agesKnown(*values)) {
            object[DecodedColumnNames[5]] = values->ageYears;
            object[DecodedColumnNames[6]] = values->ageMonths;
        } else {
            object[DecodedColumnNames[5]] = nullptr;
            object[DecodedColumnNames[6]] = nullptr;
        }
    } else {
        for (std::size_t column = 1; column < DecodedColumnNames.size(); ++column)
            object[DecodedColumnNames[column]] = nullptr;
    }
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
    } else {
        // The window's fields from top to bottom.
        const std::string_view hijri = details.HDateOB ? std::string_view(*details.HDateOB) : std::string_view{};
        for (const std::string_view text : {std::string_view(details.DateOB), hijri, std::string_view(details.DayOB),
                                            std::string_view(details.Sex)}) {
            m_output.append(text);
            m_output.append(TextSeparator);
        }
        if (details.Values && agesKnown(*details.Values))
            m_output.append(details.Age);
    }
    m_output.append('\n');
}
