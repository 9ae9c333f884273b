// The faces the windows draw with: the bitmap "MS Sans Serif" of the wine
// fonts for plain text, and a face that really draws bold, italic and larger
// text where that bitmap face cannot.

#include "fonts.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QtTest>

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

} // namespace

class FontsTest : public QObject
{
    Q_OBJECT

private slots:
    void plainTextUsesMsSansSerif();
    void everyStyleIsDrawnAsAsked_data();
    void everyStyleIsDrawnAsAsked();
};

void FontsTest::plainTextUsesMsSansSerif()
{
    if (!QFile::exists(QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf")))
        QSKIP("the wine fonts are not installed");
    const QFont plain = fonts::msSansSerif(fonts::WindowPoints);
    QCOMPARE(plain.family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(QFontInfo(plain).family(), QStringLiteral("MS Sans Serif"));
}

void FontsTest::everyStyleIsDrawnAsAsked_data()
{
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::newRow("bold caption at the window size") << 8.25 << true << false;
    QTest::newRow("bold title at 9.75 points") << 9.75 << true << false;
    QTest::newRow("bold italic group title") << 9.75 << true << true;
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
    if (bold)
        QVERIFY2(styled.pixels > plain.pixels * 1.2,
                 qPrintable(QStringLiteral("bold %1 ink vs regular %2").arg(styled.pixels).arg(plain.pixels)));
    if (italic)
        QVERIFY(inkOf(font, text).image != inkOf(fonts::msSansSerif(points, bold, false), text).image);

    // A larger size draws larger letters than the window font does.
    if (points > fonts::WindowPoints) {
        const Ink small = inkOf(fonts::msSansSerif(fonts::WindowPoints, bold, italic), text);
        QVERIFY2(styled.height > small.height,
                 qPrintable(QStringLiteral("%1 rows at %2 pt, %3 at the window size")
                                .arg(styled.height)
                                .arg(points)
                                .arg(small.height)));
    }
}

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"
