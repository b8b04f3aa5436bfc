// Slave standard commands and the EEPROM block read: decoders, and what every operation reports
// when the line or the slave fails. The same operations against the simulated installation are in
// tst_standard_sim.

#include "link/memory.h"
#include "link/standard.h"
#include "link/virtualserialport.h"

#include <QtTest>

using namespace zelmar;

namespace {
struct Quiet : LinkNotifier {
    QStringList messages;
    void linkMessage(const QString& t) override { messages << t; }
    void linkBeep() override {}
};
} // namespace

class TestStandard : public QObject {
    Q_OBJECT
    VirtualSerialPort port; // nobody answers unless a test says so
    std::unique_ptr<Link> link;
    Quiet quiet;

    // Frames written so far, by command code.
    QList<int> commandsSent() const {
        QList<int> codes;
        for (const QByteArray& f : port.written())
            codes << quint8(f[1]);
        return codes;
    }

private slots:
    void init() {
        port.close();
        port.setOpenable(true);
        port.clearWritten();
        port.setPeer(nullptr);
        link = std::make_unique<Link>(port);
        link->setNotifier(&quiet);
        link->setReplyTimeout(30);
        quiet.messages.clear();
    }

    void decoders_data() {
        QTest::addColumn<int>("b2");
        QTest::addColumn<int>("b3");
        QTest::addColumn<int>("b4");
        QTest::addColumn<double>("v16");
        QTest::addColumn<double>("v24");
        QTest::newRow("zero") << 0 << 0 << 0 << 0.0 << 0.0;
        QTest::newRow("-1") << 0xFF << 0xFF << 0xFF << -1.0 << -1.0;
        QTest::newRow("16-bit -1, 24-bit positive") << 0xFF << 0xFF << 0x00 << -1.0 << 65535.0;
        QTest::newRow("-2^23") << 0x00 << 0x00 << 0x80 << 0.0 << -8388608.0;
        QTest::newRow("2^23-1") << 0xFF << 0xFF << 0x7F << -1.0 << 8388607.0;
        QTest::newRow("215 = 21.5 degrees") << 215 << 0 << 0 << 215.0 << 215.0;
        QTest::newRow("-2^15") << 0x00 << 0x80 << 0x00 << -32768.0 << 32768.0;
        QTest::newRow("2^15-1") << 0xFF << 0x7F << 0x00 << 32767.0 << 32767.0;
    }
    void decoders() {
        QFETCH(int, b2);
        QFETCH(int, b3);
        QFETCH(int, b4);
        Reply r;
        r.bytes = QByteArray(1, char(0x99)); // never part of the value
        r.bytes.append(char(b2)).append(char(b3)).append(char(b4));
        QTEST(ANTWORT_WERT_16BIT(r), "v16");
        QTEST(ANTWORT_WERT_24BIT(r), "v24");
    }

    // A silent interface: every operation fails, none reports a slave.
    void silentInterfaceIsNeverAnAcknowledgement() {
        QCOMPARE(SLAVE_SUCHEN(*link, 8), 0);
        QCOMPARE(link->STATUS_CODE, qint16(1000));
        QCOMPARE(link->SLAVE_GEFUNDEN[8], qint16(0));
        QCOMPARE(link->SLAVE_ADRESSE, quint8(8));

        QVERIFY(!SLAVE_ANSPRECHEN_MIT_STOP(*link, 20));
        QCOMPARE(link->STATUS_CODE, qint16(1000));

        port.clearWritten();
        const Reply r = STANDARD_BEFEHL_120(*link, 20);
        QCOMPARE(link->STATUS_CODE, qint16(1000));
        QVERIFY(r.lineFailed());
        QCOMPARE(r.statusCode, qint16(1000));
        // The status read failed: no command 80 follows, and no STOP into the silence.
        QCOMPARE(commandsSent(), QList<int>{60});
        QCOMPARE(ANTWORT_WERT_24BIT(r), 0.0);

        QCOMPARE(SLAVE_INFO_LESEN(*link, 20), QStringLiteral("????????????????"));
        QCOMPARE(link->STATUS_CODE, qint16(1000));
        QCOMPARE(SLAVE_ZEIT_LESEN(*link, 8), QStringLiteral("00:00:00"));
        QVERIFY(link->STATUS_CODE != 0);
        QCOMPARE(MESSWERT_LESEN_121(*link, 20), 0.0);
        QVERIFY(link->STATUS_CODE != 0);
    }

    void portThatCannotOpenIsNeverAnAcknowledgement() {
        port.setOpenable(false);
        QCOMPARE(SLAVE_SUCHEN(*link, 40), 0);
        QCOMPARE(link->STATUS_CODE, qint16(1001));
        QVERIFY(!SLAVE_ANSPRECHEN_MIT_STOP(*link, 40));
        STANDARD_BEFEHL_0(*link, 40);
        QCOMPARE(link->STATUS_CODE, qint16(1001));
        QVERIFY(port.written().isEmpty());
    }

    // The interface answers, the slave does not: status bytes non-zero.
    void absentSlave() {
        port.setPeer([this](const QByteArray& f) {
            const int cmd = quint8(f[1]);
            if (cmd == 60)
                port.deliver(QByteArray("\x20\x20", 2)); // SLA+W not acknowledged
            else if (cmd == 100 || cmd == 50)
                port.deliver(QByteArray("\xF8\x20", 2));
        });
        QCOMPARE(SLAVE_SUCHEN(*link, 9), 0);
        QCOMPARE(link->STATUS_CODE, qint16(0)); // the line worked; nobody answered

        port.clearWritten();
        STANDARD_BEFEHL_110(*link, 9);
        QCOMPARE(link->STATUS_CODE, qint16(110));
        QCOMPARE(commandsSent(), (QList<int>{60, 100})); // a STOP releases the bus
        QCOMPARE(SLAVE_ZEIT_LESEN(*link, 9), QStringLiteral("00:00:00"));
        QCOMPARE(link->STATUS_CODE, qint16(110));
        QCOMPARE(SLAVE_INFO_LESEN(*link, 9), QStringLiteral("????????????????"));
        QCOMPARE(link->STATUS_CODE, qint16(110));
        QVERIFY(!SLAVE_ANSPRECHEN_MIT_STOP(*link, 9));
    }

    // Command 80's reply is judged by both status bytes around the data: either one not 0 is
    // a read the EEPROM did not answer, whatever the other says.
    void eepromBlockReadStatusBytes_data() {
        QTest::addColumn<QByteArray>("antwort");
        QTest::addColumn<int>("ergebnis");
        QTest::newRow("both 0") << QByteArray("\0\x11\x22\x33\0", 5) << int(SpeicherAntwort::Ok);
        QTest::newRow("address phase failed")
            << QByteArray("\x48\xFF\xFF\xFF\0", 5) << int(SpeicherAntwort::KeinAck);
        QTest::newRow("data phase failed")
            << QByteArray("\0\x11\x22\x33\x38", 5) << int(SpeicherAntwort::KeinAck);
        QTest::newRow("cut short") << QByteArray("\0\x11\x22", 3) << int(SpeicherAntwort::Leitung);
    }
    void eepromBlockReadStatusBytes() {
        QFETCH(QByteArray, antwort);
        QFETCH(int, ergebnis);
        port.setPeer([&](const QByteArray&) { port.deliver(antwort); });
        const SpeicherAntwort a = EEPROM_BLOCK_LESEN(*link, 80, 3);
        QCOMPARE(int(a.art), ergebnis);
        QCOMPARE(commandsSent(), QList<int>{80});
        QCOMPARE(quint8(port.written()[0][6]), quint8(3)); // the receive count
        if (ergebnis == int(SpeicherAntwort::Ok)) {
            QCOMPARE(link->EMPFANGSPUFFER[3], quint8(0x33));
            QCOMPARE(a.antwort.bytes, QByteArray("\x11\x22\x33"));
        }
    }

    void dateAndTimeRequests() {
        QList<QByteArray> requests;
        port.setPeer([&](const QByteArray& f) {
            if (quint8(f[1]) == 60) {
                requests << f.mid(9, 4);
                port.deliver(QByteArray(2, '\0'));
            } else if (quint8(f[1]) == 80) {
                port.deliver(QByteArray("\0\0\0\0\0\0", 6));
            }
        });
        SLAVE_DATUM_SETZEN(*link, 8, QDate(2026, 12, 6));
        SLAVE_ZEIT_SETZEN(*link, 8, QTime(7, 42, 6));
        STANDARD_BEFEHL_219(*link, 8, QDate(1999, 1, 31));
        QCOMPARE(requests.size(), 3);
        QCOMPARE(requests[0], QByteArray("\xCD\x06\x0C\x1A", 4)); // 205: 6.12.26, not 6.12.20
        QCOMPARE(requests[1], QByteArray("\xD2\x07\x2A\x06", 4)); // 210: 07:42:06
        QCOMPARE(requests[2], QByteArray("\xDB\x1F\x01\x63", 4)); // 219: 31.1.99
        QCOMPARE(link->STATUS_CODE, qint16(0));
    }

    // The user picks another slave while the acknowledgement is awaited: the reply is still
    // read from the slave that got the request, and the new choice stands afterwards.
    void addressChosenDuringAWait() {
        port.setPeer([this](const QByteArray& f) {
            if (quint8(f[1]) == 60)
                port.deliver(QByteArray(2, '\0'), 60);
            else if (quint8(f[1]) == 80)
                port.deliver(QByteArray("\0\x6e\x07\x11\x39\0", 6));
        });
        link->setReplyTimeout(500);
        QTimer::singleShot(20, this, [this] { link->SLAVE_ADRESSE = 8; });
        QCOMPARE(SLAVE_ZEIT_LESEN(*link, 20), QStringLiteral("07:17:57"));
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QCOMPARE(port.written().size(), 2);
        QCOMPARE(quint8(port.written()[0][2]), quint8(20));
        QCOMPARE(quint8(port.written()[1][2]), quint8(20));
        QCOMPARE(link->SLAVE_ADRESSE, quint8(8));
    }

    // A handler run inside the wait tries a standard command of its own: it fails at once and
    // leaves the outer transaction's reply alone.
    void standardCommandInsideAWait() {
        port.setPeer([this](const QByteArray& f) {
            if (quint8(f[1]) == 60)
                port.deliver(QByteArray(2, '\0'));
            else if (quint8(f[1]) == 80) {
                port.deliver(QByteArray("\0\x78\xd7", 3));
                port.deliver(QByteArray("\0\0\0", 3), 80);
            }
        });
        link->setReplyTimeout(500);
        qint16 inner = 0;
        QTimer::singleShot(40, this, [&] {
            STANDARD_BEFEHL_121(*link, 20);
            inner = link->STATUS_CODE;
        });
        const Reply r = STANDARD_BEFEHL_120(*link, 20);
        QCOMPARE(inner, qint16(STATUS_NICHT_GESENDET));
        QCOMPARE(quiet.messages, QStringList{"DATEN werden noch empfangen"});
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QVERIFY(r.done());
        QCOMPARE(ANTWORT_WERT_16BIT(r), 215.0);
    }
};

QTEST_GUILESS_MAIN(TestStandard)
#include "tst_standard.moc"
