#include "baustein.h"

#include "jobs/eepromreadout.h"
#include "jobs/eepromrestore.h"
#include "link/eepromerkennung.h"
#include "link/memory.h"
#include "link/standard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>

namespace zelmar::cli {

namespace {

QString adressBytesText(int n) {
    return n == 1 ? QCoreApplication::translate("zelmar::cli", "one address byte")
                  : QCoreApplication::translate("zelmar::cli", "two address bytes");
}

QString vorschlagText(const EepromErkennung& e) {
    return e.vorschlaege.isEmpty()
               ? QCoreApplication::translate("zelmar::cli", "%1 bytes").arg(e.groesse)
               : QStringLiteral("a %1 (%2)")
                     .arg(e.vorschlaege.first().text(), e.vorschlaege.first().groesseText());
}

// Polls while the EEPROM may be busy with a write cycle: twice the cycle, counted in polls.
EepromSchreibzyklus schreibzyklus(Link& link, int zeichen) {
    return EepromSchreibzyklus(
        parsePortSettings(link.MSComm1().settings()).value_or(PortSettings()), zeichen,
        2 * EepromRestore::SCHREIBZYKLUS_MS);
}

// The address phase, repeated while the EEPROM is busy with a write cycle (it does not
// acknowledge then); the bus is released when it never answers.
SpeicherAntwort adressieren(Link& link, int slave, int adresse, int adressBytes) {
    EepromSchreibzyklus zyklus = schreibzyklus(link, 10 + adressBytes + 2);
    for (;;) {
        const SpeicherAntwort r = EEPROM_ADRESSE_SETZEN(link, slave, adresse, adressBytes);
        if (zyklus.nochmal(r))
            continue;
        if (r == SpeicherAntwort::KeinAck)
            TWI_STOP(link, slave);
        return r;
    }
}

} // namespace

int eepromFehler(Sitzung& s, const SpeicherAntwort& r, int slave, int adresse) {
    if (r == SpeicherAntwort::NichtGesendet)
        return s.linkFehler(QCoreApplication::translate("zelmar::cli", "EEPROM at %1, address %2")
                                .arg(slave)
                                .arg(adresse),
                            r.antwort);
    if (r.ohneAntwort())
        return s.linkFehler(
            QCoreApplication::translate("zelmar::cli", "EEPROM at %1, address %2: the line failed")
                .arg(slave)
                .arg(adresse),
            r.antwort);
    return s.melden(QCoreApplication::translate("zelmar::cli",
                                                "the EEPROM at %1 did not acknowledge (address %2)")
                        .arg(slave)
                        .arg(adresse),
                    FEHLER);
}

bool bausteinBestimmen(Sitzung& s, int slave, bool ganz, EepromBaustein* b, int* status) {
    const Optionen& o = s.optionen();
    if (o.baustein) {
        *b = *o.baustein;
        return ersteAdresse(s, *b, slave, status);
    }
    const EepromErkennung e = EEPROM_ERKENNEN(s.link(), slave, false);
    const QString nenne =
        QCoreApplication::translate("zelmar::cli", "name the chip with --chip (%1)")
            .arg(eeprom::namen());
    switch (e.ergebnis) {
    case EepromErkennung::Ergebnis::Leitung:
        *status = eepromFehler(s, SpeicherAntwort(SpeicherAntwort::Leitung, e.antwort), slave, 0);
        return false;
    case EepromErkennung::Ergebnis::Stumm:
        *status = eepromFehler(s, SpeicherAntwort::KeinAck, slave, 0);
        return false;
    case EepromErkennung::Ergebnis::Unklar:
        *status = s.melden(QCoreApplication::translate(
                               "zelmar::cli", "cannot tell which EEPROM answers at %1: every byte "
                                              "read alike, or a repeating pattern; %2")
                               .arg(slave)
                               .arg(nenne),
                           FEHLER);
        return false;
    case EepromErkennung::Ergebnis::Erkannt:
        break;
    }
    if (e.adressBytes != o.adressBytes) {
        *status =
            s.melden(QCoreApplication::translate(
                         "zelmar::cli", "the EEPROM at %1 takes %2, not %3: it looks like %4; %5")
                         .arg(slave)
                         .arg(adressBytesText(e.adressBytes), adressBytesText(o.adressBytes),
                              vorschlagText(e), nenne),
                     FEHLER);
        return false;
    }
    // What one slave address reaches, as the reading showed it: no block bits assumed.
    const EepromBaustein gesehen{
        e.vorschlaege.isEmpty() ? "?" : e.vorschlaege.first().name, e.groesse,
        e.vorschlaege.isEmpty() ? 8 : e.vorschlaege.first().seite, e.adressBytes, 0};
    if (ganz && !gesehen.klassisch()) {
        *status =
            s.melden(QCoreApplication::translate(
                         "zelmar::cli", "the EEPROM at %1 is not the 64 KiB one: it looks like "
                                        "%2 (%3 at this address); %4")
                         .arg(slave)
                         .arg(vorschlagText(e), gesehen.groesseText(), nenne),
                     FEHLER);
        return false;
    }
    *b = ganz ? eeprom::standard() : gesehen;
    return true;
}

bool ersteAdresse(Sitzung& s, const EepromBaustein& b, int slave, int* status) {
    if (b.basis(slave) == slave)
        return true;
    *status = s.aufruf(QCoreApplication::translate(
                           "zelmar::cli", "a %1 answers at %2 to %3: give its first address %2")
                           .arg(b.text())
                           .arg(b.basis(slave))
                           .arg(b.basis(slave) + b.slaveAnzahl() - 1));
    return false;
}

bool imBaustein(Sitzung& s, const EepromBaustein& b, int slave, int start, int n, int* status) {
    if (start >= 0 && n >= 0 && qint64(start) + n <= b.groesse)
        return true;
    *status = s.aufruf(QCoreApplication::translate(
                           "zelmar::cli", "%1 bytes from %2 on do not fit into the %3 (%4) at %5")
                           .arg(n)
                           .arg(start)
                           .arg(b.text(), b.groesseText())
                           .arg(slave));
    return false;
}

bool bausteinLesen(Sitzung& s, const EepromBaustein& b, int slave, int start, int n,
                   QByteArray* daten, int* status) {
    constexpr int VERSUCHE = 3;
    Link& link = s.link();
    for (int pos = start; pos < start + n;) {
        const int laenge = b.bisBlockEnde(pos, std::min(EepromReadout::BLOCK, start + n - pos));
        const int an = b.slave(slave, pos);
        SpeicherAntwort r = SpeicherAntwort::Leitung;
        for (int versuch = 0; versuch < VERSUCHE && r != SpeicherAntwort::Ok; ++versuch) {
            r = adressieren(link, an, b.innen(pos), b.adressBytes);
            // Not acknowledged through a whole write cycle: the EEPROM, not the line.
            if (r == SpeicherAntwort::KeinAck || r == SpeicherAntwort::NichtGesendet)
                break;
            if (r == SpeicherAntwort::Ok)
                r = EEPROM_BLOCK_LESEN(link, an, laenge);
        }
        if (r != SpeicherAntwort::Ok) {
            *status = eepromFehler(s, r, an, pos);
            return false;
        }
        daten->append(r.antwort.bytes);
        pos += laenge;
    }
    return true;
}

bool bausteinSchreiben(Sitzung& s, const EepromBaustein& b, int slave, int start,
                       const QByteArray& daten, int* status) {
    Link& link = s.link();
    for (int i = 0; i < daten.size(); ++i) {
        const int pos = start + i;
        const int an = b.slave(slave, pos);
        // The previous byte's write cycle: the chip does not acknowledge until it is over.
        EepromSchreibzyklus zyklus = schreibzyklus(link, 10 + b.adressBytes + 1 + 2);
        SpeicherAntwort r;
        do
            r = EEPROM_BYTE_SCHREIBEN(link, an, b.innen(pos), b.adressBytes, quint8(daten[i]));
        while (zyklus.nochmal(r));
        if (r != SpeicherAntwort::Ok) {
            *status = eepromFehler(s, r, an, pos);
            return false;
        }
    }
    return true;
}

int detect(Sitzung& s, const QStringList& a) {
    const auto slave = zahl(a[0], 0, 127);
    if (!slave)
        return s.aufruf(QCoreApplication::translate("zelmar::cli",
                                                    "ADDR must be a number from 0 to 127, not '%1'")
                            .arg(a[0]));
    if (!s.verbinden())
        return FEHLER;
    const EepromErkennung e = EEPROM_ERKENNEN(s.link(), *slave);
    if (e.ergebnis == EepromErkennung::Ergebnis::Leitung)
        return s.linkFehler(QStringLiteral("detect"), e.antwort);
    if (s.optionen().json) {
        static const char* const ergebnisse[] = {"recognised", "unclear", "silent", "line"};
        QJsonArray vorschlaege, auch;
        for (const EepromBaustein& b : e.vorschlaege)
            vorschlaege << QJsonObject{{QStringLiteral("name"), b.text()},
                                       {QStringLiteral("size"), b.groesse},
                                       {QStringLiteral("pageSize"), b.seite},
                                       {QStringLiteral("addressBytes"), b.adressBytes},
                                       {QStringLiteral("blockBits"), b.blockBits}};
        for (int x : e.auchAn)
            auch << x;
        QJsonObject j{{QStringLiteral("address"), *slave},
                      {QStringLiteral("result"), QLatin1String(ergebnisse[int(e.ergebnis)])},
                      {QStringLiteral("suggestions"), vorschlaege}};
        if (e.ergebnis == EepromErkennung::Ergebnis::Erkannt) {
            j.insert(QStringLiteral("addressBytes"), e.adressBytes);
            j.insert(QStringLiteral("sizeAtAddress"), e.groesse);
            j.insert(QStringLiteral("alsoAnswering"), auch);
        }
        s.json(QJsonDocument(j));
    } else {
        s.out() << e.text() << Qt::endl;
        if (e.ergebnis == EepromErkennung::Ergebnis::Erkannt)
            s.out() << "a suggestion read from the contents: confirm it with --chip" << Qt::endl;
    }
    return e.ergebnis == EepromErkennung::Ergebnis::Stumm ? FEHLER : ERFOLG;
}

} // namespace zelmar::cli
