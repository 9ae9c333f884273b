#pragma once

// Reads the birth facts out of a typed identity number: the year from
// positions 1-2, the day code from positions 3-5, and from the code the sex
// and the day of the year, turned into a month and day through the fixed
// 366-day month table. Decoding is pure text and number work on any text,
// of any length; it never fails and never judges the number (validation
// does that afterwards). Texts are UTF-8 and read by character position.

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The day code: the day of the year of birth for a man, that day plus 500
// for a woman. Validation holds a number to the same two ranges.
inline constexpr double FirstMaleCode = 1;
inline constexpr double LastMaleCode = 366;
inline constexpr double FemaleOffset = 500;
inline constexpr double FirstFemaleCode = FirstMaleCode + FemaleOffset;
inline constexpr double LastFemaleCode = LastMaleCode + FemaleOffset;

struct MonthRow
{
    int firstDay;
    int lastDay;
    int offset;
    std::string_view monthText;
};

// February always has 29 days here, so every year's codes line up.
inline constexpr std::array<MonthRow, 12> MonthTable{{
    {1, 31, 0, "   January   "},
    {32, 60, 31, "   February   "},
    {61, 91, 60, "   March   "},
    {92, 121, 91, "   April   "},
    {122, 152, 121, "   May   "},
    {153, 182, 152, "   June   "},
    {183, 213, 182, "   July   "},
    {214, 244, 213, "   August   "},
    {245, 274, 244, "   September   "},
    {275, 305, 274, "   October   "},
    {306, 335, 305, "   November   "},
    {336, 366, 335, "   December   "},
}};

struct DecodedNumber
{
    std::string YearText;
    double BirthYear = 0;
    std::string DayCodeText;
    double DayCode = 0;
    double DayNo = 0;
    std::string Sex;
    std::optional<int> MonthNo;
    double DayOfMonth = 0;
    std::optional<std::string> DateText;
};

DecodedNumber DecodeNumber(std::string_view text);

// The steps after the year and day code were taken from their positions:
// sex, day of the year, month and the date texts, the same for both forms.
DecodedNumber DecodeYearAndDayCode(std::string yearText, std::string dayCodeText);
