// The console's manual send/receive panels and the collecting of a waiting reply byte.

#include "windowbench.h"

#include "sim/atmega8slave.h"

using namespace zelmar;

namespace {

QByteArray rahmen(quint8 befehl, quint8 adresse, quint8 reserve, const QByteArray& daten,
                  quint16 empfangen = 0) {
    QByteArray f("*");
    f += char(befehl);
    f += char(adresse);
    f += char(reserve);
    f += char(daten.size() & 0xFF);
    f += char(daten.size() >> 8);
    f += char(empfangen & 0xFF);
    f += char(empfangen >> 8);
    f += '#';
    f += daten;
    f += '#';
    return f;
}

QStringList empfangen(const ConsoleBench& b) {
    QStringList t;
    for (int i = 1; i <= 4; ++i)
        t << b.text(QStringLiteral("Text_EMPFANGSZEICHEN_%1").arg(i));
    return t;
}

} // namespace

class TestHandbetrieb : public QObject {
    Q_OBJECT

private slots:
    void sendWithDesignValues();
    void sendFailures();
    void countsAboveTheLimitMeetTheEngine();
    void unevaluatedReplyIsCollected();
    void undefinedInputSendsNothing_data();
    void undefinedInputSendsNothing();
    void stopAndPings();
    void fourByteRead();
};

void TestHandbetrieb::sendWithDesignValues() {
    ConsoleBench b;
    b.click("Command_SENDE_ADRESSE_SLAVE_DIREKT_3"); // 40
    b.click("Command_SENDEN_HANDBETRIEB");
    QCOMPARE(b.t.port.written().last(), rahmen(50, 40, 0, QByteArray(4, '\0')));
    QCOMPARE(b.text("Text_ANTWORT2"), QStringLiteral("0"));
    QCOMPARE(b.colour("Text_ANTWORT2"), int(QB_HELLGRUEN));

    // The fields as typed; a send count above 4 pads with zero bytes.
    b.type("Text_BYTE1", "110");
    b.type("Text_BYTE4", "35"); // "#" travels unchanged
    b.type("Text_SENDE_ANZAHL_SENDE_BYTES", "6");
    b.type("Text_HANDBETRIEB_RESERVE", "7");
    b.click("Command_SENDEN_HANDBETRIEB");
    QCOMPARE(b.t.port.written().last(),
             rahmen(50, 40, 7, QByteArray("\x6E\x00\x00\x23\x00\x00", 6)));
}

void TestHandbetrieb::sendFailures() {
    // A slave that is not there: the interface's status byte, on red.
    ConsoleBench b;
    b.t.link.SLAVE_ADRESSE = 9;
    b.click("Command_SENDEN_HANDBETRIEB");
    QVERIFY(b.text("Text_ANTWORT2").toInt() > 0);
    QCOMPARE(b.colour("Text_ANTWORT2"), int(QB_HELLROT));

    // No reply at all is no 0 on green.
    b.t.link.SLAVE_ADRESSE = 40;
    b.sim->faults().silent = true;
    b.click("Command_SENDEN_HANDBETRIEB");
    QCOMPARE(b.text("Text_ANTWORT2"), QStringLiteral("ERROR"));
    QCOMPARE(b.colour("Text_ANTWORT2"), int(QB_HELLROT));

    b.t.port.setOpenable(false);
    b.t.port.close();
    b.click("Command_SENDEN_HANDBETRIEB");
    QCOMPARE(b.text("Text_ANTWORT2"), QStringLiteral("ERROR"));
    QCOMPARE(b.t.prompter.messages().size(), 1);
}

// Counts above 65535 are the engine's to refuse: its message, its code, its logbook line.
void TestHandbetrieb::countsAboveTheLimitMeetTheEngine() {
    ConsoleBench b;
    b.type("Text_SENDE_ANZAHL_SENDE_BYTES", "65536");
    b.click("Command_SENDEN_HANDBETRIEB");
    QCOMPARE(b.t.prompter.messages(),
             QStringList{QStringLiteral("FEHLER: ANZAHL SENDEBYTES zu groß, maximal 65.535")});
    QCOMPARE(b.t.link.STATUS_CODE, qint16(STATUS_ANZAHL_SENDEN));
    QCOMPARE(b.frames().size(), 1);
    QCOMPARE(b.frames().first().anzahlSenden, 65536.0);
    QVERIFY(b.t.port.written().isEmpty());

    b.type("Text_SENDE_ANZAHL_SENDE_BYTES", "4");
    b.type("Text_SENDE_ANZAHL_EMPFANGS_BYTES", "99999999999");
    b.click("Command_SENDEN_HANDBETRIEB");
    QCOMPARE(b.t.prompter.messages().last(),
             QStringLiteral("FEHLER: ANZAHL EMPFANGSBYTES zu groß, maximal 65.535"));
    QCOMPARE(b.t.link.STATUS_CODE, qint16(STATUS_ANZAHL_EMPFANGEN));
    QCOMPARE(b.text("Text_ANTWORT2"), QStringLiteral("ERROR"));
    QVERIFY(b.t.port.written().isEmpty());
}

void TestHandbetrieb::unevaluatedReplyIsCollected() {
    ConsoleBench b(ConsoleBench::Geraete::Keine);
    b.t.port.setPeer([&](const QByteArray&) { b.t.port.deliver(QByteArray("\x11\x00", 2)); });
    b.click("Check_EMPFANGSDATENPUFFER_LEEREN");
    b.click("Command_SENDEN_HANDBETRIEB");
    QCOMPARE(b.text("Text_ANTWORT2"), QStringLiteral("???"));
    QCOMPARE(b.colour("Text_ANTWORT2"), int(QB_HELLGELB));
    QTRY_COMPARE(b.t.port.bytesAvailable(), qint64(2));

    b.click("Command_HAND_DATEN_EMPFANGEN");
    b.click("Command_HAND_DATEN_EMPFANGEN");
    QCOMPARE(b.t.prompter.messages(), (QStringList{"17", "0"}));
    // Nothing left: the wait times out and shows nothing.
    b.click("Command_HAND_DATEN_EMPFANGEN");
    QCOMPARE(b.t.prompter.messages().size(), 2);
    QCOMPARE(b.t.port.written().size(), 1);
}

void TestHandbetrieb::undefinedInputSendsNothing_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("range");
    const char* rows[][4] = {
        {"command 256", "Text_HANDBETRIEB_BEFEHL_MASTER", "256", "WERTEBEREICH 0...255"},
        {"command text", "Text_HANDBETRIEB_BEFEHL_MASTER", "fünfzig", "WERTEBEREICH 0...255"},
        {"value negative", "Text_HANDBETRIEB_RESERVE", "-1", "WERTEBEREICH 0...255"},
        {"send count fraction", "Text_SENDE_ANZAHL_SENDE_BYTES", "4,5", "ganze Zahl ab 0"},
        {"receive count negative", "Text_SENDE_ANZAHL_EMPFANGS_BYTES", "-3", "ganze Zahl ab 0"},
        {"receive count empty", "Text_SENDE_ANZAHL_EMPFANGS_BYTES", "", "ganze Zahl ab 0"},
        {"byte empty", "Text_BYTE3", "", "WERTEBEREICH 0...255"},
        {"byte 300", "Text_BYTE4", "300", "WERTEBEREICH 0...255"}};
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString::fromUtf8(r[1]) << QString::fromUtf8(r[2])
                            << QString::fromUtf8(r[3]);
}

void TestHandbetrieb::undefinedInputSendsNothing() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, range);
    ConsoleBench b;
    b.type(field, text);
    b.click("Command_SENDEN_HANDBETRIEB");
    QVERIFY(b.frames().isEmpty());
    QCOMPARE(b.text("Text_ANTWORT2"), QString());
    QCOMPARE(b.t.prompter.messages().size(), 1);
    const QString message = b.t.prompter.messages().first();
    QVERIFY2(message.contains(range), qPrintable(message));
    QVERIFY2(message.contains(b.box(field)->toolTip()), qPrintable(message));
}

void TestHandbetrieb::stopAndPings() {
    ConsoleBench b;
    b.t.link.SLAVE_ADRESSE = 44;
    b.click("Command_PING_STOP");
    QCOMPARE(b.text("Text_ANTWORT2"), QStringLiteral("0"));
    QCOMPARE(b.colour("Text_ANTWORT2"), int(QB_HELLGRUEN));
    QCOMPARE(b.t.port.written().last(), rahmen(50, 44, 0, {}));

    // Twice without STOP: the second probe is a repeated START and decides.
    b.t.port.clearWritten();
    b.click("Command7");
    QCOMPARE(b.t.port.written(), (QList<QByteArray>{rahmen(60, 44, 0, {}), rahmen(60, 44, 0, {})}));
    QCOMPARE(b.text("Text_ANTWORT2"), QString());
    QCOMPARE(b.colour("Text_ANTWORT2"), int(QB_HELLGRUEN));
    zelmar::setBackColor(b.box("Text_ANTWORT2"), QB_HELLGRAU); // each click sets its own colour
    b.click("Command_STOP");
    QCOMPARE(b.t.port.written().last(), rahmen(100, 44, 0, {}));
    QCOMPARE(b.colour("Text_ANTWORT2"), int(QB_HELLGRUEN));

    b.t.link.SLAVE_ADRESSE = 9;
    b.click("Command7");
    QCOMPARE(b.colour("Text_ANTWORT2"), int(QB_HELLROT));
    b.click("Command_STOP");
    b.click("Command_PING_STOP");
    QCOMPARE(b.colour("Text_ANTWORT2"), int(QB_HELLROT));

    // Without an interface nothing was acknowledged.
    b.t.link.SLAVE_ADRESSE = 44;
    b.sim->faults().silent = true;
    for (const char* button : {"Command_PING_STOP", "Command7", "Command_STOP"}) {
        zelmar::setBackColor(b.box("Text_ANTWORT2"), QB_HELLGRAU);
        b.click(button);
        QVERIFY2(b.colour("Text_ANTWORT2") == QB_HELLROT, button);
    }
    QCOMPARE(b.text("Text_ANTWORT2"), QStringLiteral("ERROR"));

    // A port that cannot be opened: one message for the click, not one per probe.
    b.sim->faults().silent = false;
    b.t.port.close();
    b.t.port.setOpenable(false);
    b.click("Command7");
    QCOMPARE(b.t.prompter.messages().size(), 1);
    QCOMPARE(b.colour("Text_ANTWORT2"), int(QB_HELLROT));
}

void TestHandbetrieb::fourByteRead() {
    ConsoleBench b;
    // The slave's reply to a request written by hand: the switch byte (request 119).
    b.t.link.SLAVE_ADRESSE = 20;
    b.type("Text_BYTE1", "119");
    b.click("Command_SENDEN_HANDBETRIEB");
    QCOMPARE(b.text("Text_ANTWORT2"), QStringLiteral("0"));
    b.click("Command_4_ZEICHEN_EMPFANGEN");
    QCOMPARE(b.t.port.written().last(), rahmen(80, 20, 0, {}, 4));
    QCOMPARE(empfangen(b),
             (QStringList{"119", QString::number(b.sim->slave(20)->switchByte()), "0", "0"}));
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(b.colour(QStringLiteral("Text_EMPFANGSZEICHEN_%1").arg(i)), int(QB_HELLGRUEN));

    b.sim->faults().silent = true;
    b.click("Command_4_ZEICHEN_EMPFANGEN");
    QCOMPARE(empfangen(b), QStringList(4, "0"));
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(b.colour(QStringLiteral("Text_EMPFANGSZEICHEN_%1").arg(i)), int(QB_HELLROT));
}

QTEST_MAIN(TestHandbetrieb)
#include "tst_handbetrieb.moc"
