#include "virtualserialport.h"

#include <QElapsedTimer>
#include <QTimer>

#include <cmath>

namespace zelmar {

VirtualSerialPort::VirtualSerialPort(QObject* parent)
    : SerialPort(parent), m_timer(new QTimer(this)) {
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &VirtualSerialPort::arrive);
    m_clock.start();
}

bool VirtualSerialPort::setPortNumber(int number) {
    if (m_open || number < 1 || number > 17)
        return false;
    m_number = number;
    return true;
}

QString VirtualSerialPort::deviceName() const {
    return QStringLiteral("virtual:%1").arg(m_number);
}

bool VirtualSerialPort::setSettings(const QString& settings) {
    const auto parsed = parsePortSettings(settings);
    if (!parsed)
        return false;
    m_settings = *parsed;
    return true;
}

bool VirtualSerialPort::open() {
    if (!m_openable)
        return false;
    m_open = true;
    return true;
}

void VirtualSerialPort::close() {
    const bool wasOpen = m_open;
    m_open = false;
    m_input.clear();
    m_pending.clear();
    m_timer->stop();
    if (wasOpen)
        emit closed();
}

int VirtualSerialPort::readByte() {
    if (m_input.isEmpty())
        return -1;
    const int b = static_cast<quint8>(m_input.at(0));
    m_input.remove(0, 1);
    return b;
}

void VirtualSerialPort::discardInput() {
    m_input.clear();
}

bool VirtualSerialPort::write(const QByteArray& data) {
    if (!m_open)
        return false;
    m_written.append(data);
    if (m_peer)
        m_peer(data);
    return true;
}

double VirtualSerialPort::characterTimeUs() const {
    return 1e6 * m_settings.bitsPerCharacter() / m_settings.baud;
}

int VirtualSerialPort::pendingDeliveries() const {
    int n = 0;
    for (const Pending& p : m_pending)
        n += p.bytes.size();
    return n;
}

double VirtualSerialPort::nowMs() const {
    return m_clock.nsecsElapsed() / 1e6;
}

void VirtualSerialPort::deliver(const QByteArray& bytes, int delayMs) {
    if (!m_open || bytes.isEmpty())
        return;
    m_pending.append({bytes, nowMs() + std::max(0, delayMs)});
    scheduleNext();
}

void VirtualSerialPort::scheduleNext() {
    if (m_pending.isEmpty())
        return;
    double due = m_pending.first().startMs;
    if (m_pacing) // the first byte is complete one character time after it started
        due += characterTimeUs() / 1000.0;
    m_timer->start(static_cast<int>(std::max(0.0, std::ceil(due - nowMs()))));
}

void VirtualSerialPort::arrive() {
    const double now = nowMs();
    const double charMs = characterTimeUs() / 1000.0;
    bool arrived = false;
    while (!m_pending.isEmpty()) {
        Pending& p = m_pending.first();
        if (p.startMs > now)
            break;
        int n = p.bytes.size();
        if (m_pacing) // only the bytes whose last bit has been on the line
            n = static_cast<int>(std::min<double>(std::floor((now - p.startMs) / charMs), n));
        if (n == 0)
            break;
        m_input.append(p.bytes.left(n));
        p.bytes.remove(0, n);
        arrived = true;
        if (m_pacing)
            p.startMs += n * charMs;
        if (!p.bytes.isEmpty())
            break;
        const double lineFreeAt = p.startMs;
        m_pending.removeFirst();
        if (m_pacing && !m_pending.isEmpty() && m_pending.first().startMs < lineFreeAt)
            m_pending.first().startMs = lineFreeAt;
    }
    if (!m_pending.isEmpty())
        scheduleNext();
    if (arrived)
        emit readyRead();
}

} // namespace zelmar
