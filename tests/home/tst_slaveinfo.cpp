// The slave directory window against the simulated installation.

#include "windowbench.h"

#include "files/settingsfiles.h"
#include "shell/programm.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>

using namespace zelmar;

namespace {

struct SlaveInfoBench : WindowBench {
    SlaveInfoBench() : WindowBench(QStringLiteral("SLAVE_INFO")) { waitFilled(); }

    void waitFilled() {
        QTRY_COMPARE(child<QLineEdit>(QStringLiteral("Text_SLAVE_ADRESSE_127"))->text(),
                     QStringLiteral("127"));
    }
    QLineEdit* name(int a) const {
        return child<QLineEdit>(QStringLiteral("Text_SLAVE_INFO_%1").arg(a));
    }
    QLineEdit* adresse(int a) const {
        return child<QLineEdit>(QStringLiteral("Text_SLAVE_ADRESSE_%1").arg(a));
    }
    // The display has refreshed since now.
    void tick() { WindowBench::tick(QStringLiteral("Timer_ANZEIGE")); }
    QComboBox* typ() const { return child<QComboBox>(QStringLiteral("Combo_SLAVE_TYP")); }
    void select(int a) { QTest::mouseClick(name(a), Qt::LeftButton); }
    void typeName(int a, const QString& text) {
        select(a);
        QTest::keyClick(name(a), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(name(a), text);
    }
    // Both boxes of a row, once they agree.
    int rowColour(int a) const {
        const int c = qbIndexOf(adresse(a));
        return c == qbIndexOf(name(a)) ? c : -2;
    }
    // Only the slave at 8 and the EEPROM at 80 answer.
    void onlyEightAndEighty() {
        for (int a : {20, 40, 44, 45, 60, 65, 66, 81})
            QVERIFY(sim->setDeviceOnline(a, false));
    }
    void reopen() {
        QTRY_VERIFY(!w);
        w = t.ctx.windows.show(QStringLiteral("SLAVE_INFO"));
        waitFilled();
    }
};

} // namespace

class TestSlaveInfo : public QObject {
    Q_OBJECT

private slots:
    void scanColoursFoundRowsAndTheCurrentOne() {
        SlaveInfoBench b;
        b.onlyEightAndEighty();
        QCOMPARE(b.rowColour(8), int(QB_HELLGRAU));
        b.select(8);
        QCOMPARE(int(b.t.link.SLAVE_ADRESSE), 8);
        b.click(QStringLiteral("Command_SCANNER"));
        QVERIFY(!b.enabled(QStringLiteral("Command_SCANNER")));
        b.waitForJobs();
        QVERIFY(b.enabled(QStringLiteral("Command_SCANNER")));
        QCOMPARE(b.befehle().size(), 129);

        // Found rows green, the current one red, the rest grey.
        b.tick();
        QCOMPARE(b.rowColour(8), int(QB_HELLROT));
        QCOMPARE(b.rowColour(80), int(QB_HELLGRUEN));
        for (int a : {0, 7, 9, 20, 79, 81, 127})
            QCOMPARE(b.rowColour(a), int(QB_HELLGRAU));
        QCOMPARE(b.text(QStringLiteral("Text_ADRESSE_SLAVE")), QStringLiteral("8"));
        QTRY_COMPARE(b.w->windowTitle(), QStringLiteral("PORT:1 (8-...)    ok"));

        // Selecting another row hands the red to it; 8 shows as found.
        b.select(81);
        QTRY_COMPARE(b.rowColour(81), int(QB_HELLROT));
        QCOMPARE(b.rowColour(8), int(QB_HELLGRUEN));

        // A scan over a silent line shows nothing as present any more, and says why.
        b.t.link.setReplyTimeout(5);
        b.sim->faults().silent = true;
        b.clickAndWait(QStringLiteral("Command_SCANNER"));
        QTRY_COMPARE(b.rowColour(80), int(QB_HELLGRAU));
        QCOMPARE(b.t.prompter.messages().size(), 1);
        QVERIFY(b.t.prompter.messages().first().startsWith(
            QStringLiteral("Das Interface antwortet nicht")));
    }

    // Nothing was asked of the bus: a typed name stays.
    void refusedNameReadKeepsTheRow() {
        SlaveInfoBench b;
        b.typeName(20, QStringLiteral("Wohnzimmer neu"));
        b.t.port.close();
        b.t.port.setOpenable(false);
        b.select(20);
        b.click(QStringLiteral("Command_INFO_AUSLESEN"));
        QCOMPARE(b.name(20)->text(), QStringLiteral("Wohnzimmer neu"));
        QCOMPARE(b.t.prompter.messages().size(), 1);
    }

    void closingDuringAScanEndsIt() {
        SlaveInfoBench b;
        b.atFrame(10, [&b] { b.click(QStringLiteral("Command_ABBRECHEN")); });
        b.clickAndWait(QStringLiteral("Command_SCANNER"));
        // The probe under way finishes, then the bus is released.
        QCOMPARE(b.befehle().size(), 11);
        QCOMPARE(b.befehle().last(), 100);
        QTRY_VERIFY(!b.w);
    }

    void slaveNamesAreReadButTakenOnlyWithOk() {
        SlaveInfoBench b;
        // Address 0 is the general call: refused without a frame.
        b.select(0);
        b.click(QStringLiteral("Command_INFO_AUSLESEN"));
        QCOMPARE(b.t.prompter.messages(),
                 QStringList{QStringLiteral(
                     "FEHLER => Adresse 0 (General Call) darf/kann nicht ausgelesen werden")});
        QVERIFY(b.t.frames.entries.isEmpty());
        QCOMPARE(b.name(0)->text(), QStringLiteral("GENERAL CALL"));

        b.select(8);
        b.click(QStringLiteral("Command_INFO_AUSLESEN"));
        QCOMPARE(b.name(8)->text(), QStringLiteral("ZENTRALE").leftJustified(16));
        QVERIFY(b.sim->setDeviceOnline(20, false));
        b.select(20);
        b.click(QStringLiteral("Command_INFO_AUSLESEN"));
        QCOMPARE(b.name(20)->text(), QString(16, QLatin1Char('?')));
        b.typeName(5, QStringLiteral("Kessel"));
        QCOMPARE(b.t.link.SLAVE_ADRESSE, quint8(5));

        // "abbrechen" drops the edits; the type chosen meanwhile stays.
        QCOMPARE(int(b.t.slaves.SLAVE_TYP[5]), 0);
        QTest::keyClick(b.typ(), Qt::Key_Down);
        QCOMPARE(int(b.t.slaves.SLAVE_TYP[5]), 1);
        b.click(QStringLiteral("Command_ABBRECHEN"));
        QCOMPARE(b.t.slaves.SLAVE_NAME[5], QStringLiteral("..."));
        QCOMPARE(b.t.slaves.SLAVE_NAME[8], QStringLiteral("..."));
        QCOMPARE(int(b.t.slaves.SLAVE_TYP[5]), 1);

        b.reopen();
        QCOMPARE(b.name(5)->text(), QStringLiteral("..."));
        b.typeName(5, QStringLiteral("Kessel"));
        b.select(8);
        b.click(QStringLiteral("Command_INFO_AUSLESEN"));
        b.click(QStringLiteral("Command_OK"));
        QCOMPARE(b.t.slaves.SLAVE_NAME[5], QStringLiteral("Kessel"));
        QCOMPARE(b.t.slaves.SLAVE_NAME[8], QStringLiteral("ZENTRALE").leftJustified(16));
        QCOMPARE(b.t.slaves.SLAVE_NAME[0], QStringLiteral("GENERAL CALL"));
        QCOMPARE(b.t.slaves.SLAVE_NAME[6], QStringLiteral("..."));
        QTRY_VERIFY(!b.w);
    }

    void okBeforeTheWindowIsFilledTakesNothing() {
        WindowBench b(QStringLiteral("SLAVE_INFO"));
        QCOMPARE(b.child<QLineEdit>(QStringLiteral("Text_SLAVE_INFO_3"))->text(),
                 QStringLiteral("XXXXXXXXXXXXXXXX"));
        b.click(QStringLiteral("Command_OK"));
        QCOMPARE(b.t.slaves.SLAVE_NAME[3], QStringLiteral("..."));
        QTRY_VERIFY(!b.w);
    }

    void longNamesKeepThirtyCharacters() {
        SlaveInfoBench b;
        const QString lang = QStringLiteral("Heizkreis Wohnzimmer Fussboden Nord-Ost");
        QVERIFY(lang.size() > 30);
        b.typeName(7, lang);
        QCOMPARE(b.name(7)->text(), lang.left(30));
        b.click(QStringLiteral("Command_OK"));
        QVERIFY(SLAVE_INFO_INI_SPEICHERN(b.t.ctx.PROGRAMM_PFAD, b.t.slaves));
        SlaveDirectory geladen;
        SLAVE_INFO_INI_LADEN(b.t.ctx.PROGRAMM_PFAD, geladen);
        QCOMPARE(geladen.SLAVE_NAME[7], lang.left(30));
        QCOMPARE(geladen.SLAVE_NAME[6], QStringLiteral("..."));
    }

    void aNameWithControlCharactersKeepsTheFileWhole() {
        SlaveInfoBench b;
        sim::Atmega8Slave* zentrale = b.sim->slave(8);
        zentrale->poke(sim::Atmega8Slave::kName + 4, '\n', b.sim->clock().nowUs());
        zentrale->poke(sim::Atmega8Slave::kName + 5, '\r', b.sim->clock().nowUs());
        b.select(8);
        b.click(QStringLiteral("Command_INFO_AUSLESEN"));
        b.click(QStringLiteral("Command_OK"));
        QCOMPARE(b.t.slaves.SLAVE_NAME[8], QStringLiteral("ZENT  LE").leftJustified(16));
        QVERIFY(SLAVE_INFO_INI_SPEICHERN(b.t.ctx.PROGRAMM_PFAD, b.t.slaves));
        const QByteArray datei = fileBytes(b.t.file(QStringLiteral("SLAVE_INFO.ini")));
        QCOMPARE(datei.count("\r\n"), 128);
        QCOMPARE(datei.count('\n'), 128);
    }

    void typeBoxNamesTheType() {
        SlaveInfoBench b;
        b.t.slaves.SLAVE_TYP[3] = 3;
        b.t.slaves.SLAVE_TYP[9] = 2;
        b.t.slaves.SLAVE_TYP[12] = 12; // from a directory file; the list does not know it
        b.select(3);
        QTRY_COMPARE(b.typ()->currentText(), QStringLiteral("EEPROM_128B"));
        b.select(9);
        QTRY_COMPARE(b.typ()->currentText(), QStringLiteral("EEPROM65k"));
        b.select(12);
        QTRY_COMPARE(b.typ()->currentIndex(), -1);
        QCOMPARE(b.typ()->placeholderText(), QStringLiteral("12"));
        b.select(1);
        QTRY_COMPARE(b.typ()->currentText(), QStringLiteral("??"));
        QTest::keyClick(b.typ(), Qt::Key_Down);
        QTest::keyClick(b.typ(), Qt::Key_Down);
        QCOMPARE(int(b.t.slaves.SLAVE_TYP[1]), 2);
        QCOMPARE(b.typ()->currentText(), QStringLiteral("EEPROM65k"));
    }

    void addressInputBox() {
        SlaveInfoBench b;
        b.select(10);
        b.t.prompter.inputs = {QStringLiteral("128"), QStringLiteral("-1"), QStringLiteral("abc"),
                               QString(), QStringLiteral(" 42 ")};
        for (int i = 0; i < 4; ++i)
            b.click(QStringLiteral("Command_ADRESSE_SLAVE"));
        QCOMPARE(int(b.t.link.SLAVE_ADRESSE), 10);
        // Out of range and not a number alike; the empty answer is silent.
        QCOMPARE(b.t.prompter.messages(),
                 QStringList(3, QStringLiteral("Fehler: WERTEBEREICH 0...127")));
        const auto& frage = b.t.prompter.shown.first();
        QCOMPARE(frage.text, QStringLiteral("ADRESSE eingeben"));
        QCOMPARE(frage.title, QStringLiteral("SLAVE - ADRESSE"));
        QCOMPARE(frage.defaultText, QStringLiteral("10"));

        b.click(QStringLiteral("Command_ADRESSE_SLAVE"));
        QCOMPARE(int(b.t.link.SLAVE_ADRESSE), 42);
        QTRY_COMPARE(b.child<QLineEdit>(QStringLiteral("Text_ADRESSE_SLAVE"))->text(),
                     QStringLiteral("42"));
        QTRY_COMPARE(b.rowColour(42), int(QB_HELLROT));
        QCOMPARE(b.rowColour(10), int(QB_HELLGRAU));
        QCOMPARE(b.t.prompter.unexpected, 0);
    }

    // With the kitchen (60) off line and 45 without a name: one scan and nothing more; 60 is
    // marked "fehlt", 45 "unbekannt", and both are listed. A new scan takes the marks away;
    // a scan the interface did not answer marks nothing.
    void installationCheck() {
        SlaveInfoBench b;
        const QList<std::pair<int, QString>> namen = {
            {8, "ZENTRALE"}, {20, "WOHNZIMMER"}, {40, "ARBEITSZIMMER"}, {44, "WETTER"},
            {60, "KUECHE"},  {65, "KESSEL"},     {66, "PUFFER"},        {80, "LOG"},
            {81, "KONFIG"},  {45, "---"}};
        for (const auto& [a, n] : namen)
            b.name(a)->setText(n);
        QVERIFY(b.sim->setDeviceOnline(60, false));
        b.clickAndWait(QStringLiteral("Command_ANLAGE_PRUEFEN"));
        QCOMPARE(b.befehle().size(), 129);
        QCOMPARE(
            b.t.prompter.messages(),
            QStringList{QStringLiteral("Anlage prüfen: 9 Adressen haben geantwortet.\r\n\r\n"
                                       "fehlt (Name, aber keine Antwort): 1\r\n 60  KUECHE\r\n\r\n"
                                       "unbekannt (Antwort, aber kein Name): 1\r\n 45")});
        b.tick();
        QCOMPARE(qbIndexOf(b.name(60)), int(QB_HELLGELB));
        QCOMPARE(qbIndexOf(b.adresse(60)), int(QB_HELLGRAU));
        QCOMPARE(qbIndexOf(b.name(45)), int(QB_HELLCYAN));
        QCOMPARE(qbIndexOf(b.adresse(45)), int(QB_HELLGRUEN));
        QCOMPARE(b.rowColour(8), int(QB_HELLGRUEN));
        QVERIFY(b.name(60)->toolTip().startsWith(QStringLiteral("fehlt")));

        b.clickAndWait(QStringLiteral("Command_SCANNER"));
        b.tick();
        QCOMPARE(b.rowColour(60), int(QB_HELLGRAU));
        QCOMPARE(b.rowColour(45), int(QB_HELLGRUEN));

        b.t.link.setReplyTimeout(5);
        b.sim->faults().silent = true;
        b.clickAndWait(QStringLiteral("Command_ANLAGE_PRUEFEN"));
        b.tick();
        QVERIFY(b.t.prompter.messages().last().startsWith(
            QStringLiteral("Das Interface antwortet nicht")));
        QCOMPARE(b.befehle().size(), 129 + 129 + 3);
        QCOMPARE(b.rowColour(60), int(QB_HELLGRAU));
    }

    void endRunsTheProgramEnd() {
        SlaveInfoBench b;
        b.click(QStringLiteral("Command_ENDE"));
        QCOMPARE(b.t.system.exits, 1); // the files of the program end: tst_shellwindows
    }
};

QTEST_MAIN(TestSlaveInfo)
#include "tst_slaveinfo.moc"
