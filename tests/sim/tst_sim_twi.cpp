// The interface's TWI hardware at register level, and the bus commands built on it.
#include "simharness.h"

#include <QtTest>

using namespace simtest;

namespace {

// One register step as the manual master window does it: TWDR (optional), TWCR, wait for
// TWINT by polling TWCR, then TWSR without the prescaler bits.
int stepStatus(Harness& h, int twcr, int twdr = -1) {
    if (twdr >= 0)
        h.transact(34, 0, twdr);
    h.transact(33, 0, twcr);
    for (int i = 0; i < 10; ++i)
        if (static_cast<quint8>(h.transact(23).at(0)) & 0x80)
            break;
    return static_cast<quint8>(h.transact(21).at(0)) & 0xF8;
}

int reg(Harness& h, int command) {
    return static_cast<quint8>(h.transact(command).at(0));
}

} // namespace

class TstSimTwi : public QObject {
    Q_OBJECT
private slots:
    void masterTransmitter();
    void masterReceiver();
    void notAcknowledged();
    void repeatedStart();
    void twintComesAfterTheBusTime();
    void twiOffLetsGoOfTheBus();
    void busCommandStatus();
    void tooFastForTheDevices();
};

void TstSimTwi::masterTransmitter() {
    Harness h;
    QCOMPARE(stepStatus(h, 0xA4), 0x08);
    QCOMPARE(stepStatus(h, 0x84, 40 * 2), 0x18);
    for (int b : {110, 0, 0, 0}) // the time request to slave 40
        QCOMPARE(stepStatus(h, 0x84, b), 0x28);
    QCOMPARE(stepStatus(h, 0x84, 7), 0x30); // a request has four bytes: the fifth is refused
    h.transact(33, 0, 0x94);                // STOP: no TWINT
    QCOMPARE(reg(h, 23), 0x04);
    QCOMPARE(reg(h, 21), 0xF8);
    QCOMPARE(h.inst.slave(40)->errorCount(), 0);
}

void TstSimTwi::masterReceiver() {
    Harness h;
    QCOMPARE(h.transact(60, 40, 0, bytes({110, 0, 0, 0})), bytes({0, 0}));
    QCOMPARE(stepStatus(h, 0xA4), 0x10); // the transfer of command 60 is still open
    QCOMPARE(stepStatus(h, 0x84, 40 * 2 + 1), 0x40);
    QByteArray got;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(stepStatus(h, 0xC4), 0x50); // acknowledged: more to come
        got.append(static_cast<char>(reg(h, 24)));
    }
    QCOMPARE(stepStatus(h, 0x84), 0x58); // not acknowledged: the last byte
    got.append(static_cast<char>(reg(h, 24)));
    h.transact(33, 0, 0x94);
    QCOMPARE(reg(h, 21), 0xF8);
    QCOMPARE(static_cast<quint8>(got.at(0)), quint8(110));
    QCOMPARE(got.mid(1, 2), bytes({12, 0})); // 12:00:ss by the slave's clock
}

void TstSimTwi::notAcknowledged() {
    Harness h;
    QCOMPARE(stepStatus(h, 0xA4), 0x08);
    QCOMPARE(stepStatus(h, 0x84, 99 * 2), 0x20);
    QCOMPARE(stepStatus(h, 0x84, 0x12), 0x30); // nobody listens
    QCOMPARE(stepStatus(h, 0xA4), 0x10);
    QCOMPARE(stepStatus(h, 0x84, 99 * 2 + 1), 0x48);
    QCOMPARE(stepStatus(h, 0x84), 0x58);
    QCOMPARE(reg(h, 24), 0xFF); // SDA nobody drives reads as ones
    h.transact(33, 0, 0x94);
    QCOMPARE(reg(h, 21), 0xF8);
    // The general-call address: no device of the demo takes it.
    QCOMPARE(stepStatus(h, 0xA4), 0x08);
    QCOMPARE(stepStatus(h, 0x84, 0), 0x20);
    h.transact(33, 0, 0x94);
}

void TstSimTwi::repeatedStart() {
    Harness h;
    QCOMPARE(h.transact(60, 99), bytes({0x20, 0x20})); // probe of an empty address
    QCOMPARE(reg(h, 21), 0x20);
    QCOMPARE(h.transact(8), bytes({2}));         // the master holds SCL while it waits
    QCOMPARE(h.transact(60, 20), bytes({0, 0})); // next probe: repeated START
    QCOMPARE(reg(h, 21), 0x18);
    QCOMPARE(stepStatus(h, 0xA4), 0x10);
    QCOMPARE(h.transact(100), bytes({0, 0}));
    QCOMPARE(reg(h, 21), 0xF8);
    QCOMPARE(h.transact(8), bytes({0}));
    QCOMPARE(stepStatus(h, 0xA4), 0x08); // bus free again: a plain START
    QCOMPARE(h.transact(100), bytes({0, 0}));
}

void TstSimTwi::twintComesAfterTheBusTime() {
    Harness h;
    // The slowest clock: 16 MHz / (16 + 2 * 255 * 64) = 490 Hz, about 2 ms a bit.
    QCOMPARE(h.transact(30, 0, 255), bytes({0}));
    QCOMPARE(h.transact(31, 0, 3), bytes({0}));
    const double bit = h.inst.twi().bitUs();
    QVERIFY(bit > 2000 && bit < 2100);
    const qint64 t0 = h.now() + 100000;
    QCOMPARE(h.feedAt(frame(33, 0, 0xA4), t0), bytes({0}));
    QCOMPARE(h.feedAt(frame(23), t0 + 500), bytes({0x24})); // START still going out
    QCOMPARE(h.feedAt(frame(23), t0 + 3000), bytes({0xA4}));
    QCOMPARE(h.feedAt(frame(34, 0, 80 * 2), t0 + 4000), bytes({0}));
    QCOMPARE(h.feedAt(frame(33, 0, 0x84), t0 + 5000), bytes({0}));
    QCOMPARE(h.feedAt(frame(23), t0 + 5000 + static_cast<qint64>(8 * bit)), bytes({0x04}));
    QCOMPARE(h.feedAt(frame(23), t0 + 5100 + static_cast<qint64>(9 * bit)), bytes({0x84}));
    QCOMPARE(h.feedAt(frame(21), t0 + 30000), bytes({0x18 | 3}));
    // A bus command at this speed takes its time too: the reply waits for the bus.
    const qint64 t1 = t0 + 100000;
    h.feedAt(frame(100), t1);
    const QByteArray probe = frame(50, 80);
    for (char c : probe)
        h.inst.firmware().receive(static_cast<quint8>(c), t1 + 50000);
    const QList<TxByte> out = h.inst.firmware().takeOutput();
    QCOMPARE(out.size(), 2);
    QVERIFY(out.last().readyUs - (t1 + 50000) >
            static_cast<qint64>(11 * bit)); // START, address, STOP
}

void TstSimTwi::twiOffLetsGoOfTheBus() {
    Harness h;
    QCOMPARE(stepStatus(h, 0xA4), 0x08);
    QCOMPARE(stepStatus(h, 0x84, 80 * 2), 0x18);
    QCOMPARE(stepStatus(h, 0x84, 0x05), 0x28);
    QCOMPARE(stepStatus(h, 0x84, 0x00), 0x28);
    QCOMPARE(stepStatus(h, 0x84, 0x77), 0x28); // a data byte in the EEPROM's page buffer
    QCOMPARE(h.transact(33, 0, 0x00), bytes({0}));
    QCOMPARE(reg(h, 21), 0xF8);
    QCOMPARE(h.transact(8), bytes({0}));
    QCOMPARE(static_cast<quint8>(h.inst.eeprom(80)->memory().at(0x500)),
             quint8(0xFF));                      // no STOP: not written
    QCOMPARE(h.transact(60, 80), bytes({0, 0})); // the bus commands switch it on again
    QCOMPARE(h.transact(100), bytes({0, 0}));
}

void TstSimTwi::busCommandStatus() {
    Harness h;
    QCOMPARE(h.transact(50, 99), bytes({0x20, 0x20}));
    QCOMPARE(h.transact(50, 20, 0, bytes({0, 0, 0, 0, 0})), bytes({0, 0x30})); // fifth byte refused
    QCOMPARE(h.transact(65, 0, 0, bytes({1})), bytes({0xF8, 0xF8}));           // no transfer open
    QCOMPARE(h.transact(60, 80, 0, bytes({0x01, 0x00})), bytes({0, 0}));
    QCOMPARE(h.transact(65, 0, 0, bytes({9, 8, 7})), bytes({0, 0}));
    QCOMPARE(h.transact(100), bytes({0, 0}));
    QCOMPARE(h.inst.eeprom(80)->memory().mid(0x100, 3), bytes({9, 8, 7}));
    // A failed address phase shows in the leading status only; no data phase went wrong.
    QCOMPARE(h.transact(80, 99, 0, {}, 3), bytes({0x48, 0xFF, 0xFF, 0xFF, 0}));
    QCOMPARE(h.transact(80, 99, 0, {}, 0), bytes({0x48, 0}));
    QCOMPARE(h.transact(80, 81, 0, {}, 0), bytes({0, 0}));
}

void TstSimTwi::tooFastForTheDevices() {
    Harness h;
    QCOMPARE(h.transact(30, 0, 0), bytes({0})); // 1 MHz: more than any device follows
    QCOMPARE(h.transact(60, 80), bytes({0x20, 0x20}));
    QCOMPARE(h.transact(60, 20), bytes({0x20, 0x20}));
    QCOMPARE(h.transact(100), bytes({0, 0}));
    QCOMPARE(h.transact(30, 0, 12), bytes({0})); // 400 kHz
    QCOMPARE(h.transact(50, 80), bytes({0, 0}));
    QCOMPARE(h.transact(50, 20), bytes({0, 0}));
}

QTEST_GUILESS_MAIN(TstSimTwi)
#include "tst_sim_twi.moc"
