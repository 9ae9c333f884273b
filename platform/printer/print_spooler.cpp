#include "print_spooler.h"

#ifdef NIC_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace print_spooler {

QString lastJobRefusal()
{
#ifdef NIC_HAVE_CUPS
    // CUPS keeps the status of the last request per thread; the job was
    // the last request Qt made on this thread.
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    return QString::fromUtf8(cupsLastErrorString());
#else
    return {};
#endif
}

} // namespace print_spooler
