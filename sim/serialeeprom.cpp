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

std::optional<SerialEeprom::Config> SerialEeprom::family(const QString& name, int address) {
    // The simulator's own description of the family, apart from the program's table: a wrong
    // entry there shows up against this one.
    struct Entry {
        const char* name;
        int size, page, addressBytes, blockBits;
    };
    static const Entry entries[] = {
        {"24C01", 128, 8, 1, 0},         {"24C02", 256, 8, 1, 0},
        {"24C04", 2 * 256, 16, 1, 1},    {"24C08", 4 * 256, 16, 1, 2},
        {"24C16", 8 * 256, 16, 1, 3},    {"24C32", 4 * 1024, 32, 2, 0},
        {"24C64", 8 * 1024, 32, 2, 0},   {"24C128", 16 * 1024, 64, 2, 0},
        {"24C256", 32 * 1024, 64, 2, 0}, {"24C512", 64 * 1024, 128, 2, 0},
        {"24M01", 2 * 65536, 256, 2, 1}, {"24M02", 4 * 65536, 256, 2, 2},
    };
    for (const Entry& e : entries) {
        if (name.compare(QLatin1String(e.name), Qt::CaseInsensitive) != 0)
            continue;
        Config c;
        c.address = address;
        c.size = e.size;
        c.pageSize = e.page;
        c.addressBytes = e.addressBytes;
        c.blockBits = e.blockBits;
        c.family = QLatin1String(e.name);
        return c;
    }
    return std::nullopt;
}

QStringList SerialEeprom::familyNames() {
    QStringList n;
    for (const char* name : {"24C01", "24C02", "24C04", "24C08", "24C16", "24C32", "24C64",
                             "24C128", "24C256", "24C512", "24M01", "24M02"})
        n << QLatin1String(name);
    return n;
}

bool SerialEeprom::answersAt(int address) const {
    const int first = m_config.address & ~((1 << m_config.blockBits) - 1);
    return address >= first && address < first + (1 << m_config.blockBits);
}

void SerialEeprom::selectedAt(int address) {
    m_block = address - (m_config.address & ~((1 << m_config.blockBits) - 1));
}

void SerialEeprom::setStuck(int cell, bool on) {
    if (on)
        m_config.stuck.insert(cell);
    else
        m_config.stuck.remove(cell);
}

QString SerialEeprom::kind() const {
    if (!m_config.family.isEmpty())
        return m_config.family;
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
        const int blockSize = m_config.size >> m_config.blockBits;
        if (m_addressBytesSeen == 0)
            m_inner = m_config.addressBytes == 2 ? byte << 8 : byte;
        else
            m_inner = (m_inner & 0xFF00) | byte;
        // Address bits beyond the chip are not looked at.
        m_pointer = m_block * blockSize + m_inner % blockSize;
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
