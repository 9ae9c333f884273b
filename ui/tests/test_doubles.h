#pragma once

// Recording stand-ins for what the windows ask of the outside world: the
// desktop (beep, screen size, the clock's date, error messages, ending the
// program) and the printer. They record what they were asked and answer what
// the test chose; they never end the program, never open a message box and
// never touch a printer.

#include "desktop.h"
#include "print_service.h"
#include "sample_numbers.h"

#include <QList>
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <thread>

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
    std::chrono::year_month_day today() const override { return date; }
    FailureChoice offerPdfInstead(QWidget *parentWidget, const QString &title, const QString &text) override
    {
        errors.append({parentWidget, title, text});
        return choices.isEmpty() ? FailureChoice::Close : choices.takeFirst();
    }
    QString askPdfFile(QWidget *, const QString &fileName) override
    {
        offeredNames.append(fileName);
        return chosenFiles.isEmpty() ? QString() : chosenFiles.takeFirst();
    }
    void showNotice(QWidget *parentWidget, const QString &title, const QString &text) override
    {
        notices.append({parentWidget, title, text});
    }
    void quit() override { ++quits; }

    // A 1024 x 768 pixel screen unless a test chooses another.
    QSizeF screen{15360, 11520};
    std::chrono::year_month_day date = samples::Today;
    int beeps = 0;
    int quits = 0;
    QList<Error> errors; // failure messages, each with its offer to save a PDF
    QList<Error> notices;
    // The user's answers, in turn: to each offer (Close when none is left)
    // and to each file dialog (cancelled when none is left).
    QList<FailureChoice> choices;
    QStringList chosenFiles;
    QStringList offeredNames; // the names the file dialogs were opened with
};

class RecordingPrintService final : public PrintService
{
public:
    struct Saved
    {
        DetailSheetTexts texts;
        QString file;
    };

    PrintAnswer printSheet(const DetailSheetTexts &texts) override
    {
        sheets.append(texts);
        // A print system that is slow to answer.
        std::this_thread::sleep_for(holdPress);
        return answer;
    }
    PrintAnswer saveSheetAsPdf(const DetailSheetTexts &texts, const QString &file) override
    {
        saved.append({texts, file});
        return saveAnswers.isEmpty() ? PrintAnswer{} : saveAnswers.takeFirst();
    }
    bool asksTheUser() const override { return pressAsksTheUser; }
    PrintAnswer giveUpSheet(std::chrono::milliseconds waited) override
    {
        givenUpAfter.append(waited);
        return {PrintAnswer::Kind::Failed, QStringLiteral("no answer")};
    }

    QList<DetailSheetTexts> sheets;
    QList<Saved> saved;
    // What every print answers; what each save answers in turn (done when none is left).
    PrintAnswer answer;
    QList<PrintAnswer> saveAnswers;
    std::chrono::milliseconds holdPress{0};        // how long each print keeps the press waiting
    std::atomic<bool> pressAsksTheUser = false;    // the printer's own window is open throughout
    QList<std::chrono::milliseconds> givenUpAfter; // each time the window gave up waiting
};
