#include "fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include <cmath>
#include <limits>
#include <optional>

namespace {

using namespace Qt::StringLiterals;

const QString MsSansSerif = u"MS Sans Serif"_s;

// The window font's size in pixels at 96 dots an inch, where the bitmap
// face's widths are the ones to match.
constexpr int MeasuredPixels = 11;
constexpr char16_t FirstMeasured = u' ';
constexpr char16_t LastMeasured = u'~';

#ifdef Q_OS_WIN
// Its successor first: it was made with the bitmap face's widths.
const QStringList StandInCandidates{u"Microsoft Sans Serif"_s, u"Tahoma"_s, u"Arial"_s};
#else
const QStringList StandInCandidates{u"Liberation Sans"_s, u"Tahoma"_s, u"DejaVu Sans"_s};
const QString WineFonts = u"/usr/share/wine/fonts/"_s;

// Loads the wine fonts' files as application fonts; the family they give,
// or an empty text when none of them is there.
QString loadWineFace(const QStringList &files)
{
    QString family;
    for (const QString &file : files) {
        if (!QFile::exists(WineFonts + file))
            continue;
        const QStringList families =
            QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(WineFonts + file));
        if (!families.isEmpty())
            family = families.first();
    }
    return family;
}
#endif

// How far a face's advances are from the reference's, summed over the
// printable ASCII characters.
double widthDistance(const QString &family, const QFontMetricsF &reference)
{
    QFont font(family);
    font.setPixelSize(MeasuredPixels);
    const QFontMetricsF metrics(font);
    double distance = 0;
    for (char16_t c = FirstMeasured; c <= LastMeasured; ++c)
        distance += std::abs(metrics.horizontalAdvance(QChar(c)) - reference.horizontalAdvance(QChar(c)));
    return distance;
}

struct Faces
{
    QString bitmap;  // empty when the system has no bitmap MS Sans Serif
    QString scalable;
};

Faces resolveFaces()
{
    const QStringList installed = QFontDatabase::families();
    QString reference = installed.contains(MsSansSerif) ? MsSansSerif : QString();
#ifndef Q_OS_WIN
    if (reference.isEmpty())
        reference = loadWineFace({u"ms_sans_serif.ttf"_s});
    if (!installed.contains(u"Tahoma"_s))
        loadWineFace({u"tahoma.ttf"_s, u"tahomabd.ttf"_s});
#endif
    // A scalable MS Sans Serif needs no stand-in.
    if (!reference.isEmpty() && QFontDatabase::isSmoothlyScalable(reference))
        return {QString(), reference};

    const QStringList available = QFontDatabase::families();
    QString best;
    double bestDistance = std::numeric_limits<double>::infinity();
    std::optional<QFontMetricsF> referenceMetrics;
    if (!reference.isEmpty()) {
        QFont font(reference);
        font.setPixelSize(MeasuredPixels);
        referenceMetrics.emplace(font);
    }
    for (const QString &candidate : StandInCandidates) {
        if (!available.contains(candidate))
            continue;
        if (!referenceMetrics) {
            best = candidate; // nothing to measure against: the first one there
            break;
        }
        const double distance = widthDistance(candidate, *referenceMetrics);
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    if (best.isEmpty())
        best = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return {reference, best};
}

const Faces &faces()
{
    static const Faces resolved = resolveFaces();
    return resolved;
}

} // namespace

namespace fonts {

double screenDotsPerInch()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return BitmapDotsPerInch;
    return screen->logicalDotsPerInchY() * screen->devicePixelRatio();
}

QString msSansSerif()
{
    return familyFor(WindowPoints, false, false);
}

QString standIn()
{
    return faces().scalable;
}

QString familyFor(double points, bool bold, bool italic, double dotsPerInch)
{
    const Faces &resolved = faces();
    if (resolved.bitmap.isEmpty() || dotsPerInch != BitmapDotsPerInch)
        return resolved.scalable;
#ifdef Q_OS_WIN
    // Windows' own bitmap face has strikes for the layouts' larger sizes and
    // draws them bold and italic as well.
    Q_UNUSED(points);
    Q_UNUSED(bold);
    Q_UNUSED(italic);
    return resolved.bitmap;
#else
    if (points == WindowPoints && !bold && !italic)
        return resolved.bitmap;
    return resolved.scalable;
#endif
}

QFont msSansSerif(double points, bool bold, bool italic)
{
    QFont font(familyFor(points, bold, italic));
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    return font;
}

} // namespace fonts
