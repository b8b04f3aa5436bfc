// The long operations on their own, without any window, against the simulated installation.

#include "testcontext.h"

#include "jobs/apartmentfetch.h"
#include "jobs/apartmentsession.h"
#include "jobs/busscan.h"
#include "jobs/repetition.h"
#include "sim/atmega8slave.h"
#include "sim/virtualinstallation.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace zelmar;

namespace {

const QList<int> kDemo = {8, 20, 40, 44, 45, 60, 65, 66, 80, 81};
// Probes, date and clock of 8, seven clocks, five weather values, two values of three rooms;
// every standard command is two frames whether the slave answers or not.
constexpr int kFramesPerPass = 8 + 2 * 2 + 7 * 2 + 5 * 2 + 3 * 2 * 2;

struct Bench {
    TestContext t;
    sim::VirtualInstallation sim{t.port};

    // Runs the job to its end; it stays for inspection.
    template <typename J> void run(J* job) {
        job->setAutoDelete(false);
        QSignalSpy ended(job, &Job::ended);
        job->start();
        QVERIFY(ended.wait(20000));
    }
    // Cancels `job` from the event loop once `count` frames have gone out.
    void cancelAtFrame(Job* job, int count) {
        auto seen = std::make_shared<int>(0);
        QObject::connect(&t.link, &Link::frameSent, job, [job, seen, count] {
            if (++*seen == count)
                QTimer::singleShot(0, job, &Job::cancel);
        });
    }
    QList<int> befehle() const {
        QList<int> b;
        for (const auto& e : t.frames.entries)
            b << e.befehl;
        return b;
    }
};

// Constant values where the apartment display reads them, so a row can be told exactly.
void setConstantValues(Bench& b) {
    const std::tuple<int, int, double> quellen[] = {
        {20, 120, 215}, {40, 120, 198}, {60, 120, -1},   {44, 120, -35}, {20, 121, 40},
        {40, 121, 35},  {60, 121, 30},  {44, 150, 1013}, {44, 151, 250}};
    for (const auto& [slave, code, wert] : quellen) {
        sim::ValueSource q;
        q.value = wert;
        b.sim.slave(slave)->setValue(code, q);
    }
}

} // namespace

class TestJobs : public QObject {
    Q_OBJECT

private slots:
    void repetitionRunsItsPhasesWithPauses() {
        Bench b;
        QList<qint64> times;
        QElapsedTimer clock;
        clock.start();
        int more = 3;
        auto* job = new Repetition(
            b.t.link,
            {{[&] { return times << clock.elapsed(), true; }, 60}, {[] { return true; }, 0}},
            [&] { return --more > 0; });
        QSignalSpy finished(job, &Repetition::finished);
        b.run(job);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), 3);
        QCOMPARE(times.size(), 3);
        // The pause follows its phase: no pass starts before the pause of the last has passed.
        for (int i = 1; i < times.size(); ++i)
            QVERIFY2(times[i] - times[i - 1] >= 55,
                     qPrintable(QString::number(times[i] - times[i - 1])));

        // A phase that says no ends the loop at once.
        int calls = 0;
        auto* stop =
            new Repetition(b.t.link, {{[&] { return ++calls, false; }, 0}}, [] { return true; });
        b.run(stop);
        QCOMPARE(calls, 1);
        QCOMPARE(stop->passes(), 0);
    }

    // Phases without a pause run back to back: no click or other job comes between a request and
    // the read of its reply; a cancel during a phase still ends the pass after it.
    void phasesWithoutPauseShareAStep() {
        Bench b;
        bool dazwischen = false;
        bool zweite = false;
        auto* job = new Repetition(
            b.t.link,
            {{[&] { return QTimer::singleShot(0, [&] { dazwischen = true; }), true; }, 0},
             {[&] { return zweite = !dazwischen, true; }, 0}},
            [] { return false; });
        b.run(job);
        QVERIFY(zweite);

        int phasen = 0;
        Repetition* abgebrochen = nullptr;
        abgebrochen = new Repetition(b.t.link,
                                     {{[&] { return ++phasen, abgebrochen->cancel(), true; }, 0},
                                      {[&] { return ++phasen, true; }, 0}},
                                     [] { return true; });
        b.run(abgebrochen);
        QCOMPARE(phasen, 1);
    }

    void cancelCutsAPauseShortAndTheJobGoes() {
        Bench b;
        int calls = 0;
        auto* job = new Repetition(b.t.link, {{[&] { return ++calls, true; }, 600000}},
                                   [] { return true; });
        QPointer<Job> alive = job;
        QSignalSpy ended(job, &Job::ended);
        job->start();
        QTRY_COMPARE(calls, 1);
        job->cancel();
        QVERIFY(ended.wait(5000));
        QCOMPARE(calls, 1);
        QTRY_VERIFY(!alive); // deleted once finished
    }

    void aJobEndsWithItsOwner() {
        Bench b;
        auto owner = std::make_unique<QObject>();
        auto* job = new Repetition(b.t.link, {{[] { return true; }, 10}}, [] { return true; });
        job->setAutoDelete(false);
        job->bindTo(owner.get());
        job->start();
        QTRY_VERIFY(job->running());
        QEvent close(QEvent::Close);
        QCoreApplication::sendEvent(owner.get(), &close);
        QTRY_VERIFY(!job->running());
        QVERIFY(job->cancelled());

        auto* second = new Repetition(b.t.link, {{[] { return true; }, 10}}, [] { return true; });
        second->setAutoDelete(false);
        second->bindTo(owner.get());
        second->start();
        owner.reset();
        QTRY_VERIFY(!second->running());
    }

    // Started while another request waits for its reply: the job waits for the line instead of
    // having its frame refused, and then runs whole.
    void aJobWaitsForTheLine() {
        Bench b;
        b.t.link.setReplyTimeout(300);
        b.sim.faults().silent = true;
        auto* scan = new BusScan(b.t.link);
        QTimer::singleShot(50, [&] {
            b.sim.faults().silent = false;
            scan->setAutoDelete(false);
            scan->start();
        });
        b.t.link.RAHMEN_SENDEN({befehl::DUMMY, 127});
        b.t.link.DATEN_EMPFANGEN(1);
        QCOMPARE(b.t.link.STATUS_CODE, qint16(STATUS_KEINE_DATEN));
        QTRY_VERIFY_WITH_TIMEOUT(!scan->running(), 10000);
        QCOMPARE(b.t.frames.entries.size(), 1 + 129);
        QVERIFY(b.t.prompter.shown.isEmpty());
        QCOMPARE(b.t.link.SLAVE_GEFUNDEN[80], qint16(-1));
    }

    void scanFindsTheDemoInstallation() {
        Bench b;
        b.t.link.SLAVE_ADRESSE = 33;
        auto* scan = new BusScan(b.t.link);
        QSignalSpy found(scan, &BusScan::found);
        QSignalSpy progress(scan, &Job::progress);
        QSignalSpy finished(scan, &BusScan::finished);
        b.run(scan);
        QList<int> seen;
        for (const auto& args : found)
            seen << args.first().toInt();
        QCOMPARE(seen, kDemo);
        QCOMPARE(progress.size(), 128);
        const auto result = finished.first().first().value<BusScan::Result>();
        QCOMPARE(result.found, kDemo);
        QVERIFY(result.completed);
        // 128 probes in ascending order without STOP, then one STOP; the slave chosen stays.
        QCOMPARE(b.t.frames.entries.size(), 129);
        for (int a = 0; a < 128; ++a)
            QCOMPARE(b.t.frames.entries[a].slaveAdresse, a);
        QCOMPARE(b.befehle().last(), 100);
        QCOMPARE(b.t.link.SLAVE_ADRESSE, quint8(33));
        for (int a = 0; a < 128; ++a)
            QCOMPARE(b.t.link.SLAVE_GEFUNDEN[a], qint16(kDemo.contains(a) ? -1 : 0));
    }

    // A failed line is never an answer; a refused frame ends the scan after one message, and
    // the directory shows nothing the scan did not see.
    void scanOfABrokenLine() {
        Bench b;
        b.run(new BusScan(b.t.link));
        QCOMPARE(b.t.link.SLAVE_GEFUNDEN[8], qint16(-1));

        // Replies that lose a byte come from a live interface: the scan goes on to the end.
        b.t.link.setReplyTimeout(5);
        b.sim.faults().dropEvery = 2;
        b.t.frames.entries.clear();
        auto* verlust = new BusScan(b.t.link);
        QSignalSpy verloren(verlust, &BusScan::finished);
        b.run(verlust);
        QCOMPARE(b.t.frames.entries.size(), 129);
        QVERIFY(!verloren.first().first().value<BusScan::Result>().interfaceSilent);
        b.sim.faults().dropEvery = 0;

        // Not one byte to three probes in a row: the interface is not there. The scan stops
        // and says so, sends no STOP into the silence, and what it did not reach is not found.
        b.sim.faults().silent = true;
        b.t.frames.entries.clear();
        b.t.link.SLAVE_GEFUNDEN[80] = -1;
        auto* silent = new BusScan(b.t.link);
        QSignalSpy still(silent, &BusScan::finished);
        b.run(silent);
        QCOMPARE(b.befehle(), (QList<int>{60, 60, 60}));
        const auto stumm = still.first().first().value<BusScan::Result>();
        QVERIFY(stumm.interfaceSilent && !stumm.completed);
        QCOMPARE(stumm.probed, BusScan::STUMM);
        QCOMPARE(b.t.link.SLAVE_GEFUNDEN, (std::array<qint16, 128>{}));
        QVERIFY(b.t.prompter.shown.isEmpty());
        QCOMPARE(BusScan::meldung(stumm),
                 QStringLiteral("Das Interface antwortet nicht (keine DATEN bei 3 Adressen "
                                "hintereinander).\r\n\r\nScan nach Adresse 2 abgebrochen, die "
                                "übrigen Adressen gelten als nicht gefunden."));
        QVERIFY(BusScan::meldung(verloren.first().first().value<BusScan::Result>()).isEmpty());

        b.t.link.SLAVE_GEFUNDEN[8] = -1;
        b.t.link.SLAVE_ADRESSE = 44;
        b.t.port.close();
        b.t.port.setOpenable(false);
        b.t.frames.entries.clear();
        b.t.port.clearWritten();
        auto* refused = new BusScan(b.t.link);
        QSignalSpy finished(refused, &BusScan::finished);
        b.run(refused);
        QCOMPARE(b.t.prompter.messages(),
                 QStringList{QStringLiteral(
                     "COM-PORT konnte nicht geöffnet werden\r\nAktion wird abgebrochen !!!")});
        QCOMPARE(b.t.frames.entries.size(), 1);
        QVERIFY(b.t.port.written().isEmpty());
        QVERIFY(!finished.first().first().value<BusScan::Result>().completed);
        QCOMPARE(b.t.link.SLAVE_GEFUNDEN[8], qint16(0));
        QCOMPARE(b.t.link.SLAVE_ADRESSE, quint8(44));
    }

    void cancelledScanReleasesTheBus() {
        Bench b;
        b.run(new BusScan(b.t.link));
        b.t.frames.entries.clear();
        auto* scan = new BusScan(b.t.link);
        b.cancelAtFrame(scan, 10);
        b.run(scan);
        // The probe under way completes, then the STOP; addresses not reached count as absent.
        QCOMPARE(b.t.frames.entries.size(), 11);
        QCOMPARE(b.befehle().last(), 100);
        QCOMPARE(b.t.link.SLAVE_GEFUNDEN[8], qint16(-1));
        QCOMPARE(b.t.link.SLAVE_GEFUNDEN[80], qint16(0));
        QCOMPARE(b.t.link.SLAVE_ADRESSE, quint8(127));
    }

    void fetchReadsTheApartment() {
        Bench b;
        auto* fetch = new ApartmentFetch(b.t.link);
        QSignalSpy updated(fetch, &ApartmentFetch::updated);
        b.run(fetch);
        QCOMPARE(b.t.frames.entries.size(), kFramesPerPass);
        QCOMPARE(updated.size(), 8 + 2 + 7 + 5 + 6); // one update per request
        const ApartmentValues& v = fetch->values();
        QCOMPARE(v.vorhanden,
                 (std::array<bool, 8>{true, true, true, true, true, true, true, true}));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d\\d$"))
                    .match(v.datum)
                    .hasMatch());
        QVERIFY(
            QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(v.zeit).hasMatch());
        for (size_t i = 1; i < v.zeitSlave.size(); ++i)
            QVERIFY2(!v.zeitSlave[i].isEmpty(), qPrintable(QString::number(i)));
        QVERIFY(v.aussentemperatur && v.luftdruck && v.sonne && v.sonnenaufgang &&
                v.sonnenuntergang);
        for (const auto& r : v.raum)
            QVERIFY(r.temperatur && r.heizung);
        QCOMPARE(fetch->passes(), 1);
    }

    void missingSlavesAndBrokenLines() {
        Bench b;
        QVERIFY(b.sim.setDeviceOnline(20, false));
        auto* fetch = new ApartmentFetch(b.t.link);
        b.run(fetch);
        const ApartmentValues& v = fetch->values();
        QVERIFY(!v.vorhanden[1] && v.vorhanden[0]);
        QVERIFY(v.zeitSlave[1].isEmpty() && !v.zeitSlave[2].isEmpty());
        QVERIFY(!v.raum[0].temperatur && !v.raum[0].heizung); // missing, not 0
        QVERIFY(v.raum[1].temperatur);

        // A port that cannot be opened: one frame, one message, every value forgotten.
        b.t.port.close();
        b.t.port.setOpenable(false);
        b.t.frames.entries.clear();
        auto* refused = new ApartmentFetch(b.t.link);
        refused->setRepeat(true);
        b.run(refused);
        QCOMPARE(b.t.frames.entries.size(), 1);
        QCOMPARE(b.t.prompter.messages().size(), 1);
        QCOMPARE(refused->values().vorhanden, (std::array<bool, 8>{}));
        QVERIFY(!refused->values().luftdruck);
    }

    void repeatedFetchEndsAfterTheRequestUnderWay() {
        Bench b;
        auto* fetch = new ApartmentFetch(b.t.link);
        fetch->setRepeat(true);
        b.cancelAtFrame(fetch, kFramesPerPass + 12); // within a standard command of pass 2
        b.run(fetch);
        QCOMPARE(fetch->passes(), 1);
        QCOMPARE(b.t.frames.entries.size(), kFramesPerPass + 12);
    }

    // The session's fetch: one at a time, every whole pass a row of the day's log, and each
    // subscriber hears of the same passes.
    void sessionOnceAndRepeated() {
        Bench b;
        setConstantValues(b);
        ApartmentSession& s = b.t.ctx.apartment;
        QObject erster, zweiter;
        QList<double> wzErster, wzZweiter;
        QObject::connect(&s, &ApartmentSession::passDone, &erster, [&](const ApartmentValues& v) {
            wzErster << v.raum[0].temperatur.value_or(-999);
        });
        QObject::connect(
            &s, &ApartmentSession::aufgezeichnet, &zweiter,
            [&](const QDate&, const verlauf::Zeile& z) { wzZweiter << z.werte[0].value_or(-999); });
        QSignalSpy ended(&s, &ApartmentSession::ended);

        QVERIFY(s.holen(false));
        QVERIFY(s.laeuft());
        QVERIFY(!s.holen(true)); // no second fetch beside the first
        QVERIFY(ended.wait(20000));
        QCOMPARE(ended.first().first().toBool(), false);
        QCOMPARE(b.t.frames.entries.size(), kFramesPerPass);
        const QString log = s.pfad(b.t.system.clock.date());
        QCOMPARE(log, b.t.ctx.DATEN_PFAD + QStringLiteral("VERLAUF_2006-12-05.csv"));
        QVector<verlauf::Zeile> zeilen = verlauf::lesen(log);
        QCOMPARE(zeilen.size(), 1);
        QCOMPARE(zeilen[0].zeit, QTime(7, 42, 6));
        QCOMPARE(zeilen[0].werte, (std::array<std::optional<double>, verlauf::WERTE>{
                                      21.5, 19.8, -0.1, -3.5, 40, 35, 30, 1013, 250}));

        // Repeated: three passes, the third ends it; a click in between changes nothing.
        QObject::connect(&s, &ApartmentSession::passDone, &erster, [&] {
            QVERIFY(!s.holen(false));
            if (s.passes() == 4)
                s.setRepeat(false);
        });
        QVERIFY(s.holen(true));
        QVERIFY(ended.wait(20000));
        QCOMPARE(s.passes(), 4);
        QCOMPARE(b.t.frames.entries.size(), 4 * kFramesPerPass);
        QCOMPARE(verlauf::lesen(log).size(), 4);
        QCOMPARE(wzErster, QList<double>(4, 21.5));
        QCOMPARE(wzZweiter, wzErster);
        QVERIFY(!s.laeuft());
    }

    // A cancel or the owner's end cuts the pass under way short: no row, no pass.
    void sessionCancelledAndOwned() {
        Bench b;
        ApartmentSession& s = b.t.ctx.apartment;
        QSignalSpy ended(&s, &ApartmentSession::ended);
        QSignalSpy passes(&s, &ApartmentSession::passDone);
        QVERIFY(s.holen(true));
        b.cancelAtFrame(s.fetch(), kFramesPerPass + 12);
        QVERIFY(ended.wait(20000));
        QCOMPARE(ended.first().first().toBool(), true);
        QCOMPARE(passes.size(), 1);
        QCOMPARE(b.t.frames.entries.size(), kFramesPerPass + 12);
        QCOMPARE(verlauf::lesen(s.pfad(b.t.system.clock.date())).size(), 1);

        auto eigner = std::make_unique<QObject>();
        QVERIFY(s.holen(true, eigner.get()));
        QObject::connect(&b.t.link, &Link::frameSent, eigner.get(),
                         [&eigner] { QTimer::singleShot(0, [&eigner] { eigner.reset(); }); });
        QVERIFY(ended.wait(20000));
        QCOMPARE(ended.last().first().toBool(), true);
        QCOMPARE(passes.size(), 1);
        QVERIFY(!s.fetch());
    }

    // The log cannot be written: said once, while every pass is still told as a row.
    void sessionLogThatCannotBeWritten() {
        Bench b;
        ApartmentSession& s = b.t.ctx.apartment;
        const QString log = s.pfad(b.t.system.clock.date());
        QVERIFY(QDir().mkpath(log));
        QSignalSpy fehler(&s, &ApartmentSession::verlaufFehler);
        QSignalSpy zeilen(&s, &ApartmentSession::aufgezeichnet);
        QSignalSpy ended(&s, &ApartmentSession::ended);
        for (int i = 0; i < 2; ++i) {
            QVERIFY(s.holen(false));
            QVERIFY(ended.wait(20000));
        }
        QCOMPARE(zeilen.size(), 2);
        QCOMPARE(fehler.size(), 1);
        QCOMPARE(fehler.first().first().toString(), log);
        QCOMPARE(b.t.prompter.messages().size(), 1); // the context says it in the window's words
        QVERIFY(b.t.prompter.messages().first().contains(log));
    }
};

QTEST_GUILESS_MAIN(TestJobs)
#include "tst_jobs.moc"
