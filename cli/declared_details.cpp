#include "declared_details.h"

#include "unicode_text.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

constexpr std::string_view Blanks = " \t";
constexpr std::size_t YearDigits = 4;
constexpr std::size_t MaxDayOrMonthDigits = 2;
constexpr std::string_view Separators = "/.-";

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// A run of 1 to maxDigits ASCII digits at the start, taken off the text.
std::optional<int> takeNumber(std::string_view &text, std::size_t minDigits, std::size_t maxDigits)
{
    std::size_t count = 0;
    int value = 0;
    while (count < text.size() && count < maxDigits && unicode_text::isAsciiDigit(text[count]))
        value = value * 10 + (text[count++] - '0');
    if (count < minDigits || (count < text.size() && unicode_text::isAsciiDigit(text[count])))
        return std::nullopt;
    text.remove_prefix(count);
    return value;
}

bool takeSeparator(std::string_view &text, char separator)
{
    if (text.empty() || text.front() != separator)
        return false;
    text.remove_prefix(1);
    return true;
}

std::optional<std::chrono::year_month_day> dateOf(int year, int month, int day)
{
    const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    return date.ok() ? std::optional(date) : std::nullopt;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::optional<std::chrono::year_month_day> ReadDeclaredDate(std::string_view text, DateOrder order)
{
    text = trimmed(text);
    std::string_view iso = text;
    if (const auto year = takeNumber(iso, YearDigits, YearDigits); year && takeSeparator(iso, '-')) {
        const auto month = takeNumber(iso, 2, 2);
        if (month && takeSeparator(iso, '-')) {
            const auto day = takeNumber(iso, 2, 2);
            if (day && iso.empty())
                return dateOf(*year, *month, *day);
        }
        return std::nullopt;
    }
    const auto first = takeNumber(text, 1, MaxDayOrMonthDigits);
    if (!first || text.empty() || Separators.find(text.front()) == std::string_view::npos)
        return std::nullopt;
    const char separator = text.front();
    text.remove_prefix(1);
    const auto second = takeNumber(text, 1, MaxDayOrMonthDigits);
    if (!second || !takeSeparator(text, separator))
        return std::nullopt;
    const auto year = takeNumber(text, YearDigits, YearDigits);
    if (!year || !text.empty())
        return std::nullopt;
    return order == DateOrder::DayMonthYear ? dateOf(*year, *second, *first) : dateOf(*year, *first, *second);
}

std::optional<std::string_view> ReadDeclaredSex(std::string_view text)
{
    text = trimmed(text);
    if (equalIgnoringCase(text, "M") || equalIgnoringCase(text, "Male"))
        return "Male";
    if (equalIgnoringCase(text, "F") || equalIgnoringCase(text, "Female"))
        return "Female";
    return std::nullopt;
}

std::string_view CheckWord(CheckResult result)
{
    switch (result) {
    case CheckResult::Match:
        return "match";
    case CheckResult::Mismatch:
        return "mismatch";
    case CheckResult::Unreadable:
        return "unreadable";
    case CheckResult::NotMade:
        break;
    }
    return {};
}
