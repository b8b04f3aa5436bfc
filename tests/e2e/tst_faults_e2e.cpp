// Faults end to end: zelmar-sim as a process of its own on a pseudo-terminal, the program's
// real serial port class, and the windows and jobs the user drives. The simulator is killed
// (an adapter pulled out), loses, corrupts and adds bytes, goes silent, or the EEPROM goes off
// line; every run ends with a clear status, and a dump holds only bytes read twice alike.
#include "fakes.h"
#include "windowbench.h"

#include "app/windowcatalog.h"
#include "files/eepromdump.h"
#include "jobs/busscan.h"
#include "jobs/eepromreadout.h"
#include "link/hardwareserialport.h"
#include "shell/appcontext.h"
#include "sim/installation.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProgressBar>
#include <QtTest>

#include <memory>

using namespace zelmar;

namespace {

// zelmar-sim answering as fast as the pseudo-terminal goes, commands on its standard input.
struct Simulator {
    QString link;
    std::unique_ptr<QProcess> p;

    bool start(const QString& faults = {}) {
        p = std::make_unique<QProcess>();
        p->start(QStringLiteral(ZELMAR_SIM_PATH),
                 QStringList{QStringLiteral("--no-pace"), QStringLiteral("--control"),
                             QStringLiteral("--link"), link} +
                     faults.split(QLatin1Char(' '), Qt::SkipEmptyParts));
        return p->waitForStarted(5000) && p->waitForReadyRead(5000) &&
               p->readLine().startsWith("/dev/");
    }
    // A line of the control language ("offline 80", "silent"); true once it said "ok".
    bool command(const QByteArray& line) {
        p->write(line + '\n');
        return QTest::qWaitFor([this] { return p->canReadLine(); }, 5000) &&
               p->readLine().trimmed() == "ok";
    }
    ~Simulator() {
        if (p)
            p->terminate(), p->waitForFinished(5000);
    }
};

// The program's context on the real serial port; port 1 is the simulator's link.
struct RealLine {
    QTemporaryDir dir;
    HardwareSerialPort port{dir.path()};
    Link link{port};
    zelmar::SlaveDirectory slaves;
    FakePrompter prompter;
    FakeSystemServices system;
    AppContext ctx{link, slaves, prompter, system, QLocale(QLocale::German)};
    Simulator sim{dir.filePath(QStringLiteral("ttyZELMAR")), {}};

    explicit RealLine(int timeoutMs = 300) {
        ctx.setProgrammPfad(dir.path());
        QDir().mkpath(ctx.DATEN_PFAD);
        putFile(dir.filePath(QStringLiteral("PORTS.ini")),
                dir.filePath(QStringLiteral("ttyZELMAR")).toLocal8Bit() + "\r\n");
        link.setReplyTimeout(timeoutMs);
        registerAllWindows(ctx.windows);
    }
    QString dump() const { return dump::DUMP_DATEINAME(ctx.DATEN_PFAD, 80); }
    // Files in the data directory: a run that did not finish leaves no temporary file behind.
    QStringList datenDateien() const {
        return QDir(ctx.DATEN_PFAD).entryList(QDir::Files | QDir::Hidden);
    }
};

// The dump of the demo installation's EEPROM at 80, as a complete read-out writes it.
QByteArray demoDump() {
    sim::ManualClock clock;
    sim::Installation inst(sim::Scenario::demo(), clock);
    return dump::zeilen(0, inst.eeprom(80)->memory(), QLocale(QLocale::German));
}

const QByteArray kFrueher("00.000===> 42 \r\n");

template <typename J> typename J::Result laufen(J* job, int ms = 120000) {
    typename J::Result result;
    bool ended = false;
    QObject::connect(job, &J::finished, [&](const typename J::Result& r) { result = r; });
    QObject::connect(job, &Job::ended, [&] { ended = true; });
    job->start();
    if (!QTest::qWaitFor([&] { return ended; }, ms))
        qFatal("the job did not end");
    return result;
}

} // namespace

class TestFaultsE2e : public QObject {
    Q_OBJECT

private slots:
    // The adapter pulled out in the middle of a complete read-out, and put back.
    void adapterPulledDuringTheReadout() {
        RealLine r(1000);
        QVERIFY(r.sim.start());
        QVERIFY(putFile(r.dump(), kFrueher));
        r.link.SLAVE_ADRESSE = 80;
        QWidget* w = r.ctx.windows.show(fenster::EEPROM_EXTERN_65K);
        QVERIFY(w);
        auto* bar = bench::child<QProgressBar>(w, QStringLiteral("ProgressBar_EEPROM"));
        QElapsedTimer sinceKill;
        QObject::connect(bar, &QProgressBar::valueChanged, [&](int v) {
            if (v >= 8000 && !sinceKill.isValid()) {
                r.sim.p->kill(); // SIGKILL: the device goes at once, as a pulled adapter
                sinceKill.start();
            }
        });
        bench::click(w, QStringLiteral("Command_KOMLETT_AUSLESEN"));
        QTRY_VERIFY_WITH_TIMEOUT(sinceKill.isValid(), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(
            bench::child(w, QStringLiteral("Command_KOMLETT_AUSLESEN"))->isEnabled(), 5000);
        const qint64 endedAfter = sinceKill.elapsed();
        // Within one reply time-out (a first byte's wait also covers its frame's line time, a
        // few ms), with one clear message; the port shows closed.
        QVERIFY2(endedAfter < r.link.replyTimeout() + 100, qPrintable(QString::number(endedAfter)));
        // Which one depends on where the run was when the device went: in a wait or a write,
        // or between two transactions, when the next frame finds no port to open.
        const QStringList klar{
            QStringLiteral(
                "COM-PORT wurde geschlossen, keine Verbindung\r\nAktion wird abgebrochen !!!"),
            QStringLiteral("COM-PORT konnte nicht geöffnet werden\r\nAktion wird abgebrochen !!!")};
        QVERIFY2(r.prompter.messages().size() == 1,
                 qPrintable(r.prompter.messages().join(QLatin1Char('|'))));
        QVERIFY2(klar.contains(r.prompter.messages().first()),
                 qPrintable(r.prompter.messages().first()));
        QVERIFY(!r.port.isOpen());
        QCOMPARE(r.link.STATUS_TEXT, QStringLiteral("COM-PORT nicht geöffnet"));
        // The earlier dump is as it was, and nothing else was left behind.
        QCOMPARE(fileBytes(r.dump()), kFrueher);
        QCOMPARE(r.datenDateien(), QStringList{QStringLiteral("EEPROM_65k_80.txt")});

        // The simulator is back: "open" in the console works, and so does the next read-out.
        QVERIFY(r.sim.start());
        QWidget* k = r.ctx.windows.show(fenster::KONFIGURATION);
        bench::click(k, QStringLiteral("Command_PORT_OPEN"));
        QVERIFY(r.port.isOpen());
        r.prompter.shown.clear();
        bench::click(w, QStringLiteral("Command_KOMLETT_AUSLESEN"));
        QTRY_VERIFY_WITH_TIMEOUT(
            bench::child(w, QStringLiteral("Command_KOMLETT_AUSLESEN"))->isEnabled(), 120000);
        QCOMPARE(r.prompter.messages().size(), 1);
        QVERIFY2(r.prompter.messages().first().contains(QStringLiteral("erfolgreich gespeichert")),
                 qPrintable(r.prompter.messages().first()));
        QCOMPARE(fileBytes(r.dump()), demoDump());
        k->close();
        w->close();
    }

    // Faults on the line or on the bus during a complete read-out: the run ends with a clear
    // status, and whatever the dump holds was read twice alike.
    void faultsDuringTheReadout_data() {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QByteArray>("command"); // sent once 8000 bytes are stored
        QTest::addColumn<int>("ende");
        using E = EepromReadout::Ende;
        QTest::newRow("EEPROM off line mid-run")
            << "" << QByteArray("offline 80") << int(E::AdresseFehlt);
        QTest::newRow("1 in 20011 corrupted")
            << "--corrupt-every 20011" << QByteArray() << int(E::Fertig);
        QTest::newRow("1 in 997 corrupted")
            << "--corrupt-every 997" << QByteArray() << int(E::ZuVieleFehler);
        QTest::newRow("1 in 30011 lost") << "--drop-every 30011" << QByteArray() << int(E::Fertig);
        QTest::newRow("garbage after every 7th reply")
            << "--garbage-every 7" << QByteArray() << int(E::Fertig);
        QTest::newRow("garbage injected")
            << "" << QByteArray("garbage 00 FF 00 A5 5A") << int(E::Fertig);
    }
    void faultsDuringTheReadout() {
        QFETCH(QString, options);
        QFETCH(QByteArray, command);
        QFETCH(int, ende);
        RealLine r;
        QVERIFY(r.sim.start(options));
        QVERIFY(putFile(r.dump(), kFrueher));
        auto* job = new EepromReadout(r.link, 80, r.dump(), QLocale(QLocale::German));
        bool sent = command.isEmpty();
        QObject::connect(job, &Job::progress, [&](int done, int) {
            if (!sent && done >= 8000)
                sent = r.sim.command(command);
        });
        const auto result = laufen(job);
        QVERIFY(sent);
        QCOMPARE(int(result.ende), ende);
        QVERIFY(!EepromReadout::meldung(result, QLocale(QLocale::German)).isEmpty());
        if (result.ende == EepromReadout::Ende::Fertig)
            QCOMPARE(fileBytes(r.dump()), demoDump());
        else
            QCOMPARE(fileBytes(r.dump()), kFrueher);
        QCOMPARE(r.datenDateien(), QStringList{QStringLiteral("EEPROM_65k_80.txt")});
    }

    // A scan under the same faults ends, finds no address that is not on the bus, and says
    // how far it came.
    void faultsDuringAScan_data() {
        QTest::addColumn<QString>("options");
        QTest::newRow("lost bytes") << "--drop-every 13";
        QTest::newRow("corrupted bytes") << "--corrupt-every 5";
        QTest::newRow("garbage") << "--garbage-every 3";
        QTest::newRow("EEPROM off line") << "--offline 80";
    }
    void faultsDuringAScan() {
        QFETCH(QString, options);
        RealLine r(100);
        QVERIFY(r.sim.start(options));
        const auto result = laufen(new BusScan(r.link));
        QVERIFY(result.completed);
        QCOMPARE(result.probed, 128);
        const QList<int> demo{8, 20, 40, 44, 45, 60, 65, 66, 80, 81};
        for (int a : result.found)
            QVERIFY2(demo.contains(a), qPrintable(QString::number(a)));
        QVERIFY(!result.found.isEmpty());
    }

    // The manual master's transmitter run under the same faults: it ends, and no step shows a
    // status other than its own in green. A lost byte or garbage may cost only a repeated poll;
    // a corrupted status or a missing slave shows red and stops the following steps.
    void faultsDuringAManualMasterRun_data() { faultsDuringAScan_data(); }
    void faultsDuringAManualMasterRun() {
        QFETCH(QString, options);
        RealLine r(100);
        QVERIFY(r.sim.start(options == "--offline 80" ? QStringLiteral("--offline 8") : options));
        r.link.SLAVE_ADRESSE = 8;
        QPointer<QWidget> w = r.ctx.windows.show(fenster::HAND_BETRIEB);
        QTest::qWait(300);
        bench::click(w, QStringLiteral("Command_RUN"));
        QTRY_VERIFY_WITH_TIMEOUT(r.link.findChildren<Job*>().isEmpty(), 20000);
        const QMap<QString, QString> eigener{{"A", "8"},  {"C", "18"}, {"E", "28"}, {"G", "28"},
                                             {"I", "28"}, {"K", "28"}, {"L", "F8"}};
        int rot = 0;
        for (auto it = eigener.cbegin(); it != eigener.cend(); ++it) {
            const auto* f = bench::child<QLineEdit>(w, QStringLiteral("Text_STATUS_") + it.key());
            rot += qbIndexOf(f) == 12;
            if (qbIndexOf(f) == 10)
                QCOMPARE(f->text(), it.value());
        }
        if (options.contains(QLatin1String("corrupt")) ||
            options.contains(QLatin1String("offline")))
            QVERIFY(rot >= 1);
        bench::click(w, QStringLiteral("Command_CLOSE"));
        QTRY_VERIFY(!w);
    }

    // A silent interface during the long operations of the windows: each ends as its window
    // says, within its time-outs, and the window can be closed at any time.
    void silentInterface_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("close");
        QTest::addColumn<QString>("message"); // what the user is told, "*" for not checked
        QTest::addColumn<int>("timeouts");    // the reply time-outs it may take to end
        // Every address phase of the read-out is lost on the line, until the 21st failure.
        const QString zuViele =
            QStringLiteral("zu viele üertragungsfehler \r\n\r\nAktion abgebrochen");
        const QString eeprom = fenster::EEPROM_EXTERN_65K;
        const QString wohnung = fenster::WOHNUNG;
        QTest::newRow("read-out") << eeprom << QStringList() << "Command_KOMLETT_AUSLESEN"
                                  << "Command2" << zuViele << 24;
        QTest::newRow("apartment fetch") << wohnung << QStringList() << "Command_DATEN_HOLEN"
                                         << "Command1" << QString() << 60;
        QTest::newRow("manual master run")
            << QString(fenster::HAND_BETRIEB) << QStringList() << "Command_RUN"
            << "Command_CLOSE" << QString() << 20;
        QTest::newRow("register read")
            << QString(fenster::REGISTER) << QStringList() << "Command_lesen"
            << "Command1" << QStringLiteral("*") << 6;
        // A repeat goes on through the silence until its window closes.
        QTest::newRow("apartment repeat")
            << wohnung << QStringList{QStringLiteral("Check_REPEAD")} << "Command_DATEN_HOLEN"
            << "Command1" << QStringLiteral("*") << 0;
    }
    void silentInterface() {
        QFETCH(QString, window);
        QFETCH(QStringList, before);
        QFETCH(QString, action);
        QFETCH(QString, close);
        QFETCH(QString, message);
        QFETCH(int, timeouts);
        RealLine r(100);
        QVERIFY(r.sim.start());
        r.link.SLAVE_ADRESSE = window == fenster::EEPROM_EXTERN_65K ? 80 : 8;
        QPointer<QWidget> w = r.ctx.windows.show(window);
        QTest::qWait(300); // windows that read on their own at opening have done so
        QVERIFY(r.sim.command("silent"));
        for (const QString& c : before)
            bench::click(w, c);
        r.prompter.shown.clear();
        auto jobs = [&] {
            for (const Job* job : r.link.findChildren<Job*>())
                if (job->running())
                    return true;
            return false;
        };
        QElapsedTimer t;
        t.start();
        bench::click(w, action);
        if (timeouts > 0) {
            // Ends by itself, within its time-outs, and says what its window says.
            QTRY_VERIFY_WITH_TIMEOUT(!jobs() && !r.link.busy(), 20000);
            QVERIFY2(t.elapsed() < timeouts * r.link.replyTimeout() + 1000,
                     qPrintable(QString::number(t.elapsed())));
            if (message != QLatin1String("*"))
                QCOMPARE(r.prompter.messages(),
                         message.isEmpty() ? QStringList() : QStringList{message});
        } else {
            QTest::qWait(1000);
            QVERIFY(jobs());
        }
        bench::click(w, close);
        QTRY_VERIFY_WITH_TIMEOUT(!w, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!jobs() && !r.link.busy(), 5000);
    }
};

QTEST_MAIN(TestFaultsE2e)
#include "tst_faults_e2e.moc"
