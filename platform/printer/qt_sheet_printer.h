#pragma once

// The sheet printer over Qt's painting: the system's default printer
// (looked up again for every sheet, so a printer set up while the program
// runs is found), or a PDF file. Where the print system is CUPS, the sheet is
// drawn as a PDF in memory on the destination's paper and handed to it by a
// CupsSpooler, so that a print system that does not answer holds the press
// for a bounded time; a PDF file is written only whole;
// elsewhere (the Windows spooler) Qt's own printer engine prints it. A column is the average character width of
// the font in force and a line that font's line spacing, both counted from
// the top-left corner of the printable area. Every character of a text and
// every space takes one column, so what lines up in characters lines up on
// paper; a text that is wider than its columns pushes what follows to the
// right, only as far as real spaces need, so nothing overprints. Lives as
// long as the program, so the font it was left with holds for the next
// sheet. It must never throw, never end the program and never print a sheet
// again on its own.

#include "sheet_printer.h"

#include <QFont>
#include <QPointF>
#include <QString>

#include <chrono>
#include <memory>

class CupsSpooler;
class QBuffer;
class QPageSize;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

class QtSheetPrinter final : public SheetPrinter
{
public:
    // Longest a press waits for the print system: from the first question
    // about the default destination until the sheet has been taken or refused.
    static constexpr std::chrono::milliseconds Patience{25000};

    // Prints on the system's default printer.
    QtSheetPrinter();
    // Writes each sheet to this PDF file instead, replacing what it held.
    explicit QtSheetPrinter(const QString &pdfFile);
    ~QtSheetPrinter() override;

    // A printer for one PDF file, as the print service asks for one.
    static std::unique_ptr<SheetPrinter> forPdfFile(const QString &pdfFile)
    {
        return std::make_unique<QtSheetPrinter>(pdfFile);
    }

    QtSheetPrinter(const QtSheetPrinter &) = delete;
    QtSheetPrinter &operator=(const QtSheetPrinter &) = delete;

    void setDocumentName(const QString &name) override;
    void setFontSize(double points) override;
    void setBold(bool on) override;
    void setItalic(bool on) override;
    void setUnderline(bool on) override;

    void printLine(const QList<PrintItem> &items, LineEnd end) override;
    void printEmptyLine() override;
    Outcome endDocument() override;

    // The font that the next output uses.
    QFont font() const { return m_font; }

private:
    enum class State { Idle, Printing, Failed };

    bool ensureSheetStarted();
    bool choosePrinter();
    bool choosePdf(const QPageSize &paper);
    bool chooseNativePrinter();
    void saveSheet();
    void sendSheet();
    void dropSheet();
    void fontChanged();
    void nextLine();
    void fail(Failure failure, const QString &reason = {});
    Failure startFailure() const;
    void checkPrinter();

    const QString m_pdfFile; // empty: the default printer
    std::unique_ptr<QPagedPaintDevice> m_device; // what the sheet is drawn on
    QPrinter *m_printer = nullptr;               // m_device, where it is Qt's own printer
    std::unique_ptr<QBuffer> m_pdf; // the sheet drawn as a PDF, before it goes to its file or queue
    std::unique_ptr<CupsSpooler> m_spooler; // the CUPS queue of this sheet, where CUPS prints
    std::unique_ptr<QPainter> m_painter;
    QFont m_font;
    bool m_typefaceChosen = false;
    QString m_documentName;
    State m_state = State::Idle;
    Outcome m_outcome;
    QPointF m_position; // device units from the printable area's top-left
    double m_inkEnd = 0; // where the last text on the line really ends
};
