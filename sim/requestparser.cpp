#include "requestparser.h"

namespace zelmar::sim {

void RequestParser::reset() {
    m_state = State::Hunt;
    m_inNoise = false;
    m_header.clear();
    m_data.clear();
}

void RequestParser::reject(Rejection why, qint64 t) {
    m_state = State::Hunt;
    m_header.clear();
    m_data.clear();
    if (onRejected)
        onRejected(why, t);
}

void RequestParser::startFrame() {
    m_state = State::Header;
    m_inNoise = false;
    m_header.clear();
    m_data.clear();
}

void RequestParser::feed(quint8 byte, qint64 t) {
    if (m_state != State::Hunt && t - m_lastUs > kGapUs)
        reject(Rejection::Gap, t);
    m_lastUs = t;

    switch (m_state) {
    case State::Hunt:
        if (byte == '*') {
            startFrame();
        } else if (!m_inNoise) {
            m_inNoise = true;
            if (onRejected)
                onRejected(Rejection::Noise, t);
        }
        return;
    case State::Header:
        m_header.append(static_cast<char>(byte));
        if (m_header.size() < 8)
            return;
        if (byte != '#') {
            reject(Rejection::BadHeader, t);
            if (byte == '*') // the offending byte may begin the next frame
                startFrame();
            return;
        }
        m_request = Request();
        m_request.command = static_cast<quint8>(m_header.at(0));
        m_request.address = static_cast<quint8>(m_header.at(1));
        m_request.value = static_cast<quint8>(m_header.at(2));
        m_request.sendCount = static_cast<quint16>(static_cast<quint8>(m_header.at(3)) |
                                                   static_cast<quint8>(m_header.at(4)) << 8);
        m_request.receiveCount = static_cast<quint16>(static_cast<quint8>(m_header.at(5)) |
                                                      static_cast<quint8>(m_header.at(6)) << 8);
        m_state = m_request.sendCount > 0 ? State::Data : State::End;
        return;
    case State::Data:
        m_data.append(static_cast<char>(byte));
        if (m_data.size() == m_request.sendCount)
            m_state = State::End;
        return;
    case State::End:
        if (byte != '#') {
            reject(Rejection::BadEnd, t);
            if (byte == '*')
                startFrame();
            return;
        }
        m_request.data = m_data;
        m_request.endUs = t;
        m_state = State::Hunt;
        m_header.clear();
        m_data.clear();
        if (onRequest)
            onRequest(m_request);
        return;
    }
}

} // namespace zelmar::sim
