#include "pdf_file.h"

#include "print_log.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

// 1200 dots per inch and a margin that keeps the text inside what printers can reach.
constexpr int PdfResolution = 1200;
constexpr QMarginsF PdfMargins{10, 10, 10, 10}; // millimetres

} // namespace

void SetUpPdfPage(QPdfWriter &page, const QPageSize &paper, const QString &title)
{
    page.setResolution(PdfResolution);
    page.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, PdfMargins, QPageLayout::Millimeter));
    page.setTitle(title);
    page.setCreator(QCoreApplication::applicationName());
}

QPageSize LocalePaper()
{
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

PdfFile::PdfFile(const QString &file) : m_fileName(file) {}

PdfFile::~PdfFile() = default;

SheetDestination::Outcome PdfFile::begin(QPainter &painter, const QString &documentName)
{
    m_page.reset();
    m_file = std::make_unique<QSaveFile>(m_fileName);
    if (!m_file->open(QIODevice::WriteOnly)) {
        qCInfo(lcPrint) << "cannot create" << m_fileName << m_file->errorString();
        return {Failure::CannotStart, m_fileName, {}};
    }
    m_page = std::make_unique<QPdfWriter>(m_file.get());
    SetUpPdfPage(*m_page, LocalePaper(), documentName);
    return {painter.begin(m_page.get()) ? Failure::None : Failure::CannotStart, m_fileName, {}};
}

// A full disk shows, at the latest, in the commit; only then does the file
// take the place of the old one.
SheetDestination::Outcome PdfFile::finish(QPainter &painter)
{
    if (painter.end() && m_file->commit())
        return {Failure::None, m_fileName, {}};
    qCInfo(lcPrint) << "cannot write" << m_fileName << m_file->errorString();
    return {Failure::FailedWhilePrinting, m_fileName, {}};
}

// Never committed, the file stays as it was.
void PdfFile::drop(QPainter &painter)
{
    painter.end();
    m_page.reset();
    m_file.reset();
}
