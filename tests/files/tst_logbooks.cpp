#include "testcontext.h"

#include "files/logbooks.h"
#include "files/systemservices.h"
#include "files/texts.h"
#include "link/link.h"
#include "link/virtualserialport.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace zelmar;

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QDateTime kNow(QDate(2006, 12, 5), QTime(7, 42, 6));

class FixedClock : public SystemServices {
public:
    QDateTime at = kNow;
    QDateTime now() const override { return at; }
};

} // namespace

class TestLogbooks : public QObject {
    Q_OBJECT
private slots:
    void printForm_data();
    void printForm();
    void leadingNumber_data();
    void leadingNumber();
    void dateAndTimeTexts();

    void startAndEndLinesAppend();
    void twiLineFollowsThePrintZones_data();
    void twiLineFollowsThePrintZones();
    void twiLogbookAppendsWholeLines();
    void engineFramesReachTheTwiLogbook();
    void endLineIntoADirectoryFailsAndLeavesIt();
};

// ---------------------------------------------------------------- number and date texts

void TestLogbooks::printForm_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("5") << 5.0 << QLocale::c() << " 5 ";
    QTest::newRow("-3") << -3.0 << QLocale::c() << "-3 ";
    QTest::newRow("0") << 0.0 << QLocale::c() << " 0 ";
    QTest::newRow("-0") << -0.0 << QLocale::c() << " 0 ";
    QTest::newRow("65536") << 65536.0 << kGerman << " 65536 "; // no grouping
    QTest::newRow("12 digits") << 123456789012.0 << QLocale::c() << " 123456789012 ";
    QTest::newRow("fraction, German") << 1.5 << kGerman << " 1,5 ";
    QTest::newRow("fraction, C") << -1.5 << QLocale::c() << "-1.5 ";
    QTest::newRow("very large") << 1e20 << QLocale::c() << " 1E+20 ";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QLocale::c()
                                  << " NaN ";
    QTest::newRow("-infinity") << -std::numeric_limits<double>::infinity() << QLocale::c()
                               << "-Inf ";
}

void TestLogbooks::printForm() {
    QFETCH(double, value);
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(zelmar::printForm(value, locale), expected);
}

void TestLogbooks::leadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("print form") << " 1100 " << 1100.0;
    QTest::newRow("text after") << "  12abc" << 12.0;
    QTest::newRow("blanks between digits") << "1 2 3" << 123.0;
    QTest::newRow("sign apart") << "- 4" << -4.0;
    QTest::newRow("two signs") << "--4" << 0.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("second point") << "1.5.3" << 1.5;
    QTest::newRow("comma ends") << "1,5" << 1.0;
    QTest::newRow("exponent") << "2e3x" << 2000.0;
    QTest::newRow("D exponent") << "2D-1" << 0.2;
    QTest::newRow("bare exponent letter") << "12e" << 12.0;
    QTest::newRow("exponent sign only") << "12e+" << 12.0;
    QTest::newRow("letter first") << "e5" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("words") << "abc" << 0.0;
}

void TestLogbooks::leadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(zelmar::leadingNumber(text), expected);
}

void TestLogbooks::dateAndTimeTexts() {
    // German texts: every logbook line below.
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QCOMPARE(dateText(kNow.date(), us), QStringLiteral("12/5/2006"));
    QCOMPARE(timeText(QTime(19, 2, 3), us), QStringLiteral("7:02:03 PM"));

    // Zone parts before the time, in brackets, or none at all: never any zone text.
    for (const QLocale& l :
         {QLocale(QLocale::Chinese, QLocale::China), QLocale(QLocale::Persian, QLocale::Iran),
          QLocale(QLocale::Finnish, QLocale::Finland), QLocale::c()}) {
        const QString f = longTimeFormat(l);
        QVERIFY2(!f.contains(QLatin1Char('t')) && !f.contains(QLatin1Char('(')) &&
                     f == f.trimmed() && f.contains(QLatin1String("ss")),
                 qPrintable(l.name() + QLatin1String(": ") + f));
    }
    // A four-digit year stays four digits; a quoted literal is left alone.
    QCOMPARE(shortDateFormat(QLocale(QLocale::Japanese)), QStringLiteral("yyyy/MM/dd"));
    QCOMPARE(shortDateFormat(QLocale(QLocale::Korean)).left(6), QStringLiteral("yyyy. "));
}

// ---------------------------------------------------------------- LOGBUCH.txt

void TestLogbooks::startAndEndLinesAppend() {
    ProgramDir dir;
    const QString daten = dir.pfad();
    QVERIFY(LOGBUCH_START(daten, kNow, kGerman));
    QVERIFY(LOGBUCH_ENDE(daten, kNow.addSecs(61), kGerman));
    QVERIFY(LOGBUCH_START(daten, kNow.addDays(1), kGerman));
    QVERIFY(LOGBUCH_START(daten, kNow.addDays(1).addSecs(3), kGerman));
    QCOMPARE(fileBytes(dir.file("LOGBUCH.txt")), QByteArray("05.12.2006 07:42:06   START\r\n"
                                                            "05.12.2006 07:43:07   ENDE\r\n"
                                                            "06.12.2006 07:42:06   START\r\n"
                                                            "06.12.2006 07:42:09   START\r\n"));

    // A locale whose texts Latin-1 cannot hold writes its line as UTF-8.
    QVERIFY(LOGBUCH_ENDE(daten, kNow, QLocale(QLocale::Japanese)));
    const QByteArray last = fileBytes(dir.file("LOGBUCH.txt")).split('\n').at(4);
    QVERIFY2(last.startsWith("2006/12/05 7\xe6\x99\x82"
                             "42"),
             last.constData());
    QVERIFY(last.endsWith("   ENDE\r"));
}

// ---------------------------------------------------------------- LOGBUCH_TWI.txt

void TestLogbooks::twiLineFollowsThePrintZones_data() {
    QTest::addColumn<int>("befehl");
    QTest::addColumn<int>("slave");
    QTest::addColumn<double>("senden");
    QTest::addColumn<QString>("expected");
    // Zones start at columns 1, 15, 29, 43, ...; date, time and BEFEHL fill the first two.
    QTest::newRow("voltage request")
        << 3 << 127 << 0.0
        << "05.12.2006 07:42:06  3       127           0             0             0       "
           "      0             0             0             0 ";
    QTest::newRow("three-digit command")
        << 255 << 8 << 65536.0
        << "05.12.2006 07:42:06  255     8             0             65536         0       "
           "      1             2             3             4 ";
    // A number that fills its zone exactly: the next one starts right at the boundary.
    QTest::newRow("zone filled exactly")
        << 5 << 127 << 123456789012.0
        << "05.12.2006 07:42:06  5       127           0             123456789012  0       "
           "      1             2             3             4 ";
    // One digit more runs into the next zone, so the next number moves a whole zone on.
    QTest::newRow("zone overrun")
        << 5 << 127 << 1234567890123.0
        << "05.12.2006 07:42:06  5       127           0             1234567890123         "
           "      0             1             2             3             4 ";
}

void TestLogbooks::twiLineFollowsThePrintZones() {
    QFETCH(int, befehl);
    QFETCH(int, slave);
    QFETCH(double, senden);
    QFETCH(QString, expected);
    FrameLogEntry e;
    e.befehl = befehl;
    e.slaveAdresse = slave;
    e.anzahlSenden = senden;
    if (befehl != 3)
        e.daten = {1, 2, 3, 4};
    QCOMPARE(twiLogbookLine(e, kNow, kGerman), expected);
}

void TestLogbooks::twiLogbookAppendsWholeLines() {
    ProgramDir dir;
    FixedClock clock;
    TwiLogbook logbook(dir.pfad(), clock, kGerman);

    FrameLogEntry e;
    e.befehl = 60;
    e.slaveAdresse = 8;
    e.anzahlEmpfangen = 1;
    logbook.logFrame(e);
    clock.at = kNow.addSecs(1);
    e.befehl = 30;
    e.reserve = 17;
    logbook.logFrame(e);

    QCOMPARE(fileBytes(dir.file("LOGBUCH_TWI.txt")),
             QByteArray("05.12.2006 07:42:06  60      8             0             0             1"
                        "             0             0             0             0 \r\n"
                        "05.12.2006 07:42:07  30      8             17            0             1"
                        "             0             0             0             0 \r\n"));
}

void TestLogbooks::engineFramesReachTheTwiLogbook() {
    ProgramDir dir;
    FixedClock clock;
    TwiLogbook logbook(dir.pfad(), clock, kGerman);
    VirtualSerialPort port;
    Link link(port);
    link.setFrameLogSink(&logbook);

    link.BEFEHL = 80;
    link.SLAVE_ADRESSE = 80;
    link.ANZAHL_SENDEN = 2;
    link.SENDEPUFFER[1] = 0x12;
    link.SENDEPUFFER[2] = 0x34;
    link.SENDEPUFFER[3] = 9; // beyond the count, logged all the same
    link.RAHMEN_SENDEN();
    QCOMPARE(port.written().size(), 1);
    QCOMPARE(fileBytes(dir.file("LOGBUCH_TWI.txt")),
             QByteArray("05.12.2006 07:42:06  80      80            0             2             0"
                        "             18            52            9             0 \r\n"));
}

// Unreachable directories: tst_badfiles; a failing logbook sink: tst_shellwindows.
void TestLogbooks::endLineIntoADirectoryFailsAndLeavesIt() {
    ProgramDir dir;
    QVERIFY(QDir(dir.pfad()).mkdir(QStringLiteral("LOGBUCH.txt")));
    QVERIFY(!LOGBUCH_ENDE(dir.pfad(), kNow, kGerman));
    QVERIFY(QFileInfo(dir.file("LOGBUCH.txt")).isDir());
}

QTEST_GUILESS_MAIN(TestLogbooks)
#include "tst_logbooks.moc"
