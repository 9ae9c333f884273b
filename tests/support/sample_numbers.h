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
    std::string_view verdict;       // nic-decode's: "valid", "bad-date" or "bad-number"
    std::string_view windowVerdict; // the window's, which takes the older form only
    // The decoder's texts, which the window shows in its fields from top to
    // bottom (txtDateOB, txtHDateOB, txtDayOB, txtSex, txtAge) for a valid
    // number of the older form, and nic-decode's text form for both forms.
    std::array<std::string_view, 5> windowTexts;
    // nic-decode's columns after the verdict: birth_date, hijri_date,
    // weekday, sex, age_years, age_months, new_number (empty when not valid).
    std::array<std::string_view, 7> columns;
};

inline constexpr std::array<SampleNumber, 22> Numbers{{
    {"man born on a Saturday",
     "811231234V",
     "valid",
     "valid",
     {"1981   May   2", "1401   Jamada al Thani   28", "Sturday", "Male", "45  Years   &   7  Month"},
     {"1981-05-02", "1401-06-28", "Saturday", "male", "45", "7", "198112301234"}},
    {"woman",
     "857541234V",
     "valid",
     "valid",
     {"1985   September   10", "1405   Dhul Hajjah   25", "Tuesday", "Female", "41  Years   &   3  Month"},
     {"1985-09-10", "1405-12-25", "Tuesday", "female", "41", "3", "198575401234"}},
    {"29 February of a leap year",
     "800601234V",
     "valid",
     "valid",
     {"1980   February   29", "1400   Rabi'al Thani   13", "Friday", "Male", "46  Years   &   10  Month"},
     {"1980-02-29", "1400-04-13", "Friday", "male", "46", "10", "198006001234"}},
    {"woman born on 29 February",
     "805601234V",
     "valid",
     "valid",
     {"1980   February   29", "1400   Rabi'al Thani   13", "Friday", "Female", "46  Years   &   10  Month"},
     {"1980-02-29", "1400-04-13", "Friday", "female", "46", "10", "198056001234"}},
    {"last day code of a man",
     "813661234V",
     "valid",
     "valid",
     {"1981   December   31", "1402   Rabi'al Awal   5", "Thursday", "Male", "45  Years   &   0  Month"},
     {"1981-12-31", "1402-03-05", "Thursday", "male", "45", "0", "198136601234"}},
    {"first day of 1900",
     "000011234V",
     "valid",
     "valid",
     {"1900   January   1", "1317   Shaaban   29", "Monday", "Male", "126  Years   &   11  Month"},
     {"1900-01-01", "1317-08-29", "Monday", "male", "126", "11", "190000101234"}},
    {"first day code of a woman, letter X",
     "995011234X",
     "valid",
     "valid",
     {"1999   January   1", "1419   Ramadhan   14", "Friday", "Female", "27  Years   &   11  Month"},
     {"1999-01-01", "1419-09-14", "Friday", "female", "27", "11", "199950101234"}},
    {"last day code of a woman, letter A",
     "818661234A",
     "valid",
     "valid",
     {"1981   December   31", "1402   Rabi'al Awal   5", "Thursday", "Female", "45  Years   &   0  Month"},
     {"1981-12-31", "1402-03-05", "Thursday", "female", "45", "0", "198186601234"}},
    {"29 February of a common year", "810601234V", "bad-date", "bad-date", {}, {}},
    {"day code between the ranges", "815001234V", "bad-date", "bad-date", {}, {}},
    {"letter not accepted", "811231234Q", "bad-number", "bad-number", {}, {}},
    {"eleven characters", "8112312345V", "bad-number", "bad-number", {}, {}},
    {"letter first", "A11231234V", "bad-number", "bad-number", {}, {}},
    {"12-digit form of the man born on a Saturday",
     "198112301234",
     "valid",
     "bad-number",
     {"1981   May   2", "1401   Jamada al Thani   28", "Sturday", "Male", "45  Years   &   7  Month"},
     {"1981-05-02", "1401-06-28", "Saturday", "male", "45", "7", "198112301234"}},
    {"12-digit form of the woman",
     "198575401234",
     "valid",
     "bad-number",
     {"1985   September   10", "1405   Dhul Hajjah   25", "Tuesday", "Female", "41  Years   &   3  Month"},
     {"1985-09-10", "1405-12-25", "Tuesday", "female", "41", "3", "198575401234"}},
    {"issued in the 12-digit form only, eighth digit not 0",
     "199917310179",
     "valid",
     "bad-date",
     {"1999   June   21", "1420   Rabi'al Awal   8", "Monday", "Male", "27  Years   &   6  Month"},
     {"1999-06-21", "1420-03-08", "Monday", "male", "27", "6", "199917310179"}},
    {"12-digit 29 February of a leap year after 2000",
     "200406001234",
     "valid",
     "bad-number",
     {"2004   February   29", "1425   Muharram   9", "Sunday", "Male", "22  Years   &   10  Month"},
     {"2004-02-29", "1425-01-09", "Sunday", "male", "22", "10", "200406001234"}},
    {"12-digit day 366 in a common year is 31 December",
     "200136601234",
     "valid",
     "bad-number",
     {"2001   December   31", "1422   Shawwal   16", "Monday", "Male", "25  Years   &   0  Month"},
     {"2001-12-31", "1422-10-16", "Monday", "male", "25", "0", "200136601234"}},
    {"12-digit 29 February of a common year", "200106001234", "bad-date", "bad-number", {}, {}},
    {"12-digit birth after today", "203001501234", "bad-date", "bad-number", {}, {}},
    {"12-digit year before 1900", "189901501234", "bad-date", "bad-date", {}, {}},
    {"12-digit day code between the ranges", "198540001234", "bad-date", "bad-number", {}, {}},
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
