// The time one run of each tick handler takes on a shown main window, so
// that the animations keep pace with a 1 ms timer. One iteration is a whole
// animation (every step and the run that ends it); "per_tick" divides it by
// the number of runs, in wall-clock time. Ticks are called directly: the
// timer's own wait is not measured, only the handler and the resize or move
// it makes. Offscreen unless QT_QPA_PLATFORM says otherwise (xcb on a real X
// server adds the requests to it).

#include "main_window.h"
#include "main_window_sizes.h"
#include "twips_geometry.h"
#include "window_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

namespace {

using namespace Qt::StringLiterals;

// Runs of each animation from its usual start: 58 steps and the stop, 58
// steps and the reset, 99 steps with the stop in the last.
constexpr int GrowRuns = 59;
constexpr int ShrinkRuns = 59;
constexpr int SlideRuns = 99;

struct ShownWindow : MainWindowOnDoubles
{
    ShownWindow()
    {
        window.Form_Load();
        window.show();
        QApplication::processEvents();
    }
};

void setTickCounter(benchmark::State &state, int runsPerIteration)
{
    state.counters["per_tick"] = benchmark::Counter(static_cast<double>(state.iterations()) * runsPerIteration,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Timer1_Timer_WholeGrow(benchmark::State &state)
{
    ShownWindow shown;
    for (auto _ : state) {
        shown.seam.outer().setHeight(mainwindow::CreatedHeight);
        for (int run = 0; run < GrowRuns; ++run)
            shown.seam.Timer1_Timer();
    }
    setTickCounter(state, GrowRuns);
}
BENCHMARK(BM_Timer1_Timer_WholeGrow)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Timer2_Timer_WholeShrink(benchmark::State &state)
{
    ShownWindow shown;
    for (auto _ : state) {
        shown.seam.outer().setHeight(5580);
        for (int run = 0; run < ShrinkRuns; ++run)
            shown.seam.Timer2_Timer();
    }
    setTickCounter(state, ShrinkRuns);
}
BENCHMARK(BM_Timer2_Timer_WholeShrink)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Timer3_Timer_WholeSlide(benchmark::State &state)
{
    ShownWindow shown;
    for (auto _ : state) {
        shown.seam.setPanelLeft(0);
        for (int run = 0; run < SlideRuns; ++run)
            shown.seam.Timer3_Timer();
    }
    setTickCounter(state, SlideRuns);
}
BENCHMARK(BM_Timer3_Timer_WholeSlide)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The press that starts a grow: decoding, five field writes and the first step.
void BM_cmdtext_Click_Valid(benchmark::State &state)
{
    ShownWindow shown;
    shown.window.findChild<QLineEdit *>(u"txtIDNo"_s)->setText(u"811231234V"_s);
    QPushButton *const ok = shown.window.findChild<QPushButton *>(u"cmdtext"_s);
    for (auto _ : state) {
        shown.seam.outer().setHeight(mainwindow::CreatedHeight);
        ok->click();
    }
}
BENCHMARK(BM_cmdtext_Click_Valid)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    // The handlers' own cost, without a display server's round trips.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
