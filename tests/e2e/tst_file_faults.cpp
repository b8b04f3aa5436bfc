// The data and program directories refusing writes while the program writes a dump, a logbook,
// the register notes or a settings file: a clear message, the earlier file as it was, and the
// program goes on. "Full" is a file size limit on this process (writes beyond it fail as on a
// full disk); "read-only" is a directory standing where the file should be, which stops root
// too (a read-only mode would not).
#include "windowbench.h"

#include "files/eepromdump.h"
#include "files/eepromimage.h"
#include "files/registerbemerkungen.h"
#include "files/settingsfiles.h"
#include "shell/programm.h"

#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace zelmar;

namespace {

// Writes past `bytes` fail with EFBIG while it lives.
class Voll {
public:
    explicit Voll(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_alt);
        rlimit neu = m_alt;
        neu.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &neu);
    }
    ~Voll() { setrlimit(RLIMIT_FSIZE, &m_alt); }

private:
    rlimit m_alt{};
};

const QByteArray kFrueher("written before\r\n");
const QString kNicht = QStringLiteral("konnte nicht geschrieben werden");

bool meldet(const FakePrompter& p, const QString& datei, const QString& was = kNicht) {
    const QStringList m = p.messages();
    return m.size() == 1 && m.first().contains(datei) && m.first().contains(was);
}

// What stands under a name, the link itself and not its target (S_IFREG, S_IFIFO, ...); 0 for
// nothing.
mode_t art(const QString& pfad) {
    struct stat st {};
    return ::lstat(QFile::encodeName(pfad).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

// Puts something that is no regular file under the name. The device node is made here, in the
// test's own directory, with the numbers of the null device: whatever reached it would vanish.
bool anlegen(const QString& pfad, const QString& was) {
    const QByteArray p = QFile::encodeName(pfad);
    const QByteArray ziel = p + ".ziel";
    if (was == QLatin1String("fifo"))
        return ::mkfifo(p.constData(), 0600) == 0;
    if (was == QLatin1String("device"))
        return ::mknod(p.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    if (was == QLatin1String("directory"))
        return QDir().mkdir(pfad);
    if (was == QLatin1String("link to a fifo"))
        return ::mkfifo(ziel.constData(), 0600) == 0 && ::symlink(ziel.constData(), p) == 0;
    if (was == QLatin1String("link to a device"))
        return ::mknod(ziel.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0 &&
               ::symlink(ziel.constData(), p) == 0;
    return false;
}

// One writer of a file that is replaced whole: it puts `anlegen` under its file's name, writes,
// and says what it reported.
struct Geschrieben {
    explicit Geschrieben(QString p) : pfad(std::move(p)) {}
    QString pfad;
    bool erfolg = false;
    QString meldung;                     // empty where the writer reports by its result only
    bool nurGrund = false;               // the writer gives the reason, its caller names the file
    mode_t nachher = 0, zielNachher = 0; // what stands under the name and the link's target
};

// What the writer left, looked at while its directory is still there.
Geschrieben danach(Geschrieben g) {
    g.nachher = art(g.pfad);
    g.zielNachher = art(g.pfad + QStringLiteral(".ziel"));
    return g;
}
using Schreiber = std::function<Geschrieben(const std::function<bool(const QString&)>& anlegen)>;

QList<std::pair<const char*, Schreiber>> schreiber() {
    using A = const std::function<bool(const QString&)>&;
    return {
        {"image file",
         [](A anlegen) {
             TestContext t;
             Geschrieben g{t.ctx.DATEN_PFAD + QStringLiteral("bild.bin")};
             g.nurGrund = true;
             if (anlegen(g.pfad))
                 g.erfolg = abbild::speichern(g.pfad, EepromAbbild::ausBytes("abc"),
                                              abbild::Format::Binaer, t.ctx.locale, &g.meldung);
             return danach(g);
         }},
        {"settings file",
         [](A anlegen) {
             TestContext t;
             Geschrieben g{t.file(QStringLiteral("settings.ini"))};
             if (anlegen(g.pfad))
                 g.erfolg =
                     SETTINGS_INI_SPEICHERN(t.ctx.PROGRAMM_PFAD, QStringLiteral("9600,e,7,2"));
             return danach(g);
         }},
        {"settings at the end",
         [](A anlegen) {
             TestContext t;
             Geschrieben g{t.file(QStringLiteral("SLAVE_INFO.ini"))};
             if (anlegen(g.pfad)) {
                 PROGRAMM_BEENDEN(t.ctx);
                 g.meldung = t.prompter.messages().join(QLatin1Char('|'));
             }
             return danach(g);
         }},
        {"register notes",
         [](A anlegen) {
             TestContext t;
             Geschrieben g{registernotizen::datei(t.ctx.DATEN_PFAD, 20)};
             if (anlegen(g.pfad)) {
                 registernotizen::laden(g.pfad);
                 g.erfolg = registernotizen::speichern(g.pfad, {QByteArrayLiteral("R0")});
             }
             return danach(g);
         }},
        {"dump of the read-out",
         [](A anlegen) {
             WindowBench b(fenster::EEPROM_EXTERN_65K);
             b.t.link.SLAVE_ADRESSE = 80;
             Geschrieben g{dump::DUMP_DATEINAME(b.t.ctx.DATEN_PFAD, 80)};
             b.waitForJobs();
             if (anlegen(g.pfad)) {
                 b.t.prompter.shown.clear();
                 b.clickAndWait(QStringLiteral("Command_KOMLETT_AUSLESEN"));
                 g.meldung = b.t.prompter.messages().join(QLatin1Char('|'));
             }
             return danach(g);
         }},
        {"comparison report",
         [](A anlegen) {
             WindowBench b(fenster::EEPROM_EXTERN_65K, WindowBench::Geraete::Keine);
             Geschrieben g{b.t.ctx.DATEN_PFAD + QStringLiteral("bericht.txt")};
             const QString bin = b.t.ctx.DATEN_PFAD + QStringLiteral("a.bin");
             if (putFile(bin, "ab") && anlegen(g.pfad)) {
                 b.t.prompter.files << bin << bin << g.pfad;
                 b.click(QStringLiteral("Command_DUMPS_VERGLEICHEN"));
                 b.t.prompter.shown.clear();
                 b.click(QStringLiteral("Command_BERICHT_SPEICHERN"));
                 g.meldung = b.t.prompter.messages().join(QLatin1Char('|'));
             }
             return danach(g);
         }},
        {"modem transcript",
         [](A anlegen) {
             ConsoleBench b(WindowBench::Geraete::Keine, QStringLiteral("Option_MODEM"));
             Geschrieben g{b.t.ctx.DATEN_PFAD + QStringLiteral("MODEMANTWORT.txt")};
             if (anlegen(g.pfad)) {
                 b.click(QStringLiteral("Command_SPEICHERN"));
                 g.meldung = b.t.prompter.messages().join(QLatin1Char('|'));
             }
             return danach(g);
         }},
    };
}

} // namespace

class TestFileFaults : public QObject {
    Q_OBJECT

private slots:
    void dump_data() {
        QTest::addColumn<bool>("voll");
        QTest::newRow("directory full") << true;
        QTest::newRow("a directory in the file's place") << false;
    }
    void dump() {
        QFETCH(bool, voll);
        WindowBench b(fenster::EEPROM_EXTERN_65K);
        b.t.link.SLAVE_ADRESSE = 80;
        const QString datei = dump::DUMP_DATEINAME(b.t.ctx.DATEN_PFAD, 80);
        QVERIFY(voll ? putFile(datei, kFrueher) : QDir().mkdir(datei));
        b.waitForJobs();
        {
            Voll v(64 * 1024);
            b.t.prompter.shown.clear();
            b.clickAndWait(QStringLiteral("Command_KOMLETT_AUSLESEN"));
        }
        QVERIFY2(meldet(b.t.prompter, datei), qPrintable(b.t.prompter.messages().join('|')));
        // The reason, in the system's words where it has them.
        QVERIFY2(
            b.t.prompter.messages().first().contains(voll ? QString::fromLocal8Bit(strerror(EFBIG))
                                                          : QStringLiteral("Verzeichnis")),
            qPrintable(b.t.prompter.messages().first()));
        if (voll)
            QCOMPARE(fileBytes(datei), kFrueher);
        QCOMPARE(QDir(b.t.ctx.DATEN_PFAD).entryList(QDir::Files).size(), voll ? 1 : 0);
        // The program goes on: the next read-out with room again stores the dump.
        if (voll) {
            b.t.prompter.shown.clear();
            b.clickAndWait(QStringLiteral("Command_KOMLETT_AUSLESEN"));
            QCOMPARE(dump::zeilenZaehlen(datei), dump::ZEILEN);
        }
    }

    // An image file in any format: a short write is a failure, never a half file under the name.
    void imageFiles_data() {
        QTest::addColumn<int>("format");
        QTest::newRow("dump") << int(abbild::Format::Dump);
        QTest::newRow("binary") << int(abbild::Format::Binaer);
        QTest::newRow("Intel HEX") << int(abbild::Format::IntelHex);
    }
    void imageFiles() {
        QFETCH(int, format);
        TestContext t;
        const QString datei = t.ctx.DATEN_PFAD + QStringLiteral("bild");
        QVERIFY(putFile(datei, kFrueher));
        const EepromAbbild bild = EepromAbbild::ausBytes(QByteArray(64 * 1024, '\x5a'));
        QString fehler;
        {
            Voll v(16 * 1024);
            QVERIFY(!abbild::speichern(datei, bild, abbild::Format(format), t.ctx.locale, &fehler));
        }
        QVERIFY2(fehler.contains(QString::fromLocal8Bit(strerror(EFBIG))), qPrintable(fehler));
        QCOMPARE(fileBytes(datei), kFrueher);
        QCOMPARE(QDir(t.ctx.DATEN_PFAD).entryList(QDir::Files).size(), 1);
    }

    // The TWI logbook: the first line it cannot write is said once; frames go out regardless.
    void twiLogbook() {
        ConsoleBench b;
        const QString logbuch = b.t.ctx.DATEN_PFAD + QStringLiteral("LOGBUCH_TWI.txt");
        QVERIFY(putFile(logbuch, QByteArray(64 * 1024, 'x')));
        b.t.ctx.useTwiLogbook();
        const int gesendet = b.t.port.written().size();
        {
            Voll v(64 * 1024);
            b.click(QStringLiteral("Command_DUMMY"));
            b.click(QStringLiteral("Command_DUMMY"));
        }
        QCOMPARE(b.t.port.written().size(), gesendet + 2);
        QVERIFY2(meldet(b.t.prompter, logbuch), qPrintable(b.t.prompter.messages().join('|')));
        QCOMPARE(fileBytes(logbuch), QByteArray(64 * 1024, 'x'));
        // Writable again, then refused again: said again.
        b.click(QStringLiteral("Command_DUMMY"));
        QVERIFY(fileBytes(logbuch).size() > 64 * 1024);
        QVERIFY(QFile::remove(logbuch) && QDir().mkdir(logbuch));
        b.click(QStringLiteral("Command_DUMMY"));
        QCOMPARE(b.t.prompter.messages().size(), 2);
        QCOMPARE(b.t.port.written().size(), gesendet + 4);
        b.t.link.setFrameLogSink(nullptr);
    }

    void registerNotes() {
        WindowBench b;
        const QString datei = registernotizen::datei(b.t.ctx.DATEN_PFAD, 127);
        QVERIFY(putFile(datei, kFrueher));
        b.open(fenster::REGISTER);
        b.waitForJobs();
        for (int k = 0; k < 32; ++k)
            b.box(QStringLiteral("Text_BEMERKUNGEN_%1").arg(k))->setText(QString(1000, 'n'));
        {
            Voll v(16 * 1024); // the notes take 32 kB
            b.click(QStringLiteral("Command1"));
            QTRY_VERIFY(!b.w);
        }
        QVERIFY2(meldet(b.t.prompter, datei, QStringLiteral("nicht gespeichert")),
                 qPrintable(b.t.prompter.messages().join('|')));
        QCOMPARE(fileBytes(datei), kFrueher);
    }

    // Settings written at the end: one message names every file not saved, the earlier files
    // stay, and the program still ends.
    void settingsAtTheEnd() {
        TestContext t;
        QVERIFY(QDir().mkdir(t.file(QStringLiteral("SLAVE_INFO.ini"))));
        PROGRAMM_BEENDEN(t.ctx);
        QCOMPARE(t.system.exits, 1);
        QVERIFY2(meldet(t.prompter, t.file(QStringLiteral("SLAVE_INFO.ini"))),
                 qPrintable(t.prompter.messages().join('|')));
        QVERIFY(!t.prompter.messages().first().contains(QStringLiteral("PROGRAMM.ini")));
        QVERIFY(QFileInfo(t.file(QStringLiteral("SLAVE_INFO.ini"))).isDir());
        QVERIFY(QFileInfo(t.file(QStringLiteral("PROGRAMM.ini"))).isFile());
    }

    // Something that is no regular file where a file is written anew (under a temporary name,
    // then renamed): every writer refuses it, names it and says what it is, and leaves it as
    // it was instead of renaming a regular file over it.
    void thingsThatAreNoFiles_data() {
        QTest::addColumn<QString>("was");
        QTest::addColumn<QString>("grund");
        QTest::newRow("fifo") << "fifo"
                              << "FIFO";
        QTest::newRow("device") << "device"
                                << "Gerät";
        QTest::newRow("directory") << "directory"
                                   << "Verzeichnis";
        QTest::newRow("link to a fifo") << "link to a fifo"
                                        << "FIFO";
        QTest::newRow("link to a device") << "link to a device"
                                          << "Gerät";
    }
    void thingsThatAreNoFiles() {
        QFETCH(QString, was);
        QFETCH(QString, grund);
        if (was.contains(QLatin1String("device")) && ::geteuid() != 0)
            QSKIP("making a device node needs root");
        for (const auto& [name, schreiben] : schreiber()) {
            mode_t vorher = 0;
            mode_t zielVorher = 0;
            const Geschrieben g = schreiben([&](const QString& pfad) {
                const bool ok = anlegen(pfad, was);
                vorher = art(pfad);
                zielVorher = art(pfad + QStringLiteral(".ziel"));
                return ok;
            });
            const QByteArray wo = QByteArray(name) + ": " + g.meldung.toUtf8();
            QVERIFY2(vorher != 0, wo.constData());
            QVERIFY2(!g.erfolg, wo.constData());
            QVERIFY2(!g.meldung.contains(QLatin1String("erfolgreich")), wo.constData());
            QCOMPARE(g.nachher, vorher);
            QCOMPARE(g.zielNachher, zielVorher);
            // Where the writer speaks, it names the file and what stands there.
            if (!g.meldung.isEmpty()) {
                QVERIFY2(g.nurGrund || g.meldung.contains(g.pfad), wo.constData());
                QVERIFY2(g.meldung.contains(grund), wo.constData());
            }
        }
    }
};

QTEST_MAIN(TestFileFaults)
#include "tst_file_faults.moc"
