#include "desktop.h"

#include "twips.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

void QtDesktop::beep()
{
    QApplication::beep();
}

QSizeF QtDesktop::screenSize() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QSize size = screen->geometry().size();
    return {twips::fromPixels(size.width()), twips::fromPixels(size.height())};
}

void QtDesktop::showError(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::warning(parent, title, text);
}

void QtDesktop::quit()
{
    // exit() rather than quit(): it ends the event loop even while a
    // message box runs its own, and closes every window on the way out.
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}
