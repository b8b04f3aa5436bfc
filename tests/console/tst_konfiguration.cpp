// The console window as a whole and its COM port panel.

#include "windowbench.h"

#include "console/konfigurationwindow.h"
#include "link/hardwareserialport.h"
#include "shell/programm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <pty.h>
#include <unistd.h>

using namespace zelmar;

namespace {

using namespace bench;

KonfigurationWindow* openConsole(AppContext& ctx) {
    return static_cast<KonfigurationWindow*>(bench::open(ctx, fenster::KONFIGURATION));
}

QRadioButton* option(QWidget* w, int index) {
    return child<QRadioButton>(w, QStringLiteral("Option_COM_%1").arg(index));
}

QLineEdit* remark(QWidget* w, int index) {
    return child<QLineEdit>(w, QStringLiteral("Text1_%1").arg(index));
}

} // namespace

class TestKonfiguration : public QObject {
    Q_OBJECT

private slots:
    void openingClosesAnOpenPort();
    void loadingShowsRemarksSettingsAndPath();
    void comIniRoundTrip();
    void titleBarCloseKeepsComIni();
    void comIniThatCannotBeWrittenIsReported();
    void portSearchWithoutUsablePort();
    void portSearchTakesFirstUsablePort();
    void settingsEditStoresWhatAPortTakes();
    void replyTimeoutInput();
    void tickShowsPortState();
    void tickShowsTimesAndHistory();
    void viewSelector();
    void specialWindowsOpenModally();
    void endButtonEndsProgram();
};

void TestKonfiguration::openingClosesAnOpenPort() {
    TestContext t;
    t.link.COM_PORT_NR = 4;
    QVERIFY(t.port.open());
    KonfigurationWindow* w = openConsole(t.ctx);
    QVERIFY(!t.port.isOpen());
    QCOMPARE(t.port.portNumber(), 4);
    QVERIFY(option(w, 3)->isChecked());
    QCOMPARE(option(w, 3)->text(), QStringLiteral("COM 4"));
    QCOMPARE(option(w, 16)->text(), QStringLiteral("COM 17"));

    // Choosing a port closes it as well.
    QVERIFY(t.port.open());
    click(w, "Option_COM_6");
    QVERIFY(!t.port.isOpen());
    QCOMPARE(t.port.portNumber(), 7);
}

void TestKonfiguration::loadingShowsRemarksSettingsAndPath() {
    TestContext t;
    QVERIFY(putFile(t.file("COM.ini"), "Modem\r\n\r\nInterface Keller\r\n"));
    t.port.setSettings("9600,e,7,2");
    KonfigurationWindow* w = openConsole(t.ctx);
    QCOMPARE(remark(w, 0)->text(), QStringLiteral("Modem"));
    QCOMPARE(remark(w, 1)->text(), QString());
    QCOMPARE(remark(w, 2)->text(), QStringLiteral("Interface Keller"));
    for (int i = 3; i < 16; ++i)
        QCOMPARE(remark(w, i)->text(), QStringLiteral("...."));
    QCOMPARE(remark(w, 16)->text(), QStringLiteral("..."));
    QCOMPARE(child<QLineEdit>(w, "Text_SETTINGS")->text(), QStringLiteral("9600,e,7,2"));
    QCOMPARE(child<QLineEdit>(w, "Text_PATH_PROGRAMM")->text(), t.ctx.PROGRAMM_PFAD);
    QCOMPARE(w->windowTitle(), QStringLiteral("---"));
}

void TestKonfiguration::comIniRoundTrip() {
    TestContext t;
    {
        QPointer<KonfigurationWindow> w = openConsole(t.ctx);
        remark(w, 0)->clear();
        type(remark(w, 0), "Modem Büro");
        remark(w, 15)->clear();
        type(remark(w, 15), "USB");
        type(remark(w, 16), "geht verloren");
        t.link.setReplyTimeout(700);
        t.link.COM_PORT_NR = 2;
        click(w, "Command_CLOSE");
        QTRY_VERIFY(w.isNull());
    }
    QVERIFY(t.prompter.shown.isEmpty());
    const QByteArray com = fileBytes(t.file("COM.ini"));
    QCOMPARE(com.count("\r\n"), 16);
    QVERIFY(com.startsWith("Modem B\xFCro\r\n....\r\n"));
    QVERIFY(com.endsWith("....\r\nUSB\r\n"));
    QVERIFY(!com.contains("verloren"));
    QCOMPARE(fileBytes(t.file("PROGRAMM.ini")), QByteArray(" 2 \r\n 700 \r\n"));

    KonfigurationWindow* again = openConsole(t.ctx);
    QCOMPARE(remark(again, 0)->text(), QStringLiteral("Modem Büro"));
    QCOMPARE(remark(again, 15)->text(), QStringLiteral("USB"));
    QCOMPARE(remark(again, 16)->text(), QStringLiteral("..."));
}

void TestKonfiguration::titleBarCloseKeepsComIni() {
    TestContext t;
    QPointer<KonfigurationWindow> w = openConsole(t.ctx);
    type(remark(w, 0), "x");
    w->close();
    QTRY_VERIFY(w.isNull());
    QVERIFY(!QFile::exists(t.file("COM.ini")));
    QVERIFY(!QFile::exists(t.file("PROGRAMM.ini")));
}

void TestKonfiguration::comIniThatCannotBeWrittenIsReported() {
    TestContext t;
    QVERIFY(QDir().mkpath(t.file("COM.ini"))); // a directory where the file belongs
    QPointer<KonfigurationWindow> w = openConsole(t.ctx);
    click(w, "Command_CLOSE");
    QCOMPARE(t.prompter.messages(),
             QStringList{QStringLiteral("Fehler beim speichern der -COM.ini-  !!!  ")});
    QTRY_VERIFY(w.isNull());
}

void TestKonfiguration::portSearchWithoutUsablePort() {
    TestContext t;
    t.link.Timer_WAIT_200ms.setInterval(5);
    KonfigurationWindow* w = openConsole(t.ctx);
    t.port.setOpenable(false);
    click(w, "Command_COM_TEST");
    for (int i = 0; i < 17; ++i) {
        QVERIFY(!option(w, i)->isEnabled());
        QVERIFY(!option(w, i)->isChecked());
        QCOMPARE(qbIndexOf(remark(w, i)), int(QB_HELLGRAU));
    }
    QVERIFY(!t.port.isOpen());
    QCOMPARE(t.port.portNumber(), 17);
    tick(w);
    QCOMPARE(t.link.COM_PORT_NR, 17);
    tick(w);
    QVERIFY(w->windowTitle().startsWith(QStringLiteral("PORT:17 (")));
}

void TestKonfiguration::portSearchTakesFirstUsablePort() {
    // Ports 3 and 5 are pseudo-terminals, all others name devices that do not exist.
    int master[2], slave[2];
    char names[2][256] = {};
    for (int k = 0; k < 2; ++k)
        QCOMPARE(::openpty(&master[k], &slave[k], names[k], nullptr, nullptr), 0);
    QTemporaryDir dir;
    QByteArray lines;
    for (int n = 1; n <= 17; ++n)
        lines += (n == 3   ? QByteArray(names[0])
                  : n == 5 ? QByteArray(names[1])
                           : dir.filePath("none").toUtf8()) +
                 "\r\n";
    QVERIFY(putFile(dir.filePath("PORTS.ini"), lines));

    HardwareSerialPort port(dir.path());
    Link link(port);
    link.Timer_WAIT_200ms.setInterval(5);
    SlaveDirectory slaves;
    FakePrompter prompter;
    FakeSystemServices system;
    {
        AppContext ctx(link, slaves, prompter, system, QLocale(QLocale::German));
        ctx.setProgrammPfad(dir.path());
        link.COM_PORT_NR = 9;
        KonfigurationWindow* w = openConsole(ctx);
        QCOMPARE(option(w, 2)->toolTip(), QString::fromUtf8(names[0]));
        QCOMPARE(option(w, 0)->toolTip(), dir.filePath("none"));

        click(w, "Command_COM_TEST");
        for (int i = 0; i < 17; ++i)
            QCOMPARE(option(w, i)->isEnabled(), i == 2 || i == 4);
        QVERIFY(option(w, 2)->isChecked());
        QCOMPARE(port.portNumber(), 3);
        QVERIFY(!port.isOpen());
        QCOMPARE(qbIndexOf(remark(w, 2)), int(QB_HELLGELB));
        QCOMPARE(qbIndexOf(remark(w, 4)), int(QB_HELLGELB));
        QCOMPARE(qbIndexOf(remark(w, 0)), int(QB_HELLGRAU));
        tick(w);
        QCOMPARE(link.COM_PORT_NR, 3);
        tick(w); // the colours follow COM_PORT_NR one tick later
        QCOMPARE(qbIndexOf(option(w, 2)), int(QB_HELLGELB)); // chosen, closed
        QCOMPARE(qbIndexOf(option(w, 4)), int(QB_HELLGRAU));
        click(w, "Command_PORT_OPEN");
        tick(w);
        QCOMPARE(qbIndexOf(option(w, 2)), int(QB_HELLGRUEN));
    }
    for (int k = 0; k < 2; ++k) {
        ::close(master[k]);
        ::close(slave[k]);
    }
}

void TestKonfiguration::settingsEditStoresWhatAPortTakes() {
    TestContext t;
    KonfigurationWindow* w = openConsole(t.ctx);
    QVERIFY(t.port.open());
    t.prompter.inputs << "9600,e,7,2";
    click(w, "Command_SETTINGS_EDIT");
    QCOMPARE(t.prompter.shown.size(), 1);
    QCOMPARE(t.prompter.shown[0].text, QStringLiteral("Wert eingeben"));
    QCOMPARE(t.prompter.shown[0].title, QStringLiteral("COM-PORT-SETTINGS"));
    QCOMPARE(t.prompter.shown[0].defaultText, QStringLiteral("19200,n,8,1"));
    QVERIFY(!t.port.isOpen());
    QCOMPARE(t.port.settings(), QStringLiteral("9600,e,7,2"));
    QCOMPARE(child<QLineEdit>(w, "Text_SETTINGS")->text(), QStringLiteral("9600,e,7,2"));
    QCOMPARE(fileBytes(t.file("settings.ini")), QByteArray("9600,e,7,2\r\n"));

    // A string no port takes is refused with a message: nothing is stored, the port stays open.
    QVERIFY(t.port.open());
    t.prompter.inputs << "4711,x,8,1";
    click(w, "Command_SETTINGS_EDIT");
    QCOMPARE(t.prompter.shown[1].defaultText, QStringLiteral("9600,e,7,2"));
    QCOMPARE(t.prompter.messages().size(), 1);
    QVERIFY(t.prompter.messages().first().contains(QStringLiteral("4711,x,8,1")));
    QVERIFY(t.port.isOpen());
    QCOMPARE(t.link.COM_SETTINGS, QStringLiteral("9600,e,7,2"));
    QCOMPARE(t.port.settings(), QStringLiteral("9600,e,7,2"));
    QCOMPARE(fileBytes(t.file("settings.ini")), QByteArray("9600,e,7,2\r\n"));

    // Cancel changes nothing and leaves an open port open.
    t.prompter.inputs << "";
    click(w, "Command_SETTINGS_EDIT");
    QVERIFY(t.port.isOpen());
    QCOMPARE(t.link.COM_SETTINGS, QStringLiteral("9600,e,7,2"));
    QCOMPARE(t.prompter.unexpected, 0);
}

void TestKonfiguration::replyTimeoutInput() {
    TestContext t;
    KonfigurationWindow* w = openConsole(t.ctx);
    const QString range = QStringLiteral("FEHLER: WERTEBEREICH 1..... 65000  !");
    struct Case {
        const char* answer;
        int interval;
        bool refused;
    } cases[] = {
        {"0", 100, true},     {"65001", 100, true},  {"65000", 65000, false},
        {"", 65000, false},   {"-5", 65000, true},   {"12.5", 65000, true},
        {"abc", 65000, true}, {" 250 ", 250, false}, {"1", 1, false},
    };
    for (const Case& c : cases) {
        t.prompter.shown.clear();
        t.prompter.inputs << c.answer;
        const QString before = QString::number(t.link.replyTimeout());
        click(w, "Command3");
        QCOMPARE(t.prompter.shown[0].title, QStringLiteral("WARTEZEIT"));
        QCOMPARE(t.prompter.shown[0].text, QStringLiteral("Wert eingeben"));
        QCOMPARE(t.prompter.shown[0].defaultText, before);
        QVERIFY2(t.link.replyTimeout() == c.interval, c.answer);
        QCOMPARE(t.prompter.messages(), c.refused ? QStringList{range} : QStringList{});
    }
}

void TestKonfiguration::tickShowsPortState() {
    TestContext t;
    KonfigurationWindow* w = openConsole(t.ctx);
    tick(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("PORT:1 (127-...)    PROGRAMMSTART"));
    auto* status = child<QLineEdit>(w, "Text_STATUS");
    auto* status2 = child<QLineEdit>(w, "Text_STATUS2");
    auto* input = child<QLineEdit>(w, "Text_INPUT");
    QCOMPARE(status->text(), QStringLiteral("close"));
    QCOMPARE(qbIndexOf(status), int(QB_HELLROT));
    QCOMPARE(qbIndexOf(status2), int(QB_HELLROT));
    QCOMPARE(status2->text(), QStringLiteral("(1)  19200,n,8,1"));
    QCOMPARE(input->text(), QStringLiteral("INPUT: 0"));
    QCOMPARE(qbIndexOf(input), int(QB_HELLGRAU));
    QCOMPARE(qbIndexOf(option(w, 0)), int(QB_HELLGELB));
    QCOMPARE(qbIndexOf(option(w, 1)), int(QB_HELLGRAU));

    click(w, "Command_PORT_OPEN");
    QVERIFY(t.port.isOpen());
    t.port.deliver("ab");
    QTRY_COMPARE(t.port.bytesAvailable(), qint64(2));
    tick(w);
    QCOMPARE(status->text(), QStringLiteral("open"));
    QCOMPARE(qbIndexOf(status), int(QB_HELLGRUEN));
    QCOMPARE(qbIndexOf(status2), int(QB_HELLGRUEN));
    QCOMPARE(input->text(), QStringLiteral("INPUT: 2"));
    QCOMPARE(qbIndexOf(input), int(QB_HELLGELB));
    QCOMPARE(qbIndexOf(option(w, 0)), int(QB_HELLGRUEN));

    // DTR and RTS: the boxes switch the lines, the indicators show the lines.
    QCOMPARE(qbIndexOf(child<QLineEdit>(w, "Text_DTR")), int(QB_HELLGRUEN));
    click(w, "Check_DTR");
    QVERIFY(!t.port.dtr());
    QVERIFY(t.port.rts());
    tick(w);
    QCOMPARE(qbIndexOf(child<QLineEdit>(w, "Text_DTR")), int(QB_HELLROT));
    QCOMPARE(qbIndexOf(child<QLineEdit>(w, "Text_RTS")), int(QB_HELLGRUEN));
    click(w, "Check_RTS");
    tick(w);
    QVERIFY(!t.port.rts());
    QCOMPARE(qbIndexOf(child<QLineEdit>(w, "Text_RTS")), int(QB_HELLROT));

    click(w, "Command_PORT_CLOSE");
    QVERIFY(!t.port.isOpen());
    tick(w);
    QCOMPARE(status->text(), QStringLiteral("close"));

    // The port number chosen here becomes COM_PORT_NR at the next tick.
    t.slaves.SLAVE_NAME[127] = QStringLiteral("Test");
    click(w, "Option_COM_16");
    tick(w);
    QCOMPARE(t.link.COM_PORT_NR, 17);
    tick(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("PORT:17 (127-Test)    PROGRAMMSTART"));
    QCOMPARE(status2->text(), QStringLiteral("(17)  19200,n,8,1"));
    QCOMPARE(qbIndexOf(option(w, 16)), int(QB_HELLGELB));
    QCOMPARE(qbIndexOf(option(w, 0)), int(QB_HELLGRAU));
}

void TestKonfiguration::tickShowsTimesAndHistory() {
    TestContext t;
    t.link.setReplyTimeout(1100);
    KonfigurationWindow* w = openConsole(t.ctx);
    tick(w);
    QCOMPARE(child<QLineEdit>(w, "Text_DATUM_ZEIT")->text(),
             QStringLiteral("05.12.2006  07:42:06"));
    auto* wait = child<QLineEdit>(w, "Text_Timer_WAIT_DATENEMPFANG");
    QCOMPARE(wait->text(), QStringLiteral("1.100 ms (0)"));
    auto* history = child<QComboBox>(w, "Combo_SENDESTRING");
    QCOMPARE(history->currentText(), QString());

    // While a reply is awaited the tick goes on and shows the time waited so far.
    t.link.setReplyTimeout(450);
    t.link.BEFEHL = 3;
    t.link.RAHMEN_SENDEN();
    QString seen;
    QTimer probe;
    connect(&probe, &QTimer::timeout, [&] {
        if (wait->text() != QStringLiteral("450 ms (0)"))
            seen = wait->text();
    });
    probe.start(20);
    t.link.DATEN_EMPFANGEN(1);
    probe.stop();
    QCOMPARE(t.link.STATUS_CODE, qint16(STATUS_KEINE_DATEN));
    QVERIFY2(seen.startsWith(QStringLiteral("450 ms (")) && seen != "450 ms (0)", qPrintable(seen));

    t.link.BEFEHL = 5;
    t.link.RAHMEN_SENDEN();
    tick(w);
    QCOMPARE(history->currentText(), t.link.SENDE_HISTORIE[1]);
    QCOMPARE(history->count(), 10);
    QCOMPARE(history->itemText(1), t.link.SENDE_HISTORIE[2]);
    QVERIFY(history->itemText(1).contains(QStringLiteral("(3)")));
    // It is a display: typed text goes at the next tick.
    history->setEditText(QStringLiteral("Unsinn"));
    tick(w);
    QCOMPARE(history->currentText(), t.link.SENDE_HISTORIE[1]);
}

void TestKonfiguration::viewSelector() {
    TestContext t;
    KonfigurationWindow* w = openConsole(t.ctx);
    const QStringList profi = {"Frame_STANDARD_BEFEHLE",     "Frame_HANDBETRIEB_1",
                               "Frame_HANDBETRIEB_2",        "Frame_TWI_FEHLER",
                               "Frame_TWI_SONDERFUNKTIONEN", "Frame_TWI_TAKT",
                               "Frame_TWI_SCHALTEN"};
    auto shown = [&](const QString& name) { return !child<QGroupBox>(w, name)->isHidden(); };
    QVERIFY(child<QRadioButton>(w, "Option_TWI")->isChecked());
    QVERIFY(shown("Frame_TWI"));
    QVERIFY(!shown("Frame_MODEM"));
    for (const QString& f : profi)
        QVERIFY2(!shown(f), qPrintable(f));
    QVERIFY(shown("Frame8") && shown("Frame11") && shown("Frame_SLAVE_INFO"));

    click(w, "Option_TWI_PROFI");
    tick(w);
    QVERIFY(shown("Frame_TWI") && !shown("Frame_MODEM"));
    for (const QString& f : profi)
        QVERIFY2(shown(f), qPrintable(f));

    click(w, "Option_MODEM");
    tick(w);
    QVERIFY(!shown("Frame_TWI") && shown("Frame_MODEM"));

    click(w, "Option_ALLGEMEIN");
    tick(w);
    QVERIFY(!shown("Frame_TWI") && !shown("Frame_MODEM"));

    click(w, "Option_TWI");
    tick(w);
    QVERIFY(shown("Frame_TWI") && !shown("Frame_MODEM"));
    for (const QString& f : profi)
        QVERIFY2(!shown(f), qPrintable(f));
}

void TestKonfiguration::specialWindowsOpenModally() {
    // A window missing from a build leaves its button greyed, with the reason.
    TestContext t;
    t.ctx.windows.add(fenster::KONFIGURATION,
                      [](AppContext& c) { return new KonfigurationWindow(c); });
    auto* sram = child<QPushButton>(t.ctx.windows.show(fenster::KONFIGURATION), "Command_SRAM");
    QVERIFY(!sram->isEnabled());
    QVERIFY(sram->toolTip().contains(QStringLiteral("noch nicht verfügbar")));

    // Each button opens its window modally over the console; the 65K EEPROM window hands the
    // slave address back when it closes.
    TestContext u;
    KonfigurationWindow* v = openConsole(u.ctx);
    const std::pair<const char*, QString> knoepfe[] = {
        {"Command_HANDBETRIEB", fenster::HAND_BETRIEB},
        {"Command6", fenster::REGISTER},
        {"Command_EEPROM_EXTERN", fenster::EEPROM_EXTERN_65K},
        {"Command_SRAM", fenster::SRAM},
    };
    for (const auto& [knopf, name] : knoepfe) {
        u.link.SLAVE_ADRESSE = 80;
        click(v, knopf);
        QPointer<QWidget> opened = u.ctx.windows.find(name);
        QVERIFY2(opened && opened->isVisible(), knopf);
        QCOMPARE(opened->windowModality(), Qt::ApplicationModal);
        u.link.SLAVE_ADRESSE = 81;
        opened->close();
        QTRY_VERIFY(opened.isNull());
        QCOMPARE(u.link.SLAVE_ADRESSE, quint8(name == fenster::EEPROM_EXTERN_65K ? 80 : 81));
    }
}

void TestKonfiguration::endButtonEndsProgram() {
    TestContext t;
    KonfigurationWindow* w = openConsole(t.ctx);
    QVERIFY(t.port.open());
    click(w, "Command_END");
    QCOMPARE(t.system.exits, 1); // the files of the program end: tst_shellwindows
    QVERIFY(!t.port.isOpen());
}

QTEST_MAIN(TestKonfiguration)
#include "tst_konfiguration.moc"
