#include "autolauf.h"

namespace zelmar {

namespace {
// How soon a step held back by a click of the window looks again.
constexpr int kNochBesetztMs = 10;
} // namespace

AutoLauf::AutoLauf(Link& link, std::vector<Folge> folgen, std::function<bool()> again,
                   std::function<bool()> frei)
    : Job(link), m_folgen(std::move(folgen)), m_nochmal(std::move(again)), m_frei(std::move(frei)) {
}

bool AutoLauf::step() {
    if (m_frei && !m_frei()) {
        pauseBeforeNextStep(kNochBesetztMs);
        return true;
    }
    if (m_folgen.empty() || m_folgen[m_folge].schritte.empty())
        return false;
    const Folge& folge = m_folgen[m_folge];
    if (!folge.schritte[m_schritt]())
        return false;
    if (++m_schritt < folge.schritte.size())
        return true;
    m_schritt = 0;
    if (folge.wiederholen && folge.wiederholen())
        return true;
    if (++m_folge < m_folgen.size())
        return true;
    m_folge = 0;
    ++m_durchgaenge;
    return m_nochmal && m_nochmal();
}

void AutoLauf::finish() {
    emit finished(m_durchgaenge);
}

} // namespace zelmar
