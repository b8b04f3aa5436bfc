#include "job.h"

#include "link/link.h"

#include <QEvent>

namespace zelmar {

Job::Job(Link& link) : QObject(&link), m_link(link) {
    m_nextStep.setSingleShot(true);
    connect(&m_nextStep, &QTimer::timeout, this, &Job::runStep);
}

Job::~Job() = default;

void Job::start() {
    if (m_state != State::Ready)
        return;
    m_state = State::Running;
    schedule(0);
}

void Job::cancel() {
    if (m_cancelRequested || m_state != State::Running)
        return;
    m_cancelRequested = true;
    // A step under way ends on its own; a pause between steps is cut short.
    if (!m_inStep && m_nextStep.isActive())
        schedule(0);
}

void Job::bindTo(QObject* owner) {
    owner->installEventFilter(this);
    connect(owner, &QObject::destroyed, this, &Job::cancel);
}

bool Job::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close)
        cancel();
    return QObject::eventFilter(watched, event);
}

void Job::schedule(int ms) {
    m_nextStep.start(ms);
}

void Job::runStep() {
    if (m_state != State::Running)
        return;
    // Another transaction waits for its reply (a click's, or another job's), or the link is
    // reserved for someone else: this one goes on when the line is free, instead of having its
    // frame refused.
    const bool busy = m_link.busy();
    if (busy || !m_link.freiFuer(m_runsFor)) {
        if (!m_waitForLink)
            m_waitForLink = connect(&m_link, busy ? &Link::idle : &Link::freigegeben, this, [this] {
                disconnect(m_waitForLink);
                m_waitForLink = {};
                schedule(0);
            });
        return;
    }

    {
        // A step begun finishes its transfer, and the job its closing step, even when the link
        // is reserved meanwhile.
        Link::Auftrag order(m_link, m_runsFor);
        m_inStep = true;
        const bool more = !m_cancelRequested && step();
        if (more && !m_cancelRequested) {
            m_inStep = false;
            schedule(m_pause);
            m_pause = 0;
            return;
        }
        finish();
        m_inStep = false;
    }
    m_state = State::Finished;
    emit ended();
    if (m_autoDelete)
        deleteLater();
}

} // namespace zelmar
