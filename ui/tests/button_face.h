#pragma once

// What a push button really paints, read pixel by pixel from a grab: its
// face inside the classic edge, the edge's corners, and the caption's
// letters (the pixels the caption changes).

#include <QColor>
#include <QImage>
#include <QPushButton>
#include <QRect>
#include <QStyle>
#include <QStyleOptionButton>
#include <QString>

#include <cmath>

struct ButtonPaint
{
    QImage image;       // as painted, in device pixels
    QImage uncaptioned; // the same button painted without its caption
    QRect face;         // inside the edge, in device pixels
    QRectF focusMark;   // where the focus mark may run, in the button's pixels
};

// The classic raised edge is this many pixels wide on every side.
inline constexpr int ButtonEdgePixels = 2;

inline ButtonPaint paintOf(QPushButton *button)
{
    ButtonPaint paint;
    paint.image = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString caption = button->text();
    button->setText(QString());
    paint.uncaptioned = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    button->setText(caption);
    const int edge = int(std::ceil(ButtonEdgePixels * paint.image.devicePixelRatio()));
    paint.face = paint.image.rect().adjusted(edge, edge, -edge, -edge);
    if (button->hasFocus()) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        paint.focusMark = button->style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, button);
    }
    return paint;
}

// Whether a device pixel lies on the one-pixel line of the focus mark.
inline bool onFocusMark(const ButtonPaint &paint, int x, int y)
{
    if (paint.focusMark.isEmpty())
        return false;
    const qreal scale = paint.image.devicePixelRatio();
    const QRectF pixel(x / scale, y / scale, 1 / scale, 1 / scale);
    return paint.focusMark.intersects(pixel) && !paint.focusMark.adjusted(1, 1, -1, -1).contains(pixel);
}

// The face's pixels that the caption and the focus mark leave alone: they
// must all be colour.
// Returns how many were checked and how many were not that colour.
struct FaceCount
{
    int checked = 0;
    int wrong = 0;
    QColor firstWrong;
};

inline FaceCount countFace(const ButtonPaint &paint, const QColor &colour)
{
    FaceCount count;
    for (int y = paint.face.top(); y <= paint.face.bottom(); ++y) {
        for (int x = paint.face.left(); x <= paint.face.right(); ++x) {
            const QRgb pixel = paint.image.pixel(x, y);
            if (pixel != paint.uncaptioned.pixel(x, y) || onFocusMark(paint, x, y))
                continue; // a letter or the focus mark
            ++count.checked;
            if (QColor(pixel) != colour) {
                if (count.wrong++ == 0)
                    count.firstWrong = QColor(pixel);
            }
        }
    }
    return count;
}

// The caption's letters: the pixels the caption changes, as colours.
inline QList<QColor> captionColours(const ButtonPaint &paint)
{
    QList<QColor> colours;
    for (int y = 0; y < paint.image.height(); ++y)
        for (int x = 0; x < paint.image.width(); ++x)
            if (paint.image.pixel(x, y) != paint.uncaptioned.pixel(x, y))
                colours.append(QColor(paint.image.pixel(x, y)));
    return colours;
}
