#pragma once

// What one transaction brought back. Every request helper of link/ returns a Reply (or a result
// built from one) for its caller to keep: the link's own result fields show only the last frame,
// and a handler that runs during a later wait replaces them.

#include "commands.h"

#include <QByteArray>
#include <QString>

namespace zelmar {

class Link;

struct Reply {
    enum class Outcome {
        Done,            // the reply came whole and, where it carries status bytes, said yes
        Refused,         // the frame never went out; the engine has said why, once
        NotAcknowledged, // the interface answered: the slave or EEPROM did not acknowledge
        LineFailed,      // no reply, or not all of it (time-out, port closed)
    };

    Outcome outcome = Outcome::Done;
    // The link's code and text (STATUS_KEIN_ACK for a standard command nobody acknowledged).
    qint16 statusCode = STATUS_OK;
    QString statusText;
    // The reply's bytes as the helper that made it defines them; what came before a failure.
    QByteArray bytes;
    // The first four bytes as an unsigned little-endian number (the interface's clock).
    double value32 = 0;

    bool done() const { return outcome == Outcome::Done; }
    bool refused() const { return outcome == Outcome::Refused; }
    bool notAcknowledged() const { return outcome == Outcome::NotAcknowledged; }
    bool lineFailed() const { return outcome == Outcome::LineFailed; }
    // Byte i from 0; 0 where the reply is shorter.
    quint8 byte(int i) const { return i >= 0 && i < bytes.size() ? quint8(bytes[i]) : 0; }
};

// Reads `count` reply bytes of the frame just sent (DATEN_EMPFANGEN) and says how it went:
// Done with the bytes, Refused when the frame never went out, LineFailed with what came.
Reply receive(Link& link, int count);

// The two status bytes of a bus transfer (commands 50, 60, 65 and 100), read one at a time and
// both before either is judged, so the second is never taken for the next frame's reply. The
// bytes are both; NotAcknowledged when the second (the transfer's end) is not 0.
Reply receiveStatusPair(Link& link);

} // namespace zelmar
