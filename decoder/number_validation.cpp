#include "number_validation.h"

#include "number_decoding.h"
#include "number_text.h"
#include "unicode_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int BaseYear = 1900;
constexpr std::size_t NumberLength = 10;
constexpr std::size_t DigitPositions = 9;
constexpr std::array<std::string_view, 5> AcceptedLastCharacters{"v", "x", "V", "X", "A"};

bool isDigitAt(std::string_view text, std::size_t position)
{
    return unicode_text::isAsciiDigit(unicode_text::substring(text, position, 1));
}

} // namespace

DateCheck CheckDate(std::string_view text, const DecodedNumber &number)
{
    if (!isDigitAt(text, 1) || !isDigitAt(text, 2))
        return {true, std::nullopt};
    const int twoDigits = (text[0] - '0') * 10 + (text[1] - '0');
    const std::optional<BirthDate> date = FormBirthDate(number, BaseYear + twoDigits);
    return {date.has_value(), date};
}

std::optional<BirthDate> FormBirthDate(const DecodedNumber &number, int year)
{
    if (!number.DateText || !number.MonthNo)
        return std::nullopt;
    const double day = number.DayOfMonth;
    if (day != std::floor(day) || day < 1 || day > 31)
        return std::nullopt;
    const BirthDate date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(*number.MonthNo)),
                         std::chrono::day(static_cast<unsigned>(day))};
    return date.ok() ? std::optional(date) : std::nullopt;
}

bool CheckNumber(std::string_view text, const DecodedNumber &number)
{
    // Every condition is evaluated: the rule is a plain conjunction, and
    // keeping it flat keeps it readable against the list it comes from.
    const bool empty = text.empty();
    const bool betweenRanges = number.DayCode > LastMaleCode && number.DayCode < FirstFemaleCode;
    const bool aboveRanges = number.DayCode > LastFemaleCode;
    const bool dayCodeNotNumber = !ReadsAsNumber(number.DayCodeText);
    const bool noDay = number.DayNo == 0;
    const bool wrongLength = unicode_text::length(text) != NumberLength;
    bool nonDigit = false;
    for (std::size_t position = 1; position <= DigitPositions; ++position)
        nonDigit = !isDigitAt(text, position) || nonDigit;
    const std::string_view last = unicode_text::lastCharacter(text);
    const bool badLast =
        std::find(AcceptedLastCharacters.begin(), AcceptedLastCharacters.end(), last) == AcceptedLastCharacters.end();

    return !(empty || betweenRanges || aboveRanges || dayCodeNotNumber || noDay || wrongLength || nonDigit || badLast);
}
