#pragma once

// The far end of a serial line for engine tests: either the in-process virtual port or a
// pseudo-terminal driven through the real serial port class.

#include "link/hardwareserialport.h"
#include "link/virtualserialport.h"

#include <QByteArray>
#include <QFile>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

class TestPeer {
public:
    virtual ~TestPeer() = default;
    virtual zelmar::SerialPort& port() = 0;
    // Bytes the PC wrote, as they arrived at the far end.
    QByteArray received;
    // Called after every chunk that arrives; may answer with send().
    std::function<void()> onReceive;
    virtual void send(const QByteArray& bytes, int delayMs = 0) = 0;
    // Makes the next open() of the port fail.
    virtual void makeUnopenable() = 0;
    // The device goes away under the open port, as an adapter pulled out.
    virtual void pullOut() = 0;
    virtual const char* name() const = 0;

protected:
    void arrived(const QByteArray& chunk) {
        received += chunk;
        if (onReceive)
            onReceive();
    }
};

class VirtualPeer : public TestPeer {
public:
    VirtualPeer() {
        m_port.setPeer([this](const QByteArray& data) { arrived(data); });
    }
    zelmar::SerialPort& port() override { return m_port; }
    void send(const QByteArray& bytes, int delayMs) override { m_port.deliver(bytes, delayMs); }
    void makeUnopenable() override { m_port.setOpenable(false); }
    void pullOut() override {
        m_port.setOpenable(false);
        m_port.close();
    }
    const char* name() const override { return "virtual"; }

private:
    zelmar::VirtualSerialPort m_port;
};

class PtyPeer : public TestPeer {
public:
    PtyPeer() {
        char name[256] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
            qFatal("openpty failed");
        termios t{};
        ::tcgetattr(m_slave, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(m_slave, TCSANOW, &t);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        QFile ports(m_dir.filePath(QStringLiteral("PORTS.ini")));
        ports.open(QIODevice::WriteOnly);
        ports.write(QByteArray(name) + "\r\n");
        ports.close();
        m_port = std::make_unique<zelmar::HardwareSerialPort>(m_dir.path());
        m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] {
            char buf[4096];
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n > 0)
                arrived(QByteArray(buf, static_cast<int>(n)));
        });
    }
    ~PtyPeer() override {
        m_port.reset();
        m_notifier.reset();
        ::close(m_master);
        ::close(m_slave);
    }
    zelmar::SerialPort& port() override { return *m_port; }
    void send(const QByteArray& bytes, int delayMs) override {
        auto write = [this, bytes] {
            if (::write(m_master, bytes.constData(), bytes.size()) != bytes.size())
                qWarning("pty peer: short write");
        };
        if (delayMs <= 0)
            write();
        else
            QTimer::singleShot(delayMs, m_notifier.get(), write);
    }
    void makeUnopenable() override {
        QFile ports(m_dir.filePath(QStringLiteral("PORTS.ini")));
        ports.open(QIODevice::WriteOnly);
        ports.write(m_dir.filePath(QStringLiteral("no-such-device")).toUtf8() + "\r\n");
    }
    void pullOut() override {
        m_notifier.reset();
        ::close(m_master); // the terminal hangs up; its device goes
        m_master = -1;
        makeUnopenable();
    }
    const char* name() const override { return "pseudo-terminal"; }

private:
    QTemporaryDir m_dir;
    int m_master = -1;
    int m_slave = -1;
    std::unique_ptr<zelmar::HardwareSerialPort> m_port;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
