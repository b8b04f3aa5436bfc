// EEPROMs of every size: the program's chip table against the simulator's own description of
// the family, and the read-only detection against a chip of each kind.

#include "eepromscenario.h"
#include "testcontext.h"

#include "files/eepromdump.h"
#include "jobs/eepromerase.h"
#include "jobs/eepromreadout.h"
#include "jobs/eepromrestore.h"
#include "link/eeprombausteine.h"
#include "link/eepromerkennung.h"
#include "sim/virtualinstallation.h"

#include <QSignalSpy>
#include <QtTest>

using namespace zelmar;

namespace {

struct Bench {
    TestContext t;
    sim::VirtualInstallation sim{t.port, eepromszenario::scenario()};

    QList<sim::SerialEeprom*> eeproms() const {
        QList<sim::SerialEeprom*> l;
        for (int a : {80, 81, 82, 83, 84, 88})
            l << sim.eeprom(a);
        return l;
    }
};

template <typename J> typename J::Result laufen(J* job) {
    std::unique_ptr<J> halter(job);
    job->setAutoDelete(false);
    QSignalSpy ended(job, &Job::ended);
    job->start();
    if (!ended.wait(300000))
        qFatal("job did not end");
    return job->result();
}

QStringList namen(const QList<EepromBaustein>& l) {
    QStringList n;
    for (const auto& b : l)
        n << b.text();
    return n;
}

} // namespace

class TestEepromChips : public QObject {
    Q_OBJECT

private slots:
    // The two descriptions are written apart; a wrong entry in either shows here.
    void tableAgreesWithTheSimulator() {
        QStringList programm;
        for (const EepromBaustein& b : eeprom::bausteine()) {
            programm << b.text();
            const auto s = sim::SerialEeprom::family(b.text(), 80);
            QVERIFY2(s, b.name);
            QCOMPARE(b.groesse, s->size);
            QCOMPARE(b.seite, s->pageSize);
            QCOMPARE(b.adressBytes, s->addressBytes);
            QCOMPARE(b.blockBits, s->blockBits);
            // What one slave address reaches is what its address bytes can say.
            QCOMPARE(b.block(),
                     b.adressBytes == 1 ? std::min(b.groesse, 256) : std::min(b.groesse, 65536));
        }
        QCOMPARE(programm, sim::SerialEeprom::familyNames());
        QCOMPARE(eeprom::baustein(QStringLiteral(" 24c16 "))->groesse, 2048);
        QVERIFY(!eeprom::baustein(QStringLiteral("24C03")));
        QVERIFY(eeprom::standard().klassisch());
    }

    // Where transfers must end, and which slave address a chip address needs.
    void blocksPagesAndSlaveAddresses() {
        const EepromBaustein c16 = *eeprom::baustein(QStringLiteral("24C16"));
        QCOMPARE(c16.slave(88, 0), 88);
        QCOMPARE(c16.slave(88, 0x3FF), 91);
        QCOMPARE(c16.slave(88, 2047), 95);
        QCOMPARE(c16.innen(0x3FF), 0xFF);
        QCOMPARE(c16.bisBlockEnde(250, 1000), 6);
        QCOMPARE(c16.bisSeitenEnde(250, 100), 6);
        QCOMPARE(c16.basis(93), 88);
        const EepromBaustein m02 = *eeprom::baustein(QStringLiteral("24M02"));
        QCOMPARE(m02.slave(84, 0x2FFFF), 86);
        QCOMPARE(m02.innen(0x2FFFF), 0xFFFF);
        QCOMPARE(m02.bisBlockEnde(65000, 1000), 536);
        const EepromBaustein c512 = eeprom::standard();
        QCOMPARE(c512.bisBlockEnde(65000, 1000), 536);
        QCOMPARE(c512.slave(80, 65535), 80);
    }

    void detectionOfEachKind_data() {
        QTest::addColumn<int>("slave");
        QTest::addColumn<QString>("erster");
        QTest::addColumn<int>("adressBytes");
        QTest::addColumn<int>("groesse");
        QTest::newRow("24C01 of the demo") << 81 << "24C01" << 1 << 128;
        QTest::newRow("24C512 of the demo") << 80 << "24C512" << 2 << 65536;
        QTest::newRow("24C02") << 82 << "24C02" << 1 << 256;
        QTest::newRow("24C64") << 83 << "24C64" << 2 << 8192;
        QTest::newRow("24M02") << 84 << "24M02" << 2 << 65536;
        QTest::newRow("24M02, third block") << 86 << "24M02" << 2 << 65536;
        QTest::newRow("24C16") << 88 << "24C16" << 1 << 256;
        QTest::newRow("24C16, fourth block") << 91 << "24C16" << 1 << 256;
    }
    // Each kind is told, and the run writes nothing: no write frame, no write cycle, every
    // byte of every chip as it was.
    void detectionOfEachKind() {
        QFETCH(int, slave);
        QFETCH(QString, erster);
        QFETCH(int, adressBytes);
        QFETCH(int, groesse);
        Bench b;
        QList<QByteArray> vorher;
        for (auto* e : b.eeproms())
            vorher << e->memory();
        const EepromErkennung e = EEPROM_ERKENNEN(b.t.link, slave);
        QCOMPARE(int(e.ergebnis), int(EepromErkennung::Ergebnis::Erkannt));
        QCOMPARE(e.adressBytes, adressBytes);
        QCOMPARE(e.groesse, groesse);
        QVERIFY2(!e.vorschlaege.isEmpty() && e.vorschlaege.first().text() == erster,
                 qPrintable(namen(e.vorschlaege).join(' ')));
        QVERIFY(e.text().startsWith(erster));
        for (const auto& f : b.t.frames.entries)
            QVERIFY2(f.befehl != 50 && f.befehl != 65, qPrintable(QString::number(f.befehl)));
        for (int i = 0; i < b.eeproms().size(); ++i) {
            QCOMPARE(b.eeproms()[i]->writeCycles(), 0);
            QVERIFY(b.eeproms()[i]->memory() == vorher[i]);
        }
    }

    void roundTripOfEachKind_data() {
        QTest::addColumn<int>("slave");
        QTest::addColumn<QString>("name");
        QTest::newRow("24C01 of the demo") << 81 << "24C01";
        QTest::newRow("24C02") << 82 << "24C02";
        QTest::newRow("24C16 (block bits)") << 88 << "24C16";
        QTest::newRow("24C64") << 83 << "24C64";
        QTest::newRow("24M02 (block bits)") << 84 << "24M02";
    }
    // Dump, verify, one byte changed, verify, restore, verify: each chip through its own
    // geometry, the neighbouring chips untouched.
    void roundTripOfEachKind() {
        QFETCH(int, slave);
        QFETCH(QString, name);
        Bench b;
        const EepromBaustein chip = *eeprom::baustein(name);
        sim::SerialEeprom* e = b.sim.eeprom(slave);
        const QByteArray original = e->memory();
        QCOMPARE(original.size(), chip.groesse);
        const QByteArray nachbar = b.sim.eeprom(slave == 81 ? 80 : 81)->memory();

        const QString datei = dump::DUMP_DATEINAME(b.t.ctx.DATEN_PFAD, slave, chip.groesse);
        const auto gelesen = laufen(
            new EepromReadout(b.t.link, slave, datei, b.t.ctx.locale, abbild::Format::Dump, chip));
        QCOMPARE(int(gelesen.ende), int(EepromReadout::Ende::Fertig));
        QCOMPARE(gelesen.zeilen, qint64(chip.groesse));
        QVERIFY(EepromReadout::meldung(gelesen, b.t.ctx.locale)
                    .endsWith(QStringLiteral("erfolgreich gespeichert\r\n\r\n%1 Byte")
                                  .arg(dump::gruppiert(chip.groesse, 1, b.t.ctx.locale))));
        QFile f(datei);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll() == dump::zeilen(0, original, b.t.ctx.locale));
        EepromAbbild bild(chip.groesse);
        QVERIFY(abbild::laden(datei, &bild, nullptr));
        QCOMPARE(gelesen.sha256, abbild::sha256(bild));

        const auto pruefen = [&] {
            return laufen(new EepromRestore(b.t.link, slave, bild, EepromRestore::Modus::Pruefen,
                                            16, b.t.ctx.locale, chip));
        };
        auto r = pruefen();
        QCOMPARE(int(r.ende), int(EepromRestore::Ende::Fertig));
        QCOMPARE(r.vergleich->anzahl, 0);
        QCOMPARE(r.vergleich->verglichen, chip.groesse);

        // The last byte of the chip: reached only through its last slave address.
        const int adresse = chip.groesse - 1;
        e->memory()[adresse] = char(~original.at(adresse));
        r = pruefen();
        QCOMPARE(r.vergleich->anzahl, 1);
        QCOMPARE(r.vergleich->erste.constFirst().adresse, adresse);

        const auto w =
            laufen(new EepromRestore(b.t.link, slave, bild, EepromRestore::Modus::Schreiben,
                                     chip.seite, b.t.ctx.locale, chip));
        QCOMPARE(int(w.ende), int(EepromRestore::Ende::Fertig));
        QCOMPARE(w.geschrieben, chip.groesse);
        QVERIFY(e->memory() == original);
        QCOMPARE(pruefen().vergleich->anzahl, 0);
        QVERIFY(b.sim.eeprom(slave == 81 ? 80 : 81)->memory() == nachbar);

        // The trace: every transfer at one of the chip's slave addresses, no read across the
        // end of a slave address's block, no page write across the end of a page.
        int innen = -1;
        for (const auto& f : b.t.frames.entries) {
            if (f.befehl != 60 && f.befehl != 65 && f.befehl != 80)
                continue;
            QVERIFY(f.slaveAdresse >= slave && f.slaveAdresse < slave + chip.slaveAnzahl());
            if (f.befehl == 60) {
                QCOMPARE(int(f.anzahlSenden), chip.adressBytes);
                innen = chip.adressBytes == 1 ? f.daten[0] : f.daten[0] * 256 + f.daten[1];
            } else if (f.befehl == 80) {
                QVERIFY2(innen + int(f.anzahlEmpfangen) <= chip.block(),
                         qPrintable(
                             QStringLiteral("read of %1 at %2").arg(f.anzahlEmpfangen).arg(innen)));
            } else {
                QVERIFY(innen % chip.seite + int(f.anzahlSenden) <= chip.seite);
            }
        }
    }

    // The erase in the chosen page size, never larger than the chip's; an eighth of the
    // frames in 128-byte pages as in 16-byte ones on a chip that takes them.
    void eraseInPagesOfTheChip() {
        Bench b;
        const EepromBaustein c02 = *eeprom::baustein(QStringLiteral("24C02"));
        auto* job = new EepromErase(b.t.link, 82, 0x5A, b.t.ctx.locale, 16, c02);
        QCOMPARE(job->seite(), 8);
        auto r = laufen(job);
        QCOMPARE(int(r.ende), int(EepromErase::Ende::Fertig));
        QCOMPARE(r.fehler, 0);
        QVERIFY(b.sim.eeprom(82)->memory() == QByteArray(256, 0x5A));
        QCOMPARE(b.sim.eeprom(82)->writeCycles(), 256 / 8);

        const EepromBaustein c16 = *eeprom::baustein(QStringLiteral("24C16"));
        r = laufen(new EepromErase(b.t.link, 88, 0, b.t.ctx.locale, 16, c16));
        QCOMPARE(int(r.ende), int(EepromErase::Ende::Fertig));
        QVERIFY(b.sim.eeprom(88)->memory() == QByteArray(2048, '\0'));

        const auto rahmen = [&](int slave, const char* name, int seite) {
            b.t.frames.entries.clear();
            const auto e = laufen(new EepromErase(b.t.link, slave, 1, b.t.ctx.locale, seite,
                                                  *eeprom::baustein(QLatin1String(name))));
            return e.ende == EepromErase::Ende::Fertig && e.fehler == 0 ? b.t.frames.entries.size()
                                                                        : -1;
        };
        QCOMPARE(rahmen(80, "24C512", 16), 65536 / 16 * 5);
        QCOMPARE(rahmen(80, "24C512", 128), 65536 / 128 * 5);
        QVERIFY(b.sim.eeprom(80)->memory() == QByteArray(65536, 1));
        QCOMPARE(rahmen(83, "24C64", 128) /* cut to the chip's 32 */, 8192 / 32 * 5);
    }

    // An image that reaches beyond the chip, by a single byte too, is refused before anything
    // is sent; one that ends at its last byte is written.
    void imageBeyondTheChip() {
        Bench b;
        const EepromBaustein c02 = *eeprom::baustein(QStringLiteral("24C02"));
        EepromAbbild gross(65536);
        gross.setzen(0, 1);
        gross.setzen(256, 2);
        const auto r = laufen(new EepromRestore(
            b.t.link, 82, gross, EepromRestore::Modus::Schreiben, 8, b.t.ctx.locale, c02));
        QCOMPARE(int(r.ende), int(EepromRestore::Ende::ZuGross));
        QCOMPARE(r.ausserhalb, 256);
        QVERIFY(b.t.frames.entries.isEmpty());
        QVERIFY(
            EepromRestore::meldung(r, QString(), b.t.ctx.locale).contains(QLatin1String("256")));
        QCOMPARE(b.sim.eeprom(82)->writeCycles(), 0);

        EepromAbbild passt(65536);
        passt.setzen(255, 7);
        const auto w = laufen(new EepromRestore(
            b.t.link, 82, passt, EepromRestore::Modus::Schreiben, 8, b.t.ctx.locale, c02));
        QCOMPARE(int(w.ende), int(EepromRestore::Ende::Fertig));
        QCOMPARE(b.sim.eeprom(82)->memory().at(255), char(7));
    }

    // Stopped in the third block of a 24M02, the restore releases the bus where it was.
    void cancelledInABlockOfTheChip() {
        Bench b;
        const EepromBaustein m02 = *eeprom::baustein(QStringLiteral("24M02"));
        EepromAbbild bild(m02.groesse);
        for (int a = 0x20000; a < 0x21000; ++a)
            bild.setzen(a, 0x33);
        auto* job = new EepromRestore(b.t.link, 84, bild, EepromRestore::Modus::Schreiben, 256,
                                      b.t.ctx.locale, m02);
        QObject::connect(&b.t.link, &Link::frameSent, job, [job] { job->cancel(); });
        const auto r = laufen(job);
        QCOMPARE(int(r.ende), int(EepromRestore::Ende::Abgebrochen));
        QCOMPARE(b.t.frames.entries.constLast().befehl, 100);
        QCOMPARE(b.t.frames.entries.constLast().slaveAdresse, 86);
    }

    // Images of the chips beyond 64 KiB: Intel HEX with a record 04 for each 64 KiB, no record
    // across one, and binary, both read back as they were written.
    void imagesBeyond64KiB() {
        const EepromBaustein m02 = *eeprom::baustein(QStringLiteral("24M02"));
        EepromAbbild bild(m02.groesse);
        const QByteArray muster = eepromszenario::muster(m02.groesse, 5);
        for (int a = 0xFFF8; a < 0x10010; ++a)
            bild.setzen(a, quint8(muster.at(a)));
        bild.setzen(m02.groesse - 1, 0x42);
        const QLocale de(QLocale::German);
        const QByteArray hex = abbild::inhalt(bild, abbild::Format::IntelHex, de);
        for (const char* segment : {":020000040001F9", ":020000040002F8", ":020000040003F7"})
            QVERIFY2(hex.contains(segment), segment);
        for (const QByteArray& z : hex.split('\n'))
            if (z.size() > 9 && z.mid(7, 2) == "00")
                QVERIFY2(z.mid(3, 4).toInt(nullptr, 16) + z.mid(1, 2).toInt(nullptr, 16) <= 0x10000,
                         z.constData());
        for (auto format : {abbild::Format::IntelHex, abbild::Format::Binaer}) {
            EepromAbbild zurueck(m02.groesse);
            abbild::Fehler f;
            QVERIFY2(abbild::lesen(abbild::inhalt(bild, format, de), format, &zurueck, &f),
                     qPrintable(f.text()));
            const QList<EepromAbbild::Bereich> ganz{{0, m02.groesse - 1}};
            QCOMPARE(zurueck.bereiche(),
                     format == abbild::Format::IntelHex ? bild.bereiche() : ganz);
            QCOMPARE(zurueck.bytes(0xFFF8, 24), bild.bytes(0xFFF8, 24));
            QCOMPARE(zurueck.wert(m02.groesse - 1), quint8(0x42));
        }
        QCOMPARE(dump::DUMP_DATEINAME(QStringLiteral("/d/"), 84, m02.groesse),
                 QStringLiteral("/d/EEPROM_262k_84.txt"));
        QCOMPARE(abbild::adressText(0x2FFFF), QStringLiteral("x2FFFF"));
        // A file larger than a small chip is refused, with the chip's size in the reason.
        EepromAbbild klein(128);
        abbild::Fehler f;
        QVERIFY(!abbild::lesen(QByteArray(129, 'x'), abbild::Format::Binaer, &klein, &f));
        QVERIFY2(f.text().contains(QLatin1String("128")), qPrintable(f.text()));
    }

    // Contents that cannot tell: nothing suggested. A write-protected chip with one address
    // byte refuses a second one as data and is still told.
    void cannotTellAndProtected() {
        Bench b;
        b.sim.eeprom(83)->memory().fill(char(0xFF));
        EepromErkennung e = EEPROM_ERKENNEN(b.t.link, 83);
        QCOMPARE(int(e.ergebnis), int(EepromErkennung::Ergebnis::Unklar));
        QVERIFY(e.vorschlaege.isEmpty());
        // A pattern that repeats every 16 bytes looks the same through either address phase.
        QByteArray& m = b.sim.eeprom(82)->memory();
        for (int a = 0; a < m.size(); ++a)
            m[a] = char(a % 16);
        QCOMPARE(int(EEPROM_ERKENNEN(b.t.link, 82).ergebnis),
                 int(EepromErkennung::Ergebnis::Unklar));

        b.sim.eeprom(81)->setWriteProtected(true);
        e = EEPROM_ERKENNEN(b.t.link, 81);
        QCOMPARE(int(e.ergebnis), int(EepromErkennung::Ergebnis::Erkannt));
        QCOMPARE(e.adressBytes, 1);
        QCOMPARE(e.groesse, 128);

        e = EEPROM_ERKENNEN(b.t.link, 99);
        QCOMPARE(int(e.ergebnis), int(EepromErkennung::Ergebnis::Stumm));
        b.sim.faults().silent = true;
        QCOMPARE(int(EEPROM_ERKENNEN(b.t.link, 80).ergebnis),
                 int(EepromErkennung::Ergebnis::Leitung));
    }

    // The simulator's block bits: one chip at eight addresses, a block each.
    void blockBitsInTheSimulator() {
        Bench b;
        sim::SerialEeprom* c16 = b.sim.eeprom(88);
        for (int a = 88; a < 96; ++a)
            QCOMPARE(b.sim.bus().devicesAt(a), QList<sim::TwiDevice*>{c16});
        QVERIFY(b.sim.bus().devicesAt(96).isEmpty());
        QCOMPARE(c16->kind(), QStringLiteral("24C16"));
        const auto json = b.sim.installation().scenario().toJson();
        QVERIFY(json.contains("\"chip\": \"24C16\""));
        const auto zurueck = sim::Scenario::fromJson(json);
        QVERIFY(zurueck);
        QCOMPARE(zurueck->devices.constLast().eeprom.blockBits, 3);
        QCOMPARE(zurueck->devices.constLast().contents.value(0).size(), 2048);

        for (const char* falsch :
             {R"({"devices":[{"type":"eeprom","address":80,"chip":"24C99"}]})",
              R"({"devices":[{"type":"eeprom","address":80,"chip":"24C16","size":256}]})",
              R"({"devices":[{"type":"eeprom","address":89,"chip":"24C16"}]})"}) {
            QString warum;
            QVERIFY2(!sim::Scenario::fromJson(falsch, &warum), falsch);
            QVERIFY2(warum.contains(QLatin1String("24C")) || warum.contains(QLatin1String("size")),
                     qPrintable(warum));
        }
    }
};

QTEST_GUILESS_MAIN(TestEepromChips)
#include "tst_eeprom_chips.moc"
