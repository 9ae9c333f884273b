#pragma once

// One sheet on the default CUPS destination, as lp would choose it (LPDEST,
// PRINTER, an lpoptions instance, a temporary driverless queue), through
// libcups's destination API: drawn as a PDF in memory on the destination's
// own default paper and sent, once whole, as one job with its options. From
// its making on a queue has one fixed time until the sheet is taken or
// refused, so it never blocks longer; it runs on the sheet's own thread.
// Its answers are in plain words, never a bare system error text, and it
// never retries on its own. It lives in the program's CUPS module.

#include "pdf_file.h"
#include "sheet_destination.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>

#include <cups/cups.h>

#include <optional>

class CupsQueue final : public SheetDestination
{
public:
    CupsQueue();
    ~CupsQueue() override;

    CupsQueue(const CupsQueue &) = delete;
    CupsQueue &operator=(const CupsQueue &) = delete;

    Outcome begin(QPainter &painter, const QString &documentName) override;
    Outcome finish(QPainter &painter) override;
    void drop(QPainter &painter) override;

private:
    // Whether the sheet was on its way when a request failed.
    enum class Stage { FindingQueue, SendingSheet };

    Outcome findDefaultQueue();
    bool connectToScheduler();
    bool connectToDestination();
    std::optional<QPageSize> defaultPaper() const;
    Outcome submit(const QByteArray &pdf);
    Outcome failure(Failure failure, const QString &reason = {}) const;
    Outcome requestFailed(Stage stage) const;
    // Called by libcups while it waits: 0 once the time is up.
    static int keepWaiting(http_t *, void *queue);
    int millisecondsLeft() const;

    QElapsedTimer m_clock;           // since the queue was made
    http_t *m_scheduler = nullptr;   // where the destination was asked for
    http_t *m_destination = nullptr; // where the job goes; may be m_scheduler
    cups_dest_t *m_dest = nullptr;
    cups_dinfo_t *m_info = nullptr;
    int m_cancel = 0; // libcups's cancel flag: set once the time is up
    bool m_timedOut = false;
    QString m_queue;       // the destination's name, as CUPS knows it
    QString m_printerName; // what the user calls it
    bool m_paused = false;
    QString m_documentName;
    QBuffer m_pdf; // the whole sheet, sent only once drawn
    QPdfWriter m_page{&m_pdf};
};
