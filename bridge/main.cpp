// zelmar-bridge: the apartment's values and the installation's health on an MQTT broker.

#include "bridge.h"

#include "cli/cli.h"
#include "cli/sitzung.h"
#include "files/datalocation.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QSysInfo>
#include <QTextStream>
#include <QTimer>

#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signale[2] = {-1, -1};

void gemeldet(int nummer) {
    const char c = char(nummer);
    [[maybe_unused]] const auto n = ::write(g_signale[1], &c, 1);
}

// SIGTERM (systemd's stop) and Ctrl+C end the run the orderly way: offline published, then
// the broker left. A second signal ends it at once.
template <typename F> void beiSignal(F beenden) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signale) != 0)
        return;
    auto* melder = new QSocketNotifier(g_signale[0], QSocketNotifier::Read, qApp);
    QObject::connect(melder, &QSocketNotifier::activated, [beenden] {
        char c = 0;
        if (::read(g_signale[0], &c, 1) != 1)
            return;
        static bool schon = false;
        if (schon) {
            std::signal(c, SIG_DFL);
            std::raise(c);
        }
        schon = true;
        beenden();
    });
    for (int nummer : {SIGINT, SIGTERM}) {
        struct sigaction a {};
        a.sa_handler = gemeldet;
        sigemptyset(&a.sa_mask);
        a.sa_flags = SA_RESTART;
        sigaction(nummer, &a, nullptr);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zelmar-bridge"));
    using namespace zelmar;

    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString programmPfad = datalocation::programmPfad(QCoreApplication::applicationDirPath());
    const auto e =
        bridge::konfiguration(app.arguments().mid(1), programmPfad, QSysInfo::machineHostName());
    if (e.status != cli::ERFOLG) {
        err << "zelmar-bridge: " << e.fehler << Qt::endl;
        if (e.status == cli::AUFRUF)
            err << "Try 'zelmar-bridge --help'." << Qt::endl;
        return e.status;
    }
    if (e.k.hilfe) {
        out << bridge::hilfeText() << Qt::flush;
        return cli::ERFOLG;
    }
    if (e.k.version) {
        out << bridge::versionText() << Qt::endl;
        return cli::ERFOLG;
    }

    cli::Umgebung u;
    u.programm = QStringLiteral("zelmar-bridge");
    u.programmPfad = programmPfad;
    u.out = &out;
    u.err = &err;
    cli::Sitzung sitzung(u, e.k.link, QStringLiteral("bridge"));
    bridge::MqttClient mqtt(e.k.mqtt);
    if (!mqtt.fehler().isEmpty()) {
        err << "zelmar-bridge: " << mqtt.fehler() << Qt::endl;
        return cli::FEHLER;
    }
    bridge::Bridge b(e.k, sitzung, mqtt, [&err](const QString& zeile) {
        err << "zelmar-bridge: " << zeile << Qt::endl;
    });
    // The run ends from the event loop's own level, never inside a wait of the link: a wait
    // told to quit would never see its reply or its time-out.
    QTimer ende;
    ende.setInterval(20);
    QObject::connect(&ende, &QTimer::timeout, &app, [&sitzung] {
        if (!sitzung.link().busy())
            QCoreApplication::exit(0);
    });
    QObject::connect(&b, &bridge::Bridge::beendet, &ende, qOverload<>(&QTimer::start));
    beiSignal([&b] { b.beenden(); });
    b.start();
    return app.exec();
}
