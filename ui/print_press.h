#pragma once

// One press of Print under way: the sheet is drawn and handed over on a
// thread of its own, while the window's thread goes on painting, ticking
// the timers and taking presses; the busy cursor shows that a press waits.
// The window waits at most its limit for the print system, not counting
// the time the printer's own window (where to save its file) is open for
// the user; then it gives the sheet up. A print system that holds the
// thread longer still keeps the press until it lets go.

#include "print_service.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>

class QThread;

class PrintPress
{
public:
    PrintPress(PrintService &printing, const DetailSheetTexts &texts, std::chrono::milliseconds limit);
    // A worker still held when the program ends is given what is left of
    // its limit; past that the print system may never let go, and nothing
    // the program keeps is lost by ending without it.
    ~PrintPress();

    PrintPress(const PrintPress &) = delete;
    PrintPress &operator=(const PrintPress &) = delete;

    // The answer once the press has ended, or once the window gave it up;
    // none when the program was told to end meanwhile (its loops then
    // stop), when no answer is shown.
    std::optional<PrintAnswer> wait();
    // Whether the print system has let go of the sheet with an answer.
    bool answered() const;
    // The answer for a press given up whose sheet the print system still holds.
    PrintAnswer givenUp();

private:
    static constexpr int WatchInterval = 100; // milliseconds

    void watch();
    void restoreCursor();

    PrintService &m_printing;
    const std::chrono::milliseconds m_limit;
    QEventLoop m_loop;
    QTimer m_watch;
    QElapsedTimer m_started;
    QElapsedTimer m_sinceWatch;
    qint64 m_silence = 0; // milliseconds waited for the print system itself
    bool m_busyCursor = true;
    PrintAnswer m_answer; // written by the worker, read once it has answered
    std::atomic<bool> m_answered = false;
    std::unique_ptr<QThread> m_worker;
};
