#include "number_decoding.h"

#include "number_text.h"
#include "unicode_text.h"

#include <utility>

namespace {

constexpr std::string_view Century = "19";

} // namespace

DecodedNumber DecodeNumber(std::string_view text)
{
    return DecodeYearAndDayCode(std::string(Century) + std::string(unicode_text::substring(text, 1, 2)),
                                std::string(unicode_text::substring(text, 3, 3)));
}

DecodedNumber DecodeYearAndDayCode(std::string yearText, std::string dayCodeText)
{
    DecodedNumber number;
    number.YearText = std::move(yearText);
    number.BirthYear = ReadNumber(number.YearText);
    number.DayCodeText = std::move(dayCodeText);
    number.DayCode = ReadNumber(number.DayCodeText);

    number.DayNo = number.DayCode;
    if (number.DayCode >= FirstMaleCode && number.DayCode <= LastMaleCode)
        number.Sex = "Male";
    if (number.DayCode >= FirstFemaleCode && number.DayCode <= LastFemaleCode) {
        number.Sex = "Female";
        number.DayNo = number.DayCode - FemaleOffset;
    }

    for (std::size_t row = 0; row < MonthTable.size(); ++row) {
        const MonthRow &month = MonthTable[row];
        if (number.DayNo >= month.firstDay && number.DayNo <= month.lastDay) {
            number.MonthNo = static_cast<int>(row) + 1;
            number.DayOfMonth = number.DayNo - month.offset;
            number.DateText = number.YearText + std::string(month.monthText) + WriteNumber(number.DayOfMonth);
            break;
        }
    }
    return number;
}
