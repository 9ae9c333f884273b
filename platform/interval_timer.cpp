#include "interval_timer.h"

IntervalTimer::IntervalTimer(QObject *parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &IntervalTimer::tick);
}

void IntervalTimer::setInterval(int milliseconds)
{
    m_interval = qMax(0, milliseconds);
    if (m_interval == 0) {
        m_timer.stop();
        return;
    }
    // Restarting would put the next tick off by a whole interval.
    if (m_timer.isActive() && m_timer.interval() == m_interval)
        return;
    m_timer.start(m_interval);
}
