#pragma once

// frmInv, the small black window without a title bar that says the number
// just typed was not accepted. It never blocks the main window, never
// changes its own controls and never touches another window: its OK hides
// it and signals dismissed(), and the window that showed it acts on itself.
// Closing it by any other means counts as OK, so the main window is never
// left hidden with nothing on screen.

#include <QWidget>

class QLabel;
class QPushButton;

class frmInv : public QWidget
{
    Q_OBJECT

public:
    // A top-level window of its own, with no owner window.
    frmInv();
    ~frmInv() override;

signals:
    // OK was pressed, or the dialog was closed from outside; it is hidden.
    void dismissed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createControls();
    void cmdOK_Click();

    QPushButton *cmdOK = nullptr;
    QLabel *imgCross = nullptr;
    QLabel *lblMSG = nullptr;
};
