#pragma once

// The sheet printer over Qt's painting: it draws each sheet on the page its
// delivery gives it (a CUPS queue, the Windows printer, a PDF file) and has
// the delivery hand it over at the end, or drop it when drawing failed. A
// column is the average character width of the font in force and a line
// that font's line spacing, both counted from the top-left corner of the
// printable area. Every character of a text and every space takes one
// column, so what lines up in characters lines up on paper; a text that is
// wider than its columns pushes what follows to the right, only as far as
// real spaces need, so nothing overprints. Lives as long as the program, so
// the font it was left with holds for the next sheet. It must never throw,
// never end the program and never print a sheet again on its own.

#include "sheet_printer.h"

#include <QFont>
#include <QPointF>
#include <QString>

#include <atomic>
#include <memory>

class QPainter;
class SheetDelivery;

class QtSheetPrinter final : public SheetPrinter
{
public:
    explicit QtSheetPrinter(std::unique_ptr<SheetDelivery> delivery);
    ~QtSheetPrinter() override;

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
    bool asksTheUser() const override;
    void giveUp() override;

    // The font that the next output uses.
    QFont font() const { return m_font; }

private:
    enum class State { Idle, Printing, Failed };

    bool ensureSheetStarted();
    void dropSheet();
    void fontChanged();
    void nextLine();
    void fail(Failure failure);
    void checkPage();

    const std::unique_ptr<SheetDelivery> m_delivery;
    bool m_sheetOpen = false; // the delivery has a sheet open, to hand over or drop
    std::unique_ptr<QPainter> m_painter;
    QFont m_font;
    bool m_typefaceChosen = false;
    QString m_documentName;
    State m_state = State::Idle;
    Outcome m_outcome;
    QPointF m_position;  // device units from the printable area's top-left
    double m_inkEnd = 0; // where the last text on the line really ends
    // Set from another thread once nobody waits for the sheet under way.
    std::atomic<bool> m_givenUp = false;
};
