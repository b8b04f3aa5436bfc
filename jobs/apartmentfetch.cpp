#include "apartmentfetch.h"

#include "link/standard.h"

namespace zelmar {

namespace {

using V = ApartmentValues;

} // namespace

ApartmentFetch::ApartmentFetch(Link& link) : Job(link) {
    Link& l = m_link;
    V& v = m_werte;
    auto ok = [&l] { return l.STATUS_CODE == STATUS_OK; };

    for (size_t i = 0; i < V::SLAVES.size(); ++i)
        m_schritte.push_back(
            [&l, &v, i] { v.vorhanden[i] = SLAVE_ANSPRECHEN_MIT_STOP(l, V::SLAVES[i]); });
    m_schritte.push_back([&l, &v, ok] {
        const QString d = SLAVE_DATUM_LESEN(l, V::ZENTRALE);
        v.datum = ok() ? d : QString();
    });
    m_schritte.push_back([&l, &v, ok] {
        const QString z = SLAVE_ZEIT_LESEN(l, V::ZENTRALE);
        v.zeit = ok() ? z : QString();
    });
    for (size_t i = 1; i < V::SLAVES.size(); ++i)
        m_schritte.push_back([&l, &v, ok, i] {
            const QString z = SLAVE_ZEIT_LESEN(l, V::SLAVES[i]);
            v.zeitSlave[i] = ok() ? z : QString();
        });

    // The weather station.
    m_schritte.push_back([this, &l, &v] {
        v.aussentemperatur = wert(MESSWERT_LESEN_120_16BIT(l, V::WETTERSTATION) / 10);
    });
    m_schritte.push_back(
        [this, &l, &v] { v.luftdruck = wert(MESSWERT_LESEN_150(l, V::WETTERSTATION)); });
    m_schritte.push_back(
        [this, &l, &v] { v.sonne = wert(MESSWERT_LESEN_151(l, V::WETTERSTATION)); });
    for (quint8 code : {quint8(152), quint8(153)})
        m_schritte.push_back([&l, &v, ok, code] {
            STANDARD_BEFEHL(l, V::WETTERSTATION, code);
            std::optional<std::pair<int, int>> t;
            if (ok())
                t = std::make_pair(int(l.EMPFANGSPUFFER[2]), int(l.EMPFANGSPUFFER[3]));
            (code == 152 ? v.sonnenaufgang : v.sonnenuntergang) = t;
        });

    for (size_t r = 0; r < V::RAUM_SLAVES.size(); ++r) {
        const int slave = V::RAUM_SLAVES[r];
        m_schritte.push_back([this, &l, &v, r, slave] {
            v.raum[r].temperatur = wert(MESSWERT_LESEN_120(l, slave) / 10);
        });
        m_schritte.push_back(
            [this, &l, &v, r, slave] { v.raum[r].heizung = wert(MESSWERT_LESEN_121(l, slave)); });
    }
}

std::optional<double> ApartmentFetch::wert(double value) const {
    if (m_link.STATUS_CODE != STATUS_OK)
        return std::nullopt;
    return value;
}

bool ApartmentFetch::step() {
    m_schritte[m_naechster]();
    if (m_link.refused()) {
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
