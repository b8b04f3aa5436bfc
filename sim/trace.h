#pragma once

#include "installation.h"

#include <QIODevice>

namespace zelmar::sim {

// Writes every frame the interface received and every byte it answered, with the time on the
// simulation clock in seconds, one event per line.
class TraceWriter : public FirmwareObserver {
public:
    explicit TraceWriter(QIODevice* out); // not owned
    void attach(Installation& installation);
    void note(qint64 t, const QString& text) { line(t, text); }

    void requestReceived(const Request& r, qint64 executedUs) override;
    void requestRejected(RequestParser::Rejection why, qint64 t) override;
    void unknownCommand(quint8 command, qint64 t) override;
    void uartError(qint64 t) override;
    void controllerReset(quint8 cause, qint64 t) override;

private:
    void line(qint64 t, const QString& text);
    QIODevice* m_out;
};

} // namespace zelmar::sim
