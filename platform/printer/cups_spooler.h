#pragma once

// The system's default print queue as CUPS serves it, reached over a
// connection of our own so that every wait has an end: one spooler serves one
// press of Print, and from its creation on it has a fixed time to find the
// default queue and hand it one PDF file. While it waits it lets the event
// loop run, so windows stay painted; whoever presses Print must keep keys and
// clicks away from its windows meanwhile (the main window throws them away). Its answers are in plain words, never a bare system error
// text. It never retries on its own, so one press never makes two jobs.
// libcups is looked up at the first print, not linked: linking would load it,
// and the TLS and Kerberos libraries it pulls in, at every start.

#include "sheet_printer.h"

#include <QElapsedTimer>
#include <QString>

#include <chrono>

class CupsSpooler
{
public:
    explicit CupsSpooler(std::chrono::milliseconds patience);
    ~CupsSpooler();

    CupsSpooler(const CupsSpooler &) = delete;
    CupsSpooler &operator=(const CupsSpooler &) = delete;

    // Finds the default queue and whether it takes jobs; the outcome names it.
    SheetPrinter::Outcome findDefaultQueue();
    // Sends the PDF file to the queue found; only after findDefaultQueue succeeded.
    SheetPrinter::Outcome submit(const QString &pdfFile, const QString &jobName);

    // Called by libcups while it waits: false once the time is up.
    bool keepWaiting();

private:
    SheetPrinter::Outcome failure(SheetPrinter::Failure failure, const QString &reason = {}) const;
    // Whether the sheet was on its way when a request failed.
    enum class Stage { FindingQueue, SendingSheet };

    SheetPrinter::Outcome requestFailed(Stage stage) const;
    bool connect();
    std::chrono::milliseconds elapsed() const;

    std::chrono::milliseconds m_patience;
    QElapsedTimer m_clock;
    void *m_http = nullptr; // http_t, from the libcups looked up at run time
    bool m_timedOut = false;
    QString m_queue;       // the queue's name, as CUPS knows it
    QString m_printerName; // what the user calls it
    bool m_paused = false;
};
