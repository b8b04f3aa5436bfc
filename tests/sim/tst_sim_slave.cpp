// The ATmega8 slaves: standard requests, clock, switch, measured values, memory requests.
#include "simharness.h"

#include <QtTest>

using namespace simtest;

namespace {

Scenario constants() {
    const auto s = Scenario::fromJson(R"({ "devices": [
        { "type": "atmega8", "address": 30, "name": "CONST", "clock": "2024-02-28T23:59:58",
          "sixteenBit": [124, 150],
          "values": { "120": { "value": -1 }, "121": { "value": -8388608 },
                      "122": { "value": 300 }, "123": { "value": 9e6 },
                      "124": { "value": -5.3, "scale": 10 }, "150": { "value": 40000 } } } ] })");
    return *s;
}

int hour(const QByteArray& r) {
    return static_cast<quint8>(r.at(1));
}

} // namespace

class TstSimSlave : public QObject {
    Q_OBJECT
private slots:
    void name();
    void clockRunsAndRollsOver();
    void clockAndDateCanBeSet();
    void switchPositions();
    void signedValues();
    void roomValuesDriftPlausibly();
    void weatherFollowsTheDay();
    void savingModeLowersTheRoom();
    void registerDumpAndWrite();
    void dataSpaceReadAndWrite();
    void movedByItsOwnTwar();
    void badRequestsAreCounted();
    void resetRequestRestartsTheSlave();
    void supplyResetRestartsAllSlaves();
};

void TstSimSlave::name() {
    Harness h;
    QCOMPARE(h.request(40, 100, 0, 0, 0, 17), QByteArray("\x64"
                                                         "ARBEITSZIMMER AZ"));
    QCOMPARE(h.request(20, 100, 0, 0, 0, 17).mid(1), QByteArray("WOHNZIMMER WZ   "));
    QCOMPARE(h.request(99, 100, 0, 0, 0, 17), QByteArray()); // nobody there
    QCOMPARE(h.request(20, 0), bytes({0, 0, 0, 0}));
}

void TstSimSlave::clockRunsAndRollsOver() {
    Harness h(constants());
    QCOMPARE(h.request(30, 105), bytes({105, 28, 2, 24}));
    QCOMPARE(h.request(30, 110).mid(1, 2), bytes({23, 59}));
    h.wait(3000000);
    QCOMPARE(h.request(30, 105), bytes({105, 29, 2, 24})); // 2024 is a leap year
    const QByteArray t = h.request(30, 110);
    QCOMPARE(t.mid(1, 2), bytes({0, 0}));
    QVERIFY(t.at(3) >= 1 && t.at(3) <= 2);
    h.wait(24LL * 3600 * 1000000);
    QCOMPARE(h.request(30, 105), bytes({105, 1, 3, 24}));
}

void TstSimSlave::clockAndDateCanBeSet() {
    Harness h;
    QCOMPARE(h.request(8, 210, 23, 59, 58), bytes({210, 23, 59, 58}));
    QCOMPARE(h.request(8, 205, 31, 12, 99), bytes({205, 31, 12, 99}));
    h.wait(2500000);
    QCOMPARE(h.request(8, 105), bytes({105, 1, 1, 0}));
    QCOMPARE(h.request(8, 110).mid(1, 2), bytes({0, 0}));
    // Values out of range are refused and counted; the clock stays as it was.
    QCOMPARE(h.request(8, 210, 25, 0, 0).mid(1, 1), bytes({0}));
    QCOMPARE(h.request(8, 205, 32, 1, 24), bytes({205, 1, 1, 0}));
    QCOMPARE(h.request(8, 101), bytes({101, 3, 0, 0}));
    QCOMPARE(h.request(8, 102), bytes({102, 2, 0, 0}));
    QCOMPARE(h.request(8, 15), bytes({15, 0, 0, 0}));
    QCOMPARE(h.request(8, 102), bytes({102, 0, 0, 0}));
}

void TstSimSlave::switchPositions() {
    Harness h;
    QCOMPARE(h.request(45, 119), bytes({119, 0, 0, 0}));
    QCOMPARE(h.request(45, 219, 6, 12, 24), bytes({219, 6, 0, 0})); // takes the first parameter
    QCOMPARE(h.request(45, 119), bytes({119, 6, 0, 0}));
    QCOMPARE(h.request(45, 10), bytes({10, 0, 0, 0}));
    h.wait(200000);
    QCOMPARE(h.request(45, 119), bytes({119, 6, 0, 0})); // kept in the slave's EEPROM
}

void TstSimSlave::signedValues() {
    Harness h(constants());
    const QByteArray minus1 = h.request(30, 120);
    QCOMPARE(minus1, bytes({120, 0xFF, 0xFF, 0xFF}));
    QCOMPARE(s16(minus1), -1);
    QCOMPARE(s24(minus1), -1);
    const QByteArray most = h.request(30, 121);
    QCOMPARE(most, bytes({121, 0x00, 0x00, 0x80}));
    QCOMPARE(s24(most), -8388608);
    QCOMPARE(s24(h.request(30, 122)), 300);
    QCOMPARE(h.request(30, 123), bytes({123, 0xFF, 0xFF, 0x7F})); // clamped to 24 bits
    // 16-bit values: the byte beyond them is whatever the slave's memory holds there, never
    // a copy of the sign.
    QCOMPARE(h.request(30, 124), bytes({124, 0xCB, 0xFF, 0}));
    QCOMPARE(h.request(30, 150), bytes({150, 0xFF, 0x7F, 0})); // clamped to 16 bits
    const int slot124 = Atmega8Slave::kValues + 3 * 4;
    h.request(30, 215, slot124 + 2, 0, 0x5A);
    h.wait(1100000); // measured again
    QCOMPARE(h.request(30, 124), bytes({124, 0xCB, 0xFF, 0x5A}));
    QCOMPARE(h.request(30, 154), bytes({154, 0, 0, 0})); // no model: 0
}

void TstSimSlave::roomValuesDriftPlausibly() {
    Harness h;
    QSet<int> seen;
    for (int i = 0; i < 40; ++i) {
        const int temp = s24(h.request(20, 120));
        const int heat = s24(h.request(20, 121));
        QVERIFY2(temp >= 207 && temp <= 223, qPrintable(QString::number(temp))); // 21.5 +- 0.8 K
        QVERIFY2(heat >= 15 && heat <= 60, qPrintable(QString::number(heat)));
        seen.insert(temp);
        h.wait(60000000);
    }
    QVERIFY(seen.size() > 5); // it moves
}

void TstSimSlave::weatherFollowsTheDay() {
    Harness h;
    auto at = [&](int hh, int day, int month) {
        h.request(44, 205, day, month, 24);
        h.request(44, 210, hh, 0, 0);
        h.wait(1100000); // the next measurement
    };
    at(3, 1, 6);
    const int night = s16(h.request(44, 120));
    QCOMPARE(s24(h.request(44, 151)), 0); // no sun
    at(15, 1, 6);
    const int afternoon = s16(h.request(44, 120));
    QVERIFY2(afternoon - night > 80, qPrintable(QStringLiteral("%1 %2").arg(night).arg(afternoon)));
    QVERIFY(s24(h.request(44, 151)) > 100);
    const int pressure = s24(h.request(44, 150));
    QVERIFY(pressure > 995 && pressure < 1030);
    const QByteArray rise = h.request(44, 152);
    const QByteArray set = h.request(44, 153);
    QVERIFY2(hour(rise) >= 3 && hour(rise) <= 5, rise.toHex().constData());
    QVERIFY2(hour(set) >= 19 && hour(set) <= 21, set.toHex().constData());
    QVERIFY(rise.at(2) >= 0 && rise.at(2) < 60);
    at(12, 15, 12);
    QVERIFY(hour(h.request(44, 152)) >= 7 && hour(h.request(44, 152)) <= 8);
    QVERIFY(hour(h.request(44, 153)) >= 15 && hour(h.request(44, 153)) <= 16);
}

void TstSimSlave::savingModeLowersTheRoom() {
    Harness h;
    const int normal = s24(h.request(60, 120));
    QCOMPARE(h.request(60, 20), bytes({20, 1, 0, 0}));
    const int saving = s24(h.request(60, 120));
    QVERIFY2(qAbs(normal - saving - 30) <= 1,
             qPrintable(QStringLiteral("%1 %2").arg(normal).arg(saving)));
    QCOMPARE(h.request(60, 21), bytes({21, 0, 0, 0}));
    QVERIFY(qAbs(s24(h.request(60, 120)) - normal) <= 1);
}

void TstSimSlave::registerDumpAndWrite() {
    Harness h;
    QCOMPARE(h.transact(60, 40, 0, bytes({112, 0, 0, 0})), bytes({0, 0}));
    QByteArray r = h.transact(80, 40, 0, {}, 33);
    QCOMPARE(r.size(), 35);
    QCOMPARE(r.at(0), '\0');
    QCOMPARE(static_cast<quint8>(r.at(1)), quint8(112));
    QCOMPARE(r.mid(2 + 3, 5), bytes({0, 12, 1, 6, 24})); // R3..R7: minutes, hours, day, month, year
    QCOMPARE(r.at(34), '\0');
    QCOMPARE(h.request(40, 211, 20, 0x5A), bytes({211, 20, 0x5A, 0}));
    QCOMPARE(h.request(40, 211, 4, 7), bytes({211, 4, 7, 0})); // R4 is the clock's hour
    QCOMPARE(hour(h.request(40, 110)), 7);
    r = h.request(40, 112, 0, 0, 0, 33);
    QCOMPARE(static_cast<quint8>(r.at(1 + 20)), quint8(0x5A));
    QCOMPARE(h.request(40, 211, 32, 1), bytes({211, 32, 1, 0})); // no R32: refused
    QCOMPARE(h.request(40, 101), bytes({101, 3, 0, 0}));
}

void TstSimSlave::dataSpaceReadAndWrite() {
    Harness h;
    // Pointer low byte first: 0x0060 is where the name lives.
    QCOMPARE(h.transact(60, 66, 0, bytes({115, 0x60, 0x00, 0})), bytes({0, 0}));
    QCOMPARE(h.transact(80, 66, 0, {}, 16).mid(1, 16), QByteArray("HEIZHAUS PUFFER "));
    // The pointer runs on: the next read continues at 0x0070, the switch byte.
    QCOMPARE(h.transact(80, 66, 0, {}, 1), bytes({0, 0, 0}));
    QCOMPARE(h.transact(60, 66, 0, bytes({215, 0x70, 0x00, 0x21})), bytes({0, 0}));
    QCOMPARE(h.request(66, 119), bytes({119, 0x21, 0, 0}));
    // 1120 bytes and no more.
    QCOMPARE(h.transact(60, 66, 0, bytes({115, 0x5E, 0x04, 0})), bytes({0, 0}));
    const QByteArray tail = h.transact(80, 66, 0, {}, 4);
    QCOMPARE(tail.mid(3, 2), bytes({0, 0}));
    QCOMPARE(h.request(66, 215, 0x60, 0x04, 1), bytes({215, 0x60, 0x04, 1}));
    QCOMPARE(h.request(66, 101), bytes({101, 3, 0, 0}));
    // The SRAM window's view: 100 bytes from address 0, R0.. and the I/O registers.
    QCOMPARE(h.transact(60, 66, 0, bytes({115, 0, 0, 0})), bytes({0, 0}));
    const QByteArray space = h.transact(80, 66, 0, {}, 100).mid(1, 100);
    QCOMPARE(static_cast<quint8>(space.at(0x22)), quint8(66 * 2)); // TWAR
    QCOMPARE(static_cast<quint8>(space.at(0x56)), quint8(0x45));   // TWCR: listening
}

void TstSimSlave::movedByItsOwnTwar() {
    Harness h;
    QCOMPARE(h.transact(60, 65, 0, bytes({215, 0x22, 0x00, 50 * 2})), bytes({0, 0}));
    QCOMPARE(h.transact(100), bytes({0, 0}));
    QCOMPARE(h.transact(50, 65), bytes({0x20, 0x20}));
    QCOMPARE(h.transact(50, 50), bytes({0, 0}));
    QCOMPARE(h.transact(9), bytes({0})); // the supply reset restores it
    h.wait(200000);
    QCOMPARE(h.transact(50, 65), bytes({0, 0}));
}

void TstSimSlave::badRequestsAreCounted() {
    Harness h;
    QCOMPARE(h.transact(50, 20, 0, bytes({120, 0})), bytes({0, 0})); // two of four bytes
    QCOMPARE(h.request(20, 77), bytes({77, 0, 0, 0}));               // no such request
    QCOMPARE(h.request(20, 101), bytes({101, 2, 0, 0}));
    QCOMPARE(h.request(20, 102), bytes({102, 2, 0, 0}));
}

void TstSimSlave::resetRequestRestartsTheSlave() {
    Harness h;
    QCOMPARE(h.request(20, 10), bytes({10, 0, 0, 0}));
    h.wait(20000); // the watchdog has fired: starting up
    QCOMPARE(h.transact(50, 20), bytes({0x20, 0x20}));
    h.wait(100000);
    QCOMPARE(h.transact(50, 20), bytes({0, 0}));
    QCOMPARE(h.inst.slave(20)->resetCause(), quint8(8));
    QCOMPARE(h.request(20, 105), bytes({105, 1, 1, 0})); // no battery: the clock starts again
    QCOMPARE(h.request(20, 110).mid(1, 2), bytes({0, 0}));
}

void TstSimSlave::supplyResetRestartsAllSlaves() {
    Harness h;
    QCOMPARE(h.transact(9), bytes({0}));
    QCOMPARE(h.transact(50, 8), bytes({0x20, 0x20})); // still starting
    h.wait(100000);
    QCOMPARE(h.transact(50, 8), bytes({0, 0}));
    QCOMPARE(h.inst.slave(8)->resetCause(), quint8(6));
    QCOMPARE(h.request(8, 105), bytes({105, 1, 6, 24})); // the battery clock ran on
    QCOMPARE(hour(h.request(8, 110)), 12);
    QCOMPARE(h.request(40, 105), bytes({105, 1, 1, 0}));
}

QTEST_GUILESS_MAIN(TstSimSlave)
#include "tst_sim_slave.moc"
