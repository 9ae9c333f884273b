#pragma once

// Printing as the main window asks for it. A press of Print draws the detail
// sheet of the six field texts, stamped with the month (its full name in the
// user's language) and Gregorian year of the day given, and hands it to the default
// printer on a thread of its own, while the window goes on painting, ticking
// and taking presses under the busy cursor; then the window is told what to
// say. One sheet at a time: Print pressed while a press waits comes to
// nothing. A press waits at most its limit for the print system, not
// counting the time the printer's own window is open for the user; then it
// gives the sheet up (one the print system was already taking may still
// print, and the answer says so), and while the print system still holds
// that sheet each press ends at once saying so. A sheet can be saved as a
// PDF file instead. One printer serves the program's whole life, so the
// font a sheet leaves holds for the next. It never retries on its own and
// never ends the program.

#include "detail_sheet.h"
#include "sheet_destination.h"

#include <QElapsedTimer>
#include <QFont>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QThread;

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

class PrintService final : public QObject
{
    Q_OBJECT

public:
    using Day = std::chrono::year_month_day;
    // Where a saved sheet goes: a PdfFile, unless a test says otherwise.
    using FileDestination = std::function<std::unique_ptr<SheetDestination>(const QString &file)>;
    static constexpr std::chrono::milliseconds DefaultLimit{30000};

    explicit PrintService(std::unique_ptr<SheetDestination> printer, std::chrono::milliseconds limit = DefaultLimit,
                          FileDestination fileDestination = {});
    // Waits for a sheet still under way; the program's end lets it go first.
    ~PrintService() override;

    // Returns at once; pressEnded tells how the press ended.
    void press(const DetailSheetTexts &texts, Day today);
    // At the program's end: waits for a sheet still under way, at most what
    // is left of its press's limit. False when the print system holds it
    // longer (it may for ever): the program then ends without running down
    // what the sheet's thread still uses.
    bool letGo();

    // The sheet written into a PDF file, replacing what it held.
    PrintAnswer saveSheetAsPdf(const DetailSheetTexts &texts, Day today, const QString &file);

signals:
    void pressEnded(const DetailSheetTexts &texts, const PrintAnswer &answer);

private:
    // Where the sheet of a press is. Its thread moves it from Drawing to
    // HandingOver before it hands the sheet over; the watch, past the limit,
    // from Drawing to GivenUp. Whichever moves first decides: a sheet given
    // up is dropped, never handed over, and one being handed over may still
    // print, which the window is told.
    enum class SheetState { Drawing, HandingOver, GivenUp };

    // Moves the press's sheet on from Drawing, unless the other thread did first.
    bool leaveDrawing(SheetState next);
    void watch();
    void sheetLetGo();
    void stopWaiting();
    PrintAnswer givenUp() const;

    const std::unique_ptr<SheetDestination> m_printer;
    const std::chrono::milliseconds m_limit;
    const FileDestination m_fileDestination;
    // The font the last sheet left, for the next; made at the first sheet,
    // for finding its typeface loads a face nothing at start needs.
    std::optional<QFont> m_font;

    // The press under way, if any; the watch runs while the window waits for it.
    std::unique_ptr<QThread> m_sheet;
    DetailSheetTexts m_texts;
    QTimer m_watch;
    QElapsedTimer m_sinceWatch;
    qint64 m_silence = 0; // milliseconds waited for the print system itself
    std::atomic<SheetState> m_state = SheetState::Drawing;
    std::atomic<bool> m_answered = false;
    PrintAnswer m_answer; // written by the sheet's thread, read once it has answered
};

// The file name a saved sheet is offered under, made from the identity
// number as typed ("811231234V.pdf"), with no character a file name cannot hold.
QString SheetPdfName(const DetailSheetTexts &texts);
