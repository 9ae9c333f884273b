#pragma once

// The windows' typeface. The layouts name "MS Sans Serif". Where the system
// has no such face, the free one from the wine fonts (Debian's fonts-wine)
// is loaded for this program alone. Qt draws that face only at its smallest
// design size and never bold or italic; for bold, italic and larger text a
// scalable face of the same build stands in: Liberation Sans (Debian's
// fonts-liberation2), else the wine fonts' Tahoma. Only when none of them
// exists does the system's sans-serif face.

#include <QFont>
#include <QString>

namespace fonts {

// The window font's point size: the one size the bitmap face is drawn at.
inline constexpr double WindowPoints = 8.25;

// The family of the plain window font.
QString msSansSerif();

// The family that draws this size and style as asked.
QString familyFor(double points, bool bold, bool italic);

// A font of that family in points; bold is weight 700, regular 400.
QFont msSansSerif(double points, bool bold = false, bool italic = false);

} // namespace fonts
