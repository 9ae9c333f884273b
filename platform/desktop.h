#pragma once

// Everything the windows ask of the desktop itself: the beep, the screen's
// size, a message for the user, and ending the program. Behind an interface
// so tests can count beeps, choose a screen size and see the program end
// without it ending. None of these may ever end the program by failing.

#include <QSizeF>
#include <QString>

class QWidget;

class Desktop
{
public:
    virtual ~Desktop() = default;

    virtual void beep() = 0;
    // The whole screen the window opens on, in twips.
    virtual QSizeF screenSize() const = 0;
    // A message box owned by parent (or free standing), for failures the user
    // should hear about, such as a printer that will not print.
    virtual void showError(QWidget *parent, const QString &title, const QString &text) = 0;
    // Ends the program at once: all windows close and nothing is asked.
    virtual void quit() = 0;
};

class QtDesktop final : public Desktop
{
public:
    void beep() override;
    QSizeF screenSize() const override;
    void showError(QWidget *parent, const QString &title, const QString &text) override;
    void quit() override;
};
