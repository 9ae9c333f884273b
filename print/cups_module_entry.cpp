// The module's one entry: the program finds it by name at its first sheet.

#include "cups_module.h"
#include "cups_queue.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT void nicMakeCupsQueue(std::unique_ptr<SheetDelivery> &queue)
{
    queue = std::make_unique<CupsQueue>();
}
