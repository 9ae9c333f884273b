#include "print_press.h"

#include <QCursor>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>

#include <cstdlib>
#include <utility>

PrintPress::PrintPress(PrintService &printing, const DetailSheetTexts &texts, std::chrono::milliseconds limit)
    : m_printing(printing)
    , m_limit(limit)
    , m_worker(QThread::create([this, &printing, texts] {
        m_answer = printing.printSheet(texts);
        m_answered = true;
    }))
{
    QObject::connect(m_worker.get(), &QThread::finished, &m_loop, &QEventLoop::quit);
    m_watch.setInterval(WatchInterval);
    QObject::connect(&m_watch, &QTimer::timeout, &m_loop, [this] { watch(); });
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_started.start();
    m_sinceWatch.start();
    m_watch.start();
    m_worker->start();
}

PrintPress::~PrintPress()
{
    // A worker that has answered is only ending its thread: waited for
    // without a deadline, for a timed wait may give up at once. libfaketime,
    // as the session tests run the program (the monotonic clock left true),
    // ends every timed wait on the monotonic clock at its start, and the
    // program then ended here with the sheet printed.
    if (m_answered) {
        m_worker->wait();
    } else {
        const qint64 left = qMax<qint64>(0, qint64(m_limit.count()) - m_silence);
        if (!m_worker->wait(QDeadlineTimer(left)))
            std::_Exit(EXIT_SUCCESS);
    }
    restoreCursor();
}

// The thread says it has finished a moment before it counts as finished,
// so the answer itself is what is waited for.
std::optional<PrintAnswer> PrintPress::wait()
{
    if (!m_answered)
        m_loop.exec();
    m_watch.stop();
    restoreCursor();
    if (m_answered)
        return m_answer;
    if (std::chrono::milliseconds(m_silence) >= m_limit)
        return givenUp();
    return std::nullopt;
}

bool PrintPress::answered() const
{
    return m_answered;
}

PrintAnswer PrintPress::givenUp()
{
    return m_printing.giveUpSheet(std::chrono::milliseconds(m_started.elapsed()));
}

// Only the print system's own silence counts towards the limit.
void PrintPress::watch()
{
    if (!m_printing.asksTheUser())
        m_silence += m_sinceWatch.elapsed();
    m_sinceWatch.restart();
    if (std::chrono::milliseconds(m_silence) >= m_limit)
        m_loop.quit();
}

void PrintPress::restoreCursor()
{
    if (std::exchange(m_busyCursor, false))
        QGuiApplication::restoreOverrideCursor();
}
