#pragma once

// What the benchmarks share: the process's CPU time and a clock that only tells the time.

#include "files/systemservices.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <cstdio>

#include <sys/resource.h>

namespace benchsupport {

// User and system CPU seconds of this process so far.
inline double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The machine's clock, and nothing else of the machine.
class Clock : public zelmar::SystemServices {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// zelmar-sim (at `path`) paced on a pseudo-terminal of its own: the terminal's device, or empty
// when it did not start (said on standard error).
inline QByteArray startPacedSimulator(QProcess& simulator, const QString& path) {
    simulator.start(path, {QStringLiteral("--pace")});
    if (!simulator.waitForStarted(5000) || !simulator.waitForReadyRead(5000)) {
        std::fprintf(stderr, "zelmar-sim did not start\n");
        return QByteArray();
    }
    return simulator.readLine().trimmed();
}

// A PORTS.ini in `dir` whose port 1 is `device`.
inline bool portOneIs(const QString& dir, const QByteArray& device) {
    QFile ports(QDir(dir).filePath(QStringLiteral("PORTS.ini")));
    return ports.open(QIODevice::WriteOnly) && ports.write(device + "\r\n") == device.size() + 2;
}

} // namespace benchsupport
