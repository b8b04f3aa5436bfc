#pragma once

#include "interfacefirmware.h"
#include "uart.h"

#include <QByteArray>
#include <QList>

#include <functional>

namespace zelmar::sim {

// Faults between the interface and the PC.
struct LineFaults {
    bool silent = false;  // the interface neither hears nor answers (unplugged, no supply)
    int dropEvery = 0;    // every n-th reply byte is lost on the line (0: never)
    int corruptEvery = 0; // every n-th reply byte arrives with bits flipped
    quint8 corruptMask = 0x5A;
    int garbageEvery = 0; // every n-th reply is followed by garbage bytes
    QByteArray garbage = QByteArray("\xA5\x5A", 2);
};

// Bytes that follow each other on the line without a gap, from startUs on.
struct LineChunk {
    QByteArray bytes;
    qint64 startUs = 0;
};

// The serial line between the PC and the interface: it gives every byte its time on the wire
// (both directions, at the baud rates set at either end), feeds the interface's UART and
// applies the line faults to what comes back.
class InterfaceLine {
public:
    // What became of a reply byte on its way to the PC.
    enum class Fate { Sent, Dropped, Corrupted, Garbage };
    using TxObserver = std::function<void(quint8 value, qint64 startUs, Fate fate)>;

    explicit InterfaceLine(InterfaceFirmware& firmware);

    // The PC wrote bytes at `now` with its line settings. With afterReplies the PC is taken to
    // have read everything answered so far first (it cannot have written earlier than that).
    // Returns the bytes the PC will receive.
    QList<LineChunk> pcWrites(const QByteArray& bytes, const LineSettings& pc, qint64 now,
                              bool afterReplies);
    // Noise on the wire towards the interface (clean characters at the interface's rate).
    QList<LineChunk> injectToInterface(const QByteArray& bytes, qint64 now);
    // Noise on the wire towards the PC.
    LineChunk injectToPc(const QByteArray& bytes, qint64 now);

    LineFaults& faults() { return m_faults; }
    qint64 rxFreeUs() const { return m_rxFree; }
    qint64 txFreeUs() const { return m_txFree; }
    void setTxObserver(TxObserver observer) { m_txObserver = std::move(observer); }

private:
    QList<LineChunk> drain(const LineSettings& pc);
    void put(QList<LineChunk>& chunks, quint8 value, qint64 start);

    InterfaceFirmware& m_fw;
    LineFaults m_faults;
    qint64 m_rxFree = 0;
    qint64 m_txFree = 0;
    quint64 m_txCount = 0;
    quint64 m_replyCount = 0;
    TxObserver m_txObserver;
};

} // namespace zelmar::sim
