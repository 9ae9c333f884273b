// What Form1 does: placement at start, OK with the decoder's verdict, the
// grow, shrink and slide animations, Cancel, Exit, about OK, Print and the
// return from the invalid-number dialog.
// Every handler reads the window's state from its controls when it runs and
// writes the result straight back; none keeps a count or a copy between runs.

#include "main_window.h"

#include "birth_details.h"
#include "desktop.h"
#include "interval_timer.h"
#include "invalid_number_dialog.h"
#include "main_window_sizes.h"
#include "print_service.h"
#include "twips.h"
#include "twips_geometry.h"

#include <QLineEdit>
#include <QPushButton>

#include <memory>
#include <optional>

namespace {

constexpr int TickInterval = 1; // milliseconds; a timer runs while its interval is not 0
constexpr int Stopped = 0;

using namespace mainwindow;

constexpr double HorizontalPlacementDivisor = 2;
constexpr double VerticalPlacementDivisor = 3;
constexpr double DialogCentringDivisor = 2;

// The texts this file shows the user: the titles of the messages after Print.
const QString PrintTitle = QStringLiteral("Print");
const QString SaveAsPdfTitle = QStringLiteral("Save as PDF");

// After a failure: the message, with the offer to save the sheet as a PDF
// instead, for as long as the user takes it and saving fails.
void offerPdfInstead(Desktop &desktop, PrintService &printing, QWidget *window, const DetailSheetTexts &texts,
                     const QString &printFailure)
{
    QString title = PrintTitle;
    QString message = printFailure;
    while (desktop.offerPdfInstead(window, title, message) == Desktop::FailureChoice::SaveAsPdf) {
        const QString file = desktop.askPdfFile(window, SheetPdfName(texts));
        if (file.isEmpty())
            return;
        const PrintAnswer saved = printing.saveSheetAsPdf(texts, desktop.today(), file);
        if (saved.kind != PrintAnswer::Kind::Failed)
            return;
        title = SaveAsPdfTitle;
        message = saved.message;
    }
}

} // namespace

void Form1::connectHandlers()
{
    connect(Timer1, &IntervalTimer::tick, this, &Form1::Timer1_Timer);
    connect(Timer2, &IntervalTimer::tick, this, &Form1::Timer2_Timer);
    connect(Timer3, &IntervalTimer::tick, this, &Form1::Timer3_Timer);
    connect(cmdtext, &QPushButton::clicked, this, &Form1::cmdtext_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &Form1::cmdCancel_Click);
    connect(cmdExit, &QPushButton::clicked, this, &Form1::cmdExit_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &Form1::cmdPrint_Click);
    connect(cmdAbtOK, &QPushButton::clicked, this, &Form1::cmdAbtOK_Click);
    connect(txtIDNo, &QLineEdit::textChanged, this, &Form1::txtIDNo_Change);
    connect(&m_printing, &PrintService::pressEnded, this, &Form1::showPrintAnswer);
}

double Form1::panelLeft() const
{
    return m_panelLeft.read(pct1->x());
}

void Form1::setPanelLeft(double left)
{
    m_panelLeft.set(left);
    pct1->move(m_panelLeft.pixelsFor(left), pct1->y());
}

void Form1::Form_Load()
{
    // Centred across, but only a third of the free height down; not clamped,
    // so a window larger than the screen gets a negative edge.
    const QSizeF screen = m_desktop.screenSize();
    const double top = (screen.height() - outer().height()) / VerticalPlacementDivisor;
    const double left = (screen.width() - outer().width()) / HorizontalPlacementDivisor;
    outer().move(left, top);
}

void Form1::cmdtext_Click()
{
    emptyResultFields();
    const BirthDetails details = DecodeBirthDetails(txtIDNo->text().toStdString(), m_desktop.today(), m_calendars);
    switch (details.Verdict) {
    case Verdict::BadDate:
        // The main window stays as it is, usable, and there is no beep; but
        // no sheet is left to print for a number that was not accepted.
        withdrawResults();
        showInvalidNumberDialog();
        return;
    case Verdict::BadNumber:
        // The texts formed before the number rule rejected the number are
        // never shown: the fields stay as emptied above.
        withdrawResults();
        // Asked for while the window is still shown; it keeps the focus there
        // for when the dialog's OK shows it again.
        outer().requestFocus(txtIDNo);
        hide();
        m_desktop.beep();
        showInvalidNumberDialog();
        return;
    case Verdict::Valid:
        writeResultFields(details);
        m_decodedNumber = txtIDNo->text();
        // The last press wins: a shrink still running would cancel out the
        // growth step for step and leave the window stuck half open.
        Timer2->setInterval(Stopped);
        Timer1_Timer();
        return;
    }
}

void Form1::cmdCancel_Click()
{
    cmdPrint->setEnabled(false);
    // As with OK, the later press ends the other animation.
    Timer1->setInterval(Stopped);
    Timer2_Timer();
}

void Form1::cmdExit_Click()
{
    m_desktop.quit();
}

void Form1::cmdAbtOK_Click()
{
    Timer3_Timer();
}

void Form1::cmdPrint_Click()
{
    const DetailSheetTexts texts{txtIDNo->text(),  txtDateOB->text(), txtHDateOB->text(),
                                 txtDayOB->text(), txtSex->text(),    txtAge->text()};
    m_printing.press(texts, m_desktop.today());
}

void Form1::showPrintAnswer(const DetailSheetTexts &texts, const PrintAnswer &answer)
{
    switch (answer.kind) {
    case PrintAnswer::Kind::Done:
        break;
    case PrintAnswer::Kind::Waiting:
        m_desktop.showNotice(this, PrintTitle, answer.message);
        break;
    case PrintAnswer::Kind::Failed:
        offerPdfInstead(m_desktop, m_printing, this, texts, answer.message);
        break;
    }
}

void Form1::Timer1_Timer()
{
    Timer1->setInterval(TickInterval);
    // The test comes before the step, so the run that finds the window grown
    // is the one that enables Print and stops.
    if (outer().height() > ExpandedThreshold) {
        // A growth that outlived its number (rejected or typed over on the
        // way) offers no sheet.
        if (m_decodedNumber)
            cmdPrint->setEnabled(true);
        Timer1->setInterval(Stopped);
    } else {
        outer().setHeight(outer().height() + GrowStep);
    }
}

void Form1::Timer2_Timer()
{
    Timer2->setInterval(TickInterval);
    if (outer().height() >= CollapsedThreshold) {
        outer().setHeight(outer().height() - ShrinkStep);
    } else {
        Timer2->setInterval(Stopped);
        txtIDNo->clear();
        withdrawResults();
        outer().requestFocus(txtIDNo);
    }
}

void Form1::Timer3_Timer()
{
    Timer3->setInterval(TickInterval);
    setPanelLeft(panelLeft() - SlideStep);
    // Here the step comes first: the run that moves the panel out of view stops.
    if (panelLeft() < SlideEnd) {
        Timer3->setInterval(Stopped);
        outer().requestFocus(txtIDNo);
    }
}

void Form1::frmInv_Dismissed()
{
    // The sizes below are meant for a window in its normal state; set on a
    // minimized or maximized one they would only wait for the restore.
    outer().restoreNormalState();
    show();
    // With the dialog gone the keyboard belongs to this window again.
    activateWindow();
    outer().setHeight(RestoredHeight);
    outer().setWidth(RestoredWidth);
}

void Form1::showInvalidNumberDialog()
{
    if (!m_invalidNumberDialog) {
        m_invalidNumberDialog = std::make_unique<frmInv>();
        connect(m_invalidNumberDialog.get(), &frmInv::dismissed, this, &Form1::frmInv_Dismissed);
        centreOnScreen(*m_invalidNumberDialog);
    }
    m_invalidNumberDialog->show();
    m_invalidNumberDialog->raise();
    m_invalidNumberDialog->activateWindow();
}

void Form1::txtIDNo_Change()
{
    // A number typed over after its decoding no longer owns the results
    // beside it, so the sheet that would pair them goes.
    if (m_decodedNumber && txtIDNo->text() != *m_decodedNumber) {
        m_decodedNumber.reset();
        cmdPrint->setEnabled(false);
    }
}

void Form1::withdrawResults()
{
    m_decodedNumber.reset();
    cmdPrint->setEnabled(false);
    emptyResultFields();
}

void Form1::emptyResultFields()
{
    txtDateOB->clear();
    txtDayOB->clear();
    txtSex->clear();
    txtAge->clear();
    // Emptied with the others, so no Hijri date is left beside another
    // number; only a decoding that produces one writes it again.
    txtHDateOB->clear();
}

void Form1::writeResultFields(const BirthDetails &details)
{
    txtDateOB->setText(QString::fromStdString(details.DateOB));
    txtDayOB->setText(QString::fromStdString(details.DayOB));
    txtSex->setText(QString::fromStdString(details.Sex));
    txtAge->setText(QString::fromStdString(details.Age));
    if (details.HDateOB)
        txtHDateOB->setText(QString::fromStdString(*details.HDateOB));
}

void Form1::centreOnScreen(QWidget &window) const
{
    const QSizeF screen = m_desktop.screenSize();
    const double width = twips::fromPixels(window.width());
    const double height = twips::fromPixels(window.height());
    window.move(twips::toPixels((screen.width() - width) / DialogCentringDivisor),
                twips::toPixels((screen.height() - height) / DialogCentringDivisor));
}
