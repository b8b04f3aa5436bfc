#pragma once

// Drives the simulated installation at the byte level on a hand-set clock. Frames are built
// here, independently of the parser under test.

#include "sim/installation.h"

#include <QByteArray>
#include <QDateTime>

namespace simtest {

using namespace zelmar::sim;

inline QByteArray frame(int command, int address = 0, int value = 0, const QByteArray& data = {},
                        int receive = 0) {
    QByteArray f;
    f.append('*');
    f.append(static_cast<char>(command));
    f.append(static_cast<char>(address));
    f.append(static_cast<char>(value));
    f.append(static_cast<char>(data.size() & 0xFF));
    f.append(static_cast<char>(data.size() >> 8));
    f.append(static_cast<char>(receive & 0xFF));
    f.append(static_cast<char>(receive >> 8));
    f.append('#');
    f.append(data);
    f.append('#');
    return f;
}

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

inline QDateTime noon() {
    return QDateTime(QDate(2024, 6, 1), QTime(12, 0, 0));
}

struct Harness {
    ManualClock clock;
    Installation inst;
    LineSettings pc;

    explicit Harness(const Scenario& s = Scenario::demo()) : inst(s, clock, noon()) {}

    // What the PC receives for bytes it writes (it reads each reply before writing again).
    QByteArray send(const QByteArray& data) {
        QByteArray got;
        for (const LineChunk& c : inst.pcWrites(data, pc, true))
            got += c.bytes;
        return got;
    }
    QByteArray transact(int command, int address = 0, int value = 0, const QByteArray& data = {},
                        int receive = 0) {
        return send(frame(command, address, value, data, receive));
    }
    // A standard request: command 60 with four bytes, then command 80 reading `count` bytes.
    // Returns the bytes read from the slave, or empty when the request was not acknowledged.
    QByteArray request(int address, int code, int p1 = 0, int p2 = 0, int p3 = 0, int count = 4) {
        const QByteArray status = transact(60, address, 0, bytes({code, p1, p2, p3}));
        if (status != bytes({0, 0})) {
            transact(100);
            return {};
        }
        const QByteArray r = transact(80, address, 0, {}, count);
        if (r.size() != count + 2 || r.at(0) != 0 || r.at(r.size() - 1) != 0)
            return {};
        return r.mid(1, count);
    }
    // The line's current time: after the last reply.
    qint64 now() { return inst.line().txFreeUs(); }
    // Lets time pass on the line (the PC waits).
    void wait(qint64 us) { clock.setUs(std::max(clock.nowUs(), now()) + us); }
    // Bytes straight into the firmware's UART at one instant, bypassing the line.
    QByteArray feedAt(const QByteArray& data, qint64 t) {
        for (char c : data)
            inst.firmware().receive(static_cast<quint8>(c), t);
        QByteArray out;
        for (const TxByte& b : inst.firmware().takeOutput())
            out.append(static_cast<char>(b.value));
        return out;
    }
};

inline int s24(const QByteArray& r) { // reply bytes 2..4 as signed 24-bit
    int v = static_cast<quint8>(r.at(1)) | static_cast<quint8>(r.at(2)) << 8 |
            static_cast<quint8>(r.at(3)) << 16;
    return v > 0x7FFFFF ? v - 0x1000000 : v;
}

inline int s16(const QByteArray& r) { // reply bytes 2..3 as signed 16-bit
    int v = static_cast<quint8>(r.at(1)) | static_cast<quint8>(r.at(2)) << 8;
    return v > 0x7FFF ? v - 0x10000 : v;
}

} // namespace simtest
