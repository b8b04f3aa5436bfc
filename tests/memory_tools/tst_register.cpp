// The REGISTER window against a simulated ATmega8 slave: the notes file, the colours without
// and with repeat, the checks of the reply and their messages, and writes.

#include "atmega8bench.h"

#include "memory_tools/registerwindow.h"

#include <QtTest>

using namespace zelmar;

namespace {

QString row(const char* control, int k) {
    return QStringLiteral("%1_%2").arg(QLatin1String(control)).arg(k);
}

struct RegisterBench : Atmega8Bench {
    void open(int slave = 8, const std::function<void()>& atOpening = {}) {
        Atmega8Bench::open(fenster::REGISTER, QStringLiteral("Timer_START"), slave, atOpening);
    }
    QString notesFile(int slave) const {
        return b.t.ctx.DATEN_PFAD +
               QStringLiteral("REGISTER_BEMERKUNGEN_%1.txt").arg(slave, 3, 10, QLatin1Char('0'));
    }
    QString value(int k) const { return b.text(row("Text_REGISTER", k)); }
    // The colour of register k's value box, when its note box has the same.
    int colour(int k) const {
        const int c = b.colour(row("Text_REGISTER", k));
        return c == b.colour(row("Text_BEMERKUNGEN", k)) ? c : -2;
    }
    void setRegisters(quint8 value) {
        for (int k = 0; k < RegisterWindow::ZEILEN; ++k)
            slave().poke(k, value, 0);
    }
    void close() {
        b.click(QStringLiteral("Command1"));
        QTRY_VERIFY(!b.w);
    }
};

QByteArray lines(int from, int to) {
    QByteArray bytes;
    for (int k = from; k <= to; ++k)
        bytes += "Notiz " + QByteArray::number(k) + "\r\n";
    return bytes;
}

} // namespace

class TestRegister : public QObject {
    Q_OBJECT

private slots:
    void notesFileOfTheSlaveCurrentAtOpening_data() {
        QTest::addColumn<int>("slave");
        QTest::addColumn<QString>("name");
        QTest::newRow("5") << 5 << "REGISTER_BEMERKUNGEN_005.txt";
        QTest::newRow("42") << 42 << "REGISTER_BEMERKUNGEN_042.txt";
        QTest::newRow("127") << 127 << "REGISTER_BEMERKUNGEN_127.txt";
    }
    void notesFileOfTheSlaveCurrentAtOpening() {
        QFETCH(int, slave);
        QFETCH(QString, name);
        RegisterBench r;
        r.open(slave);
        const QString path = r.b.t.ctx.DATEN_PFAD + name;
        QCOMPARE(qobject_cast<RegisterWindow*>(r.b.w.data())->BEMERKUNGEN_DATEI(), path);
        QCOMPARE(fileBytes(path), QByteArray()); // created, empty
        // No ATmega8 there: the read ends without a word and the values stay.
        QCOMPARE(r.value(0), QStringLiteral("-"));
        QVERIFY(r.messages().isEmpty());
        // The notes stay with the slave of the opening.
        r.b.t.link.SLAVE_ADRESSE = 8;
        r.close();
        QCOMPARE(fileBytes(path), QByteArray("...\r\n").repeated(32));
    }

    void notesFilesLongShortOrUnwritable() {
        RegisterBench r;
        QVERIFY(putFile(r.notesFile(8), lines(1, 40)));
        r.open();
        QCOMPARE(r.b.text(row("Text_BEMERKUNGEN", 0)), QStringLiteral("Notiz 1"));
        QCOMPARE(r.b.text(row("Text_BEMERKUNGEN", 31)), QStringLiteral("Notiz 32"));
        // A pasted line break would split the file's one line per register.
        r.b.box(row("Text_BEMERKUNGEN", 2))->setText(QStringLiteral("Pumpe\nan"));
        r.close();
        QByteArray expected = lines(1, 32);
        expected.replace("Notiz 3\r\n", "Pumpe an\r\n");
        QCOMPARE(fileBytes(r.notesFile(8)), expected);

        // Lines left alone go back byte for byte, however long and in whatever encoding.
        const QByteArray lang(5000, 'x');
        const QByteArray vorher = lang + "\r\nZ\xC3\xA4hler\r\n" + lines(3, 32);
        QVERIFY(putFile(r.notesFile(8), vorher));
        r.open();
        QCOMPARE(r.b.text(row("Text_BEMERKUNGEN", 0)), QString::fromLatin1(lang));
        QCOMPARE(r.b.text(row("Text_BEMERKUNGEN", 1)), QStringLiteral("Zähler"));
        r.close();
        QCOMPARE(fileBytes(r.notesFile(8)), vorher);

        // Three lines fill three boxes; the others keep their design text.
        QVERIFY(putFile(r.notesFile(8), lines(1, 3)));
        r.open();
        QCOMPARE(r.b.text(row("Text_BEMERKUNGEN", 2)), QStringLiteral("Notiz 3"));
        QCOMPARE(r.b.text(row("Text_BEMERKUNGEN", 3)), QStringLiteral("..."));
        r.close();

        // Notes that cannot be saved are not lost without a word.
        QVERIFY(QFile::remove(r.notesFile(8)));
        QVERIFY(QDir().mkdir(r.notesFile(8)));
        r.open();
        r.close();
        QCOMPARE(r.messages().size(), 1);
        QVERIFY(r.messages().at(0).contains(QStringLiteral("nicht gespeichert")));
    }

    void coloursWithoutAndWithRepeat() {
        RegisterBench r;
        r.open();
        // The labels: R16..R25 green, XL..ZL yellow, ZH light yellow, R0..R15 as the window.
        for (int k = 0; k < 16; ++k)
            QVERIFY(!r.b.child(row("Label1", k))->autoFillBackground());
        for (int k = 16; k < RegisterWindow::ZEILEN; ++k)
            QCOMPARE(backColor(r.b.child(row("Label1", k))), k < 26   ? QColor(0, 255, 0)
                                                             : k < 31 ? QColor(255, 255, 0)
                                                                      : QColor(255, 255, 128));
        r.setRegisters(0);
        r.b.clickAndWait(QStringLiteral("Command_lesen"));
        for (int k = 0; k < RegisterWindow::ZEILEN; ++k)
            QCOMPARE(r.colour(k), int(QB_HELLGRAU));
        r.slave().poke(20, 1, 0);
        r.b.clickAndWait(QStringLiteral("Command_lesen"));
        QCOMPARE(r.value(20), QStringLiteral("1"));
        QCOMPARE(r.colour(20), int(QB_HELLGELB));
        QCOMPARE(r.colour(19), int(QB_HELLGRAU));

        // With repeat only a change is marked: 21 changed, 20 is still 1.
        r.slave().poke(21, 7, 0);
        r.repeatOnePass();
        QCOMPARE(r.colour(21), int(QB_HELLGELB));
        QCOMPARE(r.colour(20), int(QB_HELLGRAU));
    }

    void firstRepeatPassMarksEveryRegister() {
        RegisterBench r;
        // Ticked before the first read: nothing to compare with yet.
        r.open(8, [&r] {
            r.b.click(QStringLiteral("Check_REPEAD"));
            r.b.atFrame(3, [&r] { r.b.click(QStringLiteral("Check_REPEAD")); });
        });
        QCOMPARE(r.b.frames().size(), 3);
        for (int k = 0; k < RegisterWindow::ZEILEN; ++k)
            QCOMPARE(r.colour(k), int(QB_HELLGELB));
        QCOMPARE(r.value(0), QStringLiteral("0"));
    }

    void faultyRepliesAreReportedAndNotShown_data() {
        QTest::addColumn<int>("byte"); // of the pass's reply bytes: 2 status, lead, echo, ...
        QTest::addColumn<QString>("message");
        QTest::newRow("echo") << 4 << "REGISTER Fehler";
        QTest::newRow("trailing status") << 2 + 1 + 1 + 32 + 1 << "FEHLER";
    }
    void faultyRepliesAreReportedAndNotShown() {
        QFETCH(int, byte);
        QFETCH(QString, message);
        RegisterBench r;
        r.open();
        const QString before = r.value(20);
        r.slave().poke(20, quint8(before.toInt() + 1), 0);
        r.corruptReplyByte(byte);
        // The failed pass also ends a repetition.
        r.b.click(QStringLiteral("Check_REPEAD"));
        const int frames = r.b.frames().size();
        r.b.clickAndWait(QStringLiteral("Command_lesen"));
        r.b.sim->faults().corruptEvery = 0;
        QCOMPARE(r.messages(), QStringList{message});
        QCOMPARE(r.b.frames().size(), frames + 2);
        QCOMPARE(r.value(20), before);
    }

    // A time-out reads as 0, but is no acknowledgement: the read goes no further.
    void silentLineEndsTheRead() {
        RegisterBench r;
        r.open();
        const QString before = r.value(3);
        r.b.sim->faults().silent = true;
        const int frames = r.b.frames().size();
        r.b.clickAndWait(QStringLiteral("Command_lesen"));
        QCOMPARE(r.b.befehle().mid(frames), QList<int>{60});
        QCOMPARE(r.value(3), before);
        QVERIFY(r.messages().isEmpty());
    }

    void writes() {
        RegisterBench r;
        r.open();
        // Not a decimal byte: not sent.
        r.enter(row("Text_REGISTER", 20), QStringLiteral("300"));
        QTest::mouseClick(r.b.box(row("Text_REGISTER", 21)), Qt::LeftButton); // emptied
        QCOMPARE(r.value(21), QString());
        QCOMPARE(r.b.colour(row("Text_REGISTER", 21)), int(QB_HELLROT));
        const int frames = r.b.frames().size();
        r.b.click(row("Command_schreiben", 20));
        r.b.click(row("Command_schreiben", 21));
        QCOMPARE(r.b.frames().size(), frames);
        QCOMPARE(r.messages().size(), 2);
        QVERIFY(r.messages().at(0).contains(QStringLiteral("\"300\" ungültig")));
        QVERIFY(r.messages().at(1).contains(QStringLiteral("kein WERT")));

        // Not acknowledged: no message, no read, the typed value stays.
        r.enter(row("Text_REGISTER", 20), QStringLiteral("55"));
        QVERIFY(r.b.sim->setDeviceOnline(8, false));
        r.b.clickAndWait(row("Command_schreiben", 20));
        QCOMPARE(r.b.befehle().mid(frames), QList<int>{60});
        QCOMPARE(r.b.frames().last().daten, (std::array<int, 4>{211, 20, 55, 0}));
        QCOMPARE(r.value(20), QStringLiteral("55"));
        QCOMPARE(r.messages().size(), 2);

        // Acknowledged: written, read back and shown.
        QVERIFY(r.b.sim->setDeviceOnline(8, true));
        r.b.clickAndWait(row("Command_schreiben", 20));
        QCOMPARE(r.b.befehle().mid(frames), (QList<int>{60, 60, 60, 80}));
        QCOMPARE(int(r.slave().peek(20, 0)), 55);
        QCOMPARE(r.value(20), QStringLiteral("55"));
        QCOMPARE(r.colour(20), int(QB_HELLGELB));
    }

    void endSavesTheNotesAndEndsTheProgram() {
        RegisterBench r;
        r.open();
        r.b.type(row("Text_BEMERKUNGEN", 0), QStringLiteral("Zähler"));
        r.b.click(QStringLiteral("Command2"));
        QCOMPARE(r.b.t.system.exits, 1);
        QVERIFY(fileBytes(r.notesFile(8)).startsWith("Z\xE4hler\r\n...\r\n"));
    }
};

QTEST_MAIN(TestRegister)
#include "tst_register.moc"
