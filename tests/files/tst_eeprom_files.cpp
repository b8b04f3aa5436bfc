// EEPROM image files and the comparison report, without a link: every format read back as
// written, malformed files refused with line and reason, and the report's rows and count.

#include "testcontext.h"

#include "files/eepromimage.h"
#include "files/eepromvergleich.h"
#include "link/memory.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace zelmar;
using Bereich = EepromAbbild::Bereich;

namespace {

EepromAbbild muster(int von, int bis, int saat = 0) {
    EepromAbbild a;
    for (int x = von; x <= bis; ++x)
        a.setzen(x, quint8((x * 7 + x / 256 + saat) & 0xFF));
    return a;
}

EepromAbbild vereint(const EepromAbbild& a, const EepromAbbild& b) {
    EepromAbbild c = a;
    for (int x = 0; x < EepromAbbild::GROESSE; ++x)
        if (b.belegt(x))
            c.setzen(x, b.wert(x));
    return c;
}

bool gleich(const EepromAbbild& a, const EepromAbbild& b) {
    return EepromVergleich::von(a, b).gleich() && a.anzahl() == b.anzahl();
}

} // namespace

class TestEepromFiles : public QObject {
    Q_OBJECT

private slots:
    void everyFormatReadsBackAsWritten_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<bool>("luecken"); // the image has gaps
        using F = abbild::Format;
        const QLocale de(QLocale::German);
        QTest::newRow("dump de") << int(F::Dump) << de << false;
        QTest::newRow("dump en") << int(F::Dump) << QLocale(QLocale::English) << false;
        QTest::newRow("dump fr") << int(F::Dump) << QLocale(QLocale::French) << false;
        QTest::newRow("dump de_CH")
            << int(F::Dump) << QLocale(QLocale::German, QLocale::Switzerland) << false;
        QTest::newRow("binary") << int(F::Binaer) << de << false;
        QTest::newRow("intel hex") << int(F::IntelHex) << de << false;
        QTest::newRow("intel hex with gaps") << int(F::IntelHex) << de << true;
    }
    void everyFormatReadsBackAsWritten() {
        QFETCH(int, format);
        QFETCH(QLocale, locale);
        QFETCH(bool, luecken);
        const auto f = abbild::Format(format);
        const EepromAbbild bild =
            luecken ? vereint(muster(5, 300), muster(1000, 1016, 3)) : muster(0, 65535);
        ProgramDir d;
        const QString pfad = d.file(QStringLiteral("bild") + abbild::endung(f));
        QVERIFY(abbild::speichern(pfad, bild, f, locale));
        EepromAbbild zurueck;
        abbild::Fehler fehler;
        QVERIFY2(abbild::laden(pfad, &zurueck, &fehler), qPrintable(fehler.text()));
        QVERIFY(gleich(zurueck, bild));
        QCOMPARE(zurueck.luecken(), bild.luecken());
        if (luecken)
            QCOMPARE(zurueck.luecken(), (QList<Bereich>{{301, 999}}));
        QCOMPARE(QDir(d.pfad()).entryList(QDir::Files), QStringList{QFileInfo(pfad).fileName()});
    }

    // What the formats look like, for whoever reads them with another tool.
    void formatsOnDisk() {
        const QLocale de(QLocale::German);
        EepromAbbild a;
        a.setzen(17, 255);
        a.setzen(18, 0);
        // A dump has every address; what the image does not give reads as erased, as in binary.
        const QByteArray dumpText = abbild::inhalt(a, abbild::Format::Dump, de);
        QCOMPARE(dumpText.count('\n'), 65536);
        QVERIFY(dumpText.startsWith("00.000===> 255 \r\n"));
        QVERIFY(dumpText.contains("\n00.017===> 255 \r\n00.018===> 0 \r\n00.019===> 255 \r\n"));
        QCOMPARE(abbild::inhalt(a, abbild::Format::IntelHex, de),
                 QByteArray(":020000040000FA\r\n:02001100FF00EE\r\n:00000001FF\r\n"));
        QCOMPARE(abbild::inhalt(a, abbild::Format::Binaer, de),
                 QByteArray(17, char(0xFF)) + QByteArray("\xFF\x00", 2));
        QCOMPARE(abbild::dateiname("/d/", 80, abbild::Format::IntelHex),
                 QStringLiteral("/d/EEPROM_65k_80.hex"));
        QCOMPARE(abbild::formatVonName("a/EEPROM_65k_80.TXT"), abbild::Format::Dump);
        QCOMPARE(abbild::formatVonName("x.ihx"), abbild::Format::IntelHex);
        QCOMPARE(abbild::formatVonName("x.eep"), abbild::Format::Binaer);
    }

    // Dumps from other systems: Latin-1 no-break space as separator, LF only; lower-case hex.
    void foreignButWellFormedFiles() {
        QByteArray fremd;
        for (int x = 0; x < EepromAbbild::GROESSE; ++x)
            fremd += QByteArray::number(x / 1000).rightJustified(2, '0') + '\xA0' +
                     QByteArray::number(x % 1000).rightJustified(3, '0') + "===> " +
                     QByteArray::number(x % 7) + " \n";
        EepromAbbild a;
        abbild::Fehler f;
        QVERIFY2(abbild::lesen(fremd, abbild::Format::Dump, &a, &f), qPrintable(f.text()));
        QCOMPARE(a.anzahl(), EepromAbbild::GROESSE);
        QCOMPARE(int(a.wert(17)), 3);
        QCOMPARE(int(a.wert(65535)), 65535 % 7);
        QVERIFY(abbild::lesen(":02fffe00abcd89\n:00000001ff\n", abbild::Format::IntelHex, &a, &f));
        QCOMPARE(int(a.wert(65535)), 0xCD);
    }

    // Records other tools write: 02 moves the data records by its segment times 16, 03 and 05
    // (start addresses) are taken and ignored.
    void hexRecordsOfOtherTools() {
        EepromAbbild a;
        abbild::Fehler f;
        QVERIFY2(abbild::lesen(":020000020100FB\r\n" // segment 0x0100: base 0x1000
                               ":0100100042AD\r\n"
                               ":0400000300003800C1\r\n"
                               ":04000005000000CD2A\r\n"
                               ":020000020000FC\r\n"
                               ":01002000439C\r\n"
                               ":00000001FF\r\n",
                               abbild::Format::IntelHex, &a, &f),
                 qPrintable(f.text()));
        QCOMPARE(a.bereiche(), (QList<Bereich>{{0x20, 0x20}, {0x1010, 0x1010}}));
        QCOMPARE(int(a.wert(0x1010)), 0x42);
        QCOMPARE(int(a.wert(0x20)), 0x43);
    }

    // binutils' objcopy reads what this program writes and writes what it reads, both ways.
    void objcopyBothWays() {
        const QString objcopy = QStandardPaths::findExecutable(QStringLiteral("objcopy"));
        if (objcopy.isEmpty())
            QSKIP("objcopy (binutils) is not installed");
        ProgramDir d;
        const EepromAbbild bild = muster(0, 65535);
        auto lauf = [&](const QStringList& args) {
            QProcess p;
            p.start(objcopy, args);
            return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit &&
                   p.exitCode() == 0;
        };
        // Ours to binary through objcopy: the bytes of our own binary file.
        QVERIFY(abbild::speichern(d.file("ours.hex"), bild, abbild::Format::IntelHex, QLocale()));
        QVERIFY(abbild::speichern(d.file("ours.bin"), bild, abbild::Format::Binaer, QLocale()));
        QVERIFY(lauf({"-I", "ihex", "-O", "binary", d.file("ours.hex"), d.file("theirs.bin")}));
        QCOMPARE(fileBytes(d.file("theirs.bin")), fileBytes(d.file("ours.bin")));
        // objcopy's HEX, with a start address record, read by us.
        QVERIFY(lauf({"-I", "binary", "-O", "ihex", "--set-start", "0x1234", d.file("ours.bin"),
                      d.file("theirs.hex")}));
        EepromAbbild zurueck;
        abbild::Fehler f;
        QVERIFY2(abbild::laden(d.file("theirs.hex"), &zurueck, &f), qPrintable(f.text()));
        QVERIFY(gleich(zurueck, bild));
    }

    void malformedFilesAreRefusedWithLineAndReason_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<int>("zeile");
        QTest::addColumn<QString>("grund");
        using F = abbild::Format;
        const QByteArray eof = ":00000001FF\r\n";
        const QByteArray gut = ":0100000041BE\r\n";
        auto hex = [&](const char* tag, const QByteArray& z, int zeile, const char* grund) {
            QTest::newRow(tag) << int(F::IntelHex) << z << zeile << QString::fromUtf8(grund);
        };
        hex("hex bad checksum", gut + ":0100010042BD\r\n" + eof, 2,
            "Prüfsumme falsch: xBD gelesen, xBC");
        hex("hex short line", gut + ":0300010042BD\r\n" + eof, 2, "Zeile zu kurz: 3 Datenbytes");
        hex("hex long line", ":00000001FF00\r\n", 1, "Zeile zu lang");
        hex("hex no record", gut + ":0100\r\n", 2, "Zeile zu kurz für einen Satz");
        hex("hex beyond 65535", ":02FFFF000102FD\r\n" + eof, 1, "Adresse 65536 liegt über 65535");
        hex("hex upper address", ":020000040001F9\r\n" + gut + eof, 2, "Adresse 65536 liegt über");
        hex("hex overlap", gut + ":0200000041427B\r\n" + eof, 2,
            "überlappt Zeile 1 bei Adresse x0000");
        hex("hex segment beyond 65535", ":020000021000EC\r\n" + gut + eof, 2,
            "Adresse 65536 liegt über 65535");
        hex("hex short segment record", ":0100000210ED\r\n" + eof, 1,
            "Satzart 02 braucht 2 Datenbytes");
        hex("hex short start address", ":020000030000FB\r\n" + eof, 1,
            "Satzart 03 braucht 4 Datenbytes");
        hex("hex unknown record", ":0100000600F9\r\n" + eof, 1, "Satzart 06 gibt es nicht");
        hex("hex not hex", ":01000000G1BE\r\n", 1, "\"G\" ist keine Hexadezimalziffer");
        hex("hex no colon", gut + "0100000041BE\r\n", 2, "beginnt nicht mit \":\"");
        hex("hex no end record", gut + ":0100010042BC\r\n", 2, "Endesatz (Satzart 01) fehlt");
        hex("hex after the end", gut + eof + gut, 3, "Daten nach dem Endesatz");
        hex("hex only the end", eof, 0, "keine Daten");
        auto dump = [&](const char* tag, const QByteArray& z, int zeile, const char* grund) {
            QTest::newRow(tag) << int(F::Dump) << z << zeile << QString::fromUtf8(grund);
        };
        const QByteArray erste = "00.000===> 1 \r\n";
        dump("dump non-numeric value", erste + "00.001===> abc \r\n", 2,
             "Wert \"abc\" ist keine Zahl");
        dump("dump value 256", erste + "00.001===> 256 \r\n", 2, "keine Zahl von 0 bis 255");
        dump("dump negative value", erste + "00.001===> -1 \r\n", 2, "keine Zahl von 0 bis 255");
        dump("dump short line", erste + "00.001===>\r\n", 2, "Zeile zu kurz: der Wert fehlt");
        dump("dump cut line", erste + "00.0", 2, "\"===>\" fehlt");
        dump("dump beyond 65535", erste + "65.536===> 1 \r\n", 2, "Adresse 65536 liegt über 65535");
        dump("dump twice", erste + "00.000===> 2 \r\n", 2, "Adresse 0 steht schon in Zeile 1");
        dump("dump bad grouping", erste + "0.0001===> 2 \r\n", 2,
             "Adresse \"0.0001\" ist keine Zahl");
        dump("dump letters", "0x10===> 2 \r\n", 1, "ist keine Zahl");
        dump("dump blank line", erste + "\r\n" + erste, 2, "leere Zeile");
        // One line per address in order, none left out: a restore must not skip an address.
        dump("dump missing line", erste + "00.002===> 2 \r\n", 2,
             "Adresse 1 fehlt (die Zeile nennt 2)");
        dump("dump out of order", erste + "00.002===> 2 \r\n00.001===> 2 \r\n", 2,
             "Adresse 1 fehlt");
        dump("dump not from 0", "00.001===> 2 \r\n", 1, "Adresse 0 fehlt");
        dump("dump cut short", erste + "00.001===> 2 \r\n", 0,
             "Datei endet nach Zeile 2: Adressen 2 bis 65535 fehlen");
        dump("dump empty", "\r\n", 0, "Datei ist leer");
        QTest::newRow("binary empty") << int(F::Binaer) << QByteArray() << 0 << "Datei ist leer";
        QTest::newRow("binary too big") << int(F::Binaer) << QByteArray(65537, 'x') << 0
                                        << "Datei ist mit 65537 Byte größer als 65536 Byte";
    }
    void malformedFilesAreRefusedWithLineAndReason() {
        QFETCH(int, format);
        QFETCH(QByteArray, inhalt);
        QFETCH(int, zeile);
        QFETCH(QString, grund);
        EepromAbbild a = muster(0, 9);
        abbild::Fehler f;
        QVERIFY(!abbild::lesen(inhalt, abbild::Format(format), &a, &f));
        QCOMPARE(f.zeile, zeile);
        QVERIFY2(f.grund.contains(grund), qPrintable(f.grund));
        QVERIFY(gleich(a, muster(0, 9))); // nothing taken from a file that did not parse
    }

    void filesThatAreNoFiles() {
        ProgramDir d;
        EepromAbbild a;
        abbild::Fehler f;
        QVERIFY(!abbild::laden(d.pfad(), &a, &f));
        QCOMPARE(f.grund, QStringLiteral("ist ein Verzeichnis, keine gewöhnliche Datei"));
        QVERIFY(!abbild::laden(d.file("fehlt.bin"), &a, &f));
        QCOMPARE(f.grund, QStringLiteral("Datei nicht vorhanden"));
        QString fehler;
        QVERIFY(!abbild::speichern(d.file("fehlt/x.bin"), muster(0, 3), abbild::Format::Binaer,
                                   QLocale(), &fehler));
        QCOMPARE(fehler, "das Verzeichnis " + d.file("fehlt") + " gibt es nicht");
        QVERIFY(a.leer());
    }

    // The report: rows in hex and decimal, the total, and a side without a value.
    void comparisonReport() {
        const QLocale de(QLocale::German);
        const EepromAbbild soll = muster(0, 65535);
        EepromAbbild ist = soll;
        QCOMPARE(EepromVergleich::von(soll, ist).bericht("K", 20, de),
                 QStringLiteral("K\r\n65.536 Byte verglichen\r\n0 Unterschiede"));

        ist.setzen(65535, quint8(soll.wert(65535) ^ 0x5A));
        const EepromVergleich einer = EepromVergleich::von(soll, ist);
        QCOMPARE(einer.anzahl, 1);
        QVERIFY2(einer.bericht("K", 20, de)
                     .endsWith(QStringLiteral("xFFFF = 65535   x%1 = %2   x%3 = %4\r\n\r\n"
                                              "1 Unterschied")
                                   .arg(HEX_2(soll.wert(65535)).mid(1))
                                   .arg(soll.wert(65535), 3)
                                   .arg(HEX_2(ist.wert(65535)).mid(1))
                                   .arg(ist.wert(65535), 3)),
                 qPrintable(einer.bericht("K", 20, de)));

        // 30 bytes more on one side: each counts, the report shows the first 20.
        const EepromVergleich mehr = EepromVergleich::von(muster(0, 99), muster(0, 69));
        QCOMPARE(mehr.verglichen, 100);
        QCOMPARE(mehr.anzahl, 30);
        const QString t = mehr.bericht("K", 20, de);
        QVERIFY(t.contains(QStringLiteral("x0046 =    70   xEA = 234   --  (fehlt)")));
        QVERIFY(t.contains(QStringLiteral("... und 10 weitere\r\n\r\n30 Unterschiede")));
        QCOMPARE(t.count(QStringLiteral("(fehlt)")), 20);
    }
};

QTEST_GUILESS_MAIN(TestEepromFiles)
#include "tst_eeprom_files.moc"
