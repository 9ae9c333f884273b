#include "cups_queue.h"

#include "cups_spooler.h"
#include "memory_pdf.h"

#include <QPageSize>

#include <chrono>

namespace {

// Longest a press waits for the print system: from the first question about
// the default destination until the sheet has been taken or refused.
constexpr std::chrono::milliseconds Patience{25000};

} // namespace

CupsQueue::CupsQueue() = default;

CupsQueue::~CupsQueue() = default;

// The destination is found first, so that the sheet is drawn on its own
// default paper.
SheetDelivery::Outcome CupsQueue::open(const QString &documentName)
{
    m_spooler = std::make_unique<CupsSpooler>(Patience);
    const Outcome found = m_spooler->findDefaultQueue();
    if (!found.succeeded()) {
        m_spooler.reset();
        return found;
    }
    m_documentName = documentName;
    m_pdf = std::make_unique<MemoryPdf>(m_spooler->defaultPaper().value_or(MemoryPdf::localePaper()), documentName);
    return found;
}

QPagedPaintDevice *CupsQueue::page()
{
    return m_pdf->page();
}

SheetDelivery::Outcome CupsQueue::deliver()
{
    const Outcome sent = m_spooler->submit(m_pdf->bytes(), m_documentName);
    m_spooler.reset();
    return sent;
}

// No job exists before the whole sheet is sent: closing the connection is all.
void CupsQueue::drop()
{
    m_spooler.reset();
}
