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
    , m_worker(QThread::create([this, &printing, texts] { m_answer = printing.printSheet(texts); }))
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
    // A worker whose sheet is done is only ending its thread: waited for
    // without a deadline, for a timed wait may give up at once. libfaketime,
    // as the session tests run the program (the monotonic clock left true),
    // ends every timed wait on the monotonic clock at its start, and the
    // program then ended here with the sheet printed.
    if (m_worker->isFinished()) {
        m_worker->wait();
    } else {
        const qint64 left = qMax<qint64>(0, qint64(m_limit.count()) - m_silence);
        if (!m_worker->wait(QDeadlineTimer(left)))
            std::_Exit(EXIT_SUCCESS);
    }
    restoreCursor();
}

std::optional<PrintAnswer> PrintPress::wait()
{
    if (!m_worker->isFinished())
        m_loop.exec();
    m_watch.stop();
    restoreCursor();
    if (m_worker->isFinished())
        return m_answer;
    if (std::chrono::milliseconds(m_silence) >= m_limit)
        return givenUp();
    return std::nullopt;
}

bool PrintPress::finished() const
{
    return m_worker->isFinished();
}

PrintAnswer PrintPress::givenUp()
{
    return m_printing.giveUpSheet(std::chrono::milliseconds(m_started.elapsed()));
}

void PrintPress::whenFinished(QObject *context, std::function<void()> slot)
{
    QObject::connect(m_worker.get(), &QThread::finished, context, std::move(slot));
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
