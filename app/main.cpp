// The program entry: create the main window, place it, show it, run.

#include "default_print_service.h"
#include "desktop.h"
#include "icu_calendar_service.h"
#include "main_window.h"
#include "qt_sheet_printer.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace {

QtMessageHandler previousHandler = nullptr;

// Without a display Qt gives up with a fatal message and aborts, which
// looks like a crash; say plainly what is wrong and end with code 1 instead.
void reportFatalAndExit(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        if (previousHandler)
            previousHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "nic-decoder: cannot start: %s\n", qPrintable(message));
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

int main(int argc, char *argv[])
{
    previousHandler = qInstallMessageHandler(reportFatalAndExit);
    QApplication application(argc, argv);
    qInstallMessageHandler(previousHandler);

    QApplication::setApplicationName(QStringLiteral("National Identity Card"));
    QApplication::setOrganizationName(QStringLiteral("Vantrel Computers"));
    QApplication::setDesktopFileName(QStringLiteral("au.com.vantrel.NationalIdentityCard"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));

    QtDesktop desktop;
    const IcuCalendarService calendars;
    QtSheetPrinter printer;
    // The stamp's today comes from the same clock as the age.
    DefaultPrintService printing(printer, [&calendars] {
        const std::chrono::year_month_day today = calendars.today();
        return QDate(int(today.year()), unsigned(today.month()), unsigned(today.day()));
    });
    Form1 window(desktop, calendars, printing);
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
