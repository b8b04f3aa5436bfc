// The console's SCL frequency calculator and its transfers to and from the interface.

#include "windowbench.h"

#include "sim/twimaster.h"

using namespace zelmar;

namespace {

const QString kErgebnis = QStringLiteral("Text_BERECHNUNG_ERGEBNIS");
const QString kBitrateMeldung =
    QStringLiteral("bitte FELD - BITRATE prüfen\n\t\n\tsollte größer 10 sein");
const QString kPrescalerMeldung =
    QStringLiteral("bitte FELD - PRESCALER prüfen\n\t\n\tmögliche WERTE:\n\t\n\t1, 4, 16, 64");

quint8 register_(ConsoleBench& b, sim::TwiMaster::Register r) {
    return b.sim->twi().read(r, b.sim->clock().nowUs());
}

} // namespace

class TestSclRechner : public QObject {
    Q_OBJECT

private slots:
    void calculations_data();
    void calculations();
    void fetchAndTransfer();
    void transferRefusesWhatIsNoRegisterValue();
    void failedLinkShowsRed();
};

void TestSclRechner::calculations_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("bitrate");
    QTest::addColumn<QString>("prescaler");
    QTest::addColumn<QString>("ergebnis");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("prescalerAfter");
    const QString* const B = &kBitrateMeldung;
    const QString* const P = &kPrescalerMeldung;
    const struct {
        const char *tag, *button, *bitrate, *prescaler, *ergebnis;
        const QString* meldung;
        const char* prescalerAfter;
    } rows[] = {{"design", "Command_BERECHNEN", "49", "16", "10.101 Hz", nullptr, "16"},
                {"+", "Command4", "49", "16", "490 Hz", nullptr, "64"},
                {"-", "Command5", "49", "16", "400.000 Hz", nullptr, "1"},
                {"prescaler 8", "Command_BERECHNEN", "49", "8", "140.351 Hz", P, "1"},
                {"prescaler 016", "Command_BERECHNEN", "49", "016", "140.351 Hz", P, "1"},
                {"bitrate 10", "Command_BERECHNEN", "10", "16", "47.619 Hz", B, "16"},
                {"bitrate 11", "Command_BERECHNEN", "11", "16", "43.478 Hz", nullptr, "16"},
                {"bitrate text", "Command_BERECHNEN", "x", "16", "0 Hz", B, "16"},
                {"denominator 0", "Command_BERECHNEN", "-8", "1", "0 Hz", B, "1"}};
    for (const auto& r : rows)
        QTest::newRow(r.tag) << QString(r.button) << QString(r.bitrate) << QString(r.prescaler)
                             << QString(r.ergebnis)
                             << (r.meldung ? QStringList{*r.meldung} : QStringList())
                             << QString(r.prescalerAfter);
}

void TestSclRechner::calculations() {
    QFETCH(QString, button);
    QFETCH(QString, bitrate);
    QFETCH(QString, prescaler);
    QFETCH(QString, ergebnis);
    QFETCH(QStringList, messages);
    QFETCH(QString, prescalerAfter);
    ConsoleBench b(ConsoleBench::Geraete::Keine);
    QCOMPARE(b.text("Text_TAKT"), QStringLiteral("16.000.000"));
    b.type("Text_BITRATE", bitrate);
    b.type("Text_PRESCALER", prescaler);
    b.click(button);
    QCOMPARE(b.text(kErgebnis), ergebnis);
    QCOMPARE(b.t.prompter.messages(), messages);
    QCOMPARE(b.text("Text_PRESCALER"), prescalerAfter);
    QCOMPARE(b.colour("Text_PRESCALER") == QB_HELLROT,
             !messages.isEmpty() && messages.first() == kPrescalerMeldung);
    QVERIFY(b.frames().isEmpty());
}

void TestSclRechner::fetchAndTransfer() {
    ConsoleBench b;
    b.type("Text_TAKT", "1");
    b.click("Command_HOLEN");
    QCOMPARE(b.befehle(), (QList<int>{12, 20, 21}));
    QCOMPARE(b.text("Text_TAKT"), QStringLiteral("16.000.000"));
    QCOMPARE(b.text("Text_BITRATE"), QString::number(register_(b, sim::TwiMaster::TWBR)));
    for (const char* field :
         {"Text_TAKT", "Text_BITRATE", "Text_PRESCALER", "Text_BERECHNUNG_ERGEBNIS"})
        QVERIFY2(b.colour(field) == QB_HELLGRUEN, field);

    // TWBR 72 with prescaler 4 goes into the registers as value bytes, then is read back.
    b.frames().clear();
    b.type("Text_BITRATE", "72");
    b.type("Text_PRESCALER", "4");
    b.click("Command_ÜBERTRAGEN");
    QCOMPARE(b.befehle(), (QList<int>{30, 31, 12, 20, 21}));
    QCOMPARE(b.frames()[0].reserve, 72);
    QCOMPARE(b.frames()[1].reserve, 1);
    QCOMPARE(register_(b, sim::TwiMaster::TWBR), quint8(72));
    // The status bits stand beside the prescaler bits: TWSR 0xF9 is prescaler 4.
    QCOMPARE(register_(b, sim::TwiMaster::TWSR), quint8(0xF9));
    QCOMPARE(b.text("Text_PRESCALER"), QStringLiteral("4"));
    QCOMPARE(b.text(kErgebnis), QStringLiteral("27.027 Hz"));

    b.type("Text_PRESCALER", "64");
    b.click("Command_HOLEN");
    QCOMPARE(b.text("Text_PRESCALER"), QStringLiteral("4"));
    QCOMPARE(b.text("Text_BITRATE"), QStringLiteral("72"));
    QVERIFY(b.t.prompter.messages().isEmpty());
}

void TestSclRechner::transferRefusesWhatIsNoRegisterValue() {
    ConsoleBench b;
    for (const char* bitrate : {"256", "-1", "4,5", "zwölf"}) {
        b.t.prompter.shown.clear();
        b.type("Text_BITRATE", QString::fromUtf8(bitrate));
        b.click("Command_ÜBERTRAGEN");
        QVERIFY2(b.frames().isEmpty(), bitrate);
        const QStringList m = b.t.prompter.messages();
        QVERIFY2(!m.isEmpty() && m.last().contains(QStringLiteral("WERTEBEREICH 0...255")),
                 bitrate);
    }
    // 10 is a register value: the calculation warns, the transfer goes on, and the
    // calculation after the read-back warns again.
    b.t.prompter.shown.clear();
    b.type("Text_BITRATE", "10");
    b.click("Command_ÜBERTRAGEN");
    QCOMPARE(b.t.prompter.messages(), QStringList(2, kBitrateMeldung));
    QCOMPARE(b.text("Text_BITRATE"), QStringLiteral("10"));
    QCOMPARE(b.frames().first().befehl, 30);
    QCOMPARE(b.frames().first().reserve, 10);
}

void TestSclRechner::failedLinkShowsRed() {
    // A silent interface leaves the fields as they were; its zero is no TWBR.
    ConsoleBench b;
    b.sim->faults().silent = true;
    b.click("Command_HOLEN");
    QCOMPARE(b.befehle(), QList<int>{12}); // the line has failed: the other reads would too
    QCOMPARE(b.text("Text_TAKT"), QStringLiteral("16.000.000"));
    QCOMPARE(b.text("Text_BITRATE"), QStringLiteral("49"));
    QCOMPARE(b.text(kErgebnis), QStringLiteral("10.101 Hz"));
    for (const char* field :
         {"Text_TAKT", "Text_BITRATE", "Text_PRESCALER", "Text_BERECHNUNG_ERGEBNIS"})
        QVERIFY2(b.colour(field) == QB_HELLROT, field);
    QVERIFY(b.t.prompter.messages().isEmpty());

    // A port that cannot be opened: one message for the whole transfer.
    ConsoleBench c;
    c.t.port.setOpenable(false);
    c.click("Command_ÜBERTRAGEN");
    QCOMPARE(c.t.prompter.messages().size(), 1);
    QCOMPARE(c.befehle(), QList<int>{30});
    QCOMPARE(c.colour("Text_BITRATE"), int(QB_HELLROT));
}

QTEST_MAIN(TestSclRechner)
#include "tst_sclrechner.moc"
