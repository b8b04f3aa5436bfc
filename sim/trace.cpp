#include "trace.h"

namespace zelmar::sim {

TraceWriter::TraceWriter(QIODevice* out) : m_out(out) {}

void TraceWriter::attach(Installation& installation) {
    installation.firmware().setObserver(this);
    installation.line().setTxObserver([this](quint8 v, qint64 t, InterfaceLine::Fate fate) {
        static const char* const kFate[] = {"", " dropped", " corrupted", " garbage"};
        line(t, QStringLiteral("TX %1%2")
                    .arg(v, 2, 16, QLatin1Char('0'))
                    .arg(QLatin1String(kFate[static_cast<int>(fate)]))
                    .toUpper());
    });
}

void TraceWriter::line(qint64 t, const QString& text) {
    if (!m_out)
        return;
    const QString stamp =
        QStringLiteral("%1.%2 ").arg(t / 1000000, 6).arg(t % 1000000, 6, 10, QLatin1Char('0'));
    m_out->write((stamp + text + QLatin1Char('\n')).toLatin1());
}

void TraceWriter::requestReceived(const Request& r, qint64 executedUs) {
    QString text = QStringLiteral("RX command %1 address %2 value %3 send %4 receive %5")
                       .arg(r.command)
                       .arg(r.address)
                       .arg(r.value)
                       .arg(r.sendCount)
                       .arg(r.receiveCount);
    if (!r.data.isEmpty())
        text += QStringLiteral(" data ") +
                QString::fromLatin1(r.data.left(64).toHex(' ')).toUpper() +
                (r.data.size() > 64 ? QStringLiteral(" ...") : QString());
    line(executedUs, text);
}

void TraceWriter::requestRejected(RequestParser::Rejection why, qint64 t) {
    static const char* const kWhy[] = {"bytes outside a frame", "bad header", "end marker missing",
                                       "frame broke off"};
    line(t, QStringLiteral("RX discarded: %1").arg(QLatin1String(kWhy[static_cast<int>(why)])));
}

void TraceWriter::unknownCommand(quint8 command, qint64 t) {
    line(t, QStringLiteral("RX unknown command %1, not answered").arg(command));
}

void TraceWriter::uartError(qint64 t) {
    line(t, QStringLiteral("RX framing or parity error"));
}

void TraceWriter::controllerReset(quint8 cause, qint64 t) {
    line(t, QStringLiteral("RESET cause %1").arg(cause));
}

} // namespace zelmar::sim
