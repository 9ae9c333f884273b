// The invalid-number dialog through its real objects: its layout, its one
// painted border, where it first appears, and its OK from every state the
// main window can be in (hidden, visible, dragged to another size,
// minimized, maximized), by click, Enter, Space or a close from outside;
// and that OK touches nothing but the main window's visibility and size.

#include "button_face.h"
#include "fonts.h"
#include "interval_timer.h"
#include "main_window_sizes.h"
#include "invalid_number_dialog.h"
#include "text_ink.h"
#include "twips.h"
#include "twips_geometry.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <cmath>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QColor Black{0, 0, 0};
const QColor Red{255, 0, 0};
const QColor LightYellow{255, 255, 128};

// What OK leaves the main window at, in pixels of client area: 4440 x 2580
// twips outer, less the modelled frame.
const QSize RestoredClient{288, 145};

enum class MainWindowState { Hidden, Visible, Resized, Minimized, Maximized, HiddenWhileMinimized };
enum class Dismissal { Click, Enter, KeypadEnter, Space, CloseFromOutside };

// Everything of the main window that OK must leave alone.
struct Untouched
{
    double left = 0;
    double top = 0;
    double panelLeft = 0;
    QStringList texts;
    bool print = false;
    QList<int> intervals;
    QString focus;

    friend bool operator==(const Untouched &, const Untouched &) = default;
};

} // namespace

Q_DECLARE_METATYPE(MainWindowState)
Q_DECLARE_METATYPE(Dismissal)

class InvalidNumberDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { m_w.reset(); }

    void windowItself();
    void controls_data();
    void controls();
    void onlyOkTakesTheFocus();
    void messageAndOkAreNotClipped_data();
    void messageAndOkAreNotClipped();
    void okIsPaintedInItsColour();
    void borderIsOnePixelOnEverySide();
    void centredOnTheScreenOnlyWhenFirstShown();
    void okBringsTheMainWindowBack_data();
    void okBringsTheMainWindowBack();
    void escapeDoesNothing();
    void theSameDialogEachTime();

private:
    frmInv &dialog() const { return *m_w->seam.invalidNumberDialog(); }
    QWidget *control(const QString &name) const { return dialog().findChild<QWidget *>(name); }
    Untouched untouched() const;
    void dismiss(Dismissal how);

    std::unique_ptr<MainWindowOnDoubles> m_w;
};

void InvalidNumberDialogTest::initTestCase()
{
    // The offscreen platform cannot raise windows and says so each time the
    // dialog comes up; that is no fault of the dialog.
    static QtMessageHandler next = nullptr;
    next = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (message != u"This plugin does not support raise()")
            next(type, context, message);
    });
}

void InvalidNumberDialogTest::init()
{
    m_w = std::make_unique<MainWindowOnDoubles>();
    m_w->window.Form_Load();
    m_w->window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_w->window));
    m_w->seam.showInvalidNumberDialog();
    QVERIFY(m_w->seam.invalidNumberDialog());
    QVERIFY(QTest::qWaitForWindowExposed(&dialog()));
}

Untouched InvalidNumberDialogTest::untouched() const
{
    const Form1 &window = m_w->window;
    Untouched state;
    state.left = m_w->seam.outer().left();
    state.top = m_w->seam.outer().top();
    state.panelLeft = m_w->seam.panelLeft();
    for (const QLineEdit *field : window.findChildren<QLineEdit *>())
        state.texts << field->objectName() + u'=' + field->text();
    state.print = m_w->control<QPushButton>(u"cmdPrint"_s)->isEnabled();
    for (const IntervalTimer *timer : window.findChildren<IntervalTimer *>())
        state.intervals << timer->interval();
    state.focus = window.focusWidget() ? window.focusWidget()->objectName() : QString();
    return state;
}

void InvalidNumberDialogTest::windowItself()
{
    frmInv &shown = dialog();
    QCOMPARE(shown.objectName(), u"frmInv"_s);
    QVERIFY(shown.isWindow());
    QVERIFY(!shown.parentWidget()); // no owner
    const Qt::WindowFlags flags = shown.windowFlags();
    QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
    // A window of its own, so it has its own task-bar entry; not a tool
    // window, a dialog or a sheet that would hang on the main window.
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);
    QVERIFY(!shown.windowHandle()->transientParent());
    QCOMPARE(shown.windowModality(), Qt::NonModal);
    QVERIFY(m_w->window.isEnabled());
    // Outer 4815 x 2415, client 4785 x 2385, not resizable.
    QCOMPARE(shown.size(), QSize(321, 161));
    QCOMPARE(shown.minimumSize(), shown.maximumSize());
    QVERIFY(shown.autoFillBackground());
    QCOMPARE(shown.palette().color(QPalette::Window), Black);
}

void InvalidNumberDialogTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("twipsRect"); // in the client area, inside the border
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("textColour"); // invalid: not shown
    QTest::addColumn<QColor>("background");

    // Stacking order, topmost first.
    QTest::newRow("cmdOK") << u"cmdOK"_s << QRectF(1905, 1800, 975, 375) << u"OK"_s << fonts::LargePoints << false
                           << QColor() << LightYellow;
    QTest::newRow("imgCross") << u"imgCross"_s << QRectF(1800, 120, 930, 960) << QString() << 0.0 << false << QColor()
                              << QColor();
    QTest::newRow("lblMSG") << u"lblMSG"_s << QRectF(165, 1080, 4455, 255) << u"You have entered an invalid number"_s
                            << 12.0 << true << Red << Black;
}

void InvalidNumberDialogTest::controls()
{
    QFETCH(QString, name);
    QFETCH(QRectF, twipsRect);
    QFETCH(QString, text);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(QColor, textColour);
    QFETCH(QColor, background);

    QWidget *shown = control(name);
    QVERIFY(shown);
    constexpr int Border = 1;
    QCOMPARE(shown->geometry(),
             QRect(Border + twips::toPixels(twipsRect.left()), Border + twips::toPixels(twipsRect.top()),
                   twips::toPixels(twipsRect.width()), twips::toPixels(twipsRect.height())));

    if (auto *button = qobject_cast<QPushButton *>(shown)) {
        QCOMPARE(button->text(), text);
        QCOMPARE(button->palette().color(QPalette::Button), background);
        // The light scheme's button text, whatever the desktop's.
        QCOMPARE(button->palette().color(QPalette::ButtonText), Black);
        QVERIFY(button->style() != QApplication::style());
    } else if (auto *label = qobject_cast<QLabel *>(shown); label && !text.isEmpty()) {
        QCOMPARE(label->text(), text);
        QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), int(Qt::AlignHCenter));
        QVERIFY(label->autoFillBackground());
        QCOMPARE(label->palette().color(QPalette::WindowText), textColour);
        QCOMPARE(label->palette().color(QPalette::Window), background);
    } else if (label) {
        // The cross at its natural size, not stretched.
        QCOMPARE(label->pixmap().deviceIndependentSize().toSize(), QSize(62, 64));
        QCOMPARE(label->size(), QSize(62, 64));
        // With the screen's pixels, from the larger picture where it has more.
        QCOMPARE(label->pixmap().width(), qRound(62 * label->devicePixelRatioF()));
        QVERIFY(!label->hasScaledContents());
    }
    if (points > 0) {
        QCOMPARE(shown->font().family(), fonts::familyFor(points, bold, false));
        QCOMPARE(QFontInfo(shown->font()).family(), shown->font().family());
        QCOMPARE(shown->font().pointSizeF(), points);
        QCOMPARE(shown->font().weight(), bold ? QFont::Bold : QFont::Normal);
        QVERIFY(!shown->font().italic());
    }

    // Earlier in the list is drawn above.
    QStringList drawn;
    for (const QObject *child : dialog().children()) {
        if (child->isWidgetType())
            drawn.prepend(child->objectName());
    }
    QCOMPARE(drawn, (QStringList{u"cmdOK"_s, u"imgCross"_s, u"lblMSG"_s}));

    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(shown);
    QVERIFY(!accessible->text(QAccessible::Name).isEmpty());
}

void InvalidNumberDialogTest::onlyOkTakesTheFocus()
{
    QCOMPARE(control(u"lblMSG"_s)->focusPolicy(), Qt::NoFocus);
    QCOMPARE(control(u"imgCross"_s)->focusPolicy(), Qt::NoFocus);
    dialog().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog()));
    QCOMPARE(QApplication::focusWidget(), control(u"cmdOK"_s));
}

void InvalidNumberDialogTest::messageAndOkAreNotClipped_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("message") << u"lblMSG"_s;
    QTest::newRow("OK") << u"cmdOK"_s;
}

void InvalidNumberDialogTest::messageAndOkAreNotClipped()
{
    QFETCH(QString, name);

    QWidget *shown = control(name);
    QRect ink;
    QRect area = shown->rect();
    if (auto *label = qobject_cast<QLabel *>(shown)) {
        ink = inkOf(label->font(), label->contentsRect(), label->alignment(), label->text());
    } else if (auto *button = qobject_cast<QPushButton *>(shown)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        ink = inkOf(button->font(), contents, Qt::AlignCenter | Qt::TextShowMnemonic, button->text());
        const int edge = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
        area = button->rect().marginsRemoved({edge, edge, edge, edge});
    }
    QVERIFY(!ink.isEmpty());
    QVERIFY(area.contains(ink));
}

void InvalidNumberDialogTest::okIsPaintedInItsColour()
{
    auto *ok = qobject_cast<QPushButton *>(control(u"cmdOK"_s));
    QVERIFY(ok);
    for (const bool pressed : {false, true}) {
        ok->setDown(pressed);
        const ButtonPaint paint = paintOf(ok);
        const FaceCount face = countFace(paint, LightYellow);
        QVERIFY(face.checked > paint.face.width() * paint.face.height() / 2);
        QVERIFY2(
            face.wrong == 0,
            qPrintable(u"%1 of %2 face pixels are %3"_s.arg(face.wrong).arg(face.checked).arg(face.firstWrong.name())));
    }
    ok->setDown(false);
}

void InvalidNumberDialogTest::borderIsOnePixelOnEverySide()
{
    // The border takes the palette's window text; a colour of its own here
    // makes it tell apart from the black client area.
    const QColor Marker(0, 200, 0);
    QPalette palette = dialog().palette();
    palette.setColor(QPalette::WindowText, Marker);
    dialog().setPalette(palette);
    const QImage image = dialog().grab().toImage();

    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    for (int x = 0; x <= right; ++x) {
        QCOMPARE(image.pixelColor(x, 0), Marker);
        QCOMPARE(image.pixelColor(x, bottom), Marker);
    }
    for (int y = 0; y <= bottom; ++y) {
        QCOMPARE(image.pixelColor(0, y), Marker);
        QCOMPARE(image.pixelColor(right, y), Marker);
    }
    // Just inside, the client area's black, clear of every control; on a
    // scaled screen the border is as many device pixels wide as it takes.
    const int in = int(std::ceil(image.devicePixelRatio()));
    const QPoint corners[] = {{in, in}, {right - in, in}, {in, bottom - in}, {right - in, bottom - in}};
    for (const QPoint inside : corners)
        QCOMPARE(image.pixelColor(inside), Black);
}

void InvalidNumberDialogTest::centredOnTheScreenOnlyWhenFirstShown()
{
    // The recording desktop's screen is 1024 x 768 pixels.
    const QRect first = dialog().frameGeometry();
    QVERIFY(qAbs(first.center().x() - 512) <= 1);
    QVERIFY(qAbs(first.center().y() - 384) <= 1);

    // Wherever it was put afterwards, it comes back there, not centred again.
    const QPoint elsewhere(40, 50);
    dialog().move(elsewhere);
    QTest::mouseClick(control(u"cmdOK"_s), Qt::LeftButton);
    m_w->desktop.screen = QSizeF(30000, 20000);
    m_w->seam.showInvalidNumberDialog();
    QCOMPARE(dialog().pos(), elsewhere);
}

void InvalidNumberDialogTest::okBringsTheMainWindowBack_data()
{
    QTest::addColumn<MainWindowState>("state");
    QTest::addColumn<Dismissal>("how");

    const std::pair<const char *, MainWindowState> states[] = {
        {"hidden", MainWindowState::Hidden},
        {"visible", MainWindowState::Visible},
        {"dragged to another size", MainWindowState::Resized},
        {"minimized", MainWindowState::Minimized},
        {"maximized", MainWindowState::Maximized},
        {"hidden while minimized", MainWindowState::HiddenWhileMinimized},
    };
    for (const auto &[name, state] : states)
        QTest::addRow("%s, OK clicked", name) << state << Dismissal::Click;
    QTest::newRow("hidden, Enter") << MainWindowState::Hidden << Dismissal::Enter;
    QTest::newRow("hidden, keypad Enter") << MainWindowState::Hidden << Dismissal::KeypadEnter;
    QTest::newRow("hidden, Space on OK") << MainWindowState::Hidden << Dismissal::Space;
    QTest::newRow("hidden, closed from outside") << MainWindowState::Hidden << Dismissal::CloseFromOutside;
    QTest::newRow("visible, closed from outside") << MainWindowState::Visible << Dismissal::CloseFromOutside;
    QTest::newRow("minimized, closed from outside") << MainWindowState::Minimized << Dismissal::CloseFromOutside;
}

void InvalidNumberDialogTest::dismiss(Dismissal how)
{
    if (how == Dismissal::Click) {
        QTest::mouseClick(control(u"cmdOK"_s), Qt::LeftButton);
        return;
    }
    if (how == Dismissal::CloseFromOutside) {
        // Alt+F4 or the window manager: the platform window is asked to close.
        QCloseEvent close;
        QCoreApplication::sendEvent(dialog().windowHandle(), &close);
        return;
    }
    dialog().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog()));
    const Qt::Key key = how == Dismissal::Enter         ? Qt::Key_Return
                        : how == Dismissal::KeypadEnter ? Qt::Key_Enter
                                                        : Qt::Key_Space;
    QTest::keyClick(QApplication::focusWidget(), key,
                    how == Dismissal::KeypadEnter ? Qt::KeypadModifier : Qt::NoModifier);
}

void InvalidNumberDialogTest::okBringsTheMainWindowBack()
{
    QFETCH(MainWindowState, state);
    QFETCH(Dismissal, how);

    Form1 &window = m_w->window;
    // Some state for OK to leave alone.
    m_w->seam.outer().move(3000, 2000);
    m_w->control<QLineEdit>(u"txtIDNo"_s)->setText(u"811231234Q"_s);
    m_w->control<QLineEdit>(u"txtHDateOB"_s)->setText(u"1401   Jamada al Thani   28"_s);
    m_w->control<QPushButton>(u"cmdPrint"_s)->setEnabled(true);
    m_w->seam.setPanelLeft(-2500);
    m_w->control<IntervalTimer>(u"Timer3"_s)->setInterval(1);
    m_w->control<QLineEdit>(u"txtIDNo"_s)->setFocus();
    const Untouched before = untouched();

    switch (state) {
    case MainWindowState::Hidden:
        window.hide();
        break;
    case MainWindowState::Visible:
        break;
    case MainWindowState::Resized:
        window.resize(410, 380);
        break;
    case MainWindowState::Minimized:
        window.showMinimized();
        break;
    case MainWindowState::Maximized:
        window.showMaximized();
        break;
    case MainWindowState::HiddenWhileMinimized:
        window.showMinimized();
        window.hide();
        break;
    }
    QVERIFY(dialog().isVisible());

    const frmInv *instance = m_w->seam.invalidNumberDialog();
    dismiss(how);

    QCOMPARE(m_w->seam.invalidNumberDialog(), instance); // kept, only hidden
    QVERIFY(!dialog().isVisible());
    QVERIFY(window.isVisible());
    QCOMPARE(window.windowState(), Qt::WindowNoState);
    QCOMPARE(m_w->seam.outer().height(), mainwindow::RestoredHeight);
    QCOMPARE(m_w->seam.outer().width(), mainwindow::RestoredWidth);
    QCOMPARE(window.size(), RestoredClient);
    QVERIFY2(untouched() == before, "OK changes nothing but visibility and size");
}

void InvalidNumberDialogTest::escapeDoesNothing()
{
    Form1 &window = m_w->window;
    window.hide();
    dialog().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog()));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    QVERIFY(dialog().isVisible());
    QVERIFY(!window.isVisible());
    QCOMPARE(m_w->seam.outer().height(), mainwindow::CreatedHeight);
}

void InvalidNumberDialogTest::theSameDialogEachTime()
{
    const frmInv *first = m_w->seam.invalidNumberDialog();
    // A second invalid number while the first dialog is still up.
    m_w->seam.showInvalidNumberDialog();
    QCOMPARE(m_w->seam.invalidNumberDialog(), first);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count(windows.cbegin(), windows.cend(), first), 1);

    QTest::mouseClick(control(u"cmdOK"_s), Qt::LeftButton);
    QVERIFY(!dialog().isVisible());
    m_w->seam.showInvalidNumberDialog();
    QCOMPARE(m_w->seam.invalidNumberDialog(), first);
    QVERIFY(dialog().isVisible());
}

QTEST_MAIN(InvalidNumberDialogTest)
#include "invalid_number_dialog_test.moc"
