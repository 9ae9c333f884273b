#pragma once

// A real main window on the recording doubles, created as the program
// creates it, and small helpers for finding its controls by their names.
// Tests read and press what the user would; what only a test may reach
// (ticks, twips geometry, the dialog) goes through the window's seam.

#include "form1_test_access.h"
#include "main_window.h"
#include "sample_numbers.h"
#include "test_doubles.h"

#include <QString>
#include <QWidget>

#include <chrono>

struct MainWindowOnDoubles
{
    RecordingDesktop desktop;
    FixedTodayCalendar calendars{samples::Today};
    RecordingPrintService printing;
    Form1 window{desktop, calendars, printing};
    Form1TestAccess seam{window};

    template<typename Control = QWidget>
    Control *control(const QString &name) const
    {
        return window.findChild<Control *>(name);
    }
};
