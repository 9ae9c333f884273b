#pragma once

// Form1, the program's main window: the about panel that covers it at start,
// the entry field with OK, Cancel, Exit and Print, and the "Detail" group
// with the five result fields that comes into view as the window grows.
//
// The window keeps no state of its own beyond its controls: heights, the
// panel's left edge, the timers' intervals, Print's enabled flag and the
// field texts are the only store, and every handler reads them when it runs.
// It never decodes anything itself; the decoder does, and the window writes
// the answer into its fields. Its only entry point besides the constructor
// is Form_Load; the handlers are reached through the buttons and timers
// (tests reach them through Form1TestAccess). It never reaches into the
// invalid-number dialog: the dialog signals its OK, and the window restores
// itself.

#include "exact_twips.h"

#include <QWidget>

#include <memory>
#include <optional>

struct BirthDetails;
struct DetailSheetTexts;
struct PrintAnswer;
class CalendarService;
class Desktop;
class IntervalTimer;
class PrintService;
class TwipsGeometry;
class frmInv;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Form1 : public QWidget
{
    Q_OBJECT

public:
    Form1(Desktop &desktop, const CalendarService &calendars, PrintService &printing, QWidget *parent = nullptr);
    ~Form1() override;

    // Places the window at start; called before it is first shown.
    void Form_Load();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend class Form1TestAccess;

    // Handlers, named after their control and event.
    void cmdtext_Click();
    void cmdCancel_Click();
    void cmdExit_Click();
    void cmdAbtOK_Click();
    void cmdPrint_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    // The dialog's OK, as the dialog signals it: shown again, restored and
    // active, at the collapsed size.
    void frmInv_Dismissed();
    // The number typed over: Print goes if the results were decoded from
    // another text.
    void txtIDNo_Change();

    // The window's outer geometry in twips, as the handlers read and set it.
    TwipsGeometry &outer() { return *m_outer; }
    const TwipsGeometry &outer() const { return *m_outer; }

    // The about panel's left edge in twips, read back exactly as set.
    double panelLeft() const;
    void setPanelLeft(double left);

    // The invalid-number dialog: created on its first show, afterwards only
    // hidden and shown again.
    void showInvalidNumberDialog();
    // A press of Print has ended: what the print service answered is said,
    // with the offer to save the sheet as a PDF after a failure.
    void showPrintAnswer(const DetailSheetTexts &texts, const PrintAnswer &answer);

    void createControls();
    void connectHandlers();
    // Empties the results and disables Print: a sheet must only ever pair a
    // number with its own details.
    void withdrawResults();
    void emptyResultFields();
    void writeResultFields(const BirthDetails &details);
    void centreOnScreen(QWidget &window) const;

    Desktop &m_desktop;
    const CalendarService &m_calendars;
    PrintService &m_printing;
    TwipsGeometry *m_outer = nullptr;
    ExactTwips m_panelLeft;
    // The text the results in the fields were decoded from, while they stand:
    // the one fact the controls cannot hold, as the user may type into them.
    std::optional<QString> m_decodedNumber;
    std::unique_ptr<frmInv> m_invalidNumberDialog;

    // Controls, by their names in the layout.
    QLineEdit *txtHDateOB = nullptr;
    QFrame *pct1 = nullptr;
    IntervalTimer *Timer3 = nullptr;
    QPushButton *cmdAbtOK = nullptr;
    QLabel *Image1 = nullptr;
    QFrame *Line2 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label5 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QLineEdit *txtAge = nullptr;
    QLineEdit *txtSex = nullptr;
    QLineEdit *txtDayOB = nullptr;
    QLineEdit *txtDateOB = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;
    IntervalTimer *Timer1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QPushButton *cmdExit = nullptr;
    IntervalTimer *Timer2 = nullptr;
    QGroupBox *Frame4 = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdtext = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLineEdit *txtIDNo = nullptr;
};
