#pragma once

// The dump file of a complete EEPROM read-out: one line per byte in address order,
// "00.017===> 255 " and CR LF in a German locale, 65536 lines for the 64 KiB chip and one for
// each byte of any other.

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace zelmar::dump {

constexpr qint64 ZEILEN = 65536;

// "EEPROM_65k_" + slave address + ".txt" in the data directory (with its trailing "/"); for a
// chip of another size its size in place of "65k": "EEPROM_128_81.txt", "EEPROM_2k_80.txt".
QString DUMP_DATEINAME(const QString& datenPfad, int slave, int groesse = int(ZEILEN));

// A chip's size as names and status lines give it: bytes below 1000, else whole thousands
// with "k" ("128", "2k", "65k", "262k").
QString groesseKurz(int groesse);

// A whole number with at least `stellen` digits (leading zeros), the locale's thousands
// separator between groups of three: 17 with 5 digits is "00.017", 500 with 4 is "0.500".
QString gruppiert(qint64 n, int stellen, const QLocale& locale);

// The lines of `werte` for the addresses from `ersteAdresse` on, each ended by CR LF.
QByteArray zeilen(int ersteAdresse, const QByteArray& werte, const QLocale& locale);

// How many lines the file holds (a last line without its end counts); 0 when it cannot be
// read.
qint64 zeilenZaehlen(const QString& path);

// What DUMP_PRUEFEN says about a dump of `zeilen` lines of a chip of `groesse` bytes.
QString pruefBericht(const QString& datei, qint64 zeilen, const QLocale& locale,
                     qint64 groesse = ZEILEN);

} // namespace zelmar::dump
