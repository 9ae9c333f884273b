#pragma once

// Everything the windows ask of the desktop itself: the beep, the screen's
// size, the clock's date, messages and questions for the user, and ending the
// program. Behind an interface so tests can count beeps, choose a screen size
// and a day, answer the questions and see the program end without it ending. None of these may
// ever end the program by failing.

#include <QSizeF>
#include <QString>

#include <chrono>

class QWidget;

class Desktop
{
public:
    virtual ~Desktop() = default;

    virtual void beep() = 0;
    // The whole screen the window opens on, in twips.
    virtual QSizeF screenSize() const = 0;
    // Today's date on the desktop's clock.
    virtual std::chrono::year_month_day today() const = 0;
    enum class FailureChoice { Close, SaveAsPdf };

    // A message box owned by parent for a sheet that was not printed (or not
    // saved), with a "Save as PDF..." button beside Close.
    virtual FailureChoice offerPdfInstead(QWidget *parent, const QString &title, const QString &text) = 0;
    // The file dialog for saving the sheet, opening in the user's documents
    // folder with fileName filled in; the chosen path, or empty when cancelled.
    virtual QString askPdfFile(QWidget *parent, const QString &fileName) = 0;
    // A message box owned by parent for news that is not a failure.
    virtual void showNotice(QWidget *parent, const QString &title, const QString &text) = 0;
    // Ends the program at once: all windows close and nothing is asked.
    virtual void quit() = 0;
};

class QtDesktop final : public Desktop
{
public:
    void beep() override;
    QSizeF screenSize() const override;
    std::chrono::year_month_day today() const override;
    FailureChoice offerPdfInstead(QWidget *parent, const QString &title, const QString &text) override;
    QString askPdfFile(QWidget *parent, const QString &fileName) override;
    void showNotice(QWidget *parent, const QString &title, const QString &text) override;
    void quit() override;
};
