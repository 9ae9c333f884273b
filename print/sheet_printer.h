#pragma once

// The printer as a page of text lines: a font size and three style switches
// that stay in force until changed (also from one sheet to the next), and
// lines made of items: a tab to a column, some spaces, a text. A line is
// ended or left open for more items; an empty line ends the open line or
// adds a blank one. The first output of a sheet starts it, endDocument sends
// it. A printer never throws and never ends the program: whatever goes wrong
// (no printer, a job that cannot start, a failure on the way) is kept and
// handed back by endDocument, and the rest of that sheet is dropped.

#include <QList>
#include <QString>

#include <chrono>

struct PrintItem
{
    enum class Kind { Tab, Spaces, Text };

    Kind kind = Kind::Text;
    int count = 0; // the column for a tab (1 is the left edge), how many for spaces
    QString text;

    static PrintItem tab(int column) { return {Kind::Tab, column, {}}; }
    static PrintItem spaces(int count) { return {Kind::Spaces, count, {}}; }
    static PrintItem string(const QString &text) { return {Kind::Text, 0, text}; }

    friend bool operator==(const PrintItem &, const PrintItem &) = default;
};

class SheetPrinter
{
public:
    enum class LineEnd { Ended, LeftOpen };

    enum class Failure {
        None,
        NoPrintSystem,       // no print system could be reached
        NoPrinter,           // no default printer is set up
        NamedPrinterMissing, // the printer named as the default does not exist
        Refusing,            // the default printer does not accept jobs
        NoAnswer,            // the print system took too long to answer
        CannotStart,         // the printer would not start a job
        CancelledByUser,     // the printer's own dialog (where to save its file) was cancelled
        FailedWhilePrinting, // the job started but did not reach the printer whole
        PrintingPartMissing, // the program's own part that reaches the print system would not load
    };

    struct Outcome
    {
        Failure failure = Failure::None;
        QString printerName; // the printer that was used, where there was one
        QString reason;      // what the print system gave as the reason, in plain words
        // The sheet was accepted into a queue that is paused: nothing comes
        // out until someone resumes the printer.
        bool waitsInPausedQueue = false;
        // How long the press waited for the print system before it gave up.
        std::chrono::milliseconds waited{0};

        bool succeeded() const { return failure == Failure::None; }
    };

    virtual ~SheetPrinter() = default;

    // The name the print system shows for the sheet, given before its first
    // output.
    virtual void setDocumentName(const QString &name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setBold(bool on) = 0;
    virtual void setItalic(bool on) = 0;
    virtual void setUnderline(bool on) = 0;

    virtual void printLine(const QList<PrintItem> &items, LineEnd end) = 0;
    virtual void printEmptyLine() = 0;

    // Sends the sheet and readies the printer for the next one; the font
    // settings stay as they are.
    virtual Outcome endDocument() = 0;

    // Both asked from another thread while a sheet is under way. Whether its
    // destination shows a window of its own for it (a driver asking where to
    // save its file), where the user, not the print system, takes the time.
    virtual bool asksTheUser() const { return false; }
    // The sheet under way is no longer waited for: it is dropped rather than
    // handed over, where it is not yet, and ends as not answered in time.
    virtual void giveUp() {}
};
