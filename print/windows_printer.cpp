#include "windows_printer.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

WindowsPrinter::WindowsPrinter() = default;

WindowsPrinter::~WindowsPrinter() = default;

SheetDestination::Outcome WindowsPrinter::begin(QPainter &painter, const QString &documentName)
{
#ifdef Q_OS_WIN
    m_sheetThread = GetCurrentThreadId();
#endif
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const QPrinterInfo chosen = QPrinterInfo::defaultPrinter();
    m_printerName.clear();
    if (chosen.isNull())
        return {Failure::NoPrinter, {}, {}};
    m_printerName = chosen.description().isEmpty() ? chosen.printerName() : chosen.description();
    // Qt falls back to writing PDF when it found no printer earlier, and
    // then ignores a printer name; ask for the printer itself again.
    if (m_printer->outputFormat() != QPrinter::NativeFormat)
        m_printer->setOutputFormat(QPrinter::NativeFormat);
    if (m_printer->printerName() != chosen.printerName())
        m_printer->setPrinterName(chosen.printerName());
    if (m_printer->outputFormat() != QPrinter::NativeFormat || m_printer->printerName() != chosen.printerName()
        || !m_printer->isValid())
        return {Failure::CannotStart, m_printerName, {}};
    m_printer->setDocName(documentName);
    if (painter.begin(m_printer.get()))
        return {Failure::None, m_printerName, {}};
    // A driver that writes a file asks where in its own dialog inside
    // StartDoc, which is where painting begins.
    Failure failure = Failure::CannotStart;
#ifdef Q_OS_WIN
    if (GetLastError() == ERROR_CANCELLED)
        failure = Failure::CancelledByUser;
#endif
    m_printer->abort();
    return {failure, m_printerName, {}};
}

// The end of painting hands the job to the spooler; a job the printer
// failed on is cancelled first, so that nothing half-drawn is sent.
SheetDestination::Outcome WindowsPrinter::finish(QPainter &painter)
{
    if (painter.isActive() && m_printer->printerState() != QPrinter::Error && painter.end())
        return {Failure::None, m_printerName, {}};
    drop(painter);
    return {Failure::FailedWhilePrinting, m_printerName, {}};
}

// Cancels the job in the spooler before the end of painting would send it.
void WindowsPrinter::drop(QPainter &painter)
{
    m_printer->abort();
    if (painter.isActive())
        painter.end();
}

// A driver's own window (where to save its file, a confirmation) belongs to
// the thread that called into it, the one that began the sheet.
bool WindowsPrinter::asksTheUser() const
{
#ifdef Q_OS_WIN
    const DWORD thread = m_sheetThread;
    if (thread == 0)
        return false;
    bool shown = false;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM found) -> BOOL {
            if (!IsWindowVisible(window))
                return TRUE;
            *reinterpret_cast<bool *>(found) = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
#else
    return false;
#endif
}
