#include "screen_faces.h"

#include "fonts.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

void ScreenFaces::follow(QWidget &window)
{
    new ScreenFaces(window);
}

ScreenFaces::ScreenFaces(QWidget &window) : QObject(&window), m_window(window)
{
    window.installEventFilter(this);
}

void ScreenFaces::chooseFor(QWidget &window, double dotsPerInch)
{
    QList<QWidget *> widgets = window.findChildren<QWidget *>();
    widgets.prepend(&window);
    for (QWidget *widget : std::as_const(widgets)) {
        // Only the fonts the program set; Qt's own parts inherit them.
        if (!widget->testAttribute(Qt::WA_SetFont))
            continue;
        QFont font = widget->font();
        const QString family =
            fonts::familyFor(font.pointSizeF(), font.weight() >= QFont::Bold, font.italic(), dotsPerInch);
        if (font.family() == family)
            continue;
        font.setFamilies({family});
        widget->setFont(font);
    }
}

// The platform window exists from the first show; the window may open on
// another screen than the primary one the faces were first chosen for.
bool ScreenFaces::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::Show && !m_following) {
        if (QWindow *handle = m_window.windowHandle()) {
            m_following = true;
            connect(handle, &QWindow::screenChanged, this, &ScreenFaces::onScreen);
            onScreen(handle->screen());
        }
    }
    return QObject::eventFilter(watched, event);
}

void ScreenFaces::onScreen(QScreen *screen)
{
    disconnect(m_density);
    if (!screen)
        return;
    m_density = connect(screen, &QScreen::logicalDotsPerInchChanged, this,
                        [this, screen] { chooseFor(m_window, fonts::dotsPerInchOf(*screen)); });
    chooseFor(m_window, fonts::dotsPerInchOf(*screen));
}
