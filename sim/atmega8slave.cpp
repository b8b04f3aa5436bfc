#include "atmega8slave.h"

#include <cmath>

namespace zelmar::sim {

namespace {

int daysIn(int month, int yy) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 31;
    if (month == 2 && QDate::isLeapYear(2000 + yy))
        return 29;
    return days[month - 1];
}

quint32 mix(quint32 x) {
    x ^= x >> 16;
    x *= 0x45d9f3bU;
    x ^= x >> 16;
    return x;
}

} // namespace

Atmega8Slave::Atmega8Slave(const Config& config, qint64 t0)
    : m_config(config), m_mem(kDataSpaceSize, '\0') {
    m_config.name = m_config.name.left(16).leftJustified(16, ' ');
    m_eepromSwitch = config.switchByte;
    m_eepromSaving = config.saving;
    boot(t0, 6, false, t0);
    setClock(config.clock, t0);
}

int Atmega8Slave::address() const {
    return mem(kTWAR) >> 1;
}

bool Atmega8Slave::answersGeneralCall() const {
    return mem(kTWAR) & 1;
}

void Atmega8Slave::boot(qint64 t, quint8 cause, bool keepClock, qint64 upAt) {
    QByteArray clockRegs = m_mem.mid(kSeconds, 6);
    m_mem.fill('\0');
    const quint32 seed = static_cast<quint32>(m_config.address) * 131U;
    for (int r = 8; r < 26; ++r) // left-overs of the main loop's work
        mem(r) = static_cast<quint8>(mix(seed + r));
    mem(26) = kRequest; // X: request buffer
    mem(28) = 0x57;     // Y: frame pointer
    mem(29) = 0x04;
    mem(kZL) = kName;
    mem(kTWAR) = static_cast<quint8>(m_config.address << 1 | (m_config.generalCall ? 1 : 0));
    mem(kTWSR) = 0xF8;
    mem(kTWDR) = 0xFF;
    mem(kTWCR) = 0x45; // TWEA | TWEN | TWIE: listening
    mem(kMCUCSR) = cause;
    mem(kSPL) = 0x57;
    mem(kSPH) = 0x04;
    mem(kSREG) = 0x80;
    for (int a = 0x458; a < kDataSpaceSize; ++a) // return addresses on the stack
        mem(a) = static_cast<quint8>(mix(seed + a) & 0x0F);
    for (int i = 0; i < 16; ++i)
        mem(kName + i) = static_cast<quint8>(m_config.name.at(i));
    mem(kSwitch) = m_eepromSwitch;
    mem(kSaving) = m_eepromSaving;
    if (keepClock) {
        m_mem.replace(kSeconds, 6, clockRegs);
    } else {
        mem(kSeconds + 3) = 1; // 00:00:00 on 01.01.00
        mem(kSeconds + 4) = 1;
        m_secondStart = static_cast<double>(upAt);
    }
    m_upAt = upAt;
    m_resetAt = -1;
    m_nextMeasure = upAt;
    m_writing = false;
    m_requestLength = 0;
    m_replyLength = 0;
    m_readIndex = 0;
    m_dataMode = false;
    Q_UNUSED(t);
}

void Atmega8Slave::tickSecond() {
    quint8* c = reinterpret_cast<quint8*>(m_mem.data()) + kSeconds;
    if (++c[0] < 60)
        return;
    c[0] = 0;
    if (++c[1] < 60)
        return;
    c[1] = 0;
    if (++c[2] < 24)
        return;
    c[2] = 0;
    if (++c[3] <= daysIn(c[4], c[5]))
        return;
    c[3] = 1;
    if (++c[4] <= 12)
        return;
    c[4] = 1;
    c[5] = static_cast<quint8>((c[5] + 1) % 100);
}

void Atmega8Slave::advance(qint64 t) {
    if (m_resetAt >= 0 && t >= m_resetAt) {
        const qint64 at = m_resetAt;
        advance(at - 1); // the clock up to the reset
        boot(at, 8, m_config.batteryClock, at + kBootUs);
    }
    if (!m_powered)
        return;
    const double second = secondUs();
    const double elapsed = t - m_secondStart;
    if (elapsed >= second) {
        auto n = static_cast<qint64>(std::floor(elapsed / second));
        m_secondStart += n * second;
        const QDateTime now = clock(t - 1);
        if (n > 120 && now.isValid()) { // long jumps by calendar arithmetic
            const double start = m_secondStart;
            setClock(now.addSecs(n), 0);
            m_secondStart = start;
        } else {
            for (; n > 0; --n)
                tickSecond();
        }
    }
    if (t >= m_nextMeasure && t >= m_upAt) {
        measure(t);
        m_nextMeasure = (t / 1000000 + 1) * 1000000;
    }
}

void Atmega8Slave::measure(qint64 t) {
    static const int codes[10] = {120, 121, 122, 123, 124, 150, 151, 152, 153, 154};
    const QDateTime now = clock(t);
    ValueContext ctx;
    ctx.seconds = t / 1e6;
    ctx.date = now.date();
    ctx.time = now.time();
    ctx.saving = mem(kSaving) != 0;
    for (int i = 0; i < 10; ++i) {
        const auto it = m_config.values.constFind(codes[i]);
        if (it == m_config.values.cend())
            continue;
        ctx.seed = static_cast<quint32>(m_config.address * 1000 + codes[i]);
        // A 16-bit value fills two bytes of its slot; the reply still carries the third as
        // it stands, never a copy of the sign.
        const int bits = m_config.sixteenBit.contains(codes[i]) ? 16 : 24;
        const auto v = evaluateValue(*it, m_config.room, m_config.site, ctx, bits);
        for (int k = 0; k < bits / 8; ++k)
            mem(kValues + 3 * i + k) = v[k];
    }
    // The first value's raw conversion stays in the ADC registers and R24:R25.
    mem(kADCL) = mem(kValues);
    mem(kADCH) = mem(kValues + 1) & 0x03;
    mem(24) = mem(kValues);
    mem(25) = mem(kValues + 1);
}

QDateTime Atmega8Slave::clock(qint64) {
    const quint8* c = reinterpret_cast<const quint8*>(m_mem.constData()) + kSeconds;
    const QDate d(2000 + c[5], c[4], c[3]);
    const QTime tm(c[2], c[1], c[0]);
    if (!d.isValid() || !tm.isValid())
        return {};
    return QDateTime(d, tm);
}

void Atmega8Slave::setClock(const QDateTime& dt, qint64 t) {
    if (dt.isValid()) {
        mem(kSeconds) = static_cast<quint8>(dt.time().second());
        mem(kSeconds + 1) = static_cast<quint8>(dt.time().minute());
        mem(kSeconds + 2) = static_cast<quint8>(dt.time().hour());
        mem(kSeconds + 3) = static_cast<quint8>(dt.date().day());
        mem(kSeconds + 4) = static_cast<quint8>(dt.date().month());
        mem(kSeconds + 5) = static_cast<quint8>(dt.date().year() % 100);
    }
    m_secondStart = static_cast<double>(t);
}

QByteArray Atmega8Slave::dataSpace(qint64 t) {
    advance(t);
    return m_mem;
}

quint8 Atmega8Slave::peek(int address, qint64 t) {
    advance(t);
    return address >= 0 && address < kDataSpaceSize ? mem(address) : 0;
}

void Atmega8Slave::poke(int address, quint8 value, qint64 t) {
    advance(t);
    if (address >= 0 && address < kDataSpaceSize)
        mem(address) = value;
}

QByteArray Atmega8Slave::name() const {
    return m_mem.mid(kName, 16);
}

quint8 Atmega8Slave::switchByte() const {
    return mem(kSwitch);
}

bool Atmega8Slave::saving() const {
    return mem(kSaving) != 0;
}

quint8 Atmega8Slave::lastError() const {
    return mem(kLastError);
}

int Atmega8Slave::errorCount() const {
    return mem(kErrorCount) | mem(kErrorCount + 1) << 8;
}

quint8 Atmega8Slave::resetCause() const {
    return mem(kMCUCSR);
}

bool Atmega8Slave::booting(qint64 t) {
    advance(t);
    return t < m_upAt;
}

void Atmega8Slave::setValue(int code, const ValueSource& source) {
    m_config.values.insert(code, source);
    m_nextMeasure = 0; // measure again at the next access
}

std::array<quint8, 3> Atmega8Slave::value(int code, qint64 t) {
    advance(t);
    const int slot = code >= 150 ? 5 + code - 150 : code - 120;
    if (slot < 0 || slot > 9)
        return {0, 0, 0};
    return {mem(kValues + 3 * slot), mem(kValues + 3 * slot + 1), mem(kValues + 3 * slot + 2)};
}

void Atmega8Slave::fail(Error e) {
    mem(kLastError) = e;
    const int n = std::min(errorCount() + 1, 0xFFFF);
    mem(kErrorCount) = static_cast<quint8>(n);
    mem(kErrorCount + 1) = static_cast<quint8>(n >> 8);
}

void Atmega8Slave::reply(const QByteArray& bytes) {
    m_replyLength = std::min<int>(bytes.size(), 33);
    m_mem.replace(kReply, m_replyLength, bytes.left(m_replyLength));
    m_dataMode = false;
}

void Atmega8Slave::process(qint64 t) {
    const quint8 code = mem(kRequest);
    const quint8 p1 = mem(kRequest + 1);
    const quint8 p2 = mem(kRequest + 2);
    const quint8 p3 = mem(kRequest + 3);
    auto four = [code](int a, int b, int c) {
        QByteArray r(4, '\0');
        r[0] = static_cast<char>(code);
        r[1] = static_cast<char>(a);
        r[2] = static_cast<char>(b);
        r[3] = static_cast<char>(c);
        return r;
    };
    const int clock = kSeconds;
    switch (code) {
    case 0:
        reply(four(0, 0, 0));
        break;
    case 10: // the watchdog restarts the controller shortly after the reply is ready
        reply(four(0, 0, 0));
        m_resetAt = t + kWatchdogUs;
        break;
    case 15:
        mem(kLastError) = 0;
        mem(kErrorCount) = 0;
        mem(kErrorCount + 1) = 0;
        reply(four(0, 0, 0));
        break;
    case 20:
    case 21:
        mem(kSaving) = code == 20;
        m_eepromSaving = code == 20;
        m_nextMeasure = 0;
        reply(four(mem(kSaving), 0, 0));
        break;
    case 100:
        reply(QByteArray(1, static_cast<char>(code)) + name());
        break;
    case 101:
        reply(four(mem(kLastError), 0, 0));
        break;
    case 102:
        reply(four(mem(kErrorCount), mem(kErrorCount + 1), 0));
        break;
    case 105:
        reply(four(mem(clock + 3), mem(clock + 4), mem(clock + 5)));
        break;
    case 110:
        reply(four(mem(clock + 2), mem(clock + 1), mem(clock)));
        break;
    case 112:
        reply(QByteArray(1, static_cast<char>(code)) + m_mem.left(32));
        break;
    case 115:
        mem(kZL) = p1;
        mem(kZH) = p2;
        reply(four(p1, p2, 0));
        m_dataMode = true;
        break;
    case 119:
        reply(four(mem(kSwitch), 0, 0));
        break;
    case 120:
    case 121:
    case 122:
    case 123:
    case 124:
    case 150:
    case 151:
    case 152:
    case 153:
    case 154: {
        const auto v = value(code, t);
        reply(four(v[0], v[1], v[2]));
        break;
    }
    case 205:
        if (p1 >= 1 && p1 <= 31 && p2 >= 1 && p2 <= 12 && p3 <= 99) {
            mem(clock + 3) = p1;
            mem(clock + 4) = p2;
            mem(clock + 5) = p3;
        } else {
            fail(BadParameter);
        }
        reply(four(mem(clock + 3), mem(clock + 4), mem(clock + 5)));
        break;
    case 210:
        if (p1 < 24 && p2 < 60 && p3 < 60) {
            mem(clock + 2) = p1;
            mem(clock + 1) = p2;
            mem(clock) = p3;
            m_secondStart = static_cast<double>(t);
        } else {
            fail(BadParameter);
        }
        reply(four(mem(clock + 2), mem(clock + 1), mem(clock)));
        break;
    case 211:
        if (p1 < 32)
            mem(p1) = p2;
        else
            fail(BadParameter);
        reply(four(p1, p2, 0));
        break;
    case 215: {
        const int a = p1 | p2 << 8;
        if (a < kDataSpaceSize)
            mem(a) = p3;
        else
            fail(BadParameter);
        reply(four(p1, p2, p3));
        break;
    }
    case 219:
        mem(kSwitch) = p1;
        m_eepromSwitch = p1;
        reply(four(p1, 0, 0));
        break;
    default:
        fail(UnknownRequest);
        reply(four(0, 0, 0));
        break;
    }
}

bool Atmega8Slave::addressed(bool read, qint64 t) {
    advance(t);
    if (!m_powered || t < m_upAt)
        return false;
    if ((mem(kTWCR) & 0x44) != 0x44) // TWEN and TWEA: otherwise deaf to its address
        return false;
    m_writing = !read;
    if (read) {
        m_readIndex = 0;
        mem(kTWSR) = 0xA8;
    } else {
        m_requestLength = 0;
        mem(kTWSR) = 0x60;
    }
    return true;
}

bool Atmega8Slave::write(quint8 byte, qint64 t) {
    advance(t);
    if (!m_writing || m_requestLength >= 4)
        return false; // a request has four bytes; the fifth is not acknowledged
    mem(kRequest + m_requestLength++) = byte;
    mem(kTWDR) = byte;
    mem(kTWSR) = 0x80;
    if (m_requestLength == 4)
        process(t);
    return true;
}

quint8 Atmega8Slave::read(bool masterAcks, qint64 t) {
    advance(t);
    quint8 v = 0xFF;
    if (m_dataMode) {
        const int z = mem(kZL) | mem(kZH) << 8;
        v = z < kDataSpaceSize ? mem(z) : 0;
        const int next = (z + 1) & 0xFFFF;
        mem(kZL) = static_cast<quint8>(next);
        mem(kZH) = static_cast<quint8>(next >> 8);
    } else if (m_readIndex < m_replyLength) {
        v = mem(kReply + m_readIndex);
    }
    ++m_readIndex;
    mem(kTWDR) = v;
    mem(kTWSR) = masterAcks ? 0xB8 : 0xC0;
    return v;
}

void Atmega8Slave::end(End, qint64 t) {
    advance(t);
    if (m_writing && m_requestLength > 0 && m_requestLength < 4)
        fail(IncompleteRequest);
    m_writing = false;
    m_requestLength = 0;
    mem(kTWSR) = 0xF8;
}

void Atmega8Slave::powerOff(qint64 t) {
    advance(t);
    m_powered = false;
}

void Atmega8Slave::powerOn(qint64 t) {
    m_powered = true;
    const QDateTime kept = clock(t);
    boot(t, 6, m_config.batteryClock, t + kBootUs);
    if (m_config.batteryClock && kept.isValid()) // the clock chip ran on while the supply was off
        setClock(kept.addSecs(static_cast<qint64>((t - m_secondStart) / secondUs())), t);
}

} // namespace zelmar::sim
