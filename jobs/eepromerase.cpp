#include "eepromerase.h"

#include "eepromfortschritt.h"

#include "link/memory.h"
#include "link/standard.h"

#include <algorithm>

namespace zelmar {

EepromErase::EepromErase(Link& link, int slave, quint8 wert, QLocale locale)
    : Job(link), m_slave(slave), m_wert(wert), m_locale(std::move(locale)) {
    m_locale.setNumberOptions(QLocale::OmitGroupSeparator);
}

std::optional<quint8> EepromErase::LOESCH_WERT(const QString& antwort) {
    const QString t = antwort.trimmed();
    if (t.isEmpty() || t.size() > 3)
        return std::nullopt;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const int v = t.toInt();
    if (v > 255)
        return std::nullopt;
    return quint8(v);
}

QString EepromErase::statusText() const {
    return eepromFortschritt(
        tr("löschen "), m_locale.toString(m_position / 1000.0, 'f', QLocale::FloatingPointShortest),
        m_result.fehler);
}

double EepromErase::linienSekunden(const PortSettings& s) {
    // Address frame 12 + 2, page frame 10 + 16 + 2, STOP 10 + 2, address frame 12 + 2,
    // read-back frame 10 with 1 + 16 + 1.
    const double proSeite = (12 + 2) + (10 + SEITE + 2) + (10 + 2) + (12 + 2) + (10 + SEITE + 2);
    return GROESSE / SEITE * proSeite * s.bitsPerCharacter() / s.baud;
}

QString EepromErase::meldung(const Result& r) {
    switch (r.ende) {
    case Ende::Abgebrochen:
        return tr("aktion wurde abgebrochen");
    case Ende::ZuVieleFehler:
        return tr("zu viele üertragungsfehler \r\n\r\nAktion abgebrochen");
    case Ende::Fertig:
    case Ende::Abgewiesen:
        break;
    }
    return QString();
}

// One page: true when it was written and reads back as the fill value. `letzte`: the reply of
// the last transaction.
bool EepromErase::seite(Reply& letzte) {
    const auto gut = [&letzte](const SpeicherAntwort& a) {
        letzte = a.antwort;
        return a == SpeicherAntwort::Ok;
    };
    if (!gut(EEPROM_ADRESSE_SETZEN(m_link, m_slave, m_position, 2)))
        return false;
    if (!gut(EEPROM_SEITE_SCHREIBEN(m_link, m_slave, QByteArray(SEITE, char(m_wert)))))
        return false;
    // During its write cycle the EEPROM acknowledges nothing: a page read back too early
    // counts as failed and is written again.
    if (!gut(EEPROM_ADRESSE_SETZEN(m_link, m_slave, m_position, 2)))
        return false;
    const SpeicherAntwort gelesen = EEPROM_BLOCK_LESEN(m_link, m_slave, SEITE);
    if (!gut(gelesen))
        return false;
    return gelesen.antwort.bytes == QByteArray(SEITE, char(m_wert));
}

bool EepromErase::step() {
    emit status(statusText());
    if (seite(m_result.letzte)) {
        m_result.bytes = m_position + SEITE;
        emit progress(m_result.bytes, GROESSE);
        if (m_position + SEITE >= GROESSE - 1) {
            m_ende = Ende::Fertig;
            return false;
        }
        m_position += SEITE;
        return true;
    }
    if (m_result.letzte.refused()) {
        m_ende = Ende::Abgewiesen;
        return false;
    }
    if (++m_result.fehler > MAX_FEHLER) {
        m_result.letzte = TWI_STOP(m_link, m_slave);
        m_ende = Ende::ZuVieleFehler;
        return false;
    }
    return true;
}

void EepromErase::finish() {
    if (!m_ende) {
        m_result.letzte = TWI_STOP(m_link, m_slave);
        m_ende = Ende::Abgebrochen;
    }
    m_result.ende = *m_ende;
    emit finished(m_result);
}

} // namespace zelmar
