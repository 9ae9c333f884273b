#include "memory_pdf.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace {

// A PDF page like the one Qt's printer support makes: 1200 dots per inch and
// a margin that keeps the text inside what printers can reach.
constexpr int PdfResolution = 1200;
constexpr QMarginsF PdfMargins{10, 10, 10, 10}; // millimetres

} // namespace

MemoryPdf::MemoryPdf(const QPageSize &paper, const QString &title) : m_buffer(std::make_unique<QBuffer>())
{
    m_buffer->open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(m_buffer.get());
    m_writer->setResolution(PdfResolution);
    m_writer->setPageLayout(QPageLayout(paper, QPageLayout::Portrait, PdfMargins, QPageLayout::Millimeter));
    m_writer->setTitle(title);
    m_writer->setCreator(QCoreApplication::applicationName());
}

MemoryPdf::~MemoryPdf() = default;

QPagedPaintDevice *MemoryPdf::page() const
{
    return m_writer.get();
}

QByteArray MemoryPdf::bytes() const
{
    return m_buffer->data();
}

QPageSize MemoryPdf::localePaper()
{
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}
