#pragma once

#include "twibus.h"

#include <QtGlobal>

namespace zelmar::sim {

// The TWI unit of the interface's ATmega8 as bus master, at register level. A TWCR write with
// TWINT set starts the bus action its bits ask for; the action takes its bus time and sets
// TWINT (and the status in TWSR) when it is done. The state is brought up to date lazily at
// every register access, so no timer runs.
class TwiMaster {
public:
    enum Register { TWBR = 0, TWSR = 1, TWAR = 2, TWCR = 3, TWDR = 4 };
    enum : quint8 {
        TWIE = 0x01,
        TWEN = 0x04,
        TWWC = 0x08,
        TWSTO = 0x10,
        TWSTA = 0x20,
        TWEA = 0x40,
        TWINT = 0x80,
    };

    TwiMaster(TwiBus& bus, quint32 cpuHz);

    // Register values after a hardware reset; a bus held by the master is let go.
    void hardwareReset(qint64 t);

    quint8 read(Register r, qint64 t);
    void write(Register r, quint8 value, qint64 t);

    // When TWINT will be (or was) set for the current action; -1 when it never will be
    // (no action, TWI off, a held line, or the stuck-TWINT fault).
    qint64 twintAt(qint64 t);
    // When a requested STOP has gone out (TWSTO clear again); -1 when it never will.
    qint64 stopDoneAt(qint64 t);

    // SCL frequency from TWBR and the prescaler bits.
    double sclHz() const;
    // Microseconds one SCL period takes.
    double bitUs() const;
    // The master holds the bus (between a START and a STOP).
    bool ownsBus(qint64 t);
    // Lines the master itself holds low while it waits for the software (TWINT set).
    bool holdsSclLow(qint64 t);
    bool holdsSdaLow(qint64 t);

    // Fault: bus actions never finish, TWINT never comes.
    void setTwintStuck(bool on) { m_stuck = on; }
    bool twintStuck() const { return m_stuck; }

private:
    enum class Action { None, Start, Stop, StopStart, Address, Transmit, Receive };

    void settle(qint64 t);
    void begin(quint8 control, qint64 t);
    void complete(qint64 t);
    qint64 duration(double bits) const;

    TwiBus& m_bus;
    quint32 m_cpuHz;
    quint8 m_twbr = 0;
    quint8 m_status = 0xF8; // bits 7..3 of TWSR
    quint8 m_prescaler = 0; // TWPS bits 1..0
    quint8 m_twar = 0xFE;
    quint8 m_control = 0; // TWCR without TWINT
    bool m_twint = false;
    quint8 m_twdr = 0xFF;
    bool m_master = false;
    Action m_action = Action::None;
    qint64 m_actionEnd = -1; // -1: never
    bool m_stuck = false;
};

} // namespace zelmar::sim
