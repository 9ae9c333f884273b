#include "default_print_service.h"

#include "detail_sheet.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <chrono>

using namespace Qt::StringLiterals;

namespace {

// What the user reads when a sheet did not print, or printed with a "but".
constexpr QStringView NoPrintSystemMessage =
    u"The print system cannot be reached (it may not be running), so the detail sheet was not printed.\n\n"
    "Start the printing service, or ask whoever looks after this computer, then press Print again.";
constexpr QStringView NamedPrinterMissingMessage =
    u"The printer \"%1\", named as the default printer, is not found, so the detail sheet was not printed.\n\n"
    "Check the name given for the default printer (in the printer settings, or in LPDEST or PRINTER), "
    "then press Print again.";
constexpr QStringView CancelledMessage =
    u"Printing on \"%1\" was cancelled in its own window, so the detail sheet was not printed.\n\n"
    "Press Print again and finish that window, or choose another default printer.";
constexpr QStringView NoPrinterMessage = u"No default printer is set up, so the detail sheet was not printed.\n\n"
                                         "Set up a printer as the default printer, then press Print again.";
constexpr QStringView RefusingMessage =
    u"The printer \"%1\" is not accepting jobs, so the detail sheet was not printed.\n\n"
    "Let the printer accept jobs again in the printer settings, or choose another default printer, then press "
    "Print again.";
constexpr QStringView NoAnswerMessage =
    u"The print system did not answer within %1 seconds, so the detail sheet was not printed.\n\n"
    "Check that the printing service is running properly, then press Print again.";
constexpr QStringView CannotStartMessage = u"The printer \"%1\" could not start printing, so the detail sheet was not "
                                           "printed.\n\nCheck that the printer is switched on and ready, then press "
                                           "Print again.";
constexpr QStringView FailedMessage =
    u"Printing the detail sheet on \"%1\" went wrong, so the sheet was not printed.\n\n"
    "Check the printer, then press Print again.";
constexpr QStringView PrintingPartMissingMessage =
    u"The part of this program that reaches the print system could not be loaded, so the detail sheet was not "
    "printed.\n\nInstall the program again, or ask whoever looks after this computer.";
constexpr QStringView ReasonParagraph = u"\n\n%1";
constexpr QStringView PausedMessage =
    u"The detail sheet is waiting in the queue of \"%1\", which is paused, so nothing will come out yet.\n\n"
    "Resume the printer in the printer settings and the sheet will print.";

constexpr QStringView NoFolderMessage = u"The folder \"%1\" does not exist, so the detail sheet was not saved.\n\n"
                                        "Choose another folder and save again.";
constexpr QStringView ReadOnlyFolderMessage =
    u"You may not save files in the folder \"%1\", so the detail sheet was not saved.\n\n"
    "Choose another folder, such as your Documents folder, and save again.";
constexpr QStringView CannotSaveMessage = u"The detail sheet could not be saved as \"%1\".\n\n"
                                          "Check that the file is not open in another program and that there is room "
                                          "on the disk, or choose another name, and save again.";

constexpr QStringView PdfSuffix = u".pdf";
// Before the default queue is known, a failure has no printer to name.
constexpr QStringView UnnamedPrinter = u"the default printer";
constexpr QStringView NameForNoNumber = u"Detail sheet";
// Far longer than any identity number, far shorter than any file system's
// limit: a pasted page of text must not become the name.
constexpr qsizetype LongestName = 64;

QString printFailureMessage(const SheetPrinter::Outcome &outcome)
{
    using Failure = SheetPrinter::Failure;
    const QString printer = outcome.printerName.isEmpty() ? UnnamedPrinter.toString() : outcome.printerName;
    QString message;
    switch (outcome.failure) {
    case Failure::None:
        return {};
    case Failure::NoPrintSystem:
        message = NoPrintSystemMessage.toString();
        break;
    case Failure::NoPrinter:
        message = NoPrinterMessage.toString();
        break;
    case Failure::NamedPrinterMissing:
        message = NamedPrinterMissingMessage.toString().arg(printer);
        break;
    case Failure::CancelledByUser:
        message = CancelledMessage.toString().arg(printer);
        break;
    case Failure::Refusing:
        message = RefusingMessage.toString().arg(printer);
        break;
    case Failure::NoAnswer:
        message =
            NoAnswerMessage.toString().arg(std::chrono::duration_cast<std::chrono::seconds>(outcome.waited).count());
        break;
    case Failure::CannotStart:
        message = CannotStartMessage.toString().arg(printer);
        break;
    case Failure::FailedWhilePrinting:
        message = FailedMessage.toString().arg(printer);
        break;
    case Failure::PrintingPartMissing:
        message = PrintingPartMissingMessage.toString();
        break;
    }
    if (!outcome.reason.isEmpty())
        message += ReasonParagraph.toString().arg(outcome.reason);
    return message;
}

PrintAnswer answerFor(const SheetPrinter::Outcome &outcome)
{
    if (!outcome.succeeded())
        return {PrintAnswer::Kind::Failed, printFailureMessage(outcome)};
    if (outcome.waitsInPausedQueue)
        return {PrintAnswer::Kind::Waiting, PausedMessage.toString().arg(outcome.printerName)};
    return {};
}

QString saveFailureMessage(const QString &file)
{
    const QFileInfo folder(QFileInfo(file).absolutePath());
    const QString shownFolder = QDir::toNativeSeparators(folder.absoluteFilePath());
    if (!folder.isDir())
        return NoFolderMessage.toString().arg(shownFolder);
    if (!folder.isWritable())
        return ReadOnlyFolderMessage.toString().arg(shownFolder);
    return CannotSaveMessage.toString().arg(QDir::toNativeSeparators(file));
}

} // namespace

QString SheetPdfName(const DetailSheetTexts &texts)
{
    // Only what every file system takes; anything else the user typed
    // becomes a dash.
    static const QRegularExpression notSafe(u"[^A-Za-z0-9 ._-]+"_s);
    // Windows opens a device, not a file, under these names, whatever follows the dot.
    static const QRegularExpression deviceName(u"^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"_s,
                                               QRegularExpression::CaseInsensitiveOption);
    QString name = QString(texts.IdNo).replace(notSafe, u"-"_s).trimmed();
    while (name.startsWith(u'.') || name.startsWith(u'-'))
        name.remove(0, 1);
    name.truncate(LongestName);
    name = name.trimmed();
    if (name.isEmpty() || deviceName.match(name.section(u'.', 0, 0).trimmed()).hasMatch())
        name = NameForNoNumber.toString();
    return name + PdfSuffix.toString();
}

DefaultPrintService::DefaultPrintService(SheetPrinter &printer, Today today, PdfPrinterFor pdfPrinterFor)
    : m_printer(printer)
    , m_today(std::move(today))
    , m_pdfPrinterFor(std::move(pdfPrinterFor))
{}

namespace {

// The stamp names a month without a day, so the standalone form is the
// right one in languages that decline month names. The default locale is
// the user's own (on Windows the language of Windows' settings, elsewhere
// LANG and LC_ALL) unless the program, or a test, sets another through Qt.
QString monthNameOf(QDate date)
{
    return QLocale().standaloneMonthName(date.month(), QLocale::LongFormat);
}

} // namespace

PrintAnswer DefaultPrintService::printSheet(const DetailSheetTexts &texts)
{
    const QDate today = m_today();
    return answerFor(PrintDetailSheet(texts, monthNameOf(today), today.year(), m_printer));
}

bool DefaultPrintService::asksTheUser() const
{
    return m_printer.asksTheUser();
}

PrintAnswer DefaultPrintService::giveUpSheet(std::chrono::milliseconds waited)
{
    m_printer.giveUp();
    SheetPrinter::Outcome late;
    late.failure = SheetPrinter::Failure::NoAnswer;
    late.waited = waited;
    return answerFor(late);
}

PrintAnswer DefaultPrintService::saveSheetAsPdf(const DetailSheetTexts &texts, const QString &file)
{
    const QDate today = m_today();
    // A printer of its own, starting from the same defaults as the program's
    // first sheet; the script, columns and fonts are the printed sheet's.
    const std::unique_ptr<SheetPrinter> pdf = m_pdfPrinterFor ? m_pdfPrinterFor(file) : nullptr;
    if (pdf && PrintDetailSheet(texts, monthNameOf(today), today.year(), *pdf).succeeded())
        return {};
    return {PrintAnswer::Kind::Failed, saveFailureMessage(file)};
}
