#include "program_pictures.h"

#include <QImage>

namespace {

using namespace Qt::StringLiterals;

// The 32-pixel icon is the hand-placed 16-colour one; the others are drawn
// from the same design by ui/pictures/draw_pictures.cpp.
constexpr int IconSizes[] = {16, 24, 32, 48, 64, 128, 256};
constexpr int HandDrawnIconSize = 32;

} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (const int size : IconSizes) {
        const QString file = size == HandDrawnIconSize ? u":/pictures/icon.png"_s
                                                        : u":/pictures/icon-%1.png"_s.arg(size);
        icon.addFile(file, QSize(size, size));
    }
    return icon;
}

QPixmap sharpPicture(const QString &path, qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1)
        return QPixmap(path);
    // The larger file, drawn down to the screen's pixels where it has fewer
    // than twice: a picture shrunk stays sharp, one blown up does not.
    QString large = path;
    large.insert(path.lastIndexOf(u'.'), u"@2x"_s);
    const QImage natural(path);
    QImage image(large);
    if (image.isNull())
        image = natural;
    const QSize wanted = (QSizeF(natural.size()) * devicePixelRatio).toSize();
    if (image.size() != wanted)
        image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(devicePixelRatio);
    return QPixmap::fromImage(image);
}
