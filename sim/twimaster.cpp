#include "twimaster.h"

#include <algorithm>
#include <cmath>

namespace zelmar::sim {

TwiMaster::TwiMaster(TwiBus& bus, quint32 cpuHz) : m_bus(bus), m_cpuHz(cpuHz) {}

void TwiMaster::hardwareReset(qint64 t) {
    if (m_master)
        m_bus.release(t);
    m_twbr = 0;
    m_status = 0xF8;
    m_prescaler = 0;
    m_twar = 0xFE;
    m_control = 0;
    m_twint = false;
    m_twdr = 0xFF;
    m_master = false;
    m_action = Action::None;
    m_actionEnd = -1;
}

double TwiMaster::bitUs() const {
    return 1e6 * (16.0 + 2.0 * m_twbr * std::pow(4.0, m_prescaler)) / m_cpuHz;
}

double TwiMaster::sclHz() const {
    return 1e6 / bitUs();
}

qint64 TwiMaster::duration(double bits) const {
    return std::max<qint64>(1, std::llround(bits * bitUs()));
}

// Whether the action in progress cannot finish now: a START or STOP needs both lines free,
// every clocked action needs SCL, and with the stuck fault TWINT never comes.
static bool blocked(bool startOrStop, bool setsTwint, bool stuck, const TwiBus& bus) {
    if (startOrStop && (bus.sdaStuckLow() || bus.sclStuckLow()))
        return true;
    if (bus.sclStuckLow())
        return true;
    return setsTwint && stuck;
}

void TwiMaster::settle(qint64 t) {
    if (m_action == Action::None || m_actionEnd > t)
        return;
    const bool startOrStop =
        m_action == Action::Start || m_action == Action::Stop || m_action == Action::StopStart;
    if (blocked(startOrStop, m_action != Action::Stop, m_stuck, m_bus))
        return;
    complete(m_actionEnd);
}

void TwiMaster::complete(qint64 te) {
    const Action a = m_action;
    m_action = Action::None;
    switch (a) {
    case Action::None:
        return;
    case Action::Start:
        m_bus.start(te);
        m_status = m_master ? 0x10 : 0x08;
        m_master = true;
        break;
    case Action::StopStart:
        if (m_master)
            m_bus.stop(te);
        m_control &= ~TWSTO;
        m_bus.start(te);
        m_master = true;
        m_status = 0x08;
        break;
    case Action::Stop:
        m_bus.stop(te);
        m_master = false;
        m_control &= ~TWSTO;
        m_status = 0xF8;
        return; // a STOP does not set TWINT
    case Action::Address: {
        const bool read = m_twdr & 1;
        // SDA held low reads as an acknowledge from nobody in particular.
        const bool ack = m_bus.address(m_twdr, sclHz(), te) || m_bus.sdaStuckLow();
        m_status = read ? (ack ? 0x40 : 0x48) : (ack ? 0x18 : 0x20);
        break;
    }
    case Action::Transmit: {
        const bool ack = m_bus.write(m_twdr, te) || m_bus.sdaStuckLow();
        m_status = ack ? 0x28 : 0x30;
        break;
    }
    case Action::Receive: {
        const bool ack = m_control & TWEA;
        m_twdr = m_bus.read(ack, te);
        if (m_bus.sdaStuckLow())
            m_twdr = 0;
        m_status = ack ? 0x50 : 0x58;
        break;
    }
    }
    m_twint = true;
}

void TwiMaster::begin(quint8 control, qint64 t) {
    if (m_action != Action::None)
        return; // the unit is busy: the new bits are in the register but start nothing
    const bool sta = control & TWSTA;
    const bool sto = control & TWSTO;
    double bits = 0;
    if (sta && sto) {
        m_action = m_master ? Action::StopStart : Action::Start;
        bits = m_master ? 2 : 1;
    } else if (sta) {
        m_action = Action::Start;
        bits = 1;
    } else if (sto) {
        if (!m_master) { // not on the bus: the STOP only resets the unit's state
            m_control &= ~TWSTO;
            m_status = 0xF8;
            return;
        }
        m_action = Action::Stop;
        bits = 1;
    } else if (m_master) {
        switch (m_status) {
        case 0x08:
        case 0x10:
            m_action = Action::Address;
            break;
        case 0x18:
        case 0x20:
        case 0x28:
        case 0x30:
            m_action = Action::Transmit;
            break;
        case 0x40:
        case 0x48:
        case 0x50:
        case 0x58:
            m_action = Action::Receive;
            break;
        default:
            return;
        }
        bits = 9; // eight data bits and the acknowledge
    } else {
        return; // not a master: the unit would wait to be addressed as a slave
    }
    m_actionEnd = t + duration(bits);
}

quint8 TwiMaster::read(Register r, qint64 t) {
    settle(t);
    switch (r) {
    case TWBR:
        return m_twbr;
    case TWSR:
        return m_status | m_prescaler;
    case TWAR:
        return m_twar;
    case TWCR:
        return (m_twint ? TWINT : 0) | m_control;
    case TWDR:
        return m_twdr;
    }
    return 0;
}

void TwiMaster::write(Register r, quint8 value, qint64 t) {
    settle(t);
    switch (r) {
    case TWBR:
        m_twbr = value;
        return;
    case TWSR: // only the prescaler bits can be written
        m_prescaler = value & 0x03;
        return;
    case TWAR:
        m_twar = value;
        return;
    case TWDR:
        if ((m_control & TWEN) && !m_twint) {
            m_control |= TWWC; // write collision: TWDR keeps its value
        } else {
            m_twdr = value;
            m_control &= ~TWWC;
        }
        return;
    case TWCR:
        break;
    }
    const bool clearFlag = value & TWINT;
    m_control = (value & ~(TWINT | TWWC)) | (m_control & TWWC);
    if (!(value & TWEN)) { // TWI off: every transfer ends, the lines are let go
        m_action = Action::None;
        if (m_master) {
            m_bus.release(t);
            m_master = false;
        }
        m_status = 0xF8;
        if (clearFlag)
            m_twint = false;
        return;
    }
    if (clearFlag) {
        m_twint = false;
        begin(value, t);
    }
}

qint64 TwiMaster::twintAt(qint64 t) {
    settle(t);
    if (m_twint)
        return t;
    if (m_action == Action::None || m_action == Action::Stop)
        return -1;
    if (blocked(m_action != Action::Address && m_action != Action::Transmit &&
                    m_action != Action::Receive,
                true, m_stuck, m_bus))
        return -1;
    return m_actionEnd;
}

qint64 TwiMaster::stopDoneAt(qint64 t) {
    settle(t);
    if (!(m_control & TWSTO))
        return t;
    if ((m_action != Action::Stop && m_action != Action::StopStart) ||
        blocked(true, false, false, m_bus))
        return -1;
    return m_actionEnd;
}

bool TwiMaster::ownsBus(qint64 t) {
    settle(t);
    return m_master;
}

bool TwiMaster::holdsSclLow(qint64 t) {
    settle(t);
    return m_master && m_twint && (m_control & TWEN);
}

bool TwiMaster::holdsSdaLow(qint64 t) {
    return holdsSclLow(t) && (m_status == 0x08 || m_status == 0x10);
}

} // namespace zelmar::sim
