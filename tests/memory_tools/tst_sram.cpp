// The SRAM window against a simulated ATmega8 slave: labels, displays, repeat marking, paging
// and its bounds, writes and the values that are not sent.

#include "atmega8bench.h"

#include "link/memory.h"
#include "memory_tools/sramzeilen.h"

#include <QtTest>

using namespace zelmar;

namespace {

QString row(const char* control, int i) {
    return QStringLiteral("%1_%2").arg(QLatin1String(control)).arg(i);
}

struct SramBench : Atmega8Bench {
    SramBench() { open(fenster::SRAM, QStringLiteral("Timer1"), 8); }
    void readFrom(int start) {
        b.type(QStringLiteral("Text_SRAM_STARTADRESSE_DEZIMAL"), QString::number(start));
        b.clickAndWait(QStringLiteral("Command_lesen"));
    }
    QString value(int i) const { return b.text(row("Text_WERT", i)); }
    int colour(int i) const { return b.colour(row("Text_WERT", i)); }
};

} // namespace

class TestSram : public QObject {
    Q_OBJECT

private slots:
    void rowLabels_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("i");
        QTest::addColumn<QString>("label");
        QTest::newRow("R0") << 0 << 0 << "R0 0";
        QTest::newRow("R31") << 0 << 31 << "R31 31";
        QTest::newRow("TWBR") << 0 << 32 << "0x00 (0x20) TWBR 32";
        QTest::newRow("footnote") << 0 << 64 << "0x20(1) (0x40)(1) 64";
        QTest::newRow("SPH") << 0 << 94 << QStringLiteral("0x3E (0x5E) SPH \u2013 94");
        QTest::newRow("SREG") << 0 << 95 << "0x3F (0x5F) SREG 95";
        QTest::newRow("after the registers") << 0 << 96 << " 96";
        QTest::newRow("start 1, first") << 1 << 0 << " 1";
        QTest::newRow("start 1, no names") << 1 << 31 << " 32";
        QTest::newRow("start 1, last") << 1 << 99 << " 100";
    }
    void rowLabels() {
        QFETCH(int, start);
        QFETCH(int, i);
        QFETCH(QString, label);
        QCOMPARE(sram::zeilenText(start, i), label);
    }

    void valueTexts_data() {
        QTest::addColumn<int>("darstellung");
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("text");
        const int dez = int(sram::Darstellung::Dez), hex = int(sram::Darstellung::Hex),
                  chr = int(sram::Darstellung::Chr);
        QTest::newRow("dez 255") << dez << 255 << "255";
        QTest::newRow("hex 0") << hex << 0 << "00";
        QTest::newRow("hex 31") << hex << 31 << "1F";
        QTest::newRow("chr A") << chr << 65 << "A";
        QTest::newRow("chr 0 visible") << chr << 0 << QStringLiteral("\uFFFD");
        QTest::newRow("chr euro") << chr << 0x80 << QStringLiteral("\u20AC");
        QTest::newRow("chr undefined") << chr << 0x81 << QStringLiteral("\uFFFD");
        QTest::newRow("chr umlaut") << chr << 0xC4 << QStringLiteral("\u00C4");
    }
    void valueTexts() {
        QFETCH(int, darstellung);
        QFETCH(int, byte);
        QFETCH(QString, text);
        QCOMPARE(sram::wertText(quint8(byte), sram::Darstellung(darstellung)), text);
    }

    // 100 ms after opening: the pointer to 0, then 100 bytes, shown with the register names.
    void firstReadShowsTheDataSpace() {
        SramBench s;
        QCOMPARE(s.b.befehle(), (QList<int>{60, 80}));
        QCOMPARE(s.b.frames()[0].slaveAdresse, 8);
        QCOMPARE(s.b.frames()[0].daten, (std::array<int, 4>{115, 0, 0, 0}));
        QCOMPARE(s.b.frames()[1].anzahlEmpfangen, 100.0);
        QCOMPARE(s.b.text(QStringLiteral("Text_BEMERKUNG_5")), QStringLiteral("R5 5"));
        QCOMPARE(s.b.text(QStringLiteral("Text_BEMERKUNG_34")),
                 QStringLiteral("0x02 (0x22) TWAR 34"));
        const QByteArray mem = s.slave().dataSpace(0);
        for (int i = 0; i < 100; ++i) {
            if (i == 30 || i == 31 || i == 33 || i == 35)
                continue; // Z, TWSR and TWDR change while the slave is read
            QCOMPARE(s.value(i), QString::number(quint8(mem.at(i))));
            QCOMPARE(s.colour(i), mem.at(i) == 0 ? int(QB_HELLGRAU) : int(QB_HELLGELB));
        }
        QCOMPARE(s.value(34), QStringLiteral("16")); // TWAR: its own address
    }

    void repeatMarksOnlyChangedValues() {
        SramBench s;
        s.slave().poke(258, 5, 0);
        s.readFrom(256);
        QCOMPARE(s.b.text(row("Text_BEMERKUNG", 0)), QStringLiteral(" 256"));
        QCOMPARE(s.colour(2), int(QB_HELLGELB));
        QCOMPARE(s.colour(3), int(QB_HELLGRAU));

        s.slave().poke(263, 9, 0);
        const int before = s.b.frames().size();
        s.repeatOnePass();
        QCOMPARE(s.b.frames().size(), before + 3);
        QVERIFY(!s.b.checked(QStringLiteral("Check_REPEAD")));
        QCOMPARE(s.value(7), QStringLiteral("9"));
        QCOMPARE(s.colour(7), int(QB_HELLGELB));
        QCOMPARE(s.colour(2), int(QB_HELLGRAU)); // still 5, not changed
        QCOMPARE(s.colour(3), int(QB_HELLGRAU));

        // Without repeat the text shown decides: in "chr" the character "0" (48) is grey, the
        // character of byte 0 is not.
        s.slave().poke(300, 48, 0);
        s.slave().poke(301, 0, 0);
        s.b.click(QStringLiteral("Option_CHR"));
        s.readFrom(300);
        QCOMPARE(s.value(0), QStringLiteral("0"));
        QCOMPARE(s.colour(0), int(QB_HELLGRAU));
        QCOMPARE(s.colour(1), int(QB_HELLGELB));
    }

    void startAddressesOutOfRangeAreNotSent() {
        SramBench s;
        const QString start = QStringLiteral("Text_SRAM_STARTADRESSE_DEZIMAL");
        const int frames = s.b.frames().size();
        s.b.type(start, QStringLiteral("65500"));
        s.b.clickAndWait(QStringLiteral("Command3"));
        QCOMPARE(s.b.text(start), QStringLiteral("65600"));
        s.b.type(start, QStringLiteral("0"));
        s.b.clickAndWait(QStringLiteral("Command4"));
        QCOMPARE(s.b.text(start), QStringLiteral("-100"));
        QCOMPARE(s.b.frames().size(), frames);
        QCOMPARE(s.messages().size(), 2);
        QVERIFY(s.messages().at(0).contains(QStringLiteral("STARTPOSITION 65600")));
        QCOMPARE(SRAM_ZEIGER_SETZEN(s.b.t.link, 8, 65536).art, SpeicherAntwort::Ungueltig);
        QCOMPARE(s.b.frames().size(), frames);

        // The highest page: the address travels low byte first.
        s.b.type(start, QStringLiteral("65400"));
        s.b.clickAndWait(QStringLiteral("Command3"));
        QCOMPARE(s.b.frames()[frames].daten, (std::array<int, 4>{115, 0xDC, 0xFF, 0}));
        QCOMPARE(s.b.text(row("Text_BEMERKUNG", 99)), QStringLiteral(" 65599"));
        s.enter(row("Text_WERT", 99), QStringLiteral("1"));
        s.b.click(row("Command_schreiben", 99));
        QVERIFY(s.messages().last().contains(QStringLiteral("ADRESSE 65599")));
        QCOMPARE(s.b.frames().size(), frames + 2);

        // An emptied start box reads as 0 and shows "0" at the next display.
        s.b.type(start, QString());
        s.b.click(QStringLiteral("Command_ANZEIGE"));
        QCOMPARE(s.b.text(start), QStringLiteral("0"));
    }

    void writesRoundTripThroughTheSlave() {
        SramBench s;
        s.readFrom(512);
        s.enter(row("Text_WERT", 3), QStringLiteral("77"));
        QCOMPARE(s.colour(3), int(QB_HELLROT));
        const int frames = s.b.frames().size();
        s.b.clickAndWait(row("Command_schreiben", 3));
        QCOMPARE(s.b.befehle().mid(frames), (QList<int>{60, 60, 80}));
        QCOMPARE(s.b.frames()[frames].daten, (std::array<int, 4>{215, 3, 2, 77}));
        QCOMPARE(int(s.slave().peek(515, 0)), 77);
        QCOMPARE(s.value(3), QStringLiteral("77"));
        QCOMPARE(s.colour(3), int(QB_HELLGELB));
        QVERIFY(s.messages().isEmpty());

        // A row stands for the address its label shows, whatever the start box says now; the
        // read after the write takes the start box.
        s.b.type(QStringLiteral("Text_SRAM_STARTADRESSE_DEZIMAL"), QStringLiteral("1000"));
        s.b.click(QStringLiteral("Command_ANZEIGE"));
        QCOMPARE(s.b.text(row("Text_BEMERKUNG", 4)), QStringLiteral(" 516"));
        s.enter(row("Text_WERT", 4), QStringLiteral("5"));
        s.b.clickAndWait(row("Command_schreiben", 4));
        QCOMPARE(s.b.frames()[frames + 3].daten, (std::array<int, 4>{215, 4, 2, 5}));
        QCOMPARE(s.b.text(row("Text_BEMERKUNG", 4)), QStringLiteral(" 1004"));
    }

    void valuesThatAreNoDecimalByteAreNotSent_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("byte");
        QTest::addColumn<bool>("tippen"); // else the display's own text is written back
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("why");
        QTest::newRow("emptied") << "Option_DEZ" << 65 << true << ""
                                 << "kein WERT";
        QTest::newRow("above 255") << "Option_DEZ" << 65 << true << "256"
                                   << "\"256\" ungültig";
        QTest::newRow("hex typed") << "Option_DEZ" << 65 << true << "1F"
                                   << "\"1F\" ungültig";
        QTest::newRow("negative") << "Option_DEZ" << 65 << true << "-1"
                                  << "\"-1\" ungültig";
        QTest::newRow("hex display") << "Option_HEX" << 16 << false << ""
                                     << "\"10\" ist hexadez";
        QTest::newRow("chr display") << "Option_CHR" << 65 << false << ""
                                     << "\"A\" ist als Zeichen";
    }
    void valuesThatAreNoDecimalByteAreNotSent() {
        QFETCH(QString, option);
        QFETCH(int, byte);
        QFETCH(bool, tippen);
        QFETCH(QString, typed);
        QFETCH(QString, why);
        SramBench s;
        s.slave().poke(512, quint8(byte), 0);
        s.readFrom(512);
        s.b.click(option);
        s.b.click(QStringLiteral("Command_ANZEIGE"));
        if (tippen)
            s.enter(row("Text_WERT", 0), typed);
        const int frames = s.b.frames().size();
        s.b.clickAndWait(row("Command_schreiben", 0));
        QCOMPARE(s.b.frames().size(), frames);
        QCOMPARE(s.messages().size(), 1);
        QVERIFY2(s.messages().at(0).contains(why), qPrintable(s.messages().at(0)));
        QCOMPARE(s.colour(0), int(QB_HELLROT));
        QCOMPARE(int(s.slave().peek(512, 0)), byte);
    }

    // A slave that does not answer has no values to show, not 100 zeros or 255s.
    void unansweredReadShowsNoValues() {
        SramBench s;
        QVERIFY(s.b.sim->setDeviceOnline(8, false));
        s.b.clickAndWait(QStringLiteral("Command_lesen"));
        for (int i : {0, 34, 99}) {
            QCOMPARE(s.value(i), QStringLiteral("-"));
            QCOMPARE(s.colour(i), int(QB_HELLROT));
        }
        QVERIFY(s.messages().isEmpty());
        QVERIFY(s.b.sim->setDeviceOnline(8, true));
        s.b.clickAndWait(QStringLiteral("Command_lesen"));
        QCOMPARE(s.value(34), QStringLiteral("16"));
    }

    void endEndsRepeatAndTheProgram() {
        SramBench s;
        s.b.click(QStringLiteral("Check_REPEAD"));
        s.b.atFrame(3, [&s] { s.b.click(QStringLiteral("Command1")); });
        s.b.clickAndWait(QStringLiteral("Command_lesen"));
        QCOMPARE(s.b.t.system.exits, 1);
        QVERIFY(!s.b.t.port.isOpen());
        QVERIFY(!s.b.checked(QStringLiteral("Check_REPEAD")));
        QCOMPARE(s.b.frames().size(), 2 + 3);
    }

    // The engine refuses a frame while a reply is awaited, with its one message.
    void writeDuringAReadIsRefused() {
        SramBench s;
        s.enter(row("Text_WERT", 0), QStringLiteral("1"));
        const int frames = s.b.frames().size();
        s.b.atFrame(1, [&s] { s.b.click(row("Command_schreiben", 0)); });
        s.b.clickAndWait(QStringLiteral("Command_lesen"));
        QCOMPARE(s.messages(), QStringList{QStringLiteral("DATEN werden noch empfangen")});
        // The refused request is logged, but neither written nor followed by a read of its own.
        QCOMPARE(s.b.befehle().mid(frames), (QList<int>{60, 60, 80}));
        QCOMPARE(int(s.slave().peek(0, 0)), 0);
    }

    void consoleOpensBothWindowsModally() {
        ConsoleBench c;
        for (const auto& [button, window] :
             {std::pair{"Command_SRAM", fenster::SRAM}, std::pair{"Command6", fenster::REGISTER}}) {
            c.click(QLatin1String(button));
            QPointer<QWidget> w = c.t.ctx.windows.find(window);
            QVERIFY(w && w->isVisible());
            QCOMPARE(w->windowModality(), Qt::ApplicationModal);
            c.waitForJobs();
            w->close();
            QTRY_VERIFY(!w);
        }
    }

    void valueBoxClickEndsTheRepeat_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("timer");
        QTest::addColumn<QString>("box");
        QTest::newRow("SRAM") << fenster::SRAM << "Timer1"
                              << "Text_WERT_5";
        QTest::newRow("REGISTER") << fenster::REGISTER << "Timer_START"
                                  << "Text_REGISTER_5";
    }
    void valueBoxClickEndsTheRepeat() {
        QFETCH(QString, window);
        QFETCH(QString, timer);
        QFETCH(QString, box);
        Atmega8Bench a;
        a.open(window, timer, 8);
        a.b.click(QStringLiteral("Check_REPEAD"));
        const int frames = a.b.frames().size();
        a.b.atFrame(3, [&a, box] { QTest::mouseClick(a.b.box(box), Qt::LeftButton); });
        a.b.clickAndWait(QStringLiteral("Command_lesen"));
        QCOMPARE(a.b.frames().size(), frames + 3);
        QVERIFY(!a.b.checked(QStringLiteral("Check_REPEAD")));
        QCOMPARE(a.b.colour(box), int(QB_HELLROT));
    }

    // The write under way finishes; the window that has gone reads nothing after it.
    void closingDuringAWriteReadsNothingAfter() {
        SramBench s;
        s.enter(row("Text_WERT", 0), QStringLiteral("1"));
        s.b.sim->faults().silent = true;
        const int frames = s.b.frames().size();
        s.b.atFrame(1, [&s] { s.b.click(QStringLiteral("Command2")); });
        s.b.click(row("Command_schreiben", 0));
        QTRY_VERIFY(!s.b.w);
        s.b.waitForJobs();
        QTest::qWait(200);
        QCOMPARE(s.b.frames().size(), frames + 1);
    }
};

QTEST_MAIN(TestSram)
#include "tst_sram.moc"
