#include "program_pictures.h"

#include <QImage>
#include <QImageReader>

namespace {

using namespace Qt::StringLiterals;

// The 32-pixel icon is the hand-placed 16-colour one; the others are drawn
// from the same design by tools/draw_pictures.cpp.
constexpr int IconSizes[] = {16, 24, 32, 48, 64, 128, 256};
constexpr int HandDrawnIconSize = 32;

// Read as PNG outright: left to guess the format, Qt loads every image
// plugin it has (and libjpeg with them) at start, for pictures that are all
// PNG.
QImage readPng(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace

QIcon programIcon()
{
    // Decoded once: the application and both windows carry the same set,
    // and decoding all seven sizes costs more than building a window.
    static const QIcon icon = [] {
        QIcon sizes;
        for (const int size : IconSizes) {
            const QString file =
                size == HandDrawnIconSize ? u":/pictures/icon.png"_s : u":/pictures/icon-%1.png"_s.arg(size);
            sizes.addPixmap(QPixmap::fromImage(readPng(file)));
        }
        return sizes;
    }();
    return icon;
}

QPixmap sharpPicture(const QString &path, qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1)
        return QPixmap::fromImage(readPng(path));
    // The larger file, drawn down to the screen's pixels where it has fewer
    // than twice: a picture shrunk stays sharp, one blown up does not.
    QString large = path;
    large.insert(path.lastIndexOf(u'.'), u"@2x"_s);
    const QImage natural = readPng(path);
    QImage image = readPng(large);
    if (image.isNull())
        image = natural;
    const QSize wanted = (QSizeF(natural.size()) * devicePixelRatio).toSize();
    if (image.size() != wanted)
        image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(devicePixelRatio);
    return QPixmap::fromImage(image);
}
