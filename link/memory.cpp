#include "memory.h"

#include "standard.h"

namespace zelmar {

namespace {

// Reads that belong together stop at the first failure: once the line has failed, every
// further read would only wait out another time-out.
bool read(Link& link, int count) {
    link.DATEN_EMPFANGEN(count);
    return link.STATUS_CODE == STATUS_OK;
}

QString hex(int n, int digits) {
    return QLatin1Char('x') + QStringLiteral("%1").arg(n, digits, 16, QLatin1Char('0')).toUpper();
}

// The two status bytes of commands 50, 60 and 65, read one at a time; the second tells.
EepromAntwort status(Link& link) {
    if (!read(link, 1) || !read(link, 1))
        return EepromAntwort::Leitung;
    return link.EMPFANGSBYTE == 0 ? EepromAntwort::Ok : EepromAntwort::KeinAck;
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

EepromAntwort EEPROM_ADRESSE_SETZEN(Link& link, int slave, int adresse, int anzahl) {
    const QByteArray daten = adressBytes(adresse, anzahl);
    link.RAHMEN_SENDEN({befehl::MT_DATEN, quint8(slave), 0, double(daten.size()), 0, daten});
    return status(link);
}

EepromAntwort EEPROM_BLOCK_LESEN(Link& link, int slave, int n) {
    link.RAHMEN_SENDEN({befehl::MR_DATEN_STOP, quint8(slave), 0, 0, double(n)});
    if (!read(link, 1))
        return EepromAntwort::Leitung;
    const bool fuehrendOk = link.EMPFANGSBYTE == 0;
    if (!read(link, n))
        return EepromAntwort::Leitung;
    // A read of one byte leaves it in EMPFANGSBYTE only, where the trailing status would land.
    if (n == 1)
        link.EMPFANGSPUFFER[1] = link.EMPFANGSBYTE;
    if (!read(link, 1))
        return EepromAntwort::Leitung;
    return fuehrendOk && link.EMPFANGSBYTE == 0 ? EepromAntwort::Ok : EepromAntwort::KeinAck;
}

EepromAntwort EEPROM_BYTE_SCHREIBEN(Link& link, int slave, int adresse, int anzahl, quint8 wert) {
    QByteArray daten = adressBytes(adresse, anzahl);
    daten.append(char(wert));
    link.RAHMEN_SENDEN({befehl::MT_DATEN_STOP, quint8(slave), 0, double(daten.size()), 0, daten});
    return status(link);
}

EepromAntwort EEPROM_SEITE_SCHREIBEN(Link& link, int slave, const QByteArray& daten) {
    link.RAHMEN_SENDEN({befehl::DATEN_SENDEN, quint8(slave), 0, double(daten.size()), 0, daten});
    const EepromAntwort a = status(link);
    // Nothing to end when the frame never went out.
    if (!link.refused())
        TWI_STOP(link, slave);
    return a;
}

// ---------------------------------------------------------------------------------------------
// ATmega8 data space and registers
// ---------------------------------------------------------------------------------------------

namespace {

void anfrageSenden(Link& link, int slave, quint8 b1, quint8 b2, quint8 b3, quint8 b4) {
    const char daten[4] = {char(b1), char(b2), char(b3), char(b4)};
    link.RAHMEN_SENDEN(Request(befehl::MT_DATEN, quint8(slave), 0, 4, 0, QByteArray(daten, 4)));
}

bool lesen(Link& link, int anzahl) {
    link.DATEN_EMPFANGEN(anzahl);
    return link.STATUS_CODE == STATUS_OK;
}

Atmega8Ergebnis leitungsFehler(const Link& link) {
    return link.refused() ? Atmega8Ergebnis::NichtGesendet : Atmega8Ergebnis::KeineAntwort;
}

// The two status bytes of a frame sent with command 60. Both are read before either is judged:
// the second one comes anyway and must not be taken for the reply of the next frame.
Atmega8Ergebnis quittung(Link& link) {
    if (!lesen(link, 1))
        return leitungsFehler(link);
    const quint8 adressPhase = link.EMPFANGSBYTE;
    if (!lesen(link, 1))
        return leitungsFehler(link);
    return adressPhase == 0 && link.EMPFANGSBYTE == 0 ? Atmega8Ergebnis::Ok
                                                      : Atmega8Ergebnis::KeinAck;
}

bool gueltigeAdresse(int slave) {
    return slave >= 0 && slave <= 127;
}

} // namespace

Atmega8Ergebnis SRAM_ZEIGER_SETZEN(Link& link, int slave, int adresse) {
    if (!gueltigeAdresse(slave) || adresse < 0 || adresse > 0xFFFF)
        return Atmega8Ergebnis::Ungueltig;
    anfrageSenden(link, slave, anfrage::SRAM_ZEIGER, quint8(adresse & 0xFF), quint8(adresse >> 8),
                  0);
    return quittung(link);
}

Atmega8Ergebnis SRAM_BLOCK_LESEN(Link& link, int slave, int anzahl, QByteArray* daten) {
    if (!gueltigeAdresse(slave) || anzahl < 1 || anzahl > 0xFFFF)
        return Atmega8Ergebnis::Ungueltig;
    link.RAHMEN_SENDEN(Request(befehl::MR_DATEN_STOP, quint8(slave), 0, 0, anzahl));
    // Leading status, the bytes, trailing status: the whole reply is taken off the line.
    if (!lesen(link, 1))
        return leitungsFehler(link);
    const quint8 anfang = link.EMPFANGSBYTE;
    if (!lesen(link, anzahl))
        return leitungsFehler(link);
    QByteArray bytes;
    if (anzahl == 1)
        bytes.append(char(link.EMPFANGSBYTE));
    else
        bytes = QByteArray(reinterpret_cast<const char*>(link.EMPFANGSPUFFER.data() + 1), anzahl);
    if (!lesen(link, 1))
        return leitungsFehler(link);
    if (anfang != 0)
        return Atmega8Ergebnis::KeinAck; // the interface fills in for a slave that is not there
    if (daten)
        *daten = bytes;
    return link.EMPFANGSBYTE == 0 ? Atmega8Ergebnis::Ok : Atmega8Ergebnis::SchlussFalsch;
}

Atmega8Ergebnis SRAM_WERT_SCHREIBEN(Link& link, int slave, int adresse, quint8 wert) {
    if (!gueltigeAdresse(slave) || adresse < 0 || adresse > 0xFFFF)
        return Atmega8Ergebnis::Ungueltig;
    anfrageSenden(link, slave, anfrage::SRAM_SCHREIBEN, quint8(adresse & 0xFF),
                  quint8(adresse >> 8), wert);
    return quittung(link);
}

Atmega8Ergebnis REGISTER_ANFORDERN(Link& link, int slave) {
    if (!gueltigeAdresse(slave))
        return Atmega8Ergebnis::Ungueltig;
    anfrageSenden(link, slave, anfrage::REGISTER_LESEN, 0, 0, 0);
    return quittung(link);
}

Atmega8Ergebnis REGISTER_DUMP_LESEN(Link& link, int slave, std::array<quint8, 32>* werte) {
    if (!gueltigeAdresse(slave))
        return Atmega8Ergebnis::Ungueltig;
    link.RAHMEN_SENDEN(Request(befehl::MR_DATEN_STOP, quint8(slave), 0, 0, 33));
    // The interface's leading status, the slave's echo, R0..R31, the trailing status.
    if (!lesen(link, 1))
        return leitungsFehler(link);
    const quint8 anfang = link.EMPFANGSBYTE;
    if (!lesen(link, 1))
        return leitungsFehler(link);
    const quint8 echo = link.EMPFANGSBYTE;
    if (!lesen(link, 32))
        return leitungsFehler(link);
    std::array<quint8, 32> gelesen{};
    std::copy_n(link.EMPFANGSPUFFER.begin() + 1, 32, gelesen.begin());
    if (!lesen(link, 1))
        return leitungsFehler(link);
    if (anfang != 0)
        return Atmega8Ergebnis::KeinAck;
    if (echo != anfrage::REGISTER_LESEN)
        return Atmega8Ergebnis::EchoFalsch;
    if (link.EMPFANGSBYTE != 0)
        return Atmega8Ergebnis::SchlussFalsch;
    if (werte)
        *werte = gelesen;
    return Atmega8Ergebnis::Ok;
}

Atmega8Ergebnis REGISTER_WERT_SCHREIBEN(Link& link, int slave, int k, quint8 wert) {
    if (!gueltigeAdresse(slave) || k < 0 || k > 31)
        return Atmega8Ergebnis::Ungueltig;
    anfrageSenden(link, slave, anfrage::REGISTER_SCHREIBEN, quint8(k), wert, 0);
    return quittung(link);
}

} // namespace zelmar
