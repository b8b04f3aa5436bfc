// The zelmar-sim program on a pseudo-terminal, driven through the real serial port class.
#include "link/hardwareserialport.h"
#include "link/link.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace zelmar;

class TstSimE2e : public QObject {
    Q_OBJECT
private slots:
    void scanFindsTheDemoDevices();
    void helpAndBadOptions();
};

void TstSimE2e::scanFindsTheDemoDevices() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString linkPath = dir.filePath(QStringLiteral("ttyZELMAR"));
    const QString tracePath = dir.filePath(QStringLiteral("trace.txt"));
    QProcess sim;
    sim.start(QStringLiteral(ZELMAR_SIM_PATH),
              {QStringLiteral("--link"), linkPath, QStringLiteral("--trace"), tracePath});
    QVERIFY(sim.waitForStarted(5000));
    QVERIFY(sim.waitForReadyRead(5000));
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    QVERIFY2(device.startsWith(QLatin1String("/dev/")), qPrintable(device));
    QCOMPARE(QFileInfo(linkPath).symLinkTarget(), device);

    QFile ports(dir.filePath(QStringLiteral("PORTS.ini")));
    QVERIFY(ports.open(QIODevice::WriteOnly));
    ports.write(linkPath.toLocal8Bit() + "\r\n");
    ports.close();

    {
        HardwareSerialPort port(dir.path());
        QVERIFY(port.setPortNumber(1));
        Link link(port);
        link.setReplyTimeout(500);
        QList<int> found;
        for (int a = 0; a < 128; ++a) {
            link.SLAVE_ADRESSE = static_cast<quint8>(a);
            link.BEFEHL = 60;
            link.RESERVE = 0;
            link.ANZAHL_SENDEN = 0;
            link.ANZAHL_EMPFANGEN = 0;
            link.RAHMEN_SENDEN();
            link.DATEN_EMPFANGEN(2);
            QCOMPARE(link.STATUS_CODE, qint16(0));
            if (link.EMPFANGSPUFFER[1] == 0 && link.EMPFANGSPUFFER[2] == 0)
                found.append(a);
        }
        link.BEFEHL = 100;
        link.RAHMEN_SENDEN();
        link.DATEN_EMPFANGEN(1);
        link.DATEN_EMPFANGEN(1);
        QCOMPARE(link.STATUS_CODE, qint16(0));
        QCOMPARE(link.EMPFANGSBYTE, quint8(0));
        QCOMPARE(found, (QList<int>{8, 20, 40, 44, 45, 60, 65, 66, 80, 81}));
        port.close();
    }

    // A client killed while it had the device exclusive cannot take that off: the simulator
    // does, as a serial device forgets it on its last close.
    const QByteArray geraet = QFile::encodeName(device);
    const int fd = ::open(geraet.constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    QVERIFY(::ioctl(fd, TIOCEXCL) == 0);
    ::close(fd);
    const auto exklusiv = [&geraet] {
        const int f = ::open(geraet.constData(), O_RDWR | O_NOCTTY);
        int an = -1;
        ::ioctl(f, TIOCGEXCL, &an);
        ::close(f);
        return an;
    };
    QTRY_COMPARE(exklusiv(), 0);

    sim.terminate(); // SIGTERM: a clean end that takes the link away
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 0);
    QVERIFY(!QFileInfo::exists(linkPath) && !QFileInfo(linkPath).isSymLink());
    QFile trace(tracePath);
    QVERIFY(trace.open(QIODevice::ReadOnly));
    const QByteArray text = trace.readAll();
    QVERIFY(text.contains("RX command 60 address 44 value 0 send 0 receive 0"));
    QVERIFY(text.contains("RX command 100"));
    QVERIFY(text.contains("TX 20"));
}

void TstSimE2e::helpAndBadOptions() {
    QProcess help;
    help.start(QStringLiteral(ZELMAR_SIM_PATH), {QStringLiteral("--help")});
    QVERIFY(help.waitForFinished(5000));
    QCOMPARE(help.exitCode(), 0);
    const QByteArray out = help.readAllStandardOutput();
    for (const char* option :
         {"--link", "--pace", "--no-pace", "--scenario", "--trace", "--offline"})
        QVERIFY2(out.contains(option), option);
    QProcess bad;
    bad.start(QStringLiteral(ZELMAR_SIM_PATH),
              {QStringLiteral("--scenario"), QStringLiteral("/nonexistent.json")});
    QVERIFY(bad.waitForFinished(5000));
    QCOMPARE(bad.exitCode(), 2);
    QVERIFY(bad.readAllStandardError().contains("nonexistent"));
}

QTEST_GUILESS_MAIN(TstSimE2e)
#include "tst_sim_e2e.moc"
