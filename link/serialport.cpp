#include "serialport.h"

#include <QStringList>

namespace zelmar {

namespace {
// The rates the interface's line drivers and the usual PC ports offer.
constexpr int kBaudRates[] = {110,   300,   600,   1200,  2400,  4800,   9600,   14400,
                              19200, 28800, 38400, 56000, 57600, 115200, 128000, 256000};
} // namespace

QString PortSettings::toString() const {
    QString stop =
        stopBitsTimesTwo == 3 ? QStringLiteral("1.5") : QString::number(stopBitsTimesTwo / 2);
    return QStringLiteral("%1,%2,%3,%4").arg(baud).arg(QChar(parity)).arg(dataBits).arg(stop);
}

double PortSettings::bitsPerCharacter() const {
    return 1.0 + dataBits + (parity == 'n' ? 0 : 1) + stopBitsTimesTwo / 2.0;
}

std::optional<PortSettings> parsePortSettings(const QString& text) {
    const QStringList f = text.trimmed().split(QLatin1Char(','));
    if (f.size() != 4)
        return std::nullopt;
    PortSettings s;
    bool ok = false;
    s.baud = f[0].trimmed().toInt(&ok);
    if (!ok ||
        std::find(std::begin(kBaudRates), std::end(kBaudRates), s.baud) == std::end(kBaudRates))
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

} // namespace zelmar
