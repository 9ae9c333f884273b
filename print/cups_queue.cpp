// One sheet on the default CUPS destination, as lp would choose it (LPDEST,
// PRINTER, an lpoptions instance, a temporary driverless queue), through
// libcups's destination API: drawn as a PDF in memory on the destination's
// own default paper and sent, once whole, as one job with its options. From
// its making on a queue has one fixed time until the sheet is taken or
// refused, so it never blocks longer; it runs on the sheet's own thread.
// Its answers are in plain words, never a bare system error text, and it
// never retries on its own. It lives in the program's CUPS module.

#include "cups_module.h"
#include "pdf_file.h"
#include "print_log.h"
#include "sheet_destination.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSizeF>
#include <QString>

#include <cups/cups.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Longest a press waits for the print system: from the first question about
// the default destination until the sheet has been taken or refused.
constexpr std::chrono::milliseconds Patience{25000};
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
constexpr QStringView NotAllowed = u"The print system does not let this user print on this printer.";
constexpr QStringView PrinterGone = u"The printer is no longer set up in the print system.";
constexpr QStringView FormatRefused = u"The printer cannot take the sheet's format (PDF).";
constexpr QStringView SchedulerSaid = u"The print system said: %1";
constexpr QStringView UnknownRefusal = u"The print system refused the sheet without giving a reason.";

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

class CupsQueue final : public SheetDestination
{
public:
    CupsQueue() = default;
    ~CupsQueue() override;

    CupsQueue(const CupsQueue &) = delete;
    CupsQueue &operator=(const CupsQueue &) = delete;

    Outcome begin(QPainter &painter, const QString &documentName) override;
    Outcome finish(QPainter &painter) override;
    void drop(QPainter &painter) override;

private:
    Outcome findDefaultQueue();
    bool connectToScheduler();
    bool connectToDestination();
    std::optional<QPageSize> defaultPaper() const;
    Outcome submit(const QByteArray &pdf);
    Outcome failure(Failure failure, const QString &reason = {}) const;
    // brokeOff says when a broken connection broke off: before or while the sheet was sent.
    Outcome requestFailed(QStringView brokeOff) const;
    // Called by libcups while it waits: 0 once the time is up.
    static int keepWaiting(http_t *, void *queue);
    int millisecondsLeft() const { return int(m_deadline.remainingTime()); }
    bool timedOut() const { return m_deadline.hasExpired(); }

    QDeadlineTimer m_deadline{Patience}; // from the queue's making
    http_t *m_scheduler = nullptr;       // where the destination was asked for
    http_t *m_destination = nullptr;     // where the job goes; may be m_scheduler
    cups_dest_t *m_dest = nullptr;
    cups_dinfo_t *m_info = nullptr;
    int m_cancel = 0;      // libcups's cancel flag: set once the time is up
    QString m_queue;       // the destination's name, as CUPS knows it
    QString m_printerName; // what the user calls it
    bool m_paused = false;
    QBuffer m_pdf; // the whole sheet, sent only once drawn
    QPdfWriter m_page{&m_pdf};
};

// The module's one entry.
extern "C" Q_DECL_EXPORT void nicMakeCupsQueue(std::unique_ptr<SheetDestination> &queue)
{
    queue = std::make_unique<CupsQueue>();
}

CupsQueue::~CupsQueue()
{
    if (m_info)
        cupsFreeDestInfo(m_info);
    if (m_dest)
        cupsFreeDests(1, m_dest);
    if (m_destination && m_destination != m_scheduler)
        httpClose(m_destination);
    if (m_scheduler)
        httpClose(m_scheduler);
}

// The destination is found first, so that the sheet is drawn on its own
// default paper.
SheetDestination::Outcome CupsQueue::begin(QPainter &painter, const QString &documentName)
{
    const Outcome found = findDefaultQueue();
    if (!found.succeeded())
        return found;
    m_pdf.open(QIODevice::WriteOnly);
    SetUpPdfPage(m_page, defaultPaper().value_or(LocalePaper()), documentName);
    return painter.begin(&m_page) ? found : failure(Failure::CannotStart);
}

SheetDestination::Outcome CupsQueue::finish(QPainter &painter)
{
    return painter.end() ? submit(m_pdf.data()) : failure(Failure::FailedWhilePrinting);
}

// No job exists before the whole sheet is sent: nothing to take back.
void CupsQueue::drop(QPainter &painter)
{
    painter.end();
}

int CupsQueue::keepWaiting(http_t *, void *queue)
{
    auto *self = static_cast<CupsQueue *>(queue);
    if (!self->timedOut())
        return 1;
    self->m_cancel = 1;
    return 0;
}

bool CupsQueue::connectToScheduler()
{
    if (timedOut())
        return false;
    // For a local socket the server is its path and the port is not used.
    m_scheduler =
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, millisecondsLeft(), &m_cancel);
    if (!m_scheduler) {
        qCInfo(lcPrint) << "no connection to the print system at" << cupsServer() << ippPort()
                        << (timedOut() ? "within the time limit" : "") << lastErrorText();
        return false;
    }
    httpSetTimeout(m_scheduler, WaitSliceSeconds, &keepWaiting, this);
    return true;
}

// The job goes to the scheduler the destination came from, over the same
// connection: libcups takes a connection to any other address for one to
// the printer itself. Only a destination the scheduler does not have yet (a
// printer found on the network) is reached through cupsConnectDest, which
// first has CUPS make a temporary queue for it.
bool CupsQueue::connectToDestination()
{
    if (!optionOf(m_dest, "printer-uri-supported").isEmpty()) {
        m_destination = m_scheduler;
        return true;
    }
    if (timedOut())
        return false;
    // It hands back a connection object even when it did not get through,
    // and libcups 2.4's callback reports success and failure the wrong way
    // round; an open socket is what tells.
    m_destination =
        cupsConnectDest(m_dest, CUPS_DEST_FLAGS_NONE, millisecondsLeft(), &m_cancel, nullptr, 0, nullptr, nullptr);
    if (!m_destination || httpGetFd(m_destination) < 0) {
        qCInfo(lcPrint) << "no connection to the new destination" << m_queue << lastErrorText();
        return false;
    }
    httpSetTimeout(m_destination, WaitSliceSeconds, &keepWaiting, this);
    return true;
}

std::optional<QPageSize> CupsQueue::defaultPaper() const
{
    cups_size_t size{};
    if (!cupsGetDestMediaDefault(m_destination, m_dest, m_info, 0, &size) || size.width <= 0 || size.length <= 0)
        return std::nullopt;
    const QSizeF millimetres(size.width / HundredthsPerMillimetre, size.length / HundredthsPerMillimetre);
    const QPageSize::PageSizeId id = QPageSize::id(millimetres, QPageSize::Millimeter, QPageSize::FuzzyMatch);
    const QPageSize paper = id == QPageSize::Custom
                                ? QPageSize(millimetres, QPageSize::Millimeter, QString::fromUtf8(size.media))
                                : QPageSize(id);
    qCInfo(lcPrint) << "default paper" << size.media << "taken as" << paper.name();
    return paper;
}

SheetDestination::Outcome CupsQueue::findDefaultQueue()
{
    if (!connectToScheduler())
        return failure(timedOut() ? Failure::NoAnswer : Failure::NoPrintSystem);

    // Honours LPDEST, PRINTER and the user's own lpoptions and instances as
    // other programs do.
    m_dest = cupsGetNamedDest(m_scheduler, nullptr, nullptr);
    if (!m_dest) {
        const ipp_status_t status = cupsLastError();
        qCInfo(lcPrint) << "no default destination:" << ippErrorString(status) << lastErrorText();
        if (timedOut())
            return failure(Failure::NoAnswer);
        if (status == IPP_STATUS_ERROR_INTERNAL || status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
            return failure(Failure::NoPrintSystem, BrokeOffBeforeSending.toString());
        if (status != IPP_STATUS_ERROR_NOT_FOUND && !succeeded(status))
            return requestFailed(BrokeOffBeforeSending);
        // A default that is named (LPDEST, PRINTER, lpoptions) but does not
        // exist is not the same as none at all.
        if (const char *named = cupsGetDefault2(m_scheduler); named && *named) {
            m_printerName = QString::fromUtf8(named);
            return failure(Failure::NamedPrinterMissing);
        }
        return failure(Failure::NoPrinter);
    }
    m_queue = QString::fromUtf8(m_dest->name);
    const QString description = optionOf(m_dest, "printer-info");
    m_printerName = description.isEmpty() ? m_queue : description;
    const bool accepting = optionOf(m_dest, "printer-is-accepting-jobs") != u"false"_s;
    m_paused = optionOf(m_dest, "printer-state").toInt() == IPP_PSTATE_STOPPED;
    qCInfo(lcPrint) << "destination" << m_queue << (m_dest->instance ? m_dest->instance : "") << "at"
                    << optionOf(m_dest, "printer-uri-supported") << "state" << optionOf(m_dest, "printer-state")
                    << optionOf(m_dest, "printer-state-reasons") << "accepting" << accepting;
    if (!accepting)
        return failure(Failure::Refusing);

    if (!connectToDestination())
        return requestFailed(BrokeOffBeforeSending);
    m_info = cupsCopyDestInfo(m_destination, m_dest);
    if (!m_info) {
        qCInfo(lcPrint) << "no details of the destination:" << ippErrorString(cupsLastError()) << lastErrorText();
        return requestFailed(BrokeOffBeforeSending);
    }
    return failure(Failure::None);
}

SheetDestination::Outcome CupsQueue::submit(const QByteArray &pdf)
{
    const QByteArray title = m_page.title().toUtf8();
    // The destination's options include what the user saved for it
    // (lpoptions: copies, media, an instance's settings); they go with the
    // job as lp sends them.
    int jobId = 0;
    ipp_status_t status = cupsCreateDestJob(m_destination, m_dest, m_info, &jobId, title.constData(),
                                            m_dest->num_options, m_dest->options);
    qCInfo(lcPrint) << "create job on" << m_queue << ":" << ippErrorString(status) << lastErrorText() << "job" << jobId;
    if (!succeeded(status) || jobId <= 0) {
        if (timedOut())
            return failure(Failure::NoAnswer);
        if (status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS)
            return failure(Failure::Refusing);
        return requestFailed(BrokeOffBeforeSending);
    }

    bool written =
        cupsStartDestDocument(m_destination, m_dest, m_info, jobId, title.constData(), CUPS_FORMAT_PDF, 0, nullptr, 1)
        == HTTP_STATUS_CONTINUE;
    for (qsizetype at = 0; written && at < pdf.size(); at += WriteChunk)
        written = cupsWriteRequestData(m_destination, pdf.constData() + at, size_t(qMin(WriteChunk, pdf.size() - at)))
                  == HTTP_STATUS_CONTINUE;
    // Finished even after a failed write: it reads the scheduler's answer,
    // which says why.
    status = cupsFinishDestDocument(m_destination, m_dest, m_info);
    // libcups sends the sheet unasked when the scheduler is slow to say it
    // may (a second), and keeps the last answer's status when the next never
    // comes: only an answer read whole, the connection back to waiting with
    // no error on it, says the sheet was taken.
    const bool answered = httpGetState(m_destination) == HTTP_STATE_WAITING && httpError(m_destination) == 0;
    qCInfo(lcPrint) << "sheet of" << pdf.size() << "bytes sent:" << written << "answered:" << answered
                    << ippErrorString(status) << lastErrorText() << "with" << millisecondsLeft() << "ms left";
    if (written && succeeded(status) && answered) {
        Outcome sent = failure(Failure::None);
        sent.waitsInPausedQueue = m_paused;
        return sent;
    }
    // Whether the sheet got there before the print system stopped
    // answering cannot be known from here.
    if (timedOut())
        return failure(Failure::NoAnswer, MayStillPrint.toString());
    Outcome failed;
    if (status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS)
        failed = failure(Failure::Refusing);
    else if (succeeded(status))
        failed = failure(Failure::FailedWhilePrinting, BrokeOff.toString());
    else
        failed = requestFailed(BrokeOff);
    // A job left without its sheet would wait for ever.
    cupsCancelDestJob(m_destination, m_dest, jobId);
    return failed;
}

// Every outcome names the printer, where there is one.
SheetDestination::Outcome CupsQueue::failure(Failure failure, const QString &reason) const
{
    Outcome outcome;
    outcome.failure = failure;
    outcome.printerName = m_printerName;
    outcome.reason = reason;
    if (failure == Failure::NoAnswer)
        outcome.waited = Patience;
    return outcome;
}

// The last request's failure in plain words: libcups reports a broken
// connection with the C library's error text ("No such file or directory"),
// which tells the user nothing.
SheetDestination::Outcome CupsQueue::requestFailed(QStringView brokeOff) const
{
    if (timedOut())
        return failure(Failure::NoAnswer);
    switch (cupsLastError()) {
    case IPP_STATUS_ERROR_INTERNAL:
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        return failure(Failure::FailedWhilePrinting, brokeOff.toString());
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
