#include "qt_sheet_printer.h"

#include "sheet_delivery.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBoundaryFinder>

namespace {

// The size in force before any sheet sets one: what the seven leading empty
// lines of the very first sheet are measured in.
constexpr double DefaultPointSize = 10;
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

// Whether the face the font system found is of the family asked for. Qt on
// Windows matches a family by the names of its faces only: a name that GDI
// maps to another face (Wine's desktop font is "MS Shell Dlg") gets any
// face at all, under Wine URW's C059, a serif. Fontconfig resolves the
// generic names ("Sans Serif") to a face of its choice itself.
bool isFaceOf(const QString &resolved, const QString &family)
{
#ifdef Q_OS_WIN
    return resolved.compare(family, Qt::CaseInsensitive) == 0;
#else
    Q_UNUSED(resolved)
    Q_UNUSED(family)
    return true;
#endif
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
    if (isFaceOf(resolved, desktop.family()) && QFontDatabase::writingSystems(resolved).contains(QFontDatabase::Latin))
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

} // namespace

QtSheetPrinter::QtSheetPrinter(std::unique_ptr<SheetDelivery> delivery) : m_delivery(std::move(delivery))
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
    const QFontMetricsF metrics(m_font, m_delivery->page());
    const double column = metrics.averageCharWidth();
    const double baseline = m_position.y() + metrics.ascent();
    for (const PrintItem &item : items) {
        switch (item.kind) {
        case PrintItem::Kind::Tab:
            m_position.setX((item.count - 1) * column);
            break;
        case PrintItem::Kind::Spaces:
            // A text wider than its columns still gets real spaces after it.
            m_position.setX(
                qMax(m_position.x() + item.count * column, m_inkEnd + item.count * metrics.horizontalAdvance(u' ')));
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
    checkPage();
}

void QtSheetPrinter::printEmptyLine()
{
    if (!ensureSheetStarted())
        return;
    nextLine();
    checkPage();
}

SheetPrinter::Outcome QtSheetPrinter::endDocument()
{
    // The end of painting is what hands a printer's job to its spooler.
    if (m_state == State::Printing && m_givenUp)
        fail(Failure::NoAnswer);
    if (m_state == State::Printing) {
        const bool drawn = m_painter->end();
        if (drawn && !m_delivery->pageFailed()) {
            m_outcome = m_delivery->deliver();
            m_sheetOpen = false;
        } else {
            fail(Failure::FailedWhilePrinting);
        }
    }
    dropSheet();
    const Outcome outcome = m_outcome;
    m_outcome = {};
    m_state = State::Idle;
    return outcome;
}

bool QtSheetPrinter::asksTheUser() const
{
    return m_delivery->asksTheUser();
}

void QtSheetPrinter::giveUp()
{
    m_givenUp = true;
}

bool QtSheetPrinter::ensureSheetStarted()
{
    if (m_state != State::Idle)
        return m_state == State::Printing;
    // Only a sheet under way is given up, not the next one.
    m_givenUp = false;
    m_outcome = m_delivery->open(m_documentName);
    if (!m_outcome.succeeded()) {
        m_state = State::Failed;
        return false;
    }
    m_sheetOpen = true;
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_delivery->page())) {
        fail(m_delivery->startFailure());
        return false;
    }
    if (m_givenUp) {
        fail(Failure::NoAnswer);
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

// What was drawn is given up: the delivery first, so that a printer cancels
// its job before the end of painting could send it.
void QtSheetPrinter::dropSheet()
{
    if (m_sheetOpen)
        m_delivery->drop();
    m_sheetOpen = false;
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

void QtSheetPrinter::fontChanged()
{
    if (m_state == State::Printing)
        m_painter->setFont(m_font);
}

void QtSheetPrinter::nextLine()
{
    m_position = QPointF(0, m_position.y() + QFontMetricsF(m_font, m_delivery->page()).lineSpacing());
    m_inkEnd = 0;
}

void QtSheetPrinter::fail(Failure failure)
{
    m_state = State::Failed;
    m_outcome.failure = failure;
}

void QtSheetPrinter::checkPage()
{
    if (!m_painter->isActive() || m_delivery->pageFailed())
        fail(Failure::FailedWhilePrinting);
}
