// The console's standard commands panel against the simulated installation.

#include "windowbench.h"

#include "sim/atmega8slave.h"

using namespace zelmar;

namespace {

QStringList antwort(const ConsoleBench& b) {
    QStringList t;
    for (int i = 1; i <= 4; ++i)
        t << b.text(QStringLiteral("Text_EMPFANGSZEICHEN%1").arg(i));
    return t;
}

bool farbe(const ConsoleBench& b, int qb) {
    for (int i = 1; i <= 4; ++i)
        if (b.colour(QStringLiteral("Text_EMPFANGSZEICHEN%1").arg(i)) != qb)
            return false;
    return true;
}

void setSlaveClock(ConsoleBench& b, int adresse, const QTime& time) {
    b.sim->slave(adresse)->setClock(QDateTime(QDate(2006, 12, 5), time), b.sim->clock().nowUs());
}

} // namespace

class TestStandardBefehle : public QObject {
    Q_OBJECT

private slots:
    void ausAndDeclinedReset();
    void commandsAgainstASlave();
    void failuresShowRed();
    void pcClockOnceInARepetition();
    void pcClockLeftAloneWithoutAValidTime();
    void helpAndClosingDuringARepetition();
    void refusedFramesEndARepetition();
    void resetChosenDuringARepetitionAsksFirst();
};

void TestStandardBefehle::ausAndDeclinedReset() {
    ConsoleBench b;
    QVERIFY(b.checked("Option_AUS"));
    QCOMPARE(antwort(b), QStringList(4, "-"));
    b.clickAndWait("Command_STANDARD_BEFEHLE_START");
    QCOMPARE(antwort(b), QStringList(4, "?"));
    QVERIFY(farbe(b, QB_HELLGELB));
    QVERIFY(b.frames().isEmpty());

    b.t.link.SLAVE_ADRESSE = 8;
    b.click("Option_DUMMY_SENDEN");
    b.clickAndWait("Command_STANDARD_BEFEHLE_START");
    QCOMPARE(antwort(b), QStringList(4, "0"));
    QVERIFY(farbe(b, QB_HELLGRUEN));
    const int frames = b.frames().size();

    b.click("Option_RESET_SENDEN");
    b.t.prompter.yesNo << false;
    b.clickAndWait("Command_STANDARD_BEFEHLE_START");
    QCOMPARE(b.t.prompter.shown.size(), 1);
    QCOMPARE(b.t.prompter.shown[0].kind, FakePrompter::Kind::YesNo);
    QCOMPARE(b.t.prompter.shown[0].text,
             QStringLiteral("Möchten Sie wirklich einen RESET senden ?"));
    QCOMPARE(b.t.prompter.shown[0].title, QStringLiteral("WARNUNG"));
    QCOMPARE(antwort(b), QStringList(4, "0"));
    QVERIFY(farbe(b, QB_HELLGRUEN));
    QCOMPARE(b.frames().size(), frames);
}

void TestStandardBefehle::commandsAgainstASlave() {
    ConsoleBench b;
    b.t.link.SLAVE_ADRESSE = 8;
    setSlaveClock(b, 8, QTime(10, 20, 30));
    b.click("OPTION_ZEIT_HOLEN");
    b.clickAndWait("Command_STANDARD_BEFEHLE_START");
    const QStringList zeit = antwort(b);
    QCOMPARE(zeit.mid(0, 3), (QStringList{"110", "10", "20"}));
    QVERIFY2(zeit[3] == "30" || zeit[3] == "31", qPrintable(zeit[3]));
    QVERIFY(farbe(b, QB_HELLGRUEN));
    QVERIFY(!b.box("Text_SONDERAUSGABE")->isHidden());
    QCOMPARE(b.text("Text_SONDERAUSGABE"), QStringLiteral("07:42:06")); // the PC clock
    QVERIFY(b.t.system.clockChanges.isEmpty());

    // "DATUM" sends day, month and the two-digit year of the PC date (5.12.2006).
    b.click("Option_DATUM_SENDEN");
    b.clickAndWait("Command_STANDARD_BEFEHLE_START");
    const FrameLogEntry& request = b.frames()[b.frames().size() - 2];
    QCOMPARE(request.befehl, 60);
    QCOMPARE(request.daten, (std::array<int, 4>{205, 5, 12, 6}));
    QCOMPARE(antwort(b), (QStringList{"205", "5", "12", "6"}));
    QVERIFY(b.box("Text_SONDERAUSGABE")->isHidden());

    b.click("Option_ZEIT_SENDEN");
    b.clickAndWait("Command_STANDARD_BEFEHLE_START");
    QCOMPARE(antwort(b), (QStringList{"210", "7", "42", "6"}));
    QCOMPARE(b.sim->slave(8)->clock(b.sim->clock().nowUs()).date(), QDate(2006, 12, 5));
}

void TestStandardBefehle::failuresShowRed() {
    ConsoleBench b;
    b.t.link.SLAVE_ADRESSE = 9; // nobody there
    b.click("Option_WERT_0_HOLEN");
    b.clickAndWait("Command_STANDARD_BEFEHLE_START");
    QCOMPARE(antwort(b), QStringList(4, "0"));
    QVERIFY(farbe(b, QB_HELLROT));

    // An interface that does not answer: its cleared buffer is no acknowledgement.
    b.t.link.SLAVE_ADRESSE = 8;
    b.sim->faults().silent = true;
    b.click("Option_SONSTIGES_4_HOLEN");
    b.clickAndWait("Command_STANDARD_BEFEHLE_START");
    QCOMPARE(antwort(b), QStringList(4, "0"));
    QVERIFY(farbe(b, QB_HELLROT));
    QVERIFY(b.t.prompter.shown.isEmpty());
}

void TestStandardBefehle::pcClockOnceInARepetition() {
    ConsoleBench b;
    b.t.link.SLAVE_ADRESSE = 8;
    setSlaveClock(b, 8, QTime(10, 20, 30));
    b.click("OPTION_ZEIT_HOLEN");
    b.click("Check_BEFEHLE_START_REPEAD");
    b.click("Check_PC_ZEIT_STELLEN");

    bool startDisabled = false;
    QTimer::singleShot(700, [&] {
        startDisabled = !b.child<QAbstractButton>("Command_STANDARD_BEFEHLE_START")->isEnabled();
        b.click("Check_BEFEHLE_START_REPEAD");
        b.click("Command_STANDARD_BEFEHLE_START"); // a second run does not start
    });
    b.clickAndWait("Command_STANDARD_BEFEHLE_START");

    int passes = 0;
    for (const FrameLogEntry& e : b.frames())
        passes += e.befehl == 60 && e.daten[0] == 110;
    QVERIFY2(passes >= 3, qPrintable(QString::number(passes)));
    QVERIFY(startDisabled);
    QVERIFY(b.child<QAbstractButton>("Command_STANDARD_BEFEHLE_START")->isEnabled());
    QVERIFY(b.t.prompter.shown.isEmpty());
    QCOMPARE(b.t.system.clockChanges.size(), 1);
    const QTime gestellt = b.t.system.clockChanges.first();
    QCOMPARE(gestellt.hour(), 10);
    QCOMPARE(gestellt.minute(), 20);
    QVERIFY(gestellt.second() >= 30 && gestellt.second() <= 31);
    QVERIFY(!b.checked("Check_PC_ZEIT_STELLEN"));
    QVERIFY(farbe(b, QB_HELLGRUEN));
}

void TestStandardBefehle::pcClockLeftAloneWithoutAValidTime() {
    // An absent slave "answers" 00:00:00; the PC clock must not go to midnight.
    ConsoleBench b;
    b.t.link.SLAVE_ADRESSE = 9;
    b.click("OPTION_ZEIT_HOLEN");
    b.click("Check_PC_ZEIT_STELLEN");
    b.clickAndWait("Command_STANDARD_BEFEHLE_START");
    QVERIFY(farbe(b, QB_HELLROT));
    QVERIFY(b.t.system.clockChanges.isEmpty());
    QVERIFY(b.checked("Check_PC_ZEIT_STELLEN"));

    // A slave clock at hour 25 is no time of day either; the box waits for a good one.
    b.t.link.SLAVE_ADRESSE = 8;
    setSlaveClock(b, 8, QTime(10, 20, 30));
    b.sim->slave(8)->poke(4, 25, b.sim->clock().nowUs()); // the hours register
    b.clickAndWait("Command_STANDARD_BEFEHLE_START");
    QCOMPARE(b.text("Text_EMPFANGSZEICHEN2"), QStringLiteral("25"));
    QVERIFY(farbe(b, QB_HELLGRUEN));
    QVERIFY(b.t.system.clockChanges.isEmpty());
    QVERIFY(b.checked("Check_PC_ZEIT_STELLEN"));

    // A PC that refuses to have its clock set: the box stays ticked, nothing pretends.
    setSlaveClock(b, 8, QTime(10, 20, 30));
    b.t.system.clockRefused = true;
    b.clickAndWait("Command_STANDARD_BEFEHLE_START");
    QVERIFY(b.t.system.clockChanges.isEmpty());
    QVERIFY(b.checked("Check_PC_ZEIT_STELLEN"));
}

void TestStandardBefehle::helpAndClosingDuringARepetition() {
    ConsoleBench c(ConsoleBench::Geraete::Keine);
    c.click("Command_HILFE_BEFEHLE");
    QWidget* hilfe = c.t.ctx.windows.find("HILFE");
    QVERIFY(hilfe && hilfe->isVisible());
    QCOMPARE(hilfe->windowModality(), Qt::NonModal);

    // "OK" pressed while a repetition runs: the repetition ends and the console goes.
    c.click("Check_BEFEHLE_START_REPEAD");
    c.click("Option_DUMMY_SENDEN");
    QTimer::singleShot(500, [&] { c.click("Command_CLOSE"); });
    c.clickAndWait("Command_STANDARD_BEFEHLE_START");
    QTRY_VERIFY(c.w.isNull());
    QVERIFY(!c.t.ctx.windows.find("KONFIGURATION"));
}

// A failure is red from the moment it is known, not green during the pause; a frame that
// never went out ends a repetition after its one message.
void TestStandardBefehle::refusedFramesEndARepetition() {
    ConsoleBench b;
    b.t.link.SLAVE_ADRESSE = 9; // nobody there
    b.click("Option_DUMMY_SENDEN");
    int farbeInDerPause = -1;
    QTimer::singleShot(100, [&] { farbeInDerPause = b.colour("Text_EMPFANGSZEICHEN1"); });
    b.clickAndWait("Command_STANDARD_BEFEHLE_START");
    QCOMPARE(farbeInDerPause, int(QB_HELLROT));

    b.t.port.close();
    b.t.port.setOpenable(false);
    b.t.frames.entries.clear();
    b.click("Check_BEFEHLE_START_REPEAD");
    // A safety net: the loop must have ended long before. It goes with this test, not later
    // into the next one's bench.
    QObject netz;
    QTimer::singleShot(1500, &netz, [&] {
        if (b.checked("Check_BEFEHLE_START_REPEAD"))
            b.click("Check_BEFEHLE_START_REPEAD");
    });
    b.clickAndWait("Command_STANDARD_BEFEHLE_START");
    QCOMPARE(b.t.prompter.messages().size(), 1);
    QCOMPARE(b.t.frames.entries.size(), 1);
    QVERIFY(farbe(b, QB_HELLROT));
    QCOMPARE(antwort(b), QStringList(4, "0"));
}

// RESET picked while a repetition of another command runs: one question on the first pass
// that finds it; "No" ends the repetition and no reset goes out, "Yes" sends it from then on.
void TestStandardBefehle::resetChosenDuringARepetitionAsksFirst() {
    auto resets = [](ConsoleBench& b) {
        int n = 0;
        for (const FrameLogEntry& e : b.frames())
            n += e.befehl == 60 && e.daten[0] == 10;
        return n;
    };
    for (const bool ja : {false, true}) {
        ConsoleBench b;
        b.t.link.SLAVE_ADRESSE = 8;
        b.click("Option_DUMMY_SENDEN");
        b.click("Check_BEFEHLE_START_REPEAD");
        b.t.prompter.yesNo << ja;
        b.atFrame(4, [&] { b.click("Option_RESET_SENDEN"); });
        if (ja) // three passes with the reset, then the box is cleared
            b.atFrame(10, [&] { b.click("Check_BEFEHLE_START_REPEAD"); });
        b.clickAndWait("Command_STANDARD_BEFEHLE_START");
        QCOMPARE(b.t.prompter.shown.size(), 1);
        QCOMPARE(b.t.prompter.shown[0].text,
                 QStringLiteral("Möchten Sie wirklich einen RESET senden ?"));
        QCOMPARE(b.t.prompter.unexpected, 0);
        if (ja)
            QVERIFY2(resets(b) >= 2, qPrintable(QString::number(resets(b))));
        else
            QCOMPARE(resets(b), 0);
    }
}

QTEST_MAIN(TestStandardBefehle)
#include "tst_standardbefehle.moc"
