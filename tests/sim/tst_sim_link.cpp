// The transaction engine against the simulated installation through the in-process port.
#include "link/link.h"
#include "link/virtualserialport.h"
#include "sim/virtualinstallation.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace zelmar;
using namespace zelmar::sim;

namespace {

// Command 60 with four request bytes, then command 80 reading the reply: 1, 4, 1 bytes.
bool standardRead(Link& link, int address, int code) {
    link.SLAVE_ADRESSE = static_cast<quint8>(address);
    link.BEFEHL = 60;
    link.RESERVE = 0;
    link.ANZAHL_SENDEN = 4;
    link.ANZAHL_EMPFANGEN = 0;
    link.SENDEPUFFER[1] = static_cast<quint8>(code);
    link.RAHMEN_SENDEN();
    link.DATEN_EMPFANGEN(2);
    if (link.STATUS_CODE != 0 || link.EMPFANGSPUFFER[1] != 0 || link.EMPFANGSPUFFER[2] != 0)
        return false;
    link.BEFEHL = 80;
    link.ANZAHL_SENDEN = 0;
    link.ANZAHL_EMPFANGEN = 4;
    link.RAHMEN_SENDEN();
    link.DATEN_EMPFANGEN(1);
    const bool leadOk = link.EMPFANGSBYTE == 0;
    link.DATEN_EMPFANGEN(4);
    const std::vector<quint8> reply(link.EMPFANGSPUFFER.begin() + 1,
                                    link.EMPFANGSPUFFER.begin() + 5);
    link.DATEN_EMPFANGEN(1);
    std::copy(reply.begin(), reply.end(), link.EMPFANGSPUFFER.begin() + 1);
    return leadOk && link.STATUS_CODE == 0 && link.EMPFANGSBYTE == 0;
}

int probe(Link& link, int address) {
    link.SLAVE_ADRESSE = static_cast<quint8>(address);
    link.BEFEHL = 50;
    link.ANZAHL_SENDEN = 0;
    link.ANZAHL_EMPFANGEN = 0;
    link.RAHMEN_SENDEN();
    link.DATEN_EMPFANGEN(1);
    link.DATEN_EMPFANGEN(1);
    return link.STATUS_CODE == 0 ? link.EMPFANGSBYTE : -1;
}

} // namespace

class TstSimLink : public QObject {
    Q_OBJECT
private slots:
    void standardCommandRead();
    void pacedRepliesTakeLineTime();
    void faultsReachTheEngine();
};

void TstSimLink::standardCommandRead() {
    VirtualSerialPort port;
    ManualClock clock;
    VirtualInstallation vi(port, Scenario::demo(), &clock);
    Link link(port);
    link.setReplyTimeout(200);
    QVERIFY(standardRead(link, 40, 110));
    QCOMPARE(link.EMPFANGSPUFFER[1], quint8(110));
    const QTime t = vi.slave(40)->clock(vi.installation().line().txFreeUs()).time();
    QCOMPARE(int(link.EMPFANGSPUFFER[2]), t.hour());
    QCOMPARE(int(link.EMPFANGSPUFFER[3]), t.minute());
    QVERIFY(standardRead(link, 44, 120));
    QCOMPARE(link.EMPFANGSPUFFER[1], quint8(120));
    QVERIFY(!standardRead(link, 99, 120)); // nobody there
    QCOMPARE(probe(link, 99), 0x20);
}

void TstSimLink::pacedRepliesTakeLineTime() {
    VirtualSerialPort port;
    port.setPacing(true);
    VirtualInstallation vi(port);
    Link link(port);
    link.setReplyTimeout(500);
    QElapsedTimer timer;
    timer.start();
    link.BEFEHL = 4; // 16 name bytes at 19200 baud: over 8 ms on the line
    link.ANZAHL_SENDEN = 0;
    link.ANZAHL_EMPFANGEN = 0;
    link.RAHMEN_SENDEN();
    link.DATEN_EMPFANGEN(16);
    QCOMPARE(link.STATUS_CODE, qint16(0));
    QVERIFY2(timer.elapsed() >= 8, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&link.EMPFANGSPUFFER[1]), 16),
             QByteArray("RS232-TWI V1.0  "));
    for (int a : {8, 20, 40, 44, 45, 60, 65, 66, 80, 81})
        QCOMPARE(probe(link, a), 0);
}

void TstSimLink::faultsReachTheEngine() {
    VirtualSerialPort port;
    ManualClock clock;
    VirtualInstallation vi(port, Scenario::demo(), &clock);
    Link link(port);
    link.setReplyTimeout(50);
    QVERIFY(vi.setDeviceOnline(44, false));
    QCOMPARE(probe(link, 44), 0x20);
    QVERIFY(vi.setDeviceOnline(44, true));
    QCOMPARE(probe(link, 44), 0);
    vi.faults().dropEvery = 2; // the second status byte never comes
    QCOMPARE(probe(link, 44), -1);
    QCOMPARE(link.STATUS_CODE, qint16(STATUS_KEINE_DATEN));
    vi.faults().dropEvery = 0;
    vi.faults().silent = true;
    QCOMPARE(probe(link, 44), -1);
    vi.faults().silent = false;
    // Stale garbage in the input is flushed by the next frame.
    vi.injectToPc(QByteArray("\x55\x55", 2));
    QTest::qWait(20);
    QCOMPARE(probe(link, 20), 0);
}

QTEST_GUILESS_MAIN(TstSimLink)
#include "tst_sim_link.moc"
