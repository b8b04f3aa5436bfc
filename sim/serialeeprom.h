#pragma once

#include "twibus.h"

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QStringList>

#include <optional>

namespace zelmar::sim {

// A serial EEPROM of the 24Cxx kind. One or two address bytes follow the device address on a
// write; data bytes then land in the page buffer, rolling over within the page, and the STOP
// starts the internal write cycle, during which the chip acknowledges nothing. Reads run on
// from the address pointer and wrap at the end of the memory. With write protection the
// address bytes are acknowledged and data bytes are not. A stuck cell takes its byte like any
// other and keeps its old value when the page is written. A chip larger than its address bytes
// reach takes the upper address bits from the device address ("block bits"): it answers at
// 2^blockBits consecutive addresses, one block each.
class SerialEeprom : public TwiDevice {
public:
    struct Config {
        int address = 80;
        int size = 65536;
        int pageSize = 128;
        int addressBytes = 2;
        int blockBits = 0;
        QString family; // "24C16": the name the scenario gave, empty when given by numbers
        qint64 writeCycleUs = 5000;
        bool writeProtected = false;
        quint8 fill = 0xFF;
        QSet<int> stuck; // cell addresses
    };

    explicit SerialEeprom(const Config& config);
    // The two parts of the installation.
    static Config large(int address); // 64 KiB, 128-byte pages, two address bytes
    static Config small(int address); // 128 bytes, 8-byte pages, one address byte
    // A chip of the family by its name ("24C16", case-insensitive): nullopt for a name the
    // simulator does not know.
    static std::optional<Config> family(const QString& name, int address);
    static QStringList familyNames();

    int address() const override { return m_config.address; }
    bool answersAt(int address) const override;
    void selectedAt(int address) override;
    QString kind() const override;

    const Config& config() const { return m_config; }
    QByteArray& memory() { return m_memory; }
    const QByteArray& memory() const { return m_memory; }
    void setWriteProtected(bool on) { m_config.writeProtected = on; }
    bool writeProtected() const { return m_config.writeProtected; }
    void setStuck(int cell, bool on);
    // In its internal write cycle at t.
    bool busy(qint64 t) const { return t < m_busyUntil; }
    int addressPointer() const { return m_pointer; }
    // Number of write cycles so far.
    int writeCycles() const { return m_cycles; }

    bool addressed(bool read, qint64 t) override;
    bool write(quint8 byte, qint64 t) override;
    quint8 read(bool masterAcks, qint64 t) override;
    void end(End how, qint64 t) override;
    void powerOff(qint64 t) override;
    void powerOn(qint64 t) override;

private:
    Config m_config;
    QByteArray m_memory;
    int m_pointer = 0;
    int m_block = 0; // the block the device address selected
    int m_inner = 0; // the address bytes as they came
    qint64 m_busyUntil = 0;
    bool m_powered = true;
    bool m_writing = false;
    int m_addressBytesSeen = 0;
    int m_pageBase = 0;
    int m_pageOffset = 0;
    int m_dataBytes = 0;
    QMap<int, quint8> m_staged; // page buffer: address -> byte
    int m_cycles = 0;
};

} // namespace zelmar::sim
