// The console program: read the options, open the calendars with the same
// check as the window program, decode, and end with a status that says how
// it went.

#include "command_line.h"
#include "icu_calendar_service.h"
#include "local_clock.h"
#include "number_list_decoding.h"
#include "output_buffer.h"
#include "replacing_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace {

bool writeTo(std::FILE *stream, std::string_view bytes)
{
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
}

// One line, under the program's name.
void printError(const std::string &line)
{
    std::fprintf(stderr, "%s\n", line.c_str());
}

void printProgramError(const std::string &message)
{
    printError(std::string(ProgramName) + ": " + message);
}

std::string lastSystemError()
{
    return std::generic_category().message(errno);
}

#ifdef _WIN32
// A console shows the program's UTF-8 as UTF-8 while it runs, and gets its
// own code page back at the end; a pipe or a file takes the bytes as they are.
class Utf8Console
{
public:
    Utf8Console() : m_codePage(GetConsoleOutputCP())
    {
        if (m_codePage != 0)
            SetConsoleOutputCP(CP_UTF8);
    }
    ~Utf8Console()
    {
        if (m_codePage != 0)
            SetConsoleOutputCP(m_codePage);
    }
    Utf8Console(const Utf8Console &) = delete;
    Utf8Console &operator=(const Utf8Console &) = delete;

private:
    UINT m_codePage; // 0 without a console
};
#endif

} // namespace

int main(int argc, char *argv[])
{
#ifdef _WIN32
    // Bytes as they are: no CR LF translation, no end at a Ctrl+Z.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    const Utf8Console console;
#endif
    const CommandLine commandLine = ParseCommandLine(argc, argv);
    if (!commandLine.options) {
        if (!commandLine.error.empty())
            printError(commandLine.error);
        // The help or the version that never arrived is a failure too.
        if (!writeTo(stdout, commandLine.output) || std::fflush(stdout) != 0) {
            printProgramError("the output could not be written: " + lastSystemError());
            return UsageError;
        }
        return commandLine.status;
    }
    const DecodeOptions &options = *commandLine.options;

    std::unique_ptr<const IcuCalendarService> calendars;
    try {
        calendars = std::make_unique<const IcuCalendarService>();
    } catch (const CalendarDataError &error) {
        printProgramError(error.what());
        return CalendarDataUnusable;
    }
    // Read once, so every row of a run counts its age to the same day, even
    // when the run crosses midnight.
    const std::chrono::year_month_day today = options.today.value_or(LocalToday());

    // An --output file is written under a temporary name and put in place
    // only when the run succeeds.
    std::optional<ReplacingFile> file;
    if (options.output) {
        file.emplace(*options.output);
        if (!file->create()) {
            printProgramError(file->error());
            return UsageError;
        }
    }
    const bool sheet = options.format == OutputFormat::Xlsx;
    std::FILE *const stream = file && !sheet ? file->stream() : stdout;
    const std::string sheetFile = file && sheet ? file->temporaryPath() : std::string{};

    int status = AllValid;
    {
        OutputBuffer output([stream](std::string_view bytes) { return writeTo(stream, bytes); });
        const DecodingResult result = DecodeNumberList(
            options, today, *calendars,
            [](char *buffer, std::size_t size) { return std::fread(buffer, 1, size, stdin); }, output, sheetFile);
        if (!result.error.empty())
            printError(result.error);
        if (!result.warning.empty())
            printError(result.warning);
        status = result.status;
        output.flush();
        if (output.failed() || std::fflush(stream) != 0) {
            printProgramError("the output could not be written: " + lastSystemError());
            return UsageError;
        }
        // A read that failed ends the input early; the rows so far stand,
        // but the run must not look complete.
        if (std::ferror(stdin)) {
            printProgramError("the input could not be read to its end: " + lastSystemError());
            return UsageError;
        }
    }
    if (file && status != UsageError && !file->commit()) {
        printProgramError(file->error());
        return UsageError;
    }
    return status;
}
