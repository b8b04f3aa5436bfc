#pragma once

// Memory requests over the link: what the memory tools read and write behind a slave address.
// Every operation takes the slave's address, runs its frames and the reads of their replies,
// and says how it went; nothing is left for a caller to pick up from the link's buffers after
// another transaction may have run.

#include "link.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace zelmar {

// ===========================================================================================
// Serial EEPROM: one or two address bytes after the device address, sequential
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

// ---------------------------------------------------------------------------------------------
// ATmega8 data space and registers
//
// The slave firmware serves its data space (R0..R31 at 0..31, the I/O registers at 32..95,
// the SRAM above) through 4-byte requests written with command 60: 115 sets its read pointer
// (address low byte first), 215 writes one byte, 112 prepares a dump of R0..R31 and 211 writes
// one register. A master read (command 80) then returns the bytes.
// ---------------------------------------------------------------------------------------------

enum class Atmega8Ergebnis {
    Ok,
    Ungueltig,     // address, register or count out of range: nothing was sent
    NichtGesendet, // the engine refused the frame and has said so
    KeineAntwort,  // the line failed (time-out, port closed): see STATUS_CODE
    KeinAck,       // the interface reported a status byte other than 0
    EchoFalsch,    // the register dump did not begin with 112
    SchlussFalsch, // the trailing status byte of the read was not 0
};

// Request 115: the slave's read pointer to `adresse` (0..65535). Both status bytes are read.
Atmega8Ergebnis SRAM_ZEIGER_SETZEN(Link& link, int slave, int adresse);
// Command 80 for `anzahl` bytes (1..65535) from the pointer on. `daten` gets them whenever the
// slave answered the read (leading status 0), also with a trailing status other than 0.
Atmega8Ergebnis SRAM_BLOCK_LESEN(Link& link, int slave, int anzahl, QByteArray* daten);
// Request 215: one byte at `adresse`. The transfer is left open; the next read starts anew.
Atmega8Ergebnis SRAM_WERT_SCHREIBEN(Link& link, int slave, int adresse, quint8 wert);

// Request 112 and its acknowledgement; the dump follows with REGISTER_DUMP_LESEN.
Atmega8Ergebnis REGISTER_ANFORDERN(Link& link, int slave);
// The 33-byte reply: the echo 112, then R0..R31 into `werte` (only on Ok).
Atmega8Ergebnis REGISTER_DUMP_LESEN(Link& link, int slave, std::array<quint8, 32>* werte);
// Request 211: `wert` into register `k` (0..31).
Atmega8Ergebnis REGISTER_WERT_SCHREIBEN(Link& link, int slave, int k, quint8 wert);

} // namespace zelmar
