#pragma once

// Memory requests over the link: what the memory tools read and write behind a slave address.
// Every operation takes the slave's address and leaves its outcome in the link's variables.

#include "link.h"

#include <QByteArray>
#include <QString>

namespace zelmar {

// ===========================================================================================
// Serial EEPROM (24Cxx kind): one or two address bytes after the device address, sequential
// reads, byte writes and page writes.
// ===========================================================================================

// How an EEPROM transaction went. A refused frame (link.refused()) is a Leitung outcome too;
// its caller stops without a message of its own.
enum class EepromAntwort {
    Ok,
    KeinAck, // the interface answered: the EEPROM did not acknowledge
    Leitung, // the link failed (no reply, port closed, frame refused): STATUS_CODE != 0
};

// High and low byte of an EEPROM address. False for an address outside 0..65535, which
// leaves both bytes as they were.
bool ADRESSE_TEILEN(int adresse, quint8& high, quint8& low);

// "x" and two or four upper-case hexadecimal digits ("x0A", "x0096"); the empty text for a
// number that does not fit (the caller says "Fehler in Funktion").
QString HEX_2(int n);
QString HEX_4(int n);

// Points the EEPROM at the address: command 60 with one (low byte only) or two address bytes,
// two status bytes read one at a time. No STOP: the bus stays claimed for command 80 or 65.
EepromAntwort EEPROM_ADRESSE_SETZEN(Link& link, int slave, int adresse, int adressBytes = 2);

// Reads n bytes (1..65535) from the address pointer: command 80, then the leading status, the
// n bytes into EMPFANGSPUFFER 1..n and the trailing status. A leading or trailing status other
// than 0 means no EEPROM sent the bytes.
EepromAntwort EEPROM_BLOCK_LESEN(Link& link, int slave, int n);

// One byte at the address: command 50 with the address bytes and the value, then STOP.
EepromAntwort EEPROM_BYTE_SCHREIBEN(Link& link, int slave, int adresse, int adressBytes,
                                    quint8 wert);

// The data bytes of a page write after EEPROM_ADRESSE_SETZEN: command 65, then TWI_STOP in
// every case (the STOP starts the EEPROM's write cycle or releases the bus after a failure).
EepromAntwort EEPROM_SEITE_SCHREIBEN(Link& link, int slave, const QByteArray& daten);

} // namespace zelmar
