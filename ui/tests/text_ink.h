#pragma once

// Where a text's letters really land when it is drawn into a box, measured
// by drawing it with the font actually in use rather than trusted from font
// metrics (bitmap faces report no ink bounds). A text is clipped when its
// ink leaves the area its control shows.

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include <cmath>

// flags as for QPainter::drawText; the ink is returned in box's coordinates
// and may reach outside box. It is drawn at the screen's device pixel ratio,
// so a scaled screen's letters are measured as they are shown, and every
// device pixel touched counts for the whole logical pixel it lies in.
inline QRect inkOf(const QFont &font, const QRect &box, int flags, const QString &text)
{
    constexpr int Spill = 200;
    const qreal scale = qApp->devicePixelRatio();
    QImage image(box.size().grownBy({Spill, Spill, Spill, Spill}) * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(QPoint(Spill, Spill), box.size()), flags | Qt::TextDontClip, text);
    }
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            left = qMin(left, x);
            right = qMax(right, x);
            top = qMin(top, y);
            bottom = qMax(bottom, y);
        }
    }
    if (right < 0)
        return {};
    const auto logical = [scale](int device) { return int(std::floor(device / scale)); };
    return QRect(QPoint(logical(left), logical(top)), QPoint(logical(right), logical(bottom)))
        .translated(box.topLeft() - QPoint(Spill, Spill));
}
