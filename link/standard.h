#pragma once

// Slave standard commands: a 4-byte request written with command 60, a 4-byte reply read with
// command 80, and the bare probes the windows use. Every operation leaves its outcome in the
// link's variables; STATUS_CODE 0 is the only sign of success.

#include "link.h"

#include <QDate>
#include <QString>
#include <QTime>

namespace zelmar {

// Writes SENDEPUFFER 1..4 to SLAVE_ADRESSE: command 60, four data bytes, no STOP.
void STANDARD_BEFEHL_SENDEN(Link& link);
// Reads the acknowledgement and the 4-byte reply into EMPFANGSPUFFER 1..4. A slave that did
// not acknowledge gives STATUS_CODE 110 after a STOP; a failed link keeps its own code.
void STANDARD_ANTWORT_LESEN(Link& link);
// One standard command to SLAVE_ADRESSE.
void STANDARD_BEFEHL(Link& link, quint8 code, quint8 p2 = 0, quint8 p3 = 0, quint8 p4 = 0);

inline void STANDARD_BEFEHL_0(Link& l) {
    STANDARD_BEFEHL(l, 0);
} // "Dummy"
inline void STANDARD_BEFEHL_10(Link& l) {
    STANDARD_BEFEHL(l, 10);
} // "RESET"
inline void STANDARD_BEFEHL_15(Link& l) {
    STANDARD_BEFEHL(l, 15);
} // "CLEAR"
inline void STANDARD_BEFEHL_20(Link& l) {
    STANDARD_BEFEHL(l, 20);
} // "SPAR-ON"
inline void STANDARD_BEFEHL_21(Link& l) {
    STANDARD_BEFEHL(l, 21);
} // "SPAR-OFF"
inline void STANDARD_BEFEHL_101(Link& l) {
    STANDARD_BEFEHL(l, 101);
} // "FEHLER"
inline void STANDARD_BEFEHL_102(Link& l) {
    STANDARD_BEFEHL(l, 102);
} // "FEHLER ANZAHL"
inline void STANDARD_BEFEHL_105(Link& l) {
    STANDARD_BEFEHL(l, 105);
} // "DATUM" holen
inline void STANDARD_BEFEHL_110(Link& l) {
    STANDARD_BEFEHL(l, 110);
} // "ZEIT" holen
inline void STANDARD_BEFEHL_119(Link& l) {
    STANDARD_BEFEHL(l, 119);
} // switch positions
inline void STANDARD_BEFEHL_120(Link& l) {
    STANDARD_BEFEHL(l, 120);
} // "WERT-0"
inline void STANDARD_BEFEHL_121(Link& l) {
    STANDARD_BEFEHL(l, 121);
}
inline void STANDARD_BEFEHL_122(Link& l) {
    STANDARD_BEFEHL(l, 122);
}
inline void STANDARD_BEFEHL_123(Link& l) {
    STANDARD_BEFEHL(l, 123);
}
inline void STANDARD_BEFEHL_124(Link& l) {
    STANDARD_BEFEHL(l, 124);
} // "WERT-4"
inline void STANDARD_BEFEHL_150(Link& l) {
    STANDARD_BEFEHL(l, 150);
} // "sonstiges 0"
inline void STANDARD_BEFEHL_151(Link& l) {
    STANDARD_BEFEHL(l, 151);
}
inline void STANDARD_BEFEHL_152(Link& l) {
    STANDARD_BEFEHL(l, 152);
}
inline void STANDARD_BEFEHL_153(Link& l) {
    STANDARD_BEFEHL(l, 153);
}
inline void STANDARD_BEFEHL_154(Link& l) {
    STANDARD_BEFEHL(l, 154);
} // "sonstiges 4"
// "DATUM" senden and the switch setting carry day, month and the two-digit year.
void STANDARD_BEFEHL_205(Link& link, const QDate& date);
void STANDARD_BEFEHL_210(Link& link, const QTime& time);
void STANDARD_BEFEHL_219(Link& link, const QDate& date);

// Reply bytes 2..3 (16-bit) or 2..4 (24-bit) of EMPFANGSPUFFER as signed numbers.
double ANTWORT_WERT_16BIT(const Link& link);
double ANTWORT_WERT_24BIT(const Link& link);

// The slave's 16-character name, or 16 question marks when it could not be read.
QString SLAVE_INFO_LESEN(Link& link);
// "hh:mm:ss" and "dd.mm.yy" of the slave at the address ("00:00:00" / "00.00.00" on failure).
QString SLAVE_ZEIT_LESEN(Link& link, int adresse);
QString SLAVE_DATUM_LESEN(Link& link, int adresse);
void SLAVE_ZEIT_SETZEN(Link& link, const QTime& now);
void SLAVE_DATUM_SETZEN(Link& link, const QDate& today);

// Measured values of the slave at the address; 0 with STATUS_CODE != 0 on failure.
double MESSWERT_LESEN_120_16BIT(Link& link, int adresse);
double MESSWERT_LESEN_120(Link& link, int adresse);
double MESSWERT_LESEN_121(Link& link, int adresse);
double MESSWERT_LESEN_150(Link& link, int adresse);
double MESSWERT_LESEN_151(Link& link, int adresse);

// Probe: -1 when the address was acknowledged, else 0; recorded in SLAVE_GEFUNDEN.
// No STOP follows; a scan ends with TWI_STOP.
int SLAVE_SUCHEN(Link& link, int adresse);
// Command 50 without data: true when the slave acknowledged.
bool SLAVE_ANSPRECHEN_MIT_STOP(Link& link, int adresse);
void TWI_STOP(Link& link);

} // namespace zelmar
