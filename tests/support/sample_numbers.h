#pragma once

// Numbers with everything both programs must make of them, decoded on
// 7 December 2026: the window's verdict and the five texts of its result
// fields, and nic-decode's columns. The window tests and nic-decode's tests
// both read this one table, so the two cannot come to differ, and the tests
// of every other folder type in its first row, so a text that changes on
// purpose changes here once. Plain character strings, for the tests without
// Qt and with it alike; a case that only one test needs stays in that test's
// own table.

#include <array>
#include <chrono>
#include <string_view>

namespace samples {

using namespace std::chrono_literals;

inline constexpr std::chrono::year_month_day Today = 2026y / std::chrono::December / 7;
inline constexpr std::string_view TodayText = "2026-12-07";

struct SampleNumber
{
    std::string_view name;
    std::string_view number;
    std::string_view verdict; // "valid", "bad-date" or "bad-number"
    // The window's fields from top to bottom: txtDateOB, txtHDateOB,
    // txtDayOB, txtSex, txtAge (valid numbers only).
    std::array<std::string_view, 5> windowTexts;
    // nic-decode's columns after the verdict: birth_date, hijri_date,
    // weekday, sex, age_years, age_months (empty when not valid).
    std::array<std::string_view, 6> columns;
};

inline constexpr std::array<SampleNumber, 13> Numbers{{
    {"man born on a Saturday",
     "811231234V",
     "valid",
     {"1981   May   2", "1401   Jamada al Thani   28", "Sturday", "Male", "45  Years   &   7  Month"},
     {"1981-05-02", "1401-06-28", "Saturday", "male", "45", "7"}},
    {"woman",
     "857541234V",
     "valid",
     {"1985   September   10", "1405   Dhul Hajjah   25", "Tuesday", "Female", "41  Years   &   3  Month"},
     {"1985-09-10", "1405-12-25", "Tuesday", "female", "41", "3"}},
    {"29 February of a leap year",
     "800601234V",
     "valid",
     {"1980   February   29", "1400   Rabi'al Thani   13", "Friday", "Male", "46  Years   &   10  Month"},
     {"1980-02-29", "1400-04-13", "Friday", "male", "46", "10"}},
    {"woman born on 29 February",
     "805601234V",
     "valid",
     {"1980   February   29", "1400   Rabi'al Thani   13", "Friday", "Female", "46  Years   &   10  Month"},
     {"1980-02-29", "1400-04-13", "Friday", "female", "46", "10"}},
    {"last day code of a man",
     "813661234V",
     "valid",
     {"1981   December   31", "1402   Rabi'al Awal   5", "Thursday", "Male", "45  Years   &   0  Month"},
     {"1981-12-31", "1402-03-05", "Thursday", "male", "45", "0"}},
    {"first day of 1900",
     "000011234V",
     "valid",
     {"1900   January   1", "1317   Shaaban   29", "Monday", "Male", "126  Years   &   11  Month"},
     {"1900-01-01", "1317-08-29", "Monday", "male", "126", "11"}},
    {"first day code of a woman, letter X",
     "995011234X",
     "valid",
     {"1999   January   1", "1419   Ramadhan   14", "Friday", "Female", "27  Years   &   11  Month"},
     {"1999-01-01", "1419-09-14", "Friday", "female", "27", "11"}},
    {"last day code of a woman, letter A",
     "818661234A",
     "valid",
     {"1981   December   31", "1402   Rabi'al Awal   5", "Thursday", "Female", "45  Years   &   0  Month"},
     {"1981-12-31", "1402-03-05", "Thursday", "female", "45", "0"}},
    {"29 February of a common year", "810601234V", "bad-date", {}, {}},
    {"day code between the ranges", "815001234V", "bad-date", {}, {}},
    {"letter not accepted", "811231234Q", "bad-number", {}, {}},
    {"eleven characters", "8112312345V", "bad-number", {}, {}},
    {"letter first", "A11231234V", "bad-number", {}, {}},
}};

// The first row by name: the number most tests type in, and what the window
// shows for it.
namespace man {
inline constexpr std::string_view Number = Numbers[0].number;
inline constexpr std::string_view DateOB = Numbers[0].windowTexts[0];
inline constexpr std::string_view HDateOB = Numbers[0].windowTexts[1];
inline constexpr std::string_view DayOB = Numbers[0].windowTexts[2];
inline constexpr std::string_view Sex = Numbers[0].windowTexts[3];
inline constexpr std::string_view Age = Numbers[0].windowTexts[4];
} // namespace man

} // namespace samples
