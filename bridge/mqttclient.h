#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;
class QTimer;
struct mosquitto;
struct mosquitto_message;

namespace zelmar::bridge {

// An MQTT client on the Qt event loop: libmosquitto without its thread. The socket's read and
// write readiness drive mosquitto_loop_read/_write, a timer mosquitto_loop_misc (keep-alive).
// A lost or refused connection is tried again after 1, 2, 4 ... up to 60 seconds.
class MqttClient : public QObject {
    Q_OBJECT
public:
    struct Einstellungen {
        QString host = QStringLiteral("localhost");
        int port = 1883;
        QString clientId;
        QString user;
        QString password;
        QString caFile; // TLS with this CA file; empty: no TLS
        QString willTopic;
        QByteArray willPayload;
        int keepAlive = 60;
    };

    explicit MqttClient(const Einstellungen& e, QObject* parent = nullptr);
    ~MqttClient() override;

    // Empty when the settings were taken, else why not (a bad CA file, say).
    QString fehler() const { return m_fehler; }

    void start();
    // Sends the will's topic the orderly way (retained payload) and disconnects.
    void beenden(const QByteArray& letzteNachricht);
    bool verbunden() const { return m_verbunden; }
    // False while disconnected: nothing is queued behind the caller's back.
    bool publish(const QString& topic, const QByteArray& payload, bool retain);
    void subscribe(const QString& topic);
    // Seconds until the next attempt after a failure (for the log and tests).
    int naechsterVersuch() const { return m_warten; }

signals:
    void connected();
    void disconnected(const QString& grund);
    void message(const QString& topic, const QByteArray& payload);
    // After beenden(): the DISCONNECT has gone out (or the connection was gone anyway).
    void beendet();

private:
    static void onConnect(mosquitto*, void* self, int rc);
    static void onDisconnect(mosquitto*, void* self, int rc);
    static void onMessage(mosquitto*, void* self, const mosquitto_message* m);

    void verbinden();
    void socketBeobachten();
    void socketLassen();
    void schreibwunschPruefen();
    void ergebnis(int rc);
    void verloren(const QString& grund);

    Einstellungen m_e;
    mosquitto* m_mosq = nullptr;
    QSocketNotifier* m_lesen = nullptr;
    QSocketNotifier* m_schreiben = nullptr;
    QTimer* m_misc = nullptr;
    QTimer* m_wiederholen = nullptr;
    QString m_fehler;
    bool m_verbunden = false;
    bool m_endet = false;
    bool m_einmalVerbunden = false;
    int m_warten = 1;
};

} // namespace zelmar::bridge
