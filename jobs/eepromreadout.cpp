#include "eepromreadout.h"

#include "eepromfortschritt.h"
#include "files/eepromdump.h"

#include "link/memory.h"
#include "link/standard.h"

#include <algorithm>

namespace zelmar {

EepromReadout::EepromReadout(Link& link, int slave, QString datei, QLocale locale,
                             abbild::Format format, EepromBaustein baustein)
    : Job(link), m_slave(slave), m_locale(std::move(locale)), m_format(format),
      m_baustein(baustein) {
    m_result.datei = std::move(datei);
}

EepromReadout::~EepromReadout() = default;

int EepromReadout::blockLaenge(const EepromBaustein& b, int position) {
    return b.bisBlockEnde(position, std::min(BLOCK, b.groesse - position));
}

QString EepromReadout::statusText() const {
    return eepromFortschritt(QString(), eepromStand(m_position, m_baustein.groesse),
                             m_baustein.groesse, m_result.fehler);
}

double EepromReadout::linienSekunden(const PortSettings& s, const EepromBaustein& b) {
    double zeichen = 0;
    for (int position = 0; position < b.groesse;) {
        const int l = blockLaenge(b, position);
        // Address frame of 10 bytes and the address bytes with 2 status bytes, read frame of 10
        // with 1 + l + 1.
        zeichen += 2 * ((10 + b.adressBytes + 2) + (10 + l + 2));
        position += l;
    }
    return zeichen * s.bitsPerCharacter() / s.baud;
}

QString EepromReadout::meldung(const Result& r, const QLocale& locale) {
    switch (r.ende) {
    case Ende::Fertig:
        return dump::pruefBericht(r.datei, r.zeilen, locale, r.groesse);
    case Ende::Abgebrochen:
        return tr("aktion wurde abgebrochen");
    case Ende::AdresseFehlt:
        return tr("FEHLER EEPROM - SLAVE-Adresse koorekt? Aktion wird abgebrochen!");
    case Ende::ZuVieleFehler:
        return tr("zu viele üertragungsfehler \r\n\r\nAktion abgebrochen");
    case Ende::DateiFehler:
        return tr("FEHLER\r\n\r\n") + r.datei + tr("\r\n\r\nkonnte nicht geschrieben werden: ") +
               r.dateiGrund.text();
    case Ende::Abgewiesen:
        break;
    }
    return QString();
}

// An address phase the EEPROM did not acknowledge twice running ends the run after a STOP: it
// is not there, and every further block would fail the same way. One acknowledged at the second
// try had its answer garbled on the line, and a byte lost on the line says nothing about the
// EEPROM: both are a failed block like any other.
std::optional<bool> EepromReadout::adresse() {
    const auto setzen = [this] {
        return EEPROM_ADRESSE_SETZEN(m_link, slave(), m_baustein.innen(m_position),
                                     m_baustein.adressBytes);
    };
    SpeicherAntwort a = setzen();
    if (a == SpeicherAntwort::KeinAck) {
        const Reply stop = TWI_STOP(m_link, slave());
        if (stop.refused())
            return fehlschlag(SpeicherAntwort(SpeicherAntwort::NichtGesendet, stop));
        a = setzen();
        if (a == SpeicherAntwort::Ok) {
            if (++m_result.fehler > MAX_FEHLER) {
                TWI_STOP(m_link, slave());
                m_ende = Ende::ZuVieleFehler;
                return false;
            }
            return std::nullopt;
        }
    }
    if (a == SpeicherAntwort::Ok)
        return std::nullopt;
    if (a.ohneAntwort())
        return fehlschlag(a);
    m_result.leitung = false;
    m_result.statusCode = a.antwort.statusCode;
    m_result.statusText = a.antwort.statusText;
    TWI_STOP(m_link, slave());
    m_ende = Ende::AdresseFehlt;
    return false;
}

// A block that did not arrive whole is never stored; it is read again while the run's
// failures allow.
bool EepromReadout::fehlschlag(const SpeicherAntwort& a) {
    // Kept for the report: a run given up says what failed last.
    m_result.leitung = a.antwort.statusCode != STATUS_OK;
    m_result.statusCode = a.antwort.statusCode;
    m_result.statusText = a.antwort.statusText;
    if (a == SpeicherAntwort::NichtGesendet) {
        m_ende = Ende::Abgewiesen;
        return false;
    }
    if (++m_result.fehler > MAX_FEHLER) {
        m_ende = Ende::ZuVieleFehler;
        return false;
    }
    return true;
}

bool EepromReadout::step() {
    // The file is made ready before the first frame: what cannot be written is said at once.
    if (!m_datei) {
        m_datei = std::make_unique<datei::Ersatz>(m_result.datei);
        if (!m_datei->oeffnen()) {
            m_result.dateiGrund = m_datei->grund();
            m_ende = Ende::DateiFehler;
            return false;
        }
    }
    emit status(statusText());

    const int l = blockLaenge();
    if (const auto weiter = adresse())
        return *weiter;
    const SpeicherAntwort erste = EEPROM_BLOCK_LESEN(m_link, slave(), l);
    if (erste != SpeicherAntwort::Ok)
        return fehlschlag(erste);
    if (const auto weiter = adresse())
        return *weiter;
    const SpeicherAntwort zweite = EEPROM_BLOCK_LESEN(m_link, slave(), l);
    if (zweite != SpeicherAntwort::Ok || zweite.antwort.bytes != erste.antwort.bytes)
        return fehlschlag(zweite);
    return speichern(erste.antwort.bytes);
}

bool EepromReadout::speichern(const QByteArray& block) {
    m_daten += block;
    m_result.bytes += block.size();
    emit progress(m_result.bytes, m_baustein.groesse);
    if (m_position + block.size() < m_baustein.groesse) {
        m_position += block.size();
        return true;
    }
    // The whole chip in: a chip read in one block would otherwise still show 0.
    const int g = m_baustein.groesse;
    emit status(eepromFortschritt(QString(), eepromStand(g, g), g, m_result.fehler));
    const QByteArray inhalt =
        abbild::inhalt(EepromAbbild::ausBytes(m_daten, m_baustein.groesse), m_format, m_locale);
    if (!m_datei->schreiben(inhalt) || !m_datei->abschliessen()) {
        m_result.dateiGrund = m_datei->grund();
        m_ende = Ende::DateiFehler;
        return false;
    }
    // The file is checked the way it will be used: read back as an image.
    EepromAbbild gelesen(m_baustein.groesse);
    const bool liest = abbild::laden(m_result.datei, m_format, &gelesen, nullptr);
    if (liest)
        m_result.sha256 = abbild::sha256(gelesen);
    if (m_format == abbild::Format::Dump)
        m_result.zeilen = dump::zeilenZaehlen(m_result.datei);
    else
        m_result.zeilen = liest ? gelesen.anzahl() : 0;
    m_ende = Ende::Fertig;
    return false;
}

void EepromReadout::finish() {
    if (!m_ende) {
        // Cancelled between blocks: the bus is released as after any other abort.
        TWI_STOP(m_link, slave());
        m_ende = Ende::Abgebrochen;
    }
    m_result.ende = *m_ende;
    m_result.position = m_position;
    m_result.groesse = m_baustein.groesse;
    // Anything unfinished goes with its temporary file; the dump's name is untouched.
    m_datei.reset();
    emit finished(m_result);
}

} // namespace zelmar
