#include "link.h"

#include "frame.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace zelmar {

namespace {

// Looked up when shown, so they follow the language installed at start.
QString kWarten() {
    return Link::tr("WARTEN auf DATEN");
}
QString kBusy() {
    return Link::tr("DATEN werden noch empfangen");
}

// How long a stream of input may keep the engine from looking at window events.
constexpr int kEventSliceMs = 50;

// Every frame clears 100 kB this way: one memset, also where a byte loop would be instrumented.
void loeschen(std::vector<quint8>& puffer) {
    std::memset(puffer.data(), 0, puffer.size());
}

bool validCount(double n) {
    return std::isfinite(n) && n >= 0 && n <= 65535 && std::floor(n) == n;
}

} // namespace

Link::Link(SerialPort& port, QObject* parent)
    : QObject(parent), SENDEPUFFER(PUFFER_GROESSE, 0), EMPFANGSPUFFER(PUFFER_GROESSE, 0),
      m_port(port) {
    Timer_WAIT_DATENEMPFANG.setObjectName(QStringLiteral("Timer_WAIT_DATENEMPFANG"));
    Timer_WAIT_DATENEMPFANG.setInterval(1000);
    Timer_WAIT_DATENEMPFANG.setSingleShot(true);
    connect(&Timer_WAIT_DATENEMPFANG, &QTimer::timeout, this, &Link::Timer_WAIT_DATENEMPFANG_Timer);

    Timer_WAIT_DATENEMPFANG_ZAEHLER.setObjectName(QStringLiteral("Timer_WAIT_DATENEMPFANG_ZÄHLER"));
    Timer_WAIT_DATENEMPFANG_ZAEHLER.setInterval(100);
    connect(&Timer_WAIT_DATENEMPFANG_ZAEHLER, &QTimer::timeout, this,
            &Link::Timer_WAIT_DATENEMPFANG_ZAEHLER_Timer);
    Timer_WAIT_DATENEMPFANG_ZAEHLER.start();

    Timer_WAIT_200ms.setObjectName(QStringLiteral("Timer_WAIT_200ms"));
    Timer_WAIT_200ms.setInterval(200);
    Timer_WAIT_200ms.setSingleShot(true);
    Timer_WAIT_1s.setObjectName(QStringLiteral("Timer_WAIT_1s"));
    Timer_WAIT_1s.setInterval(1000);
    Timer_WAIT_1s.setSingleShot(true);
    m_refusalEnds.setSingleShot(true);
    m_refusalEnds.setInterval(0);
    connect(&m_refusalEnds, &QTimer::timeout, this, [this] { m_refused = false; });

    for (QTimer* t : {&Timer_WAIT_DATENEMPFANG, &Timer_WAIT_200ms, &Timer_WAIT_1s})
        t->setTimerType(Qt::PreciseTimer); // coarse timers may end a wait 5 % early
    // A port opened anew may carry the end of what the interface sent to someone else.
    connect(&m_port, &SerialPort::closed, this, [this] { m_leitungRuhig = false; });
}

Link::~Link() = default;

bool Link::setReplyTimeout(int ms) {
    if (ms < 1)
        return false;
    m_timeout = ms;
    Timer_WAIT_DATENEMPFANG.setInterval(ms);
    return true;
}

bool Link::busy() const {
    return m_readDepth > 0 || Timer_WAIT_DATENEMPFANG.isActive();
}

void Link::Timer_WAIT_DATENEMPFANG_Timer() {
    Timer_WAIT_DATENEMPFANG.stop();
}

void Link::Timer_WAIT_DATENEMPFANG_ZAEHLER_Timer() {
    if (Timer_WAIT_DATENEMPFANG.isActive())
        WARTEZEIT_ZAEHLER += 1;
    else
        WARTEZEIT_ZAEHLER = 0;
}

void Link::message(const QString& text) {
    if (m_notifier)
        m_notifier->linkMessage(text);
}

void Link::portWeg() {
    if (m_notifier)
        m_notifier->linkBeep();
    message(tr("COM-PORT wurde geschlossen, keine Verbindung\r\nAktion wird abgebrochen !!!"));
}

void Link::refuse(qint16 code, const QString& text) {
    m_refused = true;
    m_refusedCode = code;
    m_refusedText = text;
    // The refusal covers the reads of the handler that sent the frame; a read started later
    // from another click (collecting a waiting byte) is the user's own.
    m_refusalEnds.start();
}

bool Link::reservieren(const void* inhaber, const QString& meldung) {
    if (!freiFuer(inhaber))
        return false;
    m_inhaber = inhaber;
    m_reserviertMeldung = meldung;
    return true;
}

void Link::freigeben(const void* inhaber) {
    if (!m_inhaber || m_inhaber != inhaber)
        return;
    m_inhaber = nullptr;
    emit freigegeben();
}

Link::Auftrag::Auftrag(Link& link, const void* fuer)
    : m_link(link), m_vorher(std::exchange(link.m_zugelassen, link.freiFuer(fuer))) {}

Link::Auftrag::~Auftrag() {
    m_link.m_zugelassen = m_vorher;
}

void Link::RAHMEN_SENDEN(const Request& r) {
    BEFEHL = r.befehl;
    RESERVE = r.reserve;
    ANZAHL_SENDEN = r.anzahlSenden;
    ANZAHL_EMPFANGEN = r.anzahlEmpfangen;
    // A refused frame leaves its bytes behind; none of them may travel with this one.
    loeschen(SENDEPUFFER);
    const int n = std::min<int>(int(r.daten.size()), PUFFER_GROESSE - 1);
    std::copy_n(reinterpret_cast<const quint8*>(r.daten.constData()), n, SENDEPUFFER.begin() + 1);
    senden(r.adresse);
}

void Link::RAHMEN_SENDEN() {
    senden(SLAVE_ADRESSE);
}

void Link::senden(quint8 adresse) {
    if (m_logSink) {
        FrameLogEntry e;
        e.befehl = BEFEHL;
        e.slaveAdresse = adresse;
        e.reserve = RESERVE;
        e.anzahlSenden = ANZAHL_SENDEN;
        e.anzahlEmpfangen = ANZAHL_EMPFANGEN;
        for (int i = 0; i < 4; ++i)
            e.daten[i] = SENDEPUFFER[i + 1];
        m_logSink->logFrame(e);
    }

    if (busy()) {
        // Only a handler running inside a wait gets here; its own reads end at once
        // because they are nested, so the transaction in progress keeps its bytes.
        message(kBusy());
        return;
    }

    if (m_inhaber && !m_zugelassen) {
        message(m_reserviertMeldung);
        refuse(STATUS_NICHT_GESENDET, tr("Schnittstelle reserviert"));
        return;
    }

    if (!m_port.isOpen())
        m_port.open();
    if (!m_port.isOpen()) {
        if (m_notifier)
            m_notifier->linkBeep();
        QString belegt;
        if (const auto h = m_port.heldBy())
            belegt = (h->pid > 0 ? tr("belegt von Prozess %1 (%2)").arg(h->pid).arg(h->program)
                                 : tr("belegt von einem anderen Programm")) +
                     QStringLiteral("\r\n");
        message(tr("COM-PORT konnte nicht geöffnet werden\r\n") + belegt +
                tr("Aktion wird abgebrochen !!!"));
        refuse(STATUS_PORT_ZU, tr("COM-PORT nicht geöffnet"));
        return;
    }

    if (!validCount(ANZAHL_SENDEN)) {
        message(ANZAHL_SENDEN > 65535
                    ? tr("FEHLER: ANZAHL SENDEBYTES zu groß, maximal 65.535")
                    : tr("FEHLER: ANZAHL SENDEBYTES ungültig, erlaubt 0 bis 65.535"));
        STATUS_CODE = STATUS_ANZAHL_SENDEN;
        refuse(STATUS_ANZAHL_SENDEN, tr("ANZAHL SENDEBYTES ungültig"));
        return;
    }
    if (!validCount(ANZAHL_EMPFANGEN)) {
        message(ANZAHL_EMPFANGEN > 65535
                    ? tr("FEHLER: ANZAHL EMPFANGSBYTES zu groß, maximal 65.535")
                    : tr("FEHLER: ANZAHL EMPFANGSBYTES ungültig, erlaubt 0 bis 65.535"));
        STATUS_CODE = STATUS_ANZAHL_EMPFANGEN;
        refuse(STATUS_ANZAHL_EMPFANGEN, tr("ANZAHL EMPFANGSBYTES ungültig"));
        return;
    }

    FrameHeader h;
    h.befehl = BEFEHL;
    h.slaveAdresse = adresse;
    h.reserve = RESERVE;
    h.anzahlSenden = static_cast<quint16>(ANZAHL_SENDEN);
    h.anzahlEmpfangen = static_cast<quint16>(ANZAHL_EMPFANGEN);

    // Built before any wait: a handler that runs meanwhile may fill the request variables for a
    // frame of its own, which is refused.
    const QByteArray rahmen = buildFrame(h, SENDEPUFFER.data() + 1);
    if (!m_leitungRuhig) {
        if (!leitungBeruhigen()) {
            portWeg();
            refuse(STATUS_PORT_ZU, tr("COM-PORT nicht geöffnet"));
            return;
        }
        m_leitungRuhig = true;
    }
    // Late bytes of an earlier transaction must not be taken for this one's reply.
    m_port.discardInput();

    SENDE_RAHMEN = rahmen;
    if (!m_port.write(SENDE_RAHMEN)) {
        if (m_port.isOpen()) {
            message(tr("RAHMEN konnte nicht gesendet werden"));
            refuse(STATUS_NICHT_GESENDET, tr("RAHMEN konnte nicht gesendet werden"));
        } else {
            portWeg();
            refuse(STATUS_PORT_ZU, tr("COM-PORT nicht geöffnet"));
        }
        return;
    }
    m_refused = false;
    m_refusalEnds.stop();
    const auto line = parsePortSettings(m_port.settings());
    m_zeilenzeitMs =
        line ? int(std::ceil(SENDE_RAHMEN.size() * line->bitsPerCharacter() * 1000.0 / line->baud))
             : 0;

    std::move_backward(SENDE_HISTORIE.begin() + 1, SENDE_HISTORIE.end() - 1, SENDE_HISTORIE.end());
    SENDE_HISTORIE[1] = RAHMEN_ALS_TEXT(SENDE_RAHMEN);

    loeschen(SENDEPUFFER);
    emit frameSent(SENDE_RAHMEN);
}

bool Link::leitungBeruhigen() {
    const PortSettings line = parsePortSettings(m_port.settings()).value_or(PortSettings());
    const int ruheMs = std::max(
        RUHE_MIN_MS, int(std::ceil(RUHE_ZEICHEN * line.bitsPerCharacter() * 1000.0 / line.baud)));
    WarteGuard guard(*this);
    QTimer ruhe;
    ruhe.setSingleShot(true);
    ruhe.setTimerType(Qt::PreciseTimer);
    QTimer grenze;
    grenze.setSingleShot(true);
    QEventLoop loop;
    bool kam = false;
    connect(&ruhe, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(&grenze, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(&m_port, &SerialPort::closed, &loop, &QEventLoop::quit);
    connect(&m_port, &SerialPort::readyRead, &loop, [&] {
        m_port.discardInput();
        kam = true;
        ruhe.start(ruheMs);
    });
    m_port.discardInput();
    ruhe.start(ruheMs);
    grenze.start(RUHE_MAX_MS);
    do {
        loop.exec();
        kam = false;
        // A process held up for longer than the quiet spell finds the timer and the input due
        // together, and the timer may come first: input still waiting breaks the quiet.
        if (!ruhe.isActive() && grenze.isActive() && m_port.isOpen())
            QCoreApplication::processEvents();
    } while (kam && grenze.isActive() && m_port.isOpen());
    return m_port.isOpen();
}

void Link::EMPFANGSPUFFER_LOESCHEN() {
    // The buffer belongs to the read that waits; a handler run inside it must not wipe it.
    if (m_readDepth > 0)
        return;
    loeschen(EMPFANGSPUFFER);
}

void Link::DATEN_EMPFANGEN(int anzahl) {
    if (m_readDepth > 0) {
        // Entered from a handler while another read waits: the bytes on the line and the
        // buffers belong to that read, so this one ends without touching them.
        STATUS_CODE = STATUS_NICHT_GESENDET;
        STATUS_TEXT = kBusy();
        return;
    }
    anzahl = std::max(anzahl, 1);

    m_bytesRead = 0;
    EMPFANGSBYTE = 0;
    STATUS_CODE = STATUS_OK;
    STATUS_TEXT = kWarten();
    if (anzahl > 1)
        EMPFANGSPUFFER_LOESCHEN();

    if (m_refused) {
        // The frame this read belongs to never went out: there is nothing to wait for.
        STATUS_CODE = m_refusedCode;
        STATUS_TEXT = m_refusedText;
        return;
    }
    if (anzahl >= PUFFER_GROESSE) {
        STATUS_CODE = STATUS_ANZAHL_EMPFANGEN;
        STATUS_TEXT = tr("ANZAHL EMPFANGSBYTES ungültig");
        return;
    }
    if (!m_port.isOpen()) {
        STATUS_TEXT = tr("COM-PORT nicht geöffnet");
        STATUS_CODE = STATUS_PORT_ZU;
        return;
    }

    WarteGuard guard(*this);

    // Handlers run while we wait may write their own outcome into the status; ours stands.
    auto reassert = [this] {
        STATUS_CODE = STATUS_OK;
        STATUS_TEXT = kWarten();
    };

    QElapsedTimer sinceEvents;
    sinceEvents.start();
    int counter = 0;
    while (counter < anzahl) {
        // A fresh time-out for every byte.
        Timer_WAIT_DATENEMPFANG.start(m_timeout + std::exchange(m_zeilenzeitMs, 0));
        for (;;) {
            if (sinceEvents.elapsed() >= kEventSliceMs) {
                QCoreApplication::processEvents();
                reassert();
                sinceEvents.restart();
            }
            if (m_port.bytesAvailable() > 0)
                break;
            if (!m_port.isOpen()) {
                // The device went away under the wait (an adapter pulled out): nobody has told
                // the user yet, and every caller takes this code as already reported.
                Timer_WAIT_DATENEMPFANG.stop();
                STATUS_TEXT = tr("COM-PORT nicht geöffnet");
                STATUS_CODE = STATUS_PORT_ZU;
                portWeg();
                return;
            }
            if (!Timer_WAIT_DATENEMPFANG.isActive()) {
                // The rest of this reply may still come, and must not pass for the next one.
                m_leitungRuhig = false;
                STATUS_CODE = STATUS_KEINE_DATEN;
                STATUS_TEXT = tr("keine DATEN !!!");
                return;
            }
            QEventLoop loop;
            connect(&m_port, &SerialPort::readyRead, &loop, &QEventLoop::quit);
            connect(&m_port, &SerialPort::closed, &loop, &QEventLoop::quit);
            connect(&Timer_WAIT_DATENEMPFANG, &QTimer::timeout, &loop, &QEventLoop::quit);
            loop.exec();
            reassert();
            sinceEvents.restart();
        }
        Timer_WAIT_DATENEMPFANG.stop();
        const int b = m_port.readByte();
        EMPFANGSBYTE = static_cast<quint8>(b < 0 ? 0 : b);
        ++counter;
        m_bytesRead = counter;
        if (anzahl > 1)
            EMPFANGSPUFFER[counter] = EMPFANGSBYTE;
    }
    EMPFANGSWERT_32 = empfangswert32(EMPFANGSPUFFER.data());
    STATUS_CODE = STATUS_OK;
    STATUS_TEXT = tr("ok");
}

void Link::pause(QTimer& timer) {
    timer.start();
    while (timer.isActive()) {
        QEventLoop loop;
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

void Link::WARTEN_200MS() {
    pause(Timer_WAIT_200ms);
}
void Link::WARTEN_1S() {
    pause(Timer_WAIT_1s);
}

} // namespace zelmar
