#include "pdf_file.h"

#include "memory_pdf.h"
#include "print_log.h"

#include <QPageSize>
#include <QSaveFile>

PdfFile::PdfFile(const QString &file) : m_file(file) {}

PdfFile::~PdfFile() = default;

SheetDelivery::Outcome PdfFile::open(const QString &documentName)
{
    m_pdf = std::make_unique<MemoryPdf>(MemoryPdf::localePaper(), documentName);
    return outcome();
}

QPagedPaintDevice *PdfFile::page()
{
    return m_pdf->page();
}

SheetDelivery::Outcome PdfFile::deliver()
{
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly)) {
        qCInfo(lcPrint) << "cannot create" << m_file << file.errorString();
        return outcome(Failure::CannotStart);
    }
    const QByteArray pdf = m_pdf->bytes();
    // A full disk shows in the count written or, at the latest, in the
    // commit; only then does the file take the place of the old one.
    if (file.write(pdf) != pdf.size() || !file.commit()) {
        qCInfo(lcPrint) << "cannot write" << m_file << file.errorString();
        return outcome(Failure::FailedWhilePrinting);
    }
    return outcome();
}

// Nothing has been written yet: the sheet in memory is simply never saved.
void PdfFile::drop() {}

SheetDelivery::Outcome PdfFile::outcome(Failure failure) const
{
    Outcome result;
    result.failure = failure;
    result.printerName = m_file;
    return result;
}
