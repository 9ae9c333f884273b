// The main window's behaviour through its real objects: placement, OK with
// each verdict, the grow, shrink and slide animations counted step by step,
// Cancel, Exit, about OK and Print. Ticks are fired by calling the tick
// handlers, so every count is exact and nothing depends on the clock.

#include "window_fixture.h"
#include "main_window_sizes.h"
#include "sample_numbers.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QLocale>
#include <QSignalSpy>
#include <QTimer>
#include <QTest>

#include <memory>

using namespace behaviour;
using namespace mainwindow;

namespace {

enum class Event { OkValid, OkBadDate, OkBadNumber, Cancel, Timer1Tick, Timer2Tick, DialogOk, DigitTyped };
// What became of the six fields: kept as they were, written from the valid
// number, the five results emptied, all six emptied by a shrink's end, or
// the results kept beside a digit typed onto the number.
enum class Fields { Kept, Written, Emptied, Reset, Typed };

struct Start
{
    double height = 0;
    int timer1 = 0;
    int timer2 = 0;
    bool print = false;
    bool hiddenUnderDialog = false;
    // The results beside the number were decoded from it, by a valid OK.
    bool decoded = false;
};

struct Outcome
{
    double height = 0;
    int timer1 = 0;
    int timer2 = 0;
    bool print = false;
    bool visible = true;
    bool dialog = false;
    int beeps = 0;
    Fields fields = Fields::Kept;
    bool focusToIdNo = false;
};

enum class PanelEvent { AboutOk, Timer3Tick };

const QString OldNumber = u"old number"_s;
const QStringList OldTexts{u"old date"_s, u"old day"_s, u"old sex"_s, u"old age"_s, u"old hijri"_s};
const QStringList EmptyTexts{QString(), QString(), QString(), QString(), QString()};

constexpr int Running = 1;
constexpr int Stopped = 0;
// Far more runs than any animation needs: a loop that gets here never ends.
constexpr int RunawayLimit = 1000;
// The longest animation: 60 grow steps from 2580 and the run that stops.
constexpr int LongestAnimationRuns = 61;

} // namespace

Q_DECLARE_METATYPE(Event)
Q_DECLARE_METATYPE(Start)
Q_DECLARE_METATYPE(Outcome)
Q_DECLARE_METATYPE(PanelEvent)

class MainWindowBehaviourTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { dropOffscreenRaiseWarnings(); }
    void init() { m_h = std::make_unique<Harness>(); }
    void cleanup() { m_h.reset(); }

    void windowTransitions_data();
    void windowTransitions();
    void panelTransitions_data();
    void panelTransitions();

    void formLoadPlacesTheWindow_data();
    void formLoadPlacesTheWindow();
    void growCountsItsSteps_data();
    void growCountsItsSteps();
    void shrinkCountsItsSteps_data();
    void shrinkCountsItsSteps();
    void slideCountsItsSteps_data();
    void slideCountsItsSteps();
    void validWhenAlreadyTallOnlyEnablesPrint_data();
    void validWhenAlreadyTallOnlyEnablesPrint();
    void badNumberAfterAGrowTakesPrint();
    void badNumberWhileGrowing_data();
    void badNumberWhileGrowing();
    void turnAboutEndsGrownOrCollapsed_data();
    void turnAboutEndsGrownOrCollapsed();
    void animationsFinishWhileHidden_data();
    void animationsFinishWhileHidden();
    void stepsWhileMinimizedLandOnRestore_data();
    void stepsWhileMinimizedLandOnRestore();
    void hijriFieldEmptiedWithTheOthers_data();
    void hijriFieldEmptiedWithTheOthers();
    void exitEndsTheProgramAtOnce_data();
    void exitEndsTheProgramAtOnce();
    void printHandsOverTheSixTexts_data();
    void printHandsOverTheSixTexts();
    void printAnswersAreShownAndChangeNothing_data();
    void printAnswersAreShownAndChangeNothing();
    void timersRunTheAnimationsOnTheirOwn();
    void sampleNumbersAsBothProgramsShowThem_data();
    void sampleNumbersAsBothProgramsShowThem();
    void printWaitsOffTheWindowThread();
    void printGivesUpOnlyOnThePrintSystem_data();
    void printGivesUpOnlyOnThePrintSystem();

private:
    Harness &h() { return *m_h; }
    // Runs ticks of one timer while it runs; returns how many moved the height.
    int tickUntilStopped(void (Form1TestAccess::*tick)() const, const QString &timerName);
    // Presses Print and lets the window run until it is told that the press
    // has ended; false when no press ended within the patience given.
    bool pressPrint(int patienceMs = 10000);

    std::unique_ptr<Harness> m_h;
};

int MainWindowBehaviourTest::tickUntilStopped(void (Form1TestAccess::*tick)() const, const QString &timerName)
{
    int steps = 0;
    for (int run = 0; run < RunawayLimit && h().interval(timerName) == Running; ++run) {
        const double before = h().height();
        (h().seam.*tick)();
        if (h().height() != before)
            ++steps;
    }
    return steps;
}

bool MainWindowBehaviourTest::pressPrint(int patienceMs)
{
    QSignalSpy ended(&h().printing, &PrintService::pressEnded);
    h().press(u"cmdPrint"_s);
    return ended.wait(patienceMs);
}

void MainWindowBehaviourTest::windowTransitions_data()
{
    QTest::addColumn<Start>("start");
    QTest::addColumn<Event>("event");
    QTest::addColumn<Outcome>("outcome");

    const auto row = [](const char *name, Start start, Event event, Outcome outcome) {
        QTest::newRow(name) << start << event << outcome;
    };
    // height, Timer1, Timer2, Print, hidden under the dialog, decoded
    // -> height, Timer1, Timer2, Print, visible, dialog, beeps, fields, focus to txtIDNo
    row("collapsed, OK Valid: written, one grow step, Timer1 starts", {CreatedHeight, 0, 0, false}, Event::OkValid,
        {CreatedHeight + GrowStep, 1, 0, false, true, false, 0, Fields::Written});
    row("collapsed, OK BadDate: emptied, dialog over the visible window, no beep", {CreatedHeight, 0, 0, false},
        Event::OkBadDate, {CreatedHeight, 0, 0, false, true, true, 0, Fields::Emptied});
    row("growing, OK BadDate: the growth is left alone", {3000, 1, 0, false}, Event::OkBadDate,
        {3000, 1, 0, false, true, true, 0, Fields::Emptied});
    row("collapsed, OK BadNumber: emptied, focus, hidden, beep, dialog", {CreatedHeight, 0, 0, false},
        Event::OkBadNumber, {CreatedHeight, 0, 0, false, false, true, 1, Fields::Emptied, true});
    row("expanded, OK BadNumber: Print goes with the results", {5585, 0, 0, true, false, true}, Event::OkBadNumber,
        {5585, 0, 0, false, false, true, 1, Fields::Emptied, true});
    row("expanded, OK BadDate: Print goes with the results", {5585, 0, 0, true, false, true}, Event::OkBadDate,
        {5585, 0, 0, false, true, true, 0, Fields::Emptied});
    row("shrinking, OK BadNumber: the timers are not touched", {4000, 0, 1, false}, Event::OkBadNumber,
        {4000, 0, 1, false, false, true, 1, Fields::Emptied, true});
    row("collapsed at 2685, Cancel: one shrink step, Timer2 starts", {CreatedHeight, 0, 0, false}, Event::Cancel,
        {CreatedHeight - ShrinkStep, 0, 1, false, true, false, 0, Fields::Kept});
    row("collapsed below 2685, Cancel: reset at once, Timer2 left stopped",
        {CollapsedThreshold - ShrinkStep, 0, 0, false}, Event::Cancel,
        {CollapsedThreshold - ShrinkStep, 0, 0, false, true, false, 0, Fields::Reset, true});
    row("growing, Timer1 tick at 5550: one more step", {ExpandedThreshold, 1, 0, false}, Event::Timer1Tick,
        {ExpandedThreshold + GrowStep, 1, 0, false, true, false, 0, Fields::Kept});
    row("growing, Timer1 tick above 5550: Print enabled, Timer1 stops",
        {ExpandedThreshold + 0.5, 1, 0, false, false, true}, Event::Timer1Tick,
        {ExpandedThreshold + 0.5, 0, 0, true, true, false, 0, Fields::Kept});
    row("growing, Timer1 tick above 5550 beside results not decoded: Timer1 stops, no Print",
        {ExpandedThreshold + 0.5, 1, 0, false}, Event::Timer1Tick,
        {ExpandedThreshold + 0.5, 0, 0, false, true, false, 0, Fields::Kept});
    row("growing, OK Valid: rewritten, one extra grow step", {3000, 1, 0, false}, Event::OkValid,
        {3050, 1, 0, false, true, false, 0, Fields::Written});
    row("growing, Cancel: the growth stops, one shrink step", {3000, 1, 0, false}, Event::Cancel,
        {2950, 0, 1, false, true, false, 0, Fields::Kept});
    row("expanded, OK Valid: rewritten, Print enabled, height kept", {5585, 0, 0, false}, Event::OkValid,
        {5585, 0, 0, true, true, false, 0, Fields::Written});
    row("expanded, Cancel: Print disabled, one shrink step, Timer2 starts", {5585, 0, 0, true}, Event::Cancel,
        {5535, 0, 1, false, true, false, 0, Fields::Kept});
    row("shrinking, Timer2 tick at 2685: one more step", {CreatedHeight, 0, 1, false}, Event::Timer2Tick,
        {CollapsedThreshold - ShrinkStep, 0, 1, false, true, false, 0, Fields::Kept});
    row("shrinking, Timer2 tick below 2685: stops, all six emptied, focus", {CollapsedThreshold - 0.5, 0, 1, false},
        Event::Timer2Tick, {CollapsedThreshold - 0.5, 0, 0, false, true, false, 0, Fields::Reset, true});
    row("shrinking, Cancel: one extra shrink step", {4000, 0, 1, false}, Event::Cancel,
        {3950, 0, 1, false, true, false, 0, Fields::Kept});
    row("shrinking, OK Valid: the shrink stops, one grow step", {4000, 0, 1, false}, Event::OkValid,
        {4050, 1, 0, false, true, false, 0, Fields::Written});
    row("expanded, a digit typed onto the decoded number: Print disabled", {5585, 0, 0, true, false, true},
        Event::DigitTyped, {5585, 0, 0, false, true, false, 0, Fields::Typed});
    row("growing, a digit typed onto the decoded number: the growth goes on", {3000, 1, 0, false, false, true},
        Event::DigitTyped, {3000, 1, 0, false, true, false, 0, Fields::Typed});
    row("shrinking, a digit typed: the shrink goes on", {4000, 0, 1, false}, Event::DigitTyped,
        {4000, 0, 1, false, true, false, 0, Fields::Typed});
    row("dialog up, its OK: shown again at 2580 at once", {4000, 0, 0, true, true}, Event::DialogOk,
        {RestoredHeight, 0, 0, true, true, false, 0, Fields::Kept, true});
    row("dialog up while growing, its OK: the growth carries on from 2580", {4000, 1, 0, false, true}, Event::DialogOk,
        {RestoredHeight, 1, 0, false, true, false, 0, Fields::Kept, true});
}

void MainWindowBehaviourTest::windowTransitions()
{
    QFETCH(Start, start);
    QFETCH(Event, event);
    QFETCH(Outcome, outcome);

    QLineEdit *const idNo = h().field(u"txtIDNo"_s);
    QWidget *const elsewhere = h().field(u"txtDateOB"_s);
    if (start.decoded)
        h().enter(ValidNumber);
    if (start.hiddenUnderDialog) {
        h().enter(BadNumberNumber);
        h().desktop.beeps = 0;
    } else {
        elsewhere->setFocus();
    }
    h().setHeight(start.height);
    h().timer(u"Timer1"_s)->setInterval(start.timer1);
    h().timer(u"Timer2"_s)->setInterval(start.timer2);
    h().button(u"cmdPrint"_s)->setEnabled(start.print);
    h().setResultTexts(OldTexts);
    if (!start.decoded)
        idNo->setText(OldNumber);
    const QString startNumber = idNo->text();

    switch (event) {
    case Event::OkValid:
        h().enter(ValidNumber);
        break;
    case Event::OkBadDate:
        h().enter(BadDateNumber);
        break;
    case Event::OkBadNumber:
        h().enter(BadNumberNumber);
        break;
    case Event::Cancel:
        h().press(u"cmdCancel"_s);
        break;
    case Event::Timer1Tick:
        h().seam.Timer1_Timer();
        break;
    case Event::Timer2Tick:
        h().seam.Timer2_Timer();
        break;
    case Event::DialogOk:
        h().pressDialogOk();
        break;
    case Event::DigitTyped:
        QTest::keyClick(idNo, Qt::Key_1);
        break;
    }

    QCOMPARE(h().height(), outcome.height);
    QCOMPARE(h().interval(u"Timer1"_s), outcome.timer1);
    QCOMPARE(h().interval(u"Timer2"_s), outcome.timer2);
    QCOMPARE(h().printEnabled(), outcome.print);
    QCOMPARE(h().window.isVisible(), outcome.visible);
    QCOMPARE(h().dialogShown(), outcome.dialog);
    QCOMPARE(h().desktop.beeps, outcome.beeps);
    QCOMPARE(h().desktop.quits, 0);
    QCOMPARE(h().focusTarget(), outcome.focusToIdNo ? idNo : elsewhere);

    const QString typed = idNo->text();
    switch (outcome.fields) {
    case Fields::Kept:
        QCOMPARE(h().resultTexts(), OldTexts);
        QCOMPARE(typed, startNumber);
        break;
    case Fields::Typed:
        QCOMPARE(h().resultTexts(), OldTexts);
        QCOMPARE(typed, startNumber + u'1');
        break;
    case Fields::Written:
        QCOMPARE(h().resultTexts(), ValidTexts);
        QCOMPARE(typed, ValidNumber);
        break;
    case Fields::Emptied:
        QCOMPARE(h().resultTexts(), EmptyTexts);
        QVERIFY(typed == BadDateNumber || typed == BadNumberNumber);
        break;
    case Fields::Reset:
        QCOMPARE(h().resultTexts(), EmptyTexts);
        QCOMPARE(typed, QString());
        break;
    }
}

void MainWindowBehaviourTest::panelTransitions_data()
{
    QTest::addColumn<double>("startLeft");
    QTest::addColumn<int>("startTimer3");
    QTest::addColumn<PanelEvent>("event");
    QTest::addColumn<double>("left");
    QTest::addColumn<int>("timer3");
    QTest::addColumn<bool>("focusToIdNo");

    QTest::newRow("shown, about OK: one step, Timer3 starts")
        << 0.0 << 0 << PanelEvent::AboutOk << -SlideStep << 1 << false;
    QTest::newRow("sliding, tick that leaves -4900: goes on")
        << SlideEnd + SlideStep << 1 << PanelEvent::Timer3Tick << SlideEnd << 1 << false;
    QTest::newRow("sliding, about OK that leaves -4900: goes on")
        << SlideEnd + SlideStep << 1 << PanelEvent::AboutOk << SlideEnd << 1 << false;
    QTest::newRow("sliding, tick past -4900: stops, focus to txtIDNo")
        << SlideEnd << 1 << PanelEvent::Timer3Tick << SlideEnd - SlideStep << 0 << true;
    QTest::newRow("sliding, about OK past -4900: stops, focus to txtIDNo")
        << SlideEnd << 1 << PanelEvent::AboutOk << SlideEnd - SlideStep << 0 << true;
    QTest::newRow("gone, about OK: one more step, Timer3 left stopped, focus")
        << SlideEnd - SlideStep << 0 << PanelEvent::AboutOk << SlideEnd - 2 * SlideStep << 0 << true;
}

void MainWindowBehaviourTest::panelTransitions()
{
    QFETCH(double, startLeft);
    QFETCH(int, startTimer3);
    QFETCH(PanelEvent, event);
    QFETCH(double, left);
    QFETCH(int, timer3);
    QFETCH(bool, focusToIdNo);

    QWidget *const elsewhere = h().field(u"txtDateOB"_s);
    elsewhere->setFocus();
    h().seam.setPanelLeft(startLeft);
    h().timer(u"Timer3"_s)->setInterval(startTimer3);

    if (event == PanelEvent::AboutOk)
        h().press(u"cmdAbtOK"_s);
    else
        h().seam.Timer3_Timer();

    QCOMPARE(h().seam.panelLeft(), left);
    QCOMPARE(h().window.findChild<QFrame *>(u"pct1"_s)->x(), twips::toPixels(left));
    QCOMPARE(h().interval(u"Timer3"_s), timer3);
    QCOMPARE(h().focusTarget(), focusToIdNo ? h().field(u"txtIDNo"_s) : elsewhere);
}

void MainWindowBehaviourTest::formLoadPlacesTheWindow_data()
{
    QTest::addColumn<QSizeF>("screen");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");

    QTest::newRow("15360 x 11520: centred across, a third of the free height down")
        << QSizeF(15360, 11520) << 5460.0 << 2945.0;
    QTest::newRow("fractions are kept, not rounded") << QSizeF(15361, 11521) << 5460.5 << 8836.0 / 3;
    QTest::newRow("a screen smaller than the window: negative edges, not clamped")
        << QSizeF(3000, 2000) << -720.0 << -685.0 / 3;
}

void MainWindowBehaviourTest::formLoadPlacesTheWindow()
{
    QFETCH(QSizeF, screen);
    QFETCH(double, left);
    QFETCH(double, top);

    h().desktop.screen = screen;
    h().window.Form_Load();

    QCOMPARE(h().seam.outer().left(), left);
    QCOMPARE(h().seam.outer().top(), top);
    QCOMPARE(h().seam.outer().width(), CreatedWidth);
    QCOMPARE(h().height(), CreatedHeight);
}

void MainWindowBehaviourTest::growCountsItsSteps_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("end");

    QTest::newRow("from 2685 at start: 58 steps to 5585") << CreatedHeight << 58 << 5585.0;
    QTest::newRow("from 2580 after the dialog: 60 steps to 5580") << RestoredHeight << 60 << 5580.0;
    QTest::newRow("from exactly 5550: the test is strict, one step")
        << ExpandedThreshold << 1 << ExpandedThreshold + GrowStep;
    QTest::newRow("from 5550.5: already grown, no step") << ExpandedThreshold + 0.5 << 0 << ExpandedThreshold + 0.5;
    QTest::newRow("a fractional height is carried along unrounded") << CreatedHeight + 0.5 << 58 << 5585.5;
}

void MainWindowBehaviourTest::growCountsItsSteps()
{
    QFETCH(double, start);
    QFETCH(int, steps);
    QFETCH(double, end);

    h().setHeight(start);
    h().field(u"txtIDNo"_s)->setText(ValidNumber);
    // The press makes the first step; every later run is a tick.
    int made = 0;
    bool pressed = false;
    for (int run = 0; run < RunawayLimit; ++run) {
        const double before = h().height();
        if (pressed)
            h().seam.Timer1_Timer();
        else
            h().press(u"cmdtext"_s);
        pressed = true;
        if (h().interval(u"Timer1"_s) == Stopped) {
            QCOMPARE(h().height(), before);
            break;
        }
        QCOMPARE(h().height(), before + GrowStep);
        QVERIFY2(!h().printEnabled(), "Print waits for the run that finds the window grown");
        ++made;
    }
    QCOMPARE(made, steps);
    QCOMPARE(h().height(), end);
    QVERIFY(h().printEnabled());
    QCOMPARE(h().resultTexts(), ValidTexts);
}

void MainWindowBehaviourTest::shrinkCountsItsSteps_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("end");

    QTest::newRow("from 5580: 58 steps to 2680") << 5580.0 << 58 << 2680.0;
    QTest::newRow("from 5585: 59 steps to 2635") << 5585.0 << 59 << 2635.0;
    QTest::newRow("from 2685 at start: one step to 2635") << CreatedHeight << 1 << CollapsedThreshold - ShrinkStep;
    QTest::newRow("from 2580 after the dialog: the press resets at once") << RestoredHeight << 0 << RestoredHeight;
    QTest::newRow("from just below 2685: the press resets at once")
        << CollapsedThreshold - 0.5 << 0 << CollapsedThreshold - 0.5;
}

void MainWindowBehaviourTest::shrinkCountsItsSteps()
{
    QFETCH(double, start);
    QFETCH(int, steps);
    QFETCH(double, end);

    QLineEdit *const idNo = h().field(u"txtIDNo"_s);
    QWidget *const elsewhere = h().field(u"txtAge"_s);
    h().setHeight(start);
    h().button(u"cmdPrint"_s)->setEnabled(true);
    idNo->setText(ValidNumber);
    h().setResultTexts(ValidTexts);
    elsewhere->setFocus();

    int made = 0;
    bool pressed = false;
    for (int run = 0; run < RunawayLimit; ++run) {
        const double before = h().height();
        if (pressed)
            h().seam.Timer2_Timer();
        else
            h().press(u"cmdCancel"_s);
        pressed = true;
        QVERIFY2(!h().printEnabled(), "Cancel disables Print at once");
        if (h().interval(u"Timer2"_s) == Stopped) {
            QCOMPARE(h().height(), before);
            break;
        }
        QCOMPARE(h().height(), before - ShrinkStep);
        QCOMPARE(h().resultTexts(), ValidTexts);
        QCOMPARE(h().focusTarget(), elsewhere);
        ++made;
    }
    QCOMPARE(made, steps);
    QCOMPARE(h().height(), end);
    QCOMPARE(idNo->text(), QString());
    QCOMPARE(h().resultTexts(), EmptyTexts);
    QCOMPARE(h().focusTarget(), idNo);
}

void MainWindowBehaviourTest::slideCountsItsSteps_data()
{
    QTest::addColumn<int>("secondPressAfterRun");
    QTest::addColumn<int>("ticks");

    QTest::newRow("about OK alone: 99 steps, the press and 98 ticks") << -1 << 98;
    QTest::newRow("a second about OK mid-slide is one extra step") << 40 << 97;
}

void MainWindowBehaviourTest::slideCountsItsSteps()
{
    QFETCH(int, secondPressAfterRun);
    QFETCH(int, ticks);

    QLineEdit *const idNo = h().field(u"txtIDNo"_s);
    QWidget *const atStart = h().window.focusWidget();
    QVERIFY(atStart != idNo);

    h().press(u"cmdAbtOK"_s);
    int ticked = 0;
    for (int run = 1; run < RunawayLimit && h().interval(u"Timer3"_s) == Running; ++run) {
        QCOMPARE(h().seam.panelLeft(), -SlideStep * run);
        QVERIFY2(h().focusTarget() == atStart, "only the slide's end moves the focus");
        if (run == secondPressAfterRun) {
            h().press(u"cmdAbtOK"_s);
        } else {
            h().seam.Timer3_Timer();
            ++ticked;
        }
    }
    QCOMPARE(ticked, ticks);
    QCOMPARE(h().seam.panelLeft(), -4950.0);
    QVERIFY(h().window.findChild<QFrame *>(u"pct1"_s)->geometry().right() < 0);
    QCOMPARE(h().focusTarget(), idNo);
}

void MainWindowBehaviourTest::validWhenAlreadyTallOnlyEnablesPrint_data()
{
    QTest::addColumn<bool>("dragged");
    QTest::addColumn<double>("height");

    QTest::newRow("expanded after a grow") << false << 5585.0;
    // 400 pixels of client area plus the modelled frame of 405 twips.
    QTest::newRow("frame dragged taller than 5550 while no timer ran") << true << 6405.0;
}

void MainWindowBehaviourTest::validWhenAlreadyTallOnlyEnablesPrint()
{
    QFETCH(bool, dragged);
    QFETCH(double, height);

    if (dragged)
        h().window.resize(h().window.width(), 400);
    else
        h().setHeight(height);

    h().enter(ValidNumber);

    QCOMPARE(h().height(), height);
    QVERIFY(h().printEnabled());
    QCOMPARE(h().interval(u"Timer1"_s), Stopped);
    QCOMPARE(h().resultTexts(), ValidTexts);
}

void MainWindowBehaviourTest::badNumberAfterAGrowTakesPrint()
{
    h().enter(ValidNumber);
    QCOMPARE(tickUntilStopped(&Form1TestAccess::Timer1_Timer, u"Timer1"_s), 57);
    QVERIFY(h().printEnabled());

    h().enter(BadNumberNumber);
    QVERIFY(!h().window.isVisible());
    QVERIFY(h().dialogShown());
    QCOMPARE(h().desktop.beeps, 1);
    QVERIFY2(!h().printEnabled(), "no sheet pairs the rejected number with the emptied results");
    QCOMPARE(h().resultTexts(), EmptyTexts);

    h().pressDialogOk();
    QVERIFY(h().window.isVisible());
    QVERIFY(!h().dialogShown());
    QCOMPARE(h().height(), RestoredHeight);
    QCOMPARE(h().seam.outer().width(), RestoredWidth);
    QVERIFY(!h().printEnabled());
    QCOMPARE(h().field(u"txtIDNo"_s)->text(), BadNumberNumber);
    QCOMPARE(h().window.focusWidget(), h().field(u"txtIDNo"_s));
}

void MainWindowBehaviourTest::badNumberWhileGrowing_data()
{
    QTest::addColumn<bool>("dialogOkBeforeTheEnd");
    QTest::addColumn<int>("stepsAfterDialogOk");

    QTest::newRow("the hidden window grows to its end, no Print, then collapses to 2580") << false << 0;
    QTest::newRow("the dialog's OK mid-growth: grows again from 2580, 60 steps") << true << 60;
}

void MainWindowBehaviourTest::badNumberWhileGrowing()
{
    QFETCH(bool, dialogOkBeforeTheEnd);
    QFETCH(int, stepsAfterDialogOk);

    constexpr int StepsBeforeTheBadNumber = 10;
    h().enter(ValidNumber);
    for (int tick = 1; tick < StepsBeforeTheBadNumber; ++tick)
        h().seam.Timer1_Timer();
    h().enter(BadNumberNumber);
    QVERIFY(!h().window.isVisible());
    QCOMPARE(h().interval(u"Timer1"_s), Running);

    if (!dialogOkBeforeTheEnd) {
        QCOMPARE(tickUntilStopped(&Form1TestAccess::Timer1_Timer, u"Timer1"_s), 58 - StepsBeforeTheBadNumber);
        QVERIFY(!h().window.isVisible());
        QCOMPARE(h().height(), 5585.0);
        QVERIFY2(!h().printEnabled(), "the growth outlived its number");
    }
    h().pressDialogOk();
    QCOMPARE(h().height(), RestoredHeight);
    QCOMPARE(tickUntilStopped(&Form1TestAccess::Timer1_Timer, u"Timer1"_s), stepsAfterDialogOk);
    QCOMPARE(h().height(), dialogOkBeforeTheEnd ? 5580.0 : RestoredHeight);
    QVERIFY(!h().printEnabled());
    QCOMPARE(h().desktop.beeps, 1);
}

void MainWindowBehaviourTest::turnAboutEndsGrownOrCollapsed_data()
{
    QTest::addColumn<bool>("cancelFirst");
    QTest::addColumn<int>("ticksBetween");

    QTest::newRow("Esc then Enter at once: grown again, Print enabled") << true << 0;
    QTest::newRow("Esc then Enter mid-shrink: grows back") << true << 20;
    QTest::newRow("Enter then Esc at once: collapsed and reset") << false << 0;
    QTest::newRow("Enter then Esc mid-growth: shrinks back") << false << 20;
}

void MainWindowBehaviourTest::turnAboutEndsGrownOrCollapsed()
{
    QFETCH(bool, cancelFirst);
    QFETCH(int, ticksBetween);

    if (cancelFirst) {
        h().enter(ValidNumber);
        tickUntilStopped(&Form1TestAccess::Timer1_Timer, u"Timer1"_s);
        h().press(u"cmdCancel"_s);
        for (int tick = 0; tick < ticksBetween; ++tick)
            h().seam.Timer2_Timer();
        h().press(u"cmdtext"_s);
    } else {
        h().enter(ValidNumber);
        for (int tick = 0; tick < ticksBetween; ++tick)
            h().seam.Timer1_Timer();
        h().press(u"cmdCancel"_s);
    }
    // The later press stopped the other timer: one animation runs, alone.
    QCOMPARE(h().interval(u"Timer1"_s) + h().interval(u"Timer2"_s), Running);

    // Both timers' ticks as they come, turn about; equal steps against each
    // other would hold the window half open for ever.
    int rounds = 0;
    for (; rounds < RunawayLimit && (h().interval(u"Timer1"_s) == Running || h().interval(u"Timer2"_s) == Running);
         ++rounds) {
        if (h().interval(u"Timer1"_s) == Running)
            h().seam.Timer1_Timer();
        if (h().interval(u"Timer2"_s) == Running)
            h().seam.Timer2_Timer();
    }
    QVERIFY2(rounds <= LongestAnimationRuns, "from anywhere the window ends within one animation's steps");
    if (cancelFirst) {
        QVERIFY(h().height() > ExpandedThreshold);
        QVERIFY(h().printEnabled());
        QCOMPARE(h().resultTexts(), ValidTexts);
    } else {
        QVERIFY(h().height() < CollapsedThreshold);
        QVERIFY(!h().printEnabled());
        QCOMPARE(h().field(u"txtIDNo"_s)->text(), QString());
        QCOMPARE(h().resultTexts(), EmptyTexts);
    }
}

void MainWindowBehaviourTest::animationsFinishWhileHidden_data()
{
    QTest::addColumn<bool>("slide");

    QTest::newRow("the slide ends while the window is hidden") << true;
    QTest::newRow("the shrink ends while the window is hidden") << false;
}

void MainWindowBehaviourTest::animationsFinishWhileHidden()
{
    QFETCH(bool, slide);

    QLineEdit *const idNo = h().field(u"txtIDNo"_s);
    h().press(slide ? u"cmdAbtOK"_s : u"cmdCancel"_s);
    h().enter(BadNumberNumber);
    QVERIFY(!h().window.isVisible());

    if (slide) {
        for (int run = 0; run < RunawayLimit && h().interval(u"Timer3"_s) == Running; ++run)
            h().seam.Timer3_Timer();
        QCOMPARE(h().seam.panelLeft(), -4950.0);
        QCOMPARE(idNo->text(), BadNumberNumber);
    } else {
        QCOMPARE(tickUntilStopped(&Form1TestAccess::Timer2_Timer, u"Timer2"_s), 0);
        QCOMPARE(idNo->text(), QString());
    }
    QCOMPARE(h().interval(slide ? u"Timer3"_s : u"Timer2"_s), Stopped);
    QVERIFY(!h().window.isVisible());
    QCOMPARE(h().seam.outer().pendingFocus(), idNo);
    QCOMPARE(h().desktop.quits, 0);

    h().pressDialogOk();
    QVERIFY(h().window.isVisible());
    QCOMPARE(h().window.focusWidget(), idNo);
}

void MainWindowBehaviourTest::stepsWhileMinimizedLandOnRestore_data()
{
    QTest::addColumn<bool>("grow");
    QTest::addColumn<int>("steps");
    QTest::addColumn<double>("end");

    QTest::newRow("a grow runs to its end while minimized") << true << 58 << 5585.0;
    QTest::newRow("a shrink runs to its end while minimized") << false << 58 << 2680.0;
}

void MainWindowBehaviourTest::stepsWhileMinimizedLandOnRestore()
{
    QFETCH(bool, grow);
    QFETCH(int, steps);
    QFETCH(double, end);

    const QString timerName = grow ? u"Timer1"_s : u"Timer2"_s;
    if (grow) {
        h().enter(ValidNumber);
    } else {
        h().setHeight(5580);
        h().press(u"cmdCancel"_s);
    }
    h().window.showMinimized();
    const int ticks =
        tickUntilStopped(grow ? &Form1TestAccess::Timer1_Timer : &Form1TestAccess::Timer2_Timer, timerName);

    QCOMPARE(ticks + 1, steps);
    QCOMPARE(h().interval(timerName), Stopped);
    QVERIFY2(h().window.isMinimized(), "a step never pops the window up");
    QCOMPARE(h().printEnabled(), grow);
    QCOMPARE(h().height(), end);

    h().window.showNormal();
    QCOMPARE(h().height(), end);
    QCOMPARE(h().window.height(), twips::toPixels(end - 405));
}

void MainWindowBehaviourTest::hijriFieldEmptiedWithTheOthers_data()
{
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<QString>("hijri");

    const QString cancel = u"Cancel"_s;
    QTest::newRow("OK empties it before the date check rejects")
        << QStringList{ValidNumber, BadDateNumber} << QString();
    QTest::newRow("the BadNumber path empties the rejected number's Hijri date")
        << QStringList{ValidNumber, BadNumberNumber} << QString();
    QTest::newRow("a number without digits in front forms none and leaves it empty")
        << QStringList{ValidNumber, LettersNumber} << QString();
    QTest::newRow("the end of the shrink empties it") << QStringList{ValidNumber, cancel} << QString();
    QTest::newRow("only a decoding that forms one writes it again")
        << QStringList{ValidNumber, BadNumberNumber, ValidNumber} << ValidTexts.last();
}

void MainWindowBehaviourTest::hijriFieldEmptiedWithTheOthers()
{
    QFETCH(QStringList, presses);
    QFETCH(QString, hijri);

    for (const QString &press : presses) {
        // Collapsed below the shrink's threshold, so Cancel resets at once
        // and nothing animates.
        h().setHeight(RestoredHeight);
        if (press == u"Cancel")
            h().press(u"cmdCancel"_s);
        else
            h().enter(press);
        if (h().dialogShown())
            h().pressDialogOk();
    }
    QCOMPARE(h().field(u"txtHDateOB"_s)->text(), hijri);
    // It goes with the other four, whichever way they went.
    QCOMPARE(h().field(u"txtHDateOB"_s)->text().isEmpty(), h().field(u"txtDateOB"_s)->text().isEmpty());
}

void MainWindowBehaviourTest::exitEndsTheProgramAtOnce_data()
{
    QTest::addColumn<QString>("before");

    QTest::newRow("while the window grows") << ValidNumber;
    QTest::newRow("with the dialog up") << BadDateNumber;
    QTest::newRow("while the panel slides") << u"cmdAbtOK"_s;
}

void MainWindowBehaviourTest::exitEndsTheProgramAtOnce()
{
    QFETCH(QString, before);

    if (before == u"cmdAbtOK")
        h().press(before);
    else
        h().enter(before);
    const Snapshot running = h().snapshot();

    h().press(u"cmdExit"_s);

    QCOMPARE(h().desktop.quits, 1);
    QCOMPARE(h().desktop.errors.size(), 0);
    QVERIFY2(h().snapshot() == running, "Exit does nothing but end the program");
}

void MainWindowBehaviourTest::printHandsOverTheSixTexts_data()
{
    // Entered one after another, each grown to its end or its dialog put away.
    QTest::addColumn<QStringList>("numbers");
    // A digit typed onto the last number: never, while it grows, or once grown.
    QTest::addColumn<QString>("digitTyped");
    QTest::addColumn<QString>("handEdited");
    // The sheet's number and results; no number: Print stays disabled.
    QTest::addColumn<QString>("printedNumber");
    QTest::addColumn<QStringList>("printed");

    const QStringList edited{ValidTexts.at(0), ValidTexts.at(1), u"Female"_s, ValidTexts.at(3), ValidTexts.at(4)};
    const QString never;
    const QString growing = u"growing"_s;
    const QString grown = u"grown"_s;
    QTest::newRow("the results of a valid number")
        << QStringList{ValidNumber} << never << QString() << ValidNumber << ValidTexts;
    QTest::newRow("a field changed by hand prints as changed")
        << QStringList{ValidNumber} << never << u"Female"_s << ValidNumber << edited;
    QTest::newRow("a rejected number after a valid one: no sheet of blanks")
        << QStringList{ValidNumber, BadNumberNumber} << never << QString() << QString() << QStringList();
    QTest::newRow("a bad date after a valid one: no sheet of blanks")
        << QStringList{ValidNumber, BadDateNumber} << never << QString() << QString() << QStringList();
    QTest::newRow("the number typed over once grown: not beside the old results")
        << QStringList{ValidNumber} << grown << QString() << QString() << QStringList();
    QTest::newRow("the number typed over while growing: the growth offers no sheet")
        << QStringList{ValidNumber} << growing << QString() << QString() << QStringList();
}

void MainWindowBehaviourTest::printHandsOverTheSixTexts()
{
    QFETCH(QStringList, numbers);
    QFETCH(QString, digitTyped);
    QFETCH(QString, handEdited);
    QFETCH(QString, printedNumber);
    QFETCH(QStringList, printed);

    QLineEdit *const idNo = h().field(u"txtIDNo"_s);
    for (const QString &number : numbers) {
        h().enter(number);
        if (h().dialogShown())
            h().pressDialogOk();
        if (digitTyped == u"growing")
            QTest::keyClick(idNo, Qt::Key_1);
        tickUntilStopped(&Form1TestAccess::Timer1_Timer, u"Timer1"_s);
    }
    if (digitTyped == u"grown")
        QTest::keyClick(idNo, Qt::Key_1);
    if (!handEdited.isEmpty())
        h().field(u"txtSex"_s)->setText(handEdited);

    if (printedNumber.isEmpty()) {
        QVERIFY(!h().printEnabled());
        QVERIFY(!pressPrint(500));
        QCOMPARE(h().printer.begun.load(), 0);
        return;
    }
    QVERIFY(pressPrint());
    QCOMPARE(h().printer.sheets.size(), 1);
    // IdNo, DateOB, HDateOB, DayOB, Sex, Age, as the sheet has them.
    const QStringList sheet = detailValues(h().printer.sheets.constFirst());
    QCOMPARE(sheet.size(), 6);
    QCOMPARE(sheet.at(0), printedNumber);
    QCOMPARE((QStringList{sheet.at(1), sheet.at(3), sheet.at(4), sheet.at(5), sheet.at(2)}), printed);
    // Stamped with the desktop's date, 7 December 2026.
    const QString stamp = stampOf(h().printer.sheets.constFirst());
    QVERIFY2(stamp.endsWith(QLocale().standaloneMonthName(12) + u"  2026"_s), qPrintable(stamp));
    QCOMPARE(h().desktop.errors.size(), 0);
}

void MainWindowBehaviourTest::printAnswersAreShownAndChangeNothing_data()
{
    QTest::addColumn<int>("printKind");
    // The user's answers: "save" or "close" to each failure message, a path
    // or "" (cancelled) to each file dialog; which files cannot be saved in.
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("failingFiles");
    // What the user then sees and what was saved.
    QTest::addColumn<int>("failureMessages");
    QTest::addColumn<int>("notices");
    QTest::addColumn<QStringList>("savedFiles");

    const int done = int(PrintAnswer::Kind::Done);
    const int waiting = int(PrintAnswer::Kind::Waiting);
    const int failed = int(PrintAnswer::Kind::Failed);
    const QString sheet = u"/home/user/Documents/811231234V.pdf"_s;
    const QString other = u"/tmp/elsewhere.pdf"_s;

    QTest::newRow("printed: nothing to say")
        << done << QStringList() << QStringList() << QStringList() << 0 << 0 << QStringList();
    QTest::newRow("paused queue: a notice, no offer")
        << waiting << QStringList() << QStringList() << QStringList() << 0 << 1 << QStringList();
    QTest::newRow("failure closed: nothing saved")
        << failed << QStringList{u"close"_s} << QStringList() << QStringList() << 1 << 0 << QStringList();
    QTest::newRow("save offered, file dialog cancelled: nothing saved")
        << failed << QStringList{u"save"_s} << QStringList{QString()} << QStringList() << 1 << 0 << QStringList();
    QTest::newRow("save offered and taken: saved once")
        << failed << QStringList{u"save"_s} << QStringList{sheet} << QStringList() << 1 << 0 << QStringList{sheet};
    QTest::newRow("saving fails, the second try elsewhere works")
        << failed << QStringList{u"save"_s, u"save"_s} << QStringList{sheet, other} << QStringList{sheet} << 2 << 0
        << QStringList{sheet, other};
    QTest::newRow("saving fails, then closed") << failed << QStringList{u"save"_s, u"close"_s} << QStringList{sheet}
                                               << QStringList{sheet} << 2 << 0 << QStringList{sheet};
}

void MainWindowBehaviourTest::printAnswersAreShownAndChangeNothing()
{
    QFETCH(int, printKind);
    QFETCH(QStringList, choices);
    QFETCH(QStringList, files);
    QFETCH(QStringList, failingFiles);
    QFETCH(int, failureMessages);
    QFETCH(int, notices);
    QFETCH(QStringList, savedFiles);

    const QString printer = u"Office"_s;
    const QString reason = u"The printer is out of paper."_s;
    if (PrintAnswer::Kind(printKind) == PrintAnswer::Kind::Waiting)
        h().printer.answer = {SheetDestination::Failure::None, printer, {}, true};
    else if (PrintAnswer::Kind(printKind) == PrintAnswer::Kind::Failed)
        h().printer.answer = {SheetDestination::Failure::FailedWhilePrinting, printer, reason};
    h().printer.failingFiles = failingFiles;
    for (const QString &choice : choices)
        h().desktop.choices.append(choice == u"save" ? Desktop::FailureChoice::SaveAsPdf
                                                     : Desktop::FailureChoice::Close);
    h().desktop.chosenFiles = files;
    h().enter(ValidNumber);
    tickUntilStopped(&Form1TestAccess::Timer1_Timer, u"Timer1"_s);
    h().press(u"cmdAbtOK"_s);
    // The timers run on while Print waits: the slide ends first, so that
    // what is compared is only what the press could change.
    tickUntilStopped(&Form1TestAccess::Timer3_Timer, u"Timer3"_s);
    const Snapshot before = h().snapshot();

    QVERIFY(pressPrint());

    QCOMPARE(h().printer.begun.load(), 1 + savedFiles.size());
    QCOMPARE(h().desktop.errors.size(), failureMessages);
    QCOMPARE(h().desktop.notices.size(), notices);
    for (const RecordingDesktop::Error &shown : h().desktop.errors + h().desktop.notices) {
        QCOMPARE(shown.parent, &h().window);
        QVERIFY(!shown.title.isEmpty());
    }
    if (failureMessages > 0) {
        const QString message = h().desktop.errors.constFirst().text;
        QVERIFY2(message.contains(u"\"Office\" went wrong"_s) && message.endsWith(reason), qPrintable(message));
    }
    if (failureMessages > 1) {
        const QString message = h().desktop.errors.constLast().text;
        QVERIFY2(message.contains(u"saved"_s) && message != h().desktop.errors.constFirst().text, qPrintable(message));
    }
    if (notices > 0) {
        const QString notice = h().desktop.notices.constFirst().text;
        QVERIFY2(notice.contains(u"queue of \"Office\", which is paused"_s), qPrintable(notice));
    }
    QStringList saved;
    const RecordedSheet printed = h().printer.sheets.constFirst();
    QVERIFY(printed.file.isEmpty());
    for (const RecordedSheet &one : h().printer.sheets.mid(1)) {
        saved.append(one.file);
        QCOMPARE(detailValues(one).constFirst(), ValidNumber);
        QCOMPARE(detailValues(one).constLast(), detailValues(printed).constLast());
        QCOMPARE(stampOf(one), stampOf(printed));
    }
    QCOMPARE(saved, savedFiles);
    for (const QString &offered : h().desktop.offeredNames)
        QCOMPARE(offered, u"811231234V.pdf"_s);
    QVERIFY2(h().snapshot() == before, "whatever the answer, the window stays as it was");
    QCOMPARE(h().desktop.quits, 0);
}

void MainWindowBehaviourTest::timersRunTheAnimationsOnTheirOwn()
{
    constexpr int Patience = 10000; // milliseconds; a few hundred ticks of 1 ms

    h().enter(ValidNumber);
    QTRY_VERIFY_WITH_TIMEOUT(h().printEnabled(), Patience);
    QCOMPARE(h().height(), 5585.0);
    QCOMPARE(h().interval(u"Timer1"_s), Stopped);

    h().press(u"cmdCancel"_s);
    QTRY_COMPARE_WITH_TIMEOUT(h().interval(u"Timer2"_s), Stopped, Patience);
    QCOMPARE(h().height(), 2635.0);
    QCOMPARE(h().field(u"txtIDNo"_s)->text(), QString());

    h().press(u"cmdAbtOK"_s);
    QTRY_COMPARE_WITH_TIMEOUT(h().interval(u"Timer3"_s), Stopped, Patience);
    QCOMPARE(h().seam.panelLeft(), -4950.0);
}

void MainWindowBehaviourTest::sampleNumbersAsBothProgramsShowThem_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QStringList>("texts");
    for (const samples::SampleNumber &sample : samples::Numbers) {
        QStringList texts;
        for (const std::string_view text : sample.windowTexts)
            texts << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        QTest::newRow(std::string(sample.name).c_str())
            << QString::fromUtf8(sample.number.data(), static_cast<qsizetype>(sample.number.size()))
            << QString::fromUtf8(sample.windowVerdict.data(), static_cast<qsizetype>(sample.windowVerdict.size()))
            << texts;
    }
}

// The verdict as the user sees it: a valid number grows the window, a
// rejected date brings the dialog over it, any other rejected number hides it.
void MainWindowBehaviourTest::sampleNumbersAsBothProgramsShowThem()
{
    QFETCH(QString, number);
    QFETCH(QString, verdict);
    QFETCH(QStringList, texts);

    h().enter(number);
    const QString seen = !h().dialogShown() ? u"valid"_s : h().window.isVisible() ? u"bad-date"_s : u"bad-number"_s;
    QCOMPARE(seen, verdict);
    if (verdict != u"valid")
        return;
    const QStringList fieldsTopToBottom{u"txtDateOB"_s, u"txtHDateOB"_s, u"txtDayOB"_s, u"txtSex"_s, u"txtAge"_s};
    QStringList shown;
    for (const QString &name : fieldsTopToBottom)
        shown << h().field(name)->text();
    QCOMPARE(shown, texts);
}

QTEST_MAIN(MainWindowBehaviourTest)
// While a slow print system holds the press, the window's thread goes on:
// a timer ticks without a gap, the about panel slides, and Print pressed
// again comes to nothing.
void MainWindowBehaviourTest::printWaitsOffTheWindowThread()
{
    constexpr std::chrono::milliseconds Held{800};
    // A press on the window's thread would stall the ticks for the whole hold;
    // a busy machine's scheduler alone can hold them for over 100 ms.
    constexpr qint64 LongestGap = Held.count() / 2; // milliseconds
    h().printer.hold = Held;
    h().enter(ValidNumber);
    QTRY_VERIFY_WITH_TIMEOUT(h().printEnabled(), 10000);
    h().press(u"cmdAbtOK"_s);
    const double panelBefore = h().seam.panelLeft();

    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setInterval(10);
    connect(&ticker, &QTimer::timeout, this, [&] { longestGap = qMax(longestGap, sinceTick.restart()); });
    int pressesAgain = 0;
    QTimer::singleShot(Held / 4, this, [&] {
        h().press(u"cmdPrint"_s);
        ++pressesAgain;
    });
    QElapsedTimer press;
    qint64 ended = -1;
    connect(&h().printing, &PrintService::pressEnded, this, [&] { ended = press.elapsed(); });
    press.start();
    sinceTick.start();
    ticker.start();
    h().press(u"cmdPrint"_s);
    QTRY_VERIFY_WITH_TIMEOUT(ended >= 0, 10000);
    ticker.stop();

    QCOMPARE_GE(ended, qint64(Held.count()));
    QCOMPARE(pressesAgain, 1);
    QCOMPARE(h().printer.begun.load(), 1);
    QCOMPARE(h().printer.sheets.size(), 1);
    qInfo("longest gap between two ticks while the press waited: %lld ms", longestGap);
    QCOMPARE_LT(longestGap, LongestGap);
    QCOMPARE_LT(h().seam.panelLeft(), panelBefore);
    QCOMPARE(h().desktop.quits, 0);
}

void MainWindowBehaviourTest::printGivesUpOnlyOnThePrintSystem_data()
{
    // Whether the print system falls silent once it takes the drawn sheet
    // rather than before the sheet begins, and whether the printer's own
    // window is open for the user meanwhile; the press's limit, which a
    // sheet taken after it is drawn must outlast the drawing by far, even
    // under a memory checker.
    QTest::addColumn<bool>("whileTaking");
    QTest::addColumn<bool>("asksTheUser");
    QTest::addColumn<int>("limitMs");
    QTest::newRow("print system silent: given up, not printed") << false << false << 300;
    QTest::newRow("printer's own window open: waited for") << false << true << 300;
    QTest::newRow("print system silent while it takes the sheet: given up, may still print") << true << false << 900;
}

// A print system that holds the press past the limit is given up on: the
// window says so, and says so again at each press until the print system
// lets go; then Print prints again. A sheet given up before the print
// system took it is never handed over; one it was taking may still print,
// and the message says so. The time the user spends in the printer's own
// window does not count.
void MainWindowBehaviourTest::printGivesUpOnlyOnThePrintSystem()
{
    QFETCH(bool, whileTaking);
    QFETCH(bool, asksTheUser);
    QFETCH(int, limitMs);
    const std::chrono::milliseconds limit{limitMs};
    constexpr std::chrono::milliseconds Held{1500};
    m_h = std::make_unique<Harness>(limit);
    (whileTaking ? h().printer.holdTaking : h().printer.hold) = Held;
    h().printer.asksTheUser = asksTheUser;
    h().enter(ValidNumber);
    QTRY_VERIFY_WITH_TIMEOUT(h().printEnabled(), 10000);
    const auto givenUp = [this] {
        qsizetype count = 0;
        for (const RecordingDesktop::Error &error : h().desktop.errors)
            count += error.text.contains(u"did not answer within"_s) ? 1 : 0;
        return count;
    };
    const auto saysItMayStillPrint = [this, whileTaking] {
        for (const RecordingDesktop::Error &error : h().desktop.errors) {
            const bool says = error.text.contains(u"\n\nIt stopped answering while it was taking the sheet, so the "
                                                  "sheet may still print: look at the printer's queue before you "
                                                  "print again."_s);
            if (says != whileTaking)
                return false;
        }
        return true;
    };

    QElapsedTimer press;
    press.start();
    QVERIFY(pressPrint());
    const qint64 waited = press.elapsed();

    if (asksTheUser) {
        QCOMPARE_GE(waited, qint64(Held.count()));
        QCOMPARE(givenUp(), 0);
        QCOMPARE(h().desktop.errors.size(), 0);
        QCOMPARE(h().printer.sheets.size(), 1);
        return;
    }
    QCOMPARE_GE(waited, qint64(limit.count()));
    QCOMPARE_LT(waited, qint64(Held.count()));
    QCOMPARE(givenUp(), 1);
    QCOMPARE(h().desktop.errors.size(), 1);
    QVERIFY2(saysItMayStillPrint(), qPrintable(h().desktop.errors.constFirst().text));
    QVERIFY2(!h().printing.letGo(), "the print system holds the sheet no longer");

    // Held by the print system: each press says so again at once.
    h().press(u"cmdPrint"_s);
    QTRY_COMPARE_WITH_TIMEOUT(givenUp(), 2, 100);
    QCOMPARE(h().desktop.errors.size(), 2);
    QVERIFY2(saysItMayStillPrint(), qPrintable(h().desktop.errors.constLast().text));
    QCOMPARE(h().printer.begun.load(), 1);

    // Let go: the sheet given up is handed over only if the print system
    // was already taking it, and Print prints again.
    QTRY_VERIFY_WITH_TIMEOUT(h().printing.letGo(), 10000);
    // The service hears of its thread's end, which was posted before that end.
    QCoreApplication::sendPostedEvents(&h().printing);
    QCOMPARE(h().printer.sheets.size(), whileTaking ? 1 : 0);
    h().printer.hold = {};
    h().printer.holdTaking = {};
    QVERIFY(pressPrint());
    QCOMPARE(h().printer.begun.load(), 2);
    QCOMPARE(h().printer.sheets.size(), whileTaking ? 2 : 1);
    QCOMPARE(h().desktop.errors.size(), 2);
}

#include "main_window_behaviour_test.moc"
