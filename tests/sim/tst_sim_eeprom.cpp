// The serial EEPROMs: addressing, page writes, the write cycle, sequential reads, protection.
#include "simharness.h"

#include <QtTest>

using namespace simtest;

class TstSimEeprom : public QObject {
    Q_OBJECT
private slots:
    void pageWriteWrapsWithinThePage();
    void writeCycleIsNotAcknowledged();
    void fastLineMeetsTheWriteCycle();
    void oneAndTwoAddressBytes();
    void sequentialReadWrapsAtTheEnd();
    void writeProtection();
    void onlyStopStartsTheWrite();
};

void TstSimEeprom::pageWriteWrapsWithinThePage() {
    Harness h;
    QCOMPARE(h.transact(50, 80, 0, bytes({0x01, 0x7C, 1, 2, 3, 4, 5, 6, 7, 8})), bytes({0, 0}));
    const QByteArray& mem = h.inst.eeprom(80)->memory();
    QCOMPARE(mem.mid(0x17C, 4), bytes({1, 2, 3, 4}));
    QCOMPARE(mem.mid(0x100, 4), bytes({5, 6, 7, 8}));
    QCOMPARE(static_cast<quint8>(mem.at(0x180)), quint8(0xFF)); // next page untouched
    QCOMPARE(h.inst.eeprom(80)->addressPointer(), 0x104);
    // More than a page: the last 128 bytes stay.
    QByteArray big;
    for (int i = 0; i < 130; ++i)
        big.append(static_cast<char>(i));
    h.wait(10000);
    QCOMPARE(h.transact(50, 80, 0, bytes({0x02, 0x00}) + big), bytes({0, 0}));
    QCOMPARE(mem.mid(0x200, 2), bytes({128, 129}));
    QCOMPARE(mem.mid(0x202, 2), bytes({2, 3}));
    QCOMPARE(h.inst.eeprom(80)->writeCycles(), 2);
}

void TstSimEeprom::writeCycleIsNotAcknowledged() {
    Harness h;
    const qint64 t0 = h.now() + 1000;
    QCOMPARE(h.feedAt(frame(50, 80, 0, bytes({0x03, 0x00, 0x42})), t0), bytes({0, 0}));
    // Acknowledge polling straight into the firmware, every 0.5 ms.
    qint64 firstAck = -1;
    for (qint64 dt = 500; dt <= 8000 && firstAck < 0; dt += 500)
        if (h.feedAt(frame(50, 80), t0 + dt) == bytes({0, 0}))
            firstAck = dt;
    QVERIFY2(firstAck > 5000 && firstAck <= 6000, qPrintable(QString::number(firstAck)));
    QCOMPARE(static_cast<quint8>(h.inst.eeprom(80)->memory().at(0x300)), quint8(0x42));
    // At 19200 baud the next frame takes longer than the write cycle: no refusal.
    QCOMPARE(h.transact(50, 80, 0, bytes({0x03, 0x01, 0x43})), bytes({0, 0}));
    QCOMPARE(h.transact(60, 80, 0, bytes({0x03, 0x00})), bytes({0, 0}));
    QCOMPARE(h.transact(80, 80, 0, {}, 2), bytes({0, 0x42, 0x43, 0}));
}

void TstSimEeprom::fastLineMeetsTheWriteCycle() {
    Scenario s = Scenario::demo();
    s.interface.uart = *LineSettings::parse(QStringLiteral("115200,n,8,1"));
    Harness h(s);
    h.pc = s.interface.uart;
    QCOMPARE(h.transact(50, 80, 0, bytes({0x03, 0x00, 0x42})), bytes({0, 0}));
    QCOMPARE(h.transact(60, 80, 0, bytes({0x03, 0x00})), bytes({0x20, 0x20})); // still writing
    QCOMPARE(h.transact(100), bytes({0, 0}));
    h.wait(5000);
    QCOMPARE(h.transact(60, 80, 0, bytes({0x03, 0x00})), bytes({0, 0}));
}

void TstSimEeprom::oneAndTwoAddressBytes() {
    Harness h;
    QCOMPARE(h.transact(50, 81, 0, bytes({0x10, 0xAB})), bytes({0, 0}));
    QCOMPARE(static_cast<quint8>(h.inst.eeprom(81)->memory().at(0x10)), quint8(0xAB));
    h.wait(10000);
    // Two address bytes to the small part: the second is already data.
    QCOMPARE(h.transact(50, 81, 0, bytes({0x20, 0x30, 0xCD})), bytes({0, 0}));
    QCOMPARE(h.inst.eeprom(81)->memory().mid(0x20, 2), bytes({0x30, 0xCD}));
    h.wait(10000);
    QCOMPARE(h.transact(60, 81, 0, bytes({0x90})), bytes({0, 0})); // 7 address bits: 0x10
    QCOMPARE(h.transact(80, 81, 0, {}, 1), bytes({0, 0xAB, 0}));
    QCOMPARE(h.transact(60, 80, 0, bytes({0x00, 0x00})), bytes({0, 0}));
    QCOMPARE(h.transact(80, 80, 0, {}, 7), QByteArray("\0HEIZUNG\0", 9));
    // The current address runs on after a read.
    QCOMPARE(h.transact(80, 80, 0, {}, 4), QByteArray("\0 LOG\0", 6));
}

void TstSimEeprom::sequentialReadWrapsAtTheEnd() {
    Harness h;
    QCOMPARE(h.transact(60, 80, 0, bytes({0xFF, 0xFE})), bytes({0, 0}));
    QCOMPARE(h.transact(80, 80, 0, {}, 4), QByteArray("\0\xFF\xFFHE\0", 6));
    QCOMPARE(h.transact(60, 81, 0, bytes({0x7F})), bytes({0, 0}));
    QCOMPARE(h.transact(80, 81, 0, {}, 3), bytes({0, 0xFF, 8, 20, 0}));
}

void TstSimEeprom::writeProtection() {
    Harness h;
    h.inst.eeprom(80)->setWriteProtected(true);
    QCOMPARE(h.transact(50, 80, 0, bytes({0x00, 0x00, 0x11})), bytes({0, 0x30}));
    QCOMPARE(h.inst.eeprom(80)->memory().at(0), 'H');
    QCOMPARE(h.transact(60, 80, 0, bytes({0x00, 0x00})), bytes({0, 0})); // reads go on
    QCOMPARE(h.transact(80, 80, 0, {}, 1), QByteArray("\0H\0", 3));
    h.inst.eeprom(80)->setWriteProtected(false);
    QCOMPARE(h.transact(50, 80, 0, bytes({0x00, 0x00, 0x11})), bytes({0, 0}));
    QCOMPARE(h.inst.eeprom(80)->memory().at(0), '\x11');
}

void TstSimEeprom::onlyStopStartsTheWrite() {
    Harness h;
    QCOMPARE(h.transact(60, 80, 0, bytes({0x05, 0x00, 0x77})), bytes({0, 0}));
    QCOMPARE(h.transact(80, 80, 0, {}, 1), bytes({0, 0xFF, 0})); // repeated START: no write
    QCOMPARE(h.inst.eeprom(80)->writeCycles(), 0);
    // The erase's way: address, then a page of data with command 65, then STOP.
    QCOMPARE(h.transact(60, 80, 0, bytes({0x05, 0x10})), bytes({0, 0}));
    QCOMPARE(h.transact(65, 0, 0, QByteArray(16, '\0')), bytes({0, 0}));
    QCOMPARE(h.transact(100), bytes({0, 0}));
    QCOMPARE(h.inst.eeprom(80)->memory().mid(0x510, 16), QByteArray(16, '\0'));
    QCOMPARE(h.inst.eeprom(80)->writeCycles(), 1);
}

QTEST_GUILESS_MAIN(TstSimEeprom)
#include "tst_sim_eeprom.moc"
