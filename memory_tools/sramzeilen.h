#pragma once

// What the rows of the SRAM window say: the labels with the register names of the ATmega8 data
// space, and a byte in the three displays.

#include <QString>

namespace zelmar::sram {

constexpr int ZEILEN = 100;
constexpr int HOECHSTE_ADRESSE = 0xFFFF;

enum class Darstellung { Dez, Chr, Hex };

// The label of row i when the rows start at `start`: at start 0 the names of R0..R31 and of
// the 64 I/O registers, then a blank and the row's address.
QString zeilenText(qint64 start, int i);

// "dez": decimal; "chr": the character of the byte in the PC's ANSI code page (control codes as
// their visible symbols); "hex": two upper-case hex digits.
QString wertText(quint8 byte, Darstellung darstellung);

// The start box read as the system reads numbers: blanks, a sign and the leading digits; text
// that does not begin with a number counts as 0.
qint64 fuehrendeZahl(const QString& text);

} // namespace zelmar::sram
