#pragma once

// Lengths on screen are kept in twips (1/1440 inch) as the layouts give
// them. Qt works in logical pixels; at 15 twips to one logical pixel Qt's own
// high-DPI scaling takes care of screens that are not 96 dots per inch.

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <QtMath>

namespace twips {

inline constexpr double PerPixel = 15;

inline int toPixels(double twips)
{
    return qRound(twips / PerPixel);
}

inline constexpr double fromPixels(int pixels)
{
    return pixels * PerPixel;
}

} // namespace twips

// A control's place and size in twips, as a layout gives it.
struct TwipsRect
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

namespace twips {

// The left, top, width and height each rounded on its own (so the right and
// bottom edges may lie a pixel off their own rounding), offset by origin.
inline QRect toPixels(const TwipsRect &rect, QPoint origin = {})
{
    return {origin.x() + toPixels(rect.left), origin.y() + toPixels(rect.top), toPixels(rect.width),
            toPixels(rect.height)};
}

inline void place(QWidget &control, const TwipsRect &rect, QPoint origin = {})
{
    control.setGeometry(toPixels(rect, origin));
}

} // namespace twips
