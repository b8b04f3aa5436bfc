#include "busscan.h"

#include "link/standard.h"

namespace zelmar {

BusScan::BusScan(Link& link) : Job(link), m_gemerkt(link.SLAVE_ADRESSE) {}

bool BusScan::step() {
    const int a = m_naechste++;
    Reply antwort;
    const bool gefunden = SLAVE_SUCHEN(m_link, a, &antwort) != 0;
    m_result.statusCode = antwort.statusCode;
    m_result.statusText = antwort.statusText;
    // A frame that never went out would fail the same way for every further address, each
    // time with the engine's message box.
    if (antwort.refused()) {
        m_abgewiesen = true;
        return false;
    }
    m_result.probed = m_naechste;
    if (antwort.lineFailed())
        ++m_result.ohneAntwort;
    // A reply with a byte lost is not silence.
    const bool stumm = antwort.statusCode == STATUS_KEINE_DATEN && antwort.bytes.isEmpty();
    m_stumm = stumm ? m_stumm + 1 : 0;
    if (m_stumm >= STUMM) {
        m_result.interfaceSilent = true;
        return false;
    }
    if (gefunden) {
        m_result.found << a;
        emit found(a);
    }
    emit progress(m_naechste, 128);
    return m_naechste < 128;
}

void BusScan::finish() {
    m_result.completed = m_result.probed == 128;
    if (m_naechste > 0) {
        for (int a = m_result.probed; a < 128; ++a)
            m_link.SLAVE_GEFUNDEN[a] = 0;
        // The probes end without STOP; after a refused frame there is no transfer to end, and
        // a silent interface would not hear it.
        if (!m_abgewiesen && !m_result.interfaceSilent)
            TWI_STOP(m_link, m_naechste - 1);
        m_link.SLAVE_ADRESSE = m_gemerkt;
    }
    emit finished(m_result);
}

QString BusScan::meldung(const Result& r) {
    if (!r.interfaceSilent)
        return {};
    return tr("Das Interface antwortet nicht (keine DATEN bei %1 Adressen "
              "hintereinander).\r\n\r\nScan nach Adresse %2 abgebrochen, die übrigen "
              "Adressen gelten als nicht gefunden.")
        .arg(STUMM)
        .arg(r.probed - 1);
}

bool slaveBenannt(const QString& name) {
    for (const QChar c : name)
        if (!c.isSpace() && c != QLatin1Char('.') && c != QLatin1Char('-') && c != QLatin1Char('?'))
            return true;
    return false;
}

AnlagePruefung anlagePruefen(const std::array<QString, 128>& namen,
                             const std::array<qint16, 128>& gefunden) {
    AnlagePruefung a;
    for (int i = 1; i < 128; ++i) {
        const bool name = slaveBenannt(namen[i]);
        const bool da = gefunden[i] == -1;
        if (name && !da)
            a.fehlt << i;
        else if (da && !name)
            a.unbekannt << i;
    }
    return a;
}

} // namespace zelmar
