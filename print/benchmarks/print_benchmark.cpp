// How long Print keeps the user waiting: from the press until the sheet has
// been handed to a local CUPS queue (the goal is under 200 ms), with the
// printer already set up and on the very first press; and the same sheet
// into a PDF file, which is the printer layer's own share.
//
// The CUPS cases need a scheduler whose default queue may take dozens of
// sheets. Run as root, this program starts a private one with a CUPS-PDF
// queue (tests/support/private_cups.sh) and stops it at the end; otherwise it
// uses the one named by NIC_BENCHMARK_CUPS_SERVER (never the user's own
// CUPS_SERVER, which may lead to a real printer), or skips them.

#include "pdf_file.h"
#include "print_service.h"
#include "sample_sheet.h"
#ifdef NIC_HAVE_CUPS
#include "cups_module.h"
#endif

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#ifdef NIC_HAVE_CUPS
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const DetailSheetTexts ValidNumber = sampleSheetTexts();
constexpr std::chrono::year_month_day PrintedOn = std::chrono::year{2026} / std::chrono::December / 7;

void sheetIntoPdfFile(benchmark::State &state)
{
    QTemporaryDir folder;
    PrintService printing(std::make_unique<PdfFile>(folder.filePath(u"sheet.pdf"_s)));
    for (auto _ : state) {
        if (pressAndWait(printing, ValidNumber, PrintedOn).kind != PrintAnswer::Kind::Done) {
            state.SkipWithError("the PDF file could not be written");
            return;
        }
    }
}

BENCHMARK(sheetIntoPdfFile)->Unit(benchmark::kMillisecond);

// The CUPS cases only where CUPS is the print system.
#ifdef NIC_HAVE_CUPS
constexpr int CupsPresses = 30; // each leaves a job for the queue to work through
constexpr double GoalMs = 200;

bool cupsAvailable = false;

// Only root may start a CUPS scheduler of its own.
bool mayStartPrivateCups()
{
    return geteuid() == 0;
}

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void reportSlowest(benchmark::State &state, double slowestMs)
{
    state.counters["slowest_ms"] = slowestMs;
    state.counters["goal_ms"] = GoalMs;
}

void pressPrintOnCupsQueue(benchmark::State &state)
{
    if (!cupsAvailable) {
        state.SkipWithError("no CUPS scheduler: run as root or set NIC_BENCHMARK_CUPS_SERVER");
        return;
    }
    PrintService printing(CupsQueueFromModule(QStringLiteral(NIC_CUPS_MODULE_FILE)));
    double slowest = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const PrintAnswer answer = pressAndWait(printing, ValidNumber, PrintedOn);
        slowest = std::max(slowest, millisecondsSince(start));
        if (answer.kind != PrintAnswer::Kind::Done) {
            state.SkipWithError(qPrintable(answer.message));
            return;
        }
    }
    reportSlowest(state, slowest);
}

void firstPressOnCupsQueue(benchmark::State &state)
{
    if (!cupsAvailable) {
        state.SkipWithError("no CUPS scheduler: run as root or set NIC_BENCHMARK_CUPS_SERVER");
        return;
    }
    double slowest = 0;
    for (auto _ : state) {
        // The program's print service is made at start; what the printer
        // needs from the print system, on the first press. The module
        // itself stays loaded after the first.
        state.PauseTiming();
        auto printing = std::make_unique<PrintService>(CupsQueueFromModule(QStringLiteral(NIC_CUPS_MODULE_FILE)));
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        const PrintAnswer answer = pressAndWait(*printing, ValidNumber, PrintedOn);
        slowest = std::max(slowest, millisecondsSince(start));
        if (answer.kind != PrintAnswer::Kind::Done) {
            state.SkipWithError(qPrintable(answer.message));
            return;
        }
    }
    reportSlowest(state, slowest);
}

BENCHMARK(pressPrintOnCupsQueue)->Unit(benchmark::kMillisecond)->Iterations(CupsPresses);
BENCHMARK(firstPressOnCupsQueue)->Unit(benchmark::kMillisecond)->Iterations(5);

// A private scheduler for the length of the run, when none was given.
class PrivateCups
{
public:
    bool start()
    {
        if (!m_folder.isValid())
            return false;
        m_started =
            QProcess::execute(u"bash"_s, {QStringLiteral(PRIVATE_CUPS_SCRIPT), u"start"_s, m_folder.path()}) == 0;
        if (m_started)
            qputenv("CUPS_SERVER", QFile::encodeName(m_folder.filePath(u"cups.sock"_s)));
        return m_started;
    }
    ~PrivateCups()
    {
        if (m_started)
            QProcess::execute(u"bash"_s, {QStringLiteral(PRIVATE_CUPS_SCRIPT), u"stop"_s, m_folder.path()});
    }

private:
    QTemporaryDir m_folder;
    bool m_started = false;
};
#endif

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

#ifdef NIC_HAVE_CUPS
    // Only the scheduler's own default may choose the printer.
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    PrivateCups privateCups;
    if (mayStartPrivateCups()) {
        cupsAvailable = privateCups.start();
        if (!cupsAvailable)
            std::fputs("print_benchmark: the private CUPS scheduler did not start\n", stderr);
    } else if (!qEnvironmentVariableIsEmpty("NIC_BENCHMARK_CUPS_SERVER")) {
        qputenv("CUPS_SERVER", qgetenv("NIC_BENCHMARK_CUPS_SERVER"));
        cupsAvailable = true;
    }
#endif

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
