// Slave standard commands and probes against the simulated demo installation.

#include "link/standard.h"
#include "sim/virtualinstallation.h"

#include <QtTest>

using namespace zelmar;

class TestStandardSim : public QObject {
    Q_OBJECT
    std::unique_ptr<VirtualSerialPort> port;
    std::unique_ptr<sim::VirtualInstallation> installation;
    std::unique_ptr<Link> link;

private slots:
    void init() {
        port = std::make_unique<VirtualSerialPort>();
        installation = std::make_unique<sim::VirtualInstallation>(*port);
        link = std::make_unique<Link>(*port);
        link->setReplyTimeout(100);
    }
    void cleanup() {
        link.reset();
        installation.reset();
        port.reset();
    }

    void scanFindsExactlyTheDemoDevices() {
        QList<int> found;
        for (int a = 0; a < 128; ++a) {
            if (SLAVE_SUCHEN(*link, a) == -1)
                found << a;
            QCOMPARE(link->SLAVE_ADRESSE, quint8(a));
        }
        TWI_STOP(*link, 127);
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QCOMPARE(found, (QList<int>{8, 20, 40, 44, 45, 60, 65, 66, 80, 81}));
        QCOMPARE(link->SLAVE_GEFUNDEN[44], qint16(-1));
        QCOMPARE(link->SLAVE_GEFUNDEN[43], qint16(0));
    }

    void presentAndAbsentSlave() {
        QVERIFY(SLAVE_ANSPRECHEN_MIT_STOP(*link, 20));
        QVERIFY(!SLAVE_ANSPRECHEN_MIT_STOP(*link, 21));
        QCOMPARE(link->STATUS_CODE, qint16(0)); // the line worked, the slave is missing

        QCOMPARE(SLAVE_INFO_LESEN(*link, 20), QStringLiteral("WOHNZIMMER WZ   "));
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QCOMPARE(SLAVE_INFO_LESEN(*link, 21), QStringLiteral("????????????????"));
        QCOMPARE(link->STATUS_CODE, qint16(110));

        QCOMPARE(SLAVE_ZEIT_LESEN(*link, 21), QStringLiteral("00:00:00"));
        QCOMPARE(link->STATUS_CODE, qint16(110));
        // The bus was released: the next slave answers at once.
        QVERIFY(SLAVE_ANSPRECHEN_MIT_STOP(*link, 8));
    }

    void clockAndDateRoundTrip() {
        SLAVE_ZEIT_SETZEN(*link, 8, QTime(23, 59, 30));
        QCOMPARE(link->STATUS_CODE, qint16(0));
        SLAVE_DATUM_SETZEN(*link, 8, QDate(2026, 12, 6));
        QCOMPARE(link->STATUS_CODE, qint16(0));
        const QString time = SLAVE_ZEIT_LESEN(*link, 8);
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QVERIFY2(time == "23:59:30" || time == "23:59:31", qPrintable(time)); // the clock runs
        QCOMPARE(SLAVE_DATUM_LESEN(*link, 8), QStringLiteral("06.12.26"));
    }

    void measuredValuesArePlausible() {
        const double wz = MESSWERT_LESEN_120(*link, 20) / 10.0;
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QCOMPARE(link->SLAVE_ADRESSE, quint8(20));
        QVERIFY2(wz > 10 && wz < 30, qPrintable(QString::number(wz)));
        const double heating = MESSWERT_LESEN_121(*link, 40);
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QVERIFY(heating >= 0 && heating < 90);
        const double outside16 = MESSWERT_LESEN_120_16BIT(*link, 44) / 10.0;
        QVERIFY(outside16 > -40 && outside16 < 45);
        const double pressure = MESSWERT_LESEN_150(*link, 44);
        QVERIFY(pressure > 900 && pressure < 1100);
    }
};

QTEST_GUILESS_MAIN(TestStandardSim)
#include "tst_standard_sim.moc"
