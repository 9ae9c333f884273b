#pragma once

// Lengths on screen are kept in twips (1/1440 inch) as the layouts give
// them. Qt works in logical pixels; at 15 twips to one logical pixel Qt's own
// high-DPI scaling takes care of screens that are not 96 dots per inch.

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
