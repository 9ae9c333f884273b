// The main window as it stands at creation, control by control, against the
// layout's own tables: containers, twips geometry, texts, fonts, colours,
// stacking, keyboard order, states and accessible names; and, measured at
// the font actually in use, that no caption, title or result text is cut.

#include "button_face.h"
#include "fonts.h"
#include "interval_timer.h"
#include "main_window_sizes.h"
#include "screen_faces.h"
#include "text_ink.h"
#include "twips.h"
#include "twips_geometry.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTest>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QColor Teal{0, 128, 128};
const QColor Black{0, 0, 0};
const QColor White{255, 255, 255};
// The "system" colours of the light scheme the windows are drawn for,
// whatever the desktop's: text and button text, and a text box's ground.
const QColor SchemeText = Black;
const QColor SchemeBase = White;
const QColor LightPink{255, 192, 192};
const QColor Cyan{0, 255, 255};

const QString AboutTextShown =
    u"This Software was created to know the date of birth (English & Hijri), day of birth, sex, and age from the "
    u"Sri Lankan National identity card number by Halvor J.Breckwith (Stonemarrow) "
    u"for Vantrel Computers  Australia  "_s;

// Tall enough to show the whole "Detail" group.
constexpr double GrownClientHeight = 5200;

// QLineEdit keeps this much space between its frame and its text.
constexpr int LineEditHorizontalMargin = 2;
constexpr int LineEditVerticalMargin = 1;

struct TreeRow
{
    const char *name;
    const char *kind;
    const char *container;
};

// The control tree, each container's children in the layout's order.
// clang-format off
const TreeRow ControlTree[] = {
    {"txtHDateOB", "QLineEdit", "Form1"},
    {"pct1", "QFrame", "Form1"},
    {"Frame3", "QGroupBox", "Form1"},
    {"Timer1", "IntervalTimer", "Form1"},
    {"Frame2", "QGroupBox", "Form1"},
    {"Timer3", "IntervalTimer", "pct1"},
    {"cmdAbtOK", "QPushButton", "pct1"},
    {"Image1", "QLabel", "pct1"},
    {"Line2", "QFrame", "pct1"},
    {"Label7", "QLabel", "pct1"},
    {"Label5", "QLabel", "pct1"},
    {"txtAge", "QLineEdit", "Frame3"},
    {"txtSex", "QLineEdit", "Frame3"},
    {"txtDayOB", "QLineEdit", "Frame3"},
    {"txtDateOB", "QLineEdit", "Frame3"},
    {"Label6", "QLabel", "Frame3"},
    {"Label4", "QLabel", "Frame3"},
    {"Label3", "QLabel", "Frame3"},
    {"Label2", "QLabel", "Frame3"},
    {"Label1", "QLabel", "Frame3"},
    {"cmdExit", "QPushButton", "Frame2"},
    {"Timer2", "IntervalTimer", "Frame2"},
    {"Frame4", "QGroupBox", "Frame2"},
    {"Frame1", "QGroupBox", "Frame2"},
    {"cmdPrint", "QPushButton", "Frame4"},
    {"cmdCancel", "QPushButton", "Frame4"},
    {"cmdtext", "QPushButton", "Frame4"},
    {"txtIDNo", "QLineEdit", "Frame1"},
};
// clang-format on

QRect visibleTitleInk(QGroupBox *group)
{
    const auto format = QImage::Format_ARGB32_Premultiplied;
    const QImage with = group->grab().toImage().convertToFormat(format);
    const QString title = group->title();
    group->setTitle(QString());
    const QImage without = group->grab().toImage().convertToFormat(format);
    group->setTitle(title);
    // The letters are what the title changes, less the plain background
    // laid under it; smoothed edges count, in whatever blend they come.
    const QRgb background = group->palette().color(QPalette::Window).rgba();
    int left = with.width(), top = with.height(), right = -1, bottom = -1;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (with.pixel(x, y) != without.pixel(x, y) && with.pixel(x, y) != background) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};
    // The grab is in device pixels; the ink is wanted in the widget's own.
    const qreal scale = with.devicePixelRatio();
    const auto logical = [scale](int device) { return int(std::floor(device / scale)); };
    return QRect(QPoint(logical(left), logical(top)), QPoint(logical(right), logical(bottom)));
}

// A desktop's palette: every role of every group from its window, text and
// button colours, as Qt derives the rest.
QPalette desktopPalette(QColor window, QColor text, QColor base, QColor button)
{
    QPalette palette(text, button, button.lighter(), button.darker(), button.darker(120), text, White, base, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Highlight, QColor(0, 120, 215));
    return palette;
}

// Both windows as the user sees them, each picture of every kind of
// control: the about panel, the main window grown with the panel gone and
// text in every field, and the dialog.
QList<QImage> paintedWindows(MainWindowOnDoubles &w)
{
    QList<QImage> pictures;
    pictures << w.control(u"pct1"_s)->grab().toImage();
    w.seam.setPanelLeft(mainwindow::SlideEnd - mainwindow::SlideStep);
    w.window.resize(w.window.width(), twips::toPixels(GrownClientHeight));
    for (QLineEdit *field : w.window.findChildren<QLineEdit *>())
        field->setText(u"811231234V"_s);
    pictures << w.window.grab().toImage();
    w.seam.showInvalidNumberDialog();
    pictures << w.seam.invalidNumberDialog()->grab().toImage();
    return pictures;
}

// One row for each of the window's controls of a kind that show, as the
// window builds them: a control it gains is checked with the others of its
// kind, without a row of its own here.
template <typename Control>
void rowsForEach(bool (*shows)(const Control *))
{
    QTest::addColumn<QString>("name");
    const MainWindowOnDoubles built;
    for (const Control *control : built.window.findChildren<Control *>()) {
        if (shows(control))
            QTest::newRow(qPrintable(control->objectName())) << control->objectName();
    }
}

QPoint pixels(double leftTwips, double topTwips)
{
    return {twips::toPixels(leftTwips), twips::toPixels(topTwips)};
}

} // namespace

class MainWindowLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_w = std::make_unique<MainWindowOnDoubles>(); }
    void cleanup() { m_w.reset(); }

    void windowItself();
    void controlTree_data();
    void controlTree();
    void noControlsBeyondTheLayout();
    void geometry_data();
    void geometry();
    void appearance_data();
    void appearance();
    void facesAreTheOnesAskedFor();
    void facesChosenAgainForAnotherDensity();
    void facesFollowTheWindowToAnotherScreen();
    void pictures();
    void buttonsArePaintedInTheirColour_data();
    void buttonsArePaintedInTheirColour();
    void disabledPrintGreysOnlyItsCaption();
    void paintedAlikeOnAnyDesktop_data();
    void paintedAlikeOnAnyDesktop();
    void textBoxesHaveTheSunkenEdge_data();
    void textBoxesHaveTheSunkenEdge();
    void lineIsShortAndNearTheCorner();
    void stacking_data();
    void stacking();
    void keyboardOrder();
    void statesAtCreation();
    void onlyTheAboutPanelShowsAtCreation();
    void accessibleNames_data();
    void accessibleNames();
    void captionsAreNotClipped_data();
    void captionsAreNotClipped();
    void widestResultsFitTheirFields_data();
    void widestResultsFitTheirFields();

private:
    QWidget *widget(const QString &name) const { return m_w->control(name); }

    std::unique_ptr<MainWindowOnDoubles> m_w;
};

void MainWindowLayoutTest::windowItself()
{
    Form1 &window = m_w->window;
    QCOMPARE(window.objectName(), u"Form1"_s);
    QCOMPARE(window.windowTitle(), u"National Identity Card"_s);
    QVERIFY(window.windowIcon().availableSizes().contains(QSize(32, 32)));
    QCOMPARE(window.size(), QSize(288, 152)); // 4320 x 2280 twips
    QCOMPARE(m_w->seam.outer().width(), mainwindow::CreatedWidth);
    QCOMPARE(m_w->seam.outer().height(), mainwindow::CreatedHeight);
    QCOMPARE(window.palette().color(QPalette::Window), Teal);
    QCOMPARE(window.font().family(), fonts::msSansSerif());
    QCOMPARE(window.font().pointSizeF(), fonts::WindowPoints);
    QCOMPARE(window.font().weight(), QFont::Normal);

    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(window.isWindow());
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::FramelessWindowHint));
    // A standard, resizable frame.
    QCOMPARE(window.minimumSize(), QSize(0, 0));
    QCOMPARE(window.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

void MainWindowLayoutTest::controlTree_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QString>("container");

    for (const TreeRow &row : ControlTree)
        QTest::newRow(row.name) << QString::fromLatin1(row.name) << QByteArray(row.kind)
                                << QString::fromLatin1(row.container);
}

void MainWindowLayoutTest::controlTree()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, kind);
    QFETCH(QString, container);

    const QList<QObject *> found = m_w->window.findChildren<QObject *>(name);
    QCOMPARE(found.size(), 1);
    QObject *control = found.constFirst();
    QVERIFY2(control->inherits(kind.constData()), control->metaObject()->className());
    QCOMPARE(control->parent()->objectName(), container);
}

void MainWindowLayoutTest::noControlsBeyondTheLayout()
{
    QStringList expected;
    for (const TreeRow &row : ControlTree)
        expected << QString::fromLatin1(row.name);
    QCOMPARE(expected.size(), 28);
    QStringList found;
    for (const QWidget *control : m_w->window.findChildren<QWidget *>())
        found << control->objectName();
    for (const IntervalTimer *timer : m_w->window.findChildren<IntervalTimer *>())
        found << timer->objectName();
    expected.sort();
    found.sort();
    QCOMPARE(found, expected);
}

void MainWindowLayoutTest::geometry_data()
{
    QTest::addColumn<QString>("name");
    // Where the user sees it, in twips: in the window's client area, or for
    // the about panel's contents inside the panel's border, which moves. The
    // "Detail" rows and the buttons lie on whole pixels and are checked
    // exactly; the about panel's odd twips round to the nearest.
    QTest::addColumn<QRectF>("seen");

    const auto row = [](const char *name, QRectF seen) { QTest::newRow(name) << QString::fromLatin1(name) << seen; };
    row("pct1", {0, 0, 4575, 2295});
    row("Image1", {968, 0, 2385, 780});
    row("Label7", {233, 720, 3855, 255});
    row("Label5", {60, 960, 4215, 1215});
    row("cmdAbtOK", {1680, 1980, 975, 195});
    row("Frame2", {120, 0, 4095, 2055});
    row("Frame1", {240, 240, 3855, 855});
    row("txtIDNo", {1320, 600, 1695, 285});
    row("Frame4", {240, 1200, 3855, 735});
    // The four buttons in one row; Exit belongs to the outer group.
    row("cmdtext", {360, 1440, 735, 375});
    row("cmdCancel", {1320, 1440, 735, 375});
    row("cmdExit", {2280, 1440, 735, 375});
    row("cmdPrint", {3240, 1440, 735, 375});
    // "Detail": five rows 480 apart, the Hijri box among them although it
    // belongs to the window itself.
    row("Frame3", {120, 2280, 4095, 2775});
    row("Label1", {240, 2640, 1455, 255});
    row("txtDateOB", {1920, 2640, 2175, 285});
    row("Label6", {240, 3120, 1695, 255});
    row("txtHDateOB", {1920, 3120, 2175, 285});
    row("Label2", {240, 3600, 1455, 255});
    row("txtDayOB", {1920, 3600, 2175, 285});
    row("Label3", {240, 4080, 1455, 255});
    row("txtSex", {1920, 4080, 2175, 285});
    row("Label4", {240, 4560, 1455, 255});
    row("txtAge", {1920, 4560, 2175, 285});
}

void MainWindowLayoutTest::geometry()
{
    QFETCH(QString, name);
    QFETCH(QRectF, seen);

    QWidget *control = widget(name);
    QVERIFY(control);
    const auto *panel = qobject_cast<QFrame *>(control->parentWidget());
    const QPoint corner = panel && panel->objectName() == u"pct1" ? control->pos() - panel->contentsRect().topLeft()
                                                                  : control->mapTo(&m_w->window, QPoint(0, 0));

    QCOMPARE(corner, pixels(seen.left(), seen.top()));
    QCOMPARE(control->size(), QSize(twips::toPixels(seen.width()), twips::toPixels(seen.height())));
}

void MainWindowLayoutTest::appearance_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("points"); // 0: not checked
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QColor>("textColour");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<int>("alignment"); // horizontal; 0: not checked

    const auto row = [](const char *name, const QString &text, double points, bool bold, bool italic,
                        const QColor &textColour, const QColor &background, int alignment = 0) {
        QTest::newRow(name) << QString::fromLatin1(name) << text << points << bold << italic << textColour << background
                            << alignment;
    };
    constexpr int Left = Qt::AlignLeft;
    constexpr int Centred = Qt::AlignHCenter;
    constexpr double Small = fonts::WindowPoints;
    constexpr double Large = fonts::LargePoints;
    row("pct1", QString(), 0, false, false, SchemeText, Black);
    row("Label7", u"Sri Lanka National Identity Card"_s, Large, true, false, White, Black, Centred);
    row("Label5", AboutTextShown, Small, false, false, White, Black, Centred);
    row("cmdAbtOK", u"OK"_s, Small, false, false, SchemeText, LightPink);
    row("Frame2", QString(), Large, true, false, SchemeText, Teal);
    row("Frame1", u"Enter NIC Number"_s, Large, true, true, White, Teal);
    row("txtIDNo", QString(), Large, true, false, SchemeText, SchemeBase, Left);
    row("Frame4", QString(), Small, false, false, SchemeText, Teal);
    row("cmdtext", u"&OK"_s, Small, false, false, SchemeText, Cyan);
    row("cmdCancel", u"Cancel"_s, Small, false, false, SchemeText, Cyan);
    row("cmdExit", u"E&xit"_s, Small, false, false, SchemeText, Cyan);
    row("cmdPrint", u"&Print"_s, Small, false, false, SchemeText, Cyan);
    row("Frame3", u"Detail"_s, Large, true, true, White, Teal);
    row("Label1", u"Date Of Birth"_s, Small, true, false, White, Teal, Left);
    row("Label6", u"Date Of Birth (Hijri)"_s, Small, true, false, White, Teal, Left);
    row("Label2", u"Day of Birth"_s, Small, true, false, White, Teal, Left);
    row("Label3", u"Sex"_s, Small, true, false, White, Teal, Left);
    row("Label4", u"Age"_s, Small, true, false, White, Teal, Left);
    for (const char *field : {"txtDateOB", "txtHDateOB", "txtDayOB", "txtSex", "txtAge"})
        row(field, QString(), Small, false, false, SchemeText, SchemeBase, Centred);
}

void MainWindowLayoutTest::appearance()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(QColor, textColour);
    QFETCH(QColor, background);
    QFETCH(int, alignment);

    QWidget *control = widget(name);
    QVERIFY(control);
    const QPalette own = control->palette();
    const auto expect = [&](QPalette::ColorRole role, const QColor &wanted) {
        return own.color(QPalette::Active, role) == wanted;
    };

    if (points > 0) {
        const QFont font = control->font();
        QCOMPARE(font.family(), fonts::familyFor(points, bold, italic));
        QCOMPARE(font.pointSizeF(), points);
        QCOMPARE(font.weight(), bold ? QFont::Bold : QFont::Normal);
        QCOMPARE(font.italic(), italic);
    }

    if (auto *label = qobject_cast<QLabel *>(control)) {
        QCOMPARE(label->text(), text);
        QVERIFY(label->autoFillBackground()); // opaque
        QVERIFY(expect(QPalette::WindowText, textColour));
        QVERIFY(expect(QPalette::Window, background));
        QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
        // Labels never size themselves to their text.
        QVERIFY(!label->hasScaledContents());
        QCOMPARE(label->wordWrap(), name == u"Label5");
    } else if (auto *button = qobject_cast<QPushButton *>(control)) {
        QCOMPARE(button->text(), text);
        QVERIFY(expect(QPalette::Button, background));
        QVERIFY(expect(QPalette::ButtonText, textColour));
        // Its own colour with a normal edge, whatever the desktop's style.
        QVERIFY(button->style() != QApplication::style());
        QVERIFY(!button->isFlat());
    } else if (auto *box = qobject_cast<QLineEdit *>(control)) {
        QCOMPARE(box->text(), text);
        QVERIFY(expect(QPalette::Text, textColour));
        QVERIFY(expect(QPalette::Base, background));
        QCOMPARE(int(box->alignment() & Qt::AlignHorizontal_Mask), alignment);
        QVERIFY(box->hasFrame());
        QVERIFY(box->style() != QApplication::style());
        QVERIFY(!box->isReadOnly());
        QCOMPARE(box->echoMode(), QLineEdit::Normal);
    } else if (auto *group = qobject_cast<QGroupBox *>(control)) {
        QCOMPARE(group->title(), text);
        QVERIFY(group->autoFillBackground());
        QVERIFY(expect(QPalette::Window, background));
        if (!text.isEmpty())
            QVERIFY(expect(QPalette::WindowText, textColour));
        QVERIFY(!group->isCheckable());
    } else if (auto *panel = qobject_cast<QFrame *>(control)) {
        QVERIFY(panel->autoFillBackground());
        QVERIFY(expect(QPalette::Window, background));
        QCOMPARE(panel->frameShape(), QFrame::Panel);
        QCOMPARE(panel->frameShadow(), QFrame::Sunken);
        QVERIFY(panel->frameWidth() > 0);
    } else {
        QFAIL("no check for this kind of control");
    }
}

void MainWindowLayoutTest::facesAreTheOnesAskedFor()
{
    // Every face the window asks for is what it gets; no silent substitute.
    for (QWidget *control : m_w->window.findChildren<QWidget *>()) {
        const QFontInfo used(control->font());
        QVERIFY2(used.family() == control->font().family(),
                 qPrintable(control->objectName() + u": "_s + used.family()));
    }
}

// Moved to a screen of 144 dots an inch and back to 96: there only the
// plain window font may be the bitmap face, elsewhere every face is the
// scalable one; each size and style stays as it was.
void MainWindowLayoutTest::facesChosenAgainForAnotherDensity()
{
    QList<QWidget *> controls = m_w->window.findChildren<QWidget *>();
    controls.prepend(&m_w->window);
    QList<QFont> before;
    for (const QWidget *control : std::as_const(controls))
        before << control->font();
    for (const double density : {144.0, 96.0}) {
        ScreenFaces::chooseFor(m_w->window, density);
        for (qsizetype i = 0; i < controls.size(); ++i) {
            const QFont font = controls[i]->font();
            const QString why = controls[i]->objectName() + u" at %1"_s.arg(density);
            QVERIFY2(font.pointSizeF() == before[i].pointSizeF() && font.weight() == before[i].weight()
                         && font.italic() == before[i].italic(),
                     qPrintable(why));
            if (!controls[i]->testAttribute(Qt::WA_SetFont))
                continue;
            const QString wanted = fonts::familyFor(font.pointSizeF(), font.bold(), font.italic(), density);
            QVERIFY2(font.family() == wanted, qPrintable(why + u": "_s + font.family()));
        }
    }
}

// On a desktop of two screens, 96 and 144 dots an inch side by side (its
// own ctest run), the window dragged across and back takes the faces of the
// screen it is on.
void MainWindowLayoutTest::facesFollowTheWindowToAnotherScreen()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.size() < 2) {
        if (qEnvironmentVariableIsSet("NIC_TEST_TWO_SCREENS"))
            QFAIL("the desktop of two screens was not given");
        QSKIP("one screen only");
    }
    Form1 &window = m_w->window;
    const QWidget *plain = widget(u"cmdtext"_s);
    const auto onto = [&](const QScreen *screen) {
        window.move(screen->geometry().topLeft() + QPoint(50, 50));
        return QTest::qWaitFor([&] { return window.screen() == screen; });
    };
    window.show();
    for (const QScreen *screen : {screens[1], screens[0], screens[1]}) {
        QVERIFY(onto(screen));
        QCOMPARE(plain->font().family(),
                 fonts::familyFor(fonts::WindowPoints, false, false, fonts::dotsPerInchOf(*screen)));
    }
    QCOMPARE(plain->font().family(), fonts::standIn());
}

void MainWindowLayoutTest::buttonsArePaintedInTheirColour_data()
{
    // Print among them disabled, as at creation.
    rowsForEach<QPushButton>([](const QPushButton *) { return true; });
}

void MainWindowLayoutTest::buttonsArePaintedInTheirColour()
{
    QFETCH(QString, name);
    auto *button = m_w->control<QPushButton>(name);
    // The colour each asks for; the appearance rows say which that is.
    const QColor colour = button->palette().color(QPalette::Button);

    const auto checkFace = [&](const ButtonPaint &paint, const char *state) {
        const FaceCount face = countFace(paint, colour);
        QVERIFY2(face.checked > paint.face.width() * paint.face.height() / 2, state);
        QVERIFY2(face.wrong == 0,
                 qPrintable(u"%1: %2 of %3 face pixels are not %4, the first %5"_s.arg(QLatin1StringView(state))
                                .arg(face.wrong)
                                .arg(face.checked)
                                .arg(colour.name())
                                .arg(face.firstWrong.name())));
    };
    const ButtonPaint up = paintOf(button);
    checkFace(up, "raised");
    const QPoint topLeft(0, 0);
    const QPoint bottomRight(up.image.width() - 1, up.image.height() - 1);
    // Raised: lit at the top left, in shadow at the bottom right.
    QVERIFY(qGray(up.image.pixel(topLeft)) > qGray(up.image.pixel(bottomRight)));

    button->setDown(true);
    const ButtonPaint down = paintOf(button);
    button->setDown(false);
    checkFace(down, "pressed");
    // Pressed, the edge sinks: the top left darkens.
    QVERIFY(qGray(down.image.pixel(topLeft)) < qGray(up.image.pixel(topLeft)));
}

void MainWindowLayoutTest::disabledPrintGreysOnlyItsCaption()
{
    auto *print = m_w->control<QPushButton>(u"cmdPrint"_s);
    QVERIFY(!print->isEnabled());
    const QList<QColor> greyed = captionColours(paintOf(print));
    print->setEnabled(true);
    const QList<QColor> plain = captionColours(paintOf(print));
    QVERIFY(!greyed.isEmpty());
    QVERIFY(!plain.isEmpty());
    // Enabled, the letters are drawn in the button text colour; disabled,
    // not one of them is.
    const QColor text = print->palette().color(QPalette::Active, QPalette::ButtonText);
    QVERIFY(plain.contains(text));
    QVERIFY(!greyed.contains(text));
}

void MainWindowLayoutTest::paintedAlikeOnAnyDesktop_data()
{
    QTest::addColumn<QPalette>("desktop");

    QTest::newRow("a dark desktop") << desktopPalette({32, 32, 32}, White, {45, 45, 45}, {60, 60, 60});
    QTest::newRow("a high-contrast desktop") << desktopPalette(Black, {255, 255, 0}, Black, Black);
    QTest::newRow("a desktop in one colour")
        << desktopPalette({200, 0, 200}, {200, 0, 200}, {200, 0, 200}, {200, 0, 200});
}

void MainWindowLayoutTest::paintedAlikeOnAnyDesktop()
{
    QFETCH(QPalette, desktop);

    const QList<QImage> light = paintedWindows(*m_w);
    const QPalette before = QApplication::palette();
    QApplication::setPalette(desktop);
    QList<QImage> onDesktop;
    {
        MainWindowOnDoubles other;
        onDesktop = paintedWindows(other);
    }
    // A desktop that changes its scheme while the program runs, as Windows
    // does on a switch to dark mode, reaches the windows already shown.
    const QList<QImage> switched = paintedWindows(*m_w);
    QApplication::setPalette(before);

    const char *names[] = {"the about panel", "the main window", "the dialog"};
    for (qsizetype i = 0; i < light.size(); ++i) {
        QVERIFY2(onDesktop.at(i) == light.at(i), names[i]);
        QVERIFY2(switched.at(i) == light.at(i), names[i]);
    }
}

void MainWindowLayoutTest::textBoxesHaveTheSunkenEdge_data()
{
    rowsForEach<QLineEdit>([](const QLineEdit *) { return true; });
}

void MainWindowLayoutTest::textBoxesHaveTheSunkenEdge()
{
    QFETCH(QString, name);
    auto *box = m_w->control<QLineEdit>(name);
    const QImage image = box->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    const int edge = int(std::ceil(ButtonEdgePixels * scale));
    // In shadow at the top left, lit at the bottom right, two pixels deep,
    // around the field's own background.
    const QPoint outerTopLeft(0, 0), outerBottomRight(image.width() - 1, image.height() - 1);
    QVERIFY(qGray(image.pixel(outerTopLeft)) < qGray(image.pixel(outerBottomRight)));
    const QPoint inside(image.width() - 1 - edge, image.height() / 2);
    QCOMPARE(image.pixelColor(inside), box->palette().color(QPalette::Base));
    // Every device pixel of the edge is drawn, also on a scaled screen,
    // where one-pixel lines would leave the parent showing between them.
    const QColor parent = box->parentWidget()->palette().color(QPalette::Window);
    const int wholeEdgeRows = int(std::floor(ButtonEdgePixels * scale));
    for (int y = 0; y < wholeEdgeRows; ++y) {
        const QColor pixel = image.pixelColor(image.width() / 2, y);
        QVERIFY2(pixel != box->palette().color(QPalette::Base) && pixel != parent && pixel.alpha() == 255,
                 qPrintable(u"row %1 of the top edge is %2"_s.arg(y).arg(pixel.name(QColor::HexArgb))));
    }
}

void MainWindowLayoutTest::pictures()
{
    const auto *logo = m_w->control<QLabel>(u"Image1"_s);
    const QPixmap pixmap = logo->pixmap();
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), QSize(159, 52));
    QCOMPARE(logo->size(), QSize(159, 52)); // natural size, not stretched
    QVERIFY(!logo->hasScaledContents());
    QVERIFY(!logo->autoFillBackground());
    // As many pixels as the screen has there: drawn from the larger file,
    // never a smaller picture blown up.
    const qreal scale = logo->devicePixelRatioF();
    QCOMPARE(pixmap.devicePixelRatio(), scale);
    QCOMPARE(pixmap.width(), qRound(159 * scale));

    // The icon at every size a desktop asks for, each drawn for its size.
    const QIcon icon = m_w->window.windowIcon();
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));

    // The 32-pixel icon in the standard 16 colours, the hoist's stripes dark
    // green and red, on a bright green square with a red outline.
    const QImage small(u":/pictures/icon.png"_s);
    QCOMPARE(small.size(), QSize(32, 32));
    QCOMPARE(small.colorCount(), 16);
    const QList<QRgb> standard{qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
                               qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
                               qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
                               qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    for (const QRgb colour : small.colorTable())
        QVERIFY(standard.contains(colour));
    const int middle = small.height() / 2;
    QCOMPARE(small.pixelColor(0, middle), QColor(255, 0, 0));   // outline
    QCOMPARE(small.pixelColor(1, middle), QColor(0, 255, 0));   // square
    QCOMPARE(small.pixelColor(2, middle), QColor(255, 255, 0)); // flag border
    QCOMPARE(small.pixelColor(3, middle), QColor(0, 128, 0));   // first stripe
    QCOMPARE(small.pixelColor(5, middle), QColor(255, 0, 0));   // second stripe
}

void MainWindowLayoutTest::lineIsShortAndNearTheCorner()
{
    const auto *line = m_w->control<QFrame>(u"Line2"_s);
    const auto *panel = m_w->control<QFrame>(u"pct1"_s);
    QCOMPARE(line->frameShape(), QFrame::HLine);
    QCOMPARE(line->frameShadow(), QFrame::Plain);
    QCOMPARE(line->lineWidth(), 1);
    // The rectangle from (240, 240) to (480, 360) of the panel.
    const QPoint inside = panel->contentsRect().topLeft();
    const QRect allowed(inside + pixels(240, 240), inside + pixels(480, 360));
    QVERIFY(allowed.contains(line->geometry()));
    // The default line colour: the scheme's window text.
    QCOMPARE(line->palette().color(QPalette::WindowText), SchemeText);
}

void MainWindowLayoutTest::stacking_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QStringList>("topFirst");

    QTest::newRow("Form1") << u"Form1"_s << QStringList{u"txtHDateOB"_s, u"pct1"_s, u"Frame3"_s, u"Frame2"_s};
    QTest::newRow("pct1") << u"pct1"_s << QStringList{u"cmdAbtOK"_s, u"Image1"_s, u"Line2"_s, u"Label7"_s, u"Label5"_s};
    QTest::newRow("Frame3") << u"Frame3"_s
                            << QStringList{u"txtAge"_s, u"txtSex"_s, u"txtDayOB"_s, u"txtDateOB"_s, u"Label6"_s,
                                           u"Label4"_s, u"Label3"_s, u"Label2"_s,   u"Label1"_s};
    QTest::newRow("Frame2") << u"Frame2"_s << QStringList{u"cmdExit"_s, u"Frame4"_s, u"Frame1"_s};
    QTest::newRow("Frame4") << u"Frame4"_s << QStringList{u"cmdPrint"_s, u"cmdCancel"_s, u"cmdtext"_s};
    QTest::newRow("Frame1") << u"Frame1"_s << QStringList{u"txtIDNo"_s};
}

void MainWindowLayoutTest::stacking()
{
    QFETCH(QString, container);
    QFETCH(QStringList, topFirst);

    QWidget *box = container == u"Form1" ? &m_w->window : widget(container);
    // Qt keeps siblings bottom first.
    QStringList drawn;
    for (const QObject *child : box->children()) {
        if (child->isWidgetType())
            drawn.prepend(child->objectName());
    }
    QCOMPARE(drawn, topFirst);
}

void MainWindowLayoutTest::keyboardOrder()
{
    const QStringList expected{u"txtDateOB"_s, u"txtDayOB"_s,  u"txtSex"_s,   u"txtAge"_s,
                               u"cmdtext"_s,   u"cmdCancel"_s, u"cmdPrint"_s, u"pct1"_s,
                               u"cmdAbtOK"_s,  u"cmdExit"_s,   u"txtIDNo"_s,  u"txtHDateOB"_s};
    QWidget *first = widget(expected.constFirst());
    QStringList chain;
    QWidget *next = first;
    do {
        if (next->focusPolicy() & Qt::TabFocus)
            chain << next->objectName();
        next = next->nextInFocusChain();
    } while (next != first && chain.size() <= expected.size());
    QCOMPARE(chain, expected);

    // Group boxes, labels, pictures and the line never take the focus.
    for (const char *name : {"Frame1", "Frame2", "Frame3", "Frame4", "Label1", "Label2", "Label3", "Label4", "Label5",
                             "Label6", "Label7", "Image1", "Line2"})
        QCOMPARE(widget(QString::fromLatin1(name))->focusPolicy(), Qt::NoFocus);
}

void MainWindowLayoutTest::statesAtCreation()
{
    Form1 &window = m_w->window;
    for (QWidget *control : window.findChildren<QWidget *>()) {
        if (control->objectName().isEmpty())
            continue;
        QVERIFY2(control->isVisibleTo(&window), qPrintable(control->objectName()));
        QCOMPARE(control->isEnabled(), control->objectName() != u"cmdPrint");
    }
    for (const char *name : {"Timer1", "Timer2", "Timer3"})
        QCOMPARE(m_w->control<IntervalTimer>(QString::fromLatin1(name))->interval(), 0);
    for (const QLineEdit *box : window.findChildren<QLineEdit *>())
        QVERIFY(box->text().isEmpty());
    QCOMPARE(m_w->seam.panelLeft(), 0.0);
    QVERIFY(!m_w->seam.invalidNumberDialog());

    // The first control of the keyboard order has the focus once the window
    // is up, although it lies below the visible client area.
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget(), widget(u"txtDateOB"_s));
}

void MainWindowLayoutTest::onlyTheAboutPanelShowsAtCreation()
{
    Form1 &window = m_w->window;
    QWidget *panel = widget(u"pct1"_s);
    constexpr int Step = 3;
    for (int y = 0; y < window.height(); y += Step) {
        for (int x = 0; x < window.width(); x += Step) {
            QWidget *top = window.childAt(x, y);
            QVERIFY2(top == panel || panel->isAncestorOf(top),
                     qPrintable(u"%1 at %2,%3"_s.arg(top ? top->objectName() : u"the window"_s).arg(x).arg(y)));
        }
    }
}

void MainWindowLayoutTest::accessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("spoken");

    const auto row = [](const char *name, const QString &spoken) {
        QTest::newRow(name) << QString::fromLatin1(name) << spoken;
    };
    // Captions without their access-key marks; a text field by its label.
    row("Label7", u"Sri Lanka National Identity Card"_s);
    row("Label5", AboutTextShown);
    row("cmdAbtOK", u"OK"_s);
    row("Frame1", u"Enter NIC Number"_s);
    row("txtIDNo", u"Enter NIC Number"_s);
    row("cmdtext", u"OK"_s);
    row("cmdCancel", u"Cancel"_s);
    row("cmdExit", u"Exit"_s);
    row("cmdPrint", u"Print"_s);
    row("Frame3", u"Detail"_s);
    row("Label1", u"Date Of Birth"_s);
    row("txtDateOB", u"Date Of Birth"_s);
    row("Label6", u"Date Of Birth (Hijri)"_s);
    row("txtHDateOB", u"Date Of Birth (Hijri)"_s);
    row("Label2", u"Day of Birth"_s);
    row("txtDayOB", u"Day of Birth"_s);
    row("Label3", u"Sex"_s);
    row("txtSex", u"Sex"_s);
    row("Label4", u"Age"_s);
    row("txtAge", u"Age"_s);
    // No caption of their own: named for what they are.
    row("pct1", u"About"_s);
    row("Image1", u"Vantrel Computers"_s);
    row("Line2", u"Line"_s);
    row("Frame2", u"Number"_s);
    row("Frame4", u"Commands"_s);
}

void MainWindowLayoutTest::accessibleNames()
{
    QFETCH(QString, name);
    QFETCH(QString, spoken);

    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget(name));
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), spoken);
}

void MainWindowLayoutTest::captionsAreNotClipped_data()
{
    // Every label, button and group title with a text.
    rowsForEach<QWidget>([](const QWidget *control) {
        if (const auto *label = qobject_cast<const QLabel *>(control))
            return !label->text().isEmpty();
        if (const auto *group = qobject_cast<const QGroupBox *>(control))
            return !group->title().isEmpty();
        return qobject_cast<const QPushButton *>(control) != nullptr;
    });
}

void MainWindowLayoutTest::captionsAreNotClipped()
{
    QFETCH(QString, name);

    QWidget *control = widget(name);
    QStyle *style = control->style();
    QRect ink;
    QRect shown = control->rect();
    if (auto *label = qobject_cast<QLabel *>(control)) {
        const int flags = label->alignment() | (label->wordWrap() ? Qt::TextWordWrap : 0);
        ink = inkOf(label->font(), label->contentsRect(), flags, label->text());
    } else if (auto *button = qobject_cast<QPushButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents = style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        ink = inkOf(button->font(), contents, Qt::AlignCenter | Qt::TextShowMnemonic, button->text());
        // Letters on the button's edge count as cut.
        const int edge = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
        shown = button->rect().marginsRemoved({edge, edge, edge, edge});
    } else if (auto *group = qobject_cast<QGroupBox *>(control)) {
        // The group draws its own title: its letters are the pixels in the
        // title's colour that come with the title, and all of them show.
        ink = visibleTitleInk(group);
        const QRect whole = inkOf(group->font(), QRect(0, 0, group->width(), group->height()),
                                  Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, group->title());
        // Where a logical pixel is a fraction of device pixels, the two
        // drawings may round their edges to neighbouring logical pixels.
        const qreal scale = group->devicePixelRatioF();
        const int slack = scale == std::floor(scale) ? 0 : 1;
        QVERIFY2(qAbs(ink.width() - whole.width()) <= slack && qAbs(ink.height() - whole.height()) <= slack,
                 qPrintable(u"title ink %1x%2, whole title %3x%4"_s.arg(ink.width())
                                .arg(ink.height())
                                .arg(whole.width())
                                .arg(whole.height())));
    }
    QVERIFY(!ink.isEmpty());
    QVERIFY2(shown.contains(ink), qPrintable(u"ink %1,%2 %3x%4 in %5x%6"_s.arg(ink.x())
                                                 .arg(ink.y())
                                                 .arg(ink.width())
                                                 .arg(ink.height())
                                                 .arg(shown.width())
                                                 .arg(shown.height())));

    // Nothing above it in its container covers its letters either, once the
    // window has grown far enough to show it.
    m_w->window.resize(m_w->window.width(), twips::toPixels(GrownClientHeight));
    QWidget *container = control->parentWidget();
    const auto format = QImage::Format_ARGB32_Premultiplied;
    const QImage inPlace = container->grab(ink.translated(control->pos())).toImage().convertToFormat(format);
    const QImage alone = control->grab(ink).toImage().convertToFormat(format);
    QCOMPARE(inPlace, alone);
}

void MainWindowLayoutTest::widestResultsFitTheirFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    // The widest texts the decoder writes into each field.
    QTest::newRow("Hijri date") << u"txtHDateOB"_s << u"1405   Jamada al Thani   13"_s;
    QTest::newRow("age") << u"txtAge"_s << u"41  Years   &   11  Month"_s;
    QTest::newRow("date of birth") << u"txtDateOB"_s << u"1985   September   10"_s;
    QTest::newRow("day of birth") << u"txtDayOB"_s << u"Wednesday"_s;
    QTest::newRow("sex") << u"txtSex"_s << u"Female"_s;
    QTest::newRow("a whole number") << u"txtIDNo"_s << u"811231234V"_s;
}

void MainWindowLayoutTest::widestResultsFitTheirFields()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    auto *field = m_w->control<QLineEdit>(name);
    QStyleOptionFrame option;
    option.initFrom(field);
    option.rect = field->rect();
    option.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    option.features = QStyleOptionFrame::None;
    const QRect inner = field->style()
                            ->subElementRect(QStyle::SE_LineEditContents, &option, field)
                            .marginsRemoved(field->textMargins())
                            .adjusted(LineEditHorizontalMargin, LineEditVerticalMargin, -LineEditHorizontalMargin,
                                      -LineEditVerticalMargin);
    const QRect ink = inkOf(field->font(), inner, field->alignment(), text);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(inner.contains(ink), qPrintable(u"ink %1,%2 %3x%4 in %5,%6 %7x%8"_s.arg(ink.x())
                                                 .arg(ink.y())
                                                 .arg(ink.width())
                                                 .arg(ink.height())
                                                 .arg(inner.x())
                                                 .arg(inner.y())
                                                 .arg(inner.width())
                                                 .arg(inner.height())));
}

QTEST_MAIN(MainWindowLayoutTest)
#include "main_window_layout_test.moc"
