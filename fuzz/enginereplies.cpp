// The engine and the protocol modules over it, answered by a peer that replies to each frame
// with the fuzzer's next chunk of bytes, delivered in pieces split where the fuzzer chooses.
// Whatever comes back, every read ends with a known status, a successful read holds exactly
// the bytes the peer sent, and no operation waits once the peer has nothing more to say (the
// line is then pulled: the port closes and cannot be opened again).
#include "fuzzsupport.h"

#include "link/link.h"
#include "link/memory.h"
#include "link/standard.h"
#include "link/twiregisters.h"
#include "link/virtualserialport.h"

#include <QCoreApplication>
#include <QTimer>

using namespace zelmar;
using fuzz::check;

namespace {

bool knownStatus(qint16 code) {
    return code == STATUS_OK || code == STATUS_KEIN_ACK || code == STATUS_KEINE_DATEN ||
           refused(code);
}

struct Peer {
    VirtualSerialPort port;
    fuzz::Bytes* in = nullptr;
    QByteArray lastReply; // what the peer sent for the last frame
    bool stale = false;   // bytes of an earlier reply were still on their way

    Peer() {
        port.setSettings(QStringLiteral("256000,n,8,1"));
        port.setPeer([this](const QByteArray&) { answer(); });
    }
    // Time runs on the fuzzer's clock: once everything sent has arrived, a read that still
    // waits has waited out its time-out.
    void fastForward(Link& link) {
        if (link.Timer_WAIT_DATENEMPFANG.isActive() && port.isOpen() &&
            port.bytesAvailable() == 0 && port.pendingDeliveries() == 0) {
            link.Timer_WAIT_DATENEMPFANG.stop();
            emit port.readyRead(); // wakes the read, which finds its timer run out
        }
    }
    void answer() {
        lastReply.clear();
        stale = port.pendingDeliveries() > 0;
        if (in->empty()) {
            port.setOpenable(false);
            QTimer::singleShot(0, &port, [this] { port.close(); });
            return;
        }
        const QByteArray reply = in->chunk();
        lastReply = reply;
        // Pieces arrive as separate inputs, in order.
        int at = 0;
        const int pieces = 1 + in->byte() % 4;
        for (int p = 0; p < pieces && at < reply.size(); ++p) {
            const int n = p == pieces - 1 ? reply.size() - at
                                          : std::min<int>(reply.size() - at, 1 + in->byte() % 8);
            port.deliver(reply.mid(at, n));
            at += n;
        }
    }
};

// A raw transaction: a frame with the fuzzer's counts, then one read of n bytes.
void roh(Link& link, Peer& peer, fuzz::Bytes& in) {
    const int n = 1 + in.byte() % 40;
    link.RAHMEN_SENDEN(Request(in.byte(), in.byte() & 0x7F, 0, in.byte() % 8, n));
    if (link.refused())
        return;
    link.DATEN_EMPFANGEN(n);
    const QByteArray& sent = peer.lastReply;
    if (peer.stale) // late bytes of the last reply count as this one's, as on a real line
        return;
    if (link.STATUS_CODE == STATUS_OK) {
        check(sent.size() >= n, "a whole read has all its bytes");
        if (n > 1)
            check(QByteArray(reinterpret_cast<const char*>(link.EMPFANGSPUFFER.data() + 1), n) ==
                      sent.left(n),
                  "the buffer holds the bytes as sent");
        check(link.EMPFANGSBYTE == quint8(sent.at(n - 1)), "the last byte is the last sent");
    } else if (link.STATUS_CODE == STATUS_KEINE_DATEN && n > 1) {
        check(sent.size() < n, "a time-out only when bytes are missing");
        check(QByteArray(reinterpret_cast<const char*>(link.EMPFANGSPUFFER.data() + 1),
                         int(sent.size())) == sent,
              "bytes before a time-out are kept");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Bytes in(data, size);
    Peer peer;
    peer.in = &in;
    Link link(peer.port);
    link.setReplyTimeout(1);
    QTimer clock;
    clock.setInterval(0);
    QObject::connect(&clock, &QTimer::timeout, [&] { peer.fastForward(link); });
    clock.start();
    for (int op = 0; op < 12 && !in.empty(); ++op) {
        const int slave = in.byte() & 0x7F;
        switch (in.byte() % 11) {
        case 0:
            STANDARD_BEFEHL(link, slave, in.byte(), in.byte());
            break;
        case 1:
            check(SLAVE_INFO_LESEN(link, slave).size() <= 16, "a slave name has 16 characters");
            break;
        case 2:
            SLAVE_ZEIT_LESEN(link, slave);
            SLAVE_DATUM_LESEN(link, slave);
            break;
        case 3:
            MESSWERT_LESEN_120(link, slave);
            MESSWERT_LESEN_151(link, slave);
            break;
        case 4:
            SLAVE_SUCHEN(link, slave);
            break;
        case 5:
            if (EEPROM_ADRESSE_SETZEN(link, slave, in.byte() * 256, 2) == SpeicherAntwort::Ok)
                EEPROM_BLOCK_LESEN(link, slave, 1 + in.byte());
            break;
        case 6:
            if (SRAM_ZEIGER_SETZEN(link, slave, in.byte()) == SpeicherAntwort::Ok)
                SRAM_BLOCK_LESEN(link, slave, 1 + in.byte() % 64);
            break;
        case 7:
            if (REGISTER_ANFORDERN(link, slave) == SpeicherAntwort::Ok)
                REGISTER_DUMP_LESEN(link, slave);
            break;
        case 8:
            TWI_REGISTER_LESEN(link, slave, static_cast<TwiRegister>(in.byte() % 5));
            break;
        case 9:
            EEPROM_SEITE_SCHREIBEN(link, slave, in.chunk(32));
            break;
        default:
            roh(link, peer, in);
            break;
        }
        check(knownStatus(link.STATUS_CODE), "every operation ends with a known status");
        check(!link.busy(), "the engine is free after every operation");
    }
    return 0;
}
