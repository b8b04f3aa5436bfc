// The engine's transport behaviour, run once over the virtual port and once over the real
// serial port class against a pseudo-terminal; the rest once, over the virtual port.

#include "link/frame.h"
#include "link/link.h"
#include "testpeers.h"

#include <QtTest>

using namespace zelmar;

namespace {

struct Recorder : FrameLogSink, LinkNotifier {
    QList<FrameLogEntry> frames;
    QStringList messages;
    int beeps = 0;
    void logFrame(const FrameLogEntry& e) override { frames.append(e); }
    void linkMessage(const QString& text) override { messages.append(text); }
    void linkBeep() override { ++beeps; }
};

// Frames the far end received, split by their send count (never by searching for '#').
QList<QByteArray> splitFrames(const QByteArray& stream) {
    QList<QByteArray> frames;
    int i = 0;
    while (i + 10 <= stream.size()) {
        const int n = quint8(stream[i + 4]) + 256 * quint8(stream[i + 5]);
        frames.append(stream.mid(i, 10 + n));
        i += 10 + n;
    }
    return frames;
}

} // namespace

// Set-up shared by the transport runs and the runs that need only the virtual port.
class EngineFixture : public QObject {
    Q_OBJECT
public:
    explicit EngineFixture(std::function<std::unique_ptr<TestPeer>()> make)
        : m_make(std::move(make)) {}

protected:
    std::function<std::unique_ptr<TestPeer>()> m_make;
    std::unique_ptr<TestPeer> peer;
    std::unique_ptr<Link> link;
    Recorder rec;

    // Answers every frame the far end completes with the given bytes.
    void answerEachFrame(const QByteArray& reply, int delayMs = 0) {
        peer->onReceive = [this, reply, delayMs, done = 0]() mutable {
            const int frames = splitFrames(peer->received).size();
            for (; done < frames; ++done)
                peer->send(reply, delayMs);
        };
    }

    void command(int befehl, int empfangen = 0) {
        link->BEFEHL = quint8(befehl);
        link->ANZAHL_SENDEN = 0;
        link->ANZAHL_EMPFANGEN = empfangen;
        link->RAHMEN_SENDEN();
    }

private slots:
    void init() {
        peer = m_make();
        rec = Recorder();
        link = std::make_unique<Link>(peer->port());
        link->setFrameLogSink(&rec);
        link->setNotifier(&rec);
        link->setReplyTimeout(150);
    }
    void cleanup() {
        link.reset();
        peer.reset();
    }
};

// Behaviour that depends on the transport: run over both ports.
class TestEngine : public EngineFixture {
    Q_OBJECT
public:
    using EngineFixture::EngineFixture;

private slots:
    void roundTripWritesTheFrameAndReadsTheReply() {
        answerEachFrame(QByteArray(1, '\0'));
        link->SLAVE_ADRESSE = 127;
        command(3);
        QVERIFY(peer->port().isOpen()); // opened on demand
        link->DATEN_EMPFANGEN(1);
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QCOMPARE(link->STATUS_TEXT, QStringLiteral("ok"));
        QCOMPARE(peer->received, QByteArray("*\x03\x7f\0\0\0\0\0##", 10));
        QCOMPARE(link->SENDE_HISTORIE[1], RAHMEN_ALS_TEXT(peer->received));
        QCOMPARE(rec.frames.size(), 1);
        QCOMPARE(rec.frames[0].befehl, 3);
        QVERIFY(!link->busy());
    }

    void countOneLeavesTheBufferAlone() {
        answerEachFrame(QByteArray("\x01\x02\x03\x04", 4));
        command(12, 0);
        link->DATEN_EMPFANGEN(4);
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QCOMPARE(link->EMPFANGSWERT_32, double(0x04030201));

        answerEachFrame(QByteArray(1, '\x09'));
        command(0);
        link->EMPFANGSPUFFER[2] = 0x22; // a count-1 read must not touch the buffer...
        link->DATEN_EMPFANGEN(1);
        QCOMPARE(link->EMPFANGSBYTE, quint8(9));
        QCOMPARE(link->EMPFANGSPUFFER[1], quint8(1));
        QCOMPARE(link->EMPFANGSPUFFER[2], quint8(0x22));
        // ...and the 32-bit value is taken from what the buffer holds.
        QCOMPARE(link->EMPFANGSWERT_32, double(0x04032201));
    }

    void replyThatStopsAfterThreeOfFourBytes() {
        answerEachFrame(QByteArray("\x0a\x0b\x0c", 3));
        command(12);
        QElapsedTimer t;
        t.start();
        link->DATEN_EMPFANGEN(4);
        QVERIFY(t.elapsed() >= 140); // one whole time-out after the third byte
        QCOMPARE(link->STATUS_CODE, qint16(1000));
        QCOMPARE(link->STATUS_TEXT, QStringLiteral("keine DATEN !!!"));
        QCOMPARE(link->EMPFANGSPUFFER[1], quint8(0x0a));
        QCOMPARE(link->EMPFANGSPUFFER[3], quint8(0x0c));
        QCOMPARE(link->EMPFANGSPUFFER[4], quint8(0));
        QVERIFY(!link->busy());
    }

    void timeOutRestartsForEveryByte() {
        link->setReplyTimeout(400);
        // Four bytes 200 ms apart: 800 ms in all, twice the time-out, yet every gap fits.
        peer->onReceive = [this] {
            for (int i = 0; i < 4; ++i)
                peer->send(QByteArray(1, char(i + 1)), 200 * (i + 1));
            peer->onReceive = nullptr;
        };
        command(12);
        link->DATEN_EMPFANGEN(4);
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QCOMPARE(link->EMPFANGSWERT_32, double(0x04030201));
    }

    void waitingTimeIsCountedAndTimersKeepRunning() {
        link->setReplyTimeout(450);
        int ticks = 0;
        double maxCount = 0;
        QTimer other;
        connect(&other, &QTimer::timeout, [&] {
            ++ticks;
            maxCount = std::max(maxCount, link->WARTEZEIT_ZAEHLER);
        });
        other.start(20);
        command(0);
        link->DATEN_EMPFANGEN(1); // nobody answers
        QCOMPARE(link->STATUS_CODE, qint16(1000));
        QVERIFY2(ticks >= 5, "window timers must keep running while a reply is awaited");
        QVERIFY(maxCount >= 2);
        QTRY_COMPARE(link->WARTEZEIT_ZAEHLER, 0.0);
    }

    void staleInputIsFlushedBeforeAFrame() {
        // The reply to the first frame comes too late and sits in the input.
        peer->onReceive = [this] {
            peer->send(QByteArray(1, '\x77'), 250);
            peer->onReceive = nullptr;
        };
        command(0);
        link->DATEN_EMPFANGEN(1);
        QCOMPARE(link->STATUS_CODE, qint16(1000));
        link->WARTEN_200MS();
        QTRY_VERIFY(peer->port().bytesAvailable() > 0);

        answerEachFrame(QByteArray(1, '\x55'), 20);
        command(0);
        link->DATEN_EMPFANGEN(1);
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QCOMPARE(link->EMPFANGSBYTE, quint8(0x55));
    }

    // Bytes that belong to nobody's frame are never taken for a reply: the end of a block a
    // killed program had asked for, still coming when the port opens, and the rest of a reply
    // that timed out. A frame goes out once the line has been quiet for a while.
    void lateBytesAreNotTakenForAReply() {
        QVERIFY(peer->port().open());
        for (int i = 0; i < 40; ++i)
            peer->send(QByteArray(1, '\xEE'), 5 * i);
        answerEachFrame(QByteArray(1, '\x55'), 20);
        // While the frame waits for the quiet, another handler's frame is refused and leaves
        // the waiting one as it was.
        QTimer::singleShot(50, this, [this] {
            link->RAHMEN_SENDEN({befehl::MT_DATEN, 9, 0, 2, 0, QByteArray("\x11\x22", 2)});
        });
        link->RAHMEN_SENDEN({befehl::MT_DATEN, 80, 0, 2, 0, QByteArray("\xAA\xBB", 2)});
        QCOMPARE(rec.messages, QStringList{QStringLiteral("DATEN werden noch empfangen")});
        link->DATEN_EMPFANGEN(1);
        QCOMPARE(splitFrames(peer->received),
                 QList<QByteArray>{QByteArray("*\x3c\x50\0\x02\0\0\0#\xAA\xBB#", 12)});
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QCOMPARE(link->EMPFANGSBYTE, quint8(0x55));

        // One byte, then nothing for longer than the time-out, then the rest streams in. At
        // 300 baud the quiet spell is five characters, 167 ms, well above the gaps.
        QVERIFY(peer->port().setSettings(QStringLiteral("300,n,8,1")));
        peer->received.clear();
        peer->onReceive = [this] {
            peer->send(QByteArray(1, '\x01'));
            for (int i = 0; i < 20; ++i)
                peer->send(QByteArray(1, '\xEE'), 230 + 20 * i);
            peer->onReceive = nullptr;
        };
        command(12);
        link->DATEN_EMPFANGEN(4);
        QCOMPARE(link->STATUS_CODE, qint16(STATUS_KEINE_DATEN));
        QCOMPARE(link->bytesRead(), 1);
        answerEachFrame(QByteArray(1, '\x66'), 150);
        command(0);
        link->DATEN_EMPFANGEN(1);
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QCOMPARE(link->EMPFANGSBYTE, quint8(0x66));
    }

    void portThatCannotBeOpened() {
        peer->makeUnopenable();
        link->setReplyTimeout(5000);
        command(0);
        QCOMPARE(rec.beeps, 1);
        QCOMPARE(
            rec.messages,
            QStringList{"COM-PORT konnte nicht geöffnet werden\r\nAktion wird abgebrochen !!!"});
        QElapsedTimer t;
        t.start();
        link->DATEN_EMPFANGEN(2);
        QVERIFY(t.elapsed() < 4000);
        QCOMPARE(link->STATUS_CODE, qint16(1001));
        QCOMPARE(link->STATUS_TEXT, QStringLiteral("COM-PORT nicht geöffnet"));
        QVERIFY(!peer->port().isOpen());
        QVERIFY(link->SENDE_HISTORIE[1].isEmpty());
    }

    void handlerDuringAWaitCannotSendOrSteal() {
        // The reply comes in two halves; between them a handler tries its own transaction.
        peer->onReceive = [this] {
            peer->send(QByteArray("\x11\x12", 2), 10);
            peer->send(QByteArray("\x13\x14", 2), 120);
            peer->onReceive = nullptr;
        };
        qint16 innerCode = -1;
        QString innerText;
        bool innerRan = false;
        QTimer::singleShot(60, this, [&] {
            innerRan = true;
            QVERIFY(link->busy());
            link->BEFEHL = 0;
            link->RAHMEN_SENDEN();
            link->EMPFANGSPUFFER_LOESCHEN(); // must not wipe the two bytes already read
            link->DATEN_EMPFANGEN(4);
            innerCode = link->STATUS_CODE;
            innerText = link->STATUS_TEXT;
        });
        command(12);
        const int framesBefore = rec.frames.size();
        link->DATEN_EMPFANGEN(4);
        QVERIFY(innerRan);
        QCOMPARE(rec.frames.size(), framesBefore + 1); // the refused frame is still logged
        QCOMPARE(rec.messages, QStringList{"DATEN werden noch empfangen"});
        QVERIFY(innerCode != 0);
        QCOMPARE(innerText, QStringLiteral("DATEN werden noch empfangen"));
        QCOMPARE(splitFrames(peer->received).size(), 1);
        // The outer read has all four of its bytes and its own outcome.
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QCOMPARE(link->STATUS_TEXT, QStringLiteral("ok"));
        QCOMPARE(link->EMPFANGSWERT_32, double(0x14131211));
        // A refused frame inside a wait does not spoil the next top-level transaction.
        answerEachFrame(QByteArray(1, '\x01'));
        command(0);
        link->DATEN_EMPFANGEN(1);
        QCOMPARE(link->STATUS_CODE, qint16(0));
    }

    void portClosedDuringAWait() {
        link->setReplyTimeout(5000);
        QTimer::singleShot(50, this, [this] { link->MSComm1().close(); });
        command(0);
        QElapsedTimer t;
        t.start();
        link->DATEN_EMPFANGEN(1);
        QCOMPARE(link->STATUS_CODE, qint16(1001));
        QCOMPARE(link->STATUS_TEXT, QStringLiteral("COM-PORT nicht geöffnet"));
        QVERIFY(t.elapsed() < 4000); // the closing wakes the wait; no time-out is waited out
        // The code counts as reported, so the engine says it once; the next read is silent.
        QCOMPARE(rec.messages,
                 QStringList{QStringLiteral("COM-PORT wurde geschlossen, keine Verbindung\r\n"
                                            "Aktion wird abgebrochen !!!")});
        QCOMPARE(rec.beeps, 1);
        link->DATEN_EMPFANGEN(1);
        QCOMPARE(link->STATUS_CODE, qint16(1001));
        QCOMPARE(rec.messages.size(), 1);
    }

    // Found while waiting, and said once; the next frame finds no port to open and says that.
    void adapterPulledOut() {
        link->setReplyTimeout(5000);
        command(0);
        QTimer::singleShot(50, this, [this] { peer->pullOut(); });
        QElapsedTimer t;
        t.start();
        link->DATEN_EMPFANGEN(1);
        QCOMPARE(link->STATUS_CODE, qint16(1001));
        QVERIFY(t.elapsed() < 4000);
        QVERIFY(!peer->port().isOpen());
        QCOMPARE(rec.messages.size(), 1);
        QVERIFY(rec.messages[0].startsWith(QStringLiteral("COM-PORT wurde geschlossen")));
        command(0);
        link->DATEN_EMPFANGEN(1);
        QCOMPARE(link->STATUS_CODE, qint16(1001));
        QCOMPARE(rec.messages.size(), 2);
        QVERIFY(rec.messages[1].startsWith(QStringLiteral("COM-PORT konnte nicht geöffnet")));
    }

    void refusalCoversOnlyTheReadsOfItsHandler() {
        link->setReplyTimeout(5000);
        link->ANZAHL_SENDEN = 70000;
        link->RAHMEN_SENDEN();
        link->DATEN_EMPFANGEN(1);
        QCOMPARE(link->STATUS_CODE, qint16(1002));
        // Later, from another click: a byte waiting on the line is collected.
        link->ANZAHL_SENDEN = 0;
        QVERIFY(peer->port().isOpen() || peer->port().open());
        peer->send(QByteArray(1, '\x2a'));
        QTest::qWait(50);
        link->DATEN_EMPFANGEN(1);
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QCOMPARE(link->EMPFANGSBYTE, quint8(0x2a));
    }

    void settingsStringsThePortRejectsChangeNothing() {
        auto& port = peer->port();
        QVERIFY(port.setSettings("9600,n,8,2"));
        QCOMPARE(port.settings(), QStringLiteral("9600,n,8,2"));
        QVERIFY(!port.setSettings("9600,q,7,2"));
        QVERIFY(!port.setSettings("fast"));
        QCOMPARE(port.settings(), QStringLiteral("9600,n,8,2"));
        const bool driverTakesParity = QByteArray(peer->name()) != "pseudo-terminal";
        // Given while closed, a string the driver refuses shows only when the port opens:
        // it opens with the old settings instead of not at all.
        QVERIFY(port.setSettings("9600,e,7,1"));
        QVERIFY(port.open());
        QCOMPARE(port.settings(),
                 driverTakesParity ? QStringLiteral("9600,e,7,1") : QStringLiteral("9600,n,8,2"));
        port.close();
        QVERIFY(port.setSettings("9600,n,8,2"));
        QVERIFY(port.open());
        // A pseudo-terminal has no parity generator: the driver refuses, the old settings stay.
        QCOMPARE(port.setSettings("9600,e,7,1"), driverTakesParity);
        QCOMPARE(port.settings(),
                 driverTakesParity ? QStringLiteral("9600,e,7,1") : QStringLiteral("9600,n,8,2"));
        QVERIFY(port.setSettings("19200,n,8,1"));
        QVERIFY(!port.setPortNumber(3)); // not while open
        port.close();
        QVERIFY(port.setPortNumber(3));
        QCOMPARE(port.portNumber(), 3);
        QVERIFY(!port.setPortNumber(18));
    }
};

// Behaviour the transport cannot change: run once, over the virtual port.
class TestEngineOnce : public EngineFixture {
    Q_OBJECT
public:
    TestEngineOnce() : EngineFixture([] { return std::make_unique<VirtualPeer>(); }) {}

private slots:
    void oversizedCountsAreRefusedAfterTheLogLine() {
        link->setReplyTimeout(5000);
        link->MSComm1().open();
        link->SENDEPUFFER[1] = 42;
        link->ANZAHL_SENDEN = 65536;
        link->ANZAHL_EMPFANGEN = 0;
        link->RAHMEN_SENDEN();
        QCOMPARE(rec.frames.size(), 1); // logged before it was checked
        QCOMPARE(rec.frames[0].anzahlSenden, 65536.0);
        QCOMPARE(link->STATUS_CODE, qint16(1002));
        QCOMPARE(rec.messages, QStringList{"FEHLER: ANZAHL SENDEBYTES zu groß, maximal 65.535"});
        QCOMPARE(link->SENDEPUFFER[1], quint8(42)); // nothing was sent, nothing cleared

        // The caller's reads end at once instead of waiting for a reply that cannot come.
        QElapsedTimer t;
        t.start();
        link->DATEN_EMPFANGEN(2);
        QVERIFY(t.elapsed() < 4000);
        QCOMPARE(link->STATUS_CODE, qint16(1002));
        QVERIFY(!link->STATUS_TEXT.isEmpty());

        link->ANZAHL_SENDEN = 0;
        link->ANZAHL_EMPFANGEN = 65536;
        link->RAHMEN_SENDEN();
        QCOMPARE(link->STATUS_CODE, qint16(1003));
        QCOMPARE(rec.messages.last(),
                 QStringLiteral("FEHLER: ANZAHL EMPFANGSBYTES zu groß, maximal 65.535"));

        for (double bad : {-1.0, 2.5}) {
            link->ANZAHL_EMPFANGEN = 0;
            link->ANZAHL_SENDEN = bad;
            link->RAHMEN_SENDEN();
            QCOMPARE(link->STATUS_CODE, qint16(1002));
        }

        // A good frame straight after, in the same handler: it goes out alone and its read
        // waits for the answer again.
        answerEachFrame(QByteArray(1, '\x05'));
        command(0);
        link->DATEN_EMPFANGEN(1);
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QCOMPARE(link->EMPFANGSBYTE, quint8(5));
        QCOMPARE(splitFrames(peer->received).size(), 1);
    }

    // The receive buffer holds 100000 bytes: a read of that many fills it to its last element,
    // one more is refused before anything is awaited.
    void readsUpToTheBufferSize() {
        const int voll = Link::PUFFER_GROESSE - 1;
        QByteArray antwort(voll, '\0');
        for (int i = 0; i < voll; ++i)
            antwort[i] = char(i % 251);
        answerEachFrame(antwort);
        command(0);
        link->DATEN_EMPFANGEN(voll);
        QCOMPARE(link->STATUS_CODE, qint16(0));
        QCOMPARE(link->EMPFANGSPUFFER[voll], quint8((voll - 1) % 251));

        peer->onReceive = nullptr; // nothing would come
        command(0);
        link->DATEN_EMPFANGEN(Link::PUFFER_GROESSE);
        QCOMPARE(link->STATUS_CODE, qint16(STATUS_ANZAHL_EMPFANGEN));
    }

    void sendBufferIsZeroedAndHistoryKeepsTheNewestHundred() {
        answerEachFrame(QByteArray(2, '\0'));
        for (int i = 1; i <= 102; ++i) {
            link->BEFEHL = 60;
            link->SENDEPUFFER[1] = quint8(i);
            link->SENDEPUFFER[2] = '#';
            link->ANZAHL_SENDEN = 2;
            link->ANZAHL_EMPFANGEN = 0;
            link->RAHMEN_SENDEN();
            QVERIFY(std::all_of(link->SENDEPUFFER.begin(), link->SENDEPUFFER.end(),
                                [](quint8 b) { return b == 0; }));
            link->DATEN_EMPFANGEN(2);
            QCOMPARE(link->STATUS_CODE, qint16(0));
        }
        const QList<QByteArray> frames = splitFrames(peer->received);
        QCOMPARE(frames.size(), 102);
        QCOMPARE(frames[101].mid(9, 2), QByteArray("\x66#"));
        QCOMPARE(link->SENDE_HISTORIE[1], RAHMEN_ALS_TEXT(frames[101]));
        QCOMPARE(link->SENDE_HISTORIE[2], RAHMEN_ALS_TEXT(frames[100]));
        QCOMPARE(link->SENDE_HISTORIE[100], RAHMEN_ALS_TEXT(frames[2]));
        QVERIFY(link->SENDE_HISTORIE[0].isEmpty());
    }

    void pausesLetEventsRun() {
        int ticks = 0;
        QTimer other;
        connect(&other, &QTimer::timeout, [&] { ++ticks; });
        other.start(10);
        QElapsedTimer t;
        t.start();
        link->WARTEN_200MS();
        QVERIFY(t.elapsed() >= 180);
        QVERIFY(!link->Timer_WAIT_200ms.isActive());
        QVERIFY(ticks >= 3);
        QCOMPARE(link->Timer_WAIT_1s.interval(), 1000);
    }
};

class TestPortNames : public QObject {
    Q_OBJECT
private slots:
    void portsIniMapsNumbersToDevices() {
        QTemporaryDir dir;
        QCOMPARE(HardwareSerialPort::deviceFor(dir.path(), 1), QStringLiteral("/dev/ttyS0"));
        QFile f(dir.filePath("PORTS.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("/dev/pts/7\r\n\r\n  /dev/ttyUSB0  \r\n");
        f.close();
        QCOMPARE(HardwareSerialPort::deviceFor(dir.path(), 1), QStringLiteral("/dev/pts/7"));
        QCOMPARE(HardwareSerialPort::deviceFor(dir.path(), 2), QStringLiteral("/dev/ttyS1"));
        QCOMPARE(HardwareSerialPort::deviceFor(dir.path(), 3), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(HardwareSerialPort::deviceFor(dir.path(), 17), QStringLiteral("/dev/ttyS16"));

        // Lines end as in every settings file (CR, LF or CR LF), a long line stays one line,
        // and a Latin-1 name is read as Latin-1.
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray("/dev/ttyA\r/dev/ttyB\n") + QByteArray(5000, 'x') +
                "\r\n/tmp/t\xe4ZELMAR\n");
        f.close();
        QCOMPARE(HardwareSerialPort::deviceFor(dir.path(), 1), QStringLiteral("/dev/ttyA"));
        QCOMPARE(HardwareSerialPort::deviceFor(dir.path(), 2), QStringLiteral("/dev/ttyB"));
        QCOMPARE(HardwareSerialPort::deviceFor(dir.path(), 3), QString(4096, QLatin1Char('x')));
        QCOMPARE(HardwareSerialPort::deviceFor(dir.path(), 4), QStringLiteral("/tmp/täZELMAR"));
        QCOMPARE(HardwareSerialPort::deviceFor(dir.path(), 5), QStringLiteral("/dev/ttyS4"));

        // A NUL byte ends the name: what follows it could name no device.
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray("/dev/pts/7\0/dev/pts/8  \r\n\0\r\n", 28));
        f.close();
        QCOMPARE(HardwareSerialPort::deviceFor(dir.path(), 1), QStringLiteral("/dev/pts/7"));
        QCOMPARE(HardwareSerialPort::deviceFor(dir.path(), 2), QStringLiteral("/dev/ttyS1"));
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int failures = 0;
    TestEngine onVirtual([] { return std::make_unique<VirtualPeer>(); });
    failures += QTest::qExec(&onVirtual, argc, argv);
    TestEngine onPty([] { return std::make_unique<PtyPeer>(); });
    failures += QTest::qExec(&onPty, argc, argv);
    TestEngineOnce once;
    failures += QTest::qExec(&once, argc, argv);
    TestPortNames names;
    failures += QTest::qExec(&names, argc, argv);
    return failures == 0 ? 0 : 1;
}

#include "tst_engine.moc"
