#pragma once

// Recording stand-ins for what the windows ask of the outside world: the
// desktop (beep, screen size, error messages, ending the program), the clock
// (a chosen "today" over the real calendars) and the printer. They record
// what they were asked and answer what the test chose; they never end the
// program, never open a message box and never touch a printer.

#include "desktop.h"
#include "icu_calendar_service.h"
#include "print_service.h"

#include <QList>
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <QWidget>

#include <chrono>

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

// The real calendars with a "today" of the test's choosing, so ages do not
// change with the day the tests run.
class FixedTodayCalendar final : public CalendarService
{
public:
    explicit FixedTodayCalendar(std::chrono::year_month_day today)
        : m_today(today)
    {
    }

    std::chrono::year_month_day today() const override { return m_today; }
    int weekday(std::chrono::year_month_day date) const override { return m_real.weekday(date); }
    HijriDate hijri(std::chrono::year_month_day date) const override { return m_real.hijri(date); }

private:
    std::chrono::year_month_day m_today;
    IcuCalendarService m_real;
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
