#include "qt_sheet_printer.h"

#include "print_log.h"

#ifdef NIC_HAVE_CUPS
#include "cups_spooler.h"
#else
// Without CUPS no spooler is ever made; the type only has to be complete.
class CupsSpooler
{
};
#endif

#include <QBuffer>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QTextBoundaryFinder>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// The size in force before any sheet sets one: what the seven leading empty
// lines of the very first sheet are measured in.
constexpr double DefaultPointSize = 10;
// A PDF page like the one Qt's printer support makes: 1200 dots per inch and
// a margin that keeps the text inside what printers can reach.
constexpr int PdfResolution = 1200;
constexpr QMarginsF PdfMargins{10, 10, 10, 10}; // millimetres
// Faces with Latin letters found on most desktops, best first.
const QStringList LatinFaces{QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans"),
                             QStringLiteral("Liberation Sans"), QStringLiteral("Arial")};

// One column per character as the reader sees it, so that letters with
// combining marks (Sinhala, Tamil) count once.
int characterCount(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

QString printerNameOf(const QPrinterInfo &info)
{
    return info.description().isEmpty() ? info.printerName() : info.description();
}

// The desktop's own typeface, as long as it writes the sheet's Latin
// letters. Under a Sinhala or Tamil locale fontconfig answers the generic
// family with a font of that script alone; its wide spaces and average
// character would spread the sheet past the page's edge. Then a common
// Latin face takes the lead, and the desktop's face still supplies the
// letters of the user's own script.
QFont sheetTypeface()
{
    const QFont desktop = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const QString resolved = QFontInfo(desktop).family();
    if (QFontDatabase::writingSystems(resolved).contains(QFontDatabase::Latin))
        return QFont(desktop.family());
    for (const QString &latin : LatinFaces) {
        if (QFontDatabase::hasFamily(latin)) {
            QFont font;
            font.setFamilies({latin, desktop.family()});
            return font;
        }
    }
    return QFont(desktop.family());
}

QPageSize paperForLocale()
{
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                 : QPageSize::A4);
}

} // namespace

QtSheetPrinter::QtSheetPrinter()
    : QtSheetPrinter(QString())
{
}

QtSheetPrinter::QtSheetPrinter(const QString &pdfFile)
    : m_pdfFile(pdfFile)
{
    m_font.setPointSizeF(DefaultPointSize);
}

QtSheetPrinter::~QtSheetPrinter()
{
    dropSheet();
}

void QtSheetPrinter::setDocumentName(const QString &name)
{
    m_documentName = name;
}

void QtSheetPrinter::setFontSize(double points)
{
    m_font.setPointSizeF(points);
    fontChanged();
}

void QtSheetPrinter::setBold(bool on)
{
    m_font.setBold(on);
    fontChanged();
}

void QtSheetPrinter::setItalic(bool on)
{
    m_font.setItalic(on);
    fontChanged();
}

void QtSheetPrinter::setUnderline(bool on)
{
    m_font.setUnderline(on);
    fontChanged();
}

void QtSheetPrinter::printLine(const QList<PrintItem> &items, LineEnd end)
{
    if (!ensureSheetStarted())
        return;
    const QFontMetricsF metrics(m_font, m_device.get());
    const double column = metrics.averageCharWidth();
    const double baseline = m_position.y() + metrics.ascent();
    for (const PrintItem &item : items) {
        switch (item.kind) {
        case PrintItem::Kind::Tab:
            m_position.setX((item.count - 1) * column);
            break;
        case PrintItem::Kind::Spaces:
            // A text wider than its columns still gets real spaces after it.
            m_position.setX(qMax(m_position.x() + item.count * column,
                                 m_inkEnd + item.count * metrics.horizontalAdvance(u' ')));
            break;
        case PrintItem::Kind::Text: {
            const double left = qMax(m_position.x(), m_inkEnd);
            // Text past the right edge is left to the printer to cut off.
            m_painter->drawText(QPointF(left, baseline), item.text);
            m_inkEnd = left + metrics.horizontalAdvance(item.text);
            m_position.setX(left + characterCount(item.text) * column);
            break;
        }
        }
    }
    if (end == LineEnd::Ended)
        nextLine();
    checkPrinter();
}

void QtSheetPrinter::printEmptyLine()
{
    if (!ensureSheetStarted())
        return;
    nextLine();
    checkPrinter();
}

SheetPrinter::Outcome QtSheetPrinter::endDocument()
{
    if (m_state == State::Printing) {
        const bool drawn = m_painter->end();
        if (!drawn || (m_printer && m_printer->printerState() == QPrinter::Error))
            fail(Failure::FailedWhilePrinting);
        else if (!m_pdfFile.isEmpty())
            saveSheet();
        else if (m_pdf)
            sendSheet();
    } else if (m_state == State::Failed) {
        dropSheet();
    }
    m_pdf.reset();
    m_spooler.reset();
    const Outcome outcome = m_outcome;
    m_outcome = {};
    m_state = State::Idle;
    return outcome;
}

bool QtSheetPrinter::ensureSheetStarted()
{
    if (m_state != State::Idle)
        return m_state == State::Printing;
    if (!choosePrinter())
        return false;
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_device.get())) {
        fail(startFailure());
        return false;
    }
    m_state = State::Printing;
    if (!m_typefaceChosen) {
        // Chosen at the first sheet rather than at start: finding it loads
        // a face that nothing else at start needs.
        m_font.setFamilies(sheetTypeface().families());
        m_typefaceChosen = true;
    }
    m_painter->setFont(m_font);
    m_position = {};
    m_inkEnd = 0;
    return true;
}

bool QtSheetPrinter::choosePrinter()
{
    if (!m_pdfFile.isEmpty()) {
        m_outcome.printerName = m_pdfFile;
        return choosePdf(paperForLocale());
    }
#ifdef NIC_HAVE_CUPS
    // The destination is found first, with a time limit, so the sheet is
    // drawn on its own default paper; the drawn sheet goes to it at the end.
    m_spooler = std::make_unique<CupsSpooler>(Patience);
    const Outcome found = m_spooler->findDefaultQueue();
    m_outcome = found;
    if (!found.succeeded()) {
        m_state = State::Failed;
        return false;
    }
    return choosePdf(m_spooler->defaultPaper().value_or(paperForLocale()));
#else
    return chooseNativePrinter();
#endif
}

// The sheet is drawn into memory; only the whole of it is written out, so
// that a write that fails halfway is seen and nothing half-written is sent
// or left as the user's file.
bool QtSheetPrinter::choosePdf(const QPageSize &paper)
{
    m_pdf = std::make_unique<QBuffer>();
    m_pdf->open(QIODevice::WriteOnly);
    auto writer = std::make_unique<QPdfWriter>(m_pdf.get());
    writer->setResolution(PdfResolution);
    writer->setPageLayout(QPageLayout(paper, QPageLayout::Portrait, PdfMargins, QPageLayout::Millimeter));
    writer->setTitle(m_documentName);
    writer->setCreator(QCoreApplication::applicationName());
    m_device = std::move(writer);
    m_printer = nullptr;
    return true;
}

bool QtSheetPrinter::chooseNativePrinter()
{
    if (!m_printer) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer = printer.get();
        m_device = std::move(printer);
    }
    const QPrinterInfo chosen = QPrinterInfo::defaultPrinter();
    if (chosen.isNull()) {
        fail(Failure::NoPrinter);
        return false;
    }
    m_outcome.printerName = printerNameOf(chosen);
    // Qt falls back to writing PDF when it found no printer earlier, and
    // then ignores a printer name; ask for the printer itself again.
    if (m_printer->outputFormat() != QPrinter::NativeFormat)
        m_printer->setOutputFormat(QPrinter::NativeFormat);
    if (m_printer->printerName() != chosen.printerName())
        m_printer->setPrinterName(chosen.printerName());
    if (m_printer->outputFormat() != QPrinter::NativeFormat
        || m_printer->printerName() != chosen.printerName() || !m_printer->isValid()) {
        fail(Failure::CannotStart);
        return false;
    }
    m_printer->setDocName(m_documentName);
    return true;
}

void QtSheetPrinter::saveSheet()
{
    QSaveFile file(m_pdfFile);
    if (!file.open(QIODevice::WriteOnly)) {
        qCInfo(lcPrint) << "cannot create" << m_pdfFile << file.errorString();
        fail(Failure::CannotStart, {});
        return;
    }
    const QByteArray &pdf = m_pdf->data();
    // A full disk shows in the count written or, at the latest, in the
    // commit; only then does the file take the place of the old one.
    if (file.write(pdf) != pdf.size() || !file.commit()) {
        qCInfo(lcPrint) << "cannot write" << m_pdfFile << file.errorString();
        fail(Failure::FailedWhilePrinting, {});
    }
}

void QtSheetPrinter::sendSheet()
{
#ifdef NIC_HAVE_CUPS
    m_outcome = m_spooler->submit(m_pdf->data(), m_documentName);
    if (!m_outcome.succeeded())
        m_state = State::Failed;
#endif
}

void QtSheetPrinter::dropSheet()
{
    if (!m_painter || !m_painter->isActive())
        return;
    // The Windows spooler cancels the job; a PDF in memory is finished and
    // then thrown away, never saved or sent.
    if (m_printer)
        m_printer->abort();
    m_painter->end();
}

// A driver that writes a file ("Microsoft Print to PDF") asks where in its
// own dialog inside StartDoc; cancelling that is the user's choice, not a
// printer that is off.
SheetPrinter::Failure QtSheetPrinter::startFailure() const
{
#ifdef Q_OS_WIN
    if (m_printer && GetLastError() == ERROR_CANCELLED)
        return Failure::CancelledByUser;
#endif
    return Failure::CannotStart;
}

void QtSheetPrinter::fontChanged()
{
    if (m_state == State::Printing)
        m_painter->setFont(m_font);
}

void QtSheetPrinter::nextLine()
{
    m_position = QPointF(0, m_position.y() + QFontMetricsF(m_font, m_device.get()).lineSpacing());
    m_inkEnd = 0;
}

void QtSheetPrinter::fail(Failure failure, const QString &reason)
{
    m_state = State::Failed;
    m_outcome.failure = failure;
    m_outcome.reason = reason;
}

void QtSheetPrinter::checkPrinter()
{
    if (!m_painter->isActive() || (m_printer && m_printer->printerState() == QPrinter::Error))
        fail(Failure::FailedWhilePrinting);
}
