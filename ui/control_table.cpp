#include "control_table.h"

#include "classic_style.h"
#include "control_colours.h"
#include "program_pictures.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include <algorithm>
#include <limits>

namespace controls {

namespace {

using namespace Qt::StringLiterals;

constexpr int PanelBorderPixels = 2;
constexpr int LinePixels = 1;

// A group's title starts this far in from its left edge, on a patch of the
// group's own background that interrupts the frame line.
constexpr int GroupTitleIndent = 6;
constexpr int GroupTitlePadding = 2;

// A group drawn the same on every desktop, as the layout's frames look: an
// etched line round the rectangle, its top at half the title's height, and
// the title over that line. Desktop styles would put the title above the
// line, tint the inside or leave the frame out altogether.
class EtchedGroupBox final : public QGroupBox
{
public:
    using QGroupBox::QGroupBox;

private:
    static void outline(QPainter &painter, const QRect &rect, const QColor &colour)
    {
        fillOutline(painter, rect, 1, colour, colour);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const QRect frame = rect().adjusted(0, metrics.height() / 2, 0, 0);
        // Two outlines, the dark one over the light one a pixel further in,
        // filled rather than stroked so that a scaled screen gets them as
        // thick as the rest, with no gap between them.
        outline(painter, frame.adjusted(1, 1, 0, 0), palette().color(QPalette::Light));
        outline(painter, frame.adjusted(0, 0, -1, -1), palette().color(QPalette::Dark));
        if (title().isEmpty())
            return;
        const int titleWidth = metrics.horizontalAdvance(readableCaption(title()));
        const QRect patch(GroupTitleIndent, 0, titleWidth + 2 * GroupTitlePadding, metrics.height());
        painter.fillRect(patch, palette().window());
        style()->drawItemText(&painter, patch, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), title(),
                              QPalette::WindowText);
    }
};

QWidget *containerOf(QWidget &window, const ControlLayout &layout)
{
    const QString parent = QString::fromUtf16(layout.parent);
    if (parent == window.objectName())
        return &window;
    auto *container = window.findChild<QWidget *>(parent);
    Q_ASSERT(container);
    return container;
}

void setOpaque(QWidget *control, const ControlLayout &layout)
{
    if (layout.background)
        setColours(control, *layout.background, layout.text);
}

QWidget *createWidget(QWidget *container, const ControlLayout &layout, QStyle *classic)
{
    switch (layout.kind) {
    case Kind::Panel: {
        auto *panel = new QFrame(container);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setLineWidth(PanelBorderPixels);
        panel->setFocusPolicy(Qt::StrongFocus);
        setOpaque(panel, layout);
        return panel;
    }
    case Kind::Picture: {
        auto *picture = new QLabel(container);
        // The picture's black ground is let through: on a black panel it
        // looks the same, and leaves whole the letters of a title that it
        // overlaps.
        QPixmap pixmap = sharpPicture(layout.picture, container->devicePixelRatioF());
        pixmap.setMask(pixmap.createMaskFromColor(colours::Black));
        picture->setPixmap(pixmap);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return picture;
    }
    case Kind::Line: {
        auto *line = new QFrame(container);
        line->setFrameStyle(QFrame::HLine | QFrame::Plain);
        line->setLineWidth(LinePixels);
        return line;
    }
    case Kind::Label: {
        auto *label = new QLabel(container);
        label->setTextFormat(Qt::PlainText);
        label->setText(readableCaption(layout.caption));
        // Labels keep their size and start at the top, whatever their text.
        label->setAlignment(layout.alignment | Qt::AlignTop);
        label->setWordWrap(layout.wraps);
        setOpaque(label, layout);
        return label;
    }
    case Kind::Button: {
        auto *button = new QPushButton(layout.caption, container);
        setButtonFace(button, layout.background.value_or(colours::Black), classic);
        return button;
    }
    case Kind::TextBox: {
        auto *box = new QLineEdit(container);
        if (classic)
            box->setStyle(classic);
        // No limit of its own: Qt's default would drop all past 32767 characters.
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setAlignment(layout.alignment | Qt::AlignVCenter);
        return box;
    }
    case Kind::Group: {
        QGroupBox *group = new EtchedGroupBox(container);
        group->setTitle(layout.caption);
        setOpaque(group, layout);
        return group;
    }
    case Kind::Timer:
        break;
    }
    return nullptr;
}

// A layout measures a group's controls from the group's outer corner, where
// its frame and title are drawn inside; a panel's and a window's from
// inside their border.
QPoint originIn(const QWidget *container)
{
    return qobject_cast<const QGroupBox *>(container) ? QPoint() : container->contentsRect().topLeft();
}

} // namespace

QString readableCaption(const QString &caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption.at(i);
    }
    return shown;
}

QObject *createControl(QWidget &window, const ControlLayout &layout, QStyle *classic)
{
    QWidget *container = containerOf(window, layout);
    if (layout.kind == Kind::Timer) {
        auto *timer = new IntervalTimer(container);
        timer->setObjectName(QString::fromUtf16(layout.name));
        return timer;
    }
    QWidget *control = createWidget(container, layout, classic);
    control->setObjectName(QString::fromUtf16(layout.name));
    // Every control carries its own font: Qt would otherwise hand down the
    // container's, and a bold group's face is not meant for its contents.
    control->setFont(fonts::msSansSerif(layout.face.points, layout.face.bold, layout.face.italic));
    control->setAccessibleName(layout.spoken.isEmpty() ? readableCaption(layout.caption) : layout.spoken);
    if (!layout.enabled)
        control->setEnabled(false);
    twips::place(*control, layout.place, originIn(container));
    return control;
}

void stackAndOrder(std::span<const BuiltControl> built)
{
    std::vector<std::pair<int, QWidget *>> keyboard;
    // Qt draws the last-raised sibling on top; raising from the end of the
    // table leaves each container's first row topmost.
    for (auto it = built.rbegin(); it != built.rend(); ++it) {
        auto *control = qobject_cast<QWidget *>(it->control);
        if (!control)
            continue;
        control->raise();
        if (it->layout->buddy) {
            auto *label = qobject_cast<QLabel *>(control);
            label->setBuddy(control->window()->findChild<QWidget *>(QString::fromUtf16(it->layout->buddy)));
        }
        if (it->layout->tab != NoTab && (control->focusPolicy() & Qt::TabFocus))
            keyboard.emplace_back(it->layout->tab, control);
    }
    if (keyboard.empty())
        return;
    std::ranges::sort(keyboard);
    for (auto it = keyboard.begin(); it + 1 != keyboard.end(); ++it)
        QWidget::setTabOrder(it->second, (it + 1)->second);
    // The first of them takes the focus when the window first becomes
    // active, wherever it lies.
    keyboard.front().second->setFocus(Qt::OtherFocusReason);
}

} // namespace controls
