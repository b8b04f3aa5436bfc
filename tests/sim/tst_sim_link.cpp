// The transaction engine against the simulated installation through the in-process port.
#include "link/link.h"
#include "link/virtualserialport.h"
#include "sim/virtualinstallation.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace zelmar;
using namespace zelmar::sim;

namespace {

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
    void pacedRepliesTakeLineTime();
    void aLongFrameIsAnsweredAfterItsLineTime();
    void faultsReachTheEngine();
};

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
}

// 3,010 bytes at 19200 8N1 take 1.57 s on the line; the reply comes after that, and the wait
// for it must not count the frame's own transmission against the reply time-out.
void TstSimLink::aLongFrameIsAnsweredAfterItsLineTime() {
    VirtualSerialPort port;
    port.setPacing(true);
    VirtualInstallation vi(port);
    Link link(port);
    link.setReplyTimeout(300);
    QElapsedTimer timer;
    timer.start();
    link.RAHMEN_SENDEN({befehl::DUMMY, 127, 0, 3000});
    link.DATEN_EMPFANGEN(1);
    QCOMPARE(link.STATUS_CODE, qint16(STATUS_OK));
    QVERIFY2(timer.elapsed() >= 1500, qPrintable(QString::number(timer.elapsed())));
    // The next byte's wait is the plain time-out again: nothing more comes.
    timer.restart();
    link.DATEN_EMPFANGEN(1);
    QCOMPARE(link.STATUS_CODE, qint16(STATUS_KEINE_DATEN));
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(link.replyTimeout(), 300);
}

void TstSimLink::faultsReachTheEngine() {
    VirtualSerialPort port;
    ManualClock clock;
    VirtualInstallation vi(port, Scenario::demo(), &clock);
    Link link(port);
    link.setReplyTimeout(50);
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
