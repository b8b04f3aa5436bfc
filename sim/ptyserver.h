#pragma once

#include "sim/installation.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace zelmar::sim {

// Serves an installation's interface on a pseudo-terminal. The PC opens the slave device like
// a serial port; whatever it writes arrives at the master side, goes through the simulated
// line and firmware, and the replies are written back, each byte at the time it would arrive
// on a real line at the baud rate the PC set (a pseudo-terminal itself ignores baud rates and
// cannot carry parity or a data-bit count: those read as 8 bits without parity).
class PtyServer : public QObject {
    Q_OBJECT
public:
    PtyServer(Installation& installation, bool pace, QObject* parent = nullptr);
    ~PtyServer() override;

    // Opens the pseudo-terminal; false with errorString() set on failure.
    bool open();
    QString devicePath() const { return m_path; }
    QString errorString() const { return m_error; }
    // What the PC's side of the pseudo-terminal is set to now.
    LineSettings pcSettings() const;
    void injectToPc(const QByteArray& bytes);

private:
    void readable();
    void writable();
    void schedule(const QList<LineChunk>& chunks, qint64 reference);
    void flushDue();
    void timerFired();
    void clientClosed();
    // Wakes flushDue after `us` microseconds: a millisecond timer would hold the end of each
    // reply back by up to a millisecond and make the line slower than its baud rate.
    void wecken(qint64 us);

    struct Pending {
        char byte;
        qint64 dueUs; // on the installation's clock
        bool last;    // the last byte of its reply
    };

    Installation& m_inst;
    bool m_pace;
    int m_master = -1;
    int m_slave = -1; // kept open so the master never sees a hang-up when the PC closes
    QString m_path;
    QString m_error;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    int m_timerFd = -1;
    QSocketNotifier* m_timerNotifier = nullptr;
    int m_watchFd = -1; // inotify: the PC's side of the terminal closed
    QSocketNotifier* m_watchNotifier = nullptr;
    QList<Pending> m_queue;
};

} // namespace zelmar::sim
