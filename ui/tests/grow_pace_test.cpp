// Whether the grow keeps pace with its timer on a real X display: a whole
// grow from 2685 (58 steps and the run that stops), with its resizes and
// repaints, against 58 ticks of a bare 1 ms timer measured in the same run.
// A resize and repaint on Xvfb costs one to two milliseconds a step (2.1 to
// 2.9 times the ticks on an idle machine, up to 6 with two builds running
// beside); the speed itself is the benchmarks' business. The limit here
// stops only a grow that has stopped keeping pace: one whose steps wait for
// the display's frames (16 ms, some 14 times the ticks) or a slower timer.
// Rounds alternate between the two, and the fastest round of each is
// compared: a busy machine slows some rounds, never speeds one up. Every
// grow ends exactly at 5585, also when the X server answers late.

#include "window_fixture.h"
#include "main_window_sizes.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>

#include <algorithm>
#include <vector>

using namespace behaviour;
using namespace mainwindow;

namespace {

constexpr int GrowSteps = 58;
constexpr double ExactEnd = 5585;
constexpr int Rounds = 7;
constexpr double AllowedRatio = 12.0;
constexpr int TickInterval = 1;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds until a bare timer of 1 ms has ticked 58 times.
double timeBareTicks()
{
    IntervalTimer timer;
    QEventLoop loop;
    int ticks = 0;
    QObject::connect(&timer, &IntervalTimer::tick, &loop, [&] {
        if (++ticks == GrowSteps)
            loop.quit();
    });
    QElapsedTimer clock;
    clock.start();
    timer.setInterval(TickInterval);
    loop.exec();
    return clock.nsecsElapsed() / 1e6;
}

// Milliseconds from the OK press until the run that finds the window grown.
double timeWholeGrow(Harness &h)
{
    h.setHeight(CreatedHeight);
    h.button(u"cmdPrint"_s)->setEnabled(false);
    h.field(u"txtIDNo"_s)->setText(ValidNumber);
    IntervalTimer *const timer1 = h.timer(u"Timer1"_s);
    QEventLoop loop;
    // Connected after the window's own handler, so it sees the run's outcome.
    const QMetaObject::Connection watch = QObject::connect(timer1, &IntervalTimer::tick, &loop, [&] {
        if (timer1->interval() == 0)
            loop.quit();
    });
    QElapsedTimer clock;
    clock.start();
    h.press(u"cmdtext"_s);
    loop.exec();
    const double elapsed = clock.nsecsElapsed() / 1e6;
    QObject::disconnect(watch);
    return elapsed;
}

} // namespace

class GrowPaceTest : public QObject
{
    Q_OBJECT

private slots:
    void wholeGrowKeepsPaceWithTheTimer();
};

void GrowPaceTest::wholeGrowKeepsPaceWithTheTimer()
{
    Harness h;
    QVERIFY(QTest::qWaitForWindowExposed(&h.window));

    std::vector<double> bare;
    std::vector<double> grow;
    for (int round = 0; round < Rounds; ++round) {
        bare.push_back(timeBareTicks());
        grow.push_back(timeWholeGrow(h));
        QCOMPARE(h.height(), ExactEnd);
        QVERIFY(h.printEnabled());
    }
    const double bareFastest = *std::min_element(bare.begin(), bare.end());
    const double growFastest = *std::min_element(grow.begin(), grow.end());
    qInfo("58 ticks of a 1 ms timer: median %.1f ms (%.1f to %.1f)", median(bare), bareFastest,
          *std::max_element(bare.begin(), bare.end()));
    qInfo("whole grow from 2685 to 5585: median %.1f ms (%.1f to %.1f), fastest %.2f times the ticks'", median(grow),
          growFastest, *std::max_element(grow.begin(), grow.end()), growFastest / bareFastest);
    QVERIFY2(growFastest <= AllowedRatio * bareFastest, "the grow falls behind its timer");
}

QTEST_MAIN(GrowPaceTest)
#include "grow_pace_test.moc"
