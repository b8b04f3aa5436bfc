// The EEPROM window against the demo installation: what a user sees, clicks and gets.

#include "windowbench.h"

#include "files/eepromdump.h"
#include "files/eepromimage.h"
#include "memory_tools/eepromsonderfunktionen.h"

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace zelmar;

namespace {

const QString kGroesse = QStringLiteral("Bitte zuerst die EEPROM-Größe definieren");
const QString kNichtGefunden =
    QStringLiteral("FEHLER: EEPROM nicht gefunden. IST SLAVE adresse korrekt?");
const QString kKeineAntwort = QStringLiteral(
    "FEHLER: das Interface antwortet nicht (keine DATEN !!!). COM-PORT und Verbindung prüfen.");

struct EepromBench : WindowBench {
    EepromBench() : WindowBench(fenster::EEPROM_EXTERN_65K) {
        QByteArray& m = sim->eeprom(80)->memory();
        for (int a = 0; a < m.size(); ++a)
            m[a] = char(a % 251);
        m[1] = 0;
        m[2] = char(255);
        m[3] = 'A';
    }
    QByteArray& speicher(int slave = 80) { return sim->eeprom(slave)->memory(); }
    QString wert(int i) const { return text(QStringLiteral("Text2_%1").arg(i)); }
    QString adresse(int i) const { return text(QStringLiteral("Text_ADRESSE_%1").arg(i)); }
    int farbe(int i) const { return colour(QStringLiteral("Text2_%1").arg(i)); }
    // Reads 150 bytes of slave 80 from `start` with two address bytes.
    void lesen(int start = 0) {
        t.link.SLAVE_ADRESSE = 80;
        if (!checked("Option_GRÖSSER_256_BYTE"))
            click("Option_GRÖSSER_256_BYTE");
        type("Text_EERPROM_STARTADRESSE_DEZIMAL", QString::number(start));
        clickAndWait("Command_lesen");
    }
    void zelleSchreiben(int i, const QString& v) {
        QTest::mouseClick(box(QStringLiteral("Text2_%1").arg(i)), Qt::LeftButton);
        type(QStringLiteral("Text2_%1").arg(i), v);
        clickAndWait(QStringLiteral("Command_w_%1").arg(i));
    }
    int adressFrame(int k) const {
        const auto& f = t.frames.entries[k];
        return f.anzahlSenden == 1 ? f.daten[0] : f.daten[0] * 256 + f.daten[1];
    }
};

} // namespace

class TestEepromWindow : public QObject {
    Q_OBJECT

private slots:
    // Opened from the console: greyed until the window exists, and the slave chosen inside
    // it goes back to the console's when it closes.
    void theConsoleOpensIt() {
        ConsoleBench b;
        QVERIFY(b.enabled("Command_EEPROM_EXTERN"));
        b.t.link.SLAVE_ADRESSE = 44;
        b.click("Command_EEPROM_EXTERN");
        QWidget* w = b.t.ctx.windows.find(fenster::EEPROM_EXTERN_65K);
        QVERIFY(w && w->isModal());
        QTest::mouseClick(w->findChild<QPushButton*>("Command12"), Qt::LeftButton);
        QCOMPARE(b.t.link.SLAVE_ADRESSE, quint8(83));
        QTest::mouseClick(w->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QTRY_COMPARE(b.t.link.SLAVE_ADRESSE, quint8(44));
    }

    void opensEmptyAndAsksForTheSize() {
        EepromBench b;
        b.tick("Timer_ANZEIGE");
        QCOMPARE(b.wert(0), QStringLiteral("---"));
        QCOMPARE(b.text("Text_EEPROM_STATUS"), QStringLiteral("---"));
        QVERIFY(b.child("Frame_SONDERFUNKTIONEN")->isVisible());
        QVERIFY(b.checked("Option_DEZ") && b.checked("Check_255") && !b.checked("Check_000"));
        QTest::qWait(300); // Timer_START has come and gone
        b.t.link.SLAVE_ADRESSE = 80;
        b.click("Check_PROFI");
        b.tick("Timer_ANZEIGE");
        QVERIFY(!b.child("Frame_SONDERFUNKTIONEN")->isVisible());
        QCOMPARE(b.text("Text_ADRESSE_SLAVE"), QStringLiteral("80"));
        QVERIFY(b.frames().isEmpty()); // nothing read at opening

        // Neither a read nor a write goes out without the size.
        b.clickAndWait("Command_lesen");
        b.type("Text2_4", "9");
        b.clickAndWait("Command_w_4");
        QCOMPARE(b.t.prompter.messages(), (QStringList{kGroesse, kGroesse}));
        QCOMPARE(b.colour("Option_GRÖSSER_256_BYTE"), int(QB_HELLROT));
        QCOMPARE(b.colour("Option_KLEINER_256_BYTE"), int(QB_HELLROT));
        QVERIFY(b.frames().isEmpty());
        QCOMPARE(quint8(b.speicher().at(4)), quint8(4));
    }

    void readsAndShowsInEveryForm() {
        EepromBench b;
        b.click("Option_GRÖSSER_256_BYTE");
        b.clickAndWait("Command9"); // slave 80
        QCOMPARE(b.befehle(), (QList<int>{60, 80}));
        QCOMPARE(b.frames()[0].slaveAdresse, 80);
        QCOMPARE(b.frames()[0].anzahlSenden, 2.0);
        QCOMPARE(b.frames()[1].anzahlEmpfangen, 150.0);
        QVERIFY(!b.checked("Option_GRÖSSER_256_BYTE") && !b.checked("Option_KLEINER_256_BYTE"));
        QCOMPARE(b.colour("Option_GRÖSSER_256_BYTE"), int(QB_HELLGRAU));

        QCOMPARE(b.adresse(149), QStringLiteral("149"));
        QCOMPARE((QStringList{b.wert(1), b.wert(2), b.wert(3), b.wert(149)}),
                 (QStringList{"0", "255", "65", "149"}));
        // Filters as at load: 255 grey, every other value yellow. Each box greys its own values.
        const auto farben = [&b] { return QList<int>{b.farbe(1), b.farbe(2), b.farbe(3)}; };
        const int gelb = QB_HELLGELB, grau = QB_HELLGRAU;
        QCOMPARE(farben(), (QList<int>{gelb, grau, gelb}));
        b.click("Check_000");
        QCOMPARE(farben(), (QList<int>{grau, grau, gelb}));
        b.click("Check_255");
        QCOMPARE(farben(), (QList<int>{grau, gelb, gelb}));
        b.click("Check_000");
        b.click("Check_1_254");
        QCOMPARE(farben(), (QList<int>{gelb, gelb, grau}));
        b.click("Option_HEX");
        QCOMPARE((QStringList{b.wert(1), b.wert(2), b.wert(10)}),
                 (QStringList{"x00", "xFF", "x0A"}));
        b.click("Option_ASC");
        QCOMPARE(b.wert(3), QStringLiteral("A"));
        b.click("Check_ADRESSE_HEX");
        QCOMPARE(b.adresse(0), QStringLiteral("x0000"));
        QCOMPARE(b.adresse(149), QStringLiteral("x0095"));
        QVERIFY(b.t.prompter.shown.isEmpty());
        QCOMPARE(b.frames().size(), 2); // the display reads nothing
    }

    void pagingKeepsTheStartInRange_data() {
        QTest::addColumn<QString>("getippt");
        QTest::addColumn<QString>("knopf");
        QTest::addColumn<int>("start"); // -1: refused with a message
        QTest::newRow("- 150 from 100") << "100"
                                        << "Command3" << 0;
        QTest::newRow("+ 150 from 65300") << "65300"
                                          << "Command4" << 65386;
        QTest::newRow("- 1000") << "5000"
                                << "Command5" << 4000;
        QTest::newRow("+ 1000 from 65000") << "65000"
                                           << "Command6" << 65386;
        QTest::newRow("- 10.000 from 20000") << "20000"
                                             << "Command7" << 10000;
        QTest::newRow("+ 10.000") << "100"
                                  << "Command8" << 10100;
        QTest::newRow("0 whatever was typed") << "abc"
                                              << "Command17" << 0;
        QTest::newRow("max") << "7"
                             << "Command18" << 65386;
        QTest::newRow("empty counts as 0") << ""
                                           << "Command4" << 150;
        QTest::newRow("text") << "12abc"
                              << "Command3" << -1;
        QTest::newRow("above 65535") << "70000"
                                     << "Command_lesen" << -1;
        QTest::newRow("negative") << "-5"
                                  << "Command_lesen" << -1;
        QTest::newRow("fraction") << "12,5"
                                  << "Command4" << -1;
    }
    void pagingKeepsTheStartInRange() {
        QFETCH(QString, getippt);
        QFETCH(QString, knopf);
        QFETCH(int, start);
        EepromBench b;
        b.t.link.SLAVE_ADRESSE = 80;
        b.click("Option_GRÖSSER_256_BYTE");
        b.type("Text_EERPROM_STARTADRESSE_DEZIMAL", getippt);
        b.clickAndWait(knopf);
        if (start < 0) {
            QCOMPARE(b.t.prompter.messages().size(), 1);
            QVERIFY(b.t.prompter.messages().first().contains("STARTADRESSE"));
            QVERIFY(b.frames().isEmpty());
            QCOMPARE(b.text("Text_EERPROM_STARTADRESSE_DEZIMAL"), getippt);
            return;
        }
        QCOMPARE(b.text("Text_EERPROM_STARTADRESSE_DEZIMAL"), QString::number(start));
        QCOMPARE(b.adressFrame(0), start);
        QCOMPARE(b.adresse(0), QString::number(start));
        QCOMPARE(b.wert(0), QString::number(quint8(b.speicher().at(start))));
        if (start == 65386)
            QCOMPARE(b.adresse(149), QStringLiteral("65535"));
    }

    // "<=256 Byte" sends the low address byte only; the cells still count on from the start.
    // Hex addresses above 65535 do not exist: empty boxes and one message for the display; a
    // repeat would bring it back every pass, so it stops.
    void addressesOutsideTheRange() {
        EepromBench b;
        b.speicher(81)[44] = char(99);
        b.t.link.SLAVE_ADRESSE = 81;
        b.click("Option_KLEINER_256_BYTE");
        b.type("Text_EERPROM_STARTADRESSE_DEZIMAL", "300");
        b.clickAndWait("Command_lesen");
        QCOMPARE(b.frames()[0].anzahlSenden, 1.0);
        QCOMPARE(b.adressFrame(0), 44);
        QCOMPARE(b.adresse(0), QStringLiteral("300"));
        QCOMPARE(b.wert(0), QStringLiteral("99"));

        b.t.frames.entries.clear();
        b.click("Check_ADRESSE_HEX");
        b.lesen(65500);
        QCOMPARE(b.t.prompter.messages(), QStringList{"Fehler in Funktion"});
        QCOMPARE(b.adresse(35), QStringLiteral("xFFFF"));
        QCOMPARE(b.adresse(36), QString());

        b.t.frames.entries.clear();
        b.click("Check_REPEAD");
        b.clickAndWait("Command_lesen");
        QCOMPARE(b.t.prompter.messages().size(), 2);
        QVERIFY(!b.checked("Check_REPEAD"));
        QCOMPARE(b.frames().size(), 2);
    }

    void writeAndReadBackWithBothSizes() {
        EepromBench b;
        b.lesen(1000);
        QTest::mouseClick(b.box("Text2_5"), Qt::LeftButton);
        QCOMPARE(b.wert(5), QString());
        QCOMPARE(b.farbe(5), int(QB_HELLROT));
        b.t.frames.entries.clear();
        b.zelleSchreiben(5, "42");
        QCOMPARE(b.befehle(), (QList<int>{50, 60, 80}));
        const FrameLogEntry& w = b.frames()[0];
        QCOMPARE(w.anzahlSenden, 3.0);
        QCOMPARE((QList<int>{w.daten[0], w.daten[1], w.daten[2]}), (QList<int>{3, 0xED, 42}));
        QCOMPARE(quint8(b.speicher().at(1005)), quint8(42));
        QCOMPARE(b.wert(5), QStringLiteral("42"));

        b.t.link.SLAVE_ADRESSE = 81;
        b.click("Option_KLEINER_256_BYTE");
        b.type("Text_EERPROM_STARTADRESSE_DEZIMAL", "0");
        b.clickAndWait("Command_lesen");
        b.t.frames.entries.clear();
        b.zelleSchreiben(3, "7");
        const FrameLogEntry& k = b.frames()[0];
        QCOMPARE((QList<int>{int(k.anzahlSenden), k.daten[0], k.daten[1]}), (QList<int>{2, 3, 7}));
        QCOMPARE(quint8(b.speicher(81).at(3)), quint8(7));
        QCOMPARE(b.wert(3), QStringLiteral("7"));
        QVERIFY(b.t.prompter.shown.isEmpty());
    }

    void badValuesAreNotSent_data() {
        QTest::addColumn<QString>("wert");
        for (const char* v : {"", "xFF", "A", "256", "-1", "1,5", "0x10"})
            QTest::newRow(v) << QString::fromLatin1(v);
    }
    void badValuesAreNotSent() {
        QFETCH(QString, wert);
        EepromBench b;
        b.lesen(0);
        b.t.frames.entries.clear();
        b.zelleSchreiben(7, wert);
        QVERIFY(b.frames().isEmpty());
        QCOMPARE(b.farbe(7), int(QB_HELLROT));
        QCOMPARE(b.t.prompter.messages().size(), 1);
        QVERIFY(b.t.prompter.messages().first().contains("0 bis 255"));
    }

    // A cell beyond 65535 does not exist; with one address byte a cell above 255 is its low byte,
    // the one the read showed there.
    void cellsBeyondTheAddressBytes() {
        EepromBench b;
        b.lesen(65500);
        b.zelleSchreiben(36, "1"); // address 65536
        QCOMPARE(b.t.prompter.messages().size(), 1);
        QVERIFY(b.t.prompter.messages().first().contains("65536"));
        b.t.link.SLAVE_ADRESSE = 81;
        b.click("Option_KLEINER_256_BYTE");
        b.type("Text_EERPROM_STARTADRESSE_DEZIMAL", "200");
        b.clickAndWait("Command_lesen");
        b.t.frames.entries.clear();
        b.zelleSchreiben(60, "17"); // address 260: low byte 4
        QCOMPARE(b.frames().first().befehl, 50);
        QCOMPARE(b.frames().first().daten[0], 4);
        QCOMPARE(b.speicher(81).at(4), char(17));
        QCOMPARE(b.wert(60), QStringLiteral("17"));
    }

    // What the hex or ASCII display drew is never written back as a number ("7" is 0x37).
    void drawnValuesAreNotWritten() {
        EepromBench b;
        b.lesen(0);
        QCOMPARE(b.wert(55), QStringLiteral("55"));
        b.click("Option_ASC");
        b.clickAndWait("Command_ANZEIGE");
        QCOMPARE(b.wert(55), QStringLiteral("7"));
        b.t.frames.entries.clear();
        b.clickAndWait("Command_w_55");
        QVERIFY(b.frames().isEmpty());
        QCOMPARE(b.t.prompter.messages().size(), 1);
        QCOMPARE(b.speicher().at(55), char(55));
        // Typed by the user, the same text is a decimal byte.
        b.zelleSchreiben(55, "7");
        QCOMPARE(b.speicher().at(55), char(7));
    }

    // In repeat mode the first pass marks every cell, later passes only what changed.
    void repeatMarksChanges() {
        EepromBench b;
        b.t.link.SLAVE_ADRESSE = 80;
        b.click("Option_GRÖSSER_256_BYTE");
        b.click("Check_REPEAD");
        QList<int> farben;
        b.atFrame(2, [&] { b.speicher()[4] = char(200); });
        b.atFrame(3, [&] { farben << b.farbe(2) << b.farbe(5); });
        b.atFrame(5, [&] {
            farben << b.farbe(2) << b.farbe(4) << b.farbe(5);
            b.click("Check_REPEAD");
        });
        b.clickAndWait("Command_lesen");
        // The pass under way when the box was cleared ends; every colour seen while on.
        QCOMPARE(b.frames().size(), 6);
        QCOMPARE(farben,
                 (QList<int>{QB_HELLGELB, QB_HELLGELB, QB_HELLGRAU, QB_HELLGELB, QB_HELLGRAU}));
        QCOMPARE(b.wert(4), QStringLiteral("200"));
        QVERIFY(b.enabled("Command_lesen"));

        // A read without repeat keeps what it showed too: the next repeat pass marks only what
        // changed since.
        b.speicher()[6] = char(77);
        b.clickAndWait("Command_lesen");
        b.speicher()[7] = char(78);
        b.t.frames.entries.clear();
        farben.clear();
        b.atFrame(3, [&] {
            farben << b.farbe(6) << b.farbe(7);
            b.click("Check_REPEAD");
        });
        b.click("Check_REPEAD");
        b.clickAndWait("Command_lesen");
        QCOMPARE(farben, (QList<int>{QB_HELLGRAU, QB_HELLGELB}));
    }

    void failuresOfReadsAndWrites() {
        EepromBench b;
        // No EEPROM at 82: both phases report, and the display still follows.
        b.t.link.SLAVE_ADRESSE = 82;
        b.click("Option_GRÖSSER_256_BYTE");
        b.clickAndWait("Command_lesen");
        QCOMPARE(b.t.prompter.messages(), (QStringList{kNichtGefunden, kNichtGefunden}));

        // A silent interface: no zeros that were never read.
        b.lesen(0);
        b.t.prompter.shown.clear();
        b.sim->faults().silent = true;
        b.clickAndWait("Command_lesen");
        QCOMPARE(b.t.prompter.messages(), QStringList{kKeineAntwort});
        QCOMPARE(b.wert(0), QStringLiteral("---"));
        QCOMPARE(b.befehle().last(), 60);
        b.t.prompter.shown.clear();
        b.zelleSchreiben(9, "1");
        QCOMPARE(b.t.prompter.messages(), (QStringList{kKeineAntwort, kKeineAntwort}));

        b.sim->faults().silent = false;
        b.lesen(0);
        b.sim->eeprom(80)->setWriteProtected(true);
        b.t.prompter.shown.clear();
        b.t.frames.entries.clear();
        b.zelleSchreiben(9, "1");
        QCOMPARE(b.t.prompter.messages(),
                 QStringList{"FEHLER: EEPROM antwotet nicht. IST SLAVE adresse korrekt? "
                             "Schreibschutz deaktiviert?"});
        QCOMPARE(b.befehle(), (QList<int>{50, 60, 80}));
        QCOMPARE(b.wert(9), QStringLiteral("9"));
    }

    void readoutAndDumpFromTheWindow() {
        EepromBench b;
        b.t.link.SLAVE_ADRESSE = 80;
        const QString datei = dump::DUMP_DATEINAME(b.t.ctx.DATEN_PFAD, 80);
        b.clickAndWait("Command_EDIT");
        QCOMPARE(b.t.prompter.messages().size(), 1); // nothing to show yet
        QVERIFY(b.t.system.openedFiles.isEmpty());

        b.click("Command_KOMLETT_AUSLESEN");
        QCOMPARE(b.colour("Text_EEPROM_STATUS"), int(QB_HELLGELB));
        QVERIFY(!b.enabled("Command_KOMLETT_AUSLESEN") && !b.enabled("Command_EEPROM_LÖSCHEN"));
        b.waitForJobs(60000);
        b.tick("Timer_ANZEIGE");
        QCOMPARE(b.text("Text_EEPROM_STATUS"), QStringLiteral("65k von 65k  (0)"));
        QCOMPARE(b.t.prompter.messages().last(),
                 datei + "\r\n\r\nerfolgreich gespeichert\r\n\r\n65.536 Byte");
        QCOMPARE(b.t.prompter.beeps, 1);
        auto* bar = b.child<QProgressBar>("ProgressBar_EEPROM");
        QCOMPARE(bar->value(), 65536);
        QVERIFY2(bar->format().startsWith("65.536 von 65.536 Byte   Dauer 0:"),
                 qPrintable(bar->format()));
        // The file's fingerprint beside the time, whole in the tooltip.
        EepromAbbild bild;
        QVERIFY(abbild::laden(datei, &bild, nullptr));
        QVERIFY2(bar->format().endsWith("SHA-256 " + abbild::sha256(bild).left(16) + "…"),
                 qPrintable(bar->format()));
        QCOMPARE(bar->toolTip(), "SHA-256 " + abbild::sha256(bild));
        QVERIFY(b.enabled("Command_KOMLETT_AUSLESEN"));
        QCOMPARE(dump::zeilenZaehlen(datei), qint64(65536));
        b.clickAndWait("Command_EDIT");
        QCOMPARE(b.t.system.openedFiles, QStringList{datei});

        // ABBRECHEN during a run.
        b.atFrame(6, [&] { b.click("Command_ABBRECHEN"); });
        b.clickAndWait("Command_KOMLETT_AUSLESEN");
        QCOMPARE(b.t.prompter.messages().last(), QStringLiteral("aktion wurde abgebrochen"));
        QVERIFY(bar->format().startsWith("2.000 von 65.536 Byte   Dauer"));
    }

    // "Erkennen" reads and suggests; it writes nothing, and an erased chip gets no suggestion.
    void detectionFromTheWindow() {
        EepromBench b;
        const QByteArray vorher = b.speicher(81);
        b.t.link.SLAVE_ADRESSE = 81;
        b.t.prompter.yesNo << true;
        b.click("Command_ERKENNEN");
        QVERIFY(!b.enabled("Command_ERKENNEN") && !b.enabled("Command_KOMLETT_AUSLESEN"));
        b.waitForJobs();
        b.tick("Timer_ANZEIGE");
        QCOMPARE(b.text("Text_EEPROM_STATUS"),
                 QStringLiteral("Vorschlag: 24C01 (128 Byte je Adresse, 1 Adressbyte)"));
        QVERIFY(b.enabled("Command_ERKENNEN"));
        QVERIFY(b.speicher(81) == vorher);
        QCOMPARE(b.sim->eeprom(81)->writeCycles(), 0);
        for (const auto& f : b.t.frames.entries)
            QVERIFY(f.befehl != 50 && f.befehl != 65);
        // The suggestion is offered, and taken only on Yes.
        QCOMPARE(b.t.prompter.shown.last().title, QStringLiteral("EEPROM erkannt"));
        QVERIFY(b.t.prompter.shown.last().text.contains("Baustein 24C01 (128 Byte) wählen?"));
        QCOMPARE(b.child<QComboBox>("Combo_BAUSTEIN")->currentData().toString(),
                 QStringLiteral("24C01"));
        QCOMPARE(b.text("Command_KOMLETT_AUSLESEN"), QStringLiteral("128  komplett auslesen"));
        b.child<QComboBox>("Combo_BAUSTEIN")->setCurrentIndex(0);
        b.t.prompter.yesNo << false;
        b.t.link.SLAVE_ADRESSE = 80;
        b.clickAndWait("Command_ERKENNEN");
        QCOMPARE(b.child<QComboBox>("Combo_BAUSTEIN")->currentData().toString(),
                 QStringLiteral("24C01"));
        QCOMPARE(b.t.prompter.unexpected, 0);

        b.t.link.SLAVE_ADRESSE = 81;
        b.speicher(81).fill(char(0xFF));
        b.clickAndWait("Command_ERKENNEN");
        b.tick("Timer_ANZEIGE");
        QCOMPARE(b.text("Text_EEPROM_STATUS"),
                 QStringLiteral("Nicht erkennbar (alle Bytes gleich?)"));
    }

    // The erase asks first; no, cancel, an empty or a bad fill value leave the EEPROM alone.
    void eraseAsksFirst() {
        EepromBench b;
        b.t.link.SLAVE_ADRESSE = 80;
        b.t.prompter.yesNo << false << true << true << true;
        b.t.prompter.inputs << ""
                            << "256"
                            << "abc";
        for (int i = 0; i < 4; ++i)
            b.clickAndWait("Command_EEPROM_LÖSCHEN");
        QVERIFY(b.frames().isEmpty());
        QCOMPARE(b.t.prompter.shown[0].title, QStringLiteral("WARNUNG !!!"));
        QCOMPARE(b.t.prompter.shown[0].text,
                 QStringLiteral(
                     "Die EEPROM DATEN werden gelöscht \r\n\r\n\r\nMöchten Sie fortfahren ?"));
        QCOMPARE(b.t.prompter.shown[2].defaultText, QStringLiteral("255"));
        QCOMPARE(b.t.prompter.messages().size(), 2);

        // A fill value, a cancel after a few pages, and the grid read again.
        b.click("Option_GRÖSSER_256_BYTE");
        b.t.prompter.yesNo << true;
        b.t.prompter.inputs << "7";
        b.atFrame(5 * 2 + 1, [&] { b.click("Command_ABBRECHEN"); });
        b.clickAndWait("Command_EEPROM_LÖSCHEN");
        QCOMPARE(b.t.prompter.messages().last(), QStringLiteral("aktion wurde abgebrochen"));
        QCOMPARE(b.befehle().mid(15), (QList<int>{100, 60, 80}));
        QCOMPARE(b.wert(47), QStringLiteral("7"));
        QCOMPARE(b.wert(48), QStringLiteral("48"));
        b.tick("Timer_ANZEIGE");
        QCOMPARE(b.text("Text_EEPROM_STATUS"), QStringLiteral("löschen 0,032k von 65k  (0)"));

        // Closed during a page: the page ends, a STOP releases the bus, nothing is read.
        b.t.frames.entries.clear();
        b.t.prompter.yesNo << true;
        b.t.prompter.inputs << "1";
        b.atFrame(3, [&] { b.click("Command2"); });
        b.clickAndWait("Command_EEPROM_LÖSCHEN");
        QTRY_VERIFY(!b.w);
        QCOMPARE(b.befehle(), (QList<int>{60, 65, 100, 60, 80, 100}));
    }

    // Clicked while another request waits for its reply: the read-out does not start and says
    // nothing; the erase says why it does not start.
    void runsClickedDuringAWait() {
        EepromBench b;
        b.t.link.SLAVE_ADRESSE = 80;
        b.t.link.setReplyTimeout(300);
        b.sim->faults().silent = true;
        b.t.prompter.yesNo << true;
        b.t.prompter.inputs << "0";
        QTimer::singleShot(50, [&] {
            b.click("Command_KOMLETT_AUSLESEN");
            b.click("Command_EEPROM_LÖSCHEN");
        });
        b.t.link.RAHMEN_SENDEN({befehl::DUMMY, 80});
        b.t.link.DATEN_EMPFANGEN(1);
        b.waitForJobs();
        QCOMPARE(b.befehle(), QList<int>{0});
        QCOMPARE(b.t.prompter.messages(),
                 QStringList{QStringLiteral("Abbruch, es werden noch daten erwartet")});
        QVERIFY(!QFile::exists(b.t.ctx.DATEN_PFAD + QStringLiteral("EEPROM_65k_80.txt")));
    }

    // The read-out's dump written back after the chip was cleared: the question names slave,
    // file and byte count, and No sends nothing; Yes writes, reads back and reports
    // "0 Unterschiede", which can be saved.
    void restoreFromTheReadOutsDump() {
        EepromBench b;
        b.t.link.SLAVE_ADRESSE = 80;
        b.clickAndWait("Command_KOMLETT_AUSLESEN");
        const QString datei = dump::DUMP_DATEINAME(b.t.ctx.DATEN_PFAD, 80);
        const QByteArray vorher = b.speicher();
        b.speicher().fill('\0');
        b.t.frames.entries.clear();
        b.t.prompter.files << datei << datei;
        b.t.prompter.yesNo << false << true;
        b.clickAndWait("Command_AUS_DATEI_SCHREIBEN");
        QVERIFY(b.frames().isEmpty());
        const auto frage = b.t.prompter.shown.last();
        QCOMPARE(frage.kind, FakePrompter::Kind::YesNo);
        QCOMPARE(frage.title, QStringLiteral("WARNUNG"));
        for (const QString& teil : {QStringLiteral("SLAVE-Adresse 80"), datei,
                                    QStringLiteral("65.536 Byte"), QStringLiteral("zu 16 Byte")})
            QVERIFY2(frage.text.contains(teil), qPrintable(frage.text));

        b.child<QComboBox>("Combo_SEITENGROESSE")->setCurrentIndex(1);
        b.clickAndWait("Command_AUS_DATEI_SCHREIBEN");
        QCOMPARE(b.speicher(), vorher);
        QCOMPARE(b.befehle().count(65), 65536 / 32);
        const QString bericht = b.t.prompter.messages().last();
        QVERIFY2(bericht.startsWith("Aus Datei geschrieben und zurückgelesen\r\nSoll: " + datei) &&
                     bericht.endsWith("65.536 Byte verglichen\r\n0 Unterschiede"),
                 qPrintable(bericht));
        QVERIFY(b.child<QProgressBar>("ProgressBar_EEPROM")->format().startsWith("100 %   Dauer"));

        const QString gespeichert = b.t.ctx.DATEN_PFAD + "bericht.txt";
        b.t.prompter.files << gespeichert;
        b.click("Command_BERICHT_SPEICHERN");
        QVERIFY(fileBytes(gespeichert).endsWith("0 Unterschiede\r\n"));
        QCOMPARE(b.t.prompter.unexpected, 0);
    }

    // The demo's 128-byte chip chosen under "Baustein": read out into its own file, changed,
    // written back and verified, all with one address byte and 8-byte pages; then erased.
    void theSmallChipThroughTheFrame() {
        EepromBench b;
        auto* chip = b.child<QComboBox>("Combo_BAUSTEIN");
        QCOMPARE(chip->currentData().toString(), QStringLiteral("24C512"));
        QCOMPARE(b.text("Command_KOMLETT_AUSLESEN"), QStringLiteral("65k  komplett auslesen"));
        chip->setCurrentIndex(chip->findData(QStringLiteral("24C01")));
        QCOMPARE(b.text("Command_EEPROM_LÖSCHEN"), QStringLiteral("128  komplett LÖSCHEN"));
        auto* seite = b.child<QComboBox>("Combo_SEITENGROESSE");
        QCOMPARE(seite->count(), 1);
        QCOMPARE(seite->currentData().toInt(), 8);

        b.t.link.SLAVE_ADRESSE = 81;
        const QByteArray vorher = b.speicher(81);
        const QString datei = dump::DUMP_DATEINAME(b.t.ctx.DATEN_PFAD, 81, 128);
        QVERIFY(datei.endsWith("/EEPROM_128_81.txt"));
        // The chip stays what the run was started for.
        b.click("Command_KOMLETT_AUSLESEN");
        QVERIFY(!b.enabled("Combo_BAUSTEIN"));
        b.waitForJobs();
        QVERIFY(b.enabled("Combo_BAUSTEIN"));
        b.tick("Timer_ANZEIGE");
        QCOMPARE(b.text("Text_EEPROM_STATUS"), QStringLiteral("128 von 128  (0)"));
        QCOMPARE(b.t.prompter.messages().last(),
                 datei + "\r\n\r\nerfolgreich gespeichert\r\n\r\n128 Byte");
        QCOMPARE(dump::zeilenZaehlen(datei), qint64(128));
        for (const auto& f : b.t.frames.entries)
            QVERIFY(f.slaveAdresse == 81 && (f.befehl != 60 || f.anzahlSenden == 1));

        b.speicher(81)[127] = char(~vorher.at(127));
        b.t.prompter.files << datei;
        b.clickAndWait("Command_MIT_DATEI_VERGLEICHEN");
        QString bericht = b.t.prompter.messages().last();
        QVERIFY2(bericht.contains("x007F =   127") && bericht.endsWith("1 Unterschied"),
                 qPrintable(bericht));
        EepromAbbild bild(128);
        QVERIFY(abbild::laden(datei, &bild, nullptr));
        QVERIFY2(bericht.contains("SHA-256 Soll: " + abbild::sha256(bild)), qPrintable(bericht));

        b.t.prompter.files << datei;
        b.t.prompter.yesNo << true;
        b.t.frames.entries.clear();
        b.clickAndWait("Command_AUS_DATEI_SCHREIBEN");
        QVERIFY(b.speicher(81) == vorher);
        QCOMPARE(b.befehle().count(65), 128 / 8);
        bericht = b.t.prompter.messages().last();
        QVERIFY2(bericht.endsWith("128 Byte verglichen\r\n0 Unterschiede"), qPrintable(bericht));

        // A dump of the 64 KiB chip is no image of this one: refused with the chip named.
        b.t.prompter.files << dump::DUMP_DATEINAME(b.t.ctx.DATEN_PFAD, 80);
        QFile gross(b.t.prompter.files.last());
        QVERIFY(gross.open(QIODevice::WriteOnly));
        gross.write(dump::zeilen(0, QByteArray(65536, 'x'), b.t.ctx.locale));
        gross.close();
        b.t.frames.entries.clear();
        b.clickAndWait("Command_MIT_DATEI_VERGLEICHEN");
        QVERIFY(b.frames().isEmpty());
        QVERIFY2(b.t.prompter.messages().last().contains("Baustein: 24C01 (128 Byte)"),
                 qPrintable(b.t.prompter.messages().last()));

        b.t.prompter.yesNo << true;
        b.t.prompter.inputs << "0";
        b.clickAndWait("Command_EEPROM_LÖSCHEN");
        QVERIFY(b.speicher(81) == QByteArray(128, '\0'));
        QCOMPARE(b.t.prompter.unexpected, 0);
    }

    // A chip with block bits answers at several slave addresses: only its first is taken.
    void blockBitsWantTheFirstAddress() {
        EepromBench b;
        auto* chip = b.child<QComboBox>("Combo_BAUSTEIN");
        chip->setCurrentIndex(chip->findData(QStringLiteral("24C04")));
        b.t.link.SLAVE_ADRESSE = 81;
        b.click("Command_KOMLETT_AUSLESEN");
        QVERIFY(b.frames().isEmpty());
        QVERIFY2(b.t.prompter.messages().last().contains("SLAVE-Adressen 80 bis 81"),
                 qPrintable(b.t.prompter.messages().last()));
        QVERIFY(b.enabled("Command_KOMLETT_AUSLESEN"));
    }

    // A file that leaves addresses out: the question says how many stay as they are, and which,
    // before anything is written, and the report says it again.
    void restoreLeavesAddressesAlone() {
        EepromBench b;
        b.t.link.SLAVE_ADRESSE = 80;
        const QByteArray vorher = b.speicher();
        EepromAbbild hex;
        for (int a : {0x10, 0x11, 0x12, 0x200, 0xFFFF})
            hex.setzen(a, quint8(~vorher.at(a)));
        const QString datei = b.t.ctx.DATEN_PFAD + "luecken.hex";
        QVERIFY(abbild::speichern(datei, hex, abbild::Format::IntelHex, b.t.ctx.locale));
        b.t.prompter.files << datei;
        b.t.prompter.yesNo << true;
        b.clickAndWait("Command_AUS_DATEI_SCHREIBEN");
        const QString bereiche = "x0000 … x000F (16 Byte)\r\nx0013 … x01FF (493 Byte)\r\n"
                                 "x0201 … xFFFE (65.022 Byte)";
        const auto frage = b.t.prompter.shown.at(1);
        QCOMPARE(frage.kind, FakePrompter::Kind::YesNo);
        QVERIFY2(frage.text.contains("65.531 Adressen nennt die Datei nicht") &&
                     frage.text.contains(bereiche),
                 qPrintable(frage.text));
        const QString bericht = b.t.prompter.messages().last();
        QVERIFY2(bericht.contains("nicht in der Datei, unverändert: 65.531 Byte\r\n" + bereiche),
                 qPrintable(bericht));
        QVERIFY2(bericht.endsWith("0 Unterschiede"), qPrintable(bericht));
        QByteArray erwartet = vorher;
        for (int a : {0x10, 0x11, 0x12, 0x200, 0xFFFF})
            erwartet[a] = char(hex.wert(a));
        QCOMPARE(b.speicher(), erwartet);

        // A verify of the same file: a match of 5 bytes, and the rest said not compared.
        b.t.prompter.files << datei;
        b.clickAndWait("Command_MIT_DATEI_VERGLEICHEN");
        const QString pruefung = b.t.prompter.messages().last();
        QVERIFY2(
            pruefung.contains("nicht in der Datei, nicht verglichen: 65.531 von 65.536 Byte") &&
                pruefung.endsWith("5 Byte verglichen\r\n0 Unterschiede"),
            qPrintable(pruefung));
    }

    // Verify reads only what the file gives; compare needs no chip. A malformed file is
    // refused with its line and reason before anything is asked or sent.
    void verifyCompareAndBadFiles() {
        EepromBench b;
        b.t.link.SLAVE_ADRESSE = 80;
        EepromAbbild hex;
        for (int a = 0x20; a < 0x30; ++a)
            hex.setzen(a, quint8(b.speicher().at(a)));
        hex.setzen(0x25, 99);
        const QString hexDatei = b.t.ctx.DATEN_PFAD + "teil.hex";
        QVERIFY(abbild::speichern(hexDatei, hex, abbild::Format::IntelHex, b.t.ctx.locale));
        b.t.prompter.files << hexDatei;
        b.clickAndWait("Command_MIT_DATEI_VERGLEICHEN");
        QCOMPARE(b.befehle(), (QList<int>{60, 80, 60, 80}));
        QCOMPARE(b.frames()[1].anzahlEmpfangen, 16.0);
        QVERIFY2(b.t.prompter.messages().last().endsWith(
                     "x0025 =    37   x63 =  99   x25 =  37\r\n\r\n1 Unterschied"),
                 qPrintable(b.t.prompter.messages().last()));

        // The file against the whole chip as binary: 65.520 bytes only on one side.
        const QString binDatei = b.t.ctx.DATEN_PFAD + "voll.bin";
        putFile(binDatei, b.speicher());
        b.t.prompter.files << hexDatei << binDatei << QString();
        b.click("Command_DUMPS_VERGLEICHEN");
        QVERIFY(b.t.prompter.messages().last().endsWith("65.521 Unterschiede"));
        b.click("Command_DUMPS_VERGLEICHEN"); // cancelled at the first file
        QCOMPARE(b.t.prompter.messages().size(), 2);

        QByteArray kaputt = fileBytes(hexDatei);
        kaputt[kaputt.indexOf("\r\n:") + 3] = 'F'; // the length of line 2
        putFile(hexDatei, kaputt);
        b.t.frames.entries.clear();
        b.t.prompter.files << hexDatei << hexDatei;
        b.clickAndWait("Command_MIT_DATEI_VERGLEICHEN");
        b.clickAndWait("Command_AUS_DATEI_SCHREIBEN");
        const QStringList m = b.t.prompter.messages().mid(2);
        QCOMPARE(m.size(), 2);
        QVERIFY2(m[0].startsWith("FEHLER in " + hexDatei + "\r\n\r\nZeile 2: ") &&
                     m[0].endsWith("\r\n\r\nEs wurde nichts verglichen."),
                 qPrintable(m[0]));
        QVERIFY(m[1].endsWith("Das EEPROM wurde nicht verändert."));
        QVERIFY(b.frames().isEmpty());
        QCOMPARE(b.t.prompter.unexpected, 0);
    }

    // The read-out in another format: the file by that name, checked by reading it again.
    void readOutAsBinary() {
        EepromBench b;
        b.t.link.SLAVE_ADRESSE = 80;
        b.child<QComboBox>("Combo_DATEIFORMAT")->setCurrentIndex(1);
        b.clickAndWait("Command_KOMLETT_AUSLESEN");
        const QString datei = b.t.ctx.DATEN_PFAD + "EEPROM_65k_80.bin";
        QCOMPARE(fileBytes(datei), b.speicher());
        QCOMPARE(b.t.prompter.messages().last(),
                 datei + "\r\n\r\nerfolgreich gespeichert\r\n\r\n65.536 Byte");
    }

    void timeLeft() {
        using S = EepromSonderfunktionen;
        QCOMPARE(S::restSekunden(0, 1000, 0, 70), 70.0);                   // the line rate alone
        QCOMPARE(S::restSekunden(500, 1000, 50, 70), 0.5 * 50 + 0.5 * 35); // half each
        QCOMPARE(S::restSekunden(1000, 1000, 80, 70), 0.0);
        QCOMPARE(S::dauerText(70.4), QStringLiteral("1:10"));
        QCOMPARE(S::dauerText(5), QStringLiteral("0:05"));
    }
};

QTEST_MAIN(TestEepromWindow)
#include "tst_eeprom_window.moc"
