#pragma once
// Lets pending events through from inside a long loop. Asking the event loop costs more than
// placing a band, so it is asked at most once per short interval: the window still answers
// within a frame, and a million records do not pay a million trips.

#include <QCoreApplication>
#include <QElapsedTimer>

namespace pensilio::report {

class EventPump
{
public:
    explicit EventPump(int intervalMs = 10) : m_interval(intervalMs) {}
    void operator()()
    {
        // Even reading the clock costs: it is read on every eighth call only.
        if (m_timer.isValid() && (++m_calls & 7) != 0)
            return;
        if (m_timer.isValid() && m_timer.elapsed() < m_interval)
            return;
        QCoreApplication::processEvents();
        m_timer.start();
    }

private:
    int m_interval;
    quint32 m_calls = 0;
    QElapsedTimer m_timer;
};

} // namespace pensilio::report
