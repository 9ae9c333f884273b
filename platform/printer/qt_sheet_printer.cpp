#include "qt_sheet_printer.h"

#ifdef NIC_HAVE_CUPS
#include "cups_spooler.h"
#endif

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <QTextBoundaryFinder>

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
constexpr QStringView SpoolFileTemplate = u"/nic-sheet-XXXXXX.pdf";

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

QPageSize pageSizeForLocale()
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
        else if (m_spoolFile)
            sendSheet();
    } else if (m_state == State::Failed) {
        dropSheet();
    }
    m_spoolFile.reset();
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
        fail(Failure::CannotStart);
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
        return choosePdf(m_pdfFile);
    }
#ifdef NIC_HAVE_CUPS
    // Drawn first, sent at the end: the print system is asked nothing
    // until the whole sheet is ready, and then with a time limit.
    m_spoolFile = std::make_unique<QTemporaryFile>(QDir::tempPath() + SpoolFileTemplate.toString());
    if (!m_spoolFile->open()) {
        fail(Failure::CannotStart);
        return false;
    }
    return choosePdf(m_spoolFile->fileName());
#else
    return chooseNativePrinter();
#endif
}

bool QtSheetPrinter::choosePdf(const QString &file)
{
    auto writer = std::make_unique<QPdfWriter>(file);
    writer->setResolution(PdfResolution);
    writer->setPageLayout(QPageLayout(pageSizeForLocale(), QPageLayout::Portrait, PdfMargins,
                                      QPageLayout::Millimeter));
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

void QtSheetPrinter::sendSheet()
{
#ifdef NIC_HAVE_CUPS
    CupsSpooler spooler(Patience);
    Outcome outcome = spooler.findDefaultQueue();
    if (outcome.succeeded())
        outcome = spooler.submit(m_spoolFile->fileName(), m_documentName);
    m_outcome = outcome;
    if (!outcome.succeeded())
        m_state = State::Failed;
#endif
}

void QtSheetPrinter::dropSheet()
{
    if (!m_painter || !m_painter->isActive())
        return;
    // The Windows spooler cancels the job; a PDF cannot be cancelled and is
    // finished as it stands (a sheet for CUPS is then never sent).
    if (m_printer)
        m_printer->abort();
    m_painter->end();
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
