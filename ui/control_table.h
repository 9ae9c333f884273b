#pragma once

// A window's controls as one table, a row per control: its name, kind and
// container, its place and size in twips, caption, face, colours and tab
// position. buildControls makes every row's control in its container, points
// the window's member at it, places it, and then stacks and orders them all:
// within a container an earlier row is drawn above a later one, and the
// keyboard goes by tab position. A new control is one new row.
//
// The table holds what the layout says and nothing else; the builder never
// picks a place, a text or a colour of its own.

#include "fonts.h"
#include "interval_timer.h"
#include "twips.h"

#include <QColor>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <optional>
#include <span>
#include <variant>
#include <vector>

class QStyle;

namespace controls {

enum class Kind {
    Panel,   // a panel with a sunken border that holds others and can take the focus
    Picture, // a picture at its natural size
    Line,    // a straight line, one pixel wide
    Label,
    Button,  // painted in its own face colour
    TextBox, // single line, with the sunken edge
    Group,   // a group box with an etched frame and an optional title
    Timer,   // no presence on screen
};

struct Face
{
    double points = fonts::WindowPoints;
    bool bold = false;
    bool italic = false;
};

// Takes a place in the order but the focus only if its kind can.
inline constexpr int NoTab = -1;

struct ControlLayout
{
    const char16_t *name = nullptr;
    Kind kind = Kind::Label;
    // The container, by name; the window's own name for the window. A
    // container comes before its controls in the table.
    const char16_t *parent = nullptr;
    // From the container's top-left corner: inside a panel's or window's
    // border, from a group box's own outer corner.
    TwipsRect place{};
    // The text shown: a label's or button's caption, a group's title, where
    // "&" marks the access key and "&&" shows one "&".
    QString caption{};
    Face face{};
    std::optional<QColor> text{};
    // A button's face; opaque behind the others that have one.
    std::optional<QColor> background{};
    Qt::Alignment alignment{};
    int tab = NoTab;
    // What a screen reader says, where the caption does not say it.
    QString spoken{};
    QString picture{};               // a picture's resource
    bool wraps = false;              // a label's text wraps at word boundaries
    const char16_t *buddy = nullptr; // the text box a label names
    bool enabled = true;
};

// The window's member that the row's control is found by.
template <typename Window>
using Member = std::variant<QFrame * Window::*, QLabel * Window::*, QPushButton * Window::*, QLineEdit * Window::*,
                            QGroupBox * Window::*, IntervalTimer * Window::*>;

template <typename Window>
struct ControlRow
{
    Member<Window> member;
    ControlLayout layout;
};

struct BuiltControl
{
    const ControlLayout *layout;
    QObject *control;
};

// One row's control, made in its container (found by name in window), named,
// with its face, colours, texts and place. Buttons and text boxes take the
// classic style where there is one.
QObject *createControl(QWidget &window, const ControlLayout &layout, QStyle *classic);

// Stacks each container's controls in table order (earlier above later),
// gives labels their text boxes, and orders the keyboard by tab position;
// the first control in that order that takes the focus gets it.
void stackAndOrder(std::span<const BuiltControl> built);

template <typename Window>
void buildControls(Window &window, std::span<const ControlRow<Window>> rows, QStyle *classic)
{
    std::vector<BuiltControl> built;
    built.reserve(rows.size());
    for (const ControlRow<Window> &row : rows) {
        QObject *control = createControl(window, row.layout, classic);
        std::visit(
            [&](auto member) {
                using Control = std::remove_pointer_t<std::remove_reference_t<decltype(window.*member)>>;
                window.*member = qobject_cast<Control *>(control);
                Q_ASSERT(window.*member);
            },
            row.member);
        built.push_back({&row.layout, control});
    }
    stackAndOrder(built);
}

// A caption as the user reads it: "&x" marks an access key, "&&" is one "&".
QString readableCaption(const QString &caption);

} // namespace controls
