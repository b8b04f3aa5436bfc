#include "twibus.h"

namespace zelmar::sim {

void TwiBus::attach(TwiDevice* device) {
    if (device && !m_devices.contains(device))
        m_devices.append(device);
}

void TwiBus::detach(TwiDevice* device) {
    m_devices.removeAll(device);
    m_selected.removeAll(device);
}

QList<TwiDevice*> TwiBus::devicesAt(int address) const {
    QList<TwiDevice*> found;
    for (TwiDevice* d : m_devices)
        if (d->answersAt(address))
            found.append(d);
    return found;
}

void TwiBus::setSupply(bool on, qint64 t) {
    if (on == m_powered)
        return;
    m_powered = on;
    m_selected.clear();
    for (TwiDevice* d : m_devices) {
        if (on)
            d->powerOn(t);
        else
            d->powerOff(t);
    }
}

void TwiBus::endTransfer(TwiDevice::End how, qint64 t) {
    const QList<TwiDevice*> ended = m_selected;
    m_selected.clear();
    for (TwiDevice* d : ended)
        d->end(how, t);
}

void TwiBus::start(qint64 t) {
    endTransfer(TwiDevice::End::RepeatedStart, t);
}

bool TwiBus::address(quint8 sla, double sclHz, qint64 t) {
    m_selected.clear();
    if (!m_powered)
        return false;
    const int address = sla >> 1;
    const bool read = sla & 1;
    bool ack = false;
    for (TwiDevice* d : m_devices) {
        if (!d->isOnline() || sclHz > d->maxSclHz())
            continue;
        const bool mine = address == 0 ? (!read && d->answersGeneralCall()) : d->answersAt(address);
        if (mine)
            d->selectedAt(address);
        if (mine && d->addressed(read, t)) {
            ack = true;
            m_selected.append(d);
        }
    }
    return ack;
}

bool TwiBus::write(quint8 byte, qint64 t) {
    bool ack = false;
    // A device that does not acknowledge has stopped listening for the rest of the transfer.
    for (auto it = m_selected.begin(); it != m_selected.end();) {
        if ((*it)->write(byte, t)) {
            ack = true;
            ++it;
        } else {
            (*it)->end(TwiDevice::End::Released, t);
            it = m_selected.erase(it);
        }
    }
    return ack;
}

quint8 TwiBus::read(bool masterAcks, qint64 t) {
    quint8 v = 0xFF; // nobody drives SDA: the pull-up reads as ones
    for (TwiDevice* d : m_selected)
        v &= d->read(masterAcks, t);
    if (!masterAcks) // after a not-acknowledge the transmitter lets go of SDA
        endTransfer(TwiDevice::End::Released, t);
    return v;
}

void TwiBus::stop(qint64 t) {
    endTransfer(TwiDevice::End::Stop, t);
}

void TwiBus::release(qint64 t) {
    endTransfer(TwiDevice::End::Released, t);
}

} // namespace zelmar::sim
