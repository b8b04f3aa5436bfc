#pragma once

#include "requestparser.h"
#include "twibus.h"
#include "twimaster.h"
#include "uart.h"

#include <QByteArray>
#include <QList>

namespace zelmar::sim {

struct InterfaceConfig {
    QByteArray name = "RS232-TWI V1.0"; // padded with blanks to 16 characters
    quint32 clockHz = 16000000;
    double supplyVolts = 12.2;
    LineSettings uart; // the interface's own UART: 19200,n,8,1
    quint8 twbr = 72;  // 100 kHz at 16 MHz
    quint8 prescaler = 0;
};

// A reply byte as the firmware hands it to its UART.
struct TxByte {
    quint8 value = 0;
    qint64 readyUs = 0;
    quint32 reply = 0; // which request it answers
};

class FirmwareObserver {
public:
    virtual ~FirmwareObserver() = default;
    virtual void requestReceived(const Request& request, qint64 executedUs) = 0;
    virtual void requestRejected(RequestParser::Rejection why, qint64 t) = 0;
    virtual void unknownCommand(quint8 command, qint64 t) = 0;
    virtual void uartError(qint64 t) = 0;
    virtual void controllerReset(quint8 cause, qint64 t) = 0;
};

// The firmware of the RS232-TWI interface. It reads request frames byte by byte, answers the
// interface commands itself and runs the bus commands on its TWI hardware through the same
// registers the manual master window uses. All work is stamped on the simulation time line:
// a request runs when its last byte has arrived and the controller is free, and every bus
// step takes the bus time the hardware needs.
//
// Reset cause (command 1): 0 after a software restart (command 10), 2 after the reset key,
// 6 after power-on, 8 after a watchdog reset. The error code (command 15) counts, up to 255,
// the frames thrown away (noise before "*", bad header, missing end marker, a frame that stops
// half-way), UART errors and unknown commands; reading it clears it, as does every reset.
// Unknown commands are not answered. A bus step whose TWINT never comes leaves the main loop
// stuck; the watchdog restarts the controller after 0.52 s and that request gets no reply.
class InterfaceFirmware {
public:
    enum : quint8 { kSoftwareReset = 0, kExternalReset = 2, kPowerOnReset = 6, kWatchdogReset = 8 };
    static constexpr qint64 kCommandUs = 20; // decoding a request
    static constexpr qint64 kRegisterUs = 2; // one register access in a bus command
    static constexpr qint64 kWatchdogUs = 520000;
    static constexpr qint64 kBootUs = 65000;       // start-up delay after a hardware reset
    static constexpr qint64 kRestartUs = 300;      // re-initialisation after a software restart
    static constexpr qint64 kSupplyOffUs = 100000; // slave supply switched off for commands 9, 11

    InterfaceFirmware(TwiBus& bus, const InterfaceConfig& config, qint64 t0 = 0);

    // A character the UART received completely at t, or one with a framing or parity error.
    void receive(quint8 byte, qint64 t);
    void receiveError(qint64 t);
    // Reply bytes produced since the last call, in order.
    QList<TxByte> takeOutput();

    // The reset key, and the supply of the whole board switched off and on at t.
    void externalReset(qint64 t);
    void powerCycle(qint64 t);

    TwiMaster& twi() { return m_twi; }
    TwiBus& bus() { return m_bus; }
    const InterfaceConfig& config() const { return m_config; }
    quint8 resetCause() const { return m_cause; }
    quint8 errorCode() const { return m_errors; }
    // Bytes arriving before this are lost (a reset is under way).
    qint64 deafUntil() const { return m_deafUntil; }
    // The controller is busy with earlier requests until then.
    qint64 busyUntil() const { return m_cpuFree; }
    int requestsExecuted() const { return m_executed; }
    void setObserver(FirmwareObserver* observer) { m_observer = observer; }

private:
    void execute(const Request& r);
    void out(quint8 byte, qint64 t);
    void countError();
    void reset(qint64 at, quint8 cause, qint64 bootUs);
    void hang(qint64 t);
    quint8 busLines(qint64 t);
    quint8 voltage(qint64 t) const;
    bool step(quint8 control, qint64& t, quint8& status);
    bool stopBus(qint64& t);
    bool transmit(const Request& r, bool stop, qint64& t);
    bool moreData(const Request& r, qint64& t);
    bool sendData(const QByteArray& data, qint64& t, quint8& overall);
    bool receiveFromSlave(const Request& r, qint64& t);

    TwiBus& m_bus;
    InterfaceConfig m_config;
    TwiMaster m_twi;
    RequestParser m_parser;
    QList<TxByte> m_output;
    quint8 m_cause = kPowerOnReset;
    quint8 m_errors = 0;
    qint64 m_cpuFree = 0;
    qint64 m_deafUntil = 0;
    quint32 m_reply = 0;
    int m_executed = 0;
    FirmwareObserver* m_observer = nullptr;
};

} // namespace zelmar::sim
