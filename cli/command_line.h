#pragma once

// What the user asked nic-decode for: the output form, the day the ages are
// counted to, the spreadsheet column that holds the numbers, and the numbers
// given on the command line. Parsing never ends the program itself: it says
// what to print and with which status to end, so tests can read both.

#include "birth_details.h"
#include "declared_details.h"
#include "record_writer.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The name every message starts with.
inline constexpr std::string_view ProgramName = "nic-decode";

enum ExitStatus {
    AllValid = 0,
    SomeInvalid = 1,
    UsageError = 2, // also: the input or output failed
    CalendarDataUnusable = 3,
};

// The column of a spreadsheet that holds the numbers: by its header, or by
// its place counted from 0.
struct ColumnChoice
{
    std::string name;
    std::optional<std::size_t> index;
};

struct DecodeOptions
{
    OutputFormat format = OutputFormat::Csv;
    std::optional<std::chrono::year_month_day> today;
    std::optional<ColumnChoice> column;
    std::vector<std::string> numbers;
    std::optional<std::string> output; // the file --output names
    bool trim = false;
    NumberForms forms = NumberForms::OlderAndTwelveDigit;
    // The columns of declared details that the numbers are checked against.
    std::optional<ColumnChoice> checkBirthDate;
    std::optional<ColumnChoice> checkSex;
    DateOrder dateOrder = DateOrder::DayMonthYear;
};

struct CommandLine
{
    // Absent when the program ends at once: after --help, --version or a usage error.
    std::optional<DecodeOptions> options;
    int status = AllValid;
    std::string output; // for standard output
    std::string error;  // one line for standard error
};

CommandLine ParseCommandLine(int argc, const char *const *argv);

// YYYY-MM-DD for a day that exists, from 1 January 1900 on.
std::optional<std::chrono::year_month_day> ParseToday(std::string_view text);
