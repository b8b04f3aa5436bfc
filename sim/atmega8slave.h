#pragma once

#include "measuredvalues.h"
#include "twibus.h"

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QSet>

namespace zelmar::sim {

// An ATmega8 slave of the heating installation. It takes 4-byte requests written to it and
// prepares the reply that the next read returns. Its state lives in the controller's data
// space (R0..R31, the 64 I/O registers, 1 KiB SRAM), which the memory requests read and write:
// the clock runs in R2..R7 (seconds, minutes, hours, day, month, year), the data pointer of
// request 115 is Z (R30:R31), TWAR holds its bus address and TWCR whether it answers at all.
class Atmega8Slave : public TwiDevice {
public:
    struct Config {
        int address = 8;
        QByteArray name;           // up to 16 characters, padded with blanks
        bool batteryClock = false; // the clock keeps running through resets and power loss
        QDateTime clock;           // clock at start; invalid: 00:00:00 on 01.01.00
        double clockPpm = 0;       // crystal error
        quint8 switchByte = 0;
        bool saving = false;
        bool generalCall = false;
        Room room;
        Site site;
        QMap<int, ValueSource> values; // request code (120..124, 150..154) -> model
        QSet<int> sixteenBit;          // codes whose value the firmware keeps in 16 bits
    };

    static constexpr int kDataSpaceSize = 1120;
    // Where the firmware keeps things.
    enum : int {
        kSeconds = 2, // R2..R7: seconds, minutes, hours, day, month, year
        kZL = 30,
        kZH = 31,
        kTWBR = 0x20,
        kTWSR = 0x21,
        kTWAR = 0x22,
        kTWDR = 0x23,
        kADCL = 0x24,
        kADCH = 0x25,
        kMCUCSR = 0x54,
        kTWCR = 0x56,
        kSPL = 0x5D,
        kSPH = 0x5E,
        kSREG = 0x5F,
        kName = 0x60, // 16 bytes
        kSwitch = 0x70,
        kSaving = 0x71,
        kLastError = 0x72,
        kErrorCount = 0x73, // 16 bits, low byte first
        kRequest = 0x78,    // 4 bytes
        kReply = 0x80,      // up to 33 bytes
        kValues = 0xA8,     // 10 slots of 3 bytes: codes 120..124, 150..154
    };
    enum Error : quint8 {
        NoError = 0,
        IncompleteRequest = 1,
        UnknownRequest = 2,
        BadParameter = 3
    };
    static constexpr qint64 kBootUs = 65000;
    static constexpr qint64 kWatchdogUs = 16000;

    Atmega8Slave(const Config& config, qint64 t0 = 0);

    int address() const override;
    bool answersGeneralCall() const override;
    QString kind() const override { return QStringLiteral("atmega8"); }
    double maxSclHz() const override { return 500000; }

    const Config& config() const { return m_config; }
    // The data space as it stands at t (clock and measured values brought up to date).
    QByteArray dataSpace(qint64 t);
    quint8 peek(int address, qint64 t);
    void poke(int address, quint8 value, qint64 t);
    QDateTime clock(qint64 t); // invalid when the clock registers hold no valid date
    void setClock(const QDateTime& dt, qint64 t);
    QByteArray name() const;
    quint8 switchByte() const;
    bool saving() const;
    quint8 lastError() const;
    int errorCount() const;
    quint8 resetCause() const;
    bool booting(qint64 t);
    void setValue(int code, const ValueSource& source);
    // The bytes 2..4 a value request answers at t.
    std::array<quint8, 3> value(int code, qint64 t);

    bool addressed(bool read, qint64 t) override;
    bool write(quint8 byte, qint64 t) override;
    quint8 read(bool masterAcks, qint64 t) override;
    void end(End how, qint64 t) override;
    void powerOff(qint64 t) override;
    void powerOn(qint64 t) override;

private:
    void boot(qint64 t, quint8 cause, bool keepClock, qint64 upAt);
    void advance(qint64 t);
    void tickSecond();
    void measure(qint64 t);
    void process(qint64 t);
    void fail(Error e);
    void reply(const QByteArray& bytes);
    quint8& mem(int a) { return reinterpret_cast<quint8&>(m_mem[a]); }
    quint8 mem(int a) const { return static_cast<quint8>(m_mem[a]); }
    double secondUs() const { return 1e6 / (1 + m_config.clockPpm * 1e-6); }

    Config m_config;
    QByteArray m_mem;
    bool m_powered = true;
    qint64 m_upAt = 0;        // booting until then
    qint64 m_resetAt = -1;    // watchdog reset requested by request 10
    double m_secondStart = 0; // when the current clock second began
    qint64 m_nextMeasure = 0;
    quint8 m_eepromSwitch = 0; // kept in the slave's own EEPROM
    bool m_eepromSaving = false;
    bool m_writing = false;
    int m_requestLength = 0;
    int m_replyLength = 0;
    int m_readIndex = 0;
    bool m_dataMode = false; // reads return the data space from Z on
};

} // namespace zelmar::sim
