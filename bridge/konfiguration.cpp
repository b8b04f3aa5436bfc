#include "konfiguration.h"

#include "cli/cli.h"
#include "files/dateien.h"

#include <QCommandLineParser>
#include <QFile>
#include <QSettings>

namespace zelmar::bridge {

namespace {

struct Option {
    const char* name;
    const char* ini; // "section/key" in BRIDGE.ini; nullptr: command line only
};

// Options with a value, and where BRIDGE.ini keeps each.
const Option kOptionen[] = {
    {"port", nullptr},
    {"settings", nullptr},
    {"timeout", nullptr},
    {"interval", "bridge/interval"},
    {"id", "bridge/id"},
    {"broker", "mqtt/host"},
    {"broker-port", "mqtt/port"},
    {"client-id", "mqtt/client_id"},
    {"user", "mqtt/user"},
    {"password-file", "mqtt/password_file"},
    {"ca-file", "mqtt/ca_file"},
    {"discovery-prefix", "mqtt/discovery_prefix"},
    {"base-topic", "mqtt/base_topic"},
    {"config", nullptr},
};

// A topic level or prefix: no wildcards, no empty level.
bool themaGut(const QString& t) {
    if (t.isEmpty() || t.contains(QLatin1Char('+')) || t.contains(QLatin1Char('#')) ||
        t.contains(QChar(0)))
        return false;
    for (const QString& ebene : t.split(QLatin1Char('/')))
        if (ebene.isEmpty())
            return false;
    return true;
}

} // namespace

QString versionText() {
    return QStringLiteral("zelmar-bridge %1.%2")
        .arg(ZELMAR_VERSION_MAJOR)
        .arg(ZELMAR_VERSION_REVISION);
}

QString hilfeText() {
    return QStringLiteral(
        "Usage: zelmar-bridge [OPTIONS]\n\n"
        "Publishes the apartment's values and the installation's health to an MQTT broker,\n"
        "with Home Assistant discovery, one pass every --interval seconds.\n\n"
        "Options (defaults from BRIDGE.ini, then as shown):\n"
        "  --port DEVICE|NUMBER    serial device, or port number 1..17 looked up in PORTS.ini\n"
        "                          (default: PROGRAMM.ini's port)\n"
        "  --settings TEXT         line settings such as 19200,n,8,1 (default: settings.ini's)\n"
        "  --timeout MS            reply time-out per byte in ms (default: PROGRAMM.ini's)\n"
        "  --interval S            seconds between passes, 1 or more (default 60)\n"
        "  --id ID                 installation id in topics and unique ids (default: the\n"
        "                          host name)\n"
        "  --broker HOST           MQTT broker (default localhost)\n"
        "  --broker-port N         its port (default 1883)\n"
        "  --client-id ID          MQTT client id (default zelmar-bridge-<id>)\n"
        "  --user NAME             MQTT user name\n"
        "  --password-file FILE    file whose first line is the MQTT password\n"
        "  --ca-file FILE          TLS to the broker, trusting this CA file\n"
        "  --discovery-prefix P    Home Assistant discovery prefix (default homeassistant)\n"
        "  --base-topic T          topic of the installation (default zelmar/<id>)\n"
        "  --no-log                do not write the daily VERLAUF CSV\n"
        "  --config FILE           settings file (default BRIDGE.ini in the data directory)\n"
        "  --help                  this text\n"
        "  --version               the version\n\n"
        "Exit status: 0 after SIGTERM or Ctrl+C, 1 a file could not be read, 2 usage error.\n");
}

Ergebnis konfiguration(const QStringList& argumente, const QString& programmPfad,
                       const QString& rechnername) {
    Ergebnis e;
    auto fehler = [&e](int status, const QString& text) {
        e.status = status;
        e.fehler = text;
        return e;
    };

    QCommandLineParser p;
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QList<QCommandLineOption> mitWert;
    for (const Option& o : kOptionen)
        mitWert.append(QCommandLineOption(QLatin1String(o.name), QString(), QStringLiteral("v")));
    const QCommandLineOption ohneLog(QStringLiteral("no-log"));
    const QCommandLineOption hilfe(QStringList{QStringLiteral("help"), QStringLiteral("h")});
    const QCommandLineOption version(QStringLiteral("version"));
    p.addOptions(mitWert);
    p.addOptions({ohneLog, hilfe, version});
    if (!p.parse(QStringList{QStringLiteral("zelmar-bridge")} + argumente))
        return fehler(cli::AUFRUF, p.errorText());
    if (!p.positionalArguments().isEmpty())
        return fehler(
            cli::AUFRUF,
            QStringLiteral("unexpected argument '%1'").arg(p.positionalArguments().constFirst()));
    e.k.hilfe = p.isSet(hilfe);
    e.k.version = p.isSet(version);
    if (e.k.hilfe || e.k.version)
        return e;

    const QString ini = p.isSet(QStringLiteral("config"))
                            ? p.value(QStringLiteral("config"))
                            : programmPfad + QStringLiteral("/BRIDGE.ini");
    if (p.isSet(QStringLiteral("config")) || QFile::exists(ini)) {
        QFile f;
        datei::Grund g;
        if (!datei::oeffnen(f, ini, QIODevice::ReadOnly, &g))
            return fehler(cli::FEHLER,
                          QStringLiteral("%1 cannot be read (%2)").arg(ini, cli::grundText(g)));
    }
    QSettings s(ini, QSettings::IniFormat);
    // The option's value, else BRIDGE.ini's, else nothing.
    QString herkunft;
    auto wert = [&](const char* name) -> std::optional<QString> {
        const QString n = QLatin1String(name);
        if (p.isSet(n)) {
            herkunft = QStringLiteral("--%1").arg(n);
            return p.value(n);
        }
        for (const Option& o : kOptionen)
            if (n == QLatin1String(o.name) && o.ini && s.contains(QLatin1String(o.ini))) {
                herkunft = QStringLiteral("%1: %2").arg(ini, QLatin1String(o.ini));
                return s.value(QLatin1String(o.ini)).toString().trimmed();
            }
        return std::nullopt;
    };

    if (auto v = wert("port"))
        e.k.link.port = *v;
    if (auto v = wert("settings"))
        e.k.link.settings = *v;
    if (auto v = wert("timeout")) {
        const auto ms = cli::zahl(*v, 1, 65000);
        if (!ms)
            return fehler(cli::AUFRUF,
                          QStringLiteral("%1: '%2' is not 1 to 65000 ms").arg(herkunft, *v));
        e.k.link.timeoutMs = *ms;
    }
    if (auto v = wert("interval")) {
        const auto s = cli::zahl(*v, 1, 86400);
        if (!s)
            return fehler(cli::AUFRUF,
                          QStringLiteral("%1: '%2' is not a whole number of seconds from 1 "
                                         "to 86400")
                              .arg(herkunft, *v));
        e.k.themen.intervall = *s;
    }
    const QString id = idAus(wert("id").value_or(rechnername));
    if (id.isEmpty())
        return fehler(cli::AUFRUF,
                      QStringLiteral("the installation id needs a letter or digit: set --id"));
    e.k.themen.id = id;
    if (auto v = wert("broker")) {
        if (v->isEmpty())
            return fehler(cli::AUFRUF,
                          QStringLiteral("%1: the broker's host is empty").arg(herkunft));
        e.k.mqtt.host = *v;
    }
    if (auto v = wert("broker-port")) {
        const auto n = cli::zahl(*v, 1, 65535);
        if (!n)
            return fehler(cli::AUFRUF,
                          QStringLiteral("%1: '%2' is no TCP port (1 to 65535)").arg(herkunft, *v));
        e.k.mqtt.port = *n;
    }
    e.k.mqtt.clientId = wert("client-id").value_or(QStringLiteral("zelmar-bridge-") + id);
    if (auto v = wert("user"))
        e.k.mqtt.user = *v;
    if (auto v = wert("password-file")) {
        QFile f;
        datei::Grund g;
        if (!datei::oeffnen(f, *v, QIODevice::ReadOnly, &g))
            return fehler(
                cli::FEHLER,
                QStringLiteral("password file %1 cannot be read (%2)").arg(*v, cli::grundText(g)));
        e.k.mqtt.password =
            QString::fromUtf8(f.readLine()).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    }
    if (auto v = wert("ca-file")) {
        QFile f;
        datei::Grund g;
        if (!datei::oeffnen(f, *v, QIODevice::ReadOnly, &g))
            return fehler(
                cli::FEHLER,
                QStringLiteral("CA file %1 cannot be read (%2)").arg(*v, cli::grundText(g)));
        e.k.mqtt.caFile = *v;
    }
    if (auto v = wert("discovery-prefix")) {
        if (!themaGut(*v))
            return fehler(cli::AUFRUF, QStringLiteral("%1: '%2' is no topic (no '+', '#' or "
                                                      "empty level)")
                                           .arg(herkunft, *v));
        e.k.themen.prefix = *v;
    }
    e.k.themen.basis = QStringLiteral("zelmar/") + id;
    if (auto v = wert("base-topic")) {
        if (!themaGut(*v))
            return fehler(cli::AUFRUF, QStringLiteral("%1: '%2' is no topic (no '+', '#' or "
                                                      "empty level)")
                                           .arg(herkunft, *v));
        e.k.themen.basis = *v;
    }
    if (p.isSet(ohneLog))
        e.k.verlauf = false;
    else if (s.contains(QStringLiteral("bridge/log")))
        e.k.verlauf = s.value(QStringLiteral("bridge/log")).toBool();
    e.k.themen.version =
        QStringLiteral("%1.%2").arg(ZELMAR_VERSION_MAJOR).arg(ZELMAR_VERSION_REVISION);
    e.k.mqtt.willTopic = e.k.themen.status();
    e.k.mqtt.willPayload = QByteArrayLiteral("offline");
    return e;
}

} // namespace zelmar::bridge
