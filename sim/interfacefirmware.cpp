#include "interfacefirmware.h"

#include <algorithm>
#include <cmath>

namespace zelmar::sim {

namespace {
constexpr quint8 kTwint = TwiMaster::TWINT;
constexpr quint8 kTwen = TwiMaster::TWEN;

// A failed step reports the status it found; a bus error (0) must not read as success.
quint8 failure(quint8 status) {
    return status ? status : 0xF8;
}
} // namespace

InterfaceFirmware::InterfaceFirmware(TwiBus& bus, const InterfaceConfig& config, qint64 t0)
    : m_bus(bus), m_config(config), m_twi(bus, config.clockHz) {
    m_config.name = m_config.name.left(16).leftJustified(16, ' ');
    m_parser.onRequest = [this](const Request& r) { execute(r); };
    m_parser.onRejected = [this](RequestParser::Rejection why, qint64 t) {
        countError();
        if (m_observer)
            m_observer->requestRejected(why, t);
    };
    reset(t0, kPowerOnReset, 0);
}

void InterfaceFirmware::reset(qint64 at, quint8 cause, qint64 bootUs) {
    m_twi.hardwareReset(at);
    m_deafUntil = at + bootUs;
    m_cpuFree = m_deafUntil;
    m_parser.reset();
    m_errors = 0;
    m_cause = cause;
    m_twi.write(TwiMaster::TWBR, m_config.twbr, m_deafUntil);
    m_twi.write(TwiMaster::TWSR, m_config.prescaler, m_deafUntil);
    m_twi.write(TwiMaster::TWCR, kTwen, m_deafUntil);
    if (m_observer)
        m_observer->controllerReset(cause, at);
}

void InterfaceFirmware::externalReset(qint64 t) {
    reset(t, kExternalReset, kBootUs);
}

void InterfaceFirmware::powerCycle(qint64 t) {
    m_bus.setSupply(false, t);
    m_bus.setSupply(true, t + kSupplyOffUs);
    reset(t, kPowerOnReset, kSupplyOffUs + kBootUs);
}

void InterfaceFirmware::hang(qint64 t) {
    reset(t + kWatchdogUs, kWatchdogReset, kBootUs);
}

void InterfaceFirmware::countError() {
    if (m_errors < 255)
        ++m_errors;
}

void InterfaceFirmware::receive(quint8 byte, qint64 t) {
    if (t < m_deafUntil)
        return;
    m_parser.feed(byte, t);
}

void InterfaceFirmware::receiveError(qint64 t) {
    if (t < m_deafUntil)
        return;
    countError();
    if (m_observer)
        m_observer->uartError(t);
}

QList<TxByte> InterfaceFirmware::takeOutput() {
    QList<TxByte> out;
    out.swap(m_output);
    return out;
}

void InterfaceFirmware::out(quint8 byte, qint64 t) {
    m_output.append({byte, t, m_reply});
}

quint8 InterfaceFirmware::busLines(qint64 t) {
    const bool sda = m_bus.sdaStuckLow() || m_twi.holdsSdaLow(t);
    const bool scl = m_bus.sclStuckLow() || m_twi.holdsSclLow(t);
    return (sda ? 1 : 0) | (scl ? 2 : 0);
}

quint8 InterfaceFirmware::voltage(qint64 t) const {
    // The board's input supply, in tenths of a volt, with a little ripple of the mains adapter.
    const double v = m_config.supplyVolts + 0.1 * std::sin(2 * 3.14159265358979 * t / 600e6);
    return static_cast<quint8>(std::clamp<long>(std::lround(v * 10), 0, 255));
}

bool InterfaceFirmware::step(quint8 control, qint64& t, quint8& status) {
    m_twi.write(TwiMaster::TWCR, control, t);
    const qint64 done = m_twi.twintAt(t);
    if (done < 0)
        return false;
    t = std::max(t, done) + kRegisterUs;
    status = m_twi.read(TwiMaster::TWSR, t) & 0xF8;
    return true;
}

bool InterfaceFirmware::stopBus(qint64& t) {
    m_twi.write(TwiMaster::TWCR, kTwint | TwiMaster::TWSTO | kTwen, t);
    const qint64 done = m_twi.stopDoneAt(t);
    if (done < 0)
        return false;
    t = std::max(t, done) + kRegisterUs;
    m_twi.read(TwiMaster::TWCR, t); // the loop's last poll sees TWSTO clear
    return true;
}

// The data bytes of a transmitter transfer, up to the first one not acknowledged; `overall`
// gets that byte's failure status. False when the bus hangs.
bool InterfaceFirmware::sendData(const QByteArray& data, qint64& t, quint8& overall) {
    quint8 s = 0;
    for (char b : data) {
        m_twi.write(TwiMaster::TWDR, static_cast<quint8>(b), t);
        if (!step(kTwint | kTwen, t, s))
            return false;
        if (s != 0x28) {
            overall = failure(s);
            break;
        }
    }
    return true;
}

// Commands 50 and 60: START (or repeated START), address with write bit, the data bytes.
// Status bytes: the address phase, then the whole transfer; 0 = acknowledged.
bool InterfaceFirmware::transmit(const Request& r, bool stop, qint64& t) {
    quint8 s = 0;
    quint8 first = 0;
    quint8 overall = 0;
    if (!step(kTwint | TwiMaster::TWSTA | kTwen, t, s))
        return false;
    if (s != 0x08 && s != 0x10) {
        first = overall = failure(s);
    } else {
        m_twi.write(TwiMaster::TWDR, static_cast<quint8>((r.address & 0x7F) << 1), t);
        if (!step(kTwint | kTwen, t, s))
            return false;
        if (s != 0x18) {
            first = overall = failure(s);
        } else if (!sendData(r.data, t, overall)) {
            return false;
        }
    }
    if (stop && !stopBus(t))
        return false;
    out(first, t);
    out(overall, t);
    return true;
}

// Command 65: more data bytes in the transfer a command 60 left open.
bool InterfaceFirmware::moreData(const Request& r, qint64& t) {
    const quint8 s0 = m_twi.read(TwiMaster::TWSR, t) & 0xF8;
    const bool waiting = m_twi.read(TwiMaster::TWCR, t) & kTwint;
    if (!waiting || (s0 != 0x18 && s0 != 0x20 && s0 != 0x28 && s0 != 0x30)) {
        out(failure(s0), t); // no transfer open to send into
        out(failure(s0), t);
        return true;
    }
    quint8 overall = 0;
    if (!sendData(r.data, t, overall))
        return false;
    out(0, t);
    out(overall, t);
    return true;
}

// Command 80: START, address with read bit, m bytes (all acknowledged but the last), STOP.
// Reply: the address phase's status, the m bytes (0xFF where nobody sent), the status of
// the data phase: a failed address phase shows in the first status byte only.
bool InterfaceFirmware::receiveFromSlave(const Request& r, qint64& t) {
    const int m = r.receiveCount;
    quint8 s = 0;
    quint8 lead = 0;
    if (!step(kTwint | TwiMaster::TWSTA | kTwen, t, s))
        return false;
    if (s != 0x08 && s != 0x10) {
        lead = failure(s);
    } else {
        m_twi.write(TwiMaster::TWDR, static_cast<quint8>((r.address & 0x7F) << 1 | 1), t);
        if (!step(kTwint | kTwen, t, s))
            return false;
        if (s != 0x40)
            lead = failure(s);
    }
    out(lead, t);
    quint8 trail = 0;
    if (lead == 0) {
        for (int i = 0; i < m; ++i) {
            const bool last = i == m - 1;
            if (!step(last ? (kTwint | kTwen) : (kTwint | TwiMaster::TWEA | kTwen), t, s))
                return false;
            out(m_twi.read(TwiMaster::TWDR, t), t);
            if (s != (last ? 0x58 : 0x50) && trail == 0)
                trail = failure(s);
        }
    } else {
        for (int i = 0; i < m; ++i)
            out(0xFF, t);
    }
    if (!stopBus(t))
        return false;
    out(trail, t);
    return true;
}

void InterfaceFirmware::execute(const Request& r) {
    qint64 t = std::max(r.endUs, m_cpuFree) + kCommandUs;
    ++m_reply;
    ++m_executed;
    if (m_observer)
        m_observer->requestReceived(r, t);
    bool alive = true;
    switch (r.command) {
    case 0:
        out(0, t);
        break;
    case 1:
        out(m_cause, t);
        break;
    case 2:
        m_cause = 0;
        out(0, t);
        break;
    case 3:
        out(voltage(t), t);
        break;
    case 4:
        for (char c : m_config.name)
            out(static_cast<quint8>(c), t);
        break;
    case 5:
        m_twi.write(TwiMaster::TWCR, 0, t);
        out(0, t);
        break;
    case 8:
        out(busLines(t), t);
        break;
    case 9: // slave supply off and on again; the TWI lets go of the bus meanwhile
        m_twi.write(TwiMaster::TWCR, 0, t);
        m_bus.setSupply(false, t);
        t += kSupplyOffUs;
        m_bus.setSupply(true, t);
        m_twi.write(TwiMaster::TWCR, kTwen, t);
        out(0, t);
        break;
    case 10: // answer first, restart once the byte has left the UART
        out(0, t);
        m_cpuFree = t;
        reset(t + std::llround(m_config.uart.characterUs()), kSoftwareReset, kRestartUs);
        return;
    case 11: { // the board switches its own supply: a power-on reset for all of it
        out(0, t);
        const qint64 off = t + std::llround(m_config.uart.characterUs());
        m_cpuFree = t;
        powerCycle(off);
        return;
    }
    case 12:
        for (int i = 0; i < 4; ++i)
            out(static_cast<quint8>(m_config.clockHz >> (8 * i)), t);
        break;
    case 15:
        out(m_errors, t);
        m_errors = 0;
        break;
    case 20:
    case 21:
    case 22:
    case 23:
    case 24:
        out(m_twi.read(static_cast<TwiMaster::Register>(r.command - 20), t), t);
        break;
    case 30:
    case 31:
    case 32:
    case 33:
    case 34:
        m_twi.write(static_cast<TwiMaster::Register>(r.command - 30), r.value, t);
        out(0, t);
        break;
    case 50:
        alive = transmit(r, true, t);
        break;
    case 60:
        alive = transmit(r, false, t);
        break;
    case 65:
        alive = moreData(r, t);
        break;
    case 80:
        alive = receiveFromSlave(r, t);
        break;
    case 100:
        alive = stopBus(t);
        if (alive) {
            out(0, t);
            out(0, t);
        }
        break;
    default:
        countError();
        if (m_observer)
            m_observer->unknownCommand(r.command, t);
        break;
    }
    if (!alive) {
        hang(t);
        return;
    }
    m_cpuFree = t;
}

} // namespace zelmar::sim
