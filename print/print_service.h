#pragma once

// What the main window hands to printing: the six field texts exactly as
// they stand. The service prints one detail sheet on the default printer,
// or saves it as a PDF file when the user asks for that instead, stamped
// with today's month and year, and says in plain words what happened when
// it was not a plain success; it never ends the program and never retries on
// its own.

#include <QString>

#include <chrono>

struct DetailSheetTexts
{
    QString IdNo;
    QString DateOB;
    QString HDateOB;
    QString DayOB;
    QString Sex;
    QString Age;
};

struct PrintAnswer
{
    enum class Kind {
        Done,    // printed or saved; nothing to say
        Waiting, // accepted, but it waits in a paused queue: message says so
        Failed,  // nothing printed or saved: message says why and what to do
    };

    Kind kind = Kind::Done;
    QString message;

    friend bool operator==(const PrintAnswer &, const PrintAnswer &) = default;
};

class PrintService
{
public:
    virtual ~PrintService() = default;

    virtual PrintAnswer printSheet(const DetailSheetTexts &texts) = 0;
    // Both asked from another thread while printSheet runs. Whether the
    // printer shows a window of its own for the sheet, where the user takes
    // the time; and, once the press has waited too long, giving the sheet
    // up, with the answer that says so.
    virtual bool asksTheUser() const { return false; }
    virtual PrintAnswer giveUpSheet(std::chrono::milliseconds waited) = 0;
    // The same sheet written into a PDF file, replacing what it held.
    virtual PrintAnswer saveSheetAsPdf(const DetailSheetTexts &texts, const QString &file) = 0;
};

// The file name a saved sheet is offered under, made from the identity
// number as typed ("811231234V.pdf"), with no character a file name cannot hold.
QString SheetPdfName(const DetailSheetTexts &texts);
