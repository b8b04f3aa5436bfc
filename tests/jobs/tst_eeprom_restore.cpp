// Writing an image into the EEPROM and verifying it, headless against the simulated
// installation: page writes that keep inside their page, acknowledge polling through the write
// cycle, the read-back twice, and the ends of a run that cannot finish.

#include "testcontext.h"

#include "files/eepromdump.h"
#include "jobs/eepromreadout.h"
#include "jobs/eepromrestore.h"
#include "sim/virtualinstallation.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace zelmar;
using Ende = EepromRestore::Ende;
using Modus = EepromRestore::Modus;

namespace {

struct Bench {
    TestContext t;
    std::unique_ptr<sim::VirtualInstallation> sim;
    QByteArray vorher;

    // The EEPROM at 80 with its page size and write cycle, every byte unlike its neighbours.
    explicit Bench(int seite = 128, qint64 zyklusUs = 5000) {
        sim::Scenario s = sim::Scenario::demo();
        for (sim::DeviceConfig& d : s.devices)
            if (d.type == sim::DeviceConfig::Type::Eeprom && d.eeprom.address == 80) {
                d.eeprom.pageSize = seite;
                d.eeprom.writeCycleUs = zyklusUs;
            }
        sim = std::make_unique<sim::VirtualInstallation>(t.port, s);
        QByteArray& m = speicher();
        for (int a = 0; a < m.size(); ++a)
            m[a] = char((a * 7 + a / 256) & 0xFF);
        vorher = m;
    }
    QByteArray& speicher() { return sim->eeprom(80)->memory(); }
    template <typename J> J* run(J* job) {
        job->setAutoDelete(false);
        QSignalSpy ended(job, &Job::ended);
        job->start();
        [&] { QVERIFY(ended.wait(120000)); }();
        return job;
    }
    EepromRestore* restore(const EepromAbbild& a, Modus m, int seite = 16) {
        return run(new EepromRestore(t.link, 80, a, m, seite, t.ctx.locale));
    }
    QByteArray auslesen() {
        const QString datei = dump::DUMP_DATEINAME(t.ctx.DATEN_PFAD, 80);
        run(new EepromReadout(t.link, 80, datei, t.ctx.locale));
        return fileBytes(datei);
    }
    void atFrame(int count, std::function<void()> action) {
        auto seen = std::make_shared<int>(0);
        QObject::connect(&t.link, &Link::frameSent, &t.link, [=] {
            if (++*seen == count)
                action();
        });
    }
    // `action` once the n-th frame of command `befehl` has gone out.
    void atCommand(int befehl, int n, std::function<void()> action) {
        auto seen = std::make_shared<int>(0);
        QObject::connect(&t.link, &Link::frameSent, &t.link, [=] {
            if (t.frames.entries.constLast().befehl == befehl && ++*seen == n)
                action();
        });
    }
    QList<int> befehle() const {
        QList<int> b;
        for (const auto& f : t.frames.entries)
            b << f.befehl;
        return b;
    }
    // The pages written: address of the 60 before each 65, and the 65's count.
    QList<std::pair<int, int>> seiten() const {
        QList<std::pair<int, int>> out;
        const auto& f = t.frames.entries;
        for (int i = 1; i < f.size(); ++i)
            if (f[i].befehl == 65)
                out.append({f[i - 1].daten[0] * 256 + f[i - 1].daten[1], int(f[i].anzahlSenden)});
        return out;
    }
};

EepromAbbild bereich(const QByteArray& quelle, int von, int bis) {
    EepromAbbild a;
    for (int x = von; x <= bis; ++x)
        a.setzen(x, quint8(quelle.at(x)));
    return a;
}

} // namespace

class TestEepromRestore : public QObject {
    Q_OBJECT

private slots:
    // The dump of a read-out, written back in each page size, reads out byte for byte as it
    // was; no page write leaves its page.
    void restoreThenReadOutGivesTheDumpBack_data() {
        QTest::addColumn<int>("seite");
        for (int s : EepromRestore::seitenGroessen())
            QTest::newRow(qPrintable(QString::number(s))) << s;
    }
    void restoreThenReadOutGivesTheDumpBack() {
        QFETCH(int, seite);
        Bench b;
        const QByteArray dumpText = b.auslesen();
        EepromAbbild abbild;
        abbild::Fehler fehler;
        QVERIFY(abbild::lesen(dumpText, abbild::Format::Dump, &abbild, &fehler));
        b.speicher().fill(char(0));
        b.t.frames.entries.clear();

        auto* job = b.restore(abbild, Modus::Schreiben, seite);
        const auto& r = job->result();
        QCOMPARE(r.ende, Ende::Fertig);
        QCOMPARE(r.fehler, 0);
        QCOMPARE(r.geschrieben, 65536);
        QVERIFY(r.vergleich && r.vergleich->gleich());
        QCOMPARE(r.vergleich->verglichen, 65536);
        QVERIFY(EepromRestore::meldung(r, "K", b.t.ctx.locale).endsWith("\r\n0 Unterschiede"));
        QCOMPARE(b.speicher(), b.vorher);
        const auto seiten = b.seiten();
        QCOMPARE(seiten.size(), 65536 / seite);
        for (const auto& [adresse, anzahl] : seiten)
            QVERIFY(adresse % seite == 0 && anzahl == seite);
        // Then the read-back, as the read-out reads: 66 blocks, each twice.
        // The read-back twice, and the first page once at once.
        QCOMPARE(b.befehle().count(80), 66 * 2 + 1);

        QCOMPARE(b.auslesen(), dumpText);
    }

    // Runs that start or end inside a page are cut at its boundary; a chip with 16-byte pages
    // would wrap a longer write around inside its page, and the read-back says so.
    void pagesAreCutAtTheirBoundary() {
        Bench b(16);
        QByteArray neu(65536, '\0');
        for (int a = 0; a < neu.size(); ++a)
            neu[a] = char(0xFF - (a & 0xFF));
        EepromAbbild abbild = bereich(neu, 0x105, 0x12C);
        for (int a = 0x1FE; a <= 0x201; ++a)
            abbild.setzen(a, quint8(neu.at(a)));

        auto* job = b.restore(abbild, Modus::Schreiben, 16);
        QCOMPARE(job->result().ende, Ende::Fertig);
        QVERIFY(job->result().vergleich->gleich());
        QCOMPARE(b.seiten(), (QList<std::pair<int, int>>{
                                 {0x105, 11}, {0x110, 16}, {0x120, 13}, {0x1FE, 2}, {0x200, 2}}));
        QByteArray erwartet = b.vorher;
        erwartet.replace(0x105, 40, neu.mid(0x105, 40));
        erwartet.replace(0x1FE, 4, neu.mid(0x1FE, 4));
        QCOMPARE(b.speicher(), erwartet);

        // 128-byte pages into this chip: the first write wraps, and the run ends right there.
        b.speicher() = b.vorher;
        auto* falsch = b.restore(bereich(neu, 0x100, 0x17F), Modus::Schreiben, 128);
        QCOMPARE(falsch->result().ende, Ende::NichtGehalten);
        QVERIFY(EepromRestore::meldung(falsch->result(), "K", b.t.ctx.locale)
                    .contains("Seite größer als die des EEPROMs?"));
    }

    // A write cycle longer than the next address frame: that frame is repeated until the chip
    // acknowledges, and nothing counts as failed. A chip that never does again ends the run
    // once the time limit has passed, saying what was not written.
    void theWriteCycleIsWaitedOutByPolling() {
        Bench b(128, 20000);
        const EepromAbbild abbild = bereich(QByteArray(256, char(0x3C)), 0, 255);
        auto* job = b.restore(abbild, Modus::Schreiben, 16);
        QCOMPARE(job->result().ende, Ende::Fertig);
        QCOMPARE(job->result().fehler, 0);
        QVERIFY(job->result().vergleich->gleich());
        QVERIFY2(job->result().polls >= 16, qPrintable(QString::number(job->result().polls)));
        QCOMPARE(b.speicher().left(257), QByteArray(256, char(0x3C)) + b.vorher.mid(256, 1));
        QCOMPARE(b.befehle().count(), 16 * 3 + job->result().polls + 2 * 2 + 2);

        // Offline after three pages: the polls cover the time limit, then STOP.
        Bench c;
        c.atCommand(100, 3, [&] { c.sim->setDeviceOnline(80, false); });
        auto* weg = c.restore(abbild, Modus::Schreiben, 16);
        QCOMPARE(weg->result().ende, Ende::AdresseFehlt);
        QCOMPARE(weg->result().geschrieben, 48);
        const QList<int> alle = c.befehle();
        int dritterStop = -1;
        for (int k = 0, n = 0; k < alle.size() && dritterStop < 0; ++k)
            if (alle[k] == 100 && ++n == 3)
                dritterStop = k;
        const QList<int> danach = alle.mid(dritterStop + 1);
        const int polls = danach.size() - 1;
        QCOMPARE(danach, QList<int>(polls, 60) << 100);
        const double pollSekunden = 14 * 10 / 19200.0;
        const double grenze = EepromRestore::SCHREIBZYKLUS_MS / 1000.0;
        QVERIFY(polls * pollSekunden >= grenze && (polls - 2) * pollSekunden < grenze);
        QCOMPARE(EepromRestore::meldung(weg->result(), "K", c.t.ctx.locale),
                 QStringLiteral("FEHLER EEPROM - SLAVE-Adresse koorekt? Aktion wird abgebrochen!"
                                "\r\n\r\n48 Byte geschrieben, NICHT geschrieben: 208 Byte\r\n"
                                "x0030 … x00FF (208 Byte)\r\n"
                                "geschrieben, aber NICHT geprüft: 48 Byte\r\n"
                                "x0000 … x002F (48 Byte)"));
    }

    // Write protection: the data bytes are not acknowledged, every page fails; the 21st
    // failure ends the run, and nothing of the image is in the chip.
    void aWriteProtectedChipEndsWithTheErrorRule() {
        Bench b;
        b.sim->eeprom(80)->setWriteProtected(true);
        auto* job = b.restore(bereich(QByteArray(65536, 'Z'), 0, 65535), Modus::Schreiben);
        const auto& r = job->result();
        QCOMPARE(r.ende, Ende::ZuVieleFehler);
        QCOMPARE(r.fehler, 21);
        QCOMPARE(r.geschrieben, 0);
        QCOMPARE(b.befehle().size(), 21 * 3 + 1);
        QCOMPARE(b.befehle().last(), 100);
        QCOMPARE(b.speicher(), b.vorher);
        QCOMPARE(EepromRestore::meldung(r, "K", b.t.ctx.locale),
                 QStringLiteral("zu viele üertragungsfehler \r\n\r\nAktion abgebrochen\r\n\r\n"
                                "0 Byte geschrieben, NICHT geschrieben: 65.536 Byte\r\n"
                                "x0000 … xFFFF (65.536 Byte)"));
    }

    // A chip that acknowledges the data and keeps its old bytes (write protection of that
    // kind): the first page is read back at once and the run ends there, nothing more sent.
    void aChipThatKeepsItsBytesStopsAfterTheFirstPage() {
        Bench b;
        for (int a = 0; a < 65536; ++a)
            b.sim->eeprom(80)->setStuck(a, true);
        auto* job = b.restore(bereich(QByteArray(65536, 'Z'), 0, 65535), Modus::Schreiben);
        const auto& r = job->result();
        QCOMPARE(r.ende, Ende::NichtGehalten);
        QCOMPARE(r.geschrieben, 0);
        QVERIFY2(b.befehle().size() <= 8, qPrintable(QString::number(b.befehle().size())));
        QCOMPARE(b.befehle().count(65), 1);
        QCOMPARE(b.speicher(), b.vorher);
        QCOMPARE(r.nichtGeschrieben,
                 (QList<EepromAbbild::Bereich>{EepromAbbild::Bereich{0, 65535}}));
        QVERIFY(r.nichtGeprueft.isEmpty());
        QVERIFY(EepromRestore::meldung(r, "K", b.t.ctx.locale)
                    .startsWith("FEHLER: das EEPROM hat die erste Seite quittiert"));
    }

    // Verify only reads: one byte changed at the very end is found; with lost reply bytes the
    // blocks are read again and the result is the same.
    void verifyFindsOneChangedByte() {
        Bench b;
        const EepromAbbild soll = bereich(b.vorher, 0, 65535);
        b.speicher()[65535] = char(quint8(b.vorher.at(65535)) ^ 0x81);
        b.sim->faults().dropEvery = 9973;
        auto* job = b.restore(soll, Modus::Pruefen);
        const auto& r = job->result();
        QCOMPARE(r.ende, Ende::Fertig);
        QVERIFY(r.fehler > 0 && r.fehler <= 20);
        QCOMPARE(r.vergleich->anzahl, 1);
        QCOMPARE(r.vergleich->erste.first().adresse, 65535);
        QCOMPARE(int(*r.vergleich->erste.first().soll), int(quint8(b.vorher.at(65535))));
        QCOMPARE(int(*r.vergleich->erste.first().ist), int(quint8(b.speicher().at(65535))));
        QVERIFY(EepromRestore::meldung(r, "K", b.t.ctx.locale).endsWith("1 Unterschied"));
        const QList<int> befehle = b.befehle();
        QCOMPARE(QSet<int>(befehle.begin(), befehle.end()), (QSet<int>{60, 80}));

        b.sim->faults().dropEvery = 0;
        b.speicher()[65535] = b.vorher.at(65535);
        auto* gleich = b.restore(soll, Modus::Pruefen);
        QVERIFY(EepromRestore::meldung(gleich->result(), "K", b.t.ctx.locale)
                    .endsWith("\r\n65.536 Byte verglichen\r\n0 Unterschiede"));
    }

    // The line goes (an adapter pulled out) while pages are written, or while they are read
    // back: what was not written and what was written but not verified are listed.
    void aRunCutShortByTheLine_data() {
        QTest::addColumn<int>("frame"); // the port closes once this frame has gone out
        QTest::addColumn<int>("geschrieben");
        QTest::addColumn<QList<EepromAbbild::Bereich>>("nichtGeschrieben");
        QTest::addColumn<QList<EepromAbbild::Bereich>>("nichtGeprueft");
        QTest::addColumn<QString>("bericht");
        // 100..299 in 13 pages of three frames each, then one block read twice.
        // After the first page, its read-back: an address frame and a read.
        QTest::newRow("third page")
            << 3 * 2 + 2 + 1 << 28 << QList<EepromAbbild::Bereich>{{128, 299}}
            << QList<EepromAbbild::Bereich>{{100, 127}}
            << "Der Rahmen wurde nicht gesendet\r\n\r\n"
               "28 Byte geschrieben, NICHT geschrieben: 172 Byte\r\n"
               "x0080 … x012B (172 Byte)\r\n"
               "geschrieben, aber NICHT geprüft: 28 Byte\r\n"
               "x0064 … x007F (28 Byte)";
        QTest::newRow("read-back") << 13 * 3 + 2 + 2 << 200 << QList<EepromAbbild::Bereich>{}
                                   << QList<EepromAbbild::Bereich>{{100, 299}}
                                   << "Der Rahmen wurde nicht gesendet\r\n\r\n"
                                      "200 Byte geschrieben\r\n"
                                      "geschrieben, aber NICHT geprüft: 200 Byte\r\n"
                                      "x0064 … x012B (200 Byte)";
    }
    void aRunCutShortByTheLine() {
        QFETCH(int, frame);
        QFETCH(int, geschrieben);
        QFETCH(QList<EepromAbbild::Bereich>, nichtGeschrieben);
        QFETCH(QList<EepromAbbild::Bereich>, nichtGeprueft);
        QFETCH(QString, bericht);
        Bench b(16, 0);
        b.atFrame(frame, [&] {
            b.t.port.setOpenable(false);
            b.t.port.close();
        });
        auto* job = b.restore(bereich(QByteArray(65536, 'L'), 100, 299), Modus::Schreiben);
        const auto& r = job->result();
        QCOMPARE(r.ende, Ende::Abgewiesen);
        QCOMPARE(r.geschrieben, geschrieben);
        QCOMPARE(r.nichtGeschrieben, nichtGeschrieben);
        QCOMPARE(r.nichtGeprueft, nichtGeprueft);
        QCOMPARE(EepromRestore::meldung(r, "K", b.t.ctx.locale), bericht);
    }

    // Cancelled between pages: a STOP, and the rest of the image is reported as not written.
    void aCancelledRestore() {
        Bench b;
        EepromRestore* job = new EepromRestore(b.t.link, 80, bereich(QByteArray(65536, 'Q'), 0, 99),
                                               Modus::Schreiben, 16, b.t.ctx.locale);
        b.atCommand(65, 3, [job] { job->cancel(); });
        b.run(job);
        QCOMPARE(job->result().ende, Ende::Abgebrochen);
        QCOMPARE(job->result().geschrieben, 48);
        QCOMPARE(job->result().nichtGeschrieben, (QList<EepromAbbild::Bereich>{{48, 99}}));
        // Three pages (the first read back at once, after polls for its write cycle), STOP.
        const QList<int> f = b.befehle();
        QCOMPARE(f.count(65), 3);
        QCOMPARE(f.count(80), 1);
        QCOMPARE(f.mid(f.size() - 4), (QList<int>{60, 65, 100, 100}));
        QCOMPARE(b.speicher().mid(47, 2), QByteArray("Q") + b.vorher.mid(48, 1));
    }
};

QTEST_GUILESS_MAIN(TestEepromRestore)
#include "tst_eeprom_restore.moc"
