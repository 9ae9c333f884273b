#pragma once

// One run of nic-decode over its input: the numbers of the command line, a
// list read line by line, or a spreadsheet read row by row, each decoded by
// the decoder with the run's day and calendars and written at once, in the order
// given, so that nothing but the current line or row is ever held.

#include "command_line.h"
#include "line_reader.h"

#include <chrono>
#include <string>

class CalendarService;
class OutputBuffer;

struct DecodingResult
{
    int status = AllValid; // SomeInvalid, or UsageError with a message
    std::string error = {};
    std::string warning = {};
};

// The ages are counted to today. An xlsx sheet is written to sheetFile,
// the other forms to output.
DecodingResult DecodeNumberList(const DecodeOptions &options, std::chrono::year_month_day today,
                                const CalendarService &calendars, const LineReader::Source &input, OutputBuffer &output,
                                const std::string &sheetFile = {});
