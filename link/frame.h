#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace zelmar {

// The request frame: "*", command, slave address, value byte, send count low/high,
// receive count low/high, "#", n data bytes, "#". No escaping: markers may occur anywhere.
struct FrameHeader {
    quint8 befehl = 0;
    quint8 slaveAdresse = 0;
    quint8 reserve = 0;
    quint16 anzahlSenden = 0;
    quint16 anzahlEmpfangen = 0;
};

// data points at the n = header.anzahlSenden data bytes.
QByteArray buildFrame(const FrameHeader& header, const quint8* data);

// Display text of a frame: positions 1, 9 and the last shown as " " + the character itself,
// every other position as " (" + decimal value + ") ".
QString RAHMEN_ALS_TEXT(const QByteArray& frame);

// Bytes 1..4 of a reply buffer (index 0 unused) as an unsigned 32-bit little-endian number.
double empfangswert32(const quint8* buffer);

} // namespace zelmar
