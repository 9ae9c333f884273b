#pragma once

// The windows' typeface. The layouts name "MS Sans Serif", a bitmap face:
// it is sharp only where one of its strikes has exactly the pixel size the
// text needs, which for the 8.25 point window font is the screen of 96
// device pixels an inch (its 13-pixel strike). Everywhere else a smoothly
// scalable stand-in draws: the first installed of a short list, ordered by
// how little each face's advances over the printable ASCII characters differ
// from the bitmap face's (on Debian 12: Liberation Sans, 35 pixels over the
// 95 characters, against Tahoma 66 and DejaVu Sans 99; fonts_test measures it
// again). Larger text, which the bitmap face has no strike for, is the
// stand-in's as well; bold and italic text is the stand-in's where the font
// system lists it in that style, else the first other candidate's that it
// lists so (Microsoft Sans Serif has no bold or italic file: Windows' own font
// system lists the ones GDI makes of it, the FreeType database of Qt's
// offscreen platform does not, and Arial draws them there).
//
// Where the system has no MS Sans Serif, the free one of the wine fonts
// (Debian's fonts-wine) is loaded for this program alone. On Windows the
// system's own faces serve, by the same rule: the bitmap MS Sans Serif where
// the font system lists it (GDI lists raster faces) and the window font comes
// out in its 13-pixel strike (measured once; Qt's GDI engine draws the next
// strike up), else the scalable successor Microsoft Sans Serif, then Arial,
// Liberation Sans and Tahoma.
// Only when no candidate exists does the system's sans-serif face draw.

#include <QFont>
#include <QString>
#include <QStringList>

class QScreen;

namespace fonts {

// The window font's point size, and the larger size of titles, the entry
// field and the dialog's OK.
inline constexpr double WindowPoints = 8.25;
inline constexpr double LargePoints = 9.75;

// Device pixels an inch at which the bitmap face has a strike for the window
// font. Its other strikes (16 and 20 pixels) fit no common scale exactly.
inline constexpr double BitmapDotsPerInch = 96;
// The height of that strike's cell, in pixels.
inline constexpr int BitmapStrikePixels = 13;

// Device pixels an inch of a screen: its logical dots an inch times its
// device pixel ratio (both follow QT_SCALE_FACTOR, QT_FONT_DPI); and of the
// primary screen, where the windows open.
double dotsPerInchOf(const QScreen &screen);
double screenDotsPerInch();

// The family of the plain window font on this screen.
QString msSansSerif();

// The scalable face that stands in for the bitmap one.
QString standIn();

// The faces that may stand in, best first.
QStringList standInCandidates();

// The family that draws this size and style sharply at that density, in a
// style it has.
QString familyFor(double points, bool bold, bool italic, double dotsPerInch = screenDotsPerInch());

// A font of that family in points for this screen; bold is weight 700, regular 400.
QFont msSansSerif(double points, bool bold = false, bool italic = false);

} // namespace fonts
