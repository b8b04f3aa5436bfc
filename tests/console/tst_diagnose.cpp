// The interface diagnostics of the console against the simulated installation.

#include "windowbench.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace zelmar;

namespace {

sim::Scenario volts123() {
    sim::Scenario s = sim::Scenario::demo();
    s.interface.supplyVolts = 12.3;
    return s;
}

// The console with an installation whose interface reads 12.3 V.
struct Bench : WindowBench {
    Bench() : WindowBench(fenster::KONFIGURATION, volts123()) {
        t.link.setReplyTimeout(500); // the slave supply reset alone takes 100 ms
    }
    // The bytes of the last frame that went out on the line.
    QByteArray lastFrame() const {
        return t.port.written().isEmpty() ? QByteArray() : t.port.written().last();
    }
};

QByteArray frame(quint8 befehl, quint8 reserve = 0) {
    QByteArray f("*");
    f += char(befehl);
    f += char(127);
    f += char(reserve);
    f += QByteArray(4, '\0');
    f += "##";
    return f;
}

// Every diagnostics button, its box, and its text and request against the demo installation.
struct Button {
    const char* tag;
    const char* button;
    const char* box;
    const char* text;
    quint8 befehl;
};

const Button kButtons[] = {
    {"dummy", "Command_DUMMY", "Text_DUMMY", "ok", 0},
    {"reset cause", "Command_MCUCSR", "Text_MCUCSR", "POWER", 1},
    {"reset cause cleared", "Command_MCUCSR_CLEAR", "Text_MCUCSR", "SOFTW", 1},
    {"voltage", "Command_VOLT", "Text_SPANNUNG", "12,3 V", 3},
    {"name", "Command25", "Text_INFO", "RS232-TWI V1.0  ", 4},
    {"TWI off", "Command_OFF", "Text_OFF", "ok", 5},
    {"reset", "Command_RESET", "Text_RESET", "ok", 10},
    {"clock", "Command_TAKT_AUSLESEN", "Text_TAKT_MASTER", "16.000 MHz", 12},
    {"error code", "Command_FEHLERCODE_INTERFACE", "Text_FEHLERCODE_INTERFACE", "ok", 15},
    {"pins", "Command_TWI_PINS_AUSLESEN", "Text_TWI_PINS_AUSLESEN", "ok", 8},
    {"slave supply", "Command1", "Text_BUS_RESET", "ok", 9},
    {"bus error", "Command_TWI_FEHLER_ERZEUGEN", "Text_TWI_FEHLER_ERZEUGEN", "ok", 5},
};

// Clicks every button (warnings answered Yes) and expects "ERROR" on light red in each box.
void everyButtonGivesError(Bench& b) {
    for (const Button& x : kButtons) {
        b.t.prompter.yesNo << true;
        b.click(x.button);
        QVERIFY2(b.box(x.box)->text() == QStringLiteral("ERROR"), x.button);
        QVERIFY2(qbIndexOf(b.box(x.box)) == QB_HELLROT, x.button);
    }
}

} // namespace

class TestDiagnose : public QObject {
    Q_OBJECT

private slots:
    void everyButtonAgainstTheInstallation_data();
    void everyButtonAgainstTheInstallation();
    void resetCauseAfterClearAndReset();
    void silentInterfaceGivesErrorEverywhere();
    void unopenablePortGivesErrorEverywhere();
    void warningsAnsweredNoSendNothing();
    void busErrorSequence();
    void countsAlwaysZero();
    void interfaceReportsErrorsAndStuckLines();
    void voltageInTheLocalesFormat();
    void secondClickDuringAWaitIsRefused();
};

void TestDiagnose::everyButtonAgainstTheInstallation_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("sent");
    for (const Button& x : kButtons)
        QTest::newRow(x.tag) << QString(x.button) << QString(x.box) << QString(x.text)
                             << frame(x.befehl);
}

void TestDiagnose::everyButtonAgainstTheInstallation() {
    QFETCH(QString, button);
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QByteArray, sent);
    Bench b;
    b.t.prompter.yesNo << true;
    b.click(button);
    QCOMPARE(b.box(box)->text(), text);
    QCOMPARE(qbIndexOf(b.box(box)), int(QB_HELLGRUEN));
    QCOMPARE(b.lastFrame(), sent);
    QCOMPARE(b.t.link.SLAVE_ADRESSE, quint8(127));
    QVERIFY(b.t.prompter.messages().isEmpty());
}

void TestDiagnose::resetCauseAfterClearAndReset() {
    Bench b;
    b.click("Command_MCUCSR_CLEAR"); // its text: the data rows above
    QCOMPARE(b.t.port.written(), (QList<QByteArray>{frame(2), frame(1)}));

    b.sim->firmware().externalReset(b.sim->clock().nowUs());
    QTest::qWait(150); // the board starts up again
    b.click("Command_MCUCSR");
    QCOMPARE(b.box("Text_MCUCSR")->text(), QStringLiteral("ext"));
}

void TestDiagnose::silentInterfaceGivesErrorEverywhere() {
    Bench b;
    b.t.link.setReplyTimeout(100);
    b.sim->faults().silent = true;
    everyButtonGivesError(b);
    QCOMPARE(b.t.link.STATUS_TEXT, QStringLiteral("keine DATEN !!!"));
    QVERIFY(b.t.prompter.messages().isEmpty());
}

void TestDiagnose::unopenablePortGivesErrorEverywhere() {
    Bench b;
    b.t.port.setOpenable(false);
    everyButtonGivesError(b);
    QVERIFY(b.t.port.written().isEmpty());
    QVERIFY(b.t.prompter.beeps > 0);
    QVERIFY(b.t.prompter.messages().contains(
        QStringLiteral("COM-PORT konnte nicht geöffnet werden\r\nAktion wird abgebrochen !!!")));
}

void TestDiagnose::warningsAnsweredNoSendNothing() {
    Bench b;
    b.t.prompter.yesNo << false << false;
    b.click("Command1");
    QCOMPARE(b.box("Text_BUS_RESET")->text(), QStringLiteral("???"));
    QCOMPARE(qbIndexOf(b.box("Text_BUS_RESET")), int(QB_HELLGELB));
    b.click("Command_TWI_FEHLER_ERZEUGEN");
    QCOMPARE(b.box("Text_TWI_FEHLER_ERZEUGEN")->text(), QStringLiteral("---"));
    QCOMPARE(qbIndexOf(b.box("Text_TWI_FEHLER_ERZEUGEN")), int(QB_HELLGRAU));

    QVERIFY(b.t.frames.entries.isEmpty());
    QVERIFY(b.t.port.written().isEmpty());
    QCOMPARE(b.t.prompter.shown.size(), 2);
    QCOMPARE(b.t.prompter.shown[0].kind, FakePrompter::Kind::YesNo);
    QCOMPARE(b.t.prompter.shown[0].text,
             QStringLiteral("Möchten Sie wirklich ein BUS-RESET durchführen?"));
    QCOMPARE(b.t.prompter.shown[0].title, QStringLiteral("WARNUNG"));
    QCOMPARE(b.t.prompter.shown[1].kind, FakePrompter::Kind::YesNo);
    QCOMPARE(b.t.prompter.shown[1].text,
             QStringLiteral("Möchten Sie wirklich einen TWI-BUS-FEHLER erzeugen"));
    QCOMPARE(b.t.prompter.shown[1].title, QStringLiteral("WARNUNG"));
}

void TestDiagnose::busErrorSequence() {
    Bench b;
    b.t.link.ANZAHL_SENDEN = 3;
    b.t.prompter.yesNo << true;
    b.click("Command_TWI_FEHLER_ERZEUGEN");
    QCOMPARE(b.t.port.written(),
             (QList<QByteArray>{frame(33, 0xA4), frame(33, 0x94), frame(33, 0), frame(5, 0)}));
    QCOMPARE(b.t.frames.entries.size(), 4);
    QCOMPARE(b.box("Text_TWI_FEHLER_ERZEUGEN")->text(), QStringLiteral("ok"));

    // Only the last of the four decides.
    Bench c;
    c.t.link.setReplyTimeout(100);
    int replies = 0;
    c.t.port.setPeer([&](const QByteArray&) {
        if (++replies < 4)
            c.t.port.deliver(QByteArray(1, '\0'));
    });
    c.t.prompter.yesNo << true;
    c.click("Command_TWI_FEHLER_ERZEUGEN");
    QCOMPARE(replies, 4);
    QCOMPARE(c.box("Text_TWI_FEHLER_ERZEUGEN")->text(), QStringLiteral("ERROR"));
}

// Whatever counts a manual send left in the link, the diagnostics send none: a long frame
// would fail a healthy line.
void TestDiagnose::countsAlwaysZero() {
    Bench b;
    for (const Button& x : kButtons) {
        b.t.link.ANZAHL_SENDEN = 3000;
        b.t.link.ANZAHL_EMPFANGEN = 7;
        b.t.prompter.yesNo << true;
        b.click(x.button);
        QVERIFY2(b.lastFrame().size() == 10, x.button);
    }
    QCOMPARE(b.t.link.ANZAHL_SENDEN, 0.0);

    // Through the panel at 19200 baud: a manual send of 3,000 bytes, then the connection test.
    ConsoleBench c;
    c.t.port.setPacing(true);
    c.t.link.setReplyTimeout(300);
    c.type("Text_HANDBETRIEB_BEFEHL_MASTER", "0");
    c.type("Text_SENDE_ANZAHL_SENDE_BYTES", "3000");
    c.click("Command_SENDEN_HANDBETRIEB");
    c.click("Command_DUMMY");
    QCOMPARE(c.text("Text_DUMMY"), QStringLiteral("ok"));
    QCOMPARE(c.colour("Text_DUMMY"), int(QB_HELLGRUEN));
}

void TestDiagnose::interfaceReportsErrorsAndStuckLines() {
    Bench b;
    b.sim->injectToInterface("xyz"); // noise before a frame counts as an error
    QTest::qWait(20);
    b.click("Command_FEHLERCODE_INTERFACE");
    const QString code = b.box("Text_FEHLERCODE_INTERFACE")->text();
    QVERIFY2(code.toInt() > 0, qPrintable(code));
    QCOMPARE(qbIndexOf(b.box("Text_FEHLERCODE_INTERFACE")), int(QB_HELLROT));
    b.click("Command_FEHLERCODE_INTERFACE"); // reading cleared it
    QCOMPARE(b.box("Text_FEHLERCODE_INTERFACE")->text(), QStringLiteral("ok"));

    b.sim->bus().setSdaStuckLow(true);
    b.click("Command_TWI_PINS_AUSLESEN");
    QCOMPARE(b.box("Text_TWI_PINS_AUSLESEN")->text(), QStringLiteral("SDA"));
    QCOMPARE(qbIndexOf(b.box("Text_TWI_PINS_AUSLESEN")), int(QB_HELLROT));
    b.sim->bus().setSclStuckLow(true);
    b.click("Command_TWI_PINS_AUSLESEN");
    QCOMPARE(b.box("Text_TWI_PINS_AUSLESEN")->text(), QStringLiteral("SDA+SCL"));
}

void TestDiagnose::voltageInTheLocalesFormat() {
    TestContext t;
    t.ctx.locale = QLocale::c();
    t.port.setPeer([&](const QByteArray& f) {
        if (f.size() > 1 && f[1] == 3)
            t.port.deliver(QByteArray(1, char(123)));
        if (f.size() > 1 && f[1] == 12)
            t.port.deliver(QByteArray("\x00\x24\xF4\x00", 4)); // 16,000,000 Hz
        if (f.size() > 1 && f[1] == 4)
            t.port.deliver(QByteArray("AB\0\0CDEFGHIJKLMN", 16));
    });
    QWidget* w = bench::open(t.ctx, fenster::KONFIGURATION);
    QTest::mouseClick(w->findChild<QPushButton*>("Command_VOLT"), Qt::LeftButton);
    QCOMPARE(w->findChild<QLineEdit*>("Text_SPANNUNG")->text(), QStringLiteral("12.3 V"));
    QTest::mouseClick(w->findChild<QPushButton*>("Command_TAKT_AUSLESEN"), Qt::LeftButton);
    QCOMPARE(w->findChild<QLineEdit*>("Text_TAKT_MASTER")->text(), QStringLiteral("16,000 MHz"));
    // Zero bytes of the name stay characters of their own.
    QTest::mouseClick(w->findChild<QPushButton*>("Command25"), Qt::LeftButton);
    const QString name = w->findChild<QLineEdit*>("Text_INFO")->text();
    QCOMPARE(name.size(), 16);
    QCOMPARE(name, QString::fromLatin1("AB\0\0CDEFGHIJKLMN", 16));
}

void TestDiagnose::secondClickDuringAWaitIsRefused() {
    Bench b;
    b.t.link.setReplyTimeout(300);
    b.sim->faults().silent = true;
    QTimer::singleShot(50, [&] { b.click("Command_VOLT"); });
    b.click("Command_DUMMY");
    QCOMPARE(b.t.prompter.messages(), QStringList{QStringLiteral("DATEN werden noch empfangen")});
    QCOMPARE(b.box("Text_SPANNUNG")->text(), QStringLiteral("ERROR"));
    QCOMPARE(b.box("Text_DUMMY")->text(), QStringLiteral("ERROR"));
    QCOMPARE(b.t.port.written().size(), 1); // only the dummy request went out
}

QTEST_MAIN(TestDiagnose)
#include "tst_diagnose.moc"
