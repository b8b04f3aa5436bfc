#pragma once

// Memory requests of the slaves. Every operation takes the slave's address, is one frame and
// the reads of its reply, and hands back what it got; nothing is left for a caller to pick up
// from the link's buffers after another transaction may have run.

#include "link.h"

#include <QByteArray>

#include <array>

namespace zelmar {

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
