#pragma once

#include "link/virtualserialport.h"
#include "sim/installation.h"

#include <QObject>

#include <memory>

namespace zelmar::sim {

// The simulated installation behind an in-process port: what the PC writes reaches the
// interface firmware, its replies come back through the port's event loop. The firmware
// keeps its own line time (10 bit times per byte at the port's settings), so the devices see
// the timing of a real line even when the port delivers without pacing; with pacing on the
// replies also arrive at line speed.
class VirtualInstallation : public QObject {
    Q_OBJECT
public:
    // With no clock given, a monotonic clock; tests pass a ManualClock for determinism.
    explicit VirtualInstallation(VirtualSerialPort& port,
                                 const Scenario& scenario = Scenario::demo(),
                                 SimClock* clock = nullptr, QObject* parent = nullptr);
    ~VirtualInstallation() override;

    Installation& installation() { return *m_installation; }
    InterfaceFirmware& firmware() { return m_installation->firmware(); }
    TwiBus& bus() { return m_installation->bus(); }
    TwiMaster& twi() { return m_installation->twi(); }
    LineFaults& faults() { return m_installation->lineFaults(); }
    SimClock& clock() { return m_installation->clock(); }
    TwiDevice* device(int address) const { return m_installation->device(address); }
    Atmega8Slave* slave(int address) const { return m_installation->slave(address); }
    SerialEeprom* eeprom(int address) const { return m_installation->eeprom(address); }
    bool setDeviceOnline(int address, bool online) {
        return m_installation->setDeviceOnline(address, online);
    }

    // Garbage on the line: towards the PC (arrives now) or towards the interface.
    void injectToPc(const QByteArray& bytes);
    void injectToInterface(const QByteArray& bytes);

private:
    void pcWrote(const QByteArray& bytes);
    void deliver(const QList<LineChunk>& chunks, qint64 reference);

    VirtualSerialPort& m_port;
    std::unique_ptr<SimClock> m_ownClock;
    std::unique_ptr<Installation> m_installation;
};

} // namespace zelmar::sim
