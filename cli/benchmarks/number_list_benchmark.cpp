// A million numbers from standard input to CSV on standard output through
// the real nic-decode, against the decoder alone on the same numbers: the
// program's time per number should stay within 1.5 times the decoder's.
// Both are compared in processor time, which other work on a shared machine
// does not stretch; the wall-clock time of the program is reported beside it.

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

std::filesystem::path numberFile()
{
    static const std::filesystem::path path = [] {
        const std::filesystem::path file = std::filesystem::temp_directory_path() / "nic-decode-benchmark-input.txt";
        std::ofstream out(file, std::ios::binary);
        for (const std::string &number : numbers())
            out << number << '\n';
        return file;
    }();
    return path;
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

void stdin_to_csv(benchmark::State &state)
{
    using namespace std::chrono;
    const std::filesystem::path input = numberFile();
    const std::filesystem::path output = std::filesystem::temp_directory_path() / "nic-decode-benchmark-output.csv";
    const std::string command = std::string("\"") + NIC_DECODE_PROGRAM + "\" --today 2026-12-07 < \"" + input.string()
                                + "\" > \"" + output.string() + "\"";
    double processor = 0;
    for (auto _ : state) {
        const auto start = steady_clock::now();
        const double childStart = childProcessorSeconds();
        // Status 1: some numbers name 29 February of a common year.
        if (std::system(command.c_str()) == -1)
            state.SkipWithError("nic-decode did not start");
        processor = childProcessorSeconds() - childStart;
        state.SetIterationTime(duration<double>(steady_clock::now() - start).count());
    }
    const double decoder = decoderSecondsPerNumber();
    state.counters["us_per_number"] = processor / NumberCount * 1e6;
    state.counters["decoder_us_per_number"] = decoder * 1e6;
    state.counters["times_the_decoder"] = processor / NumberCount / decoder;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * NumberCount));
    std::filesystem::remove(output);
}

BENCHMARK(decoder_alone)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(stdin_to_csv)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

} // namespace
