// The program entry: create the main window, place it, show it, run.

#include "default_print_service.h"
#include "desktop.h"
#include "icu_calendar_service.h"
#include "main_window.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("National Identity Card"));
    QApplication::setOrganizationName(QStringLiteral("Vantrel Computers"));
    QApplication::setDesktopFileName(QStringLiteral("au.com.vantrel.NationalIdentityCard"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));

    QtDesktop desktop;
    const IcuCalendarService calendars;
    DefaultPrintService printing;
    Form1 window(desktop, calendars, printing);
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
