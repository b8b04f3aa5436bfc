// Round trips through the real serial port class against a pseudo-terminal peer that answers
// at once, and the CPU the engine burns while a reply never comes.
//
//   build/bench/engine [round trips, default 5000]

#include "benchsupport.h"

#include "files/logbooks.h"
#include "link/hardwareserialport.h"
#include "link/link.h"
#include "shell/desktopservices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <csignal>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The far end, in its own process so its CPU is not counted: answers every complete frame
// with one byte, except frames for command 250, which it leaves unanswered.
[[noreturn]] void peer(int master) {
    unsigned char buf[70000];
    size_t have = 0;
    for (;;) {
        const ssize_t n = read(master, buf + have, sizeof buf - have);
        if (n <= 0)
            _exit(0);
        have += static_cast<size_t>(n);
        while (have >= 10) {
            const size_t len = 10 + buf[4] + 256u * buf[5];
            if (have < len)
                break;
            if (buf[1] != 250) {
                const unsigned char reply = 0;
                if (write(master, &reply, 1) != 1)
                    _exit(1);
            }
            std::memmove(buf, buf + len, have - len);
            have -= len;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    int master = -1, slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }
    termios t{};
    tcgetattr(slave, &t);
    cfmakeraw(&t);
    tcsetattr(slave, TCSANOW, &t);
    const pid_t child = fork();
    if (child == 0) {
        close(slave);
        peer(master);
    }
    close(master);

    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5000;
    QTemporaryDir dir;
    QFile ports(dir.filePath("PORTS.ini"));
    ports.open(QIODevice::WriteOnly);
    ports.write(QByteArray(name) + "\n");
    ports.close();

    zelmar::HardwareSerialPort port(dir.path());
    zelmar::Link link(port);
    link.setReplyTimeout(1000);
    link.SLAVE_ADRESSE = 127;

    QElapsedTimer wall;
    auto measure = [&](const char* what) {
        int failures = 0;
        wall.restart();
        const double cpu0 = benchsupport::cpuSeconds();
        for (int i = 0; i < rounds; ++i) {
            link.BEFEHL = 0;
            link.ANZAHL_SENDEN = 0;
            link.ANZAHL_EMPFANGEN = 0;
            link.RAHMEN_SENDEN();
            link.DATEN_EMPFANGEN(1);
            failures += link.STATUS_CODE != 0;
        }
        const double secs = wall.nsecsElapsed() / 1e9;
        const double cpu = benchsupport::cpuSeconds() - cpu0;
        std::printf("round trips %s: %d in %.3f s, %d failed\n", what, rounds, secs, failures);
        std::printf("  %.0f round trips/s, %.1f us each\n", rounds / secs, 1e6 * secs / rounds);
        std::printf("  CPU %.3f s per 1000 transactions (%.1f us per transaction)\n",
                    1000.0 * cpu / rounds, 1e6 * cpu / rounds);
    };
    measure("(command 0, 1-byte reply, pseudo-terminal, no logbook)");

    // The same with every frame appended to the TWI logbook, as the program does.
    zelmar::DesktopSystemServices services;
    zelmar::TwiLogbook logbook(dir.path() + "/", services);
    link.setFrameLogSink(&logbook);
    measure("(same, with the TWI logbook line per frame)");
    link.setFrameLogSink(nullptr);

    // A read that waits the whole time-out for a reply that never comes.
    link.setReplyTimeout(2000);
    link.BEFEHL = 250;
    link.RAHMEN_SENDEN();
    wall.restart();
    const double idle0 = benchsupport::cpuSeconds();
    link.DATEN_EMPFANGEN(1);
    const double idleCpu = benchsupport::cpuSeconds() - idle0;
    const double idleWall = wall.nsecsElapsed() / 1e9;
    std::printf("waiting for a reply that never comes: %.3f s wall, %.4f s CPU = %.3f %% of one "
                "core (status %d)\n",
                idleWall, idleCpu, 100.0 * idleCpu / idleWall, link.STATUS_CODE);

    port.close();
    close(slave);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    return 0;
}
