#pragma once

// The window tests' fixture: a real main window on recording doubles,
// created as the program creates it, with helpers that find its controls by
// their names. Tests read and press what the user would; what only a test
// may reach (ticks, twips geometry, the dialog) goes through the window's
// seam. The doubles record what they were asked and answer what the test
// chose; they never end the program, never open a message box and never
// touch a printer. The behaviour tests' Harness places and shows the
// window as the program does, and never keeps state of the window's own.

#include "desktop.h"
#include "fonts.h"
#include "icu_calendar_service.h"
#include "interval_timer.h"
#include "invalid_number_dialog.h"
#include "main_window.h"
#include "print_service.h"
#include "recording_destination.h"
#include "sample_numbers.h"
#include "twips_geometry.h"

#include <QFont>
#include <QFontInfo>
#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <QtGlobal>

#include <chrono>
#include <memory>

// The desktop's stand-in: counts beeps, chooses a screen size and the
// clock's date, records each message and answers its questions as the test
// chose, and sees the program end without it ending.
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

// The tests' way into Form1: the tick handlers, fired here one at a time so
// that every count is exact, the window's twips geometry and panel edge,
// and the invalid-number dialog. The program reaches all of these only
// through the buttons and timers.
class Form1TestAccess
{
public:
    explicit Form1TestAccess(Form1 &window) : m_window(window) {}

    void Timer1_Timer() const { m_window.Timer1_Timer(); }
    void Timer2_Timer() const { m_window.Timer2_Timer(); }
    void Timer3_Timer() const { m_window.Timer3_Timer(); }

    TwipsGeometry &outer() const { return m_window.outer(); }
    double panelLeft() const { return m_window.panelLeft(); }
    void setPanelLeft(double left) const { m_window.setPanelLeft(left); }

    // Null until the dialog is first shown.
    frmInv *invalidNumberDialog() const { return m_window.m_invalidNumberDialog.get(); }
    void showInvalidNumberDialog() const { m_window.showInvalidNumberDialog(); }

private:
    Form1 &m_window;
};

// A window test that draws with whatever face the font system falls back to
// proves nothing about the windows (Qt's offscreen platform on Windows finds
// no face at all unless QT_QPA_FONTDIR names a folder of them): it stops at
// once, before the window is made.
struct UsableFaces
{
    UsableFaces()
    {
        const QFont standIn(fonts::standIn());
        if (!fonts::standInCandidates().contains(standIn.family()) || QFontInfo(standIn).family() != standIn.family())
            qFatal("no usable face for the windows: the stand-in is \"%s\", drawn as \"%s\"",
                   qPrintable(standIn.family()), qPrintable(QFontInfo(standIn).family()));
    }
};

// Qt cuts QT_QPA_PLATFORM's options at every ':', a Windows drive letter's
// too ("configfile=D:/a/..." names the file "D"), so a test names a file
// there only relative to its working folder. Checked on every platform: an
// absolute path fails here, not first on Windows.
struct PlatformOptionsWithoutPaths
{
    PlatformOptionsWithoutPaths()
    {
        const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
        static const QRegularExpression absolutePath(QStringLiteral(R"(=([A-Za-z]:)?[/\\])"));
        if (platform.contains(absolutePath))
            qFatal("QT_QPA_PLATFORM names a file by an absolute path, which breaks at a drive letter: %s",
                   qPrintable(platform));
    }
};

// The main window as the program makes it, deciding as on 7 December 2026,
// over the real print service on a recording printer, whose sheets and
// saved PDF files are all in one log.
struct MainWindowOnDoubles
{
    explicit MainWindowOnDoubles(std::chrono::milliseconds pressLimit = PrintService::DefaultLimit)
        : printing(std::make_unique<RecordingDestination>(printer), pressLimit,
                   [this](const QString &file) { return std::make_unique<RecordingDestination>(printer, file); })
    {}

    template <typename Control = QWidget>
    Control *control(const QString &name) const
    {
        return window.findChild<Control *>(name);
    }

    PlatformOptionsWithoutPaths platformOptions;
    UsableFaces faces;
    RecordingDesktop desktop;
    const IcuCalendarService calendars;
    RecordingDestination::Log printer;
    PrintService printing;
    Form1 window{desktop, calendars, printing};
    Form1TestAccess seam{window};
};

namespace behaviour {

using namespace Qt::StringLiterals;

inline const QString ValidNumber = QString::fromUtf8(samples::man::Number);
// Two digits in front but no such day: the date check rejects it.
inline const QString BadDateNumber = u"810601234V"_s;
// A real date, so every result text is formed, but the last letter is wrong.
inline const QString BadNumberNumber = u"811231234Q"_s;
// No digits in front: no date and no Hijri text is formed at all.
inline const QString LettersNumber = u"AB1231234V"_s;

// What the sample number decodes to on the fixture's 7 December 2026, in the fields' order.
inline const QStringList ValidTexts{QString::fromUtf8(samples::man::DateOB), QString::fromUtf8(samples::man::DayOB),
                                    QString::fromUtf8(samples::man::Sex), QString::fromUtf8(samples::man::Age),
                                    QString::fromUtf8(samples::man::HDateOB)};

// txtDateOB, txtDayOB, txtSex, txtAge, then txtHDateOB.
inline const QStringList ResultFields{u"txtDateOB"_s, u"txtDayOB"_s, u"txtSex"_s, u"txtAge"_s, u"txtHDateOB"_s};

// Everything the window keeps, as the user or a handler can read it.
struct Snapshot
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double panelLeft = 0;
    int timer1 = 0;
    int timer2 = 0;
    int timer3 = 0;
    bool print = false;
    bool visible = false;
    QString idNo;
    QStringList results;

    friend bool operator==(const Snapshot &, const Snapshot &) = default;
};

// The offscreen platform cannot raise a window and says so each time the
// dialog comes up; that says nothing about the window, so it is dropped.
inline void dropOffscreenRaiseWarnings()
{
    static QtMessageHandler next = nullptr;
    next = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (message == u"This plugin does not support raise()")
            return;
        next(type, context, message);
    });
}

// The window placed and shown as the program does it.
class Harness : public MainWindowOnDoubles
{
public:
    explicit Harness(std::chrono::milliseconds pressLimit = PrintService::DefaultLimit)
        : MainWindowOnDoubles(pressLimit)
    {
        window.Form_Load();
        window.show();
    }

    QLineEdit *field(const QString &name) const { return control<QLineEdit>(name); }
    QPushButton *button(const QString &name) const { return control<QPushButton>(name); }
    IntervalTimer *timer(const QString &name) const { return control<IntervalTimer>(name); }

    double height() const { return seam.outer().height(); }
    void setHeight(double height) { seam.outer().setHeight(height); }
    int interval(const QString &timerName) const { return timer(timerName)->interval(); }
    bool printEnabled() const { return button(u"cmdPrint"_s)->isEnabled(); }

    bool dialogShown() const
    {
        const frmInv *dialog = seam.invalidNumberDialog();
        return dialog && dialog->isVisible();
    }

    // Where the keyboard goes next: a request kept for a hidden window
    // counts, otherwise the window's own focus widget.
    QWidget *focusTarget() const
    {
        if (QWidget *pending = seam.outer().pendingFocus())
            return pending;
        return window.focusWidget();
    }

    QStringList resultTexts() const
    {
        QStringList texts;
        for (const QString &name : ResultFields)
            texts << field(name)->text();
        return texts;
    }
    void setResultTexts(const QStringList &texts)
    {
        for (qsizetype i = 0; i < ResultFields.size(); ++i)
            field(ResultFields.at(i))->setText(texts.at(i));
    }

    Snapshot snapshot() const
    {
        const TwipsGeometry &outer = seam.outer();
        return {outer.left(),
                outer.top(),
                outer.width(),
                outer.height(),
                seam.panelLeft(),
                interval(u"Timer1"_s),
                interval(u"Timer2"_s),
                interval(u"Timer3"_s),
                printEnabled(),
                window.isVisible(),
                field(u"txtIDNo"_s)->text(),
                resultTexts()};
    }

    void press(const QString &buttonName) { button(buttonName)->click(); }
    void enter(const QString &number)
    {
        field(u"txtIDNo"_s)->setText(number);
        press(u"cmdtext"_s);
    }
    void pressDialogOk() { seam.invalidNumberDialog()->findChild<QPushButton *>(u"cmdOK"_s)->click(); }
};

} // namespace behaviour
