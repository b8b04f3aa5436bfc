#pragma once

// What a serial EEPROM at a slave address is, found by reading only. The chip's bytes are read
// through different address phases and compared: a two-byte address phase that a one-byte chip
// takes as its address and a data byte gives the same bytes for two different addresses; a
// chip whose pointer wraps gives the bytes of address 0 again at its size. Every address phase
// is followed by a read (a repeated START, which throws away a byte a one-address-byte chip
// took as data), never by a STOP that would start a write. An address phase that is not
// acknowledged ends with a STOP: nothing was taken into a page then.
//
// The answer is a suggestion: contents that repeat, or every byte alike (an erased chip),
// cannot tell the geometry, and then nothing is suggested.

#include "eeprombausteine.h"
#include "link.h"
#include "memory.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace zelmar {

struct EepromErkennung {
    enum class Ergebnis {
        Erkannt, // address bytes and the size one slave address reaches
        Unklar,  // the chip answers; its contents do not tell
        Stumm,   // nothing acknowledged the address
        Leitung, // the link failed (STATUS_CODE of the link says how)
    };
    Ergebnis ergebnis = Ergebnis::Leitung;
    int slave = 0;
    int adressBytes = 0;
    int groesse = 0; // bytes one slave address reaches
    // The neighbouring addresses of a chip with block bits that answer as well (from the
    // aligned first one on), when the size is one a block of a larger chip has.
    QList<int> auchAn;
    // Chips that fit, the likeliest first; empty unless Erkannt.
    QList<EepromBaustein> vorschlaege;

    // One line in English for zelmar-cli, one in German for the window.
    QString text() const;
    QString textDeutsch() const;
};

// The probes one at a time, so a job can return to the event loop between them.
class EepromErkenner {
public:
    // Without `nachbarn` the neighbouring addresses are not asked (nothing is suggested for
    // block bits).
    explicit EepromErkenner(int slave, bool nachbarn = true);
    // One probe (an address phase and a read, or a bare read); false when the answer is in.
    bool schritt(Link& link);
    const EepromErkennung& ergebnis() const { return m_e; }

    static constexpr int FENSTER = 48; // bytes compared per probe

private:
    enum class Phase {
        Zweibyte0,
        Zweibyte16,
        Einbyte0,
        Einbyte0Geschuetzt,
        Einbyte128,
        Umlauf,
        Nachbarn,
        Fertig
    };
    // An address phase and a read of FENSTER bytes; a STOP after one not acknowledged.
    static EepromAntwort fenster(Link& link, int slave, int adresse, int adressBytes,
                                 QByteArray* daten);
    // What the windows read at 0 and 16 through two address bytes tell: 1, 2, or 0 (nothing).
    static int adressBytes(const QByteArray& p0, const QByteArray& p16);
    // fenster(), and the end of the run when it failed.
    bool lesen(Link& link, int slave, int adresse, int adressBytes, QByteArray* daten);
    void ende(EepromErkennung::Ergebnis e);
    void groesseBekannt(int groesse);

    EepromErkennung m_e;
    Phase m_phase = Phase::Zweibyte0;
    QByteArray m_p0, m_p16, m_w0;
    int m_kandidat = 4096;
    int m_nachbar = 0;
    bool m_nachbarn;
};

// The whole detection at once (zelmar-cli).
EepromErkennung EEPROM_ERKENNEN(Link& link, int slave, bool nachbarn = true);

} // namespace zelmar
