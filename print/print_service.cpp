#include "print_service.h"

#include "pdf_file.h"

#include <QCursor>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <QThread>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

using Failure = SheetDestination::Failure;
using Outcome = SheetDestination::Outcome;

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

// The size in force before any sheet sets one: what the seven leading empty
// lines of the very first sheet are measured in.
constexpr double DefaultPointSize = 10;
// Faces with Latin letters found on most desktops, best first.
constexpr QStringView LatinFaces[] = {u"Noto Sans", u"DejaVu Sans", u"Liberation Sans", u"Arial"};
// How often a press looks at the time it has waited.
constexpr std::chrono::milliseconds WatchInterval{100};

QString printFailureMessage(const Outcome &outcome)
{
    const QString printer = outcome.printerName.isEmpty() ? UnnamedPrinter.toString() : outcome.printerName;
    QString message = [&] {
        switch (outcome.failure) {
        case Failure::None:
            break;
        case Failure::NoPrintSystem:
            return NoPrintSystemMessage.toString();
        case Failure::NoPrinter:
            return NoPrinterMessage.toString();
        case Failure::NamedPrinterMissing:
            return NamedPrinterMissingMessage.toString().arg(printer);
        case Failure::CancelledByUser:
            return CancelledMessage.toString().arg(printer);
        case Failure::Refusing:
            return RefusingMessage.toString().arg(printer);
        case Failure::NoAnswer:
            return NoAnswerMessage.toString().arg(
                std::chrono::duration_cast<std::chrono::seconds>(outcome.waited).count());
        case Failure::CannotStart:
            return CannotStartMessage.toString().arg(printer);
        case Failure::FailedWhilePrinting:
            return FailedMessage.toString().arg(printer);
        case Failure::PrintingPartMissing:
            return PrintingPartMissingMessage.toString();
        }
        return QString();
    }();
    if (!outcome.reason.isEmpty())
        message += ReasonParagraph.toString().arg(outcome.reason);
    return message;
}

PrintAnswer answerFor(const Outcome &outcome)
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

// The desktop's own typeface, as long as Qt found that very face and it
// writes the sheet's Latin letters. Qt on Windows matches a family by its
// faces' names only: a name GDI maps to another face (Wine's desktop font
// "MS Shell Dlg") gets any face at all, under Wine a serif; fontconfig
// resolves the generic names ("Sans Serif") to a face itself. Under a
// Sinhala or Tamil locale fontconfig answers the generic family with a face
// of that script alone, whose wide spaces would spread the sheet past the
// page's edge: then a common Latin face leads, and the desktop's face still
// supplies the letters of the user's own script.
QStringList sheetTypeface()
{
    const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const QString resolved = QFontInfo(desktop).family();
#ifdef Q_OS_WIN
    const bool found = resolved.compare(desktop.family(), Qt::CaseInsensitive) == 0;
#else
    const bool found = true;
#endif
    if (found && QFontDatabase::writingSystems(resolved).contains(QFontDatabase::Latin))
        return {desktop.family()};
    for (const QStringView latin : LatinFaces) {
        if (QFontDatabase::hasFamily(latin.toString()))
            return {latin.toString(), desktop.family()};
    }
    return {desktop.family()};
}

// The font in force before any sheet sets one, in the sheet's typeface.
QFont firstFont()
{
    QFont font(sheetTypeface());
    font.setPointSizeF(DefaultPointSize);
    return font;
}

// The stamp names a month without a day, so the standalone form is the
// right one in languages that decline month names. The default locale is
// the user's own (on Windows the language of Windows' settings, elsewhere
// LANG and LC_ALL) unless the program, or a test, sets another through Qt.
QString monthNameOf(PrintService::Day day)
{
    return QLocale().standaloneMonthName(int(unsigned(day.month())), QLocale::LongFormat);
}

// One sheet drawn and handed over, starting in font and leaving there the
// font it ends in; dropped instead unless mayHandOver says it still may be.
Outcome drawSheet(SheetDestination &destination, const DetailSheetTexts &texts, PrintService::Day today, QFont &font,
                  const std::function<bool()> &mayHandOver)
{
    QPainter painter;
    const Outcome begun = destination.begin(painter, DetailSheetTitle.toString());
    if (!begun.succeeded())
        return begun;
    painter.setFont(font);
    DrawDetailSheet(painter, texts, monthNameOf(today), int(today.year()));
    font = painter.font();
    if (mayHandOver())
        return destination.finish(painter);
    destination.drop(painter);
    return {Failure::NoAnswer, {}, {}};
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

PrintService::PrintService(std::unique_ptr<SheetDestination> printer, std::chrono::milliseconds limit,
                           FileDestination fileDestination)
    : m_printer(std::move(printer))
    , m_limit(limit)
    , m_fileDestination(std::move(fileDestination))
{
    m_watch.setInterval(WatchInterval);
    connect(&m_watch, &QTimer::timeout, this, &PrintService::watch);
}

PrintService::~PrintService()
{
    if (m_sheet)
        m_sheet->wait();
    stopWaiting();
}

void PrintService::press(const DetailSheetTexts &texts, Day today)
{
    if (m_watch.isActive())
        return;
    if (m_sheet) {
        // Told, as every press is, once the press itself has returned.
        QTimer::singleShot(0, this, [this, texts] { emit pressEnded(texts, givenUp()); });
        return;
    }
    m_texts = texts;
    m_silence = 0;
    m_state = SheetState::Drawing;
    m_answered = false;
    m_sheet.reset(QThread::create([this, texts, today] {
        if (!m_font)
            m_font = firstFont();
        m_answer = answerFor(
            drawSheet(*m_printer, texts, today, *m_font, [this] { return leaveDrawing(SheetState::HandingOver); }));
        m_answered = true;
    }));
    connect(m_sheet.get(), &QThread::finished, this, &PrintService::sheetLetGo);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_sinceWatch.start();
    m_watch.start();
    m_sheet->start();
}

bool PrintService::letGo()
{
    if (!m_sheet)
        return true;
    // A sheet that has answered only ends its thread: waited for without a
    // deadline, for a timed wait may end at once where the clock is faked
    // (libfaketime, as the session tests run the program).
    if (m_answered)
        return m_sheet->wait();
    const qint64 waited = m_silence + (m_watch.isActive() ? m_sinceWatch.elapsed() : 0);
    return m_sheet->wait(QDeadlineTimer(qMax<qint64>(0, m_limit.count() - waited)));
}

PrintAnswer PrintService::saveSheetAsPdf(const DetailSheetTexts &texts, Day today, const QString &file)
{
    const std::unique_ptr<SheetDestination> pdf =
        m_fileDestination ? m_fileDestination(file) : std::make_unique<PdfFile>(file);
    QFont font = firstFont();
    if (drawSheet(*pdf, texts, today, font, [] { return true; }).succeeded())
        return {};
    return {PrintAnswer::Kind::Failed, saveFailureMessage(file)};
}

// Only the print system's own silence counts towards the limit.
void PrintService::watch()
{
    if (!m_printer->asksTheUser())
        m_silence += m_sinceWatch.elapsed();
    m_sinceWatch.restart();
    // A sheet that has answered is told by its thread's end, on its way.
    if (std::chrono::milliseconds(m_silence) < m_limit || m_answered)
        return;
    leaveDrawing(SheetState::GivenUp);
    stopWaiting();
    emit pressEnded(m_texts, givenUp());
}

// The thread says it has finished a moment before it counts as finished.
void PrintService::sheetLetGo()
{
    m_sheet->wait();
    m_sheet.reset();
    if (!m_watch.isActive())
        return;
    stopWaiting();
    emit pressEnded(m_texts, m_answer);
}

void PrintService::stopWaiting()
{
    if (!m_watch.isActive())
        return;
    m_watch.stop();
    QGuiApplication::restoreOverrideCursor();
}

bool PrintService::leaveDrawing(SheetState next)
{
    SheetState drawing = SheetState::Drawing;
    return m_state.compare_exchange_strong(drawing, next);
}

// A sheet the print system was already taking when the press gave up may still print.
PrintAnswer PrintService::givenUp() const
{
    Outcome late{Failure::NoAnswer, {}, {}};
    late.waited = m_limit;
    if (m_state == SheetState::HandingOver)
        late.reason = MayStillPrint.toString();
    return answerFor(late);
}
