#include "memory.h"

#include "standard.h"

#include <cmath>

namespace zelmar {

namespace {

QString hex(int n, int digits) {
    return QLatin1Char('x') + QStringLiteral("%1").arg(n, digits, 16, QLatin1Char('0')).toUpper();
}

SpeicherAntwort::Art ohneAntwort(const Reply& r) {
    return r.refused() ? SpeicherAntwort::NichtGesendet : SpeicherAntwort::Leitung;
}

// The two status bytes of commands 50, 60 and 65. `beide`: the address phase's byte counts
// too; otherwise the second tells.
SpeicherAntwort quittung(Link& link, bool beide) {
    Reply r = receiveStatusPair(link);
    if (!r.done() && !r.notAcknowledged())
        return {ohneAntwort(r), std::move(r)};
    const bool ja = r.byte(1) == 0 && (!beide || r.byte(0) == 0);
    return {ja ? SpeicherAntwort::Ok : SpeicherAntwort::KeinAck, std::move(r)};
}

QByteArray adressBytes(int adresse, int anzahl) {
    quint8 high = 0;
    quint8 low = 0;
    const bool passt = ADRESSE_TEILEN(adresse, high, low);
    Q_ASSERT(passt); // callers refuse addresses outside 0..65535
    Q_UNUSED(passt);
    QByteArray b;
    if (anzahl == 2)
        b.append(char(high));
    b.append(char(low));
    return b;
}

// Command 80 for `kopf` + `anzahl` bytes and the whole of its reply, taken off the line before
// anything is judged: leading status, the `kopf` bytes (an echo), the bytes, trailing status.
// The reply's bytes are the echo and the data.
SpeicherAntwort blockLesen(Link& link, int slave, int anzahl, int kopf = 0) {
    link.RAHMEN_SENDEN(Request(befehl::MR_DATEN_STOP, quint8(slave), 0, 0, kopf + anzahl));
    const Reply vorne = receive(link, 1);
    if (!vorne.done())
        return {ohneAntwort(vorne), vorne};
    QByteArray echo;
    if (kopf > 0) {
        const Reply k = receive(link, kopf);
        if (!k.done())
            return {ohneAntwort(k), k};
        echo = k.bytes;
    }
    Reply daten = receive(link, anzahl);
    if (!daten.done())
        return {ohneAntwort(daten), std::move(daten)};
    daten.bytes.prepend(echo);
    const Reply hinten = receive(link, 1);
    if (!hinten.done())
        return {ohneAntwort(hinten), hinten};
    if (vorne.byte(0) != 0) {
        // The interface fills in for a slave that is not there.
        daten.outcome = Reply::Outcome::NotAcknowledged;
        return {SpeicherAntwort::KeinAck, std::move(daten)};
    }
    if (hinten.byte(0) != 0) {
        daten.outcome = Reply::Outcome::NotAcknowledged;
        return {SpeicherAntwort::SchlussFalsch, std::move(daten)};
    }
    return {SpeicherAntwort::Ok, std::move(daten)};
}

} // namespace

// =========================== Serial EEPROM ===========================

bool ADRESSE_TEILEN(int adresse, quint8& high, quint8& low) {
    if (adresse < 0 || adresse > 65535)
        return false;
    high = quint8(adresse >> 8);
    low = quint8(adresse & 0xFF);
    return true;
}

QString HEX_2(int n) {
    return n < 0 || n > 0xFF ? QString() : hex(n, 2);
}

QString HEX_4(int n) {
    return n < 0 || n > 0xFFFF ? QString() : hex(n, 4);
}

SpeicherAntwort EEPROM_ADRESSE_SETZEN(Link& link, int slave, int adresse, int anzahl) {
    const QByteArray daten = adressBytes(adresse, anzahl);
    link.RAHMEN_SENDEN({befehl::MT_DATEN, quint8(slave), 0, double(daten.size()), 0, daten});
    return quittung(link, false);
}

SpeicherAntwort EEPROM_BLOCK_LESEN(Link& link, int slave, int n) {
    SpeicherAntwort a = blockLesen(link, slave, n);
    // The link's display shows a single byte where it shows a block.
    if (n == 1 && !a.antwort.bytes.isEmpty() && !a.ohneAntwort())
        link.EMPFANGSPUFFER[1] = a.antwort.byte(0);
    if (a == SpeicherAntwort::SchlussFalsch)
        a.art = SpeicherAntwort::KeinAck;
    return a;
}

SpeicherAntwort EEPROM_BYTE_SCHREIBEN(Link& link, int slave, int adresse, int anzahl, quint8 wert) {
    QByteArray daten = adressBytes(adresse, anzahl);
    daten.append(char(wert));
    link.RAHMEN_SENDEN({befehl::MT_DATEN_STOP, quint8(slave), 0, double(daten.size()), 0, daten});
    return quittung(link, false);
}

SpeicherAntwort EEPROM_SEITE_SCHREIBEN(Link& link, int slave, const QByteArray& daten) {
    link.RAHMEN_SENDEN({befehl::DATEN_SENDEN, quint8(slave), 0, double(daten.size()), 0, daten});
    const SpeicherAntwort a = quittung(link, false);
    // Nothing to end when the frame never went out.
    if (a != SpeicherAntwort::NichtGesendet)
        TWI_STOP(link, slave);
    return a;
}

EepromSchreibzyklus::EepromSchreibzyklus(const PortSettings& leitung, int zeichen, int dauerMs) {
    const double pollSekunden = zeichen * leitung.bitsPerCharacter() / leitung.baud;
    m_grenze = int(std::ceil(dauerMs / 1000.0 / pollSekunden)) + 1;
}

bool EepromSchreibzyklus::nochmal(const SpeicherAntwort& antwort) {
    if (antwort == SpeicherAntwort::KeinAck && ++m_polls < m_grenze)
        return true;
    m_polls = 0;
    return false;
}

// ---------------------------------------------------------------------------------------------
// ATmega8 data space and registers
// ---------------------------------------------------------------------------------------------

namespace {

// The requests are written with command 60; both status bytes must be 0.
SpeicherAntwort anfrageSenden(Link& link, int slave, quint8 b1, quint8 b2, quint8 b3, quint8 b4) {
    const char daten[4] = {char(b1), char(b2), char(b3), char(b4)};
    link.RAHMEN_SENDEN(Request(befehl::MT_DATEN, quint8(slave), 0, 4, 0, QByteArray(daten, 4)));
    return quittung(link, true);
}

bool gueltigeAdresse(int slave) {
    return slave >= 0 && slave <= 127;
}

} // namespace

SpeicherAntwort SRAM_ZEIGER_SETZEN(Link& link, int slave, int adresse) {
    if (!gueltigeAdresse(slave) || adresse < 0 || adresse > 0xFFFF)
        return SpeicherAntwort::Ungueltig;
    return anfrageSenden(link, slave, anfrage::SRAM_ZEIGER, quint8(adresse & 0xFF),
                         quint8(adresse >> 8), 0);
}

SpeicherAntwort SRAM_BLOCK_LESEN(Link& link, int slave, int anzahl) {
    if (!gueltigeAdresse(slave) || anzahl < 1 || anzahl > 0xFFFF)
        return SpeicherAntwort::Ungueltig;
    return blockLesen(link, slave, anzahl);
}

SpeicherAntwort SRAM_WERT_SCHREIBEN(Link& link, int slave, int adresse, quint8 wert) {
    if (!gueltigeAdresse(slave) || adresse < 0 || adresse > 0xFFFF)
        return SpeicherAntwort::Ungueltig;
    return anfrageSenden(link, slave, anfrage::SRAM_SCHREIBEN, quint8(adresse & 0xFF),
                         quint8(adresse >> 8), wert);
}

SpeicherAntwort REGISTER_ANFORDERN(Link& link, int slave) {
    if (!gueltigeAdresse(slave))
        return SpeicherAntwort::Ungueltig;
    return anfrageSenden(link, slave, anfrage::REGISTER_LESEN, 0, 0, 0);
}

SpeicherAntwort REGISTER_DUMP_LESEN(Link& link, int slave) {
    if (!gueltigeAdresse(slave))
        return SpeicherAntwort::Ungueltig;
    // The slave's echo, then R0..R31.
    SpeicherAntwort a = blockLesen(link, slave, 32, 1);
    if (a != SpeicherAntwort::Ok && a != SpeicherAntwort::SchlussFalsch)
        return a;
    const bool echo = a.antwort.byte(0) == anfrage::REGISTER_LESEN;
    a.antwort.bytes.remove(0, 1);
    if (!echo) {
        a.antwort.outcome = Reply::Outcome::NotAcknowledged;
        a.art = SpeicherAntwort::EchoFalsch;
    }
    if (a != SpeicherAntwort::Ok)
        a.antwort.bytes.clear();
    return a;
}

SpeicherAntwort REGISTER_WERT_SCHREIBEN(Link& link, int slave, int k, quint8 wert) {
    if (!gueltigeAdresse(slave) || k < 0 || k > 31)
        return SpeicherAntwort::Ungueltig;
    return anfrageSenden(link, slave, anfrage::REGISTER_SCHREIBEN, quint8(k), wert, 0);
}

} // namespace zelmar
