// The program entry: create the main window, place it, show it, run.

#include "command_line_answer.h"
#include "desktop.h"
#include "icu_calendar_service.h"
#include "main_window.h"
#include "print_service.h"
#include "program_identity.h"
#include "program_pictures.h"
#include "startup_failure.h"
#ifdef NIC_HAVE_CUPS
#include "cups_module.h"
#else
#include "windows_printer.h"
#endif

#include <QApplication>
#include <QCommandLineParser>

#include <cstdlib>
#include <memory>

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
    failStartup(startupFailureReason(message));
}

// Calendars without their data would give wrong dates of birth; better not
// to start at all and say why.
std::unique_ptr<const IcuCalendarService> openCalendars()
{
    try {
        return std::make_unique<const IcuCalendarService>();
    } catch (const CalendarDataError &error) {
        failStartup(QString::fromLocal8Bit(error.what()));
    }
}

// --help and --version are answered before the application object exists,
// so that they need no display; Qt's own options (-platform, -style...)
// are left to the application. The texts are Qt's own, shown where the user
// who asked reads them (on Windows, also from a console: see
// answerCommandLine), and the program ends.
void answerHelpAndVersion(int argc, char *argv[])
{
    if (argc < 2)
        return; // the usual start, from a desktop entry, costs nothing here
    const QCoreApplication terminal(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Decodes a Sri Lankan identity card number of the older form (nine digits and a letter) into date of "
        "birth, Hijri date, weekday, sex and age, in a window, and prints a detail sheet. For lists of numbers "
        "and spreadsheets, use nic-decode."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(help))
        answerCommandLine(parser.helpText());
    if (parser.isSet(version))
        answerCommandLine(QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n');
}

// Where Print sends the sheet: the default CUPS queue where CUPS is the
// print system, the Windows spooler's default printer elsewhere.
std::unique_ptr<SheetDestination> defaultPrinter()
{
#ifdef NIC_HAVE_CUPS
    return CupsQueueFromModule(QCoreApplication::applicationDirPath() + QStringLiteral("/" NIC_CUPS_MODULE));
#else
    return std::make_unique<WindowsPrinter>();
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    // Named before the application object exists, so that a failure to start
    // is already reported under the program's name.
    QApplication::setApplicationName(ProgramName);
    QApplication::setOrganizationName(QStringLiteral("Vantrel Computers"));
    QApplication::setDesktopFileName(QStringLiteral(NIC_APP_ID));
    QApplication::setApplicationVersion(QStringLiteral(NIC_VERSION));
    answerHelpAndVersion(argc, argv);

    previousHandler = qInstallMessageHandler(reportFatalAndExit);
    QApplication application(argc, argv);
    qInstallMessageHandler(previousHandler);

    QApplication::setWindowIcon(programIcon());

    QtDesktop desktop;
    const std::unique_ptr<const IcuCalendarService> calendars = openCalendars();
    PrintService printing(defaultPrinter());
    Form1 window(desktop, *calendars, printing);
    window.Form_Load();
    window.show();
    const int status = QApplication::exec();
    // Exit during a press closed the windows at once; the program ends once
    // the print system lets the sheet go, or when the press's time is up.
    // A print system that holds it longer (a Windows driver may, for ever)
    // is not waited for: the program keeps nothing to lose, and the sheet's
    // thread still uses what ending normally would take down under it.
    if (!printing.letGo())
        std::_Exit(status);
    return status;
}
