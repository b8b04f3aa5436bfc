#include "ptyserver.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <pty.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/timerfd.h>
#include <termios.h>
#include <unistd.h>

namespace zelmar::sim {

namespace {

int baudOf(speed_t s) {
    switch (s) {
    case B50:
        return 50;
    case B75:
        return 75;
    case B110:
        return 110;
    case B134:
        return 134;
    case B150:
        return 150;
    case B200:
        return 200;
    case B300:
        return 300;
    case B600:
        return 600;
    case B1200:
        return 1200;
    case B1800:
        return 1800;
    case B2400:
        return 2400;
    case B4800:
        return 4800;
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    case B57600:
        return 57600;
    case B115200:
        return 115200;
    case B230400:
        return 230400;
    case B460800:
        return 460800;
    case B921600:
        return 921600;
    default:
        return 0;
    }
}

} // namespace

PtyServer::PtyServer(Installation& installation, bool pace, QObject* parent)
    : QObject(parent), m_inst(installation), m_pace(pace) {
    m_timerFd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    m_timerNotifier = new QSocketNotifier(m_timerFd, QSocketNotifier::Read, this);
    connect(m_timerNotifier, &QSocketNotifier::activated, this, &PtyServer::timerFired);
}

PtyServer::~PtyServer() {
    delete m_timerNotifier;
    delete m_watchNotifier;
    if (m_watchFd >= 0)
        ::close(m_watchFd);
    if (m_timerFd >= 0)
        ::close(m_timerFd);
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

bool PtyServer::open() {
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_error = QStringLiteral("openpty: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    termios t{};
    ::tcgetattr(m_slave, &t);
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B19200);
    ::cfsetospeed(&t, B19200);
    ::tcsetattr(m_slave, TCSANOW, &t);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_path = QString::fromLocal8Bit(name);
    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyServer::readable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyServer::writable);
    // A serial device forgets its exclusive mode when its last user closes it, however that
    // user ended; our own descriptor keeps this terminal alive, so the closes are watched.
    m_watchFd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_watchFd >= 0 &&
        ::inotify_add_watch(m_watchFd, name, IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) >= 0) {
        m_watchNotifier = new QSocketNotifier(m_watchFd, QSocketNotifier::Read, this);
        connect(m_watchNotifier, &QSocketNotifier::activated, this, &PtyServer::clientClosed);
    }
    return true;
}

void PtyServer::clientClosed() {
    char events[4096];
    while (::read(m_watchFd, events, sizeof events) > 0) {
    }
    ::ioctl(m_slave, TIOCNXCL);
}

LineSettings PtyServer::pcSettings() const {
    LineSettings s;
    termios t{};
    // On Linux the master reports the terminal settings the PC made on the slave side.
    if (::tcgetattr(m_master, &t) == 0) {
        const int baud = baudOf(::cfgetospeed(&t));
        if (baud > 0)
            s.baud = baud;
        s.stopBitsTimesTwo = (t.c_cflag & CSTOPB) ? 4 : 2;
    }
    return s;
}

void PtyServer::readable() {
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0)
            break; // EAGAIN: all read; EIO cannot happen while our slave descriptor is open
        const auto chunks =
            m_inst.pcWrites(QByteArray(buf, static_cast<int>(n)), pcSettings(), !m_pace);
        schedule(chunks, m_inst.lastWriteStartUs());
    }
}

void PtyServer::injectToPc(const QByteArray& bytes) {
    schedule({m_inst.injectToPc(bytes)}, m_inst.clock().nowUs());
}

void PtyServer::schedule(const QList<LineChunk>& chunks, qint64 reference) {
    const double charUs = pcSettings().characterUs();
    const qint64 now = m_inst.clock().nowUs();
    for (const LineChunk& c : chunks) {
        for (int i = 0; i < c.bytes.size(); ++i) {
            // A byte is there for the PC once its stop bit has been on the line.
            const qint64 due =
                m_pace ? now + (c.startUs - reference) + std::llround((i + 1) * charUs) : now;
            m_queue.append({c.bytes.at(i), due, i == c.bytes.size() - 1});
        }
    }
    flushDue();
}

void PtyServer::flushDue() {
    const qint64 now = m_inst.clock().nowUs();
    QByteArray out;
    int n = 0;
    while (n < m_queue.size() && m_queue.at(n).dueUs <= now)
        out.append(m_queue.at(n++).byte);
    if (!out.isEmpty()) {
        const ssize_t w = ::write(m_master, out.constData(), static_cast<size_t>(out.size()));
        const int written = w > 0 ? static_cast<int>(w) : 0;
        m_queue.remove(0, written);
        if (written < out.size()) { // the terminal's buffer is full: wait until it drains
            m_writeNotifier->setEnabled(true);
            return;
        }
    }
    if (m_queue.isEmpty())
        return;
    // Bytes within a reply go out together, none more than a millisecond late; the last byte
    // of a reply, which the PC waits for, goes out exactly when it is due.
    qint64 weckzeit = m_queue.first().dueUs + 1000;
    for (const Pending& p : m_queue) {
        if (p.dueUs > weckzeit)
            break;
        if (p.last) {
            weckzeit = p.dueUs;
            break;
        }
    }
    wecken(weckzeit - now);
}

void PtyServer::wecken(qint64 us) {
    itimerspec t{};
    us = std::max<qint64>(1, us); // zero would disarm the timer
    t.it_value.tv_sec = static_cast<time_t>(us / 1000000);
    t.it_value.tv_nsec = static_cast<long>(us % 1000000) * 1000;
    ::timerfd_settime(m_timerFd, 0, &t, nullptr);
}

void PtyServer::timerFired() {
    quint64 abgelaufen = 0;
    // Read only to clear the notifier; how often it expired does not matter.
    const ssize_t n = ::read(m_timerFd, &abgelaufen, sizeof abgelaufen);
    Q_UNUSED(n);
    flushDue();
}

void PtyServer::writable() {
    m_writeNotifier->setEnabled(false);
    flushDue();
}

} // namespace zelmar::sim
