// The console's modem panel: plain text to the port, reception in the tick, transcript file.

#include "windowbench.h"

#include "console/konfigurationwindow.h"

#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>

using namespace zelmar;

namespace {

const QString kText = QStringLiteral("Text_MODEMANTWORT");
const QString kLaenge = QStringLiteral("Text_MODEMANTWORT_LÄNGE");

// A console in the MODEM view with nothing behind the port but what the test hands in.
struct ModemBench : ConsoleBench {
    ModemBench() : ConsoleBench(Geraete::Keine, QStringLiteral("Option_MODEM")) { t.port.open(); }
    QString antwort() { return child<QPlainTextEdit>(kText)->toPlainText(); }
    // Bytes from the modem, taken in by the next ticks.
    void receive(const QByteArray& bytes) {
        t.port.deliver(bytes);
        QTRY_COMPARE(t.port.bytesAvailable(), qint64(0));
        tick();
    }
    QString datei() const { return t.ctx.DATEN_PFAD + QStringLiteral("MODEMANTWORT.txt"); }
};

} // namespace

class TestModem : public QObject {
    Q_OBJECT

private slots:
    void sendOptions();
    void sendOnAPortThatCannotOpen();
    void receptionFollowsTheView();
    void ascCodes();
    void limitOfTenThousand();
    void receptionLeavesAWaitingReplyAlone();
    void saveAndClear();
    void failedSaveSaysSo();
};

void TestModem::sendOptions() {
    ModemBench b;
    auto* combo = b.child<QComboBox>("Combo1");
    QCOMPARE(combo->currentText(), QStringLiteral("Z"));
    QCOMPARE(combo->count(), 11);

    b.click("Command_AN_MODEM_SENDEN");
    QCOMPARE(b.t.port.written(), QList<QByteArray>{"ATZ\r"});
    QCOMPARE(b.text("Text_MODEM_SENDESTRING"), QStringLiteral("ATZ\r"));
    QCOMPARE(b.t.link.SENDE_RAHMEN, QByteArray("ATZ\r"));
    QCOMPARE(combo->count(), 12); // also when the list holds it already

    b.click("Check_AT");
    b.click("Check_CHR13");
    b.click("Command_AN_MODEM_SENDEN");
    QCOMPARE(b.t.port.written().last(), QByteArray("Z"));
    QCOMPARE(b.t.port.written().size(), 2);
    QVERIFY(b.frames().isEmpty()); // no interface frame, no logbook line
}

void TestModem::sendOnAPortThatCannotOpen() {
    ModemBench b;
    b.t.port.close();
    b.t.port.setOpenable(false);
    b.click("Command_AN_MODEM_SENDEN");
    QCOMPARE(b.t.prompter.messages(),
             QStringList{QStringLiteral("SCHWERER FEHLER: COM-Port kann nicht geöffnet werden, "
                                        "aktion wird abgebrochen")});
    QVERIFY(b.t.port.written().isEmpty());
    QCOMPARE(b.text("Text_MODEM_SENDESTRING"), QString());
}

void TestModem::receptionFollowsTheView() {
    ConsoleBench b(ConsoleBench::Geraete::Keine, QStringLiteral("Option_TWI"));
    b.t.port.open();
    QVERIFY(!b.checked("Check_MODEMANTWORT"));
    b.t.port.deliver("OK");
    QTRY_COMPARE(b.t.port.bytesAvailable(), qint64(2));
    b.tick();
    QCOMPARE(b.t.port.bytesAvailable(), qint64(2)); // not taken outside the MODEM view

    b.click("Option_MODEM");
    b.tick();
    QVERIFY(b.checked("Check_MODEMANTWORT"));
    QCOMPARE(b.t.port.bytesAvailable(), qint64(0));
    QCOMPARE(b.child<QPlainTextEdit>(kText)->toPlainText(), QStringLiteral("OK"));
    b.tick();
    QCOMPARE(b.text(kLaenge), QStringLiteral("2"));

    // The box cannot be cleared while the view holds.
    b.click("Check_MODEMANTWORT");
    b.tick();
    QVERIFY(b.checked("Check_MODEMANTWORT"));
    b.click("Option_TWI_PROFI");
    b.tick();
    QVERIFY(!b.checked("Check_MODEMANTWORT"));
}

void TestModem::ascCodes() {
    ModemBench b;
    b.click("Check_ASC");
    b.receive("OK\r\n");
    QCOMPARE(b.antwort(), QStringLiteral("79 75 13 10 "));
    QCOMPARE(b.text(kLaenge), QStringLiteral("12"));
    b.click("Check_ASC");
    b.receive(QByteArray("A\0", 2));
    QCOMPARE(b.text(kLaenge), QStringLiteral("14"));
}

void TestModem::limitOfTenThousand() {
    ModemBench b;
    b.receive(QByteArray(9998, 'a'));
    QCOMPARE(b.text(kLaenge), QStringLiteral("9.998"));
    // The 10,000th character still fits; the next one empties the box before the rest.
    b.receive("bcdef");
    QCOMPARE(b.antwort(), QStringLiteral("ef"));
    QCOMPARE(b.text(kLaenge), QStringLiteral("2"));
}

void TestModem::receptionLeavesAWaitingReplyAlone() {
    // A tick that comes while another window waits for its reply byte, just as it arrives.
    ModemBench b;
    QObject::connect(&b.t.port, &SerialPort::readyRead,
                     static_cast<KonfigurationWindow*>(b.w.data()),
                     &KonfigurationWindow::Timer1_Timer);
    b.t.link.BEFEHL = 0;
    b.t.link.RAHMEN_SENDEN();
    b.t.port.deliver(QByteArray(1, char(5)), 20);
    b.t.link.DATEN_EMPFANGEN(1);
    QCOMPARE(b.t.link.STATUS_CODE, qint16(0));
    QCOMPARE(b.t.link.EMPFANGSBYTE, quint8(5));
    QCOMPARE(b.antwort(), QString());

    // Nor does modem text go out in the middle of such a wait.
    b.t.link.RAHMEN_SENDEN();
    QTimer::singleShot(20, [&] { b.click("Command_AN_MODEM_SENDEN"); });
    b.t.link.DATEN_EMPFANGEN(1); // nobody answers
    QCOMPARE(b.t.prompter.messages(), QStringList{QStringLiteral("DATEN werden noch empfangen")});
    QCOMPARE(b.t.port.written().size(), 2); // the two frames only

    // With the line idle again the modem gets what comes.
    b.receive("A");
    QCOMPARE(b.antwort(), QStringLiteral("A"));
}

void TestModem::saveAndClear() {
    ModemBench b;
    b.click("Command_SPEICHERN");
    QCOMPARE(fileBytes(b.datei()), QByteArray("\r\n"));
    QCOMPARE(b.t.prompter.messages(),
             QStringList{QDir::toNativeSeparators(b.datei()) +
                         QStringLiteral("\r\n\r\nerfolgreich gespeichert ")});

    // The text as it came, line ends included; the file is replaced.
    b.receive("OK\r\n");
    b.click("Command_SPEICHERN");
    QCOMPARE(fileBytes(b.datei()), QByteArray("OK\r\n\r\n"));

    b.click("Command_MODEMANTWORT_CLEAR");
    QCOMPARE(b.antwort(), QString());
    b.tick();
    QCOMPARE(b.text(kLaenge), QStringLiteral("0"));
}

void TestModem::failedSaveSaysSo() {
    ModemBench b;
    // Something that is no file stands where the transcript goes.
    QVERIFY(QDir().mkpath(b.datei()));
    b.receive("OK");
    b.click("Command_SPEICHERN");
    QCOMPARE(b.t.prompter.messages().size(), 1);
    const QString m = b.t.prompter.messages().first();
    QVERIFY2(!m.contains(QStringLiteral("erfolgreich")), qPrintable(m));
    QVERIFY2(m.contains(QStringLiteral("nicht gespeichert")), qPrintable(m));
    QVERIFY(QFileInfo(b.datei()).isDir());
}

QTEST_MAIN(TestModem)
#include "tst_modem.moc"
