// The register panel of the manual master window against the simulated interface: reads and
// writes of the five registers, a silent interface, and the wait for TWINT with its watchdog.

#include "windowbench.h"

#include "link/twiregisters.h"
#include "sim/twimaster.h"
#include "twi_manual/registerpanel.h"

#include <QElapsedTimer>

using namespace zelmar;

namespace {

const char* const kTwcrBits[8] = {"Check_TWIE",  "Check_TWR",   "Check_TWEN", "Check_TWWC",
                                  "Check_TWSTO", "Check_TWSTA", "Check_TWEA", "Check_TWINT"};

QString bitName(const QString& reg, int bit) {
    return reg == QLatin1String("TWCR") ? QLatin1String(kTwcrBits[bit])
                                        : QStringLiteral("Check_%1_%2").arg(reg).arg(bit);
}

int checkedBits(const WindowBench& b, const QString& reg) {
    int v = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (b.checked(bitName(reg, bit)))
            v |= 1 << bit;
    return v;
}

TwiRegister registerOf(const QString& reg) {
    const QStringList names{"TWBR", "TWSR", "TWAR", "TWCR", "TWDR"};
    return TwiRegister(names.indexOf(reg));
}

int countOf(const WindowBench& b, int befehl) {
    return int(b.befehle().count(befehl));
}

} // namespace

class TestTwiRegister : public QObject {
    Q_OBJECT

private slots:
    void readShowsTheRegister_data();
    void readShowsTheRegister();
    void writeTakesTheBoxes_data();
    void writeTakesTheBoxes();
    void readWithoutReply();
    void twintWait();
};

void TestTwiRegister::readShowsTheRegister_data() {
    QTest::addColumn<QList<int>>("vorher"); // register, value, ... written over the link first
    QTest::addColumn<QString>("reg");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("extra"); // the row's extra field ("" for none)
    QTest::addColumn<int>("flag");      // TWINT_FLAG after a TWCR read, -1 elsewhere

    const int sr = int(TwiRegister::TWSR), ar = int(TwiRegister::TWAR);
    const int cr = int(TwiRegister::TWCR), dr = int(TwiRegister::TWDR);
    QTest::newRow("TWSR 0x09") << QList<int>{sr, 1, cr, 0xA4} << "TWSR"
                               << "x9"
                               << "8" << -1;
    QTest::newRow("TWSR 0xF8") << QList<int>{} << "TWSR"
                               << "xF8"
                               << "F8" << -1;
    QTest::newRow("TWAR 0x41") << QList<int>{ar, 0x41} << "TWAR"
                               << "x41"
                               << "32" << -1;
    QTest::newRow("TWCR 0x84") << QList<int>{cr, 0xA4, dr, 16, cr, 0x84} << "TWCR"
                               << "x84"
                               << "" << 1;
    QTest::newRow("TWCR 0x44") << QList<int>{cr, 0x44} << "TWCR"
                               << "x44"
                               << "" << 0;
}

void TestTwiRegister::readShowsTheRegister() {
    QFETCH(QList<int>, vorher);
    QFETCH(QString, reg);
    QFETCH(QString, hex);
    QFETCH(QString, extra);
    QFETCH(int, flag);

    WindowBench b(fenster::HAND_BETRIEB);
    auto* panel = b.child<RegisterPanel>("Frame3");
    Link::Auftrag wieDasFenster(b.t.link, panel); // it holds the link
    for (int i = 0; i + 1 < vorher.size(); i += 2)
        TWI_REGISTER_SCHREIBEN(b.t.link, 8, TwiRegister(vorher[i]), quint8(vorher[i + 1]));
    b.frames().clear();
    panel->TWINT_FLAG = flag != 1; // the read must set it either way

    b.click(QStringLiteral("Command_TWI_%1_abfragen").arg(reg));

    const int v = hex.mid(1).toInt(nullptr, 16);
    QCOMPARE(b.befehle(), QList<int>{20 + int(registerOf(reg))});
    QCOMPARE(b.frames().first().anzahlSenden, 0.0);
    QCOMPARE(b.frames().first().anzahlEmpfangen, 0.0);
    QCOMPARE(b.text("Text_" + reg), QString::number(v));
    QCOMPARE(b.text("Text_" + reg + "_HEX"), hex);
    QCOMPARE(checkedBits(b, reg), v);
    for (int bit = 0; bit < 8; ++bit) {
        const bool cyan = (reg == "TWSR" && bit <= 1) || (reg == "TWAR" && bit == 0);
        const bool red = reg == "TWCR" && (v >> bit & 1);
        QCOMPARE(b.colour(bitName(reg, bit)), cyan ? 11 : red ? 12 : 7);
    }
    if (reg == "TWSR") {
        QCOMPARE(b.text("Text_TWSR_HEX_BEREINIGT"), extra);
        QCOMPARE(panel->TWSR_BEREINIGT_HEX, extra);
        QVERIFY(b.child("Text_TWSR_HEX_BEREINIGT")
                    ->toolTip()
                    .endsWith(twiStatusErklaerung(extra.toInt(nullptr, 16))));
    }
    if (reg == "TWAR")
        QCOMPARE(b.text("Text_TWAR_SLAVE"), extra);
    if (flag >= 0)
        QCOMPARE(panel->TWINT_FLAG, flag == 1);
}

void TestTwiRegister::writeTakesTheBoxes_data() {
    QTest::addColumn<QString>("reg");
    QTest::addColumn<QStringList>("boxes"); // clicked, from the opening state
    QTest::addColumn<int>("wert");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("slave"); // Text_TWAR_SLAVE afterwards
    QTest::addColumn<bool>("warned");
    QTest::addColumn<int>("zurueck"); // what the register reads afterwards

    QTest::newRow("TWBR 8") << "TWBR" << QStringList{"Check_TWBR_3"} << 8 << "8"
                            << "0" << true << 8;
    QTest::newRow("TWBR 72") << "TWBR" << QStringList{"Check_TWBR_6", "Check_TWBR_3"} << 72 << "48"
                             << "0" << false << 72;
    QTest::newRow("TWAR 3") << "TWAR" << QStringList{"Check_TWAR_1", "Check_TWAR_0"} << 3 << "x3"
                            << "1" << false << 3;
    // TWINT written as 1 clears the flag; off the bus the unit starts nothing.
    QTest::newRow("TWCR opening 0xC4") << "TWCR" << QStringList{} << 0xC4 << "C4"
                                       << "0" << false << 0x44;
}

void TestTwiRegister::writeTakesTheBoxes() {
    QFETCH(QString, reg);
    QFETCH(QStringList, boxes);
    QFETCH(int, wert);
    QFETCH(QString, hex);
    QFETCH(QString, slave);
    QFETCH(bool, warned);
    QFETCH(int, zurueck);

    WindowBench b(fenster::HAND_BETRIEB);
    for (const QString& box : boxes)
        b.click(box);
    b.click("Command_TWI_" + reg);

    QCOMPARE(b.t.prompter.messages(),
             warned ? QStringList{QStringLiteral("Sollte größer als 10 sein")} : QStringList{});
    QCOMPARE(b.befehle(), QList<int>{30 + int(registerOf(reg))});
    QCOMPARE(b.frames().first().reserve, wert);
    QCOMPARE(b.text("Text_" + reg), QString::number(wert));
    QCOMPARE(b.text("Text_" + reg + "_HEX"), hex);
    QCOMPARE(b.text("Text_TWAR_SLAVE"), slave);
    Link::Auftrag wieDasFenster(b.t.link, b.child<RegisterPanel>("Frame3"));
    QCOMPARE(int(TWI_REGISTER_LESEN(b.t.link, 8, registerOf(reg))), zurueck);
}

// Nothing came back: zeros everywhere, the cleaned code "0" is explained as no reply, TWINT off.
void TestTwiRegister::readWithoutReply() {
    WindowBench b(fenster::HAND_BETRIEB);
    auto* panel = b.child<RegisterPanel>("Frame3");
    Link::Auftrag wieDasFenster(b.t.link, panel);
    TWI_REGISTER_SCHREIBEN(b.t.link, 8, TwiRegister::TWCR, 0xA4);
    b.click("Command_TWI_TWSR_abfragen");
    b.click("Command_TWI_TWCR_abfragen");
    QCOMPARE(b.text("Text_TWSR_HEX_BEREINIGT"), QStringLiteral("8"));
    QVERIFY(panel->TWINT_FLAG);

    b.sim->faults().silent = true;
    b.click("Command_TWI_TWSR_abfragen");
    b.click("Command_TWI_TWCR_abfragen");
    QCOMPARE(b.t.link.STATUS_CODE, qint16(STATUS_KEINE_DATEN));
    QCOMPARE((QStringList{b.text("Text_TWSR"), b.text("Text_TWSR_HEX"),
                          b.text("Text_TWSR_HEX_BEREINIGT"), b.text("Text_TWCR")}),
             (QStringList{"0", "x0", "0", "0"}));
    QCOMPARE(checkedBits(b, "TWSR"), 0);
    QCOMPARE(checkedBits(b, "TWCR"), 0);
    QVERIFY(!panel->TWINT_FLAG);
    QVERIFY(b.child("Text_TWSR_HEX_BEREINIGT")->toolTip().endsWith("keine Antwort vom Interface"));
    QVERIFY(b.t.prompter.shown.isEmpty());
}

// TWINT comes: one poll. It never comes: the watchdog ends the wait after a second with 1100,
// and the polls are paced, not run as fast as the line answers.
void TestTwiRegister::twintWait() {
    WindowBench b(fenster::HAND_BETRIEB);
    auto* panel = b.child<RegisterPanel>("Frame3");
    Link::Auftrag wieDasFenster(b.t.link, panel);
    TWI_REGISTER_SCHREIBEN(b.t.link, 8, TwiRegister::TWCR, 0xA4);
    b.frames().clear();
    QVERIFY(panel->TWINT_ABWARTEN());
    QCOMPARE(b.befehle(), QList<int>{23});
    QVERIFY(panel->TWINT_FLAG);
    QCOMPARE(b.t.link.STATUS_CODE, qint16(STATUS_OK));

    b.sim->twi().setTwintStuck(true);
    TWI_REGISTER_SCHREIBEN(b.t.link, 8, TwiRegister::TWDR, 16);
    TWI_REGISTER_SCHREIBEN(b.t.link, 8, TwiRegister::TWCR, 0x84);
    b.frames().clear();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(panel->TWINT_ABWARTEN());
    const qint64 ms = clock.elapsed();
    QCOMPARE(b.t.link.STATUS_CODE, qint16(STATUS_TWINT_WATCHDOG));
    QVERIFY(!panel->TWINT_FLAG);
    QVERIFY2(ms >= 1000, qPrintable(QString::number(ms)));
    const int polls = countOf(b, 23);
    QCOMPARE(polls, b.frames().size());
    QVERIFY2(polls >= 2 && polls <= 110, qPrintable(QString::number(polls)));
    QVERIFY(!b.child<QTimer>("Timer_TWINT_FLAG_abfragen_WATCH_DOG")->isActive());
}

QTEST_MAIN(TestTwiRegister)
#include "tst_twiregister.moc"
