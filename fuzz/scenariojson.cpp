// The simulator's scenario JSON: whatever a file holds, it is refused with a reason or gives
// an installation that works, and an accepted scenario survives being written and read again.
#include "fuzzsupport.h"

#include "sim/installation.h"
#include "sim/scenario.h"

#include <QDateTime>

using namespace zelmar::sim;
using fuzz::check;

namespace {

QByteArray frame(int command, int address, const QByteArray& data, int receive) {
    QByteArray f("*");
    for (int b : {command, address, 0, int(data.size() & 0xFF), int(data.size() >> 8),
                  receive & 0xFF, receive >> 8})
        f.append(char(b));
    return f + '#' + data + '#';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString why;
    const auto s =
        Scenario::fromJson(QByteArray(reinterpret_cast<const char*>(data), int(size)), &why);
    if (!s) {
        check(!why.isEmpty(), "a refused scenario says why");
        return 0;
    }
    const QByteArray json = s->toJson();
    const auto again = Scenario::fromJson(json, &why);
    check(again.has_value(), "a written scenario is read again");
    check(again->toJson() == json, "a scenario survives writing and reading");

    ManualClock clock;
    Installation inst(*s, clock, QDateTime(QDate(2024, 6, 1), QTime(12, 0)));
    LineSettings pc;
    for (TwiDevice* d : inst.devices()) {
        const int a = d->address();
        // A standard request, a read, an EEPROM address and a page write: what the program
        // sends to every kind of device.
        for (const QByteArray& f :
             {frame(60, a, QByteArray("\x78\0\0\0", 4), 0), frame(80, a, {}, 17),
              frame(60, a, QByteArray("\xFF\xF0", 2), 0), frame(65, a, QByteArray(16, 'x'), 0),
              frame(100, a, {}, 0), frame(80, a, {}, 300)}) {
            inst.pcWrites(f, pc, true);
            clock.advanceMs(20);
        }
    }
    return 0;
}
