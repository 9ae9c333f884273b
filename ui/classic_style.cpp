#include "classic_style.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// Each of the edge's two rings is one pixel wide.
constexpr int RingPixels = 1;

struct EdgeColours
{
    QColor outerTopLeft;
    QColor outerBottomRight;
    QColor innerTopLeft;
    QColor innerBottomRight;
};

void drawEdge(QPainter *painter, const QRect &rect, const EdgeColours &colours)
{
    fillOutline(*painter, rect, RingPixels, colours.outerTopLeft, colours.outerBottomRight);
    fillOutline(*painter, rect.adjusted(RingPixels, RingPixels, -RingPixels, -RingPixels), RingPixels,
                colours.innerTopLeft, colours.innerBottomRight);
}

class ClassicStyle final : public QProxyStyle
{
public:
    explicit ClassicStyle(QStyle *windows) : QProxyStyle(windows) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        const QPalette &palette = option->palette;
        switch (element) {
        case PE_PanelButtonCommand: {
            const bool pressed = option->state & (State_Sunken | State_On);
            const QRect face = option->rect.adjusted(2 * RingPixels, 2 * RingPixels, -2 * RingPixels, -2 * RingPixels);
            painter->fillRect(face, palette.button());
            // The classic colours: the inner top-left ring is the face's own.
            drawEdge(painter, option->rect,
                     pressed ? EdgeColours{palette.shadow().color(), palette.light().color(), palette.dark().color(),
                                           palette.button().color()}
                             : EdgeColours{palette.light().color(), palette.shadow().color(), palette.button().color(),
                                           palette.dark().color()});
            return;
        }
        case PE_FrameLineEdit:
            drawEdge(painter, option->rect,
                     {palette.dark().color(), palette.light().color(), palette.shadow().color(),
                      palette.midlight().color()});
            return;
        default:
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        }
    }
};

} // namespace

QStyle *createClassicStyle(QObject *owner)
{
    QStyle *windows = QStyleFactory::create(QStringLiteral("Windows"));
    if (!windows)
        return nullptr;
    auto *style = new ClassicStyle(windows);
    style->setParent(owner);
    return style;
}

void fillOutline(QPainter &painter, const QRect &rect, int width, const QColor &topLeft, const QColor &bottomRight)
{
    const int w = rect.width(), h = rect.height();
    painter.fillRect(rect.x(), rect.y() + h - width, w, width, bottomRight);
    painter.fillRect(rect.x() + w - width, rect.y(), width, h, bottomRight);
    painter.fillRect(rect.x(), rect.y(), w - width, width, topLeft);
    painter.fillRect(rect.x(), rect.y(), width, h - width, topLeft);
}
