#include "print_spooler.h"

#ifdef NIC_HAVE_CUPS
#include <QLibrary>

#include <cups/cups.h>
#endif

namespace print_spooler {

QString lastJobRefusal()
{
#ifdef NIC_HAVE_CUPS
    // libcups is looked up only now, after Qt's print plugin has loaded it to
    // send the job: linking it would load it, and the TLS and Kerberos
    // libraries it pulls in, at every start of the program.
    using LastError = ipp_status_t (*)();
    using LastErrorString = const char *(*)();
    QLibrary cups(QStringLiteral("cups"), 2);
    const auto lastError = reinterpret_cast<LastError>(cups.resolve("cupsLastError"));
    const auto lastErrorString = reinterpret_cast<LastErrorString>(cups.resolve("cupsLastErrorString"));
    if (!lastError || !lastErrorString)
        return {};
    // CUPS keeps the status of the last request per thread; the job was
    // the last request Qt made on this thread.
    if (lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    return QString::fromUtf8(lastErrorString());
#else
    return {};
#endif
}

} // namespace print_spooler
