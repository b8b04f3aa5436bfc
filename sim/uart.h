#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace zelmar::sim {

// Character format of one end of a serial line.
struct LineSettings {
    int baud = 19200;
    char parity = 'n'; // n, e, o, m, s
    int dataBits = 8;
    int stopBitsTimesTwo = 2; // 2 = one stop bit, 3 = one and a half, 4 = two

    // "19200,n,8,1"; nullopt for anything a UART could not be set to.
    static std::optional<LineSettings> parse(const QString& text);
    QString toString() const;
    double bitUs() const { return 1e6 / baud; }
    double characterUs() const;
    bool operator==(const LineSettings& o) const {
        return baud == o.baud && parity == o.parity && dataBits == o.dataBits &&
               stopBitsTimesTwo == o.stopBitsTimesTwo;
    }
    bool operator!=(const LineSettings& o) const { return !(*this == o); }
};

// A character as a receiving UART delivers it.
struct LineByte {
    quint8 value = 0;
    qint64 atUs = 0;    // when the receiver had it complete
    bool error = false; // framing or parity error
};

// What a UART set to `rx` makes of characters sent back to back at `tx` from startUs on.
// With equal settings every byte arrives intact one character time after the previous one;
// otherwise the waveform is sampled bit by bit the way a real receiver does, so a wrong baud
// rate gives garbage and framing errors, and a parity mismatch lets some bytes through.
QList<LineByte> transcode(const QByteArray& bytes, qint64 startUs, const LineSettings& tx,
                          const LineSettings& rx);

} // namespace zelmar::sim
