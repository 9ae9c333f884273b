#include "fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace {

const QString MsSansSerif = QStringLiteral("MS Sans Serif");
const QString WineFonts = QStringLiteral("/usr/share/wine/fonts/");

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

struct Faces
{
    QString plain;  // the window font
    QString styled; // bold, italic and larger sizes
};

Faces resolveFaces()
{
    const QStringList installed = QFontDatabase::families();
    const bool systemHasIt = installed.contains(MsSansSerif);
    QString plain = systemHasIt ? MsSansSerif : loadWineFace({QStringLiteral("ms_sans_serif.ttf")});
#ifdef Q_OS_WIN
    // Windows draws its own MS Sans Serif bold and at every size.
    if (systemHasIt)
        return {plain, plain};
#endif
    if (!plain.isEmpty() && QFontDatabase::isSmoothlyScalable(plain))
        return {plain, plain};

    QString styled = QStringLiteral("Liberation Sans");
    if (!installed.contains(styled))
        styled = installed.contains(QStringLiteral("Tahoma"))
                     ? QStringLiteral("Tahoma")
                     : loadWineFace({QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")});
    if (styled.isEmpty())
        styled = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    if (plain.isEmpty())
        plain = styled;
    return {plain, styled};
}

const Faces &faces()
{
    static const Faces resolved = resolveFaces();
    return resolved;
}

} // namespace

namespace fonts {

QString msSansSerif()
{
    return faces().plain;
}

QString familyFor(double points, bool bold, bool italic)
{
    return bold || italic || points > WindowPoints ? faces().styled : faces().plain;
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
