#include "bridge.h"

#include "link/commands.h"
#include "link/diagnostics.h"

namespace zelmar::bridge {

Bridge::Bridge(const Konfiguration& k, cli::Sitzung& sitzung, MqttClient& mqtt,
               std::function<void(const QString&)> log)
    : m_k(k), m_sitzung(sitzung), m_mqtt(mqtt), m_log(std::move(log)),
      m_datenPfad(sitzung.datenPfad()),
      m_wohnung(sitzung.link(), sitzung, m_datenPfad, sitzung.locale()) {
    m_wohnung.setVerlauf(m_k.verlauf);
    connect(&m_wohnung, &ApartmentSession::verlaufFehler, this,
            [this](const QString& pfad, const datei::Grund& grund) {
                m_log(QStringLiteral("the VERLAUF log cannot be written: %1: %2")
                          .arg(pfad, cli::grundText(grund)));
            });
    connect(&m_wohnung, &ApartmentSession::passDone, this, [this](const ApartmentValues& w) {
        if (m_laufend)
            m_laufend->werte = w;
    });
    connect(&m_wohnung, &ApartmentSession::ended, this, [this](bool) {
        if (!m_laufend || m_endet)
            return;
        Durchgang d = *m_laufend;
        m_laufend.reset();
        if (!d.werte)
            m_log(QStringLiteral("pass failed: the apartment could not be read"));
        fertig(d);
    });
    m_takt.setInterval(m_k.themen.intervall * 1000);
    connect(&m_takt, &QTimer::timeout, this, &Bridge::durchgang);
    connect(&m_mqtt, &MqttClient::connected, this, [this] {
        m_log(QStringLiteral("connected to the broker at %1:%2")
                  .arg(m_k.mqtt.host)
                  .arg(m_k.mqtt.port));
        m_mqtt.publish(m_k.themen.status(), QByteArrayLiteral("online"), true);
        discovery();
        m_mqtt.subscribe(m_k.themen.haStatus());
        if (m_neuester)
            veroeffentlichen();
    });
    connect(&m_mqtt, &MqttClient::disconnected, this, [this](const QString& grund) {
        m_log(QStringLiteral("no connection to the broker at %1:%2 (%3); next attempt in %4 s")
                  .arg(m_k.mqtt.host)
                  .arg(m_k.mqtt.port)
                  .arg(grund)
                  .arg(m_mqtt.naechsterVersuch()));
    });
    connect(&m_mqtt, &MqttClient::message, this,
            [this](const QString& topic, const QByteArray& payload) {
                // Home Assistant restarted: it has forgotten what it was told.
                if (topic == m_k.themen.haStatus() && payload.trimmed() == "online") {
                    discovery();
                    if (m_neuester) {
                        m_gesendet = false;
                        veroeffentlichen();
                    }
                }
            });
    connect(&m_mqtt, &MqttClient::beendet, this, &Bridge::beendet);
}

void Bridge::start() {
    m_mqtt.start();
    m_takt.start();
    durchgang();
}

void Bridge::beenden() {
    m_endet = true;
    m_takt.stop();
    m_wohnung.abbrechen();
    m_mqtt.beenden(QByteArrayLiteral("offline"));
}

void Bridge::durchgang() {
    if (m_wohnung.laeuft() || m_endet)
        return; // the previous pass still runs: never two at once
    Durchgang d;
    if (!m_portOffen) {
        m_portOffen = m_sitzung.verbinden();
        if (!m_portOffen) {
            fertig(d);
            return;
        }
    }
    Link& link = m_sitzung.link();
    Reply antwort;
    const auto da = INTERFACE_ABFRAGEN(link, befehl::DUMMY, m_sitzung.locale(), &antwort);
    if (m_endet)
        return;
    if (!da) {
        // A device that went away is opened afresh next time, with the reason if it cannot be.
        if (antwort.statusCode == STATUS_PORT_ZU)
            m_portOffen = false;
        m_log(QStringLiteral("pass failed: the interface does not answer (%1, status %2)")
                  .arg(antwort.statusText)
                  .arg(antwort.statusCode));
        fertig(d);
        return;
    }
    d.schnittstelle = true;
    if (const auto v = INTERFACE_ABFRAGEN(link, befehl::SPANNUNG, m_sitzung.locale()))
        d.spannung = v->wert / 10.0;
    // Stopped during one of the waits above: no fetch is started any more.
    if (m_endet)
        return;
    m_laufend = d;
    m_wohnung.holen(false);
}

void Bridge::fertig(Durchgang d) {
    ++m_durchgaenge;
    m_neuester = std::move(d);
    m_gesendet = false;
    veroeffentlichen();
    emit durchgangFertig(*m_neuester);
}

void Bridge::veroeffentlichen() {
    // Passes made while the broker is away are not queued: the newest waits for the next
    // connection, the older ones are gone.
    if (!m_neuester || m_gesendet || !m_mqtt.verbunden())
        return;
    const Themen& t = m_k.themen;
    for (const Zustand& z : zustaende(*m_neuester)) {
        const Entitaet* e = nullptr;
        for (const Entitaet& k : entitaeten())
            if (k.objekt == z.objekt)
                e = &k;
        if (!e)
            continue;
        // Available first, so the value that follows is not dropped as one of a gone entity.
        if (e->eigeneVerfuegbarkeit)
            m_mqtt.publish(e->verfuegbarTopic(t),
                           z.wert ? QByteArrayLiteral("online") : QByteArrayLiteral("offline"),
                           true);
        if (z.wert)
            m_mqtt.publish(e->zustandTopic(t), *z.wert, false);
    }
    m_gesendet = true;
}

void Bridge::discovery() {
    for (const Entitaet& e : entitaeten())
        m_mqtt.publish(e.configTopic(m_k.themen), e.config(m_k.themen), true);
}

} // namespace zelmar::bridge
