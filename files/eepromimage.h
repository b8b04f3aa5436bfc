#pragma once

// EEPROM image files: the dump text of the read-out ("00.017===> 255 ", one line per byte),
// raw binary and Intel HEX (records 00 to 05). Widget-free, so the restore and verify jobs
// and a command-line tool share it with the window.

#include "dateien.h"

#include <QBitArray>
#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>

namespace zelmar {

// The bytes a file gives for the addresses of one chip (0..65535 unless another size is given),
// and which addresses it gives at all: a HEX file may leave gaps, and nothing is written to or
// compared at an address the file is silent about.
class EepromAbbild {
public:
    static constexpr int GROESSE = 65536;

    struct Bereich {
        int von = 0; // first address
        int bis = 0; // last address, inclusive
        int laenge() const { return bis - von + 1; }
        bool operator==(const Bereich& o) const { return von == o.von && bis == o.bis; }
    };

    explicit EepromAbbild(int groesse = GROESSE);
    // All of `bytes` from address 0 on (at most `groesse` bytes).
    static EepromAbbild ausBytes(const QByteArray& bytes, int groesse = GROESSE);

    int groesse() const { return int(m_werte.size()); }

    bool belegt(int adresse) const { return m_belegt.testBit(adresse); }
    quint8 wert(int adresse) const { return quint8(m_werte.at(adresse)); }
    void setzen(int adresse, quint8 wert);
    // Addresses given by the file.
    int anzahl() const { return m_anzahl; }
    bool leer() const { return m_anzahl == 0; }
    // The given addresses as ascending runs without gaps.
    QList<Bereich> bereiche() const;
    // The runs between the first and the last given address that the file leaves out.
    QList<Bereich> luecken() const;
    // Every run of the chip's addresses the file does not give: what a restore leaves alone.
    QList<Bereich> ausgelassen() const;
    // The bytes from `von` on, `n` of them (values at gaps read as 0xFF).
    QByteArray bytes(int von, int n) const;

private:
    QByteArray m_werte;
    QBitArray m_belegt;
    int m_anzahl = 0;
};

namespace abbild {

enum class Format { Dump, Binaer, IntelHex };

// Why a file was not taken: the line (1..; 0 when no line is to blame) and the reason.
struct Fehler {
    int zeile = 0;
    QString grund;
    // Set when the file could not be opened at all (then `grund` is its text).
    datei::Grund datei;
    // "Zeile 17: Prüfsumme falsch ..." or the reason alone.
    QString text() const;
};

// The format a file name stands for: ".txt" the dump, ".hex"/".ihx" Intel HEX, anything else
// binary.
Format formatVonName(const QString& pfad);
// The extension of a format, with its dot.
QString endung(Format format);
// The read-out's file of a slave in the data directory ("EEPROM_65k_80.txt", ".bin", ".hex"),
// for a chip of `groesse` bytes ("EEPROM_128_81.txt").
QString dateiname(const QString& datenPfad, int slave, Format format, int groesse = 65536);

// Reads a file's bytes as the format, for a chip of `abbild`'s size: a dump must have a line for
// each of its addresses, and no format may give an address beyond it. False with the reason
// for anything malformed; then `abbild` is left alone. Nothing is taken from a file that did not
// parse completely.
bool lesen(const QByteArray& inhalt, Format format, EepromAbbild* abbild, Fehler* fehler);
// Opens and reads the file, the format by its name or as given.
bool laden(const QString& pfad, EepromAbbild* abbild, Fehler* fehler);
bool laden(const QString& pfad, Format format, EepromAbbild* abbild, Fehler* fehler);

// The file's bytes. The dump has a line for each of the chip's addresses and the binary runs from
// 0 to the last given address, both with gaps as 0xFF (the erased state); Intel HEX has 16 data
// bytes a record and leaves gaps out.
QByteArray inhalt(const EepromAbbild& abbild, Format format, const QLocale& locale);
// Writes the file under a temporary name and renames it only when complete, and only over a
// regular file; false with the reason when it could not.
bool speichern(const QString& pfad, const EepromAbbild& abbild, Format format,
               const QLocale& locale, QString* fehler = nullptr);

// The image's fingerprint: SHA-256 of all the chip's bytes, addresses the file leaves out as
// 0xFF (the erased state), in lower-case hexadecimal.
QString sha256(const EepromAbbild& abbild);

// "x0100", and beyond 64 KiB "x1F000".
QString adressText(int adresse);

// "x0100 … x01FF (256 Byte)" for each run, one per line: what a confirmation shows of gaps.
// With `hoechstens` > 0 only that many, and a last line with how many more there are.
QString bereicheText(const QList<EepromAbbild::Bereich>& bereiche, const QLocale& locale,
                     int hoechstens = 0);

} // namespace abbild

} // namespace zelmar
