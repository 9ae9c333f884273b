// The program entry: create the main window, place it, show it, run.

#include "default_print_service.h"
#include "desktop.h"
#include "icu_calendar_service.h"
#include "main_window.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

QtMessageHandler previousHandler = nullptr;

void reportCannotStart(const char *reason)
{
    std::fprintf(stderr, "nic-decoder: cannot start: %s\n", reason);
    std::fflush(stderr);
}

// Without a display Qt gives up with a fatal message and aborts, which
// looks like a crash; say plainly what is wrong and end with code 1 instead.
void reportFatalAndExit(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        if (previousHandler)
            previousHandler(type, context, message);
        return;
    }
    reportCannotStart(qPrintable(message));
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
    std::unique_ptr<const IcuCalendarService> calendars;
    try {
        calendars = std::make_unique<const IcuCalendarService>();
    } catch (const CalendarDataError &error) {
        reportCannotStart(error.what());
        return EXIT_FAILURE;
    }
    DefaultPrintService printing;
    Form1 window(desktop, *calendars, printing);
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
