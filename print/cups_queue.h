#pragma once

// A sheet printed on the default CUPS destination, as lp would choose it.
// Each sheet gets a CupsSpooler of its own, made when the sheet is opened,
// so the press has one fixed time from the first question about the
// destination until the sheet has been taken or refused. The sheet is drawn
// as a PDF in memory on the destination's own default paper (the locale's
// when it has none) and sent as one job once it is whole. It blocks the
// thread it runs on, so it never runs on the window's thread.

#include "sheet_delivery.h"

#include <QString>

#include <memory>

class CupsSpooler;
class MemoryPdf;

class CupsQueue final : public SheetDelivery
{
public:
    CupsQueue();
    ~CupsQueue() override;

    CupsQueue(const CupsQueue &) = delete;
    CupsQueue &operator=(const CupsQueue &) = delete;

    Outcome open(const QString &documentName) override;
    QPagedPaintDevice *page() override;
    Outcome deliver() override;
    void drop() override;

private:
    std::unique_ptr<CupsSpooler> m_spooler; // while a sheet is open
    std::unique_ptr<MemoryPdf> m_pdf;
    QString m_documentName;
};
