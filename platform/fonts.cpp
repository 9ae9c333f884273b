#include "fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include <algorithm>

namespace {

using namespace Qt::StringLiterals;

const QString MsSansSerif = u"MS Sans Serif"_s;

#ifndef Q_OS_WIN
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

struct Faces
{
    QString bitmap; // empty when the system has no bitmap MS Sans Serif
    QString scalable;
    QString bold;
    QString italic;
    QString boldItalic;
};

// The candidate itself where it is installed; on Linux the wine Tahoma is
// loaded for this program alone when no Tahoma is.
QString installedFace(const QString &candidate, const QStringList &installed)
{
    if (installed.contains(candidate))
        return candidate;
#ifndef Q_OS_WIN
    if (candidate == u"Tahoma"_s)
        return loadWineFace({u"tahoma.ttf"_s, u"tahomabd.ttf"_s});
#endif
    return {};
}

// Whether the window font comes out in the bitmap face's own strike. Qt
// lists a bitmap face's strikes by the height of their cells, and Windows'
// GDI reads the height Qt asks for as the letters' own: asked for the
// 13-pixel strike, it draws the 16-pixel one, too large for every caption.
bool windowStrikeFits(const QString &family)
{
    QFont font(family);
    font.setPixelSize(qRound(fonts::WindowPoints * fonts::BitmapDotsPerInch / 72));
    return QFontMetrics(font).height() <= fonts::BitmapStrikePixels;
}

// Whether the font system lists the face in that style. Windows' own font
// system lists the bold and italic that GDI makes of any face; the FreeType
// database of Linux and of Qt's offscreen platform only the styles a file
// draws, and a style it fakes spreads or leans past the letters' own box.
bool listsStyle(const QString &family, bool bold, bool italic)
{
    const QStringList styles = QFontDatabase::styles(family);
    return std::any_of(styles.cbegin(), styles.cend(), [&](const QString &style) {
        return QFontDatabase::bold(family, style) == bold && QFontDatabase::italic(family, style) == italic;
    });
}

// The face for bold or italic text: the stand-in where it is listed in that
// style, else the first other installed candidate that is, else the stand-in
// all the same.
QString faceInStyle(const QString &standIn, const QStringList &installed, bool bold, bool italic)
{
    if (listsStyle(standIn, bold, italic))
        return standIn;
    for (const QString &candidate : fonts::standInCandidates()) {
        if (installed.contains(candidate) && listsStyle(candidate, bold, italic))
            return candidate;
    }
    return standIn;
}

Faces withStyles(const QString &bitmap, const QString &scalable, const QStringList &installed)
{
    return {bitmap, scalable, faceInStyle(scalable, installed, true, false),
            faceInStyle(scalable, installed, false, true), faceInStyle(scalable, installed, true, true)};
}

Faces resolveFaces()
{
    const QStringList installed = QFontDatabase::families();
    QString reference = installed.contains(MsSansSerif) ? MsSansSerif : QString();
#ifndef Q_OS_WIN
    if (reference.isEmpty())
        reference = loadWineFace({u"ms_sans_serif.ttf"_s});
#endif
    // A scalable MS Sans Serif needs no stand-in.
    if (!reference.isEmpty() && QFontDatabase::isSmoothlyScalable(reference))
        return withStyles(QString(), reference, installed);
    if (!reference.isEmpty() && !windowStrikeFits(reference))
        reference.clear();

    // The first candidate there, not a measurement at every start: loading
    // faces only to measure them would cost every start time and memory.
    for (const QString &candidate : fonts::standInCandidates()) {
        const QString face = installedFace(candidate, installed);
        if (!face.isEmpty())
            return withStyles(reference, face, installed);
    }
    return withStyles(reference, QFontDatabase::systemFont(QFontDatabase::GeneralFont).family(), installed);
}

const Faces &faces()
{
    static const Faces resolved = resolveFaces();
    return resolved;
}

} // namespace

namespace fonts {

double dotsPerInchOf(const QScreen &screen)
{
    return screen.logicalDotsPerInchY() * screen.devicePixelRatio();
}

double screenDotsPerInch()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? dotsPerInchOf(*screen) : BitmapDotsPerInch;
}

QString msSansSerif()
{
    return familyFor(WindowPoints, false, false);
}

QString standIn()
{
    return faces().scalable;
}

QStringList standInCandidates()
{
#ifdef Q_OS_WIN
    // Its successor first: it was made with the bitmap face's widths. Arial's
    // advances are closer to the bitmap face's than Tahoma's; Liberation Sans
    // has Arial's, where a machine (or Wine) has it instead.
    return {u"Microsoft Sans Serif"_s, u"Arial"_s, u"Liberation Sans"_s, u"Tahoma"_s};
#else
    return {u"Liberation Sans"_s, u"Tahoma"_s, u"DejaVu Sans"_s};
#endif
}

QString familyFor(double points, bool bold, bool italic, double dotsPerInch)
{
    const Faces &resolved = faces();
    // The bitmap face would have bold and italic faked by the font system
    // (GDI on Windows smears and slants the bitmap): scalable faces draw those.
    if (bold || italic)
        return bold ? (italic ? resolved.boldItalic : resolved.bold) : resolved.italic;
    // The bitmap face's 13-pixel strike is the plain window font's size. At
    // 9.75 points the same strike would be picked again.
    if (resolved.bitmap.isEmpty() || dotsPerInch != BitmapDotsPerInch || points != WindowPoints)
        return resolved.scalable;
    return resolved.bitmap;
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
