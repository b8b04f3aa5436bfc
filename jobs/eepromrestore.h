#pragma once

#include "files/eepromimage.h"
#include "files/eepromvergleich.h"
#include "job.h"

#include "link/eeprombausteine.h"
#include "link/memory.h"
#include "link/serialport.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

namespace zelmar {

// Writes an image into an EEPROM (the 64 KiB one with two address bytes unless another chip is
// given) and reads it back, or only reads and compares (verify). The write goes in page writes of
// the chosen size (at most the chip's), never across a page boundary: address phase, command 65
// with the bytes, STOP. Reads never run across one of the chip's slave addresses, and each
// page and block goes to the slave address of its block. An image that gives an address beyond
// the chip is refused before anything is sent. The chip's write cycle is waited
// out by acknowledge polling: the next address phase is repeated, one per step, until the chip
// acknowledges it or the time limit has passed. The read-back reads each block of up to 1000
// bytes twice and takes it only when both copies arrived whole and agree, as the read-out
// does; then it compares with the image.
//
// A page or block that failed (not acknowledged, a reply lost, two copies that differ) is done
// again; the 21st failure of the run ends it. The first page written is read back at once: when
// the chip acknowledged it and kept its old bytes (write protection), the run ends there. An
// address phase that is not acknowledged within the time limit ends it after a STOP. Only the
// addresses the image gives are touched.
class EepromRestore : public Job {
    Q_OBJECT
public:
    static constexpr int BLOCK = 1000;
    static constexpr int MAX_FEHLER = 20;
    // Longest write cycle waited for: a 24Cxx needs 5 ms, the slowest 10 ms.
    static constexpr int SCHREIBZYKLUS_MS = 50;

    enum class Modus { Schreiben, Pruefen };
    enum class Ende {
        Fertig,        // written (if asked) and read back; see the comparison
        Abgebrochen,   // cancelled
        AdresseFehlt,  // the EEPROM did not acknowledge its address within the time limit
        ZuVieleFehler, // more than MAX_FEHLER failed pages or blocks
        Abgewiesen,    // the link refused a frame (and has said so)
        NichtGehalten, // the first page, written and acknowledged, did not read back
        ZuGross,       // the image gives addresses beyond the chip: nothing was sent
    };
    struct Result {
        Modus modus = Modus::Pruefen;
        Ende ende = Ende::Abgebrochen;
        int fehler = 0;      // failed pages and blocks over the run
        int geschrieben = 0; // bytes of acknowledged page writes
        int gelesen = 0;     // bytes read back (both copies agreeing)
        int polls = 0;       // address phases repeated while the chip was busy
        // What of the image was not written when the run ended early, and what was written (or
        // in verify, what there was to compare) but not read back.
        QList<EepromAbbild::Bereich> nichtGeschrieben;
        QList<EepromAbbild::Bereich> nichtGeprueft;
        // Set once everything was read back.
        std::optional<EepromVergleich> vergleich;
        // The transaction the run ended on (a STOP after it included).
        Reply letzte;
        // ZuGross: the highest address the image gives, and the chip's size.
        int ausserhalb = -1;
        int groesse = EepromAbbild::GROESSE;
    };

    // `slave`: the chip's first slave address (its block bits 0).
    EepromRestore(Link& link, int slave, EepromAbbild soll, Modus modus, int seite = 16,
                  QLocale locale = QLocale(), EepromBaustein baustein = eeprom::standard());

    // Page sizes offered for the 64 KiB chip: 16 suits every chip of the family from 2 KiB up.
    static QList<int> seitenGroessen() { return {16, 32, 64, 128}; }
    // Those for a chip: up to its own page, 16 first where it takes that (the default).
    static QList<int> seitenGroessen(const EepromBaustein& baustein);
    // The page writes of an image: its runs cut at every multiple of `seite`.
    static QList<EepromAbbild::Bereich> seiten(const EepromAbbild& abbild, int seite);
    // The blocks of the read-back: its runs cut into pieces of at most BLOCK bytes, and at each
    // of the chip's slave addresses.
    static QList<EepromAbbild::Bereich> bloecke(const EepromAbbild& abbild,
                                                const EepromBaustein& b = eeprom::standard());
    // The highest address the image gives beyond the chip; -1 when it fits.
    static int ausserhalb(const EepromAbbild& abbild, const EepromBaustein& baustein);

    // "schreiben 12k von 65k  (0)" or "prüfen 12k von 65k  (0)".
    QString statusText() const;
    const Result& result() const { return m_result; }
    int seite() const { return m_seite; }
    const EepromBaustein& baustein() const { return m_baustein; }

    // Line time of the run in seconds: every frame and its reply once, write cycles left out.
    static double linienSekunden(const PortSettings& settings, const EepromAbbild& abbild,
                                 int seite, Modus modus,
                                 const EepromBaustein& baustein = eeprom::standard());
    // What the user is told at the end (`kopf` heads the comparison); empty when the link
    // has spoken and nothing was written.
    static QString meldung(const Result& result, const QString& kopf, const QLocale& locale);

signals:
    void status(const QString& text);
    void finished(const zelmar::EepromRestore::Result& result);

protected:
    bool step() override;
    void finish() override;

private:
    // The address phase, repeated while the chip is busy with its last write cycle: nullopt
    // when acknowledged, else what the step returns.
    std::optional<bool> adresse(int a);
    bool fehlschlag(const SpeicherAntwort& antwort);
    bool schreiben();
    bool lesen();
    // The first page read back at once: a chip that takes pages and keeps its old bytes (write
    // protection) ends the run before the rest is written.
    bool erstePruefen();
    void melden();

    int slave(int adresse) const { return m_baustein.slave(m_slave, adresse); }
    // The address of the page or block under way.
    int unterwegs() const;

    int m_slave;
    EepromBaustein m_baustein;
    EepromAbbild m_soll;
    EepromAbbild m_ist;
    int m_seite;
    QLocale m_locale;
    QList<EepromAbbild::Bereich> m_seiten;
    QList<EepromAbbild::Bereich> m_bloecke;
    int m_naechsteSeite = 0;
    int m_naechsterBlock = 0;
    QByteArray m_ersteKopie; // of the block under way, empty before its first read
    bool m_schreiben;
    EepromSchreibzyklus m_zyklus; // of the address phase under way
    bool m_ersteGeprueft = false;
    std::optional<Ende> m_ende;
    Result m_result;
};

} // namespace zelmar
