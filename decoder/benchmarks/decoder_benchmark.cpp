// One whole decoding (decode, date check, calendar facts with the real ICU
// calendars, number rule) of a valid number and of two rejected ones.

#include "birth_details.h"
#include "icu_calendar_service.h"

#include <benchmark/benchmark.h>

namespace {

void decode(benchmark::State &state, const char *text)
{
    using namespace std::chrono;
    const IcuCalendarService calendars;
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeBirthDetails(text, 2026y / December / 7, calendars));
}

BENCHMARK_CAPTURE(decode, valid_811231234V, "811231234V");
BENCHMARK_CAPTURE(decode, bad_date_810601234V, "810601234V");
BENCHMARK_CAPTURE(decode, bad_number_A11231234V, "A11231234V");

} // namespace
