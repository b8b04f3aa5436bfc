// The start procedure, the main window, the status line, shut-down, the help and info windows.

#include "testcontext.h"

#include "app/start.h"
#include "shell/hauptwindow.h"
#include "shell/hilfewindow.h"
#include "shell/programm.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace zelmar;

class TestShellWindows : public QObject {
    Q_OBJECT

private slots:
    void startWithoutSettingsFiles();
    void startLoadsSettingsFiles();
    void unusableSettingsAreSaidOnce();
    void twoStartsInARow();
    void dataDirectoryThatCannotBeMade();
    void everyExitSavesAndEnds_data();
    void everyExitSavesAndEnds();
    void statusZeileKinds();
    void consoleOpensByItself();
    void menuEntriesOfMissingWindowsAreGreyed();
    void menuBringsOpenWindowForward();
    void helpTextByteForByte();
    void helpWindowShowsTextOnceAndCloses();
    void infoWindowShowsVersionAndClosesItself();
};

void TestShellWindows::startWithoutSettingsFiles() {
    TestContext t;
    t.link.SLAVE_ADRESSE = 3;
    t.link.STATUS_TEXT = QStringLiteral("ok");
    HauptWindow* haupt = Main(t.ctx, t.dir.path());
    QVERIFY(haupt && haupt->isVisible());

    QVERIFY(QFileInfo(t.dir.path() + "/DATEN").isDir());
    QCOMPARE(t.ctx.DATEN_PFAD, t.dir.path() + "/DATEN/");
    QCOMPARE(t.port.settings(), QStringLiteral("19200,n,8,1"));
    QCOMPARE(t.link.COM_SETTINGS, QStringLiteral("19200,n,8,1"));
    QCOMPARE(t.link.COM_PORT_NR, 1);
    QCOMPARE(t.link.replyTimeout(), 1100);
    QCOMPARE(t.link.SLAVE_ADRESSE, quint8(127));
    QCOMPARE(t.slaves.SLAVE_NAME[0], QStringLiteral("GENERAL CALL"));
    for (int a = 1; a < SlaveDirectory::ANZAHL; ++a)
        QCOMPARE(t.slaves.SLAVE_NAME[a], QStringLiteral("..."));
    QCOMPARE(fileBytes(t.ctx.DATEN_PFAD + "LOGBUCH.txt"),
             QByteArray("05.12.2006 07:42:06   START\r\n"));

    QCOMPARE(haupt->windowTitle(), QStringLiteral("ZELMAR"));
    QTRY_VERIFY(haupt->windowTitle().endsWith(QStringLiteral(" PORT:1 (127)    PROGRAMMSTART")));
}

void TestShellWindows::startLoadsSettingsFiles() {
    TestContext t;
    QVERIFY(putFile(t.file("settings.ini"), "9600,e,7,2\r\n"));
    QVERIFY(putFile(t.file("PROGRAMM.ini"), " 4 \r\n 2500 \r\n"));
    QVERIFY(putFile(t.file("SLAVE_INFO.ini"), "000000x\r\n001000\r\n002001Kessel\r\n"));
    Main(t.ctx, t.dir.path());
    QCOMPARE(t.port.settings(), QStringLiteral("9600,e,7,2"));
    QCOMPARE(t.link.COM_PORT_NR, 4);
    QCOMPARE(t.link.replyTimeout(), 2500);
    QCOMPARE(t.slaves.SLAVE_NAME[0], QStringLiteral("GENERAL CALL"));
    QCOMPARE(t.slaves.SLAVE_NAME[2], QStringLiteral("Kessel"));
    QCOMPARE(t.slaves.SLAVE_TYP[2], quint8(1));
    // The port keeps its number until the console applies COM_PORT_NR.
    QCOMPARE(t.port.portNumber(), 1);
}

void TestShellWindows::unusableSettingsAreSaidOnce() {
    TestContext t;
    const QByteArray programm = " 17 \r\n 65001 \r\n";
    QVERIFY(putFile(t.file("settings.ini"), "9600,x,8,1\r\n"));
    QVERIFY(putFile(t.file("PROGRAMM.ini"), programm));
    QVERIFY(QDir().mkdir(t.file("PORTS.ini")));
    Main(t.ctx, t.dir.path());
    QCOMPARE(t.link.COM_PORT_NR, 1);
    QCOMPARE(t.link.replyTimeout(), 1100);
    QCOMPARE(t.port.settings(), QStringLiteral("19200,n,8,1"));
    // One message, a line for each value, naming the file, the value and what is used.
    const QStringList m = t.prompter.messages();
    QCOMPARE(m.size(), 1);
    const QStringList zeilen = m.first().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const QString pfad = t.ctx.PROGRAMM_PFAD;
    for (const QStringList& teile :
         {QStringList{pfad + "PROGRAMM.ini", "\"17\"", "Port 1"},
          QStringList{pfad + "PROGRAMM.ini", "\"65001\"", "1100 ms"},
          QStringList{pfad + "settings.ini", "\"9600,x,8,1\"", "19200,n,8,1"},
          QStringList{pfad + "PORTS.ini", "Verzeichnis", "/dev/ttyS"}}) {
        bool gefunden = false;
        for (const QString& z : zeilen)
            gefunden = gefunden || std::all_of(teile.begin(), teile.end(),
                                               [&](const QString& t) { return z.contains(t); });
        QVERIFY2(gefunden, qPrintable(teile.join(' ') + " in " + m.first()));
    }
    QCOMPARE(fileBytes(t.file("PROGRAMM.ini")), programm);
    QCOMPARE(fileBytes(t.file("settings.ini")), QByteArray("9600,x,8,1\r\n"));
}

void TestShellWindows::twoStartsInARow() {
    QTemporaryDir dir;
    for (int run = 0; run < 2; ++run) {
        TestContext t;
        t.system.clock = t.system.clock.addSecs(run * 60);
        HauptWindow* haupt = Main(t.ctx, dir.path());
        t.system.clock = t.system.clock.addSecs(5);
        QTest::mouseClick(haupt->findChild<QPushButton*>("Command_EXIT"), Qt::LeftButton);
        QCOMPARE(t.system.exits, 1);
    }
    QCOMPARE(fileBytes(dir.path() + "/DATEN/LOGBUCH.txt"),
             QByteArray("05.12.2006 07:42:06   START\r\n"
                        "05.12.2006 07:42:11   ENDE\r\n"
                        "05.12.2006 07:43:06   START\r\n"
                        "05.12.2006 07:43:11   ENDE\r\n"));
}

void TestShellWindows::dataDirectoryThatCannotBeMade() {
    TestContext t;
    QVERIFY(QDir(t.ctx.DATEN_PFAD).removeRecursively());
    QVERIFY(putFile(t.file("DATEN"), "a file in its place"));
    HauptWindow* haupt = Main(t.ctx, t.dir.path());
    QVERIFY(haupt->isVisible());
    t.link.BEFEHL = 0;
    t.link.RAHMEN_SENDEN(); // the TWI logbook line fails, the frame goes out
    t.link.RAHMEN_SENDEN();
    QCOMPARE(t.port.written().size(), 2);
    QTest::mouseClick(haupt->findChild<QPushButton*>("Command_EXIT"), Qt::LeftButton);
    QCOMPARE(t.system.exits, 1);
    // Each logbook says once that it cannot be written: at the start, at the first frame, and
    // in the list of what the end could not save.
    const QStringList m = t.prompter.messages();
    QCOMPARE(m.size(), 3);
    QVERIFY(m[0].startsWith(t.ctx.DATEN_PFAD + "LOGBUCH.txt\r\n"));
    QVERIFY(m[1].startsWith(t.ctx.DATEN_PFAD + "LOGBUCH_TWI.txt\r\n"));
    QVERIFY(m[2].startsWith(t.ctx.DATEN_PFAD + "LOGBUCH.txt\r\n"));
    QCOMPARE(fileBytes(t.file("DATEN")), QByteArray("a file in its place"));
}

void TestShellWindows::everyExitSavesAndEnds_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("END") << "Command_EXIT";
    QTest::newRow("menu EXIT") << "menue_EXIT";
    QTest::newRow("closing HAUPT") << "close";
}

void TestShellWindows::everyExitSavesAndEnds() {
    QFETCH(QString, way);
    TestContext t;
    HauptWindow* haupt = Main(t.ctx, t.dir.path());
    t.link.setReplyTimeout(2500);
    t.link.COM_PORT_NR = 3;
    t.slaves.SLAVE_NAME[9] = QString();
    QVERIFY(t.port.open());

    if (way == "Command_EXIT")
        QTest::mouseClick(haupt->findChild<QPushButton*>(way), Qt::LeftButton);
    else if (way == "menue_EXIT")
        haupt->findChild<QAction*>(way)->trigger();
    else
        haupt->close();

    QCOMPARE(t.system.exits, 1);
    QVERIFY(!t.port.isOpen());
    QCOMPARE(fileBytes(t.file("PROGRAMM.ini")), QByteArray(" 3 \r\n 2500 \r\n"));
    QVERIFY(fileBytes(t.ctx.DATEN_PFAD + "LOGBUCH.txt").endsWith("07:42:06   ENDE\r\n"));
    const QList<QByteArray> lines = fileBytes(t.file("SLAVE_INFO.ini")).split('\n');
    QCOMPARE(lines.size(), 129); // 128 lines and the empty rest after the last line end
    QCOMPARE(lines[0], QByteArray("000000GENERAL CALL\r"));
    QCOMPARE(lines[9], QByteArray("009000---\r"));
    // Only the console writes the port settings.
    QVERIFY(!QFile::exists(t.file("settings.ini")));
}

void TestShellWindows::statusZeileKinds() {
    TestContext t;
    t.ctx.exeName = QStringLiteral("ZELMAR");
    t.link.COM_PORT_NR = 2;
    t.link.SLAVE_ADRESSE = 127;
    t.link.STATUS_TEXT = QStringLiteral("ok");
    QCOMPARE(STATUS_ZEILE(t.ctx, 0), QStringLiteral("ZELMARV1.3 PORT:2 (127)    ok"));
    QCOMPARE(STATUS_ZEILE(t.ctx, 1), QStringLiteral("PORT:2 (127-...)    ok"));
    QCOMPARE(STATUS_ZEILE(t.ctx, 2), QStringLiteral("ok"));
    QCOMPARE(STATUS_ZEILE(t.ctx, 3), QString());
    QCOMPARE(STATUS_ZEILE(t.ctx, -1), QString());

    t.link.SLAVE_ADRESSE = 0;
    t.link.COM_PORT_NR = 17;
    t.link.STATUS_TEXT = QStringLiteral("keine DATEN !!!");
    QCOMPARE(STATUS_ZEILE(t.ctx, 1), QStringLiteral("PORT:17 (0-GENERAL CALL)    keine DATEN !!!"));
    // An address beyond the directory has no name, and must not read past it.
    t.link.SLAVE_ADRESSE = 200;
    QCOMPARE(STATUS_ZEILE(t.ctx, 1), QStringLiteral("PORT:17 (200-)    keine DATEN !!!"));
    QCOMPARE(STATUS_ZEILE(t.ctx, 0), QStringLiteral("ZELMARV1.3 PORT:17 (200)    keine DATEN !!!"));
}

void TestShellWindows::consoleOpensByItself() {
    TestContext t;
    QVERIFY(putFile(t.file("PROGRAMM.ini"), " 5 \r\n"));
    Main(t.ctx, t.dir.path());
    QVERIFY(!t.ctx.windows.find("KONFIGURATION"));
    QTRY_VERIFY_WITH_TIMEOUT(t.ctx.windows.find("KONFIGURATION"), 5000);
    QWidget* console = t.ctx.windows.find("KONFIGURATION");
    QVERIFY(console->isVisible());
    QVERIFY(!console->isModal());
    // Loading it applied the port number read at start-up.
    QCOMPARE(t.port.portNumber(), 5);
}

void TestShellWindows::menuEntriesOfMissingWindowsAreGreyed() {
    // A build that has only the help window.
    TestContext t;
    t.ctx.windows.add("HILFE", [](AppContext& c) { return new HilfeWindow(c); });
    HauptWindow haupt(t.ctx);
    for (const char* name : {"menue_HEIZJAUS", "menue_KONFIGURATION", "menue_SLAVE_INFO",
                             "menue_WOHNUNG", "menue_INFO"}) {
        QAction* a = haupt.findChild<QAction*>(name);
        QVERIFY2(a, name);
        QVERIFY2(!a->isEnabled(), name);
        QVERIFY2(a->toolTip().contains("noch nicht verfügbar"), name);
        a->trigger(); // a greyed entry cannot be chosen; nothing opens
    }
    QVERIFY(t.ctx.windows.find("KONFIGURATION") == nullptr);
    QVERIFY(haupt.findChild<QAction*>("menue_EXIT")->isEnabled());
    QVERIFY(haupt.findChild<QAction*>("menue_HILFE")->isEnabled());
}

void TestShellWindows::menuBringsOpenWindowForward() {
    TestContext t;
    HauptWindow* haupt = Main(t.ctx, t.dir.path());
    haupt->findChild<QAction*>("menue_HILFE")->trigger();
    QPointer<QWidget> hilfe = t.ctx.windows.find("HILFE");
    QVERIFY(hilfe && hilfe->isVisible());
    haupt->findChild<QAction*>("menue_HILFE")->trigger();
    QCOMPARE(t.ctx.windows.find("HILFE"), hilfe.data());

    haupt->findChild<QAction*>("menue_KONFIGURATION")->trigger();
    QWidget* console = t.ctx.windows.find("KONFIGURATION");
    QVERIFY(console && console->isVisible());
}

void TestShellWindows::helpTextByteForByte() {
    const QByteArray expected =
        " PROTOKOLL PC <===> RS232 Interface\r\n"
        "   Zeichen 1 ====>* (Vorspann)\r\n"
        "   Zeichen 2 ====>Befehl\r\n"
        "   Zeichen 3 ====>Adresse SLAVE\r\n"
        "   Zeichen 3 ====>RESERVE\r\n"
        "   Zeichen 4 ====>Anzahl zu sendende Zeichen   (low)\r\n"
        "   Zeichen 5 ====>Anzahl zu sendende Zeichen   (high)\r\n"
        "   Zeichen 6 ====>Anzahl zu empfangene Zeichen (low)\r\n"
        "   Zeichen 7 ====>Anzahl zu empfangene Zeichen (high)\r\n"
        "   Zeichen 8 ====># (Nachspann)\r\n"
        "   Zeichen 9...==># DATEN\r\n"
        "   Zeichen 9...==># (Nachspann)\r\n"
        " Befehle\r\n"
        " BEFEHL=   0 ==> DUMMY an PC senden (zur Überprüfung der Verbindung)   ANTWORT vom "
        "µC==> 0\r\n"
        " BEFEHL=   1 ==> MCUCSR auslesen (Grund des letzten Resets (z.B. WDR)  ANTWORT vom "
        "µC==> WERT\r\n"
        " BEFEHL=   2 ==> MCUCSR CLEAR                                          ANTWORT vom "
        "µC==> 0\r\n"
        " BEFEHL=   3 ==> Spannung auslesen                                     ANTWORT vom "
        "µC==> WERT\r\n"
        " BEFEHL=   4 ==> NAME des Interfaces auslesen                          ANTWORT vom "
        "µC==> WERT (16 Zeichen)\r\n"
        " BEFEHL=   5 ==> TWI - AUS                                             ANTWORT vom "
        "µC==> 0\r\n"
        " BEFEHL=   8 ==> TWI-BUS-PINS-ZUSTAND auslesen                         ANTWORT vom "
        "µC==> WERT  (0=OK 1=SDA 2=SCL 3=SDA+SCL)\r\n"
        " BEFEHL=   9 ==> TWI-BUS-SPANNUNG-RESET (Versorgungsspannung für SLAVE)ANTWORT vom "
        "µC==> 0\r\n"
        " BEFEHL=  10 ==> Reset µC                                              ANTWORT vom "
        "µC==> 0\r\n"
        " BEFEHL=  11 ==> Reset BETRIEBSSPANNUNG                                ANTWORT vom "
        "µC==> 0\r\n"
        " BEFEHL=  12 ==> TAKT auslesen                                         ANTWORT vom "
        "µC==> WERT (Byte1+2+3+4)\r\n"
        " BEFEHL=  15 ==> Fehlercode auslesen                                   ANTWORT vom "
        "µC==> WERT\r\n"
        " BEFEHL=  20 ==> TWBR lesen                                            ANTWORT vom "
        "µC==> WERT\r\n"
        " BEFEHL=  21 ==> TWSR lesen                                            ANTWORT vom "
        "µC==> WERT\r\n"
        " BEFEHL=  22 ==> TWAR lesen                                            ANTWORT vom "
        "µC==> WERT\r\n"
        " BEFEHL=  23 ==> TWCR lesen                                            ANTWORT vom "
        "µC==> WERT\r\n"
        " BEFEHL=  24 ==> TWDR lesen                                            ANTWORT vom "
        "µC==> WERT\r\n"
        " BEFEHL=  30 ==> TWBR setzen                                           ANTWORT vom "
        "µC==> 0\r\n"
        " BEFEHL=  31 ==> TWSR setzen                                           ANTWORT vom "
        "µC==> 0\r\n"
        " BEFEHL=  32 ==> TWAR setzen                                           ANTWORT vom "
        "µC==> 0\r\n"
        " BEFEHL=  33 ==> TWCR setzen                                           ANTWORT vom "
        "µC==> 0\r\n"
        " BEFEHL=  34 ==> TWDR setzen                                           ANTWORT vom "
        "µC==> 0\r\n"
        " BEFEHL=  50 ==> START MT + DATEN + STOP\r\n"
        " BEFEHL=  60 ==> START MT + DATEN\r\n"
        " BEFEHL=  65 ==> DATEN an SLAVE senden\r\n"
        " BEFEHL=  80 ==> START MR + DATEN + STOP\r\n"
        " BEFEHL= 100 ==> STOP";
    QCOMPARE(hilfeText().toUtf8(), expected);
    QCOMPARE(hilfeText().count(QStringLiteral("\r\n")), 39);
}

void TestShellWindows::helpWindowShowsTextOnceAndCloses() {
    TestContext t;
    t.ctx.windows.add("HILFE", [](AppContext& c) { return new HilfeWindow(c); });
    QPointer<QWidget> w = t.ctx.windows.show("HILFE");
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Form1"));
    auto* text = w->findChild<QPlainTextEdit*>("Text_HILFE");
    QString shown = hilfeText();
    shown.replace("\r\n", "\n");
    QCOMPARE(text->toPlainText(), shown);
    QCOMPARE(text->document()->blockCount(), 40);
    QVERIFY(w->findChild<QLabel*>("Label_DATEIEN")->text().endsWith(": " + t.ctx.PROGRAMM_PFAD));

    QTest::mouseClick(w->findChild<QPushButton*>("Command_THEMA_1"), Qt::LeftButton);
    QTest::mouseClick(w->findChild<QPushButton*>("Command_THEMA_1"), Qt::LeftButton);
    QCOMPARE(text->toPlainText(), shown);

    QTest::mouseClick(w->findChild<QPushButton*>("Command_OK"), Qt::LeftButton);
    QTRY_VERIFY(w.isNull());
    QVERIFY(!t.ctx.windows.find("HILFE"));
}

void TestShellWindows::infoWindowShowsVersionAndClosesItself() {
    TestContext t;
    HauptWindow* haupt = Main(t.ctx, t.dir.path());
    haupt->findChild<QAction*>("menue_INFO")->trigger();
    QPointer<QWidget> info = t.ctx.windows.find("START");
    QVERIFY(info && info->isVisible());
    QCOMPARE(info->findChild<QLineEdit*>("Text1")->text(), QStringLiteral("Version: 1.3."));
    QVERIFY(!info->findChild<QLabel*>("Picture1")->pixmap().isNull());
    QTRY_VERIFY_WITH_TIMEOUT(info.isNull(), 5000);
}

QTEST_MAIN(TestShellWindows)
#include "tst_shellwindows.moc"
