#pragma once

// The dump file of a complete EEPROM read-out: one line per byte in address order,
// "00.017===> 255 " and CR LF in a German locale, 65536 lines in all.

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace zelmar::dump {

constexpr qint64 ZEILEN = 65536;

// "EEPROM_65k_" + slave address + ".txt" in the data directory (with its trailing "/").
QString DUMP_DATEINAME(const QString& datenPfad, int slave);

// A whole number with at least `stellen` digits (leading zeros), the locale's thousands
// separator between groups of three: 17 with 5 digits is "00.017", 500 with 4 is "0.500".
QString gruppiert(qint64 n, int stellen, const QLocale& locale);

// The lines of `werte` for the addresses from `ersteAdresse` on, each ended by CR LF.
QByteArray zeilen(int ersteAdresse, const QByteArray& werte, const QLocale& locale);

// How many lines the file holds (a last line without its end counts); 0 when it cannot be
// read.
qint64 zeilenZaehlen(const QString& path);

// What DUMP_PRUEFEN says about a dump of `zeilen` lines.
QString pruefBericht(const QString& datei, qint64 zeilen, const QLocale& locale);

} // namespace zelmar::dump
