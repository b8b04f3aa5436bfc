#include "link/frame.h"
#include "link/serialport.h"

#include <QtTest>

using namespace zelmar;

class TestFrame : public QObject {
    Q_OBJECT
private slots:
    void headerOnlyFrameIsTenBytes() {
        FrameHeader h;
        h.befehl = 3;
        h.slaveAdresse = 127;
        QCOMPARE(buildFrame(h, nullptr), QByteArray("*\x03\x7f\0\0\0\0\0##", 10));
        h.befehl = 33; // the value byte travels in position 4
        h.slaveAdresse = 5;
        h.reserve = 0xA4;
        QCOMPARE(buildFrame(h, nullptr), QByteArray("*\x21\x05\xA4\0\0\0\0##", 10));
    }

    void countsAreLittleEndian_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("255") << 255 << 255 << 0;
        QTest::newRow("256") << 256 << 0 << 1;
        QTest::newRow("65535") << 65535 << 255 << 255;
    }
    void countsAreLittleEndian() {
        QFETCH(int, count);
        QFETCH(int, low);
        QFETCH(int, high);
        FrameHeader h;
        h.befehl = 80;
        h.anzahlEmpfangen = static_cast<quint16>(count);
        QByteArray f = buildFrame(h, nullptr);
        QCOMPARE(quint8(f[6]), quint8(low));
        QCOMPARE(quint8(f[7]), quint8(high));

        h.anzahlEmpfangen = 0;
        h.anzahlSenden = static_cast<quint16>(count);
        std::vector<quint8> data(count, 0xAB);
        f = buildFrame(h, data.data());
        QCOMPARE(f.size(), 10 + count);
        QCOMPARE(quint8(f[4]), quint8(low));
        QCOMPARE(quint8(f[5]), quint8(high));
        QCOMPARE(f.at(8), '#');
        QCOMPARE(f.back(), '#');
    }

    void markersInsideDataAreSentUnchanged() {
        FrameHeader h;
        h.befehl = 50;
        h.anzahlSenden = 4;
        const quint8 data[] = {'#', '*', '#', 0};
        const QByteArray f = buildFrame(h, data);
        QCOMPARE(f, QByteArray("*\x32\0\0\x04\0\0\0#", 9) + QByteArray("#*#\0", 4) + "#");
    }

    void frameAsText() {
        FrameHeader h;
        h.befehl = 60;
        h.slaveAdresse = 8;
        h.anzahlSenden = 1;
        const quint8 data[] = {120};
        const QString text = RAHMEN_ALS_TEXT(buildFrame(h, data));
        QCOMPARE(text, QStringLiteral(" * (60)  (8)  (0)  (1)  (0)  (0)  (0)  # (120)  #"));
        // Positions 1, 9 and the last are shown as characters even when they hold other bytes.
        QCOMPARE(RAHMEN_ALS_TEXT(QByteArray("A\x01\x02\x03\x04\x05\x06\x07"
                                            "B",
                                            9)),
                 QStringLiteral(" A (1)  (2)  (3)  (4)  (5)  (6)  (7)  B"));
        QCOMPARE(RAHMEN_ALS_TEXT(QByteArray()), QString());
    }

    void receivedValue32() {
        quint8 b[5] = {99, 0x01, 0x02, 0x03, 0x04};
        QCOMPARE(empfangswert32(b), double(0x04030201));
        quint8 m[5] = {0, 0xFF, 0xFF, 0xFF, 0xFF};
        QCOMPARE(empfangswert32(m), 4294967295.0); // unsigned: never negative
        quint8 clock[5] = {0, 0x00, 0x24, 0xF4, 0x00};
        QCOMPARE(empfangswert32(clock), 16000000.0);
    }

    void portSettings_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("normalised"); // empty = rejected
        const char* rows[][3] = {{"default", "19200,n,8,1", "19200,n,8,1"},
                                 {"even 7 2", "9600,e,7,2", "9600,e,7,2"},
                                 {"upper case, blanks", " 9600, E ,8,1 ", "9600,e,8,1"},
                                 {"one and a half", "1200,o,5,1.5", "1200,o,5,1.5"},
                                 {"odd baud", "12345,n,8,1", ""},
                                 {"no baud", "n,8,1", ""},
                                 {"bad parity", "9600,x,8,1", ""},
                                 {"9 data bits", "9600,n,9,1", ""},
                                 {"3 stop bits", "9600,n,8,3", ""},
                                 {"five fields", "9600,n,8,1,1", ""},
                                 {"empty", "", ""}};
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
    }
    void portSettings() {
        QFETCH(QString, text);
        QFETCH(QString, normalised);
        const auto s = parsePortSettings(text);
        QCOMPARE(s.has_value(), !normalised.isEmpty());
        if (s)
            QCOMPARE(s->toString(), normalised);
    }

    void characterTime() {
        // 19200,n,8,1: ten bits a character.
        QCOMPARE(parsePortSettings("19200,n,8,1")->bitsPerCharacter(), 10.0);
        QCOMPARE(parsePortSettings("9600,e,7,2")->bitsPerCharacter(), 11.0);
    }
};

QTEST_GUILESS_MAIN(TestFrame)
#include "tst_frame.moc"
