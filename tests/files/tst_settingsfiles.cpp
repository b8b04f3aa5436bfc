#include "testcontext.h"

#include "files/settingsfiles.h"
#include "link/link.h"
#include "link/virtualserialport.h"

#include <QtTest>

using namespace zelmar;

class TestSettingsFiles : public QObject {
    Q_OBJECT
private slots:
    void programmIniLoad_data();
    void programmIniLoad();
    void programmIniSaveReplacesFileInPrintForm();

    void settingsIniLoad_data();
    void settingsIniLoad();
    void settingsIniOneNameForReadingAndWriting();

    void slaveInfoLoadTakesColumnsAndPositions();
    void slaveInfoSaveAfterMissingFile();
    void slaveInfoEmptyNamesAndRoundTrip();

    void comIniRoundTripAndMissingLines();

    void loadSettingsIntoLink();
    void negativeTimeoutKeepsTheLinksInterval();
};

// ---------------------------------------------------------------- PROGRAMM.ini

void TestSettingsFiles::programmIniLoad_data() {
    QTest::addColumn<QByteArray>("content"); // a null array: no file at all
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("timeout"); // -1: keep the previous interval

    QTest::newRow("missing file") << QByteArray() << 1 << 1100;
    QTest::newRow("empty file") << QByteArray("") << 1 << 1100;
    QTest::newRow("as written") << QByteArray(" 2 \r\n 500 \r\n") << 2 << 500;
    QTest::newRow("port 16, 65000 taken") << QByteArray(" 16 \r\n 65000 \r\n") << 16 << 65000;
    QTest::newRow("port 17") << QByteArray(" 17 \r\n 800 \r\n") << 1 << 800;
    QTest::newRow("port 0") << QByteArray(" 0 \r\n 800 \r\n") << 1 << 800;
    QTest::newRow("port negative") << QByteArray("-3 \r\n 800 \r\n") << 1 << 800;
    QTest::newRow("timeout 0") << QByteArray(" 3 \r\n 0 \r\n") << 3 << 1100;
    QTest::newRow("timeout 65001") << QByteArray(" 3 \r\n 65001 \r\n") << 3 << 1100;
    QTest::newRow("timeout just above 65000") << QByteArray("3\r\n65000.4\r\n") << 3 << 1100;
    QTest::newRow("timeout 1") << QByteArray("3\r\n1\r\n") << 3 << 1;
    QTest::newRow("timeout negative") << QByteArray(" 3 \r\n-200 \r\n") << 3 << -1;
    QTest::newRow("timeout small negative") << QByteArray("3\r\n-0.3\r\n") << 3 << -1;
    QTest::newRow("timeout -infinite") << QByteArray("3\r\n-1e999\r\n") << 3 << -1;
    QTest::newRow("timeout fraction") << QByteArray("3\r\n1500.6\r\n") << 3 << 1501;
    QTest::newRow("timeout tie to even") << QByteArray("3\r\n2.5\r\n") << 3 << 2;
    QTest::newRow("timeout rounding to 0") << QByteArray("3\r\n0.4\r\n") << 3 << 1100;
    QTest::newRow("timeout exponent") << QByteArray("3\r\n1.2e3\r\n") << 3 << 1200;
    QTest::newRow("timeout huge exponent") << QByteArray("3\r\n1e999\r\n") << 3 << 1100;
    QTest::newRow("port fraction") << QByteArray("4.6\r\n800\r\n") << 5 << 800;
    QTest::newRow("port fraction above 16") << QByteArray("16.4\r\n800\r\n") << 1 << 800;
    QTest::newRow("blanks inside") << QByteArray(" 1 2 \r\n 2 0 0 0 \r\n") << 12 << 2000;
    QTest::newRow("plus sign, tab") << QByteArray("+7\r\n\t+900\r\n") << 7 << 900;
    QTest::newRow("number then text") << QByteArray("9 ports\r\n750ms\r\n") << 9 << 750;
    QTest::newRow("unreadable lines") << QByteArray("abc\r\nxyz\r\n") << 1 << 1100;
    QTest::newRow("only line 1") << QByteArray(" 4 \r\n") << 4 << 1100;
    QTest::newRow("line 1 without line end") << QByteArray("4") << 4 << 1100;
    QTest::newRow("LF line ends") << QByteArray("5\n800\n") << 5 << 800;
    QTest::newRow("CR line ends") << QByteArray("5\r800\r") << 5 << 800;
    QTest::newRow("empty line 1") << QByteArray("\r\n800\r\n") << 1 << 800;
}

void TestSettingsFiles::programmIniLoad() {
    QFETCH(QByteArray, content);
    QFETCH(int, port);
    QFETCH(int, timeout);
    ProgramDir dir;
    if (!content.isNull())
        QVERIFY(putFile(dir.file("PROGRAMM.ini"), content));

    const ProgrammIni ini = PROGRAMM_INI_LADEN(dir.pfad());
    QCOMPARE(ini.COM_PORT_NR, port);
    if (timeout < 0) {
        QVERIFY(!ini.replyTimeoutMs.has_value());
        QCOMPARE(ini.replyTimeoutOr(1000), 1000);
    } else {
        QCOMPARE(ini.replyTimeoutMs.value_or(-99), timeout);
        QCOMPARE(ini.replyTimeoutOr(1000), timeout);
    }
}

void TestSettingsFiles::programmIniSaveReplacesFileInPrintForm() {
    ProgramDir dir;
    const QString path = dir.file("PROGRAMM.ini");
    QVERIFY(putFile(path, QByteArray(500, 'x') + "\r\nold second line\r\nthird\r\n"));

    QVERIFY(PROGRAMM_INI_SPEICHERN(dir.pfad(), 2, 1100));
    QCOMPARE(fileBytes(path), QByteArray(" 2 \r\n 1100 \r\n"));

    QVERIFY(PROGRAMM_INI_SPEICHERN(dir.pfad(), 16, 65000));
    QCOMPARE(fileBytes(path), QByteArray(" 16 \r\n 65000 \r\n"));
    const ProgrammIni back = PROGRAMM_INI_LADEN(dir.pfad());
    QCOMPARE(back.COM_PORT_NR, 16);
    QCOMPARE(back.replyTimeoutOr(0), 65000);
}

// ---------------------------------------------------------------- settings.ini

void TestSettingsFiles::settingsIniLoad_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    const QString def = QStringLiteral("19200,n,8,1");

    QTest::newRow("missing") << QByteArray() << def;
    QTest::newRow("empty") << QByteArray("") << def;
    QTest::newRow("taken unchanged") << QByteArray("9600,e,7,2\r\n") << "9600,e,7,2";
    QTest::newRow("no line end") << QByteArray("4800,o,8,1") << "4800,o,8,1";
    QTest::newRow("leading blank kept") << QByteArray(" 4800,o,8,1\r\n") << " 4800,o,8,1";
    QTest::newRow("no leading number") << QByteArray("n,8,1\r\n") << def;
    QTest::newRow("zero baud") << QByteArray("0,n,8,1\r\n") << def;
    QTest::newRow("negative baud") << QByteArray("-9600,n,8,1\r\n") << def;
    QTest::newRow("only the first line")
        << QByteArray("9600,e,7,2\r\n38400,n,8,1\r\n") << "9600,e,7,2";
    QTest::newRow("empty first line") << QByteArray("\r\n9600,e,7,2\r\n") << def;
    // Not a string any port takes, but the file is read as it stands; the port decides.
    QTest::newRow("nonsense after a number") << QByteArray("7 dwarves\r\n") << "7 dwarves";
}

void TestSettingsFiles::settingsIniLoad() {
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    ProgramDir dir;
    if (!content.isNull())
        QVERIFY(putFile(dir.file("settings.ini"), content));
    QCOMPARE(SETTINGS_INI_LADEN(dir.pfad()), expected);
}

void TestSettingsFiles::settingsIniOneNameForReadingAndWriting() {
    ProgramDir dir;
    // An older installation only has the upper-case file.
    QVERIFY(putFile(dir.file("SETTINGS.ini"), "9600,e,7,2\r\n"));
    QCOMPARE(SETTINGS_INI_LADEN(dir.pfad()), QStringLiteral("9600,e,7,2"));

    QVERIFY(SETTINGS_INI_SPEICHERN(dir.pfad(), QStringLiteral("38400,n,8,1")));
    QCOMPARE(fileBytes(dir.file("settings.ini")), QByteArray("38400,n,8,1\r\n"));
    QCOMPARE(fileBytes(dir.file("SETTINGS.ini")), QByteArray("9600,e,7,2\r\n"));
    QCOMPARE(SETTINGS_INI_LADEN(dir.pfad()), QStringLiteral("38400,n,8,1"));

    // Saving replaces the whole file; what the user typed is stored as typed.
    QVERIFY(SETTINGS_INI_SPEICHERN(dir.pfad(), QStringLiteral("1200,n,8,2")));
    QCOMPARE(fileBytes(dir.file("settings.ini")), QByteArray("1200,n,8,2\r\n"));
    QVERIFY(SETTINGS_INI_SPEICHERN(dir.pfad(), QStringLiteral("96OO,x")));
    QCOMPARE(fileBytes(dir.file("settings.ini")), QByteArray("96OO,x\r\n"));
    QCOMPARE(SETTINGS_INI_LADEN(dir.pfad()), QStringLiteral("96OO,x"));
}

// ---------------------------------------------------------------- SLAVE_INFO.ini

void TestSettingsFiles::slaveInfoLoadTakesColumnsAndPositions() {
    ProgramDir dir;
    const QByteArray longName = "Heizkreis Obergeschoss West Nord-Ost"; // 36 characters
    QByteArray file = "000001Whatever\r\n" // 0: the name is always GENERAL CALL
                      "001002EEPROM\r\n"   // 1
                      "999003Pumpe\r\n"    // 2: the address digits are not checked
                      "\r\n"               // 3: empty line
                      "004\r\n"            // 4: too short for a type
                      "005012Kessel\r\n"   // 5
                      "006001" +
                      longName +
                      "\r\n"            // 6
                      "007001\r\n"      // 7: no name
                      "008999Big\r\n"   // 8: type does not fit a byte
                      "009 4 Gap\r\n"   // 9: blanks in the type field
                      "010xyzName\r\n"; // 10: unreadable type
    QVERIFY(putFile(dir.file("SLAVE_INFO.ini"), file));

    SlaveDirectory d;
    d.SLAVE_NAME[100] = QStringLiteral("stale");
    d.SLAVE_TYP[100] = 3;
    SLAVE_INFO_INI_LADEN(dir.pfad(), d);

    // Lines the file does not have (100, 127), and anything loaded before, give the defaults.
    const struct {
        int adresse;
        QString name;
        int typ;
    } expected[] = {{0, "GENERAL CALL", 1},
                    {1, "EEPROM", 2},
                    {2, "Pumpe", 3},
                    {3, "...", 0},
                    {4, QString(), 0},
                    {5, "Kessel", 12},
                    {6, QString::fromLatin1(longName.left(30)), 1},
                    {7, QString(), 1},
                    {8, "Big", 0},
                    {9, "Gap", 4},
                    {10, "Name", 0},
                    {100, "...", 0},
                    {127, "...", 0}};
    for (const auto& e : expected) {
        QCOMPARE(d.SLAVE_NAME[e.adresse], e.name);
        QCOMPARE(int(d.SLAVE_TYP[e.adresse]), e.typ);
    }
}

void TestSettingsFiles::slaveInfoSaveAfterMissingFile() {
    ProgramDir dir;
    SlaveDirectory d;
    d.SLAVE_NAME[0] = QStringLiteral("changed"); // loading restores it
    SLAVE_INFO_INI_LADEN(dir.pfad(), d);
    QVERIFY(SLAVE_INFO_INI_SPEICHERN(dir.pfad(), d));

    const QByteArray bytes = fileBytes(dir.file("SLAVE_INFO.ini"));
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    QCOMPARE(lines.size(), 128);
    QCOMPARE(lines[0], QByteArray("000000GENERAL CALL\r"));
    for (int k = 1; k < 128; ++k)
        QCOMPARE(lines[k],
                 QByteArray::number(k).rightJustified(3, '0') + "000..." + (k < 127 ? "\r" : ""));
}

void TestSettingsFiles::slaveInfoEmptyNamesAndRoundTrip() {
    ProgramDir dir;
    const QString path = dir.file("SLAVE_INFO.ini");
    QVERIFY(putFile(path, QByteArray(200000, 'z'))); // an older, much longer file

    SlaveDirectory d;
    d.SLAVE_NAME[3] = QString();
    d.SLAVE_NAME[8] = QStringLiteral("Küche");
    d.SLAVE_TYP[8] = 1;
    d.SLAVE_NAME[80] = QStringLiteral("EEPROM 64k");
    d.SLAVE_TYP[80] = 2;
    d.SLAVE_TYP[81] = 255;
    // A name read from a slave may carry line breaks; the file must keep one line per address.
    d.SLAVE_NAME[20] = QStringLiteral("Bad\r\nWC");
    QVERIFY(SLAVE_INFO_INI_SPEICHERN(dir.pfad(), d));
    QCOMPARE(d.SLAVE_NAME[3], QStringLiteral("---"));

    const QByteArray bytes = fileBytes(path);
    QCOMPARE(bytes.count('\n'), 128);
    QVERIFY(bytes.contains("\r\n003000---\r\n"));
    QVERIFY(bytes.contains("\r\n008001K\xfc"
                           "che\r\n")); // Latin-1 when every name fits
    QVERIFY(bytes.contains("\r\n020000Bad  WC\r\n"));
    QVERIFY(bytes.contains("\r\n081255...\r\n"));

    SlaveDirectory back;
    SLAVE_INFO_INI_LADEN(dir.pfad(), back);
    QCOMPARE(back.SLAVE_NAME[3], QStringLiteral("---"));
    QCOMPARE(back.SLAVE_NAME[8], QStringLiteral("Küche"));
    QCOMPARE(int(back.SLAVE_TYP[8]), 1);
    QCOMPARE(back.SLAVE_NAME[80], QStringLiteral("EEPROM 64k"));
    QCOMPARE(int(back.SLAVE_TYP[80]), 2);
    QCOMPARE(int(back.SLAVE_TYP[81]), 255);
    QCOMPARE(back.SLAVE_NAME[21], QStringLiteral("..."));

    // A name Latin-1 cannot hold makes its line UTF-8, and so does one whose Latin-1 bytes
    // would read as UTF-8 ("Í¥" is CD A5, which is "\u0365"); every name reads back the same.
    d.SLAVE_NAME[9] = QStringLiteral("Wärmepumpe ≈ 3 kW");
    d.SLAVE_NAME[10] = QStringLiteral("Í¥ENTRALE");
    QVERIFY(SLAVE_INFO_INI_SPEICHERN(dir.pfad(), d));
    QVERIFY(fileBytes(path).contains("\r\n008001K\xfc"
                                     "che\r\n"));
    QVERIFY(fileBytes(path).contains("\r\n010000\xc3\x8d\xc2\xa5"
                                     "ENTRALE\r\n"));
    SLAVE_INFO_INI_LADEN(dir.pfad(), back);
    QCOMPARE(back.SLAVE_NAME[9], QStringLiteral("Wärmepumpe ≈ 3 kW"));
    QCOMPARE(back.SLAVE_NAME[8], QStringLiteral("Küche"));
    QCOMPARE(back.SLAVE_NAME[10], QStringLiteral("Í¥ENTRALE"));
}

// ---------------------------------------------------------------- COM.ini

void TestSettingsFiles::comIniRoundTripAndMissingLines() {
    ProgramDir dir;
    const QString path = dir.file("COM.ini");

    for (const QString& r : COM_INI_LADEN(dir.pfad()))
        QCOMPARE(r, QStringLiteral("...."));

    QVERIFY(putFile(path, "USB-Adapter\r\n\r\nModem"));
    ComRemarks r = COM_INI_LADEN(dir.pfad());
    QCOMPARE(r[0], QStringLiteral("USB-Adapter"));
    QCOMPARE(r[1], QString()); // an empty line is a remark too
    QCOMPARE(r[2], QStringLiteral("Modem"));
    QCOMPARE(r[3], QStringLiteral("...."));
    QCOMPARE(r[15], QStringLiteral("...."));

    r[15] = QStringLiteral("Port 16 über Hub");
    r[4] = QStringLiteral("two\nlines");
    QVERIFY(COM_INI_SPEICHERN(dir.pfad(), r));
    QCOMPARE(fileBytes(path), QByteArray("USB-Adapter\r\n\r\nModem\r\n....\r\ntwo lines\r\n"
                                         "....\r\n....\r\n....\r\n....\r\n....\r\n....\r\n"
                                         "....\r\n....\r\n....\r\n....\r\nPort 16 \xfc"
                                         "ber Hub\r\n"));
    const ComRemarks back = COM_INI_LADEN(dir.pfad());
    QCOMPARE(back[15], QStringLiteral("Port 16 über Hub"));
    QCOMPARE(back[4], QStringLiteral("two lines"));

    // Lines beyond the sixteenth belong to nobody.
    QVERIFY(putFile(path, QByteArray("a\r\n").repeated(20)));
    QCOMPARE(COM_INI_LADEN(dir.pfad())[15], QStringLiteral("a"));
}

// ---------------------------------------------------------------- the link

void TestSettingsFiles::loadSettingsIntoLink() {
    ProgramDir dir; // no files at all: tst_shellwindows::startWithoutSettingsFiles
    QVERIFY(putFile(dir.file("settings.ini"), "9600,e,7,2\r\n"));
    QVERIFY(putFile(dir.file("PROGRAMM.ini"), " 5 \r\n 800 \r\n"));
    {
        VirtualSerialPort port;
        Link link(port);
        loadSettingsInto(link, dir.pfad());
        QCOMPARE(link.COM_SETTINGS, QStringLiteral("9600,e,7,2"));
        QCOMPARE(port.settings(), QStringLiteral("9600,e,7,2"));
        QCOMPARE(link.COM_PORT_NR, 5);
        QCOMPARE(port.portNumber(), 1); // only the console moves the port
        QCOMPARE(link.replyTimeout(), 800);

        link.COM_PORT_NR = 3;
        QVERIFY(link.setReplyTimeout(250));
        QVERIFY(saveProgrammIni(link, dir.pfad()));
        QCOMPARE(fileBytes(dir.file("PROGRAMM.ini")), QByteArray(" 3 \r\n 250 \r\n"));
    }
    // A string the port refuses is still the setting; the port keeps what it had.
    QVERIFY(putFile(dir.file("settings.ini"), "9600,q,7,2\r\n"));
    {
        VirtualSerialPort port;
        Link link(port);
        loadSettingsInto(link, dir.pfad());
        QCOMPARE(link.COM_SETTINGS, QStringLiteral("9600,q,7,2"));
        QCOMPARE(port.settings(), QStringLiteral("19200,n,8,1"));
    }
}

void TestSettingsFiles::negativeTimeoutKeepsTheLinksInterval() {
    ProgramDir dir;
    QVERIFY(putFile(dir.file("PROGRAMM.ini"), " 2 \r\n-5 \r\n"));
    VirtualSerialPort port;
    Link link(port);
    loadSettingsInto(link, dir.pfad());
    QCOMPARE(link.replyTimeout(), 1000); // the interval the timer starts with
    QCOMPARE(link.COM_PORT_NR, 2);

    QVERIFY(link.setReplyTimeout(700));
    loadSettingsInto(link, dir.pfad());
    QCOMPARE(link.replyTimeout(), 700);
}

QTEST_GUILESS_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
