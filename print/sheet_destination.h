#pragma once

// Where a drawn sheet goes: the default CUPS queue, the Windows printer or a
// PDF file. For each sheet a destination finds where it goes and begins the
// painter on a page of its own (on the destination's own paper where it has
// one); once the sheet is drawn, it ends the painting and hands the sheet
// over whole, or drops it. Its outcome names the destination and says why
// it failed in plain words; it never throws, never ends the program and
// never hands a sheet over twice. It knows nothing of what is on the sheet.

#include <QString>

#include <chrono>

class QPainter;

// The reason a sheet may still print after the print system stopped
// answering: it was already taking the sheet.
inline constexpr QStringView MayStillPrint = u"It stopped answering while it was taking the sheet, so the sheet may "
                                             "still print: look at the printer's queue before you print again.";

class SheetDestination
{
public:
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
        QString printerName; // the printer or file used, where there was one
        QString reason;      // what the print system gave as the reason, in plain words
        // The sheet was accepted into a queue that is paused: nothing comes
        // out until someone resumes the printer.
        bool waitsInPausedQueue = false;
        // How long the press waited for the print system before it gave up.
        std::chrono::milliseconds waited{0};

        bool succeeded() const { return failure == Failure::None; }
    };

    virtual ~SheetDestination() = default;

    // Finds where the sheet goes and begins painter on its page. After a
    // failure the painter is not active and there is nothing to hand over.
    virtual Outcome begin(QPainter &painter, const QString &documentName) = 0;
    // Ends the painting and hands the whole sheet over.
    virtual Outcome finish(QPainter &painter) = 0;
    // Ends the painting and gives the sheet up: nothing is handed over.
    virtual void drop(QPainter &painter) = 0;
    // Asked from another thread while a sheet is under way: whether the
    // destination shows a window of its own for it (a driver asking where
    // to save its file), where the user, not the print system, takes the time.
    virtual bool asksTheUser() const { return false; }
};
