#include "eepromerkennung.h"

#include "memory.h"
#include "standard.h"

#include <QCoreApplication>

namespace zelmar {

namespace {

bool gleichfoermig(const QByteArray& b) {
    return b.count(b.isEmpty() ? '\0' : b.at(0)) == b.size();
}

QString namenListe(const QList<EepromBaustein>& l) {
    QStringList n;
    for (const EepromBaustein& b : l)
        n << b.text();
    return n.join(QStringLiteral(", "));
}

} // namespace

int EepromErkenner::adressBytes(const QByteArray& p0, const QByteArray& p16) {
    const int n = FENSTER - 16;
    // Two address bytes: 16 on from 0. One: the second byte was data, both read from 0.
    const bool zwei = p16.left(n) == p0.mid(16, n);
    const bool eins = p16.left(n) == p0.left(n);
    return zwei == eins ? 0 : zwei ? 2 : 1;
}

EepromErkenner::EepromErkenner(int slave, bool nachbarn) : m_nachbarn(nachbarn) {
    m_e.slave = slave;
}

void EepromErkenner::ende(EepromErkennung::Ergebnis e) {
    m_e.ergebnis = e;
    m_phase = Phase::Fertig;
}

SpeicherAntwort EepromErkenner::fenster(Link& link, int slave, int adresse, int adressBytes,
                                        QByteArray* d) {
    SpeicherAntwort a = EEPROM_ADRESSE_SETZEN(link, slave, adresse, adressBytes);
    if (a == SpeicherAntwort::Ok)
        a = EEPROM_BLOCK_LESEN(link, slave, FENSTER);
    if (a == SpeicherAntwort::Ok)
        *d = a.antwort.bytes;
    if (a == SpeicherAntwort::KeinAck) {
        // Not acknowledged: no byte went into a page, the STOP only lets go of the bus.
        Reply stop = TWI_STOP(link, slave);
        if (!stop.done())
            return {stop.refused() ? SpeicherAntwort::NichtGesendet : SpeicherAntwort::Leitung,
                    std::move(stop)};
    }
    return a;
}

bool EepromErkenner::lesen(Link& link, int slave, int adresse, int adressBytes, QByteArray* d) {
    const SpeicherAntwort a = fenster(link, slave, adresse, adressBytes, d);
    m_e.antwort = a.antwort;
    if (a == SpeicherAntwort::Ok)
        return true;
    ende(a == SpeicherAntwort::KeinAck ? EepromErkennung::Ergebnis::Stumm
                                       : EepromErkennung::Ergebnis::Leitung);
    return false;
}

void EepromErkenner::groesseBekannt(int groesse) {
    m_e.groesse = groesse;
    m_e.ergebnis = EepromErkennung::Ergebnis::Erkannt;
    // A size a block of a larger chip has: do the neighbours answer as well?
    const bool block =
        (m_e.adressBytes == 1 && groesse == 256) || (m_e.adressBytes == 2 && groesse == 65536);
    if (block && m_nachbarn) {
        m_nachbar = m_e.slave & ~7;
        m_phase = Phase::Nachbarn;
    } else {
        m_e.vorschlaege = eeprom::passend(groesse, m_e.adressBytes);
        m_phase = Phase::Fertig;
    }
}

bool EepromErkenner::schritt(Link& link) {
    QByteArray w;
    const int slave = m_e.slave;
    switch (m_phase) {
    case Phase::Zweibyte0:
        if (!lesen(link, slave, 0, 2, &w)) {
            // A write-protected chip with one address byte refuses the second as a data byte.
            if (m_e.ergebnis == EepromErkennung::Ergebnis::Stumm)
                m_phase = Phase::Einbyte0Geschuetzt;
            return m_phase != Phase::Fertig;
        }
        m_p0 = w;
        m_phase = Phase::Zweibyte16;
        return true;
    case Phase::Zweibyte16: {
        if (!lesen(link, slave, 16, 2, &w))
            return false;
        m_p16 = w;
        const int n = adressBytes(m_p0, m_p16);
        if (n == 0) {
            ende(EepromErkennung::Ergebnis::Unklar);
            return false;
        }
        const bool zwei = n == 2;
        m_e.adressBytes = zwei ? 2 : 1;
        m_phase = zwei ? Phase::Umlauf : Phase::Einbyte0;
        return true;
    }
    case Phase::Einbyte0Geschuetzt:
    case Phase::Einbyte0:
        if (!lesen(link, slave, 0, 1, &w))
            return false;
        if (m_phase == Phase::Einbyte0Geschuetzt && gleichfoermig(w)) {
            ende(EepromErkennung::Ergebnis::Unklar);
            return false;
        }
        m_e.adressBytes = 1;
        m_w0 = w;
        m_phase = Phase::Einbyte128;
        return true;
    case Phase::Einbyte128:
        if (!lesen(link, slave, 128, 1, &w))
            return false;
        groesseBekannt(w == m_w0 ? 128 : 256);
        return m_phase != Phase::Fertig;
    case Phase::Umlauf:
        if (!lesen(link, slave, m_kandidat, 2, &w))
            return false;
        if (w == m_p0)
            groesseBekannt(m_kandidat);
        else if ((m_kandidat *= 2) == 65536)
            groesseBekannt(65536);
        return m_phase != Phase::Fertig;
    case Phase::Nachbarn: {
        // A neighbour is a block of the same chip only when it takes as many address bytes.
        const int basis = m_e.slave & ~7;
        if (m_nachbar != m_e.slave) {
            QByteArray p0, p16;
            SpeicherAntwort a = fenster(link, m_nachbar, 0, 2, &p0);
            if (a == SpeicherAntwort::Ok)
                a = fenster(link, m_nachbar, 16, 2, &p16);
            m_e.antwort = a.antwort;
            if (a.ohneAntwort()) {
                ende(EepromErkennung::Ergebnis::Leitung);
                return false;
            }
            if (a == SpeicherAntwort::Ok && adressBytes(p0, p16) == m_e.adressBytes)
                m_e.auchAn << m_nachbar;
        }
        if (++m_nachbar < basis + 8)
            return true;
        // The chips whose blocks are answered at every address of their group.
        QList<EepromBaustein> vorschlaege;
        for (const EepromBaustein& b : eeprom::passend(m_e.groesse, m_e.adressBytes)) {
            const int erste = b.basis(m_e.slave);
            bool alle = true;
            for (int s = erste; s < erste + b.slaveAnzahl(); ++s)
                alle = alle && (s == m_e.slave || m_e.auchAn.contains(s));
            if (alle)
                vorschlaege.prepend(b); // the larger chip first
        }
        m_e.vorschlaege = vorschlaege;
        m_phase = Phase::Fertig;
        return false;
    }
    case Phase::Fertig:
        break;
    }
    return false;
}

EepromErkennung EEPROM_ERKENNEN(Link& link, int slave, bool nachbarn) {
    EepromErkenner e(slave, nachbarn);
    while (e.schritt(link)) {
    }
    return e.ergebnis();
}

QString EepromErkennung::text() const {
    switch (ergebnis) {
    case Ergebnis::Stumm:
        return QStringLiteral("no EEPROM answers at %1").arg(slave);
    case Ergebnis::Leitung:
        return QStringLiteral("the line failed while the EEPROM at %1 was read").arg(slave);
    case Ergebnis::Unklar:
        return QStringLiteral("an EEPROM answers at %1, but its contents do not tell its "
                              "geometry (every byte alike, or a repeating pattern)")
            .arg(slave);
    case Ergebnis::Erkannt:
        break;
    }
    QString t = QStringLiteral("%1 (%2 at this address, %3 address byte%4)")
                    .arg(namenListe(vorschlaege))
                    .arg(groesse < 1024 ? QStringLiteral("%1 bytes").arg(groesse)
                                        : QStringLiteral("%1 KiB").arg(groesse / 1024))
                    .arg(adressBytes == 1 ? QStringLiteral("one") : QStringLiteral("two"))
                    .arg(adressBytes == 1 ? QString() : QStringLiteral("s"));
    if (!auchAn.isEmpty()) {
        QStringList a;
        for (int s : auchAn)
            a << QString::number(s);
        t += QStringLiteral("; %1 answer%2 as well")
                 .arg(a.join(QStringLiteral(", ")),
                      auchAn.size() == 1 ? QStringLiteral("s") : QString());
    }
    return t;
}

QString EepromErkennung::textDeutsch() const {
    switch (ergebnis) {
    case Ergebnis::Stumm:
        return QCoreApplication::translate("zelmar::EepromErkennung", "Kein EEPROM an Adresse %1")
            .arg(slave);
    case Ergebnis::Leitung:
        return QCoreApplication::translate("zelmar::EepromErkennung",
                                           "Leitung gestört, nichts erkannt");
    case Ergebnis::Unklar:
        return QCoreApplication::translate("zelmar::EepromErkennung",
                                           "Nicht erkennbar (alle Bytes gleich?)");
    case Ergebnis::Erkannt:
        break;
    }
    return QCoreApplication::translate("zelmar::EepromErkennung",
                                       "Vorschlag: %1 (%2 Byte je Adresse, %3 Adressbyte%4)")
        .arg(namenListe(vorschlaege))
        .arg(groesse)
        .arg(adressBytes)
        .arg(adressBytes == 1 ? QString() : QStringLiteral("s"));
}

} // namespace zelmar
