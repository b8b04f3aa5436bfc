// The EEPROM read-out and erase on their own, without a window, against the simulated
// installation; and the pieces they are made of (address split, hex texts, dump lines).

#include "testcontext.h"

#include "files/eepromdump.h"
#include "jobs/eepromerase.h"
#include "jobs/eepromreadout.h"
#include "link/memory.h"
#include "sim/virtualinstallation.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace zelmar;

namespace {

using Ende = EepromReadout::Ende;

struct Bench {
    TestContext t;
    sim::VirtualInstallation sim{t.port};
    QString datei = dump::DUMP_DATEINAME(t.ctx.DATEN_PFAD, 80);

    Bench() {
        // Every byte different from its neighbours, markers and line ends included.
        QByteArray& m = sim.eeprom(80)->memory();
        for (int a = 0; a < m.size(); ++a)
            m[a] = char((a * 7 + a / 256) & 0xFF);
    }
    template <typename J> void run(J* job) {
        job->setAutoDelete(false);
        QSignalSpy ended(job, &Job::ended);
        job->start();
        QVERIFY(ended.wait(120000));
    }
    EepromReadout* auslesen() { return new EepromReadout(t.link, 80, datei, t.ctx.locale); }
    // `action` runs as soon as the `count`-th frame has gone out, before its reply is read.
    void atFrame(int count, std::function<void()> action) {
        auto seen = std::make_shared<int>(0);
        QObject::connect(&t.link, &Link::frameSent, &t.link, [=] {
            if (++*seen == count)
                action();
        });
    }
    // The dump as it must read: German address pattern, value, blank, CR LF.
    static QByteArray erwartet(const QByteArray& memory) {
        QByteArray out;
        for (int a = 0; a < memory.size(); ++a)
            out += QStringLiteral("%1.%2===> %3 \r\n")
                       .arg(a / 1000, 2, 10, QLatin1Char('0'))
                       .arg(a % 1000, 3, 10, QLatin1Char('0'))
                       .arg(quint8(memory.at(a)))
                       .toLatin1();
        return out;
    }
    QList<int> befehle() const {
        QList<int> l;
        for (const auto& f : t.frames.entries)
            l << f.befehl;
        return l;
    }
    QStringList dateien() const {
        return QDir(t.ctx.DATEN_PFAD).entryList(QDir::Files | QDir::Hidden);
    }
};

} // namespace

class TestEepromJobs : public QObject {
    Q_OBJECT

private slots:
    void addressSplitAndHexTexts_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("hex2");
        QTest::addColumn<QString>("hex4");
        QTest::addColumn<bool>("teilbar");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::newRow("0") << 0 << "x00"
                           << "x0000" << true << 0 << 0;
        QTest::newRow("10") << 10 << "x0A"
                            << "x000A" << true << 0 << 10;
        QTest::newRow("150") << 150 << "x96"
                             << "x0096" << true << 0 << 150;
        QTest::newRow("255") << 255 << "xFF"
                             << "x00FF" << true << 0 << 255;
        QTest::newRow("256") << 256 << ""
                             << "x0100" << true << 1 << 0;
        QTest::newRow("65535") << 65535 << ""
                               << "xFFFF" << true << 255 << 255;
        QTest::newRow("65536") << 65536 << ""
                               << "" << false << 7 << 9;
        QTest::newRow("-1") << -1 << ""
                            << "" << false << 7 << 9;
    }
    void addressSplitAndHexTexts() {
        QFETCH(int, n);
        QFETCH(QString, hex2);
        QFETCH(QString, hex4);
        QFETCH(bool, teilbar);
        QFETCH(int, high);
        QFETCH(int, low);
        QCOMPARE(HEX_2(n), hex2);
        QCOMPARE(HEX_4(n), hex4);
        quint8 h = 7, l = 9; // an address that does not fit leaves both as they were
        QCOMPARE(ADRESSE_TEILEN(n, h, l), teilbar);
        QCOMPARE(int(h), high);
        QCOMPARE(int(l), low);
    }

    // The bytes of a block read land in EMPFANGSPUFFER 1..n, a single byte too.
    void blockReadsOfAnyLength() {
        Bench b;
        const QByteArray& m = b.sim.eeprom(80)->memory();
        for (int n : {1, 2, 150}) {
            QVERIFY(EEPROM_ADRESSE_SETZEN(b.t.link, 80, 300) == SpeicherAntwort::Ok);
            const SpeicherAntwort a = EEPROM_BLOCK_LESEN(b.t.link, 80, n);
            QVERIFY(a == SpeicherAntwort::Ok);
            QCOMPARE(a.antwort.bytes, m.mid(300, n));
            const QByteArray angezeigt(
                reinterpret_cast<const char*>(b.t.link.EMPFANGSPUFFER.data() + 1), n);
            QCOMPARE(angezeigt, m.mid(300, n));
        }
    }

    void fillValueAnswers() {
        const QList<std::pair<QString, int>> faelle = {
            {"255", 255}, {"0", 0},    {" 7 ", 7},  {"", -1},    {"256", -1},
            {"-1", -1},   {"x0A", -1}, {"1,5", -1}, {"abc", -1}, {"0255", -1}};
        for (const auto& [antwort, wert] : faelle) {
            const auto w = EepromErase::LOESCH_WERT(antwort);
            QVERIFY2(w.has_value() == (wert >= 0), qPrintable(antwort));
            if (w)
                QCOMPARE(int(*w), wert);
        }
    }

    void dumpLinesAndReports() {
        const QLocale de(QLocale::German);
        QCOMPARE(dump::zeilen(17, QByteArray(1, char(255)), de), QByteArray("00.017===> 255 \r\n"));
        QCOMPARE(dump::zeilen(65535, QByteArray(1, char(0)), de), QByteArray("65.535===> 0 \r\n"));
        QCOMPARE(dump::zeilen(1234, QByteArray(1, char(9)), QLocale(QLocale::English)),
                 QByteArray("01,234===> 9 \r\n"));
        QCOMPARE(dump::DUMP_DATEINAME("/d/DATEN/", 80),
                 QStringLiteral("/d/DATEN/EEPROM_65k_80.txt"));
        QCOMPARE(dump::pruefBericht("F", 65536, de),
                 QStringLiteral("F\r\n\r\nerfolgreich gespeichert\r\n\r\n65.536 Byte"));
        QCOMPARE(dump::pruefBericht("F", 500, de),
                 QStringLiteral("FEHLER\r\n\r\nEEPROM unvollständig ausgelesen\r\n\r\n0.500 Byte"));

        ProgramDir d;
        putFile(d.file("a"), "1\r\n2\r\n3"); // a last line without its end counts
        QCOMPARE(dump::zeilenZaehlen(d.file("a")), qint64(3));
        putFile(d.file("b"), "1\n\n2\r\n");
        QCOMPARE(dump::zeilenZaehlen(d.file("b")), qint64(3));
        QCOMPARE(dump::zeilenZaehlen(d.file("missing")), qint64(0));
    }

    // Two address bytes, 66 blocks read twice, the last one 536 bytes from 65000; the file is
    // the EEPROM byte for byte.
    void readoutDumpsTheWholeEeprom() {
        Bench b;
        b.t.link.SLAVE_ADRESSE = 33;
        auto* job = b.auslesen();
        QSignalSpy progress(job, &Job::progress);
        QSignalSpy status(job, &EepromReadout::status);
        b.run(job);
        const auto& r = job->result();
        QCOMPARE(r.ende, Ende::Fertig);
        QCOMPARE(r.fehler, 0);
        QCOMPARE(r.zeilen, qint64(65536));
        QCOMPARE(fileBytes(b.datei), Bench::erwartet(b.sim.eeprom(80)->memory()));
        QVERIFY(EepromReadout::meldung(r, b.t.ctx.locale).contains("65.536 Byte"));
        QCOMPARE(b.dateien(), QStringList{"EEPROM_65k_80.txt"});

        const auto& f = b.t.frames.entries;
        QCOMPARE(f.size(), 66 * 4);
        for (int i = 0; i < f.size(); ++i) {
            QCOMPARE(f[i].slaveAdresse, 80);
            QCOMPARE(f[i].befehl, i % 2 ? 80 : 60);
        }
        QCOMPARE(f[4 * 65].anzahlSenden, 2.0);
        QCOMPARE(f[4 * 65].daten[0] * 256 + f[4 * 65].daten[1], 65000);
        QCOMPARE(f.last().anzahlEmpfangen, 536.0);
        QCOMPARE(progress.last().first().toInt(), 65536);
        QCOMPARE(status.at(12).first().toString(), QStringLiteral("12k von 65k  (0)"));
        QCOMPARE(b.t.link.SLAVE_ADRESSE, quint8(33));
        QVERIFY(b.t.prompter.shown.isEmpty());
    }

    // Lost reply bytes and two reads that differ make blocks fail; they are read again and the
    // dump stays exact. When every block fails, the 21st failure ends the run and the earlier
    // dump stays.
    void readoutRetriesBadBlocks() {
        Bench b;
        b.sim.faults().dropEvery = 9973;
        b.run(b.auslesen());
        auto* job = b.t.link.findChild<EepromReadout*>();
        QCOMPARE(job->result().ende, Ende::Fertig);
        QVERIFY2(job->result().fehler >= 5 && job->result().fehler <= 20,
                 qPrintable(QString::number(job->result().fehler)));
        const QByteArray gut = Bench::erwartet(b.sim.eeprom(80)->memory());
        QCOMPARE(fileBytes(b.datei), gut);

        // Every try of a block loses its last reply byte.
        Bench c;
        putFile(c.datei, "alt\r\n");
        c.sim.faults().dropEvery = 2 * (2 + 1000 + 2);
        auto* zuviele = c.auslesen();
        c.run(zuviele);
        QCOMPARE(zuviele->result().ende, Ende::ZuVieleFehler);
        QCOMPARE(zuviele->result().fehler, 21);
        QCOMPARE(zuviele->result().bytes, 0);
        QCOMPARE(c.t.frames.entries.size(), 21 * 4);
        QCOMPARE(EepromReadout::meldung(zuviele->result(), c.t.ctx.locale),
                 QStringLiteral("zu viele üertragungsfehler \r\n\r\nAktion abgebrochen"));
        QCOMPARE(fileBytes(c.datei), QByteArray("alt\r\n"));
        QCOMPARE(c.dateien(), QStringList{"EEPROM_65k_80.txt"});

        // A byte that changes between the two reads of its block: the block is read again and
        // the dump holds the byte as it now stands, not the first read's.
        Bench d;
        d.atFrame(2, [&d] { d.sim.eeprom(80)->memory()[500] ^= char(0xFF); });
        auto* anders = d.auslesen();
        d.run(anders);
        QCOMPARE(anders->result().ende, Ende::Fertig);
        QCOMPARE(anders->result().fehler, 1);
        QCOMPARE(fileBytes(d.datei), Bench::erwartet(d.sim.eeprom(80)->memory()));
    }

    // An EEPROM that stops answering its reads: the filler it did not send is never stored.
    // Once it does not take its address either, the run ends with a STOP and no new file.
    void readoutWithTheEepromGoingOffline() {
        Bench b;
        int aus = 3;
        QObject::connect(&b.t.link, &Link::frameSent, [&](const QByteArray& frame) {
            const bool adressFrame = quint8(frame.at(1)) == 60;
            const bool block5 = adressFrame && quint8(frame.at(9)) == 5000 / 256;
            if (adressFrame && block5 && aus > 0)
                b.sim.setDeviceOnline(80, false), --aus;
            else if (!adressFrame)
                b.sim.setDeviceOnline(80, true);
        });
        b.run(b.auslesen());
        auto* job = b.t.link.findChild<EepromReadout*>();
        QCOMPARE(job->result().ende, Ende::Fertig);
        QCOMPARE(job->result().fehler, 3);
        QCOMPARE(fileBytes(b.datei), Bench::erwartet(b.sim.eeprom(80)->memory()));
        QFile::remove(b.datei);
        QObject::disconnect(&b.t.link, &Link::frameSent, nullptr, nullptr);

        // An address phase not acknowledged once, as when its status byte is garbled on the
        // line: a failed block, and the run goes on.
        b.t.frames.entries.clear();
        b.atFrame(4 * 7, [&] { b.sim.setDeviceOnline(80, false); });
        b.atFrame(4 * 7 + 1, [&] { b.sim.setDeviceOnline(80, true); });
        auto* einmal = b.auslesen();
        b.run(einmal);
        QCOMPARE(einmal->result().ende, Ende::Fertig);
        QCOMPARE(einmal->result().fehler, 1);
        QCOMPARE(b.t.frames.entries.size(), 66 * 4 + 2);
        QCOMPARE(fileBytes(b.datei), Bench::erwartet(b.sim.eeprom(80)->memory()));
        QFile::remove(b.datei);
        QObject::disconnect(&b.t.link, &Link::frameSent, nullptr, nullptr);

        // Not acknowledged twice running, each time followed by a STOP: the EEPROM is gone.
        b.t.frames.entries.clear();
        b.atFrame(4 * 7 + 2, [&] { b.sim.setDeviceOnline(80, false); });
        auto* weg = b.auslesen();
        b.run(weg);
        QCOMPARE(weg->result().ende, Ende::AdresseFehlt);
        QCOMPARE(weg->result().bytes, 7000);
        QCOMPARE(weg->result().position, 7000);
        QVERIFY(!weg->result().leitung);
        QCOMPARE(b.befehle().mid(4 * 7 + 2), (QList<int>{60, 100, 60, 100}));
        QVERIFY(b.dateien().isEmpty());
        QCOMPARE(EepromReadout::meldung(weg->result(), b.t.ctx.locale),
                 QStringLiteral("FEHLER EEPROM - SLAVE-Adresse koorekt? Aktion wird abgebrochen!"));
    }

    // A reply byte lost in an address phase says nothing about the EEPROM: the block counts as
    // failed and is read again. An interface gone silent fails every try, until the 21st.
    void readoutOfALossyOrSilentLine() {
        Bench b;
        b.sim.faults().dropEvery = 2 + 1002 + 1; // the first status byte of the second address
        b.atFrame(4, [&] { b.sim.faults().dropEvery = 0; });
        b.run(b.auslesen());
        auto* job = b.t.link.findChild<EepromReadout*>();
        QCOMPARE(job->result().ende, Ende::Fertig);
        QCOMPARE(job->result().fehler, 1);
        QCOMPARE(b.t.frames.entries.size(), 3 + 66 * 4);
        QCOMPARE(fileBytes(b.datei), Bench::erwartet(b.sim.eeprom(80)->memory()));

        Bench c;
        c.atFrame(4 + 1, [&] { c.sim.faults().silent = true; });
        auto* stumm = c.auslesen();
        c.run(stumm);
        QCOMPARE(stumm->result().ende, Ende::ZuVieleFehler);
        QCOMPARE(stumm->result().fehler, 21);
        QCOMPARE(stumm->result().bytes, 1000);
        QVERIFY(c.dateien().isEmpty());
        // The line failed, not the EEPROM, and where.
        QVERIFY(stumm->result().leitung);
        QCOMPARE(stumm->result().statusCode, qint16(STATUS_KEINE_DATEN));
        QCOMPARE(stumm->result().position, 1000);
    }

    // A cancel during a block lets the block finish; then STOP, and nothing under the dump's
    // name. Refused frames and an unwritable file end a run before anything is stored.
    void readoutEndsEarly() {
        Bench b;
        putFile(b.datei, "alt\r\n");
        auto* job = b.auslesen();
        b.atFrame(4 * 2 + 2, [job] { job->cancel(); });
        b.run(job);
        QCOMPARE(job->result().ende, Ende::Abgebrochen);
        QCOMPARE(job->result().bytes, 3000);
        QCOMPARE(b.t.frames.entries.size(), 4 * 3 + 1);
        QCOMPARE(b.t.frames.entries.last().befehl, 100);
        QCOMPARE(fileBytes(b.datei), QByteArray("alt\r\n"));
        QCOMPARE(b.dateien().size(), 1);

        b.t.frames.entries.clear();
        auto* nirgends =
            new EepromReadout(b.t.link, 80, b.t.ctx.DATEN_PFAD + "fehlt/x.txt", b.t.ctx.locale);
        b.run(nirgends);
        QCOMPARE(nirgends->result().ende, Ende::DateiFehler);
        QVERIFY(b.t.frames.entries.isEmpty());
        QVERIFY(EepromReadout::meldung(nirgends->result(), b.t.ctx.locale).contains("fehlt/x.txt"));

        b.t.port.close();
        b.t.port.setOpenable(false);
        auto* zu = b.auslesen();
        b.run(zu);
        QCOMPARE(zu->result().ende, Ende::Abgewiesen);
        QCOMPARE(b.t.frames.entries.size(), 1);
        QCOMPARE(b.t.prompter.messages().size(), 1); // the link's own, once
        QVERIFY(EepromReadout::meldung(zu->result(), b.t.ctx.locale).isEmpty());
        QCOMPARE(fileBytes(b.datei), QByteArray("alt\r\n"));
    }

    // Fill value 0 in 4096 pages of 16, each read back; a read-out then finds only zeros,
    // the last line at 65.535.
    void eraseFillsEveryPage() {
        Bench b;
        auto* job = new EepromErase(b.t.link, 80, 0, b.t.ctx.locale);
        QSignalSpy status(job, &EepromErase::status);
        b.run(job);
        QCOMPARE(job->result().ende, EepromErase::Ende::Fertig);
        QCOMPARE(job->result().fehler, 0);
        QCOMPARE(b.sim.eeprom(80)->memory(), QByteArray(65536, '\0'));
        QCOMPARE(b.sim.eeprom(80)->writeCycles(), 4096);
        const auto& f = b.t.frames.entries;
        QCOMPARE(f.size(), 4096 * 5);
        const QList<int> seite = {60, 65, 100, 60, 80};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(f[f.size() - 5 + i].befehl, seite[i]);
        QCOMPARE(f[f.size() - 5].daten[0] * 256 + f[f.size() - 5].daten[1], 65520);
        QCOMPARE(f[f.size() - 4].anzahlSenden, 16.0);
        QCOMPARE(status.at(1).first().toString(), QStringLiteral("löschen 0,016k von 65k  (0)"));
        QCOMPARE(status.last().first().toString(), QStringLiteral("löschen 65,52k von 65k  (0)"));
        QVERIFY(EepromErase::meldung(job->result()).isEmpty());

        b.run(b.auslesen());
        const QByteArray text = fileBytes(b.datei);
        QCOMPARE(text.count("===> 0 \r\n"), 65536);
        QVERIFY(text.endsWith("65.535===> 0 \r\n"));
    }

    // A page that will not take the fill value fails every try, whether its write is refused
    // (write protection) or acknowledged and one cell keeps its byte (the page's last): 20
    // retries, then STOP and the message. A cancel ends an erase after its page with a STOP.
    void eraseThatCannotWrite() {
        Bench b;
        const QByteArray vorher = b.sim.eeprom(80)->memory();
        for (const bool geschuetzt : {true, false}) {
            b.t.frames.entries.clear();
            b.sim.eeprom(80)->setWriteProtected(geschuetzt);
            b.sim.eeprom(80)->setStuck(15, !geschuetzt);
            auto* job = new EepromErase(b.t.link, 80, 0, b.t.ctx.locale);
            b.run(job);
            QCOMPARE(job->result().ende, EepromErase::Ende::ZuVieleFehler);
            QCOMPARE(job->result().fehler, 21);
            QCOMPARE(job->result().bytes, 0);
            // Address and write, or the whole page with its read-back, each try; STOP last.
            QCOMPARE(b.t.frames.entries.size(), 21 * (geschuetzt ? 3 : 5) + 1);
            QCOMPARE(b.t.frames.entries.last().befehl, 100);
            QCOMPARE(EepromErase::meldung(job->result()),
                     QStringLiteral("zu viele üertragungsfehler \r\n\r\nAktion abgebrochen"));
        }
        QCOMPARE(b.sim.eeprom(80)->memory().left(16), QByteArray(15, '\0') + vorher.mid(15, 1));
        QCOMPARE(b.sim.eeprom(80)->memory().mid(16), vorher.mid(16));

        b.sim.eeprom(80)->setStuck(15, false);
        b.t.frames.entries.clear();
        auto* abbruch = new EepromErase(b.t.link, 80, 1, b.t.ctx.locale);
        b.atFrame(5 * 4 + 3, [abbruch] { abbruch->cancel(); });
        b.run(abbruch);
        QCOMPARE(abbruch->result().ende, EepromErase::Ende::Abgebrochen);
        QCOMPARE(abbruch->result().bytes, 5 * 16);
        QCOMPARE(b.t.frames.entries.size(), 5 * 5 + 1);
        QCOMPARE(b.sim.eeprom(80)->memory().left(81), QByteArray(80, 1) + vorher.mid(80, 1));
    }
};

QTEST_GUILESS_MAIN(TestEepromJobs)
#include "tst_eeprom_jobs.moc"
