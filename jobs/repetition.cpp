#include "repetition.h"

namespace zelmar {

Repetition::Repetition(Link& link, std::vector<Phase> phases, std::function<bool()> again)
    : Job(link), m_phasen(std::move(phases)), m_nochmal(std::move(again)) {}

bool Repetition::step() {
    // Phases without a pause between them run in one step: nothing of the event loop (a click,
    // another job) comes between a request and the read of its reply. A cancel still ends the
    // pass after the phase under way.
    for (;;) {
        const Phase& phase = m_phasen[m_naechste];
        if (!phase.run())
            return false;
        const bool passEnde = ++m_naechste == m_phasen.size();
        if (passEnde) {
            m_naechste = 0;
            ++m_durchgaenge;
        }
        if (phase.pauseMs > 0) {
            pauseBeforeNextStep(phase.pauseMs);
            return !passEnde || m_nochmal();
        }
        if (passEnde)
            return m_nochmal();
        if (cancelled())
            return false;
    }
}

void Repetition::finish() {
    emit finished(m_durchgaenge);
}

} // namespace zelmar
