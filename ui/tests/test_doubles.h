#pragma once

// Recording stand-ins for what the windows ask of the outside world: the
// desktop (beep, screen size, error messages, ending the program), the clock
// (a chosen "today" over the real calendars) and the printer. They record
// what they were asked and answer what the test chose; they never end the
// program, never open a message box and never touch a printer.

#include "desktop.h"
#include "fixed_today_calendar.h"
#include "print_service.h"

#include <QList>
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <QWidget>

class RecordingDesktop final : public Desktop
{
public:
    struct Error
    {
        QPointer<QWidget> parent;
        QString title;
        QString text;
    };

    void beep() override { ++beeps; }
    QSizeF screenSize() const override { return screen; }
    void showError(QWidget *parentWidget, const QString &title, const QString &text) override
    {
        errors.append({parentWidget, title, text});
    }
    void quit() override { ++quits; }

    // A 1024 x 768 pixel screen unless a test chooses another.
    QSizeF screen{15360, 11520};
    int beeps = 0;
    int quits = 0;
    QList<Error> errors;
};

class RecordingPrintService final : public PrintService
{
public:
    QString printSheet(const DetailSheetTexts &texts) override
    {
        sheets.append(texts);
        return answer;
    }

    QList<DetailSheetTexts> sheets;
    // What every print answers: empty for success, else the failure's words.
    QString answer;
};
