#pragma once

// The colours the layouts name, the light scheme both windows are drawn
// for, and the two ways both windows colour a control: an opaque background
// with an optional text colour, and a push button's face. Nothing here picks
// a colour for a control; the windows do.

#include <QColor>

#include <optional>

class QPalette;
class QPushButton;
class QStyle;
class QWidget;

namespace colours {

inline constexpr QColor Black{0, 0, 0};
inline constexpr QColor White{255, 255, 255};
inline constexpr QColor Red{255, 0, 0};
inline constexpr QColor Teal{0, 128, 128};
inline constexpr QColor Cyan{0, 255, 255};
inline constexpr QColor LightPink{255, 192, 192};
inline constexpr QColor LightYellow{255, 255, 128};

} // namespace colours

// Every role of every colour group, light: the "system" text, window and
// button colours the layouts name, as a light desktop gives them. Set whole
// on each window, so a dark desktop (Windows in dark mode, a dark theme on
// Linux) cannot turn captions white on the cyan, pink and yellow faces, or
// the text boxes dark.
QPalette pinnedPalette();

// Fills the control's background with its own colour, and gives its text
// another where one is named.
void setColours(QWidget *control, const QColor &background, std::optional<QColor> text = {});

// A push button painted in its own face colour, in the classic style where
// there is one: desktop styles paint their own face or a gradient over it.
void setButtonFace(QPushButton *button, const QColor &face, QStyle *classic);
