// The outer geometry of a real top-level widget in twips: heights and widths
// read back exactly as set while the pixels they gave stand, the real size
// once something else changes them, sizes set while minimized or maximized
// kept for the restore, moves by the frame's corner, and focus requests for
// a hidden window carried out when it shows.

#include "twips_geometry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The main window's frame: 60 left, right and bottom, 345 at the top.
constexpr FrameMargins Frame{60, 345, 60, 60};
constexpr double FrameHeight = 345 + 60;
constexpr double FrameWidth = 60 + 60;
const QSize StartClient{288, 152};

enum class Resting { Minimized, Maximized };

} // namespace

Q_DECLARE_METATYPE(Resting)

class TwipsGeometryTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sizeAtCreationIsClientPlusFrame();
    void heightReadsBackExactly_data();
    void heightReadsBackExactly();
    void heightBelowTheFrameIsRefusedQuietly();
    void widthReadsBackExactly_data();
    void widthReadsBackExactly();
    void realSizeCountsOnceItChanges();
    void lateEchoOfAnAnimationReadsAsTheNewestSize();
    void aSizeTheWindowManagerSnappedReadsAsSet_data();
    void aSizeTheWindowManagerSnappedReadsAsSet();
    void heightStaysExactWhenOnlyTheWidthChanges();
    void sizeSetWhileRestingElsewhereWaitsForTheRestore_data();
    void sizeSetWhileRestingElsewhereWaitsForTheRestore();
    void movePlacesTheFramesCorner();
    void focusRequestForAHiddenWindowWaitsForTheShow();
    void focusRequestForAShownWindowIsCarriedOutAtOnce();

private:
    std::unique_ptr<QWidget> m_window;
    TwipsGeometry *m_outer = nullptr;
};

void TwipsGeometryTest::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(StartClient);
    m_outer = new TwipsGeometry(m_window.get(), Frame);
}

void TwipsGeometryTest::cleanup()
{
    m_window.reset();
}

void TwipsGeometryTest::sizeAtCreationIsClientPlusFrame()
{
    QCOMPARE(m_outer->width(), 4440.0);
    QCOMPARE(m_outer->height(), 2685.0);
}

void TwipsGeometryTest::heightReadsBackExactly_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("clientPixels");

    QTest::newRow("the height a grow stops at") << 5585.0 << 345;
    QTest::newRow("the dialog's collapsed height") << 2580.0 << 145;
    QTest::newRow("one step above the start") << 2735.0 << 155;
    QTest::newRow("a fraction of a twip") << 2700.25 << 153;
    QTest::newRow("half a pixel rounds up") << 2692.5 << 153;
}

void TwipsGeometryTest::heightReadsBackExactly()
{
    QFETCH(double, height);
    QFETCH(int, clientPixels);

    m_outer->setHeight(height);

    QCOMPARE(m_outer->height(), height);
    QCOMPARE(m_window->height(), clientPixels);
    QCOMPARE(m_window->width(), StartClient.width());
}

void TwipsGeometryTest::heightBelowTheFrameIsRefusedQuietly()
{
    // No window is lower than its frame: the client area goes to nothing
    // and the height reads as the frame alone, which is the real size.
    m_outer->setHeight(300);
    QCOMPARE(m_window->height(), 0);
    QCOMPARE(m_outer->height(), FrameHeight);
}

void TwipsGeometryTest::widthReadsBackExactly_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<int>("clientPixels");

    QTest::newRow("the width at creation") << 4440.0 << 288;
    QTest::newRow("wider, not on a pixel") << 5000.0 << 325;
    QTest::newRow("a fraction of a twip") << 4451.75 << 289;
}

void TwipsGeometryTest::widthReadsBackExactly()
{
    QFETCH(double, width);
    QFETCH(int, clientPixels);

    m_outer->setWidth(width);

    QCOMPARE(m_outer->width(), width);
    QCOMPARE(m_window->width(), clientPixels);
    QCOMPARE(m_window->height(), StartClient.height());
}

void TwipsGeometryTest::realSizeCountsOnceItChanges()
{
    m_outer->setHeight(5585);
    m_outer->setWidth(5000);
    // The user drags the frame.
    m_window->resize(400, 300);

    QCOMPARE(m_outer->height(), 300 * 15 + FrameHeight);
    QCOMPARE(m_outer->width(), 400 * 15 + FrameWidth);

    // Even when dragged back to the same pixels, a read gives the set value
    // again only because it still describes those pixels.
    m_window->resize(325, 345);
    QCOMPARE(m_outer->height(), 5585.0);
    QCOMPARE(m_outer->width(), 5000.0);
}

// A busy X server answers the first step of an animation after more than
// the echo time: while the steps still come, that size is no size of the
// window's own. Once they have stopped for that long, it is.
void TwipsGeometryTest::lateEchoOfAnAnimationReadsAsTheNewestSize()
{
    m_outer->setHeight(2735);
    const QSize first = m_window->size();
    QElapsedTimer animation;
    animation.start();
    double height = 2735;
    while (animation.elapsed() < 700) {
        QTest::qWait(50);
        height += 50;
        m_outer->setHeight(height);
    }
    m_window->resize(first);
    QCOMPARE(m_outer->height(), height);

    QTest::qWait(600);
    QCOMPARE(m_outer->height(), first.height() * 15 + FrameHeight);
}

void TwipsGeometryTest::aSizeTheWindowManagerSnappedReadsAsSet_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("offBy"); // logical pixels, actual less asked
    QTest::addColumn<bool>("readsAsSet");
    QTest::newRow("100%: a pixel short is a size of the window's own") << 1.0 << -1 << false;
    QTest::newRow("125%: a pixel short still reads as set") << 1.25 << -1 << true;
    QTest::newRow("150%: a pixel short still reads as set") << 1.5 << -1 << true;
    QTest::newRow("150%: a pixel over still reads as set") << 1.5 << 1 << true;
    QTest::newRow("150%: two pixels short is a size of the window's own") << 1.5 << -2 << false;
    QTest::newRow("200%: a pixel short is a size of the window's own") << 2.0 << -1 << false;
}

void TwipsGeometryTest::aSizeTheWindowManagerSnappedReadsAsSet()
{
    QFETCH(double, scale);
    QFETCH(int, offBy);
    QFETCH(bool, readsAsSet);
    ExactTwips height(FrameHeight);
    height.set(5585);
    const int actual = height.pixelsFor(5585) + offBy;
    const double read = height.read(actual, TwipsGeometry::snapTolerance(scale));
    QCOMPARE(read, readsAsSet ? 5585.0 : actual * 15 + FrameHeight);
}

void TwipsGeometryTest::heightStaysExactWhenOnlyTheWidthChanges()
{
    m_outer->setHeight(5585);
    m_outer->setWidth(4440);
    QCOMPARE(m_outer->height(), 5585.0);
}

void TwipsGeometryTest::sizeSetWhileRestingElsewhereWaitsForTheRestore_data()
{
    QTest::addColumn<Resting>("resting");
    QTest::newRow("minimized") << Resting::Minimized;
    QTest::newRow("maximized") << Resting::Maximized;
}

void TwipsGeometryTest::sizeSetWhileRestingElsewhereWaitsForTheRestore()
{
    QFETCH(Resting, resting);

    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    if (resting == Resting::Minimized)
        m_window->showMinimized();
    else
        m_window->showMaximized();
    const QSize restingSize = m_window->size();

    m_outer->setHeight(5585);
    m_outer->setWidth(5000);

    // Reads give what was set; the window itself is left alone for now.
    QCOMPARE(m_outer->height(), 5585.0);
    QCOMPARE(m_outer->width(), 5000.0);
    QCOMPARE(m_window->size(), restingSize);

    m_window->showNormal();
    QTRY_COMPARE(m_window->size(), QSize(325, 345));
    QCOMPARE(m_outer->height(), 5585.0);
    QCOMPARE(m_outer->width(), 5000.0);
}

void TwipsGeometryTest::movePlacesTheFramesCorner()
{
    m_outer->setHeight(5585);
    m_outer->move(3000.5, -150);

    QCOMPARE(m_outer->left(), 3000.5);
    QCOMPARE(m_outer->top(), -150.0);
    QCOMPARE(m_window->pos(), QPoint(200, -10));
    // One move; the size is as it was.
    QCOMPARE(m_outer->height(), 5585.0);
    QCOMPARE(m_window->size(), QSize(288, 345));
}

void TwipsGeometryTest::focusRequestForAHiddenWindowWaitsForTheShow()
{
    auto *first = new QLineEdit(m_window.get());
    auto *second = new QLineEdit(m_window.get());
    first->setFocus();

    m_outer->requestFocus(second);
    QCOMPARE(m_outer->pendingFocus(), second);

    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTRY_COMPARE(QApplication::focusWidget(), second);
    QCOMPARE(m_outer->pendingFocus(), nullptr);
}

void TwipsGeometryTest::focusRequestForAShownWindowIsCarriedOutAtOnce()
{
    auto *first = new QLineEdit(m_window.get());
    auto *second = new QLineEdit(m_window.get());
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    first->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), first);

    m_outer->requestFocus(second);

    QCOMPARE(QApplication::focusWidget(), second);
    QCOMPARE(m_outer->pendingFocus(), nullptr);
}

QTEST_MAIN(TwipsGeometryTest)
#include "twips_geometry_test.moc"
