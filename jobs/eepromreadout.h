#pragma once

#include "files/eepromimage.h"
#include "job.h"

#include "link/eeprombausteine.h"
#include "link/serialport.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <memory>
#include <optional>

namespace zelmar {

struct SpeicherAntwort;

// The complete read-out of an EEPROM into the dump file, one block a step. The 64 KiB chip takes
// 66 blocks (65 of 1000 bytes, the last of 536 from 65000 on) with two address bytes; any other
// its own address bytes, and blocks that never run across one of its slave addresses (with
// block bits) and go to the slave address of theirs. Each block
// is read twice and goes into the file only when both copies arrived whole and agree; a block
// that failed is read again, and the 21st failed block of the run ends it. An address phase
// the EEPROM does not acknowledge twice running ends the run after a STOP; one lost on the line
// (a reply byte missing), or acknowledged at the second try, is a failed block like any other.
//
// The dump is written under a temporary name and takes the file's name only when it is
// complete, so an earlier dump survives any run that does not finish; what is no regular file
// (a FIFO, a device) is never replaced. Besides the dump text
// the result can be saved as raw binary or Intel HEX.
class EepromReadout : public Job {
    Q_OBJECT
public:
    static constexpr int GROESSE = 65536;
    static constexpr int BLOCK = 1000;
    static constexpr int MAX_FEHLER = 20;

    enum class Ende {
        Fertig,        // all blocks stored; the file has been counted
        Abgebrochen,   // cancelled
        AdresseFehlt,  // an address phase was not acknowledged
        ZuVieleFehler, // more than MAX_FEHLER failed blocks
        Abgewiesen,    // the link refused a frame (and has said so)
        DateiFehler,   // the dump could not be written
    };
    struct Result {
        Ende ende = Ende::Abgebrochen;
        int fehler = 0;        // failed blocks over the run
        int bytes = 0;         // bytes stored
        int position = 0;      // address of the block under way when the run ended
        bool leitung = false;  // the last failure was on the line, not the EEPROM
        qint16 statusCode = 0; // the link's status of that failure, before the STOP
        QString statusText;
        QString datei;
        datei::Grund dateiGrund; // why the file could not be written (DateiFehler)
        // Lines of the finished dump (DUMP_PRUEFEN), or the bytes a binary or HEX file gives
        // when read again; -1 when not counted.
        qint64 zeilen = -1;
        int groesse = GROESSE; // of the chip
        // The finished file's fingerprint, read back as an image (abbild::sha256); empty when
        // it does not read back.
        QString sha256;
    };

    // `slave`: the chip's first slave address (its block bits 0).
    EepromReadout(Link& link, int slave, QString datei, QLocale locale,
                  abbild::Format format = abbild::Format::Dump,
                  EepromBaustein baustein = eeprom::standard());
    ~EepromReadout() override;

    // "12k von 65k  (0)": the block under way and the failed blocks so far.
    QString statusText() const;
    const EepromBaustein& baustein() const { return m_baustein; }
    const Result& result() const { return m_result; }

    // What the run costs on the line at these settings: frames and replies of every block read
    // twice, in seconds.
    static double linienSekunden(const PortSettings& settings,
                                 const EepromBaustein& baustein = eeprom::standard());
    // What the user is told at the end; empty when the link has already spoken. A finished
    // run also wants the beep of the file check.
    static QString meldung(const Result& result, const QLocale& locale);

signals:
    void status(const QString& text);
    void finished(const zelmar::EepromReadout::Result& result);

protected:
    bool step() override;
    void finish() override;

private:
    // Ok, else whether the run goes on (the block is read again) or ends.
    std::optional<bool> adresse();
    bool fehlschlag(const SpeicherAntwort& antwort);
    bool speichern(const QByteArray& block);
    int blockLaenge() const { return blockLaenge(m_baustein, m_position); }
    static int blockLaenge(const EepromBaustein& b, int position);

    // The slave address of the block under way.
    int slave() const { return m_baustein.slave(m_slave, m_position); }

    int m_slave;
    QLocale m_locale;
    abbild::Format m_format;
    EepromBaustein m_baustein;
    QByteArray m_daten;
    std::unique_ptr<datei::Ersatz> m_datei;
    int m_position = 0;
    std::optional<Ende> m_ende;
    Result m_result;
};

} // namespace zelmar
