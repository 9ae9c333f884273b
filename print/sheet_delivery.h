#pragma once

// Where a drawn sheet goes: a CUPS queue, the Windows printer or a PDF file.
// For each sheet a delivery first finds its destination and gives the sheet
// printer a page to draw on (on the destination's own paper where it has
// one), then hands the drawn sheet over whole, or drops it when drawing
// failed. Its outcome names the destination, says why it failed in plain
// words and how long it waited; it never throws, never ends the program and
// never hands a sheet over twice. It knows nothing of what is on the sheet.

#include "sheet_printer.h"

class QPagedPaintDevice;
class QString;

class SheetDelivery
{
public:
    using Failure = SheetPrinter::Failure;
    using Outcome = SheetPrinter::Outcome;

    virtual ~SheetDelivery() = default;

    // Finds where the sheet goes and readies its page; after a failure
    // there is no page and nothing to hand over.
    virtual Outcome open(const QString &documentName) = 0;
    // The page to draw the opened sheet on. It stays until the next open,
    // so that painting on it can end after a drop.
    virtual QPagedPaintDevice *page() = 0;
    // Whether the page itself reports a failure while it is drawn on.
    virtual bool pageFailed() const { return false; }
    // Why painting on the page could not begin.
    virtual Failure startFailure() const { return Failure::CannotStart; }
    // Hands over the sheet, once painting on the page has ended.
    virtual Outcome deliver() = 0;
    // Gives the opened sheet up: nothing is handed over. Called while the
    // page may still be painted on, so that a printer can cancel its job
    // before the end of painting would send it.
    virtual void drop() = 0;
    // Asked from another thread while the sheet is opened or drawn: whether
    // the destination shows a window of its own for it.
    virtual bool asksTheUser() const { return false; }
};
