#include "eepromrestore.h"

#include "eepromfortschritt.h"

#include "link/memory.h"
#include "link/standard.h"

#include <cmath>

namespace zelmar {

namespace {

// Address frame of 10 bytes and the address bytes, with its 2 status bytes.
int adressZeichen(const EepromBaustein& b) {
    return 10 + b.adressBytes + 2;
}

// The runs cut into pieces of at most `raster` bytes, at its multiples (`anGrenzen`) or from each
// run's start on, and always at a multiple of `grenze`.
QList<EepromAbbild::Bereich> schneiden(const EepromAbbild& abbild, int raster, bool anGrenzen,
                                       int grenze) {
    QList<EepromAbbild::Bereich> out;
    for (const auto& b : abbild.bereiche()) {
        for (int a = b.von; a <= b.bis;) {
            const int ende = std::min(anGrenzen ? (a / raster + 1) * raster - 1 : a + raster - 1,
                                      (a / grenze + 1) * grenze - 1);
            const int bis = std::min(b.bis, ende);
            out.append({a, bis});
            a = bis + 1;
        }
    }
    return out;
}

} // namespace

EepromRestore::EepromRestore(Link& link, int slave, EepromAbbild soll, Modus modus, int seite,
                             QLocale locale, EepromBaustein baustein)
    : Job(link), m_slave(slave), m_baustein(baustein), m_soll(std::move(soll)),
      m_ist(baustein.groesse), m_seite(std::clamp(seite, 1, baustein.seite)),
      m_locale(std::move(locale)), m_schreiben(modus == Modus::Schreiben),
      m_zyklus(parsePortSettings(link.MSComm1().settings()).value_or(PortSettings()),
               adressZeichen(baustein), SCHREIBZYKLUS_MS) {
    m_result.modus = modus;
    m_result.groesse = baustein.groesse;
    m_result.ausserhalb = ausserhalb(m_soll, m_baustein);
    if (m_result.ausserhalb >= 0)
        return;
    if (m_schreiben)
        m_seiten = seiten(m_soll, m_seite);
    m_bloecke = bloecke(m_soll, m_baustein);
}

QList<int> EepromRestore::seitenGroessen(const EepromBaustein& b) {
    QList<int> l;
    for (int g = 16; g <= b.seite; g *= 2)
        l << g;
    if (l.isEmpty())
        l << b.seite;
    return l;
}

int EepromRestore::ausserhalb(const EepromAbbild& abbild, const EepromBaustein& b) {
    const QList<EepromAbbild::Bereich> bereiche = abbild.bereiche();
    return !bereiche.isEmpty() && bereiche.last().bis >= b.groesse ? bereiche.last().bis : -1;
}

QList<EepromAbbild::Bereich> EepromRestore::seiten(const EepromAbbild& abbild, int seite) {
    seite = std::max(1, seite);
    return schneiden(abbild, seite, true, seite);
}

QList<EepromAbbild::Bereich> EepromRestore::bloecke(const EepromAbbild& abbild,
                                                    const EepromBaustein& b) {
    return schneiden(abbild, BLOCK, false, b.block());
}

QString EepromRestore::statusText() const {
    const bool schreibend = m_naechsteSeite < m_seiten.size();
    int position = m_baustein.groesse;
    if (schreibend)
        position = m_seiten.at(m_naechsteSeite).von;
    else if (m_naechsterBlock < m_bloecke.size())
        position = m_bloecke.at(m_naechsterBlock).von;
    return eepromFortschritt(schreibend ? tr("schreiben ") : tr("prüfen "),
                             eepromStand(position, m_baustein.groesse), m_baustein.groesse,
                             m_result.fehler);
}

double EepromRestore::linienSekunden(const PortSettings& s, const EepromAbbild& abbild, int seite,
                                     Modus modus, const EepromBaustein& baustein) {
    const int adresse = adressZeichen(baustein);
    double zeichen = 0;
    if (modus == Modus::Schreiben)
        for (const auto& p : seiten(abbild, std::clamp(seite, 1, baustein.seite)))
            // Address phase, command 65 with the bytes and its 2 status bytes, STOP with 2.
            zeichen += adresse + (10 + p.laenge() + 2) + (10 + 2);
    for (const auto& b : bloecke(abbild, baustein))
        zeichen += 2 * (adresse + (10 + b.laenge() + 2));
    return zeichen * s.bitsPerCharacter() / s.baud;
}

// The address phase, repeated while the chip is busy with its last write cycle.
std::optional<bool> EepromRestore::adresse(int a) {
    const SpeicherAntwort r =
        EEPROM_ADRESSE_SETZEN(m_link, slave(a), m_baustein.innen(a), m_baustein.adressBytes);
    if (m_zyklus.nochmal(r)) {
        ++m_result.polls;
        return true;
    }
    if (r == SpeicherAntwort::Ok)
        return std::nullopt;
    if (r.ohneAntwort())
        return fehlschlag(r);
    m_result.letzte = TWI_STOP(m_link, slave(a));
    m_ende = Ende::AdresseFehlt;
    return false;
}

// A page or block that did not go through is done again while the run's failures allow.
bool EepromRestore::fehlschlag(const SpeicherAntwort& antwort) {
    m_result.letzte = antwort.antwort;
    if (antwort == SpeicherAntwort::NichtGesendet) {
        m_ende = Ende::Abgewiesen;
        return false;
    }
    m_ersteKopie.clear();
    if (++m_result.fehler > MAX_FEHLER) {
        m_result.letzte = TWI_STOP(m_link, slave(unterwegs()));
        m_ende = Ende::ZuVieleFehler;
        return false;
    }
    return true;
}

int EepromRestore::unterwegs() const {
    if (m_schreiben && m_naechsteSeite == 1 && !m_ersteGeprueft)
        return m_seiten.at(0).von;
    if (m_naechsteSeite < m_seiten.size())
        return m_seiten.at(m_naechsteSeite).von;
    return m_naechsterBlock < m_bloecke.size() ? m_bloecke.at(m_naechsterBlock).von : 0;
}

void EepromRestore::melden() {
    const int gesamt = (m_schreiben ? m_soll.anzahl() : 0) + m_soll.anzahl();
    emit progress(m_result.geschrieben + m_result.gelesen, gesamt);
}

bool EepromRestore::schreiben() {
    const EepromAbbild::Bereich p = m_seiten.at(m_naechsteSeite);
    if (const auto weiter = adresse(p.von))
        return *weiter;
    const SpeicherAntwort seite =
        EEPROM_SEITE_SCHREIBEN(m_link, slave(p.von), m_soll.bytes(p.von, p.laenge()));
    if (seite != SpeicherAntwort::Ok)
        return fehlschlag(seite);
    m_result.geschrieben += p.laenge();
    ++m_naechsteSeite;
    melden();
    return true;
}

// One read of the block under way: the first copy, or the second, compared with the first.
bool EepromRestore::lesen() {
    const EepromAbbild::Bereich b = m_bloecke.at(m_naechsterBlock);
    if (const auto weiter = adresse(b.von))
        return *weiter;
    const SpeicherAntwort block = EEPROM_BLOCK_LESEN(m_link, slave(b.von), b.laenge());
    if (block != SpeicherAntwort::Ok)
        return fehlschlag(block);
    const QByteArray kopie = block.antwort.bytes;
    if (m_ersteKopie.isEmpty()) {
        m_ersteKopie = kopie;
        return true;
    }
    if (kopie != m_ersteKopie)
        return fehlschlag(block);
    for (int k = 0; k < b.laenge(); ++k)
        m_ist.setzen(b.von + k, quint8(kopie.at(k)));
    m_ersteKopie.clear();
    m_result.gelesen += b.laenge();
    ++m_naechsterBlock;
    melden();
    if (m_naechsterBlock < m_bloecke.size())
        return true;
    m_result.vergleich = EepromVergleich::von(m_soll, m_ist);
    m_ende = Ende::Fertig;
    return false;
}

bool EepromRestore::step() {
    if (m_result.ausserhalb >= 0) {
        m_ende = Ende::ZuGross;
        return false;
    }
    emit status(statusText());
    if (m_bloecke.isEmpty()) {
        m_result.vergleich = EepromVergleich::von(m_soll, m_ist);
        m_ende = Ende::Fertig;
        return false;
    }
    if (m_schreiben && m_naechsteSeite == 1 && !m_ersteGeprueft)
        return erstePruefen();
    return m_naechsteSeite < m_seiten.size() ? schreiben() : lesen();
}

bool EepromRestore::erstePruefen() {
    const EepromAbbild::Bereich p = m_seiten.at(0);
    if (const auto weiter = adresse(p.von))
        return *weiter;
    const SpeicherAntwort r = EEPROM_BLOCK_LESEN(m_link, slave(p.von), p.laenge());
    if (r != SpeicherAntwort::Ok)
        return fehlschlag(r);
    const QByteArray ist = r.antwort.bytes.left(p.laenge());
    m_ersteGeprueft = true;
    if (ist == m_soll.bytes(p.von, p.laenge()))
        return true;
    // Not in the chip: the page counts as not written, and so does everything after it.
    m_naechsteSeite = 0;
    m_result.geschrieben = 0;
    m_ende = Ende::NichtGehalten;
    return false;
}

void EepromRestore::finish() {
    if (!m_ende) {
        // Cancelled between steps: a poll may have left the bus claimed, at the slave address
        // of the block under way.
        m_result.letzte = TWI_STOP(m_link, slave(unterwegs()));
        m_ende = Ende::Abgebrochen;
    }
    m_result.ende = *m_ende;
    EepromAbbild rest(m_baustein.groesse);
    for (int k = m_naechsteSeite; k < m_seiten.size(); ++k)
        for (int a = m_seiten.at(k).von; a <= m_seiten.at(k).bis; ++a)
            rest.setzen(a, 0);
    m_result.nichtGeschrieben = rest.bereiche();
    if (m_ende != Ende::Fertig) {
        // Pages go out in address order: below the first page not written, all was written.
        const int geschriebenBis = m_naechsteSeite < m_seiten.size()
                                       ? m_seiten.at(m_naechsteSeite).von
                                       : m_baustein.groesse;
        EepromAbbild offen(m_baustein.groesse);
        for (int k = m_naechsterBlock; k < m_bloecke.size(); ++k)
            for (int a = m_bloecke.at(k).von; a <= m_bloecke.at(k).bis && a < geschriebenBis; ++a)
                offen.setzen(a, 0);
        m_result.nichtGeprueft = offen.bereiche();
    }
    emit finished(m_result);
}

QString EepromRestore::meldung(const Result& r, const QString& kopf, const QLocale& locale) {
    const QString absatz = QStringLiteral("\r\n\r\n");
    QString text;
    switch (r.ende) {
    case Ende::Fertig:
        if (!r.vergleich)
            return QString();
        // Written, but the chip does not hold it: never to be read as success.
        if (r.modus == Modus::Schreiben && !r.vergleich->gleich())
            text = tr("FEHLER: das EEPROM hält nicht, was geschrieben wurde") + absatz;
        return text + r.vergleich->bericht(kopf, 20, locale);
    case Ende::Abgebrochen:
        text = tr("aktion wurde abgebrochen");
        break;
    case Ende::AdresseFehlt:
        text = tr("FEHLER EEPROM - SLAVE-Adresse koorekt? Aktion wird abgebrochen!");
        break;
    case Ende::ZuVieleFehler:
        text = tr("zu viele üertragungsfehler \r\n\r\nAktion abgebrochen");
        break;
    case Ende::ZuGross:
        return tr("FEHLER: die Datei gibt Adressen bis %1, das EEPROM hat nur %2 Byte (0 bis "
                  "%3). Nichts wurde gesendet")
            .arg(r.ausserhalb)
            .arg(locale.toString(r.groesse))
            .arg(r.groesse - 1);
    case Ende::NichtGehalten:
        text = tr("FEHLER: das EEPROM hat die erste Seite quittiert, aber nicht "
                  "behalten (Schreibschutz aktiv? Seite größer als die des "
                  "EEPROMs?). Aktion abgebrochen");
        break;
    case Ende::Abgewiesen:
        if (r.modus == Modus::Pruefen || r.geschrieben == 0)
            return QString();
        text = tr("Der Rahmen wurde nicht gesendet");
        break;
    }
    if (r.modus == Modus::Schreiben) {
        auto summe = [](const QList<EepromAbbild::Bereich>& bereiche) {
            int n = 0;
            for (const auto& b : bereiche)
                n += b.laenge();
            return n;
        };
        const int offen = summe(r.nichtGeschrieben);
        const int ungeprueft = summe(r.nichtGeprueft);
        text += absatz + locale.toString(r.geschrieben) + tr(" Byte geschrieben");
        if (offen > 0)
            text += tr(", NICHT geschrieben: ") + locale.toString(offen) + tr(" Byte\r\n") +
                    abbild::bereicheText(r.nichtGeschrieben, locale);
        if (ungeprueft > 0)
            text += tr("\r\ngeschrieben, aber NICHT geprüft: ") + locale.toString(ungeprueft) +
                    tr(" Byte\r\n") + abbild::bereicheText(r.nichtGeprueft, locale);
    }
    return text;
}

} // namespace zelmar
