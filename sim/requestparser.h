#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <functional>

namespace zelmar::sim {

// One request as the interface takes it off the line.
struct Request {
    quint8 command = 0;
    quint8 address = 0;
    quint8 value = 0;
    quint16 sendCount = 0;
    quint16 receiveCount = 0;
    QByteArray data;
    qint64 endUs = 0; // when its last byte arrived
};

// The interface's own frame reader: "*", command, address, value byte, send count (low, high),
// receive count (low, high), "#", that many data bytes, "#". The end is found by the send
// count; markers inside the data mean nothing. What does not fit is thrown away and reported.
class RequestParser {
public:
    enum class Rejection {
        Noise,     // bytes outside a frame (one report per run of them)
        BadHeader, // position 9 not "#"
        BadEnd,    // no "#" after the data bytes
        Gap,       // the rest of a started frame did not come in time
    };
    // A frame whose bytes pause longer than this is given up.
    static constexpr qint64 kGapUs = 200000;

    std::function<void(const Request&)> onRequest;
    std::function<void(Rejection, qint64)> onRejected;

    void feed(quint8 byte, qint64 t);
    void reset();
    // Bytes of an unfinished frame held so far.
    int pending() const { return m_state == State::Hunt ? 0 : m_header.size() + m_data.size(); }

private:
    enum class State { Hunt, Header, Data, End };

    void reject(Rejection why, qint64 t);
    void startFrame();

    State m_state = State::Hunt;
    bool m_inNoise = false;
    QByteArray m_header; // positions 2..9
    QByteArray m_data;
    Request m_request;
    qint64 m_lastUs = 0;
};

} // namespace zelmar::sim
