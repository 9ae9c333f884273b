#include "default_print_service.h"

#include "detail_sheet.h"
#include "qt_sheet_printer.h"

#include <QLocale>

namespace {

// What the user reads when a sheet did not print.
constexpr QStringView NoPrinterMessage = u"No default printer is set up, so the detail sheet was not printed.\n\n"
                                  "Set up a printer as the default printer, then press Print again.";
constexpr QStringView CannotStartMessage = u"The printer \"%1\" could not start printing, so the detail sheet was not "
                                    "printed.\n\nCheck that the printer is switched on and ready, then press "
                                    "Print again.";
constexpr QStringView FailedMessage = u"Printing the detail sheet on \"%1\" went wrong, so the sheet was not printed.\n\n"
                               "Check the printer, then press Print again.";
constexpr QStringView ReasonLine = u"\n\nThe print system said: %1";

QString messageFor(const SheetPrinter::Outcome &outcome)
{
    QString message;
    switch (outcome.failure) {
    case SheetPrinter::Failure::None:
        return {};
    case SheetPrinter::Failure::NoPrinter:
        message = NoPrinterMessage.toString();
        break;
    case SheetPrinter::Failure::CannotStart:
        message = CannotStartMessage.toString().arg(outcome.printerName);
        break;
    case SheetPrinter::Failure::FailedWhilePrinting:
        message = FailedMessage.toString().arg(outcome.printerName);
        break;
    }
    if (!outcome.reason.isEmpty())
        message += ReasonLine.toString().arg(outcome.reason);
    return message;
}

} // namespace

DefaultPrintService::DefaultPrintService()
    : m_ownPrinter(std::make_unique<QtSheetPrinter>())
    , m_printer(*m_ownPrinter)
    , m_today(&QDate::currentDate)
{
}

DefaultPrintService::DefaultPrintService(SheetPrinter &printer, Today today)
    : m_printer(printer)
    , m_today(std::move(today))
{
}

DefaultPrintService::~DefaultPrintService() = default;

QString DefaultPrintService::printSheet(const DetailSheetTexts &texts)
{
    const QDate today = m_today();
    // The stamp names a month without a day, so the standalone form is the
    // right one in languages that decline month names.
    const QString monthName = QLocale::system().standaloneMonthName(today.month(), QLocale::LongFormat);
    return messageFor(PrintDetailSheet(texts, monthName, today.year(), m_printer));
}
