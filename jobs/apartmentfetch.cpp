#include "apartmentfetch.h"

#include "link/standard.h"

namespace zelmar {

namespace {

using V = ApartmentValues;

} // namespace

ApartmentFetch::ApartmentFetch(Link& link) : Job(link) {
    Link& l = m_link;
    V& v = m_werte;
    Reply& a = m_antwort;
    // A value is kept only from a reply that came whole.
    auto text = [&a](const QString& t) { return a.done() ? t : QString(); };
    auto wert = [&a](double value) {
        return a.done() ? std::optional<double>(value) : std::nullopt;
    };

    for (size_t i = 0; i < V::SLAVES.size(); ++i)
        m_schritte.push_back(
            [&l, &v, &a, i] { v.vorhanden[i] = SLAVE_ANSPRECHEN_MIT_STOP(l, V::SLAVES[i], &a); });
    m_schritte.push_back(
        [&l, &v, &a, text] { v.datum = text(SLAVE_DATUM_LESEN(l, V::ZENTRALE, &a)); });
    m_schritte.push_back(
        [&l, &v, &a, text] { v.zeit = text(SLAVE_ZEIT_LESEN(l, V::ZENTRALE, &a)); });
    for (size_t i = 1; i < V::SLAVES.size(); ++i)
        m_schritte.push_back([&l, &v, &a, text, i] {
            v.zeitSlave[i] = text(SLAVE_ZEIT_LESEN(l, V::SLAVES[i], &a));
        });

    // The weather station.
    m_schritte.push_back([&l, &v, &a, wert] {
        v.aussentemperatur = wert(MESSWERT_LESEN_120_16BIT(l, V::WETTERSTATION, &a) / 10);
    });
    m_schritte.push_back(
        [&l, &v, &a, wert] { v.luftdruck = wert(MESSWERT_LESEN_150(l, V::WETTERSTATION, &a)); });
    m_schritte.push_back(
        [&l, &v, &a, wert] { v.sonne = wert(MESSWERT_LESEN_151(l, V::WETTERSTATION, &a)); });
    for (quint8 code : {quint8(152), quint8(153)})
        m_schritte.push_back([&l, &v, &a, code] {
            a = STANDARD_BEFEHL(l, V::WETTERSTATION, code);
            std::optional<std::pair<int, int>> t;
            if (a.done())
                t = std::make_pair(int(a.byte(1)), int(a.byte(2)));
            (code == 152 ? v.sonnenaufgang : v.sonnenuntergang) = t;
        });

    for (size_t r = 0; r < V::RAUM_SLAVES.size(); ++r) {
        const int slave = V::RAUM_SLAVES[r];
        m_schritte.push_back([&l, &v, &a, wert, r, slave] {
            v.raum[r].temperatur = wert(MESSWERT_LESEN_120(l, slave, &a) / 10);
        });
        m_schritte.push_back([&l, &v, &a, wert, r, slave] {
            v.raum[r].heizung = wert(MESSWERT_LESEN_121(l, slave, &a));
        });
    }
}

bool ApartmentFetch::step() {
    m_antwort = Reply();
    m_schritte[m_naechster]();
    if (m_antwort.refused()) {
        m_werte = ApartmentValues();
        emit updated();
        return false;
    }
    emit updated();
    emit progress(int(m_naechster) + 1, int(m_schritte.size()));
    if (++m_naechster < m_schritte.size())
        return true;
    ++m_durchgaenge;
    m_naechster = 0;
    emit passDone(m_werte);
    return m_repeat;
}

void ApartmentFetch::finish() {
    emit finished(m_werte);
}

} // namespace zelmar
