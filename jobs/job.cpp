#include "job.h"

#include "link/link.h"

#include <QEvent>

namespace zelmar {

Job::Job(Link& link) : QObject(&link), m_link(link) {
    m_naechster.setSingleShot(true);
    connect(&m_naechster, &QTimer::timeout, this, &Job::runStep);
}

Job::~Job() = default;

void Job::start() {
    if (m_zustand != Zustand::Bereit)
        return;
    m_zustand = Zustand::Laeuft;
    schedule(0);
}

void Job::cancel() {
    if (m_abbrechen || m_zustand != Zustand::Laeuft)
        return;
    m_abbrechen = true;
    // A step under way ends on its own; a pause between steps is cut short.
    if (!m_imSchritt && m_naechster.isActive())
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
    m_naechster.start(ms);
}

void Job::runStep() {
    if (m_zustand != Zustand::Laeuft)
        return;
    // Another transaction waits for its reply (a click's, or another job's), or the link is
    // reserved for someone else: this one goes on when the line is free, instead of having its
    // frame refused.
    const bool besetzt = m_link.busy();
    if (besetzt || !m_link.freiFuer(m_fuer)) {
        if (!m_warten)
            m_warten = connect(&m_link, besetzt ? &Link::idle : &Link::freigegeben, this, [this] {
                disconnect(m_warten);
                m_warten = {};
                schedule(0);
            });
        return;
    }

    {
        // A step begun finishes its transfer, and the job its closing step, even when the link
        // is reserved meanwhile.
        Link::Auftrag auftrag(m_link, m_fuer);
        m_imSchritt = true;
        const bool weiter = !m_abbrechen && step();
        if (weiter && !m_abbrechen) {
            m_imSchritt = false;
            schedule(m_pause);
            m_pause = 0;
            return;
        }
        finish();
        m_imSchritt = false;
    }
    m_zustand = Zustand::Fertig;
    emit ended();
    if (m_autoDelete)
        deleteLater();
}

} // namespace zelmar
