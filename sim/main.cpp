// zelmar-sim: the simulated installation on a pseudo-terminal.
#include "sim/installation.h"
#include "sim/ptyserver.h"
#include "sim/trace.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

using namespace zelmar::sim;

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(g_signalPipe[1], &c, 1);
}

bool parseAddresses(const QStringList& values, QList<int>& out) {
    for (const QString& v : values) {
        bool ok = false;
        const int a = v.toInt(&ok);
        if (!ok || a < 1 || a > 127)
            return false;
        out.append(a);
    }
    return true;
}

// Commands on standard input (with --control): change faults while the program runs.
QString control(Installation& inst, PtyServer& server, const QString& command) {
    const QStringList w = command.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (w.isEmpty())
        return {};
    const QString verb = w.at(0);
    const int arg = w.size() > 1 ? w.at(1).toInt() : -1;
    const bool on = w.size() < 3 || w.at(2) != QLatin1String("off");
    if (verb == QLatin1String("offline") || verb == QLatin1String("online"))
        return inst.setDeviceOnline(arg, verb == QLatin1String("online"))
                   ? QStringLiteral("ok")
                   : QStringLiteral("no device");
    if (verb == QLatin1String("protect")) {
        SerialEeprom* e = inst.eeprom(arg);
        if (!e)
            return QStringLiteral("no EEPROM");
        e->setWriteProtected(on);
        return QStringLiteral("ok");
    }
    if (verb == QLatin1String("silent")) {
        inst.lineFaults().silent = w.value(1) != QLatin1String("off");
        return QStringLiteral("ok");
    }
    if (verb == QLatin1String("twint-stuck")) {
        inst.twi().setTwintStuck(w.value(1) != QLatin1String("off"));
        return QStringLiteral("ok");
    }
    if (verb == QLatin1String("garbage")) {
        server.injectToPc(QByteArray::fromHex(w.mid(1).join(QString()).toLatin1()));
        return QStringLiteral("ok");
    }
    if (verb == QLatin1String("reset")) {
        inst.firmware().externalReset(inst.clock().nowUs());
        return QStringLiteral("ok");
    }
    if (verb == QLatin1String("quit")) {
        QCoreApplication::quit();
        return QStringLiteral("ok");
    }
    return QStringLiteral("unknown command");
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zelmar-sim"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ZELMAR_VERSION));

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Simulated RS232-TWI interface with its TWI bus installation, served on a "
        "pseudo-terminal.\nPrints the device path on standard output; open it as the serial "
        "port (for example by naming it in PORTS.ini). Ends on SIGINT or SIGTERM."));
    p.addHelpOption();
    p.addVersionOption();
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Place a symlink to the device at <path>."),
                                  QStringLiteral("path"));
    const QCommandLineOption pace(
        QStringLiteral("pace"),
        QStringLiteral("Answer at the speed of the baud rate the PC set (default)."));
    const QCommandLineOption noPace(QStringLiteral("no-pace"),
                                    QStringLiteral("Answer as fast as possible."));
    const QCommandLineOption scenario(
        QStringLiteral("scenario"),
        QStringLiteral("Installation from a JSON file instead of the built-in apartment."),
        QStringLiteral("file"));
    const QCommandLineOption dump(QStringLiteral("dump-scenario"),
                                  QStringLiteral("Print the scenario as JSON and exit."));
    const QCommandLineOption trace(
        QStringLiteral("trace"),
        QStringLiteral(
            "Write every frame received and every byte answered, with time stamps, to <file>."),
        QStringLiteral("file"));
    const QCommandLineOption silent(
        QStringLiteral("silent"),
        QStringLiteral("Fault: the interface neither hears nor answers."));
    const QCommandLineOption dropEvery(QStringLiteral("drop-every"),
                                       QStringLiteral("Fault: lose every <n>-th reply byte."),
                                       QStringLiteral("n"));
    const QCommandLineOption corruptEvery(
        QStringLiteral("corrupt-every"),
        QStringLiteral("Fault: flip bits in every <n>-th reply byte."), QStringLiteral("n"));
    const QCommandLineOption garbageEvery(
        QStringLiteral("garbage-every"),
        QStringLiteral("Fault: garbage bytes after every <n>-th reply."), QStringLiteral("n"));
    const QCommandLineOption offline(
        QStringLiteral("offline"),
        QStringLiteral("Fault: the device at <address> does not answer (repeatable)."),
        QStringLiteral("address"));
    const QCommandLineOption protect(
        QStringLiteral("write-protect"),
        QStringLiteral("Fault: the EEPROM at <address> is write-protected (repeatable)."),
        QStringLiteral("address"));
    const QCommandLineOption twintStuck(
        QStringLiteral("twint-stuck"),
        QStringLiteral("Fault: the interface's TWINT flag never comes."));
    const QCommandLineOption sdaLow(QStringLiteral("sda-stuck"),
                                    QStringLiteral("Fault: SDA held low."));
    const QCommandLineOption sclLow(QStringLiteral("scl-stuck"),
                                    QStringLiteral("Fault: SCL held low."));
    const QCommandLineOption ctl(QStringLiteral("control"),
                                 QStringLiteral("Read commands from standard input: offline N, "
                                                "online N, protect N [off], silent [off], "
                                                "twint-stuck [off], garbage HEX, reset, quit."));
    p.addOptions({link, pace, noPace, scenario, dump, trace, silent, dropEvery, corruptEvery,
                  garbageEvery, offline, protect, twintStuck, sdaLow, sclLow, ctl});
    p.process(app);

    QTextStream err(stderr);
    Scenario sc = Scenario::demo();
    if (p.isSet(scenario)) {
        QString why;
        const auto loaded = Scenario::load(p.value(scenario), &why);
        if (!loaded) {
            err << "zelmar-sim: " << why << Qt::endl;
            return 2;
        }
        sc = *loaded;
    }
    auto count = [&](const QCommandLineOption& o, int& into) {
        if (!p.isSet(o))
            return true;
        bool ok = false;
        into = p.value(o).toInt(&ok);
        return ok && into >= 0;
    };
    QList<int> offlineList;
    QList<int> protectList;
    if (!count(dropEvery, sc.lineFaults.dropEvery) ||
        !count(corruptEvery, sc.lineFaults.corruptEvery) ||
        !count(garbageEvery, sc.lineFaults.garbageEvery) ||
        !parseAddresses(p.values(offline), offlineList) ||
        !parseAddresses(p.values(protect), protectList)) {
        err << "zelmar-sim: bad number in the options (see --help)" << Qt::endl;
        return 2;
    }
    sc.lineFaults.silent |= p.isSet(silent);
    sc.busFaults.twintStuck |= p.isSet(twintStuck);
    sc.busFaults.sdaStuckLow |= p.isSet(sdaLow);
    sc.busFaults.sclStuckLow |= p.isSet(sclLow);
    for (DeviceConfig& d : sc.devices) {
        const int a = d.type == DeviceConfig::Type::Atmega8 ? d.slave.address : d.eeprom.address;
        if (offlineList.contains(a))
            d.online = false;
        if (d.type == DeviceConfig::Type::Eeprom && protectList.contains(a))
            d.eeprom.writeProtected = true;
    }
    if (p.isSet(dump)) {
        QTextStream(stdout) << sc.toJson();
        return 0;
    }

    MonotonicClock clock;
    Installation inst(sc, clock);
    QFile traceFile;
    TraceWriter tracer(&traceFile);
    if (p.isSet(trace)) {
        traceFile.setFileName(p.value(trace));
        if (!traceFile.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
            err << "zelmar-sim: cannot write " << p.value(trace) << Qt::endl;
            return 2;
        }
        tracer.attach(inst);
    }

    PtyServer server(inst, !p.isSet(noPace));
    if (!server.open()) {
        err << "zelmar-sim: " << server.errorString() << Qt::endl;
        return 1;
    }
    QString linkPath;
    if (p.isSet(link)) {
        linkPath = p.value(link);
        const QFileInfo existing(linkPath);
        if (existing.isSymLink())
            QFile::remove(linkPath);
        if (!QFile::link(server.devicePath(), linkPath)) {
            err << "zelmar-sim: cannot place the link " << linkPath << Qt::endl;
            return 1;
        }
    }

    // Signals reach the event loop through a socket pair.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) {
        err << "zelmar-sim: socketpair failed" << Qt::endl;
        return 1;
    }
    QSocketNotifier signalNotifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [] {
        char c;
        [[maybe_unused]] const auto n = ::read(g_signalPipe[0], &c, 1);
        QCoreApplication::quit();
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);

    std::unique_ptr<QSocketNotifier> stdinNotifier;
    if (p.isSet(ctl)) {
        stdinNotifier = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(stdinNotifier.get(), &QSocketNotifier::activated, &app, [&] {
            char buf[512];
            const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf - 1);
            if (n <= 0) { // standard input closed: no more commands
                stdinNotifier->setEnabled(false);
                return;
            }
            const QStringList lines =
                QString::fromLocal8Bit(buf, static_cast<int>(n)).split(QLatin1Char('\n'));
            for (const QString& l : lines) {
                const QString answer = control(inst, server, l);
                if (!answer.isEmpty())
                    QTextStream(stdout) << answer << Qt::endl;
            }
        });
    }

    QTextStream(stdout) << server.devicePath() << Qt::endl;
    if (traceFile.isOpen())
        tracer.note(
            clock.nowUs(),
            QStringLiteral("serving %1, scenario \"%2\"").arg(server.devicePath(), sc.name));

    const int rc = app.exec();
    if (!linkPath.isEmpty() &&
        QFileInfo(linkPath).symLinkTarget() == QFileInfo(server.devicePath()).absoluteFilePath())
        QFile::remove(linkPath);
    ::close(g_signalPipe[0]);
    ::close(g_signalPipe[1]);
    return rc;
}
