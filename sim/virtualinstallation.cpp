#include "virtualinstallation.h"

#include <cmath>

namespace zelmar::sim {

VirtualInstallation::VirtualInstallation(VirtualSerialPort& port, const Scenario& scenario,
                                         SimClock* clock, QObject* parent)
    : QObject(parent), m_port(port) {
    if (!clock) {
        m_ownClock = std::make_unique<MonotonicClock>();
        clock = m_ownClock.get();
    }
    m_installation = std::make_unique<Installation>(scenario, *clock);
    m_port.setPeer([this](const QByteArray& bytes) { pcWrote(bytes); });
}

VirtualInstallation::~VirtualInstallation() {
    m_port.setPeer({});
}

void VirtualInstallation::deliver(const QList<LineChunk>& chunks, qint64 reference) {
    for (const LineChunk& c : chunks) {
        int delayMs = 0;
        if (m_port.pacing()) // the port adds the bytes' own line time
            delayMs = static_cast<int>(std::max<qint64>(0, (c.startUs - reference) / 1000));
        m_port.deliver(c.bytes, delayMs);
    }
}

void VirtualInstallation::pcWrote(const QByteArray& bytes) {
    const auto pc = LineSettings::parse(m_port.settings()).value_or(LineSettings());
    // Without pacing the PC reads each reply at once, so it writes after it on the line.
    const auto chunks = m_installation->pcWrites(bytes, pc, !m_port.pacing());
    deliver(chunks, m_installation->lastWriteStartUs());
}

void VirtualInstallation::injectToPc(const QByteArray& bytes) {
    m_port.deliver(m_installation->injectToPc(bytes).bytes, 0);
}

void VirtualInstallation::injectToInterface(const QByteArray& bytes) {
    const auto chunks = m_installation->injectToInterface(bytes);
    deliver(chunks, m_installation->lastWriteStartUs());
}

} // namespace zelmar::sim
