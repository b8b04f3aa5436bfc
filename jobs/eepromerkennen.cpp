#include "eepromerkennen.h"

namespace zelmar {

EepromErkennen::EepromErkennen(Link& link, int slave) : Job(link), m_erkenner(slave) {}

bool EepromErkennen::step() {
    m_fertig = !m_erkenner.schritt(m_link);
    return !m_fertig;
}

void EepromErkennen::finish() {
    EepromErkennung e = m_erkenner.ergebnis();
    // Cancelled between probes: nothing is suggested from half the answers.
    if (!m_fertig) {
        e.ergebnis = EepromErkennung::Ergebnis::Unklar;
        e.vorschlaege.clear();
    }
    emit finished(e);
}

} // namespace zelmar
