// What a transaction hands back, against the simulated demo installation: the outcome, status,
// bytes and value of a Reply, and that it stays with its caller after later transactions.

#include "link/diagnostics.h"
#include "link/memory.h"
#include "link/standard.h"
#include "sim/virtualinstallation.h"

#include <QtTest>

using namespace zelmar;

class TestReplySim : public QObject {
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

    void doneCarriesTheReplyBytesAndValue() {
        QVERIFY(SLAVE_ZEIT_SETZEN(*link, 8, QTime(12, 34, 50)).done());
        const Reply r = STANDARD_BEFEHL_110(*link, 8);
        QVERIFY(r.done());
        QCOMPARE(r.statusCode, qint16(STATUS_OK));
        QCOMPARE(r.bytes.size(), 4);
        QCOMPARE(int(r.byte(1)), 12);
        QCOMPARE(int(r.byte(2)), 34);
        QVERIFY(r.byte(3) == 50 || r.byte(3) == 51); // the slave's clock runs
        QCOMPARE(r.value32,
                 r.byte(0) + 256.0 * r.byte(1) + 65536.0 * r.byte(2) + 16777216.0 * r.byte(3));
        QCOMPARE(int(r.byte(4)), 0); // past the end

        Reply takt;
        const auto befund = INTERFACE_ABFRAGEN(*link, befehl::TAKT, QLocale::c(), &takt);
        QVERIFY(befund && takt.done());
        QVERIFY(takt.value32 > 1e6);
        QCOMPARE(befund->wert, takt.value32);
    }

    void notAcknowledgedIsTheSlavesNoNotTheLines() {
        const Reply r = STANDARD_BEFEHL_110(*link, 21);
        QVERIFY(r.notAcknowledged());
        QCOMPARE(r.statusCode, qint16(STATUS_KEIN_ACK));
        QVERIFY(r.bytes.isEmpty());

        Reply probe;
        QCOMPARE(SLAVE_SUCHEN(*link, 21, &probe), 0);
        QVERIFY(probe.notAcknowledged());
        QCOMPARE(probe.bytes.size(), 2); // the interface answered both status bytes
        TWI_STOP(*link, 21);

        const SpeicherAntwort e = EEPROM_ADRESSE_SETZEN(*link, 90, 0, 2);
        QCOMPARE(e.art, SpeicherAntwort::KeinAck);
        QVERIFY(e.antwort.notAcknowledged());
        QCOMPARE(e.antwort.statusCode, qint16(STATUS_OK));
        TWI_STOP(*link, 90);
    }

    void lineFailedKeepsWhatCameAndNothingMore() {
        installation->faults().silent = true;
        Reply probe;
        QCOMPARE(SLAVE_SUCHEN(*link, 20, &probe), 0);
        QVERIFY(probe.lineFailed());
        QCOMPARE(probe.statusCode, qint16(STATUS_KEINE_DATEN));
        QVERIFY(probe.bytes.isEmpty()); // silence, not a byte lost

        const Reply r = STANDARD_BEFEHL_110(*link, 8);
        QVERIFY(r.lineFailed());
        QVERIFY(r.bytes.isEmpty());
        QCOMPARE(SLAVE_ZEIT_LESEN(*link, 8), QStringLiteral("00:00:00"));

        // The fourth byte of the clock reply is lost: three came.
        installation->faults().silent = false;
        installation->faults().dropEvery = 4;
        link->RAHMEN_SENDEN({befehl::TAKT, 0});
        const Reply takt = receive(*link, 4);
        QVERIFY(takt.lineFailed());
        QCOMPARE(takt.bytes.size(), 3);
        QCOMPARE(takt.value32, 0.0);
    }

    void refusedFramesSayWhyAndBringNothing() {
        link->RAHMEN_SENDEN(Request(befehl::DUMMY, 0, 0, 70000, 0));
        const Reply r = receive(*link, 1);
        QVERIFY(r.refused());
        QCOMPARE(r.statusCode, qint16(STATUS_ANZAHL_SENDEN));
        QVERIFY(r.bytes.isEmpty());

        int halter = 0;
        QVERIFY(link->reservieren(&halter, QStringLiteral("belegt")));
        const SpeicherAntwort e = EEPROM_ADRESSE_SETZEN(*link, 80, 0, 2);
        QCOMPARE(e.art, SpeicherAntwort::NichtGesendet);
        QVERIFY(e.ohneAntwort());
        QVERIFY(e.antwort.refused());
        QVERIFY(STANDARD_BEFEHL_110(*link, 8).refused());
        link->freigeben(&halter);
        QVERIFY(STANDARD_BEFEHL_110(*link, 8).done());
    }

    // The caller keeps its reply: later transactions change the link's displays, not the reply.
    void aReplyOutlivesTheLinksDisplays() {
        QVERIFY(EEPROM_ADRESSE_SETZEN(*link, 80, 0x100, 2) == SpeicherAntwort::Ok);
        const QByteArray seite = QByteArray::fromHex("00112233445566778899AABBCCDDEEFF");
        QVERIFY(EEPROM_SEITE_SCHREIBEN(*link, 80, seite) == SpeicherAntwort::Ok);
        SpeicherAntwort adresse;
        do // the write cycle
            adresse = EEPROM_ADRESSE_SETZEN(*link, 80, 0x100, 2);
        while (adresse == SpeicherAntwort::KeinAck);
        QVERIFY(adresse == SpeicherAntwort::Ok);
        const SpeicherAntwort block = EEPROM_BLOCK_LESEN(*link, 80, 16);
        QVERIFY(block == SpeicherAntwort::Ok);
        QCOMPARE(block.antwort.bytes, seite);

        QVERIFY(SRAM_ZEIGER_SETZEN(*link, 8, 0) == SpeicherAntwort::Ok);
        const SpeicherAntwort sram = SRAM_BLOCK_LESEN(*link, 8, 16);
        QVERIFY(sram == SpeicherAntwort::Ok);
        QCOMPARE(sram.antwort.bytes.size(), 16);
        QVERIFY(REGISTER_ANFORDERN(*link, 8) == SpeicherAntwort::Ok);
        const SpeicherAntwort register_ = REGISTER_DUMP_LESEN(*link, 8);
        QVERIFY(register_ == SpeicherAntwort::Ok);
        QCOMPARE(register_.antwort.bytes.size(), 32); // the echo is not a register

        QCOMPARE(block.antwort.bytes, seite);
        const QByteArray angezeigt(reinterpret_cast<const char*>(link->EMPFANGSPUFFER.data() + 1),
                                   16);
        QVERIFY(angezeigt != seite);
    }
};

QTEST_GUILESS_MAIN(TestReplySim)
#include "tst_reply_sim.moc"
