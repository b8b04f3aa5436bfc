#pragma once

#include "serialport.h"

#include <QSerialPort>

namespace zelmar {

// The serial port of the PC. Port number n is the device named on line n of PORTS.ini in the
// directory given, the one of the settings files (PROGRAMM_PFAD); where that line is missing or
// empty, the platform's usual name. One program of ours at a time has the device (PortLock):
// QSerialPort opens a terminal exclusively (TIOCEXCL), but root is not kept out by that.
class HardwareSerialPort : public SerialPort {
    Q_OBJECT
public:
    explicit HardwareSerialPort(const QString& programDir, QObject* parent = nullptr);

    // The device name for a port number, as PORTS.ini or the platform names it.
    static QString deviceFor(const QString& programDir, int number);

    // A device named outright (a command line's "--port /dev/ttyUSB0") instead of by its port
    // number; empty goes back to the number. Ignored while the port is open.
    bool setDevice(const QString& device);

    bool setPortNumber(int number) override;
    int portNumber() const override { return m_number; }
    QString deviceName() const override;
    bool setSettings(const QString& settings) override;
    QString settings() const override { return m_settings.toString(); }
    bool open() override;
    void close() override;
    bool isOpen() const override { return m_serial.isOpen(); }
    std::optional<PortHolder> heldBy() const override { return m_heldBy; }
    QString openError() const override { return m_openError; }
    void setDtr(bool on) override;
    bool dtr() const override { return m_dtr; }
    void setRts(bool on) override;
    bool rts() const override { return m_rts; }
    qint64 bytesAvailable() const override { return m_serial.bytesAvailable(); }
    int readByte() override;
    void discardInput() override;
    bool write(const QByteArray& data) override;

private:
    bool apply(const PortSettings& s);

    QString m_programDir;
    int m_number = 1;
    QString m_device;
    PortSettings m_settings; // what was asked for
    PortSettings m_previous; // asked for before that, while the port was closed
    PortSettings m_inForce;  // what the driver last accepted
    bool m_dtr = true;
    bool m_rts = true;
    QSerialPort m_serial;
    PortLock m_lock;
    std::optional<PortHolder> m_heldBy;
    QString m_openError;
};

} // namespace zelmar
