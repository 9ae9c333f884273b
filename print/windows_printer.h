#pragma once

// The sheet drawn straight on the system's default printer through Qt's
// printer engine, which on Windows is the Windows spooler. The printer is
// looked up again for every sheet, so one set up while the program runs is
// found. A driver that asks where to save its file ("Microsoft Print to
// PDF") and is cancelled there is the user's choice, not a printer that is
// off. Built on every system; the program prints through it where CUPS is
// not the print system.

#include "sheet_destination.h"

#include <QString>

#include <atomic>
#include <memory>

class QPrinter;

class WindowsPrinter final : public SheetDestination
{
public:
    WindowsPrinter();
    ~WindowsPrinter() override;

    Outcome begin(QPainter &painter, const QString &documentName) override;
    Outcome finish(QPainter &painter) override;
    void drop(QPainter &painter) override;
    bool asksTheUser() const override;

private:
    // Made at the first sheet, not at start: Qt loads its print support
    // for it. Kept from one sheet to the next.
    std::unique_ptr<QPrinter> m_printer;
    QString m_printerName;
    // The thread that began the sheet, where a driver shows its own window.
    std::atomic<unsigned long> m_sheetThread = 0;
};
