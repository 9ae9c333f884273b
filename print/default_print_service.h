#pragma once

// Printing as the main window asks for it: one detail sheet on the printer it
// is handed (for the program, the system's default printer), stamped with
// today's local month (its full name in the user's language) and Gregorian
// year, or the same sheet as a PDF file. Uses the one printer for the
// program's whole life, so the font a sheet leaves holds for the next; a
// PDF is written by a printer of its own, made for that file by the
// function it is given, which starts from the default font.
// Failures come back as a message in plain words; it never retries on its
// own, so nothing is printed twice unless the user presses Print twice.

#include "print_service.h"

#include <QDate>

#include <functional>
#include <memory>

class SheetPrinter;

class DefaultPrintService final : public PrintService
{
public:
    // Today's local date, from the same clock as the age.
    using Today = std::function<QDate()>;
    // A printer that writes one sheet into the PDF file named.
    using PdfPrinterFor = std::function<std::unique_ptr<SheetPrinter>(const QString &file)>;

    // Without pdfPrinterFor a sheet cannot be saved, only printed.
    DefaultPrintService(SheetPrinter &printer, Today today, PdfPrinterFor pdfPrinterFor = {});

    DefaultPrintService(const DefaultPrintService &) = delete;
    DefaultPrintService &operator=(const DefaultPrintService &) = delete;

    PrintAnswer printSheet(const DetailSheetTexts &texts) override;
    bool asksTheUser() const override;
    PrintAnswer giveUpSheet(std::chrono::milliseconds waited) override;
    PrintAnswer saveSheetAsPdf(const DetailSheetTexts &texts, const QString &file) override;

private:
    SheetPrinter &m_printer;
    Today m_today;
    PdfPrinterFor m_pdfPrinterFor;
};
