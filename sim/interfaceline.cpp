#include "interfaceline.h"

#include <algorithm>
#include <cmath>

namespace zelmar::sim {

InterfaceLine::InterfaceLine(InterfaceFirmware& firmware) : m_fw(firmware) {}

QList<LineChunk> InterfaceLine::pcWrites(const QByteArray& bytes, const LineSettings& pc,
                                         qint64 now, bool afterReplies) {
    if (m_faults.silent || bytes.isEmpty())
        return {};
    qint64 start = std::max(now, m_rxFree);
    if (afterReplies)
        start = std::max(start, m_txFree);
    const QList<LineByte> rx = transcode(bytes, start, pc, m_fw.config().uart);
    m_rxFree = start + std::llround(bytes.size() * pc.characterUs());
    for (const LineByte& b : rx) {
        if (b.error)
            m_fw.receiveError(b.atUs);
        else
            m_fw.receive(b.value, b.atUs);
    }
    return drain(pc);
}

QList<LineChunk> InterfaceLine::injectToInterface(const QByteArray& bytes, qint64 now) {
    if (m_faults.silent || bytes.isEmpty())
        return {};
    const LineSettings& uart = m_fw.config().uart;
    const qint64 start = std::max(now, m_rxFree);
    const QList<LineByte> rx = transcode(bytes, start, uart, uart);
    m_rxFree = start + std::llround(bytes.size() * uart.characterUs());
    for (const LineByte& b : rx)
        m_fw.receive(b.value, b.atUs);
    return drain(uart);
}

LineChunk InterfaceLine::injectToPc(const QByteArray& bytes, qint64 now) {
    LineChunk c{bytes, std::max(now, m_txFree)};
    const double charUs = m_fw.config().uart.characterUs();
    for (int i = 0; i < bytes.size(); ++i)
        if (m_txObserver)
            m_txObserver(static_cast<quint8>(bytes.at(i)), c.startUs + std::llround(i * charUs),
                         Fate::Garbage);
    m_txFree = c.startUs + std::llround(bytes.size() * charUs);
    return c;
}

void InterfaceLine::put(QList<LineChunk>& chunks, quint8 value, qint64 start) {
    const qint64 charUs = std::llround(m_fw.config().uart.characterUs());
    if (chunks.isEmpty() || chunks.last().startUs + chunks.last().bytes.size() * charUs != start)
        chunks.append({QByteArray(), start});
    chunks.last().bytes.append(static_cast<char>(value));
}

QList<LineChunk> InterfaceLine::drain(const LineSettings& pc) {
    const QList<TxByte> out = m_fw.takeOutput();
    const qint64 charUs = std::llround(m_fw.config().uart.characterUs());
    QList<LineChunk> chunks;
    for (int i = 0; i < out.size(); ++i) {
        const TxByte& b = out.at(i);
        const qint64 start = std::max(b.readyUs, m_txFree);
        m_txFree = start + charUs;
        ++m_txCount;
        Fate fate = Fate::Sent;
        quint8 v = b.value;
        if (m_faults.dropEvery > 0 && m_txCount % m_faults.dropEvery == 0) {
            fate = Fate::Dropped;
        } else if (m_faults.corruptEvery > 0 && m_txCount % m_faults.corruptEvery == 0) {
            fate = Fate::Corrupted;
            v ^= m_faults.corruptMask;
        }
        if (m_txObserver)
            m_txObserver(b.value, start, fate);
        if (fate != Fate::Dropped)
            put(chunks, v, start);
        const bool replyEnds = i + 1 == out.size() || out.at(i + 1).reply != b.reply;
        if (replyEnds && m_faults.garbageEvery > 0 && ++m_replyCount % m_faults.garbageEvery == 0) {
            for (char g : m_faults.garbage) {
                if (m_txObserver)
                    m_txObserver(static_cast<quint8>(g), m_txFree, Fate::Garbage);
                put(chunks, static_cast<quint8>(g), m_txFree);
                m_txFree += charUs;
            }
        }
    }
    const LineSettings& uart = m_fw.config().uart;
    if (pc == uart)
        return chunks;
    // A PC set differently makes its own sense of the waveform; bytes it cannot frame it
    // reads as 0.
    for (LineChunk& c : chunks) {
        QByteArray seen;
        for (const LineByte& b : transcode(c.bytes, c.startUs, uart, pc))
            seen.append(b.error ? '\0' : static_cast<char>(b.value));
        c.bytes = seen;
    }
    chunks.erase(std::remove_if(chunks.begin(), chunks.end(),
                                [](const LineChunk& c) { return c.bytes.isEmpty(); }),
                 chunks.end());
    return chunks;
}

} // namespace zelmar::sim
