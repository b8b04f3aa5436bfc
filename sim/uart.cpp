#include "uart.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zelmar::sim {

std::optional<LineSettings> LineSettings::parse(const QString& text) {
    const QStringList f = text.trimmed().split(QLatin1Char(','));
    if (f.size() != 4)
        return std::nullopt;
    LineSettings s;
    bool ok = false;
    s.baud = f[0].trimmed().toInt(&ok);
    if (!ok || s.baud < 50 || s.baud > 4000000)
        return std::nullopt;
    const QString parity = f[1].trimmed().toLower();
    if (parity.size() != 1 || !QStringLiteral("neoms").contains(parity))
        return std::nullopt;
    s.parity = parity.at(0).toLatin1();
    s.dataBits = f[2].trimmed().toInt(&ok);
    if (!ok || s.dataBits < 5 || s.dataBits > 8)
        return std::nullopt;
    const QString stop = f[3].trimmed();
    if (stop == QLatin1String("1"))
        s.stopBitsTimesTwo = 2;
    else if (stop == QLatin1String("1.5"))
        s.stopBitsTimesTwo = 3;
    else if (stop == QLatin1String("2"))
        s.stopBitsTimesTwo = 4;
    else
        return std::nullopt;
    return s;
}

QString LineSettings::toString() const {
    const QString stop =
        stopBitsTimesTwo == 3 ? QStringLiteral("1.5") : QString::number(stopBitsTimesTwo / 2);
    return QStringLiteral("%1,%2,%3,%4").arg(baud).arg(QChar(parity)).arg(dataBits).arg(stop);
}

double LineSettings::characterUs() const {
    return bitUs() * (1 + dataBits + (parity == 'n' ? 0 : 1) + stopBitsTimesTwo / 2.0);
}

namespace {

int parityBit(char parity, int ones) {
    switch (parity) {
    case 'e':
        return ones & 1;
    case 'o':
        return (ones & 1) ^ 1;
    case 'm':
        return 1;
    default:
        return 0;
    }
}

// The line level as a list of steps: level[k] holds from time[k] to time[k + 1]; idle is high.
struct Waveform {
    std::vector<double> time;
    std::vector<int> level;
    double end = 0;

    void put(int l, double duration) {
        if (level.empty() || level.back() != l) {
            time.push_back(end);
            level.push_back(l);
        }
        end += duration;
    }
    int at(double t) const {
        if (t >= end || t < 0)
            return 1;
        const auto it = std::upper_bound(time.begin(), time.end(), t);
        return it == time.begin() ? 1 : level[static_cast<size_t>(it - time.begin()) - 1];
    }
};

} // namespace

QList<LineByte> transcode(const QByteArray& bytes, qint64 startUs, const LineSettings& tx,
                          const LineSettings& rx) {
    QList<LineByte> out;
    out.reserve(bytes.size());
    if (tx == rx) {
        const double c = tx.characterUs();
        for (int i = 0; i < bytes.size(); ++i)
            out.append(
                {static_cast<quint8>(bytes.at(i)), startUs + std::llround((i + 1) * c), false});
        return out;
    }

    Waveform w;
    const double bit = tx.bitUs();
    for (char c : bytes) {
        const int v = static_cast<quint8>(c);
        w.put(0, bit);
        int ones = 0;
        for (int b = 0; b < tx.dataBits; ++b) {
            const int l = (v >> b) & 1;
            ones += l;
            w.put(l, bit);
        }
        if (tx.parity != 'n')
            w.put(parityBit(tx.parity, ones), bit);
        w.put(1, bit * tx.stopBitsTimesTwo / 2.0);
    }

    const double rbit = rx.bitUs();
    double from = 0;
    size_t k = 0;
    for (;;) {
        // A start bit begins at a falling edge (every low step follows a high one).
        while (k < w.time.size() && (w.time[k] < from || w.level[k] != 0))
            ++k;
        if (k == w.time.size())
            break;
        const double s = w.time[k];
        if (w.at(s + rbit / 2) != 0) { // too short for a start bit
            from = s + rbit / 2;
            ++k;
            continue;
        }
        int value = 0;
        int ones = 0;
        for (int b = 0; b < rx.dataBits; ++b) {
            if (w.at(s + (1.5 + b) * rbit)) {
                value |= 1 << b;
                ++ones;
            }
        }
        double pos = s + (1.5 + rx.dataBits) * rbit;
        bool error = false;
        if (rx.parity != 'n') {
            error = w.at(pos) != parityBit(rx.parity, ones);
            pos += rbit;
        }
        if (!w.at(pos))
            error = true;
        out.append({static_cast<quint8>(value), startUs + std::llround(pos), error});
        from = pos;
    }
    return out;
}

} // namespace zelmar::sim
