// Faults on demand, and scenarios read from JSON.
#include "simharness.h"

#include <QtTest>

using namespace simtest;

class TstSimFaults : public QObject {
    Q_OBJECT
private slots:
    void silentInterface();
    void droppedReplyBytes();
    void corruptedReplyBytes();
    void garbageAfterReplies();
    void garbageOnTheLine();
    void slaveSwitchedOff();
    void stuckTwintTripsTheWatchdog();
    void linesHeldLow();
    void scenarioRoundTrip();
    void scenarioErrors_data();
    void scenarioErrors();
    void scenarioFaults();
};

void TstSimFaults::silentInterface() {
    Harness h;
    h.inst.lineFaults().silent = true;
    QCOMPARE(h.transact(0), QByteArray());
    QCOMPARE(h.transact(60, 20), QByteArray());
    QCOMPARE(h.inst.firmware().requestsExecuted(), 0);
    h.inst.lineFaults().silent = false;
    QCOMPARE(h.transact(0), bytes({0}));
}

void TstSimFaults::droppedReplyBytes() {
    Harness h;
    h.inst.lineFaults().dropEvery = 3;
    QCOMPARE(h.transact(4), QByteArray("RS32TW V.0 "));
    h.inst.lineFaults().dropEvery = 0;
    QCOMPARE(h.transact(4).size(), 16);
}

void TstSimFaults::corruptedReplyBytes() {
    Harness h;
    h.inst.lineFaults().corruptEvery = 2;
    QCOMPARE(h.transact(12), bytes({0x00, 0x24 ^ 0x5A, 0xF4, 0x00 ^ 0x5A}));
}

void TstSimFaults::garbageAfterReplies() {
    Harness h;
    h.inst.lineFaults().garbageEvery = 2;
    QCOMPARE(h.transact(0), bytes({0}));
    QCOMPARE(h.transact(0), bytes({0, 0xA5, 0x5A}));
    QCOMPARE(h.transact(100), bytes({0, 0}));
    QCOMPARE(h.transact(100), bytes({0, 0, 0xA5, 0x5A}));
}

void TstSimFaults::garbageOnTheLine() {
    Harness h;
    QCOMPARE(h.inst.injectToPc(QByteArray("\x01\x02", 2)).bytes, bytes({1, 2}));
    QVERIFY(h.inst.injectToInterface("xyz").isEmpty());
    QCOMPARE(h.transact(0), bytes({0})); // noise without "*" costs nothing but a count
    h.inst.injectToInterface("*");
    QCOMPARE(h.transact(0), QByteArray()); // a stray "*" takes the next frame with it
    QCOMPARE(h.transact(0), bytes({0}));
    QCOMPARE(h.transact(15), bytes({3})); // noise, bad header, the stray end markers
}

void TstSimFaults::slaveSwitchedOff() {
    Harness h;
    QVERIFY(h.inst.setDeviceOnline(44, false));
    QCOMPARE(h.transact(50, 44), bytes({0x20, 0x20}));
    QCOMPARE(h.request(44, 120), QByteArray());
    QCOMPARE(h.request(45, 120).size(), 4); // the others go on
    QVERIFY(h.inst.setDeviceOnline(44, true));
    QCOMPARE(h.transact(50, 44), bytes({0, 0}));
    QVERIFY(!h.inst.setDeviceOnline(12, false));
}

void TstSimFaults::stuckTwintTripsTheWatchdog() {
    Harness h;
    h.inst.twi().setTwintStuck(true);
    QCOMPARE(h.transact(33, 0, 0xA4), bytes({0}));
    QCOMPARE(h.transact(23), bytes({0x24})); // TWINT never comes
    h.wait(1000000);
    QCOMPARE(h.transact(23), bytes({0x24}));
    QCOMPARE(h.transact(33, 0, 0x94), bytes({0}));
    QCOMPARE(h.transact(60, 20), QByteArray()); // the firmware's loop hangs
    QCOMPARE(h.transact(0), QByteArray());      // until the watchdog restarts it
    h.wait(700000);
    QCOMPARE(h.transact(0), bytes({0}));
    QCOMPARE(h.transact(1), bytes({8}));
    QCOMPARE(h.transact(15), bytes({0}));
    h.inst.twi().setTwintStuck(false);
    QCOMPARE(h.transact(60, 20), bytes({0, 0}));
}

void TstSimFaults::linesHeldLow() {
    Harness h;
    h.inst.bus().setSdaStuckLow(true);
    QCOMPARE(h.transact(8), bytes({1}));
    h.inst.bus().setSclStuckLow(true);
    QCOMPARE(h.transact(8), bytes({3}));
    h.inst.bus().setSdaStuckLow(false);
    QCOMPARE(h.transact(8), bytes({2}));
    QCOMPARE(h.transact(50, 20), QByteArray()); // START never gets the bus
    h.inst.bus().setSclStuckLow(false);
    h.wait(700000);
    QCOMPARE(h.transact(1), bytes({8}));
    QCOMPARE(h.transact(50, 20), bytes({0, 0}));
}

void TstSimFaults::scenarioRoundTrip() {
    const Scenario demo = Scenario::demo();
    QCOMPARE(demo.devices.size(), 10);
    QString error;
    const auto again = Scenario::fromJson(demo.toJson(), &error);
    QVERIFY2(again, qPrintable(error));
    QCOMPARE(again->toJson(), demo.toJson());
    Harness a(demo);
    Harness b(*again);
    for (int address : {8, 20, 40, 44, 45, 60, 65, 66}) {
        QCOMPARE(b.request(address, 100, 0, 0, 0, 17), a.request(address, 100, 0, 0, 0, 17));
        QCOMPARE(b.request(address, 120), a.request(address, 120));
    }
    QCOMPARE(b.inst.eeprom(80)->memory(), a.inst.eeprom(80)->memory());
    QCOMPARE(b.inst.eeprom(81)->config().size, 128);
}

void TstSimFaults::scenarioErrors_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("not JSON") << QByteArray("{devices: ");
    QTest::newRow("address 0") << QByteArray(R"({"devices":[{"type":"atmega8","address":0}]})");
    QTest::newRow("address 128") << QByteArray(R"({"devices":[{"type":"eeprom","address":128}]})");
    QTest::newRow("type") << QByteArray(R"({"devices":[{"type":"modem","address":5}]})");
    QTest::newRow("value code") << QByteArray(
        R"({"devices":[{"type":"atmega8","address":5,"values":{"130":{}}}]})");
    QTest::newRow("value model") << QByteArray(
        R"({"devices":[{"type":"atmega8","address":5,"values":{"120":{"model":"tide"}}}]})");
    QTest::newRow("clock") << QByteArray(
        R"({"devices":[{"type":"atmega8","address":5,"clock":"soon"}]})");
    QTest::newRow("page") << QByteArray(
        R"({"devices":[{"type":"eeprom","address":5,"size":1000,"pageSize":128}]})");
    QTest::newRow("one address byte, 64 KiB")
        << QByteArray(R"({"devices":[{"type":"eeprom","address":5,"addressBytes":1}]})");
    QTest::newRow("data outside") << QByteArray(
        R"({"devices":[{"type":"eeprom","address":5,"size":128,"data":{"127":"01 02"}}]})");
    QTest::newRow("offset not a number")
        << QByteArray(R"({"devices":[{"type":"eeprom","address":5,"data":{"x":"00"}}]})");
    QTest::newRow("data not hex") << QByteArray(
        R"({"devices":[{"type":"eeprom","address":5,"data":{"0":"0G"}}]})");
    QTest::newRow("line") << QByteArray(R"({"interface":{"line":"19200,x,8,1"}})");
    QTest::newRow("negative fault") << QByteArray(R"({"faults":{"dropEvery":-1}})");
    QTest::newRow("stuck outside")
        << QByteArray(R"({"devices":[{"type":"eeprom","address":5,"size":128,"stuck":[128]}]})");
    QTest::newRow("16 bits of no value")
        << QByteArray(R"({"devices":[{"type":"atmega8","address":5,"sixteenBit":[110]}]})");
}

void TstSimFaults::scenarioErrors() {
    QFETCH(QByteArray, json);
    QString error;
    QVERIFY(!Scenario::fromJson(json, &error));
    QVERIFY(!error.isEmpty());
}

void TstSimFaults::scenarioFaults() {
    const auto s = Scenario::fromJson(R"({
        "interface": { "name": "TEST INTERFACE" },
        "devices": [
            { "type": "atmega8", "address": 10, "name": "A", "online": false },
            { "type": "eeprom", "address": 11, "size": 256, "writeProtected": true,
              "data": { "0": "text:ab" } },
            { "type": "eeprom", "address": 12, "size": 128, "stuck": [1] } ],
        "faults": { "garbageEvery": 1, "garbage": "7E" } })");
    QVERIFY(s);
    Harness h(*s);
    QCOMPARE(h.transact(4), QByteArray("TEST INTERFACE  ~"));
    QCOMPARE(h.transact(50, 10), bytes({0x20, 0x20, 0x7E}));
    QCOMPARE(h.transact(50, 11, 0, bytes({0, 1})), bytes({0, 0x30, 0x7E}));
    QCOMPARE(h.inst.eeprom(11)->memory().left(3), QByteArray("ab\xFF"));
    // A stuck cell acknowledges its byte and keeps the old one.
    QCOMPARE(h.transact(50, 12, 0, bytes({0, 7, 8, 9})), bytes({0, 0, 0x7E}));
    QCOMPARE(h.inst.eeprom(12)->memory().left(3), bytes({7, 0xFF, 9}));
}

QTEST_GUILESS_MAIN(TstSimFaults)
#include "tst_sim_faults.moc"
