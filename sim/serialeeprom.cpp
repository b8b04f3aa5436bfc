#include "serialeeprom.h"

namespace zelmar::sim {

SerialEeprom::SerialEeprom(const Config& config)
    : m_config(config), m_memory(config.size, static_cast<char>(config.fill)) {
    if (m_config.pageSize < 1)
        m_config.pageSize = 1;
}

SerialEeprom::Config SerialEeprom::large(int address) {
    Config c;
    c.address = address;
    return c;
}

SerialEeprom::Config SerialEeprom::small(int address) {
    Config c;
    c.address = address;
    c.size = 128;
    c.pageSize = 8;
    c.addressBytes = 1;
    return c;
}

void SerialEeprom::setStuck(int cell, bool on) {
    if (on)
        m_config.stuck.insert(cell);
    else
        m_config.stuck.remove(cell);
}

QString SerialEeprom::kind() const {
    return m_config.size >= 1024 ? QStringLiteral("eeprom%1k").arg(m_config.size / 1024)
                                 : QStringLiteral("eeprom%1").arg(m_config.size);
}

bool SerialEeprom::addressed(bool read, qint64 t) {
    if (!m_powered || busy(t))
        return false; // acknowledge polling: silent until the write cycle is over
    m_writing = !read;
    m_addressBytesSeen = 0;
    m_dataBytes = 0;
    m_staged.clear();
    return true;
}

bool SerialEeprom::write(quint8 byte, qint64) {
    if (!m_writing)
        return false;
    if (m_addressBytesSeen < m_config.addressBytes) {
        if (m_addressBytesSeen == 0)
            m_pointer = m_config.addressBytes == 2 ? byte << 8 : byte;
        else
            m_pointer = (m_pointer & 0xFF00) | byte;
        m_pointer %= m_config.size;
        ++m_addressBytesSeen;
        if (m_addressBytesSeen == m_config.addressBytes) {
            m_pageBase = m_pointer - m_pointer % m_config.pageSize;
            m_pageOffset = m_pointer - m_pageBase;
        }
        return true;
    }
    if (m_config.writeProtected)
        return false;
    const int offset = (m_pageOffset + m_dataBytes) % m_config.pageSize;
    m_staged[m_pageBase + offset] = byte;
    ++m_dataBytes;
    return true;
}

quint8 SerialEeprom::read(bool, qint64) {
    const quint8 v = static_cast<quint8>(m_memory.at(m_pointer));
    m_pointer = (m_pointer + 1) % m_config.size;
    return v;
}

void SerialEeprom::end(End how, qint64 t) {
    if (how == End::Stop && m_writing && !m_staged.isEmpty()) {
        for (auto it = m_staged.cbegin(); it != m_staged.cend(); ++it)
            if (!m_config.stuck.contains(it.key()))
                m_memory[it.key()] = static_cast<char>(it.value());
        m_pointer = m_pageBase + (m_pageOffset + m_dataBytes) % m_config.pageSize;
        m_busyUntil = t + m_config.writeCycleUs;
        ++m_cycles;
    }
    // Without a STOP (repeated START, lines let go) the page buffer is thrown away.
    m_staged.clear();
    m_writing = false;
}

void SerialEeprom::powerOff(qint64) {
    m_powered = false;
    m_staged.clear();
    m_writing = false;
}

void SerialEeprom::powerOn(qint64) {
    m_powered = true;
}

} // namespace zelmar::sim
