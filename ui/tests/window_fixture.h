#pragma once

// A real main window on the recording doubles, created as the program
// creates it, and small helpers for finding its controls by their names.
// Tests read and press what the user would; what only a test may reach
// (ticks, twips geometry, the dialog) goes through the window's seam.

#include "fonts.h"
#include "form1_test_access.h"
#include "icu_calendar_service.h"
#include "main_window.h"
#include "sample_numbers.h"
#include "test_doubles.h"

#include <QFont>
#include <QFontInfo>
#include <QString>
#include <QWidget>
#include <QtGlobal>

#include <chrono>

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

struct MainWindowOnDoubles
{
    UsableFaces faces;
    RecordingDesktop desktop;
    const IcuCalendarService calendars;
    RecordingPrintService printing;
    Form1 window{desktop, calendars, printing};
    Form1TestAccess seam{window};

    template <typename Control = QWidget>
    Control *control(const QString &name) const
    {
        return window.findChild<Control *>(name);
    }
};
