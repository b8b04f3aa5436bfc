#include "hardwareserialport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <utility>

namespace zelmar {

HardwareSerialPort::HardwareSerialPort(const QString& programDir, QObject* parent)
    : SerialPort(parent), m_programDir(programDir) {
    connect(&m_serial, &QSerialPort::readyRead, this, &SerialPort::readyRead);
    // A device that disappears (adapter unplugged) leaves the port closed, not half open. Its
    // last write may fail first: a port that cannot write or read is no port either.
    connect(&m_serial, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        const bool weg = e == QSerialPort::ResourceError || e == QSerialPort::WriteError ||
                         e == QSerialPort::ReadError;
        if (weg && m_serial.isOpen())
            close();
    });
}

namespace {

// Line n (from 1) of PORTS.ini read as every settings file is: CR LF, LF and CR each end a line,
// a line is kept up to 4096 bytes and up to a NUL, UTF-8 when valid, else Latin-1. Only a
// regular file is opened (a FIFO by that name would block).
QString zeile(const QString& path, int n) {
    constexpr int kMaxZeile = 4096;
    constexpr qint64 kMaxLesen = 64LL * 1024 * 1024;
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
        return {};
    QByteArray text;
    bool cut = false;
    int current = 1;
    bool afterCr = false;
    bool nul = false; // a NUL ends the name: no device is named by what follows it
    char c = 0;
    for (qint64 read = 0; current <= n && read < kMaxLesen && f.getChar(&c); ++read) {
        const bool lf = c == '\n';
        if (std::exchange(afterCr, c == '\r') && lf)
            continue;
        nul = nul || (current == n && c == '\0');
        if (c == '\r' || lf)
            ++current;
        else if (current == n && !nul && text.size() < kMaxZeile)
            text.append(c);
        else if (current == n && !nul)
            cut = true;
    }
    // A cut line may end inside a multi-byte character.
    for (int drop = 0; drop <= (cut ? 3 : 0) && drop < text.size(); ++drop) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString decoded = utf8(text.left(text.size() - drop));
        if (!utf8.hasError())
            return decoded;
    }
    return QString::fromLatin1(text);
}

} // namespace

QString HardwareSerialPort::deviceFor(const QString& programDir, int number) {
    const QString device =
        zeile(QDir(programDir).filePath(QStringLiteral("PORTS.ini")), number).trimmed();
    if (!device.isEmpty())
        return device;
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
    m_heldBy.reset();
    m_openError.clear();
    const QString device = deviceName();
    if (!m_lock.lock(device)) {
        m_heldBy = m_lock.holder();
        m_openError = QStringLiteral("in use by process %1").arg(m_heldBy->pid);
        return false;
    }
    m_serial.setPortName(device);
    if (!m_serial.open(QIODevice::ReadWrite)) {
        m_openError = m_serial.errorString();
        m_lock.unlock();
        return false;
    }
    // Settings given while the port was closed that its driver refuses: the old ones stay.
    if (apply(m_settings) || (m_settings = m_previous, apply(m_settings)) ||
        (m_settings = m_inForce, apply(m_settings))) {
        m_inForce = m_settings;
    } else {
        m_openError = m_serial.errorString();
        m_serial.close();
        m_lock.unlock();
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
    m_lock.unlock();
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
    if (!m_serial.isOpen())
        return false;
    if (m_serial.write(data) != data.size()) {
        // A device that takes no more bytes is gone (adapter unplugged): the port shows closed.
        close();
        return false;
    }
    m_serial.flush(); // hand it to the driver now, without blocking; a failure closes the port
    return m_serial.isOpen();
}

} // namespace zelmar
