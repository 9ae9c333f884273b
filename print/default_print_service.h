#pragma once

// Printing as the main window asks for it: one detail sheet on the system's
// default printer, stamped with today's local month (its full name in the
// user's language) and Gregorian year. Keeps one printer for the program's
// whole life, so the font a sheet leaves holds for the next. Failures come
// back as a message in plain words; it never retries on its own, so nothing
// is printed twice unless the user presses Print twice.

#include "print_service.h"

#include <QDate>

#include <functional>
#include <memory>

class SheetPrinter;

class DefaultPrintService final : public PrintService
{
public:
    using Today = std::function<QDate()>;

    // The system's default printer and the local clock.
    DefaultPrintService();
    // Another printer and clock, such as a recording printer in a test.
    DefaultPrintService(SheetPrinter &printer, Today today);
    ~DefaultPrintService() override;

    DefaultPrintService(const DefaultPrintService &) = delete;
    DefaultPrintService &operator=(const DefaultPrintService &) = delete;

    QString printSheet(const DetailSheetTexts &texts) override;

private:
    std::unique_ptr<SheetPrinter> m_ownPrinter;
    SheetPrinter &m_printer;
    Today m_today;
};
