#pragma once

#include "job.h"

#include <QList>
#include <QString>

#include <array>

namespace zelmar {

// The bus scan: addresses 0..127 probed in ascending order (command 60 without data, so each
// probe after the first is a repeated START), then one STOP for the bus. One address a step.
//
// SLAVE_GEFUNDEN afterwards holds what this scan saw, and nothing older: an address the scan
// did not reach (it was cancelled, the port refused its frame, or the interface fell silent)
// counts as not found. The current slave is the one chosen before the scan, also when a probe
// had moved it.
//
// An interface that sends not one byte to STUMM probes in a row is not there (a reply with a
// byte lost is a live interface): the scan stops there instead of waiting out every address,
// and sends no STOP into the silence.
class BusScan : public Job {
    Q_OBJECT
public:
    static constexpr int STUMM = 3;

    struct Result {
        QList<int> found;
        int probed = 0;               // addresses whose probe went out
        bool completed = false;       // all 128 probed
        qint16 statusCode = 0;        // the link's code after the last probe
        QString statusText;           // and its text
        int ohneAntwort = 0;          // probes the interface did not answer: not a finding
        bool interfaceSilent = false; // stopped: STUMM probes in a row got no byte at all
    };

    explicit BusScan(Link& link);

    // What the user is told when the interface fell silent; empty otherwise.
    static QString meldung(const Result& result);

signals:
    void found(int adresse);
    void finished(const zelmar::BusScan::Result& result);

protected:
    bool step() override;
    void finish() override;

private:
    Result m_result;
    int m_naechste = 0;
    bool m_abgewiesen = false;
    int m_stumm = 0; // probes in a row without a byte
    quint8 m_gemerkt = 0;
};

// The installation check: addresses with a name that did not answer a scan, and addresses that
// answered without a name. The general call (0) is no device.
struct AnlagePruefung {
    QList<int> fehlt;
    QList<int> unbekannt;
    bool stimmt() const { return fehlt.isEmpty() && unbekannt.isEmpty(); }
};
// A name the user gave; the fillers of an empty row ("...", "---", "????") are none.
bool slaveBenannt(const QString& name);
AnlagePruefung anlagePruefen(const std::array<QString, 128>& namen,
                             const std::array<qint16, 128>& gefunden);

} // namespace zelmar
