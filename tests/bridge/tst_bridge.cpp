// zelmar-bridge: its messages without a broker, its settings, and the program itself against
// zelmar-sim and a mosquitto of its own on 127.0.0.1.

#include "bridge/discovery.h"
#include "bridge/konfiguration.h"
#include "bridge/mqttclient.h"
#include "cli/cli.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace zelmar;
using namespace zelmar::bridge;

namespace {

QJsonObject json(const QByteArray& b) {
    return QJsonDocument::fromJson(b).object();
}

const Entitaet& entitaet(const QString& objekt) {
    for (const Entitaet& e : entitaeten())
        if (e.objekt == objekt)
            return e;
    qFatal("no entity %s", qPrintable(objekt));
}

std::optional<QByteArray> zustand(const QList<Zustand>& z, const QString& objekt) {
    for (const Zustand& s : z)
        if (s.objekt == objekt)
            return s.wert;
    return QByteArrayLiteral("<missing entity>");
}

// A TCP port nobody listens on just now.
int freierPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
    ::close(s);
    return ntohs(a.sin_port);
}

bool lauscht(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(quint16(port));
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(s);
    return ok;
}

// What a client saw on the broker.
struct Mitschnitt : QObject {
    MqttClient client;
    QList<QPair<QString, QByteArray>> nachrichten;

    explicit Mitschnitt(int port)
        : client(MqttClient::Einstellungen{QStringLiteral("127.0.0.1"),
                                           port,
                                           QStringLiteral("tst-%1").arg(quintptr(this)),
                                           {},
                                           {},
                                           {},
                                           {},
                                           {},
                                           60}) {
        connect(&client, &MqttClient::connected, this,
                [this] { client.subscribe(QStringLiteral("#")); });
        connect(&client, &MqttClient::message, this, [this](const QString& t, const QByteArray& p) {
            nachrichten.append({t, p});
        });
        client.start();
    }
    int anzahl(const QString& topic) const {
        int n = 0;
        for (const auto& m : nachrichten)
            n += m.first == topic;
        return n;
    }
    std::optional<QByteArray> letzte(const QString& topic) const {
        for (auto i = nachrichten.size(); i-- > 0;)
            if (nachrichten[i].first == topic)
                return nachrichten[i].second;
        return std::nullopt;
    }
    int configs() const {
        int n = 0;
        for (const auto& m : nachrichten)
            n += m.first.endsWith(QLatin1String("/config"));
        return n;
    }
};

} // namespace

class TstBridge : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QProcess m_sim;
    QProcess m_broker;
    QString m_device;
    int m_port = 0;

    void brokerStarten() {
        QFile c(m_dir.filePath(QStringLiteral("mosquitto.conf")));
        QVERIFY(c.open(QIODevice::WriteOnly));
        c.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence false\n")
                    .arg(m_port)
                    .toUtf8());
        c.close();
        m_broker.start(QStringLiteral("mosquitto"), {QStringLiteral("-c"), c.fileName()});
        QVERIFY2(m_broker.waitForStarted(5000), "mosquitto is not installed");
        QVERIFY(QTest::qWaitFor([this] { return lauscht(m_port); }, 10000));
    }
    void brokerStoppen() {
        m_broker.terminate();
        m_broker.waitForFinished(5000);
    }
    void simSteuern(const QByteArray& befehl) {
        m_sim.write(befehl + '\n');
        QVERIFY(m_sim.waitForReadyRead(5000));
        QCOMPARE(m_sim.readLine().trimmed(), QByteArray("ok"));
    }
    void bridgeStarten(QProcess& p, const QStringList& mehr = {}) {
        p.setProgram(QStringLiteral(ZELMAR_BRIDGE_PATH));
        p.setArguments(
            QStringList{QStringLiteral("--port"), m_device, QStringLiteral("--timeout"),
                        QStringLiteral("300"), QStringLiteral("--interval"), QStringLiteral("1"),
                        QStringLiteral("--id"), QStringLiteral("haus1"), QStringLiteral("--broker"),
                        QStringLiteral("127.0.0.1"), QStringLiteral("--broker-port"),
                        QString::number(m_port), QStringLiteral("--config"),
                        m_dir.filePath(QStringLiteral("BRIDGE.ini")), QStringLiteral("--no-log")} +
            mehr);
        p.setStandardErrorFile(m_dir.filePath(QStringLiteral("bridge.log")));
        p.start();
        QVERIFY(p.waitForStarted(5000));
    }
    // What the bridge said on standard error, the journal's lines.
    QByteArray journal() const {
        QFile f(m_dir.filePath(QStringLiteral("bridge.log")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QFile ini(m_dir.filePath(QStringLiteral("BRIDGE.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.close();
    }
    void init() {
        m_port = freierPort();
        m_sim.start(QStringLiteral(ZELMAR_SIM_PATH),
                    {QStringLiteral("--control"), QStringLiteral("--no-pace")});
        QVERIFY(m_sim.waitForStarted(5000));
        QVERIFY(m_sim.waitForReadyRead(5000));
        m_device = QString::fromLocal8Bit(m_sim.readLine()).trimmed();
    }
    void cleanup() {
        brokerStoppen();
        m_sim.terminate();
        m_sim.waitForFinished(5000);
    }

    // Home Assistant's view: one device, stable unique ids, the right classes and units, and
    // availability tied to the bridge and, for read values, to the value itself.
    void discoveryMessages() {
        Themen t;
        t.id = QStringLiteral("haus1");
        t.basis = QStringLiteral("zelmar/haus1");
        t.intervall = 60;
        t.version = QStringLiteral("1.3");
        QSet<QString> ids, topics;
        for (const Entitaet& e : entitaeten()) {
            const QJsonObject c = json(e.config(t));
            ids << c.value(QStringLiteral("unique_id")).toString();
            topics << e.configTopic(t);
            QVERIFY(e.configTopic(t).startsWith(QStringLiteral("homeassistant/") +
                                                QLatin1String(e.komponente) +
                                                QStringLiteral("/zelmar_haus1/")));
            QCOMPARE(c.value(QStringLiteral("state_topic")).toString(), e.zustandTopic(t));
            const QJsonArray av = c.value(QStringLiteral("availability")).toArray();
            QCOMPARE(av.at(0)[QStringLiteral("topic")].toString(),
                     QStringLiteral("zelmar/haus1/status"));
            QCOMPARE(av.size(), e.eigeneVerfuegbarkeit ? 2 : 1);
            QCOMPARE(c.value(QStringLiteral("availability_mode")).toString(),
                     QStringLiteral("all"));
            QCOMPARE(c.value(QStringLiteral("expire_after")).toInt(), 185);
            QCOMPARE(c.value(QStringLiteral("device"))[QStringLiteral("identifiers")][0].toString(),
                     QStringLiteral("zelmar_haus1"));
            QCOMPARE(c.value(QStringLiteral("state_class")).toString(),
                     QLatin1String(e.komponente) == QLatin1String("sensor")
                         ? QStringLiteral("measurement")
                         : QString());
        }
        QCOMPARE(ids.size(), entitaeten().size());
        QCOMPARE(topics.size(), entitaeten().size());

        // The same entity keeps its id whatever the interval or the topics.
        Themen anders = t;
        anders.intervall = 5;
        anders.basis = QStringLiteral("x/y");
        anders.prefix = QStringLiteral("ha");
        const Entitaet& wz = entitaet(QStringLiteral("wz_temperatur"));
        QCOMPARE(json(wz.config(anders)).value(QStringLiteral("unique_id")),
                 json(wz.config(t)).value(QStringLiteral("unique_id")));
        QCOMPARE(json(wz.config(anders)).value(QStringLiteral("expire_after")).toInt(), 20);
        QCOMPARE(wz.name, QStringLiteral("WZ Temperatur"));
        QCOMPARE(json(wz.config(t)).value(QStringLiteral("unit_of_measurement")).toString(),
                 QStringLiteral("°C"));
        QCOMPARE(json(entitaet(QStringLiteral("luftdruck")).config(t))
                     .value(QStringLiteral("device_class"))
                     .toString(),
                 QStringLiteral("atmospheric_pressure"));
        const QJsonObject slave = json(entitaet(QStringLiteral("slave_44")).config(t));
        QCOMPARE(slave.value(QStringLiteral("name")).toString(), QStringLiteral("Slave 44"));
        QCOMPARE(slave.value(QStringLiteral("device_class")).toString(),
                 QStringLiteral("connectivity"));

        QCOMPARE(idAus(QStringLiteral("Heiz-PC.local")), QStringLiteral("heiz-pc_local"));
        QCOMPARE(idAus(QStringLiteral("#/+")), QString());
    }

    // A value that could not be read is no number; a measured 0 is one.
    void statesOfAPass() {
        Durchgang d;
        d.schnittstelle = true;
        d.spannung = 12.3;
        ApartmentValues w;
        w.raum[0].temperatur = 0.0;
        w.raum[0].heizung = 35.5;
        w.aussentemperatur = -3.2;
        w.vorhanden[1] = true; // slave 20
        d.werte = w;
        auto z = zustaende(d);
        QCOMPARE(z.size(), entitaeten().size());
        QCOMPARE(zustand(z, QStringLiteral("wz_temperatur")), std::optional(QByteArray("0")));
        QCOMPARE(zustand(z, QStringLiteral("wz_heizung")), std::optional(QByteArray("35.5")));
        QCOMPARE(zustand(z, QStringLiteral("aussentemperatur")), std::optional(QByteArray("-3.2")));
        QCOMPARE(zustand(z, QStringLiteral("az_temperatur")), std::nullopt);
        QCOMPARE(zustand(z, QStringLiteral("luftdruck")), std::nullopt);
        QCOMPARE(zustand(z, QStringLiteral("versorgungsspannung")),
                 std::optional(QByteArray("12.3")));
        QCOMPARE(zustand(z, QStringLiteral("slave_20")), std::optional(QByteArray("ON")));
        QCOMPARE(zustand(z, QStringLiteral("slave_44")), std::optional(QByteArray("OFF")));
        QCOMPARE(zustand(z, QStringLiteral("schnittstelle")), std::optional(QByteArray("ON")));

        // No pass: the interface is gone and nothing else is known, not even absence.
        z = zustaende(Durchgang{});
        for (const Zustand& s : z)
            if (s.objekt == QLatin1String("schnittstelle"))
                QCOMPARE(s.wert, std::optional(QByteArray("OFF")));
            else
                QVERIFY2(!s.wert, qPrintable(s.objekt));
    }

    void settings_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("erwartet"); // part of the message, or key=value of the result

        QTest::newRow("defaults") << QStringList{} << QByteArray() << 0
                                  << QStringLiteral("base=zelmar/rechner_1 prefix=homeassistant "
                                                    "interval=60 host=localhost port=1883 "
                                                    "client=zelmar-bridge-rechner_1 log=1");
        QTest::newRow("file over defaults")
            << QStringList{}
            << QByteArray("[bridge]\ninterval=30\nid=Keller\nlog=false\n[mqtt]\nhost=broker\n"
                          "port=8883\ndiscovery_prefix=ha\n")
            << 0
            << QStringLiteral("base=zelmar/keller prefix=ha interval=30 host=broker port=8883 "
                              "client=zelmar-bridge-keller log=0");
        QTest::newRow("options over file")
            << QStringList{QStringLiteral("--interval"), QStringLiteral("5"),
                           QStringLiteral("--base-topic"), QStringLiteral("heim/heizung")}
            << QByteArray("[bridge]\ninterval=30\n") << 0
            << QStringLiteral("base=heim/heizung interval=5");
        QTest::newRow("interval 0")
            << QStringList{QStringLiteral("--interval"), QStringLiteral("0")} << QByteArray()
            << int(cli::AUFRUF) << QStringLiteral("--interval: '0' is not a whole number");
        QTest::newRow("interval in the file")
            << QStringList{} << QByteArray("[bridge]\ninterval=1.5\n") << int(cli::AUFRUF)
            << QStringLiteral("bridge/interval: '1.5' is not a whole number");
        QTest::newRow("wildcard topic")
            << QStringList{QStringLiteral("--base-topic"), QStringLiteral("a/#")} << QByteArray()
            << int(cli::AUFRUF) << QStringLiteral("'a/#' is no topic");
        QTest::newRow("empty level")
            << QStringList{QStringLiteral("--discovery-prefix"), QStringLiteral("a//b")}
            << QByteArray() << int(cli::AUFRUF) << QStringLiteral("'a//b' is no topic");
        QTest::newRow("broker port")
            << QStringList{QStringLiteral("--broker-port"), QStringLiteral("70000")} << QByteArray()
            << int(cli::AUFRUF) << QStringLiteral("'70000' is no TCP port");
        QTest::newRow("missing password file")
            << QStringList{QStringLiteral("--password-file"), QStringLiteral("/nonexistent/pw")}
            << QByteArray() << int(cli::FEHLER)
            << QStringLiteral("password file /nonexistent/pw cannot be read");
        QTest::newRow("password on the command line")
            << QStringList{QStringLiteral("--password"), QStringLiteral("geheim")} << QByteArray()
            << int(cli::AUFRUF) << QStringLiteral("Unknown option 'password'");
        QTest::newRow("argument") << QStringList{QStringLiteral("scan")} << QByteArray()
                                  << int(cli::AUFRUF)
                                  << QStringLiteral("unexpected argument 'scan'");
    }
    void settings() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, ini);
        QFETCH(int, status);
        QFETCH(QString, erwartet);
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("BRIDGE.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ini);
        f.close();
        const Ergebnis e = konfiguration(args, dir.path(), QStringLiteral("Rechner 1"));
        QCOMPARE(e.status, status);
        if (status != 0) {
            QVERIFY2(e.fehler.contains(erwartet), qPrintable(e.fehler));
            return;
        }
        const QString ist =
            QStringLiteral("base=%1 prefix=%2 interval=%3 host=%4 port=%5 client=%6 log=%7")
                .arg(e.k.themen.basis, e.k.themen.prefix)
                .arg(e.k.themen.intervall)
                .arg(e.k.mqtt.host)
                .arg(e.k.mqtt.port)
                .arg(e.k.mqtt.clientId)
                .arg(int(e.k.verlauf));
        for (const QString& teil : erwartet.split(QLatin1Char(' ')))
            QVERIFY2(ist.split(QLatin1Char(' ')).contains(teil), qPrintable(teil + " in " + ist));
        QCOMPARE(e.k.mqtt.willTopic, e.k.themen.status());
    }

    void passwordFromItsFile() {
        QTemporaryDir dir;
        QFile pw(dir.filePath(QStringLiteral("pw")));
        QVERIFY(pw.open(QIODevice::WriteOnly));
        pw.write("s3cret word\r\nsecond line\n");
        pw.close();
        const Ergebnis e = konfiguration({QStringLiteral("--user"), QStringLiteral("heiz"),
                                          QStringLiteral("--password-file"), pw.fileName()},
                                         dir.path(), QStringLiteral("h"));
        QCOMPARE(e.status, 0);
        QCOMPARE(e.k.mqtt.user, QStringLiteral("heiz"));
        QCOMPARE(e.k.mqtt.password, QStringLiteral("s3cret word"));
    }

    // The program as a service runs it: discovery, values, a slave gone, Home Assistant
    // restarting, the port held, and an orderly stop.
    void publishesTheInstallation() {
        brokerStarten();
        Mitschnitt ha(m_port);
        QVERIFY(QTest::qWaitFor([&] { return ha.client.verbunden(); }, 5000));
        QProcess bridge;
        bridgeStarten(bridge);
        const QString basis = QStringLiteral("zelmar/haus1/");
        // The interface's state is the last of a pass.
        QVERIFY2(QTest::qWaitFor(
                     [&] { return ha.letzte(basis + "schnittstelle/state").has_value(); }, 20000),
                 journal().constData());
        QCOMPARE(ha.letzte(basis + "status"), std::optional(QByteArray("online")));
        QCOMPARE(ha.configs(), entitaeten().size());
        bool zahl = false;
        ha.letzte(basis + "wz_temperatur/state")->toDouble(&zahl);
        QVERIFY(zahl);
        QCOMPARE(ha.letzte(basis + "wz_temperatur/availability"),
                 std::optional(QByteArray("online")));
        QCOMPARE(ha.letzte(basis + "slave_44/state"), std::optional(QByteArray("ON")));
        QCOMPARE(ha.letzte(basis + "schnittstelle/state"), std::optional(QByteArray("ON")));
        QVERIFY(ha.letzte(basis + "versorgungsspannung/state").has_value());

        // The weather station goes off line: its values become unavailable, never 0.
        simSteuern("offline 44");
        QVERIFY(QTest::qWaitFor(
            [&] { return ha.letzte(basis + "slave_44/state") == QByteArray("OFF"); }, 20000));
        QVERIFY(QTest::qWaitFor(
            [&] {
                return ha.letzte(basis + "aussentemperatur/availability") == QByteArray("offline");
            },
            5000));
        const int vorher = ha.anzahl(basis + "aussentemperatur/state");
        QTest::qWait(2500);
        QCOMPARE(ha.anzahl(basis + "aussentemperatur/state"), vorher);

        // Home Assistant restarted: discovery again.
        const int configs = ha.configs();
        ha.client.publish(QStringLiteral("homeassistant/status"), "online", false);
        QVERIFY(
            QTest::qWaitFor([&] { return ha.configs() >= configs + entitaeten().size(); }, 5000));

        // The port is the bridge's while it runs.
        QProcess cli;
        cli.start(QStringLiteral(ZELMAR_CLI_PATH),
                  {QStringLiteral("--port"), m_device, QStringLiteral("scan")});
        QVERIFY(cli.waitForFinished(20000));
        QCOMPARE(cli.exitCode(), int(cli::FEHLER));
        const QByteArray meldung = cli.readAllStandardError();
        QVERIFY2(meldung.contains("in use by process") && meldung.contains("zelmar-bridge"),
                 meldung.constData());

        // Stopped as systemd stops it: offline, retained for whoever asks later.
        bridge.terminate();
        QVERIFY(bridge.waitForFinished(30000));
        QCOMPARE(bridge.exitStatus(), QProcess::NormalExit);
        QCOMPARE(bridge.exitCode(), 0);
        Mitschnitt spaeter(m_port);
        QVERIFY(
            QTest::qWaitFor([&] { return spaeter.letzte(basis + "status").has_value(); }, 5000));
        QCOMPARE(spaeter.letzte(basis + "status"), std::optional(QByteArray("offline")));
        QVERIFY(QTest::qWaitFor([&] { return spaeter.configs() == entitaeten().size(); }, 5000));
        const QByteArray log = journal();
        QCOMPARE(log.count("connected to the broker"), 1);
        QVERIFY2(!log.contains("wz_temperatur"), log.constData()); // no line per value
    }

    // Stopped while it waits for an interface that does not answer: it ends once the wait is
    // over, as a service must (a quit inside the link's wait would leave it there for good).
    void stopsDuringAWait() {
        brokerStarten();
        simSteuern("silent");
        QProcess bridge;
        bridgeStarten(bridge, {QStringLiteral("--timeout"), QStringLiteral("2000")});
        QVERIFY(
            QTest::qWaitFor([&] { return journal().contains("connected to the broker"); }, 10000));
        QTest::qWait(500); // into the wait for the first reply byte
        bridge.terminate();
        QVERIFY(bridge.waitForFinished(30000));
        QCOMPARE(bridge.exitStatus(), QProcess::NormalExit);
        QCOMPARE(bridge.exitCode(), 0);
    }

    // Started before its broker, and the broker gone for a while: it comes back by itself and
    // publishes the newest pass, not a backlog.
    void reconnectsToItsBroker() {
        QProcess bridge;
        bridgeStarten(bridge);
        QVERIFY(QTest::qWaitFor([&] { return journal().contains("no connection"); }, 10000));
        brokerStarten();
        Mitschnitt ha(m_port);
        QVERIFY(QTest::qWaitFor(
            [&] {
                return ha.letzte(QStringLiteral("zelmar/haus1/status")) == QByteArray("online");
            },
            15000));
        brokerStoppen();
        QTest::qWait(3000); // passes made while the broker is away
        brokerStarten();
        Mitschnitt wieder(m_port);
        QVERIFY(QTest::qWaitFor(
            [&] {
                return wieder.letzte(QStringLiteral("zelmar/haus1/wz_temperatur/state"))
                    .has_value();
            },
            20000));
        // One pass's worth at the reconnection, not one per pass missed.
        QVERIFY(wieder.anzahl(QStringLiteral("zelmar/haus1/wz_temperatur/state")) <= 2);
        bridge.terminate();
        QVERIFY(bridge.waitForFinished(30000));
        QCOMPARE(bridge.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TstBridge)
#include "tst_bridge.moc"
