#pragma once

#include "serialport.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>

#include <functional>

class QTimer;

namespace zelmar {

// An in-process serial port. What the PC writes goes to a peer callback; what the peer answers
// is handed in with deliver() and arrives through the event loop like input on a real line,
// optionally paced at the line's baud rate.
class VirtualSerialPort : public SerialPort {
    Q_OBJECT
public:
    explicit VirtualSerialPort(QObject* parent = nullptr);

    bool setPortNumber(int number) override;
    int portNumber() const override { return m_number; }
    QString deviceName() const override;
    bool setSettings(const QString& settings) override;
    QString settings() const override { return m_settings.toString(); }
    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    void setDtr(bool on) override { m_dtr = on; }
    bool dtr() const override { return m_dtr; }
    void setRts(bool on) override { m_rts = on; }
    bool rts() const override { return m_rts; }
    qint64 bytesAvailable() const override { return m_input.size(); }
    int readByte() override;
    void discardInput() override;
    bool write(const QByteArray& data) override;

    // --- the peer's side ---

    // Called with every string the PC writes (while the port is open).
    void setPeer(std::function<void(const QByteArray&)> onWrite) { m_peer = std::move(onWrite); }
    // Queues bytes for the PC. They arrive after delayMs, then one by one at the line's speed
    // when pacing is on, otherwise all at once. Bytes sent while the port is closed are lost.
    void deliver(const QByteArray& bytes, int delayMs = 0);
    // Pacing: every byte takes one character time at the current baud rate.
    void setPacing(bool on) { m_pacing = on; }
    bool pacing() const { return m_pacing; }
    // Whether open() succeeds (a missing or busy device when false).
    void setOpenable(bool openable) { m_openable = openable; }
    // Everything the PC has written so far, for inspection.
    const QList<QByteArray>& written() const { return m_written; }
    void clearWritten() { m_written.clear(); }
    // Bytes queued for delivery that have not arrived yet.
    int pendingDeliveries() const;
    // Microseconds one character takes at the current settings.
    double characterTimeUs() const;

private:
    void scheduleNext();
    void arrive();
    double nowMs() const;

    struct Pending {
        QByteArray bytes;
        double startMs; // when its first byte starts on the line, on m_clock
    };

    int m_number = 1;
    PortSettings m_settings;
    bool m_open = false;
    bool m_openable = true;
    bool m_dtr = true;
    bool m_rts = true;
    bool m_pacing = false;
    QByteArray m_input;
    QList<Pending> m_pending;
    QList<QByteArray> m_written;
    std::function<void(const QByteArray&)> m_peer;
    QTimer* m_timer;
    QElapsedTimer m_clock;
};

} // namespace zelmar
