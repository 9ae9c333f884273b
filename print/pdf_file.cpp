#include "pdf_file.h"

#include "print_log.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QSaveFile>

namespace {

// A PDF page like the one Qt's printer support makes: 1200 dots per inch and
// a margin that keeps the text inside what printers can reach.
constexpr int PdfResolution = 1200;
constexpr QMarginsF PdfMargins{10, 10, 10, 10}; // millimetres

} // namespace

MemoryPdf::MemoryPdf(const QPageSize &paper, const QString &title)
{
    bytes.open(QIODevice::WriteOnly);
    page.setResolution(PdfResolution);
    page.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, PdfMargins, QPageLayout::Millimeter));
    page.setTitle(title);
    page.setCreator(QCoreApplication::applicationName());
}

QPageSize MemoryPdf::localePaper()
{
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

PdfFile::PdfFile(const QString &file) : m_file(file) {}

SheetDestination::Outcome PdfFile::begin(QPainter &painter, const QString &documentName)
{
    m_pdf.emplace(MemoryPdf::localePaper(), documentName);
    return outcome(painter.begin(&m_pdf->page) ? Failure::None : Failure::CannotStart);
}

SheetDestination::Outcome PdfFile::finish(QPainter &painter)
{
    const bool drawn = painter.end();
    const QByteArray pdf = m_pdf->bytes.data();
    m_pdf.reset();
    if (!drawn)
        return outcome(Failure::FailedWhilePrinting);
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly)) {
        qCInfo(lcPrint) << "cannot create" << m_file << file.errorString();
        return outcome(Failure::CannotStart);
    }
    // A full disk shows in the count written or, at the latest, in the
    // commit; only then does the file take the place of the old one.
    if (file.write(pdf) != pdf.size() || !file.commit()) {
        qCInfo(lcPrint) << "cannot write" << m_file << file.errorString();
        return outcome(Failure::FailedWhilePrinting);
    }
    return outcome();
}

// Nothing has been written yet: the sheet in memory is simply never saved.
void PdfFile::drop(QPainter &painter)
{
    painter.end();
    m_pdf.reset();
}

SheetDestination::Outcome PdfFile::outcome(Failure failure) const
{
    Outcome result;
    result.failure = failure;
    result.printerName = m_file;
    return result;
}
