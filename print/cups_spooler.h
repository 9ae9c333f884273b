#pragma once

// The system's default print destination as CUPS serves it, through
// libcups's destination API: the default (or LPDEST, PRINTER, an lpoptions
// instance with its saved options, a temporary driverless queue), its state,
// its default paper, and one PDF sheet handed to it as a job with the
// destination's own options. One spooler serves one press of Print, and from
// its creation on it has a fixed time for all of it; every wait of libcups
// ends by then. It blocks the thread it runs on, so it never runs on the
// window's thread. Its answers are in plain words, never a bare system
// error text. It never retries on its own, so one press never makes two jobs.

#include "sheet_printer.h"

#include <QElapsedTimer>
#include <QPageSize>
#include <QString>

#include <chrono>
#include <optional>

class CupsSpooler
{
public:
    explicit CupsSpooler(std::chrono::milliseconds patience);
    ~CupsSpooler();

    CupsSpooler(const CupsSpooler &) = delete;
    CupsSpooler &operator=(const CupsSpooler &) = delete;

    // Finds the default destination and whether it takes jobs; the outcome names it.
    SheetPrinter::Outcome findDefaultQueue();
    // The destination's own default paper, once it was found; none when it has none.
    std::optional<QPageSize> defaultPaper() const { return m_paper; }
    // Sends the PDF to the destination found; only after findDefaultQueue succeeded.
    SheetPrinter::Outcome submit(const QByteArray &pdf, const QString &jobName);

    // Called by libcups while it waits: false once the time is up.
    bool keepWaiting();

private:
    // Whether the sheet was on its way when a request failed.
    enum class Stage { FindingQueue, SendingSheet };

    SheetPrinter::Outcome failure(SheetPrinter::Failure failure, const QString &reason = {}) const;
    SheetPrinter::Outcome requestFailed(Stage stage) const;
    bool connectToScheduler();
    bool connectToDestination();
    void readPaper();
    std::chrono::milliseconds elapsed() const;
    int millisecondsLeft() const;

    std::chrono::milliseconds m_patience;
    QElapsedTimer m_clock;
    // libcups's own types, kept out of this header.
    void *m_scheduler = nullptr;   // http_t: where the destination was asked for
    void *m_destination = nullptr; // http_t: where the job goes; may be m_scheduler
    void *m_dest = nullptr;        // cups_dest_t
    void *m_info = nullptr;        // cups_dinfo_t
    int m_cancel = 0;              // libcups's cancel flag: set once the time is up
    bool m_timedOut = false;
    QString m_queue;       // the destination's name, as CUPS knows it
    QString m_printerName; // what the user calls it
    bool m_paused = false;
    std::optional<QPageSize> m_paper;
};
