// The interface's own commands, its frame reader and its UART.
#include "simharness.h"

#include "sim/uart.h"

#include <QtTest>

using namespace simtest;

class TstSimInterface : public QObject {
    Q_OBJECT
private slots:
    void replyCounts_data();
    void replyCounts();
    void identity();
    void resetCauses();
    void markersInsideFrames();
    void discardedFramesAreCounted();
    void frameThatBreaksOffIsDropped();
    void unknownCommandIsNotAnswered();
    void registers();
    void startThenStopThroughTwcr();
    void wrongBaudRateIsSilent();
    void parityMismatchLetsSomeBytesThrough();
};

void TstSimInterface::replyCounts_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("receive");
    QTest::addColumn<int>("expected");
    const int one[] = {0, 1, 2, 3, 5, 8, 9, 10, 11, 15, 20, 21, 22, 23, 24, 30, 31, 32, 33, 34};
    for (int c : one)
        QTest::addRow("command %d", c) << c << 0 << 0 << 1;
    QTest::newRow("4 name") << 4 << 0 << 0 << 16;
    QTest::newRow("12 clock") << 12 << 0 << 0 << 4;
    QTest::newRow("50") << 50 << 0 << 0 << 2;
    QTest::newRow("60") << 60 << 0 << 0 << 2;
    QTest::newRow("65") << 65 << 0 << 0 << 2;
    QTest::newRow("80 m=0") << 80 << 0 << 0 << 2;
    QTest::newRow("80 m=17") << 80 << 0 << 17 << 19;
    QTest::newRow("80 m=300") << 80 << 0 << 300 << 302;
    QTest::newRow("100") << 100 << 0 << 0 << 2;
}

void TstSimInterface::replyCounts() {
    QFETCH(int, command);
    QFETCH(int, value);
    QFETCH(int, receive);
    QFETCH(int, expected);
    Harness h;
    // Present and absent slaves, for the bus commands.
    for (int address : {20, 99}) {
        const QByteArray r = h.transact(command, address, value, {}, receive);
        QCOMPARE(r.size(), expected);
        h.wait(300000);                      // past any restart the command caused
        QCOMPARE(h.transact(0), bytes({0})); // nothing left over, and the interface is back
    }
}

void TstSimInterface::identity() {
    Harness h;
    QCOMPARE(h.transact(12), bytes({0x00, 0x24, 0xF4, 0x00})); // 16 000 000 Hz, low byte first
    QCOMPARE(h.transact(4), QByteArray("RS232-TWI V1.0  "));
    const int volts = static_cast<quint8>(h.transact(3).at(0));
    QVERIFY2(volts >= 120 && volts <= 124, qPrintable(QString::number(volts)));
    QCOMPARE(h.transact(8), bytes({0})); // bus lines in order
}

void TstSimInterface::resetCauses() {
    Harness h;
    QCOMPARE(h.transact(1), bytes({6})); // just switched on
    QCOMPARE(h.transact(2), bytes({0}));
    QCOMPARE(h.transact(1), bytes({0}));
    h.inst.firmware().externalReset(h.now());
    h.wait(100000);
    QCOMPARE(h.transact(1), bytes({2}));
    QCOMPARE(h.transact(10), bytes({0})); // software restart
    h.wait(1000);
    QCOMPARE(h.transact(1), bytes({0}));
    QCOMPARE(h.transact(11), bytes({0}));  // the board's own supply
    QCOMPARE(h.transact(0), QByteArray()); // still starting up
    h.wait(200000);
    QCOMPARE(h.transact(1), bytes({6}));
}

void TstSimInterface::markersInsideFrames() {
    Harness h;
    // Address bytes "*" and "#" and data "#", "*", "#" to the 64 KiB EEPROM.
    QCOMPARE(h.transact(50, 80, 0, QByteArray("*###*#")), bytes({0, 0}));
    const QByteArray& mem = h.inst.eeprom(80)->memory();
    QCOMPARE(mem.mid(0x2A23, 4), QByteArray("##*#"));
    h.wait(10000);
    // Counts that read as markers: 35 data bytes ("#") and 42 bytes to receive ("*").
    QCOMPARE(h.transact(50, 80, 0, QByteArray(2, '\0') + QByteArray(33, '*')), bytes({0, 0}));
    h.wait(10000);
    QCOMPARE(h.transact(60, 80, 0, bytes({0, 0})), bytes({0, 0}));
    const QByteArray r = h.transact(80, 80, 0, {}, 42);
    QCOMPARE(r.size(), 44);
    QCOMPARE(r.mid(1, 42), QByteArray(33, '*') + mem.mid(33, 9));
    QCOMPARE(h.inst.firmware().errorCode(), quint8(0));
}

void TstSimInterface::discardedFramesAreCounted() {
    Harness h;
    // Modem text before a frame: the frame is still taken.
    QCOMPARE(h.send(QByteArray("AT\r") + frame(0)), bytes({0}));
    // Position 9 not "#".
    QByteArray bad = frame(0);
    bad[8] = 'X';
    QCOMPARE(h.send(bad), QByteArray());
    // No end marker after the data bytes.
    QByteArray noEnd = frame(50, 80, 0, bytes({0, 0, 1}));
    noEnd[noEnd.size() - 1] = 'X';
    QCOMPARE(h.send(noEnd), QByteArray());
    QCOMPARE(static_cast<quint8>(h.inst.eeprom(80)->memory().at(0)), quint8('H')); // not written
    // A bad header whose ninth byte starts the next frame.
    QByteArray overlap = frame(0).left(8) + frame(3);
    QCOMPARE(h.send(overlap).size(), 1);
    // Noise, bad header and the stray end marker behind it, missing end marker, bad header.
    QCOMPARE(h.transact(15), bytes({5}));
    QCOMPARE(h.transact(15), bytes({0})); // reading cleared it
}

void TstSimInterface::frameThatBreaksOffIsDropped() {
    Harness h;
    QCOMPARE(h.send(frame(0).left(5)), QByteArray());
    h.wait(500000);
    QCOMPARE(h.send(frame(0)), bytes({0}));
    QCOMPARE(h.transact(15), bytes({1}));
}

void TstSimInterface::unknownCommandIsNotAnswered() {
    Harness h;
    for (int c : {6, 7, 13, 40, 255})
        QCOMPARE(h.transact(c), QByteArray());
    QCOMPARE(h.transact(15), bytes({5}));
}

void TstSimInterface::registers() {
    Harness h;
    QCOMPARE(h.transact(20), bytes({72}));   // 100 kHz at 16 MHz
    QCOMPARE(h.transact(21), bytes({0xF8})); // no state, prescaler 1
    QCOMPARE(h.transact(23), bytes({0x04})); // TWEN
    QCOMPARE(h.transact(30, 0, 49), bytes({0}));
    QCOMPARE(h.transact(20), bytes({49}));
    QCOMPARE(h.transact(31, 0, 0xFF), bytes({0})); // only the prescaler bits are writable
    QCOMPARE(h.transact(21), bytes({0xFB}));
    QCOMPARE(h.inst.twi().sclHz(), 16e6 / (16 + 2 * 49 * 64));
    QCOMPARE(h.transact(32, 0, 0x41), bytes({0}));
    QCOMPARE(h.transact(22), bytes({0x41}));
    // TWDR written while TWINT is clear: write collision, TWDR keeps its value.
    QCOMPARE(h.transact(34, 0, 0x55), bytes({0}));
    QCOMPARE(h.transact(24), bytes({0xFF}));
    QCOMPARE(h.transact(23), bytes({0x0C})); // TWWC | TWEN
    QCOMPARE(h.transact(5), bytes({0}));     // TWI off
    QCOMPARE(h.transact(23), bytes({0x08}));
    QCOMPARE(h.transact(34, 0, 0x55), bytes({0})); // with the unit off TWDR is a plain register
    QCOMPARE(h.transact(24), bytes({0x55}));
}

void TstSimInterface::startThenStopThroughTwcr() {
    Harness h;
    QCOMPARE(h.transact(33, 0, 0xA4), bytes({0}));
    QCOMPARE(h.transact(23), bytes({0xA4})); // START done: TWINT set
    QCOMPARE(h.transact(21), bytes({0x08}));
    QCOMPARE(h.transact(8), bytes({3})); // the master holds both lines low
    QCOMPARE(h.transact(33, 0, 0x94), bytes({0}));
    QCOMPARE(h.transact(23), bytes({0x04})); // TWSTO cleared, TWINT stays clear
    QCOMPARE(h.transact(21), bytes({0xF8}));
    QCOMPARE(h.transact(8), bytes({0}));
    QCOMPARE(h.transact(33, 0, 0), bytes({0}));
    QCOMPARE(h.transact(5), bytes({0}));
}

void TstSimInterface::wrongBaudRateIsSilent() {
    Harness h;
    h.pc = *LineSettings::parse(QStringLiteral("9600,n,8,1"));
    QCOMPARE(h.transact(0), QByteArray());
    QCOMPARE(h.transact(4), QByteArray());
    h.pc = LineSettings();
    h.wait(300000);
    const int errors = static_cast<quint8>(h.transact(15).at(0));
    QVERIFY2(errors > 2, qPrintable(QString::number(errors)));
    QCOMPARE(h.transact(0), bytes({0}));
}

void TstSimInterface::parityMismatchLetsSomeBytesThrough() {
    // Sent with even parity, read without: the parity bit lands where the stop bit is expected.
    const LineSettings even = *LineSettings::parse(QStringLiteral("19200,e,8,1"));
    const LineSettings plain;
    const QList<LineByte> got = transcode(bytes({0x2A, 0x00, 0x01, 0x23}), 0, even, plain);
    QCOMPARE(got.size(), 4);
    QCOMPARE(got[0].value, quint8(0x2A)); // three ones: parity bit 1, a valid stop bit
    QVERIFY(!got[0].error);
    QVERIFY(got[1].error); // parity bit 0: framing error
    QVERIFY(!got[2].error);
    QVERIFY(!got[3].error); // "#" has three ones as well
    // The other way round the PC sees the next start bit where its stop bit should be.
    const QList<LineByte> back = transcode(bytes({0x00, 0x00}), 0, plain, even);
    QVERIFY(back[0].error);
    // Equal settings: every byte intact, one character time apart.
    const QList<LineByte> same = transcode(bytes({1, 2}), 1000, plain, plain);
    QCOMPARE(same[1].atUs - same[0].atUs, qint64(521));
}

QTEST_GUILESS_MAIN(TstSimInterface)
#include "tst_sim_interface.moc"
