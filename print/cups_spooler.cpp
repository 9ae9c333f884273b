#include "cups_spooler.h"

#include "print_log.h"

#include <QSizeF>

#include <cups/cups.h>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// How often libcups hands control back while it waits, so the time limit
// is looked at.
constexpr double WaitSliceSeconds = 0.1;
// Each piece of the sheet handed to libcups at a time.
constexpr qsizetype WriteChunk = 64 * 1024;
// Media sizes come in hundredths of a millimetre.
constexpr double HundredthsPerMillimetre = 100;

constexpr QStringView BrokeOff = u"The connection to the print system broke off while the sheet was being sent; "
                                 "the print system may have stopped.";
constexpr QStringView BrokeOffBeforeSending = u"The connection to the print system broke off before the sheet was "
                                              "sent; the print system may have stopped.";
constexpr QStringView MayStillPrint = u"It stopped answering while it was taking the sheet, so the sheet may still "
                                      "print: look at the printer's queue before you print again.";
constexpr QStringView NotAllowed = u"The print system does not let this user print on this printer.";
constexpr QStringView PrinterGone = u"The printer is no longer set up in the print system.";
constexpr QStringView FormatRefused = u"The printer cannot take the sheet's format (PDF).";
constexpr QStringView SchedulerSaid = u"The print system said: %1";
constexpr QStringView UnknownRefusal = u"The print system refused the sheet without giving a reason.";

http_t *asHttp(void *http)
{
    return static_cast<http_t *>(http);
}

cups_dest_t *asDest(void *dest)
{
    return static_cast<cups_dest_t *>(dest);
}

cups_dinfo_t *asInfo(void *info)
{
    return static_cast<cups_dinfo_t *>(info);
}

int keepWaitingCallback(http_t *, void *spooler)
{
    return static_cast<CupsSpooler *>(spooler)->keepWaiting() ? 1 : 0;
}

bool succeeded(ipp_status_t status)
{
    return status <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

QString optionOf(const cups_dest_t *dest, const char *name)
{
    return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
}

QString lastErrorText()
{
    return QString::fromUtf8(cupsLastErrorString()).trimmed();
}

} // namespace

CupsSpooler::CupsSpooler(std::chrono::milliseconds patience) : m_patience(patience)
{
    m_clock.start();
}

CupsSpooler::~CupsSpooler()
{
    if (m_info)
        cupsFreeDestInfo(asInfo(m_info));
    if (m_dest)
        cupsFreeDests(1, asDest(m_dest));
    if (m_destination && m_destination != m_scheduler)
        httpClose(asHttp(m_destination));
    if (m_scheduler)
        httpClose(asHttp(m_scheduler));
}

std::chrono::milliseconds CupsSpooler::elapsed() const
{
    return std::chrono::milliseconds(m_clock.elapsed());
}

int CupsSpooler::millisecondsLeft() const
{
    return int(std::chrono::duration_cast<std::chrono::milliseconds>(m_patience - elapsed()).count());
}

bool CupsSpooler::keepWaiting()
{
    if (elapsed() < m_patience)
        return true;
    m_timedOut = true;
    m_cancel = 1;
    return false;
}

bool CupsSpooler::connectToScheduler()
{
    if (millisecondsLeft() <= 0) {
        m_timedOut = true;
        return false;
    }
    // For a local socket the server is its path and the port is not used.
    m_scheduler =
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, millisecondsLeft(), &m_cancel);
    if (!m_scheduler) {
        m_timedOut = elapsed() >= m_patience;
        qCInfo(lcPrint) << "no connection to the print system at" << cupsServer() << ippPort()
                        << (m_timedOut ? "within the time limit" : "") << lastErrorText();
        return false;
    }
    httpSetTimeout(asHttp(m_scheduler), WaitSliceSeconds, &keepWaitingCallback, this);
    return true;
}

// The job goes to the scheduler the destination came from, over the same
// connection: libcups takes a connection to any other address for one to
// the printer itself. Only a destination the scheduler does not have yet (a
// printer found on the network) is reached through cupsConnectDest, which
// first has CUPS make a temporary queue for it.
bool CupsSpooler::connectToDestination()
{
    if (!optionOf(asDest(m_dest), "printer-uri-supported").isEmpty()) {
        m_destination = m_scheduler;
        return true;
    }
    if (millisecondsLeft() <= 0) {
        m_timedOut = true;
        return false;
    }
    // It hands back a connection object even when it did not get through,
    // and libcups 2.4's callback reports success and failure the wrong way
    // round; an open socket is what tells.
    m_destination = cupsConnectDest(asDest(m_dest), CUPS_DEST_FLAGS_NONE, millisecondsLeft(), &m_cancel, nullptr, 0,
                                    nullptr, nullptr);
    if (!m_destination || httpGetFd(asHttp(m_destination)) < 0) {
        m_timedOut = m_timedOut || elapsed() >= m_patience;
        qCInfo(lcPrint) << "no connection to the new destination" << m_queue << lastErrorText();
        return false;
    }
    httpSetTimeout(asHttp(m_destination), WaitSliceSeconds, &keepWaitingCallback, this);
    return true;
}

void CupsSpooler::readPaper()
{
    cups_size_t size{};
    if (!cupsGetDestMediaDefault(asHttp(m_destination), asDest(m_dest), asInfo(m_info), 0, &size) || size.width <= 0
        || size.length <= 0)
        return;
    const QSizeF millimetres(size.width / HundredthsPerMillimetre, size.length / HundredthsPerMillimetre);
    const QPageSize::PageSizeId id = QPageSize::id(millimetres, QPageSize::Millimeter, QPageSize::FuzzyMatch);
    m_paper = id == QPageSize::Custom ? QPageSize(millimetres, QPageSize::Millimeter, QString::fromUtf8(size.media))
                                      : QPageSize(id);
    qCInfo(lcPrint) << "default paper" << size.media << "taken as" << m_paper->name();
}

SheetPrinter::Outcome CupsSpooler::findDefaultQueue()
{
    using Failure = SheetPrinter::Failure;
    if (!connectToScheduler())
        return failure(m_timedOut ? Failure::NoAnswer : Failure::NoPrintSystem);

    // Honours LPDEST, PRINTER and the user's own lpoptions and instances as
    // other programs do.
    m_dest = cupsGetNamedDest(asHttp(m_scheduler), nullptr, nullptr);
    if (!m_dest) {
        const ipp_status_t status = cupsLastError();
        qCInfo(lcPrint) << "no default destination:" << ippErrorString(status) << lastErrorText();
        if (m_timedOut)
            return failure(Failure::NoAnswer);
        if (status == IPP_STATUS_ERROR_INTERNAL || status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
            return failure(Failure::NoPrintSystem, BrokeOffBeforeSending.toString());
        if (status != IPP_STATUS_ERROR_NOT_FOUND && !succeeded(status))
            return requestFailed(Stage::FindingQueue);
        // A default that is named (LPDEST, PRINTER, lpoptions) but does not
        // exist is not the same as none at all.
        if (const char *named = cupsGetDefault2(asHttp(m_scheduler)); named && *named) {
            m_printerName = QString::fromUtf8(named);
            return failure(Failure::NamedPrinterMissing);
        }
        return failure(Failure::NoPrinter);
    }
    const cups_dest_t *dest = asDest(m_dest);
    m_queue = QString::fromUtf8(dest->name);
    const QString description = optionOf(dest, "printer-info");
    m_printerName = description.isEmpty() ? m_queue : description;
    const bool accepting = optionOf(dest, "printer-is-accepting-jobs") != u"false"_s;
    m_paused = optionOf(dest, "printer-state").toInt() == IPP_PSTATE_STOPPED;
    qCInfo(lcPrint) << "destination" << m_queue << (dest->instance ? dest->instance : "") << "at"
                    << optionOf(dest, "printer-uri-supported") << "state" << optionOf(dest, "printer-state")
                    << optionOf(dest, "printer-state-reasons") << "accepting" << accepting;
    if (!accepting)
        return failure(Failure::Refusing);

    if (!connectToDestination())
        return m_timedOut ? failure(Failure::NoAnswer) : requestFailed(Stage::FindingQueue);
    m_info = cupsCopyDestInfo(asHttp(m_destination), asDest(m_dest));
    if (!m_info) {
        qCInfo(lcPrint) << "no details of the destination:" << ippErrorString(cupsLastError()) << lastErrorText();
        return requestFailed(Stage::FindingQueue);
    }
    readPaper();
    SheetPrinter::Outcome found;
    found.printerName = m_printerName;
    return found;
}

SheetPrinter::Outcome CupsSpooler::submit(const QByteArray &pdf, const QString &jobName)
{
    using Failure = SheetPrinter::Failure;
    if (!m_info)
        return failure(Failure::CannotStart);
    http_t *http = asHttp(m_destination);
    cups_dest_t *dest = asDest(m_dest);
    const QByteArray title = jobName.toUtf8();

    // The destination's options include what the user saved for it
    // (lpoptions: copies, media, an instance's settings); they go with the
    // job as lp sends them.
    int jobId = 0;
    ipp_status_t status =
        cupsCreateDestJob(http, dest, asInfo(m_info), &jobId, title.constData(), dest->num_options, dest->options);
    qCInfo(lcPrint) << "create job on" << m_queue << ":" << ippErrorString(status) << lastErrorText() << "job" << jobId;
    if (!succeeded(status) || jobId <= 0) {
        if (m_timedOut)
            return failure(Failure::NoAnswer);
        if (status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS)
            return failure(Failure::Refusing);
        return requestFailed(Stage::FindingQueue);
    }

    bool written =
        cupsStartDestDocument(http, dest, asInfo(m_info), jobId, title.constData(), CUPS_FORMAT_PDF, 0, nullptr, 1)
        == HTTP_STATUS_CONTINUE;
    for (qsizetype at = 0; written && at < pdf.size(); at += WriteChunk)
        written = cupsWriteRequestData(http, pdf.constData() + at, size_t(qMin(WriteChunk, pdf.size() - at)))
                  == HTTP_STATUS_CONTINUE;
    // Finished even after a failed write: it reads the scheduler's answer,
    // which says why.
    status = cupsFinishDestDocument(http, dest, asInfo(m_info));
    // libcups sends the sheet unasked when the scheduler is slow to say it
    // may (a second), and keeps the last answer's status when the next never
    // comes: only an answer read whole, the connection back to waiting with
    // no error on it, says the sheet was taken.
    const bool answered = httpGetState(http) == HTTP_STATE_WAITING && httpError(http) == 0;
    qCInfo(lcPrint) << "sheet of" << pdf.size() << "bytes sent:" << written << "answered:" << answered
                    << ippErrorString(status) << lastErrorText() << "after" << elapsed().count() << "ms";
    if (written && succeeded(status) && answered) {
        SheetPrinter::Outcome sent;
        sent.printerName = m_printerName;
        sent.waitsInPausedQueue = m_paused;
        return sent;
    }
    // Whether the sheet got there before the print system stopped
    // answering cannot be known from here.
    if (m_timedOut)
        return failure(Failure::NoAnswer, MayStillPrint.toString());
    SheetPrinter::Outcome failed;
    if (status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS)
        failed = failure(Failure::Refusing);
    else if (succeeded(status))
        failed = failure(Failure::FailedWhilePrinting, BrokeOff.toString());
    else
        failed = requestFailed(Stage::SendingSheet);
    // A job left without its sheet would wait for ever.
    cupsCancelDestJob(http, dest, jobId);
    return failed;
}

SheetPrinter::Outcome CupsSpooler::failure(SheetPrinter::Failure failure, const QString &reason) const
{
    SheetPrinter::Outcome outcome;
    outcome.failure = failure;
    outcome.printerName = m_printerName;
    outcome.reason = reason;
    if (failure == SheetPrinter::Failure::NoAnswer)
        outcome.waited = m_patience;
    return outcome;
}

// The last request's failure in plain words: libcups reports a broken
// connection with the C library's error text ("No such file or directory"),
// which tells the user nothing.
SheetPrinter::Outcome CupsSpooler::requestFailed(Stage stage) const
{
    using Failure = SheetPrinter::Failure;
    if (m_timedOut)
        return failure(Failure::NoAnswer);
    const ipp_status_t status = cupsLastError();
    switch (status) {
    case IPP_STATUS_ERROR_INTERNAL:
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        return failure(Failure::FailedWhilePrinting,
                       (stage == Stage::SendingSheet ? BrokeOff : BrokeOffBeforeSending).toString());
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return failure(Failure::Refusing);
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
        return failure(Failure::FailedWhilePrinting, NotAllowed.toString());
    case IPP_STATUS_ERROR_NOT_FOUND:
        return failure(Failure::FailedWhilePrinting, PrinterGone.toString());
    case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
        return failure(Failure::FailedWhilePrinting, FormatRefused.toString());
    default:
        break;
    }
    // Any other refusal comes with the scheduler's own sentence.
    const QString said = lastErrorText();
    return failure(Failure::FailedWhilePrinting,
                   said.isEmpty() ? UnknownRefusal.toString() : SchedulerSaid.toString().arg(said));
}
