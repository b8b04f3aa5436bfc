// The master-transmitter and master-receiver sequences of the manual master window against the
// simulated installation at register level: steps, the error latch, auto runs, the window frame.

#include "windowbench.h"

#include "jobs/job.h"
#include "sim/serialeeprom.h"
#include "sim/trace.h"

#include <QBuffer>
#include <QComboBox>
#include <QPushButton>

using namespace zelmar;

namespace {

const QStringList kMtStatus{"Text_STATUS_A", "Text_STATUS_C", "Text_STATUS_E", "Text_STATUS_G",
                            "Text_STATUS_I", "Text_STATUS_K", "Text_STATUS_L"};
const QStringList kMrStatus{"Text_MR_STATUS_A", "Text_MR_STATUS_C", "Text_MR_STATUS_D",
                            "Text_MR_STATUS_F", "Text_MR_STATUS_H", "Text_MR_STATUS_J",
                            "Text_MR_STATUS_L"};
const QStringList kMtSchritte{"Command_A", "Command_B", "Command_D", "Command_F",
                              "Command_H", "Command_J", "Command_L"};

QStringList texte(const WindowBench& b, const QStringList& namen) {
    QStringList t;
    for (const QString& n : namen)
        t << b.text(n);
    return t;
}

QList<int> farben(const WindowBench& b, const QStringList& namen) {
    QList<int> f;
    for (const QString& n : namen)
        f << b.colour(n);
    return f;
}

// Frames with this command (and value byte, when one is given).
int anzahl(WindowBench& b, int befehl, int reserve = -1) {
    int n = 0;
    for (const FrameLogEntry& e : b.frames())
        n += e.befehl == befehl && (reserve < 0 || e.reserve == reserve);
    return n;
}

// Runs `action` from the event loop once a frame with this command and value byte has gone out.
void beiRahmen(WindowBench& b, int befehl, int reserve, std::function<void()> action) {
    auto conn = std::make_shared<QMetaObject::Connection>();
    const int schon = anzahl(b, befehl, reserve);
    *conn =
        QObject::connect(&b.t.link, &Link::frameSent, [&b, conn, befehl, reserve, schon, action] {
            if (anzahl(b, befehl, reserve) > schon) {
                QObject::disconnect(*conn);
                QTimer::singleShot(0, action);
            }
        });
}

constexpr int kStart = 0xA4, kStop = 0x94;

} // namespace

class TestMasterSchritte : public QObject {
    Q_OBJECT

private slots:
    void eepromWrittenAndReadBackStepByStep();
    void combinedRunReadsBackWithARepeatedStart_data();
    void combinedRunReadsBackWithARepeatedStart();
    void latchHoldsWhileTheConsoleTicks();
    void dataBytes_data();
    void dataBytes();
    void startOpensANewRun();
    void twiOffAndOff();
    void twsrWithoutReplyIsRed();
    void autoRunEndsAfterThePassOnceUnticked();
    void combinedRunKeepsRepeatingTheTransmitter();
    void receiverAddressNotAcknowledgedAndItsStop();
    void byteStepsLatchTheirOwnCodes();
    void watchdogInsideTheAddressStep();
    void slaveAddressInput_data();
    void slaveAddressInput();
    void aClickDuringAStepAndEnd();
    void otherWindowsWaitWhileItIsOpen();
};

void TestMasterSchritte::eepromWrittenAndReadBackStepByStep() {
    WindowBench b(fenster::HAND_BETRIEB);
    b.t.link.SLAVE_ADRESSE = 80;
    const QStringList daten{"0", "16", "65", "66"}; // address 0x0010, then "AB"
    const QStringList felder{"Text_E", "Text_G", "Text_I", "Text_K"};
    for (int i = 0; i < 4; ++i)
        b.type(felder[i], daten[i]);
    for (const QString& c : kMtSchritte)
        b.click(c);
    QCOMPARE(texte(b, kMtStatus), (QStringList{"8", "18", "28", "28", "28", "28", "F8"}));
    QCOMPARE(farben(b, kMtStatus), QList<int>(7, 10));
    QCOMPARE(b.sim->eeprom(80)->memory().mid(16, 2), QByteArray("AB"));
    QCOMPARE(b.t.link.STATUS_CODE, qint16(STATUS_OK));

    // The address alone, no STOP; then the receiver's START is a repeated one.
    for (const char* c : {"Check_I", "Check_K", "Check_L", "Check_MR_D", "Check_MR_F"})
        b.click(c);
    for (const char* c : {"Command_A", "Command_B", "Command_D", "Command_F", "Command_MR_A",
                          "Command_MR_B", "Command_MR_H", "Command_MR_J", "Command_MR_L"})
        b.click(c);
    QCOMPARE(texte(b, kMrStatus), (QStringList{"10", "40", "", "", "50", "58", "F8"}));
    QCOMPARE(texte(b, {"Text_MR_I", "Text_MR_I_HEX", "Text_MR_I_ASC"}),
             (QStringList{"65", "41", "A"}));
    QCOMPARE(b.text("Text_MR_K"), QStringLiteral("66"));
    // Byte 2 was not fetched this time: no sum.
    QCOMPARE(b.text("Text_MR_SUMME"), QStringLiteral("SUMME "));
}

void TestMasterSchritte::combinedRunReadsBackWithARepeatedStart_data() {
    QTest::addColumn<QByteArray>("eeprom"); // at 0x0120
    QTest::addColumn<QString>("summe");
    QTest::addColumn<QString>("zeichen"); // of bytes 1 and 4 (code page 1252)
    const QString keins(QChar::ReplacementCharacter);
    QTest::newRow("all ones") << QByteArray("\x07\xFF\xFF\xFF", 4) << "16777215"
                              << keins + QChar(0xFF);
    QTest::newRow("65536") << QByteArray("\x41\x00\x00\x01", 4) << "65536"
                           << "A" + keins;
    QTest::newRow("euro") << QByteArray("\x80\x00\x00\x00", 4) << "0"
                          << "\u20AC" + keins;
}

// One pass of the combined run: the transmitter sets the EEPROM's address without a STOP, the
// receiver reads four bytes after a repeated START.
void TestMasterSchritte::combinedRunReadsBackWithARepeatedStart() {
    QFETCH(QByteArray, eeprom);
    QFETCH(QString, summe);
    QFETCH(QString, zeichen);
    WindowBench b(fenster::HAND_BETRIEB);
    b.sim->eeprom(80)->memory().replace(0x120, 4, eeprom);
    b.t.link.SLAVE_ADRESSE = 80;
    b.type("Text_E", "1");
    b.type("Text_G", "32");
    for (const char* c : {"Check_I", "Check_K", "Check_L"})
        b.click(c);
    b.clickAndWait("Command1");
    QCOMPARE(texte(b, kMrStatus), (QStringList{"10", "40", "50", "50", "50", "58", "F8"}));
    for (int i = 0; i < 4; ++i) {
        const QString f = QStringLiteral("Text_MR_") + "EGIK"[i];
        QCOMPARE(b.text(f), QString::number(quint8(eeprom[i])));
        QCOMPARE(b.text(f + "_HEX"), QString::number(quint8(eeprom[i]), 16).toUpper());
    }
    QCOMPARE(b.text("Text_MR_E_ASC") + b.text("Text_MR_K_ASC"), zeichen);
    QCOMPARE(b.text("Text_MR_SUMME"), summe);

    // Byte 2's row left out (the slave's bytes come in order all the same): its field stays
    // empty, and the sum keeps its last value.
    b.sim->eeprom(80)->memory()[0x122] = 9;
    b.click("Check_MR_F");
    b.clickAndWait("Command1");
    QCOMPARE(b.text("Text_MR_G"), QString());
    QCOMPARE(b.text("Text_MR_K"), QStringLiteral("9"));
    QCOMPARE(b.text("Text_MR_SUMME"), summe);
}

// A failed address step latches 110; nothing clears it while the window and the console behind
// it tick, neither for steps pressed one by one nor in an auto run; RESET releases it.
void TestMasterSchritte::latchHoldsWhileTheConsoleTicks() {
    ConsoleBench b;
    b.t.link.SLAVE_ADRESSE = 127; // nobody there
    b.click("Command_HANDBETRIEB");
    QPointer<QWidget> konsole = b.w;
    b.w = b.t.ctx.windows.find(fenster::HAND_BETRIEB);
    QVERIFY(b.w && b.w->isVisible());
    QCOMPARE(b.w->windowModality(), Qt::ApplicationModal);

    b.click("Command_A");
    b.click("Command_B");
    QCOMPARE(b.text("Text_STATUS_C"), QStringLiteral("20"));
    QCOMPARE(b.colour("Text_STATUS_C"), 12);
    QVERIFY(b.child("Text_STATUS_C")->toolTip().contains("kein Slave unter dieser Adresse"));
    QCOMPARE(b.text("Text_TWDR"), QStringLiteral("254")); // 127 with the write bit
    QCOMPARE(b.t.link.STATUS_CODE, qint16(110));

    const int frames = b.frames().size();
    for (const char* c : {"Command_D", "Command_F", "Command_H", "Command_J"}) {
        b.WindowBench::tick("Timer_ANZEIGE");
        QSignalSpy console(konsole->findChild<QTimer*>("Timer1"), &QTimer::timeout);
        QVERIFY(console.wait(1000));
        b.click(c);
    }
    QCOMPARE(b.frames().size(), frames);
    QCOMPARE(b.t.link.STATUS_CODE, qint16(110));
    QCOMPARE(texte(b, kMtStatus.mid(2, 4)), QStringList(4, QString()));
    b.click("Command_L");
    QCOMPARE(b.text("Text_STATUS_L"), QStringLiteral("F8"));

    b.frames().clear();
    b.clickAndWait("Command_RUN");
    QCOMPARE(texte(b, kMtStatus), (QStringList{"8", "20", "", "", "", "", "F8"}));
    QCOMPARE(anzahl(b, 34), 1); // the address; no data byte went out

    b.click("Command_B");
    QCOMPARE(b.t.link.STATUS_CODE, qint16(110));
    b.click("Command_RESET");
    QCOMPARE(b.befehle().last(), 10);
    QCOMPARE(b.t.link.STATUS_CODE, qint16(STATUS_OK));
}

void TestMasterSchritte::dataBytes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("twdr"); // -1: nothing may go out
    QTest::newRow("300") << "300" << 0xFF;
    QTest::newRow("-5") << "-5" << 0x00;
    QTest::newRow("-1") << "-1" << 0x00;
    QTest::newRow("65") << " 65 " << 65;
    QTest::newRow("not a number") << "zwölf" << -1;
    QTest::newRow("above 16 bits") << "32768" << -1;
    QTest::newRow("fraction") << "2,5" << -1;
}

void TestMasterSchritte::dataBytes() {
    QFETCH(QString, text);
    QFETCH(int, twdr);
    WindowBench b(fenster::HAND_BETRIEB);
    b.t.link.SLAVE_ADRESSE = 8;
    b.click("Command_A");
    b.click("Command_B");
    b.type("Text_E", text);
    b.frames().clear();
    b.click("Command_D");
    b.click("Command_F");
    if (twdr < 0) {
        QVERIFY(b.frames().isEmpty());
        QCOMPARE(b.colour("Text_STATUS_E"), 12);
        QCOMPARE(b.t.link.STATUS_CODE, qint16(120));
        return;
    }
    QCOMPARE(b.frames().first().befehl, 34);
    QCOMPARE(b.frames().first().reserve, twdr);
    QCOMPARE(b.text("Text_TWDR"), QString::number(0)); // byte 2's 0 came last
    QCOMPARE(texte(b, {"Text_STATUS_E", "Text_STATUS_G"}), (QStringList{"28", "28"}));
}

// START answered again while the transfer is open gives 0x10; START with its row disabled still
// clears the display and the latch, and sends nothing.
void TestMasterSchritte::startOpensANewRun() {
    WindowBench b(fenster::HAND_BETRIEB);
    b.t.link.SLAVE_ADRESSE = 99;
    b.click("Command_A");
    b.click("Command_A");
    QCOMPARE(b.text("Text_STATUS_A"), QStringLiteral("10"));
    QCOMPARE(b.colour("Text_STATUS_A"), 10);
    b.click("Command_B");
    QCOMPARE(b.t.link.STATUS_CODE, qint16(110));

    b.click("Check_A");
    b.frames().clear();
    b.click("Command_A");
    QVERIFY(b.frames().isEmpty());
    QCOMPARE(texte(b, kMtStatus), QStringList(7, QString()));
    QCOMPARE(farben(b, kMtStatus), QList<int>(7, 7));
    QCOMPARE(b.t.link.STATUS_CODE, qint16(STATUS_OK));
}

void TestMasterSchritte::twiOffAndOff() {
    WindowBench b(fenster::HAND_BETRIEB);
    b.click("Check_TWI_OFF");
    b.click("Command_A");
    b.click("Command_L");
    QCOMPARE(b.text("Text_STATUS_L"), QStringLiteral("F8"));
    QCOMPARE(b.text("Text_TWCR"), QStringLiteral("0"));
    QCOMPARE(b.colour("Check_TWI_OFF"), 10);
    QCOMPARE(b.frames().last().befehl, 33);
    b.click("Command_A");
    QCOMPARE(b.colour("Check_TWI_OFF"), 7);

    b.click("Command_ERROR"); // OFF
    QCOMPARE(b.text("Text_TWCR"), QStringLiteral("0"));
    for (const char* c : {"Check_TWINT", "Check_TWEA", "Check_TWSTA", "Check_TWSTO", "Check_TWWC",
                          "Check_TWEN", "Check_TWR", "Check_TWIE"}) {
        QVERIFY(!b.checked(c));
        QCOMPARE(b.colour(c), 7);
    }
}

void TestMasterSchritte::twsrWithoutReplyIsRed() {
    WindowBench b(fenster::HAND_BETRIEB);
    b.sim->faults().silent = true;
    b.click("Command_A");
    QCOMPARE(b.text("Text_STATUS_A"), QStringLiteral("0"));
    QCOMPARE(b.colour("Text_STATUS_A"), 12);
    QVERIFY(b.child("Text_STATUS_A")->toolTip().endsWith("keine Antwort vom Interface"));
    QCOMPARE(b.t.link.STATUS_CODE, qint16(100));
    b.click("Command_MR_A");
    QCOMPARE(b.text("Text_MR_STATUS_A"), QStringLiteral("0"));
    QCOMPARE(b.colour("Text_MR_STATUS_A"), 12);
    QCOMPARE(b.t.link.STATUS_CODE, qint16(200));
    QVERIFY(b.t.prompter.shown.isEmpty());
}

void TestMasterSchritte::autoRunEndsAfterThePassOnceUnticked() {
    WindowBench b(fenster::HAND_BETRIEB);
    b.t.link.SLAVE_ADRESSE = 8;
    b.click("Check_repeat");
    b.click("Command_RUN");
    QVERIFY(!b.enabled("Command_RUN"));
    QTRY_VERIFY(anzahl(b, 33, kStart) >= 3);
    b.click("Check_repeat");
    b.waitForJobs();
    QVERIFY(b.enabled("Command_RUN"));
    QCOMPARE(anzahl(b, 33, kStop), anzahl(b, 33, kStart)); // every pass ended with its STOP
    QCOMPARE(texte(b, kMtStatus), (QStringList{"8", "18", "28", "28", "28", "28", "F8"}));
}

// With the transmitter's own "repeat" ticked the receiver never gets its turn; unticked, one
// receiver pass follows, and the pair is not run again once "repeat" of MT + MR is unticked.
void TestMasterSchritte::combinedRunKeepsRepeatingTheTransmitter() {
    WindowBench b(fenster::HAND_BETRIEB);
    b.t.link.SLAVE_ADRESSE = 8;
    const int mrAdresse = 8 * 2 + 1;
    b.click("Check_repeat");
    b.click("Check_REPEAD_ALLE");
    b.click("Command1");
    QTRY_VERIFY(anzahl(b, 33, kStart) >= 4);
    QCOMPARE(anzahl(b, 34, mrAdresse), 0);
    beiRahmen(b, 34, mrAdresse, [&b] { b.click("Check_REPEAD_ALLE"); });
    b.click("Check_repeat");
    b.waitForJobs();
    QCOMPARE(anzahl(b, 34, mrAdresse), 1);
    QCOMPARE(b.text("Text_MR_STATUS_L"), QStringLiteral("F8"));
    QVERIFY(b.enabled("Command1"));
}

// Receiver: nobody answers the address (210), the byte rows stay empty; STOP is enabled by
// "4.BYTE holen" even then, disabled by START, and run by the auto run even while disabled.
void TestMasterSchritte::receiverAddressNotAcknowledgedAndItsStop() {
    WindowBench b(fenster::HAND_BETRIEB);
    b.t.link.SLAVE_ADRESSE = 99;
    QVERIFY(!b.enabled("Command_MR_L"));
    b.click("Command_MR_A");
    b.click("Command_MR_B");
    QCOMPARE(b.text("Text_MR_STATUS_C"), QStringLiteral("48"));
    QCOMPARE(b.t.link.STATUS_CODE, qint16(210));
    const int frames = b.frames().size();
    for (const char* c : {"Command_MR_D", "Command_MR_F", "Command_MR_H", "Command_MR_J"})
        b.click(c);
    QCOMPARE(b.frames().size(), frames);
    QCOMPARE(texte(b, kMrStatus.mid(2, 4)), QStringList(4, QString()));
    QCOMPARE(b.text("Text_MR_E"), QString());
    QVERIFY(b.enabled("Command_MR_L"));
    b.click("Command_MR_L");
    QCOMPARE(b.text("Text_MR_STATUS_L"), QStringLiteral("F8"));
    // A STOP sets no TWINT: one look at TWCR, no wait for it.
    QCOMPARE(b.befehle().mid(frames), (QList<int>{33, 23, 21}));

    b.click("Check_MR_J");
    b.click("Command_MR_A");
    QVERIFY(!b.enabled("Command_MR_L"));
    b.click("Command_MR_J");
    QVERIFY(!b.enabled("Command_MR_L"));
    b.frames().clear();
    b.clickAndWait("Command_MR_RUN");
    QCOMPARE(anzahl(b, 33, kStop), 1);
    QCOMPARE(b.text("Text_MR_STATUS_L"), QStringLiteral("F8"));
}

// Each byte step latches its own code. A transmitter byte inside a receiver transfer clocks a
// byte in (0x58); a fetch inside a transmitter transfer sends TWDR (0x28) and still shows what
// TWDR holds, and that read does not release the latch: the next fetch sends nothing.
void TestMasterSchritte::byteStepsLatchTheirOwnCodes() {
    WindowBench b(fenster::HAND_BETRIEB);
    b.t.link.SLAVE_ADRESSE = 8;
    const QStringList mt{"Command_D", "Command_F", "Command_H", "Command_J"};
    const QStringList mr{"Command_MR_D", "Command_MR_F", "Command_MR_H", "Command_MR_J"};
    const QList<int> mrCodes{220, 121, 122, 123};
    for (int n = 0; n < 4; ++n) {
        b.click("Command_MR_A");
        b.click("Command_MR_B");
        b.click(mt[n]);
        QCOMPARE(b.text(kMtStatus[2 + n]), QStringLiteral("58"));
        QCOMPARE(b.t.link.STATUS_CODE, qint16(120 + n));
        b.click("Command_L");

        b.click("Command_A");
        b.click("Command_B");
        b.click(mr[n]);
        QCOMPARE(b.text(kMrStatus[2 + n]), QStringLiteral("28"));
        QCOMPARE(b.colour(kMrStatus[2 + n]), 12);
        QCOMPARE(b.befehle().last(), 24);
        QCOMPARE(b.text(QStringLiteral("Text_MR_") + "EGIK"[n]), QStringLiteral("16"));
        QCOMPARE(b.t.link.STATUS_CODE, qint16(mrCodes[n]));
        if (n < 3) {
            const int frames = b.frames().size();
            b.click(mr[n + 1]);
            QCOMPARE(b.frames().size(), frames);
        }
        b.click("Command_L");
    }
}

// TWINT never comes after the address: the field turns red when the watchdog ends the wait,
// and the TWSR read after it still decides the final colour and the latch.
void TestMasterSchritte::watchdogInsideTheAddressStep() {
    WindowBench b(fenster::HAND_BETRIEB);
    b.t.link.SLAVE_ADRESSE = 8;
    b.click("Command_A");
    QCOMPARE(b.text("Text_STATUS_A"), QStringLiteral("8"));
    b.sim->twi().setTwintStuck(true);
    int farbeBeimLesen = -1;
    beiRahmen(b, 21, 0, [&] { farbeBeimLesen = b.colour("Text_STATUS_C"); });
    b.click("Command_B");
    QCOMPARE(farbeBeimLesen, int(QB_HELLROT));
    QVERIFY(anzahl(b, 23) >= 2); // the polls of the watchdog's second
    const bool passt = b.text("Text_STATUS_C") == QStringLiteral("18");
    QCOMPARE(b.colour("Text_STATUS_C"), int(passt ? QB_HELLGRUEN : QB_HELLROT));
    QCOMPARE(b.t.link.STATUS_CODE, qint16(passt ? 0 : 110));
}

void TestMasterSchritte::slaveAddressInput_data() {
    QTest::addColumn<QString>("antwort");
    QTest::addColumn<int>("adresse"); // -1: refused with the message
    QTest::newRow("127") << "127" << 127;
    QTest::newRow("12,6 rounds") << "12,6" << 13;
    QTest::newRow("128") << "128" << -1;
    QTest::newRow("-1") << "-1" << -1;
    QTest::newRow("no number") << "acht" << -1;
    QTest::newRow("cancelled") << "" << 40;
}

void TestMasterSchritte::slaveAddressInput() {
    QFETCH(QString, antwort);
    QFETCH(int, adresse);
    WindowBench b(fenster::HAND_BETRIEB);
    b.t.link.SLAVE_ADRESSE = 40;
    b.tick("Timer_START");
    auto* combo = b.child<QComboBox>("Combo_SENDE_ADRESSE_SLAVE");
    QCOMPARE(combo->count(), 1);
    QCOMPARE(combo->itemText(0), QStringLiteral("40"));

    b.t.prompter.inputs << antwort;
    b.click("Command_SLAVE_ADRESSE");
    QCOMPARE(b.t.prompter.shown.first().defaultText, QStringLiteral("40"));
    const bool refused = adresse < 0;
    QCOMPARE(b.t.prompter.messages(),
             refused ? QStringList{"Fehler: WERTEBEREICH 0...127"} : QStringList{});
    QCOMPARE(int(b.t.link.SLAVE_ADRESSE), refused ? 40 : adresse);
    const bool added = !refused && !antwort.isEmpty();
    QCOMPARE(combo->count(), added ? 2 : 1);
    b.tick("Timer_ANZEIGE");
    QCOMPARE(combo->currentText(), QString::number(b.t.link.SLAVE_ADRESSE));

    // The list entry of the opening brings the address back.
    emit combo->activated(0);
    QCOMPARE(int(b.t.link.SLAVE_ADRESSE), 40);
}

// A step clicked while another one waits gets the busy message and sends nothing; END stops an
// auto run after the transaction under way and ends the program.
void TestMasterSchritte::aClickDuringAStepAndEnd() {
    WindowBench b(fenster::HAND_BETRIEB);
    b.sim->faults().silent = true;
    int framesAtClick = -1;
    b.atFrame(1, [&] {
        framesAtClick = b.frames().size();
        b.click("Command_B");
    });
    b.click("Command_A");
    QCOMPARE(b.t.prompter.messages(), QStringList{"DATEN werden noch empfangen"});
    QVERIFY(framesAtClick > 0);
    QCOMPARE(anzahl(b, 34), 0); // the address step never wrote TWDR

    b.click("Check_repeat");
    b.click("Command_RUN");
    QTRY_VERIFY(b.frames().size() > framesAtClick + 3);
    const int frames = b.frames().size();
    b.click("Command_EXIT");
    b.waitForJobs();
    QVERIFY(b.frames().size() <= frames + 1);
    QCOMPARE(b.t.system.exits, 1);
    QVERIFY(b.t.link.freiFuer(nullptr));
}

// From opening to closing the window has the link to itself, so the latch and the transfer on
// the bus stay whole: the apartment display's repeated fetch sends nothing of its own (the
// simulator's trace holds only the window's frames) and goes on once the window has closed; a
// handler of another window gets a message instead of a frame. Destroyed, it lets go as well.
void TestMasterSchritte::otherWindowsWaitWhileItIsOpen() {
    ConsoleBench b;
    QBuffer spur;
    spur.open(QIODevice::ReadWrite);
    sim::TraceWriter trace(&spur);
    trace.attach(b.sim->installation());
    auto befehleAb = [&spur](qint64 ab) {
        QList<int> befehle;
        for (const QByteArray& zeile : spur.data().mid(ab).split('\n'))
            if (const int i = zeile.indexOf("RX command "); i >= 0)
                befehle << zeile.mid(i + 11).split(' ').first().toInt();
        return befehle;
    };
    QPointer<QWidget> konsole = b.w;
    QWidget* wohnung = b.t.ctx.windows.show(fenster::WOHNUNG);
    bench::click(wohnung, "Check_REPEAD");
    bench::click(wohnung, "Command_DATEN_HOLEN");
    QTRY_VERIFY(befehleAb(0).size() >= 6);

    b.t.link.SLAVE_ADRESSE = 99;
    b.click("Command_HANDBETRIEB");
    const qint64 offen = spur.data().size();
    b.w = b.t.ctx.windows.find(fenster::HAND_BETRIEB);
    b.click("Command_A");
    b.click("Command_B");
    QCOMPARE(b.text("Text_STATUS_C"), QStringLiteral("20"));
    QTest::qWait(450);
    QCOMPARE(b.t.link.STATUS_CODE, qint16(110));
    QCOMPARE(int(b.t.link.SLAVE_ADRESSE), 99);
    const int frames = b.frames().size();
    b.click("Command_D");
    QCOMPARE(b.frames().size(), frames);

    b.t.link.SLAVE_ADRESSE = 8;
    b.click("Check_repeat");
    b.click("Command_RUN");
    QTRY_VERIFY(anzahl(b, 33, kStart) >= 4);
    b.click("Check_repeat");
    QTRY_VERIFY(b.enabled("Command_RUN"));
    QCOMPARE(texte(b, kMtStatus), (QStringList{"8", "18", "28", "28", "28", "28", "F8"}));

    bench::child<QPushButton>(konsole, "Command_VOLT")->click();
    QCOMPARE(b.t.prompter.messages(),
             QStringList{"HAND_BETRIEB ist geöffnet: die Schnittstelle ist bis zum Schließen "
                         "reserviert.\r\nAktion wird abgebrochen !!!"});
    const QList<int> waehrend = befehleAb(offen);
    for (int befehl : waehrend)
        QVERIFY2((befehl >= 20 && befehl <= 24) || (befehl >= 30 && befehl <= 34),
                 qPrintable(QString::number(befehl)));

    const qint64 zu = spur.data().size();
    b.click("Command_CLOSE");
    QTRY_VERIFY(!befehleAb(zu).isEmpty()); // nothing but the fetch sends now
    bench::click(wohnung, "Check_REPEAD");
    b.waitForJobs();
    QCOMPARE(b.t.prompter.messages().size(), 1);

    QPointer<QWidget> hand = b.t.ctx.windows.showModal(fenster::HAND_BETRIEB);
    QVERIFY(!b.t.link.freiFuer(nullptr));
    delete hand;
    QVERIFY(b.t.link.freiFuer(nullptr));
}

QTEST_MAIN(TestMasterSchritte)
#include "tst_masterschritte.moc"
