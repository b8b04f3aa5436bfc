#pragma once

#include "commands.h"
#include "serialport.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <vector>

namespace zelmar {

// What the TWI logbook records of every request, before the frame is checked or sent.
struct FrameLogEntry {
    int befehl = 0;
    int slaveAdresse = 0;
    int reserve = 0;
    double anzahlSenden = 0;
    double anzahlEmpfangen = 0;
    std::array<int, 4> daten{}; // SENDEPUFFER 1..4, whether the frame carries them or not
};

class FrameLogSink {
public:
    virtual ~FrameLogSink() = default;
    virtual void logFrame(const FrameLogEntry& entry) = 0;
};

// How the engine reaches the user: an OK message box and the beep.
class LinkNotifier {
public:
    virtual ~LinkNotifier() = default;
    virtual void linkMessage(const QString& text) = 0;
    virtual void linkBeep() = 0;
};

// One request frame: command, the slave address it carries, value byte, counts and the data
// bytes. Data bytes beyond `daten` up to the send count are zeros.
struct Request {
    Request(quint8 befehl_ = 0, quint8 adresse_ = 0, quint8 reserve_ = 0, double senden = 0,
            double empfangen = 0, QByteArray daten_ = {})
        : befehl(befehl_), adresse(adresse_), reserve(reserve_), anzahlSenden(senden),
          anzahlEmpfangen(empfangen), daten(std::move(daten_)) {}

    quint8 befehl = 0;
    quint8 adresse = 0;
    quint8 reserve = 0;
    double anzahlSenden = 0; // whole numbers 0..65535; the engine refuses anything else
    double anzahlEmpfangen = 0;
    QByteArray daten;
};

// The transaction engine: one request frame out, a fixed number of reply bytes in.
// A read blocks its caller in a nested event loop woken by input or the per-byte time-out,
// so every window keeps running while it waits.
class Link : public QObject {
    Q_OBJECT
public:
    static constexpr int PUFFER_GROESSE = 100001; // index 0 unused, 1..100000
    static constexpr int HISTORIE_GROESSE = 101;  // index 0 unused, 1 = newest

    explicit Link(SerialPort& port, QObject* parent = nullptr);
    ~Link() override;

    SerialPort& MSComm1() { return m_port; }
    void setFrameLogSink(FrameLogSink* sink) { m_logSink = sink; }
    void setNotifier(LinkNotifier* notifier) { m_notifier = notifier; }

    // The current slave: the user's choice, shown in every status line. A frame carries the
    // address of its Request, which need not be this one.
    quint8 SLAVE_ADRESSE = 127;

    // --- the last request, as the displays show it ---
    quint8 BEFEHL = 0;
    quint8 RESERVE = 0;
    double ANZAHL_SENDEN = 0;
    double ANZAHL_EMPFANGEN = 0;
    std::vector<quint8> SENDEPUFFER;

    // --- results ---
    std::vector<quint8> EMPFANGSPUFFER;
    quint8 EMPFANGSBYTE = 0;
    double EMPFANGSWERT_32 = 0;
    qint16 STATUS_CODE = 0;
    QString STATUS_TEXT = QStringLiteral("PROGRAMMSTART");
    QByteArray SENDE_RAHMEN;
    std::array<QString, HISTORIE_GROESSE> SENDE_HISTORIE;
    double WARTEZEIT_ZAEHLER = 0;

    // Outcome of the last probe per bus address: -1 acknowledged, 0 not.
    std::array<qint16, 128> SLAVE_GEFUNDEN{};

    // --- port settings ---
    int COM_PORT_NR = 1;
    QString COM_SETTINGS = QStringLiteral("19200,n,8,1");

    // --- engine timers ---
    QTimer Timer_WAIT_DATENEMPFANG;         // per-byte reply time-out; active = busy
    QTimer Timer_WAIT_DATENEMPFANG_ZAEHLER; // 100 ms, counts the waiting time
    QTimer Timer_WAIT_200ms;
    QTimer Timer_WAIT_1s;

    // Reply time-out in ms; values below 1 are not taken (the old interval stays).
    bool setReplyTimeout(int ms);
    int replyTimeout() const { return m_timeout; }
    // A reply is awaited: new frames are refused.
    bool busy() const;
    // The last frame never went out (STATUS_CODE of a refusal).
    bool refused() const { return zelmar::refused(STATUS_CODE); }
    // Bytes the last read took from the line: 0 after a time-out means no byte came at all.
    int bytesRead() const { return m_bytesRead; }

    // Before a frame goes out on a line whose state is not known (the port has just opened,
    // or a reply timed out and its late bytes may still come) the line must have been quiet
    // this long; whatever comes meanwhile is discarded. The wait is bounded.
    static constexpr int RUHE_ZEICHEN = 5;   // character times
    static constexpr int RUHE_MIN_MS = 20;   // what a USB adapter may hold bytes back
    static constexpr int RUHE_MAX_MS = 2000; // a line that never falls quiet

    // The link kept for one holder from now until it lets go (the manual master window while it
    // is open), so that its bus transfers and its latch stay whole: a job not run for the holder
    // waits before its next step, and a frame sent for anybody else is refused with `meldung`.
    // False when another holder has it.
    bool reservieren(const void* inhaber, const QString& meldung);
    void freigeben(const void* inhaber);
    // Frames sent for `fuer` (nullptr: for nobody in particular) go out as far as a
    // reservation goes.
    bool freiFuer(const void* fuer) const { return !m_inhaber || m_inhaber == fuer; }

    // While it lives, the frames sent are sent for `fuer`. One taken while the link was free
    // for it covers its transactions to the end, so a job's step under way when the link was
    // reserved finishes its transfer rather than leave the bus claimed.
    class Auftrag {
    public:
        Auftrag(Link& link, const void* fuer);
        ~Auftrag();
        Auftrag(const Auftrag&) = delete;
        Auftrag& operator=(const Auftrag&) = delete;

    private:
        Link& m_link;
        bool m_vorher;
    };

    // Sends one request; the request variables above take its values first.
    void RAHMEN_SENDEN(const Request& request);
    // The frame of the request variables as they stand, SLAVE_ADRESSE included.
    void RAHMEN_SENDEN();
    void DATEN_EMPFANGEN(int anzahl);
    void EMPFANGSPUFFER_LOESCHEN();
    void WARTEN_200MS();
    void WARTEN_1S();

signals:
    // A frame went out on the line (after the history was updated).
    void frameSent(const QByteArray& frame);
    // The engine no longer waits for a reply: a new frame would be taken.
    void idle();
    // The reservation has ended.
    void freigegeben();

private slots:
    void Timer_WAIT_DATENEMPFANG_Timer();
    void Timer_WAIT_DATENEMPFANG_ZAEHLER_Timer();

private:
    void refuse(qint16 code, const QString& text);
    // The port closed under the engine (the device went away): beep and say so, once.
    void portWeg();
    void message(const QString& text);
    void pause(QTimer& timer);
    void senden(quint8 adresse);
    // Waits until the line has been quiet for a while, discarding what comes; false when the
    // port closed meanwhile.
    bool leitungBeruhigen();

    // Counts a wait on the stack: new frames are refused meanwhile; the last one out says idle.
    struct WarteGuard {
        Link& l;
        explicit WarteGuard(Link& link) : l(link) { ++l.m_readDepth; }
        ~WarteGuard() {
            if (--l.m_readDepth == 0)
                emit l.idle();
        }
    };

    SerialPort& m_port;
    int m_timeout = 1000;
    // The first reply byte cannot come before the frame has left the line: its wait includes
    // the frame's own line time, however long a frame the user built.
    int m_zeilenzeitMs = 0;
    FrameLogSink* m_logSink = nullptr;
    LinkNotifier* m_notifier = nullptr;
    int m_readDepth = 0;    // reads currently waiting on the stack
    bool m_refused = false; // the last top-level frame was not sent
    QTimer m_refusalEnds;   // ends the refusal once the event loop runs again
    qint16 m_refusedCode = 0;
    QString m_refusedText;
    int m_bytesRead = 0;
    bool m_leitungRuhig = false;     // no late bytes are to be expected before the next frame
    const void* m_inhaber = nullptr; // of the reservation
    QString m_reserviertMeldung;
    bool m_zugelassen = false; // the frames sent now pass the reservation
};

} // namespace zelmar
