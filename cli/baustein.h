#pragma once

// Which EEPROM a command works on, and reads and writes that keep to its geometry.

#include "sitzung.h"

#include "link/eeprombausteine.h"
#include "link/memory.h"

namespace zelmar::cli {

// The chip at `slave`: the one --chip names, or else what reading it shows, which must agree
// with the address bytes assumed (--address-bytes, default 2). With `ganz` (a command on the
// whole chip) the chip must be the 64 KiB one unless --chip names it. False after saying why.
// What a failed EEPROM request says: the line's status, or that nothing acknowledged.
int eepromFehler(Sitzung& s, const SpeicherAntwort& r, int slave, int adresse);

bool bausteinBestimmen(Sitzung& s, int slave, bool ganz, EepromBaustein* b, int* status);

// A usage error unless `slave` is the first address of the chip (its block bits 0).
bool ersteAdresse(Sitzung& s, const EepromBaustein& b, int slave, int* status);

// A usage error unless n bytes from `start` on lie within the chip; nothing has been sent.
bool imBaustein(Sitzung& s, const EepromBaustein& b, int slave, int start, int n, int* status);

// n bytes from `start` on, never across a block (the chip's pointer wraps there); false after
// saying why.
bool bausteinLesen(Sitzung& s, const EepromBaustein& b, int slave, int start, int n,
                   QByteArray* daten, int* status);

// One byte write each, after the previous byte's write cycle; false after saying why.
bool bausteinSchreiben(Sitzung& s, const EepromBaustein& b, int slave, int start,
                       const QByteArray& daten, int* status);

} // namespace zelmar::cli
