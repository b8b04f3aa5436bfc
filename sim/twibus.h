#pragma once

#include <QList>
#include <QString>

namespace zelmar::sim {

// A device on the TWI bus as the bus sees it. Times are microseconds on the simulation clock;
// every call carries the moment of the bus event, so devices can keep their own time lazily.
class TwiDevice {
public:
    enum class End { Stop, RepeatedStart, Released };

    virtual ~TwiDevice() = default;

    // The 7-bit address the device answers to now.
    virtual int address() const = 0;
    // Whether it answers to `address` (a chip with block bits answers at several).
    virtual bool answersAt(int address) const { return address == this->address(); }
    // Which of its addresses the next addressed() call came through.
    virtual void selectedAt(int) {}
    // Whether it also takes writes to the general-call address 0.
    virtual bool answersGeneralCall() const { return false; }
    virtual QString kind() const = 0;
    // The fastest SCL the device follows; above it the device sees garbage and stays silent.
    virtual double maxSclHz() const { return 400000; }

    // A device switched off or hung acknowledges nothing.
    bool isOnline() const { return m_online; }
    void setOnline(bool online) { m_online = online; }

    // Its address went over the bus with the R/W bit; the result is its acknowledge.
    virtual bool addressed(bool read, qint64 t) = 0;
    // A byte from the master while addressed for writing; the result is its acknowledge.
    virtual bool write(quint8 byte, qint64 t) = 0;
    // The next byte for the master while addressed for reading; masterAcks tells whether the
    // master asks for more.
    virtual quint8 read(bool masterAcks, qint64 t) = 0;
    // The transfer that addressed it ended.
    virtual void end(End how, qint64 t) = 0;
    // The supply of the bus devices was switched.
    virtual void powerOff(qint64 t) = 0;
    virtual void powerOn(qint64 t) = 0;

private:
    bool m_online = true;
};

// The two wires and what hangs on them. The master side (the interface's TWI hardware) calls
// the bus operations; the bus picks the devices that answer and combines what they drive
// (acknowledge from any device, data as a wired AND).
class TwiBus {
public:
    // The bus does not own its devices.
    void attach(TwiDevice* device);
    void detach(TwiDevice* device);
    const QList<TwiDevice*>& devices() const { return m_devices; }
    QList<TwiDevice*> devicesAt(int address) const;

    // Faults: a line held low by something on the bus.
    void setSdaStuckLow(bool on) { m_sdaStuck = on; }
    void setSclStuckLow(bool on) { m_sclStuck = on; }
    bool sdaStuckLow() const { return m_sdaStuck && m_powered; }
    bool sclStuckLow() const { return m_sclStuck && m_powered; }

    // The supply of the bus devices (the interface can switch it).
    void setSupply(bool on, qint64 t);
    bool supplied() const { return m_powered; }

    // --- master side ---
    void start(qint64 t); // START or repeated START
    bool address(quint8 sla, double sclHz, qint64 t);
    bool write(quint8 byte, qint64 t);
    quint8 read(bool masterAcks, qint64 t);
    void stop(qint64 t);
    // The master let go of the lines without a STOP (TWI switched off, controller reset).
    void release(qint64 t);

private:
    void endTransfer(TwiDevice::End how, qint64 t);

    QList<TwiDevice*> m_devices;
    QList<TwiDevice*> m_selected; // devices taking part in the current transfer
    bool m_sdaStuck = false;
    bool m_sclStuck = false;
    bool m_powered = true;
};

} // namespace zelmar::sim
