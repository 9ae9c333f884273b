#pragma once

// Where a text's letters really land when it is drawn into a box, measured
// by drawing it with the font actually in use rather than trusted from font
// metrics (bitmap faces report no ink bounds). A text is clipped when its
// ink leaves the area its control shows.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

// flags as for QPainter::drawText; the ink is returned in box's coordinates
// and may reach outside box.
inline QRect inkOf(const QFont &font, const QRect &box, int flags, const QString &text)
{
    constexpr int Spill = 200;
    QImage image(box.size().grownBy({Spill, Spill, Spill, Spill}), QImage::Format_ARGB32_Premultiplied);
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
    return QRect(QPoint(left, top), QPoint(right, bottom)).translated(box.topLeft() - QPoint(Spill, Spill));
}
