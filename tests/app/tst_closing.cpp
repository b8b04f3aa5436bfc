// Every window closed in the middle of each of its handlers that wait on the link and of each
// of its jobs: the window goes once the handler has returned, the job ends after the
// transaction under way, and nothing touches a window that is gone.

#include "windowbench.h"

#include <QtTest>

using namespace zelmar;

class TestClosing : public QObject {
    Q_OBJECT

private slots:
    void closeDuringAWait_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("before"); // clicks that prepare the action
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("close"); // the button that closes the window
        QTest::addColumn<int>("closeAtFrame");
        QTest::addColumn<int>("framesAfter"); // what may still go out after the close

        const QString k = fenster::KONFIGURATION;
        const QStringList profi{QStringLiteral("Option_TWI_PROFI")};
        auto row = [&](const char* tag, const QString& w, const QStringList& before,
                       const char* action, const char* close, int at, int after) {
            QTest::newRow(tag) << w << before << QString::fromLatin1(action)
                               << QString::fromLatin1(close) << at << after;
        };
        row("diagnostics", k, {}, "Command_DUMMY", "Command_CLOSE", 1, 0);
        row("clear and read back", k, {}, "Command_MCUCSR_CLEAR", "Command_CLOSE", 1, 1);
        row("SCL holen", k, profi, "Command_HOLEN", "Command_CLOSE", 1, 0);
        row("slave name", k, profi, "Command_SLAVE_INFO", "Command_CLOSE", 1, 0);
        row("switch holen", k, profi, "Command_SCHALTER_HOLEN", "Command_CLOSE", 1, 0);
        row("manual send", k, profi, "Command_SENDEN_HANDBETRIEB", "Command_CLOSE", 1, 0);
        row("four bytes", k, profi, "Command_4_ZEICHEN_EMPFANGEN", "Command_CLOSE", 1, 0);
        row("STOP", k, profi, "Command_STOP", "Command_CLOSE", 1, 0);
        row("ping", k, profi, "Command7", "Command_CLOSE", 1, 1);
        row("scan job", k, profi, "Command_ADRESSE_TESTEN_AUTO", "Command_CLOSE", 3, 1);
        row("repetition job", k,
            {QStringLiteral("Option_TWI_PROFI"), QStringLiteral("Option_DUMMY_SENDEN"),
             QStringLiteral("Check_BEFEHLE_START_REPEAD")},
            "Command_STANDARD_BEFEHLE_START", "Command_CLOSE", 2, 0);
        row("directory scan job", fenster::SLAVE_INFO, {}, "Command_SCANNER", "Command_ABBRECHEN",
            3, 1);
        row("directory check job", fenster::SLAVE_INFO, {}, "Command_ANLAGE_PRUEFEN",
            "Command_ABBRECHEN", 3, 1);
        row("directory name", fenster::SLAVE_INFO, {}, "Command_INFO_AUSLESEN", "Command_ABBRECHEN",
            1, 0);
        row("fetch job", fenster::WOHNUNG, {QStringLiteral("Check_REPEAD")}, "Command_DATEN_HOLEN",
            "Command1", 3, 0);
        const QString h = fenster::HAND_BETRIEB;
        row("register read", h, {}, "Command_TWI_TWSR_abfragen", "Command_CLOSE", 1, 0);
        row("interface reset", h, {}, "Command_RESET", "Command_CLOSE", 1, 0);
        row("START step", h, {}, "Command_A", "Command_CLOSE", 3, 0);
        row("transmitter run job", h, {QStringLiteral("Check_repeat")}, "Command_RUN",
            "Command_CLOSE", 3, 0);
        row("combined run job", h, {QStringLiteral("Check_REPEAD_ALLE")}, "Command1",
            "Command_CLOSE", 3, 0);
        const QString e = fenster::EEPROM_EXTERN_65K;
        const QString gross = QStringLiteral("Option_GRÖSSER_256_BYTE");
        row("eeprom read job", e, {gross}, "Command_lesen", "Command2", 1, 0);
        row("eeprom repeat job", e, {gross, QStringLiteral("Check_REPEAD")}, "Command_lesen",
            "Command2", 1, 0);
        row("eeprom read-out job", e, {}, "Command_KOMLETT_AUSLESEN", "Command2", 1, 1);
        row("eeprom restore job", e, {}, "Command_AUS_DATEI_SCHREIBEN", "Command2", 1, 1);
        row("eeprom verify job", e, {}, "Command_MIT_DATEI_VERGLEICHEN", "Command2", 1, 1);
        row("SRAM read job", fenster::SRAM, {}, "Command_lesen", "Command2", 1, 0);
        row("SRAM repeat job", fenster::SRAM, {QStringLiteral("Check_REPEAD")}, "Command_lesen",
            "Command2", 3, 0);
        row("register read job", fenster::REGISTER, {QStringLiteral("Check_REPEAD")},
            "Command_lesen", "Command1", 1, 0);
    }

    void closeDuringAWait() {
        QFETCH(QString, window);
        QFETCH(QStringList, before);
        QFETCH(QString, action);
        QFETCH(QString, close);
        QFETCH(int, closeAtFrame);
        QFETCH(int, framesAfter);

        WindowBench b(window);
        // Every read waits out its time-out: the handler is inside the engine when the close
        // comes.
        b.t.link.SLAVE_ADRESSE = 8;
        b.sim->faults().silent = true;
        // The file buttons find a small image and a Yes.
        const QString bild = b.t.file(QStringLiteral("bild.bin"));
        putFile(bild, QByteArray(64, 'x'));
        b.t.prompter.files << bild;
        b.t.prompter.yesNo << true;
        for (const QString& c : before)
            b.click(c);
        int framesAtClose = -1;
        b.atFrame(closeAtFrame, [&] {
            framesAtClose = b.frames().size();
            b.click(close);
        });
        b.click(action);
        b.waitForJobs();
        QTRY_VERIFY(!b.w);
        QVERIFY(framesAtClose > 0);
        QVERIFY2(b.frames().size() <= framesAtClose + framesAfter,
                 qPrintable(QStringLiteral("%1 frames after the close")
                                .arg(b.frames().size() - framesAtClose)));
        QVERIFY(!b.t.ctx.windows.find(window));
        // Nothing is left running that could send later.
        const int frames = b.frames().size();
        QTest::qWait(300);
        QCOMPARE(b.frames().size(), frames);
    }

    // Reopened from the menu while the closed one still waits: a new window in its opening
    // state; the closed one's work ends on its own.
    void aReopenedWindowIsNew() {
        WindowBench b(fenster::SLAVE_INFO);
        QTRY_COMPARE(b.text(QStringLiteral("Text_SLAVE_INFO_20")), QStringLiteral("..."));
        b.t.link.setReplyTimeout(300);
        b.sim->faults().silent = true;
        auto* alt = qobject_cast<QLineEdit*>(b.child(QStringLiteral("Text_SLAVE_INFO_20")));
        alt->setText(QStringLiteral("verworfen"));
        QPointer<QWidget> altesFenster = b.w;
        QPointer<QWidget> neu;
        b.atFrame(1, [&] {
            b.click(QStringLiteral("Command_ABBRECHEN"));
            neu = b.t.ctx.windows.show(fenster::SLAVE_INFO);
        });
        b.click(QStringLiteral("Command_INFO_AUSLESEN"));
        QVERIFY(neu && neu != altesFenster);
        QTRY_VERIFY(!altesFenster);
        b.w = neu;
        QTRY_COMPARE(b.text(QStringLiteral("Text_SLAVE_INFO_20")), QStringLiteral("..."));
        b.click(QStringLiteral("Command_OK"));
        QCOMPARE(b.t.slaves.SLAVE_NAME[20], QStringLiteral("..."));

        // The apartment display reopened during a repeating fetch fetches on its own.
        WindowBench c(fenster::WOHNUNG);
        c.click(QStringLiteral("Check_REPEAD"));
        QPointer<QWidget> wohnung;
        c.atFrame(5, [&] {
            c.click(QStringLiteral("Command1"));
            wohnung = c.t.ctx.windows.show(fenster::WOHNUNG);
        });
        c.clickAndWait(QStringLiteral("Command_DATEN_HOLEN"));
        QVERIFY(wohnung);
        c.w = wohnung;
        QVERIFY(!c.checked(QStringLiteral("Check_REPEAD")));
        const int vorher = c.frames().size();
        c.clickAndWait(QStringLiteral("Command_DATEN_HOLEN"));
        QCOMPARE(c.frames().size() - vorher, 48); // one whole pass
    }
};

QTEST_MAIN(TestClosing)
#include "tst_closing.moc"
