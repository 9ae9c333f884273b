#include "fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace {

const QString Family = QStringLiteral("MS Sans Serif");

QString resolveFamily()
{
    if (QFontDatabase::families().contains(Family))
        return Family;
    const QStringList candidates{QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf"),
                                 QStringLiteral("/usr/share/fonts/truetype/wine/ms_sans_serif.ttf")};
    for (const QString &path : candidates) {
        if (!QFile::exists(path))
            continue;
        const int id = QFontDatabase::addApplicationFont(path);
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty())
            return families.first();
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

} // namespace

namespace fonts {

QString msSansSerif()
{
    static const QString family = resolveFamily();
    return family;
}

QFont msSansSerif(double points, bool bold, bool italic)
{
    QFont font(msSansSerif());
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    return font;
}

} // namespace fonts
