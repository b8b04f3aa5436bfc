#pragma once

#include "discovery.h"
#include "konfiguration.h"
#include "mqttclient.h"

#include <QObject>
#include <QPointer>
#include <QTextStream>
#include <QTimer>

#include <functional>
#include <optional>

#include "jobs/apartmentsession.h"

namespace zelmar::bridge {

// One pass of the apartment every interval, published to the broker; never two at once. A pass
// needs the port and an interface that answers; otherwise it publishes the interface as gone
// and every value as unavailable, and tries again next time.
class Bridge : public QObject {
    Q_OBJECT
public:
    // `sitzung` opens the port and holds the link; `log` takes one line per event worth a
    // journal entry (connect, disconnect, a failed pass), never one per value.
    Bridge(const Konfiguration& k, cli::Sitzung& sitzung, MqttClient& mqtt,
           std::function<void(const QString&)> log);

    void start();
    // Marks the installation offline, disconnects and emits `beendet` once that has gone out.
    void beenden();

    int durchgaenge() const { return m_durchgaenge; }

signals:
    // A pass has ended and what it found is published (or kept for the next connection).
    void durchgangFertig(const zelmar::bridge::Durchgang& d);
    void beendet();

private:
    void durchgang();
    void fertig(Durchgang d);
    void veroeffentlichen();
    void discovery();

    Konfiguration m_k;
    cli::Sitzung& m_sitzung;
    MqttClient& m_mqtt;
    std::function<void(const QString&)> m_log;
    QTimer m_takt;
    QString m_datenPfad;
    ApartmentSession m_wohnung;
    std::optional<Durchgang> m_laufend;  // the pass under way
    std::optional<Durchgang> m_neuester; // published on the next connection when not sent
    bool m_gesendet = true;
    bool m_portOffen = false;
    bool m_endet = false;
    int m_durchgaenge = 0;
};

} // namespace zelmar::bridge
