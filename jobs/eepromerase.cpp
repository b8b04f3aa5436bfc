#include "eepromerase.h"

#include "eepromfortschritt.h"

#include "link/memory.h"
#include "link/standard.h"

#include <algorithm>

namespace zelmar {

EepromErase::EepromErase(Link& link, int slave, quint8 wert, QLocale locale, int seite,
                         EepromBaustein baustein)
    : Job(link), m_slave(slave), m_wert(wert), m_locale(std::move(locale)), m_baustein(baustein),
      m_seite(std::clamp(seite, 1, baustein.seite)) {
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
    const int g = m_baustein.groesse;
    return eepromFortschritt(
        tr("löschen "),
        g < 1000 ? QString::number(m_position)
                 : m_locale.toString(m_position / 1000.0, 'f', QLocale::FloatingPointShortest),
        g, m_result.fehler);
}

double EepromErase::linienSekunden(const PortSettings& s, int seite, const EepromBaustein& b) {
    seite = std::clamp(seite, 1, b.seite);
    // Address frame 10 + address bytes + 2, page frame 10 + n + 2, STOP 10 + 2, address frame
    // again, read-back frame 10 with 1 + n + 1.
    const int adresse = 10 + b.adressBytes + 2;
    double zeichen = 0;
    for (int position = 0; position < b.groesse;) {
        const int n = b.bisSeitenEnde(position, seite);
        zeichen += adresse + (10 + n + 2) + (10 + 2) + adresse + (10 + n + 2);
        position += n;
    }
    return zeichen * s.bitsPerCharacter() / s.baud;
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
bool EepromErase::seiteSchreiben(Reply& letzte) {
    const auto gut = [&letzte](const SpeicherAntwort& a) {
        letzte = a.antwort;
        return a == SpeicherAntwort::Ok;
    };
    const int slave = m_baustein.slave(m_slave, m_position);
    const int innen = m_baustein.innen(m_position);
    const QByteArray seite(laenge(), char(m_wert));
    if (!gut(EEPROM_ADRESSE_SETZEN(m_link, slave, innen, m_baustein.adressBytes)))
        return false;
    if (!gut(EEPROM_SEITE_SCHREIBEN(m_link, slave, seite)))
        return false;
    // During its write cycle the EEPROM acknowledges nothing: a page read back too early
    // counts as failed and is written again.
    if (!gut(EEPROM_ADRESSE_SETZEN(m_link, slave, innen, m_baustein.adressBytes)))
        return false;
    const SpeicherAntwort gelesen = EEPROM_BLOCK_LESEN(m_link, slave, seite.size());
    if (!gut(gelesen))
        return false;
    return gelesen.antwort.bytes == seite;
}

bool EepromErase::step() {
    emit status(statusText());
    if (seiteSchreiben(m_result.letzte)) {
        m_result.bytes = m_position + laenge();
        emit progress(m_result.bytes, m_baustein.groesse);
        if (m_result.bytes >= m_baustein.groesse) {
            m_ende = Ende::Fertig;
            return false;
        }
        m_position = m_result.bytes;
        return true;
    }
    if (m_result.letzte.refused()) {
        m_ende = Ende::Abgewiesen;
        return false;
    }
    if (++m_result.fehler > MAX_FEHLER) {
        m_result.letzte = TWI_STOP(m_link, m_baustein.slave(m_slave, m_position));
        m_ende = Ende::ZuVieleFehler;
        return false;
    }
    return true;
}

void EepromErase::finish() {
    if (!m_ende) {
        m_result.letzte = TWI_STOP(m_link, m_baustein.slave(m_slave, m_position));
        m_ende = Ende::Abgebrochen;
    }
    m_result.ende = *m_ende;
    emit finished(m_result);
}

} // namespace zelmar
