#pragma once

// The tests' way into Form1: the tick handlers, fired here one at a time so
// that every count is exact, the window's twips geometry and panel edge,
// and the invalid-number dialog. The program reaches all of these only
// through the buttons and timers.

#include "invalid_number_dialog.h"
#include "main_window.h"
#include "print_press.h"
#include "twips_geometry.h"

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

    void setPrintPressLimit(std::chrono::milliseconds limit) const { m_window.m_printPressLimit = limit; }
    // A press the window gave up on that the print system still holds.
    bool printPressHeld() const { return m_window.m_printPress && !m_window.m_printPress->answered(); }

    // Null until the dialog is first shown.
    frmInv *invalidNumberDialog() const { return m_window.m_invalidNumberDialog.get(); }
    void showInvalidNumberDialog() const { m_window.showInvalidNumberDialog(); }

private:
    Form1 &m_window;
};
