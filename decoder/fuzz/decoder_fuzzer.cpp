// Fuzzes a whole decoding and checks what a verdict promises about the text.

#include "birth_details.h"
#include "icu_calendar_service.h"
#include "new_form_number.h"
#include "number_decoding.h"
#include "unicode_text.h"

#include <cstdlib>
#include <string_view>

namespace {

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    using namespace std::chrono;
    static const IcuCalendarService calendars;
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const BirthDetails details = DecodeBirthDetails(text, 2026y / December / 7, calendars);

    if (details.Verdict == Verdict::Valid) {
        // Ten characters, each one byte: nine ASCII digits and an accepted letter.
        require(size == 10 && unicode_text::length(text) == 10);
        for (std::size_t i = 0; i < 9; ++i)
            require(isAsciiDigit(text[i]));
        require(std::string_view("vxVXA").find(text[9]) != std::string_view::npos);
        const DecodedNumber number = DecodeNumber(text);
        require(number.MonthNo.has_value());
        const std::chrono::year_month_day date{std::chrono::year(1900 + (text[0] - '0') * 10 + (text[1] - '0')),
                                               std::chrono::month(static_cast<unsigned>(*number.MonthNo)),
                                               std::chrono::day(static_cast<unsigned>(number.DayOfMonth))};
        require(date.ok() && number.DayOfMonth == static_cast<unsigned>(date.day()));
        require(details.HDateOB.has_value() && !details.DayOB.empty() && !details.Age.empty());
        require(details.Sex == "Male" || details.Sex == "Female");
    }
    if (details.Verdict == Verdict::BadDate) {
        require(size >= 2 && isAsciiDigit(text[0]) && isAsciiDigit(text[1]));
        require(details.DateOB.empty() && details.Sex.empty() && !details.HDateOB);
    }

    // With the 12-digit form too: only twelve ASCII digits are read
    // differently, and a valid one names a day from 1900 to today.
    const BirthDetails both =
        DecodeBirthDetails(text, 2026y / December / 7, calendars, NumberForms::OlderAndTwelveDigit);
    if (!IsNewFormNumber(text)) {
        require(both.Verdict == details.Verdict && both.DateOB == details.DateOB && both.Age == details.Age);
    } else {
        require(both.Verdict != Verdict::BadNumber);
        if (both.Verdict == Verdict::Valid) {
            require(both.Values && both.Values->date.ok() && both.Values->date >= 1900y / January / 1
                    && both.Values->date <= 2026y / December / 7);
            require(both.Values->ageYears >= 0 && (both.Sex == "Male" || both.Sex == "Female"));
        }
    }
    return 0;
}
