// The faces the windows draw with: the bitmap "MS Sans Serif" of the wine
// fonts for plain text where its strike fits the screen, and a scalable face
// that really draws bold, italic, larger and high-density text where that
// bitmap face cannot.

#include "fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include <cmath>

namespace {

struct Ink
{
    int pixels = 0; // dark pixels drawn
    int height = 0; // rows that hold any
    QImage image;
};

Ink inkOf(const QFont &font, const QString &text)
{
    Ink ink;
    ink.image = QImage(400, 80, QImage::Format_RGB32);
    ink.image.fill(Qt::white);
    {
        QPainter painter(&ink.image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, 400, 80), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    for (int y = 0; y < ink.image.height(); ++y) {
        int row = 0;
        for (int x = 0; x < ink.image.width(); ++x)
            row += qGray(ink.image.pixel(x, y)) < 128;
        ink.pixels += row;
        ink.height += row > 0;
    }
    return ink;
}

// The width of the letters a text leaves in an image of that density, in
// the image's own (device) pixels.
int inkWidthAt(const QFont &font, const QString &text, double scale)
{
    QImage image(QSize(400, 80) * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, 400, 80), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
        }
    }
    return right < left ? 0 : right - left + 1;
}

} // namespace

class FontsTest : public QObject
{
    Q_OBJECT

private slots:
    void plainTextUsesMsSansSerif();
    void everyStyleIsDrawnAsAsked_data();
    void everyStyleIsDrawnAsAsked();
    void textIsDrawnAtTheScreensDensity_data();
    void textIsDrawnAtTheScreensDensity();
    void standInsAreOrderedByHowCloseTheirWidthsAre();
};

void FontsTest::plainTextUsesMsSansSerif()
{
#ifdef Q_OS_WIN
    if (!QFontDatabase::families().contains(QStringLiteral("MS Sans Serif")))
        QSKIP("the font system lists no MS Sans Serif");
#else
    if (!QFile::exists(QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf")))
        QSKIP("the wine fonts are not installed");
#endif
    QFont plain(fonts::familyFor(fonts::WindowPoints, false, false, fonts::BitmapDotsPerInch));
    plain.setPointSizeF(fonts::WindowPoints);
#ifdef Q_OS_WIN
    // GDI draws the bitmap face a strike too large for Qt: whichever face
    // draws keeps the bitmap strike's height.
    QCOMPARE_LE(QFontMetrics(plain).height(), fonts::BitmapStrikePixels);
#else
    QCOMPARE(plain.family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(QFontInfo(plain).family(), QStringLiteral("MS Sans Serif"));
#endif
}

void FontsTest::everyStyleIsDrawnAsAsked_data()
{
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::newRow("bold caption at the window size") << fonts::WindowPoints << true << false;
    QTest::newRow("bold title at 9.75 points") << fonts::LargePoints << true << false;
    QTest::newRow("bold italic group title") << fonts::LargePoints << true << true;
    QTest::newRow("bold message at 12 points") << 12.0 << true << false;
}

void FontsTest::everyStyleIsDrawnAsAsked()
{
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    const QString text = QStringLiteral("Date Of Birth (Hijri)");
    const QFont font = fonts::msSansSerif(points, bold, italic);
    QCOMPARE(QFontInfo(font).family(), font.family()); // no silent substitute

    QFont same = font;
    same.setWeight(QFont::Normal);
    same.setItalic(false);
    const Ink styled = inkOf(font, text);
    const Ink plain = inkOf(same, text);
    // Real bold strokes leave at least a sixth more ink; a bold that is not
    // there leaves the same.
    if (bold)
        QVERIFY2(styled.pixels > plain.pixels * 1.15,
                 qPrintable(QStringLiteral("bold %1 ink vs regular %2").arg(styled.pixels).arg(plain.pixels)));
    if (italic)
        QVERIFY(inkOf(font, text).image != inkOf(fonts::msSansSerif(points, bold, false), text).image);

    // A larger size draws larger letters than the window font does.
    if (points > fonts::WindowPoints) {
        const Ink small = inkOf(fonts::msSansSerif(fonts::WindowPoints, bold, italic), text);
        QVERIFY2(styled.height > small.height, qPrintable(QStringLiteral("%1 rows at %2 pt, %3 at the window size")
                                                              .arg(styled.height)
                                                              .arg(points)
                                                              .arg(small.height)));
    }
}

void FontsTest::textIsDrawnAtTheScreensDensity_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::newRow("window font at 100%") << 1.0 << fonts::WindowPoints << false;
    QTest::newRow("window font at 125%") << 1.25 << fonts::WindowPoints << false;
    QTest::newRow("window font at 150%") << 1.5 << fonts::WindowPoints << false;
    QTest::newRow("window font at 200%") << 2.0 << fonts::WindowPoints << false;
    QTest::newRow("bold title at 200%") << 2.0 << fonts::LargePoints << true;
}

void FontsTest::textIsDrawnAtTheScreensDensity()
{
    QFETCH(double, scale);
    QFETCH(double, points);
    QFETCH(bool, bold);
    const QString family = fonts::familyFor(points, bold, false, fonts::BitmapDotsPerInch * scale);
    QVERIFY2(scale == 1.0 || QFontDatabase::isSmoothlyScalable(family), qPrintable(family));

    // A face drawn at its one strike over scaled spacing leaves letters
    // that cover a fraction of the width the text takes.
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    const QString text = QStringLiteral("Jamada alThani");
    const double expected = QFontMetricsF(font).horizontalAdvance(text) * scale;
    const int ink = inkWidthAt(font, text, scale);
    QVERIFY2(ink > expected * 0.85 && ink < expected * 1.1,
             qPrintable(QStringLiteral("%1: ink %2 px, text %3 px").arg(family).arg(ink).arg(expected)));
}

// The stand-in is the first candidate installed, so the list must stay in
// the order of how far each face's advances are from the bitmap face's.
void FontsTest::standInsAreOrderedByHowCloseTheirWidthsAre()
{
    fonts::standIn(); // loads the wine bitmap face where the system has none
    // Tahoma is measured even where the program never loads it.
    QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    const auto pixelFont = [](const QString &family) {
        QFont font(family);
        font.setPixelSize(11); // 8.25 points at 96 dots an inch
        return font;
    };
    const QFont reference = pixelFont(QStringLiteral("MS Sans Serif"));
    if (QFontInfo(reference).family() != reference.family())
        QSKIP("no MS Sans Serif to measure against");
    const QFontMetricsF referenceMetrics(reference);

    const QStringList installed = QFontDatabase::families();
    double previous = -1;
    QString previousFamily;
    for (const QString &candidate : fonts::standInCandidates()) {
        if (!installed.contains(candidate))
            continue;
        const QFontMetricsF metrics(pixelFont(candidate));
        double distance = 0;
        for (char16_t c = u' '; c <= u'~'; ++c)
            distance += std::abs(metrics.horizontalAdvance(QChar(c)) - referenceMetrics.horizontalAdvance(QChar(c)));
        QVERIFY2(distance >= previous, qPrintable(QStringLiteral("%1 (%2 px) is closer than %3 (%4 px)")
                                                      .arg(candidate)
                                                      .arg(distance)
                                                      .arg(previousFamily)
                                                      .arg(previous)));
        previous = distance;
        previousFamily = candidate;
    }
    QVERIFY2(previous >= 0, "no candidate face is installed");
}

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"
