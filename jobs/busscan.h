#pragma once

#include "job.h"

#include <QList>

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

} // namespace zelmar
