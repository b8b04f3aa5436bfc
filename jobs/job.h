#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

namespace zelmar {

class Link;

// A long operation on the link (a scan, a fetch, a repeat loop, a read-out): it runs in small
// steps, each of at most a few transactions, and returns to the event loop between them, so no
// handler holds the stack for a minute. A step may wait on the link.
//
// The job belongs to the link (it is deleted with it) and deletes itself once it has finished;
// whoever started it keeps a QPointer. A job never touches a window: it reports through its
// signals, so a closed window simply stops listening.
class Job : public QObject {
    Q_OBJECT
public:
    explicit Job(Link& link);
    ~Job() override;

    // The first step runs from the event loop, once the link is free. Started only once.
    void start();
    // Ends the job after the transaction under way, or at its next step; the job still runs its
    // closing step (a STOP that releases the bus, for instance) and reports its result.
    void cancel();
    // Cancels the job when `owner` closes or is destroyed (a window and its job).
    void bindTo(QObject* owner);

    bool running() const { return m_state == State::Running; }
    bool cancelled() const { return m_cancelRequested; }
    // The job runs for the holder of a reservation of the link (Link::reservieren): its steps
    // go on while that holder keeps the link. Every other job waits for the link's release.
    void runFor(const void* holder) { m_runsFor = holder; }

    // Tests keep a finished job to look at it.
    void setAutoDelete(bool on) { m_autoDelete = on; }

signals:
    void progress(int done, int total);
    // After the closing step, once the job's own finished signal with its result has gone out.
    void ended();

protected:
    // One step. False when there is nothing more to do; cancelled() is checked between steps.
    virtual bool step() = 0;
    // Runs once after the last step or the cancel, and emits the job's result.
    virtual void finish() = 0;
    // The next step comes after a pause instead of at once (a cancel cuts the pause short).
    void pauseBeforeNextStep(int ms) { m_pause = ms; }

    Link& m_link;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class State { Ready, Running, Finished };

    void schedule(int ms);
    void runStep();

    State m_state = State::Ready;
    bool m_cancelRequested = false;
    bool m_inStep = false;
    bool m_autoDelete = true;
    int m_pause = 0;
    const void* m_runsFor = nullptr;
    QTimer m_nextStep;
    QMetaObject::Connection m_waitForLink;
};

} // namespace zelmar
