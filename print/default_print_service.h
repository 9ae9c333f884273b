#pragma once

// Printing as the main window asks for it: one detail sheet on the printer it
// is handed (for the program, the system's default printer), stamped with
// today's local month (its full name in the user's language) and Gregorian
// year, or the same sheet as a PDF file. Uses the one printer for the
// program's whole life, so the font a sheet leaves holds for the next; a
// PDF is written by a printer of its own, which starts from the default
// font.
// Failures come back as a message in plain words; it never retries on its
// own, so nothing is printed twice unless the user presses Print twice.

#include "print_service.h"

#include <QDate>

#include <functional>

class SheetPrinter;

class DefaultPrintService final : public PrintService
{
public:
    // Today's local date, from the same clock as the age.
    using Today = std::function<QDate()>;

    DefaultPrintService(SheetPrinter &printer, Today today);

    DefaultPrintService(const DefaultPrintService &) = delete;
    DefaultPrintService &operator=(const DefaultPrintService &) = delete;

    PrintAnswer printSheet(const DetailSheetTexts &texts) override;
    PrintAnswer saveSheetAsPdf(const DetailSheetTexts &texts, const QString &file) override;

private:
    SheetPrinter &m_printer;
    Today m_today;
};
