#include "hardwareserialport.h"

#include <QDir>
#include <QFile>

namespace zelmar {

HardwareSerialPort::HardwareSerialPort(const QString& programDir, QObject* parent)
    : SerialPort(parent), m_programDir(programDir) {
    connect(&m_serial, &QSerialPort::readyRead, this, &SerialPort::readyRead);
    // A device that disappears (adapter unplugged) leaves the port closed, not half open.
    connect(&m_serial, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ResourceError && m_serial.isOpen())
            close();
    });
}

QString HardwareSerialPort::deviceFor(const QString& programDir, int number) {
    QFile f(QDir(programDir).filePath(QStringLiteral("PORTS.ini")));
    if (f.open(QIODevice::ReadOnly)) {
        for (int line = 1; line <= number && !f.atEnd(); ++line) {
            const QByteArray text = f.readLine(4096);
            if (line == number) {
                const QString device = QString::fromUtf8(text).trimmed();
                if (!device.isEmpty())
                    return device;
            }
        }
    }
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

bool HardwareSerialPort::setPortNumber(int number) {
    if (m_serial.isOpen() || number < 1 || number > 17)
        return false;
    m_number = number;
    return true;
}

bool HardwareSerialPort::setDevice(const QString& device) {
    if (m_serial.isOpen())
        return false;
    m_device = device;
    return true;
}

QString HardwareSerialPort::deviceName() const {
    return m_device.isEmpty() ? deviceFor(m_programDir, m_number) : m_device;
}

bool HardwareSerialPort::apply(const PortSettings& s) {
    QSerialPort::Parity parity = QSerialPort::NoParity;
    switch (s.parity) {
    case 'e':
        parity = QSerialPort::EvenParity;
        break;
    case 'o':
        parity = QSerialPort::OddParity;
        break;
    case 'm':
        parity = QSerialPort::MarkParity;
        break;
    case 's':
        parity = QSerialPort::SpaceParity;
        break;
    default:
        break;
    }
    const QSerialPort::StopBits stop = s.stopBitsTimesTwo == 4   ? QSerialPort::TwoStop
                                       : s.stopBitsTimesTwo == 3 ? QSerialPort::OneAndHalfStop
                                                                 : QSerialPort::OneStop;
    return m_serial.setBaudRate(s.baud) && m_serial.setParity(parity) &&
           m_serial.setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits)) &&
           m_serial.setStopBits(stop) && m_serial.setFlowControl(QSerialPort::NoFlowControl);
}

bool HardwareSerialPort::setSettings(const QString& settings) {
    const auto parsed = parsePortSettings(settings);
    if (!parsed)
        return false;
    if (m_serial.isOpen()) {
        if (!apply(*parsed)) {
            apply(m_inForce); // the driver refused: the old settings stay in force
            return false;
        }
        m_inForce = *parsed;
    }
    m_previous = m_settings;
    m_settings = *parsed;
    return true;
}

bool HardwareSerialPort::open() {
    if (m_serial.isOpen())
        return true;
    m_serial.setPortName(deviceName());
    if (!m_serial.open(QIODevice::ReadWrite))
        return false;
    // Settings given while the port was closed that its driver refuses: the old ones stay.
    if (apply(m_settings) || (m_settings = m_previous, apply(m_settings)) ||
        (m_settings = m_inForce, apply(m_settings))) {
        m_inForce = m_settings;
    } else {
        m_serial.close();
        return false;
    }
    m_serial.setDataTerminalReady(m_dtr);
    m_serial.setRequestToSend(m_rts);
    return true;
}

void HardwareSerialPort::close() {
    if (!m_serial.isOpen())
        return;
    m_serial.close();
    emit closed();
}

void HardwareSerialPort::setDtr(bool on) {
    m_dtr = on;
    if (m_serial.isOpen())
        m_serial.setDataTerminalReady(on);
}

void HardwareSerialPort::setRts(bool on) {
    m_rts = on;
    if (m_serial.isOpen())
        m_serial.setRequestToSend(on);
}

int HardwareSerialPort::readByte() {
    char c = 0;
    if (!m_serial.getChar(&c))
        return -1;
    return static_cast<quint8>(c);
}

void HardwareSerialPort::discardInput() {
    if (!m_serial.isOpen())
        return;
    m_serial.readAll();
    m_serial.clear(QSerialPort::Input);
}

bool HardwareSerialPort::write(const QByteArray& data) {
    if (!m_serial.isOpen() || m_serial.write(data) != data.size())
        return false;
    m_serial.flush(); // hand it to the driver now, without blocking
    return true;
}

} // namespace zelmar
