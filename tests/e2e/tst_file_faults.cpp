// The data and program directories refusing writes while the program writes a dump, a logbook,
// the register notes or a settings file: a clear message, the earlier file as it was, and the
// program goes on. "Full" is a file size limit on this process (writes beyond it fail as on a
// full disk); "read-only" is a directory standing where the file should be, which stops root
// too (a read-only mode would not).
#include "windowbench.h"

#include "jobs/eepromdump.h"
#include "jobs/eepromimage.h"
#include "shell/programm.h"
#include "shell/registerbemerkungen.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

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
        QVERIFY(!fehler.isEmpty());
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
};

QTEST_MAIN(TestFileFaults)
#include "tst_file_faults.moc"
