#include "mqttclient.h"

#include <QSocketNotifier>
#include <QTimer>

#include <mosquitto.h>

#include <algorithm>

namespace zelmar::bridge {

namespace {
struct Bibliothek {
    Bibliothek() { mosquitto_lib_init(); }
    ~Bibliothek() { mosquitto_lib_cleanup(); }
};
void bibliothek() {
    static Bibliothek b;
}
constexpr int MAX_WARTEN = 60;
} // namespace

MqttClient::MqttClient(const Einstellungen& e, QObject* parent) : QObject(parent), m_e(e) {
    bibliothek();
    const QByteArray id = m_e.clientId.toUtf8();
    m_mosq = mosquitto_new(id.isEmpty() ? nullptr : id.constData(), true, this);
    if (!m_mosq) {
        m_fehler = QStringLiteral("cannot create the MQTT client");
        return;
    }
    mosquitto_int_option(m_mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_connect_callback_set(m_mosq, &MqttClient::onConnect);
    mosquitto_disconnect_callback_set(m_mosq, &MqttClient::onDisconnect);
    mosquitto_message_callback_set(m_mosq, &MqttClient::onMessage);
    if (!m_e.user.isEmpty()) {
        const QByteArray u = m_e.user.toUtf8(), p = m_e.password.toUtf8();
        mosquitto_username_pw_set(m_mosq, u.constData(), p.isEmpty() ? nullptr : p.constData());
    }
    if (!m_e.caFile.isEmpty()) {
        const QByteArray ca = m_e.caFile.toLocal8Bit();
        const int rc =
            mosquitto_tls_set(m_mosq, ca.constData(), nullptr, nullptr, nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS)
            m_fehler = QStringLiteral("CA file %1: %2")
                           .arg(m_e.caFile, QString::fromLocal8Bit(mosquitto_strerror(rc)));
    }
    if (!m_e.willTopic.isEmpty()) {
        const QByteArray t = m_e.willTopic.toUtf8();
        mosquitto_will_set(m_mosq, t.constData(), int(m_e.willPayload.size()),
                           m_e.willPayload.constData(), 1, true);
    }
    m_misc = new QTimer(this);
    m_misc->setInterval(1000);
    connect(m_misc, &QTimer::timeout, this, [this] {
        if (m_mosq && m_lesen) {
            ergebnis(mosquitto_loop_misc(m_mosq));
            schreibwunschPruefen();
        }
    });
    m_wiederholen = new QTimer(this);
    m_wiederholen->setSingleShot(true);
    connect(m_wiederholen, &QTimer::timeout, this, &MqttClient::verbinden);
}

MqttClient::~MqttClient() {
    socketLassen();
    if (m_mosq)
        mosquitto_destroy(m_mosq);
}

void MqttClient::start() {
    if (!m_mosq || !m_fehler.isEmpty())
        return;
    m_misc->start();
    verbinden();
}

void MqttClient::verbinden() {
    if (m_endet)
        return;
    const QByteArray host = m_e.host.toUtf8();
    const int rc = m_einmalVerbunden
                       ? mosquitto_reconnect_async(m_mosq)
                       : mosquitto_connect_async(m_mosq, host.constData(), m_e.port, m_e.keepAlive);
    if (rc != MOSQ_ERR_SUCCESS) {
        verloren(rc == MOSQ_ERR_ERRNO ? QString::fromLocal8Bit(strerror(errno))
                                      : QString::fromLocal8Bit(mosquitto_strerror(rc)));
        return;
    }
    // Asked once: the address is resolved now, so later attempts reconnect to it.
    m_einmalVerbunden = true;
    socketBeobachten();
}

void MqttClient::socketBeobachten() {
    socketLassen();
    const int fd = mosquitto_socket(m_mosq);
    if (fd < 0)
        return;
    m_lesen = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_lesen, &QSocketNotifier::activated, this, [this] {
        ergebnis(mosquitto_loop_read(m_mosq, 1));
        schreibwunschPruefen();
    });
    m_schreiben = new QSocketNotifier(fd, QSocketNotifier::Write, this);
    connect(m_schreiben, &QSocketNotifier::activated, this, [this] {
        ergebnis(mosquitto_loop_write(m_mosq, 1));
        schreibwunschPruefen();
    });
    schreibwunschPruefen();
}

void MqttClient::socketLassen() {
    // Notifiers of a closed socket must not fire again; they may be inside their own signal.
    for (QSocketNotifier* n : {m_lesen, m_schreiben})
        if (n) {
            n->setEnabled(false);
            n->deleteLater();
        }
    m_lesen = m_schreiben = nullptr;
}

void MqttClient::schreibwunschPruefen() {
    if (m_schreiben && m_mosq)
        m_schreiben->setEnabled(mosquitto_want_write(m_mosq));
}

void MqttClient::ergebnis(int rc) {
    if (rc == MOSQ_ERR_SUCCESS || !m_lesen)
        return;
    verloren(rc == MOSQ_ERR_ERRNO ? QString::fromLocal8Bit(strerror(errno))
                                  : QString::fromLocal8Bit(mosquitto_strerror(rc)));
}

void MqttClient::verloren(const QString& grund) {
    const bool warVerbunden = m_verbunden;
    m_verbunden = false;
    socketLassen();
    if (m_endet) {
        emit beendet();
        return;
    }
    if (m_wiederholen->isActive())
        return;
    emit disconnected(grund);
    m_wiederholen->start(m_warten * 1000);
    // Back-off grows while attempts fail; a connection that had been up starts again at 1 s.
    m_warten = warVerbunden ? 1 : std::min(m_warten * 2, MAX_WARTEN);
}

bool MqttClient::publish(const QString& topic, const QByteArray& payload, bool retain) {
    if (!m_verbunden)
        return false;
    const QByteArray t = topic.toUtf8();
    const int rc = mosquitto_publish(m_mosq, nullptr, t.constData(), int(payload.size()),
                                     payload.constData(), 1, retain);
    schreibwunschPruefen();
    return rc == MOSQ_ERR_SUCCESS;
}

void MqttClient::subscribe(const QString& topic) {
    if (!m_verbunden)
        return;
    const QByteArray t = topic.toUtf8();
    mosquitto_subscribe(m_mosq, nullptr, t.constData(), 1);
    schreibwunschPruefen();
}

void MqttClient::beenden(const QByteArray& letzteNachricht) {
    m_endet = true;
    m_wiederholen->stop();
    if (!m_verbunden) {
        socketLassen();
        emit beendet();
        return;
    }
    if (!m_e.willTopic.isEmpty())
        publish(m_e.willTopic, letzteNachricht, true);
    mosquitto_disconnect(m_mosq);
    schreibwunschPruefen();
    // The DISCONNECT leaves with the queued messages; onDisconnect reports the end.
    QTimer::singleShot(3000, this, [this] {
        if (m_lesen) {
            socketLassen();
            m_verbunden = false;
            emit beendet();
        }
    });
}

void MqttClient::onConnect(mosquitto*, void* self, int rc) {
    auto* c = static_cast<MqttClient*>(self);
    if (rc != 0) {
        // Refused (bad credentials, say): the broker closes; say why before the loss.
        c->verloren(QString::fromLocal8Bit(mosquitto_connack_string(rc)));
        return;
    }
    c->m_verbunden = true;
    c->m_warten = 1;
    emit c->connected();
}

void MqttClient::onDisconnect(mosquitto*, void* self, int rc) {
    auto* c = static_cast<MqttClient*>(self);
    if (!c->m_lesen && !c->m_verbunden)
        return;
    c->verloren(rc == 0 ? QStringLiteral("disconnected")
                        : QStringLiteral("the connection was lost"));
}

void MqttClient::onMessage(mosquitto*, void* self, const mosquitto_message* m) {
    auto* c = static_cast<MqttClient*>(self);
    emit c->message(QString::fromUtf8(m->topic),
                    QByteArray(static_cast<const char*>(m->payload), m->payloadlen));
}

} // namespace zelmar::bridge
