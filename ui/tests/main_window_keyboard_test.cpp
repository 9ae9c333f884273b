// The main window's keyboard and close box on a real, active window: which
// button Enter and Esc press from each kind of focused control, the access
// keys, Tab through the layout's order, and closing from the frame, which
// ends the program through the desktop whether or not the dialog exists.

#include "invalid_number_dialog.h"
#include "twips_geometry.h"
#include "window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QCloseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <map>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QStringList Buttons{u"cmdAbtOK"_s, u"cmdtext"_s, u"cmdCancel"_s, u"cmdExit"_s, u"cmdPrint"_s};

// The window manager's close: the platform window hands Qt a close that
// reaches the widget as a spontaneous event, as the close box's does.
void closeFromFrame(QWidget &window)
{
    QCloseEvent close;
    QCoreApplication::sendEvent(window.windowHandle(), &close);
}

constexpr int AnimatedClickWait = 300; // milliseconds; Qt releases after 100

enum class Dialog { None, Hidden, Shown };

} // namespace

Q_DECLARE_METATYPE(Dialog)

class MainWindowKeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_w.reset(); }

    void enterAndEscape_data();
    void enterAndEscape();
    void accessKeys_data();
    void accessKeys();
    void tabFollowsTheLayoutsOrder();
    void closingFromTheFrameEndsTheProgram_data();
    void closingFromTheFrameEndsTheProgram();
    void closingFromTheProgramItselfGoesAhead();
    void aPastedTextComesBackWhole_data();
    void aPastedTextComesBackWhole();

private:
    QWidget *widget(const QString &name) const { return m_w->control(name); }
    void focus(const QString &name);
    // How often each button was pressed since the spies were set.
    std::map<QString, int> presses() const;

    std::unique_ptr<MainWindowOnDoubles> m_w;
    std::map<QString, std::unique_ptr<QSignalSpy>> m_spies;
};

void MainWindowKeyboardTest::init()
{
    m_w = std::make_unique<MainWindowOnDoubles>();
    m_w->window.show();
    m_w->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_w->window));
    m_spies.clear();
    for (const QString &name : Buttons)
        m_spies[name] = std::make_unique<QSignalSpy>(m_w->control<QPushButton>(name), &QPushButton::clicked);
}

void MainWindowKeyboardTest::focus(const QString &name)
{
    QWidget *target = widget(name);
    target->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), target);
}

void MainWindowKeyboardTest::aPastedTextComesBackWhole_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"txtIDNo", "txtDateOB", "txtHDateOB", "txtDayOB", "txtSex", "txtAge"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void MainWindowKeyboardTest::aPastedTextComesBackWhole()
{
    QFETCH(QString, name);
    // Far beyond Qt's default limit of 32767 characters.
    constexpr qsizetype Length = 1'000'000;
    QString pasted(Length, u'7');
    pasted[Length - 1] = u'V';
    QApplication::clipboard()->setText(pasted);
    focus(name);
    QTest::keyClick(widget(name), Qt::Key_V, Qt::ControlModifier);
    const QString text = m_w->control<QLineEdit>(name)->text();
    QCOMPARE(text.size(), Length);
    QCOMPARE(text, pasted);
}

std::map<QString, int> MainWindowKeyboardTest::presses() const
{
    std::map<QString, int> counts;
    for (const auto &[name, spy] : m_spies) {
        if (spy->count() > 0)
            counts[name] = int(spy->count());
    }
    return counts;
}

void MainWindowKeyboardTest::enterAndEscape_data()
{
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("pressed"); // empty: no button

    const auto row = [](const char *name, const char *focused, Qt::Key key, const char *pressed,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::newRow(name) << QString::fromLatin1(focused) << int(key) << modifiers << QString::fromLatin1(pressed);
    };
    row("Enter in the number field presses OK", "txtIDNo", Qt::Key_Return, "cmdtext");
    row("keypad Enter in a result field presses OK", "txtAge", Qt::Key_Enter, "cmdtext", Qt::KeypadModifier);
    row("Enter in the Hijri field, outside any group, presses OK", "txtHDateOB", Qt::Key_Return, "cmdtext");
    row("Enter on the about panel itself presses OK", "pct1", Qt::Key_Return, "cmdtext");
    row("Enter on OK presses it once", "cmdtext", Qt::Key_Return, "cmdtext");
    row("Enter on Cancel presses Cancel", "cmdCancel", Qt::Key_Return, "cmdCancel");
    row("Enter on Exit presses Exit, not OK", "cmdExit", Qt::Key_Return, "cmdExit");
    row("Enter on the about OK presses it", "cmdAbtOK", Qt::Key_Return, "cmdAbtOK");
    row("Esc in the number field presses Cancel", "txtIDNo", Qt::Key_Escape, "cmdCancel");
    row("Esc in a result field presses Cancel", "txtDateOB", Qt::Key_Escape, "cmdCancel");
    row("Esc on Exit presses Cancel", "cmdExit", Qt::Key_Escape, "cmdCancel");
    row("Esc on the about panel presses Cancel", "pct1", Qt::Key_Escape, "cmdCancel");
    row("Space on Exit presses Exit", "cmdExit", Qt::Key_Space, "cmdExit");
    row("Space in the number field presses nothing", "txtIDNo", Qt::Key_Space, "");
}

void MainWindowKeyboardTest::enterAndEscape()
{
    QFETCH(QString, focused);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, pressed);

    focus(focused);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);

    std::map<QString, int> expected;
    if (!pressed.isEmpty())
        expected[pressed] = 1;
    QCOMPARE(presses(), expected);
}

void MainWindowKeyboardTest::accessKeys_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("printEnabled");
    QTest::addColumn<QString>("pressed");

    QTest::newRow("Alt+O presses OK") << Qt::Key_O << false << u"cmdtext"_s;
    QTest::newRow("Alt+X presses Exit") << Qt::Key_X << false << u"cmdExit"_s;
    QTest::newRow("Alt+P presses an enabled Print") << Qt::Key_P << true << u"cmdPrint"_s;
    QTest::newRow("Alt+P leaves a disabled Print alone") << Qt::Key_P << false << QString();
    QTest::newRow("Alt+C marks nothing: Cancel has no access key") << Qt::Key_C << false << QString();
}

void MainWindowKeyboardTest::accessKeys()
{
    QFETCH(Qt::Key, key);
    QFETCH(bool, printEnabled);
    QFETCH(QString, pressed);

    m_w->control<QPushButton>(u"cmdPrint"_s)->setEnabled(printEnabled);
    focus(u"txtIDNo"_s);
    QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
    // An access key presses its button the way a click looks: down, then up
    // a moment later, and only then is it clicked.
    QTest::qWait(AnimatedClickWait);

    std::map<QString, int> expected;
    if (!pressed.isEmpty())
        expected[pressed] = 1;
    QCOMPARE(presses(), expected);
}

void MainWindowKeyboardTest::tabFollowsTheLayoutsOrder()
{
    // With Print enabled every focusable control is on the way once.
    m_w->control<QPushButton>(u"cmdPrint"_s)->setEnabled(true);
    const QStringList order{u"txtDateOB"_s, u"txtDayOB"_s, u"txtSex"_s,   u"txtAge"_s,  u"cmdtext"_s, u"cmdCancel"_s,
                            u"cmdPrint"_s,  u"pct1"_s,     u"cmdAbtOK"_s, u"cmdExit"_s, u"txtIDNo"_s, u"txtHDateOB"_s};
    focus(u"txtIDNo"_s);
    QStringList visited;
    for (qsizetype i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    const qsizetype hijri = order.indexOf(u"txtHDateOB"_s);
    const QStringList fromHijri = order.mid(hijri) + order.first(hijri);
    QCOMPARE(visited, fromHijri);

    // A disabled Print is passed over.
    m_w->control<QPushButton>(u"cmdPrint"_s)->setEnabled(false);
    focus(u"cmdCancel"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"pct1"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"cmdCancel"_s);
}

void MainWindowKeyboardTest::closingFromTheFrameEndsTheProgram_data()
{
    QTest::addColumn<Dialog>("dialog");

    QTest::newRow("no dialog yet") << Dialog::None;
    QTest::newRow("the dialog put away and kept hidden") << Dialog::Hidden;
    QTest::newRow("the dialog up over the window") << Dialog::Shown;
}

void MainWindowKeyboardTest::closingFromTheFrameEndsTheProgram()
{
    QFETCH(Dialog, dialog);

    Form1 &window = m_w->window;
    if (dialog != Dialog::None) {
        m_w->seam.showInvalidNumberDialog();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    if (dialog == Dialog::Hidden)
        m_w->seam.invalidNumberDialog()->hide();

    closeFromFrame(window);

    QCOMPARE(m_w->desktop.quits, 1);
    // Ending is the desktop's job; the window does not close itself on the
    // way, so nothing is left half closed if ending were refused.
    QVERIFY(window.isVisible());
}

void MainWindowKeyboardTest::closingFromTheProgramItselfGoesAhead()
{
    // While the program ends, the desktop closes every window; that close
    // must not ask the desktop to end the program once more.
    m_w->window.close();
    QVERIFY(!m_w->window.isVisible());
    QCOMPARE(m_w->desktop.quits, 0);
}

QTEST_MAIN(MainWindowKeyboardTest)
#include "main_window_keyboard_test.moc"
