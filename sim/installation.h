#pragma once

#include "atmega8slave.h"
#include "interfacefirmware.h"
#include "interfaceline.h"
#include "scenario.h"
#include "serialeeprom.h"
#include "simclock.h"
#include "twibus.h"

#include <memory>
#include <vector>

namespace zelmar::sim {

// One simulated installation built from a scenario: the interface with its firmware, the bus
// and its devices, and the serial line to the PC, all on one clock. Used by the in-process
// port and by the zelmar-sim program alike.
class Installation {
public:
    // Slave clocks set to "now" start at `wallClock` (the current local time when invalid).
    Installation(const Scenario& scenario, SimClock& clock, const QDateTime& wallClock = {});
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    const Scenario& scenario() const { return m_scenario; }
    SimClock& clock() { return m_clock; }
    TwiBus& bus() { return m_bus; }
    InterfaceFirmware& firmware() { return *m_firmware; }
    TwiMaster& twi() { return m_firmware->twi(); }
    InterfaceLine& line() { return *m_line; }
    LineFaults& lineFaults() { return m_line->faults(); }

    QList<TwiDevice*> devices() const;
    // The first device at a 7-bit address, or null.
    TwiDevice* device(int address) const;
    Atmega8Slave* slave(int address) const;
    SerialEeprom* eeprom(int address) const;
    // Switches a device off or on (it stops or starts answering); false when there is none.
    bool setDeviceOnline(int address, bool online);

    // The PC's side of the line (see InterfaceLine), at the clock's current time.
    QList<LineChunk> pcWrites(const QByteArray& bytes, const LineSettings& pc, bool afterReplies);
    QList<LineChunk> injectToInterface(const QByteArray& bytes);
    LineChunk injectToPc(const QByteArray& bytes);
    // The time the PC's last write started on the line (the reference for reply delays).
    qint64 lastWriteStartUs() const { return m_lastWriteStart; }

private:
    Scenario m_scenario;
    SimClock& m_clock;
    TwiBus m_bus;
    std::vector<std::unique_ptr<TwiDevice>> m_devices;
    std::unique_ptr<InterfaceFirmware> m_firmware;
    std::unique_ptr<InterfaceLine> m_line;
    qint64 m_lastWriteStart = 0;
};

} // namespace zelmar::sim
