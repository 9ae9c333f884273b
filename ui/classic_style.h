#pragma once

// The look the layouts describe for push buttons and text boxes: a button
// face filled with exactly the button's own colour inside the raised
// two-pixel edge that sinks when pressed, the dotted focus mark and the
// underlined access key; a text box inside the two-pixel sunken edge. Qt's
// classic "Windows" style draws just that on every desktop, where Fusion
// would shade the face into a gradient and give text boxes a flat line.
// Everything else keeps the desktop's style, so the windows still fit in.
// Never changes the application's style.
//
// The edges are drawn here as filled strips: the classic style draws them
// with one-device-pixel lines, which on a scaled screen leave gaps between
// the edge's two lines and a thinner edge than the rest of the window.

class QColor;
class QObject;
class QPainter;
class QRect;
class QStyle;

// A classic style owned by owner, or null where Qt was built without it (the
// controls then keep the desktop's style).
QStyle *createClassicStyle(QObject *owner);

// A rectangle's outline, width pixels thick: top and left in one colour,
// bottom and right in the other. Filled rather than stroked, so that a
// scaled screen gets it as thick as the rest and without gaps.
void fillOutline(QPainter &painter, const QRect &rect, int width, const QColor &topLeft, const QColor &bottomRight);
