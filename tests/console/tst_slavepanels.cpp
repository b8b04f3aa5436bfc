// The console's slave panels: address choice, bus scanner, slave name and slave switch.

#include "windowbench.h"

#include "link/standard.h"
#include "sim/atmega8slave.h"

#include <QComboBox>

using namespace zelmar;

namespace {

const QString kErgebnis = QStringLiteral("Text_ADRESSE_TESTEN_ERGEBNIS");
const QString kCombo = QStringLiteral("Combo_SENDE_ADRESSE_SLAVE");
const QList<int> kDemo = {8, 20, 40, 44, 45, 60, 65, 66, 80, 81};

QStringList listOf(QComboBox* c) {
    QStringList items;
    for (int i = 0; i < c->count(); ++i)
        items << c->itemText(i);
    return items;
}

} // namespace

class TestSlavePanels : public QObject {
    Q_OBJECT

private slots:
    void scannerFindsTheInstallation();
    void scannerWithoutAnswers();
    void scannerStopsAtARefusedFrame();
    void addressByButtonListAndInput();
    void slaveName();
    void switchReadAndSet();
};

void TestSlavePanels::scannerFindsTheInstallation() {
    ConsoleBench b;
    b.child<QComboBox>(kCombo)->addItem(QStringLiteral("40"));
    b.t.link.SLAVE_ADRESSE = 33;
    b.click("Command_ADRESSE_TESTEN_AUTO");
    QVERIFY(!b.enabled("Command_ADRESSE_TESTEN_AUTO"));
    QCOMPARE(b.child<QComboBox>(kCombo)->count(), 0); // the old list goes at once
    b.waitForJobs();
    QVERIFY(b.enabled("Command_ADRESSE_TESTEN_AUTO"));

    QCOMPARE(b.text(kErgebnis), QStringLiteral(" 8 20 40 44 45 60 65 66 80 81"));
    QCOMPARE(b.colour(kErgebnis), int(QB_HELLGRUEN));
    QStringList expected;
    for (int a : kDemo)
        expected << QString::number(a);
    QCOMPARE(listOf(b.child<QComboBox>(kCombo)), expected);
    QCOMPARE(b.t.link.SLAVE_ADRESSE, quint8(33));
    QVERIFY(b.t.prompter.shown.isEmpty());
}

void TestSlavePanels::scannerWithoutAnswers() {
    // No slave on the bus: the text stays empty and keeps its colour.
    ConsoleBench b;
    for (int a : kDemo)
        QVERIFY(b.sim->setDeviceOnline(a, false));
    const int before = b.colour(kErgebnis);
    b.clickAndWait("Command_ADRESSE_TESTEN_AUTO");
    QCOMPARE(b.befehle().size(), 129);
    QCOMPARE(b.text(kErgebnis), QString());
    QCOMPARE(b.colour(kErgebnis), before);
    QCOMPARE(b.child<QComboBox>(kCombo)->count(), 0);
    QVERIFY(b.t.prompter.shown.isEmpty());

    // No interface at all: three probes without a byte, and the console says so.
    b.t.link.setReplyTimeout(5);
    b.sim->faults().silent = true;
    b.clickAndWait("Command_ADRESSE_TESTEN_AUTO");
    QCOMPARE(b.befehle().size(), 129 + 3);
    QCOMPARE(b.t.prompter.messages().size(), 1);
    QVERIFY(b.t.prompter.messages().first().startsWith(
        QStringLiteral("Das Interface antwortet nicht")));
}

void TestSlavePanels::scannerStopsAtARefusedFrame() {
    // A port that cannot be opened: one message, not one per address.
    ConsoleBench b;
    b.t.port.setOpenable(false);
    b.clickAndWait("Command_ADRESSE_TESTEN_AUTO");
    QCOMPARE(b.t.prompter.messages().size(), 1);
    QCOMPARE(b.frames().size(), 1);
    QCOMPARE(b.text(kErgebnis), QString());
    QVERIFY(b.enabled("Command_ADRESSE_TESTEN_AUTO"));

    // The console closed during a scan: the probe under way ends it, then the bus is released.
    ConsoleBench d;
    d.atFrame(10, [&d] { d.click("Command_CLOSE"); });
    d.clickAndWait("Command_ADRESSE_TESTEN_AUTO");
    QCOMPARE(d.befehle().size(), 11);
    QCOMPARE(d.befehle().last(), 100);
}

void TestSlavePanels::addressByButtonListAndInput() {
    ConsoleBench b(ConsoleBench::Geraete::Keine, QStringLiteral("Option_TWI"));
    const int direkt[] = {0, 8, 20, 40, 44, 45, 60, 65, 66};
    for (int i = 0; i < 9; ++i) {
        b.click(QStringLiteral("Command_SENDE_ADRESSE_SLAVE_DIREKT_%1").arg(i));
        QCOMPARE(int(b.t.link.SLAVE_ADRESSE), direkt[i]);
    }
    b.tick();
    QCOMPARE(b.child<QComboBox>(kCombo)->currentText(), QStringLiteral("66"));
    QCOMPARE(b.text("Text_HANDBETRIEB_ADRESSE_SLAVE"), QStringLiteral("66"));

    // Typed: 127 is taken and listed; out of range, not a number or a fraction is refused;
    // an empty answer changes nothing.
    b.t.prompter.inputs = QStringList{"127", "128", "-1", "abc", "4.5", "", " 05 "};
    b.click("Command_SENDE_ADRESSE_SLAVE");
    QCOMPARE(b.t.prompter.shown[0].text, QStringLiteral("ADRESSE eingeben"));
    QCOMPARE(b.t.prompter.shown[0].title, QStringLiteral("SLAVE - ADRESSE"));
    QCOMPARE(b.t.prompter.shown[0].defaultText, QStringLiteral("66"));
    QCOMPARE(b.t.link.SLAVE_ADRESSE, quint8(127));
    for (int i = 0; i < 5; ++i)
        b.click("Command_SENDE_ADRESSE_SLAVE");
    QCOMPARE(b.t.link.SLAVE_ADRESSE, quint8(127));
    QCOMPARE(b.t.prompter.messages(),
             QStringList(4, QStringLiteral("Fehler: WERTEBEREICH 0...127")));
    b.click("Command_SENDE_ADRESSE_SLAVE");
    QCOMPARE(b.t.link.SLAVE_ADRESSE, quint8(5));
    QCOMPARE(listOf(b.child<QComboBox>(kCombo)), (QStringList{"127", "5"}));
    QCOMPARE(b.t.prompter.unexpected, 0);

    // Picking from the list.
    auto* combo = b.child<QComboBox>(kCombo);
    combo->setFocus();
    combo->setCurrentIndex(1);
    QTest::keyClick(combo, Qt::Key_Up);
    QCOMPARE(b.t.link.SLAVE_ADRESSE, quint8(127));
    b.tick();
    QCOMPARE(combo->currentText(), QStringLiteral("127"));
}

void TestSlavePanels::slaveName() {
    ConsoleBench b;
    b.t.link.SLAVE_ADRESSE = 40;
    b.click("Command_SLAVE_INFO");
    const QString name = QString::fromLatin1(b.sim->slave(40)->name());
    QCOMPARE(name.size(), 16);
    QCOMPARE(b.text("Text_SLAVE_INFO_ERGEBNIS"), name);
    QCOMPARE(b.colour("Text_SLAVE_INFO_ERGEBNIS"), int(QB_HELLGRUEN));

    b.t.link.SLAVE_ADRESSE = 9; // nobody there
    b.click("Command_SLAVE_INFO");
    QCOMPARE(b.text("Text_SLAVE_INFO_ERGEBNIS"), QString(16, QLatin1Char('?')));
    QCOMPARE(b.colour("Text_SLAVE_INFO_ERGEBNIS"), int(QB_HELLROT));

    b.t.link.SLAVE_ADRESSE = 40;
    b.sim->faults().silent = true;
    b.click("Command_SLAVE_INFO");
    QCOMPARE(b.colour("Text_SLAVE_INFO_ERGEBNIS"), int(QB_HELLROT));
}

void TestSlavePanels::switchReadAndSet() {
    ConsoleBench b;
    const auto schalter = [&](int qb) {
        for (int i = 0; i < 8; ++i)
            if (b.colour(QStringLiteral("Check_SCHALTER_%1").arg(i)) != qb)
                return false;
        return true;
    };
    // "setzen" asks first; No sends nothing.
    b.t.link.SLAVE_ADRESSE = 20;
    b.t.prompter.yesNo << false << true;
    b.click("Command_SCHALTER_SETZEN");
    QVERIFY(b.frames().isEmpty());
    QCOMPARE(b.t.prompter.shown[0].kind, FakePrompter::Kind::YesNo);
    QCOMPARE(b.t.prompter.shown[0].text,
             QStringLiteral("Möchten Sie wirklich diese Schalterstellung setzen"));
    QCOMPARE(b.t.prompter.shown[0].title, QStringLiteral("WARNUNG"));
    // Yes: request 219 with day, month and two-digit year of the PC date (5.12.2006).
    b.click("Command_SCHALTER_SETZEN");
    QCOMPARE(b.frames().first().befehl, 60);
    QCOMPARE(b.frames().first().daten, (std::array<int, 4>{219, 5, 12, 6}));
    QVERIFY(schalter(QB_HELLGELB));

    b.t.prompter.shown.clear();
    b.click("Command_SCHALTER_HOLEN");
    QCOMPARE(b.t.prompter.messages(), QStringList{QString::number(b.sim->slave(20)->switchByte())});
    QVERIFY(schalter(QB_HELLGELB));

    // A slave that does not answer has no switch byte to show, least of all 0.
    b.t.prompter.shown.clear();
    b.t.link.SLAVE_ADRESSE = 9;
    b.click("Command_SCHALTER_HOLEN");
    QCOMPARE(b.t.prompter.messages().size(), 1);
    QVERIFY(b.t.prompter.messages()[0].startsWith(QStringLiteral("FEHLER")));
    QVERIFY(schalter(QB_HELLROT));
    b.t.prompter.yesNo << true;
    b.t.link.SLAVE_ADRESSE = 20;
    b.click("Command_SCHALTER_SETZEN");
    QVERIFY(schalter(QB_HELLGELB));

    // A port that cannot be opened: the engine's message only, one for the click.
    b.t.port.close();
    b.t.port.setOpenable(false);
    b.t.prompter.shown.clear();
    b.click("Command_SCHALTER_HOLEN");
    QCOMPARE(b.t.prompter.messages(),
             QStringList{QStringLiteral(
                 "COM-PORT konnte nicht geöffnet werden\r\nAktion wird abgebrochen !!!")});
    QVERIFY(schalter(QB_HELLROT));
}

QTEST_MAIN(TestSlavePanels)
#include "tst_slavepanels.moc"
