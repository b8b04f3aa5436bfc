#pragma once

// Memory requests over the link: what the memory tools read and write behind a slave address.
// Every operation takes the slave's address, runs its frames and the reads of their replies,
// and returns how it went with the bytes it read; the link's buffers only show the last frame.

#include "link.h"
#include "reply.h"

#include <QByteArray>
#include <QString>

namespace zelmar {

// ===========================================================================================
// Serial EEPROM: one or two address bytes after the device address, sequential
// reads, byte writes and page writes.
// ===========================================================================================

// How a memory request went, for the serial EEPROMs and the ATmega8 data space alike, with the
// Reply of its last transaction (status, and the bytes a read brought).
struct SpeicherAntwort {
    enum Art {
        Ok,
        Ungueltig,     // address, register or count out of range: nothing was sent
        NichtGesendet, // the engine refused the frame and has said so: stop without a message
        Leitung,       // the line failed (no reply, port closed): see the reply's status
        KeinAck,       // the interface answered: a status byte other than 0
        EchoFalsch,    // the register dump did not begin with 112
        SchlussFalsch, // the trailing status byte of a read was not 0
    };

    SpeicherAntwort(Art a = Leitung, Reply r = {}) : art(a), antwort(std::move(r)) {}

    Art art;
    Reply antwort;

    bool operator==(Art a) const { return art == a; }
    bool operator!=(Art a) const { return art != a; }
    // No reply to judge: the line failed or the frame never went out.
    bool ohneAntwort() const { return art == Leitung || art == NichtGesendet; }
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
SpeicherAntwort EEPROM_ADRESSE_SETZEN(Link& link, int slave, int adresse, int adressBytes = 2);

// Reads n bytes (1..65535) from the address pointer: command 80, then the leading status, the
// n bytes and the trailing status; the bytes come in the reply. A leading or trailing status
// other than 0 (KeinAck) means no EEPROM sent the bytes.
SpeicherAntwort EEPROM_BLOCK_LESEN(Link& link, int slave, int n);

// One byte at the address: command 50 with the address bytes and the value, then STOP.
SpeicherAntwort EEPROM_BYTE_SCHREIBEN(Link& link, int slave, int adresse, int adressBytes,
                                      quint8 wert);

// An EEPROM busy with its write cycle acknowledges nothing: a request it did not acknowledge is
// sent again until it is or the cycle's time is over. The time is counted in polls, each of
// which costs at least its frame and reply (`zeichen` characters) on the line, so the limit holds
// whatever the machine's speed. The restore job polls once a step, zelmar-cli in a loop.
class EepromSchreibzyklus {
public:
    EepromSchreibzyklus(const PortSettings& leitung, int zeichen, int dauerMs);
    // True when `antwort` was not acknowledged and the cycle may still be under way: poll again.
    // Any other answer starts the count anew.
    bool nochmal(const SpeicherAntwort& antwort);
    int grenze() const { return m_grenze; }

private:
    int m_polls = 0;
    int m_grenze;
};

// The data bytes of a page write after EEPROM_ADRESSE_SETZEN: command 65, then TWI_STOP in
// every case (the STOP starts the EEPROM's write cycle or releases the bus after a failure).
SpeicherAntwort EEPROM_SEITE_SCHREIBEN(Link& link, int slave, const QByteArray& daten);

// ---------------------------------------------------------------------------------------------
// ATmega8 data space and registers
//
// The slave firmware serves its data space (R0..R31 at 0..31, the I/O registers at 32..95,
// the SRAM above) through 4-byte requests written with command 60: 115 sets its read pointer
// (address low byte first), 215 writes one byte, 112 prepares a dump of R0..R31 and 211 writes
// one register. A master read (command 80) then returns the bytes.
// ---------------------------------------------------------------------------------------------

// Request 115: the slave's read pointer to `adresse` (0..65535). Both status bytes are read.
SpeicherAntwort SRAM_ZEIGER_SETZEN(Link& link, int slave, int adresse);
// Command 80 for `anzahl` bytes (1..65535) from the pointer on: the block read of the EEPROMs.
// The reply's bytes are the data whenever the slave answered the read (leading status 0), also
// with a trailing status other than 0.
SpeicherAntwort SRAM_BLOCK_LESEN(Link& link, int slave, int anzahl);
// Request 215: one byte at `adresse`. The transfer is left open; the next read starts anew.
SpeicherAntwort SRAM_WERT_SCHREIBEN(Link& link, int slave, int adresse, quint8 wert);

// Request 112 and its acknowledgement; the dump follows with REGISTER_DUMP_LESEN.
SpeicherAntwort REGISTER_ANFORDERN(Link& link, int slave);
// The 33-byte reply: the echo 112, then R0..R31, the reply's 32 bytes (only on Ok).
SpeicherAntwort REGISTER_DUMP_LESEN(Link& link, int slave);
// Request 211: `wert` into register `k` (0..31).
SpeicherAntwort REGISTER_WERT_SCHREIBEN(Link& link, int slave, int k, quint8 wert);

} // namespace zelmar
