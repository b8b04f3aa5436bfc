#pragma once

// What the benchmarks share: the process's CPU time and a clock that only tells the time.

#include "shell/systemservices.h"

#include <QDateTime>

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

} // namespace benchsupport
