#pragma once

// One real main window on recording doubles, placed and shown as the program
// does it, for the behaviour tests. Controls are found by their names, so a
// test reads and presses what the user would; it reaches the window's
// ticks and twips geometry only through its seam and never keeps state of
// the window's own.

#include "interval_timer.h"
#include "invalid_number_dialog.h"
#include "main_window.h"
#include "sample_numbers.h"
#include "twips_geometry.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

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

// The window placed and shown as the program does it, decoding as on
// 7 December 2026.
class Harness : public MainWindowOnDoubles
{
public:
    Harness()
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
