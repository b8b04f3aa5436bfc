#pragma once

#include "portlock.h"

#include <QObject>
#include <QString>

#include <optional>

namespace zelmar {

// Line parameters of a settings string "baud,parity,data,stop" such as "19200,n,8,1".
struct PortSettings {
    int baud = 19200;
    char parity = 'n';        // n, e, o, m, s
    int dataBits = 8;         // 5..8
    int stopBitsTimesTwo = 2; // 2 = one stop bit, 3 = one and a half, 4 = two

    QString toString() const;
    // Time one character takes on the line: start bit, data, parity, stop bits.
    double bitsPerCharacter() const;
};

// Parses a settings string; nullopt when any of its four fields is not one a port accepts.
std::optional<PortSettings> parsePortSettings(const QString& text);

// The serial port as the engine and the console see it. One byte per read, one write per frame,
// readyRead whenever new input arrived. Port numbers run from 1 to 17.
class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialPort() override = default;

    // Ignored while the port is open (the number of an open port cannot change).
    virtual bool setPortNumber(int number) = 0;
    virtual int portNumber() const = 0;
    // The device the port number stands for, for display.
    virtual QString deviceName() const = 0;

    // A string the port rejects leaves the old settings in force; returns whether it was taken.
    virtual bool setSettings(const QString& settings) = 0;
    virtual QString settings() const = 0;

    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // When the last open() failed because another program of ours holds the device: who.
    virtual std::optional<PortHolder> heldBy() const { return std::nullopt; }
    // Why the last open() failed, in the system's words; empty when it did not fail.
    virtual QString openError() const { return {}; }

    // DTR and RTS enable: kept while closed and applied whenever the port opens.
    virtual void setDtr(bool on) = 0;
    virtual bool dtr() const = 0;
    virtual void setRts(bool on) = 0;
    virtual bool rts() const = 0;

    virtual qint64 bytesAvailable() const = 0;
    // One byte of input, or -1 when there is none.
    virtual int readByte() = 0;
    // Drops all input received so far, including what the driver still holds.
    virtual void discardInput() = 0;
    // Hands the whole string to the line in one call; false when the port refused it.
    virtual bool write(const QByteArray& data) = 0;

signals:
    void readyRead();
    // The port was closed (by the program or because the device went away).
    void closed();
};

} // namespace zelmar
