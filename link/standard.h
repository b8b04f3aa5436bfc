#pragma once

// Slave standard commands: a 4-byte request written with command 60, a 4-byte reply read with
// command 80, and the bare probes the windows use. Every operation takes the slave's address
// and returns its Reply (the readers of a value hand it out through `antwort`); the link's
// variables show the last frame as before.

#include "link.h"
#include "reply.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <array>

namespace zelmar {

// Writes the 4-byte request to the slave: command 60, four data bytes, no STOP.
void STANDARD_BEFEHL_SENDEN(Link& link, int adresse, const std::array<quint8, 4>& anfrage);
// Reads the acknowledgement and the 4-byte reply: Done with the four bytes (also shown in
// EMPFANGSPUFFER 1..4). A slave that did not acknowledge gives NotAcknowledged with code 110
// after a STOP; a failed link keeps its own code. The bytes are empty unless Done.
Reply STANDARD_ANTWORT_LESEN(Link& link, int adresse);
// One standard command to the slave at the address.
Reply STANDARD_BEFEHL(Link& link, int adresse, quint8 code, quint8 p2 = 0, quint8 p3 = 0,
                      quint8 p4 = 0);

template <quint8 Code> Reply standardBefehlOhneParameter(Link& link, int adresse) {
    return STANDARD_BEFEHL(link, adresse, Code);
}
// The members of the family without parameters, by request code and caption.
constexpr auto STANDARD_BEFEHL_0 = standardBefehlOhneParameter<anfrage::DUMMY>;    // "Dummy"
constexpr auto STANDARD_BEFEHL_10 = standardBefehlOhneParameter<anfrage::RESET>;   // "RESET"
constexpr auto STANDARD_BEFEHL_15 = standardBefehlOhneParameter<anfrage::CLEAR>;   // "CLEAR"
constexpr auto STANDARD_BEFEHL_20 = standardBefehlOhneParameter<anfrage::SPAR_ON>; // "SPAR-ON"
constexpr auto STANDARD_BEFEHL_21 = standardBefehlOhneParameter<anfrage::SPAR_OFF>;
constexpr auto STANDARD_BEFEHL_101 = standardBefehlOhneParameter<anfrage::FEHLER>;
constexpr auto STANDARD_BEFEHL_102 = standardBefehlOhneParameter<anfrage::FEHLER_ANZAHL>;
constexpr auto STANDARD_BEFEHL_105 = standardBefehlOhneParameter<anfrage::DATUM_HOLEN>;
constexpr auto STANDARD_BEFEHL_110 = standardBefehlOhneParameter<anfrage::ZEIT_HOLEN>;
constexpr auto STANDARD_BEFEHL_119 = standardBefehlOhneParameter<anfrage::SCHALTER_HOLEN>;
constexpr auto STANDARD_BEFEHL_120 = standardBefehlOhneParameter<120>; // "WERT-0"
constexpr auto STANDARD_BEFEHL_121 = standardBefehlOhneParameter<121>;
constexpr auto STANDARD_BEFEHL_122 = standardBefehlOhneParameter<122>;
constexpr auto STANDARD_BEFEHL_123 = standardBefehlOhneParameter<123>;
constexpr auto STANDARD_BEFEHL_124 = standardBefehlOhneParameter<124>; // "WERT-4"
constexpr auto STANDARD_BEFEHL_150 = standardBefehlOhneParameter<150>; // "sonstiges 0"
constexpr auto STANDARD_BEFEHL_151 = standardBefehlOhneParameter<151>;
constexpr auto STANDARD_BEFEHL_152 = standardBefehlOhneParameter<152>;
constexpr auto STANDARD_BEFEHL_153 = standardBefehlOhneParameter<153>;
constexpr auto STANDARD_BEFEHL_154 = standardBefehlOhneParameter<154>; // "sonstiges 4"
// "DATUM" senden and the switch setting carry day, month and the two-digit year.
Reply STANDARD_BEFEHL_205(Link& link, int adresse, const QDate& date);
Reply STANDARD_BEFEHL_210(Link& link, int adresse, const QTime& time);
Reply STANDARD_BEFEHL_219(Link& link, int adresse, const QDate& date);

// Reply bytes 2..3 (16-bit) or 2..4 (24-bit) of a standard command's reply as signed numbers.
double ANTWORT_WERT_16BIT(const Reply& antwort);
double ANTWORT_WERT_24BIT(const Reply& antwort);

// The readers below hand their Reply out through `antwort` when it is given.

// The slave's 16-character name, or 16 question marks when it could not be read. The reply's
// bytes are the 16 name bytes.
QString SLAVE_INFO_LESEN(Link& link, int adresse, Reply* antwort = nullptr);
// "hh:mm:ss" and "dd.mm.yy" of the slave at the address ("00:00:00" / "00.00.00" on failure).
QString SLAVE_ZEIT_LESEN(Link& link, int adresse, Reply* antwort = nullptr);
QString SLAVE_DATUM_LESEN(Link& link, int adresse, Reply* antwort = nullptr);
Reply SLAVE_ZEIT_SETZEN(Link& link, int adresse, const QTime& now);
Reply SLAVE_DATUM_SETZEN(Link& link, int adresse, const QDate& today);

// Measured values of the slave at the address; 0 on failure (the reply says which).
double MESSWERT_LESEN_120_16BIT(Link& link, int adresse, Reply* antwort = nullptr);
double MESSWERT_LESEN_120(Link& link, int adresse, Reply* antwort = nullptr);
double MESSWERT_LESEN_121(Link& link, int adresse, Reply* antwort = nullptr);
double MESSWERT_LESEN_150(Link& link, int adresse, Reply* antwort = nullptr);
double MESSWERT_LESEN_151(Link& link, int adresse, Reply* antwort = nullptr);

// Probe: -1 when the address was acknowledged, else 0; recorded in SLAVE_GEFUNDEN. The reply
// holds the status bytes that came (none: the interface is silent). No STOP follows; a scan
// ends with TWI_STOP.
int SLAVE_SUCHEN(Link& link, int adresse, Reply* antwort = nullptr);
// Command 50 without data: true when the slave acknowledged.
bool SLAVE_ANSPRECHEN_MIT_STOP(Link& link, int adresse, Reply* antwort = nullptr);
// Command 100: releases the bus claimed by a transfer to the slave at the address.
Reply TWI_STOP(Link& link, int adresse);

// SLAVE_ZEIT_LESEN, SLAVE_DATUM_LESEN, the MESSWERT_LESEN family, SLAVE_SUCHEN and
// SLAVE_ANSPRECHEN_MIT_STOP make the slave they address the current one (SLAVE_ADRESSE), so the
// status lines show it; nothing reads it back during their transactions.

} // namespace zelmar
