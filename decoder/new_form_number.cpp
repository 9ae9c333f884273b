#include "new_form_number.h"

#include "number_decoding.h"
#include "number_validation.h"
#include "unicode_text.h"

#include <algorithm>

namespace {

constexpr std::size_t NewFormLength = 12;
constexpr std::size_t YearDigits = 4;
constexpr std::size_t DayCodeDigits = 3;
constexpr int FirstYear = 1900;
constexpr std::string_view OldFormCentury = "19";
constexpr std::string_view OldFormSerialLead = "0";
constexpr std::size_t OldFormLeadDigits = 5;
constexpr std::size_t OldFormSerialDigits = 4;

} // namespace

bool IsNewFormNumber(std::string_view text)
{
    return text.size() == NewFormLength
           && std::all_of(text.begin(), text.end(), [](char c) { return unicode_text::isAsciiDigit(c); });
}

DecodedNumber DecodeNewFormNumber(std::string_view text)
{
    return DecodeYearAndDayCode(std::string(text.substr(0, YearDigits)),
                                std::string(text.substr(YearDigits, DayCodeDigits)));
}

std::optional<BirthDate> CheckNewFormDate(const DecodedNumber &number, std::chrono::year_month_day today)
{
    if (number.BirthYear < FirstYear)
        return std::nullopt;
    // Four digits: a whole year.
    const std::optional<BirthDate> date = FormBirthDate(number, static_cast<int>(number.BirthYear));
    if (!date || *date > today)
        return std::nullopt;
    return date;
}

std::string NewFormOf(std::string_view validNumber)
{
    if (IsNewFormNumber(validNumber))
        return std::string(validNumber);
    std::string number(OldFormCentury);
    number += validNumber.substr(0, OldFormLeadDigits);
    number += OldFormSerialLead;
    number += validNumber.substr(OldFormLeadDigits, OldFormSerialDigits);
    return number;
}
