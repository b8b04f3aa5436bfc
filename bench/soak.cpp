// Soak run: the apartment display fetching with "repead" and the console repeating a standard
// command, both at once for a given time, through the real serial port to zelmar-sim paced at
// 19200 baud, every frame into the TWI logbook as in the program. Prints the resident memory
// and the open file descriptors of this process after a warm-up and at the end, and the frames
// sent. Goal: memory growth under 2 MB, no descriptor growth. Run it offscreen:
//   QT_QPA_PLATFORM=offscreen build/bench/soak [seconds]      (default 600)

#include "benchsupport.h"

#include "app/windowcatalog.h"
#include "files/slavedirectory.h"
#include "link/hardwareserialport.h"
#include "link/link.h"
#include "shell/appcontext.h"
#include "shell/windownames.h"
#include "ui/prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

using namespace zelmar;

namespace {

class CountingPrompter : public Prompter {
public:
    int messages = 0;
    void message(const QString& text, const QString&) override {
        if (++messages <= 5)
            std::printf("message: %s\n", qPrintable(text));
    }
    bool askYesNo(const QString&, const QString&) override { return false; }
    QString input(const QString&, const QString&, const QString&) override { return {}; }
    void beep() override {}
};

long residentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> f = statm.readAll().split(' ');
    return f.size() > 1 ? f[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

int openFds() {
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::NoDotAndDotDot | QDir::System)
                   .size());
}

void idle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void click(QWidget* w, const char* name) {
    if (auto* b = w->findChild<QAbstractButton*>(QString::fromUtf8(name)))
        b->click();
    else
        std::fprintf(stderr, "no control %s\n", name), std::exit(1);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int seconds = argc > 1 ? std::max(10, std::atoi(argv[1])) : 600;

    QTemporaryDir dir;
    QProcess simulator;
    const QByteArray device =
        benchsupport::startPacedSimulator(simulator, QStringLiteral(ZELMAR_SIM_PATH));
    if (device.isEmpty() || !benchsupport::portOneIs(dir.path(), device))
        return 1;

    HardwareSerialPort port(dir.path());
    Link link(port);
    SlaveDirectory slaves;
    CountingPrompter prompter;
    benchsupport::Clock system;
    AppContext ctx(link, slaves, prompter, system, QLocale(QLocale::German));
    ctx.setProgrammPfad(dir.path());
    QDir().mkpath(ctx.DATEN_PFAD);
    ctx.useTwiLogbook();
    link.setReplyTimeout(1100);
    registerAllWindows(ctx.windows);
    qint64 frames = 0;
    QObject::connect(&link, &Link::frameSent, [&] { ++frames; });

    QWidget* wohnung = ctx.windows.show(fenster::WOHNUNG);
    click(wohnung, "Check_REPEAD");
    click(wohnung, "Command_DATEN_HOLEN");
    QWidget* konsole = ctx.windows.show(fenster::KONFIGURATION);
    idle(200);
    link.SLAVE_ADRESSE = 20;
    click(konsole, "Option_TWI_PROFI");
    click(konsole, "Option_DUMMY_SENDEN");
    click(konsole, "Check_BEFEHLE_START_REPEAD");
    click(konsole, "Command_STANDARD_BEFEHLE_START");

    std::printf("soak: %d s against zelmar-sim on %s (paced, %s)\n", seconds, device.constData(),
                qPrintable(port.settings()));
    idle(10000); // warm-up: first windows painted, caches filled
    const long rss0 = residentKiB();
    const int fds0 = openFds();
    const qint64 frames0 = frames;
    std::printf("start: resident %ld KiB, %d open descriptors, %lld frames so far\n", rss0, fds0,
                static_cast<long long>(frames0));
    QElapsedTimer wall;
    wall.start();
    const int step = 60;
    for (int s = 0; s < seconds; s += step) {
        idle(std::min(step, seconds - s) * 1000);
        std::printf("  %4lld s: resident %ld KiB, %d descriptors, %lld frames\n",
                    static_cast<long long>(wall.elapsed() / 1000), residentKiB(), openFds(),
                    static_cast<long long>(frames - frames0));
        std::fflush(stdout);
    }
    const long rss1 = residentKiB();
    const int fds1 = openFds();
    std::printf("end:   resident %ld KiB, %d open descriptors, %lld frames in %.0f s\n", rss1, fds1,
                static_cast<long long>(frames - frames0), wall.elapsed() / 1000.0);
    std::printf("growth: %+ld KiB resident, %+d descriptors; %d messages\n", rss1 - rss0,
                fds1 - fds0, prompter.messages);

    wohnung->close();
    konsole->close();
    idle(3000);
    port.close();
    simulator.terminate();
    simulator.waitForFinished(5000);
    return 0;
}
