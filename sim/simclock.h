#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

namespace zelmar::sim {

// The time line of the simulation in microseconds. Devices never look at the wall clock for
// timing, so tests can drive them with a hand-set clock.
class SimClock {
public:
    virtual ~SimClock() = default;
    virtual qint64 nowUs() const = 0;
};

class ManualClock : public SimClock {
public:
    qint64 nowUs() const override { return m_now; }
    void setUs(qint64 t) { m_now = t; }
    void advanceUs(qint64 us) { m_now += us; }
    void advanceMs(qint64 ms) { m_now += ms * 1000; }

private:
    qint64 m_now = 0;
};

class MonotonicClock : public SimClock {
public:
    MonotonicClock() { m_timer.start(); }
    qint64 nowUs() const override { return m_timer.nsecsElapsed() / 1000; }

private:
    QElapsedTimer m_timer;
};

} // namespace zelmar::sim
