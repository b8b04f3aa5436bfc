#pragma once

// The five TWI registers of the interface's controller, one transaction each: commands 20..24
// read a register, 30..34 write the frame's value byte into one; no data bytes travel and one
// reply byte comes back. And what the values mean: the status code in TWSR, the TWINT flag in
// TWCR, the master status codes in a few German words.

#include "link.h"
#include "reply.h"

#include <QString>

namespace zelmar {

// In the order of the commands: TWBR is 20 / 30, TWDR 24 / 34.
enum class TwiRegister { TWBR = 0, TWSR = 1, TWAR = 2, TWCR = 3, TWDR = 4 };

// The bits of TWCR.
namespace twcr {
constexpr quint8 TWIE = 0x01;
constexpr quint8 TWEN = 0x04;
constexpr quint8 TWWC = 0x08;
constexpr quint8 TWSTO = 0x10;
constexpr quint8 TWSTA = 0x20;
constexpr quint8 TWEA = 0x40;
constexpr quint8 TWINT = 0x80;
} // namespace twcr

// The register's value; 0 when no reply came or the frame never went out (`antwort` says which).
quint8 TWI_REGISTER_LESEN(Link& link, int adresse, TwiRegister r, Reply* antwort = nullptr);
// The value goes into the register; the reply byte means nothing.
Reply TWI_REGISTER_SCHREIBEN(Link& link, int adresse, TwiRegister r, quint8 wert);

// TWSR without the prescaler bits and the reserved bit 2: the status code.
constexpr quint8 twsrStatus(quint8 twsr) {
    return twsr & 0xF8;
}
// TWSR_BEREINIGT_HEX of a TWSR value: the status code in upper-case hex without leading zeros
// ("8", "F8", and "0" for the 0 a read without reply gives).
QString twsrBereinigtHex(quint8 twsr);
// TWINT_FLAG of a TWCR value: the bus event is done.
constexpr bool twintFlag(quint8 twcr) {
    return twcr & twcr::TWINT;
}

// The TWSR read got no reply: its "0" is not the bus error status 0x00.
constexpr int TWI_KEINE_ANTWORT = -1;
// What a master status code means ("SLA+W gesendet, ACK empfangen"), or TWI_KEINE_ANTWORT.
QString twiStatusErklaerung(int status);

} // namespace zelmar
