// A million numbers from standard input through the real nic-decode, as a
// user runs it: older numbers to CSV, 12-digit numbers to CSV, and older
// numbers to an xlsx sheet; against the decoder alone on the same numbers,
// whose time per number the CSV runs should stay within 1.5 times of. Both
// are compared in processor time, which other work on a shared machine does
// not stretch; the wall-clock time of the program is reported beside it.
// (The sheet's peak memory is nic_decode_sheet_test's: a child of this
// process starts with its million numbers in its count.) A run that fails,
// or writes fewer rows than it was given, stops the benchmark with a message
// instead of measuring it.

#include "birth_details.h"
#include "icu_calendar_service.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#endif

namespace {

constexpr std::size_t NumberCount = 1'000'000;
constexpr double MaleShare = 0.5;

// Numbers as a register holds them: every year and day code of both sexes,
// and the few that name 29 February of a common year.
const std::vector<std::string> &numbers()
{
    static const std::vector<std::string> list = [] {
        std::mt19937 random(17);
        std::uniform_int_distribution<int> year(0, 99), day(1, 366), serial(0, 9999);
        std::bernoulli_distribution male(MaleShare), letterV(0.9);
        std::vector<std::string> result;
        result.reserve(NumberCount);
        char text[16];
        for (std::size_t i = 0; i < NumberCount; ++i) {
            const int code = day(random) + (male(random) ? 0 : 500);
            std::snprintf(text, sizeof text, "%02d%03d%04d%c", year(random), code, serial(random),
                          letterV(random) ? 'V' : 'X');
            result.emplace_back(text);
        }
        return result;
    }();
    return list;
}

// The same numbers in the 12-digit form.
std::vector<std::string> twelveDigitNumbers()
{
    std::vector<std::string> result;
    result.reserve(NumberCount);
    for (const std::string &number : numbers())
        result.push_back("19" + number.substr(0, 5) + "0" + number.substr(5, 4));
    return result;
}

std::filesystem::path numberFile(const std::string &name, const std::vector<std::string> &list)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / name;
    std::ofstream out(file, std::ios::binary);
    for (const std::string &number : list)
        out << number << '\n';
    return file;
}

[[noreturn]] void stop(const std::string &why)
{
    std::fprintf(stderr, "number_list_benchmark: %s\n", why.c_str());
    std::exit(EXIT_FAILURE);
}

// Runs nic-decode through the system's shell with standard input from a
// file and standard output to another; its status must be 0 or 1 (some
// numbers name 29 February of a common year).
void runProgram(const std::string &arguments, const std::filesystem::path &input, const std::filesystem::path &output)
{
    std::string command = "\"" + std::string(NIC_DECODE_PROGRAM) + "\" " + arguments + " < \"" + input.string()
                          + "\" > \"" + output.string() + "\"";
#ifdef _WIN32
    // cmd /c takes off the first and the last quote of a line that starts
    // with one: a pair around the whole line keeps the quotes inside whole.
    command = "\"" + command + "\"";
#endif
    const int status = std::system(command.c_str());
#ifdef _WIN32
    const bool ran = status == 0 || status == 1;
#else
    const bool ran = status != -1 && WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 1);
#endif
    if (!ran)
        stop("nic-decode failed (status " + std::to_string(status) + "): " + command);
}

std::size_t lineCount(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line);)
        ++lines;
    return lines;
}

double processorSeconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// The processor time of the children that ended so far; the wall-clock time
// stands in for it where there is no getrusage.
double childProcessorSeconds()
{
#ifdef _WIN32
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
#else
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval &time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
#endif
}

double decoderSecondsPerNumber()
{
    using namespace std::chrono;
    const IcuCalendarService calendars;
    const double start = processorSeconds();
    for (const std::string &number : numbers())
        benchmark::DoNotOptimize(DecodeBirthDetails(number, 2026y / December / 7, calendars));
    return (processorSeconds() - start) / NumberCount;
}

void decoder_alone(benchmark::State &state)
{
    for (auto _ : state)
        state.counters["us_per_number"] = decoderSecondsPerNumber() * 1e6; // processor time
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * NumberCount));
}

void measureProgram(benchmark::State &state, const std::filesystem::path &input, const std::string &arguments,
                    const std::filesystem::path &output)
{
    using namespace std::chrono;
    double processor = 0;
    for (auto _ : state) {
        const auto start = steady_clock::now();
        const double childStart = childProcessorSeconds();
        runProgram(arguments, input, output);
        processor = childProcessorSeconds() - childStart;
        state.SetIterationTime(duration<double>(steady_clock::now() - start).count());
    }
    state.counters["us_per_number"] = processor / NumberCount * 1e6;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * NumberCount));
}

void csvRun(benchmark::State &state, const std::filesystem::path &input)
{
    const std::filesystem::path output = std::filesystem::temp_directory_path() / "nic-decode-benchmark-output.csv";
    measureProgram(state, input, "--today 2026-12-07", output);
    if (lineCount(output) != NumberCount + 1)
        stop("nic-decode wrote " + std::to_string(lineCount(output)) + " lines, not a header and every number");
    const double decoder = decoderSecondsPerNumber();
    state.counters["decoder_us_per_number"] = decoder * 1e6;
    state.counters["times_the_decoder"] = state.counters["us_per_number"] / 1e6 / decoder;
    std::filesystem::remove(output);
    std::filesystem::remove(input);
}

void stdin_to_csv(benchmark::State &state)
{
    csvRun(state, numberFile("nic-decode-benchmark-input.txt", numbers()));
}

void twelve_digit_stdin_to_csv(benchmark::State &state)
{
    csvRun(state, numberFile("nic-decode-benchmark-12-digit.txt", twelveDigitNumbers()));
}

void stdin_to_xlsx(benchmark::State &state)
{
    const std::filesystem::path input = numberFile("nic-decode-benchmark-input.txt", numbers());
    const std::filesystem::path sheet = std::filesystem::temp_directory_path() / "nic-decode-benchmark.xlsx";
    const std::filesystem::path output = std::filesystem::temp_directory_path() / "nic-decode-benchmark-output.txt";
    measureProgram(state, input, "--today 2026-12-07 --format xlsx --output \"" + sheet.string() + "\"", output);
    if (!std::filesystem::exists(sheet) || std::filesystem::file_size(sheet) == 0)
        stop("nic-decode wrote no xlsx file");
    std::filesystem::remove(sheet);
    std::filesystem::remove(output);
    std::filesystem::remove(input);
}

BENCHMARK(decoder_alone)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(stdin_to_csv)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(twelve_digit_stdin_to_csv)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(stdin_to_xlsx)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

} // namespace
