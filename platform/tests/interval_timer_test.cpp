// The interval timer's rules on the real event loop: 0 stops it and never
// means "as often as possible", any other value starts it, setting the same
// value on a running timer leaves it running on its old schedule, and ticks
// only ever come from the event loop, never inside the call that starts it.

#include "interval_timer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <vector>

namespace {

// Long enough for a 1 ms timer to tick many times over.
constexpr int Watch = 60; // milliseconds

} // namespace

class IntervalTimerTest : public QObject
{
    Q_OBJECT

private slots:
    void intervalsDecideRunning_data();
    void intervalsDecideRunning();
    void sameIntervalAgainKeepsTheSchedule();
    void aNewIntervalTakesEffect();
    void ticksComeFromTheEventLoopOnly();
};

void IntervalTimerTest::intervalsDecideRunning_data()
{
    QTest::addColumn<std::vector<int>>("intervals"); // set one after another
    QTest::addColumn<int>("reads");
    QTest::addColumn<bool>("ticks");

    QTest::newRow("a new timer never ticks") << std::vector<int>{} << 0 << false;
    QTest::newRow("interval 0 never ticks") << std::vector<int>{0} << 0 << false;
    QTest::newRow("1 ms starts it") << std::vector<int>{1} << 1 << true;
    QTest::newRow("0 stops a running timer") << std::vector<int>{1, 0} << 0 << false;
    QTest::newRow("0 twice stays stopped") << std::vector<int>{1, 0, 0} << 0 << false;
    QTest::newRow("the same value twice keeps it running") << std::vector<int>{1, 1} << 1 << true;
    QTest::newRow("stopped and started again") << std::vector<int>{1, 0, 1} << 1 << true;
    QTest::newRow("a negative interval stops it like 0") << std::vector<int>{1, -5} << 0 << false;
}

void IntervalTimerTest::intervalsDecideRunning()
{
    QFETCH(std::vector<int>, intervals);
    QFETCH(int, reads);
    QFETCH(bool, ticks);

    IntervalTimer timer;
    QSignalSpy spy(&timer, &IntervalTimer::tick);
    for (const int interval : intervals)
        timer.setInterval(interval);
    QCOMPARE(timer.interval(), reads);

    QTest::qWait(Watch);
    QCOMPARE(spy.count() > 0, ticks);
}

void IntervalTimerTest::sameIntervalAgainKeepsTheSchedule()
{
    // Set again halfway, the first tick still comes one interval after the
    // start; a restart would put it off by half an interval more.
    constexpr int Interval = 300;
    constexpr int Halfway = 150;
    constexpr int LatestFirstTick = Interval + Halfway - 50;

    IntervalTimer timer;
    QSignalSpy spy(&timer, &IntervalTimer::tick);
    QElapsedTimer clock;
    clock.start();
    timer.setInterval(Interval);
    QTest::qWait(Halfway);
    QCOMPARE(spy.count(), 0);
    timer.setInterval(Interval);

    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, Interval * 3);
    QVERIFY2(clock.elapsed() < LatestFirstTick, qPrintable(QString::number(clock.elapsed())));
}

void IntervalTimerTest::aNewIntervalTakesEffect()
{
    IntervalTimer timer;
    QSignalSpy spy(&timer, &IntervalTimer::tick);
    timer.setInterval(10000);
    timer.setInterval(1);
    QCOMPARE(timer.interval(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(spy.count() > 0, Watch * 5);
}

void IntervalTimerTest::ticksComeFromTheEventLoopOnly()
{
    IntervalTimer timer;
    int ticks = 0;
    connect(&timer, &IntervalTimer::tick, &timer, [&ticks] { ++ticks; });
    timer.setInterval(1);
    QCOMPARE(ticks, 0);
    // Setting it from inside its own tick neither re-enters nor stops it.
    int reentered = 0;
    bool inside = false;
    connect(&timer, &IntervalTimer::tick, &timer, [&] {
        if (inside)
            ++reentered;
        inside = true;
        timer.setInterval(1);
        inside = false;
    });
    QTRY_VERIFY_WITH_TIMEOUT(ticks > 3, Watch * 5);
    QCOMPARE(reentered, 0);
}

QTEST_MAIN(IntervalTimerTest)
#include "interval_timer_test.moc"
