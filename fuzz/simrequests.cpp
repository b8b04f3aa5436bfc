// The simulated interface's request stream: the demo installation takes the fuzzer's bytes as
// what the PC writes, in chunks and at moments the fuzzer chooses, at one of a few line
// settings, with noise on the wire. Nothing may crash, hang or grow without bound.
#include "fuzzsupport.h"

#include "sim/installation.h"
#include "sim/scenario.h"

#include <QDateTime>

using namespace zelmar::sim;
using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Scenario demo = Scenario::demo();
    ManualClock clock;
    Installation inst(demo, clock, QDateTime(QDate(2024, 6, 1), QTime(12, 0)));
    const LineSettings settings[] = {*LineSettings::parse(QStringLiteral("19200,n,8,1")),
                                     *LineSettings::parse(QStringLiteral("9600,e,7,2")),
                                     *LineSettings::parse(QStringLiteral("115200,n,8,1"))};
    fuzz::Bytes in(data, size);
    qint64 replyBytes = 0;
    while (!in.empty()) {
        const quint8 how = in.byte();
        const QByteArray chunk = in.chunk();
        const LineSettings& pc = settings[how % 3 == 2 && (how & 0x80) ? 1 : (how & 0x80 ? 2 : 0)];
        QList<LineChunk> out;
        if ((how & 0x0C) == 0x0C)
            out = inst.injectToInterface(chunk);
        else
            out = inst.pcWrites(chunk, pc, how & 0x10);
        for (const LineChunk& c : out) {
            check(c.startUs >= 0, "replies start after the clock's zero");
            replyBytes += c.bytes.size();
        }
        // The PC waits a little or long (a frame's gap limit is 200 ms).
        clock.advanceUs((how & 0x20) ? 250000 : (how & 0x03) * 997);
    }
    // Each request gets at most its 65535 bytes and a few status bytes.
    check(replyBytes <= qint64(size + 1) * (65535 + 64), "replies bounded by the requests");
    return 0;
}
