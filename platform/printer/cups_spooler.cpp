#include "cups_spooler.h"

#include <QCoreApplication>
#include <QLibrary>

#include <cups/cups.h>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

// How often libcups hands control back while it waits, so the windows stay
// painted.
constexpr double WaitSliceSeconds = 0.1;
constexpr QStringView PrinterUriPrefix = u"ipp://localhost/printers/";
constexpr QStringView ResourcePrefix = u"/printers/";
constexpr char PdfFormat[] = "application/pdf";
// IPP's printer-state for a paused printer.
constexpr int PrinterStopped = 5;

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

// The few libcups calls we make, looked up once.
struct Cups
{
    decltype(&::cupsServer) server = nullptr;
    decltype(&::ippPort) port = nullptr;
    decltype(&::cupsEncryption) encryption = nullptr;
    decltype(&::cupsUser) user = nullptr;
    decltype(&::httpConnect2) connect = nullptr;
    decltype(&::httpSetTimeout) setTimeout = nullptr;
    decltype(&::httpClose) close = nullptr;
    decltype(&::cupsGetNamedDest) namedDest = nullptr;
    decltype(&::cupsFreeDests) freeDests = nullptr;
    decltype(&::ippNewRequest) newRequest = nullptr;
    decltype(&::ippAddString) addString = nullptr;
    decltype(&::ippFindAttribute) findAttribute = nullptr;
    decltype(&::ippGetString) getString = nullptr;
    decltype(&::ippGetInteger) getInteger = nullptr;
    decltype(&::ippGetBoolean) getBoolean = nullptr;
    decltype(&::ippDelete) deleteIpp = nullptr;
    decltype(&::cupsDoRequest) doRequest = nullptr;
    decltype(&::cupsDoFileRequest) doFileRequest = nullptr;
    decltype(&::cupsLastError) lastError = nullptr;
    decltype(&::cupsLastErrorString) lastErrorString = nullptr;

    bool complete() const
    {
        return server && port && encryption && user && connect && setTimeout && close && namedDest && freeDests
               && newRequest && addString && findAttribute && getString && getInteger && getBoolean && deleteIpp
               && doRequest && doFileRequest && lastError && lastErrorString;
    }
};

template <typename Function>
void resolve(QLibrary &library, Function &function, const char *name)
{
    function = reinterpret_cast<Function>(library.resolve(name));
}

const Cups &cups()
{
    static const Cups loaded = [] {
        Cups c;
        QLibrary library(u"cups"_s, 2);
        resolve(library, c.server, "cupsServer");
        resolve(library, c.port, "ippPort");
        resolve(library, c.encryption, "cupsEncryption");
        resolve(library, c.user, "cupsUser");
        resolve(library, c.connect, "httpConnect2");
        resolve(library, c.setTimeout, "httpSetTimeout");
        resolve(library, c.close, "httpClose");
        resolve(library, c.namedDest, "cupsGetNamedDest");
        resolve(library, c.freeDests, "cupsFreeDests");
        resolve(library, c.newRequest, "ippNewRequest");
        resolve(library, c.addString, "ippAddString");
        resolve(library, c.findAttribute, "ippFindAttribute");
        resolve(library, c.getString, "ippGetString");
        resolve(library, c.getInteger, "ippGetInteger");
        resolve(library, c.getBoolean, "ippGetBoolean");
        resolve(library, c.deleteIpp, "ippDelete");
        resolve(library, c.doRequest, "cupsDoRequest");
        resolve(library, c.doFileRequest, "cupsDoFileRequest");
        resolve(library, c.lastError, "cupsLastError");
        resolve(library, c.lastErrorString, "cupsLastErrorString");
        // The library stays loaded: QLibrary unloads only on unload().
        return c;
    }();
    return loaded;
}

http_t *asHttp(void *http)
{
    return static_cast<http_t *>(http);
}

int keepWaitingCallback(http_t *, void *spooler)
{
    return static_cast<CupsSpooler *>(spooler)->keepWaiting() ? 1 : 0;
}

QString printerUri(const QString &queue)
{
    return PrinterUriPrefix.toString() + queue;
}

bool succeeded(ipp_status_t status)
{
    return status <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

} // namespace

CupsSpooler::CupsSpooler(std::chrono::milliseconds patience)
    : m_patience(patience)
{
    m_clock.start();
}

CupsSpooler::~CupsSpooler()
{
    if (m_http)
        cups().close(asHttp(m_http));
}

std::chrono::milliseconds CupsSpooler::elapsed() const
{
    return std::chrono::milliseconds(m_clock.elapsed());
}

bool CupsSpooler::keepWaiting()
{
    // The windows are repainted and timers run meanwhile. Keys and clicks
    // are the window's business: it throws them away while it waits (held
    // back instead, they would all arrive once the press returns).
    QCoreApplication::processEvents();
    if (elapsed() < m_patience)
        return true;
    m_timedOut = true;
    return false;
}

bool CupsSpooler::connect()
{
    const Cups &c = cups();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_patience - elapsed());
    if (left.count() <= 0) {
        m_timedOut = true;
        return false;
    }
    // For a local socket the server is its path and the port is not used.
    m_http = c.connect(c.server(), c.port(), nullptr, AF_UNSPEC, c.encryption(), 1, int(left.count()), nullptr);
    if (!m_http) {
        m_timedOut = elapsed() >= m_patience;
        return false;
    }
    c.setTimeout(asHttp(m_http), WaitSliceSeconds, &keepWaitingCallback, this);
    return true;
}

SheetPrinter::Outcome CupsSpooler::findDefaultQueue()
{
    using Failure = SheetPrinter::Failure;
    const Cups &c = cups();
    if (!c.complete())
        return failure(Failure::NoPrintSystem);
    if (!connect())
        return failure(m_timedOut ? Failure::NoAnswer : Failure::NoPrintSystem);

    // Honours LPDEST, PRINTER and the user's own lpoptions as other programs do.
    cups_dest_t *dest = c.namedDest(asHttp(m_http), nullptr, nullptr);
    if (!dest) {
        if (m_timedOut)
            return failure(Failure::NoAnswer);
        const ipp_status_t status = c.lastError();
        if (status == IPP_STATUS_ERROR_NOT_FOUND || succeeded(status))
            return failure(Failure::NoPrinter);
        if (status == IPP_STATUS_ERROR_INTERNAL || status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
            return failure(Failure::NoPrintSystem, BrokeOffBeforeSending.toString());
        return requestFailed(Stage::FindingQueue);
    }
    m_queue = QString::fromUtf8(dest->name);
    m_printerName = m_queue;
    c.freeDests(1, dest);

    ipp_t *request = c.newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    c.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                printerUri(m_queue).toUtf8().constData());
    ipp_t *response = c.doRequest(asHttp(m_http), request, "/");
    if (!response || !succeeded(c.lastError())) {
        if (response)
            c.deleteIpp(response);
        return requestFailed(Stage::FindingQueue);
    }
    if (ipp_attribute_t *info = c.findAttribute(response, "printer-info", IPP_TAG_TEXT)) {
        const QString description = QString::fromUtf8(c.getString(info, 0, nullptr));
        if (!description.isEmpty())
            m_printerName = description;
    }
    bool accepting = true;
    if (ipp_attribute_t *attribute = c.findAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
        accepting = c.getBoolean(attribute, 0) != 0;
    if (ipp_attribute_t *attribute = c.findAttribute(response, "printer-state", IPP_TAG_ENUM))
        m_paused = c.getInteger(attribute, 0) == PrinterStopped;
    c.deleteIpp(response);

    if (!accepting)
        return failure(Failure::Refusing);
    SheetPrinter::Outcome found;
    found.printerName = m_printerName;
    return found;
}

SheetPrinter::Outcome CupsSpooler::submit(const QString &pdfFile, const QString &jobName)
{
    using Failure = SheetPrinter::Failure;
    const Cups &c = cups();
    if (!m_http || m_queue.isEmpty())
        return failure(Failure::CannotStart);

    ipp_t *request = c.newRequest(IPP_OP_PRINT_JOB);
    c.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                printerUri(m_queue).toUtf8().constData());
    c.addString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, c.user());
    c.addString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, jobName.toUtf8().constData());
    c.addString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, PdfFormat);
    ipp_t *response = c.doFileRequest(asHttp(m_http), request, (ResourcePrefix.toString() + m_queue).toUtf8().constData(),
                                      pdfFile.toLocal8Bit().constData());
    const ipp_status_t status = c.lastError();
    if (response)
        c.deleteIpp(response);

    if (succeeded(status)) {
        SheetPrinter::Outcome sent;
        sent.printerName = m_printerName;
        sent.waitsInPausedQueue = m_paused;
        return sent;
    }
    // Whether the sheet got there before the print system stopped
    // answering cannot be known from here.
    if (m_timedOut)
        return failure(Failure::NoAnswer, MayStillPrint.toString());
    if (status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS)
        return failure(Failure::Refusing);
    return requestFailed(Stage::SendingSheet);
}

SheetPrinter::Outcome CupsSpooler::failure(SheetPrinter::Failure failure, const QString &reason) const
{
    SheetPrinter::Outcome outcome;
    outcome.failure = failure;
    outcome.printerName = m_printerName;
    outcome.reason = reason;
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
    const Cups &c = cups();
    const ipp_status_t status = c.lastError();
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
    const QString said = QString::fromUtf8(c.lastErrorString()).trimmed();
    return failure(Failure::FailedWhilePrinting,
                   said.isEmpty() ? UnknownRefusal.toString() : SchedulerSaid.toString().arg(said));
}
