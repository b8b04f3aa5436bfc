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
// did not reach (it was cancelled, or the port refused its frame) counts as not found. The
// current slave is the one chosen before the scan, also when a probe had moved it.
class BusScan : public Job {
    Q_OBJECT
public:
    struct Result {
        QList<int> found;
        int probed = 0;         // addresses whose probe went out
        bool completed = false; // all 128 probed
        qint16 statusCode = 0;  // the link's code after the last probe
        int ohneAntwort = 0;    // probes the interface did not answer: not a finding
    };

    explicit BusScan(Link& link);

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
