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
    if (!read(link, n) || !read(link, 1))
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

} // namespace zelmar
