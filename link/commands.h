#pragma once

// The numbers of the interface protocol: the commands of the request frame, the request codes
// of the slave standard commands, and the status codes of the link.

#include <QtGlobal>

namespace zelmar {

// Interface commands (frame position 2) and how many reply bytes each one gets.
namespace befehl {
constexpr quint8 DUMMY = 0;                   // 1: 0 = interface alive
constexpr quint8 MCUCSR = 1;                  // 1: reset cause
constexpr quint8 MCUCSR_CLEAR = 2;            // 1
constexpr quint8 SPANNUNG = 3;                // 1: supply voltage in 0.1 V
constexpr quint8 NAME = 4;                    // 16: the interface's name
constexpr quint8 TWI_AUS = 5;                 // 1
constexpr quint8 TWI_PINS = 8;                // 1: 0 ok, 1 SDA, 2 SCL, 3 both
constexpr quint8 BUS_SPANNUNG_RESET = 9;      // 1: the slaves' supply switched off and on
constexpr quint8 RESET = 10;                  // 1: the interface controller resets
constexpr quint8 BETRIEBSSPANNUNG_RESET = 11; // 1
constexpr quint8 TAKT = 12;                   // 4: clock in Hz, little-endian
constexpr quint8 FEHLERCODE = 15;             // 1
constexpr quint8 TWBR_LESEN = 20;             // 20..24: TWBR, TWSR, TWAR, TWCR, TWDR; 1 byte
constexpr quint8 TWSR_LESEN = 21;
constexpr quint8 TWAR_LESEN = 22;
constexpr quint8 TWCR_LESEN = 23;
constexpr quint8 TWDR_LESEN = 24;
constexpr quint8 TWBR_SETZEN = 30; // 30..34: the value in the value byte; 1 byte
constexpr quint8 TWSR_SETZEN = 31;
constexpr quint8 TWAR_SETZEN = 32;
constexpr quint8 TWCR_SETZEN = 33;
constexpr quint8 TWDR_SETZEN = 34;
constexpr quint8 MT_DATEN_STOP = 50; // START MT + data + STOP; 2 status bytes
constexpr quint8 MT_DATEN = 60;      // START MT + data, the bus stays claimed; 2
constexpr quint8 DATEN_SENDEN = 65;  // more data within the transfer of 60; 2
constexpr quint8 MR_DATEN_STOP = 80; // START MR, m bytes, STOP; 1 + m + 1
constexpr quint8 STOP = 100;         // 2, not evaluated
} // namespace befehl

// Reply bytes the interface sends for a command whose frame asks for `anzahlEmpfangen` bytes:
// the leading status, the bytes and the trailing status for a read, two status bytes for the
// bus transfers, 16 for the name, 4 for the clock, one for everything else.
constexpr int antwortBytes(quint8 b, int anzahlEmpfangen) {
    switch (b) {
    case befehl::MR_DATEN_STOP:
        return 2 + anzahlEmpfangen;
    case befehl::MT_DATEN_STOP:
    case befehl::MT_DATEN:
    case befehl::DATEN_SENDEN:
    case befehl::STOP:
        return 2;
    case befehl::NAME:
        return 16;
    case befehl::TAKT:
        return 4;
    default:
        return 1;
    }
}

// Request codes of the slave standard commands (byte 1 of the 4-byte request).
namespace anfrage {
constexpr quint8 DUMMY = 0;
constexpr quint8 RESET = 10;
constexpr quint8 CLEAR = 15;
constexpr quint8 SPAR_ON = 20;
constexpr quint8 SPAR_OFF = 21;
constexpr quint8 SLAVE_INFO = 100; // 17 bytes: one, then the 16-character name
constexpr quint8 FEHLER = 101;
constexpr quint8 FEHLER_ANZAHL = 102;
constexpr quint8 DATUM_HOLEN = 105;
constexpr quint8 ZEIT_HOLEN = 110;
constexpr quint8 SCHALTER_HOLEN = 119;
constexpr quint8 WERT_0 = 120;      // 120..124
constexpr quint8 SONSTIGES_0 = 150; // 150..154
constexpr quint8 DATUM_SENDEN = 205;
constexpr quint8 ZEIT_SENDEN = 210;
constexpr quint8 SCHALTER_SETZEN = 219;
// Memory requests of the ATmega8 slaves.
constexpr quint8 REGISTER_LESEN = 112;     // the next read gives 112, then R0..R31
constexpr quint8 SRAM_ZEIGER = 115;        // address low, high: reads go on from there
constexpr quint8 REGISTER_SCHREIBEN = 211; // register 0..31, value
constexpr quint8 SRAM_SCHREIBEN = 215;     // address low, high, value
} // namespace anfrage

// STATUS_CODE values of the link. The windows of the manual master add their step errors.
enum : qint16 {
    STATUS_OK = 0,
    STATUS_KEIN_ACK = 110, // the slave did not acknowledge a standard command
    STATUS_KEINE_DATEN = 1000,
    STATUS_PORT_ZU = 1001,
    STATUS_ANZAHL_SENDEN = 1002,
    STATUS_ANZAHL_EMPFANGEN = 1003,
    // A read that belongs to a refused frame, or one started while another read waits.
    STATUS_NICHT_GESENDET = 1004,
    // The manual master's wait for TWINT gave up after its 1000 ms watchdog.
    STATUS_TWINT_WATCHDOG = 1100,
};

// The frame never went out (port not to be opened, counts out of range, another reply awaited):
// the refusal has been reported once, and the same request would only be refused again.
constexpr bool refused(qint16 code) {
    return code == STATUS_PORT_ZU || code == STATUS_ANZAHL_SENDEN ||
           code == STATUS_ANZAHL_EMPFANGEN || code == STATUS_NICHT_GESENDET;
}

} // namespace zelmar
