// What the main window costs to come up: build it, place it, show it and run
// the event loop until it has been painted, then close it; against a bare
// QWidget of the same client size doing the same, in the same run. The
// difference is the window's own cost (its 28 controls, fonts, pictures),
// which should stay under 10 ms.
//
// Runs on the display in DISPLAY when there is one (a real X server paints
// and flushes for real), else on the offscreen platform.

#include "icu_calendar_service.h"
#include "main_window.h"
#include "window_fixture.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

using namespace Qt::StringLiterals;

const QSize ClientSize{288, 152};
constexpr int PaintTimeout = 5000; // milliseconds; a window never painted is an error

// Notes the first paint of a window. Qt paints a window and all its
// controls in one go, skipping whatever opaque controls cover (the main
// window itself is wholly under its about panel), so a paint of any widget
// of the window counts.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(const QWidget &window) : m_window(window) { qApp->installEventFilter(this); }
    ~PaintWatch() override { qApp->removeEventFilter(this); }

    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == &m_window)
            painted = true;
        return QObject::eventFilter(watched, event);
    }

private:
    const QWidget &m_window;
};

// Shows the window and runs the event loop until it has been painted; the
// painting ends within the same round of events as its first paint.
bool showUntilPainted(QWidget &window)
{
    const PaintWatch watch(window);
    window.show();
    const QDeadlineTimer deadline(PaintTimeout);
    while (!watch.painted && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return watch.painted;
}

void BM_BareWidget_ShowUntilPainted(benchmark::State &state)
{
    for (auto _ : state) {
        QWidget window;
        window.setWindowTitle(u"National Identity Card"_s);
        window.resize(ClientSize);
        if (!showUntilPainted(window)) {
            state.SkipWithError("the bare window was never painted");
            break;
        }
    }
}
BENCHMARK(BM_BareWidget_ShowUntilPainted)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Form1_BuildShowUntilPainted(benchmark::State &state)
{
    // The outside world is made once; the window is built every time.
    RecordingDesktop desktop;
    const IcuCalendarService calendars;
    RecordingDestination::Log printer;
    PrintService printing(std::make_unique<RecordingDestination>(printer));
    for (auto _ : state) {
        Form1 window(desktop, calendars, printing);
        window.Form_Load();
        if (!showUntilPainted(window)) {
            state.SkipWithError("the main window was never painted");
            break;
        }
    }
}
BENCHMARK(BM_Form1_BuildShowUntilPainted)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
