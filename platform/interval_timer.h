#pragma once

// A timer driven by its interval alone: 0 stops it, any other value starts
// it, and setting the interval of a running timer to the same value again
// leaves it running undisturbed. Interval 0 never means Qt's "as often as
// possible" timer. Ticks come from the event loop, one at a time, never
// inside another handler.

#include <QObject>
#include <QTimer>

class IntervalTimer : public QObject
{
    Q_OBJECT

public:
    explicit IntervalTimer(QObject *parent = nullptr);

    int interval() const { return m_interval; }
    void setInterval(int milliseconds);

signals:
    void tick();

private:
    QTimer m_timer;
    int m_interval = 0;
};
