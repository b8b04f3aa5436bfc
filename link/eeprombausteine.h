#pragma once

// The serial EEPROMs of the 24Cxx family the tools know: how big each is, how it is addressed
// and where its pages end. One table for the windows, the jobs and zelmar-cli.
//
// A chip takes one or two address bytes after its slave address. Chips larger than those bytes
// reach take the upper address bits in the slave address instead ("block bits"): a 24C16 has
// eight blocks of 256 bytes and answers at eight slave addresses, from the one whose block bits
// are 0. A read or a page write never runs across a block, since the chip's own pointer wraps
// there.

#include <QList>
#include <QString>

#include <optional>

namespace zelmar {

struct EepromBaustein {
    const char* name;
    int groesse;     // bytes
    int seite;       // page size in bytes
    int adressBytes; // 1 or 2
    int blockBits;   // upper address bits in the slave address: 0..3

    QString text() const { return QString::fromLatin1(name); }
    // Bytes one slave address reaches: 256 or 65536, the whole chip when it has no block bits.
    int block() const { return groesse >> blockBits; }
    // The slave address for `adresse`, from the chip's first one `basis` (its block bits 0).
    int slave(int basis, int adresse) const { return basis | (adresse / block()); }
    // The address as it goes into the address bytes.
    int innen(int adresse) const { return adresse % block(); }
    // The chip's first slave address for any of those it answers at.
    int basis(int slave) const { return slave & ~((1 << blockBits) - 1); }
    // Every slave address it answers at, from `basis` on.
    int slaveAnzahl() const { return 1 << blockBits; }
    // Bytes of a transfer from `adresse` on that stay within the block and (for a write) the
    // page: at most `n`.
    int bisBlockEnde(int adresse, int n) const;
    int bisSeitenEnde(int adresse, int n) const;
    // The chip is the 64 KiB one every tool knew before there was a choice.
    bool klassisch() const { return groesse == 65536 && adressBytes == 2 && blockBits == 0; }
    // "128 bytes" / "2 KiB"
    QString groesseText() const;
};

namespace eeprom {

// Every chip, smallest first.
const QList<EepromBaustein>& bausteine();
// By name, case-insensitive ("24c16"); nullopt for a name the table does not hold.
std::optional<EepromBaustein> baustein(const QString& name);
// The 64 KiB chip with two address bytes.
EepromBaustein standard();
// The names, comma-separated, for messages.
QString namen();
// Chips that one slave address shows as `groesse` bytes with `adressBytes` address bytes.
QList<EepromBaustein> passend(int groesse, int adressBytes);

} // namespace eeprom

} // namespace zelmar
