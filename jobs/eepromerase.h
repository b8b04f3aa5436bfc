#pragma once

#include "job.h"

#include "link/eeprombausteine.h"
#include "link/reply.h"
#include "link/serialport.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace zelmar {

// The complete erase of an EEPROM: every byte set to one fill value in pages of the chosen size
// (address phase, page write with STOP, address phase, read back), one page a step; the 64 KiB
// chip in 16-byte pages takes 4096. No page is larger than the chip's own, and none runs across
// one of its pages. A page whose address, write or read-back fails is written again; the 21st
// failed page of the run ends it after a STOP.
class EepromErase : public Job {
    Q_OBJECT
public:
    static constexpr int GROESSE = 65536;
    static constexpr int SEITE = 16;
    static constexpr int MAX_FEHLER = 20;

    enum class Ende {
        Fertig,
        Abgebrochen,
        ZuVieleFehler,
        Abgewiesen, // the link refused a frame (and has said so)
    };
    struct Result {
        Ende ende = Ende::Abgebrochen;
        int fehler = 0; // failed pages over the run
        int bytes = 0;  // bytes written and read back
        Reply letzte;   // the transaction the run ended on (a STOP after it included)
    };

    // `slave`: the chip's first slave address (its block bits 0).
    EepromErase(Link& link, int slave, quint8 wert, QLocale locale, int seite = SEITE,
                EepromBaustein baustein = eeprom::standard());

    // The fill value typed in answer to "Wert von 0 bis 255 eingeben": a whole number 0..255,
    // blanks around it allowed; nothing else.
    static std::optional<quint8> LOESCH_WERT(const QString& antwort);

    // "löschen 0,016k von 65k  (0)": the page under way and the failed pages so far.
    QString statusText() const;
    const Result& result() const { return m_result; }

    const EepromBaustein& baustein() const { return m_baustein; }
    // The pages written: the chosen size, at most the chip's.
    int seite() const { return m_seite; }

    // What the erase costs on the line at these settings, write cycles left out, in seconds.
    static double linienSekunden(const PortSettings& settings, int seite = SEITE,
                                 const EepromBaustein& baustein = eeprom::standard());
    // What the user is told at the end; empty when there is nothing to say.
    static QString meldung(const Result& result);

signals:
    void status(const QString& text);
    void finished(const zelmar::EepromErase::Result& result);

protected:
    bool step() override;
    void finish() override;

private:
    bool seiteSchreiben(Reply& letzte);
    int laenge() const { return m_baustein.bisSeitenEnde(m_position, m_seite); }

    int m_slave;
    quint8 m_wert;
    QLocale m_locale;
    EepromBaustein m_baustein;
    int m_seite;
    int m_position = 0;
    std::optional<Ende> m_ende;
    Result m_result;
};

} // namespace zelmar
