#pragma once

// The program's pictures as the windows show them: sharp on every screen.
// Each picture exists at its natural size and at twice its pixels (the
// "@2x" files beside it); the icon at the usual icon sizes. A window shows a
// picture at its natural size in logical pixels, drawn from the file that
// has at least the screen's pixels and shrunk to them; only above twice, or
// where a "@2x" file is missing, is a picture blown up.

#include <QIcon>
#include <QPixmap>
#include <QString>

// The window and program icon at 16, 24, 32, 48, 64, 128 and 256 pixels.
QIcon programIcon();

// A picture of the resources (":/pictures/logo.png") at its natural size, for
// a screen of that device pixel ratio.
QPixmap sharpPicture(const QString &path, qreal devicePixelRatio);
