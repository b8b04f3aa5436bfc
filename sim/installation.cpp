#include "installation.h"

#include <algorithm>

namespace zelmar::sim {

Installation::Installation(const Scenario& scenario, SimClock& clock, const QDateTime& wallClock)
    : m_scenario(scenario), m_clock(clock) {
    const qint64 t0 = clock.nowUs();
    const QDateTime now = wallClock.isValid() ? wallClock : QDateTime::currentDateTime();
    for (const DeviceConfig& d : scenario.devices) {
        std::unique_ptr<TwiDevice> dev;
        if (d.type == DeviceConfig::Type::Atmega8) {
            Atmega8Slave::Config c = d.slave;
            if (d.clock == QLatin1String("now"))
                c.clock = now;
            else if (d.clock == QLatin1String("reset"))
                c.clock = QDateTime();
            else
                c.clock = QDateTime::fromString(d.clock, Qt::ISODate);
            dev = std::make_unique<Atmega8Slave>(c, t0);
        } else {
            auto e = std::make_unique<SerialEeprom>(d.eeprom);
            for (auto it = d.contents.cbegin(); it != d.contents.cend(); ++it)
                e->memory().replace(it.key(), it.value().size(), it.value());
            dev = std::move(e);
        }
        dev->setOnline(d.online);
        m_bus.attach(dev.get());
        m_devices.push_back(std::move(dev));
    }
    m_bus.setSdaStuckLow(scenario.busFaults.sdaStuckLow);
    m_bus.setSclStuckLow(scenario.busFaults.sclStuckLow);
    m_firmware = std::make_unique<InterfaceFirmware>(m_bus, scenario.interface, t0);
    m_firmware->twi().setTwintStuck(scenario.busFaults.twintStuck);
    m_line = std::make_unique<InterfaceLine>(*m_firmware);
    m_line->faults() = scenario.lineFaults;
}

Installation::~Installation() = default;

QList<TwiDevice*> Installation::devices() const {
    QList<TwiDevice*> list;
    for (const auto& d : m_devices)
        list.append(d.get());
    return list;
}

TwiDevice* Installation::device(int address) const {
    for (const auto& d : m_devices)
        if (d->address() == address)
            return d.get();
    return nullptr;
}

Atmega8Slave* Installation::slave(int address) const {
    for (const auto& d : m_devices)
        if (auto* s = dynamic_cast<Atmega8Slave*>(d.get()); s && s->address() == address)
            return s;
    return nullptr;
}

SerialEeprom* Installation::eeprom(int address) const {
    for (const auto& d : m_devices)
        if (auto* e = dynamic_cast<SerialEeprom*>(d.get()); e && e->address() == address)
            return e;
    return nullptr;
}

bool Installation::setDeviceOnline(int address, bool online) {
    bool found = false;
    for (const auto& d : m_devices) {
        if (d->address() == address) {
            d->setOnline(online);
            found = true;
        }
    }
    return found;
}

QList<LineChunk> Installation::pcWrites(const QByteArray& bytes, const LineSettings& pc,
                                        bool afterReplies) {
    qint64 start = std::max(m_clock.nowUs(), m_line->rxFreeUs());
    if (afterReplies)
        start = std::max(start, m_line->txFreeUs());
    m_lastWriteStart = start;
    return m_line->pcWrites(bytes, pc, m_clock.nowUs(), afterReplies);
}

QList<LineChunk> Installation::injectToInterface(const QByteArray& bytes) {
    m_lastWriteStart = std::max(m_clock.nowUs(), m_line->rxFreeUs());
    return m_line->injectToInterface(bytes, m_clock.nowUs());
}

LineChunk Installation::injectToPc(const QByteArray& bytes) {
    return m_line->injectToPc(bytes, m_clock.nowUs());
}

} // namespace zelmar::sim
