#pragma once

// The windows' typeface. The layouts name "MS Sans Serif"; where the system
// has no such face, the free one from the wine fonts (Debian's fonts-wine)
// is loaded for this program alone, and only when neither exists does the
// system's sans-serif face stand in.

#include <QFont>
#include <QString>

namespace fonts {

// The family to ask for; loads the bundled face on first use.
QString msSansSerif();

// A font of that family in points; bold is weight 700, regular 400.
QFont msSansSerif(double points, bool bold = false, bool italic = false);

} // namespace fonts
