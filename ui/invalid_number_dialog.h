#pragma once

// frmInv, the small black window without a title bar that says the number
// just typed was not accepted. It never blocks the main window and never
// changes its own controls; its OK hides it and brings the main window back
// at its collapsed size. Closing it by any other means counts as OK, so the
// main window is never left hidden with nothing on screen.

#include <QWidget>

class Form1;
class QLabel;
class QPushButton;

class frmInv : public QWidget
{
    Q_OBJECT

public:
    explicit frmInv(Form1 &mainWindow);
    ~frmInv() override;

    void cmdOK_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    Form1 &m_mainWindow;
    QPushButton *cmdOK = nullptr;
    QLabel *imgCross = nullptr;
    QLabel *lblMSG = nullptr;
};
