// Settings files and logbooks that are damaged, huge, of the wrong kind or out of reach:
// the program must go on with defaults and never read without bound.
#include "testcontext.h"

#include "files/logbooks.h"
#include "files/settingsfiles.h"
#include "files/texts.h"

#include <QRandomGenerator>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/types.h>
#endif

using namespace zelmar;

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QDateTime kNow(QDate(2006, 12, 5), QTime(7, 42, 6));
const QString kDefaultSettings = QStringLiteral("19200,n,8,1");
constexpr int kLineCap = 4096;

void checkDefaults(const QString& pfad) {
    const ProgrammIni p = PROGRAMM_INI_LADEN(pfad);
    QCOMPARE(p.COM_PORT_NR, 1);
    QCOMPARE(p.replyTimeoutOr(-1), 1100);
    QCOMPARE(SETTINGS_INI_LADEN(pfad), kDefaultSettings);
    SlaveDirectory d;
    d.SLAVE_NAME[7] = QStringLiteral("stale");
    SLAVE_INFO_INI_LADEN(pfad, d);
    QCOMPARE(d.SLAVE_NAME[0], QStringLiteral("GENERAL CALL"));
    QCOMPARE(d.SLAVE_NAME[7], QStringLiteral("..."));
    QCOMPARE(COM_INI_LADEN(pfad)[0], QStringLiteral("...."));
}

// Every writer; returns how many reported success.
int writeAll(const QString& pfad) {
    SlaveDirectory d;
    ComRemarks r;
    r.fill(QStringLiteral("x"));
    return int(PROGRAMM_INI_SPEICHERN(pfad, 2, 900)) +
           int(SETTINGS_INI_SPEICHERN(pfad, "9600,e,7,2")) +
           int(SLAVE_INFO_INI_SPEICHERN(pfad, d)) + int(COM_INI_SPEICHERN(pfad, r)) +
           int(LOGBUCH_START(pfad, kNow, kGerman)) +
           int(LOGBUCH_TWI_EINTRAG(pfad, FrameLogEntry{}, kNow, kGerman));
}

bool putHugeLine(const QString& path, const QByteArray& head, qint64 size, const QByteArray& tail) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(head) != head.size())
        return false;
    const QByteArray block(1 << 20, 'x');
    for (qint64 written = 0; written < size; written += block.size()) {
        if (f.write(block) != block.size())
            return false;
    }
    return f.write(tail) == tail.size();
}

} // namespace

class TestBadFiles : public QObject {
    Q_OBJECT
private slots:
    void randomBinaryFiles();
    void fiftyMegabyteLines();
    void encodingPerLineAndAtTheCap();
    void directoriesWhereFilesShouldBe();
    void unreachableProgramDirectory();
    void fifosAreNeverOpened();
    void noFileStaysOpen();
};

void TestBadFiles::randomBinaryFiles() {
    QRandomGenerator random(20061205);
    for (int round = 0; round < 25; ++round) {
        ProgramDir dir;
        for (const char* name : {"PROGRAMM.ini", "settings.ini", "SLAVE_INFO.ini", "COM.ini"}) {
            QByteArray bytes(int(random.bounded(1 << 16)), Qt::Uninitialized);
            for (char& c : bytes)
                c = char(random.bounded(256));
            // Now and then a garbage file that starts like a real one.
            if (round % 3 == 0)
                bytes.prepend(round % 2 ? " 7 \r\n" : "9600,e,7,2");
            QVERIFY(putFile(dir.file(QString::fromLatin1(name)), bytes));
        }

        const ProgrammIni p = PROGRAMM_INI_LADEN(dir.pfad());
        QVERIFY(p.COM_PORT_NR >= 1 && p.COM_PORT_NR <= 16);
        const int timeout = p.replyTimeoutOr(1000);
        QVERIFY2(timeout >= 1 && timeout <= 65000, qPrintable(QString::number(timeout)));

        const QString settings = SETTINGS_INI_LADEN(dir.pfad());
        QVERIFY(settings == kDefaultSettings || leadingNumber(settings) > 0);
        QVERIFY(settings.size() <= kLineCap);
        QVERIFY(!settings.contains(QLatin1Char('\r')) && !settings.contains(QLatin1Char('\n')));

        SlaveDirectory d;
        SLAVE_INFO_INI_LADEN(dir.pfad(), d);
        QCOMPARE(d.SLAVE_NAME[0], QStringLiteral("GENERAL CALL"));
        for (const QString& name : d.SLAVE_NAME)
            QVERIFY(name.size() <= 30 && !name.contains(QLatin1Char('\n')));

        const ComRemarks r = COM_INI_LADEN(dir.pfad());
        for (const QString& remark : r)
            QVERIFY(remark.size() <= kLineCap && !remark.contains(QLatin1Char('\r')));

        // What was read from garbage is written back as well-formed files.
        QVERIFY(PROGRAMM_INI_SPEICHERN(dir.pfad(), p.COM_PORT_NR, timeout));
        QVERIFY(SETTINGS_INI_SPEICHERN(dir.pfad(), settings));
        QVERIFY(SLAVE_INFO_INI_SPEICHERN(dir.pfad(), d));
        QVERIFY(COM_INI_SPEICHERN(dir.pfad(), r));
        QCOMPARE(PROGRAMM_INI_LADEN(dir.pfad()).COM_PORT_NR, p.COM_PORT_NR);
        QCOMPARE(PROGRAMM_INI_LADEN(dir.pfad()).replyTimeoutOr(-1), timeout);
        QCOMPARE(SETTINGS_INI_LADEN(dir.pfad()), settings);
        SlaveDirectory back;
        SLAVE_INFO_INI_LADEN(dir.pfad(), back);
        QVERIFY(back.SLAVE_TYP == d.SLAVE_TYP);
        QCOMPARE(fileBytes(dir.file("SLAVE_INFO.ini")).count('\n'), 128);
        QCOMPARE(fileBytes(dir.file("COM.ini")).count('\n'), 16);
    }
}

void TestBadFiles::fiftyMegabyteLines() {
    constexpr qint64 k50MB = 50LL << 20;
    ProgramDir dir;

    // The rest of an over-long line is skipped, and the lines after it still count.
    QVERIFY(putHugeLine(dir.file("PROGRAMM.ini"), "3", k50MB, "\r\n 900 \r\n"));
    const ProgrammIni p = PROGRAMM_INI_LADEN(dir.pfad());
    QCOMPARE(p.COM_PORT_NR, 3);
    QCOMPARE(p.replyTimeoutOr(-1), 900);
    QVERIFY(QFile::remove(dir.file("PROGRAMM.ini")));

    QVERIFY(putHugeLine(dir.file("settings.ini"), "9600,e,7,2", k50MB, ""));
    const QString settings = SETTINGS_INI_LADEN(dir.pfad());
    QCOMPARE(settings.size(), kLineCap);
    QVERIFY(settings.startsWith(QLatin1String("9600,e,7,2xxx")));
    QVERIFY(QFile::remove(dir.file("settings.ini")));

    QVERIFY(putHugeLine(dir.file("SLAVE_INFO.ini"), "000", k50MB, "\r\n001002Second\r\n"));
    SlaveDirectory d;
    SLAVE_INFO_INI_LADEN(dir.pfad(), d);
    QCOMPARE(d.SLAVE_NAME[1], QStringLiteral("Second"));
    QCOMPARE(int(d.SLAVE_TYP[1]), 2);
    QVERIFY(QFile::remove(dir.file("SLAVE_INFO.ini")));

    QVERIFY(putHugeLine(dir.file("COM.ini"), "", k50MB, ""));
    const ComRemarks r = COM_INI_LADEN(dir.pfad());
    QCOMPARE(r[0], QString(kLineCap, QLatin1Char('x')));
    QCOMPARE(r[1], QStringLiteral("...."));
}

void TestBadFiles::encodingPerLineAndAtTheCap() {
    ProgramDir dir;
    // Lines written by older installations in Latin-1 next to UTF-8 lines.
    QVERIFY(putFile(dir.file("COM.ini"), QByteArray("K\xfc"
                                                    "che\r\nK\xc3\xbc"
                                                    "che\r\n") +
                                             QByteArray(kLineCap - 1, 'a') +
                                             "\xc3\xbc"
                                             "b\r\nlast\r\n"));
    const ComRemarks r = COM_INI_LADEN(dir.pfad());
    QCOMPARE(r[0], QStringLiteral("Küche"));
    QCOMPARE(r[1], QStringLiteral("Küche"));
    // The cap falls inside the two bytes of "ü": the half character goes, the line stays UTF-8.
    QCOMPARE(r[2], QString(kLineCap - 1, QLatin1Char('a')));
    QCOMPARE(r[3], QStringLiteral("last"));
}

void TestBadFiles::directoriesWhereFilesShouldBe() {
    ProgramDir dir;
    QDir d(dir.pfad());
    for (const char* name : {"PROGRAMM.ini", "settings.ini", "SLAVE_INFO.ini", "COM.ini",
                             "LOGBUCH.txt", "LOGBUCH_TWI.txt"})
        QVERIFY(d.mkdir(QString::fromLatin1(name)));
    checkDefaults(dir.pfad());
    QCOMPARE(writeAll(dir.pfad()), 0);
    for (const char* name : {"PROGRAMM.ini", "settings.ini", "SLAVE_INFO.ini", "COM.ini"})
        QVERIFY(QFileInfo(dir.file(QString::fromLatin1(name))).isDir());

    // With the lower-case name taken by a directory the upper-case file is read.
    QVERIFY(putFile(dir.file("SETTINGS.ini"), "2400,n,8,1\r\n"));
    QCOMPARE(SETTINGS_INI_LADEN(dir.pfad()), QStringLiteral("2400,n,8,1"));
}

void TestBadFiles::unreachableProgramDirectory() {
    ProgramDir dir;
    QVERIFY(putFile(dir.file("plain"), "a file, not a directory"));
    const QString pfad = dir.file("plain") + QLatin1Char('/');
    checkDefaults(pfad);
    QCOMPARE(writeAll(pfad), 0);
    QCOMPARE(fileBytes(dir.file("plain")), QByteArray("a file, not a directory"));
}

void TestBadFiles::fifosAreNeverOpened() {
#ifdef Q_OS_UNIX
    // A FIFO would block the reader (or the writer) until a peer shows up.
    ProgramDir dir;
    for (const char* name : {"PROGRAMM.ini", "settings.ini", "SLAVE_INFO.ini", "COM.ini",
                             "LOGBUCH.txt", "LOGBUCH_TWI.txt"})
        QCOMPARE(::mkfifo(QFile::encodeName(dir.file(QString::fromLatin1(name))).constData(), 0600),
                 0);
    checkDefaults(dir.pfad());
    QVERIFY(!LOGBUCH_START(dir.pfad(), kNow, kGerman));
    QVERIFY(!LOGBUCH_TWI_EINTRAG(dir.pfad(), FrameLogEntry{}, kNow, kGerman));
#else
    QSKIP("no FIFOs here");
#endif
}

void TestBadFiles::noFileStaysOpen() {
#ifdef Q_OS_LINUX
    auto openFiles = [] {
        return QDir(QStringLiteral("/proc/self/fd"))
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
            .size();
    };
    ProgramDir dir;
    const int before = openFiles();
    QCOMPARE(writeAll(dir.pfad()), 6);
    checkDefaults(dir.file("missing/"));
    const ProgrammIni p = PROGRAMM_INI_LADEN(dir.pfad());
    QCOMPARE(p.COM_PORT_NR, 2);
    QCOMPARE(SETTINGS_INI_LADEN(dir.pfad()), QStringLiteral("9600,e,7,2"));
    SlaveDirectory d;
    SLAVE_INFO_INI_LADEN(dir.pfad(), d);
    QCOMPARE(COM_INI_LADEN(dir.pfad())[3], QStringLiteral("x"));
    QVERIFY(LOGBUCH_ENDE(dir.pfad(), kNow, kGerman));
    QCOMPARE(openFiles(), before);
#else
    QSKIP("needs /proc/self/fd");
#endif
}

QTEST_GUILESS_MAIN(TestBadFiles)
#include "tst_badfiles.moc"
