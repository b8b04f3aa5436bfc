#include "repetition.h"

namespace zelmar {

Repetition::Repetition(Link& link, std::vector<Phase> phases, std::function<bool()> again)
    : Job(link), m_phasen(std::move(phases)), m_nochmal(std::move(again)) {}

bool Repetition::step() {
    const Phase& phase = m_phasen[m_naechste];
    if (!phase.run())
        return false;
    pauseBeforeNextStep(phase.pauseMs);
    if (++m_naechste < m_phasen.size())
        return true;
    m_naechste = 0;
    ++m_durchgaenge;
    return m_nochmal();
}

void Repetition::finish() {
    emit finished(m_durchgaenge);
}

} // namespace zelmar
